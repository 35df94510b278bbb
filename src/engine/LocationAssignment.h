#pragma once

#include "engine/TeamTotals.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The location pass of the engine: gives the generated games of the store their locations by
// the method of the generation settings, then reports double-booked locations (two games at
// one location on one date at one time). Its totals, one row per team plus the all-teams row
// and one column per location number, also serve the location summary window.
//
// The main window owns one object for its whole life; between passes it keeps only the last
// double-booking count and the pool of the last Fair round.
class TLocationSummary {
public:
    TLocationSummary();
    ~TLocationSummary();
    TLocationSummary(const TLocationSummary&) = delete;
    TLocationSummary& operator=(const TLocationSummary&) = delete;

    // Called first in every pass; the GUI sets it to show its progress window.
    std::function<void()> OnShowProgress;

    // One whole pass over rounds 1..RoundCount: clears the locations of the Auto games, places
    // them by GenerateSettings.LocationType and checks for double bookings. Writes its own
    // progress lines and warnings and shows the busy cursor meanwhile. Expects the pairings
    // of every round and, for the double-booking check, their dates and times.
    void AssignLocations();

    // Clears the totals and counts each game of rounds 1..lastRound, whatever its status and
    // byes included, whose location key belongs to a row of the locations table. The totals
    // must exist (CreateTotals).
    void CountLocations(int lastRound);

    // Adds amount in the column to the rows of the game's home and away teams and to row
    // N + 1, N being the current number of rows of the teams table (which is TeamCount
    // whenever the store matches the table).
    void AddGame(int round, int game, int amount, int column);

    // The totals of a pass or of a summary display: TeamCount + 1 rows, one column per row of
    // the locations table, all cells 0. Replaces totals that exist.
    TTeamTotals& CreateTotals();
    // nullptr when none exist.
    TTeamTotals* Totals() { return m_totals.get(); }
    void FreeTotals();

    // Double bookings found by the last pass; 0 when it had no locations to check.
    int DoubleBookings() const { return m_doubleBookings; }

    // The warning for n double bookings: "1 location is double-booked.",
    // "3 locations are double-booked.".
    static std::string DoubleBookingText(int count);

private:
    class TNumbers; // location numbers and keys, read once per pass

    TTeamTotals& RequireTotals();
    void CountRounds(const TNumbers& numbers, int firstRound, int lastRound);
    void AssignHome();
    void AssignInOrder(const TNumbers& numbers);
    void RebalanceFair(const TNumbers& numbers);
    void RebalanceFairByRule(const TNumbers& numbers);
    bool FastFairApplies(const TNumbers& numbers) const;
    void RebalanceFairFast(const TNumbers& numbers);
    void CheckDoubleBookings();

    // The location numbers taken out of the current Fair round, by game number 1..G (0 empty).
    std::vector<int> m_pool;
    int m_doubleBookings = 0;
    std::unique_ptr<TTeamTotals> m_totals;
    std::array<bool, 256> m_byeTeam {}; // by team number, for the pass under way
};
