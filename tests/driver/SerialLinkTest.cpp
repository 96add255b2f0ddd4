// SerialLink against a scripted device on the master side of a pseudo-terminal pair.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "Errors.h"
#include "LinkTestPeers.h"
#include "SerialLink.h"
#include "WaitFor.h"

using namespace tesso;

using tesso::test::PtyPair;
using tesso::test::waitFor;

namespace
{

// Records what the component hands to the driver through the link interface.
struct Recorder {
    std::vector<QByteArray> linkData;
    std::vector<QString> linkErrors;

    void attach(SerialLink& port)
    {
        QObject::connect(&port, &DeviceLink::received,
                         [this](const QByteArray& d, const QString&, int) { linkData.push_back(d); });
        QObject::connect(&port, &DeviceLink::failed, [this](const QString& m) { linkErrors.push_back(m); });
    }
};

class SerialLinkPty : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.valid());
        port.setPortName(pty.slavePath());
        rec.attach(port);
    }
    PtyPair pty;
    SerialLink port;
    Recorder rec;
};

} // namespace

TEST(SerialLinkNames, ComNamesMapToTtySUnlessTheEnvironmentRedirectsThem)
{
    ::unsetenv("TESSO_COM1");
    ::unsetenv("TESSO_COM16");
    ::setenv("TESSO_COM3", "/dev/ttyUSB0", 1);
    const struct {
        const char *name, *path;
    } cases[] = {
        {"COM1", "/dev/ttyS0"},
        {"COM16", "/dev/ttyS15"},
        {"COM13", "/dev/ttyS12"}, // only the named port is redirected
        {"COM3", "/dev/ttyUSB0"},
        {"com3", "/dev/ttyUSB0"},
        {"\\\\.\\COM3", "/dev/ttyUSB0"},
        // The main window passes device-form names, which then carry the prefix twice.
        {"\\\\.\\\\\\.\\COM3", "/dev/ttyUSB0"},
        {"/dev/serial/by-id/x", "/dev/serial/by-id/x"},
        // Not a COM number: left for the system to resolve or refuse.
        {"COM0", "COM0"},
        {"COM1x", "COM1x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SerialLink::devicePath(QString::fromLatin1(c.name)), QString::fromLatin1(c.path)) << c.name;
    ::unsetenv("TESSO_COM3");
    EXPECT_EQ(SerialLink::devicePath(QStringLiteral("\\\\.\\COM3")), QStringLiteral("/dev/ttyS2"));
}

TEST(SerialLinkOpen, FailureTextNamesThePortAndTheSystemReasonAndExplainsAPermissionProblem)
{
    SerialLink port;
    Recorder rec;
    rec.attach(port);
    port.setPortName(QStringLiteral("/nonexistent/tty-for-test"));
    try {
        port.open();
        FAIL() << "no exception";
    } catch (const EComError& e) {
        const QString prefix = QStringLiteral("TCOMPORT : cannot open /nonexistent/tty-for-test\r\n");
        EXPECT_TRUE(e.text().startsWith(prefix)) << e.text().toStdString();
        EXPECT_GT(e.text().size(), prefix.size()); // the system's reason follows
        EXPECT_FALSE(e.text().contains(QStringLiteral("dialout")));
    }
    EXPECT_FALSE(port.isActive());
    EXPECT_TRUE(rec.linkErrors.empty()) << "the driver reports the exception, not a second error";
    // Through the link interface the failure is the same exception.
    EXPECT_THROW(port.open(), EComError);

    const QString denied =
        SerialLink::openFailureText(QStringLiteral("COM1"), QStringLiteral("Permission denied"), true);
    EXPECT_TRUE(denied.startsWith(QStringLiteral("TCOMPORT : cannot open COM1\r\nPermission denied\r\n")));
    EXPECT_TRUE(denied.contains(QStringLiteral("usermod -aG dialout")));
}

// The baud is stored while closed and applied when open (the frame transfer switches it).
TEST_F(SerialLinkPty, TheBaudIsAppliedWhenOpen)
{
    port.setBaud(19200);
    EXPECT_NE(pty.slaveSpeed(), static_cast<speed_t>(B19200));
    port.open();
    EXPECT_EQ(pty.slaveSpeed(), static_cast<speed_t>(B19200));
    port.setBaud(57600);
    EXPECT_EQ(pty.slaveSpeed(), static_cast<speed_t>(B57600));
    port.close();
    port.setBaud(4800); // Qt put the line settings back as it found them
    EXPECT_NE(pty.slaveSpeed(), static_cast<speed_t>(B4800));
    port.open();
    EXPECT_EQ(pty.slaveSpeed(), static_cast<speed_t>(B4800));
}

TEST_F(SerialLinkPty, OpeningDiscardsWhatTheLineHeldBefore)
{
    ASSERT_TRUE(pty.send(QByteArrayLiteral("stale half reply")));
    port.open();
    ASSERT_TRUE(pty.send(QByteArrayLiteral("DEV57\r\n")));
    ASSERT_TRUE(waitFor([&] { return rec.linkData.size() == 1 && rec.linkData[0].endsWith("\r\n"); }));
    EXPECT_EQ(rec.linkData[0], QByteArrayLiteral("DEV57\r\n"));
}
