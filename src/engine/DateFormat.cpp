#include "engine/DateFormat.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace {

const std::array<const char*, 12> ShortMonthNames
    = { "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec" };
const std::array<const char*, 12> LongMonthNames = { "January", "February", "March", "April", "May",
    "June", "July", "August", "September", "October", "November", "December" };
// By day of the week, 1 = Sunday, minus one.
const std::array<const char*, 7> ShortDayNames
    = { "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat" };
const std::array<const char*, 7> LongDayNames
    = { "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday" };

char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// True when the text at pos begins with the marker, ignoring letter case.
bool StartsWithNoCase(std::string_view text, std::size_t pos, std::string_view marker)
{
    if (text.size() - pos < marker.size())
        return false;
    for (std::size_t i = 0; i < marker.size(); ++i) {
        if (Upper(text[pos + i]) != Upper(marker[i]))
            return false;
    }
    return true;
}

// The length of the am/pm marker at pos (am/pm, a/p or ampm), 0 when there is none.
std::size_t MarkerLength(std::string_view format, std::size_t pos)
{
    if (StartsWithNoCase(format, pos, "am/pm"))
        return 5;
    if (StartsWithNoCase(format, pos, "a/p"))
        return 3;
    if (StartsWithNoCase(format, pos, "ampm"))
        return 4;
    return 0;
}

// True when an am/pm marker appears outside quoted text.
bool HasMarker(std::string_view format)
{
    char quote = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if ((c == 'a' || c == 'A') && MarkerLength(format, i) > 0) {
            return true;
        }
    }
    return false;
}

void AppendNumber(std::string& out, int value, int digits)
{
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < digits)
        out.append(static_cast<std::size_t>(digits) - text.size(), '0');
    out += text;
}

// Reads one or two digits at pos into value.
bool ReadNumber(std::string_view text, std::size_t& pos, int& value)
{
    std::size_t digits = 0;
    value = 0;
    while (pos < text.size() && digits < 2 && text[pos] >= '0' && text[pos] <= '9') {
        value = value * 10 + (text[pos] - '0');
        ++pos;
        ++digits;
    }
    return digits > 0;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Blanks and control characters, as left around a text by a line read from a file.
bool IsTrimmed(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

} // namespace

std::string FormatDateTime(const std::string& format, TDateTime value)
{
    int year, month, day, hour, minute, second, msec;
    DecodeDate(value, year, month, day);
    DecodeTime(value, hour, minute, second, msec);
    const int weekDay = DayOfWeek(value) - 1;
    const bool twelveHour = HasMarker(format);

    std::string out;
    char lastToken = 0; // the previous letter, upper case, with minutes as 'N'
    std::size_t i = 0;
    while (i < format.size()) {
        const char c = format[i];
        if (c == '\'' || c == '"') {
            const std::size_t end = format.find(c, i + 1);
            const std::size_t stop = end == std::string::npos ? format.size() : end;
            out.append(format, i + 1, stop - i - 1);
            i = stop == format.size() ? stop : stop + 1;
            continue;
        }
        if (!IsLetter(c)) {
            out += c;
            ++i;
            continue;
        }
        char token = Upper(c);
        if (token == 'A') {
            lastToken = 'A';
            const std::size_t length = MarkerLength(format, i);
            const bool pm = hour >= 12;
            if (length == 5)
                out.append(format, pm ? i + 3 : i, 2);
            else if (length == 3)
                out += format[pm ? i + 2 : i];
            else if (length == 4)
                out += pm ? "PM" : "AM";
            else
                out += c;
            i += length > 0 ? length : 1;
            continue;
        }
        std::size_t count = 1;
        while (i + count < format.size() && Upper(format[i + count]) == token)
            ++count;
        if (token == 'M' && lastToken == 'H')
            token = 'N';
        lastToken = token;
        switch (token) {
        case 'D':
            if (count <= 2)
                AppendNumber(out, day, static_cast<int>(count));
            else if (weekDay >= 0 && weekDay < 7)
                out += count == 3 ? ShortDayNames[weekDay] : LongDayNames[weekDay];
            break;
        case 'M':
            if (count <= 2)
                AppendNumber(out, month, static_cast<int>(count));
            else if (month >= 1 && month <= 12)
                out += count == 3 ? ShortMonthNames[month - 1] : LongMonthNames[month - 1];
            break;
        case 'Y':
            if (count <= 2)
                AppendNumber(out, year % 100, 2);
            else
                AppendNumber(out, year, 4);
            break;
        case 'H': {
            int h = hour;
            if (twelveHour)
                h = h == 0 ? 12 : (h > 12 ? h - 12 : h);
            AppendNumber(out, h, count >= 2 ? 2 : 1);
            break;
        }
        case 'N':
            AppendNumber(out, minute, count >= 2 ? 2 : 1);
            break;
        case 'S':
            AppendNumber(out, second, count >= 2 ? 2 : 1);
            break;
        case 'Z':
            AppendNumber(out, msec, count >= 2 ? 3 : 1);
            break;
        default:
            out.append(format, i, count);
            break;
        }
        i += count;
    }
    return out;
}

bool TryStrToTime(const std::string& text, TDateTime& result)
{
    std::string_view s = text;
    while (!s.empty() && IsTrimmed(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsTrimmed(s.back()))
        s.remove_suffix(1);

    std::size_t pos = 0;
    int hour = 0, minute = 0, second = 0;
    if (!ReadNumber(s, pos, hour) || pos >= s.size() || s[pos] != ':')
        return false;
    ++pos;
    if (!ReadNumber(s, pos, minute))
        return false;
    if (pos < s.size() && s[pos] == ':') {
        ++pos;
        if (!ReadNumber(s, pos, second))
            return false;
    }
    while (pos < s.size() && IsBlank(s[pos]))
        ++pos;
    if (pos < s.size()) {
        const bool am = StartsWithNoCase(s, pos, "am");
        const bool pm = StartsWithNoCase(s, pos, "pm");
        if ((!am && !pm) || pos + 2 != s.size() || hour < 1 || hour > 12)
            return false;
        if (am && hour == 12)
            hour = 0;
        else if (pm && hour < 12)
            hour += 12;
    }
    return TryEncodeTime(hour, minute, second, 0, result);
}
