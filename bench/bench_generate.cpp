// The whole generation (pairing to double-booking check) and each of its steps, on the
// largest league and on a typical one.

#include "document/DMTable.h"
#include "engine/DatePeriod.h"
#include "engine/GameStore.h"
#include "engine/Generate.h"
#include "engine/LocationAssignment.h"
#include "engine/Optimise.h"
#include "engine/Pairing.h"
#include "engine/TimeAssignment.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

void AddRow(TMemDataSet& table, TField& field, const std::string& value)
{
    table.Append();
    field.SetAsString(value);
    table.Post();
}

// A document: rows in the teams table (the bye team included when odd), locations, four
// playing times, and a calendar with perCell games at each time on every day from 1 March 2027.
class TLeague {
public:
    TLeague(int teams, int rounds, int locations, int days, int perCell)
    {
        for (int t = 1; t <= teams; ++t)
            AddRow(m_data.TeamsData, *m_data.FTeam, "Team " + std::to_string(t));
        m_data.BalanceByeTeam();
        for (int n = 1; n <= locations; ++n)
            AddRow(m_data.LocationsData, *m_data.FLocation, "Ground " + std::to_string(n));
        const char* times[] = { "10:00", "12:00", "14:00", "16:00" };
        for (const char* time : times)
            AddRow(m_data.TimesData, *m_data.FTime, time);
        CreateEditPeriod();
        TPeriod& p = *EditPeriod;
        p.FromDate = EncodeDate(2027, 3, 1);
        p.ToDate = p.FromDate + days - 1;
        p.SetTimeCount(4);
        for (int i = 1; i <= 4; ++i)
            p.Times(i) = EncodeTime(8 + 2 * i, 0, 0, 0);
        for (int d = 1; d <= 7; ++d) {
            p.GameDays.Include(d);
            for (int i = 1; i <= 4; ++i)
                p.GameCounts(d, i) = perCell;
        }
        m_data.CalendarData.Append();
        m_data.PeriodToRecord(p);
        m_data.CalendarData.Post();
        FreeEditPeriod();

        Settings.AutoRounds = false;
        Settings.Rounds = rounds;
        Settings.TimeType = ttFair;
        Settings.LocationType = ltFair;
        Settings.DaysBetweenGames = 2;
    }

    void Generate()
    {
        GenerateSettings = Settings;
        GenerateSchedule(m_engine, m_dialog, [](TGenerateDialogLogic& dialog) {
            dialog.FormShow();
            dialog.btnOKClick();
            return true;
        });
    }

    void Pair()
    {
        GenerateSettings = Settings;
        TeamCount = m_data.TeamsData.RecordCount();
        GamesPerRound = TeamCount / 2;
        RoundCount = Settings.Rounds;
        PairAllRounds();
    }

    TEngineObjects& Engine() { return m_engine; }
    TGenerateSettings Settings;

private:
    TTallivorandaData m_data;
    TEngineObjects m_engine;
    TGenerateDialogLogic m_dialog;
};

// 254 rows, 99 rounds (12,573 games), 8 locations, 4 times a day with places for every game.
std::unique_ptr<TLeague> Largest() { return std::make_unique<TLeague>(254, 99, 8, 120, 32); }
// 20 teams, double round robin.
std::unique_ptr<TLeague> Typical() { return std::make_unique<TLeague>(20, 38, 4, 60, 3); }

void Whole(benchmark::State& state, std::unique_ptr<TLeague> (*make)())
{
    auto league = make();
    for (auto _ : state)
        league->Generate();
    state.counters["games"] = RoundCount * GamesPerRound;
}

// One step of the driver on a league that the steps before it have prepared.
enum class TStep { Pairing, Optimise, Times, Locations };

void Step(benchmark::State& state, std::unique_ptr<TLeague> (*make)(), TStep step)
{
    auto league = make();
    TEngineObjects& engine = league->Engine();
    for (auto _ : state) {
        state.PauseTiming();
        league->Pair();
        if (step > TStep::Optimise)
            engine.Optimiser->Optimise();
        if (step > TStep::Times)
            engine.TimeSummary->AssignTimes();
        const TGameStore before = Games;
        state.ResumeTiming();
        switch (step) {
        case TStep::Pairing:
            league->Pair();
            break;
        case TStep::Optimise:
            engine.Optimiser->Optimise();
            break;
        case TStep::Times:
            engine.TimeSummary->AssignTimes();
            break;
        case TStep::Locations:
            engine.LocationSummary->AssignLocations();
            break;
        }
        benchmark::DoNotOptimize(before);
    }
}

} // namespace

BENCHMARK_CAPTURE(Whole, Largest, Largest)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Whole, Typical, Typical)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Step, LargestPairing, Largest, TStep::Pairing)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Step, LargestOptimise, Largest, TStep::Optimise)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Step, LargestTimes, Largest, TStep::Times)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Step, LargestLocations, Largest, TStep::Locations)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
