// Save, change, compare and restore through the real driver against the simulated device over
// TCP; the client and the window do it over a pseudo-terminal in their end-to-end tests.

#include <gtest/gtest.h>

#include <QEventLoop>

#include "DeviceDriver.h"
#include "SettingsJob.h"
#include "SimServer.h"
#include "WaitFor.h"

using namespace tesso;

namespace
{

struct Device {
    explicit Device(tesso::sim::Model model = tesso::sim::Model::Lumio) : sim(model) {}
    tesso::sim::SimServer sim;
    DeviceDriver driver;
    SettingsJob job{driver};

    bool connect()
    {
        sim.device().setStoreTiming(-1, 0);
        if (!sim.listenTcp(QHostAddress(QHostAddress::LocalHost), 0))
            return false;
        driver.setIpRemoteAddress(QStringLiteral("127.0.0.1"));
        driver.setIpRemotePort(sim.tcpPort());
        driver.setLinkType(LinkType::Tcp);
        QObject::connect(&driver, &DeviceDriver::replyApplied, &job,
                         [this](tVAR index, const QByteArray&) { job.Replied(index); });
        driver.detectNow();
        return tesso::test::waitFor([&] { return driver.isReady(); }, 15000);
    }
    // Runs a job to its end; the error, empty on success.
    QString run(const std::function<void()>& start)
    {
        QString error = QStringLiteral("did not end");
        bool ended = false;
        QObject::connect(&job, &SettingsJob::finished, &job, [&](bool ok, const QString& e) {
            error = ok ? QString() : e;
            ended = true;
        });
        start();
        tesso::test::waitFor([&] { return ended; }, 60000);
        QObject::disconnect(&job, &SettingsJob::finished, nullptr, nullptr);
        return error;
    }
    QStringList differences(const DeviceSettings& file)
    {
        EXPECT_EQ(run([&] { job.Collect(); }), QString());
        QStringList list;
        for (const auto& d : file.DifferencesFrom(job.Device()))
            list << d.inFile.label();
        return list;
    }
};

} // namespace

TEST(SettingsAgainstSim, ASavedSetupSurvivesChangesAndAFactoryReset)
{
    Device d;
    ASSERT_TRUE(d.connect());
    d.driver.setSTBIOFF(0); // an "off" message to keep: "Z", then its end
    d.driver.setSTBOFF('Z');
    d.driver.setSTBIOFF(1);
    d.driver.setSTBOFF(0);
    d.driver.setEFFECTTYPE(3);
    ASSERT_EQ(d.run([&] { d.job.Collect(); }), QString());
    const DeviceSettings saved = d.job.Device();
    ASSERT_EQ(saved.Entries.back().name, QStringLiteral("TCPIP"));

    // Changes of every kind: a device value, an input's value, a message, a port.
    d.driver.setBRGT(40);
    d.driver.setPCHAN(3);
    d.driver.setPENA(false);
    d.driver.setSTBIOFF(0);
    d.driver.setSTBOFF('Y');
    d.driver.setREMOTE_PORT(12000);
    EXPECT_EQ(d.differences(saved), (QStringList{"BRGT", "PENA[3]", "PROJECTOR_OFF", "REMOTE_PORT"}));

    d.driver.setFRESET(true);
    ASSERT_FALSE(d.differences(saved).isEmpty());
    EXPECT_EQ(d.run([&] { d.job.Restore(saved); }), QString());
    EXPECT_GT(d.job.Written(), 0);
    EXPECT_TRUE(d.differences(saved).isEmpty());
}

TEST(SettingsAgainstSimModels, AFileOfTheOtherModelIsRefusedAndNothingIsWritten)
{
    Device lumio;
    ASSERT_TRUE(lumio.connect());
    ASSERT_EQ(lumio.run([&] { lumio.job.Collect(); }), QString());
    const DeviceSettings saved = lumio.job.Device();

    Device snipa(tesso::sim::Model::Snipa);
    ASSERT_TRUE(snipa.connect());
    QStringList received;
    QObject::connect(&snipa.sim, &tesso::sim::SimServer::logLine,
                     [&](const QString& line) { received << line; });
    EXPECT_EQ(snipa.run([&] { snipa.job.Restore(saved); }),
              QStringLiteral("the file is for a Lumio (code 57), the device is a Snipa (code 58)"));
    EXPECT_TRUE(received.filter(QStringLiteral("<< ")).isEmpty()) << received.join(u'\n').toStdString();
}
