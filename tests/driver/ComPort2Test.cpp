// TComPort2 against a scripted device on the master side of a pseudo-terminal pair.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "ComPort2.h"
#include "Errors.h"
#include "LinkTestPeers.h"
#include "WaitFor.h"

using tesso::test::PtyPair;
using tesso::test::waitFor;

namespace
{

// Records what the component hands to the driver through the link interface.
struct Recorder {
    std::vector<QByteArray> linkData;
    std::vector<QString> linkErrors;

    void attach(TComPort2& port)
    {
        port.onReceived = [this](const QByteArray& d, const QString&, int) { linkData.push_back(d); };
        port.onError = [this](const QString& m) { linkErrors.push_back(m); };
    }
};

class ComPort2Pty : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.valid());
        port.setPort(pty.slavePath());
        rec.attach(port);
    }
    PtyPair pty;
    TComPort2 port;
    Recorder rec;
};

} // namespace

TEST(ComPort2Names, ComNamesMapToTtySUnlessTheEnvironmentRedirectsThem)
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
        EXPECT_EQ(TComPort2::DevicePath(QString::fromLatin1(c.name)), QString::fromLatin1(c.path)) << c.name;
    ::unsetenv("TESSO_COM3");
    EXPECT_EQ(TComPort2::DevicePath(QStringLiteral("\\\\.\\COM3")), QStringLiteral("/dev/ttyS2"));
}

TEST(ComPort2Open, FailureTextNamesThePortAndTheSystemReasonAndExplainsAPermissionProblem)
{
    TComPort2 port;
    Recorder rec;
    rec.attach(port);
    port.setPort(QStringLiteral("/nonexistent/tty-for-test"));
    try {
        port.Open();
        FAIL() << "no exception";
    } catch (const EComError& e) {
        const QString prefix = QStringLiteral("TCOMPORT : cannot open /nonexistent/tty-for-test\r\n");
        EXPECT_TRUE(e.text().startsWith(prefix)) << e.text().toStdString();
        EXPECT_GT(e.text().size(), prefix.size()); // the system's reason follows
        EXPECT_FALSE(e.text().contains(QStringLiteral("dialout")));
    }
    EXPECT_FALSE(port.Opened());
    EXPECT_TRUE(rec.linkErrors.empty()) << "the driver reports the exception, not a second error";
    // Through the link interface the failure is the same exception.
    EXPECT_THROW(port.open(), EComError);

    const QString denied =
        TComPort2::OpenFailureText(QStringLiteral("COM1"), QStringLiteral("Permission denied"), true);
    EXPECT_TRUE(denied.startsWith(QStringLiteral("TCOMPORT : cannot open COM1\r\nPermission denied\r\n")));
    EXPECT_TRUE(denied.contains(QStringLiteral("usermod -aG dialout")));
}

// The baud is stored while closed and applied when open (the frame transfer switches it).
TEST_F(ComPort2Pty, TheBaudIsAppliedWhenOpen)
{
    port.setBaud(19200);
    EXPECT_NE(pty.slaveSpeed(), static_cast<speed_t>(B19200));
    port.Open();
    EXPECT_EQ(pty.slaveSpeed(), static_cast<speed_t>(B19200));
    port.setBaud(57600);
    EXPECT_EQ(pty.slaveSpeed(), static_cast<speed_t>(B57600));
    port.Close();
    port.setBaud(4800); // Qt put the line settings back as it found them
    EXPECT_NE(pty.slaveSpeed(), static_cast<speed_t>(B4800));
    port.Open();
    EXPECT_EQ(pty.slaveSpeed(), static_cast<speed_t>(B4800));
}

TEST_F(ComPort2Pty, OpeningDiscardsWhatTheLineHeldBefore)
{
    ASSERT_TRUE(pty.send(QByteArrayLiteral("stale half reply")));
    port.setReceiveMode(rmRAW);
    port.Open();
    ASSERT_TRUE(pty.send(QByteArrayLiteral("DEV57\r\n")));
    ASSERT_TRUE(waitFor([&] { return rec.linkData.size() == 1 && rec.linkData[0].endsWith("\r\n"); }));
    EXPECT_EQ(rec.linkData[0], QByteArrayLiteral("DEV57\r\n"));
}
