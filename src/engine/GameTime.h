#pragma once

#include "engine/DateTime.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One date/time slot: a date, a time of day (0 for "Any Time") and the games it holds.
class TCount {
public:
    TCount(int32_t count, TDateTime date, TDateTime time)
        : Date(date)
        , Time(time)
        , Count(count)
    {
    }

    TDateTime Date;
    TDateTime Time;
    int32_t Count;
};

// "yyyymmdd" + "hhmm", twelve digits: 17:00 on 6 March 2004 is "200403061700". Keys sort by
// date, then time, an "Any Time" slot ("0000") first within its date.
std::string SlotKey(TDateTime date, TDateTime time);

// The date/time slots built from the calendar periods, sorted by SlotKey with no key twice,
// with one shared iteration that hands out one game place per Next. Owns its TCount objects.
class TGameTimeList {
public:
    TGameTimeList();
    TGameTimeList(const TGameTimeList&) = delete;
    TGameTimeList& operator=(const TGameTimeList&) = delete;

    // Sets the slot of that date and time to count: adds it, replaces it, or removes it for
    // count 0. A count of -1 (not set) changes nothing. Other negative counts are stored as
    // they come and lower Total.
    void AddItem(int32_t count, TDateTime date, TDateTime time);

    // The iteration: Reset, then Next before each game and read current after it. A slot
    // with count c serves c games; once all places are used current is EmptySlot.
    void Reset();
    void Next();
    // Positions on the last slot. Raises EListError on an empty list.
    void Last();

    // abs() of the coder's state over every key and decimal count, read as signed 32 bits;
    // 0 for an empty list.
    int32_t CheckSum() const;

    int Count() const { return static_cast<int>(m_entries.size()); }
    // Raise EListError "List index out of bounds (i)" outside 0..Count - 1.
    const TCount& Items(int index) const;
    const std::string& Keys(int index) const;

    const TCount& current() const { return *m_current; }
    const TCount& EmptySlot() const { return m_emptySlot; }
    int32_t Remaining() const { return m_remaining; }
    int32_t Index() const { return m_index; }
    int32_t Total() const { return m_total; }

private:
    struct TEntry {
        std::string Key;
        std::unique_ptr<TCount> Slot;
    };

    void CheckIndex(int index) const;

    std::vector<TEntry> m_entries;
    TCount m_emptySlot { 0, 0, 0 };
    const TCount* m_current = &m_emptySlot;
    int32_t m_remaining = 0;
    int32_t m_index = 0;
    int32_t m_total = 0;
};

// The one slot list of the program. The schedule data module renews it at every reset and
// frees it when it is destroyed; rebuilding the dates replaces it. May be null.
TGameTimeList* GameTimes();
// Replaces the list by a new empty one and returns it.
TGameTimeList* RenewGameTimes();
void SetGameTimes(std::unique_ptr<TGameTimeList> list);
void FreeGameTimes();
