// The simulated device's protocol behaviour without any transport: identification, the query-all
// dump, set and query answers, input selection with a take, the STORE report, reset actions, the
// projector read-back, bad input and the exact reply after which a silence or a drop comes (what
// noise, pieces and delays do is DriverAgainstSim's).

#include <gtest/gtest.h>

#include <QMap>

#include "Capture.h"
#include "SimDevice.h"
#include "WaitFor.h"

using namespace tesso;

using tesso::sim::Model;
using tesso::sim::SimDevice;
using tesso::sim::test::Capture;
using tesso::sim::test::splitReply;
using tesso::test::waitFor;

namespace
{

// A device whose own timed reports are quick and whose STORE report stays out of the way.
struct Quiet {
    explicit Quiet(Model model = Model::Lumio) : device(model), out(device)
    {
        device.setStoreTiming(-1, 0);
        device.setTakeDuration(5);
    }
    SimDevice device;
    Capture out;
};

} // namespace

TEST(SimDevice, QueryAllAnswersEveryVariableIncludingEachInputAndAddress)
{
    Quiet q;
    q.device.receive("#\r\n");
    const auto lines = q.out.lines();
    QMap<QByteArray, int> seen; // how often each reply came
    QMap<long long, long long> prgbiByInput;
    long long pchan = -1;
    for (const QByteArray& line : lines) {
        const auto [mnemonic, value] = splitReply(line);
        ASSERT_GE(value, 0) << "every line carries a decimal value: " << line.constData();
        ++seen[mnemonic];
        if (mnemonic == "PCH")
            pchan = value;
        if (mnemonic == "PRGB")
            prgbiByInput[pchan] = value;
    }
    for (const char* reply : ReplyMnemonics)
        EXPECT_TRUE(seen.contains(QByteArray(reply))) << reply;
    for (int n = 1; n <= 7; ++n)
        EXPECT_EQ(prgbiByInput.value(n, -1), (QList<long long>{0, 0, 2, 1, 7, 7, 7}).at(n - 1))
            << "input " << n;
    EXPECT_EQ(lines.last(), QByteArray("#1")) << "the dump ends by reporting the query-all done";
    EXPECT_EQ(lines.count(QByteArray("ADIP2")), 1);
    EXPECT_EQ(seen.value("IPA_"), 4) << "three addresses, then the selected one again";
    // The dump leaves the pointers where they were.
    q.out.clear();
    q.device.receive("PCna");
    EXPECT_EQ(q.out.lines(), (QList<QByteArray>{"PCH1", "ADIP1"}));
}

TEST(SimDevice, SetCommandsAnswerWithTheStoredValueAndQueriesWithTheCurrentOne)
{
    Quiet q;
    q.device.receive("12");
    q.device.receive("8");
    EXPECT_TRUE(q.out.bytes.isEmpty());
    q.device.receive("B");
    EXPECT_EQ(q.out.lines(), QList<QByteArray>{"BRG128"});
    q.out.clear();
    q.device.receive("300B"
                     "B"
                     "1U"
                     "9CN"
                     "0na2fM"
                     "4294967296H");
    EXPECT_EQ(q.out.lines(),
              (QList<QByteArray>{"BRG255", "BRG255", "UNIT27000", "CHN1", "ADIP0", "FAMD2", "HP128"}))
        << "clamped, queried, read-only, out of range and overflowing values each answer the value kept";

    // "?" answers the model code, or the override; a value before it changes nothing.
    Quiet snipa(Model::Snipa);
    snipa.device.receive("?");
    snipa.device.setDeviceCode(12);
    snipa.device.receive("9?");
    EXPECT_EQ(snipa.out.lines(), (QList<QByteArray>{"DEV58", "DEV12"}));
}

TEST(SimDevice, SelectingAnInputTakesItAndReportsItsSignal)
{
    Quiet q;
    q.device.receive("3CN");
    EXPECT_EQ(q.out.lines(), (QList<QByteArray>{"CHN3", "TAKE1", "TKEV0"}));
    ASSERT_TRUE(waitFor([&] { return q.out.lines().contains("TAKE0"); }));
    const auto lines = q.out.lines();
    for (const char* expected : {"CH3", "IFA7", "ILD17280", "IFD312", "IPS1", "IIN1", "TKEV1"})
        EXPECT_TRUE(lines.contains(expected)) << expected;
    EXPECT_LT(lines.indexOf("CH3"), lines.indexOf("TAKE0"));

    // Without AutoTake a selection only preselects; TAKE puts it on air.
    q.out.clear();
    q.device.receive("0uA5CN");
    EXPECT_EQ(q.out.lines(), (QList<QByteArray>{"ATAK0", "CHN5"}));
    q.device.receive("CC");
    EXPECT_EQ(q.out.lines().last(), QByteArray("CH3"));
    q.device.receive("1uT");
    ASSERT_TRUE(waitFor([&] { return q.out.lines().contains("TAKE0"); }));
    EXPECT_TRUE(q.out.lines().contains("IFA11"));
    EXPECT_TRUE(q.out.lines().contains("IIN0"));
    EXPECT_EQ(q.device.state().value(_ICHM), 5u);
}

TEST(SimDevice, StoreIsReportedSetThenClearAfterASettingsChangeOnly)
{
    SimDevice device;
    Capture out(device);
    device.setStoreTiming(1, 1);
    device.receive("PC3PCBna"); // queries and pointer moves are no settings change
    QCoreApplication::processEvents();
    ASSERT_FALSE(waitFor([&] { return out.lines().contains("STO1"); }, 100));
    device.receive("100B");
    ASSERT_TRUE(waitFor([&] { return out.lines().contains("STO0"); }));
    const auto lines = out.lines();
    EXPECT_LT(lines.indexOf("BRG100"), lines.indexOf("STO1"));
    EXPECT_LT(lines.indexOf("STO1"), lines.indexOf("STO0"));
    EXPECT_EQ(device.state().value(_STORE), 0u);
}

TEST(SimDevice, ResetActionsAnswerOneThenZeroAndRestoreOnlyTheirGroup)
{
    // From changed framing (HP), picture (BRG) and network (NTMK) settings, each action reports
    // exactly what it restored between its 1 and its 0. A zero runs no action.
    const struct {
        const char* command;
        QList<QByteArray> lines;
    } cases[] = {
        {"1Y", {"FRES1", "BRG128", "FRES0"}},
        {"1yP", {"PRES1", "BRG128", "PRES0"}},
        {"1ye", {"EPOS1", "HP128", "EPOS0"}},
        {"1yC", {"ACAD1", "HP128", "ACAD0"}},
        {"1nr", {"LANR1", "NTMK8", "LANR0"}},
        {"1ns", {"LANS1", "LANS0"}},
        {"0yP", {"PRES0"}},
    };
    for (const auto& c : cases) {
        Quiet q;
        q.device.receive("40H200B16nk");
        q.out.clear();
        q.device.receive(c.command);
        EXPECT_EQ(q.out.lines(), c.lines) << c.command;
    }
}

TEST(SimDevice, ProjectorReadBackGetsExactlyOneLinePerQuery)
{
    // The read-back window reacts to every STBO line; an extra one would skip a cell.
    Quiet q;
    q.device.receive("0sI");
    q.device.receive("sO");
    q.device.receive("1sI");
    q.device.receive("sO");
    EXPECT_EQ(q.out.lines(), (QList<QByteArray>{"STBI0", "STBO80", "STBI1", "STBO87"}));
    q.out.clear();
    q.device.receive("1sC");
    q.device.receive("0sI");
    q.device.receive("sO");
    EXPECT_EQ(q.out.lines(), (QList<QByteArray>{"STBC1", "STBI0", "STBO0"}));
}

TEST(SimDevice, DisconnectAndSilenceComeRightAfterTheNthReply)
{
    Quiet q;
    q.device.setDisconnectAfter(2);
    q.device.setSilenceAfter(3);
    q.device.receive("?");
    EXPECT_TRUE(q.out.disconnectsAt.empty());
    q.device.receive("CC?");
    EXPECT_EQ(q.out.disconnectsAt, std::vector<qsizetype>{QByteArray("DEV57\r\nCH1\r\n").size()})
        << "after the second reply's bytes, before the third, and only once";
    EXPECT_FALSE(q.device.silent());
    q.device.receive("?#\r\n");
    EXPECT_EQ(q.out.lines(), (QList<QByteArray>{"DEV57", "CH1", "DEV57"}));
    EXPECT_TRUE(q.device.silent());
    q.device.receive("100B");
    EXPECT_EQ(q.device.state().value(_BRGT), 100u) << "a silent device still obeys";
    EXPECT_EQ(q.out.lines().size(), 3);
}
