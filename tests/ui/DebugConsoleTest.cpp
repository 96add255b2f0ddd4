// The protocol debug console at work: its settings file, the variable list's check boxes, the four
// sending modes, the paced file send on driven ticks, and the received log with its row limit. Opened from
// the main window, it is tested there (MainWindowDebugKey).

#include "DebugConsoleHarness.h"

using namespace tesso;
using namespace tesso::debug;
using namespace tesso::test::console;

TEST(DebugConsoleSettings, LoadedAtCreationSavedOncePerSettledLayoutAndDamageKept)
{
    Console c;
    c.form->show();
    c.form->resize(640, 700);
    c.form->resize(650, 700);
    EXPECT_EQ(c.form->SettingsStore().WriteCount(), 0) << "not at every step";
    c.form->SettingsStore().Settle();
    EXPECT_EQ(c.form->SettingsStore().WriteCount(), 1);
    c.form->resize(650, 700);
    c.form->SettingsStore().Settle();
    EXPECT_EQ(c.form->SettingsStore().WriteCount(), 1) << "nothing changed, nothing written";

    // A damaged file from elsewhere: read up to the damage, copied aside before it is replaced.
    Debug2007Ini::Content content;
    content.buttons[3] = {QStringLiteral("Query"), QStringLiteral("#")};
    content.checked.fill(true);
    content.checked[0] = false;
    const QByteArray damaged = Debug2007Ini::Serialize(content).replace("Checked5=True", "Checked5=garbage");
    c.reopenWith(damaged);
    EXPECT_EQ(c.form->Panel_Description->Button(3)->text(), QStringLiteral("Query"));
    EXPECT_EQ(c.form->Panel_Description->Button(0)->text(), QString())
        << "a button without a label shows nothing";
    EXPECT_TRUE(c.form->VariableEntries->Hidden().Contains("#"));
    c.toggleEntry(1);
    EXPECT_EQ(c.readFile(QStringLiteral("Debug2007.ini.bak")), damaged);
    EXPECT_FALSE(c.readFile(QStringLiteral("Debug2007.ini")).contains("garbage"));
    c.toggleEntry(1);
    EXPECT_EQ(c.readFile(QStringLiteral("Debug2007.ini.bak")), damaged) << "copied once";
}

TEST(DebugConsoleSettings, BoundsFromTheFileAreKeptOnTheScreen)
{
    Console c;
    Debug2007Ini::Content content;
    content.left = 50000, content.top = -9000, content.width = 100000, content.height = 400;
    c.reopenWith(Debug2007Ini::Serialize(content));
    const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(room.contains(c.form->geometry())) << c.form->geometry().x() << "," << c.form->geometry().y();
    EXPECT_EQ(c.form->height(), 400);
}

TEST(DebugConsoleList, TogglingHidesRepliesAndClickingSendsTheCommand)
{
    Console c;
    const int hp = c.entryRow(QStringLiteral("H"), QStringLiteral("HP"));
    c.toggleEntry(hp);
    EXPECT_EQ(c.form->SettingsStore().WriteCount(), 1) << "a toggle saves";
    c.reply("HP512\r\nVP3\r\n");
    ASSERT_EQ(c.form->ReceivedLog->LoggedRows(), 1);
    EXPECT_EQ(c.form->ReceivedLog->Text(0), QByteArray("VP3"));
    c.toggleEntry(hp);
    c.reply("HP512\r\n");
    EXPECT_EQ(c.form->ReceivedLog->Text(1), QByteArray("HP512"));
    EXPECT_EQ(c.sent(), QByteArray()) << "toggling sends nothing";

    c.form->show();
    QListWidgetItem* query =
        c.form->VariableEntries->item(c.entryRow(QStringLiteral("?"), QStringLiteral("DEV")));
    c.form->VariableEntries->scrollToItem(query);
    click(c.form->VariableEntries->viewport(), c.form->VariableEntries->visualItemRect(query).center());
    EXPECT_EQ(c.driver.serial->writtenText(), QStringLiteral("?")) << "one byte, the CR dropped";

    // On its check box a click only toggles: no whole dump from the box of "#".
    QListWidgetItem* dump =
        c.form->VariableEntries->item(c.entryRow(QStringLiteral("#"), QStringLiteral("#")));
    c.form->VariableEntries->scrollToItem(dump);
    QStyleOptionViewItem option;
    option.initFrom(c.form->VariableEntries);
    option.rect = c.form->VariableEntries->visualItemRect(dump);
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    click(c.form->VariableEntries->viewport(),
          c.form->VariableEntries->style()
              ->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, c.form->VariableEntries)
              .center());
    EXPECT_EQ(dump->checkState(), Qt::Unchecked);
    EXPECT_EQ(c.driver.serial->writtenText(), QStringLiteral("?"));

    c.form->uncheckAllEntries();
    c.reply("VP4\r\n");
    EXPECT_EQ(c.form->ReceivedLog->LoggedRows(), 2);
    EXPECT_EQ(c.form->SettingsStore().WriteCount(), 3) << "the box's toggle saved, All UnChecked does not";
}

// ---- Sending ------------------------------------------------------------------------------------

TEST(DebugConsoleSending, TheFourModes)
{
    Console c;
    c.enter();
    EXPECT_EQ(c.sent(), QByteArray()) << "an empty line";
    c.form->Memo_Send->setPlainText(QStringLiteral("\b"));
    c.form->Memo_Send->moveCursor(QTextCursor::End);
    c.enter();
    EXPECT_EQ(c.sent(), QByteArray()) << "a lone backspace";

    // Line modes send the line on Enter; direct modes each key, Enter only as a transmitted CR.
    const struct {
        bool direct, transmitCR;
        QByteArray whileTyping, onEnter;
    } modes[] = {{false, false, "", "CC"},
                 {false, true, "", "CC\r"},
                 {true, false, "CC", ""},
                 {true, true, "CC", "\r"}};
    for (const auto& m : modes) {
        SCOPED_TRACE(testing::Message() << "direct " << m.direct << ", CR " << m.transmitCR);
        c.setMode(m.direct, m.transmitCR);
        c.type(QStringLiteral("CC"));
        EXPECT_EQ(c.sent(), m.whileTyping);
        c.enter();
        EXPECT_EQ(c.sent(), m.onEnter);
    }
    c.setMode(true, false);
    c.key(Qt::Key_Backspace);
    EXPECT_EQ(c.sent(), QByteArray("\b"));
}

TEST(DebugConsoleSending, RefusalsAndHistory)
{
    Console c;
    c.type(QStringLiteral("A\u20AC"));
    c.enter();
    EXPECT_EQ(c.sent(), QByteArray()) << "no \"?\" in place of the euro sign";
    EXPECT_TRUE(c.form->Notice().contains(QStringLiteral("single-byte")));
    c.form->Sender->SendTextDirect(QStringLiteral("a\u20ACb"));
    EXPECT_EQ(c.sent(), QByteArray("ab"));

    c.driver->setLinkMode(LinkMode::Raw);
    c.type(QStringLiteral("X"));
    c.enter();
    c.form->Sender->SendTextDirect(QStringLiteral("#\r"));
    EXPECT_EQ(c.sent(), QByteArray()) << "nothing inside the picture stream";
    EXPECT_TRUE(c.form->Notice().contains(QStringLiteral("frame transfer")));
    c.driver->setLinkMode(LinkMode::Variables);

    c.form->Memo_Send->clear();
    for (const char* line : {"CC", "DEV"}) {
        c.type(QLatin1String(line));
        c.enter();
    }
    c.sent();
    c.key(Qt::Key_Up);
    c.key(Qt::Key_Up);
    EXPECT_EQ(c.form->Memo_Send->CaretLine(), QStringLiteral("CC"));
    c.key(Qt::Key_Down);
    c.enter();
    EXPECT_EQ(c.sent(), QByteArray("DEV"));

    // Without a driver nothing is sent and the box says why on showing.
    ScriptedPrompts prompts;
    DebugConsole alone(nullptr, c.folder.path());
    alone.setPrompts(&prompts);
    alone.Sender->SendTextDirect(QStringLiteral("CC"));
    alone.Menus->ForceConnect->trigger();
    EXPECT_FALSE(alone.Menus->ForceConnect->isChecked());
    alone.show();
    EXPECT_EQ(prompts.informations.size(), 1);
}

TEST(DebugConsoleSending, QuickSendButtonsAndForceConnect)
{
    Console c;
    c.prompts.answers = {QStringLiteral("Input;\r\n 1"), QStringLiteral("1CC\n")};
    QPushButton* first = c.form->Panel_Description->Button(0);
    click(first, {5, 5}, Qt::RightButton);
    EXPECT_TRUE(c.readFile(QStringLiteral("Debug2007.ini")).startsWith("0=Input 1;1CC\r\n"));
    click(first, {5, 5});
    EXPECT_EQ(c.driver.serial->written, (QList<QByteArray>{"1", "C", "C"}));
    click(first, {5, 5}, Qt::MiddleButton);
    EXPECT_EQ(c.driver.serial->written.size(), 3);

    c.form->Menus->ForceConnect->trigger();
    EXPECT_TRUE(c.driver->forcedConnection());
}

// ---- File send ----------------------------------------------------------------------------------

TEST(DebugConsoleFileSend, AtOnceAndPacedOnDrivenTicks)
{
    Console c;
    c.sendFile("A\r\nB", DebugPrompts::Pace::AtOnce);
    EXPECT_EQ(c.driver.serial->written, (QList<QByteArray>{"A", "\n", "B", "\n"}));
    c.sent();
    c.sendFile("A\r\nB", DebugPrompts::Pace::Cancelled);
    EXPECT_FALSE(c.form->FileSend->timedSend->Active()) << "closing the question sends nothing";

    c.sendFile("A\r\nB", DebugPrompts::Pace::Paced);
    ASSERT_TRUE(c.form->FileSend->Dial);
    EXPECT_EQ(c.sent(), QByteArray()) << "the first line waits one interval";
    c.type(QStringLiteral("Z"));
    EXPECT_EQ(c.sent(), QByteArray("Z")) << "typing goes out at once meanwhile";
    c.form->FileSend->timedSend->Tick();
    EXPECT_EQ(c.sent(), QByteArray("A"));
    EXPECT_EQ(c.form->ProgressBar->value(), 3);
    c.form->FileSend->timedSend->Tick();
    EXPECT_EQ(c.sent(), QByteArray("B"));
    EXPECT_EQ(c.form->ProgressBar->value(), c.form->ProgressBar->maximum());
    c.form->FileSend->timedSend->Tick();
    EXPECT_FALSE(c.form->FileSend->Dial);
    EXPECT_EQ(c.form->ProgressBar->value(), 0);
    EXPECT_EQ(c.form->Sender->sendMode, ConsoleSender::SendMode::Line) << "typing follows the menu again";
}

TEST(DebugConsoleFileSend, LineEndsDialAndClosing)
{
    EXPECT_EQ(CommandFile::SplitLines("\xEF\xBB\xBF"
                                      "AB\rCD\r\n\r\nEF\n"),
              (QList<QByteArray>{"AB", "CD", "", "EF"}));
    EXPECT_EQ(CommandFile::SplitLines("\r"), (QList<QByteArray>{""}));
    EXPECT_EQ(DialKnob::PositionAt({44, 38}), 1) << "shared corner: the first hit";
    EXPECT_EQ(DialKnob::PositionAt({45, 38}), 2);

    Console c;
    c.sendFile("AB\rCD", DebugPrompts::Pace::Paced);
    click(c.form->FileSend->Dial->Knob, DialKnob::PositionRect(1).center());
    EXPECT_EQ(c.form->FileSend->timedSend->Interval(), 1);
    c.form->FileSend->timedSend->Tick();
    c.form->FileSend->StartTimedSend("XY\r\n");
    EXPECT_EQ(c.form->FileSend->timedSend->Interval(), 1) << "a second file keeps the pace";
    c.form->FileSend->timedSend->Tick();
    EXPECT_EQ(c.driver.serial->written, (QList<QByteArray>{"AB", "XY"})) << "the CR swallows nothing";
    c.sent();
    c.form->FileSend->StartTimedSend("1\r\n2\r\n");
    c.form->FileSend->Dial->BtnClose->click();
    EXPECT_FALSE(c.form->FileSend->timedSend->Active()) << "closing the dial cancels";
    c.form->FileSend->timedSend->Tick();
    EXPECT_EQ(c.sent(), QByteArray());
    EXPECT_EQ(c.form->ProgressBar->value(), 0);
}

TEST(DebugConsoleFileSend, AFailureStopsTheSendAndIsReportedOnce)
{
    tesso::test::ReportCapture report;
    Console c;
    c.driver.tcp->remoteAddress = QStringLiteral("127.0.0.1");
    c.driver->setLinkType(LinkType::Tcp);
    ASSERT_TRUE(c.driver->isLinkOpen());
    c.form->FileSend->StartTimedSend("SHORT\r\n0123456789AB\r\nX\r\n");
    for (int i = 0; i < 5; ++i)
        c.form->FileSend->timedSend->Tick();
    EXPECT_EQ(c.driver.tcp->written, (QList<QByteArray>{"SHORT"}));
    EXPECT_EQ(report.messages.size(), 1) << report.messages.join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(c.form->FileSend->Dial);

    c.driver->setLinkType(LinkType::Serial);
    c.driver.serial->active = false;
    c.form->FileSend->StartTimedSend("A\r\n");
    c.form->FileSend->timedSend->Tick();
    EXPECT_EQ(c.driver.serial->written, QList<QByteArray>());
    EXPECT_EQ(report.messages.size(), 2);
    EXPECT_EQ(c.form->ProgressBar->value(), 0) << "a closed link does not show the file as sent";
}

// ---- Received log -------------------------------------------------------------------------------

TEST(DebugConsoleLog, DecodedRowsClearSaveAndTheCalculator)
{
    Console c;
    ReceivedLogModel* log = c.form->ReceivedLog;
    c.reply("HP123\r\nDEV\r\n");
    ASSERT_EQ(log->rowCount(), 3) << "two rows and the empty one";
    const char* const hp[] = {"HP123", "HP", "123", "01111011", "7B"};
    for (int column = 0; column < 5; ++column)
        EXPECT_EQ(log->data(log->index(0, column), Qt::DisplayRole).toString(), QLatin1String(hp[column]));

    c.form->saveLog();
    EXPECT_EQ(c.readFile(QStringLiteral("Debug2007.txt")), QByteArray("HP123\r\nDEV\r\n\r\n"));
    EXPECT_TRUE(c.form->Notice().contains(c.folder.filePath(QStringLiteral("Debug2007.txt"))));
    c.prompts.saveAs = DebugPrompts::LogFile{c.folder.filePath(QStringLiteral("session.log")), true};
    c.form->saveLogAs();
    EXPECT_TRUE(c.readFile(QStringLiteral("session.log"))
                    .startsWith(ReceivedLogModel::TimeText(1700000000000).toLatin1() + "\tHP123\r\n"));

    c.form->openRowInCalculator(0);
    EXPECT_TRUE(c.form->Panel_Calc->isVisibleTo(c.form.get()));
    EXPECT_EQ(c.form->Panel_Calc->Values(), (CalcEdit::Rows{"123", "01111011", "7B"}));
    c.form->showEntryOfRow(2);
    EXPECT_EQ(c.form->windowTitle(), VariableEntries::Sorted()[0]) << "the empty row finds the first entry";

    c.form->clearLog();
    EXPECT_EQ(log->rowCount(), 1);
    c.form->saveLog();
    EXPECT_EQ(c.readFile(QStringLiteral("Debug2007.txt")), QByteArray("\r\n"));
}

TEST(DebugConsoleLog, TheLogGoesToTheWorkingFolderUnlessItIsTemporaryOrMissing)
{
    QTemporaryDir temporary, other;
    const QString documents = other.filePath(QStringLiteral("Documents"));
    const QString working = other.filePath(QStringLiteral("work"));
    QDir().mkpath(working);
    EXPECT_EQ(LogFolder::choose(working, documents, temporary.path()), working);
    EXPECT_FALSE(QFileInfo::exists(documents));

    const QString demo = temporary.filePath(QStringLiteral("demo"));
    QDir().mkpath(demo);
    EXPECT_EQ(LogFolder::choose(demo, documents, temporary.path()), documents);
    EXPECT_TRUE(QFileInfo(documents).isDir()) << "made for the log";
    EXPECT_EQ(LogFolder::choose(other.filePath(QStringLiteral("gone")), documents, temporary.path()),
              documents);
}

TEST(DebugConsoleLog, RowLimitDropsTheOldestAndTheViewStaysWhereTheUserScrolled)
{
    ReceivedLogModel log;
    const int limit = ReceivedLogModel::RowLimit;
    for (int i = 0; i < limit + 10; ++i)
        log.Append("HP" + QByteArray::number(i), i);
    log.Flush();
    EXPECT_EQ(log.Text(0), QByteArray("HP10")) << "the queue keeps no more than a full log";
    log.Append("VP1", 0);
    log.Flush();
    EXPECT_EQ(log.LoggedRows(), limit);
    EXPECT_EQ(log.Text(0), QByteArray("HP11")) << "a full log drops its oldest row";
    EXPECT_EQ(log.Find(QStringLiteral("hp11"), limit - 1, true), 0) << "wraps";
    EXPECT_EQ(log.Find(QStringLiteral("nothing"), 0, true), -1);

    Console c;
    c.form->show();
    QByteArray burst;
    for (int i = 0; i < 300; ++i)
        burst += "VP" + QByteArray::number(i) + "\r\n";
    c.reply(burst);
    QScrollBar* bar = c.form->StringGrid_Received->verticalScrollBar();
    EXPECT_EQ(bar->value(), bar->maximum());
    bar->setValue(0);
    c.reply("HP1\r\n");
    EXPECT_EQ(bar->value(), 0) << "no jump while the user reads older rows";
    c.form->Panel_Received->Edit_Find->setText(QStringLiteral("vp29"));
    c.form->FindNext();
    c.form->FindNext();
    EXPECT_EQ(c.form->StringGrid_Received->currentIndex().row(), 290) << "the next match on";
    bar->setValue(bar->maximum());
    c.reply("HP2\r\n");
    EXPECT_EQ(bar->value(), bar->maximum()) << "at the bottom again: it follows";
}

// ---- Layout ------------------------------------------------------------------------------------

TEST(ConsoleLayout, DividerStaysWithinFortyPixelsOfEitherEdge)
{
    EXPECT_EQ(ConsoleLayout::Compute(604, 777, 0).sendPane.width(), 259) << "260.5 rounds to even";
    EXPECT_EQ(ConsoleLayout::Compute(605, 777, 1000).offset, 170) << "p = q + o stops at h + 40";
    EXPECT_EQ(ConsoleLayout::Compute(605, 777, -1000).offset, -170) << "p stops at -40";

    // A drag past the edge is not remembered: the way back starts at the edge.
    Console c;
    c.form->show();
    c.form->DragDivider(5000);
    const int edge = c.form->Panel_Description->x();
    c.form->DragDivider(-10);
    EXPECT_EQ(c.form->Panel_Description->x(), edge - 10);
    EXPECT_TRUE(c.form->SettingsStore().SavePending());

    // Held beside its buttons, the strip drags the divider.
    QWidget* beside = c.form->Panel_Description->Button(0)->parentWidget();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(0, 5), QPointF(300, 300), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(beside, &press);
    QMouseEvent move(QEvent::MouseMove, QPointF(0, 5), QPointF(293, 300), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(beside, &move);
    EXPECT_EQ(c.form->Panel_Description->x(), edge - 17);
}
