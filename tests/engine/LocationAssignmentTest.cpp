#include "engine/LocationAssignment.h"

#include "engine/DateTime.h"
#include "engine/Exceptions.h"
#include "engine/GameStore.h"
#include "engine/Pairing.h"
#include "engine/Platform.h"

#include "engine/LocationAssignmentReference.h"
#include "support/DocumentFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

using Strings = std::vector<std::string>;
using Keys = std::vector<int>;

namespace {

// Records the busy cursor with the number of progress lines shown at each change.
class TCursorLog final : public IBusyCursor {
public:
    explicit TCursorLog(const TProgressRecorder& recorder)
        : m_recorder(recorder)
    {
        SetBusyCursor(this);
    }
    ~TCursorLog() override { SetBusyCursor(nullptr); }
    void BeginBusy() override { Events.push_back("busy@" + Lines()); }
    void EndBusy() override { Events.push_back("idle@" + Lines()); }
    Strings Events;

private:
    std::string Lines() const { return std::to_string(m_recorder.Lines().size()); }
    const TProgressRecorder& m_recorder;
};

class LocationAssignment : public DocumentFixture {
protected:
    LocationAssignment() { ClearGames(); }
    ~LocationAssignment() override
    {
        ClearGames();
        GenerateSettings = TGenerateSettings {};
        SharedPairCount = 0;
    }

    TLocationSummary Summary;

    // Team rows "T1".."Tn", and the bye team last when n is odd.
    void AddTeamRows(int teams)
    {
        for (int t = 1; t <= teams; ++t)
            AddRow(Data.TeamsData, *Data.FTeam, "T" + std::to_string(t));
        if (teams % 2 == 1)
            AddRow(Data.TeamsData, *Data.FTeam, ByeTeamName);
    }

    // The store of a league whose team rows are those of the teams table, paired for rounds.
    void PairLeague(int rounds)
    {
        TeamCount = Data.TeamsData.RecordCount();
        GamesPerRound = TeamCount / 2;
        RoundCount = rounds;
        PairAllRounds();
    }

    // count locations "L1".."Ln" whose keys start at firstKey, so that keys and numbers differ.
    Keys AddLocationRows(int count, int firstKey = 1)
    {
        for (int k = 1; k < firstKey; ++k) {
            AddRow(Data.LocationsData, *Data.FLocation, "gone");
            Data.LocationsData.Delete();
        }
        Keys keys;
        for (int n = 1; n <= count; ++n) {
            AddRow(Data.LocationsData, *Data.FLocation, "L" + std::to_string(n));
            keys.push_back(Data.FlocationID->AsInteger());
        }
        return keys;
    }

    // Location keys of the games of rounds 1..RoundCount in schedule order.
    static Keys AllLocations()
    {
        Keys keys;
        for (int r = 1; r <= RoundCount; ++r)
            for (int g = 1; g <= GamesPerRound; ++g)
                keys.push_back(GetLocation(r, g));
        return keys;
    }

    // Location keys of the games for which the test holds, in schedule order.
    template <class TTest> static Keys LocationsOf(TTest test)
    {
        Keys keys;
        for (int r = 1; r <= RoundCount; ++r)
            for (int g = 1; g <= GamesPerRound; ++g)
                if (test(r, g))
                    keys.push_back(GetLocation(r, g));
        return keys;
    }

    static Keys RoundLocations(int round)
    {
        Keys keys;
        for (int g = 1; g <= GamesPerRound; ++g)
            keys.push_back(GetLocation(round, g));
        return keys;
    }

    void Assign(TLocationType method, bool skipByes = false)
    {
        GenerateSettings.LocationType = method;
        GenerateSettings.SkipByes = skipByes;
        Summary.AssignLocations();
    }
};

} // namespace

TEST_F(LocationAssignment, InOrderCyclesAcrossRoundsPastByesAndHandSetGames)
{
    AddTeamRows(5); // three games a round, one of them a bye
    PairLeague(3);
    const Keys keys = AddLocationRows(3, 4);
    // The non-bye games in schedule order; the second one is set by hand.
    std::vector<std::pair<int, int>> played;
    for (int r = 1; r <= RoundCount; ++r)
        for (int g = 1; g <= GamesPerRound; ++g)
            if (!IsByeGame(r, g))
                played.emplace_back(r, g);
    ASSERT_EQ(played.size(), 6u);
    SetStatus(played[1].first, played[1].second, gsManual);
    SetLocation(played[1].first, played[1].second, 99);

    Assign(ltInOrder, true);

    Keys got;
    for (const auto& [r, g] : played)
        got.push_back(GetLocation(r, g));
    EXPECT_EQ(got, (Keys { keys[0], 99, keys[2], keys[0], keys[1], keys[2] }));
    EXPECT_EQ(LocationsOf(IsByeGame), Keys(RoundCount, 0));
}

TEST_F(LocationAssignment, InOrderWithoutSkipByesGivesByesTheirTurn)
{
    AddTeamRows(3);
    PairLeague(2);
    const Keys keys = AddLocationRows(3);
    Assign(ltInOrder);
    EXPECT_EQ(AllLocations(), (Keys { keys[0], keys[1], keys[2], keys[0] }));
}

TEST_F(LocationAssignment, ManualClearsAutoGamesOnlyByesIncluded)
{
    AddTeamRows(5);
    PairLeague(2);
    AddLocationRows(2);
    for (int g = 1; g <= 3; ++g)
        for (int r = 1; r <= 2; ++r)
            SetLocation(r, g, 10 * r + g);
    SetStatus(1, 1, gsManual);
    SetStatus(1, 2, gsCancelled);
    SetStatus(2, 3, gsDeleted);
    ASSERT_TRUE(IsByeGame(1, 3)); // an Auto bye, passed over by nothing here
    Assign(ltManual, true);
    EXPECT_EQ(AllLocations(), (Keys { 11, 12, 0, 0, 0, 23 }));
    EXPECT_EQ(User.Recorder.Lines(), Strings { "Assigning locations... completed." });
}

TEST_F(LocationAssignment, HomeTakesTheTeamLocationByTeamKeyAndMinusOneWithout)
{
    // The first two team rows go, so team number n has the key n + 2.
    AddTeamRows(1);
    Data.TeamsData.First();
    Data.TeamsData.Delete();
    Data.TeamsData.First();
    Data.TeamsData.Delete();
    AddTeamRows(3); // T1, T2, T3, bye: keys 3..6
    PairLeague(3);
    const Keys keys = AddLocationRows(2);
    AddPreference(3, keys[1]); // T1
    AddPreference(5, keys[0]); // T3
    Assign(ltHome, false);

    for (int r = 1; r <= RoundCount; ++r) {
        for (int g = 1; g <= GamesPerRound; ++g) {
            const int home = GetHomeTeam(r, g);
            const int want = home == 1 ? keys[1] : home == 3 ? keys[0] : -1;
            EXPECT_EQ(GetLocation(r, g), want) << r << "/" << g << " home " << home;
        }
    }
    EXPECT_EQ(User.Recorder.Lines(), Strings { "Assigning locations... completed." });

    // With Skip byes the byes keep no location at all.
    Assign(ltHome, true);
    EXPECT_EQ(LocationsOf(IsByeGame), Keys(RoundCount, 0));
}

TEST_F(LocationAssignment, SharedWarnsAfterTheCompletedLineWhenNoPairShares)
{
    AddTeamRows(4);
    PairLeague(3);
    const Keys keys = AddLocationRows(2);
    AddPreference(1, keys[0]);
    AddPreference(2, keys[1]);
    SharedPairCount = 0;
    Assign(ltShared);
    EXPECT_EQ(User.Recorder.Lines(),
        (Strings {
            "Assigning locations... completed.", "Warning - No shared locations were found." }));
    for (int g = 1; g <= GamesPerRound; ++g) {
        const int home = GetHomeTeam(1, g);
        EXPECT_EQ(GetLocation(1, g), home == 1 ? keys[0] : home == 2 ? keys[1] : -1);
    }

    User.Recorder.ClearMessages();
    SharedPairCount = 1;
    Assign(ltShared);
    EXPECT_EQ(User.Recorder.Lines(), Strings { "Assigning locations... completed." });
}

TEST_F(LocationAssignment, FairLeavesAFirstRoundOfDistinctLocationsAsInOrderMadeIt)
{
    AddTeamRows(8);
    PairLeague(7);
    const Keys keys = AddLocationRows(5, 3);
    Assign(ltFair);
    EXPECT_EQ(RoundLocations(1), (Keys { keys[0], keys[1], keys[2], keys[3] }));
}

TEST_F(LocationAssignment, FairWithALocationPerGameUsesEachOncePerRoundAndKeepsManualGames)
{
    AddTeamRows(8);
    PairLeague(14);
    const Keys keys = AddLocationRows(4, 2);
    // In order would give this game the second location; it keeps the fourth.
    SetStatus(5, 2, gsManual);
    SetLocation(5, 2, keys[3]);
    Assign(ltFair);
    EXPECT_EQ(GetLocation(5, 2), keys[3]);
    for (int r = 1; r <= RoundCount; ++r) {
        Keys used = RoundLocations(r);
        std::sort(used.begin(), used.end());
        if (r == 5)
            EXPECT_EQ(used, (Keys { keys[0], keys[2], keys[3], keys[3] }));
        else
            EXPECT_EQ(used, keys) << "round " << r;
    }
}

TEST_F(LocationAssignment, FairTakesTheMostUnevenLocationFirstAndTheFirstGameOnATie)
{
    // Four teams, three locations; the pairing's rounds are 1-2 3-4, 4-1 2-3, 3-1 2-4, and In
    // order gives them (1, 2), (3, 1), (2, 3). In round 2 location 1 (variance 1.2) goes before
    // location 3 (0); both games give it 2.8, so the first game takes it.
    AddTeamRows(4);
    PairLeague(3);
    const Keys keys = AddLocationRows(3, 4);
    Assign(ltFair);
    EXPECT_EQ(AllLocations(), (Keys { keys[0], keys[1], keys[0], keys[2], keys[1], keys[2] }));

    // Six teams, two locations: In order gives round 1 (1, 2, 1). Location 1 goes to 1-4
    // first; then location 1 again (variance 12/7 against 0) goes to 3-2, the first of two
    // games giving 20/7; 5-6 gets location 2.
    Data.ResetDocument();
    ClearGames();
    AddTeamRows(6);
    PairLeague(1);
    const Keys two = AddLocationRows(2, 3);
    Assign(ltFair);
    EXPECT_EQ(AllLocations(), (Keys { two[0], two[0], two[1] }));
}

TEST_F(LocationAssignment, WithoutLocationsNoGameGetsOneAndNoCheckRuns)
{
    for (const TLocationType method : { ltInOrder, ltFair }) {
        ClearGames();
        Data.ResetDocument();
        User.Recorder.ClearMessages();
        AddTeamRows(4);
        PairLeague(3);
        // Two hand-set games that would be a double booking.
        for (int g = 1; g <= 2; ++g) {
            SetStatus(1, g, gsManual);
            SetLocation(1, g, 7);
            SetDate(1, g, 40000);
            SetTime(1, g, 0.75);
        }
        Assign(method);
        // In order gives -1 (KeyAt beyond the table); Fair then empties the games it takes
        // back and has nothing to place.
        const Keys autoGames = LocationsOf([](int r, int g) { return GetStatus(r, g) == gsAuto; });
        EXPECT_EQ(autoGames, Keys(autoGames.size(), method == ltInOrder ? -1 : 0));
        EXPECT_EQ(User.Recorder.Lines(), Strings { "Assigning locations... completed." });
    }
}

namespace {

// (date, time, location key) of the games of one round, all Manual.
struct TBookingCase {
    const char* Name;
    std::vector<std::tuple<double, double, int>> Games;
    int Expected;
};

} // namespace

TEST_F(LocationAssignment, DoubleBookingsCountTheGameBeforeAtTheSameLocation)
{
    const double d1 = 40000, d2 = 40001, t1 = 0.75, t2 = 0.8125;
    const std::vector<TBookingCase> cases = {
        { "two at once", { { d1, t1, 1 }, { d1, t1, 1 } }, 1 },
        { "different dates", { { d1, t1, 1 }, { d2, t1, 1 } }, 0 },
        { "different times", { { d1, t1, 1 }, { d1, t2, 1 } }, 0 },
        { "different locations", { { d1, t1, 1 }, { d1, t1, 2 } }, 0 },
        { "other location between", { { d1, t1, 1 }, { d1, t1, 2 }, { d1, t1, 1 } }, 1 },
        { "other time between", { { d1, t1, 1 }, { d1, t2, 1 }, { d1, t1, 1 } }, 0 },
        { "back to a date", { { d1, t1, 1 }, { d2, t1, 2 }, { d1, t1, 1 } }, 0 },
        { "three at once", { { d1, t1, 1 }, { d1, t1, 1 }, { d1, t1, 1 } }, 2 },
        { "three and two",
            { { d1, t1, 1 }, { d1, t1, 1 }, { d1, t1, 1 }, { d1, t2, 2 }, { d1, t2, 2 } }, 3 },
        { "no date", { { d1, t1, 1 }, { 0, t1, 1 } }, 0 },
        { "no date between", { { d1, t1, 1 }, { 0, t2, 1 }, { d1, t1, 1 } }, 1 },
        { "no time", { { d1, 0, 1 }, { d1, 0, 1 } }, 0 },
        { "no location", { { d1, t1, 0 }, { d1, t1, 0 } }, 0 },
        { "no home location", { { d1, t1, -1 }, { d1, t1, -1 } }, 0 },
        { "key above 100", { { d1, t1, 150 }, { d1, t1, 150 } }, 1 },
        { "unknown key", { { d1, t1, 3 }, { d1, t1, 3 } }, 1 },
    };
    AddLocationRows(2);
    for (const TBookingCase& c : cases) {
        ClearGames();
        User.Recorder.ClearMessages();
        const int games = static_cast<int>(c.Games.size());
        TeamCount = 2 * games;
        GamesPerRound = games;
        RoundCount = 1;
        for (int g = 1; g <= games; ++g) {
            InitGame(Games(1, g), 2 * g - 1, 2 * g);
            SetStatus(1, g, g % 2 ? gsManual : gsCancelled);
            SetDate(1, g, std::get<0>(c.Games[g - 1]));
            SetTime(1, g, std::get<1>(c.Games[g - 1]));
            SetLocation(1, g, std::get<2>(c.Games[g - 1]));
        }
        Assign(ltManual);
        EXPECT_EQ(Summary.DoubleBookings(), c.Expected) << c.Name;
        Strings lines { "Assigning locations... completed." };
        if (c.Expected > 0)
            lines.push_back("Warning - " + TLocationSummary::DoubleBookingText(c.Expected));
        EXPECT_EQ(User.Recorder.Lines(), lines) << c.Name;
    }
    EXPECT_EQ(TLocationSummary::DoubleBookingText(1), "1 location is double-booked.");
    EXPECT_EQ(TLocationSummary::DoubleBookingText(3), "3 locations are double-booked.");
}

TEST_F(LocationAssignment, DoubleBookingCheckPassesOverSkippedByes)
{
    AddTeamRows(3);
    PairLeague(1); // a bye and a real game
    AddLocationRows(1);
    for (int g = 1; g <= 2; ++g) {
        SetStatus(1, g, gsManual);
        SetLocation(1, g, 1);
        SetDate(1, g, 40000);
        SetTime(1, g, 0.75);
    }
    Assign(ltManual, true);
    EXPECT_EQ(Summary.DoubleBookings(), 0);
    Assign(ltManual, false);
    EXPECT_EQ(Summary.DoubleBookings(), 1);
    EXPECT_EQ(User.Recorder.Lines().back(), "Warning - 1 location is double-booked.");
}

TEST_F(LocationAssignment, CountLocationsCountsEveryGameWithAKnownLocation)
{
    AddTeamRows(4);
    TeamCount = 4;
    GamesPerRound = 2;
    RoundCount = 3;
    const int pairs[3][2][2]
        = { { { 1, 2 }, { 3, 4 } }, { { 1, 3 }, { 2, 4 } }, { { 1, 4 }, { 2, 3 } } };
    for (int r = 1; r <= 3; ++r)
        for (int g = 1; g <= 2; ++g)
            InitGame(Games(r, g), pairs[r - 1][g - 1][0], pairs[r - 1][g - 1][1]);
    const Keys keys = AddLocationRows(2, 5);
    SetLocation(1, 1, keys[0]);
    SetLocation(1, 2, keys[1]);
    SetLocation(2, 1, keys[1]);
    SetStatus(2, 1, gsCancelled); // counted all the same
    SetLocation(2, 2, 1); // no location has the key 1
    SetLocation(3, 1, keys[0]);

    EXPECT_THROW(Summary.CountLocations(2), Exception);
    TTeamTotals& totals = Summary.CreateTotals();
    EXPECT_EQ(totals.Rows(), 5);
    EXPECT_EQ(totals.Columns(), 2);
    auto column = [&](int c) {
        Keys values;
        for (int row = 1; row <= 5; ++row)
            values.push_back(totals.Value(row, c));
        return values;
    };
    Summary.CountLocations(2);
    EXPECT_EQ(column(1), (Keys { 1, 1, 0, 0, 1 }));
    EXPECT_EQ(column(2), (Keys { 1, 0, 2, 1, 2 }));
    Summary.CountLocations(3); // clears first
    EXPECT_EQ(column(1), (Keys { 2, 1, 0, 1, 2 }));
    EXPECT_EQ(column(2), (Keys { 1, 0, 2, 1, 2 }));
    Summary.FreeTotals();
    EXPECT_EQ(Summary.Totals(), nullptr);
}

TEST_F(LocationAssignment, ProgressWindowAndBusyCursorFrameThePass)
{
    AddTeamRows(4);
    PairLeague(3);
    AddLocationRows(1);
    for (int g = 1; g <= 2; ++g) {
        SetDate(1, g, 40000);
        SetTime(1, g, 0.75);
    }
    TCursorLog cursor(User.Recorder);
    Strings shown;
    Summary.OnShowProgress = [&] { shown.push_back(std::to_string(cursor.Events.size())); };
    Assign(ltInOrder);
    EXPECT_EQ(shown, Strings { "0" });
    EXPECT_EQ(cursor.Events, (Strings { "busy@0", "idle@2" }));
    EXPECT_EQ(User.Recorder.Lines(),
        (Strings {
            "Assigning locations... completed.", "Warning - 1 location is double-booked." }));
    EXPECT_EQ(Summary.Totals(), nullptr);
}

TEST_F(LocationAssignment, AFailedPassRestoresTheCursorAndFreesTheTotals)
{
    // A teams table longer than the store's teams: the all-teams row is past the totals.
    AddTeamRows(4);
    PairLeague(3);
    AddTeamRows(2);
    AddLocationRows(2);
    TCursorLog cursor(User.Recorder);
    GenerateSettings.LocationType = ltFair;
    EXPECT_THROW(Summary.AssignLocations(), ERangeError);
    EXPECT_EQ(cursor.Events, (Strings { "busy@0", "idle@1" }));
    EXPECT_EQ(Summary.Totals(), nullptr);
}

TEST_F(LocationAssignment, PassLeavesTheTablesCursorsWhereTheyWere)
{
    AddTeamRows(6);
    PairLeague(5);
    const Keys keys = AddLocationRows(3);
    AddPreference(2, keys[2]);
    Data.LocationsData.SetRecNo(2);
    Data.TeamsData.SetRecNo(3);
    for (const TLocationType method : { ltHome, ltFair, ltInOrder }) {
        Assign(method);
        EXPECT_EQ(Data.LocationsData.RecNo(), 2) << method;
        EXPECT_EQ(Data.TeamsData.RecNo(), 3) << method;
    }
}

namespace {

// What a pass leaves: every game's location, the progress lines and the double bookings, or
// the message of the error that stopped it.
struct TOutcome {
    Keys Locations;
    Strings Lines;
    int DoubleBookings = 0;
    std::string Error;
    bool operator==(const TOutcome&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TOutcome& o)
{
    out << o.DoubleBookings << " bookings, " << o.Lines.size() << " lines, error '" << o.Error
        << "', locations";
    for (const int key : o.Locations)
        out << ' ' << key;
    return out;
}

// A small deterministic generator for the hand-set games.
class TDraw {
public:
    explicit TDraw(unsigned seed)
        : m_state(seed * 2654435761u + 1)
    {
    }
    int Below(int n)
    {
        m_state = m_state * 1103515245u + 12345u;
        return static_cast<int>((m_state >> 16) % static_cast<unsigned>(n));
    }

private:
    unsigned m_state;
};

struct TLeagueCase {
    int Teams;
    int Rounds;
    int Locations;
};

} // namespace

class LocationReference : public LocationAssignment {
protected:
    // A league with team locations (some shared, some missing), location keys with a gap, dates
    // and times that meet now and then, and some games changed by hand.
    Keys BuildLeague(const TLeagueCase& c, unsigned seed)
    {
        ClearGames();
        Data.ResetDocument();
        AddTeamRows(c.Teams);
        PairLeague(c.Rounds);
        Keys keys = AddLocationRows(c.Locations + (c.Locations > 2 ? 1 : 0), 2);
        if (c.Locations > 2) {
            Data.LocationsData.SetRecNo(2);
            Data.LocationsData.Delete();
            keys.erase(keys.begin() + 1);
        }
        TDraw draw(seed);
        for (int team = 1; team <= c.Teams && !keys.empty(); ++team)
            if (draw.Below(4) != 0)
                AddPreference(team, keys[draw.Below(static_cast<int>(keys.size()))]);
        for (int r = 1; r <= RoundCount; ++r) {
            for (int g = 1; g <= GamesPerRound; ++g) {
                SetDate(r, g, draw.Below(20) == 0 ? 0 : 40000 + 3 * r + draw.Below(2));
                SetTime(r, g, draw.Below(10) == 0 ? 0 : 0.5 + draw.Below(3) / 24.0);
                const int hand = draw.Below(12);
                if (hand < 3) {
                    SetStatus(r, g, static_cast<TGameStatus>(hand + 1));
                    const int pick = draw.Below(static_cast<int>(keys.size()) + 2);
                    SetLocation(r, g,
                        pick < static_cast<int>(keys.size())
                            ? keys[pick]
                            : pick - 1 - static_cast<int>(keys.size()));
                }
            }
        }
        return keys;
    }

    template <class TPass> TOutcome Run(TPass&& pass)
    {
        TOutcome outcome;
        User.Recorder.ClearMessages();
        try {
            outcome.DoubleBookings = pass();
        } catch (const Exception& e) {
            outcome.Error = e.Message();
        }
        outcome.Locations = AllLocations();
        outcome.Lines = User.Recorder.Lines();
        return outcome;
    }

    void ExpectAgreement(const std::string& label)
    {
        const auto saved = std::make_unique<TGameStore>(Games);
        const TOutcome expected = Run([] { return ReferenceAssignLocations(); });
        Games = *saved;
        const TOutcome got = Run([this] {
            Summary.AssignLocations();
            return Summary.DoubleBookings();
        });
        EXPECT_EQ(got, expected) << label;
    }
};

TEST_F(LocationReference, EveryMethodAgreesWithTheRuleStepByStep)
{
    const std::vector<TLeagueCase> cases = { { 4, 3, 2 }, { 5, 10, 3 }, { 7, 6, 8 }, { 12, 22, 4 },
        { 19, 18, 6 }, { 30, 29, 8 }, { 41, 12, 5 }, { 60, 30, 8 }, { 9, 8, 0 }, { 10, 9, 1 } };
    unsigned seed = 1;
    for (const TLeagueCase& c : cases) {
        for (const TLocationType method : { ltManual, ltHome, ltShared, ltFair, ltInOrder }) {
            for (const bool skipByes : { false, true }) {
                BuildLeague(c, seed++);
                GenerateSettings.LocationType = method;
                GenerateSettings.SkipByes = skipByes;
                SharedPairCount = seed % 3;
                ExpectAgreement(std::to_string(c.Teams) + " teams, " + std::to_string(c.Rounds)
                    + " rounds, " + std::to_string(c.Locations) + " locations, method "
                    + std::to_string(method) + (skipByes ? ", skip byes" : ""));
            }
        }
    }
}

TEST_F(LocationReference, FairAgreesOnStoresThatDoNotMatchTheTeamsTable)
{
    // A team row deleted after pairing: the all-teams row is a team's row. A game of a team
    // against itself. A teams table longer than the store: the pass stops on a range error.
    for (int variant = 0; variant < 3; ++variant) {
        for (const bool skipByes : { false, true }) {
            BuildLeague({ 9, 12, 4 }, 77 + variant);
            if (variant == 0) {
                Data.TeamsData.SetRecNo(3);
                Data.TeamsData.Delete();
            } else if (variant == 1) {
                SetAwayTeam(4, 2, GetHomeTeam(4, 2));
            } else {
                AddTeamRows(2);
            }
            GenerateSettings.LocationType = ltFair;
            GenerateSettings.SkipByes = skipByes;
            ExpectAgreement("variant " + std::to_string(variant));
        }
    }
}
