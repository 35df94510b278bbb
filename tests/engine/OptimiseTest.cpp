#include "engine/Optimise.h"
#include "engine/GameStore.h"
#include "engine/Pairing.h"
#include "engine/Platform.h"

#include "engine/OptimiseReference.h"
#include "engine/StoreFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

using TRound = std::vector<std::tuple<int, int, int>>; // (home, away, status) by game number

class TRecordedProgress final : public IProgress {
public:
    void AddMessage(const std::string& text) override { Lines.push_back(text); }
    void AppendMessage(const std::string& text) override { Lines.back() += text; }
    void AddWarning(const std::string& text) override { Lines.push_back("Warning - " + text); }
    void ClearMessages() override { Lines.clear(); }
    std::vector<std::string> Lines;
};

class Optimise : public StoreFixture {
protected:
    void TearDown() override
    {
        SetProgress(nullptr);
        StoreFixture::TearDown();
    }

    static TRound RoundAt(int round)
    {
        TRound games;
        for (int g = 1; g <= GamesPerRound; ++g)
            games.emplace_back(GetHomeTeam(round, g), GetAwayTeam(round, g), GetStatus(round, g));
        return games;
    }

    // Rounds 1..StoredRounds; index 0 unused.
    static std::vector<TRound> Snapshot()
    {
        std::vector<TRound> rounds(1);
        for (int r = 1; r <= StoredRounds(); ++r)
            rounds.push_back(RoundAt(r));
        return rounds;
    }

    // Position i of the store holds the snapshot's round order[(i - 1) mod C + 1] + C x cycle.
    static void ExpectOrder(const std::vector<TRound>& before, const std::vector<int>& order)
    {
        const int cycle = TeamCount - 1;
        for (int i = 1; i <= StoredRounds(); ++i) {
            const int wanted = order[(i - 1) % cycle + 1] + cycle * ((i - 1) / cycle);
            ASSERT_EQ(RoundAt(i), before[wanted]) << "position " << i;
        }
    }

    static std::vector<int> Identity()
    {
        std::vector<int> order(TeamCount);
        for (int k = 0; k < TeamCount; ++k)
            order[k] = k;
        return order;
    }

    // Four teams in hand-made rounds of two games each.
    void SetRounds(const std::vector<std::vector<std::pair<int, int>>>& rounds)
    {
        SetTeams(4);
        RoundCount = static_cast<int>(rounds.size());
        for (int r = 1; r <= RoundCount; ++r)
            for (int g = 1; g <= 2; ++g)
                InitGame(Games(r, g), rounds[r - 1][g - 1].first, rounds[r - 1][g - 1].second);
    }

    TfrmOptimise m_optimise;
};

TEST_F(Optimise, WritesTheProgressLine)
{
    TRecordedProgress progress;
    SetProgress(&progress);
    SetTeams(6);
    RoundCount = 10;
    PairAllRounds();
    m_optimise.Optimise();
    EXPECT_EQ(progress.Lines, std::vector<std::string> { "Optimising streaks... completed." });
}

TEST_F(Optimise, TwoTeamsKeepThePairingOrder)
{
    SetTeams(2);
    RoundCount = 5;
    PairAllRounds();
    const auto before = Snapshot();
    m_optimise.Optimise();
    ExpectOrder(before, Identity());
    EXPECT_EQ(m_optimise.Evaluations(), 1);
    EXPECT_EQ(m_optimise.BestTotal(), 0); // 1 v 2 and 2 v 1 alternate
}

TEST_F(Optimise, APairingWithoutStreaksIsLeftAlone)
{
    SetTeams(4);
    RoundCount = 3; // H A A, A H H, H A H, A H A
    PairAllRounds();
    const auto before = Snapshot();
    m_optimise.Optimise();
    ExpectOrder(before, Identity());
    EXPECT_EQ(m_optimise.Evaluations(), 1);
    EXPECT_EQ(m_optimise.BestTotal(), 0);
    EXPECT_EQ(m_optimise.BestSpread(), 0);
}

TEST_F(Optimise, AcceptedSwapsOfTwoAndThreeThenOneAndTwoGiveOrderThreeOneTwo)
{
    // Streak totals (spreads) by order: 1,2,3: 4 (0.5); 1,3,2: 3 (0.1875); 2,1,3: 5; 2,3,1: 8;
    // 3,1,2: 2 (0.25); 3,2,1: 6. The first sweep takes 1,3,2; the second exchanges positions 1
    // and 2 and takes 3,1,2 for its lower total although its spread is larger.
    SetRounds({
        { { 1, 4 }, { 2, 3 } },
        { { 3, 1 }, { 4, 2 } },
        { { 1, 3 }, { 4, 2 } },
        { { 1, 2 }, { 3, 4 } },
        { { 1, 3 }, { 2, 4 } },
        { { 1, 4 }, { 2, 3 } },
    });
    const auto before = Snapshot();
    m_optimise.Optimise();
    ExpectOrder(before, { 0, 3, 1, 2 });
    EXPECT_EQ(RoundAt(1), before[3]);
    EXPECT_EQ(RoundAt(2), before[1]);
    EXPECT_EQ(RoundAt(3), before[2]);
    EXPECT_EQ(RoundAt(4), before[6]);
    EXPECT_EQ(m_optimise.BestTotal(), 2);
    EXPECT_EQ(m_optimise.BestSpread(), 0.25);
}

TEST_F(Optimise, EqualTotalsNeedAStrictlySmallerSpread)
{
    // Every order has 4 streak games. 1,3,2 and 2,3,1 have spread 1.0, the others 1.5: the
    // first is taken, the second (no better) is not, and the search ends.
    SetRounds({
        { { 1, 4 }, { 3, 2 } },
        { { 3, 1 }, { 4, 2 } },
        { { 4, 3 }, { 1, 2 } },
        { { 1, 4 }, { 3, 2 } },
        { { 3, 2 }, { 4, 1 } },
        { { 3, 1 }, { 2, 4 } },
    });
    const auto before = Snapshot();
    m_optimise.Optimise();
    ExpectOrder(before, { 0, 1, 3, 2 });
    EXPECT_EQ(m_optimise.BestTotal(), 4);
    EXPECT_EQ(m_optimise.BestSpread(), 1.0);
}

TEST_F(Optimise, StreaksCountOverWholeCyclesWhenTheRoundsAreNot)
{
    // Seven rounds of six teams: ten are stored and all ten are counted, so the order is the
    // same as for ten rounds, and rounds that it places at positions 8 to 10 leave the schedule.
    SetTeams(6);
    RoundCount = 10;
    PairAllRounds();
    const auto before = Snapshot();
    m_optimise.Optimise();
    const auto afterTen = Snapshot();

    ClearGames();
    SetTeams(6);
    RoundCount = 7;
    PairAllRounds();
    const TReferenceResult reference = ReferenceOptimise();
    m_optimise.Optimise();
    ASSERT_EQ(StoredRounds(), 10);
    EXPECT_EQ(Snapshot(), afterTen);
    ExpectOrder(before, reference.BestOrder);
    EXPECT_NE(reference.BestOrder, Identity());
}

// The optimiser must choose exactly the order of the step-by-step reference, with the same
// total, spread and number of evaluations, whichever way it evaluates.
TEST_F(Optimise, AgreesWithTheReference)
{
    struct Case {
        int teams;
        bool byeTeam;
        int rounds;
        bool damaged; // some games Manual, Cancelled or Deleted
    };
    const Case cases[] = {
        { 3, true, 3, false },
        { 4, false, 4, false },
        { 4, false, 99, true },
        { 5, true, 5, false },
        { 6, false, 7, true },
        { 7, true, 10, false },
        { 9, true, 8, true },
        { 10, false, 18, false },
        { 13, true, 30, false },
        { 13, true, 30, true },
        { 16, false, 45, false },
        { 20, false, 38, false },
        { 21, true, 50, true },
        { 33, true, 99, false },
        { 40, false, 99, false },
        { 50, false, 98, false },
        { 60, false, 99, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
            << c.teams << " teams" << (c.byeTeam ? " and a bye" : "") << ", " << c.rounds
            << " rounds" << (c.damaged ? ", damaged" : ""));
        ClearGames();
        SetTeams(c.teams, c.byeTeam);
        RoundCount = c.rounds;
        PairAllRounds();
        if (c.damaged) {
            int k = 0;
            for (int r = 1; r <= StoredRounds(); ++r) {
                for (int g = 1; g <= GamesPerRound; ++g, ++k) {
                    if (k % 11 == 3)
                        SetStatus(r, g, gsCancelled);
                    else if (k % 17 == 5)
                        SetStatus(r, g, gsDeleted);
                    else if (k % 13 == 7)
                        SetStatus(r, g, gsManual);
                }
            }
        }
        const auto before = Snapshot();
        const TReferenceResult reference = ReferenceOptimise();
        m_optimise.Optimise();
        ExpectOrder(before, reference.BestOrder);
        EXPECT_EQ(m_optimise.BestTotal(), reference.BestTotal);
        EXPECT_EQ(m_optimise.BestSpread(), reference.BestSpread);
        EXPECT_EQ(m_optimise.Evaluations(), reference.Evaluations);
    }
}

} // namespace
