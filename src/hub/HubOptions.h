#pragma once
// Where the hub listens and whom it lets in. Loopback by default; any other address must be
// given, and then comes with the list of client addresses allowed to connect.

#include <optional>

#include <QHostAddress>
#include <QList>
#include <QString>

namespace tesso
{

struct HubOptions {
    static constexpr quint16 DefaultPort = 10501;
    static constexpr int DefaultMaxClients = 16;

    QHostAddress address = QHostAddress(QHostAddress::LocalHost);
    quint16 port = DefaultPort;  // 0 picks a free port
    QList<QHostAddress> allowed; // required when address is not loopback
    int maxClients = DefaultMaxClients;

    // "ADDRESS:PORT", "ADDRESS" or ":PORT" (IPv4 dotted decimal); the error text on failure.
    static std::optional<QString> parseListen(const QString& text, HubOptions& into);
    // "A,B,C": client addresses; the error text on failure.
    static std::optional<QString> parseAllowed(const QString& text, HubOptions& into);
    // Why these options may not be used, or nothing.
    std::optional<QString> problem() const;
    // A client from this address may connect.
    bool admits(const QHostAddress& client) const;
    QString listenText() const;
};

} // namespace tesso
