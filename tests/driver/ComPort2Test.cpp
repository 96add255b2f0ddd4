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

// Records everything the component hands out.
struct Recorder {
    std::vector<QByteArray> callbackData, linkData;
    std::vector<QString> linkErrors;
    int opens = 0, closes = 0, errors = 0;

    void attach(TComPort2& port)
    {
        port.ReceiveCallBack = [this](const QByteArray& d) { callbackData.push_back(d); };
        port.onReceived = [this](const QByteArray& d, const QString& peer, int peerPort) {
            EXPECT_TRUE(peer.isEmpty());
            EXPECT_EQ(peerPort, 0);
            linkData.push_back(d);
        };
        port.onError = [this](const QString& m) { linkErrors.push_back(m); };
        port.OnPortOpen = [this](TComPort2*) { ++opens; };
        port.OnPortClose = [this](TComPort2*) { ++closes; };
        port.OnError = [this](TComPort2*) { ++errors; };
    }
    QByteArray allLinkData() const
    {
        QByteArray all;
        for (const auto& d : linkData)
            all += d;
        return all;
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

TEST(ComPort2Properties, InitialValues)
{
    TComPort2 port;
    EXPECT_TRUE(port.Port().isEmpty());
    EXPECT_FALSE(port.Opened());
    EXPECT_FALSE(port.isActive());
    EXPECT_EQ(port.Baud(), 9600u);
    EXPECT_EQ(port.DataBits(), 8);
    EXPECT_EQ(port.Parity(), ptNONE);
    EXPECT_EQ(port.StopBits(), sbONE);
    EXPECT_EQ(port.WinQSizeIn(), 8192u);
    EXPECT_EQ(port.WinQSizeOut(), 8192u);
    EXPECT_EQ(port.ReceiveMode(), rmTERM);
    EXPECT_EQ(port.Terminator(), QStringLiteral("#13#10"));
    EXPECT_EQ(port.terminatorBytes(), QByteArrayLiteral("\r\n"));
    port.setRawReceive(true);
    EXPECT_EQ(port.ReceiveMode(), rmRAW);
    port.setRawReceive(false);
    EXPECT_EQ(port.ReceiveMode(), rmTERM);
}

TEST(ComPort2Names, ComNamesMapToTtyS)
{
    ::unsetenv("TESSO_COM1");
    ::unsetenv("TESSO_COM3");
    ::unsetenv("TESSO_COM16");
    EXPECT_EQ(TComPort2::DevicePath(QStringLiteral("COM1")), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(TComPort2::DevicePath(QStringLiteral("COM16")), QStringLiteral("/dev/ttyS15"));
    EXPECT_EQ(TComPort2::DevicePath(QStringLiteral("\\\\.\\COM3")), QStringLiteral("/dev/ttyS2"));
    // The main window passes device-form names, which then carry the prefix twice.
    EXPECT_EQ(TComPort2::DevicePath(QStringLiteral("\\\\.\\\\\\.\\COM3")), QStringLiteral("/dev/ttyS2"));
    EXPECT_EQ(TComPort2::DevicePath(QStringLiteral("com3")), QStringLiteral("/dev/ttyS2"));
}

TEST(ComPort2Names, EnvironmentOverridesAndPathsPassThrough)
{
    ::setenv("TESSO_COM3", "/dev/ttyUSB0", 1);
    EXPECT_EQ(TComPort2::DevicePath(QStringLiteral("COM3")), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(TComPort2::DevicePath(QStringLiteral("\\\\.\\COM3")), QStringLiteral("/dev/ttyUSB0"));
    // Only the named port is redirected.
    EXPECT_EQ(TComPort2::DevicePath(QStringLiteral("COM13")), QStringLiteral("/dev/ttyS12"));
    ::unsetenv("TESSO_COM3");
    EXPECT_EQ(TComPort2::DevicePath(QStringLiteral("COM3")), QStringLiteral("/dev/ttyS2"));

    EXPECT_EQ(TComPort2::DevicePath(QStringLiteral("/dev/serial/by-id/x")),
              QStringLiteral("/dev/serial/by-id/x"));
    // Not a COM number: left for the system to resolve or refuse.
    EXPECT_EQ(TComPort2::DevicePath(QStringLiteral("COM0")), QStringLiteral("COM0"));
    EXPECT_EQ(TComPort2::DevicePath(QStringLiteral("COM1x")), QStringLiteral("COM1x"));
}

TEST(ComPort2Terminator, TextFormBothWays)
{
    TComPort2 port;
    port.setTerminator(QStringLiteral("#13"));
    EXPECT_EQ(port.terminatorBytes(), QByteArrayLiteral("\r"));
    EXPECT_EQ(port.Terminator(), QStringLiteral("#13"));

    port.setTerminator(QStringLiteral("#65#0#255"));
    EXPECT_EQ(port.terminatorBytes(), QByteArray("A\0\xff", 3));
    EXPECT_EQ(port.Terminator(), QStringLiteral("#65#0#255"));

    // Codes keep their low 8 bits; hexadecimal is accepted as in the rest of the protocol.
    port.setTerminator(QStringLiteral("#269#$0A"));
    EXPECT_EQ(port.terminatorBytes(), QByteArrayLiteral("\r\n"));
    // The first character is dropped whatever it is; a trailing "#" adds nothing.
    port.setTerminator(QStringLiteral("x10#"));
    EXPECT_EQ(port.terminatorBytes(), QByteArrayLiteral("\n"));
}

TEST(ComPort2Terminator, BadTextsRaiseTheirMessagesAndFallBack)
{
    TComPort2 port;
    port.setTerminator(QStringLiteral("#65"));
    try {
        port.setTerminator(QStringLiteral("#13#1x"));
        FAIL() << "no exception";
    } catch (const EComError& e) {
        EXPECT_EQ(e.text(),
                  QStringLiteral("Illegal terminator String.\rformat : #<asciicode>#<asciicode>#<...>\r"
                                 "example: #13#10"));
    }
    EXPECT_EQ(port.terminatorBytes(), QByteArrayLiteral("\r\n"));

    port.setTerminator(QStringLiteral("#65"));
    EXPECT_THROW(port.setTerminator(QStringLiteral("#13##10")), EComError); // empty part
    EXPECT_EQ(port.terminatorBytes(), QByteArrayLiteral("\r\n"));

    for (const QString& empty : {QString(), QStringLiteral("#")}) {
        port.setTerminator(QStringLiteral("#65"));
        try {
            port.setTerminator(empty);
            FAIL() << "no exception for " << empty.toStdString();
        } catch (const EComError& e) {
            EXPECT_EQ(e.text(), QStringLiteral("Terminator String cannot be empty!"));
        }
        // An empty terminator would match everywhere; the component keeps a usable one.
        EXPECT_EQ(port.terminatorBytes(), QByteArrayLiteral("\r\n"));
    }
}

TEST(ComPort2Open, FailureTextNamesThePortAndTheSystemReason)
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
}

TEST(ComPort2Open, PermissionFailureExplainsTheDialoutGroup)
{
    const QString text =
        TComPort2::OpenFailureText(QStringLiteral("COM1"), QStringLiteral("Permission denied"), true);
    EXPECT_TRUE(text.startsWith(QStringLiteral("TCOMPORT : cannot open COM1\r\nPermission denied\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("usermod -aG dialout")));
    EXPECT_EQ(TComPort2::OpenFailureText(QStringLiteral("COM1"), QStringLiteral("No such file"), false),
              QStringLiteral("TCOMPORT : cannot open COM1\r\nNo such file"));
}

TEST_F(ComPort2Pty, OpenCloseAreIdempotentAndNotified)
{
    port.Open();
    EXPECT_TRUE(port.Opened());
    EXPECT_TRUE(port.isActive());
    port.Open();
    EXPECT_EQ(rec.opens, 1);
    port.Close();
    EXPECT_FALSE(port.Opened());
    port.Close();
    EXPECT_EQ(rec.closes, 1);
    // Reopening the same device works.
    EXPECT_TRUE(port.open());
    EXPECT_EQ(rec.opens, 2);
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
}

TEST_F(ComPort2Pty, TermModeUsesTheConfiguredTerminator)
{
    port.setTerminator(QStringLiteral("#59"));
    port.Open();
    ASSERT_TRUE(pty.send(QByteArrayLiteral("a\r\nb;c")));
    ASSERT_TRUE(waitFor([&] { return !rec.linkData.empty(); }));
    EXPECT_EQ(rec.linkData[0], QByteArrayLiteral("a\r\nb;"));
}

TEST_F(ComPort2Pty, UnboundReceiverDiscardsData)
{
    port.ReceiveCallBack = nullptr;
    port.onReceived = nullptr;
    port.Open();
    ASSERT_TRUE(pty.send(QByteArrayLiteral("lost\r\n")));
    // Once the bytes have been taken off the line, binding a receiver must not bring them back.
    QByteArray echo;
    port.Write(QByteArrayLiteral("sync"));
    ASSERT_TRUE(pty.waitForWritten(QByteArrayLiteral("sync"), echo));
    ASSERT_TRUE(waitFor([&] { return port.Opened(); }));
    rec.attach(port);
    ASSERT_TRUE(pty.send(QByteArrayLiteral("kept\r\n")));
    ASSERT_TRUE(waitFor([&] { return !rec.linkData.empty(); }));
    EXPECT_EQ(rec.linkData[0], QByteArrayLiteral("kept\r\n"));
}

TEST_F(ComPort2Pty, BaudIsStoredWhileClosedAndAppliedWhenOpen)
{
    port.setBaud(19200);
    EXPECT_EQ(port.Baud(), 19200u);
    EXPECT_NE(pty.slaveSpeed(), static_cast<speed_t>(B19200));
    port.Open();
    EXPECT_EQ(pty.slaveSpeed(), static_cast<speed_t>(B19200));
    port.setBaud(57600);
    EXPECT_EQ(pty.slaveSpeed(), static_cast<speed_t>(B57600));
    port.Close(); // Qt puts the line settings back as it found them
    port.setBaud(4800);
    EXPECT_NE(pty.slaveSpeed(), static_cast<speed_t>(B4800));
    port.Open();
    EXPECT_EQ(pty.slaveSpeed(), static_cast<speed_t>(B4800));
}

TEST_F(ComPort2Pty, PeerHangUpClosesThePortAndReportsOnce)
{
    port.Open();
    pty.closeMaster();
    ASSERT_TRUE(waitFor([&] { return !port.Opened(); }));
    EXPECT_EQ(rec.closes, 1);
    EXPECT_EQ(rec.errors, 1);
    ASSERT_EQ(rec.linkErrors.size(), 1u);
    EXPECT_TRUE(rec.linkErrors[0].contains(pty.slavePath()));
    // Nothing keeps firing once the port is closed.
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(rec.errors, 1);
    EXPECT_EQ(rec.linkErrors.size(), 1u);

    // The user can reopen once a device is back.
    PtyPair again;
    ASSERT_TRUE(again.valid());
    port.setPort(again.slavePath());
    port.Open();
    ASSERT_TRUE(again.send(QByteArrayLiteral("DEV57\r\n")));
    ASSERT_TRUE(waitFor([&] { return rec.allLinkData().contains("DEV57"); }));
}
