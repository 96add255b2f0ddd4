#pragma once
// The "Output" page of the main window's page control.

#include <QWidget>

class QLabel;
class TRadioGroup;

class TPageOutput : public QWidget
{
    Q_OBJECT

  public:
    explicit TPageOutput(QWidget* parent = nullptr);

    TRadioGroup* RdoOutputSync = nullptr;
    QLabel* LblOutputNotAvailableComputerInput = nullptr;
};
