#pragma once
// In-memory doubles for the driver's links and link timer, used by the main window tests. The
// test keeps a shared record of each link, since the driver owns the links themselves.

#include <memory>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "DeviceLink.h"
#include "LinkTimer.h"
#include "Mirex_d.h"

namespace tesso::test::mainwindow
{

struct LinkRecord {
    int opens = 0;
    int closes = 0;
    bool active = false;
    bool openFails = false;
    QStringList portNames;
    QList<int> localPorts;
    QStringList remotes;
    QList<QByteArray> writes;
    DeviceLink* link = nullptr; // the live link, while the driver owns it
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
        m_record->active = !m_record->openFails;
        return m_record->active;
    }
    void close() override
    {
        ++m_record->closes;
        m_record->active = false;
    }
    void write(const QByteArray& bytes) override { m_record->writes << bytes; }
    void setPortName(const QString& name) override { m_record->portNames << name; }
    void setLocalPort(int port) override { m_record->localPorts << port; }
    void setRemote(const QString& address, int port) override
    {
        m_record->remotes << address + u':' + QString::number(port);
    }

  private:
    std::shared_ptr<LinkRecord> m_record;
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

// Links for one driver, with the records the test reads.
struct TestLinks {
    std::shared_ptr<LinkRecord> serial = std::make_shared<LinkRecord>();
    std::shared_ptr<LinkRecord> udp = std::make_shared<LinkRecord>();
    std::shared_ptr<LinkRecord> tcp = std::make_shared<LinkRecord>();
    ManualLinkTimer* timer = nullptr; // owned by the driver

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
    void deliverSerial(const QByteArray& bytes) const
    {
        if (serial->link && serial->link->onReceived)
            serial->link->onReceived(bytes, QString(), 0);
    }
};

} // namespace tesso::test::mainwindow
