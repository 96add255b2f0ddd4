#include "SettingsJob.h"

#include "DeviceDriver.h"
#include "DeviceMirror.h"

namespace tesso
{

namespace
{

// The cell selector and the character of each projector message.
const tVAR CellOf[2] = {_STBION, _STBIOFF};
const tVAR CharacterOf[2] = {_STBON, _STBOFF};

} // namespace

SettingsJob::SettingsJob(DeviceDriver& driver, QObject* parent)
    : QObject(parent), m_driver(driver), m_runner(driver)
{
    connect(&m_runner, &SettingsRunner::progress, this, &SettingsJob::progress);
    connect(&m_runner, &SettingsRunner::finished, this, &SettingsJob::runnerFinished);
}

void SettingsJob::Collect()
{
    m_phase = Phase::Collecting;
    addCollectSteps();
    m_runner.Start();
}

void SettingsJob::addCollectSteps()
{
    m_messages[0].clear();
    m_messages[1].clear();
    m_runner.Add({QStringLiteral("the query-all"), [](DeviceDriver& d) { d.queryAll(); }, _DIESE, {}, true});
    addReadBack(0);
    addReadBack(1);
}

// One cell: select it, ask for its character; the device's echo of the selector must name the
// cell asked for, and the message ends at its 0 or at its last cell.
void SettingsJob::addReadBack(int message)
{
    const auto cell = static_cast<std::uint32_t>(m_messages[message].size());
    SettingsRunner::Step step;
    step.what = QStringLiteral("%1 cell %2")
                    .arg(QLatin1String(tesso::Catalogue[CharacterOf[message]].name))
                    .arg(cell);
    step.send = [message, cell](DeviceDriver& d) {
        d.setVariable(CellOf[message], cell);
        d.queryVariable(CharacterOf[message]);
    };
    step.awaited = CharacterOf[message];
    step.answered = [this, message, cell](const DeviceDriver& d) {
        const std::uint32_t code = d.mirrorValue(CharacterOf[message]);
        if (d.mirrorValue(CellOf[message]) != cell || code == 0 || code > 255)
            return QString(); // the end of the message, or as far as the device follows
        m_messages[message].append(static_cast<char>(code));
        if (m_messages[message].size() < DeviceSettings::MaxMessageLength)
            addReadBack(message);
        return QString();
    };
    if (cell == 0)
        m_runner.Add(std::move(step));
    else
        m_runner.AddNext(std::move(step));
}

void SettingsJob::Restore(const DeviceSettings& file)
{
    m_file = file;
    m_written = 0;
    m_remaining.clear();
    const QString refusal = file.RefusalFor(m_driver.DEV());
    if (!refusal.isEmpty()) {
        emit finished(false, refusal);
        return;
    }
    // What differs is what the device holds now, not what an earlier reading found.
    m_phase = Phase::Comparing;
    addCollectSteps();
    m_runner.Start();
}

void SettingsJob::writeDifferences()
{
    m_phase = Phase::Writing;
    std::uint32_t selectedInput = 0;
    for (const DeviceSettings::Difference& d : m_file.DifferencesFrom(m_device))
        addWrite(d.inFile, selectedInput);
    m_runner.Start();
}

void SettingsJob::addWrite(const DeviceSettings::Entry& e, std::uint32_t& selectedInput)
{
    using Kind = DeviceSettings::Kind;
    auto add = [this](const QString& what, std::function<void(DeviceDriver&)> send, tVAR awaited) {
        m_runner.Add({what, std::move(send), awaited, [this](const DeviceDriver&) {
                          ++m_written;
                          return QString();
                      }});
    };
    switch (e.kind) {
    case Kind::Plain:
        add(
            e.label(), [v = e.variable, n = e.number](DeviceDriver& d) { d.setVariable(v, n); }, e.variable);
        break;
    case Kind::PerInput:
        if (selectedInput != static_cast<std::uint32_t>(e.which)) {
            selectedInput = static_cast<std::uint32_t>(e.which);
            m_runner.Add(
                {QStringLiteral("PCHAN"), [k = selectedInput](DeviceDriver& d) { d.setPCHAN(k); }, _PCHAN});
        }
        add(
            e.label(), [v = e.variable, n = e.number](DeviceDriver& d) { d.setVariable(v, n); }, e.variable);
        break;
    case Kind::Message: {
        const int message = e.which;
        QByteArray codes = e.codes;
        codes.append('\0'); // the end of the message is written too
        for (int i = 0; i < codes.size(); ++i)
            m_runner.Add({QStringLiteral("%1 cell %2").arg(e.name).arg(i),
                          [message, i, c = static_cast<unsigned char>(codes[i])](DeviceDriver& d) {
                              d.setVariable(CellOf[message], static_cast<std::uint32_t>(i));
                              d.setVariable(CharacterOf[message], c);
                          },
                          CharacterOf[message]});
        ++m_written;
        break;
    }
    case Kind::Address:
        add(
            e.name,
            [which = e.which, text = e.text](DeviceDriver& d) {
                if (which == DeviceMirror::Local)
                    d.setLOCAL_IP(text);
                else if (which == DeviceMirror::Remote)
                    d.setREMOTE_IP(text);
                else
                    d.setGATEWAY_IP(text);
            },
            _IP1);
        break;
    case Kind::Port:
        add(
            e.name,
            [which = e.which, n = e.number](DeviceDriver& d) {
                if (which == DeviceMirror::Local)
                    d.setLOCAL_PORT(static_cast<std::int32_t>(n));
                else
                    d.setREMOTE_PORT(static_cast<std::int32_t>(n));
            },
            _PORT);
        break;
    case Kind::Netmask:
        add(
            e.name, [text = e.text](DeviceDriver& d) { d.setNETMASK(text); }, _NETMASK);
        break;
    }
}

void SettingsJob::runnerFinished(bool ok, const QString& error)
{
    const Phase phase = m_phase;
    if (!ok) {
        m_phase = Phase::Idle;
        emit finished(false, error);
        return;
    }
    switch (phase) {
    case Phase::Comparing:
        m_device = DeviceSettings::FromDriver(m_driver, m_messages[0], m_messages[1]);
        writeDifferences();
        return;
    case Phase::Collecting:
    case Phase::Verifying:
        m_device = DeviceSettings::FromDriver(m_driver, m_messages[0], m_messages[1]);
        m_phase = Phase::Idle;
        if (phase == Phase::Verifying) {
            m_remaining = m_file.DifferencesFrom(m_device);
            if (!m_remaining.empty()) {
                emit finished(false,
                              QStringLiteral("after the restore %1 settings still differ from the file")
                                  .arg(m_remaining.size()));
                return;
            }
        }
        emit finished(true, QString());
        return;
    case Phase::Writing:
        m_phase = Phase::Verifying;
        addCollectSteps();
        m_runner.Start();
        return;
    case Phase::Idle:
        return;
    }
}

} // namespace tesso
