#pragma once
// Which model answers on the link, and what the main window makes of it: model detection on each
// report of DEV, the window reshaped for the model (ApplyDeviceModel), the caption and the about
// box's logo, the device labels of the about box (versions, options) and the firmware-update
// notice.

#include <cstdint>
#include <vector>

#include <QString>

#include "EventRouter.h"

namespace tesso
{

class AboutDialog;
class MainWindow;

class DeviceIdentity
{
  public:
    DeviceIdentity(MainWindow& window, EventRouter& router);

    // The about box exists only once start-up has made it.
    void setAbout(AboutDialog* about) { m_about = about; }

    // "<model> remote control", or "Tesso remote control" for no model; moves the about box's
    // logo to a supported model's.
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

    MainWindow& m_window;
    EventRouter& m_router;
    AboutDialog* m_about = nullptr;
    std::int64_t m_appliedModel = -1;
    std::vector<Subscription> m_subscriptions;
};

} // namespace tesso
