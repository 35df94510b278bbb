#include "engine/TimeAssignment.h"

#include "document/DMTable.h"
#include "engine/Exceptions.h"
#include "engine/GameStore.h"
#include "engine/GameTime.h"
#include "engine/NameSource.h"
#include "engine/Platform.h"
#include "engine/ScheduleTable.h"
#include "engine/TeamTotals.h"
#include "engine/TextUtils.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

// The pass never asks the store or the teams table more than it must: which team numbers are
// the bye team is read once per pass; the clash repair works on a compact copy of the rounds
// with each team's game per round indexed (and kept right through its exchanges), and looks
// only at the games whose date and time can clash with the neighbouring round at all; the Fair
// rebalancing measures a trial placement from the kept sums of its column instead of adding
// and removing the game. Every figure it compares is computed by the same expressions as the
// plain form, so the results are the same to the bit.

namespace {

constexpr int TeamNumbers = 256; // a stored team number is 8-bit

int TimeIndexIn(const std::vector<TDateTime>& times, TDateTime time)
{
    const int count = static_cast<int>(times.size()) - 1;
    if (time == 0)
        return count + 1;
    for (int k = 1; k <= count; ++k)
        if (times[k] == time)
            return k;
    return 0;
}

// Which team numbers name the bye team. The teams table does not change during a pass.
class TByeTeams {
public:
    TByeTeams()
    {
        for (int team = 0; team < TeamNumbers; ++team)
            m_bye[team] = TeamName(team) == ByeTeamName;
    }

    bool IsBye(const TGame& game) const { return m_bye[game.HomeTeam] || m_bye[game.AwayTeam]; }
    // IsAssignable without the name lookups.
    bool Assignable(const TGame& game, bool skipByes) const
    {
        return game.Status == gsAuto && !(skipByes && IsBye(game));
    }

private:
    std::array<bool, TeamNumbers> m_bye {};
};

// What the clash test reads, for rounds 1..rounds, in a compact copy of the store: each game
// position's date, moment and teams, and each team's first game in each round (0: none), as
// FindTeamGame gives it. Exchanges are written through to the store.
//
// Dates and times stay with their position while pairings move, so an exchange touches only
// the teams, and when every team plays at most one game of the round, which pairing
// guarantees, the team index follows it in constant time; other rounds are indexed again. For
// the same reason it is known once which positions can clash at all with the round before or
// after, whoever plays there: those whose date and time meet the rule with some position of
// that round. The repair and the count look only at those.
class TClashState {
public:
    // Without candidates, TowardsNext and TowardsPrevious stay empty.
    TClashState(int rounds, int days, bool candidates)
        : m_rounds(rounds)
        , m_games(GamesPerRound)
        , m_days(days)
        , m_slots(static_cast<std::size_t>(rounds) * (GamesPerRound + 1))
        , m_index(static_cast<std::size_t>(rounds) * TeamNumbers, 0)
        , m_irregular(rounds + 1, false)
        , m_towardsNext(rounds + 1)
        , m_towardsPrevious(rounds + 1)
        , m_candidates(candidates)
    {
        Reload();
    }

    // Reads dates, times and teams from the store again.
    void Reload()
    {
        for (int round = 1; round <= m_rounds; ++round) {
            const TGame* games = &Games(round, 1);
            TSlot* slots = Slots(round);
            for (int g = 1; g <= m_games; ++g) {
                const TGame& game = games[g - 1];
                slots[g].Date = game.Date;
                slots[g].Moment = game.Date + game.Time;
                slots[g].Timed = game.Time != 0;
                slots[g].Home = game.HomeTeam;
                slots[g].Away = game.AwayTeam;
            }
            Index(round);
        }
        for (int round = 1; round <= m_rounds && m_candidates; ++round) {
            Candidates(round, round + 1, m_towardsNext[round]);
            Candidates(round, round - 1, m_towardsPrevious[round]);
        }
    }

    int Find(int round, int team) const { return Teams(round)[team]; }
    int Home(int round, int game) const { return Slots(round)[game].Home; }
    int Away(int round, int game) const { return Slots(round)[game].Away; }

    // The games of the round, in game order, that can clash with the next or the previous
    // round.
    const std::vector<int>& TowardsNext(int round) const { return m_towardsNext[round]; }
    const std::vector<int>& TowardsPrevious(int round) const { return m_towardsPrevious[round]; }

    // Whether the game, in which team plays, clashes with the team's game in otherRound.
    bool Clashes(int round, int game, int team, int otherRound) const
    {
        const int other = Find(otherRound, team);
        return other != 0 && SlotsClash(Slots(round)[game], Slots(otherRound)[other]);
    }

    // Exchanges the teams and locations of two games of the round.
    void Exchange(int round, int game1, int game2)
    {
        TGame& first = Games(round, game1);
        TGame& second = Games(round, game2);
        std::swap(first.HomeTeam, second.HomeTeam);
        std::swap(first.AwayTeam, second.AwayTeam);
        std::swap(first.Location, second.Location);
        TSlot& slot1 = Slots(round)[game1];
        TSlot& slot2 = Slots(round)[game2];
        std::swap(slot1.Home, slot2.Home);
        std::swap(slot1.Away, slot2.Away);
        if (m_irregular[round]) {
            Index(round);
            return;
        }
        uint8_t* teams = Teams(round);
        teams[slot1.Home] = teams[slot1.Away] = static_cast<uint8_t>(game1);
        teams[slot2.Home] = teams[slot2.Away] = static_cast<uint8_t>(game2);
    }

private:
    struct TSlot {
        TDateTime Date = 0;
        TDateTime Moment = 0; // Date + Time
        bool Timed = false;
        uint8_t Home = 0;
        uint8_t Away = 0;
    };

    bool SlotsClash(const TSlot& slot, const TSlot& other) const
    {
        if (slot.Moment == 0)
            return false;
        if (slot.Timed && slot.Moment == other.Moment)
            return true;
        return m_days > 0 && std::abs(slot.Date - other.Date) < m_days;
    }

    // The games of the round whose slot clashes with some slot of otherRound; none when that
    // round does not exist. The distinct slots of otherRound are few (its dates and times).
    void Candidates(int round, int otherRound, std::vector<int>& games) const
    {
        games.clear();
        if (otherRound < 1 || otherRound > m_rounds)
            return;
        std::vector<TSlot> distinct;
        const TSlot* others = Slots(otherRound);
        for (int g = 1; g <= m_games; ++g) {
            const auto same = [&](const TSlot& s) {
                return s.Date == others[g].Date && s.Moment == others[g].Moment;
            };
            if (std::find_if(distinct.begin(), distinct.end(), same) == distinct.end())
                distinct.push_back(others[g]);
        }
        const TSlot* slots = Slots(round);
        for (int g = 1; g <= m_games; ++g) {
            const auto clashes = [&](const TSlot& other) { return SlotsClash(slots[g], other); };
            if (std::any_of(distinct.begin(), distinct.end(), clashes))
                games.push_back(g);
        }
    }

    TSlot* Slots(int round)
    {
        return &m_slots[static_cast<std::size_t>(round - 1) * (m_games + 1)];
    }
    const TSlot* Slots(int round) const
    {
        return &m_slots[static_cast<std::size_t>(round - 1) * (m_games + 1)];
    }
    uint8_t* Teams(int round)
    {
        return &m_index[static_cast<std::size_t>(round - 1) * TeamNumbers];
    }
    const uint8_t* Teams(int round) const
    {
        return &m_index[static_cast<std::size_t>(round - 1) * TeamNumbers];
    }

    void Index(int round)
    {
        uint8_t* teams = Teams(round);
        std::fill(teams, teams + TeamNumbers, 0);
        bool irregular = false;
        const TSlot* slots = Slots(round);
        for (int game = 1; game <= m_games; ++game) {
            for (const int team : { slots[game].Home, slots[game].Away }) {
                if (teams[team] == 0)
                    teams[team] = static_cast<uint8_t>(game);
                else if (teams[team] != game)
                    irregular = true;
            }
        }
        m_irregular[round] = irregular;
    }

    int m_rounds;
    int m_games;
    int m_days;
    std::vector<TSlot> m_slots; // (round - 1) * (games + 1) + game; game 0 is unused
    std::vector<uint8_t> m_index; // (round - 1) * TeamNumbers + team: the team's first game
    std::vector<bool> m_irregular; // by round: some team plays more than one game of it
    std::vector<std::vector<int>> m_towardsNext; // by round
    std::vector<std::vector<int>> m_towardsPrevious;
    bool m_candidates;
};

// The pass's own count table: the cells of one column lie together and every column keeps the
// sums from which its variance follows, as in TTeamTotals, so that the variance a column would
// have with one more game costs three reads.
class TPassTotals {
public:
    TPassTotals(int rows, int columns)
        : m_rows(rows)
        , m_columns(columns)
        , m_cells(static_cast<std::size_t>(rows) * columns, 0)
        , m_sums(columns, 0)
        , m_squares(columns, 0)
    {
    }

    void Clear()
    {
        std::fill(m_cells.begin(), m_cells.end(), 0);
        std::fill(m_sums.begin(), m_sums.end(), 0);
        std::fill(m_squares.begin(), m_squares.end(), 0);
    }

    // The game's two teams and the all-teams row (the last row).
    void AddGame(const TGame& game, int32_t amount, int column)
    {
        Add(game.HomeTeam, column, amount);
        Add(game.AwayTeam, column, amount);
        Add(m_rows, column, amount);
    }

    // As TTeamTotals::Variance computes it.
    double Variance(int column) const { return Of(m_sums[column - 1], m_squares[column - 1]); }

    // The variance the column would have after AddGame(game, +1, column). Raises ERangeError
    // where that AddGame would.
    double VarianceWith(int column, int home, int away) const
    {
        CheckRow(home);
        CheckRow(away);
        const int32_t* cells = &m_cells[static_cast<std::size_t>(column - 1) * m_rows];
        const int64_t x1 = cells[home - 1];
        const int64_t x2 = cells[away - 1] + (away == home);
        const int64_t x3 = cells[m_rows - 1] + (home == m_rows) + (away == m_rows);
        const int64_t squares = m_squares[column - 1] + (2 * x1 + 1) + (2 * x2 + 1) + (2 * x3 + 1);
        return Of(m_sums[column - 1] + 3, squares);
    }

private:
    void CheckRow(int row) const
    {
        if (row < 1 || row > m_rows)
            throw ERangeError();
    }

    void Add(int row, int column, int32_t amount)
    {
        CheckRow(row);
        if (column < 1 || column > m_columns)
            throw ERangeError();
        int32_t& cell = m_cells[static_cast<std::size_t>(column - 1) * m_rows + row - 1];
        const int64_t before = cell;
        const int64_t after = before + amount;
        cell = static_cast<int32_t>(after);
        m_sums[column - 1] += amount;
        m_squares[column - 1] += after * after - before * before;
    }

    double Of(int64_t sum, int64_t sumOfSquares) const
    {
        const double s = static_cast<double>(sum);
        return static_cast<double>(sumOfSquares) - s * s / static_cast<double>(m_rows);
    }

    int m_rows;
    int m_columns;
    std::vector<int32_t> m_cells; // (column - 1) * m_rows + row - 1
    std::vector<int64_t> m_sums;
    std::vector<int64_t> m_squares;
};

// One time pass over rounds 1..RoundCount, on the summary's times list and pool.
class TTimePass {
public:
    TTimePass(const std::vector<TDateTime>& times, std::vector<TDateTime>& poolTimes,
        std::vector<TDateTime>& poolDates)
        : m_times(times)
        , m_poolTimes(poolTimes)
        , m_poolDates(poolDates)
    {
    }

    void ClearAutoTimes()
    {
        for (int round = 1; round <= m_rounds; ++round) {
            for (int game = 1; game <= m_games; ++game) {
                TGame& g = Games(round, game);
                if (g.Status == gsAuto)
                    g.Date = g.Time = 0;
            }
        }
    }

    // Hands out the places of the slot list in game order; a bye passed over takes none, a
    // game that is not Auto takes one and keeps its own date and time.
    void InOrderFill(TGameTimeList& slots)
    {
        for (int round = 1; round <= m_rounds; ++round) {
            for (int game = 1; game <= m_games; ++game) {
                TGame& g = Games(round, game);
                if (m_skipByes && m_byes.IsBye(g))
                    continue;
                slots.Next();
                if (g.Status == gsAuto) {
                    g.Date = slots.current().Date;
                    g.Time = slots.current().Time;
                }
            }
        }
    }

    void FairRebalance();
    // Returns the number of repair passes; clashCount holds the last count.
    int RepairClashes(int& clashCount, const std::function<void(int)>& afterPass);

private:
    struct TCandidate {
        int Game;
        int Home;
        int Away;
    };

    // Adds the games of the round that have a date to the totals; a game whose time is no
    // playing time has no column and is left out.
    void CountRound(TPassTotals& totals, int round) const
    {
        for (int game = 1; game <= m_games; ++game) {
            const TGame& g = Games(round, game);
            if (g.Date > 0)
                if (const int column = TimeIndexIn(m_times, g.Time); column != 0)
                    totals.AddGame(g, +1, column);
        }
    }

    void RepairPass(TClashState& state) const;
    int CountClashes(const TClashState& state) const;

    const std::vector<TDateTime>& m_times;
    std::vector<TDateTime>& m_poolTimes;
    std::vector<TDateTime>& m_poolDates;
    const TByeTeams m_byes;
    const bool m_skipByes = GenerateSettings.SkipByes;
    const int m_days = GenerateSettings.DaysBetweenGames;
    const int m_rounds = RoundCount;
    const int m_games = GamesPerRound;
};

// Round by round: the dates and times that the In-order fill gave the round's assignable games
// go into the pool; then, as often as the round has such games, the entry whose time column is
// least evenly spread so far goes to the game that spreads it best. The totals of the rounds
// before stay as their placements left them, which is what counting them again would give.
void TTimePass::FairRebalance()
{
    const int timeColumns = static_cast<int>(m_times.size()); // T + 1
    TPassTotals totals(TeamCount + 1, timeColumns);
    m_poolTimes.assign(m_games + 1, 0);
    m_poolDates.assign(m_games + 1, 0);
    // The pool's usable entries by column, in game order, each with the first not yet placed.
    std::vector<std::vector<int>> entries(timeColumns + 1);
    std::vector<std::size_t> heads(timeColumns + 1, 0);
    std::vector<int> columns;
    std::vector<TCandidate> candidates;
    // A placement dated below 0 is counted now but would not be by a later count.
    bool recount = false;

    for (int round = 1; round <= m_rounds; ++round) {
        int assignable = 0;
        for (int game = 1; game <= m_games; ++game) {
            m_poolTimes[game] = m_poolDates[game] = 0;
            TGame& g = Games(round, game);
            if (m_byes.Assignable(g, m_skipByes)) {
                m_poolTimes[game] = g.Time;
                m_poolDates[game] = g.Date;
                g.Date = g.Time = 0;
                ++assignable;
            }
        }

        if (recount) {
            totals.Clear();
            for (int counted = 1; counted < round; ++counted)
                CountRound(totals, counted);
            recount = false;
        }
        CountRound(totals, round);

        for (const int column : columns) {
            entries[column].clear();
            heads[column] = 0;
        }
        columns.clear();
        for (int game = 1; game <= m_games; ++game) {
            if (m_poolDates[game] == 0)
                continue;
            const int column = TimeIndexIn(m_times, m_poolTimes[game]);
            if (column == 0)
                continue;
            if (entries[column].empty())
                columns.push_back(column);
            entries[column].push_back(game);
        }
        candidates.clear();
        for (int game = 1; game <= m_games; ++game) {
            const TGame& g = Games(round, game);
            if (g.Date == 0 && !(m_skipByes && m_byes.IsBye(g)))
                candidates.push_back({ game, g.HomeTeam, g.AwayTeam });
        }

        for (int step = 0; step < assignable; ++step) {
            // The entry of the largest column variance; on a tie the lowest game number.
            int column = 0;
            int entry = INT_MAX;
            double largest = -1;
            for (const int c : columns) {
                if (heads[c] == entries[c].size())
                    continue;
                const double variance = totals.Variance(c);
                const int first = entries[c][heads[c]];
                if (variance > largest || (variance == largest && first < entry)) {
                    largest = variance;
                    column = c;
                    entry = first;
                }
            }
            // Nothing changes from here on, so no later step can place anything either.
            if (column == 0)
                break;

            // The game that leaves the column with the smallest variance; the first 0 wins.
            std::size_t chosen = candidates.size();
            double smallest = 1.7e308;
            for (std::size_t k = 0; k < candidates.size(); ++k) {
                const double variance
                    = totals.VarianceWith(column, candidates[k].Home, candidates[k].Away);
                if (variance < smallest) {
                    smallest = variance;
                    chosen = k;
                    if (variance == 0)
                        break;
                }
            }
            if (chosen == candidates.size())
                break;

            TGame& g = Games(round, candidates[chosen].Game);
            totals.AddGame(g, +1, column);
            g.Time = m_poolTimes[entry];
            g.Date = m_poolDates[entry];
            if (g.Date < 0)
                recount = true;
            m_poolTimes[entry] = m_poolDates[entry] = 0;
            ++heads[column];
            candidates.erase(candidates.begin() + static_cast<std::ptrdiff_t>(chosen));
        }
    }
}

int TTimePass::RepairClashes(int& clashCount, const std::function<void(int)>& afterPass)
{
    TClashState state(m_rounds, m_days, true);
    clashCount = 0;
    int best = INT_MAX;
    int repeats = 0;
    int passes = 0;
    for (;;) {
        ++passes;
        RepairPass(state);
        if (afterPass) {
            afterPass(passes);
            state.Reload();
        }
        const int count = CountClashes(state);
        clashCount = count;
        if (count == best) {
            ++repeats;
        } else if (count < best) {
            best = count;
            repeats = 0;
        }
        if (count == 0 || (count == best && repeats == 3) || passes > 100)
            return passes;
    }
}

// From the last round back to the second: a pairing of the round before that clashes with a
// team's game in this round moves to the first assignable game after the last one moved to,
// as long as that game comes before it.
void TTimePass::RepairPass(TClashState& state) const
{
    auto assignable
        = [this](int round, int game) { return m_byes.Assignable(Games(round, game), m_skipByes); };
    for (int later = m_rounds; later >= 2; --later) {
        const int round = later - 1;
        int movedTo = 0;
        for (const int i : state.TowardsPrevious(later)) {
            for (const bool home : { true, false }) {
                const int team = home ? state.Home(later, i) : state.Away(later, i);
                if (!state.Clashes(later, i, team, round))
                    continue;
                const int e = state.Find(round, team);
                if (movedTo == m_games || !assignable(round, e))
                    continue;
                for (int f = movedTo + 1; f < e; ++f) {
                    if (assignable(round, f)) {
                        state.Exchange(round, e, f);
                        movedTo = f;
                        break;
                    }
                }
            }
        }
    }
}

int TTimePass::CountClashes(const TClashState& state) const
{
    int count = 0;
    for (int round = 1; round < m_rounds; ++round) {
        for (const int game : state.TowardsNext(round)) {
            count += state.Clashes(round, game, state.Home(round, game), round + 1);
            count += state.Clashes(round, game, state.Away(round, game), round + 1);
        }
    }
    return count;
}

// Writes the store to the schedule table and takes each round back in the table's date-then-
// time order. A filter would hide rows from the walk, so it is off meanwhile; a round whose
// rows do not name each of its games once stays as it is.
void ReorderRounds()
{
    if (TallivorandaData == nullptr)
        return;
    TTallivorandaData& data = *TallivorandaData;
    TMemDataSet& table = data.ScheduleData;
    const bool filtered = table.Filtered();
    if (filtered)
        table.SetFiltered(false);
    GamesToTable();

    const std::string previous = table.OrderBy();
    const int games = GamesPerRound;
    std::vector<TGame> round(games + 1);
    std::vector<int> order(games + 1);
    std::vector<int> seen(games + 1, 0);
    table.DisableControls();
    try {
        table.SetOrderBy("RoundNo;Date;IntTime");
        table.First();
        for (int r = 1; r <= RoundCount; ++r) {
            bool complete = true;
            for (int i = 1; i <= games; ++i) {
                if (table.Eof()) {
                    complete = false;
                    break;
                }
                const int game = data.SchedGameNo->AsInteger();
                if (data.SchedRoundNo->AsInteger() != r || game < 1 || game > games
                    || seen[game] == r)
                    complete = false;
                else
                    seen[game] = r;
                order[i] = game;
                table.Next();
            }
            if (!complete)
                continue;
            for (int g = 1; g <= games; ++g)
                round[g] = Games(r, g);
            for (int i = 1; i <= games; ++i)
                Games(r, i) = round[order[i]];
        }
        table.SetOrderBy(previous);
    } catch (...) {
        table.EnableControls();
        throw;
    }
    table.EnableControls();
    if (filtered)
        table.SetFiltered(true);
}

} // namespace

void TTimeSummary::AssignTimes()
{
    if (OnShowProgress)
        OnShowProgress();
    m_clashCount = 0;
    m_repairPasses = 0;
    TGameTimeList* slots = GameTimes();
    if (slots != nullptr)
        slots->Reset();
    LoadTimes();

    TTimePass pass(m_times, m_poolTimes, m_poolDates);
    pass.ClearAutoTimes();
    if (slots != nullptr && slots->Total() != 0 && RoundCount > 0) {
        ProcessPendingEvents();
        {
            TBusyScope busy;
            Progress().AddMessage("Assigning times...");
            switch (GenerateSettings.TimeType) {
            case ttManual:
                break;
            case ttFair:
                pass.InOrderFill(*slots);
                pass.FairRebalance();
                m_repairPasses = pass.RepairClashes(m_clashCount, AfterRepairPass);
                ReorderRounds();
                break;
            case ttInOrder:
                pass.InOrderFill(*slots);
                m_repairPasses = pass.RepairClashes(m_clashCount, AfterRepairPass);
                break;
            }
        }
        Progress().AppendMessage(" completed.");
    }

    if (m_clashCount > 0)
        Progress().AddWarning(std::to_string(m_clashCount) + " time clash"
            + (m_clashCount == 1 ? " was" : "es were") + " detected.");
}

void TTimeSummary::CountTimes(int lastRound)
{
    if (m_totals == nullptr)
        return;
    m_totals->Clear();
    LoadTimes();
    for (int round = 1; round <= lastRound; ++round) {
        for (int game = 1; game <= GamesPerRound; ++game) {
            if (GetDate(round, game) > 0)
                if (const int column = TimeIndex(GetTime(round, game)); column != 0)
                    AddGame(round, game, +1, column);
        }
    }
}

void TTimeSummary::AddGame(int round, int game, int amount, int column)
{
    if (m_totals == nullptr)
        return;
    m_totals->Add(GetHomeTeam(round, game), column, amount);
    m_totals->Add(GetAwayTeam(round, game), column, amount);
    m_totals->Add(m_totals->Rows(), column, amount);
}

void TTimeSummary::MarkClashes()
{
    const TClashState state(RoundCount, GenerateSettings.DaysBetweenGames, false);
    for (int round = 1; round < RoundCount; ++round) {
        for (int game = 1; game <= GamesPerRound; ++game) {
            TGame& g = Games(round, game);
            g.HomeClash = state.Clashes(round, game, g.HomeTeam, round + 1);
            g.AwayClash = state.Clashes(round, game, g.AwayTeam, round + 1);
        }
    }
}

void TTimeSummary::LoadTimes()
{
    m_times.assign(1, 0);
    if (TallivorandaData == nullptr)
        return;
    TMemDataSet& table = TallivorandaData->TimesData;
    TField& field = *TallivorandaData->FTime;
    const int rows = table.RecordCount();
    for (int row = 1; row <= rows; ++row) {
        const TVariant value = table.ValueAt(row, field);
        const auto* text = std::get_if<std::string>(&value);
        m_times.push_back(text != nullptr ? StrToTimeOrZero(*text) : 0);
    }
}

int TTimeSummary::TimeIndex(TDateTime time) const
{
    return TimeIndexIn(m_times, time);
}
