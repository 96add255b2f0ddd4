#include "ProfileMenu.h"

#include <QAction>
#include <QCoreApplication>
#include <QProcess>

#include "ErrorReport.h"
#include "MainMenus.h"
#include "OpenDeviceDialog.h"
#include "ProfileInstance.h"
#include "TextFormat.h"
#include "Texts.h"
#include "UserPrompts.h"

namespace tesso
{

ProfileMenu::ProfileMenu(MainMenus& menus, UserPrompts& prompts, QWidget* window, ProfileStore store)
    : QObject(window), m_store(std::move(store)), m_prompts(prompts), m_window(window),
      m_dialog(new OpenDeviceDialog(window)), m_environment(QProcessEnvironment::systemEnvironment())
{
    m_launch = [this](const QString& program, const QStringList& arguments) {
        QProcess process;
        process.setProgram(program);
        process.setArguments(arguments);
        process.setProcessEnvironment(m_environment);
        return process.startDetached();
    };
    connect(menus.MenuFileOpenDevice, &QAction::triggered, this,
            [this] { tesso::guarded([this] { openAnotherDevice(); }); });
    connect(menus.MenuFileRenameProfile, &QAction::triggered, this,
            [this] { tesso::guarded([this] { renameProfile(); }); });
    connect(menus.MenuFileDeleteProfile, &QAction::triggered, this,
            [this] { tesso::guarded([this] { deleteProfile(); }); });
}

void ProfileMenu::openAnotherDevice()
{
    if (const std::optional<QString> name = m_dialog->Execute(m_store))
        startProfile(*name);
}

bool ProfileMenu::startProfile(const QString& name)
{
    // The new program creates a new profile's folder, or shows the window that already holds it.
    // A demonstration's --simulate is not passed on: the other device is a real one.
    const bool started =
        m_launch(QCoreApplication::applicationFilePath(), {QStringLiteral("--profile"), name});
    if (!started)
        m_prompts.Information(m_window, TextFormat::Format(Texts::ProfileStartFailed, {name}));
    return started;
}

std::optional<QString> ProfileMenu::chooseOther(const QString& caption, const QString& prompt)
{
    QStringList others = m_store.names();
    others.removeIf(
        [this](const QString& name) { return name.compare(m_current, Qt::CaseInsensitive) == 0; });
    if (others.isEmpty()) {
        m_prompts.Information(m_window, QString(Texts::NoOtherProfile));
        return std::nullopt;
    }
    const std::optional<QString> chosen = m_prompts.AskChoice(m_window, caption, prompt, others);
    if (!chosen || !others.contains(*chosen))
        return std::nullopt;
    return chosen;
}

bool ProfileMenu::heldElsewhere(const QString& name)
{
    if (!ProfileInstance::isHeld(m_store.folder(name)))
        return false;
    m_prompts.Information(m_window, TextFormat::Format(Texts::ProfileOpenElsewhere, {name}));
    return true;
}

void ProfileMenu::tell(const std::optional<QString>& problem)
{
    if (problem)
        m_prompts.Information(m_window, *problem);
}

void ProfileMenu::renameProfile()
{
    const QString caption(Texts::RenameProfileCaption);
    const std::optional<QString> from = chooseOther(caption, QString(Texts::ProfileToRename));
    if (!from || heldElsewhere(*from))
        return;
    const std::optional<QString> to =
        m_prompts.AskText(m_window, caption, TextFormat::Format(Texts::NewProfileName, {*from}), *from);
    if (!to || *to == *from)
        return;
    if (const std::optional<QString> problem = ProfileStore::nameProblem(*to)) {
        tell(problem);
        return;
    }
    if (!m_prompts.Confirm(m_window, TextFormat::Format(Texts::RenameProfileConfirm, {*from, *to})))
        return;
    // A window may have opened the profile while the question was up.
    if (heldElsewhere(*from))
        return;
    tell(m_store.rename(*from, *to));
}

void ProfileMenu::deleteProfile()
{
    const std::optional<QString> name =
        chooseOther(QString(Texts::DeleteProfileCaption), QString(Texts::ProfileToDelete));
    if (!name || heldElsewhere(*name))
        return;
    if (!m_prompts.Confirm(m_window, TextFormat::Format(Texts::DeleteProfileConfirm, {*name})))
        return;
    if (heldElsewhere(*name))
        return;
    tell(m_store.remove(*name));
}

} // namespace tesso
