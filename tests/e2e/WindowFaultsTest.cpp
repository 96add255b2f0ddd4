// Faults that need the user's hand, with the main window in this process: the serial port's
// pseudo-terminal vanishes and comes back (the user chooses the port again); a device that falls
// silent in the middle of an upload is UploadFaults'. The device is tesso-devsim, a process of its
// own, so that it can die. (The program's event loop through the same fault is IdleTest's.)

#include <gtest/gtest.h>

#include "DevsimWindow.h"

using namespace tesso;

using namespace tesso::e2e;
using tesso::test::waitFor;

TEST(WindowFaults, TheSerialPortVanishesIsReportedOnceAndIsChosenAgainWhenItIsBack)
{
    DevsimWindow w;
    ASSERT_NO_FATAL_FAILURE(w.start());

    w.device.kill(); // its pseudo-terminal goes with it; the link name is left dangling
    ASSERT_TRUE(waitFor([&] { return !w.main->Driver().isLinkOpen(); }, Deadline)) << "the port is closed";
    ASSERT_TRUE(waitFor([&] { return w.main->StatusPanelText(0) == QLatin1String("Device NOT connected"); },
                        Deadline));
    runEventsFor(3000);
    ASSERT_EQ(w.report.messages.size(), 1) << w.report.messages.join(u'\n').toStdString();
    EXPECT_TRUE(w.report.messages.front().contains(QLatin1String("the serial port went away")))
        << w.report.messages.front().toStdString();

    ASSERT_TRUE(w.startDevice());
    w.main->useComPort(3);
    EXPECT_TRUE(w.waitForDevice());
    EXPECT_EQ(w.report.messages.size(), 1);
    w.finish();
}
