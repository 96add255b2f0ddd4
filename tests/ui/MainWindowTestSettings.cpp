// The pieces under the main window: the INI reader and writer, the settings files and their
// folder, the model table, the text formats and the application error report.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include "ConnectionSettings.h"
#include "Constante.h"
#include "ErrorReportBox.h"
#include "IniFile.h"
#include "ModelTable.h"
#include "ReportCapture.h"
#include "TextFormat.h"
#include "Unit_About.h"
#include "WaitFor.h"

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
    const QStringList values = {QString(),
                                QStringLiteral("plain"),
                                QStringLiteral("a,b;c=d"),
                                QStringLiteral("\"both ends\""),
                                QStringLiteral("\"only start"),
                                QStringLiteral("only end\""),
                                QStringLiteral("\""),
                                QStringLiteral("\"\""),
                                QStringLiteral("  lead"),
                                QStringLiteral("trail  "),
                                QStringLiteral("[not a section]"),
                                QStringLiteral("; not a comment"),
                                QStringLiteral("# nor this"),
                                QStringLiteral("Ünïcödé ß €"),
                                QStringLiteral("日本語"),
                                QStringLiteral("==")};
    for (const QString& v : values)
        EXPECT_EQ(roundTrip(v), v) << v.toStdString();
}

TEST(IniFileTest, LineBreaksInAValueBecomeSpaces)
{
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
}

TEST(IniFileTest, NonUtf8FileIsReadAsLatin1)
{
    IniFile ini;
    ini.parse(QByteArrayLiteral("[S]\nk=Cam\xe9ra\n"));
    EXPECT_EQ(ini.value(QStringLiteral("S"), QStringLiteral("k")), QStringLiteral("Caméra"));
}

TEST(IniFileTest, IntegersFallBackOnAnythingElse)
{
    IniFile ini;
    ini.parse(QByteArrayLiteral("[S]\na=12\nb=-3\nc=+4\nd=12x\ne=\nf= 7 \ng=99999999999\n"));
    const QString s = QStringLiteral("S");
    EXPECT_EQ(ini.readInteger(s, QStringLiteral("a"), -1), 12);
    EXPECT_EQ(ini.readInteger(s, QStringLiteral("b"), -1), -3);
    EXPECT_EQ(ini.readInteger(s, QStringLiteral("c"), -1), 4);
    EXPECT_EQ(ini.readInteger(s, QStringLiteral("d"), -1), -1);
    EXPECT_EQ(ini.readInteger(s, QStringLiteral("e"), -1), -1);
    EXPECT_EQ(ini.readInteger(s, QStringLiteral("f"), -1), 7);
    EXPECT_EQ(ini.readInteger(s, QStringLiteral("g"), -1), -1);
    EXPECT_EQ(ini.readInteger(s, QStringLiteral("missing"), 5), 5);
}

TEST(IniFileTest, SaveReplacesTheWholeFile)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("x.ini"));
    {
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Old]\nkey=value\n");
    }
    IniFile ini;
    ini.setInteger(QStringLiteral("New"), QStringLiteral("n"), 1);
    ASSERT_TRUE(ini.save(name));
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArrayLiteral("[New]\nn=1\n"));
    EXPECT_FALSE(ini.save(dir.filePath(QStringLiteral("missing/folder/x.ini"))));
}

TEST(ConnectionSettingsTest, FileNamesAndDefaults)
{
    QTemporaryDir dir;
    ConnectionSettings settings(dir.path(), QStringLiteral("Tesso remote control"));
    EXPECT_EQ(settings.ConnectionFileName(), dir.path() + QStringLiteral("/Tesso remote control.ini"));
    EXPECT_EQ(settings.LabelFileName(QStringLiteral("Lumio")), dir.path() + QStringLiteral("/Lumio.ini"));
    const ConnectionValues v = settings.ReadConnection();
    EXPECT_EQ(v.Port, -1);
    EXPECT_EQ(v.RemoteIp, QStringLiteral("192.168.0.10"));
    EXPECT_EQ(v.RemotePort, 10500);
    EXPECT_EQ(v.LocalPort, 10500);
    EXPECT_EQ(v.IpEnable, 0);
}

TEST(ConnectionSettingsTest, LabelsMissingFromTheFileTakeTheDefaults)
{
    QTemporaryDir dir;
    ConnectionSettings settings(dir.path(), QStringLiteral("T"));
    InputLabels defaults{QStringLiteral("Black"),
                         {QStringLiteral("a"), QStringLiteral("b")},
                         {QStringLiteral("A1"), QStringLiteral("A2")}};
    InputLabels partial{QStringLiteral("Nero"), {QStringLiteral("x")}, {}};
    ASSERT_TRUE(settings.WriteLabels(QStringLiteral("M"), partial));
    InputLabels read;
    ASSERT_TRUE(settings.ReadLabels(QStringLiteral("M"), defaults, read));
    EXPECT_EQ(read.Black, QStringLiteral("Nero"));
    EXPECT_EQ(read.Inputs, (QStringList{QStringLiteral("x"), QStringLiteral("b")}));
    EXPECT_EQ(read.Audios, defaults.Audios);
}

TEST(ConnectionSettingsTest, DefaultFolderIsWritable)
{
    const QString folder = ConnectionSettings::DefaultDirectory();
    ASSERT_FALSE(folder.isEmpty());
    EXPECT_TRUE(QFileInfo(folder).isWritable());
}

TEST(ModelTableTest, SupportedModelsAndPositions)
{
    EXPECT_FALSE(ModelTable::IsSupportedModel(0));
    EXPECT_TRUE(ModelTable::IsSupportedModel(57));
    EXPECT_TRUE(ModelTable::IsSupportedModel(58));
    for (std::int64_t code : {1LL, 32LL, 33LL, 40LL, 56LL, 59LL, -57LL, 57LL + (1LL << 32)})
        EXPECT_FALSE(IsSupportedModel(code)) << code;
    EXPECT_EQ(ModelIndex(0), -1);
    EXPECT_EQ(ModelIndex(57), 6);
    EXPECT_EQ(ModelIndex(58), 7);
    EXPECT_EQ(ModelIndex(40), -1);
    EXPECT_EQ(ModelTable::ModelName(6), QStringLiteral("Lumio"));
    EXPECT_EQ(ModelTable::ModelName(7), QStringLiteral("Snipa"));
    EXPECT_EQ(ModelTable::ModelName(-1), QString());
    EXPECT_EQ(ModelTable::ModelName(0), QString());
    EXPECT_EQ(ModelTable::InputCount(-1), 0);
    EXPECT_EQ(ModelTable::InputCount(3), 0);
    EXPECT_EQ(ModelTable::InputCount(7), 7);
    EXPECT_EQ(ModelTable::ExpectedFirmware(6), 16);
    EXPECT_EQ(ModelTable::ExpectedFirmware(-1), 0);
    EXPECT_EQ(ModelTable::EffectChoiceCount(6), 2);
    EXPECT_EQ(ModelTable::EffectChoiceCount(7), 0);
    EXPECT_EQ(ModelTable::DefaultInputLabel(6, 1), QStringLiteral("C.Video 1"));
    EXPECT_EQ(ModelTable::DefaultInputLabel(7, 7), QStringLiteral("PC 3"));
    EXPECT_EQ(ModelTable::DefaultInputLabel(7, 8), QString());
    EXPECT_EQ(ModelTable::DefaultInputLabel(-1, 1), QString());
    EXPECT_EQ(ModelTable::ConnectorName(4), QStringLiteral("Y/C(S.Video) / CVBS"));
    EXPECT_EQ(ModelTable::ConnectorName(8), QStringLiteral("DVI"));
    EXPECT_EQ(ModelTable::ConnectorName(9), QString());
}

TEST(TextFormatTest, PlaceholdersFillInOrder)
{
    EXPECT_EQ(TextFormat::Format(Constante::IniFileFormat, {QStringLiteral("/a/"), QStringLiteral("b")}),
              QStringLiteral("/a/b.ini"));
    EXPECT_EQ(TextFormat::Format(Constante::InputLabelFormat, 12), QStringLiteral("Input 12"));
    EXPECT_EQ(TextFormat::Format(Constante::ComDevicePathFormat, 3), QStringLiteral("\\\\.\\COM3"));
    EXPECT_EQ(TextFormat::Format(QLatin1String("100%% %s %x %"), {QStringLiteral("done")}),
              QStringLiteral("100% done %x %"));
    EXPECT_EQ(TextFormat::Format(QLatin1String("%s-%s"), {QStringLiteral("one")}), QStringLiteral("one-"));
}

TEST(AboutBoxTest, VersionTextPadsTheLastThreeParts)
{
    EXPECT_EQ(TAbout_Tesso::VersionText(1, 10, 0, 0), QStringLiteral("Version : 1.10.00.00"));
    EXPECT_EQ(TAbout_Tesso::VersionText(12, 5, 7, 123), QStringLiteral("Version : 12.05.07.123"));
}

// ---- Application error report --------------------------------------------------------------------

namespace
{

struct ShownBoxes {
    QStringList shown;
    std::function<void()> closeCurrent;
};

} // namespace

TEST(ErrorReportBoxTest, OneBoxAtATimeAndRepeatsAreDropped)
{
    ShownBoxes boxes;
    TErrorReportBox report(nullptr, [&](const QString& message, std::function<void()> closed) {
        boxes.shown << message;
        boxes.closeCurrent = std::move(closed);
    });
    report.Install();
    tesso::reportError(QStringLiteral("port lost"));
    tesso::reportError(QStringLiteral("port lost"));
    tesso::reportError(QStringLiteral("range error"));
    tesso::reportError(QStringLiteral("range error"));
    EXPECT_EQ(boxes.shown, QStringList{QStringLiteral("port lost")});
    EXPECT_EQ(report.Waiting(), 1);
    EXPECT_EQ(report.Dropped(), 2);

    boxes.closeCurrent();
    ASSERT_TRUE(tesso::test::waitFor([&] { return boxes.shown.size() == 2; }));
    EXPECT_EQ(boxes.shown.last(), QStringLiteral("range error"));
    boxes.closeCurrent();
    ASSERT_TRUE(tesso::test::waitFor([&] { return !report.IsShowing(); }));
    // After the boxes are gone the same error is shown again when it happens again.
    tesso::reportError(QStringLiteral("port lost"));
    EXPECT_EQ(boxes.shown.size(), 3);
}

TEST(ErrorReportBoxTest, AStormOfDistinctErrorsIsBounded)
{
    int shown = 0;
    TErrorReportBox report(nullptr, [&](const QString&, std::function<void()>) { ++shown; });
    report.Install();
    for (int i = 0; i < 1000; ++i)
        tesso::reportError(QStringLiteral("error %1").arg(i));
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(report.Waiting(), TErrorReportBox::MaxWaiting);
    EXPECT_EQ(report.Dropped(), 1000 - 1 - TErrorReportBox::MaxWaiting);
}

TEST(ErrorReportBoxTest, GuardedHandlerShowsAMessageBoxWithoutBlocking)
{
    TErrorReportBox report(nullptr);
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

TEST(ErrorReportBoxTest, PreviousReporterComesBack)
{
    tesso::test::ReportCapture previous;
    {
        TErrorReportBox report(nullptr, [](const QString&, std::function<void()>) {});
        report.Install();
        tesso::reportError(QStringLiteral("inside"));
    }
    tesso::reportError(QStringLiteral("after"));
    EXPECT_EQ(previous.messages, QStringList{QStringLiteral("after")});
}
