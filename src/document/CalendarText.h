#pragma once

#include <string>
#include <vector>

// The calendar as plain text, one block per calendar row in the calendar's order: the period's
// dates, a heading of weekdays, and one line per time (the "Any Time" line first) with the
// number of games per weekday, "." where the count is not set. The overview report shows it.
void CalendarToText(std::vector<std::string>& lines);
