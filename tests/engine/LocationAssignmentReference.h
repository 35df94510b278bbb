#pragma once

// The location pass written step by step over the game store and the document's lookups, as
// the rules read, with no shortcut: the yardstick that TLocationSummary must agree with
// exactly. Header-only so that the benchmark can time it too.

#include "document/DMTable.h"
#include "engine/GameCounter.h"
#include "engine/GameStore.h"
#include "engine/Platform.h"
#include "engine/TeamTotals.h"

#include <map>
#include <string>
#include <vector>

// Runs the whole pass on the store and writes the same progress lines; returns the number of
// double bookings (0 when the check does not run).
inline int ReferenceAssignLocations()
{
    TTallivorandaData& data = *TallivorandaData;
    TDetailLookups& locations = data.LocationsLookup;
    const bool skipByes = GenerateSettings.SkipByes;
    const int R = RoundCount;
    const int G = GamesPerRound;

    {
        TGameCounter counter;
        counter.AutoOnly = true;
        for (bool eof = counter.First(); !eof; eof = counter.Next())
            SetLocation(counter.Round(), counter.Game(), 0);
    }

    TTeamTotals totals(TeamCount + 1, data.LocationsData.RecordCount());
    totals.Clear();
    TBusyScope busy;
    Progress().AddMessage("Assigning locations...");

    auto addGame = [&](int round, int game, int amount, int column) {
        totals.Add(GetHomeTeam(round, game), column, amount);
        totals.Add(GetAwayTeam(round, game), column, amount);
        totals.Add(data.TeamsData.RecordCount() + 1, column, amount);
    };
    auto countLocations = [&](int lastRound) {
        totals.Clear();
        TGameCounter counter;
        for (bool eof = counter.First(); !eof && counter.Round() <= lastRound;
             eof = counter.Next()) {
            const int number
                = locations.PositionOfKey(GetLocation(counter.Round(), counter.Game()));
            if (number >= 1)
                addGame(counter.Round(), counter.Game(), +1, number);
        }
    };
    auto inOrder = [&]() {
        int k = 1;
        TGameCounter counter;
        counter.SkipByes = skipByes;
        for (bool eof = counter.First(); !eof; eof = counter.Next()) {
            if (GetStatus(counter.Round(), counter.Game()) == gsAuto)
                SetLocation(counter.Round(), counter.Game(), locations.KeyAt(k));
            if (++k > locations.Count())
                k = 1;
        }
    };
    auto home = [&]() {
        TGameCounter counter;
        counter.SkipByes = skipByes;
        counter.AutoOnly = true;
        for (bool eof = counter.First(); !eof; eof = counter.Next()) {
            const int teamID = data.TeamsLookup.KeyAt(GetHomeTeam(counter.Round(), counter.Game()));
            SetLocation(counter.Round(), counter.Game(), data.PreferredLocation(teamID));
        }
    };
    auto fair = [&]() {
        std::vector<int> pool(G + 1, 0);
        for (int r = 1; r <= R; ++r) {
            for (int g = 1; g <= G; ++g) {
                pool[g] = 0;
                if (IsAssignable(r, g)) {
                    pool[g] = locations.PositionOfKey(GetLocation(r, g));
                    SetLocation(r, g, 0);
                }
            }
            countLocations(r);
            for (int g = 1; g <= G; ++g) {
                if (!IsAssignable(r, g))
                    continue;
                int entry = 0;
                double largest = -1;
                for (int i = 1; i <= G; ++i) {
                    if (pool[i] != 0 && totals.VarianceByRows(pool[i]) > largest) {
                        largest = totals.VarianceByRows(pool[i]);
                        entry = i;
                    }
                }
                if (entry == 0)
                    continue;
                const int L = pool[entry];
                int chosen = 0;
                double smallest = 1.7e308;
                for (int h = 1; h <= G; ++h) {
                    if (GetLocation(r, h) != 0 || (skipByes && IsByeGame(r, h)))
                        continue;
                    addGame(r, h, +1, L);
                    const double variance = totals.VarianceByRows(L);
                    addGame(r, h, -1, L);
                    if (variance == 0) {
                        chosen = h;
                        break;
                    }
                    if (variance < smallest) {
                        smallest = variance;
                        chosen = h;
                    }
                }
                if (chosen != 0) {
                    addGame(r, chosen, +1, L);
                    SetLocation(r, chosen, locations.KeyAt(L));
                    pool[entry] = 0;
                }
            }
        }
    };

    switch (GenerateSettings.LocationType) {
    case ltHome:
    case ltShared:
        home();
        break;
    case ltFair:
        inOrder();
        fair();
        break;
    case ltInOrder:
        inOrder();
        break;
    default:
        break;
    }

    Progress().AppendMessage(" completed.");
    if (GenerateSettings.LocationType == ltShared && SharedPairCount == 0)
        Progress().AddWarning("No shared locations were found.");

    int count = 0;
    if (data.LocationsData.RecordCount() >= 1) {
        std::map<int, TDateTime> lastTime;
        TDateTime date = 0;
        TGameCounter counter;
        counter.SkipByes = skipByes;
        for (bool eof = counter.First(); !eof; eof = counter.Next()) {
            const TGame& game = Games(counter.Round(), counter.Game());
            if (game.Date == 0)
                continue;
            if (game.Date != date) {
                lastTime.clear();
                date = game.Date;
            }
            if (game.Location <= 0 || game.Time <= 0)
                continue;
            if (lastTime[game.Location] == game.Time)
                ++count;
            lastTime[game.Location] = game.Time;
        }
        if (count > 0)
            Progress().AddWarning(std::to_string(count) + " location"
                + (count == 1 ? " is" : "s are") + " double-booked.");
    }
    return count;
}
