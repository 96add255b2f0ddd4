#pragma once
// The File menu's profile items: "Open another device..." starts the program for a chosen or new
// profile, each in a process and a window of its own; "Rename profile..." and "Delete profile..."
// act on the other profiles, after asking, and never on one a running window holds.

#include <functional>
#include <optional>

#include <QObject>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include "ProfileStore.h"

class QWidget;

namespace tesso
{

class MainMenus;
class OpenDeviceDialog;
class UserPrompts;

class ProfileMenu : public QObject
{
    Q_OBJECT

  public:
    // Starts a program that outlives this one; false when it could not be started.
    using Launcher = std::function<bool(const QString& program, const QStringList& arguments)>;

    ProfileMenu(MainMenus& menus, UserPrompts& prompts, QWidget* window, ProfileStore store = ProfileStore());

    // The profile this window holds (empty: the default settings).
    void setCurrent(const QString& name) { m_current = name; }
    QString current() const { return m_current; }
    const ProfileStore& store() const { return m_store; }
    OpenDeviceDialog* Dialog() const { return m_dialog; }
    // What the started programs get as their environment (by default this program's).
    void setLaunchEnvironment(const QProcessEnvironment& environment) { m_environment = environment; }
    // Tests put a launcher that records instead of starting.
    void setLauncher(Launcher launcher) { m_launch = std::move(launcher); }

    void openAnotherDevice();
    // `tesso --profile NAME`; the user is told when it cannot start.
    bool startProfile(const QString& name);
    void renameProfile();
    void deleteProfile();

  private:
    // A profile other than this window's, asked for; nothing when there is none or on Cancel.
    std::optional<QString> chooseOther(const QString& caption, const QString& prompt);
    // Says so and gives true when a running window holds the profile.
    bool heldElsewhere(const QString& name);
    void tell(const std::optional<QString>& problem);

    ProfileStore m_store;
    UserPrompts& m_prompts;
    QWidget* m_window;
    OpenDeviceDialog* m_dialog;
    QString m_current;
    QProcessEnvironment m_environment;
    Launcher m_launch;
};

} // namespace tesso
