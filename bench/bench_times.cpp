// The time pass on freshly paired leagues: TTimeSummary against the step-by-step reference of
// the tests, with the parts it is made of.
//
// Largest case: 254 rows in the teams table (253 teams and the bye), 99 rounds of 127 games,
// four playing times with 32 places each on every Saturday (or, for the stress case, on every
// day, so that every team's consecutive games lie a day apart), Days between games 2.
// Typical case: 20 teams, a double round robin (38 rounds), four times of 3 places each
// on Saturdays, Days between games 2.

#include "document/DMTable.h"
#include "engine/DatePeriod.h"
#include "engine/GameStore.h"
#include "engine/Pairing.h"
#include "engine/ScheduleTable.h"
#include "engine/TextUtils.h"
#include "engine/TimeAssignment.h"
#include "engine/Values.h"

#include "../tests/engine/TimeAssignmentReference.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

enum TCalendar : int { Saturdays = 0, EveryDay = 1 };

// The document of the last league built; rebuilt only when the arguments change.
class TLeague {
public:
    void Build(int teams, int rounds, int placesPerTime, TCalendar calendar, TTimeType method)
    {
        const std::vector<int> key = { teams, rounds, placesPerTime, calendar };
        if (!m_data || key != m_key) {
            m_data.reset();
            ResetProgramValues();
            m_data = std::make_unique<TTallivorandaData>();
            TTallivorandaData& data = *m_data;
            for (int t = 1; t <= teams; ++t) {
                data.TeamsData.Append();
                data.FTeam->SetAsString("Team " + std::to_string(t));
                data.TeamsData.Post();
            }
            data.BalanceByeTeam();
            const int rows = data.TeamsData.RecordCount();
            const std::vector<std::string> times = { "10:00", "12:00", "14:00", "16:00" };
            for (const std::string& time : times) {
                data.TimesData.Append();
                data.FTime->SetAsString(time);
                data.TimesData.Post();
            }
            CreateEditPeriod();
            TPeriod& p = *EditPeriod;
            const int gamesPerRound = rows / 2;
            const int days = (rounds * gamesPerRound) / (4 * placesPerTime) + 2;
            p.FromDate = EncodeDate(2004, 3, 6); // a Saturday
            p.ToDate = p.FromDate + (calendar == EveryDay ? days : 7 * days);
            p.SetTimeCount(4);
            for (int k = 1; k <= 4; ++k)
                p.Times(k) = StrToTimeOrZero(times[k - 1]);
            for (int day = 1; day <= 7; ++day) {
                if (calendar == Saturdays && day != 7)
                    continue;
                for (int k = 1; k <= 4; ++k)
                    p.GameCounts(day, k) = placesPerTime;
                p.GameDays.Include(day);
            }
            data.CalendarData.Append();
            data.PeriodToRecord(p);
            data.CalendarData.Post();
            FreeEditPeriod();
            m_key = key;
        }
        GenerateSettings.TimeType = method;
        GenerateSettings.DaysBetweenGames = 2;
        GenerateSettings.SkipByes = false;
        Pair(rounds);
    }

    void Pair(int rounds) const
    {
        TeamCount = m_data->TeamsData.RecordCount();
        GamesPerRound = TeamCount / 2;
        RoundCount = rounds;
        PairAllRounds();
    }

private:
    std::unique_ptr<TTallivorandaData> m_data;
    std::vector<int> m_key;
};

TLeague League;

// Arguments: teams (the bye team comes with an odd number), rounds, places per time, calendar.
void Build(benchmark::State& state, TTimeType method)
{
    League.Build(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
        static_cast<int>(state.range(2)), static_cast<TCalendar>(state.range(3)), method);
}

void BM_AssignTimes(benchmark::State& state, TTimeType method)
{
    Build(state, method);
    TTimeSummary summary;
    for (auto _ : state) {
        state.PauseTiming();
        League.Pair(static_cast<int>(state.range(1)));
        state.ResumeTiming();
        summary.AssignTimes();
    }
    state.counters["clashes"] = summary.ClashCount();
    state.counters["passes"] = summary.RepairPasses();
}

void BM_ReferenceAssignTimes(benchmark::State& state, TTimeType method)
{
    Build(state, method);
    TReferenceTimeSummary reference;
    for (auto _ : state) {
        state.PauseTiming();
        League.Pair(static_cast<int>(state.range(1)));
        state.ResumeTiming();
        reference.AssignTimes();
    }
    state.counters["clashes"] = reference.ClashCount;
    state.counters["passes"] = reference.RepairPasses;
}

void BM_MarkClashes(benchmark::State& state)
{
    Build(state, ttFair);
    TTimeSummary summary;
    summary.AssignTimes();
    for (auto _ : state)
        summary.MarkClashes();
}

void BM_ReferenceMarkClashes(benchmark::State& state)
{
    Build(state, ttFair);
    TTimeSummary summary;
    summary.AssignTimes();
    TReferenceTimeSummary reference;
    for (auto _ : state)
        reference.MarkClashes();
}

// The table work inside the Fair method's reordering.
void BM_GamesToTable(benchmark::State& state)
{
    Build(state, ttFair);
    for (auto _ : state)
        GamesToTable();
}

void LargestAndTypical(benchmark::internal::Benchmark* b)
{
    b->Args({ 253, 99, 32, Saturdays })
        ->Args({ 20, 38, 3, Saturdays })
        ->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK_CAPTURE(BM_AssignTimes, Fair, ttFair)
    ->Apply(LargestAndTypical)
    ->Args({ 253, 99, 32, EveryDay });
BENCHMARK_CAPTURE(BM_AssignTimes, InOrder, ttInOrder)->Apply(LargestAndTypical);
BENCHMARK(BM_MarkClashes)->Apply(LargestAndTypical);
BENCHMARK(BM_GamesToTable)->Apply(LargestAndTypical);
BENCHMARK_CAPTURE(BM_ReferenceAssignTimes, Fair, ttFair)
    ->Apply(LargestAndTypical)
    ->Args({ 253, 99, 32, EveryDay })
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_ReferenceAssignTimes, InOrder, ttInOrder)
    ->Apply(LargestAndTypical)
    ->Iterations(1);
BENCHMARK(BM_ReferenceMarkClashes)->Apply(LargestAndTypical);

BENCHMARK_MAIN();
