#include "DeviceSettingsMenu.h"

#include <QAction>
#include <QEventLoop>
#include <QProgressDialog>

#include "ErrorReport.h"
#include "MainMenus.h"
#include "SettingsDiffDialog.h"
#include "SettingsJob.h"
#include "TextFormat.h"
#include "Texts.h"
#include "UserPrompts.h"

namespace tesso
{

namespace
{

const QLatin1String SettingsLacking{"Not in the file, left as they are on the device: %s."};
const QLatin1String SettingsUnknown{"Not settings of this version, skipped: %s."};

// What a restore leaves out of the file: empty when it holds every setting and nothing else.
QString gapsOf(const DeviceSettings& file)
{
    QStringList lines;
    if (!file.Lacking.isEmpty())
        lines << TextFormat::Format(SettingsLacking, {file.Lacking.join(QStringLiteral(", "))});
    if (!file.Unknown.isEmpty())
        lines << TextFormat::Format(SettingsUnknown, {file.Unknown.join(QStringLiteral(", "))});
    return lines.join(QLatin1Char('\n'));
}

QString withGaps(const QString& text, const QString& gaps)
{
    return gaps.isEmpty() ? text : text + QLatin1Char('\n') + gaps;
}

} // namespace

DeviceSettingsMenu::DeviceSettingsMenu(MainMenus& menus, EventRouter& router, UserPrompts& prompts,
                                       QWidget* window)
    : m_router(router), m_prompts(prompts), m_window(window)
{
    AskToWrite = [this](const std::vector<DeviceSettings::Difference>& differences) {
        SettingsDiffDialog dialog(differences, m_fileGaps, m_window);
        return dialog.exec() == QDialog::Accepted;
    };
    QObject::connect(menus.MenuFileSaveSettings, &QAction::triggered, window,
                     [this] { tesso::guarded([this] { saveSettings(); }); });
    QObject::connect(menus.MenuFileRestoreSettings, &QAction::triggered, window,
                     [this] { tesso::guarded([this] { restoreSettings(); }); });
}

DeviceSettingsMenu::~DeviceSettingsMenu() = default;

bool DeviceSettingsMenu::run(const QString& label, const std::function<void(SettingsJob&)>& start)
{
    DeviceDriver* driver = m_router.driver();
    if (!driver || !driver->isConnected()) {
        m_error = QString(Texts::DeviceNotConnected);
        return false;
    }
    SettingsJob job(*driver);
    m_job = &job;
    // Every reply goes to the job while it runs.
    const Subscription replies =
        m_router.subscribe(DriverEvent::ReplyApplied,
                           [&job](std::uint32_t variable) { job.Replied(static_cast<tVAR>(variable)); });
    QProgressDialog progress(label, QStringLiteral("Cancel"), 0, 0, m_window);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    QEventLoop loop;
    bool ok = false;
    QObject::connect(&job, &SettingsJob::progress, &progress, [&](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
    });
    QObject::connect(&job, &SettingsJob::finished, &loop, [&](bool success, const QString& error) {
        ok = success;
        m_error = error;
        loop.quit();
    });
    QObject::connect(&progress, &QProgressDialog::canceled, &job, [&job] { job.Cancel(); });
    bool ended = false;
    QObject::connect(&job, &SettingsJob::finished, &loop, [&ended] { ended = true; });
    start(job);
    if (!ended)
        loop.exec();
    m_job = nullptr;
    return ok;
}

void DeviceSettingsMenu::saveSettings()
{
    if (const std::optional<QString> path = m_prompts.AskSaveFile(m_window, QString(Texts::SettingsFilter)))
        SaveTo(*path);
}

void DeviceSettingsMenu::restoreSettings()
{
    if (const std::optional<QString> path = m_prompts.AskOpenFile(m_window, QString(Texts::SettingsFilter)))
        RestoreFrom(*path);
}

void DeviceSettingsMenu::SaveTo(const QString& path)
{
    DeviceSettings device;
    const bool read = run(QString(Texts::SettingsReading), [&device](SettingsJob& job) {
        QObject::connect(&job, &SettingsJob::finished, &job, [&device, &job](bool ok) {
            if (ok)
                device = job.Device();
        });
        job.Collect();
    });
    QString error = m_error;
    if (!read || !device.Save(path, &error)) {
        m_prompts.Information(m_window,
                              TextFormat::Format(Texts::SettingsFailed, {QStringLiteral("saved"), error}));
        return;
    }
    m_prompts.Information(m_window, TextFormat::Format(Texts::SettingsSaved, {path}));
}

void DeviceSettingsMenu::RestoreFrom(const QString& path)
{
    QString error;
    const std::optional<DeviceSettings> file = DeviceSettings::Load(path, &error);
    DeviceDriver* driver = m_router.driver();
    if (file && driver)
        error = file->RefusalFor(driver->DEV());
    if (!file || !error.isEmpty()) {
        m_prompts.Information(m_window,
                              TextFormat::Format(Texts::SettingsFailed, {QStringLiteral("restored"), error}));
        return;
    }
    std::vector<DeviceSettings::Difference> differences;
    const bool read = run(QString(Texts::SettingsReading), [&](SettingsJob& job) {
        QObject::connect(&job, &SettingsJob::finished, &job, [&](bool ok) {
            if (ok)
                differences = file->DifferencesFrom(job.Device());
        });
        job.Collect();
    });
    if (!read) {
        m_prompts.Information(m_window,
                              TextFormat::Format(Texts::SettingsFailed, {QStringLiteral("read"), m_error}));
        return;
    }
    m_fileGaps = gapsOf(*file);
    if (differences.empty()) {
        m_prompts.Information(m_window,
                              withGaps(TextFormat::Format(Texts::SettingsSame, {path}), m_fileGaps));
        return;
    }
    if (!AskToWrite(differences))
        return;
    int written = 0;
    const bool restored = run(QString(Texts::SettingsWriting), [&](SettingsJob& job) {
        QObject::connect(&job, &SettingsJob::finished, &job, [&] { written = job.Written(); });
        job.Restore(*file);
    });
    if (!restored) {
        m_prompts.Information(
            m_window, TextFormat::Format(Texts::SettingsFailed, {QStringLiteral("restored"), m_error}));
        return;
    }
    QString text =
        written == 1 ? QString(Texts::SettingRestored) : TextFormat::Format(Texts::SettingsRestored, written);
    if (std::any_of(differences.begin(), differences.end(), [](const auto& d) { return d.inFile.network; }))
        text += QLatin1Char('\n') + QString(Texts::SettingsNetworkWritten);
    m_prompts.Information(m_window, withGaps(text, m_fileGaps));
}

} // namespace tesso
