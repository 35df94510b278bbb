#pragma once

#include "engine/DateTime.h"

#include <string>

// Formats a date-time value with a format text. Letters are case-insensitive except in the
// am/pm markers:
//   d, dd        day of the month, without / with a leading zero
//   ddd, dddd    English day name, short ("Sun") / long ("Sunday"); longer runs act as dddd
//   m, mm        month number; minutes instead when the previous letter token was h or hh
//                (separators and quoted text in between do not count), so "HH:MM" and "hhmm"
//                give minutes
//   mmm, mmmm    English month name, short ("Jan") / long ("January")
//   yy, yyyy     year with two / four digits (a run of one or two y's is yy, longer is yyyy)
//   h, hh        hour; on a 12-hour clock (0 shows as 12) when the format holds an am/pm marker
//   n, nn        minutes
//   s, ss        seconds
//   z, zzz       milliseconds, without / with leading zeros
//   am/pm, a/p   "am"/"pm" or "a"/"p", copied in the letter case the format uses them
//                ("AM/PM" writes "AM" or "PM")
//   ampm         "AM" or "PM"
//   '...', "..." quoted text, copied without the quotes
// Every other character, a letter included, is copied as it stands.
std::string FormatDateTime(const std::string& format, TDateTime value);

// Reads a time of day: hours, ":", minutes, optionally ":" and seconds, optionally followed by
// an am/pm marker ("am", "pm" in any letter case, blanks allowed before it). Hours are 0..23,
// or 1..12 with a marker (12am is midnight, 12pm noon); minutes and seconds are 0..59, each
// part one or two digits. Blanks and control characters around the text are ignored;
// nothing else may appear.
// On success result is the time of day (the fraction of a day, whole milliseconds).
bool TryStrToTime(const std::string& text, TDateTime& result);
