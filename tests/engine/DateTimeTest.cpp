#include "engine/DateTime.h"
#include "engine/Exceptions.h"

#include <gtest/gtest.h>

TEST(DateTime, OriginAndDayNumbers)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(DateTimeToTimeStamp(EncodeDate(1980, 1, 1)).Date, 722815);
    EXPECT_EQ(DayOfWeek(0), 7); // a Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(2004, 3, 6)), 7);
    EXPECT_EQ(DayOfWeek(EncodeDate(2004, 3, 7)), 1);
}

TEST(DateTime, RoundTripsAcrossTheYears)
{
    for (int y : { 1, 4, 1600, 1899, 1900, 1905, 2000, 2079, 9999 }) {
        for (int m : { 1, 2, 12 }) {
            const int d = DaysInMonth(y, m);
            int yy, mm, dd;
            DecodeDate(EncodeDate(y, m, d), yy, mm, dd);
            EXPECT_EQ(yy, y);
            EXPECT_EQ(mm, m);
            EXPECT_EQ(dd, d);
        }
    }
    EXPECT_THROW(EncodeDate(2001, 2, 29), EConvertError);
}

TEST(DateTime, TimeIsMillisecondsOfTheDay)
{
    EXPECT_EQ(EncodeTime(17, 0, 0, 0), 61200000 / 86400000.0);
    int h, m, s, ms;
    DecodeTime(EncodeDate(2004, 3, 6) + EncodeTime(9, 5, 30, 250), h, m, s, ms);
    EXPECT_EQ(h, 9);
    EXPECT_EQ(m, 5);
    EXPECT_EQ(s, 30);
    EXPECT_EQ(ms, 250);
    // Before the origin the time of day keeps its sign out of it.
    DecodeTime(EncodeDate(1899, 12, 29) - EncodeTime(6, 0, 0, 0), h, m, s, ms);
    EXPECT_EQ(h, 6);
}
