// The pending-value queue: order of values, empty flag, both index wraps and the order of events.
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TamponVar.h"

namespace
{

// Records every event as a short name with the queue's state at that moment.
struct EventLog {
    std::vector<std::string> entries;

    void attach(TTamponVar& q)
    {
        auto note = [this](std::string name) {
            return [this, name](TTamponVar* s) {
                entries.push_back(name + "(w" + std::to_string(s->Pointeur_Write()) + " r" +
                                  std::to_string(s->Pointeur_Read()) + (s->Vide() ? " vide)" : " full)"));
            };
        };
        q.ONTableauViderchange = note("Vide");
        q.ONPointeur_Readchange = note("Read");
        q.ONPointeur_Writechange = note("Write");
        q.ONMAX_Pointeur_Readchange = note("MaxRead");
        q.ONMAX_Pointeur_Writechange = note("MaxWrite");
    }
};

// The order of values is the wrap test's; here the extremes and a read of an empty queue.
TEST(TamponVar, ExtremeValuesComeBackAndAnEmptyQueueGivesZeroAndChangesNothing)
{
    TTamponVar q;
    EventLog log;
    log.attach(q);
    q.setAjout(std::numeric_limits<std::int32_t>::min());
    q.setAjout(std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(q.ExtraitReadOnly(), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(q.ExtraitReadOnly(), std::numeric_limits<std::int32_t>::max());
    ASSERT_TRUE(q.Vide());
    // A forgotten Vide test must not move the read index past the write index.
    log.entries.clear();
    EXPECT_EQ(q.ExtraitReadOnly(), 0);
    EXPECT_TRUE(log.entries.empty());
    EXPECT_EQ(q.Pointeur_Read(), 2u);
    q.setAjout(5);
    EXPECT_EQ(q.ExtraitReadOnly(), 5);
}

TEST(TamponVar, AppendRaisesWriteThenVideAndExtractRaisesReadBeforeTheIndexMoves)
{
    TTamponVar q;
    EventLog log;
    log.attach(q);
    q.setAjout(10);
    q.setAjout(20); // Vide is raised even when the queue already held a value
    EXPECT_EQ(q.ExtraitReadOnly(), 10);
    EXPECT_EQ(q.ExtraitReadOnly(), 20); // Vide only for the last value
    const std::vector<std::string> expected{"Write(w1 r0 vide)", "Vide(w1 r0 full)", "Write(w2 r0 full)",
                                            "Vide(w2 r0 full)",  "Read(w2 r0 full)", "Read(w2 r1 full)",
                                            "Vide(w2 r1 vide)"};
    EXPECT_EQ(log.entries, expected);
}

TEST(TamponVar, BothIndicesWrapAfterSlot65534EvenWithValuesWaitingOnBothSidesOfTheWrap)
{
    TTamponVar q;
    for (std::int32_t i = 0; i < 65535; ++i)
        q.setAjout(i * 3);
    EXPECT_EQ(q.Pointeur_Write(), 65535u);
    EXPECT_EQ(q.MAX_pointeur_Write(), 0u);

    EventLog log;
    log.attach(q);
    for (std::int32_t i = 0; i < 65535; ++i) {
        ASSERT_FALSE(q.Vide()) << i;
        ASSERT_EQ(q.ExtraitReadOnly(), i * 3) << i;
    }
    EXPECT_TRUE(q.Vide());
    EXPECT_EQ(q.Pointeur_Read(), 0u);
    EXPECT_EQ(q.MAX_pointeur_Read(), 65535u);
    // The last extraction: read, then empty, then the read wrap.
    ASSERT_GE(log.entries.size(), 3u);
    const std::vector<std::string> tail(log.entries.end() - 3, log.entries.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"Read(w65535 r65534 full)", "Vide(w65535 r65534 vide)",
                                              "MaxRead(w65535 r65534 vide)"}));

    log.entries.clear();
    q.setAjout(-42);
    EXPECT_EQ(q.MAX_pointeur_Write(), 65535u);
    EXPECT_EQ(log.entries, (std::vector<std::string>{"MaxWrite(w65535 r0 vide)", "Write(w1 r0 vide)",
                                                     "Vide(w1 r0 full)"}));
    EXPECT_EQ(q.ExtraitReadOnly(), -42);

    // Next time round the write index wraps while slots 65530..65534 are still unread.
    for (std::int32_t i = 1; i < 65535; ++i)
        q.setAjout(-i); // slot i
    while (q.Pointeur_Read() < 65530)
        q.ExtraitReadOnly();
    for (std::int32_t i = 1; i <= 12; ++i)
        q.setAjout(i);
    EXPECT_EQ(q.Pointeur_Write(), 12u);
    EXPECT_EQ(q.Pointeur_Read(), 65530u);
    for (std::int32_t i = 65530; i < 65535; ++i)
        EXPECT_EQ(q.ExtraitReadOnly(), -i);
    for (std::int32_t i = 1; i <= 12; ++i) {
        ASSERT_FALSE(q.Vide()) << i;
        EXPECT_EQ(q.ExtraitReadOnly(), i);
    }
    EXPECT_TRUE(q.Vide());
    EXPECT_EQ(q.Pointeur_Read(), 12u);
}

TEST(TamponVar, MoreThan65535PendingValuesOverwriteTheOldest)
{
    TTamponVar q;
    for (std::int32_t i = 0; i < 65535; ++i)
        q.setAjout(i);
    q.setAjout(-1); // lands in slot 0 over the oldest unread value
    EXPECT_EQ(q.Pointeur_Write(), 1u);
    EXPECT_EQ(q.ExtraitReadOnly(), -1);
    EXPECT_TRUE(q.Vide()); // the read index caught up with the write index
}

} // namespace
