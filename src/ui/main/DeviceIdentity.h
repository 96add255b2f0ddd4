#pragma once
// Which model answers on the link, and what the main window makes of it: model detection on each
// report of DEV, the window reshaped for the model (ApplyDeviceModel), the caption and the about
// box's logo, the device labels of the about box (versions, options) and the firmware-update
// notice.

#include <cstdint>
#include <functional>
#include <vector>

#include <QString>

#include "EventRouter.h"
#include "MainRoutines.h"

class QTabWidget;

namespace tesso
{

class AboutDialog;
class InputButtonRow;
class MainMenus;
class PageAudio;
class PageEffect;
class PageInput;
class PageOutput;
class PageSwitchMode;
class StatusGridArea;
class UpdateNotice;

class DeviceIdentity
{
  public:
    struct Parts {
        InputButtonRow* Inputs = nullptr;
        StatusGridArea* StatusArea = nullptr;
        MainMenus* Menus = nullptr;
        QTabWidget* PageControl = nullptr;
        PageInput* InputPage = nullptr;
        PageOutput* OutputPage = nullptr;
        PageAudio* AudioPage = nullptr;
        PageSwitchMode* SwitchModePage = nullptr;
        PageEffect* EffectPage = nullptr;
        UpdateNotice* Updater = nullptr;
        // Reads a supported model's label file into the window's labels.
        std::function<void(std::int64_t code)> LoadInputLabels;
        std::function<void()> RefreshStatusBar;
        std::function<void(const QString& title)> SetWindowTitle;
    };

    // routines: the input on air (InputOnAir) once a new model's labels are in.
    DeviceIdentity(Parts parts, const MainRoutines& routines, EventRouter& router);

    // The about box exists only once start-up has made it.
    void setAbout(AboutDialog* about);
    // The profile the window holds, named in the title and the about box (empty: none).
    void setProfileName(const QString& name);

    // "<model> remote control", or "Tesso remote control" for no model, followed by " - <profile>"
    // with a profile; moves the about box's logo to a supported model's.
    QString BuildWindowTitle(std::int64_t code);
    void ApplyDeviceModel(std::int64_t code);
    std::int64_t AppliedModelCode() const { return m_appliedModel; }
    // One main-timer tick: while no model is known the about box shows each model's logo in turn.
    void CycleAboutLogo();
    // The Cut, Fade and Title buttons for the model and the switch mode.
    void EffectButtonVisibility();

  private:
    void showDeviceCode();
    void showFirmwareVersion();

    Parts m_parts;
    MainRoutines m_routines;
    EventRouter& m_router;
    AboutDialog* m_about = nullptr;
    QString m_profileName;
    std::int64_t m_appliedModel = -1;
    std::vector<Subscription> m_subscriptions;
};

} // namespace tesso
