// The pending-value queue: order of values, empty flag and both index wraps.
#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

#include "TamponVar.h"

namespace
{

// The order of values is the wrap test's; here the extremes and a read of an empty queue.
TEST(TamponVar, ExtremeValuesComeBackAndAnEmptyQueueGivesZeroAndChangesNothing)
{
    TTamponVar q;
    q.setAjout(std::numeric_limits<std::int32_t>::min());
    q.setAjout(std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(q.ExtraitReadOnly(), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(q.ExtraitReadOnly(), std::numeric_limits<std::int32_t>::max());
    ASSERT_TRUE(q.Vide());
    // A forgotten Vide test must not move the read index past the write index.
    EXPECT_EQ(q.ExtraitReadOnly(), 0);
    EXPECT_EQ(q.Pointeur_Read(), 2u);
    q.setAjout(5);
    EXPECT_EQ(q.ExtraitReadOnly(), 5);
}

TEST(TamponVar, BothIndicesWrapAfterSlot65534EvenWithValuesWaitingOnBothSidesOfTheWrap)
{
    TTamponVar q;
    for (std::int32_t i = 0; i < 65535; ++i)
        q.setAjout(i * 3);
    EXPECT_EQ(q.Pointeur_Write(), 65535u);
    EXPECT_EQ(q.MAX_pointeur_Write(), 0u);
    for (std::int32_t i = 0; i < 65535; ++i) {
        ASSERT_FALSE(q.Vide()) << i;
        ASSERT_EQ(q.ExtraitReadOnly(), i * 3) << i;
    }
    EXPECT_TRUE(q.Vide());
    EXPECT_EQ(q.Pointeur_Read(), 0u);
    EXPECT_EQ(q.MAX_pointeur_Read(), 65535u);
    q.setAjout(-42);
    EXPECT_EQ(q.MAX_pointeur_Write(), 65535u);
    EXPECT_EQ(q.Pointeur_Write(), 1u);
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
