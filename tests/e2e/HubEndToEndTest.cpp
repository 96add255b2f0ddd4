// The window shares its device: the main window in this process, offscreen, on tesso-devsim over a
// pseudo-terminal with the hub on, while tesso-cli processes use the device through the hub over
// 127.0.0.1 and the window goes on working, and while the window uploads a picture.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QScrollBar>
#include <QTcpSocket>

#include "CliProcess.h"
#include "DeviceHub.h"
#include "DevsimWindow.h"
#include "FrameTransferWindow.h"
#include "LinkTestPeers.h"
#include "PageImage.h"
#include "ValueSlider.h"

using namespace tesso;

using namespace tesso::e2e;
using tesso::test::waitFor;

namespace
{

// The simulated device keeps the pictures it receives; the window shares it on a free loopback port
// as its settings file asks.
struct SharedWindow : DevsimWindow {
    QString frames = scratch.filePath(QStringLiteral("frames"));
    quint16 port = 0;

    void start()
    {
        ASSERT_TRUE(QDir().mkpath(frames));
        deviceOptions = QStringList{QStringLiteral("--save-frames"), frames};
        ASSERT_NO_FATAL_FAILURE(DevsimWindow::start([&](const ConnectionSettings& files) {
            HubValues hub;
            hub.Enabled = true;
            hub.Port = port = static_cast<quint16>(tesso::test::freeTcpPort());
            return files.WriteHub(hub);
        }));
        ASSERT_TRUE(main->Hub().isListening());
    }

    QStringList through() const
    {
        return {QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(port)};
    }
};

// tesso-cli through the hub, while this process's event loop (the window, the hub) keeps running.
tesso::test::CliResult runCli(const QStringList& arguments)
{
    return tesso::test::runCliProcess(QStringLiteral(TESSO_CLI_PATH), arguments);
}

} // namespace

TEST(HubEndToEnd, TessoCliUsesTheWindowsDeviceThroughTheHubWhileTheWindowWorks)
{
    SharedWindow w;
    ASSERT_NO_FATAL_FAILURE(w.start());
    DeviceDriver& driver = w.main->Driver();
    QScrollBar* hpos = w.main->TabSheet_Image->FrameScrollHPos->ScrollBar;

    const tesso::test::CliResult get =
        runCli(w.through() + QStringList{QStringLiteral("get"), QStringLiteral("HPOS")});
    EXPECT_EQ(get.exitCode, 0) << get.err.toStdString();
    EXPECT_EQ(get.out.toStdString(), "HPOS=" + std::to_string(driver.HPOS()) + "\n");

    // A client's set reaches the device, whose answer the window shows.
    const tesso::test::CliResult set =
        runCli(w.through() + QStringList{QStringLiteral("set"), QStringLiteral("HPOS=77")});
    EXPECT_EQ(set.exitCode, 0) << set.err.toStdString();
    EXPECT_EQ(set.out.toStdString(), std::string("HPOS=77\n"));
    EXPECT_TRUE(waitFor([&] { return driver.HPOS() == 77 && hpos->value() == 77; }, Deadline))
        << driver.HPOS() << " " << hpos->value();

    const tesso::test::CliResult dump = runCli(w.through() + QStringList{QStringLiteral("dump")});
    EXPECT_EQ(dump.exitCode, 0) << dump.err.toStdString();
    EXPECT_TRUE(dump.out.contains("\nHPOS=77\n")) << dump.out.toStdString();
    EXPECT_GE(dump.out.count('\n'), tesso::VariableCount);

    // A client that monitors hears what the window sets.
    QProcess monitorProcess;
    QByteArray monitored;
    QObject::connect(&monitorProcess, &QProcess::readyReadStandardOutput,
                     [&] { monitored += monitorProcess.readAllStandardOutput(); });
    monitorProcess.start(QStringLiteral(TESSO_CLI_PATH),
                         w.through() + QStringList{QStringLiteral("--timeout"), QStringLiteral("6"),
                                                   QStringLiteral("monitor")});
    ASSERT_TRUE(waitFor([&] { return w.main->Hub().clientCount() == 1; }, Deadline));
    ASSERT_TRUE(waitFor([&] { return !monitored.isEmpty(); }, Deadline)) << "the monitor hears the device";
    driver.setHPOS(99);
    EXPECT_TRUE(waitFor([&] { return monitored.contains("HPOS=99\n"); }, Deadline))
        << monitored.toStdString();
    ASSERT_TRUE(waitFor([&] { return monitorProcess.state() == QProcess::NotRunning; }, 30000));
    EXPECT_EQ(monitorProcess.exitCode(), 0) << monitorProcess.readAllStandardError().toStdString();

    // The window stayed on its device all along, and counts no client now.
    EXPECT_TRUE(driver.isConnected());
    EXPECT_EQ(hpos->value(), 99);
    EXPECT_TRUE(waitFor([&] { return w.main->StatusBar->ClientsText() == QLatin1String("Clients : 0"); }));
    w.main->close();
}

TEST(HubEndToEnd, AnUploadFromTheWindowHoldsAClientsCommandsAndArrivesIntact)
{
    SharedWindow w;
    ASSERT_NO_FATAL_FAILURE(w.start());
    FrameTransferWindow* window = w.main->Windows().TransferFrame;
    QImage source(720, 576, QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            source.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
    const QString path = w.scratch.filePath(QStringLiteral("frame.bmp"));
    ASSERT_TRUE(source.save(path, "BMP"));
    window->ChooseFit = [](int, int) { return 1; };
    ASSERT_TRUE(window->LoadFile(path));

    // A show controller that sends a command every few milliseconds, whatever the window does.
    QTcpSocket client;
    client.connectToHost(QStringLiteral("127.0.0.1"), w.port);
    ASSERT_TRUE(client.waitForConnected(5000));
    QByteArray heard;
    int sentDuringRaw = 0;
    window->startTransfer();
    ASSERT_TRUE(window->Active());
    ASSERT_TRUE(waitFor(
        [&] {
            if (w.main->Driver().linkMode() == LinkMode::Raw)
                ++sentDuringRaw;
            client.write("128B");
            heard += client.readAll();
            return !window->Active();
        },
        60000));
    EXPECT_EQ(window->StatusLine->text(), QStringLiteral("Command successfull."));
    EXPECT_GT(sentDuringRaw, 0);
    EXPECT_TRUE(heard.contains(DeviceHub::BusyReply)) << "the client was told why nothing went";

    // The picture the device kept is the one the window sent, byte for byte.
    ASSERT_TRUE(
        waitFor([&] { return QFile::exists(QDir(w.frames).filePath(QStringLiteral("frame-0001.bmp"))); }));
    const QImage kept(QDir(w.frames).filePath(QStringLiteral("frame-0001.bmp")));
    EXPECT_TRUE(kept.convertToFormat(QImage::Format_RGB32) == window->SendPicture());
    EXPECT_EQ(w.main->Driver().linkMode(), LinkMode::Variables);

    // The link is back: once the window has its device again, the client's commands reach it.
    ASSERT_TRUE(waitFor([&] { return w.main->Driver().isConnected(); }, Deadline));
    client.write("66H\r");
    EXPECT_TRUE(waitFor([&] { return w.main->Driver().HPOS() == 66; }, Deadline));
    EXPECT_EQ(client.state(), QAbstractSocket::ConnectedState);
    w.main->close();
}
