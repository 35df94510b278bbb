#include "engine/Values.h"
#include "engine/DateTime.h"

#include <gtest/gtest.h>

TEST(Values, InitialContent)
{
    ResetProgramValues();
    EXPECT_EQ(DateDisplayFormat, "dd mmm yyyy");
    EXPECT_EQ(TimeDisplayFormat, "HH:MM");
    EXPECT_EQ(ShortDateFormat, "dd/mm/yyyy");
    EXPECT_EQ(DayNames[1], "Sun");
    EXPECT_EQ(DayNames[7], "Sat");
    EXPECT_EQ(StatusNames[0], "Auto");
    EXPECT_EQ(StatusNames[3], "Deleted");
    EXPECT_EQ(FieldSeparator, ",");
    EXPECT_EQ(FirstYear, 1980);
    EXPECT_EQ(LastYear, 2079);
    EXPECT_EQ(MinDate, EncodeDate(1980, 1, 1));
    EXPECT_EQ(MaxDate, EncodeDate(2079, 12, 31));
    EXPECT_EQ(CharWidth, 7);
    EXPECT_EQ(FileVersion, 7);
    EXPECT_TRUE(XPStyleMenus);
    EXPECT_EQ(ScheduleName, "");
}

TEST(Values, ResetRestoresChangedValues)
{
    DateDisplayFormat = "yy/m/d";
    DayNames[2] = "Lun";
    FirstYear = 1900;
    ScheduleName = "Spring League";
    XPStyleMenus = false;
    ResetProgramValues();
    EXPECT_EQ(DateDisplayFormat, "dd mmm yyyy");
    EXPECT_EQ(DayNames[2], "Mon");
    EXPECT_EQ(FirstYear, 1980);
    EXPECT_EQ(ScheduleName, "");
    EXPECT_TRUE(XPStyleMenus);
}
