#include "engine/Optimise.h"

#include "engine/Exceptions.h"
#include "engine/GameStore.h"
#include "engine/Platform.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <memory>
#include <numeric>
#include <utility>

// Every order is evaluated over a compact copy of the pairing taken once, never over the store.
// Two evaluators give the same totals and variances as walking the store game by game:
//
// - When every stored round pairs each team 1..N exactly once in a counted game (always so right
//   after pairing), a team's streak games depend only on its own home/away sequence: one bit per
//   position, and a streak game is a position whose bit equals the two before it. Each team's
//   sequence for the current best order is kept as a bit string; an exchange of two positions
//   of the cycle swaps two bits per cycle, and the count is a popcount.
// - Otherwise (cancelled or deleted games, hand-made stores) the counted games of each round are
//   replayed in the store's order with the run counters, as the definition reads.
//
// Both stop an evaluation as soon as its partial total exceeds the best total: such an order
// cannot be accepted, and its total is known to be above zero, which is all the search asks of
// an order that is not accepted.

namespace {

// Streak counters are indexed by team number, and a stored team number is 8-bit.
constexpr int TeamIndexes = 256;

struct TEvaluation {
    bool Complete; // false: stopped early because Total already exceeded the bound
    int Total;
    double Spread;
};

// The population variance of the teams' streak games, always summed in team order.
double Spread(const int16_t* streakGames, int teams, int total)
{
    const double mean = static_cast<double>(total) / teams;
    double sum = 0;
    for (int t = 1; t <= teams; ++t) {
        const double deviation = streakGames[t] - mean;
        sum += deviation * deviation;
    }
    return sum / teams;
}

class TStreakEvaluator {
public:
    virtual ~TStreakEvaluator() = default;
    // Evaluates order (1-based, one entry per round of a cycle). It differs from the committed
    // order by the exchange of positions i and j, or not at all when i is 0; the evaluator
    // starts with the identity committed. Stops once the total exceeds bound.
    virtual TEvaluation Evaluate(const std::vector<int>& order, int i, int j, int bound) = 0;
    // The order last evaluated, with positions i and j exchanged, becomes the committed one.
    virtual void Commit(int i, int j) = 0;
};

// Replays the counted games of every round through the run counters.
class TGameListEvaluator final : public TStreakEvaluator {
public:
    TGameListEvaluator(int teams, int cycle, int rounds)
        : m_teams(teams)
        , m_cycle(cycle)
        , m_rounds(rounds)
    {
        m_first.assign(rounds + 2, 0);
        for (int a = 1; a <= rounds; ++a) {
            m_first[a] = static_cast<int>(m_games.size());
            for (int g = 1; g <= GamesPerRound; ++g) {
                const TGame& game = Games(a, g);
                if (IsCounted(a, g) && game.HomeTeam != 0 && game.AwayTeam != 0)
                    m_games.push_back({ game.HomeTeam, game.AwayTeam });
            }
        }
        m_first[rounds + 1] = static_cast<int>(m_games.size());
    }

    TEvaluation Evaluate(const std::vector<int>& order, int, int, int bound) override
    {
        m_homeRun.fill(0);
        m_awayRun.fill(0);
        m_streakGames.fill(0);
        int total = 0;
        for (int base = 0; base < m_rounds; base += m_cycle) {
            for (int k = 1; k <= m_cycle; ++k) {
                const int a = order[k] + base;
                for (int e = m_first[a]; e < m_first[a + 1]; ++e) {
                    const int h = m_games[e].first;
                    const int w = m_games[e].second;
                    ++m_homeRun[h];
                    ++m_awayRun[w];
                    m_homeRun[w] = 0;
                    m_awayRun[h] = 0;
                    if (m_homeRun[h] >= 3) {
                        ++total;
                        ++m_streakGames[h];
                    }
                    if (m_awayRun[w] >= 3) {
                        ++total;
                        ++m_streakGames[w];
                    }
                }
                if (total > bound)
                    return { false, total, 0 };
            }
        }
        return { true, total, Spread(m_streakGames.data(), m_teams, total) };
    }

    void Commit(int, int) override { }

private:
    int m_teams;
    int m_cycle;
    int m_rounds;
    std::vector<std::pair<uint8_t, uint8_t>> m_games; // (home, away) of the counted games
    std::vector<int> m_first; // round a's games are m_games[m_first[a] .. m_first[a + 1])
    std::array<int16_t, TeamIndexes> m_homeRun {};
    std::array<int16_t, TeamIndexes> m_awayRun {};
    std::array<int16_t, TeamIndexes> m_streakGames {};
};

// Keeps each team's home/away sequence as a bit string of W words: bit b is set when the team
// is at home at position b + 1 of the committed order.
template <int W> class TBitEvaluator final : public TStreakEvaluator {
public:
    // home[a * (teams + 1) + t] is true when team t is at home in the pairing's round a.
    TBitEvaluator(int teams, int cycle, int rounds, const std::vector<bool>& home)
        : m_teams(teams)
        , m_cycle(cycle)
        , m_cycles(rounds / cycle)
        , m_bits(static_cast<std::size_t>(teams) * W, 0)
    {
        for (int a = 1; a <= rounds; ++a)
            for (int t = 1; t <= teams; ++t)
                if (home[static_cast<std::size_t>(a) * (teams + 1) + t])
                    m_bits[(t - 1) * W + (a - 1) / 64] |= uint64_t(1) << ((a - 1) % 64);
        // A streak game is a position b + 1 (bit b) with b >= 2 whose bit equals bits b - 1, b - 2.
        for (int b = 2; b < rounds; ++b)
            m_valid[b / 64] |= uint64_t(1) << (b % 64);
    }

    TEvaluation Evaluate(const std::vector<int>&, int i, int j, int bound) override
    {
        const int swaps = Prepare(i, j);
        int total = 0;
        const uint64_t* bits = m_bits.data();
        for (int t = 1; t <= m_teams; ++t, bits += W) {
            uint64_t x[W];
            std::copy(bits, bits + W, x);
            Exchange(x, swaps);
            const int count = Count(x);
            m_streakGames[t] = static_cast<int16_t>(count);
            total += count;
            if (total > bound)
                return { false, total, 0 };
        }
        return { true, total, Spread(m_streakGames.data(), m_teams, total) };
    }

    void Commit(int i, int j) override
    {
        const int swaps = Prepare(i, j);
        for (uint64_t* bits = m_bits.data(); bits != m_bits.data() + m_bits.size(); bits += W)
            Exchange(bits, swaps);
    }

private:
    struct TBitPair {
        int WordP, ShiftP, WordQ, ShiftQ;
    };

    // The bit pairs that exchanging positions i and j of the cycle swaps, one per cycle.
    int Prepare(int i, int j)
    {
        if (i == 0)
            return 0;
        for (int k = 0; k < m_cycles; ++k) {
            const int p = k * m_cycle + i - 1;
            const int q = k * m_cycle + j - 1;
            m_pairs[k] = { p / 64, p % 64, q / 64, q % 64 };
        }
        return m_cycles;
    }

    void Exchange(uint64_t* x, int swaps) const
    {
        for (int k = 0; k < swaps; ++k) {
            const TBitPair& s = m_pairs[k];
            const uint64_t differ = ((x[s.WordP] >> s.ShiftP) ^ (x[s.WordQ] >> s.ShiftQ)) & 1;
            x[s.WordP] ^= differ << s.ShiftP;
            x[s.WordQ] ^= differ << s.ShiftQ;
        }
    }

    int Count(const uint64_t* x) const
    {
        int count = 0;
        uint64_t previousX = 0;
        uint64_t previousChange = 0;
        for (int w = 0; w < W; ++w) {
            // change bit b: the side at bit b differs from the side at bit b - 1
            const uint64_t change = x[w] ^ ((x[w] << 1) | (previousX >> 63));
            const uint64_t changeBefore = (change << 1) | (previousChange >> 63);
            count += std::popcount(~(change | changeBefore) & m_valid[w]);
            previousX = x[w];
            previousChange = change;
        }
        return count;
    }

    int m_teams;
    int m_cycle;
    int m_cycles;
    std::vector<uint64_t> m_bits; // W words per team, team 1 first
    std::array<uint64_t, W> m_valid {};
    std::array<TBitPair, MaxStoredRounds> m_pairs {};
    std::array<int16_t, TeamIndexes> m_streakGames {};
};

// The bit evaluator when every round pairs each team exactly once, else the game list.
std::unique_ptr<TStreakEvaluator> MakeEvaluator(int teams, int cycle, int rounds)
{
    std::vector<bool> home(static_cast<std::size_t>(rounds + 1) * (teams + 1), false);
    bool perfect = true;
    for (int a = 1; a <= rounds && perfect; ++a) {
        std::array<bool, TeamIndexes> seen {};
        int seenCount = 0;
        for (int g = 1; g <= GamesPerRound; ++g) {
            const TGame& game = Games(a, g);
            const int h = game.HomeTeam;
            const int w = game.AwayTeam;
            if (!IsCounted(a, g) || h == 0 || w == 0)
                continue;
            if (h > teams || w > teams || h == w || seen[h] || seen[w]) {
                perfect = false;
                break;
            }
            seen[h] = seen[w] = true;
            seenCount += 2;
            home[static_cast<std::size_t>(a) * (teams + 1) + h] = true;
        }
        perfect = perfect && seenCount == teams;
    }
    if (!perfect)
        return std::make_unique<TGameListEvaluator>(teams, cycle, rounds);
    static_assert(MaxStoredRounds <= 6 * 64);
    switch ((rounds + 63) / 64) {
    case 1:
        return std::make_unique<TBitEvaluator<1>>(teams, cycle, rounds, home);
    case 2:
        return std::make_unique<TBitEvaluator<2>>(teams, cycle, rounds, home);
    case 3:
        return std::make_unique<TBitEvaluator<3>>(teams, cycle, rounds, home);
    case 4:
        return std::make_unique<TBitEvaluator<4>>(teams, cycle, rounds, home);
    case 5:
        return std::make_unique<TBitEvaluator<5>>(teams, cycle, rounds, home);
    default:
        return std::make_unique<TBitEvaluator<6>>(teams, cycle, rounds, home);
    }
}

} // namespace

void TfrmOptimise::Optimise()
{
    const int teams = TeamCount;
    if (teams > MaxTeams)
        throw ERangeError();
    m_bestTotal = INT_MAX;
    m_bestSpread = 2147483647.0;
    m_evaluations = 0;
    if (teams < 2) {
        // No round has a game: nothing to reorder.
        Progress().AddMessage("Optimising streaks...");
        Progress().AppendMessage(" completed.");
        return;
    }
    const int cycle = teams - 1;
    const int rounds = std::max(StoredRounds(), 0);
    const std::unique_ptr<TStreakEvaluator> evaluator = MakeEvaluator(teams, cycle, rounds);

    m_order.resize(cycle + 1);
    std::iota(m_order.begin(), m_order.end(), 0);
    m_bestOrder = m_order;

    // The identity is always accepted.
    TEvaluation last = evaluator->Evaluate(m_order, 0, 0, m_bestTotal);
    ++m_evaluations;
    m_bestTotal = last.Total;
    m_bestSpread = last.Spread;
    // An incomplete evaluation exceeded a best total of at least 0.
    auto lastWasZero = [&last] { return last.Complete && last.Total == 0; };

    Progress().AddMessage("Optimising streaks...");
    bool improved;
    do {
        improved = false;
        for (int i = 1; i <= cycle && !lastWasZero(); ++i) {
            for (int j = 1; j <= cycle; ++j) {
                if (j == i)
                    continue;
                std::swap(m_order[i], m_order[j]);
                last = evaluator->Evaluate(m_order, i, j, m_bestTotal);
                ++m_evaluations;
                if (last.Complete
                    && (last.Total < m_bestTotal
                        || (last.Total == m_bestTotal && last.Spread < m_bestSpread))) {
                    m_bestTotal = last.Total;
                    m_bestSpread = last.Spread;
                    m_bestOrder = m_order;
                    evaluator->Commit(i, j);
                    improved = true;
                } else {
                    std::swap(m_order[i], m_order[j]);
                }
            }
        }
    } while (improved && !lastWasZero());

    Rearrange(cycle, rounds);
    std::iota(m_order.begin(), m_order.end(), 0);
    Progress().AppendMessage(" completed.");
}

// Moves whole rounds so that position i plays the pairing's round
// m_bestOrder[(i - 1) mod C + 1] + C * ((i - 1) div C).
void TfrmOptimise::Rearrange(int cycle, int rounds)
{
    std::vector<int> roundAt(rounds + 1); // the pairing's round now at each position
    std::vector<int> positionOf(rounds + 1);
    std::iota(roundAt.begin(), roundAt.end(), 0);
    std::iota(positionOf.begin(), positionOf.end(), 0);
    for (int i = 1; i <= rounds; ++i) {
        const int wanted = m_bestOrder[(i - 1) % cycle + 1] + cycle * ((i - 1) / cycle);
        if (roundAt[i] == wanted)
            continue;
        const int from = positionOf[wanted];
        SwapRounds(i, from);
        std::swap(roundAt[i], roundAt[from]);
        positionOf[roundAt[i]] = i;
        positionOf[roundAt[from]] = from;
    }
}
