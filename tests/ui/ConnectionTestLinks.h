#pragma once
// In-memory stand-ins for the driver's links and link timer, used by the connection dialog
// tests. Kept in their own namespace: other suites of this executable have doubles of their own.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "DeviceLink.h"
#include "LinkTimer.h"

namespace tesso::test::connection
{

// Records every write and every configuration call; open() succeeds unless told otherwise.
class MemoryLink : public DeviceLink
{
  public:
    explicit MemoryLink(bool active = false) : m_active(active) {}

    bool isActive() const override { return m_active; }
    bool open() override
    {
        calls << QStringLiteral("open");
        m_active = openSucceeds;
        return openSucceeds;
    }
    void close() override
    {
        calls << QStringLiteral("close");
        m_active = false;
    }
    void write(const QByteArray& bytes) override { writes << bytes; }
    void setPortName(const QString& name) override { calls << QStringLiteral("port %1").arg(name); }
    void setLocalPort(int port) override { calls << QStringLiteral("local %1").arg(port); }
    void setRemote(const QString& address, int port) override
    {
        calls << QStringLiteral("remote %1:%2").arg(address).arg(port);
    }

    // Bytes from the device, delivered as the real link would.
    void deliver(const QByteArray& bytes)
    {
        if (onReceived)
            onReceived(bytes, QString(), 0);
    }

    // Everything written, one entry per write call, joined with single spaces.
    QString writtenText() const
    {
        QStringList parts;
        for (const QByteArray& each : writes)
            parts << QString::fromLatin1(each);
        return parts.join(QLatin1Char(' '));
    }

    bool openSucceeds = true;
    QList<QByteArray> writes;
    QStringList calls;

  private:
    bool m_active;
};

// Fires only when the test says so.
class ManualLinkTimer : public LinkTimer
{
  public:
    void restart(int milliseconds) override
    {
        m_interval = milliseconds;
        ++restarts;
    }
    int interval() const override { return m_interval; }
    void fire()
    {
        if (onTimeout)
            onTimeout();
    }

    int restarts = 0;

  private:
    int m_interval = 0;
};

} // namespace tesso::test::connection
