#pragma once
// A scripted device for the command-line client's end-to-end tests: it collects what the client
// sends and answers each trigger text with fixed reply lines, over a pseudo-terminal, TCP or UDP
// on 127.0.0.1. Triggers are found anywhere in the received stream, earliest first, because
// commands carry no terminator and may arrive glued together.

#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QTimer>

#include "LinkTestPeers.h"

namespace tesso::test
{

class ScriptedDevice
{
  public:
    enum class Kind { Serial, Tcp, Udp };

    explicit ScriptedDevice(Kind kind)
    {
        if (kind == Kind::Serial)
            m_pty = std::make_unique<PtyPair>();
        else if (kind == Kind::Tcp)
            m_tcp = std::make_unique<TcpPeer>();
        else
            m_udp = std::make_unique<UdpPeer>();
        QObject::connect(&m_poll, &QTimer::timeout, &m_poll, [this] { poll(); });
        m_poll.start(2);
    }

    void on(const QByteArray& trigger, const QByteArray& reply) { m_rules.emplace_back(trigger, reply); }

    // Link options for tesso-cli that reach this device.
    QStringList linkArguments() const
    {
        if (m_pty)
            return {QStringLiteral("--serial"), m_pty->slavePath()};
        if (m_tcp)
            return {QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(m_tcp->port())};
        return {QStringLiteral("--udp"), QStringLiteral("127.0.0.1:%1").arg(m_udp->port()),
                QStringLiteral("--local-port"), QString::number(m_clientUdpPort)};
    }
    // UDP: the device answers to the client's fixed local port.
    void setClientUdpPort(int port) { m_clientUdpPort = port; }

    void push(const QByteArray& bytes) { send(bytes); }
    // Serial: the device end of the line goes away, as an unplugged adapter does.
    void hangUp()
    {
        if (m_pty)
            m_pty->closeMaster();
    }
    // TCP: the client has connected.
    bool hasClient() const { return m_tcp && m_tcp->accepted() > 0; }
    QByteArray received() const { return m_received; }

  private:
    void poll()
    {
        QByteArray fresh;
        if (m_pty)
            fresh = m_pty->readAvailable();
        else if (m_tcp && m_tcp->accepted() > 0)
            std::swap(fresh, m_tcp->readFrom(m_tcp->accepted() - 1));
        else if (m_udp) {
            auto& datagrams = m_udp->received();
            for (std::size_t i = m_seenDatagrams; i < datagrams.size(); ++i)
                fresh += datagrams[i].data();
            m_seenDatagrams = datagrams.size();
        }
        if (fresh.isEmpty())
            return;
        m_received += fresh;
        m_pending += fresh;
        answer();
    }

    void answer()
    {
        for (;;) {
            int best = -1;
            const std::pair<QByteArray, QByteArray>* rule = nullptr;
            for (const auto& r : m_rules) {
                const int at = m_pending.indexOf(r.first);
                if (at >= 0 && (best < 0 || at < best)) {
                    best = at;
                    rule = &r;
                }
            }
            if (!rule)
                return;
            m_pending.remove(0, best + rule->first.size());
            if (!rule->second.isEmpty())
                send(rule->second);
        }
    }

    void send(const QByteArray& bytes)
    {
        if (m_pty)
            m_pty->send(bytes);
        else if (m_tcp && m_tcp->accepted() > 0)
            m_tcp->client(m_tcp->accepted() - 1)->write(bytes);
        else if (m_udp)
            m_udp->sendTo(m_clientUdpPort, bytes);
    }

    std::unique_ptr<PtyPair> m_pty;
    std::unique_ptr<TcpPeer> m_tcp;
    std::unique_ptr<UdpPeer> m_udp;
    std::vector<std::pair<QByteArray, QByteArray>> m_rules;
    QByteArray m_received, m_pending;
    QTimer m_poll;
    std::size_t m_seenDatagrams = 0;
    int m_clientUdpPort = 0;
};

// A loopback UDP port nobody uses right now.
inline int freeUdpPort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress(QHostAddress::LocalHost), 0);
    return probe.localPort();
}

} // namespace tesso::test
