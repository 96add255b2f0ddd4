#include "HubOptions.h"

#include <QStringList>

namespace tesso
{

namespace
{
std::optional<QHostAddress> parseAddress(const QString& text)
{
    QHostAddress address;
    if (!address.setAddress(text.trimmed()) || address.protocol() != QAbstractSocket::IPv4Protocol)
        return std::nullopt;
    return address;
}
} // namespace

std::optional<QString> HubOptions::parseListen(const QString& text, HubOptions& into)
{
    const int colon = text.lastIndexOf(QLatin1Char(':'));
    const QString host = colon < 0 ? text : text.left(colon);
    if (colon >= 0) {
        bool ok = false;
        const uint port = text.mid(colon + 1).toUInt(&ok);
        if (!ok || port > 65535)
            return QStringLiteral("not a port number: %1").arg(text.mid(colon + 1));
        into.port = static_cast<quint16>(port);
    }
    if (!host.isEmpty()) {
        const auto address = parseAddress(host);
        if (!address)
            return QStringLiteral("not an IPv4 address: %1").arg(host);
        into.address = *address;
    }
    return std::nullopt;
}

std::optional<QString> HubOptions::parseAllowed(const QString& text, HubOptions& into)
{
    QList<QHostAddress> allowed;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const auto address = parseAddress(part);
        if (!address)
            return QStringLiteral("not an IPv4 address: %1").arg(part.trimmed());
        allowed.push_back(*address);
    }
    into.allowed = allowed;
    return std::nullopt;
}

std::optional<QString> HubOptions::problem() const
{
    if (maxClients < 1)
        return QStringLiteral("the hub needs room for at least one client");
    if (!address.isLoopback() && allowed.isEmpty())
        return QStringLiteral("listening on %1 needs the list of client addresses allowed to connect")
            .arg(address.toString());
    return std::nullopt;
}

bool HubOptions::admits(const QHostAddress& client) const
{
    // A client may arrive as an IPv4-mapped IPv6 address.
    bool mapped = false;
    const quint32 v4 = client.toIPv4Address(&mapped);
    const QHostAddress plain = mapped ? QHostAddress(v4) : client;
    // Programs on this machine are always welcome; others only from the list.
    return plain.isLoopback() || allowed.contains(plain);
}

QString HubOptions::listenText() const
{
    return QStringLiteral("%1:%2").arg(address.toString()).arg(port);
}

} // namespace tesso
