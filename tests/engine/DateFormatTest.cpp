#include "engine/DateFormat.h"
#include "engine/DateTime.h"

#include <gtest/gtest.h>

namespace {

struct TFormatCase {
    const char* Format;
    const char* Expected;
};

// Saturday 6 March 2004, 17:05:09.042. A function, not a global: EncodeDate must not run
// during static initialisation.
TDateTime Sample() { return EncodeDate(2004, 3, 6) + EncodeTime(17, 5, 9, 42); }

} // namespace

TEST(DateFormat, TokensOnOneValue)
{
    const TFormatCase cases[] = {
        { "dd mmm yyyy", "06 Mar 2004" },
        { "d/m/yy", "6/3/04" },
        { "dd/mm/yy", "06/03/04" },
        { "dd-mmm-yyyy", "06-Mar-2004" },
        { "mm/dd/yy", "03/06/04" },
        { "m/d/yy", "3/6/04" },
        { "mmm-dd-yyyy", "Mar-06-2004" },
        { "yy/mm/dd", "04/03/06" },
        { "yy/m/d", "04/3/6" },
        { "yyyy-mmm-dd", "2004-Mar-06" },
        { "ddd dddd", "Sat Saturday" },
        { "mmmm", "March" },
        { "DD MMM YYYY", "06 Mar 2004" },
        { "y yyy", "04 2004" },
        { "yyyymmdd", "20040306" },
        // m after an hour token is minutes, also across separators and quoted text.
        { "HH:MM", "17:05" },
        { "hhmm", "1705" },
        { "h:m:s", "17:5:9" },
        { "hh 'at' mm", "17 at 05" },
        { "hh dd mm", "17 06 03" },
        { "hh:nn:ss.zzz", "17:05:09.042" },
        { "h:nn z", "17:05 42" },
        // Quoted text and other characters are copied as they stand.
        { "'dd' \"mm\" dd", "dd mm 06" },
        { "dd 'open", "06 open" },
        { "[dd] #q", "[06] #q" },
        { "", "" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDateTime(c.Format, Sample()), c.Expected) << c.Format;
}

TEST(DateFormat, TwelveHourClockWithMarkers)
{
    const TDateTime five = EncodeTime(17, 0, 0, 0);
    const TDateTime morning = EncodeTime(9, 30, 0, 0);
    const TDateTime midnight = EncodeTime(0, 15, 0, 0);
    const TDateTime noon = EncodeTime(12, 0, 0, 0);
    struct TCase {
        const char* Format;
        TDateTime Time;
        const char* Expected;
    };
    const TCase cases[] = {
        { "HH:MM", five, "17:00" },
        { "HH:MMam/pm", five, "05:00pm" },
        { "HH:MMAM/PM", five, "05:00PM" },
        { "HH:MMam/pm", morning, "09:30am" },
        { "h:nn a/p", five, "5:00 p" },
        { "h:nn A/P", morning, "9:30 A" },
        { "h:nn ampm", five, "5:00 PM" },
        { "hh:nn am/pm", midnight, "12:15 am" },
        { "hh:nn am/pm", noon, "12:00 pm" },
        { "hh:nn Am/pM", five, "05:00 pM" },
        // A marker in quotes is text and does not switch the clock.
        { "hh:nn 'am/pm'", five, "17:00 am/pm" },
        { "hh:nn a", five, "17:00 a" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDateTime(c.Format, c.Time), c.Expected) << c.Format;
}

TEST(DateFormat, DatesAcrossTheRange)
{
    EXPECT_EQ(FormatDateTime("yyyy-mmm-dd", EncodeDate(2000, 2, 29)), "2000-Feb-29");
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy", EncodeDate(4, 1, 5)), "05/01/0004");
    EXPECT_EQ(
        FormatDateTime("dddd d mmmm yyyy", EncodeDate(1899, 12, 30)), "Saturday 30 December 1899");
    EXPECT_EQ(FormatDateTime("yyyymmdd", EncodeDate(2004, 3, 6)) + FormatDateTime("hhmm", 0),
        "200403060000");
}

TEST(DateFormat, TimeParserAccepts)
{
    struct TCase {
        const char* Text;
        int Hour, Minute, Second;
    };
    const TCase cases[] = {
        { "17:00", 17, 0, 0 },
        { "5:00pm", 17, 0, 0 },
        { "5:00 PM", 17, 0, 0 },
        { "5:00Pm", 17, 0, 0 },
        { "17:00:00", 17, 0, 0 },
        { "17:30:45", 17, 30, 45 },
        { "9:05am", 9, 5, 0 },
        { "12:00am", 0, 0, 0 },
        { "12:30pm", 12, 30, 0 },
        { "0:00", 0, 0, 0 },
        { "23:59", 23, 59, 0 },
        { "  07:5  ", 7, 5, 0 },
        { "05:00pm\r", 17, 0, 0 },
        { "11:15:30 am", 11, 15, 30 },
    };
    for (const auto& c : cases) {
        TDateTime result = -1;
        ASSERT_TRUE(TryStrToTime(c.Text, result)) << c.Text;
        EXPECT_EQ(result, EncodeTime(c.Hour, c.Minute, c.Second, 0)) << c.Text;
    }
}

TEST(DateFormat, TimeParserRefuses)
{
    const char* cases[] = { "", "   ", "abc", "25:00", "24:00", "17:60", "17:00:60", "5pm:00",
        "5pm", "17", "17:", ":30", "17:00pm", "0:30am", "13:00 am", "5:00 xm", "5:00 pmx", "5 :00",
        "17:000", "123:00", "17:00:", "5:00p", "1,7:00" };
    for (const char* text : cases) {
        TDateTime result = 0;
        EXPECT_FALSE(TryStrToTime(text, result)) << text;
    }
}

TEST(DateFormat, FormattedTimesReadBack)
{
    for (const char* format : { "HH:MM", "HH:MMam/pm", "HH:MMAM/PM" }) {
        for (int hour : { 0, 1, 11, 12, 13, 23 }) {
            const TDateTime time = EncodeTime(hour, 7, 0, 0);
            TDateTime result = -1;
            ASSERT_TRUE(TryStrToTime(FormatDateTime(format, time), result)) << format << hour;
            EXPECT_EQ(result, time) << format << hour;
        }
    }
}
