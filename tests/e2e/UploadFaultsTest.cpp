// `tesso-cli upload` against tesso-devsim when the device aborts the transfer, ends it early or
// stops dead in the middle of it: the command ends by itself with the status that says so, without spinning
// while it waits, and the device answers the next command once it is back in its text protocol.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "DevsimProcess.h"
#include "ProcessStats.h"
#include "Scenario.h"

using namespace tesso;

using namespace tesso::e2e;
using tesso::test::waitFor;

TEST(UploadFaults, AnUploadTheDeviceAbortsOrAbandonsEndsWithItsStatusAndTheDeviceAnswersAgain)
{
    struct Case {
        const char* name;
        QStringList faults;
        bool stopDead;
        int exitCode;
        const char* result;
    };
    const Case cases[] = {
        {"abort", {QStringLiteral("--abort-after"), QStringLiteral("40")}, false, 5, "Failure.\n"},
        {"end",
         {QStringLiteral("--end-after"), QStringLiteral("5")},
         false,
         5,
         "Transfer ended early by the device.\n"},
        // At the line's own speed the upload takes minutes: the device surely stops in the middle.
        {"silence", {QStringLiteral("--line-rate")}, true, 3, "Time-out: the device did not answer.\n"},
    };
    QTemporaryDir dir(QStringLiteral(TESSO_E2E_SCRATCH "/upload-XXXXXX"));
    QImage picture(720, 576, QImage::Format_RGB32);
    picture.fill(qRgb(0x1B, 0x40, 0x80));
    const QString path = dir.filePath(QStringLiteral("picture.bmp"));
    ASSERT_TRUE(picture.save(path, "BMP"));

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DevsimProcess device;
        ASSERT_TRUE(device.start(QStringList{QStringLiteral("--pty")} + c.faults));
        const QString port = device.printed("PTY");
        QProcess upload;
        upload.start(QStringLiteral(TESSO_CLI_PATH),
                     {QStringLiteral("--serial"), port, QStringLiteral("upload"), path});
        ASSERT_TRUE(upload.waitForStarted(10000));
        QByteArray err;
        if (c.stopDead) {
            // Pixels have gone out: the progress line counts more than none.
            ASSERT_TRUE(waitFor(
                [&] {
                    err += upload.readAllStandardError();
                    return err.contains("pixels") && !err.contains(" 0/207360 pixels");
                },
                30000))
                << err.toStdString();
            ASSERT_TRUE(device.pause());
        }
        QElapsedTimer silence;
        silence.start();
        const std::optional<double> cpuAtStart = ProcessStats::cpuSeconds(upload.processId());
        runEventsFor(c.stopDead ? 4000 : 0);
        const std::optional<double> cpuWhileWaiting = ProcessStats::cpuSeconds(upload.processId());
        ASSERT_TRUE(waitFor([&] { return upload.state() == QProcess::NotRunning; }, 30000));
        if (c.stopDead) {
            // Five seconds without an answer end the transfer; putting the link back follows.
            EXPECT_LT(silence.elapsed(), 9000);
            ASSERT_TRUE(cpuAtStart && cpuWhileWaiting);
            std::printf("[ measured ] tesso-cli upload waiting for a silent device: %.2f s of processor "
                        "time in 4 s\n",
                        *cpuWhileWaiting - *cpuAtStart);
            if (!Sanitized) {
                EXPECT_LT(*cpuWhileWaiting - *cpuAtStart, 0.1) << "the transfer waits without spinning";
            }
            ASSERT_TRUE(device.resume());
        }
        EXPECT_EQ(upload.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(upload.exitCode(), c.exitCode) << (err + upload.readAllStandardError()).toStdString();
        EXPECT_EQ(upload.readAllStandardOutput().toStdString(), std::string(c.result));

        // The device leaves a deserted raw mode by itself (10 s without a block) and answers.
        QProcess detect;
        detect.start(QStringLiteral(TESSO_CLI_PATH),
                     {QStringLiteral("--serial"), port, QStringLiteral("--timeout"), QStringLiteral("25"),
                      QStringLiteral("detect")});
        ASSERT_TRUE(waitFor([&] { return detect.state() == QProcess::NotRunning; }, 40000));
        EXPECT_EQ(detect.exitCode(), 0) << detect.readAllStandardError().toStdString();
        EXPECT_EQ(detect.readAllStandardOutput().toStdString(), std::string("DEV=57\nMODEL=Lumio\n"));
        EXPECT_EQ(device.stop(), 0);
    }
}
