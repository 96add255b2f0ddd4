#pragma once
// The "Audio" page of the main window's page control: one radio button per input chooses the
// audio heard (ACHANM), "Automatic" lets the audio follow the video input (AMODEM 0), and the mute
// button.

#include <array>
#include <memory>
#include <vector>

#include <QWidget>

#include "EventRouter.h"
#include "MainRoutines.h"

class QButtonGroup;
class QCheckBox;
class QRadioButton;
class QToolButton;

namespace tesso
{

class BindingTable;

class PageAudio : public QWidget
{
    Q_OBJECT

  public:
    explicit PageAudio(QWidget* parent = nullptr);
    ~PageAudio() override;

    // Ties the page's controls to the device.
    void BindTo(EventRouter& router, const MainRoutines& routines);

    // A click on "Automatic" toggles the device's mode, whatever the box shows.
    void sendAudioMode();
    void showAudioMode();

    QCheckBox* RdoAMODEM = nullptr;
    std::array<QRadioButton*, 8> RdoACHANM{}; // RdoACHANM1 .. RdoACHANM8
    QButtonGroup* AudioChannels = nullptr;    // the eight, with their tags 1..8 as ids
    QToolButton* SpeedButton_Amute = nullptr;

  private:
    EventRouter* m_router = nullptr;
    MainRoutines m_routines;
    std::unique_ptr<BindingTable> m_bindings;
    std::vector<Subscription> m_subscriptions;
};

} // namespace tesso
