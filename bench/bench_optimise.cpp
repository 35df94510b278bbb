// Streak optimisation on freshly paired leagues: the optimiser against the step-by-step
// reference of the tests.

#include "engine/GameStore.h"
#include "engine/Optimise.h"
#include "engine/Pairing.h"

#include "../tests/engine/OptimiseReference.h"

#include <benchmark/benchmark.h>

namespace {

void PairLeague(int teams, int rounds)
{
    ClearGames();
    TeamCount = teams;
    GamesPerRound = teams / 2;
    RoundCount = rounds;
    PairAllRounds();
}

// Arguments: teams, rounds.
void BM_Optimise(benchmark::State& state)
{
    TfrmOptimise optimise;
    for (auto _ : state) {
        state.PauseTiming();
        PairLeague(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
        state.ResumeTiming();
        optimise.Optimise();
    }
    state.counters["evaluations"] = static_cast<double>(optimise.Evaluations());
    state.counters["streaks"] = optimise.BestTotal();
}

void BM_Reference(benchmark::State& state)
{
    PairLeague(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    TReferenceResult result;
    for (auto _ : state)
        benchmark::DoNotOptimize(result = ReferenceOptimise());
    state.counters["evaluations"] = static_cast<double>(result.Evaluations);
    state.counters["streaks"] = result.BestTotal;
}

} // namespace

BENCHMARK(BM_Optimise)->Args({ 50, 98 })->Args({ 20, 38 })->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Reference)->Args({ 50, 98 })->Args({ 20, 38 })->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
