// Refilling the schedule table: emptied and filled again with every game between
// DisableControls and EnableControls, with one order kept by insertion.

#include "document/MemDataSet.h"
#include "engine/DateTime.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

const std::vector<std::string> ScheduleDefinitions
    = { "Status;1;2;0", "RoundNo;3;0;0", "GameNo;3;0;0", "Day;1;3;0", "Date;9;0;0", "Time;1;8;0",
          "IntTime;10;0;0", "Location;1;40;0", "HomeTeam;1;40;0", "AwayTeam;1;40;0" };

// 163 teams give 13,041 games over 162 rounds of 81 (a round-robin with a bye).
constexpr int Rounds = 162;
constexpr int GamesPerRound = 81;

void Refill(TMemDataSet& table)
{
    TField& status = table.FieldByName("Status");
    TField& round = table.FieldByName("RoundNo");
    TField& game = table.FieldByName("GameNo");
    TField& day = table.FieldByName("Day");
    TField& date = table.FieldByName("Date");
    TField& time = table.FieldByName("Time");
    TField& intTime = table.FieldByName("IntTime");
    TField& location = table.FieldByName("Location");
    TField& home = table.FieldByName("HomeTeam");
    TField& away = table.FieldByName("AwayTeam");
    table.DisableControls();
    table.EmptyTable();
    for (int r = 1; r <= Rounds; ++r) {
        for (int g = 1; g <= GamesPerRound; ++g) {
            const int h = (r * 7 + g * 13) % 163;
            table.Append();
            status.SetAsString("");
            round.SetAsInteger(r);
            game.SetAsInteger(g);
            day.SetAsString("Sat");
            date.SetAsDateTime(EncodeDate(2005, 1, 1) + r * 7);
            time.SetAsString(g % 2 ? "17:00" : "19:30");
            intTime.SetAsDateTime(g % 2 ? EncodeTime(17, 0, 0, 0) : EncodeTime(19, 30, 0, 0));
            location.SetAsString("Ground " + std::to_string(g % 9));
            home.SetAsString("Team number " + std::to_string(h));
            away.SetAsString("Team number " + std::to_string((h + r) % 163));
            table.Post();
        }
    }
    table.EnableControls();
}

void BM_ScheduleRefill(benchmark::State& state, const char* orderBy)
{
    TMemDataSet table("ScheduleData");
    table.SetFieldsDefinitionItems(ScheduleDefinitions);
    table.Open();
    table.SetOrderBy(orderBy);
    for (auto _ : state) {
        Refill(table);
        benchmark::DoNotOptimize(table.RecordCount());
    }
}

BENCHMARK_CAPTURE(BM_ScheduleRefill, RoundOrder, "RoundNo;GameNo")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ScheduleRefill, HomeTeamOrder, "HomeTeam")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ScheduleRefill, DateTimeOrder, "Date;IntTime;GameNo")
    ->Unit(benchmark::kMillisecond);

void BM_CreateOrder(benchmark::State& state)
{
    TMemDataSet table("ScheduleData");
    table.SetFieldsDefinitionItems(ScheduleDefinitions);
    table.Open();
    Refill(table);
    table.Options |= moReleaseAutoIndexes; // every switch sorts afresh
    int n = 0;
    for (auto _ : state) {
        table.SetOrderBy(n++ % 2 ? "Location;Date;IntTime" : "HomeTeam;GameNo");
        benchmark::DoNotOptimize(table.RecNo());
    }
}
BENCHMARK(BM_CreateOrder)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
