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
class TBindingTable;

class TPageAudio : public QWidget
{
    Q_OBJECT

  public:
    explicit TPageAudio(QWidget* parent = nullptr);
    ~TPageAudio() override;

    // Ties the page's controls to the device.
    void BindTo(TEventRouter& router, const TMainRoutines& routines);

    // A click on "Automatic" toggles the device's mode, whatever the box shows.
    void RdoAMODEMClick();
    void DriverAMODEMChange();

    QCheckBox* RdoAMODEM = nullptr;
    std::array<QRadioButton*, 8> RdoACHANM{}; // RdoACHANM1 .. RdoACHANM8
    QButtonGroup* AudioChannels = nullptr;    // the eight, with their tags 1..8 as ids
    QToolButton* SpeedButton_Amute = nullptr;

  private:
    TEventRouter* m_router = nullptr;
    TMainRoutines m_routines;
    std::unique_ptr<TBindingTable> m_bindings;
    std::vector<TSubscription> m_subscriptions;
};
