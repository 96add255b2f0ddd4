#pragma once
// Scripted stand-ins for the driver's links and timer: they record what the driver writes and
// sets, and let a test deliver bytes and step the link state machine without waiting. The
// driver owns the links, so what the test reads lives in a shared record that outlives them.
#include <cstdint>
#include <memory>

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "DeviceDriver.h"
#include "DeviceLink.h"
#include "Errors.h"
#include "LinkTimer.h"

using namespace tesso;

namespace tesso::test
{

// Everything one link was told, and how it behaves when opened.
struct LinkRecord {
    bool active = false;
    bool failOpen = false;    // open() reports failure (UDP/TCP) ...
    bool throwOnOpen = false; // ... or throws like a serial port that cannot be opened
    int opens = 0, closes = 0;
    QStringList portNames; // every name set, oldest first
    QString remoteAddress;
    int localPort = -1, remotePort = -1;
    QList<QByteArray> written;  // one entry per write call
    DeviceLink* link = nullptr; // the live link, while the driver owns it

    QString portName() const { return portNames.isEmpty() ? QString() : portNames.last(); }

    // Bytes from the device, delivered as the real link would.
    void deliver(const QByteArray& data, const QString& peer = QString(), int peerPort = 0) const
    {
        if (link)
            emit link->received(data, peer, peerPort);
    }

    QByteArray allWritten() const
    {
        QByteArray all;
        for (const QByteArray& w : written)
            all += w;
        return all;
    }

    // Everything written, one entry per write call, joined with single spaces.
    QString writtenText() const
    {
        QStringList parts;
        for (const QByteArray& w : written)
            parts << QString::fromLatin1(w);
        return parts.join(QLatin1Char(' '));
    }
};

class MemoryLink : public DeviceLink
{
  public:
    explicit MemoryLink(std::shared_ptr<LinkRecord> record) : m_record(std::move(record))
    {
        m_record->link = this;
    }
    ~MemoryLink() override { m_record->link = nullptr; }

    bool isActive() const override { return m_record->active; }
    bool open() override
    {
        ++m_record->opens;
        if (m_record->throwOnOpen)
            throw EComError(QStringLiteral("TCOMPORT : cannot open ") + m_record->portName());
        m_record->active = !m_record->failOpen;
        return m_record->active;
    }
    void close() override
    {
        ++m_record->closes;
        m_record->active = false;
    }
    void write(const QByteArray& bytes) override { m_record->written << bytes; }
    void setPortName(const QString& name) override { m_record->portNames << name; }
    void setLocalPort(int port) override { m_record->localPort = port; }
    void setRemote(const QString& address, int port) override
    {
        m_record->remoteAddress = address;
        m_record->remotePort = port;
    }
    void setBaud(std::uint32_t) override {}

  private:
    std::shared_ptr<LinkRecord> m_record;
};

// Fires only when the test says so.
struct ManualLinkTimer : LinkTimer {
    int current = 0;
    int restarts = 0;
    void restart(int ms) override
    {
        current = ms;
        ++restarts;
    }
    int interval() const override { return current; }
    void fire() { emit timeout(); }
};

// The links for one driver, with the records the test reads.
struct TestLinks {
    std::shared_ptr<LinkRecord> serial = std::make_shared<LinkRecord>();
    std::shared_ptr<LinkRecord> udp = std::make_shared<LinkRecord>();
    std::shared_ptr<LinkRecord> tcp = std::make_shared<LinkRecord>();
    ManualLinkTimer* timer = nullptr; // owned by the driver, valid while it lives

    DriverLinks make()
    {
        DriverLinks links;
        links.serial = std::make_unique<MemoryLink>(serial);
        links.udp = std::make_unique<MemoryLink>(udp);
        links.tcp = std::make_unique<MemoryLink>(tcp);
        auto manual = std::make_unique<ManualLinkTimer>();
        timer = manual.get();
        links.timer = std::move(manual);
        return links;
    }

    // Bytes from the device on the serial link.
    void deliverSerial(const QByteArray& bytes) const { serial->deliver(bytes); }
};

// A driver on scripted links.
struct ScriptedDriver : TestLinks {
    std::unique_ptr<DeviceDriver> driver;

    ScriptedDriver() { driver = std::make_unique<DeviceDriver>(make()); }

    DeviceDriver& operator*() { return *driver; }
    DeviceDriver* operator->() { return driver.get(); }

    // Serial port open and the device connected without detection, ready to record commands.
    void connectSerial()
    {
        serial->active = true;
        driver->setForcedConnection(true);
        timer->fire(); // state 2 -> connected
        serial->written.clear();
    }
    void feed(const QByteArray& bytes) { serial->deliver(bytes); }
};

} // namespace tesso::test
