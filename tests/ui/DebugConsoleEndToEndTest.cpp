// The debug console against the simulated device on a pseudo-terminal: what is typed reaches the
// device, and its replies are logged and decoded.

#include <gtest/gtest.h>

#include <QKeyEvent>

#include "MainStatusBar.h"
#include "MainWindowTestHarness.h"
#include "ReceivedLogModel.h"
#include "SendMemo.h"
#include "SimServer.h"
#include "Unit_Debug2007.h"
#include "WaitFor.h"

using namespace tesso::test::mainwindow;

namespace
{

// The log's row with this reply, or -1.
int rowOf(TReceivedLogModel* log, const QByteArray& reply)
{
    log->Flush();
    for (int row = 0; row < log->LoggedRows(); ++row)
        if (log->Text(row) == reply)
            return row;
    return -1;
}

} // namespace

TEST(DebugConsoleEndToEnd, TypedQueriesReachTheSimulatedDeviceAndRepliesAreDecoded)
{
    tesso::sim::SimServer sim(tesso::sim::Model::Lumio);
    QString error;
    ASSERT_TRUE(sim.openPty(&error)) << error.toStdString();
    QTemporaryDir folder;
    RecordingPrompts prompts;
    qputenv("TESSO_COM1", sim.ptyPath().toLocal8Bit());
    ConnectionSettings settings(folder.path(), QStringLiteral("Tesso remote control"));
    ConnectionValues values;
    values.Port = 0;
    ASSERT_TRUE(settings.WriteConnection(values));
    TStartUp::Options options;
    options.SettingsDirectory = folder.path();
    options.ShowSplash = false;
    std::unique_ptr<TForm_MAIN> main = TStartUp::Run(makeDefaultLinks(), prompts, options);
    qunsetenv("TESSO_COM1");
    ASSERT_TRUE(tesso::test::waitFor([&] { return main->Driver().Connected(); }, 20000));

    main->show();
    main->DebugHotKey(main->StatusBar->mapToGlobal(QPoint(10, 10)));
    TForm_Debug2007* console = main->Windows().Debug;
    ASSERT_TRUE(console->isVisible());
    TReceivedLogModel* log = console->ReceivedLog;
    ASSERT_TRUE(tesso::test::waitFor([&] { return rowOf(log, "DEV57") >= 0; }, 10000))
        << "detection is logged";

    for (const char* key : {"3", "C", "N"}) {
        QKeyEvent press(QEvent::KeyPress, QChar::fromLatin1(*key).unicode(), Qt::NoModifier,
                        QLatin1String(key));
        QCoreApplication::sendEvent(console->Memo_Send, &press);
    }
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(console->Memo_Send, &enter);
    ASSERT_TRUE(tesso::test::waitFor([&] { return main->Driver().ICHM() == 3; }, 10000));
    int row = -1;
    ASSERT_TRUE(tesso::test::waitFor([&] { return (row = rowOf(log, "CH3")) >= 0; }, 10000));
    const auto cell = [&](int column) {
        return log->data(log->index(row, column), Qt::DisplayRole).toString();
    };
    EXPECT_EQ(cell(1), QStringLiteral("CH"));
    EXPECT_EQ(cell(2), QStringLiteral("3"));
    EXPECT_EQ(cell(3), QStringLiteral("011"));
    EXPECT_EQ(cell(4), QStringLiteral("3"));
    main->close();
}
