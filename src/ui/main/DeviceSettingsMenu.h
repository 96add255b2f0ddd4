#pragma once
// File -> "Save device settings..." and "Restore device settings...": the device's setup kept in a
// settings file and written back to it. A restore shows the differences first and asks; reading
// and writing show their progress and can be cancelled. What the file lacks, and what it names that
// is not a setting of this version, is left out and listed in the question and the result.

#include <functional>
#include <memory>
#include <vector>

#include "DeviceSettings.h"
#include "EventRouter.h"

class QProgressDialog;
class QWidget;

namespace tesso
{

class MainMenus;
class SettingsJob;
class UserPrompts;

class DeviceSettingsMenu
{
  public:
    DeviceSettingsMenu(MainMenus& menus, EventRouter& router, UserPrompts& prompts, QWidget* window);
    ~DeviceSettingsMenu();

    void saveSettings();
    void restoreSettings();
    // Saves into a file without asking for its name.
    void SaveTo(const QString& path);
    // Restores from a file without asking for its name.
    void RestoreFrom(const QString& path);

    // Shown before a restore writes; true to write. The differences dialog by default.
    std::function<bool(const std::vector<DeviceSettings::Difference>&)> AskToWrite;

    bool Busy() const { return m_job != nullptr; }

  private:
    // Runs a job on the event loop with a progress box; false with the reason when it failed.
    bool run(const QString& label, const std::function<void(SettingsJob&)>& start);

    EventRouter& m_router;
    UserPrompts& m_prompts;
    QWidget* m_window;
    SettingsJob* m_job = nullptr;
    QString m_error;
    QString m_fileGaps; // what the file being restored leaves out, one line each
};

} // namespace tesso
