#include "VariableAccess.h"

#include <array>

#include "DeviceDriver.h"
#include "IpText.h"
#include "LanDefaults.h"
#include "NumberText.h"
#include "VariableNames.h"

namespace tesso
{

namespace
{

constexpr std::int64_t MaxU32 = 4294967295LL;
constexpr std::int64_t MinI32 = -2147483648LL;
constexpr std::int64_t MaxI32 = 2147483647LL;

using Composite = VariableAccess::Composite;

// The composites in the order of the network table; the device's answer ends with lastReply.
struct CompositeName {
    Composite composite;
    const char* name;
    bool address;
    tVAR lastReply;
};

constexpr CompositeName compositeAt(std::size_t position)
{
    const tesso::lan::CompositeAddress& a = tesso::lan::CompositeAddresses[position];
    return {static_cast<Composite>(position + 1), a.name, !a.port, a.port ? _PORT : _IP1};
}
constexpr std::array<CompositeName, 5> Composites{
    {compositeAt(0), compositeAt(1), compositeAt(2), compositeAt(3), compositeAt(4)}};
static_assert(Composites[0].composite == Composite::LocalIp &&
                  Composites[4].composite == Composite::RemotePort,
              "Composite follows the network table's order");

const CompositeName* compositeNamed(const QString& name)
{
    for (const CompositeName& c : Composites)
        if (name.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

const CompositeName& compositeOf(Composite composite)
{
    for (const CompositeName& c : Composites)
        if (c.composite == composite)
            return c;
    return Composites[0];
}

bool scanWhole(const QString& text, std::int64_t& value)
{
    const QByteArray bytes = text.toLatin1();
    if (bytes.isEmpty())
        return false;
    const tesso::NumberScan scan = tesso::scanNumber(bytes.constData(), bytes.constData() + bytes.size());
    value = scan.value;
    return scan.complete;
}

bool parseBool(const QString& text, std::int64_t& value)
{
    const QString t = text.toLower();
    if (t == QLatin1String("1") || t == QLatin1String("true")) {
        value = 1;
        return true;
    }
    if (t == QLatin1String("0") || t == QLatin1String("false")) {
        value = 0;
        return true;
    }
    return false;
}

// Which of local (1), remote (2) and gateway (3) the PADIP selector addresses; 0 addresses all.
bool selects(std::uint32_t padip, std::uint32_t entry)
{
    return padip == 0 || padip == entry;
}

bool parseComposite(const CompositeName& c, const QString& value, VariableAccess::Assignment& a,
                    QString& error)
{
    a.composite = c.composite;
    a.index = c.lastReply;
    if (c.address) {
        const std::optional<QString> address = tesso::canonicalIpText(value);
        if (!address) {
            error = QStringLiteral("%1 takes a dotted address such as 192.168.0.10, not '%2'")
                        .arg(QLatin1String(c.name), value);
            return false;
        }
        a.text = *address;
        return true;
    }
    if (!scanWhole(value, a.number) || a.number < 0 || a.number > 65535) {
        error = QStringLiteral("'%1' does not fit %2 (0..65535)").arg(value, QLatin1String(c.name));
        return false;
    }
    return true;
}

} // namespace

bool VariableAccess::parseAssignment(const QString& argument, Assignment& assignment, QString& error)
{
    const int equals = argument.indexOf(QLatin1Char('='));
    if (equals <= 0) {
        error = QStringLiteral("expected NAME=VALUE, got '%1'").arg(argument);
        return false;
    }
    const QString name = argument.left(equals);
    const QString value = argument.mid(equals + 1);
    if (const CompositeName* composite = compositeNamed(name))
        return parseComposite(*composite, value, assignment, error);
    const std::optional<tVAR> index = VariableNames::find(name);
    if (!index) {
        error =
            QStringLiteral("unknown variable '%1'; did you mean %2?").arg(name, VariableNames::closest(name));
        return false;
    }
    const QString canonical = VariableNames::nameOf(*index);
    if (!VariableNames::isWritable(*index)) {
        error = *index == _PORT ? QStringLiteral("PORT is set through LOCAL_PORT or REMOTE_PORT")
                                : QStringLiteral("%1 is read-only").arg(canonical);
        return false;
    }
    assignment.index = *index;
    switch (tesso::Catalogue[*index].storage) {
    case tesso::Storage::BOOL:
        if (!parseBool(value, assignment.number)) {
            error = QStringLiteral("%1 takes 0 or 1, not '%2'").arg(canonical, value);
            return false;
        }
        return true;
    case tesso::Storage::COLOR:
        if (!scanWhole(value, assignment.number) || assignment.number < MinI32 ||
            assignment.number > MaxI32) {
            error = QStringLiteral("'%1' does not fit %2 (-2147483648..2147483647)").arg(value, canonical);
            return false;
        }
        return true;
    case tesso::Storage::TEXT:
        if (!tesso::parseIpText(value)) {
            error = QStringLiteral("%1 takes a dotted mask such as 255.255.255.0, not '%2'")
                        .arg(canonical, value);
            return false;
        }
        assignment.text = value;
        return true;
    case tesso::Storage::U32:
        break;
    }
    if (!scanWhole(value, assignment.number) || assignment.number < 0 || assignment.number > MaxU32) {
        error = QStringLiteral("'%1' does not fit %2 (0..4294967295)").arg(value, canonical);
        return false;
    }
    return true;
}

void VariableAccess::assign(DeviceDriver& driver, const Assignment& a)
{
    const auto port = static_cast<std::int32_t>(a.number);
    switch (a.composite) {
    case Composite::LocalIp:
        return driver.setLOCAL_IP(a.text);
    case Composite::RemoteIp:
        return driver.setREMOTE_IP(a.text);
    case Composite::GatewayIp:
        return driver.setGATEWAY_IP(a.text);
    case Composite::LocalPort:
        return driver.setLOCAL_PORT(port);
    case Composite::RemotePort:
        return driver.setREMOTE_PORT(port);
    case Composite::None:
        break;
    }
    if (a.index == _NETMASK)
        driver.setNETMASK(a.text);
    else
        driver.setVariable(a.index, static_cast<std::uint32_t>(a.number));
}

QString VariableAccess::assignedName(const Assignment& a)
{
    return a.composite == Composite::None ? VariableNames::nameOf(a.index)
                                          : QLatin1String(compositeOf(a.composite).name);
}

QString VariableAccess::answerLine(const DeviceDriver& driver, const Assignment& a)
{
    const QString name = assignedName(a) + QLatin1Char('=');
    switch (a.composite) {
    case Composite::LocalIp:
        return name + driver.LOCAL_IP();
    case Composite::RemoteIp:
        return name + driver.REMOTE_IP();
    case Composite::GatewayIp:
        return name + driver.GATEWAY_IP();
    case Composite::LocalPort:
        return name + QString::number(driver.LOCAL_PORT());
    case Composite::RemotePort:
        return name + QString::number(driver.REMOTE_PORT());
    case Composite::None:
        break;
    }
    return name + valueText(driver, a.index);
}

QString VariableAccess::valueText(const DeviceDriver& driver, tVAR index)
{
    if (index == _NETMASK)
        return driver.NETMASK();
    const std::uint32_t raw = driver.mirrorValue(index);
    switch (tesso::Catalogue[index].storage) {
    case tesso::Storage::BOOL:
        return (raw & 0xFFu) != 0 ? QStringLiteral("1") : QStringLiteral("0");
    case tesso::Storage::COLOR:
        return QString::number(static_cast<std::int32_t>(raw));
    default:
        return QString::number(raw);
    }
}

std::int64_t VariableAccess::lineValue(tVAR index, const QByteArray& line)
{
    const QByteArray rest = line.mid(static_cast<int>(qstrlen(ReplyMnemonics[index])));
    return tesso::scanNumber(rest.constData(), rest.constData() + rest.size()).value;
}

QStringList VariableAccess::replyLines(const DeviceDriver& driver, tVAR index, const QByteArray& line)
{
    const QString name = VariableNames::nameOf(index);
    if (tesso::Catalogue[index].scope != tesso::Scope::ADDRESS)
        return {name + QLatin1Char('=') + valueText(driver, index)};

    QStringList lines{name + QLatin1Char('=') + QString::number(lineValue(index, line))};
    const std::uint32_t padip = driver.PADIP();
    const QStringList all = addressLines(driver);
    const bool port = index == _PORT;
    for (std::uint32_t entry = 1; entry <= 3; ++entry)
        if (selects(padip, entry) && (!port || entry < 3))
            lines << all.at(port ? static_cast<int>(entry) + 2 : static_cast<int>(entry) - 1);
    return lines;
}

QStringList VariableAccess::addressLines(const DeviceDriver& driver)
{
    return {QStringLiteral("LOCAL_IP=") + driver.LOCAL_IP(),
            QStringLiteral("REMOTE_IP=") + driver.REMOTE_IP(),
            QStringLiteral("GATEWAY_IP=") + driver.GATEWAY_IP(),
            QStringLiteral("LOCAL_PORT=") + QString::number(driver.LOCAL_PORT()),
            QStringLiteral("REMOTE_PORT=") + QString::number(driver.REMOTE_PORT())};
}

} // namespace tesso
