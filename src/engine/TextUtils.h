#pragma once

#include "engine/DateTime.h"

#include <string>

// Small text and date helpers shared by the engine, the document, the schedule file and the
// reports. Widths count characters, not bytes.

// The text without the blanks and control characters (bytes up to 32) at either end.
std::string Trim(const std::string& text);

// Right-aligned: spaces in front up to the width; a longer text is returned unchanged.
std::string PadLeft(const std::string& text, int width);
// The trimmed text, padded on the left when it is shorter than the width.
std::string TrimPadLeft(const std::string& text, int width);

// The decimal text of the number. When it fits the width (length L <= width), two spaces are
// put in front of it width - L + 1 times, which lines the digits up in proportional fonts
// where a space is about half a digit wide: IntToStrPadded(7, 3) is six spaces and "7".
std::string IntToStrPadded(int number, int width);

// 0 for blank text; otherwise the trimmed text as a signed 32-bit decimal integer (an
// optional sign, then digits). Anything else raises EConvertError
// "'<text>' is not a valid integer value".
int StrToIntOrZero(const std::string& text);

// A line of the schedule file being split into fields. Position is 1-based (in bytes) and
// starts at 1.
struct TStringRecord {
    std::string Text;
    int Position = 1;
};

// The text from the position up to the next FieldSeparator or the end; the position moves past
// the separator. Past the end it returns empty text: "1,,3" gives "1", "", "3", then "".
std::string NextField(TStringRecord& record);

// DayNames of the date's day of the week; empty for date 0.
std::string DayName(TDateTime date);

// The time in TimeDisplayFormat; empty for 0.
std::string TimeToText(TDateTime time);
// 0 for blank text and for text that does not read as a time (TryStrToTime).
TDateTime StrToTimeOrZero(const std::string& text);

// The date in ShortDateFormat; empty for 0.
std::string DateToText(TDateTime date);

// The schedule file's form of a date: its whole days counted from 1 January of year 1 as day 1
// (30 December 1899 is 693594), as decimal text; empty for 0.
std::string DateToDayNumber(TDateTime date);
// The inverse: 0 for blank text; raises EConvertError for text that is not an integer.
TDateTime DayNumberToDate(const std::string& text);

// Moves the date into FirstYear..LastYear keeping month, day and the last two digits of the
// year (1975 -> 2075, 2085 -> 1985); a moved date loses its time of day. A date inside the
// range, or one with no valid calendar date, is returned unchanged.
TDateTime FixYear(TDateTime date);

// The error box for a typed time that does not read as a time.
void ShowTimeFormatError();
