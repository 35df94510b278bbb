#pragma once

// The time pass written step by step over the game store, as the rules read, with no shortcut:
// every team's game found by scanning its round, every bye by its team names, every variance by
// walking its column, the totals counted again from round 1 for every round. The yardstick that
// TTimeSummary must agree with exactly. Header-only so that the benchmark can time it too.
//
// It makes the same choices where the rules leave room: the times list holds every row of the
// times table, and a counted game whose time is no playing time is left out of the totals.

#include "document/DMTable.h"
#include "engine/GameCounter.h"
#include "engine/GameStore.h"
#include "engine/GameTime.h"
#include "engine/Platform.h"
#include "engine/ScheduleTable.h"
#include "engine/TeamTotals.h"
#include "engine/TextUtils.h"

#include <climits>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

class TReferenceTimeSummary {
public:
    int ClashCount = 0;
    int RepairPasses = 0;

    void AssignTimes()
    {
        ClashCount = 0;
        RepairPasses = 0;
        const int T = TallivorandaData->TimesData.RecordCount();
        m_totals = std::make_unique<TTeamTotals>(TeamCount + 1, T + 1);
        m_totals->Clear();
        TGameTimeList& slots = *GameTimes();
        slots.Reset();
        LoadTimes();

        TGameCounter counter;
        counter.AutoOnly = true;
        for (bool eof = counter.First(); !eof; eof = counter.Next()) {
            SetDate(counter.Round(), counter.Game(), 0);
            SetTime(counter.Round(), counter.Game(), 0);
        }

        if (slots.Total() != 0 && RoundCount > 0) {
            ProcessPendingEvents();
            BusyCursor().BeginBusy();
            Progress().AddMessage("Assigning times...");
            if (GenerateSettings.TimeType == ttFair) {
                InOrderFill();
                FairRebalance();
                RepairClashes();
                ReorderRounds();
            } else if (GenerateSettings.TimeType == ttInOrder) {
                InOrderFill();
                RepairClashes();
            }
            BusyCursor().EndBusy();
            Progress().AppendMessage(" completed.");
        }
        m_totals.reset();

        if (ClashCount > 0)
            Progress().AddWarning(std::to_string(ClashCount) + " time clash"
                + (ClashCount == 1 ? " was" : "es were") + " detected.");
    }

    void MarkClashes()
    {
        for (int r = 1; r <= RoundCount - 1; ++r) {
            for (int g = 1; g <= GamesPerRound; ++g) {
                SetHomeClash(r, g, Clashes(r, g, GetHomeTeam(r, g), r + 1));
                SetAwayClash(r, g, Clashes(r, g, GetAwayTeam(r, g), r + 1));
            }
        }
    }

private:
    void LoadTimes()
    {
        m_times.assign(1, 0);
        TMemDataSet& table = TallivorandaData->TimesData;
        for (table.First(); !table.Eof(); table.Next())
            m_times.push_back(StrToTimeOrZero(TallivorandaData->FTime->AsString()));
    }

    int TimeIndex(TDateTime t) const
    {
        const int T = static_cast<int>(m_times.size()) - 1;
        if (t == 0)
            return T + 1;
        for (int k = 1; k <= T; ++k)
            if (m_times[k] == t)
                return k;
        return 0;
    }

    void AddGame(int round, int game, int amount, int column)
    {
        m_totals->Add(GetHomeTeam(round, game), column, amount);
        m_totals->Add(GetAwayTeam(round, game), column, amount);
        m_totals->Add(TallivorandaData->TeamsData.RecordCount() + 1, column, amount);
    }

    void CountTimes(int lastRound)
    {
        m_totals->Clear();
        LoadTimes();
        TGameCounter counter;
        for (bool eof = counter.First(); !eof && counter.Round() <= lastRound;
             eof = counter.Next()) {
            if (GetDate(counter.Round(), counter.Game()) > 0) {
                const int column = TimeIndex(GetTime(counter.Round(), counter.Game()));
                if (column != 0)
                    AddGame(counter.Round(), counter.Game(), +1, column);
            }
        }
    }

    bool Clashes(int r, int g, int team, int r2) const
    {
        const int g2 = FindTeamGame(r2, team);
        if (GetDateTime(r, g) == 0 || g2 == 0)
            return false;
        const int D = GenerateSettings.DaysBetweenGames;
        return (GetTime(r, g) != 0 && GetDateTime(r, g) == GetDateTime(r2, g2))
            || (D > 0 && std::abs(GetDate(r, g) - GetDate(r2, g2)) < D);
    }

    void InOrderFill()
    {
        TGameTimeList& slots = *GameTimes();
        TGameCounter counter;
        counter.SkipByes = GenerateSettings.SkipByes;
        for (bool eof = counter.First(); !eof; eof = counter.Next()) {
            slots.Next();
            if (GetStatus(counter.Round(), counter.Game()) == gsAuto) {
                SetDate(counter.Round(), counter.Game(), slots.current().Date);
                SetTime(counter.Round(), counter.Game(), slots.current().Time);
            }
        }
    }

    void FairRebalance()
    {
        const int G = GamesPerRound;
        m_poolTimes.assign(G + 1, 0);
        m_poolDates.assign(G + 1, 0);
        for (int r = 1; r <= RoundCount; ++r) {
            for (int g = 1; g <= G; ++g) {
                m_poolTimes[g] = 0;
                m_poolDates[g] = 0;
                if (IsAssignable(r, g)) {
                    m_poolTimes[g] = GetTime(r, g);
                    m_poolDates[g] = GetDate(r, g);
                    SetDate(r, g, 0);
                    SetTime(r, g, 0);
                }
            }
            CountTimes(r);
            for (int g = 1; g <= G; ++g) {
                if (!IsAssignable(r, g))
                    continue;
                int entry = 0;
                double largest = -1;
                for (int k = 1; k <= G; ++k) {
                    if (m_poolDates[k] != 0 && TimeIndex(m_poolTimes[k]) != 0) {
                        const double v = m_totals->VarianceByRows(TimeIndex(m_poolTimes[k]));
                        if (v > largest) {
                            largest = v;
                            entry = k;
                        }
                    }
                }
                if (entry == 0)
                    continue;
                const int c = TimeIndex(m_poolTimes[entry]);
                int chosen = 0;
                double smallest = 1.7e308;
                for (int h = 1; h <= G; ++h) {
                    if (GetDate(r, h) != 0 || (GenerateSettings.SkipByes && IsByeGame(r, h)))
                        continue;
                    AddGame(r, h, +1, c);
                    const double v = m_totals->VarianceByRows(c);
                    AddGame(r, h, -1, c);
                    if (v < smallest) {
                        smallest = v;
                        chosen = h;
                        if (v == 0)
                            break;
                    }
                }
                if (chosen != 0) {
                    AddGame(r, chosen, +1, c);
                    SetTime(r, chosen, m_poolTimes[entry]);
                    SetDate(r, chosen, m_poolDates[entry]);
                    m_poolTimes[entry] = 0;
                    m_poolDates[entry] = 0;
                }
            }
        }
    }

    void RepairClashes()
    {
        ClashCount = 0;
        int best = INT_MAX;
        int repeats = 0;
        int passes = 0;
        for (;;) {
            ++passes;
            RepairPass();
            int count = 0;
            for (int r = 1; r <= RoundCount - 1; ++r) {
                for (int g = 1; g <= GamesPerRound; ++g) {
                    count += Clashes(r, g, GetHomeTeam(r, g), r + 1) ? 1 : 0;
                    count += Clashes(r, g, GetAwayTeam(r, g), r + 1) ? 1 : 0;
                }
            }
            ClashCount = count;
            if (count == best) {
                ++repeats;
            } else if (count < best) {
                best = count;
                repeats = 0;
            }
            if (count == 0 || (count == best && repeats == 3) || passes > 100)
                break;
        }
        RepairPasses = passes;
    }

    void RepairPass()
    {
        const int G = GamesPerRound;
        for (int b = RoundCount; b >= 2; --b) {
            const int a = b - 1;
            int moved = 0;
            for (int i = 1; i <= G; ++i) {
                for (int side = 0; side < 2; ++side) {
                    const int team = side == 0 ? GetHomeTeam(b, i) : GetAwayTeam(b, i);
                    const int e = FindTeamGame(a, team);
                    if (!Clashes(b, i, team, a))
                        continue;
                    if (!IsAssignable(a, e) || moved == G)
                        continue;
                    for (int f = moved + 1; f <= e - 1; ++f) {
                        if (!IsAssignable(a, f))
                            continue;
                        const int home = GetHomeTeam(a, e);
                        const int away = GetAwayTeam(a, e);
                        const int location = GetLocation(a, e);
                        SetHomeTeam(a, e, GetHomeTeam(a, f));
                        SetAwayTeam(a, e, GetAwayTeam(a, f));
                        SetLocation(a, e, GetLocation(a, f));
                        SetHomeTeam(a, f, home);
                        SetAwayTeam(a, f, away);
                        SetLocation(a, f, location);
                        moved = f;
                        break;
                    }
                }
            }
        }
    }

    void ReorderRounds()
    {
        TMemDataSet& table = TallivorandaData->ScheduleData;
        GamesToTable();
        const std::string previous = table.OrderBy();
        table.SetOrderBy("RoundNo;Date;IntTime");
        table.First();
        for (int r = 1; r <= RoundCount; ++r) {
            std::vector<TGame> round(GamesPerRound + 1);
            for (int g = 1; g <= GamesPerRound; ++g)
                round[g] = Games(r, g);
            for (int i = 1; i <= GamesPerRound; ++i) {
                Games(r, i) = round[TallivorandaData->SchedGameNo->AsInteger()];
                table.Next();
            }
        }
        table.SetOrderBy(previous);
    }

    std::vector<TDateTime> m_times;
    std::vector<TDateTime> m_poolTimes;
    std::vector<TDateTime> m_poolDates;
    std::unique_ptr<TTeamTotals> m_totals;
};
