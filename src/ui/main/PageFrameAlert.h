#pragma once
// The "Frame Alert" page of the main window's page control.

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;

class TPageFrameAlert : public QWidget
{
    Q_OBJECT

  public:
    explicit TPageFrameAlert(QWidget* parent = nullptr);

    QGroupBox* GrpFrameUsed = nullptr;
    QComboBox* CboFrameNumber = nullptr;
    QLabel* LblFrameNotAvailable = nullptr;
};
