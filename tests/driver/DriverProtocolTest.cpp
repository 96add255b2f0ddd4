// Command encoding, the order of the driver's signals and the mirror's storing rules, through the driver on a
// scripted serial link. The parsing of lines on its own is ReplyParserTest's.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ReportCapture.h"
#include "TestLinks.h"
#include "WaitFor.h"

using namespace tesso;

namespace
{

using namespace tesso::test;

class Protocol : public ::testing::Test
{
  protected:
    ScriptedDriver d;
    ReportCapture report;
    std::vector<tVAR> reported; // every variableReported, in order
    void SetUp() override
    {
        d.connectSerial();
        QObject::connect(d.driver.get(), &DeviceDriver::variableReported,
                         [this](tVAR variable, quint32) { reported.push_back(variable); });
    }
    long reports(tVAR variable) const { return std::count(reported.begin(), reported.end(), variable); }
    void receive(const QByteArray& bytes) { d.feed(bytes); }
    QByteArray sent() const { return d.serial->allWritten(); }
    QByteArray takeSent()
    {
        const QByteArray all = sent();
        d.serial->written.clear();
        return all;
    }
};

// ---- Encoding -----------------------------------------------------------------------------------

TEST_F(Protocol, SetCommandIsDecimalValueThenMnemonicAndSignedValuesAreCheckedFirst)
{
    int sentEvents = 0;
    QObject::connect(d.driver.get(), &DeviceDriver::lineSent, [&] { ++sentEvents; });
    d->setBRGT(128);
    d->setFRESET(true);
    d->setICHNM(0);
    d->setADDRDBG(4294967295u);
    d->setVariable(_TAKE, 7); // by index, through the property: a boolean goes out as 1
    d->setVariable(_ICHM, 3); // read-only: nothing
    EXPECT_EQ(sent(), QByteArray("128B1Y0CN4294967295@1uT"));
    EXPECT_EQ(sentEvents, 5);
    EXPECT_EQ(d->BRGT(), 0u) << "a setter never writes the mirror";

    // Signed values are refused before sending.
    takeSent();
    EXPECT_THROW(d->setCOLOR(-1), ERangeError);
    EXPECT_THROW(d->setVariable(_COLOR, 0x80000000u), ERangeError);
    EXPECT_THROW(d->setLOCAL_PORT(-1), ERangeError);
    EXPECT_EQ(takeSent(), QByteArray("1na")) << "the port's selector has gone out before the check";
    d->setCOLOR(2147483647);
    EXPECT_EQ(sent(), QByteArray("2147483647O"));
}

TEST_F(Protocol, SetCommandIsDroppedWhileNotConnectedButQueriesAlwaysGo)
{
    ScriptedDriver fresh;
    fresh.serial->active = true;
    fresh->setBRGT(5);
    EXPECT_TRUE(fresh.serial->written.empty());
    fresh->queryVariable(_ICHM);
    fresh->queryVariable(_ILDREF);
    fresh->queryAll();
    EXPECT_EQ(fresh.serial->allWritten(), QByteArray("CCrL#\r\n"));
}

TEST_F(Protocol, CompositeSettersSendSelectorThenTheirParts)
{
    d->setLOCAL_IP(QStringLiteral("192.168.0.10"));
    d->setGATEWAY_IP(QStringLiteral("010.000.000.001")); // leading zeros are decimal
    d->setREMOTE_PORT(10500);
    EXPECT_EQ(takeSent(), QByteArray("1na192nw168nx0ny10nz3na10nw0nx0ny1nz2na10500np"));
    for (const char* bad : {"300.1.1.1", "1.2.3", "1.2.3.4.5", "a.b.c.d", "1..2.3", "-1.0.0.0", "1.2.3.4 "})
        d->setREMOTE_IP(QString::fromLatin1(bad));
    EXPECT_TRUE(d.serial->written.empty()) << sent().constData();

    const std::pair<const char*, const char*> masks[] = {{"255.255.255.0", "8nk"}, {"255.255.255.255", "0nk"},
                                                         {"0.0.0.0", "32nk"},      {"255.255.255.254", "1nk"},
                                                         {"255.0.255.0", "24nk"},  {"255.255.256.0", ""}};
    for (const auto& [mask, wire] : masks) {
        d->setNETMASK(QString::fromLatin1(mask));
        EXPECT_EQ(takeSent(), QByteArray(wire)) << mask;
    }
}

TEST_F(Protocol, TcpRefusesCommandsLongerThanTenCharacters)
{
    d->setLinkType(LinkType::Tcp);
    d.tcp->active = true;
    d.tcp->written.clear();
    d->sendText("0123456789");
    EXPECT_THROW(d->sendText("0123456789A"), ERangeError);
    EXPECT_EQ(d.tcp->written, QList<QByteArray>{"0123456789"});
}

// ---- Signals of a reply ------------------------------------------------------------------------

TEST_F(Protocol, EveryMatchedReplyIsSignalledInTheDescribedOrder)
{
    std::vector<std::string> order;
    DeviceDriver* driver = d.driver.get();
    QObject::connect(driver, &DeviceDriver::lineReceived,
                     [&](const QByteArray& line) { order.push_back("rec:" + line.toStdString()); });
    QObject::connect(driver, &DeviceDriver::variableReported, [&](tVAR variable, quint32 value) {
        order.push_back("var" + std::to_string(variable) + ":" + std::to_string(value) + "/" +
                        std::to_string(d->TAKE()));
    });
    QObject::connect(driver, &DeviceDriver::replyApplied, [&](tVAR variable, const QByteArray& line) {
        order.push_back("applied:" + std::to_string(variable) + ":" + line.toStdString());
    });
    receive("TAKE\r\nTAKE2\r\nTAKE256\r\nIPA_7\r\n");
    EXPECT_EQ(order, (std::vector<std::string>{"rec:TAKE", "var96:0/0", "applied:96:TAKE", "rec:TAKE2",
                                               "var96:2/1", "applied:96:TAKE2", "rec:TAKE256", "var96:0/0",
                                               "applied:96:TAKE256", "rec:IPA_7", "applied:115:IPA_7"}));
}

TEST_F(Protocol, DeviceQueryAllAndDollarRepliesHaveTheirOwnEvents)
{
    int busy = 0;
    QObject::connect(d.driver.get(), &DeviceDriver::busy, [&] { ++busy; });
    receive("DEV57\r\n");
    EXPECT_EQ(reports(_DEV), 2) << "before and after the busy check";
    EXPECT_EQ(busy, 0);
    receive("DEV57\r\n");
    EXPECT_EQ(reports(_DEV), 4);
    EXPECT_EQ(busy, 1);
    receive("CH1\r\nDEV58\r\n");
    EXPECT_EQ(busy, 1);
    EXPECT_EQ(d->DEV(), 58u);

    // The query-all's end is reported as "#"; "$" is reported as itself.
    receive("#1\r\n");
    EXPECT_TRUE(d->Queryall());
    receive("#\r\n$5\r\n");
    EXPECT_FALSE(d->Queryall());
    EXPECT_EQ(reports(_DIESE), 2);
    EXPECT_EQ(d->DOLLARS(), 5u);
}

// ---- Storing rules -------------------------------------------------------------------------------

TEST_F(Protocol, AddressRepliesFillTheTableSelectedByPadipAndTheMaskIsDotted)
{
    receive("ADIP0\r\nIPA_192\r\nIPB_168\r\nIPC_0\r\nIPD_10\r\n");
    EXPECT_EQ(d->LOCAL_IP(), QStringLiteral("192.168.0.10"));
    EXPECT_EQ(d->REMOTE_IP(), QStringLiteral("192.168.0.10"));
    EXPECT_EQ(d->GATEWAY_IP(), QStringLiteral("192.168.0.10"));
    receive("ADIP3\r\nIPA_10\r\nPORT80\r\n");
    EXPECT_EQ(d->GATEWAY_IP(), QStringLiteral("10.168.0.10"));
    EXPECT_EQ(d->LOCAL_IP(), QStringLiteral("192.168.0.10"));
    EXPECT_EQ(d->LOCAL_PORT(), 0);
    EXPECT_EQ(d->REMOTE_PORT(), 0);
    receive("ADIP0\r\nPORT10500\r\nADIP2\r\nPORT7\r\nADIP4\r\nIPA_1\r\n");
    EXPECT_EQ(d->LOCAL_PORT(), 10500);
    EXPECT_EQ(d->REMOTE_PORT(), 7);
    EXPECT_EQ(d->LOCAL_IP(), QStringLiteral("192.168.0.10"));
    EXPECT_EQ(d->IP4(), 0u) << "octet mirrors are never written by replies";
    EXPECT_EQ(reports(_IP4) + reports(_PORT), 0);

    // The mask comes as its number of host bits.
    const std::pair<const char*, const char*> masks[] = {
        {"NTMK16", "255.255.0.0"}, {"NTMK0", "255.255.255.255"}, {"NTMK30", "192.0.0.0"}};
    for (const auto& [line, mask] : masks) {
        receive(QByteArray(line) + "\r\n");
        EXPECT_EQ(d->NETMASK(), QString::fromLatin1(mask)) << line;
    }
}

TEST_F(Protocol, PerInputRepliesFollowPchan)
{
    receive("PCH3\r\nPRGB7\r\nPEN1\r\nPSTD2\r\nPPRC1\r\nPRAR1\r\nPCH8\r\nPRGB4\r\n");
    EXPECT_EQ(d->PRGBIByInput(3), 7u);
    EXPECT_EQ(d->PRGBIByInput(8), 4u);
    EXPECT_EQ(d->mirrorValueOfInput(_PENA, 3), 1u);
    EXPECT_EQ(d->mirrorValueOfInput(_PISTD, 3), 2u);
    EXPECT_EQ(d->mirrorValueOfInput(_PPROC, 3), 1u);
    EXPECT_EQ(d->mirrorValueOfInput(_REFASP, 3), 1u);
    EXPECT_EQ(reports(_PRGBI), 2);
    // Outside the array: 5 for the signal type, 0 or false for the others; writes ignored.
    EXPECT_EQ(d->PRGBIByInput(9), 5u);
    EXPECT_EQ(d->PRGBIByInput(-1), 5u);
    EXPECT_EQ(d->mirrorValueOfInput(_PENA, 9), 0u);
    EXPECT_EQ(d->mirrorValueOfInput(_PISTD, 100), 0u);
    d->setPRGBIByInput(2, 7);
    d->setPRGBIByInput(9, 7);
    EXPECT_EQ(d->PRGBIByInput(2), 7u);
    EXPECT_EQ(d->PRGBIByInput(9), 5u);
    EXPECT_TRUE(d.serial->written.empty()) << "the array writer sends nothing";
}

// A range error used to leave the lines after it waiting for more data, for ever if none came.
TEST_F(Protocol, ValuesThatDoNotFitAreReportedChangeNoEventAndHoldUpNoLaterLine)
{
    receive(
        "COL2147483648\r\nNTMK31\r\nPORT2147483648\r\nIPA_2147483648\r\nPCH9\r\nPRGB6\r\nCH-3\r\nBRG128\r\n");
    ASSERT_TRUE(waitFor([&] { return d->BRGT() == 128u; }));
    ASSERT_EQ(report.messages.size(), 6);
    EXPECT_TRUE(report.messages.last().contains(QStringLiteral("CH-3")));
    EXPECT_EQ(reports(_COLOR) + reports(_PRGBI) + reports(_NETMASK), 0);
    EXPECT_EQ(d->PRGBI(), 6u) << "the field is written before the input is checked";
    receive("COL2147483647\r\n");
    EXPECT_EQ(d->COLOR(), 2147483647);
}

TEST_F(Protocol, EveryReadableVariableRoundTripsThroughItsReplyMnemonic)
{
    for (const tesso::VariableInfo& v : tesso::Catalogue) {
        if (v.scope != tesso::Scope::DEVICE || v.index == _NETMASK || v.index == _DEV)
            continue;
        reported.clear();
        receive(QByteArray(v.reply) + "1\r\n");
        EXPECT_EQ(reported, std::vector<tVAR>{v.index}) << v.reply;
        EXPECT_EQ(d->mirrorValue(v.index), 1u) << v.reply;
    }
}

} // namespace
