#include "engine/GameTime.h"

#include "engine/Coder.h"
#include "engine/Exceptions.h"

#include <algorithm>
#include <cstdio>

namespace {

std::unique_ptr<TGameTimeList> gameTimes;

} // namespace

std::string SlotKey(TDateTime date, TDateTime time)
{
    int year, month, day, hour, min, sec, msec;
    DecodeDate(date, year, month, day);
    DecodeTime(time, hour, min, sec, msec);
    char key[32];
    std::snprintf(key, sizeof key, "%04d%02d%02d%02d%02d", year, month, day, hour, min);
    return key;
}

TGameTimeList::TGameTimeList() = default;

void TGameTimeList::AddItem(int32_t count, TDateTime date, TDateTime time)
{
    if (count == -1)
        return;
    std::string key = SlotKey(date, time);
    const auto it = std::lower_bound(m_entries.begin(), m_entries.end(), key,
        [](const TEntry& entry, const std::string& k) { return entry.Key < k; });
    if (it == m_entries.end() || it->Key != key) {
        if (count != 0) {
            m_entries.insert(
                it, TEntry { std::move(key), std::make_unique<TCount>(count, date, time) });
            m_total += count;
        }
        return;
    }
    // The iteration must never point at a freed slot: it follows a replaced slot and falls
    // back to EmptySlot when its slot is removed.
    const bool isCurrent = m_current == it->Slot.get();
    m_total -= it->Slot->Count;
    if (count == 0) {
        m_entries.erase(it);
        if (isCurrent)
            m_current = &m_emptySlot;
    } else {
        it->Slot = std::make_unique<TCount>(count, date, time);
        m_total += count;
        if (isCurrent)
            m_current = it->Slot.get();
    }
}

void TGameTimeList::Reset()
{
    m_index = 0;
    m_current = m_entries.empty() ? &m_emptySlot : m_entries.front().Slot.get();
    m_remaining = m_current->Count;
}

void TGameTimeList::Next()
{
    if (m_index >= Count())
        return;
    if (m_remaining > 0) {
        --m_remaining;
        return;
    }
    ++m_index;
    if (m_index < Count()) {
        m_current = m_entries[m_index].Slot.get();
        m_remaining = m_current->Count - 1;
    } else {
        m_current = &m_emptySlot;
        m_remaining = 0;
    }
}

void TGameTimeList::Last()
{
    CheckIndex(Count() - 1);
    m_index = Count() - 1;
    m_current = m_entries.back().Slot.get();
    m_remaining = 0;
}

int32_t TGameTimeList::CheckSum() const
{
    if (m_entries.empty())
        return 0;
    TCoder coder;
    for (const TEntry& entry : m_entries) {
        coder.AddText(entry.Key);
        coder.AddText(std::to_string(entry.Slot->Count));
    }
    // abs() in unsigned arithmetic: a state of 0x80000000 stays the most negative value
    // instead of overflowing.
    const uint32_t code = coder.Code();
    const auto value = static_cast<int32_t>(code);
    return value < 0 ? static_cast<int32_t>(0u - code) : value;
}

const TCount& TGameTimeList::Items(int index) const
{
    CheckIndex(index);
    return *m_entries[index].Slot;
}

const std::string& TGameTimeList::Keys(int index) const
{
    CheckIndex(index);
    return m_entries[index].Key;
}

void TGameTimeList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

TGameTimeList* GameTimes()
{
    return gameTimes.get();
}

TGameTimeList* RenewGameTimes()
{
    gameTimes = std::make_unique<TGameTimeList>();
    return gameTimes.get();
}

void SetGameTimes(std::unique_ptr<TGameTimeList> list)
{
    gameTimes = std::move(list);
}

void FreeGameTimes()
{
    gameTimes.reset();
}
