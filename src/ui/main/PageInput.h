#pragma once
// The "Input" page of the main window's page control. It holds one settings row per input in PnlInputs.

#include <QWidget>

#include <array>

class QLabel;
class TFrameInput;

class TPageInput : public QWidget
{
    Q_OBJECT

  public:
    explicit TPageInput(QWidget* parent = nullptr);

    QWidget* PnlInputs = nullptr;
    QLabel* StaticText_ReferenceAR = nullptr;
    std::array<TFrameInput*, 8> FrameInput{}; // FrameInput1 .. FrameInput8
};
