#include "engine/DatePeriod.h"
#include "engine/Exceptions.h"

#include <gtest/gtest.h>

namespace {

TDays DaysOf(std::initializer_list<int> days)
{
    TDays set;
    for (int day : days)
        set.Include(day);
    return set;
}

// A fresh EditPeriod for each test, freed after it.
class DatePeriod : public ::testing::Test {
protected:
    void SetUp() override { CreateEditPeriod(); }
    void TearDown() override { FreeEditPeriod(); }
};

} // namespace

TEST(DatePeriodDays, SetOperationsAndRange)
{
    TDays days;
    EXPECT_TRUE(days.Empty());
    days.Include(1);
    days.Include(7);
    days.Include(7);
    EXPECT_TRUE(days.Contains(1));
    EXPECT_TRUE(days.Contains(7));
    EXPECT_FALSE(days.Contains(4));
    EXPECT_FALSE(days.Contains(0));
    EXPECT_FALSE(days.Contains(8));
    days.Exclude(1);
    EXPECT_FALSE(days.Contains(1));
    EXPECT_EQ(days, DaysOf({ 7 }));
    EXPECT_EQ(sizeof(TDays), 1u);
    EXPECT_THROW(days.Include(0), ERangeError);
    EXPECT_THROW(days.Include(8), ERangeError);
    EXPECT_THROW(days.Exclude(-1), ERangeError);
    EXPECT_EQ(days, DaysOf({ 7 }));
}

TEST(DatePeriodDays, TextForms)
{
    struct Case {
        TDays days;
        const char* codes;
        const char* mask;
    };
    const Case cases[] = {
        { TDays(), "", "-------" },
        { DaysOf({ 2, 4 }), "MoWe", "-M-W---" },
        { DaysOf({ 7 }), "Sa", "------S" },
        { DaysOf({ 1, 7 }), "SuSa", "S-----S" },
        { DaysOf({ 1, 2, 3, 4, 5, 6, 7 }), "SuMoTuWeThFrSa", "SMTWTFS" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask);
        EXPECT_EQ(DaysToCodes(c.days), c.codes);
        EXPECT_EQ(DaysToMask(c.days), c.mask);
        EXPECT_EQ(MaskToDays(c.mask), c.days);
    }
    // The calendar table's GameDays field holds 14 characters.
    EXPECT_EQ(DaysToCodes(DaysOf({ 1, 2, 3, 4, 5, 6, 7 })).size(), 14u);

    EXPECT_EQ(DayCode(1, DaysOf({ 1 })), "Su");
    EXPECT_EQ(DayCode(2, DaysOf({ 1 })), "");
    EXPECT_EQ(DayCode(0, DaysOf({ 1, 2, 3, 4, 5, 6, 7 })), "");
    EXPECT_EQ(DayCode(8, DaysOf({ 1, 2, 3, 4, 5, 6, 7 })), "");
}

TEST(DatePeriodDays, MaskReadsAnyMarkAmongTheFirstSeven)
{
    EXPECT_EQ(MaskToDays("x-x----"), DaysOf({ 1, 3 }));
    // Characters past the seventh are ignored; characters, not bytes, are counted.
    EXPECT_EQ(MaskToDays("-------SSS"), TDays());
    EXPECT_EQ(MaskToDays("\xC3\xA9-----\xC3\xA9"), DaysOf({ 1, 7 }));
    EXPECT_THROW(MaskToDays("------"), ERangeError);
    EXPECT_THROW(MaskToDays(""), ERangeError);
    EXPECT_THROW(MaskToDays("\xC3\xA9\xC3\xA9\xC3\xA9"), ERangeError); // 6 bytes, 3 characters
}

TEST_F(DatePeriod, ClearedPeriodAndAssign)
{
    TPeriod period;
    EXPECT_EQ(period.ID, 0);
    EXPECT_EQ(period.FromDate, 0);
    EXPECT_EQ(period.ToDate, 0);
    EXPECT_EQ(period.TimeCount, 0);
    EXPECT_TRUE(period.GameDays.Empty());
    for (int day = 1; day <= 7; ++day) {
        for (int t = 0; t <= TPeriod::MaxTimes; ++t)
            ASSERT_EQ(period.GameCounts(day, t), -1);
    }
    for (int t = 0; t <= TPeriod::MaxTimes; ++t)
        ASSERT_EQ(period.Times(t), 0);

    period.ID = 12;
    period.FromDate = EncodeDate(2004, 3, 6);
    period.ToDate = EncodeDate(2004, 3, 27);
    period.SetTimeCount(2);
    period.Times(1) = EncodeTime(17, 0, 0, 0);
    period.Times(100) = EncodeTime(9, 0, 0, 0);
    period.GameCounts(7, 1) = 2;
    period.GameCounts(1, 100) = 0;
    period.GameDays.Include(7);

    TPeriod copy;
    copy.Assign(period);
    EXPECT_EQ(copy, period);
    EXPECT_EQ(copy.ID, 12);
    EXPECT_EQ(copy.GameCounts(7, 1), 2);
    EXPECT_EQ(copy.GameCounts(1, 100), 0);
    EXPECT_EQ(copy.Times(100), EncodeTime(9, 0, 0, 0));

    period.Clear();
    EXPECT_EQ(period, TPeriod());
}

TEST_F(DatePeriod, GridIndexesAreChecked)
{
    TPeriod period;
    EXPECT_THROW(period.GameCounts(0, 1), ERangeError);
    EXPECT_THROW(period.GameCounts(8, 1), ERangeError);
    EXPECT_THROW(period.GameCounts(1, -1), ERangeError);
    EXPECT_THROW(period.GameCounts(1, 101), ERangeError);
    EXPECT_THROW(period.Times(-1), ERangeError);
    EXPECT_THROW(period.Times(101), ERangeError);
    const TPeriod& constant = period;
    EXPECT_THROW(constant.GameCounts(8, 0), ERangeError);
    EXPECT_THROW(constant.Times(101), ERangeError);

    period.SetTimeCount(100);
    EXPECT_EQ(period.TimeCount, 100);
    EXPECT_THROW(period.SetTimeCount(101), ERangeError);
    EXPECT_THROW(period.SetTimeCount(-1), ERangeError);
    EXPECT_EQ(period.TimeCount, 100);
}

TEST_F(DatePeriod, AddEditPeriodFilesTheEditedPeriodAndStartsAClearedOne)
{
    TPeriodList list;
    TPeriod* edited = EditPeriod.get();
    edited->FromDate = EncodeDate(2004, 3, 6);
    edited->GameCounts(7, 0) = 4;

    EXPECT_TRUE(list.AddEditPeriod(5));
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0), edited); // the very object, not a copy
    EXPECT_EQ(list.Items(0)->ID, 5);
    EXPECT_EQ(list.Items(0)->GameCounts(7, 0), 4);
    ASSERT_NE(EditPeriod, nullptr);
    EXPECT_NE(EditPeriod.get(), edited);
    EXPECT_EQ(*EditPeriod, TPeriod());

    EXPECT_TRUE(list.AddEditPeriod(9));
    EXPECT_TRUE(list.AddEditPeriod(5));
    EXPECT_EQ(list.IndexOfID(5), 0); // the first one
    EXPECT_EQ(list.IndexOfID(9), 1);
    EXPECT_EQ(list.IndexOfID(7), -1);

    list.Delete(0);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.IndexOfID(9), 0);
    EXPECT_EQ(list.IndexOfID(5), 1);
    EXPECT_THROW(list.Delete(2), EListError);
    EXPECT_THROW(list.Items(-1), EListError);
    try {
        list.Items(2);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (2)");
    }
}

TEST_F(DatePeriod, TheListRefusesTheHundredthPeriod)
{
    TPeriodList list;
    for (int id = 1; id <= TPeriodList::MaxPeriods; ++id)
        ASSERT_TRUE(list.AddEditPeriod(id));
    EXPECT_EQ(list.Count(), 99);

    TPeriod* edited = EditPeriod.get();
    edited->GameCounts(2, 1) = 3;
    EXPECT_FALSE(list.AddEditPeriod(100));
    EXPECT_EQ(list.Count(), 99);
    EXPECT_EQ(list.IndexOfID(100), -1);
    // EditPeriod is left as it was, edits included.
    EXPECT_EQ(EditPeriod.get(), edited);
    EXPECT_EQ(EditPeriod->GameCounts(2, 1), 3);
    EXPECT_EQ(EditPeriod->ID, 0);

    list.Delete(98);
    EXPECT_TRUE(list.AddEditPeriod(100));
    EXPECT_EQ(list.IndexOfID(100), 98);
}

TEST(DatePeriodList, WithoutAnEditPeriodTheRowStillGetsAPeriod)
{
    FreeEditPeriod();
    TPeriodList list;
    EXPECT_TRUE(list.AddEditPeriod(3));
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0)->ID, 3);
    EXPECT_EQ(list.Items(0)->GameCounts(1, 0), -1);
    EXPECT_EQ(EditPeriod, nullptr);
}
