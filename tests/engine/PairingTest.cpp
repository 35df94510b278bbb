#include "engine/Pairing.h"
#include "engine/Exceptions.h"
#include "engine/GameStore.h"

#include "engine/StoreFixture.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace {

using TRound = std::vector<std::pair<int, int>>; // (home, away) by game number

class Pairing : public StoreFixture {
protected:
    void TearDown() override
    {
        SetSharedSlotFiller(nullptr);
        StoreFixture::TearDown();
    }

    static TRound RoundAt(int round)
    {
        TRound games;
        for (int g = 1; g <= GamesPerRound; ++g)
            games.emplace_back(GetHomeTeam(round, g), GetAwayTeam(round, g));
        return games;
    }

    static TRound Exchanged(TRound games)
    {
        for (auto& game : games)
            std::swap(game.first, game.second);
        return games;
    }
};

TEST_F(Pairing, PlainSlotsPutOddTeamsFirst)
{
    SetTeams(6);
    FillSlots();
    EXPECT_EQ(std::vector<int>(Slots.begin() + 1, Slots.begin() + 7),
        (std::vector<int> { 1, 3, 5, 2, 4, 6 }));
}

TEST_F(Pairing, WorkedExamplesGameByGame)
{
    struct Case {
        int teams;
        bool byeTeam;
        int rounds;
        std::vector<TRound> expected;
    };
    const Case cases[] = {
        { 4, false, 6,
            {
                { { 1, 2 }, { 3, 4 } },
                { { 4, 1 }, { 2, 3 } },
                { { 3, 1 }, { 2, 4 } },
                { { 2, 1 }, { 4, 3 } },
                { { 1, 4 }, { 3, 2 } },
                { { 1, 3 }, { 4, 2 } },
            } },
        { 5, true, 5,
            {
                { { 1, 4 }, { 3, 2 }, { 5, 6 } },
                { { 6, 1 }, { 4, 3 }, { 2, 5 } },
                { { 3, 1 }, { 5, 4 }, { 2, 6 } },
                { { 6, 3 }, { 1, 5 }, { 4, 2 } },
                { { 5, 3 }, { 2, 1 }, { 4, 6 } },
            } },
        { 2, false, 4, { { { 1, 2 } }, { { 2, 1 } }, { { 1, 2 } }, { { 2, 1 } } } },
    };
    for (const Case& c : cases) {
        SetTeams(c.teams, c.byeTeam);
        RoundCount = c.rounds;
        PairAllRounds();
        ASSERT_EQ(StoredRounds(), static_cast<int>(c.expected.size()));
        for (int r = 1; r <= StoredRounds(); ++r)
            EXPECT_EQ(RoundAt(r), c.expected[r - 1]) << c.teams << " teams, round " << r;
    }
}

TEST_F(Pairing, LaterCyclesExchangeHomeAndAway)
{
    SetTeams(5, true);
    RoundCount = 10;
    PairAllRounds();
    EXPECT_EQ(RoundAt(6), (TRound { { 4, 1 }, { 2, 3 }, { 6, 5 } }));
    for (int r = 1; r <= 5; ++r)
        EXPECT_EQ(RoundAt(r + 5), Exchanged(RoundAt(r))) << r;
}

TEST_F(Pairing, SevenRoundsOfFourTeamsFillThreeCycles)
{
    SetTeams(4);
    RoundCount = 7;
    PairAllRounds();
    ASSERT_EQ(StoredRounds(), 9);
    EXPECT_EQ(RoundAt(7), (TRound { { 1, 2 }, { 3, 4 } }));
    EXPECT_EQ(RoundAt(9), RoundAt(3));
    EXPECT_EQ(RoundAt(10), (TRound { { 0, 0 }, { 0, 0 } }));
}

TEST_F(Pairing, EveryCycleMeetsEveryPairOnce)
{
    for (int teams : { 2, 4, 8, 20, 50, MaxTeams }) {
        SetTeams(teams);
        RoundCount = 99;
        PairAllRounds();
        const int cycle = teams - 1;
        for (int first = 1; first + cycle - 1 <= StoredRounds(); first += cycle) {
            std::set<std::pair<int, int>> met;
            for (int r = first; r < first + cycle; ++r) {
                std::set<int> playing;
                for (int g = 1; g <= GamesPerRound; ++g) {
                    const int h = GetHomeTeam(r, g);
                    const int w = GetAwayTeam(r, g);
                    playing.insert({ h, w });
                    met.insert({ std::min(h, w), std::max(h, w) });
                }
                ASSERT_EQ(static_cast<int>(playing.size()), teams) << teams << "/" << r;
                // The team in the last slot is away in odd rounds, at home in even ones.
                const int last = Slots[teams];
                const int g = FindTeamGame(r, last);
                EXPECT_EQ(GetHomeTeam(r, g) == last, r % 2 == 0) << teams << "/" << r;
            }
            ASSERT_EQ(static_cast<int>(met.size()), teams * (teams - 1) / 2) << teams;
        }
    }
}

TEST_F(Pairing, PairingClearsEverythingButTheTeams)
{
    SetTeams(4);
    RoundCount = 3;
    SetDate(2, 1, 100);
    SetTime(2, 1, 0.5);
    SetLocation(2, 2, 4);
    SetStatus(3, 2, gsDeleted);
    SetHomeClash(1, 1, true);
    PairAllRounds();
    for (int r = 1; r <= 3; ++r) {
        for (int g = 1; g <= 2; ++g) {
            const TGame& game = Games(r, g);
            EXPECT_TRUE(game.HomeTeam != 0 && game.Date == 0 && game.Time == 0 && game.Location == 0
                && game.Status == gsAuto && !game.HomeClash)
                << r << "/" << g;
        }
    }
}

TEST_F(Pairing, TheSharedMethodUsesTheInstalledSlotFiller)
{
    SetTeams(4);
    RoundCount = 3;
    // The shared order of teams 1 and 3 at one location, teams 2 and 4 alone.
    SetSharedSlotFiller([] {
        Slots[1] = 1;
        Slots[2] = 2;
        Slots[3] = 3;
        Slots[4] = 4;
    });
    GenerateSettings.LocationType = ltHome;
    PairRound(1);
    EXPECT_EQ(RoundAt(1), (TRound { { 1, 2 }, { 3, 4 } }));

    GenerateSettings.LocationType = ltShared;
    PairAllRounds();
    EXPECT_EQ(RoundAt(1), (TRound { { 1, 3 }, { 2, 4 } }));
    EXPECT_EQ(RoundAt(2), (TRound { { 4, 1 }, { 3, 2 } }));
    EXPECT_EQ(RoundAt(3), (TRound { { 2, 1 }, { 3, 4 } }));

    SetSharedSlotFiller(nullptr);
    PairRound(1);
    EXPECT_EQ(RoundAt(1), (TRound { { 1, 2 }, { 3, 4 } }));
}

TEST_F(Pairing, FewerThanTwoTeamsPairNothing)
{
    for (int teams : { 0, 1 }) {
        TeamCount = teams;
        GamesPerRound = 0;
        RoundCount = 5;
        PairAllRounds();
        PairRound(1);
        EXPECT_EQ(GetHomeTeam(1, 1), 0);
    }
}

TEST_F(Pairing, TooManyTeamsAreRefused)
{
    TeamCount = MaxTeams + 2;
    GamesPerRound = TeamCount / 2;
    RoundCount = 1;
    EXPECT_THROW(PairAllRounds(), ERangeError);
}

} // namespace
