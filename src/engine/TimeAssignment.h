#pragma once

#include "engine/DateTime.h"

#include <functional>
#include <vector>

class TTeamTotals;

// Gives the games of the schedule their playing dates and times from the slot list, by the
// time method of the generation settings, repairs time clashes by exchanging pairings within a
// round, reports the clashes that remain, and marks every game's clash flags. Also counts games
// per team and playing time for the time summary.
//
// A team's two games in consecutive rounds clash when both have the same moment (date + time,
// the first game having a time of day), or when their dates lie fewer than DaysBetweenGames
// days apart. Status does not matter: cancelled and deleted games take part.
//
// Time columns: 1..T are the rows of the times table (T = its number of rows), T + 1 counts the
// games that have a date but no time. A time that is no playing time has no column (0); such
// games are left out of every count. A blank or unreadable row of the times table stands for a
// time 0, which never matches a game's time.
class TTimeSummary {
public:
    // Shows the progress window at the start of every pass; set by the GUI.
    std::function<void()> OnShowProgress;
    // Called after each pass of the clash repair, before its clashes are counted, with the
    // number of passes so far; the repair reads the store again afterwards. For diagnostics
    // and tests.
    std::function<void(int pass)> AfterRepairPass;

    // One pass of the time method chosen in GenerateSettings over rounds 1..RoundCount. The
    // store must hold the pairings and the slot list must be built from the current calendar.
    // Writes "Assigning times..." + " completed." when there are places and rounds, then
    // "n time clash(es) was/were detected." as a warning when clashes remain.
    // The Fair method finally writes the store to the schedule table and takes each round back
    // in the table's "RoundNo;Date;IntTime" order, so game numbers change; the table keeps
    // that order among its orders, its current order is restored, and a filter on it is lifted
    // for the walk and applied again.
    void AssignTimes();

    // The time summary's table: the caller creates it with TeamCount + 1 rows and T + 1
    // columns, hands it over here, calls CountTimes, reads it and frees it (handing nullptr
    // back). The pass itself keeps its counts elsewhere.
    void SetTotals(TTeamTotals* totals) { m_totals = totals; }
    TTeamTotals* Totals() const { return m_totals; }

    // Clears the handed-over totals, reloads the times list and counts every game of rounds
    // 1..lastRound whose date is above 0, byes and every status included. Without totals it
    // does nothing.
    void CountTimes(int lastRound);

    // Adds amount to the column in the rows of the game's two teams and in the all-teams row
    // (the table's last row) of the handed-over totals, if any. Raises ERangeError outside the
    // table.
    void AddGame(int round, int game, int amount, int column);

    // Sets each game's HomeClash and AwayClash of rounds 1..RoundCount - 1 to whether that team's
    // game in the next round clashes with it. Games of the last round keep their flags.
    void MarkClashes();

    // Reads the times list from the times table, in table order.
    void LoadTimes();
    // The column of a time of day in the times list last loaded: T + 1 for 0, else the first
    // playing time equal to it, 0 when none is.
    int TimeIndex(TDateTime time) const;
    int TimeCount() const { return static_cast<int>(m_times.size()) - 1; }

    // The clashes counted by the last pass (0 until the repair has counted).
    int ClashCount() const { return m_clashCount; }
    // Passes of the clash repair in the last pass of AssignTimes; 0 when it did not run.
    int RepairPasses() const { return m_repairPasses; }

private:
    std::vector<TDateTime> m_times { 0 }; // 1-based; m_times[0] is unused
    std::vector<TDateTime> m_poolTimes; // by game number 1..GamesPerRound; 0 = empty entry
    std::vector<TDateTime> m_poolDates;
    int m_clashCount = 0;
    int m_repairPasses = 0;
    TTeamTotals* m_totals = nullptr;
};
