// The pieces under the main window: the INI reader and writer with the Windows code page (and a
// label file made on Windows in the window), the text formats and the application error report.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "AboutDialog.h"
#include "ErrorReportBox.h"
#include "IniFile.h"
#include "MainMenus.h"
#include "MainWindowTestHarness.h"
#include "ReportCapture.h"
#include "TextFormat.h"
#include "WaitFor.h"
#include "Windows1252Codec.h"

using namespace tesso;

namespace
{

QString roundTrip(const QString& value)
{
    IniFile out;
    out.setValue(QStringLiteral("S"), QStringLiteral("k"), value);
    IniFile in;
    in.parse(out.serialize());
    return in.value(QStringLiteral("S"), QStringLiteral("k")).value_or(QStringLiteral("<missing>"));
}

} // namespace

TEST(IniFileTest, ValuesRoundTripExactly)
{
    for (const char* v :
         {"", "plain", "a,b;c=d", "\"both ends\"", "\"only start", "only end\"", "\"", "\"\"", "  lead",
          "trail  ", "[not a section]", "; not a comment", "# nor this", "Ünïcödé ß €", "日本語", "=="})
        EXPECT_EQ(roundTrip(QString::fromUtf8(v)), QString::fromUtf8(v)) << v;
    // A line break cannot be stored in a line.
    EXPECT_EQ(roundTrip(QStringLiteral("one\ntwo\r\nthree")), QStringLiteral("one two  three"));
}

TEST(IniFileTest, ReadsFilesWrittenElsewhere)
{
    IniFile ini;
    ini.parse(QByteArrayLiteral(
        "\xEF\xBB\xBF; comment\r\n[Lumio]\r\n  Input1 =  Deck A  \r\nINPUT2=\"  padded  \"\r\n"
        "[lumio]\r\nInput3=merged\r\nnoequals\r\n=novalue\r\n[broken\r\nInput4=x\r\n"));
    EXPECT_EQ(ini.value(QStringLiteral("LUMIO"), QStringLiteral("input1")), QStringLiteral("Deck A"));
    EXPECT_EQ(ini.value(QStringLiteral("Lumio"), QStringLiteral("Input2")), QStringLiteral("  padded  "));
    EXPECT_EQ(ini.value(QStringLiteral("Lumio"), QStringLiteral("Input3")), QStringLiteral("merged"));
    // "[broken" opens no section: the key stays in the last one.
    EXPECT_EQ(ini.value(QStringLiteral("Lumio"), QStringLiteral("Input4")), QStringLiteral("x"));
    EXPECT_FALSE(ini.value(QStringLiteral("Lumio"), QStringLiteral("noequals")).has_value());
    EXPECT_TRUE(ini.serialize().startsWith("\xEF\xBB\xBF[Lumio]\r\nInput1=Deck A\r\n"))
        << "mark and line ends kept";
    IniFile latin1; // a file that is not UTF-8
    latin1.parse(QByteArrayLiteral("[S]\nk=Cam\xe9ra\n"));
    EXPECT_EQ(latin1.value(QStringLiteral("S"), QStringLiteral("k")), QStringLiteral("Caméra"));
}

// Files made on Windows: every byte of the code page reads and writes back as itself; text the code
// page cannot hold is written as UTF-8 rather than lost.
TEST(IniFileTest, WindowsCodePageFilesWriteBackInTheirFormUnlessACharacterDoesNotFit)
{
    QByteArray all(256, '\0');
    for (int b = 0; b < 256; ++b)
        all[b] = static_cast<char>(b);
    const QString text = Windows1252Codec::decode(all);
    EXPECT_EQ(text.mid(0x7F, 4), QStringLiteral("\u007f\u20ac\u0081\u201a"));
    EXPECT_EQ(text.mid(0x9C, 5), QStringLiteral("\u0153\u009d\u017e\u0178\u00a0"));
    EXPECT_EQ(Windows1252Codec::encode(text), all);
    EXPECT_FALSE(Windows1252Codec::encode(u"\u0080").has_value()) << "0x80 is the euro sign";

    IniFile ini;
    ini.parse(QByteArrayLiteral("[S]\r\nk=\x80 \x92\r\n"));
    EXPECT_EQ(ini.value(QStringLiteral("S"), QStringLiteral("k")), QStringLiteral("\u20ac \u2019"));
    EXPECT_EQ(ini.serialize(), QByteArrayLiteral("[S]\r\nk=\x80 \x92\r\n"));
    ini.setValue(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("\u20ac \u65e5"));
    EXPECT_EQ(ini.serialize(), QByteArray("[S]\r\nk=\xE2\x82\xAC \xE6\x97\xA5\r\n"));
}

// A label file made on Windows is in its code page with CR LF: read as such, left alone while its
// labels stay the same, and written back in the same form when one changes.
TEST(MainWindowLabels, AWindowsLabelFileKeepsItsCodePageAndLineEnds)
{
    tesso::test::mainwindow::Harness h;
    QByteArray windows = "[Lumio]\r\nBlack=Noir\r\n";
    for (int k = 1; k <= 7; ++k) {
        const QByteArray n = QByteArray::number(k);
        windows += "Input" + n + (k == 1 ? QByteArray("=Rock\x92n \x80") : "=In " + n) + "\r\nAudio" + n +
                   "=Caf\xe9 " + n + "\r\n";
    }
    h.writeFile(QStringLiteral("Lumio.ini"), windows);
    h.startWith();
    h.connectDevice(57);
    EXPECT_EQ(h.main->PnlBtnInputs->BtnInput[0]->text(), QStringLiteral("Rock\u2019n \u20ac"));
    EXPECT_EQ(h.main->Menus->MenuAudio[6]->text(), QStringLiteral("Caf\u00e9 7"));
    auto bytes = [&] {
        QFile f(h.folder.filePath(QStringLiteral("Lumio.ini")));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    EXPECT_EQ(bytes(), windows) << "unchanged labels leave the file as it is";

    h.prompts.answers << QStringLiteral("\u201cB\u201d \u00e9");
    h.main->Menus->MenuInput[1]->trigger();
    EXPECT_EQ(bytes(), QByteArray(windows).replace("In 2", "\x93\x42\x94 \xe9")); // "B" in quotes, e acute
}

TEST(TextFormatTest, PlaceholdersFillInOrderAndVersionsArePadded)
{
    EXPECT_EQ(TextFormat::Format(QLatin1String("100%% %s %x %"), {QStringLiteral("done")}),
              QStringLiteral("100% done %x %"));
    EXPECT_EQ(TextFormat::Format(QLatin1String("%s-%s"), {QStringLiteral("one")}), QStringLiteral("one-"));
    EXPECT_EQ(AboutDialog::VersionText(1, 10, 0, 0), QStringLiteral("Version : 1.10.00.00"));
    EXPECT_EQ(AboutDialog::VersionText(12, 5, 7, 123), QStringLiteral("Version : 12.05.07.123"));
}

// ---- Application error report --------------------------------------------------------------------

TEST(ErrorReportBoxTest, OneBoxAtATimeAndRepeatsAreDropped)
{
    QStringList shown;
    std::function<void()> closeCurrent;
    ErrorReportBox report(nullptr, [&](const QString& message, std::function<void()> closed) {
        shown << message;
        closeCurrent = std::move(closed);
    });
    report.Install();
    tesso::reportError(QStringLiteral("port lost"));
    tesso::reportError(QStringLiteral("port lost"));
    tesso::reportError(QStringLiteral("range error"));
    tesso::reportError(QStringLiteral("range error"));
    EXPECT_EQ(shown, QStringList{QStringLiteral("port lost")});
    EXPECT_EQ(report.Waiting(), 1);
    EXPECT_EQ(report.Dropped(), 2);

    closeCurrent();
    ASSERT_TRUE(tesso::test::waitFor([&] { return shown.size() == 2; }));
    EXPECT_EQ(shown.last(), QStringLiteral("range error"));
    closeCurrent();
    ASSERT_TRUE(tesso::test::waitFor([&] { return !report.IsShowing(); }));
    // After the boxes are gone the same error is shown again when it happens again.
    tesso::reportError(QStringLiteral("port lost"));
    EXPECT_EQ(shown.size(), 3);
}

// A storm of distinct errors is bounded; once the box goes, the previous reporter is back.
TEST(ErrorReportBoxTest, AStormOfDistinctErrorsIsBoundedAndThePreviousReporterComesBack)
{
    tesso::test::ReportCapture previous;
    {
        int shown = 0;
        ErrorReportBox report(nullptr, [&](const QString&, std::function<void()>) { ++shown; });
        report.Install();
        for (int i = 0; i < 1000; ++i)
            tesso::reportError(QStringLiteral("error %1").arg(i));
        EXPECT_EQ(shown, 1);
        EXPECT_EQ(report.Waiting(), ErrorReportBox::MaxWaiting);
        EXPECT_EQ(report.Dropped(), 1000 - 1 - ErrorReportBox::MaxWaiting);
    }
    tesso::reportError(QStringLiteral("after"));
    EXPECT_EQ(previous.messages, QStringList{QStringLiteral("after")});
}

TEST(ErrorReportBoxTest, GuardedHandlerShowsAMessageBoxWithoutBlocking)
{
    ErrorReportBox report(nullptr);
    report.Install();
    const bool ok = tesso::guarded([] { throw std::runtime_error("TCOMPORT : cannot open COM9"); });
    EXPECT_FALSE(ok);
    // The call returned: the box is open, not running a loop of its own.
    QMessageBox* box = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("ErrorReportBox") && w->isVisible())
            box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QStringLiteral("TCOMPORT : cannot open COM9"));
    box->button(QMessageBox::Ok)->click();
    EXPECT_TRUE(tesso::test::waitFor([&] { return !report.IsShowing(); }));
}
