#pragma once

#include "engine/DateTime.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A set of days of the week, 1 = Sunday .. 7 = Saturday, held in one byte (bit d for day d).
class TDays {
public:
    TDays() = default;

    // False for day numbers outside 1..7.
    bool Contains(int day) const { return day >= 1 && day <= 7 && (m_bits & Bit(day)) != 0; }
    // Raise ERangeError for day numbers outside 1..7.
    void Include(int day);
    void Exclude(int day);

    bool Empty() const { return m_bits == 0; }
    uint8_t Bits() const { return m_bits; }

    bool operator==(const TDays&) const = default;

private:
    static uint8_t Bit(int day) { return static_cast<uint8_t>(1u << day); }

    uint8_t m_bits = 0;
};

// One calendar period: a range of dates and, for each day of the week and each playing time,
// the number of games that can be played then. Each row of the calendar table has one; the
// table holds the dates and the day codes, the period the grid. A fixed-size record, so copies
// allocate nothing.
class TPeriod {
public:
    static constexpr int MaxTimes = 100;

    TPeriod() { Clear(); }

    // Every count -1 (not set), every time 0, no days, ID and dates 0.
    void Clear();
    void Assign(const TPeriod& source) { *this = source; }

    // Games on a day of the week (1..7) at a time index (0 = "Any Time", 1..TimeCount the
    // playing times); -1 = not set. Raise ERangeError outside 1..7 or 0..MaxTimes.
    int32_t& GameCounts(int day, int timeIndex);
    int32_t GameCounts(int day, int timeIndex) const;

    // Time of day of a time index; index 0 stays 0. Raises ERangeError outside 0..MaxTimes.
    TDateTime& Times(int timeIndex);
    TDateTime Times(int timeIndex) const;

    // Raises ERangeError for a count outside 0..MaxTimes and leaves TimeCount alone.
    void SetTimeCount(int count);

    bool operator==(const TPeriod&) const = default;

    int32_t ID = 0; // CalendarID of the calendar row the period belongs to
    TDateTime FromDate = 0;
    TDateTime ToDate = 0; // included
    int32_t TimeCount = 0; // playing times in the grid: time indexes 1..TimeCount
    TDays GameDays; // the days with at least one positive count

private:
    std::array<std::array<int32_t, MaxTimes + 1>, 7> m_gameCounts {}; // [day - 1][time index]
    std::array<TDateTime, MaxTimes + 1> m_times {};
};

// The periods of the current schedule, one per calendar row, tied to it by ID = CalendarID.
// Owns its periods.
class TPeriodList {
public:
    static constexpr int MaxPeriods = 99;

    TPeriodList() = default;
    ~TPeriodList();
    TPeriodList(const TPeriodList&) = delete;
    TPeriodList& operator=(const TPeriodList&) = delete;

    int Count() const { return static_cast<int>(m_items.size()); }
    // Raises EListError "List index out of bounds (i)" outside 0..Count - 1.
    TPeriod* Items(int index) const;

    // 0-based index of the first period with that ID; -1 when none.
    int IndexOfID(int32_t id) const;

    // Files EditPeriod under the given ID and starts a new cleared EditPeriod. A full list
    // (MaxPeriods) takes nothing and returns false. Without an EditPeriod (no dates window) a
    // cleared period is filed instead, so that the row still has one.
    bool AddEditPeriod(int32_t id);

    // Takes the period out of the list and frees it. Raises EListError outside the list.
    void Delete(int index);

private:
    std::vector<std::unique_ptr<TPeriod>> m_items;
};

// The period being edited in the dates window, outside the list. The dates window creates it
// and frees it; a newly posted calendar row takes it over (AddEditPeriod), after which a new
// cleared one takes its place.
extern std::unique_ptr<TPeriod> EditPeriod;
void CreateEditPeriod();
void FreeEditPeriod();

// "Su".."Sa" when the day is in the set; empty otherwise and for days outside 1..7.
std::string DayCode(int day, TDays days);
// The codes of the days in the set, Sunday first: "MoWe"; 14 characters for the whole week.
std::string DaysToCodes(TDays days);
// Seven characters, the first letter of a day in the set or "-": "-M-W---".
std::string DaysToMask(TDays days);
// The days whose character in the first seven is not "-". Raises ERangeError for a text of
// fewer than seven characters.
TDays MaskToDays(const std::string& text);
