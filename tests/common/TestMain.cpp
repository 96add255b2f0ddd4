// Test entry point: one Qt application object for the whole run, so that sockets, timers and
// widgets work inside the tests. GUI suites are built with TESSO_TEST_GUI.
#include <gtest/gtest.h>

#ifdef TESSO_TEST_GUI
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>

using TestApplication = QCoreApplication;
#endif

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Tests never need a display; this also lets test discovery run the binary at build time.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TestApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
