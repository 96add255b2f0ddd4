#pragma once
// The "Audio" page of the main window's page control. One radio button per input chooses the audio heard.

#include <QWidget>

#include <array>

class QCheckBox;
class QRadioButton;

class TPageAudio : public QWidget
{
    Q_OBJECT

  public:
    explicit TPageAudio(QWidget* parent = nullptr);

    QCheckBox* RdoAMODEM = nullptr;
    std::array<QRadioButton*, 8> RdoACHANM{}; // RdoACHANM1 .. RdoACHANM8
};
