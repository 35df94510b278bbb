#include "engine/TextUtils.h"

#include "engine/DateFormat.h"
#include "engine/Exceptions.h"
#include "engine/Platform.h"
#include "engine/Utf8.h"
#include "engine/Values.h"

#include <charconv>

namespace {

bool IsTrimmed(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

} // namespace

std::string Trim(const std::string& text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsTrimmed(text[first]))
        ++first;
    while (last > first && IsTrimmed(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

std::string PadLeft(const std::string& text, int width)
{
    const std::size_t length = Utf8Length(text);
    if (width <= 0 || length >= static_cast<std::size_t>(width))
        return text;
    return std::string(static_cast<std::size_t>(width) - length, ' ') + text;
}

std::string TrimPadLeft(const std::string& text, int width)
{
    return PadLeft(Trim(text), width);
}

std::string IntToStrPadded(int number, int width)
{
    const std::string digits = std::to_string(number);
    const int length = static_cast<int>(digits.size());
    if (width < length)
        return digits;
    return std::string(static_cast<std::size_t>(width - length + 1) * 2, ' ') + digits;
}

int StrToIntOrZero(const std::string& text)
{
    const std::string trimmed = Trim(text);
    if (trimmed.empty())
        return 0;
    const char* first = trimmed.data();
    const char* last = first + trimmed.size();
    // from_chars takes a minus sign but not a plus sign.
    if (*first == '+' && last - first > 1 && first[1] != '-')
        ++first;
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last)
        throw EConvertError("'" + text + "' is not a valid integer value");
    return value;
}

std::string NextField(TStringRecord& record)
{
    const std::size_t start
        = record.Position < 1 ? 0 : static_cast<std::size_t>(record.Position - 1);
    if (start >= record.Text.size()) {
        record.Position = static_cast<int>(record.Text.size()) + 2;
        return std::string();
    }
    std::size_t end
        = FieldSeparator.empty() ? std::string::npos : record.Text.find(FieldSeparator, start);
    if (end == std::string::npos) {
        end = record.Text.size();
        record.Position = static_cast<int>(end) + 2;
    } else {
        record.Position = static_cast<int>(end + FieldSeparator.size()) + 1;
    }
    return record.Text.substr(start, end - start);
}

std::string DayName(TDateTime date)
{
    if (date == 0)
        return std::string();
    return DayNames[static_cast<std::size_t>(DayOfWeek(date))];
}

std::string TimeToText(TDateTime time)
{
    if (time == 0)
        return std::string();
    return FormatDateTime(TimeDisplayFormat, time);
}

TDateTime StrToTimeOrZero(const std::string& text)
{
    TDateTime result = 0;
    if (Trim(text).empty() || !TryStrToTime(text, result))
        return 0;
    return result;
}

std::string DateToText(TDateTime date)
{
    if (date == 0)
        return std::string();
    return FormatDateTime(ShortDateFormat, date);
}

std::string DateToDayNumber(TDateTime date)
{
    if (date == 0)
        return std::string();
    return std::to_string(DateTimeToTimeStamp(date).Date);
}

TDateTime DayNumberToDate(const std::string& text)
{
    if (Trim(text).empty())
        return 0;
    return static_cast<TDateTime>(static_cast<int64_t>(StrToIntOrZero(text)) - DateDelta);
}

TDateTime FixYear(TDateTime date)
{
    int year, month, day;
    DecodeDate(date, year, month, day);
    if (month == 0 || (year >= FirstYear && year <= LastYear))
        return date;
    int fixed = year % 100 + FirstYear / 100 * 100;
    if (fixed < FirstYear)
        fixed += 100;
    // 29 February always lands on a leap year with the usual range; with another FirstYear it
    // may not, and then the last day of February is taken.
    if (day > DaysInMonth(fixed, month))
        day = DaysInMonth(fixed, month);
    return EncodeDate(fixed, month, day);
}

void ShowTimeFormatError()
{
    Prompt().ErrorBox("Enter times as hh:mm e.g. 17:00 or 5:00pm");
}
