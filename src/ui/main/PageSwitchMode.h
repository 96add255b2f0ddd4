#pragma once
// The "Switch mode" page of the main window's page control. Its controls come with the switching
// behaviour; the start-up code sizes GroupBox_Seamless.

#include <QWidget>

class QGroupBox;
class TRadioGroup;

class TPageSwitchMode : public QWidget
{
    Q_OBJECT

  public:
    explicit TPageSwitchMode(QWidget* parent = nullptr);

    TRadioGroup* RadioGroup_SWITCHMODE = nullptr;
    QGroupBox* GroupBox_Seamless = nullptr;
};
