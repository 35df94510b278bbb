#pragma once

#include "engine/DateTime.h"

#include <array>
#include <cstdint>
#include <string>

// Program-wide values, set once at start and changed afterwards only by the windows that own
// them (options dialog, main window). All access is on the user-interface thread.

// Format texts of the date-time formatter (engine/DateFormat.h).
extern std::string DateDisplayFormat; // dates in the grid, reports, the overview and calendar text
extern std::string TimeDisplayFormat; // every time shown or written as text, the schedule file too
// The system's short date form; the GUI replaces the default from the locale at start.
extern std::string ShortDateFormat;

// Day names by day number, 1 = Sunday .. 7 = Saturday; index 0 is an empty text.
extern std::array<std::string, 8> DayNames;
// Game status names by status: 0 Auto, 1 Manual, 2 Cancelled, 3 Deleted.
extern std::array<std::string, 4> StatusNames;

// Separates the fields within one line of the schedule file.
extern std::string FieldSeparator;

// The accepted date range: FirstYear..LastYear (LastYear is always FirstYear + 99), and the
// first and last day of that range for date pickers and filters.
extern uint16_t FirstYear;
extern uint16_t LastYear;
extern TDateTime MinDate;
extern TDateTime MaxDate;

// Pixels per character when sizing grid columns; the main window measures "X" in its font.
extern int CharWidth;
// The version written into schedule files.
extern int FileVersion;
extern bool XPStyleMenus;
// The trimmed text of the Name dialog.
extern std::string ScheduleName;

// Restores every value above to its content at start.
void ResetProgramValues();
