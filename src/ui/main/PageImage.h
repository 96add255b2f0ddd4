#pragma once
// The "Image" page of the main window's page control. Two notices lie over it, centred at start-up.

#include <QWidget>

class QLabel;

class TPageImage : public QWidget
{
    Q_OBJECT

  public:
    explicit TPageImage(QWidget* parent = nullptr);

    QLabel* LblImageNoInputSignal = nullptr;
    QLabel* LblImageNotAvailableComputerInput = nullptr;
};
