#include "engine/DatePeriod.h"

#include "engine/Exceptions.h"
#include "engine/Utf8.h"
#include "engine/Values.h"

namespace {

void CheckDay(int day)
{
    if (day < 1 || day > 7)
        throw ERangeError();
}

void CheckTimeIndex(int timeIndex)
{
    if (timeIndex < 0 || timeIndex > TPeriod::MaxTimes)
        throw ERangeError();
}

[[noreturn]] void ListIndexError(int index)
{
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

} // namespace

std::unique_ptr<TPeriod> EditPeriod;

void TDays::Include(int day)
{
    CheckDay(day);
    m_bits = static_cast<uint8_t>(m_bits | Bit(day));
}

void TDays::Exclude(int day)
{
    CheckDay(day);
    m_bits = static_cast<uint8_t>(m_bits & ~Bit(day));
}

void TPeriod::Clear()
{
    ID = 0;
    FromDate = 0;
    ToDate = 0;
    TimeCount = 0;
    GameDays = TDays();
    for (auto& day : m_gameCounts)
        day.fill(-1);
    m_times.fill(0);
}

int32_t& TPeriod::GameCounts(int day, int timeIndex)
{
    CheckDay(day);
    CheckTimeIndex(timeIndex);
    return m_gameCounts[day - 1][timeIndex];
}

int32_t TPeriod::GameCounts(int day, int timeIndex) const
{
    CheckDay(day);
    CheckTimeIndex(timeIndex);
    return m_gameCounts[day - 1][timeIndex];
}

TDateTime& TPeriod::Times(int timeIndex)
{
    CheckTimeIndex(timeIndex);
    return m_times[timeIndex];
}

TDateTime TPeriod::Times(int timeIndex) const
{
    CheckTimeIndex(timeIndex);
    return m_times[timeIndex];
}

void TPeriod::SetTimeCount(int count)
{
    CheckTimeIndex(count);
    TimeCount = count;
}

TPeriodList::~TPeriodList()
{
    // Last to first, as they were filed.
    while (!m_items.empty())
        m_items.pop_back();
}

TPeriod* TPeriodList::Items(int index) const
{
    if (index < 0 || index >= Count())
        ListIndexError(index);
    return m_items[index].get();
}

int TPeriodList::IndexOfID(int32_t id) const
{
    for (int i = 0; i < Count(); ++i) {
        if (m_items[i]->ID == id)
            return i;
    }
    return -1;
}

bool TPeriodList::AddEditPeriod(int32_t id)
{
    if (Count() >= MaxPeriods)
        return false;
    const bool editing = EditPeriod != nullptr;
    std::unique_ptr<TPeriod> filed = editing ? std::move(EditPeriod) : std::make_unique<TPeriod>();
    filed->ID = id;
    m_items.push_back(std::move(filed));
    if (editing)
        EditPeriod = std::make_unique<TPeriod>();
    return true;
}

void TPeriodList::Delete(int index)
{
    if (index < 0 || index >= Count())
        ListIndexError(index);
    m_items.erase(m_items.begin() + index);
}

void CreateEditPeriod()
{
    EditPeriod = std::make_unique<TPeriod>();
}

void FreeEditPeriod()
{
    EditPeriod.reset();
}

std::string DayCode(int day, TDays days)
{
    if (!days.Contains(day))
        return {};
    return Utf8Left(DayNames[day], 2);
}

std::string DaysToCodes(TDays days)
{
    std::string codes;
    for (int day = 1; day <= 7; ++day)
        codes += DayCode(day, days);
    return codes;
}

std::string DaysToMask(TDays days)
{
    std::string mask;
    for (int day = 1; day <= 7; ++day)
        mask += days.Contains(day) ? Utf8Left(DayNames[day], 1) : std::string("-");
    return mask;
}

TDays MaskToDays(const std::string& text)
{
    if (Utf8Length(text) < 7)
        throw ERangeError();
    TDays days;
    std::size_t start = 0;
    for (int day = 1; day <= 7; ++day) {
        const std::size_t end = Utf8Left(text, day).size();
        if (text.compare(start, end - start, "-") != 0)
            days.Include(day);
        start = end;
    }
    return days;
}
