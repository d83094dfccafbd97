// Behaviour of the pointer list: 1-based positions, clamping and growth.
#include <gtest/gtest.h>

#include <cstdint>

#include "foundation/ListPointers.h"

using namespace HalvrennInc;

namespace {
void* item(std::uintptr_t n)
{
    return reinterpret_cast<void*>(n);
}
std::uintptr_t value(void* p)
{
    return reinterpret_cast<std::uintptr_t>(p);
}
}  // namespace

TEST(ListPointers, PositionsAreOneBasedAndClamped)
{
    ListPointers list;
    list.insert(0, item(7));
    ASSERT_EQ(list.count(), 1u);
    EXPECT_EQ(value(list.item(1)), 7u);
    EXPECT_EQ(list.item(0), nullptr);
    EXPECT_EQ(list.item(2), nullptr);

    list.insert(99, item(9));  // beyond the end: appended
    list.insert(1, item(5));   // at the front
    list.insert(3, item(8));
    ASSERT_EQ(list.count(), 4u);
    EXPECT_EQ(value(list.item(1)), 5u);
    EXPECT_EQ(value(list.item(2)), 7u);
    EXPECT_EQ(value(list.item(3)), 8u);
    EXPECT_EQ(value(list.item(4)), 9u);

    EXPECT_EQ(list.remove(0), nullptr);
    EXPECT_EQ(list.remove(5), nullptr);
    EXPECT_EQ(list.count(), 4u);
    EXPECT_EQ(value(list.remove(2)), 7u);
    EXPECT_EQ(value(list.item(2)), 8u);
    EXPECT_EQ(value(list.remove(3)), 9u);
    EXPECT_EQ(list.count(), 2u);
}

TEST(ListPointers, GrowsFiftySlotsAtATimeKeepingTheOrder)
{
    ListPointers list(50);
    for (std::uintptr_t i = 1; i <= 50; ++i) list.append(item(i));
    EXPECT_EQ(list.capacity(), 50u);
    list.insert(26, item(1000));  // the 51st insertion, in the middle
    EXPECT_EQ(list.capacity(), 100u);
    ASSERT_EQ(list.count(), 51u);
    for (std::uint32_t i = 1; i <= 25; ++i) EXPECT_EQ(value(list.item(i)), i);
    EXPECT_EQ(value(list.item(26)), 1000u);
    for (std::uint32_t i = 27; i <= 51; ++i) EXPECT_EQ(value(list.item(i)), i - 1);

    ListPointers moved(std::move(list));
    EXPECT_EQ(moved.count(), 51u);
    EXPECT_EQ(list.count(), 0u);  // NOLINT: the moved-from list is empty
    for (int i = 0; i < 51; ++i) moved.remove(moved.count());
    EXPECT_EQ(moved.capacity(), 100u);  // the array never shrinks
}
