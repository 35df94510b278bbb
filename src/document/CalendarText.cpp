#include "document/CalendarText.h"

#include "document/DMTable.h"
#include "engine/DateFormat.h"
#include "engine/DatePeriod.h"
#include "engine/TextUtils.h"
#include "engine/Utf8.h"
#include "engine/Values.h"

void CalendarToText(std::vector<std::string>& lines)
{
    TTallivorandaData& data = *TallivorandaData;
    TMemDataSet& calendar = data.CalendarData;
    const std::string bookmark = calendar.Bookmark();
    calendar.DisableControls();
    calendar.First();
    while (!calendar.Eof()) {
        if (const TPeriod* p = data.CurrentPeriod()) {
            lines.push_back(PadLeft(" ", 8) + "From "
                + FormatDateTime(DateDisplayFormat, p->FromDate) + " to "
                + FormatDateTime(DateDisplayFormat, p->ToDate));
            std::string heading(9, ' ');
            for (int day = 1; day <= 7; ++day)
                heading += Utf8Left(DayNames[day], 3) + " ";
            lines.push_back(heading);
            for (int i = 0; i <= p->TimeCount; ++i) {
                std::string line
                    = i == 0 ? std::string("Any Time") : PadLeft(TimeToText(p->Times(i)), 8);
                for (int day = 1; day <= 7; ++day) {
                    const int count = p->GameCounts(day, i);
                    line += PadLeft(count < 0 ? std::string(".") : std::to_string(count), 4);
                }
                lines.push_back(line);
            }
            lines.emplace_back();
        }
        calendar.Next();
    }
    try {
        calendar.SetBookmark(bookmark);
    } catch (const Exception&) {
        calendar.First();
    }
    calendar.EnableControls();
}
