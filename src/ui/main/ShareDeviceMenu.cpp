#include "ShareDeviceMenu.h"

#include <QAction>

#include "DeviceHub.h"
#include "ErrorReport.h"
#include "MainMenus.h"
#include "ShareDeviceDialog.h"
#include "TextFormat.h"
#include "Texts.h"
#include "UserPrompts.h"

namespace tesso
{

ShareDeviceMenu::ShareDeviceMenu(DeviceHub& hub, MainMenus& menus, const ConnectionSettings& files,
                                 UserPrompts& prompts, QWidget* window)
    : QObject(window), m_hub(hub), m_files(files), m_prompts(prompts), m_window(window),
      m_dialog(new ShareDeviceDialog(window))
{
    connect(menus.MenuFileShareDevice, &QAction::triggered, this,
            [this] { tesso::guarded([this] { openDialog(); }); });
}

void ShareDeviceMenu::openDialog()
{
    if (m_dialog->Execute(m_values))
        Apply(m_dialog->values());
}

void ShareDeviceMenu::Apply(const HubValues& values)
{
    // Clients already connected to the same place keep their connection.
    const bool unchanged = values == m_values && m_hub.isListening();
    m_values = values;
    if (!values.Enabled) {
        m_hub.stop();
    } else if (!unchanged) {
        if (const std::optional<QString> problem = start(values)) {
            m_values.Enabled = false;
            m_prompts.Information(m_window, TextFormat::Format(Texts::ShareFailed, {*problem}));
        }
    }
    m_files.WriteHub(m_values);
    emit sharingChanged();
}

void ShareDeviceMenu::Restore()
{
    m_values = m_files.ReadHub();
    if (!m_values.Enabled)
        return;
    if (const std::optional<QString> problem = start(m_values))
        tesso::reportError(TextFormat::Format(Texts::ShareFailed, {*problem}));
    emit sharingChanged();
}

std::optional<QString> ShareDeviceMenu::start(const HubValues& values)
{
    HubOptions options;
    const QString listen = values.Address + QLatin1Char(':') + QString::number(values.Port);
    std::optional<QString> problem = HubOptions::parseListen(listen, options);
    if (!problem)
        problem = HubOptions::parseAllowed(values.Allowed, options);
    if (!problem)
        problem = m_hub.start(options);
    if (problem)
        m_hub.stop();
    return problem;
}

} // namespace tesso
