#pragma once

#include <cstdint>

// Date-time values: days since 30 December 1899 as a double; the fraction is the time of day.
// 0 means "no date" (or "no time"). A time of day is exactly milliseconds / 86400000.0.
using TDateTime = double;

constexpr double MSecsPerDay = 86400000.0;
constexpr int MSecsPerDayInt = 86400000;
// Day number of 30 December 1899 when 1 January of year 1 is day 1.
constexpr int DateDelta = 693594;

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// Raises EConvertError for a date that does not exist (year 1..9999).
TDateTime EncodeDate(int year, int month, int day);
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
void DecodeDate(TDateTime date, int& year, int& month, int& day);

// Raises EConvertError for hour > 23, min > 59, sec > 59, msec > 999.
TDateTime EncodeTime(int hour, int min, int sec, int msec);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& result);
void DecodeTime(TDateTime time, int& hour, int& min, int& sec, int& msec);

// The whole days (truncated towards zero) and the time of day (always >= 0).
TDateTime DateOf(TDateTime value);
TDateTime TimeOf(TDateTime value);

// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime date);

// Split into whole days counted from 1 January of year 1 (day 1) and milliseconds of the day,
// rounding to the nearest millisecond as the stored table values do.
struct TTimeStamp {
    int32_t Date; // day number, 1 = 1 January of year 1
    int32_t Time; // milliseconds since midnight
};
TTimeStamp DateTimeToTimeStamp(TDateTime value);
TDateTime TimeStampToDateTime(const TTimeStamp& stamp);
