#include "engine/GameStore.h"
#include "engine/Exceptions.h"
#include "engine/Pairing.h"

#include "engine/StoreFixture.h"

#include <gtest/gtest.h>

namespace {

class GameStore : public StoreFixture { };

TEST_F(GameStore, StoredRoundsRoundsUpToWholeCycles)
{
    struct Case {
        int teams, roundCount, stored;
    };
    const Case cases[] = {
        { 6, 7, 10 },
        { 6, 0, 5 },
        { 6, 5, 5 },
        { 6, 6, 10 },
        { 6, 11, 15 },
        { 4, 5, 6 },
        { 2, 0, 0 },
        { 2, 3, 3 },
        { 1, 5, 0 },
        { 0, 5, 0 },
        { 254, 99, 253 },
    };
    for (const Case& c : cases) {
        TeamCount = c.teams;
        RoundCount = c.roundCount;
        EXPECT_EQ(StoredRounds(), c.stored) << c.teams << " teams, " << c.roundCount << " rounds";
    }
}

TEST_F(GameStore, AccessorsReadWhatTheSettersStore)
{
    SetHomeTeam(3, 2, 7);
    SetAwayTeam(3, 2, MaxTeams);
    SetDate(3, 2, 38000);
    SetTime(3, 2, 0.75);
    SetLocation(3, 2, -1);
    SetStatus(3, 2, gsCancelled);
    SetAwayClash(3, 2, true);
    EXPECT_EQ(GetHomeTeam(3, 2), 7);
    EXPECT_EQ(GetAwayTeam(3, 2), MaxTeams);
    EXPECT_EQ(GetDate(3, 2), 38000);
    EXPECT_EQ(GetTime(3, 2), 0.75);
    EXPECT_EQ(GetDateTime(3, 2), 38000.75);
    EXPECT_EQ(GetLocation(3, 2), -1);
    EXPECT_EQ(GetStatus(3, 2), gsCancelled);
    EXPECT_FALSE(GetHomeClash(3, 2));
    EXPECT_TRUE(GetAwayClash(3, 2));
    // The neighbours are untouched.
    EXPECT_EQ(GetHomeTeam(3, 1), 0);
    EXPECT_EQ(GetHomeTeam(3, 3), 0);
    EXPECT_EQ(GetHomeTeam(4, 2), 0);
}

TEST_F(GameStore, IndexesOutsideTheCapacityAreRangeErrors)
{
    // The whole capacity is usable, whatever the counts say.
    SetHomeTeam(MaxStoredRounds, MaxGamesPerRound, 1);
    EXPECT_EQ(GetHomeTeam(MaxStoredRounds, MaxGamesPerRound), 1);
    EXPECT_EQ(MaxStoredRounds, 351);
    EXPECT_EQ(MaxGamesPerRound, 127);

    EXPECT_THROW(GetHomeTeam(0, 1), ERangeError);
    EXPECT_THROW(GetHomeTeam(1, 0), ERangeError);
    EXPECT_THROW(GetDate(MaxStoredRounds + 1, 1), ERangeError);
    EXPECT_THROW(SetStatus(1, MaxGamesPerRound + 1, gsManual), ERangeError);
    EXPECT_THROW(SwapRounds(1, MaxStoredRounds + 1), ERangeError);
    GamesPerRound = 2;
    EXPECT_THROW(FindTeamGame(0, 1), ERangeError);

    EXPECT_THROW(SetHomeTeam(1, 1, MaxTeams + 1), ERangeError);
    EXPECT_THROW(SetAwayTeam(1, 1, -1), ERangeError);
    TGame game;
    InitGame(game, 1, 2);
    game.Date = 5;
    EXPECT_THROW(InitGame(game, 3, 255), ERangeError);
    EXPECT_EQ(game.HomeTeam, 1); // a refused InitGame leaves the record alone
    EXPECT_EQ(game.Date, 5);
}

TEST_F(GameStore, StatusTextAndCounting)
{
    struct Case {
        TGameStatus status;
        const char* text;
        bool counted;
    };
    const Case cases[] = {
        { gsAuto, " ", true },
        { gsManual, "M", true },
        { gsCancelled, "C", false },
        { gsDeleted, "D", false },
        { static_cast<TGameStatus>(4), " ", false },
    };
    for (const Case& c : cases) {
        SetStatus(1, 1, c.status);
        EXPECT_EQ(StatusText(1, 1), c.text) << int(c.status);
        EXPECT_EQ(IsCounted(1, 1), c.counted) << int(c.status);
    }
}

TEST_F(GameStore, ByeGamesAreRecognisedByTheTeamName)
{
    SetTeams(3, true); // team 4 is the bye team
    m_teamNames.push_back(""); // team 5: a row with an empty name
    InitGame(Games(1, 1), 4, 1);
    InitGame(Games(1, 2), 2, 4);
    InitGame(Games(1, 3), 2, 3);
    InitGame(Games(1, 4), 0, 9); // no team, no such row
    InitGame(Games(1, 5), 5, 1);
    EXPECT_TRUE(IsByeGame(1, 1));
    EXPECT_TRUE(IsByeGame(1, 2));
    EXPECT_FALSE(IsByeGame(1, 3));
    EXPECT_FALSE(IsByeGame(1, 4));
    EXPECT_FALSE(IsByeGame(1, 5));
    EXPECT_EQ(TeamName(5), " ");
    EXPECT_EQ(TeamName(6), "");

    // A name that merely contains the bye text is not the bye team.
    m_teamNames[3] = " --bye--";
    EXPECT_FALSE(IsByeGame(1, 1));
}

TEST_F(GameStore, OnlyAutoGamesAreAssignableAndByesOnlyWithoutSkipByes)
{
    SetTeams(3, true);
    for (bool skipByes : { false, true }) {
        GenerateSettings.SkipByes = skipByes;
        for (TGameStatus status : { gsAuto, gsManual, gsCancelled, gsDeleted }) {
            InitGame(Games(1, 1), 1, 2);
            InitGame(Games(1, 2), 3, 4);
            SetStatus(1, 1, status);
            SetStatus(1, 2, status);
            EXPECT_EQ(IsAssignable(1, 1), status == gsAuto);
            EXPECT_EQ(IsAssignable(1, 2), status == gsAuto && !skipByes);
        }
    }
}

TEST_F(GameStore, FindTeamGameFindsTheByeGame)
{
    SetTeams(5, true);
    RoundCount = 5;
    PairAllRounds();
    // Round 1: 1 v 4, 3 v 2, 5 v bye.
    EXPECT_EQ(FindTeamGame(1, 5), 3);
    EXPECT_EQ(FindTeamGame(1, 6), 3);
    EXPECT_EQ(FindTeamGame(1, 2), 2);
    EXPECT_EQ(FindTeamGame(1, 7), 0);
    // Games beyond GamesPerRound are not searched.
    InitGame(Games(1, 4), 7, 8);
    EXPECT_EQ(FindTeamGame(1, 7), 0);
}

TEST_F(GameStore, SwapRoundsExchangesEveryGamePosition)
{
    GamesPerRound = 1;
    InitGame(Games(2, 1), 1, 2);
    SetDate(2, 1, 100);
    InitGame(Games(2, MaxGamesPerRound), 5, 6);
    InitGame(Games(7, 1), 3, 4);
    SetStatus(7, 1, gsManual);
    SwapRounds(2, 7);
    EXPECT_EQ(GetHomeTeam(2, 1), 3);
    EXPECT_EQ(GetStatus(2, 1), gsManual);
    EXPECT_EQ(GetHomeTeam(2, MaxGamesPerRound), 0);
    EXPECT_EQ(GetHomeTeam(7, 1), 1);
    EXPECT_EQ(GetDate(7, 1), 100);
    EXPECT_EQ(GetHomeTeam(7, MaxGamesPerRound), 5);
    SwapRounds(7, 7);
    EXPECT_EQ(GetHomeTeam(7, 1), 1);
}

TEST_F(GameStore, ClearGamesClearsCountsAndTheWholeStore)
{
    TeamCount = 6;
    GamesPerRound = 3;
    RoundCount = 5;
    InitGame(Games(1, 1), 1, 2);
    SetDate(1, 1, 10);
    SetTime(4, 3, 0.5);
    SetLocation(MaxStoredRounds, MaxGamesPerRound, 3);
    SetStatus(20, 100, gsDeleted);
    SetHomeClash(2, 2, true);
    ClearGames();
    EXPECT_EQ(TeamCount, 0);
    EXPECT_EQ(GamesPerRound, 0);
    EXPECT_EQ(RoundCount, 0);
    EXPECT_EQ(StoredRounds(), 0);
    for (int r = 1; r <= MaxStoredRounds; ++r) {
        for (int g = 1; g <= MaxGamesPerRound; ++g) {
            const TGame& game = Games(r, g);
            ASSERT_TRUE(game.HomeTeam == 0 && game.AwayTeam == 0 && game.Date == 0 && game.Time == 0
                && game.Location == 0 && game.Status == gsAuto && !game.HomeClash
                && !game.AwayClash)
                << r << "/" << g;
        }
    }
}

} // namespace
