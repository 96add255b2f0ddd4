// The protocol debug console: its number conversions, the calculator's edit rules, the settings
// file, the variable list's order and hidden replies, the four sending modes, the paced file send
// on driven ticks, and the received log with its row limit. Opened from the main window, it is
// tested there (MainWindowDebugKey).

#include <gtest/gtest.h>

#include <cmath>

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTextBlock>
#include <QToolButton>

#include "CalcEdit.h"
#include "CalcKeypad.h"
#include "Calculator.h"
#include "CommandFile.h"
#include "ConsoleLayout.h"
#include "ConsoleMenus.h"
#include "ConsoleSender.h"
#include "Debug2007Ini.h"
#include "DebugConsole.h"
#include "DebugConversions.h"
#include "DebugSettingsStore.h"
#include "DialKnob.h"
#include "FileSender.h"
#include "IntervalDial.h"
#include "LogFolder.h"
#include "MainWindowTestHarness.h"
#include "QuickSendButtons.h"
#include "ReceivedLogModel.h"
#include "ReceivedPane.h"
#include "ReportCapture.h"
#include "SendMemo.h"
#include "TimedSend.h"
#include "VariableEntries.h"
#include "VariableList.h"

using namespace tesso;

using namespace tesso::debug;

namespace
{

constexpr std::uint64_t Max64 = ~std::uint64_t(0);

struct ScriptedPrompts : DebugPrompts {
    void Information(QWidget*, const QString& text) override { informations << text; }
    Pace AskTemporize(QWidget*) override { return pace; }
    std::optional<QString> AskText(QWidget*, const QString&, const QString&, const QString&) override
    {
        return answers.isEmpty() ? std::nullopt : answers.takeFirst();
    }
    QString OpenTextFile(QWidget*, const QString&) override { return fileToOpen; }
    std::optional<LogFile> SaveLogAs(QWidget*) override { return saveAs; }

    QStringList informations;
    Pace pace = Pace::Cancelled;
    QList<std::optional<QString>> answers;
    QString fileToOpen;
    std::optional<LogFile> saveAs;
};

void sendKey(QWidget* widget, int key, const QString& text = QString())
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(widget, &press);
}

// Each character as its key; a CR is Enter.
void typeInto(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        sendKey(widget, c == QLatin1Char('\r') ? int(Qt::Key_Return) : c.toUpper().unicode(), QString(c));
}

void click(QWidget* widget, const QPoint& at, Qt::MouseButton button = Qt::LeftButton)
{
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), button, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &release);
}

// A console on a scripted, connected serial link, heard through its own router.
struct Console {
    QTemporaryDir folder;
    tesso::test::ScriptedDriver driver;
    EventRouter router{*driver};
    ScriptedPrompts prompts;
    std::unique_ptr<DebugConsole> form;

    Console() { open(); }
    void open()
    {
        form = std::make_unique<DebugConsole>(nullptr, folder.path());
        form->setPrompts(&prompts);
        form->setLogFolder(folder.path());
        form->Clock = [] { return qint64(1700000000000); };
        form->setDriver(driver.driver.get(), &router);
        if (!driver.serial->active)
            driver.connectSerial();
    }
    // The console closed and opened again on the settings file given.
    void reopenWith(const QByteArray& ini)
    {
        form.reset();
        writeFile(QStringLiteral("Debug2007.ini"), ini);
        open();
    }
    QByteArray sent()
    {
        const QByteArray all = driver.serial->allWritten();
        driver.serial->written.clear();
        return all;
    }
    void reply(const QByteArray& lines)
    {
        driver.feed(lines);
        form->ReceivedLog->Flush();
    }
    void key(int key, const QString& text = QString()) { sendKey(form->Memo_Send, key, text); }
    void type(const QString& text) { typeInto(form->Memo_Send, text); }
    void enter() { type(QStringLiteral("\r")); }
    void setMode(bool direct, bool transmitCR)
    {
        (direct ? form->Menus->SendDirect : form->Menus->SendOnCarriageReturn)->trigger();
        if (form->Menus->TransmitCarriageReturn->isChecked() != transmitCR)
            form->Menus->TransmitCarriageReturn->trigger();
    }
    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile file(folder.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return file.fileName();
    }
    QByteArray readFile(const QString& name) const
    {
        QFile file(folder.filePath(name));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
    int entryRow(const QString& command, const QString& reply) const
    {
        const QStringList entries = form->_->Entries();
        for (int i = 0; i < entries.size(); ++i)
            if (VariableEntries::FirstWord(entries[i]) == command &&
                VariableEntries::SecondWord(entries[i]) == reply)
                return i;
        return -1;
    }
    // Space on the entry: the user toggles its check box.
    void toggleEntry(int row)
    {
        form->_->setCurrentRow(row);
        sendKey(form->_, Qt::Key_Space, QStringLiteral(" "));
    }
    void sendFile(const QByteArray& bytes, DebugPrompts::Pace pace)
    {
        prompts.fileToOpen = writeFile(QStringLiteral("commands.txt"), bytes);
        prompts.pace = pace;
        form->FileSend->sendTextFile();
    }
};

} // namespace

// ---- Conversions --------------------------------------------------------------------------------

TEST(DebugConversions, RoundTripOverSixteenBitsWithALeadingZeroFromRootTwoOn)
{
    for (std::uint64_t v = 0; v <= 65535; ++v) {
        const QString bin = IntToBin(v);
        ASSERT_EQ(BinToInt(bin), v) << v;
        ASSERT_EQ(BinToInt(HexToBin(HexText(v))), v) << v;
        ASSERT_EQ(ExtractValue("HP" + QByteArray::number(qulonglong(v))), v) << v;
        // One leading 0 exactly for 2^k * sqrt(2) <= v < 2^(k+1).
        const int k = v < 2 ? 0 : 63 - __builtin_clzll(v);
        const bool leading = v >= 2 && double(v) * double(v) >= std::ldexp(1.0, 2 * k + 1);
        ASSERT_EQ(bin.size(), k + 1 + (leading ? 1 : 0)) << v;
    }
}

TEST(DebugConversions, SixtyFourBitBoundariesAndOverflow)
{
    const QString ones(64, QLatin1Char('1'));
    EXPECT_EQ(IntToBin(Max64), QLatin1Char('0') + ones);
    EXPECT_EQ(BinToInt(QStringLiteral("000") + ones), Max64) << "leading zeros are free";
    EXPECT_EQ(BinToInt(QLatin1Char('1') + QString(64, QLatin1Char('0'))), std::nullopt);
    EXPECT_EQ(BinToInt(HexToBin(QStringLiteral("ffffffffffffffff"))), Max64);
    EXPECT_EQ(BinToInt(HexToBin(QStringLiteral("10000000000000000"))), std::nullopt);
    EXPECT_EQ(DecimalValue(QStringLiteral("18446744073709551615")), Max64);
    for (const char* bad : {"18446744073709551616", "-5", ""})
        EXPECT_EQ(DecimalValue(QString::fromLatin1(bad)), std::nullopt) << bad;
}

TEST(DebugConversions, MnemonicValueAndHexadecimalParts)
{
    EXPECT_EQ(ExtractMnemonic("-12VP"), QByteArray("-VP"));
    EXPECT_EQ(ExtractMnemonic(QByteArray("A \x01\x1f\x7f\x80\xff/:0", 10)), QByteArray("A\x7f/:"));
    EXPECT_EQ(ExtractValue("V-12,5"), 125u);
    EXPECT_EQ(ExtractValue("HP"), 0u);
    // A form the reply parser reads as hexadecimal, and a mnemonic whose X is no prefix.
    EXPECT_EQ(ExtractValue("HP$7B"), 123u);
    EXPECT_EQ(ExtractValue("FAEX10"), 10u);
    EXPECT_EQ(ExtractValue("x18446744073709551615"), Max64);
    EXPECT_EQ(ExtractValue("x18446744073709551616"), std::nullopt);
    EXPECT_EQ(HexToBin(QStringLiteral("F1")), QStringLiteral("011110001")) << "later digits take four";
    EXPECT_EQ(HexToBin(QStringLiteral("z1")), QStringLiteral("0001")) << "a skipped first digit counts";
}

// ---- Calculator ---------------------------------------------------------------------------------

TEST(CalcEdit, EditTableOfTheThreeRows)
{
    using R = CalcEdit::Rows;
    const R start{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")};
    EXPECT_EQ(CalcEdit::Edit(start, 0, QStringLiteral("05")), (R{"5", "101", "5"}));
    EXPECT_EQ(CalcEdit::Edit(start, 0, QStringLiteral("0")), (R{"0", "0", "0"}));
    EXPECT_EQ(CalcEdit::Edit(start, 0, QStringLiteral("-3")), (R{"-3", "0", "0"})) << "not a number: 0";
    EXPECT_EQ(CalcEdit::Edit(R{"7", "0111", "7"}, 0, QString()), (R{"", "0111", "7"}))
        << "empty: nothing else";
    EXPECT_EQ(CalcEdit::Edit(start, 1, QStringLiteral("1x1")), (R{"5", "101", "5"}));
    // Beyond 64 significant bits the others show 0.
    EXPECT_EQ(CalcEdit::Edit(start, 1, QStringLiteral("1") + QString(64, QLatin1Char('0')))[0],
              QStringLiteral("0"));
    EXPECT_EQ(CalcEdit::Edit(start, 2, QStringLiteral("FF")), (R{"255", "011111111", "FF"}));
    EXPECT_EQ(CalcEdit::Edit(start, 2, QStringLiteral("zz")), (R{"0", "", "zz"}));
}

TEST(CalcEdit, KeypadKeysPerRow)
{
    EXPECT_EQ(CalcEdit::KeyAt({98, 132}), 1) << "bounds inclusive";
    EXPECT_EQ(CalcEdit::KeyAt({60, 128}), 1) << "overlapping key 0: the first hit counts";
    EXPECT_EQ(CalcEdit::KeyAt({5, 5}), 0);
    EXPECT_EQ(CalcEdit::Press(13, CalcEdit::Decimal, QStringLiteral("1")), std::nullopt);
    EXPECT_EQ(CalcEdit::Press(10, CalcEdit::Binary, QStringLiteral("1")), QStringLiteral("10"));
    EXPECT_EQ(CalcEdit::Press(18, CalcEdit::Hexadecimal, QStringLiteral("E")), QStringLiteral("EF"));
    EXPECT_EQ(CalcEdit::Press(CalcEdit::Backspace, CalcEdit::Decimal, QStringLiteral("7")),
              QStringLiteral("0"));
}

TEST(Calculator, ReactsToTypingAndKeysButNotToItsOwnChanges)
{
    Calculator calc;
    calc.show();
    sendKey(calc.ValueCell(0), Qt::Key_5, QStringLiteral("5"));
    EXPECT_EQ(calc.Values(), (CalcEdit::Rows{"5", "101", "5"})) << "0 then 5 leaves 5";
    calc.setCurrentRow(CalcEdit::Binary);
    click(calc.Image2, CalcEdit::KeyRect(2).center());
    EXPECT_EQ(calc.Values()[1], QStringLiteral("101")) << "2 is no binary key";
    click(calc.Image2, CalcEdit::KeyRect(1).center());
    EXPECT_EQ(calc.Values(), (CalcEdit::Rows{"11", "1011", "B"}));
    calc.ValueCell(0)->setText(QStringLiteral("07"));
    EXPECT_EQ(calc.Values(), (CalcEdit::Rows{"07", "1011", "B"})) << "a programmatic change runs no rule";
    click(calc.Image1, {297, 10});
    EXPECT_TRUE(calc.isHidden()) << "the title bar's close area";
}

// ---- Settings file ------------------------------------------------------------------------------

TEST(Debug2007Ini, RoundTripAndReadingStopsAtTheFirstBadValue)
{
    Debug2007Ini::Content out;
    out.buttons[0] = {QStringLiteral("Input 1"), QStringLiteral("1CC")};
    for (std::size_t i = 0; i < out.checked.size(); ++i)
        out.checked[i] = i % 3 != 0;
    out.top = 10, out.left = -20, out.width = 605, out.height = 794;
    const QByteArray bytes = Debug2007Ini::Serialize(out);
    const QList<QByteArray> lines = bytes.split('\n');
    ASSERT_EQ(lines.size(), Debug2007Ini::LineCount + 1) << "149 lines, each ended";
    EXPECT_EQ(bytes.count('\r'), Debug2007Ini::LineCount);
    EXPECT_EQ(lines[0], QByteArray("0=Input 1;1CC\r"));
    EXPECT_EQ(lines[30], QByteArray("Checked0=False\r"));
    EXPECT_EQ(lines[148], QByteArray("SizeH=794\r"));
    Debug2007Ini::Content in;
    EXPECT_TRUE(Debug2007Ini::Parse(bytes, in).complete);
    EXPECT_EQ(in.buttons[0].StringToSend, QStringLiteral("1CC"));
    EXPECT_EQ(in.checked, out.checked);
    EXPECT_EQ(in.left, -20);
    EXPECT_EQ(in.height, 794);

    Debug2007Ini::Content truncated;
    truncated.checked.fill(false);
    const Debug2007Ini::ReadResult cut =
        Debug2007Ini::Parse(bytes.left(bytes.indexOf("Checked40=")), truncated);
    EXPECT_FALSE(cut.complete);
    EXPECT_EQ(cut.checksRead, 40);
    EXPECT_TRUE(truncated.checked[38]);
    EXPECT_FALSE(truncated.checked[40]) << "what was not read stays";
    EXPECT_EQ(truncated.top, std::nullopt);

    Debug2007Ini::Content odd;
    QByteArray text = "0=a;b;c\nCHECKED0=TRUE\r\nchecked1=0\rChecked2=7\nChecked2=False\nChecked3=maybe\n";
    const Debug2007Ini::ReadResult r = Debug2007Ini::Parse(text, odd);
    EXPECT_EQ(odd.buttons[0].Descriptor, QStringLiteral("a"));
    EXPECT_EQ(odd.buttons[0].StringToSend, QStringLiteral("bc")) << "further ; dropped";
    EXPECT_EQ(r.checksRead, 3) << "LF, CR LF and CR line ends, names in any case, the first line counts";
    EXPECT_EQ((std::vector<bool>{odd.checked[0], odd.checked[1], odd.checked[2]}),
              (std::vector<bool>{true, false, true}));
}

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
    EXPECT_TRUE(c.form->_->Hidden().Contains("#"));
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

// ---- Variable list ------------------------------------------------------------------------------

TEST(VariableEntries, OneFixedSortOrder)
{
    const QStringList sorted = VariableEntries::Sorted();
    ASSERT_EQ(sorted.size(), 115);
    QStringList firstWords;
    for (const QString& entry : sorted)
        firstWords << VariableEntries::FirstWord(entry);
    // Checked<i> in the settings file means the i-th entry of this order.
    EXPECT_EQ(
        firstWords.join(QLatin1Char(' ')),
        QStringLiteral(
            "# > ? @ B CC CN Cr CR D eS eT fA FD fE fF fM FM fN FO fR fS fs FS fT fX FY H ID IF IH II "
            "IK IL IO IP IS IT IV na nd ne nk np nr ns nt nw nx ny nz O oP oR oT oY PA PC PC PE PI PP PR "
            "QA QE QO QP QS RC rD rF rH rK rL RM RO rO rP rS rT rV S sM sS sT T tA ta tH tH tM tS U uA "
            "uT ut V W XA XF xi xk XR xs XT xU xv Y yC ye yl yo yP yS Z"));
    EXPECT_TRUE(sorted[88].contains(QStringLiteral("Hauteur")));
    EXPECT_TRUE(sorted[89].contains(QStringLiteral("TITLEHOLD")));
    EXPECT_FALSE(VariableEntries::LessThan(QStringLiteral("ab"), QStringLiteral("ab")));
}

TEST(HiddenMnemonics, DuplicateEntriesShareOneSlot)
{
    const QStringList entries = VariableEntries::Sorted();
    std::vector<bool> checked(115, true);
    HiddenMnemonics hidden(115);
    checked[57] = checked[58] = false; // both PC PCH
    hidden.Rebuild(entries, checked);
    EXPECT_EQ(std::count(hidden.Slots().begin(), hidden.Slots().end(), QStringLiteral("PCH")), 1);
    EXPECT_FALSE(hidden.Contains("pch")) << "exact case";
    checked[58] = true;
    hidden.Rebuild(entries, checked);
    EXPECT_FALSE(hidden.Contains("PCH")) << "the later checked twin empties the slot the walk filled";
    checked[57] = true;
    checked[58] = false;
    hidden.Rebuild(entries, checked);
    EXPECT_TRUE(hidden.Contains("PCH"));
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
    QListWidgetItem* query = c.form->_->item(c.entryRow(QStringLiteral("?"), QStringLiteral("DEV")));
    c.form->_->scrollToItem(query);
    click(c.form->_->viewport(), c.form->_->visualItemRect(query).center());
    EXPECT_EQ(c.driver.serial->writtenText(), QStringLiteral("?")) << "one byte, the CR dropped";

    // On its check box a click only toggles: no whole dump from the box of "#".
    QListWidgetItem* dump = c.form->_->item(c.entryRow(QStringLiteral("#"), QStringLiteral("#")));
    c.form->_->scrollToItem(dump);
    QStyleOptionViewItem option;
    option.initFrom(c.form->_);
    option.rect = c.form->_->visualItemRect(dump);
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    click(c.form->_->viewport(),
          c.form->_->style()
              ->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, c.form->_)
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

    c.driver->setConMode(MODE_RAW);
    c.type(QStringLiteral("X"));
    c.enter();
    c.form->Sender->SendTextDirect(QStringLiteral("#\r"));
    EXPECT_EQ(c.sent(), QByteArray()) << "nothing inside the picture stream";
    EXPECT_TRUE(c.form->Notice().contains(QStringLiteral("frame transfer")));
    c.driver->setConMode(MODE_VAR);

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
    EXPECT_TRUE(c.driver->ForceConn());
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
    c.driver->setConType(LinkType::Tcp);
    ASSERT_TRUE(c.driver->LinkConnected());
    c.form->FileSend->StartTimedSend("SHORT\r\n0123456789AB\r\nX\r\n");
    for (int i = 0; i < 5; ++i)
        c.form->FileSend->timedSend->Tick();
    EXPECT_EQ(c.driver.tcp->written, (QList<QByteArray>{"SHORT"}));
    EXPECT_EQ(report.messages.size(), 1) << report.messages.join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(c.form->FileSend->Dial);

    c.driver->setConType(LinkType::Serial);
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
    const ConsoleLayout right = ConsoleLayout::Compute(605, 777, 1000);
    EXPECT_EQ(right.offset, 170) << "p = q + o stops at h + 40";
    EXPECT_EQ(right.receivedPane.width(), 90);
    const ConsoleLayout left = ConsoleLayout::Compute(605, 777, -1000);
    EXPECT_EQ(left.offset, -170) << "p stops at -40";
    EXPECT_EQ(left.strip.x(), 90);

    // A drag past the edge is not remembered: the way back starts at the edge.
    Console c;
    c.form->show();
    c.form->DragDivider(5000);
    const int edge = c.form->Panel_Description->x();
    c.form->DragDivider(-10);
    EXPECT_EQ(c.form->Panel_Description->x(), edge - 10);
    EXPECT_TRUE(c.form->SettingsStore().SavePending());
}
