#include "MemDataSetTestSupport.h"

#include "engine/Platform.h"

#include <gtest/gtest.h>

namespace {

using TStrings = std::vector<std::string>;

// Games 1..5 with the teams B, A, B, C, B.
std::unique_ptr<TMemDataSet> GamesTable()
{
    auto table = OpenTable({ "GameNo;3;0;0", "Team;1;10;0" });
    const char* teams[] = { "B", "A", "B", "C", "B" };
    for (int game = 1; game <= 5; ++game)
        AppendRow(*table, { { "GameNo", game }, { "Team", std::string(teams[game - 1]) } });
    return table;
}

int Game(TMemDataSet& table)
{
    return table.FieldByName("GameNo").AsInteger();
}

class TFakePrompt : public IPrompt {
public:
    TStrings Errors;
    bool WarningOkCancel(const std::string&) override { return true; }
    void ErrorBox(const std::string& text) override { Errors.push_back(text); }
    void WarningOk(const std::string&, int) override { }
};

} // namespace

TEST(MemDataSetSearch, LocateMissStaysWithoutAfterScroll)
{
    auto table = GamesTable();
    table->SetRecNo(2);
    TEventLog log;
    log.Wire(*table);
    EXPECT_FALSE(table->Locate("Team", std::string("Z")));
    EXPECT_EQ(log.Take(), (TStrings { "BeforeScroll" }));
    EXPECT_EQ(table->RecNo(), 2);

    EXPECT_TRUE(table->Locate("Team", std::string("C")));
    EXPECT_EQ(log.Take(), (TStrings { "BeforeScroll", "AfterScroll" }));
    EXPECT_EQ(Game(*table), 4);
    EXPECT_THROW(table->Locate("Nope", 1), EDatabaseError);
}

TEST(MemDataSetSearch, LocateFindsTheFirstMatchOfTheRuleThatApplies)
{
    auto table = GamesTable();
    // No fitting order: the first match in view order.
    table->SetOrderBy("GameNo");
    ASSERT_TRUE(table->Locate("Team", std::string("B")));
    EXPECT_EQ(Game(*table), 1);
    table->SetOrderBy("");

    // The view's order leads with the key: binary search, then back to the first equal.
    table->SetOrderBy("Team;GameNo");
    ASSERT_TRUE(table->Locate("Team", std::string("B")));
    EXPECT_EQ(table->RecNo(), 2);
    EXPECT_EQ(Game(*table), 1);
    ASSERT_TRUE(table->Locate("Team;GameNo", std::vector<TVariant> { std::string("B"), 5 }));
    EXPECT_EQ(table->RecNo(), 4);
    table->SetOrderBy("");

    // Another order over exactly the key: its first equal record, wherever the view has it.
    // The order's creation sort put the natural B1, B3, B5 as B5, B3, B1.
    table->AddIndex("ByTeam", "Team");
    ASSERT_TRUE(table->Locate("Team", std::string("B")));
    EXPECT_EQ(Game(*table), 5);
    EXPECT_EQ(table->RecNo(), 5);
}

TEST(MemDataSetSearch, LocateOptionsAndAutomaticOrder)
{
    auto table = GamesTable();
    table->First();
    table->Edit();
    table->FieldByName("Team").SetAsString("Banana");
    table->Post();
    EXPECT_TRUE(table->Locate("Team", std::string("Ban"), loPartialKey));
    EXPECT_EQ(Game(*table), 1);
    EXPECT_FALSE(table->Locate("Team", std::string("banana")));
    EXPECT_TRUE(table->Locate("Team", std::string("banana"), loCaseInsensitive));

    table->Options |= moAddIndexOnLocate;
    EXPECT_TRUE(table->Locate("Team;GameNo", std::vector<TVariant> { std::string("C"), 4 }));
    EXPECT_EQ(table->IndexNames(), (TStrings { "@ORDERBY_Team;GameNo" }));
    EXPECT_EQ(table->IndexName(), ""); // created, not selected
}

TEST(MemDataSetSearch, LookupReadsWithoutMoving)
{
    auto table = GamesTable();
    table->SetRecNo(3);
    TEventLog log;
    log.Wire(*table);
    EXPECT_EQ(std::get<std::string>(table->Lookup("GameNo", 4, "Team")), "C");
    EXPECT_TRUE(VarIsNull(table->Lookup("GameNo", 9, "Team")));
    EXPECT_TRUE(log.Take().empty());
    EXPECT_EQ(table->RecNo(), 3);
    EXPECT_THROW(table->Lookup("GameNo", 4, "Nope"), EDatabaseError);
}

class MemDataSetFilter : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetPrompt(&m_prompt);
        table = GamesTable();
        table->OnFilterRecord = [this](TMemDataSet& t, bool& accept) {
            ++calls;
            accept = t.FieldByName("Team").AsString() == wanted;
        };
    }
    void TearDown() override { SetPrompt(nullptr); }

    std::unique_ptr<TMemDataSet> table;
    std::string wanted = "B";
    int calls = 0;
    TFakePrompt m_prompt;
};

TEST_F(MemDataSetFilter, CountsAndPositionsFollowTheFilteredView)
{
    table->SetRecNo(4);
    table->SetFiltered(true);
    EXPECT_EQ(calls, 5);
    EXPECT_EQ(table->RecordCount(), 3);
    EXPECT_EQ(table->RecNo(), 1);
    table->Next();
    EXPECT_EQ(Game(*table), 3);
    EXPECT_EQ(table->RecNo(), 2);

    // A refused record is stored and the first record becomes current.
    AppendRow(*table, { { "GameNo", 6 }, { "Team", std::string("A") } });
    EXPECT_EQ(table->RecordCount(), 3);
    EXPECT_EQ(table->RecNo(), 1);
    EXPECT_EQ(Game(*table), 1);
    AppendRow(*table, { { "GameNo", 7 }, { "Team", std::string("B") } });
    EXPECT_EQ(IntColumn(*table, "GameNo"), (std::vector<int> { 1, 3, 5, 7 }));
    EXPECT_EQ(table->RecNo(), 4);

    table->SetFiltered(false);
    EXPECT_EQ(table->RecordCount(), 7);
    EXPECT_EQ(table->RecNo(), 1);
}

TEST_F(MemDataSetFilter, EditedRecordsAreTestedAgainOnlyWhenAFilterOrderFieldChanged)
{
    // Built over the natural order, the filter order has no fields: the record stays.
    table->SetFiltered(true);
    table->Edit();
    table->FieldByName("Team").SetAsString("A");
    table->Post();
    EXPECT_EQ(table->RecordCount(), 3);
    table->SetFiltered(false);

    // Built over an order by team, a changed team is tested again.
    table->SetOrderBy("Team;GameNo");
    table->SetFiltered(true);
    EXPECT_EQ(IntColumn(*table, "GameNo"), (std::vector<int> { 3, 5 }));
    table->Last();
    table->Edit();
    table->FieldByName("Team").SetAsString("C");
    table->Post();
    EXPECT_EQ(IntColumn(*table, "GameNo"), (std::vector<int> { 3 }));
    EXPECT_EQ(table->RecNo(), 1);
}

TEST_F(MemDataSetFilter, SwitchingOrdersAndRefilteringBuildItAgain)
{
    table->SetFiltered(true);
    table->SetOrderBy("GameNo");
    EXPECT_EQ(IntColumn(*table, "GameNo"), (std::vector<int> { 1, 3, 5 }));
    table->Options |= moSetOrderByDescending;
    table->SetOrderBy("Team;GameNo");
    EXPECT_EQ(IntColumn(*table, "GameNo"), (std::vector<int> { 5, 3, 1 }));
    EXPECT_EQ(table->IndexName(), "@ORDERBY_Team_GameNo");

    wanted = "A";
    table->Refilter();
    EXPECT_EQ(IntColumn(*table, "GameNo"), (std::vector<int> { 2 }));
    EXPECT_TRUE(table->Filtered());
}

TEST_F(MemDataSetFilter, ErrorsInTheCallbackAreShownAndTheAcceptValueStays)
{
    table->OnFilterRecord = [](TMemDataSet& t, bool& accept) {
        const int game = t.FieldByName("GameNo").AsInteger();
        accept = game != 2;
        if (game == 2 || game == 3)
            throw EDatabaseError("bad game " + std::to_string(game));
        if (game == 4) {
            accept = false;
            Abort();
        }
    };
    table->SetFiltered(true);
    EXPECT_EQ(IntColumn(*table, "GameNo"), (std::vector<int> { 1, 3, 5 }));
    EXPECT_EQ(m_prompt.Errors, (TStrings { "bad game 2", "bad game 3" }));
}

TEST_F(MemDataSetFilter, AClosedTableRemembersTheFilter)
{
    table->Close();
    table->SetFiltered(true);
    EXPECT_EQ(calls, 0);
    table->Open();
    EXPECT_EQ(table->RecordCount(), 3);
}
