#include "engine/DateTime.h"

#include "engine/Exceptions.h"

#include <cmath>

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date.
constexpr int64_t DaysFromCivil(int64_t y, int m, int d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

constexpr int64_t DayOneFromEpoch = DaysFromCivil(1, 1, 1);

} // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month)
{
    static const int days[12] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1
        || day > DaysInMonth(year, month))
        return false;
    const int64_t dayNumber = DaysFromCivil(year, month, day) - DayOneFromEpoch + 1;
    result = static_cast<double>(dayNumber - DateDelta);
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime result = 0;
    if (!TryEncodeDate(year, month, day, result))
        throw EConvertError("Invalid argument to date encode");
    return result;
}

void DecodeDate(TDateTime date, int& year, int& month, int& day)
{
    const TTimeStamp stamp = DateTimeToTimeStamp(date);
    if (stamp.Date <= 0) {
        year = month = day = 0;
        return;
    }
    CivilFromDays(static_cast<int64_t>(stamp.Date) - 1 + DayOneFromEpoch, year, month, day);
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& result)
{
    if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0
        || msec > 999)
        return false;
    result = ((hour * 60 + min) * 60 + sec) * 1000.0 + msec;
    result /= MSecsPerDay;
    return true;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec)
{
    TDateTime result = 0;
    if (!TryEncodeTime(hour, min, sec, msec, result))
        throw EConvertError("Invalid argument to time encode");
    return result;
}

void DecodeTime(TDateTime time, int& hour, int& min, int& sec, int& msec)
{
    int32_t ms = DateTimeToTimeStamp(time).Time;
    hour = ms / 3600000;
    ms %= 3600000;
    min = ms / 60000;
    ms %= 60000;
    sec = ms / 1000;
    msec = ms % 1000;
}

TDateTime DateOf(TDateTime value) { return std::trunc(value); }

TDateTime TimeOf(TDateTime value) { return std::fabs(value - std::trunc(value)); }

int DayOfWeek(TDateTime date) { return DateTimeToTimeStamp(date).Date % 7 + 1; }

TTimeStamp DateTimeToTimeStamp(TDateTime value)
{
    // Rounded to the millisecond; the time part is taken without its sign so that dates before
    // 1899 keep a positive time of day.
    const int64_t total = std::llround(value * MSecsPerDay);
    TTimeStamp stamp {};
    stamp.Time = static_cast<int32_t>((total < 0 ? -total : total) % MSecsPerDayInt);
    stamp.Date = static_cast<int32_t>(DateDelta + total / MSecsPerDayInt);
    return stamp;
}

TDateTime TimeStampToDateTime(const TTimeStamp& stamp)
{
    const double days = static_cast<double>(stamp.Date - DateDelta);
    const double fraction = stamp.Time / MSecsPerDay;
    return days < 0 ? days - fraction : days + fraction;
}
