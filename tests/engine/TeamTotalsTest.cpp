#include "engine/TeamTotals.h"
#include "engine/Exceptions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {

// Three teams in rows 1..3, the all-teams row 4, one column; a game adds to both teams and
// to row 4.
void AddGame(TTeamTotals& totals, int home, int away, int amount, int column = 1)
{
    totals.Add(home, column, amount);
    totals.Add(away, column, amount);
    totals.Add(4, column, amount);
}

bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

TEST(TeamTotals, VarianceOfTheGameExamples)
{
    TTeamTotals totals(4, 2);
    EXPECT_EQ(totals.Variance(1), 0.0);
    AddGame(totals, 1, 2, +1);
    EXPECT_EQ(totals.Variance(1), 0.75); // 1, 1, 0, 1
    AddGame(totals, 1, 2, +1);
    EXPECT_EQ(totals.Variance(1), 3.0); // 2, 2, 0, 2
    AddGame(totals, 1, 2, -1);
    AddGame(totals, 1, 3, +1);
    EXPECT_EQ(totals.Variance(1), 1.0); // 2, 1, 1, 2
    EXPECT_EQ(totals.Value(1, 1), 2);
    EXPECT_EQ(totals.Value(3, 1), 1);
    EXPECT_EQ(totals.Variance(2), 0.0);

    // A game counted and taken back leaves everything as it was.
    AddGame(totals, 2, 3, +1, 2);
    AddGame(totals, 2, 3, -1, 2);
    for (int row = 1; row <= 4; ++row)
        EXPECT_EQ(totals.Value(row, 2), 0);
    EXPECT_EQ(totals.Variance(2), 0.0);

    totals.Clear();
    EXPECT_EQ(totals.Value(1, 1), 0);
    EXPECT_EQ(totals.Variance(1), 0.0);
}

TEST(TeamTotals, OutsideTheTable)
{
    TTeamTotals totals(4, 3);
    totals.Add(4, 3, 5);
    EXPECT_EQ(totals.Value(4, 3), 5);
    EXPECT_EQ(totals.Value(5, 3), 0);
    EXPECT_EQ(totals.Value(4, 4), 0);
    EXPECT_EQ(totals.Value(0, 1), 0);
    EXPECT_EQ(totals.Value(1, 0), 0);
    EXPECT_EQ(totals.Variance(0), 0.0);
    EXPECT_EQ(totals.Variance(4), 0.0);
    for (auto [row, column] : { std::pair { 0, 1 }, { 5, 1 }, { 1, 0 }, { 1, 4 }, { -1, -1 } })
        EXPECT_THROW(totals.Add(row, column, 1), ERangeError) << row << "," << column;
    // Nothing was written anywhere.
    int sum = 0;
    for (int row = 1; row <= 4; ++row) {
        for (int column = 1; column <= 3; ++column)
            sum += totals.Value(row, column);
    }
    EXPECT_EQ(sum, 5);
    EXPECT_TRUE(SameBits(totals.Variance(3), totals.VarianceByRows(3)));

    TTeamTotals none(0, 0);
    EXPECT_EQ(none.Variance(1), 0.0);
    EXPECT_THROW(none.Add(1, 1, 1), ERangeError);
}

TEST(TeamTotals, KeptSumsMatchAWalkDownTheColumnBitForBit)
{
    // Odd row counts make the division inexact, so a difference in the sums would show.
    std::mt19937 random(20040306);
    for (int rows : { 1, 3, 7, 21 }) {
        TTeamTotals totals(rows, 4);
        std::uniform_int_distribution<int> row(1, rows);
        std::uniform_int_distribution<int> column(1, 4);
        std::uniform_int_distribution<int> amount(-3, 5);
        for (int step = 0; step < 2000; ++step) {
            totals.Add(row(random), column(random), amount(random));
            if (step % 97 == 0)
                totals.Clear();
            const int c = column(random);
            ASSERT_TRUE(SameBits(totals.Variance(c), totals.VarianceByRows(c)))
                << "rows " << rows << " step " << step << ": " << totals.Variance(c) << " vs "
                << totals.VarianceByRows(c);
        }
    }
}
