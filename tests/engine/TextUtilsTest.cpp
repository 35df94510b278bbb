#include "engine/TextUtils.h"
#include "engine/DateTime.h"
#include "engine/Exceptions.h"
#include "engine/Platform.h"
#include "engine/Values.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class TextUtils : public ::testing::Test {
protected:
    void SetUp() override { ResetProgramValues(); }
    void TearDown() override { ResetProgramValues(); }
};

class TRecordingPrompt final : public IPrompt {
public:
    bool WarningOkCancel(const std::string&) override { return true; }
    void ErrorBox(const std::string& text) override { Errors.push_back(text); }
    void WarningOk(const std::string&, int) override { }
    std::vector<std::string> Errors;
};

} // namespace

TEST_F(TextUtils, Padding)
{
    EXPECT_EQ(PadLeft("7", 3), "  7");
    EXPECT_EQ(PadLeft("abcd", 3), "abcd");
    EXPECT_EQ(PadLeft("", 2), "  ");
    EXPECT_EQ(PadLeft("Zürich", 8), "  Zürich"); // characters, not bytes
    EXPECT_EQ(TrimPadLeft("  ab ", 4), "  ab");
    EXPECT_EQ(TrimPadLeft("  abcdef ", 4), "abcdef");
    EXPECT_EQ(Trim("\t a b \r\n"), "a b");
    EXPECT_EQ(Trim("   "), "");

    EXPECT_EQ(IntToStrPadded(7, 3), "      7");
    EXPECT_EQ(IntToStrPadded(123, 2), "123");
    EXPECT_EQ(IntToStrPadded(12, 2), "  12");
    EXPECT_EQ(IntToStrPadded(1, 4), "        1");
    EXPECT_EQ(IntToStrPadded(1234, 4), "  1234");
    EXPECT_EQ(IntToStrPadded(-5, 2), "  -5");
}

TEST_F(TextUtils, IntegersTreatBlankAsZero)
{
    struct TCase {
        const char* Text;
        int Value;
    };
    const TCase cases[] = { { "", 0 }, { "   ", 0 }, { "42", 42 }, { " -17 ", -17 }, { "+8", 8 },
        { "007", 7 }, { "2147483647", 2147483647 }, { "-2147483648", -2147483647 - 1 } };
    for (const auto& c : cases)
        EXPECT_EQ(StrToIntOrZero(c.Text), c.Value) << c.Text;

    for (const char* text : { "abc", "12x", "1 2", "1.5", "+", "-", "+-3", "2147483648", "0x10" })
        EXPECT_THROW(StrToIntOrZero(text), EConvertError) << text;
    try {
        StrToIntOrZero("x1");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'x1' is not a valid integer value");
    }
}

TEST_F(TextUtils, NextFieldSplitsOnTheSeparator)
{
    TStringRecord record { "1,,3" };
    EXPECT_EQ(NextField(record), "1");
    EXPECT_EQ(record.Position, 3);
    EXPECT_EQ(NextField(record), "");
    EXPECT_EQ(NextField(record), "3");
    EXPECT_EQ(NextField(record), "");
    EXPECT_EQ(NextField(record), "");

    TStringRecord trailing { "a," };
    EXPECT_EQ(NextField(trailing), "a");
    EXPECT_EQ(NextField(trailing), "");

    FieldSeparator = "::";
    TStringRecord wide { "ab::c" };
    EXPECT_EQ(NextField(wide), "ab");
    EXPECT_EQ(NextField(wide), "c");
}

TEST_F(TextUtils, DayNamesAndTimes)
{
    EXPECT_EQ(DayName(0), "");
    EXPECT_EQ(DayName(EncodeDate(2004, 3, 7)), "Sun");
    EXPECT_EQ(DayName(EncodeDate(2004, 3, 6)), "Sat");

    const TDateTime five = EncodeTime(17, 0, 0, 0);
    EXPECT_EQ(StrToTimeOrZero("5:00pm"), 61200000 / 86400000.0);
    EXPECT_EQ(StrToTimeOrZero("  "), 0);
    EXPECT_EQ(StrToTimeOrZero("abc"), 0);
    EXPECT_EQ(StrToTimeOrZero("25:00"), 0);
    EXPECT_EQ(TimeToText(0), "");
    EXPECT_EQ(TimeToText(five), "17:00");
    TimeDisplayFormat = "HH:MMam/pm";
    EXPECT_EQ(TimeToText(five), "05:00pm");
    EXPECT_EQ(StrToTimeOrZero(TimeToText(five)), five);
}

TEST_F(TextUtils, DatesAndDayNumbers)
{
    EXPECT_EQ(DateToText(0), "");
    EXPECT_EQ(DateToText(EncodeDate(2004, 3, 6)), "06/03/2004");
    ShortDateFormat = "m/d/yy";
    EXPECT_EQ(DateToText(EncodeDate(2004, 3, 6)), "3/6/04");

    EXPECT_EQ(DateToDayNumber(0), "");
    EXPECT_EQ(DateToDayNumber(EncodeDate(1980, 1, 1)), "722815");
    EXPECT_EQ(DateToDayNumber(EncodeDate(1980, 1, 1) + EncodeTime(23, 0, 0, 0)), "722815");
    EXPECT_EQ(DateToDayNumber(EncodeDate(1899, 12, 29)), "693593");
    EXPECT_EQ(DayNumberToDate("693594"), 0);
    EXPECT_EQ(DayNumberToDate(" "), 0);
    EXPECT_EQ(DayNumberToDate("722815"), EncodeDate(1980, 1, 1));
    EXPECT_EQ(DayNumberToDate("1"), EncodeDate(1, 1, 1));
    EXPECT_THROW(DayNumberToDate("6 March"), EConvertError);
}

TEST_F(TextUtils, FixYearKeepsTheLastTwoDigits)
{
    struct TCase {
        int Year, Month, Day;
        int FixedYear;
    };
    const TCase cases[] = { { 1975, 6, 15, 2075 }, { 2085, 6, 15, 1985 }, { 1900, 1, 1, 2000 },
        { 4, 2, 29, 2004 }, { 1979, 12, 31, 2079 }, { 2080, 1, 1, 1980 }, { 1600, 2, 29, 2000 },
        { 2104, 2, 29, 2004 }, { 9999, 12, 31, 2099 - 100 } };
    for (const auto& c : cases) {
        EXPECT_EQ(
            FixYear(EncodeDate(c.Year, c.Month, c.Day)), EncodeDate(c.FixedYear, c.Month, c.Day))
            << c.Year;
    }
    // Inside the range the value, time of day included, is unchanged; a moved date loses it.
    for (int year : { 1980, 2000, 2079 }) {
        const TDateTime value = EncodeDate(year, 2, 28) + EncodeTime(17, 0, 0, 0);
        EXPECT_EQ(FixYear(value), value) << year;
    }
    EXPECT_EQ(FixYear(EncodeDate(1975, 6, 15) + 0.5), EncodeDate(2075, 6, 15));
    // Before 1 January of year 1 there is no calendar date to move.
    EXPECT_EQ(FixYear(-DateDelta), -DateDelta);
}

TEST_F(TextUtils, FixYearWithAnotherRange)
{
    FirstYear = 1900;
    LastYear = 1999;
    EXPECT_EQ(FixYear(EncodeDate(2010, 5, 1)), EncodeDate(1910, 5, 1));
    EXPECT_EQ(FixYear(EncodeDate(2000, 2, 29)), EncodeDate(1900, 2, 28));
}

TEST_F(TextUtils, TimeFormatErrorBox)
{
    TRecordingPrompt prompt;
    SetPrompt(&prompt);
    ShowTimeFormatError();
    SetPrompt(nullptr);
    ASSERT_EQ(prompt.Errors.size(), 1u);
    EXPECT_EQ(prompt.Errors[0], "Enter times as hh:mm e.g. 17:00 or 5:00pm");
}
