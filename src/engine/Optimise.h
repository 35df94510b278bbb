#pragma once

#include <cstdint>
#include <vector>

// Reorders the rounds of the game store so that few teams play three or more home games, or
// three or more away games, in a row (streak games), and the streak games that remain are
// spread evenly over the teams. Who plays whom at whose home stays as the pairing made it.
//
// One permutation of the C = TeamCount - 1 rounds of a cycle is searched by pairwise exchanges
// and applied inside every cycle, so that cycles keep their place. An order is better when it
// has fewer streak games, or as many with a strictly smaller population variance over the
// teams. The search is deterministic.
class TfrmOptimise {
public:
    // Reorders all StoredRounds rounds of the store; the first RoundCount form the schedule.
    void Optimise();

    // Figures of the last run, for diagnostics: the chosen order's streak games and their
    // variance, and the number of orders evaluated.
    int BestTotal() const { return m_bestTotal; }
    double BestSpread() const { return m_bestSpread; }
    int64_t Evaluations() const { return m_evaluations; }

private:
    void Rearrange(int cycle, int rounds);

    std::vector<int> m_order; // 1-based: position k of a cycle plays the cycle's round m_order[k]
    std::vector<int> m_bestOrder;
    int m_bestTotal = 0;
    double m_bestSpread = 0;
    int64_t m_evaluations = 0;
};
