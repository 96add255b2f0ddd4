#include "DeviceSettingsMenu.h"

#include <QAction>
#include <QEventLoop>
#include <QProgressDialog>

#include "Constante.h"
#include "ErrorReport.h"
#include "MainMenus.h"
#include "SettingsDiffDialog.h"
#include "SettingsJob.h"
#include "TextFormat.h"
#include "UserPrompts.h"

namespace
{

const QLatin1String SettingsLacking{"Not in the file, left as they are on the device: %s."};
const QLatin1String SettingsUnknown{"Not settings of this version, skipped: %s."};

// What a restore leaves out of the file: empty when it holds every setting and nothing else.
QString gapsOf(const TDeviceSettings& file)
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

TDeviceSettingsMenu::TDeviceSettingsMenu(TMainMenus& menus, TEventRouter& router, UserPrompts& prompts,
                                         QWidget* window)
    : m_router(router), m_prompts(prompts), m_window(window)
{
    AskToWrite = [this](const std::vector<TDeviceSettings::Difference>& differences) {
        TSettingsDiffDialog dialog(differences, m_fileGaps, m_window);
        return dialog.exec() == QDialog::Accepted;
    };
    QObject::connect(menus.MenuFileSaveSettings, &QAction::triggered, window,
                     [this] { tesso::guarded([this] { MenuSaveSettingsClick(); }); });
    QObject::connect(menus.MenuFileRestoreSettings, &QAction::triggered, window,
                     [this] { tesso::guarded([this] { MenuRestoreSettingsClick(); }); });
}

TDeviceSettingsMenu::~TDeviceSettingsMenu() = default;

bool TDeviceSettingsMenu::run(const QString& label, const std::function<void(TSettingsJob&)>& start)
{
    TMirex_d* driver = m_router.driver();
    if (!driver || !driver->Connected()) {
        m_error = QString(Constante::DeviceNotConnected);
        return false;
    }
    TSettingsJob job(*driver);
    m_job = &job;
    // Every reply goes to the job while it runs.
    const TSubscription replies =
        m_router.subscribe(DriverEvent::ReplyApplied,
                           [&job](std::uint32_t variable) { job.Replied(static_cast<tVAR>(variable)); });
    QProgressDialog progress(label, QStringLiteral("Cancel"), 0, 0, m_window);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    QEventLoop loop;
    bool ok = false;
    QObject::connect(&job, &TSettingsJob::progress, &progress, [&](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
    });
    QObject::connect(&job, &TSettingsJob::finished, &loop, [&](bool success, const QString& error) {
        ok = success;
        m_error = error;
        loop.quit();
    });
    QObject::connect(&progress, &QProgressDialog::canceled, &job, [&job] { job.Cancel(); });
    bool ended = false;
    QObject::connect(&job, &TSettingsJob::finished, &loop, [&ended] { ended = true; });
    start(job);
    if (!ended)
        loop.exec();
    m_job = nullptr;
    return ok;
}

void TDeviceSettingsMenu::MenuSaveSettingsClick()
{
    if (const std::optional<QString> path =
            m_prompts.AskSaveFile(m_window, QString(Constante::SettingsFilter)))
        SaveTo(*path);
}

void TDeviceSettingsMenu::MenuRestoreSettingsClick()
{
    if (const std::optional<QString> path =
            m_prompts.AskOpenFile(m_window, QString(Constante::SettingsFilter)))
        RestoreFrom(*path);
}

void TDeviceSettingsMenu::SaveTo(const QString& path)
{
    TDeviceSettings device;
    const bool read = run(QString(Constante::SettingsReading), [&device](TSettingsJob& job) {
        QObject::connect(&job, &TSettingsJob::finished, &job, [&device, &job](bool ok) {
            if (ok)
                device = job.Device();
        });
        job.Collect();
    });
    QString error = m_error;
    if (!read || !device.Save(path, &error)) {
        m_prompts.Information(
            m_window, TextFormat::Format(Constante::SettingsFailed, {QStringLiteral("saved"), error}));
        return;
    }
    m_prompts.Information(m_window, TextFormat::Format(Constante::SettingsSaved, {path}));
}

void TDeviceSettingsMenu::RestoreFrom(const QString& path)
{
    QString error;
    const std::optional<TDeviceSettings> file = TDeviceSettings::Load(path, &error);
    TMirex_d* driver = m_router.driver();
    if (file && driver)
        error = file->RefusalFor(driver->DEV());
    if (!file || !error.isEmpty()) {
        m_prompts.Information(
            m_window, TextFormat::Format(Constante::SettingsFailed, {QStringLiteral("restored"), error}));
        return;
    }
    std::vector<TDeviceSettings::Difference> differences;
    const bool read = run(QString(Constante::SettingsReading), [&](TSettingsJob& job) {
        QObject::connect(&job, &TSettingsJob::finished, &job, [&](bool ok) {
            if (ok)
                differences = file->DifferencesFrom(job.Device());
        });
        job.Collect();
    });
    if (!read) {
        m_prompts.Information(
            m_window, TextFormat::Format(Constante::SettingsFailed, {QStringLiteral("read"), m_error}));
        return;
    }
    m_fileGaps = gapsOf(*file);
    if (differences.empty()) {
        m_prompts.Information(m_window,
                              withGaps(TextFormat::Format(Constante::SettingsSame, {path}), m_fileGaps));
        return;
    }
    if (!AskToWrite(differences))
        return;
    int written = 0;
    const bool restored = run(QString(Constante::SettingsWriting), [&](TSettingsJob& job) {
        QObject::connect(&job, &TSettingsJob::finished, &job, [&] { written = job.Written(); });
        job.Restore(*file);
    });
    if (!restored) {
        m_prompts.Information(
            m_window, TextFormat::Format(Constante::SettingsFailed, {QStringLiteral("restored"), m_error}));
        return;
    }
    QString text = written == 1 ? QString(Constante::SettingRestored)
                                : TextFormat::Format(Constante::SettingsRestored, written);
    if (std::any_of(differences.begin(), differences.end(), [](const auto& d) { return d.inFile.network; }))
        text += QLatin1Char('\n') + QString(Constante::SettingsNetworkWritten);
    m_prompts.Information(m_window, withGaps(text, m_fileGaps));
}
