#include "VariableAccess.h"

#include "Mirex_d.h"
#include "VariableNames.h"

namespace
{

constexpr std::int64_t MaxU32 = 4294967295LL;
constexpr std::int64_t MinI32 = -2147483648LL;
constexpr std::int64_t MaxI32 = 2147483647LL;

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
    const std::optional<tVAR> index = VariableNames::find(name);
    if (!index) {
        error =
            QStringLiteral("unknown variable '%1'; did you mean %2?").arg(name, VariableNames::closest(name));
        return false;
    }
    const QString canonical = VariableNames::nameOf(*index);
    if (!VariableNames::isWritable(*index)) {
        error = QStringLiteral("%1 is read-only").arg(canonical);
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
    case tesso::Storage::TEXT: {
        std::int32_t a = 0, b = 0, c = 0, d = 0;
        if (!TMirex_d::ParseIpText(value, a, b, c, d)) {
            error = QStringLiteral("%1 takes a dotted mask such as 255.255.255.0, not '%2'")
                        .arg(canonical, value);
            return false;
        }
        assignment.text = value;
        return true;
    }
    case tesso::Storage::U32:
        break;
    }
    if (!scanWhole(value, assignment.number) || assignment.number < 0 || assignment.number > MaxU32) {
        error = QStringLiteral("'%1' does not fit %2 (0..4294967295)").arg(value, canonical);
        return false;
    }
    return true;
}

void VariableAccess::assign(TMirex_d& driver, const Assignment& a)
{
    const auto u32 = static_cast<std::uint32_t>(a.number);
    const auto i32 = static_cast<std::int32_t>(a.number);
    switch (a.index) {
#define CLI_SET_U32(prop, tvar)                                                                              \
    case tvar:                                                                                               \
        driver.set##prop(u32);                                                                               \
        return;
#define CLI_SET_BOOL(prop, tvar)                                                                             \
    case tvar:                                                                                               \
        driver.set##prop(u32 != 0);                                                                          \
        return;
#define CLI_SET_COLOR(prop, tvar)                                                                            \
    case tvar:                                                                                               \
        driver.set##prop(i32);                                                                               \
        return;
#define CLI_SET_TEXT(prop, tvar)                                                                             \
    case tvar:                                                                                               \
        driver.set##prop(a.text);                                                                            \
        return;
#define CLI_ACCESS_RW(prop, tvar, type) CLI_SET_##type(prop, tvar)
#define CLI_ACCESS_MASK(prop, tvar, type) CLI_SET_TEXT(prop, tvar)
#define CLI_ACCESS_RO(prop, tvar, type)
#define CLI_ACCESS_FIELD(prop, tvar, type)
#define CLI_ACCESS_NONE(prop, tvar, type)
#define CLI_SETTER(idx, tvar, prop, evt, type, reply, cmd, access) CLI_ACCESS_##access(prop, tvar, type)
        TESSO_VARIABLES(CLI_SETTER)
#undef CLI_SETTER
#undef CLI_ACCESS_NONE
#undef CLI_ACCESS_FIELD
#undef CLI_ACCESS_RO
#undef CLI_ACCESS_MASK
#undef CLI_ACCESS_RW
#undef CLI_SET_TEXT
#undef CLI_SET_COLOR
#undef CLI_SET_BOOL
#undef CLI_SET_U32
    default:
        break; // read-only variables never get here: parseAssignment refuses them
    }
}

QString VariableAccess::valueText(const TMirex_d& driver, tVAR index)
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

QStringList VariableAccess::replyLines(const TMirex_d& driver, tVAR index, const QByteArray& line)
{
    const QString name = VariableNames::nameOf(index);
    const bool octet = index == _IP4 || index == _IP3 || index == _IP2 || index == _IP1;
    if (!octet && index != _PORT)
        return {name + QLatin1Char('=') + valueText(driver, index)};

    const QByteArray mnemonic(ReplyMnemonics[index]);
    const QByteArray rest = line.mid(mnemonic.size());
    const tesso::NumberScan scan = tesso::scanNumber(rest.constData(), rest.constData() + rest.size());
    QStringList lines{name + QLatin1Char('=') + QString::number(scan.value)};
    const std::uint32_t padip = driver.PADIP();
    if (octet) {
        if (selects(padip, 1))
            lines << QStringLiteral("LOCAL_IP=") + driver.LOCAL_IP();
        if (selects(padip, 2))
            lines << QStringLiteral("REMOTE_IP=") + driver.REMOTE_IP();
        if (selects(padip, 3))
            lines << QStringLiteral("GATEWAY_IP=") + driver.GATEWAY_IP();
    } else {
        if (selects(padip, 1))
            lines << QStringLiteral("LOCAL_PORT=") + QString::number(driver.LOCAL_PORT());
        if (selects(padip, 2))
            lines << QStringLiteral("REMOTE_PORT=") + QString::number(driver.REMOTE_PORT());
    }
    return lines;
}
