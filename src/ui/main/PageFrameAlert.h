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

    // "Frame 1" .. "Frame 10", the first chosen.
    void FillFrameNumbers();

    QGroupBox* GrpFrameUsed = nullptr;
    QComboBox* CboFrameNumber = nullptr;
    QLabel* LblFrameNotAvailable = nullptr;
};
