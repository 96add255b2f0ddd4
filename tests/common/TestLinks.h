#pragma once
// Scripted stand-ins for the driver's links and timer: they record what the driver writes and
// let a test deliver bytes and step the link state machine without waiting.
#include <memory>
#include <vector>

#include "Errors.h"
#include "Mirex_d.h"

struct MemoryLink : DeviceLink {
    bool active = false;
    bool failOpen = false;     // open() reports failure (UDP/TCP) ...
    bool throwOnOpen = false;  // ... or throws like a serial port that cannot be opened
    int opens = 0, closes = 0;
    QString portName, remoteAddress;
    int localPort = -1, remotePort = -1;
    std::uint32_t baud = 0;
    bool rawReceive = false;
    std::vector<QByteArray> written;

    bool isActive() const override { return active; }
    bool open() override
    {
        ++opens;
        if (throwOnOpen)
            throw EComError(QStringLiteral("TCOMPORT : cannot open ") + portName);
        active = !failOpen;
        return active;
    }
    void close() override
    {
        ++closes;
        active = false;
    }
    void write(const QByteArray& bytes) override { written.push_back(bytes); }
    void setPortName(const QString& name) override { portName = name; }
    void setLocalPort(int port) override { localPort = port; }
    void setRemote(const QString& address, int port) override
    {
        remoteAddress = address;
        remotePort = port;
    }
    void setBaud(std::uint32_t b) override { baud = b; }
    void setRawReceive(bool raw) override { rawReceive = raw; }

    void deliver(const QByteArray& data, const QString& peer = QString(), int peerPort = 0)
    {
        onReceived(data, peer, peerPort);
    }
    QByteArray allWritten() const
    {
        QByteArray all;
        for (const auto& w : written)
            all += w;
        return all;
    }
};

struct ManualLinkTimer : LinkTimer {
    int current = 0;
    int restarts = 0;
    void restart(int ms) override
    {
        current = ms;
        ++restarts;
    }
    int interval() const override { return current; }
    void fire() { onTimeout(); }
};

// A driver on scripted links; the raw pointers stay valid as long as the driver lives.
struct ScriptedDriver {
    MemoryLink* serial;
    MemoryLink* udp;
    MemoryLink* tcp;
    ManualLinkTimer* timer;
    std::unique_ptr<TMirex_d> driver;

    ScriptedDriver()
    {
        DriverLinks parts;
        auto s = std::make_unique<MemoryLink>();
        auto u = std::make_unique<MemoryLink>();
        auto t = std::make_unique<MemoryLink>();
        auto tm = std::make_unique<ManualLinkTimer>();
        serial = s.get();
        udp = u.get();
        tcp = t.get();
        timer = tm.get();
        parts.serial = std::move(s);
        parts.udp = std::move(u);
        parts.tcp = std::move(t);
        parts.timer = std::move(tm);
        driver = std::make_unique<TMirex_d>(std::move(parts));
        LastReplyIndex = 0;
    }

    TMirex_d& operator*() { return *driver; }
    TMirex_d* operator->() { return driver.get(); }

    // Serial port open and the device connected without detection, ready to record commands.
    void connectSerial()
    {
        serial->active = true;
        driver->setForceConn(true);
        timer->fire(); // state 2 -> connected
        serial->written.clear();
    }
    void feed(const QByteArray& bytes) { serial->deliver(bytes); }
};
