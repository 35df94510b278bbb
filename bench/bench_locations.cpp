// The location pass on freshly paired leagues with dates and times: TLocationSummary against
// the step-by-step reference of the tests.

#include "document/DMTable.h"
#include "engine/GameStore.h"
#include "engine/LocationAssignment.h"
#include "engine/Pairing.h"

#include "../tests/engine/LocationAssignmentReference.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

// A document with the teams (and the bye team when odd), the locations and a team location
// for every real team; the store paired for the rounds, each round on one date two days after
// the one before, its games spread over four times of day.
class TLeague {
public:
    TLeague(int teams, int rounds, int locations)
    {
        for (int t = 1; t <= teams; ++t)
            AddRow(m_data.TeamsData, *m_data.FTeam, "T" + std::to_string(t));
        if (teams % 2 == 1)
            AddRow(m_data.TeamsData, *m_data.FTeam, ByeTeamName);
        for (int n = 1; n <= locations; ++n)
            AddRow(m_data.LocationsData, *m_data.FLocation, "L" + std::to_string(n));
        for (int t = 1; t <= teams; ++t) {
            m_data.PreferencesData.Append();
            m_data.TeamIDPref->SetAsInteger(t);
            m_data.LocationIDPref->SetAsInteger((t - 1) % locations + 1);
            m_data.PreferencesData.Post();
        }
        ClearGames();
        TeamCount = m_data.TeamsData.RecordCount();
        GamesPerRound = TeamCount / 2;
        RoundCount = rounds;
        PairAllRounds();
        for (int r = 1; r <= RoundCount; ++r) {
            for (int g = 1; g <= GamesPerRound; ++g) {
                SetDate(r, g, 40000 + 2 * r);
                SetTime(r, g, (16 + (g - 1) % 4) / 24.0);
            }
        }
        m_paired = std::make_unique<TGameStore>(Games);
    }

    void Restore() { Games = *m_paired; }

private:
    static void AddRow(TMemDataSet& table, TField& field, const std::string& value)
    {
        table.Append();
        field.SetAsString(value);
        table.Post();
    }

    TTallivorandaData m_data;
    std::unique_ptr<TGameStore> m_paired;
};

// Arguments: teams (real ones), rounds, locations, location method.
void BM_AssignLocations(benchmark::State& state)
{
    TLeague league(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
        static_cast<int>(state.range(2)));
    GenerateSettings.LocationType = static_cast<TLocationType>(state.range(3));
    GenerateSettings.SkipByes = true;
    TLocationSummary summary;
    for (auto _ : state) {
        state.PauseTiming();
        league.Restore();
        state.ResumeTiming();
        summary.AssignLocations();
    }
    state.counters["double_bookings"] = summary.DoubleBookings();
}

void BM_Reference(benchmark::State& state)
{
    TLeague league(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
        static_cast<int>(state.range(2)));
    GenerateSettings.LocationType = static_cast<TLocationType>(state.range(3));
    GenerateSettings.SkipByes = true;
    int count = 0;
    for (auto _ : state) {
        state.PauseTiming();
        league.Restore();
        state.ResumeTiming();
        benchmark::DoNotOptimize(count = ReferenceAssignLocations());
    }
    state.counters["double_bookings"] = count;
}

} // namespace

// The largest case (253 real teams and the bye team, 99 rounds, Fair over 8 locations) and a
// typical one (20 teams, double round robin); Home and In order at the largest case.
BENCHMARK(BM_AssignLocations)
    ->Args({ 253, 99, 8, ltFair })
    ->Args({ 20, 38, 8, ltFair })
    ->Args({ 253, 99, 8, ltInOrder })
    ->Args({ 253, 99, 8, ltHome })
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Reference)
    ->Args({ 253, 99, 8, ltFair })
    ->Args({ 20, 38, 8, ltFair })
    ->Args({ 253, 99, 8, ltInOrder })
    ->Args({ 253, 99, 8, ltHome })
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
