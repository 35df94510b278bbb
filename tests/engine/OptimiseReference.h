#pragma once

// The streak optimisation written step by step over the game store, as the rules read, with no
// shortcut: the yardstick that TfrmOptimise must agree with exactly. Header-only so that the
// benchmark can time it too.

#include "engine/GameStore.h"

#include <climits>
#include <cstdint>
#include <vector>

struct TReferenceResult {
    std::vector<int> BestOrder; // 1-based
    int BestTotal = 0;
    double BestSpread = 0;
    int64_t Evaluations = 0;
};

// Searches the best order without touching the store.
inline TReferenceResult ReferenceOptimise()
{
    const int N = TeamCount;
    const int C = N - 1;
    const int F = StoredRounds();
    const int G = GamesPerRound;
    TReferenceResult result;
    std::vector<int> order(C + 1);
    std::vector<int> bestOrder(C + 1);
    int16_t homeRun[256];
    int16_t awayRun[256];
    int16_t streakGames[256];
    int streakTotal = 0;
    double spread = 0;
    int bestTotal = INT_MAX;
    double bestSpread = 2147483647.0;

    auto map = [&](int i) { return order[((i - 1) % C) + 1] + C * ((i - 1) / C); };

    // Evaluates the order and reports whether it is accepted.
    auto evaluate = [&]() {
        ++result.Evaluations;
        for (int t = 0; t < 256; ++t)
            homeRun[t] = awayRun[t] = streakGames[t] = 0;
        streakTotal = 0;
        for (int i = 1; i <= F; ++i) {
            const int a = map(i);
            for (int g = 1; g <= G; ++g) {
                const int h = GetHomeTeam(a, g);
                const int w = GetAwayTeam(a, g);
                if (!IsCounted(a, g) || h == 0 || w == 0)
                    continue;
                homeRun[h] += 1;
                awayRun[w] += 1;
                homeRun[w] = 0;
                awayRun[h] = 0;
                if (homeRun[h] >= 3) {
                    streakTotal += 1;
                    streakGames[h] += 1;
                }
                if (awayRun[w] >= 3) {
                    streakTotal += 1;
                    streakGames[w] += 1;
                }
            }
        }
        const double m = static_cast<double>(streakTotal) / N;
        double sum = 0;
        for (int t = 1; t <= N; ++t)
            sum += (streakGames[t] - m) * (streakGames[t] - m);
        spread = sum / N;
        if (streakTotal < bestTotal || (streakTotal == bestTotal && spread < bestSpread)) {
            bestTotal = streakTotal;
            bestSpread = spread;
            bestOrder = order;
            return true;
        }
        return false;
    };

    for (int k = 0; k <= C; ++k)
        order[k] = k;
    bestOrder = order;
    evaluate();
    bool improved;
    do {
        improved = false;
        for (int i = 1; i <= C; ++i) {
            if (streakTotal == 0)
                break;
            for (int j = 1; j <= C; ++j) {
                if (j == i)
                    continue;
                std::swap(order[i], order[j]);
                if (evaluate())
                    improved = true;
                else
                    std::swap(order[i], order[j]);
            }
        }
    } while (improved && streakTotal != 0);

    result.BestOrder = bestOrder;
    result.BestTotal = bestTotal;
    result.BestSpread = bestSpread;
    return result;
}
