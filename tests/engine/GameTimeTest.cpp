#include "engine/GameTime.h"
#include "engine/Coder.h"
#include "engine/Exceptions.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Plain numbers: the date functions are not ready while globals are being initialised.
constexpr TDateTime Sat = 38052; // 6 March 2004
constexpr TDateTime Sun = 38053;
constexpr TDateTime T17 = 17.0 / 24;
constexpr TDateTime T9 = 9.5 / 24;

int SumOfCounts(const TGameTimeList& list)
{
    int sum = 0;
    for (int i = 0; i < list.Count(); ++i)
        sum += list.Items(i).Count;
    return sum;
}

} // namespace

TEST(GameTime, SlotKeyIsDateThenTime)
{
    ASSERT_EQ(Sat, EncodeDate(2004, 3, 6));
    ASSERT_EQ(T17, EncodeTime(17, 0, 0, 0));
    ASSERT_EQ(T9, EncodeTime(9, 30, 0, 0));
    EXPECT_EQ(SlotKey(Sat, T17), "200403061700");
    EXPECT_EQ(SlotKey(Sat, 0), "200403060000");
    EXPECT_EQ(SlotKey(EncodeDate(1999, 12, 31), EncodeTime(23, 59, 59, 999)), "199912312359");
    // A date carrying a time of day keys by its date alone.
    EXPECT_EQ(SlotKey(Sat + EncodeTime(14, 0, 0, 0), T9), "200403060930");
}

TEST(GameTime, AddItemAddsReplacesRemovesAndIgnoresUnset)
{
    TGameTimeList list;
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Total(), 0);
    EXPECT_EQ(&list.current(), &list.EmptySlot());

    list.AddItem(2, Sat, T17);
    list.AddItem(0, Sun, T17); // a zero adds nothing
    list.AddItem(-1, Sun, T9); // not set
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Total(), 2);

    list.AddItem(5, Sat, T17); // replaces
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0).Count, 5);
    EXPECT_EQ(list.Total(), 5);

    list.AddItem(-1, Sat, T17); // leaves it
    EXPECT_EQ(list.Items(0).Count, 5);

    list.AddItem(0, Sat, T17); // removes
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Total(), 0);
}

TEST(GameTime, SlotsSortByDateThenTimeWithAnyTimeFirst)
{
    TGameTimeList list;
    list.AddItem(1, Sun, T9);
    list.AddItem(1, Sat, T17);
    list.AddItem(3, Sat, 0); // "Any Time"
    list.AddItem(1, Sat, T9);
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Keys(0), "200403060000");
    EXPECT_EQ(list.Keys(1), "200403060930");
    EXPECT_EQ(list.Keys(2), "200403061700");
    EXPECT_EQ(list.Keys(3), "200403070930");
    EXPECT_EQ(list.Items(0).Time, 0);
    EXPECT_EQ(list.Items(0).Count, 3);
    EXPECT_EQ(list.Items(3).Date, Sun);
    EXPECT_THROW(list.Items(4), EListError);
    EXPECT_THROW(list.Keys(-1), EListError);
}

TEST(GameTime, TotalFollowsAnySequenceOfAddItem)
{
    std::mt19937 random(17);
    std::uniform_int_distribution<int> day(0, 9);
    std::uniform_int_distribution<int> hour(0, 3);
    std::uniform_int_distribution<int> count(-2, 4); // -1 unset, 0 removes, -2 stored as given
    TGameTimeList list;
    for (int step = 0; step < 3000; ++step) {
        const int h = hour(random);
        list.AddItem(count(random), Sat + day(random), h == 0 ? 0 : EncodeTime(8 + h, 0, 0, 0));
        ASSERT_EQ(list.Total(), SumOfCounts(list)) << "step " << step;
    }
    for (int i = 1; i < list.Count(); ++i)
        ASSERT_LT(list.Keys(i - 1), list.Keys(i));
    for (int i = 0; i < list.Count(); ++i)
        ASSERT_NE(list.Items(i).Count, 0);
}

TEST(GameTime, NextHandsOutEachPlaceOnce)
{
    TGameTimeList list;
    list.AddItem(2, Sat, T17);
    list.AddItem(1, Sun, T17);

    list.Reset();
    EXPECT_EQ(list.Index(), 0);
    EXPECT_EQ(list.Remaining(), 2);
    EXPECT_EQ(list.current().Date, Sat);

    const TDateTime expected[] = { Sat, Sat, Sun, 0, 0 };
    for (TDateTime date : expected) {
        list.Next();
        EXPECT_EQ(list.current().Date, date);
    }
    EXPECT_EQ(&list.current(), &list.EmptySlot());
    EXPECT_EQ(list.current().Time, 0);
    EXPECT_EQ(list.current().Count, 0);
    EXPECT_EQ(list.Index(), 2);
    EXPECT_EQ(list.Remaining(), 0);

    // Reset starts over.
    list.Reset();
    list.Next();
    EXPECT_EQ(list.current().Date, Sat);
}

TEST(GameTime, IterationOverAnEmptyListGivesTheEmptySlot)
{
    TGameTimeList list;
    list.Reset();
    EXPECT_EQ(&list.current(), &list.EmptySlot());
    EXPECT_EQ(list.Remaining(), 0);
    list.Next();
    EXPECT_EQ(&list.current(), &list.EmptySlot());
    try {
        list.Last();
        FAIL();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (-1)");
    }
}

TEST(GameTime, NegativeCountsAreStoredAsGiven)
{
    // A negative slot serves one game when the iteration moves onto it and none as the first
    // slot after Reset.
    TGameTimeList list;
    list.AddItem(-3, Sat, 0);
    list.AddItem(1, Sat, T17);
    list.AddItem(-2, Sun, T17);
    EXPECT_EQ(list.Total(), -4);
    list.Reset();
    list.Next();
    EXPECT_EQ(list.current().Time, T17);
    list.Next();
    EXPECT_EQ(list.current().Date, Sun);
    list.Next();
    EXPECT_EQ(&list.current(), &list.EmptySlot());
}

TEST(GameTime, LastPositionsOnTheLastSlot)
{
    TGameTimeList list;
    list.AddItem(4, Sun, T9);
    list.AddItem(1, Sat, T17);
    list.Last();
    EXPECT_EQ(list.Index(), 1);
    EXPECT_EQ(list.Remaining(), 0);
    EXPECT_EQ(list.current().Date, Sun);
    list.Next();
    EXPECT_EQ(&list.current(), &list.EmptySlot());
}

TEST(GameTime, CurrentNeverPointsAtAFreedSlot)
{
    TGameTimeList list;
    list.AddItem(2, Sat, T17);
    list.Reset();
    list.AddItem(3, Sat, T17);
    EXPECT_EQ(list.current().Count, 3);
    list.AddItem(0, Sat, T17);
    EXPECT_EQ(&list.current(), &list.EmptySlot());
}

TEST(GameTime, CheckSumCodesKeysAndCounts)
{
    TGameTimeList list;
    EXPECT_EQ(list.CheckSum(), 0);

    list.AddItem(2, Sat, T17);
    list.AddItem(1, Sun, 0);
    TCoder coder;
    coder.AddText("200403061700");
    coder.AddText("2");
    coder.AddText("200403070000");
    coder.AddText("1");
    const auto code = static_cast<int32_t>(coder.Code());
    EXPECT_EQ(list.CheckSum(), code < 0 ? -code : code);
    EXPECT_GE(list.CheckSum(), 0);

    const int32_t before = list.CheckSum();
    list.AddItem(3, Sat, T17);
    EXPECT_NE(list.CheckSum(), before);
    list.AddItem(2, Sat, T17);
    EXPECT_EQ(list.CheckSum(), before);
    list.AddItem(0, Sun, 0);
    EXPECT_NE(list.CheckSum(), before);
}

TEST(GameTime, TheProgramsList)
{
    FreeGameTimes();
    EXPECT_EQ(GameTimes(), nullptr);
    TGameTimeList* list = RenewGameTimes();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(GameTimes(), list);
    EXPECT_EQ(list->Total(), 0);

    auto built = std::make_unique<TGameTimeList>();
    built->AddItem(2, Sat, T17);
    TGameTimeList* raw = built.get();
    SetGameTimes(std::move(built));
    EXPECT_EQ(GameTimes(), raw);
    EXPECT_EQ(GameTimes()->Total(), 2);
    FreeGameTimes();
    EXPECT_EQ(GameTimes(), nullptr);
}
