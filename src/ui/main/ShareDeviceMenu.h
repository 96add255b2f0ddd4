#pragma once
// File -> "Share device...": the hub that lets other programs use the device through this
// window's link, started and stopped from its dialog and remembered in the connection settings
// file, so that a device shared when the window closed is shared again when it opens.

#include <optional>

#include <QObject>
#include <QString>

#include "ConnectionSettings.h"

class QWidget;

namespace tesso
{

class DeviceHub;
class MainMenus;
class ShareDeviceDialog;
class UserPrompts;

class ShareDeviceMenu : public QObject
{
    Q_OBJECT

  public:
    ShareDeviceMenu(DeviceHub& hub, MainMenus& menus, const ConnectionSettings& files, UserPrompts& prompts,
                    QWidget* window);

    ShareDeviceDialog* Dialog() const { return m_dialog; }

    // The menu item: the dialog with the current choice; OK applies it.
    void openDialog();
    // Starts or stops the hub as the values say and writes them to the file. A hub that cannot
    // start stays off, the user is told why, and the file keeps it off.
    void Apply(const HubValues& values);
    // At start-up: the hub as the file left it. A failure is reported once and start-up goes on;
    // the file keeps the choice for the next start.
    void Restore();

  signals:
    // The hub was started or stopped (the status bar shows the client count while it listens).
    void sharingChanged();

  private:
    // The hub on these values; the reason when it is not listening.
    std::optional<QString> start(const HubValues& values);

    DeviceHub& m_hub;
    const ConnectionSettings& m_files;
    UserPrompts& m_prompts;
    QWidget* m_window;
    ShareDeviceDialog* m_dialog;
    HubValues m_values;
};

} // namespace tesso
