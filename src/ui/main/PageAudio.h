#pragma once
// The "Audio" page of the main window's page control. One radio button per input chooses the audio heard.

#include <array>
#include <memory>

#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QRadioButton;
class TBindingTable;
class TEventRouter;

class TPageAudio : public QWidget
{
    Q_OBJECT

  public:
    explicit TPageAudio(QWidget* parent = nullptr);
    ~TPageAudio() override;

    // Ties the page's controls to the device.
    void BindTo(TEventRouter& router);

    QCheckBox* RdoAMODEM = nullptr;
    std::array<QRadioButton*, 8> RdoACHANM{}; // RdoACHANM1 .. RdoACHANM8
    QButtonGroup* AudioChannels = nullptr;    // the eight, with their tags 1..8 as ids

  private:
    std::unique_ptr<TBindingTable> m_bindings;
};
