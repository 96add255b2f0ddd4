// Command encoding, reply parsing and the change-event rule of the driver.
#include <random>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ErrorReport.h"
#include "ReportCapture.h"
#include "TestLinks.h"

namespace {

using namespace tesso::test;

class Protocol : public ::testing::Test {
protected:
    ScriptedDriver d;
    void SetUp() override { d.connectSerial(); }

    // Appends bytes and parses them as the serial receive path does, letting errors escape.
    void receive(const QByteArray& bytes) { d->SerialDataReceived(bytes); }
    QByteArray sent() const { return d.serial->allWritten(); }
};

// ---- Catalogue ----------------------------------------------------------------------------------

TEST(Catalogue, MnemonicsAreWellFormedAndReplyPrefixesDistinct)
{
    std::set<std::string> replies;
    for (int i = 0; i < tesso::VariableCount; ++i) {
        const auto& v = tesso::Catalogue[i];
        const std::string reply = v.reply, command = v.command;
        EXPECT_GE(reply.size(), 1u) << i;
        EXPECT_LE(reply.size(), 4u) << i;
        EXPECT_GE(command.size(), 1u) << i;
        EXPECT_LE(command.size(), 2u) << i;
        EXPECT_EQ(std::string(ReplyMnemonics[i]), reply);
        EXPECT_EQ(std::string(CommandMnemonics[i]), command);
        EXPECT_TRUE(replies.insert(reply).second) << "duplicate reply mnemonic " << reply;
    }
}

TEST(Catalogue, NamesAndIndicesOfLandmarkVariables)
{
    EXPECT_EQ(_ADDRDBG, 0);
    EXPECT_EQ(_ICHM, 11);
    EXPECT_EQ(_PCHAN, 52);
    EXPECT_EQ(_PORT, 119);
    EXPECT_EQ(_DIESE, 124);
    EXPECT_STREQ(tesso::Catalogue[_UNIT].name, "UNIT");
    EXPECT_STREQ(tesso::Catalogue[_UNIT].property, "UNITy");
    EXPECT_STREQ(tesso::Catalogue[_FAMODEM].property, "FAMODEM_");
    EXPECT_STREQ(tesso::Catalogue[_DIESE].property, "Queryall");
    EXPECT_EQ(tesso::Catalogue[_DEV].access, tesso::Access::FIELD);
    EXPECT_EQ(tesso::Catalogue[_COLOR].storage, tesso::Storage::COLOR);
    EXPECT_EQ(tesso::Catalogue[_NETMASK].storage, tesso::Storage::TEXT);
}

// ---- Encoding -----------------------------------------------------------------------------------

TEST_F(Protocol, SetCommandIsDecimalValueThenMnemonic)
{
    int sentEvents = 0;
    d->OnSentString = [&](TMirex_d*, int) { ++sentEvents; };
    d->setBRGT(128);
    d->setFRESET(true);
    d->setICHNM(0);
    d->setADDRDBG(4294967295u);
    EXPECT_EQ(sent(), QByteArray("128B1Y0CN4294967295@"));
    EXPECT_EQ(d->sentString(), QByteArray("4294967295@"));
    EXPECT_EQ(sentEvents, 4);
    EXPECT_EQ(d->BRGT(), 0u) << "a setter never writes the mirror";
}

TEST_F(Protocol, SetCommandIsDroppedWhileNotConnectedButQueriesAlwaysGo)
{
    ScriptedDriver fresh;
    fresh.serial->active = true;
    fresh->setsentString("?");
    fresh->setBRGT(5);
    EXPECT_TRUE(fresh.serial->written.empty());
    EXPECT_EQ(fresh->sentString(), QByteArray("?"));
    fresh->setQueryVar(_ICHM);
    fresh->setQueryVar(_ILDREF);
    EXPECT_EQ(fresh.serial->allWritten(), QByteArray("CCrL"));
    EXPECT_EQ(fresh->sentString(), QByteArray("rL"));
}

TEST_F(Protocol, QueryAllCarriesTheOnlyLineEndAndLeavesSentStringAlone)
{
    d->setQueryVar(_DEV);
    d->QueryAll();
    EXPECT_EQ(sent(), QByteArray("?#\r\n"));
    EXPECT_EQ(d->sentString(), QByteArray("?"));
}

TEST_F(Protocol, NegativeColourIsRefusedBeforeSending)
{
    EXPECT_THROW(d->setCOLOR(-1), ERangeError);
    EXPECT_TRUE(d.serial->written.empty());
    d->setCOLOR(2147483647);
    EXPECT_EQ(sent(), QByteArray("2147483647O"));
}

TEST_F(Protocol, AddressSettersSendSelectorThenFourOctets)
{
    d->setLOCAL_IP(QStringLiteral("192.168.0.10"));
    EXPECT_EQ(sent(), QByteArray("1na192nw168nx0ny10nz"));
    d.serial->written.clear();
    d->setGATEWAY_IP(QStringLiteral("10.0.0.1"));
    EXPECT_EQ(sent(), QByteArray("3na10nw0nx0ny1nz"));
    d.serial->written.clear();
    for (const char* bad : {"300.1.1.1", "1.2.3", "1.2.3.4.5", "a.b.c.d", "1..2.3", "-1.0.0.0", "1.2.3.4 "})
        d->setREMOTE_IP(QString::fromLatin1(bad));
    EXPECT_TRUE(d.serial->written.empty()) << sent().constData();
}

TEST_F(Protocol, PortSettersSendSelectorAndRefuseNegativePortAfterIt)
{
    d->setREMOTE_PORT(10500);
    EXPECT_EQ(sent(), QByteArray("2na10500np"));
    d.serial->written.clear();
    EXPECT_THROW(d->setLOCAL_PORT(-1), ERangeError);
    EXPECT_EQ(sent(), QByteArray("1na"));
}

TEST_F(Protocol, NetmaskTravelsAsHostBitCount)
{
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"255.255.255.0", "8nk"}, {"255.255.255.255", "0nk"}, {"0.0.0.0", "32nk"},
        {"255.255.0.0", "16nk"},  {"255.255.255.254", "1nk"}, {"255.0.255.0", "24nk"}};
    for (const auto& [mask, wire] : cases) {
        d.serial->written.clear();
        d->setNETMASK(QString::fromLatin1(mask));
        EXPECT_EQ(sent(), QByteArray(wire)) << mask;
    }
    d.serial->written.clear();
    d->setNETMASK(QStringLiteral("255.255.256.0"));
    EXPECT_TRUE(d.serial->written.empty());
}

TEST(ParseIpText, AcceptsTheStandardNumberFormsAndZeroesOnFailure)
{
    std::int32_t a = 9, b = 9, c = 9, e = 9;
    EXPECT_TRUE(TMirex_d::ParseIpText(QStringLiteral(" 10.$FF.0x1.+7"), a, b, c, e));
    EXPECT_EQ(std::vector<int>({a, b, c, e}), std::vector<int>({10, 255, 1, 7}));
    EXPECT_FALSE(TMirex_d::ParseIpText(QStringLiteral("10.255.1.256"), a, b, c, e));
    EXPECT_EQ(std::vector<int>({a, b, c, e}), std::vector<int>({0, 0, 0, 0}));
    EXPECT_FALSE(TMirex_d::ParseIpText(QString(), a, b, c, e));
}

TEST_F(Protocol, TcpRefusesCommandsLongerThanTenCharacters)
{
    d->setConType(CON_TCP);
    d.tcp->active = true;
    d.tcp->written.clear();
    d->SendString("0123456789");
    EXPECT_THROW(d->SendString("0123456789A"), ERangeError);
    ASSERT_EQ(d.tcp->written.size(), 1u);
    EXPECT_EQ(d.tcp->written[0], QByteArray("0123456789"));
}

// ---- Reply framing ------------------------------------------------------------------------------

TEST_F(Protocol, ReplySplitAcrossChunksGivesOneUpdateOnTheLastChunk)
{
    int events = 0;
    d->OnICHMchange = [&](TMirex_d*, int) { ++events; };
    receive("CH");
    receive("3");
    EXPECT_EQ(events, 0);
    receive("\r\n");
    EXPECT_EQ(events, 1);
    EXPECT_EQ(d->ICHM(), 3u);
    EXPECT_EQ(d->receivedString(), QByteArray("CH3"));
}

TEST_F(Protocol, PartialLineKeepsAtMostTenCharacters)
{
    receive("ABCDEFGHIJKL");
    EXPECT_EQ(d->RxBuffer, QByteArray("CDEFGHIJKL"));
    receive("FDur12345678");
    EXPECT_EQ(d->RxBuffer, QByteArray("ur12345678"));
    int events = 0;
    d->OnFADEDURATIONchange = [&](TMirex_d*, int) { ++events; };
    receive("\r\n");
    EXPECT_EQ(events, 0) << "a reply that lost its head is dropped";
    EXPECT_TRUE(d->RxBuffer.isEmpty());
}

TEST_F(Protocol, NoiseInFrontOfAReplySpoilsThatLineOnly)
{
    receive("zz");
    receive("CH3\r\nCH4\r\n");
    EXPECT_EQ(d->ICHM(), 4u);
}

TEST_F(Protocol, ConversionRulesForReplyValues)
{
    receive("CH 3\r\n");
    EXPECT_EQ(d->ICHM(), 3u);
    receive("CH$1F\r\n");
    EXPECT_EQ(d->ICHM(), 31u);
    receive("CH0x10\r\n");
    EXPECT_EQ(d->ICHM(), 16u);
    receive("CH+7\r\n");
    EXPECT_EQ(d->ICHM(), 7u);
    int events = 0;
    d->OnICHMchange = [&](TMirex_d*, int) { ++events; };
    receive("CH3 \r\nCHX\r\n\r\nCH5x\r\nch3\r\n");
    EXPECT_EQ(events, 0);
    EXPECT_EQ(d->ICHM(), 7u);
    receive("CH4294967295\r\n");
    EXPECT_EQ(d->ICHM(), 4294967295u);
}

TEST_F(Protocol, NegativeOrOversizedValuesAreRangeErrorsThatConsumeTheLine)
{
    EXPECT_THROW(receive("CH -3\r\nCH2\r\n"), ERangeError);
    EXPECT_EQ(d->RxBuffer, QByteArray("CH2\r\n")) << "the rest waits for the next arrival";
    receive("");
    EXPECT_EQ(d->ICHM(), 2u);
    EXPECT_THROW(receive("CH-5x\r\n"), ERangeError);
    EXPECT_THROW(receive("CH4294967296\r\n"), ERangeError);
    EXPECT_THROW(receive("CH99999999999999999999999999\r\n"), ERangeError);
    EXPECT_THROW(receive("COL2147483648\r\n"), ERangeError);
    EXPECT_TRUE(d->RxBuffer.isEmpty());
    receive("COL2147483647\r\n");
    EXPECT_EQ(d->COLOR(), 2147483647);
}

TEST_F(Protocol, CandidatesAreTriedInTableOrderAndCaseMatters)
{
    receive("CHN5\r\nIFSD7\r\nIFD9\r\nPM1\r\npm2\r\nSTBO65\r\nSTBo66\r\n");
    EXPECT_EQ(d->ICHNM(), 5u);
    EXPECT_EQ(d->ICHM(), 0u);
    EXPECT_EQ(d->IFSDM(), 7u);
    EXPECT_EQ(d->IFDM(), 9u);
    EXPECT_EQ(d->IPMODEM(), 1u);
    EXPECT_EQ(d->PLLMODE(), 2u);
    EXPECT_EQ(d->STBON(), 65u);
    EXPECT_EQ(d->STBOFF(), 66u);
}

// ---- Change-event rule --------------------------------------------------------------------------

TEST_F(Protocol, EveryMatchedReplyRaisesItsEventInTheDescribedOrder)
{
    d->Tag = 42;
    std::vector<std::string> order;
    d->OnRecString = [&](TMirex_d* s, int tag) {
        EXPECT_EQ(s, d.driver.get());
        EXPECT_EQ(tag, 42);
        order.push_back("rec:" + d->receivedString().toStdString());
    };
    d->OnTAKEchange = [&](TMirex_d*, int tag) {
        EXPECT_EQ(tag, 42);
        EXPECT_EQ(LastReplyIndex, _TAKE);
        order.push_back("take:" + std::to_string(d->TAKE()) + "/" + std::to_string(d->mirrorValue(_TAKE)));
    };
    receive("TAKE\r\nTAKE\r\nTAKE2\r\nTAKE256\r\n");
    EXPECT_EQ(order, (std::vector<std::string>{"rec:TAKE", "take:0/0", "rec:TAKE", "take:0/0", "rec:TAKE2",
                                               "take:1/2", "rec:TAKE256", "take:0/0"}));
}

TEST_F(Protocol, DeviceReplyRaisesItsEventTwiceAndBusyOnARepeat)
{
    int devEvents = 0, busy = 0;
    d->OnDEVchange = [&](TMirex_d*, int) { ++devEvents; };
    d->ONRS232busy = [&](TMirex_d*, int) { ++busy; };
    receive("DEV57\r\n");
    EXPECT_EQ(devEvents, 2);
    EXPECT_EQ(busy, 0);
    receive("DEV57\r\n");
    EXPECT_EQ(devEvents, 4);
    EXPECT_EQ(busy, 1);
    receive("CH1\r\nDEV58\r\n");
    EXPECT_EQ(busy, 1);
    d->setRS232busy(true);
    receive("CH1\r\nDEV58\r\n");
    EXPECT_EQ(busy, 2);
    EXPECT_EQ(d->DEV(), 58u);
}

TEST_F(Protocol, QueryAllAndDollarReplies)
{
    int queryAll = 0, diese = 0;
    d->OnQUERYALLchange = [&](TMirex_d*, int) { ++queryAll; };
    d->OnSetDIESEchange = [&](TMirex_d*, int) { ++diese; };
    receive("#1\r\n");
    EXPECT_TRUE(d->Queryall());
    receive("#\r\n$5\r\n");
    EXPECT_FALSE(d->Queryall());
    EXPECT_FALSE(d->DIESE());
    EXPECT_EQ(queryAll, 2);
    EXPECT_EQ(diese, 0);
    EXPECT_EQ(d->DOLLARS(), 5u);
}

TEST_F(Protocol, AddressRepliesFillTheTableSelectedByPadip)
{
    int events = 0;
    d->OnIP4change = d->OnPORTchange = [&](TMirex_d*, int) { ++events; };
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
    EXPECT_EQ(events, 0);
    EXPECT_THROW(receive("PORT2147483648\r\n"), ERangeError);
    EXPECT_THROW(receive("IPA_2147483648\r\n"), ERangeError);
}

TEST_F(Protocol, NetmaskReplyBecomesDottedMask)
{
    receive("NTMK16\r\n");
    EXPECT_EQ(d->NETMASK(), QStringLiteral("255.255.0.0"));
    receive("NTMK0\r\n");
    EXPECT_EQ(d->NETMASK(), QStringLiteral("255.255.255.255"));
    receive("NTMK30\r\n");
    EXPECT_EQ(d->NETMASK(), QStringLiteral("192.0.0.0"));
    EXPECT_THROW(receive("NTMK31\r\n"), ERangeError);
    EXPECT_EQ(d->NETMASK(), QStringLiteral("192.0.0.0"));
}

TEST_F(Protocol, PerInputRepliesFollowPchan)
{
    int events = 0;
    d->OnPRGBIchange = [&](TMirex_d*, int) { ++events; };
    receive("PCH3\r\nPRGB7\r\nPEN1\r\nPSTD2\r\nPPRC1\r\nPRAR1\r\nPCH8\r\nPRGB4\r\n");
    EXPECT_EQ(d->PRGBIByInput(3), 7u);
    EXPECT_EQ(d->PRGBIByInput(8), 4u);
    EXPECT_TRUE(d->PENAByInput(3));
    EXPECT_EQ(d->PISTDByInput(3), 2u);
    EXPECT_TRUE(d->PPROCByInput(3));
    EXPECT_EQ(d->REFASPByInput(3), 1u);
    EXPECT_EQ(events, 2);
    EXPECT_THROW(receive("PCH9\r\nPRGB6\r\n"), ERangeError);
    EXPECT_EQ(d->PRGBI(), 6u) << "the mirror field is written before the range check";
    EXPECT_EQ(events, 2) << "but the event is not raised";
}

TEST_F(Protocol, PerInputReadsOutsideTheArray)
{
    EXPECT_EQ(d->PRGBIByInput(9), 5u);
    EXPECT_EQ(d->PRGBIByInput(-1), 5u);
    EXPECT_FALSE(d->PENAByInput(9));
    EXPECT_EQ(d->PISTDByInput(100), 0u);
    d->setPRGBIByInput(2, 7);
    d->setPRGBIByInput(9, 7);
    EXPECT_EQ(d->PRGBIByInput(2), 7u);
    EXPECT_EQ(d->PRGBIByInput(9), 5u);
    EXPECT_TRUE(d.serial->written.empty()) << "the array writer sends nothing";
}

TEST_F(Protocol, EveryReadableVariableRoundTripsThroughItsReplyMnemonic)
{
    for (int i = 0; i < tesso::VariableCount; ++i) {
        const auto index = static_cast<tVAR>(i);
        if (index == _PORT || index == _NETMASK || (index >= _IP4 && index <= _IP1) || index == _DEV ||
            index == _PENA || index == _PRGBI || index == _PISTD || index == _PPROC || index == _REFASP)
            continue;
        int events = 0;
        d->changeEvent(index) = [&](TMirex_d*, int) { ++events; };
        receive(QByteArray(ReplyMnemonics[i]) + "1\r\n");
        EXPECT_EQ(events, 1) << ReplyMnemonics[i];
        EXPECT_EQ(d->mirrorValue(index), 1u) << ReplyMnemonics[i];
        EXPECT_EQ(LastReplyIndex, i);
    }
}

// Random streams of reply fragments, numbers and noise, cut into random chunks: the buffer bound
// holds after every arrival and nothing but a range error ever leaves the parser.
TEST_F(Protocol, RandomChunksNeverBreakTheBufferBound)
{
    std::mt19937 rng(20261206);
    const std::vector<QByteArray> tokens = {
        "CH", "DEV", "TAKE", "FDur", "#", "$", "COL", "NTMK", "PCH", "PRGB", "IPA_", "PORT", "ADIP",
        "0", "7", "-5", "12", "31", "4294967296", "$1F", "0x", "x", "-", " ", "\r\n", "\r\n", "\r\n",
        "\r", "\n", QByteArray("\0", 1), "\x1b\x11", "\xff", "zzzzzzzzzzzz"};
    std::uniform_int_distribution<std::size_t> pick(0, tokens.size() - 1);
    std::uniform_int_distribution<int> chunkLength(0, 16);
    QByteArray stream;
    while (stream.size() < 400000)
        stream += tokens[pick(rng)];

    int rangeErrors = 0;
    for (qsizetype at = 0; at < stream.size();) {
        const int n = chunkLength(rng);
        bool interrupted = false;
        try {
            receive(stream.mid(at, n));
        } catch (const ERangeError&) {
            ++rangeErrors;
            interrupted = true; // the rest waits, untrimmed, for the next arrival
        }
        at += n;
        if (!interrupted) {
            ASSERT_FALSE(d->RxBuffer.contains("\r\n")) << at;
            ASSERT_LE(d->RxBuffer.size(), 10) << at;
        }
    }
    EXPECT_GT(rangeErrors, 0) << "the stream holds negative and oversized values";
}

TEST_F(Protocol, ErrorsFromTheReceivePathGoToTheErrorReport)
{
    ReportCapture capture;
    d.feed("CH-1\r\n");
    ASSERT_EQ(capture.messages.size(), 1);
    EXPECT_TRUE(capture.messages[0].contains(QStringLiteral("CH-1")));
}

} // namespace
