#include "engine/Values.h"

namespace {

// The content at start, shared by the definitions and ResetProgramValues.
constexpr const char* InitialDateDisplayFormat = "dd mmm yyyy";
constexpr const char* InitialTimeDisplayFormat = "HH:MM";
constexpr const char* InitialShortDateFormat = "dd/mm/yyyy";
const std::array<std::string, 8> InitialDayNames
    = { "", "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat" };
const std::array<std::string, 4> InitialStatusNames = { "Auto", "Manual", "Cancelled", "Deleted" };
constexpr uint16_t InitialFirstYear = 1980;
// Kept as literals: computing them with EncodeDate here would depend on the order in which
// translation units are initialised. A test checks them against EncodeDate.
constexpr TDateTime InitialMinDate = 29221; // 1 January 1980
constexpr TDateTime InitialMaxDate = 65745; // 31 December 2079

} // namespace

std::string DateDisplayFormat = InitialDateDisplayFormat;
std::string TimeDisplayFormat = InitialTimeDisplayFormat;
std::string ShortDateFormat = InitialShortDateFormat;
std::array<std::string, 8> DayNames = InitialDayNames;
std::array<std::string, 4> StatusNames = InitialStatusNames;
std::string FieldSeparator = ",";
uint16_t FirstYear = InitialFirstYear;
uint16_t LastYear = InitialFirstYear + 99;
TDateTime MinDate = InitialMinDate;
TDateTime MaxDate = InitialMaxDate;
int CharWidth = 7;
int FileVersion = 7;
bool XPStyleMenus = true;
std::string ScheduleName;

void ResetProgramValues()
{
    DateDisplayFormat = InitialDateDisplayFormat;
    TimeDisplayFormat = InitialTimeDisplayFormat;
    ShortDateFormat = InitialShortDateFormat;
    DayNames = InitialDayNames;
    StatusNames = InitialStatusNames;
    FieldSeparator = ",";
    FirstYear = InitialFirstYear;
    LastYear = InitialFirstYear + 99;
    MinDate = InitialMinDate;
    MaxDate = InitialMaxDate;
    CharWidth = 7;
    FileVersion = 7;
    XPStyleMenus = true;
    ScheduleName.clear();
}
