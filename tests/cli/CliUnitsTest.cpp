// The command line, escapes and variable names of tesso-cli, without a device.
#include <gtest/gtest.h>

#include <utility>

#include <QTemporaryDir>

#include "CliCommands.h"
#include "CliOptions.h"
#include "CliProfiles.h"
#include "CliSession.h"
#include "ConnectionSettings.h"
#include "DeviceDriver.h"
#include "Errors.h"
#include "EscapeText.h"
#include "ProfileStore.h"
#include "QueryAllDump.h"
#include "SettingsFileKeys.h"
#include "TestLinks.h"
#include "VariableAccess.h"
#include "VariableNames.h"

using namespace tesso;

namespace
{

CliOptions parse(const char* line)
{
    return CliOptions::parse(QString::fromLatin1(line).split(QLatin1Char(' '), Qt::SkipEmptyParts));
}

} // namespace

TEST(CliOptionsTest, LinksAndPorts)
{
    CliOptions o = parse("--tcp 10.0.0.5 detect");
    ASSERT_TRUE(o.ok()) << o.error().toStdString();
    EXPECT_EQ(o.link(), CliOptions::Link::Tcp);
    EXPECT_EQ(o.host(), QStringLiteral("10.0.0.5"));
    EXPECT_EQ(o.remotePort(), 10500);

    o = parse("--udp=dev.local:65535 --local-port 0 --force-conn --timeout 0.5 get ichm brgt");
    ASSERT_TRUE(o.ok()) << o.error().toStdString();
    EXPECT_EQ(o.link(), CliOptions::Link::Udp);
    EXPECT_EQ(o.host(), QStringLiteral("dev.local"));
    EXPECT_EQ(o.remotePort(), 65535);
    EXPECT_EQ(o.localPort(), 0);
    EXPECT_TRUE(o.forceConn());
    EXPECT_EQ(o.timeoutSeconds(), 0.5);
    EXPECT_EQ(o.command(), QStringLiteral("get"));
    EXPECT_EQ(o.arguments(), (QStringList{QStringLiteral("ichm"), QStringLiteral("brgt")}));

    o = parse("--serial COM2 raw --not-an-option");
    ASSERT_TRUE(o.ok()) << o.error().toStdString();
    EXPECT_EQ(o.serialPort(), QStringLiteral("COM2"));
    EXPECT_EQ(o.arguments(), QStringList{QStringLiteral("--not-an-option")}); // after the command
}

TEST(CliOptionsTest, UsageErrors)
{
    // Commands with too few or too many arguments are CliCommandsTest's, row by row.
    for (const char* bad : {
             "",
             "detect",
             "--tcp 1.2.3.4",
             "--tcp 1.2.3.4 --udp 1.2.3.4 detect",
             "--tcp 1.2.3.4:0 detect",
             "--tcp 1.2.3.4:65536 detect",
             "--tcp :10500 detect",
             "--tcp 1.2.3.4:x detect",
             "--tcp 1.2.3.4 --local-port 5 detect",
             "--udp 1.2.3.4 --local-port 70000 detect",
             "--tcp 1.2.3.4 --timeout 0 detect",
             "--tcp 1.2.3.4 --timeout abc detect",
             "--tcp 1.2.3.4 --bogus detect",
             "--timeout",
         }) {
        const CliOptions o = parse(bad);
        EXPECT_FALSE(o.ok()) << "accepted: " << bad;
        EXPECT_FALSE(o.error().isEmpty()) << bad;
    }
    EXPECT_TRUE(parse("--help").help());
    EXPECT_TRUE(parse("--tcp 1.2.3.4 --version").version());
}

TEST(CliCommandsTest, EveryRowIsInTheHelpAndTakesExactlyItsArguments)
{
    const QString help = CliOptions::usage();
    for (const CliCommands::Command& row : CliCommands::all()) {
        EXPECT_TRUE(help.contains(QStringLiteral("\n  ") + QLatin1String(row.synopsis))) << row.name;
        // The name in any case, with the fewest arguments, then one too few and one too many.
        const QStringList head{QStringLiteral("--serial"), QStringLiteral("COM1"),
                               QString::fromLatin1(row.name).toUpper()};
        QStringList arguments = head;
        for (int i = 0; i < row.arguments.fewest; ++i)
            arguments << QStringLiteral("a");
        const CliOptions fewest = CliOptions::parse(arguments);
        ASSERT_TRUE(fewest.ok()) << row.name << ": " << fewest.error().toStdString();
        EXPECT_EQ(fewest.commandRow(), &row);
        if (row.arguments.fewest > 0) {
            EXPECT_EQ(CliOptions::parse(arguments.mid(0, arguments.size() - 1)).error(),
                      QLatin1String(row.refusal));
        }
        if (row.arguments.most >= 0) {
            while (arguments.size() <= head.size() + row.arguments.most)
                arguments << QStringLiteral("b");
            EXPECT_EQ(CliOptions::parse(arguments).error(), QLatin1String(row.refusal)) << row.name;
        }
    }
    EXPECT_EQ(parse("--serial COM1 frobnicate").error(), QStringLiteral("unknown command 'frobnicate'"));

    // The option after the file belongs to its command only, and upload wants the serial line.
    EXPECT_TRUE(parse("--serial COM1 restore f --dry-run").dryRun());
    EXPECT_EQ(parse("--serial COM1 upload f --fit crop").fit(), QStringLiteral("crop"));
    EXPECT_FALSE(parse("--serial COM1 restore f --fit crop").ok());
    EXPECT_FALSE(parse("--serial COM1 upload f --dry-run").ok());
    EXPECT_FALSE(parse("--serial COM1 upload f --fit").ok());
    EXPECT_FALSE(parse("--tcp 1.2.3.4 upload f").ok());
}

// A profile's link is the one its window saved; the profiles are listed without any link.
TEST(CliProfilesTest, AProfileGivesTheLinkItsWindowSaved)
{
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    const ProfileStore store;
    const auto save = [&](const char* name, int ipEnable, int port, const char* model,
                          const char* device = "") {
        ASSERT_FALSE(store.create(QLatin1String(name)).has_value());
        ConnectionValues v;
        v.Port = port;
        v.IpEnable = ipEnable;
        v.RemoteIp = QStringLiteral("127.0.0.9");
        v.RemotePort = 4001;
        v.LocalPort = 4002;
        v.LastModel = QLatin1String(model);
        v.SerialDevice = QLatin1String(device);
        ConnectionSettings(store.folder(QLatin1String(name)), QString(SettingsFileKeys::ConnectionFileTitle))
            .WriteConnection(v);
    };
    save("Stage left", 0, 2, "Lumio");
    save("Booth", 2, 0, "");
    save("Foyer", 1, 0, "Snipa");
    save("Desk", 0, 4, "", "/dev/serial/by-id/usb-Maker_A1-if00-port0");
    ASSERT_FALSE(store.create(QStringLiteral("Fresh")).has_value()); // never opened in a window

    const CliOptions serial = parse("--profile Stage_left get ICHM");
    EXPECT_FALSE(serial.ok()) << "no such profile";
    const CliOptions stage = CliOptions::parse({QStringLiteral("--profile"), QStringLiteral("Stage left"),
                                                QStringLiteral("get"), QStringLiteral("ICHM")});
    ASSERT_TRUE(stage.ok()) << stage.error().toStdString();
    EXPECT_EQ(stage.link(), CliOptions::Link::Serial);
    EXPECT_EQ(stage.serialPort(), QStringLiteral("COM3"));
    const CliOptions booth = parse("--profile=Booth get ICHM");
    ASSERT_TRUE(booth.ok()) << booth.error().toStdString();
    EXPECT_EQ(booth.link(), CliOptions::Link::Tcp);
    EXPECT_EQ(booth.host(), QStringLiteral("127.0.0.9"));
    EXPECT_EQ(booth.remotePort(), 4001);
    const CliOptions foyer = parse("--profile Foyer monitor");
    EXPECT_EQ(foyer.link(), CliOptions::Link::Udp);
    EXPECT_EQ(foyer.localPort(), 4002);
    EXPECT_EQ(parse("--profile Desk get ICHM").serialPort(),
              QStringLiteral("/dev/serial/by-id/usb-Maker_A1-if00-port0"))
        << "a port chosen by its path, not the COM port kept beside it";

    EXPECT_TRUE(parse("--profile Fresh get ICHM").error().contains(QStringLiteral("no link yet")));
    EXPECT_TRUE(
        parse("--profile Booth --tcp 127.0.0.1 get ICHM").error().contains(QStringLiteral("not both")));
    EXPECT_TRUE(
        parse("--profile ../etc get ICHM").error().contains(QStringLiteral("cannot be a profile name")));
    EXPECT_TRUE(parse("profiles").ok());
    EXPECT_FALSE(parse("get ICHM").ok());
    EXPECT_EQ(
        CliProfiles::list(),
        (QStringList{QStringLiteral("Booth\t--tcp 127.0.0.9:4001\t-"),
                     QStringLiteral("Desk\t--serial /dev/serial/by-id/usb-Maker_A1-if00-port0\t-"),
                     QStringLiteral("Foyer\t--udp 127.0.0.9:4001 --local-port 4002\tSnipa"),
                     QStringLiteral("Fresh\t-\t-"), QStringLiteral("Stage left\t--serial COM3\tLumio")}));
    qunsetenv("XDG_CONFIG_HOME");
}

TEST(EscapeTextTest, DecodesTheCEscapes)
{
    QByteArray bytes;
    QString error;
    ASSERT_TRUE(EscapeText::decode(QByteArrayLiteral("#\\r\\n"), bytes, error));
    EXPECT_EQ(bytes, QByteArrayLiteral("#\r\n"));
    ASSERT_TRUE(EscapeText::decode(QByteArrayLiteral("a\\\\b\\x3f\\x00\\xFf"), bytes, error));
    EXPECT_EQ(bytes, QByteArray("a\\b?\0\xff", 6));
    ASSERT_TRUE(EscapeText::decode(QByteArray(), bytes, error));
    EXPECT_TRUE(bytes.isEmpty());

    for (const char* bad : {"abc\\", "\\x4", "\\xg0", "\\t", "\\x"}) {
        error.clear();
        EXPECT_FALSE(EscapeText::decode(QByteArray(bad), bytes, error)) << bad;
        EXPECT_FALSE(error.isEmpty()) << bad;
    }
}

TEST(VariableNamesTest, NamesPropertiesAnyCase)
{
    // Variable names and property names, in any case, first and last of the catalogue.
    const std::pair<const char*, tVAR> names[] = {{"ichm", _ICHM},        {"unity", _UNIT},
                                                  {"famodem_", _FAMODEM}, {"queryall", _DIESE},
                                                  {"ADDRDBG", _ADDRDBG},  {"DOLLARS", _DOLLARS}};
    for (const auto& [name, index] : names)
        EXPECT_EQ(VariableNames::find(QString::fromLatin1(name)), index) << name;
    EXPECT_FALSE(VariableNames::find(QStringLiteral("_ICHM")));
    EXPECT_FALSE(VariableNames::find(QString()));

    EXPECT_EQ(VariableNames::closest(QStringLiteral("ICHMM")), QStringLiteral("ICHM"));
    EXPECT_EQ(VariableNames::closest(QStringLiteral("famode")), QStringLiteral("FAMODEM"));
    EXPECT_EQ(VariableNames::closest(QStringLiteral("BRIGHT")), QStringLiteral("BRGT"));
}

TEST(VariableAccessTest, AssignmentsAreCheckedBeforeSending)
{
    VariableAccess::Assignment a;
    QString error;
    ASSERT_TRUE(VariableAccess::parseAssignment(QStringLiteral("brgt=4294967295"), a, error));
    EXPECT_EQ(a.index, _BRGT);
    EXPECT_EQ(a.number, 4294967295LL);
    ASSERT_TRUE(VariableAccess::parseAssignment(QStringLiteral("COLOR=-2147483648"), a, error));
    EXPECT_EQ(a.number, -2147483648LL);
    ASSERT_TRUE(VariableAccess::parseAssignment(QStringLiteral("IFRZM=true"), a, error));
    EXPECT_EQ(a.number, 1);
    ASSERT_TRUE(VariableAccess::parseAssignment(QStringLiteral("NETMASK=255.255.255.0"), a, error));
    EXPECT_EQ(a.text, QStringLiteral("255.255.255.0"));
    ASSERT_TRUE(VariableAccess::parseAssignment(QStringLiteral("hpos=$1F"), a, error));
    EXPECT_EQ(a.number, 31);
    // The composite properties (an address in plain decimal: CliEndToEnd): the answer ends with the
    // last octet or the port.
    ASSERT_TRUE(VariableAccess::parseAssignment(QStringLiteral("REMOTE_PORT=0"), a, error));
    EXPECT_EQ(a.composite, VariableAccess::Composite::RemotePort);
    EXPECT_EQ(a.index, _PORT);

    const struct {
        const char* argument;
        const char* says;
    } refused[] = {
        {"BRGT=4294967296", "does not fit"},
        {"BRGT=-1", "does not fit"},
        {"BRGT=12a", "does not fit"},
        {"COLOR=2147483648", "does not fit"},
        {"IFRZM=2", "0 or 1"},
        {"NETMASK=255.255.255", "dotted mask"},
        {"UNIT=5", "read-only"},
        {"PORT=1", "LOCAL_PORT or REMOTE_PORT"},
        {"LOCAL_IP=192.168.0", "dotted address"},
        {"REMOTE_PORT=65536", "does not fit"},
        {"DIESE=1", "read-only"},
        {"BRGTX=1", "did you mean BRGT"},
        {"BRGT", "NAME=VALUE"},
    };
    for (const auto& r : refused) {
        error.clear();
        EXPECT_FALSE(VariableAccess::parseAssignment(QString::fromLatin1(r.argument), a, error))
            << r.argument;
        EXPECT_TRUE(error.contains(QLatin1String(r.says))) << r.argument << ": " << error.toStdString();
    }
}

TEST(VariableAccessTest, PrintedValuesFollowTheStorage)
{
    tesso::test::ScriptedDriver driver;
    driver.feed(
        QByteArrayLiteral("COL2147483647\r\nFRZ257\r\nNTMK8\r\nCH3\r\nADIP2\r\nIPA_10\r\nPORT4001\r\n"));
    EXPECT_EQ(VariableAccess::valueText(*driver, _COLOR), QStringLiteral("2147483647"));
    EXPECT_EQ(VariableAccess::valueText(*driver, _IFRZM), QStringLiteral("1"));
    EXPECT_EQ(VariableAccess::valueText(*driver, _NETMASK), QStringLiteral("255.255.255.0"));
    EXPECT_EQ(VariableAccess::replyLines(*driver, _ICHM, QByteArrayLiteral("CH3")),
              QStringList{QStringLiteral("ICHM=3")});
    EXPECT_EQ(VariableAccess::replyLines(*driver, _IP4, QByteArrayLiteral("IPA_10")),
              (QStringList{QStringLiteral("IP4=10"), QStringLiteral("REMOTE_IP=10.0.0.0")}));
    EXPECT_EQ(VariableAccess::replyLines(*driver, _PORT, QByteArrayLiteral("PORT4001")),
              (QStringList{QStringLiteral("PORT=4001"), QStringLiteral("REMOTE_PORT=4001")}));

    EXPECT_EQ(CliSession::modelName(58), QStringLiteral("Snipa"));
    EXPECT_EQ(CliSession::modelName(40), QStringLiteral("unknown"));
}

TEST(QueryAllDumpTest, CompleteOnlyWithEveryVariableAndTheClosingLine)
{
    tesso::test::ScriptedDriver driver;
    QueryAllDump dump;
    for (const tesso::VariableInfo& v : tesso::Catalogue) {
        if (v.index == _DIESE || v.index == _BRGT)
            continue;
        dump.add(v.index, QByteArray(v.reply) + "7");
    }
    EXPECT_FALSE(dump.ended());
    dump.add(_DIESE, "#1");
    EXPECT_TRUE(dump.ended());
    EXPECT_FALSE(dump.complete());
    EXPECT_EQ(dump.missing(5), QStringList{QStringLiteral("BRGT")});
    dump.add(_BRGT, "BRG9");
    dump.add(_BRGT, "BRG9"); // a repeat is one variable still
    EXPECT_TRUE(dump.complete());
    const QStringList lines = dump.lines(*driver);
    EXPECT_EQ(lines.size(), tesso::VariableCount + 5) << "each variable once, then the five addresses";
    EXPECT_TRUE(lines.contains(QStringLiteral("IP4=7"))) << "octets from their own line";
    EXPECT_EQ(lines.last(), QStringLiteral("REMOTE_PORT=0"));
}
