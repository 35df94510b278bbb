#include "engine/TimeAssignment.h"

#include "document/DMTable.h"
#include "engine/DatePeriod.h"
#include "engine/GameStore.h"
#include "engine/GameTime.h"
#include "engine/Pairing.h"
#include "engine/TeamTotals.h"
#include "engine/TextUtils.h"
#include "support/DocumentFixture.h"

#include "engine/TimeAssignmentReference.h"

#include <algorithm>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using Strings = std::vector<std::string>;

namespace {

TDateTime Date(int y, int m, int d)
{
    return EncodeDate(y, m, d);
}

TDateTime Time(int h, int m)
{
    return EncodeTime(h, m, 0, 0);
}

constexpr int Sunday = 1;
constexpr int Saturday = 7;
const TDateTime Sat6 = Date(2004, 3, 6); // a Saturday

class FixedClock final : public IClock {
public:
    TDateTime Now() override { return Date(2004, 1, 1); }
};

// Records, in order, the pending-events call, the cursor changes and the progress lines.
class TEventLog final : public IProgress, public IPendingEvents, public IBusyCursor {
public:
    void AddMessage(const std::string& text) override { Events.push_back("line " + text); }
    void AppendMessage(const std::string& text) override { Events.push_back("append" + text); }
    void AddWarning(const std::string& text) override { Events.push_back("warning " + text); }
    void ClearMessages() override { }
    void ProcessPendingEvents() override { Events.push_back("events"); }
    void BeginBusy() override { Events.push_back("busy"); }
    void EndBusy() override { Events.push_back("normal"); }
    Strings Events;
};

using TGameKey = std::tuple<int, int, TDateTime, TDateTime, int, int, bool, bool>;

TGameKey KeyOf(const TGame& g)
{
    return { g.HomeTeam, g.AwayTeam, g.Date, g.Time, g.Location, g.Status, g.HomeClash,
        g.AwayClash };
}

using TPairing = std::pair<int, int>;
using TRounds = std::vector<std::vector<TPairing>>;

class TimeAssignment : public DocumentFixture {
protected:
    TimeAssignment()
    {
        SetClock(&m_clock);
        ClearGames();
    }
    ~TimeAssignment() override
    {
        FreeEditPeriod();
        SetClock(nullptr);
        ClearGames();
        GenerateSettings = TGenerateSettings {};
    }

    // Teams "T1".."Tn", and the bye team after them when n is odd.
    void SetTeams(int count)
    {
        for (int t = 1; t <= count; ++t)
            AddRow(Data.TeamsData, *Data.FTeam, "T" + std::to_string(t));
        if (count % 2 != 0)
            AddRow(Data.TeamsData, *Data.FTeam, ByeTeamName);
        TeamCount = Data.TeamsData.RecordCount();
        GamesPerRound = TeamCount / 2;
    }

    void Pair(int rounds)
    {
        RoundCount = rounds;
        PairAllRounds();
    }

    // Hand-made pairings, one list of games per round.
    void SetRounds(const TRounds& rounds)
    {
        RoundCount = static_cast<int>(rounds.size());
        for (int r = 1; r <= RoundCount; ++r)
            for (int g = 1; g <= GamesPerRound; ++g)
                InitGame(Games(r, g), rounds[r - 1][g - 1].first, rounds[r - 1][g - 1].second);
    }

    void AddTimeRows(const Strings& times)
    {
        for (const std::string& time : times)
            AddRow(Data.TimesData, *Data.FTime, time);
    }

    // A calendar period over the given weekdays with the given playing times (texts, which
    // need not be in the times table) and, on each of those days, counts[j] games at time
    // index j: 0 is "Any Time", then one per time; -1 leaves a cell blank.
    void AddPeriod(TDateTime from, TDateTime to, const std::vector<int>& days, const Strings& times,
        const std::vector<int>& counts)
    {
        CreateEditPeriod();
        TPeriod& p = *EditPeriod;
        p.FromDate = from;
        p.ToDate = to;
        p.SetTimeCount(static_cast<int>(times.size()));
        for (std::size_t k = 0; k < times.size(); ++k)
            p.Times(static_cast<int>(k) + 1) = StrToTimeOrZero(times[k]);
        for (const int day : days) {
            for (std::size_t j = 0; j < counts.size(); ++j) {
                p.GameCounts(day, static_cast<int>(j)) = counts[j];
                if (counts[j] > 0)
                    p.GameDays.Include(day);
            }
        }
        Data.CalendarData.Append();
        Data.PeriodToRecord(p);
        Data.CalendarData.Post();
    }

    static void SetMoment(int round, int game, TDateTime date, TDateTime time)
    {
        SetDate(round, game, date);
        SetTime(round, game, time);
    }

    static std::vector<TGameKey> Snapshot()
    {
        std::vector<TGameKey> games;
        for (int r = 1; r <= StoredRounds(); ++r)
            for (int g = 1; g <= GamesPerRound; ++g)
                games.push_back(KeyOf(Games(r, g)));
        return games;
    }

    static std::multiset<TPairing> PairingsOf(int round)
    {
        std::multiset<TPairing> pairings;
        for (int g = 1; g <= GamesPerRound; ++g)
            pairings.insert({ GetHomeTeam(round, g), GetAwayTeam(round, g) });
        return pairings;
    }

    static bool InDateTimeOrder(int round)
    {
        for (int g = 2; g <= GamesPerRound; ++g) {
            const auto before = std::pair(GetDate(round, g - 1), GetTime(round, g - 1));
            if (std::pair(GetDate(round, g), GetTime(round, g)) < before)
                return false;
        }
        return true;
    }

    const Strings& Lines() const { return User.Recorder.Lines(); }

    TTimeSummary Summary;

private:
    FixedClock m_clock;
};

TEST_F(TimeAssignment, InOrderFillsPlacesInGameOrderAndStopsWhenTheyRunOut)
{
    // Eight teams, four games a round; two places at each time of two Saturdays: eight places
    // for twelve games. A Manual game keeps its own date but uses up a place.
    SetTeams(8);
    AddTimeRows({ "10:00", "14:00" });
    AddPeriod(Sat6, Sat6 + 7, { Saturday }, { "10:00", "14:00" }, { -1, 2, 2 });
    Pair(3);
    SetStatus(1, 2, gsManual);
    SetMoment(1, 2, Date(2004, 2, 1), 0);
    SetMoment(3, 1, Date(2004, 5, 1), Time(9, 0)); // Auto: cleared and beyond the places
    GenerateSettings.TimeType = ttInOrder;
    Summary.AssignTimes();

    const TDateTime a = Sat6 + Time(10, 0), b = Sat6 + Time(14, 0);
    const TDateTime c = Sat6 + 7 + Time(10, 0), d = Sat6 + 7 + Time(14, 0);
    const std::vector<TDateTime> expected = { a, Date(2004, 2, 1), b, b, c, c, d, d, 0, 0, 0, 0 };
    std::vector<TDateTime> moments;
    for (int r = 1; r <= 3; ++r)
        for (int g = 1; g <= 4; ++g)
            moments.push_back(GetDateTime(r, g));
    EXPECT_EQ(moments, expected);
    EXPECT_EQ(Lines(), (Strings { "Assigning times... completed." }));
    EXPECT_EQ(Summary.ClashCount(), 0);
    EXPECT_EQ(Summary.RepairPasses(), 1);
}

TEST_F(TimeAssignment, ASkippedByeUsesNoPlace)
{
    // Three teams and the bye; one place on each Saturday.
    struct Case {
        bool skipByes;
        std::vector<int> saturdays; // by round and game; 0 = no date
    };
    const Case cases[] = {
        { true, { 1, 0, 2, 0, 3, 0 } },
        { false, { 1, 2, 3, 4, 5, 6 } },
    };
    for (const Case& c : cases) {
        Data.ResetDocument();
        SetTeams(3);
        AddTimeRows({ "10:00" });
        AddPeriod(Sat6, Sat6 + 70, { Saturday }, { "10:00" }, { -1, 1 });
        // The bye's game is game 2 of every round.
        SetRounds({ { { 1, 2 }, { 3, 4 } }, { { 1, 3 }, { 2, 4 } }, { { 2, 3 }, { 1, 4 } } });
        GenerateSettings.TimeType = ttInOrder;
        GenerateSettings.SkipByes = c.skipByes;
        Summary.AssignTimes();
        std::vector<int> saturdays;
        for (int r = 1; r <= 3; ++r) {
            for (int g = 1; g <= 2; ++g) {
                const TDateTime date = GetDate(r, g);
                saturdays.push_back(date == 0 ? 0 : static_cast<int>(date - Sat6) / 7 + 1);
                EXPECT_EQ(GetTime(r, g), date == 0 ? 0 : Time(10, 0));
            }
        }
        EXPECT_EQ(saturdays, c.saturdays) << c.skipByes;
    }
}

TEST_F(TimeAssignment, ClashRulesFollowTheMomentAndTheDaysBetweenGames)
{
    // Team 1 plays game 1 of both rounds; its flag in round 1 is the game's HomeClash. The
    // other games lie far apart.
    struct Case {
        int days;
        TDateTime date1, time1, date2, time2;
        bool clash;
        TGameStatus status2 = gsAuto;
    };
    const TDateTime sun = Sat6 + 1, mon = Sat6 + 2;
    const Case cases[] = {
        { 0, Sat6, Time(10, 0), Sat6, Time(10, 0), true },
        { 0, Sat6, Time(10, 0), Sat6, Time(14, 0), false }, // same day, other time
        { 2, Sat6, Time(10, 0), sun, Time(14, 0), true }, // consecutive days
        { 2, Sat6, Time(10, 0), mon, Time(10, 0), false }, // two days apart
        { 0, Sat6, 0, Sat6, 0, false }, // no time: only the days between games count
        { 1, Sat6, 0, Sat6, Time(14, 0), true },
        { 6, 0, 0, Sat6, Time(10, 0), false }, // neither date nor time never clashes
        { 6, 0, 0, 0, 0, false },
        { 0, Sat6, Time(10, 0), Sat6, Time(10, 0), true, gsCancelled }, // status is not read
        { 0, Sat6, Time(10, 0), Sat6, Time(10, 0), true, gsDeleted },
    };
    SetTeams(4);
    for (const Case& c : cases) {
        SetRounds({ { { 1, 2 }, { 3, 4 } }, { { 1, 3 }, { 2, 4 } } });
        GenerateSettings.DaysBetweenGames = c.days;
        SetMoment(1, 1, c.date1, c.time1);
        SetMoment(2, 1, c.date2, c.time2);
        SetStatus(2, 1, c.status2);
        SetMoment(1, 2, Date(2005, 1, 1), Time(10, 0));
        SetMoment(2, 2, Date(2006, 1, 1), Time(10, 0));
        SetHomeClash(1, 2, true); // cleared: no clash
        SetAwayClash(2, 2, true); // the last round keeps its flags
        Summary.MarkClashes();
        EXPECT_EQ(GetHomeClash(1, 1), c.clash) << c.days << " " << c.date1 << " " << c.time1;
        EXPECT_FALSE(GetAwayClash(1, 1)); // team 2's next game is a year later
        EXPECT_FALSE(GetHomeClash(1, 2));
        EXPECT_TRUE(GetAwayClash(2, 2));
    }
}

TEST_F(TimeAssignment, MarkClashesFlagsEachTeamOfTheGame)
{
    SetTeams(4);
    SetRounds({ { { 1, 2 }, { 3, 4 } }, { { 1, 3 }, { 2, 4 } }, { { 4, 1 }, { 3, 2 } } });
    SetMoment(1, 1, Sat6, Time(10, 0)); // team 1 and team 2
    SetMoment(1, 2, Sat6 + 7, Time(10, 0)); // team 3 and team 4
    SetMoment(2, 1, Sat6, Time(10, 0)); // team 1 again: clash for the home team of (1, 1)
    SetMoment(2, 2, Sat6 + 7, Time(10, 0)); // team 4 again: clash for the away team of (1, 2)
    SetMoment(3, 1, Sat6 + 14, Time(10, 0));
    SetMoment(3, 2, Sat6 + 7, Time(10, 0)); // team 2, home in (2, 2), at the same moment
    Summary.MarkClashes();
    const std::vector<std::pair<bool, bool>> expected = { { true, false }, { false, true },
        { false, false }, { true, false }, { false, false }, { false, false } };
    std::vector<std::pair<bool, bool>> flags;
    for (int r = 1; r <= 3; ++r)
        for (int g = 1; g <= 2; ++g)
            flags.emplace_back(GetHomeClash(r, g), GetAwayClash(r, g));
    EXPECT_EQ(flags, expected);
}

TEST_F(TimeAssignment, ManualClearsAutoGamesAndReportsNothing)
{
    for (const bool places : { true, false }) {
        Data.ResetDocument();
        ClearGames();
        SetTeams(4);
        AddTimeRows({ "10:00" });
        if (places)
            AddPeriod(Sat6, Sat6, { Saturday }, { "10:00" }, { -1, 4 });
        Pair(3);
        for (int r = 1; r <= 3; ++r)
            for (int g = 1; g <= 2; ++g)
                SetMoment(r, g, Sat6, Time(10, 0)); // every team clashes with itself
        SetStatus(1, 1, gsManual);
        SetStatus(1, 2, gsCancelled);
        SetStatus(2, 1, gsDeleted);
        SetStatus(2, 2, gsManual);
        GenerateSettings.TimeType = ttManual;
        User.Recorder.ClearMessages();
        int shown = 0;
        Summary.OnShowProgress = [&shown] { ++shown; };
        Summary.AssignTimes();

        EXPECT_EQ(shown, 1);
        for (int r = 1; r <= 3; ++r) {
            for (int g = 1; g <= 2; ++g) {
                const bool kept = GetStatus(r, g) != gsAuto;
                EXPECT_EQ(GetDateTime(r, g), kept ? Sat6 + Time(10, 0) : 0) << r << g;
            }
        }
        EXPECT_EQ(Summary.ClashCount(), 0);
        EXPECT_EQ(Summary.RepairPasses(), 0);
        EXPECT_TRUE(User.Recorder.Warnings().empty());
        EXPECT_EQ(Lines(), places ? Strings { "Assigning times... completed." } : Strings {});
    }
}

TEST_F(TimeAssignment, NoPlacesMeansNoProgressLineForAnyMethod)
{
    SetTeams(4);
    AddTimeRows({ "10:00" });
    Pair(3);
    SetMoment(1, 1, Sat6, Time(10, 0));
    for (const TTimeType method : { ttFair, ttInOrder }) {
        GenerateSettings.TimeType = method;
        Summary.AssignTimes();
        EXPECT_EQ(GetDateTime(1, 1), 0);
        EXPECT_TRUE(Lines().empty());
    }
}

TEST_F(TimeAssignment, ThePassRunsUnderTheBusyCursorAfterPendingEvents)
{
    SetTeams(4);
    SetRounds({ { { 1, 2 }, { 3, 4 } }, { { 1, 3 }, { 2, 4 } } });
    AddTimeRows({ "10:00" });
    // Every game at one moment: both teams of each round-1 game clash, and no exchange helps.
    AddPeriod(Sat6, Sat6, { Saturday }, { "10:00" }, { -1, 4 });
    GenerateSettings.TimeType = ttInOrder;
    TEventLog log;
    SetProgress(&log);
    SetPendingEvents(&log);
    SetBusyCursor(&log);
    Summary.OnShowProgress = [&log] { log.Events.push_back("show"); };
    Summary.AssignTimes();
    SetProgress(nullptr);
    SetPendingEvents(nullptr);
    SetBusyCursor(nullptr);
    EXPECT_EQ(log.Events,
        (Strings { "show", "events", "busy", "line Assigning times...", "normal",
            "append completed.", "warning 4 time clashes were detected." }));
}

TEST_F(TimeAssignment, OnePassRepairsAClashByMovingThePairingForward)
{
    // Six teams, five playing times on one Saturday, two places at 14:00: game 3 of round 1
    // and game 1 of round 2 share 14:00, and team 3 plays in both.
    SetTeams(6);
    const Strings times = { "10:00", "12:00", "14:00", "16:00", "18:00" };
    AddTimeRows(times);
    AddPeriod(Sat6, Sat6, { Saturday }, times, { -1, 1, 1, 2, 1, 1 });
    SetRounds({ { { 5, 6 }, { 1, 2 }, { 3, 4 } }, { { 1, 3 }, { 2, 5 }, { 4, 6 } } });
    SetLocation(1, 1, 11);
    SetLocation(1, 3, 13);
    GenerateSettings.TimeType = ttInOrder;
    Summary.AssignTimes();

    EXPECT_EQ(Summary.RepairPasses(), 1);
    EXPECT_EQ(Summary.ClashCount(), 0);
    EXPECT_TRUE(User.Recorder.Warnings().empty());
    // The pairings and locations of games 1 and 3 changed places; dates and times stayed.
    EXPECT_EQ(KeyOf(Games(1, 1)), TGameKey(3, 4, Sat6, Time(10, 0), 13, gsAuto, false, false));
    EXPECT_EQ(KeyOf(Games(1, 3)), TGameKey(5, 6, Sat6, Time(14, 0), 11, gsAuto, false, false));
}

TEST_F(TimeAssignment, AClashThatComesBackThreeTimesEndsTheRepair)
{
    // Four teams: whichever round-1 pairing lies at the shared 14:00, one of its teams plays
    // at 14:00 in round 2 too. Each pass exchanges the pairings, so the last pass decides.
    SetTeams(4);
    const Strings times = { "10:00", "14:00", "16:00" };
    AddTimeRows(times);
    AddPeriod(Sat6, Sat6, { Saturday }, times, { -1, 1, 2, 1 });
    SetRounds({ { { 1, 2 }, { 3, 4 } }, { { 1, 3 }, { 2, 4 } } });
    GenerateSettings.TimeType = ttInOrder;
    Summary.AssignTimes();

    EXPECT_EQ(Summary.RepairPasses(), 4);
    EXPECT_EQ(Summary.ClashCount(), 1);
    EXPECT_EQ(User.Recorder.Warnings(), (Strings { "1 time clash was detected." }));
    EXPECT_EQ(PairingsOf(1), (std::multiset<TPairing> { { 1, 2 }, { 3, 4 } }));
    EXPECT_EQ(GetHomeTeam(1, 1), 1);
}

TEST_F(TimeAssignment, TheRepairStopsAtZeroAtTheThirdReturnOfTheBestOrAfter101Passes)
{
    // Six teams, every game Manual so that the repair moves nothing: after each pass the
    // test puts as many round-1 games on their team's round-2 moment as the script asks.
    struct Case {
        std::function<int(int)> clashes; // by pass number
        int passes;
        Strings warnings;
    };
    const auto script = [](std::vector<int> counts) {
        return
            [counts](int pass) { return counts[std::min<std::size_t>(pass, counts.size()) - 1]; };
    };
    const Case cases[] = {
        { script({ 0 }), 1, {} },
        { script({ 2, 2, 2, 2 }), 4, { "2 time clashes were detected." } },
        { script({ 2, 3, 2, 3, 2, 3, 2 }), 7, { "2 time clashes were detected." } },
        { script({ 3, 2, 1, 1, 1, 1 }), 6, { "1 time clash was detected." } },
        { [](int pass) { return pass == 1 ? 1 : 2 + pass % 2; }, 101,
            { "3 time clashes were detected." } },
    };
    SetTeams(6);
    AddTimeRows({ "10:00" });
    AddPeriod(Sat6, Sat6, { Saturday }, { "10:00" }, { -1, 6 });
    GenerateSettings.TimeType = ttInOrder;
    // Round 2's games at X, Y, Z; round 1's game g meets its team's round-2 moment at
    // match[g] (team 1 at X, team 3 at X, team 5 at Y), or lies apart on its own Sunday.
    const TDateTime match[] = { 0, Sat6 + Time(10, 0), Sat6 + Time(10, 0), Sat6 + Time(11, 0) };
    for (const Case& c : cases) {
        User.Recorder.ClearMessages();
        const auto before = User.Recorder.Warnings().size();
        SetRounds({ { { 1, 2 }, { 3, 4 }, { 5, 6 } }, { { 1, 3 }, { 2, 5 }, { 4, 6 } } });
        for (int r = 1; r <= 2; ++r)
            for (int g = 1; g <= 3; ++g)
                SetStatus(r, g, gsManual);
        SetMoment(2, 1, Sat6, Time(10, 0));
        SetMoment(2, 2, Sat6, Time(11, 0));
        SetMoment(2, 3, Sat6, Time(12, 0));
        Summary.AfterRepairPass = [&](int pass) {
            const int count = c.clashes(pass);
            for (int g = 1; g <= 3; ++g) {
                const TDateTime moment = g <= count ? match[g] : Sat6 + g + Time(10, 0);
                SetMoment(1, g, DateOf(moment), moment - DateOf(moment));
            }
        };
        Summary.AssignTimes();
        EXPECT_EQ(Summary.RepairPasses(), c.passes);
        const Strings warnings(
            User.Recorder.Warnings().begin() + before, User.Recorder.Warnings().end());
        EXPECT_EQ(warnings, c.warnings) << c.passes;
    }
}

TEST_F(TimeAssignment, FairLeavesEveryRoundInDateThenTimeOrderWithItsOwnPairings)
{
    // Ten teams, five games a Saturday at three times: each round on its own Saturday.
    SetTeams(10);
    const Strings times = { "10:00", "12:00", "14:00" };
    AddTimeRows(times);
    AddPeriod(Sat6, Sat6 + 7 * 20, { Saturday }, times, { -1, 2, 2, 1 });
    Pair(9);
    std::vector<std::multiset<TPairing>> pairings(10);
    for (int r = 1; r <= 9; ++r)
        pairings[r] = PairingsOf(r);
    TMemDataSet& schedule = Data.ScheduleData;
    schedule.SetOrderBy("HomeTeam");
    GenerateSettings.TimeType = ttFair;
    Summary.AssignTimes();

    for (int r = 1; r <= 9; ++r) {
        EXPECT_TRUE(InDateTimeOrder(r)) << r;
        EXPECT_EQ(PairingsOf(r), pairings[r]) << r;
        for (int g = 1; g <= 5; ++g)
            EXPECT_EQ(GetDate(r, g), Sat6 + 7 * (r - 1));
    }
    EXPECT_EQ(Lines(), (Strings { "Assigning times... completed." }));
    EXPECT_EQ(schedule.OrderBy(), "HomeTeam");
    const Strings orders = schedule.IndexNames();
    EXPECT_NE(
        std::find(orders.begin(), orders.end(), "@ORDERBY_RoundNo_Date_IntTime"), orders.end());
    EXPECT_EQ(schedule.RecordCount(), 45);
}

TEST_F(TimeAssignment, FairReordersAFilteredTableWithoutLosingGames)
{
    SetTeams(6);
    const Strings times = { "10:00", "12:00" };
    AddTimeRows(times);
    AddPeriod(Sat6, Sat6 + 7 * 10, { Saturday }, times, { -1, 1, 2 });
    Pair(5);
    std::vector<std::multiset<TPairing>> pairings(6);
    for (int r = 1; r <= 5; ++r)
        pairings[r] = PairingsOf(r);
    Data.ScheduleFilterTest = [this](TMemDataSet&) { return Data.SchedRoundNo->AsInteger() == 2; };
    Data.ScheduleData.SetFiltered(true);
    GenerateSettings.TimeType = ttFair;
    Summary.AssignTimes();

    for (int r = 1; r <= 5; ++r) {
        EXPECT_TRUE(InDateTimeOrder(r)) << r;
        EXPECT_EQ(PairingsOf(r), pairings[r]) << r;
    }
    EXPECT_TRUE(Data.ScheduleData.Filtered());
    EXPECT_EQ(Data.ScheduleData.RecordCount(), 3);
    Data.ScheduleData.SetFiltered(false);
    Data.ScheduleFilterTest = nullptr;
}

TEST_F(TimeAssignment, CountTimesCountsEveryDatedGameInTheColumnOfItsTime)
{
    // Times 10:00, a blank row and 14:00: T = 3 and "Any Time" is column 4; the blank row
    // matches nothing, and 16:00 is no playing time.
    SetTeams(3);
    AddTimeRows({ "10:00", "", "14:00" });
    SetRounds({ { { 1, 2 }, { 3, 4 } }, { { 1, 3 }, { 2, 4 } }, { { 2, 3 }, { 1, 4 } } });
    SetMoment(1, 1, Sat6, Time(10, 0));
    SetMoment(1, 2, Sat6, 0); // bye, any time
    SetMoment(2, 1, Sat6 + 7, Time(14, 0));
    SetStatus(2, 1, gsCancelled);
    SetMoment(2, 2, Sat6 + 7, Time(16, 0)); // left out
    SetMoment(3, 1, 0, Time(10, 0)); // no date: not counted
    SetMoment(3, 2, Sat6 + 14, Time(10, 0));
    SetStatus(3, 2, gsDeleted);

    Summary.LoadTimes();
    EXPECT_EQ(Summary.TimeCount(), 3);
    EXPECT_EQ(Summary.TimeIndex(0), 4);
    EXPECT_EQ(Summary.TimeIndex(Time(14, 0)), 3);
    EXPECT_EQ(Summary.TimeIndex(Time(16, 0)), 0);

    TTeamTotals totals(TeamCount + 1, 4);
    totals.Add(1, 2, 7); // cleared first
    Summary.SetTotals(&totals);
    Summary.CountTimes(RoundCount);
    Summary.SetTotals(nullptr);
    const std::vector<std::vector<int>> expected = {
        { 2, 0, 1, 0 }, // T1: (1, 1) and (3, 2) at 10:00, (2, 1) at 14:00
        { 1, 0, 0, 0 }, // T2: (1, 1)
        { 0, 0, 1, 1 }, // T3: (2, 1) at 14:00, (1, 2) at any time
        { 1, 0, 0, 1 }, // the bye team: (3, 2) and (1, 2)
        { 2, 0, 1, 1 }, // all teams
    };
    for (int row = 1; row <= 5; ++row)
        for (int column = 1; column <= 4; ++column)
            EXPECT_EQ(totals.Value(row, column), expected[row - 1][column - 1])
                << row << "," << column;
}

TEST_F(TimeAssignment, AHundredPlayingTimesHaveTheirColumns)
{
    Strings times;
    for (int k = 1; k <= 100; ++k)
        times.push_back(TimeToText(Time(k / 6, (k % 6) * 10)));
    AddTimeRows(times);
    std::vector<int> counts(101, 1);
    counts[0] = -1;
    AddPeriod(Sat6, Sat6, { Saturday }, times, counts);
    SetTeams(4);
    Pair(3);
    GenerateSettings.TimeType = ttFair;
    Summary.AssignTimes();
    Summary.LoadTimes();
    EXPECT_EQ(Summary.TimeCount(), 100);
    EXPECT_EQ(Summary.TimeIndex(StrToTimeOrZero(times[99])), 100);
    EXPECT_EQ(Summary.TimeIndex(0), 101);
    for (int r = 1; r <= 3; ++r)
        for (int g = 1; g <= 2; ++g)
            EXPECT_EQ(GetDate(r, g), Sat6);
}

TEST_F(TimeAssignment, FairRunsPastGamesAtATimeThatIsNoLongerAPlayingTime)
{
    // The calendar still has 16:00, the times table does not. A Manual game at 16:00 is
    // counted nowhere; the Auto games at 16:00 find no column and stay in the pool.
    SetTeams(4);
    AddTimeRows({ "10:00" });
    AddPeriod(Sat6, Sat6 + 14, { Saturday }, { "10:00", "16:00" }, { -1, 1, 1 });
    Pair(3);
    SetStatus(2, 2, gsManual);
    SetMoment(2, 2, Sat6 + 7, Time(16, 0));
    GenerateSettings.TimeType = ttFair;
    EXPECT_NO_THROW(Summary.AssignTimes());
    EXPECT_EQ(GetDateTime(2, 2), Sat6 + 7 + Time(16, 0));
    // Round 1 in date order: the game left without a date comes first.
    EXPECT_EQ(GetDateTime(1, 1), 0);
    EXPECT_EQ(GetDateTime(1, 2), Sat6 + Time(10, 0));
    EXPECT_EQ(Lines(), (Strings { "Assigning times... completed." }));
}

// Leagues of every shape against the plain form: every method, with and without Skip byes and
// days between games, hand-changed games with and without dates, calendars with "Any Time"
// cells, times that are no playing times, and too few places.
TEST_F(TimeAssignment, AgreesWithThePlainFormOnVariedLeagues)
{
    struct League {
        int teams;
        int rounds;
        TTimeType method;
        bool skipByes;
        int days;
    };
    const League leagues[] = {
        { 4, 3, ttFair, false, 0 },
        { 4, 6, ttInOrder, false, 2 },
        { 5, 10, ttFair, true, 1 },
        { 5, 5, ttInOrder, true, 3 },
        { 6, 10, ttFair, false, 2 },
        { 7, 7, ttManual, true, 2 },
        { 8, 14, ttFair, true, 0 },
        { 9, 9, ttInOrder, false, 6 },
        { 10, 18, ttFair, false, 3 },
        { 13, 13, ttFair, true, 2 },
        { 16, 15, ttInOrder, false, 1 },
        { 20, 38, ttFair, false, 2 },
        { 21, 21, ttFair, false, 4 },
        { 31, 31, ttInOrder, true, 2 },
        { 40, 20, ttFair, true, 0 },
        { 60, 59, ttFair, false, 2 },
        { 59, 40, ttInOrder, true, 5 },
        { 12, 30, ttFair, true, 6 },
    };
    const Strings timePool = { "09:00", "10:30", "13:00", "15:00", "17:30" };
    std::mt19937 random(20040306);
    auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };

    // Both forms must find the table's date order kept by insertion, not built by a sort.
    Data.ScheduleData.SetOrderBy("RoundNo;Date;IntTime");
    Data.ScheduleData.SetOrderBy("");

    for (const League& league : leagues) {
        SCOPED_TRACE(std::to_string(league.teams) + " teams, " + std::to_string(league.rounds)
            + " rounds, method " + std::to_string(league.method));
        Data.ResetDocument();
        ClearGames();
        SetTeams(league.teams);
        Strings times;
        for (const std::string& time : timePool)
            if (pick(0, 2) != 0 || times.empty())
                times.push_back(time);
        AddTimeRows(times);
        if (pick(0, 3) == 0)
            times.push_back("19:00"); // in the calendar only
        const int weeks = pick(league.rounds / 3 + 1, league.rounds + 2);
        std::vector<int> days;
        for (int d = 1; d <= 7; ++d)
            if (pick(0, 3) == 0)
                days.push_back(d);
        if (days.empty())
            days.push_back(Saturday);
        std::vector<int> counts(times.size() + 1);
        for (int& count : counts)
            count = pick(-1, 1 + GamesPerRound / 3);
        AddPeriod(Sat6, Sat6 + 7 * weeks, days, times, counts);
        if (pick(0, 2) == 0)
            AddPeriod(Sat6 + 3, Sat6 + 3 + 7 * weeks, { Sunday }, times, counts);

        GenerateSettings.TimeType = league.method;
        GenerateSettings.SkipByes = league.skipByes;
        GenerateSettings.DaysBetweenGames = league.days;
        Pair(league.rounds);
        for (int r = 1; r <= RoundCount; ++r) {
            for (int g = 1; g <= GamesPerRound; ++g) {
                SetLocation(r, g, pick(1, 5));
                const int roll = pick(0, 99);
                if (roll < 12) {
                    SetStatus(r, g, roll < 6 ? gsManual : roll < 9 ? gsCancelled : gsDeleted);
                    if (roll % 3 != 0)
                        SetMoment(r, g, Sat6 + pick(0, 7 * weeks),
                            roll % 3 == 1 ? StrToTimeOrZero(
                                times[pick(0, static_cast<int>(times.size()) - 1)])
                                          : 0);
                } else if (roll < 20) {
                    SetMoment(r, g, Sat6 + pick(0, 30), Time(10, 30)); // Auto: cleared
                }
            }
        }
        const auto start = Snapshot();
        std::vector<TGame> saved;
        for (int r = 1; r <= StoredRounds(); ++r)
            for (int g = 1; g <= GamesPerRound; ++g)
                saved.push_back(Games(r, g));

        TReferenceTimeSummary reference;
        reference.AssignTimes();
        reference.MarkClashes();
        const auto expected = Snapshot();
        const Strings expectedLines = Lines();

        std::size_t k = 0;
        for (int r = 1; r <= StoredRounds(); ++r)
            for (int g = 1; g <= GamesPerRound; ++g)
                Games(r, g) = saved[k++];
        ASSERT_EQ(Snapshot(), start);
        User.Recorder.ClearMessages();
        Summary.AssignTimes();
        Summary.MarkClashes();

        EXPECT_EQ(Snapshot(), expected);
        EXPECT_EQ(Lines(), expectedLines);
        EXPECT_EQ(Summary.ClashCount(), reference.ClashCount);
        EXPECT_EQ(Summary.RepairPasses(), reference.RepairPasses);
        User.Recorder.ClearMessages();
    }
}

} // namespace
