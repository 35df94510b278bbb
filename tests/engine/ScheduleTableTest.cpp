#include "engine/ScheduleTable.h"
#include "engine/GameStore.h"
#include "engine/Pairing.h"
#include "engine/SharedSlots.h"
#include "support/DocumentFixture.h"

#include <array>
#include <cctype>

using Strings = std::vector<std::string>;

// The store and the pairing against a real teams table.
class StoreWithTables : public DocumentFixture {
protected:
    StoreWithTables() { ClearGames(); }
    ~StoreWithTables() override { ClearGames(); }

    void UseTeams(std::initializer_list<const char*> names)
    {
        AddTeams(names);
        TeamCount = Data.TeamsData.RecordCount();
        GamesPerRound = TeamCount / 2;
    }
    std::string Round(int r)
    {
        std::string text;
        for (int g = 1; g <= GamesPerRound; ++g)
            text += (g > 1 ? ", " : "") + std::to_string(GetHomeTeam(r, g)) + " v "
                + std::to_string(GetAwayTeam(r, g));
        return text;
    }
    std::vector<int> SlotList()
    {
        return std::vector<int>(Slots.begin() + 1, Slots.begin() + 1 + TeamCount);
    }
};

TEST_F(StoreWithTables, GamesToTableWritesTheShownRoundsOnly)
{
    UseTeams({ "A", "B", "C", "D" });
    GenerateSettings.Rounds = 5;
    RoundCount = 5;
    PairAllRounds();
    EXPECT_EQ(StoredRounds(), 6);
    GamesToTable();
    TMemDataSet& table = Data.ScheduleData;
    EXPECT_EQ(table.RecordCount(), 10);
    EXPECT_EQ(table.RecNo(), 1);
    EXPECT_EQ(Data.SchedHomeTeam->AsString(), "A");
    EXPECT_EQ(Data.SchedAwayTeam->AsString(), "B");
    EXPECT_EQ(Data.SchedStatus->AsString(), " ");
    EXPECT_EQ(Data.SchedDay->AsString(), "");
    EXPECT_EQ(Data.SchedTime->AsString(), "");
    EXPECT_EQ(Data.SchedDate->AsDateTime(), 0.0);
    EXPECT_FALSE(Data.SchedDate->IsNull()) << "the zero date is written as a value";
    EXPECT_EQ(Data.SchedLocation->AsString(), "");
    table.Last();
    EXPECT_EQ(Data.SchedRoundNo->AsInteger(), 5);
    EXPECT_EQ(Data.SchedGameNo->AsInteger(), 2);

    RoundCount = 0;
    GamesToTable();
    EXPECT_EQ(table.RecordCount(), 0);
}

TEST_F(StoreWithTables, RowsCarryDateTimeLocationAndStatusMarks)
{
    UseTeams({ "A", "B" });
    AddLocations({ "Park" });
    RoundCount = 4;
    PairAllRounds();
    SetDate(1, 1, EncodeDate(2004, 3, 6));
    SetTime(1, 1, EncodeTime(17, 0, 0, 0));
    SetLocation(1, 1, 1);
    SetHomeClash(1, 1, true);
    SetStatus(2, 1, gsManual);
    SetStatus(3, 1, gsCancelled);
    SetAwayClash(3, 1, true);
    SetStatus(4, 1, gsDeleted);
    GamesToTable();
    EXPECT_EQ(Column(Data.ScheduleData, *Data.SchedStatus), (Strings { "! ", "M", "!C", "D" }));
    Data.ScheduleData.First();
    EXPECT_EQ(Data.SchedDay->AsString(), "Sat");
    EXPECT_EQ(Data.SchedTime->AsString(), "17:00");
    EXPECT_EQ(Data.SchedIntTime->AsDateTime(), EncodeTime(17, 0, 0, 0));
    EXPECT_EQ(Data.SchedLocation->AsString(), "Park");
    EXPECT_EQ(Data.SchedDate->DisplayText(), "06 Mar 2004");
}

TEST_F(StoreWithTables, ByeGamesAreKnownByTheTeamsName)
{
    UseTeams({ "A", "B", "C", "--bye--" });
    RoundCount = 3;
    PairAllRounds();
    int byes = 0;
    for (int r = 1; r <= 3; ++r)
        for (int g = 1; g <= 2; ++g)
            byes += IsByeGame(r, g);
    EXPECT_EQ(byes, 3);
    EXPECT_TRUE(Data.HasByeTeam());
}

// The Shared slot order reads the team locations in location order. That order is created by
// the table's quicksort the first time (rows with equal keys do not keep their entry order) and
// kept by insertion afterwards, so every case starts from a fresh document.
struct SharedCase {
    const char* name;
    std::vector<std::array<int, 2>> rows; // team key, location key in entry order
    std::vector<int> slots;
    int pairs;
};

class SharedOrder : public StoreWithTables, public ::testing::WithParamInterface<SharedCase> { };

TEST_P(SharedOrder, PairsTeamsOfOneLocation)
{
    const SharedCase& c = GetParam();
    UseTeams({ "A", "B", "C", "D" });
    AddLocations({ "L1", "L2", "L3" });
    for (const auto& row : c.rows)
        AddPreference(row[0], row[1]);
    FillSharedSlots();
    EXPECT_EQ(SlotList(), c.slots);
    EXPECT_EQ(SharedPairCount, c.pairs);
    EXPECT_EQ(Data.PreferencesData.OrderBy(), "") << "the natural order is back";
}

INSTANTIATE_TEST_SUITE_P(Cases, SharedOrder,
    ::testing::Values(SharedCase { "team 3's row first", { { 3, 1 }, { 1, 1 }, { 2, 2 }, { 4, 3 } },
                          { 1, 2, 3, 4 }, 1 },
        SharedCase {
            "entered team by team", { { 1, 1 }, { 2, 2 }, { 3, 1 }, { 4, 3 } }, { 3, 2, 1, 4 }, 1 },
        SharedCase {
            "three teams at one location", { { 1, 1 }, { 2, 1 }, { 3, 1 } }, { 3, 1, 2, 4 }, 1 },
        SharedCase { "no team locations", {}, { 1, 3, 2, 4 }, 0 },
        SharedCase {
            "rows without a location never pair", { { 1, 0 }, { 2, 0 } }, { 1, 3, 2, 4 }, 0 },
        SharedCase { "a team in two pairs joins the first",
            { { 1, 1 }, { 2, 1 }, { 1, 2 }, { 3, 2 } }, { 2, 3, 1, 4 }, 1 }),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

TEST_F(StoreWithTables, SharedOrderKeepsItsLocationOrderByInsertionAfterwards)
{
    UseTeams({ "A", "B", "C", "D" });
    AddLocations({ "L1", "L2", "L3" });
    FillSharedSlots(); // creates the order while the table is empty
    AddPreference(1, 1);
    AddPreference(2, 2);
    AddPreference(3, 1);
    AddPreference(4, 3);
    FillSharedSlots();
    EXPECT_EQ(SlotList(), (std::vector<int> { 1, 2, 3, 4 })) << "team 1's row stays first";
}

TEST_F(StoreWithTables, SharedPartnersAreNeverHomeTogether)
{
    UseTeams({ "A", "B", "C", "D" });
    AddLocations({ "L1", "L2", "L3" });
    AddPreference(3, 1);
    AddPreference(1, 1);
    AddPreference(2, 2);
    AddPreference(4, 3);
    GenerateSettings.LocationType = ltShared;
    RoundCount = 3;
    PairAllRounds();
    EXPECT_EQ(Round(1), "1 v 3, 2 v 4");
    EXPECT_EQ(Round(2), "4 v 1, 3 v 2");
    EXPECT_EQ(Round(3), "2 v 1, 3 v 4");
}

TEST_F(StoreWithTables, SharedOrderFollowsPositionsAfterTeamsChange)
{
    UseTeams({ "A", "B", "C", "D" });
    AddLocations({ "L1" });
    // Team B (key 2) goes and E (key 5) comes: E is team number 4 but key 5.
    Data.TeamsData.First();
    Data.TeamsData.Next();
    Data.TeamsData.Delete();
    AddTeams({ "E" });
    AddPreference(5, 1);
    AddPreference(1, 1);
    FillSharedSlots();
    EXPECT_EQ(SharedPairCount, 1);
    EXPECT_EQ(SlotList(), (std::vector<int> { 1, 2, 4, 3 }));
}
