#include "engine/GameCounter.h"
#include "engine/GameStore.h"
#include "engine/Pairing.h"

#include "engine/StoreFixture.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using TPositions = std::vector<std::pair<int, int>>;

class GameCounter : public StoreFixture {
protected:
    static TPositions Visit(bool skipByes, bool autoOnly)
    {
        TGameCounter counter;
        counter.SkipByes = skipByes;
        counter.AutoOnly = autoOnly;
        TPositions visited;
        for (bool eof = counter.First(); !eof; eof = counter.Next()) {
            visited.emplace_back(counter.Round(), counter.Game());
            EXPECT_FALSE(counter.Eof());
        }
        EXPECT_TRUE(counter.Eof());
        EXPECT_TRUE(counter.Next()); // stays at the end
        return visited;
    }
};

TEST_F(GameCounter, ANewCounterHasNoPositionAndNoFlags)
{
    const TGameCounter counter;
    EXPECT_EQ(counter.Round(), 0);
    EXPECT_EQ(counter.Game(), 0);
    EXPECT_FALSE(counter.SkipByes);
    EXPECT_FALSE(counter.AutoOnly);
}

TEST_F(GameCounter, VisitsRoundsOfTheScheduleInOrder)
{
    SetTeams(4);
    RoundCount = 2; // StoredRounds is 3; the third round is not part of the schedule
    PairAllRounds();
    EXPECT_EQ(Visit(false, false), (TPositions { { 1, 1 }, { 1, 2 }, { 2, 1 }, { 2, 2 } }));
}

TEST_F(GameCounter, SkipByesPassesOverEveryByeGame)
{
    SetTeams(5, true);
    RoundCount = 7;
    PairAllRounds();
    EXPECT_EQ(Visit(false, false).size(), 7u * 3);
    const TPositions visited = Visit(true, false);
    EXPECT_EQ(visited.size(), 7u * 2);
    for (const auto& [round, game] : visited)
        EXPECT_FALSE(IsByeGame(round, game)) << round << "/" << game;
}

TEST_F(GameCounter, AutoOnlyPassesOverHandChangedGames)
{
    SetTeams(4);
    RoundCount = 2;
    PairAllRounds();
    SetStatus(1, 1, gsManual);
    SetStatus(1, 2, gsCancelled);
    SetStatus(2, 2, gsDeleted);
    EXPECT_EQ(Visit(false, true), (TPositions { { 2, 1 } }));
    EXPECT_EQ(Visit(false, false).size(), 4u);
}

TEST_F(GameCounter, TheEndIsReachedWhenTheLastGamesAreNotVisited)
{
    SetTeams(3, true);
    RoundCount = 3;
    PairAllRounds();
    SetStatus(3, 2, gsManual); // the last game
    TGameCounter counter;
    counter.AutoOnly = true;
    ASSERT_FALSE(counter.First());
    while (!(counter.Round() == 3 && counter.Game() == 1))
        ASSERT_FALSE(counter.Next());
    EXPECT_TRUE(counter.Next());

    // Nothing to visit at all.
    for (int r = 1; r <= 3; ++r)
        for (int g = 1; g <= 2; ++g)
            SetStatus(r, g, gsDeleted);
    EXPECT_TRUE(counter.First());
    RoundCount = 0;
    EXPECT_TRUE(TGameCounter().First());
}

} // namespace
