#pragma once
// The main window in this process on COM3, which TESSO_COM3 maps to tesso-devsim's pseudo-terminal
// (a process of its own, so that it can die), with a settings folder of its own and every error
// report kept.

#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "DevsimProcess.h"
#include "MainWindowTestHarness.h"
#include "ReportCapture.h"
#include "Scenario.h"
#include "StatusGridArea.h"

namespace tesso::e2e
{

struct DevsimWindow {
    QTemporaryDir scratch{QStringLiteral(TESSO_E2E_SCRATCH "/window-XXXXXX")};
    QString settings = scratch.filePath(QStringLiteral("settings"));
    QString deviceLink = scratch.filePath(QStringLiteral("lumio"));
    QStringList deviceOptions; // beyond the pseudo-terminal and its link
    DevsimProcess device;
    tesso::test::mainwindow::RecordingPrompts prompts;
    tesso::test::ReportCapture report; // outlives the window, which reports until it goes
    std::unique_ptr<MainWindow> main;
    QMap<QString, QByteArray> before;

    ~DevsimWindow() { qunsetenv("TESSO_COM3"); }

    bool startDevice()
    {
        return device.start(QStringList{QStringLiteral("--pty"), QStringLiteral("--pty-link"), deviceLink} +
                            deviceOptions);
    }

    // The device first, then the settings (the link, the user's labels and what `more` writes) and
    // the window on them, connected.
    void start(const std::function<bool(const ConnectionSettings&)>& more = {})
    {
        ASSERT_TRUE(scratch.isValid() && QDir().mkpath(settings));
        ASSERT_TRUE(startDevice());
        const ConnectionSettings files(settings, QStringLiteral("Tesso remote control"));
        ASSERT_TRUE(files.WriteConnection(serialLink(2)));
        ASSERT_TRUE(writeLumioLabels(settings));
        ASSERT_TRUE(!more || more(files));
        before = filesIn(settings);
        qputenv("TESSO_COM3", deviceLink.toLocal8Bit());
        StartUp::Options options;
        options.SettingsDirectory = settings;
        options.ShowSplash = false;
        main = StartUp::Run(makeDefaultLinks(), prompts, options);
        ASSERT_TRUE(waitForDevice());
    }

    // Connected, loaded and showing the user's label of the input on air.
    bool waitForDevice()
    {
        return tesso::test::waitFor(
            [&] {
                return main->StatusPanelText(0) == QLatin1String("Device connected") &&
                       main->StatusArea->Cell(1, 1) == QLatin1String("Camera 1");
            },
            Deadline);
    }

    // The window closes as the user closes it; its settings files are as they were.
    void finish()
    {
        main->close();
        EXPECT_EQ(changedFiles(before, filesIn(settings)).toStdString(), std::string());
    }
};

} // namespace tesso::e2e
