// TComPort2 against a scripted device on the master side of a pseudo-terminal pair.
#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "ComPort2.h"
#include "Errors.h"
#include "LinkTestPeers.h"
#include "WaitFor.h"

using tesso::test::PtyPair;
using tesso::test::waitFor;

namespace
{

// Records everything the component hands out.
struct Recorder {
    std::vector<QByteArray> callbackData, linkData;
    std::vector<QString> linkErrors;
    int opens = 0, closes = 0, errors = 0;

    void attach(TComPort2& port)
    {
        port.ReceiveCallBack = [this](const QByteArray& d) { callbackData.push_back(d); };
        port.onReceived = [this](const QByteArray& d, const QString&, int) { linkData.push_back(d); };
        port.onError = [this](const QString& m) { linkErrors.push_back(m); };
        port.OnPortOpen = [this](TComPort2*) { ++opens; };
        port.OnPortClose = [this](TComPort2*) { ++closes; };
        port.OnError = [this](TComPort2*) { ++errors; };
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

// Codes keep their low 8 bits and are read as the rest of the protocol reads numbers; the first
// character is dropped whatever it is and a trailing "#" adds nothing. A bad text raises its message
// and leaves a usable terminator, since an empty one would match everywhere.
TEST(ComPort2Terminator, TextFormBothWaysAndBadTextsFallBack)
{
    const QString illegal =
        QStringLiteral("Illegal terminator String.\rformat : #<asciicode>#<asciicode>#<...>\r"
                       "example: #13#10");
    const QString empty = QStringLiteral("Terminator String cannot be empty!");
    const struct {
        const char *text, *readBack;
        QByteArray bytes;
        QString error;
    } cases[] = {
        {"#13", "#13", QByteArrayLiteral("\r"), {}},
        {"#65#0#255", "#65#0#255", QByteArray("A\0\xff", 3), {}},
        {"#269#$0A", "#13#10", QByteArrayLiteral("\r\n"), {}},
        {"x10#", "#10", QByteArrayLiteral("\n"), {}},
        {"#13#1x", "#13#10", QByteArrayLiteral("\r\n"), illegal},
        {"#13##10", "#13#10", QByteArrayLiteral("\r\n"), illegal}, // an empty part
        {"", "#13#10", QByteArrayLiteral("\r\n"), empty},
        {"#", "#13#10", QByteArrayLiteral("\r\n"), empty},
    };
    TComPort2 port;
    for (const auto& c : cases) {
        port.setTerminator(QStringLiteral("#65"));
        QString error;
        try {
            port.setTerminator(QString::fromLatin1(c.text));
        } catch (const EComError& e) {
            error = e.text();
        }
        EXPECT_EQ(error, c.error) << c.text;
        EXPECT_EQ(port.terminatorBytes(), c.bytes) << c.text;
        EXPECT_EQ(port.Terminator(), QString::fromLatin1(c.readBack)) << c.text;
    }
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
    EXPECT_EQ(rec.opens, 0);
    EXPECT_EQ(rec.errors, 0);
    EXPECT_TRUE(rec.linkErrors.empty());
    // Through the link interface the failure is the same exception.
    EXPECT_THROW(port.open(), EComError);

    const QString denied =
        TComPort2::OpenFailureText(QStringLiteral("COM1"), QStringLiteral("Permission denied"), true);
    EXPECT_TRUE(denied.startsWith(QStringLiteral("TCOMPORT : cannot open COM1\r\nPermission denied\r\n")));
    EXPECT_TRUE(denied.contains(QStringLiteral("usermod -aG dialout")));
}

// Opening and closing twice notify once each (reopening: LinkConformanceTest and, after a hang-up,
// DriverLinksTest); the baud is stored while closed and applied when open.
TEST_F(ComPort2Pty, OpenAndCloseNotifyOnceAndTheBaudIsAppliedWhenOpen)
{
    port.setBaud(19200);
    EXPECT_NE(pty.slaveSpeed(), static_cast<speed_t>(B19200));
    port.Open();
    port.Open();
    EXPECT_TRUE(port.Opened());
    EXPECT_EQ(pty.slaveSpeed(), static_cast<speed_t>(B19200));
    port.setBaud(57600);
    EXPECT_EQ(pty.slaveSpeed(), static_cast<speed_t>(B57600));
    port.Close();
    port.Close();
    EXPECT_EQ(rec.opens, 1);
    EXPECT_EQ(rec.closes, 1);
    port.setBaud(4800); // Qt put the line settings back as it found them
    EXPECT_NE(pty.slaveSpeed(), static_cast<speed_t>(B4800));
    port.Open();
    EXPECT_EQ(pty.slaveSpeed(), static_cast<speed_t>(B4800));
}

TEST_F(ComPort2Pty, TermModeDeliversOneLinePerArrival)
{
    port.Open();
    ASSERT_TRUE(pty.send(QByteArrayLiteral("CH3\r\nHP12\r\nVP")));
    ASSERT_TRUE(waitFor([&] { return !rec.linkData.empty(); }));
    ASSERT_EQ(rec.linkData.size(), 1u);
    EXPECT_EQ(rec.linkData[0], QByteArrayLiteral("CH3\r\n"));

    // The second complete line waits for the next arrival, which may itself hold no line end.
    ASSERT_TRUE(pty.send(QByteArrayLiteral("5")));
    ASSERT_TRUE(waitFor([&] { return rec.linkData.size() >= 2; }));
    EXPECT_EQ(rec.linkData[1], QByteArrayLiteral("HP12\r\n"));

    ASSERT_TRUE(pty.send(QByteArrayLiteral("\r")));
    ASSERT_TRUE(pty.send(QByteArrayLiteral("\n")));
    ASSERT_TRUE(waitFor([&] { return rec.linkData.size() >= 3; }));
    EXPECT_EQ(rec.linkData[2], QByteArrayLiteral("VP5\r\n"));
    EXPECT_EQ(rec.callbackData, rec.linkData);

    port.setTerminator(QStringLiteral("#59"));
    ASSERT_TRUE(pty.send(QByteArrayLiteral("a\r\nb;c")));
    ASSERT_TRUE(waitFor([&] { return rec.linkData.size() >= 4; }));
    EXPECT_EQ(rec.linkData[3], QByteArrayLiteral("a\r\nb;"));
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
