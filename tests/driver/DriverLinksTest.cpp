// The real driver over real links against a scripted device, for what the simulator cannot stage:
// a serial port that vanishes. The link timer is stepped by hand, so the state machine's seconds
// pass at once while the bytes travel.
#include <gtest/gtest.h>

#include <memory>

#include "ComPort2.h"
#include "LinkTestPeers.h"
#include "Mirex_d.h"
#include "ReportCapture.h"
#include "TestLinks.h"
#include "WaitFor.h"

using namespace tesso::test;

namespace
{

// A driver on the real links; the raw pointers live as long as the driver.
struct RealLinkDriver {
    TComPort2* serial = new TComPort2;
    ManualLinkTimer* timer = new ManualLinkTimer;
    std::unique_ptr<TMirex_d> driver;
    ReportCapture report;

    RealLinkDriver()
    {
        DriverLinks links = makeDefaultLinks();
        links.serial.reset(serial);
        links.timer.reset(timer);
        driver = std::make_unique<TMirex_d>(std::move(links));
    }
    // The driver goes first, while its reports are still captured.
    ~RealLinkDriver() { driver.reset(); }
    TMirex_d* operator->() { return driver.get(); }
};

} // namespace

TEST(DriverOverRealLinks, VanishingSerialPortRestartsDetectionAndCanBeReopened)
{
    auto pty = std::make_unique<PtyPair>();
    ASSERT_TRUE(pty->valid());
    RealLinkDriver d;
    d->setPort(pty->slavePath());
    EXPECT_EQ(d.serial->ReceiveMode(), rmRAW);
    d.timer->fire();
    d.timer->fire();
    QByteArray written;
    ASSERT_TRUE(pty->waitForWritten(QByteArrayLiteral("?"), written));
    pty->send(QByteArrayLiteral("DEV58\r\n"));
    ASSERT_TRUE(waitFor([&] { return d->LinkState() == tLinkState::lsFound; }));
    d.timer->fire();
    ASSERT_TRUE(d->Connected());

    pty->closeMaster();
    ASSERT_TRUE(waitFor([&] { return !d.serial->Opened(); }));
    drainEvents();
    EXPECT_EQ(d->LinkState(), tLinkState::lsReset);
    ASSERT_EQ(d.report.messages.size(), 1u); // the user is told once
    d.timer->fire();
    EXPECT_FALSE(d->Connected());

    PtyPair replacement;
    d->setPort(replacement.slavePath());
    EXPECT_TRUE(d.serial->Opened());
    d.timer->fire(); // "?"
    ASSERT_TRUE(replacement.waitForWritten(QByteArrayLiteral("?"), written));
}
