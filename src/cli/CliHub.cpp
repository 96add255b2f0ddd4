#include "CliHub.h"

#include <QEventLoop>

#include "DeviceHub.h"

namespace tesso
{

std::optional<QString> CliHub::parseArguments(const QStringList& arguments, HubOptions& into)
{
    for (int i = 0; i < arguments.size(); i += 2) {
        const QString& name = arguments[i];
        if (i + 1 >= arguments.size())
            return QStringLiteral("hub: %1 needs a value").arg(name);
        const QString& value = arguments[i + 1];
        std::optional<QString> problem;
        if (name == QLatin1String("--listen"))
            problem = HubOptions::parseListen(value, into);
        else if (name == QLatin1String("--allow"))
            problem = HubOptions::parseAllowed(value, into);
        else
            return QStringLiteral("hub: unknown option %1").arg(name);
        if (problem)
            return QStringLiteral("hub: %1 %2").arg(name, *problem);
    }
    if (const auto problem = into.problem())
        return QStringLiteral("hub: %1").arg(*problem);
    return std::nullopt;
}

CliHub::CliHub(DeviceDriver& driver, const HubOptions& options, std::FILE* err)
    : m_driver(driver), m_options(options), m_err(err)
{
}

bool CliHub::run()
{
    DeviceHub hub(m_driver);
    QObject::connect(&hub, &DeviceHub::logged, &hub, [this](const QString& line) {
        std::fprintf(m_err, "tesso-cli: hub: %s\n", line.toLocal8Bit().constData());
        std::fflush(m_err);
    });
    if (const auto problem = hub.start(m_options)) {
        std::fprintf(m_err, "tesso-cli: hub: %s\n", problem->toLocal8Bit().constData());
        return false;
    }
    QEventLoop loop;
    m_loop = &loop;
    if (!m_stopRequested)
        loop.exec();
    m_loop = nullptr;
    hub.stop();
    return true;
}

void CliHub::stop()
{
    m_stopRequested = true;
    if (m_loop)
        m_loop->quit();
}

} // namespace tesso
