#include "CliSettings.h"

#include <QEventLoop>
#include <QTimer>

#include "DeviceDriver.h"

namespace tesso
{

CliSettings::CliSettings(DeviceDriver& driver, std::FILE* out, std::FILE* err)
    : m_driver(driver), m_out(out), m_err(err), m_job(driver)
{
}

int CliSettings::fail(int status, const QString& message)
{
    std::fflush(m_out);
    std::fprintf(m_err, "tesso-cli: %s\n", message.toLocal8Bit().constData());
    std::fflush(m_err);
    return status;
}

bool CliSettings::run(const std::function<void()>& start, const bool& linkBroken)
{
    bool done = false;
    bool ok = false;
    QEventLoop loop;
    const QMetaObject::Connection finished =
        QObject::connect(&m_job, &SettingsJob::finished, &loop, [&](bool success, const QString& error) {
            done = true;
            ok = success;
            m_error = error;
            loop.quit();
        });
    QTimer watch; // a link that fails for good ends the wait at once
    QObject::connect(&watch, &QTimer::timeout, &loop, [&] {
        if (linkBroken) {
            m_job.Cancel();
            loop.quit();
        }
    });
    watch.start(50);
    start();
    if (!done)
        loop.exec();
    QObject::disconnect(finished);
    return ok;
}

void CliSettings::printGaps(const DeviceSettings& file)
{
    std::fflush(m_out);
    if (!file.Lacking.isEmpty())
        std::fprintf(m_err, "tesso-cli: not in the file, left as they are on the device: %s\n",
                     file.Lacking.join(QStringLiteral(", ")).toLocal8Bit().constData());
    if (!file.Unknown.isEmpty())
        std::fprintf(m_err, "tesso-cli: not settings of this version, skipped: %s\n",
                     file.Unknown.join(QStringLiteral(", ")).toLocal8Bit().constData());
    std::fflush(m_err);
}

int CliSettings::done(int status, const DeviceSettings& file)
{
    const bool partial = !file.Lacking.isEmpty() || !file.Unknown.isEmpty();
    return status == ExitSame && partial ? ExitPartialFile : status;
}

void CliSettings::printDifferences(const std::vector<DeviceSettings::Difference>& differences)
{
    for (const DeviceSettings::Difference& d : differences)
        std::fprintf(m_out, "%s: file %s, device %s\n", d.inFile.label().toLocal8Bit().constData(),
                     d.inFile.valueText().toLocal8Bit().constData(),
                     d.onDevice.valueText().toLocal8Bit().constData());
    std::fflush(m_out);
}

int CliSettings::Save(const QString& path, const bool& linkBroken)
{
    if (!run([this] { m_job.Collect(); }, linkBroken))
        return fail(ExitNoAnswer, m_error);
    QString error;
    if (!m_job.Device().Save(path, &error))
        return fail(ExitBadFile, error);
    std::fprintf(m_out, "saved %zu settings of the %s to %s\n", m_job.Device().Entries.size(),
                 m_job.Device().Model.toLocal8Bit().constData(), path.toLocal8Bit().constData());
    return ExitSame;
}

int CliSettings::Diff(const QString& path, const bool& linkBroken)
{
    QString error;
    const std::optional<DeviceSettings> file = DeviceSettings::Load(path, &error);
    if (!file)
        return fail(ExitBadFile, error);
    if (!run([this] { m_job.Collect(); }, linkBroken))
        return fail(ExitNoAnswer, m_error);
    if (const QString refusal = file->RefusalFor(m_driver.DEV()); !refusal.isEmpty())
        return fail(ExitBadFile, refusal);
    printGaps(*file);
    const auto differences = file->DifferencesFrom(m_job.Device());
    printDifferences(differences);
    return done(differences.empty() ? ExitSame : ExitDifferent, *file);
}

int CliSettings::Restore(const QString& path, bool dryRun, const bool& linkBroken)
{
    QString error;
    const std::optional<DeviceSettings> file = DeviceSettings::Load(path, &error);
    if (!file)
        return fail(ExitBadFile, error);
    if (const QString refusal = file->RefusalFor(m_driver.DEV()); !refusal.isEmpty())
        return fail(ExitBadFile, refusal);
    printGaps(*file);
    if (!run([this] { m_job.Collect(); }, linkBroken))
        return fail(ExitNoAnswer, m_error);
    const auto differences = file->DifferencesFrom(m_job.Device());
    printDifferences(differences);
    if (dryRun || differences.empty())
        return done(ExitSame, *file);
    if (!run([this, &file] { m_job.Restore(*file); }, linkBroken)) {
        if (!m_job.Remaining().empty()) {
            std::fprintf(m_out, "still different after the restore:\n");
            printDifferences(m_job.Remaining());
            return fail(ExitDifferent, m_error);
        }
        return fail(ExitNoAnswer, m_error);
    }
    std::fprintf(m_out, "restored %d setting%s; the device now matches the file\n", m_job.Written(),
                 m_job.Written() == 1 ? "" : "s");
    if (std::any_of(differences.begin(), differences.end(),
                    [](const DeviceSettings::Difference& d) { return d.inFile.network; }))
        std::fprintf(m_out, "network settings were written; the device applies them from its LAN setup\n");
    return done(ExitSame, *file);
}

} // namespace tesso
