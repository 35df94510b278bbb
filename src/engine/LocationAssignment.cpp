#include "engine/LocationAssignment.h"

#include "document/DMTable.h"
#include "engine/Exceptions.h"
#include "engine/GameStore.h"
#include "engine/NameSource.h"
#include "engine/Platform.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <unordered_map>
#include <utility>

// Within a pass neither the teams table nor the locations table changes, so the pass reads
// once what the rules look up game by game: which team numbers are the bye team, the location
// key of each location number and the number of each key, and each home team's location. The
// results are those of looking them up every time; only the tables' cursors are spared: they
// are left where they were (unless location keys repeat, when every key is looked up).

namespace {

constexpr const char* AssigningLocationsText = "Assigning locations...";
constexpr const char* CompletedText = " completed.";
constexpr const char* NoSharedLocationsText = "No shared locations were found.";

using TByeTeams = std::array<bool, 256>;

bool IsBye(const TByeTeams& byeTeam, const TGame& game)
{
    return byeTeam[game.HomeTeam] || byeTeam[game.AwayTeam];
}

// Visits the games of rounds 1..RoundCount in schedule order, passing over those that a game
// counter with the same flags passes over.
template <class TVisit>
void VisitGames(bool skipByes, bool autoOnly, const TByeTeams& byeTeam, TVisit&& visit)
{
    for (int round = 1; round <= RoundCount; ++round) {
        for (int game = 1; game <= GamesPerRound; ++game) {
            TGame& g = Games(round, game);
            if ((autoOnly && g.Status != gsAuto) || (skipByes && IsBye(byeTeam, g)))
                continue;
            visit(round, game, g);
        }
    }
}

TTallivorandaData& Document()
{
    if (!TallivorandaData)
        throw Exception("There is no schedule document.");
    return *TallivorandaData;
}

// Moves a lookup's cursor back to the row it was on.
void RestoreCursor(TDetailLookups& lookups, int recNo)
{
    if (recNo >= 1)
        lookups.KeyAt(recNo);
}

} // namespace

// The location keys by location number as KeyAt gives them, and the numbers by key as
// PositionOfKey gives them. When the keys are plain (all above 0, each in one row only), the
// number of a key is the one row that holds it; otherwise the table is asked every time.
class TLocationSummary::TNumbers {
public:
    TNumbers()
        : m_lookups(Document().LocationsLookup)
    {
        const int recNo = m_lookups.ds.RecNo();
        const int count = m_lookups.Count();
        m_keys.reserve(count);
        for (int n = 1; n <= count; ++n) {
            const int key = m_lookups.KeyAt(n);
            m_keys.push_back(key);
            if (!m_positions.emplace(key, n).second || key <= 0)
                m_plain = false;
        }
        RestoreCursor(m_lookups, recNo);
    }

    int Count() const { return static_cast<int>(m_keys.size()); }

    // -1 beyond the table.
    int KeyAt(int n) const { return n >= 1 && n <= Count() ? m_keys[n - 1] : -1; }

    // 0 when no row holds the key.
    int PositionOfKey(int key) const
    {
        if (!m_plain)
            return m_lookups.PositionOfKey(key);
        const auto found = m_positions.find(key);
        return found == m_positions.end() ? 0 : found->second;
    }

    // PositionOfKey(KeyAt(n)) is n, and a game given a location never reads as one without.
    bool Plain() const { return m_plain; }

private:
    TDetailLookups& m_lookups;
    std::vector<int> m_keys;
    std::unordered_map<int, int> m_positions;
    bool m_plain = true;
};

TLocationSummary::TLocationSummary() = default;
TLocationSummary::~TLocationSummary() = default;

std::string TLocationSummary::DoubleBookingText(int count)
{
    return std::to_string(count) + " location" + (count == 1 ? " is" : "s are") + " double-booked.";
}

TTeamTotals& TLocationSummary::CreateTotals()
{
    m_totals = std::make_unique<TTeamTotals>(TeamCount + 1, Document().LocationsData.RecordCount());
    return *m_totals;
}

void TLocationSummary::FreeTotals()
{
    m_totals.reset();
}

TTeamTotals& TLocationSummary::RequireTotals()
{
    if (!m_totals)
        throw Exception("The location totals have not been created.");
    return *m_totals;
}

void TLocationSummary::AddGame(int round, int game, int amount, int column)
{
    TTeamTotals& totals = RequireTotals();
    const TGame& g = Games(round, game);
    totals.Add(g.HomeTeam, column, amount);
    totals.Add(g.AwayTeam, column, amount);
    totals.Add(Document().TeamsData.RecordCount() + 1, column, amount);
}

void TLocationSummary::CountRounds(const TNumbers& numbers, int firstRound, int lastRound)
{
    const int last = std::min(lastRound, RoundCount);
    for (int round = std::max(firstRound, 1); round <= last; ++round) {
        for (int game = 1; game <= GamesPerRound; ++game) {
            const int number = numbers.PositionOfKey(Games(round, game).Location);
            if (number >= 1)
                AddGame(round, game, +1, number);
        }
    }
}

void TLocationSummary::CountLocations(int lastRound)
{
    RequireTotals().Clear();
    const TNumbers numbers;
    CountRounds(numbers, 1, lastRound);
}

void TLocationSummary::AssignLocations()
{
    if (OnShowProgress)
        OnShowProgress();

    for (int team = 0; team < static_cast<int>(m_byeTeam.size()); ++team)
        m_byeTeam[team] = TeamName(team) == ByeTeamName;

    VisitGames(false, true, m_byeTeam, [](int, int, TGame& game) { game.Location = 0; });

    // The count of a pass that has no check to run is 0, not the count of a pass before.
    m_doubleBookings = 0;
    const TNumbers numbers;
    CreateTotals();
    // The totals go and the normal cursor comes back however the pass ends.
    struct TFreeTotals {
        TLocationSummary& Owner;
        ~TFreeTotals() { Owner.FreeTotals(); }
    } freeTotals { *this };
    TBusyScope busy;
    Progress().AddMessage(AssigningLocationsText);

    const TLocationType method = GenerateSettings.LocationType;
    switch (method) {
    case ltHome:
    case ltShared:
        AssignHome();
        break;
    case ltFair:
        AssignInOrder(numbers);
        RebalanceFair(numbers);
        break;
    case ltInOrder:
        AssignInOrder(numbers);
        break;
    case ltManual:
    default:
        break;
    }

    Progress().AppendMessage(CompletedText);
    if (method == ltShared && SharedPairCount == 0)
        Progress().AddWarning(NoSharedLocationsText);

    if (numbers.Count() >= 1) {
        CheckDoubleBookings();
        if (m_doubleBookings > 0)
            Progress().AddWarning(DoubleBookingText(m_doubleBookings));
    }
}

void TLocationSummary::AssignHome()
{
    TTallivorandaData& data = Document();
    TDetailLookups& teams = data.TeamsLookup;
    const int recNo = teams.ds.RecNo();
    // The home location of each team number, found on its first game.
    std::array<int, 256> location {};
    std::array<bool, 256> known {};
    VisitGames(GenerateSettings.SkipByes, true, m_byeTeam, [&](int, int, TGame& game) {
        const int team = game.HomeTeam;
        if (!known[team]) {
            location[team] = data.PreferredLocation(teams.KeyAt(team));
            known[team] = true;
        }
        game.Location = location[team];
    });
    RestoreCursor(teams, recNo);
}

void TLocationSummary::AssignInOrder(const TNumbers& numbers)
{
    // One cycle over the location numbers for the whole schedule; a game that is not Auto
    // keeps its location but uses up its turn.
    const int count = numbers.Count();
    int next = 1;
    VisitGames(GenerateSettings.SkipByes, false, m_byeTeam, [&](int, int, TGame& game) {
        if (game.Status == gsAuto)
            game.Location = numbers.KeyAt(next);
        if (++next > count)
            next = 1;
    });
}

void TLocationSummary::RebalanceFair(const TNumbers& numbers)
{
    m_pool.assign(static_cast<std::size_t>(GamesPerRound) + 1, 0);
    if (FastFairApplies(numbers))
        RebalanceFairFast(numbers);
    else
        RebalanceFairByRule(numbers);
}

// Round by round, the locations that the in-order assignment gave the round's assignable games
// go back into a pool; then, the most unevenly spread location first, each goes to the game
// that spreads it most evenly, counting every round so far. This is the rule step by step; the
// fast form below gives the same placements.
void TLocationSummary::RebalanceFairByRule(const TNumbers& numbers)
{
    TTeamTotals& totals = RequireTotals();
    const bool skipByes = GenerateSettings.SkipByes;
    const int games = GamesPerRound;
    auto assignable = [&](const TGame& game) {
        return game.Status == gsAuto && !(skipByes && IsBye(m_byeTeam, game));
    };
    for (int round = 1; round <= RoundCount; ++round) {
        for (int game = 1; game <= games; ++game) {
            m_pool[game] = 0;
            TGame& g = Games(round, game);
            if (assignable(g)) {
                m_pool[game] = numbers.PositionOfKey(g.Location);
                g.Location = 0;
            }
        }
        totals.Clear();
        CountRounds(numbers, 1, round);

        for (int game = 1; game <= games; ++game) {
            if (!assignable(Games(round, game)))
                continue;
            int entry = 0;
            double largest = -1;
            for (int i = 1; i <= games; ++i) {
                if (m_pool[i] == 0)
                    continue;
                const double variance = totals.Variance(m_pool[i]);
                if (variance > largest) {
                    largest = variance;
                    entry = i;
                }
            }
            if (entry == 0)
                continue;
            const int column = m_pool[entry];
            int chosen = 0;
            double smallest = 1.7e308;
            for (int h = 1; h <= games; ++h) {
                const TGame& candidate = Games(round, h);
                if (candidate.Location != 0 || (skipByes && IsBye(m_byeTeam, candidate)))
                    continue;
                AddGame(round, h, +1, column);
                const double variance = totals.Variance(column);
                AddGame(round, h, -1, column);
                if (variance < smallest) {
                    smallest = variance;
                    chosen = h;
                    if (variance == 0)
                        break;
                }
            }
            if (chosen != 0) {
                AddGame(round, chosen, +1, column);
                Games(round, chosen).Location = numbers.KeyAt(column);
                m_pool[entry] = 0;
            }
        }
    }
}

// The fast form relies on plain location keys and on games whose two teams are distinct rows
// of the totals other than the all-teams row; anything else takes the rule step by step.
bool TLocationSummary::FastFairApplies(const TNumbers& numbers) const
{
    if (!numbers.Plain())
        return false;
    const int rows = m_totals->Rows();
    const int allTeams = Document().TeamsData.RecordCount() + 1;
    if (allTeams > rows)
        return false;
    for (int round = 1; round <= RoundCount; ++round) {
        for (int game = 1; game <= GamesPerRound; ++game) {
            const TGame& g = Games(round, game);
            const int home = g.HomeTeam;
            const int away = g.AwayTeam;
            if (home < 1 || home > rows || away < 1 || away > rows || home == away
                || home == allTeams || away == allTeams)
                return false;
        }
    }
    return true;
}

// The same placements as the rule, in time proportional to the games tried rather than to the
// rows of the totals:
//
// - The totals of rounds before r never change once their round is done, and a location that
//   is placed is counted at once, so counting rounds 1..r comes to adding round r to them.
// - Entries of one location have one variance, so the entry chosen is the first one of the
//   location with the largest variance (the lowest first game number on a tie); each
//   location's entries are kept in game order.
// - Trying game h at location L adds 3 to the column's sum S and 2(x_home + x_away + x_all)
//   + 3 to its sum of squares Q, x being the column's cells of the game's rows. The variance
//   Q - S² / n so falls with x_home + x_away alone (the all-teams cell is the same for every
//   game), strictly: Q stays far below 2^52, where one unit of Q is still told apart. So the
//   game chosen is the one with the smallest sum, the lowest game number on a tie; a variance
//   of 0, which the rule takes at once, can only be that smallest sum's.
void TLocationSummary::RebalanceFairFast(const TNumbers& numbers)
{
    TTeamTotals& totals = RequireTotals();
    const bool skipByes = GenerateSettings.SkipByes;
    const int games = GamesPerRound;
    const int columns = numbers.Count();
    const int stride = totals.Rows() + 1;
    const int allTeams = Document().TeamsData.RecordCount() + 1;

    // The cells of the totals, column by column, kept alongside them for the comparisons.
    std::vector<int32_t> cells(static_cast<std::size_t>(columns) * stride, 0);
    auto count = [&](const TGame& game, int column) {
        totals.Add(game.HomeTeam, column, 1);
        totals.Add(game.AwayTeam, column, 1);
        totals.Add(allTeams, column, 1);
        int32_t* cell = &cells[static_cast<std::size_t>(column - 1) * stride];
        ++cell[game.HomeTeam];
        ++cell[game.AwayTeam];
        ++cell[allTeams];
    };

    struct TCandidate {
        int Game;
        int Home;
        int Away;
    };
    // Each location's pool entries as a list in game order: first[c], then after[g].
    std::vector<int> first(static_cast<std::size_t>(columns) + 1, 0);
    std::vector<int> last(static_cast<std::size_t>(columns) + 1, 0);
    std::vector<int> after(static_cast<std::size_t>(games) + 1, 0);
    std::vector<double> variance(static_cast<std::size_t>(columns) + 1, 0);
    std::vector<int> pooled; // locations with entries in the round
    std::vector<TCandidate> candidates; // games still without a location that may get one

    for (int round = 1; round <= RoundCount; ++round) {
        int assignable = 0;
        for (int game = 1; game <= games; ++game) {
            m_pool[game] = 0;
            TGame& g = Games(round, game);
            if (g.Status == gsAuto && !(skipByes && IsBye(m_byeTeam, g))) {
                m_pool[game] = numbers.PositionOfKey(g.Location);
                g.Location = 0;
                ++assignable;
            }
        }
        candidates.clear();
        for (int game = 1; game <= games; ++game) {
            const TGame& g = Games(round, game);
            const int number = numbers.PositionOfKey(g.Location);
            if (number >= 1)
                count(g, number);
            if (g.Location == 0 && !(skipByes && IsBye(m_byeTeam, g)))
                candidates.push_back({ game, g.HomeTeam, g.AwayTeam });
        }
        pooled.clear();
        for (int game = 1; game <= games; ++game) {
            const int column = m_pool[game];
            if (column == 0)
                continue;
            after[game] = 0;
            if (first[column] == 0) {
                first[column] = game;
                pooled.push_back(column);
            } else {
                after[last[column]] = game;
            }
            last[column] = game;
        }
        for (const int column : pooled)
            variance[column] = totals.Variance(column);

        for (int placed = 0; placed < assignable; ++placed) {
            int column = 0;
            double largest = -1;
            for (const int c : pooled) {
                if (first[c] == 0)
                    continue;
                if (variance[c] > largest
                    || (column != 0 && variance[c] == largest && first[c] < first[column])) {
                    largest = variance[c];
                    column = c;
                }
            }
            // Nothing placed now means nothing placed in the rest of the round either.
            if (column == 0)
                break;

            const int32_t* cell = &cells[static_cast<std::size_t>(column - 1) * stride];
            std::size_t best = 0;
            int chosen = 0;
            int bestSum = INT_MAX;
            for (std::size_t i = 0; i < candidates.size(); ++i) {
                const TCandidate& c = candidates[i];
                const int sum = cell[c.Home] + cell[c.Away];
                if (sum < bestSum || (sum == bestSum && c.Game < chosen)) {
                    bestSum = sum;
                    best = i;
                    chosen = c.Game;
                }
            }
            if (chosen == 0)
                break;

            TGame& g = Games(round, chosen);
            count(g, column);
            g.Location = numbers.KeyAt(column);
            const int entry = first[column];
            m_pool[entry] = 0;
            first[column] = after[entry];
            variance[column] = totals.Variance(column);
            candidates[best] = candidates.back();
            candidates.pop_back();
        }
        for (const int column : pooled)
            first[column] = 0;
    }
}

void TLocationSummary::CheckDoubleBookings()
{
    // The time of the last game seen at each location key on the current date. Keys are not
    // bounded: the table holds the keys met on the date.
    std::unordered_map<int32_t, TDateTime> lastTime;
    TDateTime date = 0;
    m_doubleBookings = 0;
    VisitGames(GenerateSettings.SkipByes, false, m_byeTeam, [&](int, int, TGame& game) {
        if (game.Date == 0)
            return;
        if (game.Date != date) {
            lastTime.clear();
            date = game.Date;
        }
        if (game.Location <= 0 || game.Time <= 0)
            return;
        const auto [entry, added] = lastTime.try_emplace(game.Location, game.Time);
        if (!added) {
            if (entry->second == game.Time)
                ++m_doubleBookings;
            entry->second = game.Time;
        }
    });
}
