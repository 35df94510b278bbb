#include "document/Tables.h"
#include "support/DocumentFixture.h"

using Lookups = DocumentFixture;

TEST_F(Lookups, PositionsOutOfRangeGiveTheEmptyResults)
{
    AddTeams({ "A", "B" });
    TDetailLookups& teams = Data.TeamsLookup;
    EXPECT_EQ(teams.Count(), 2);
    EXPECT_EQ(teams.NameAt(0), "");
    EXPECT_EQ(teams.NameAt(3), "");
    EXPECT_EQ(teams.KeyAt(0), -1);
    EXPECT_EQ(teams.KeyAt(3), -1);
    EXPECT_EQ(teams.NameOfKey(0), "");
    EXPECT_EQ(teams.NameOfKey(-1), "");
    EXPECT_EQ(teams.NameOfKey(9), "");
}

TEST_F(Lookups, ByPositionMovesTheCursorByKeyDoesNot)
{
    AddTeams({ "A", "B", "C" });
    TDetailLookups& teams = Data.TeamsLookup;
    Data.TeamsData.First();
    EXPECT_EQ(teams.NameAt(3), "C");
    EXPECT_EQ(Data.TeamsData.RecNo(), 3);
    EXPECT_EQ(teams.KeyAt(2), 2);
    EXPECT_EQ(Data.TeamsData.RecNo(), 2);
    EXPECT_EQ(teams.NameOfKey(1), "A");
    EXPECT_EQ(Data.TeamsData.RecNo(), 2);
    EXPECT_EQ(teams.PositionOfKey(3), 3);
    EXPECT_EQ(Data.TeamsData.RecNo(), 3);
    EXPECT_EQ(teams.PositionOfKey(7), 0);
}

TEST_F(Lookups, ANullNameIsABlankByPositionAndEmptyByKey)
{
    AddTeams({ "A" });
    Data.TeamsData.Append();
    Data.TeamsData.Post(); // the name never assigned
    TDetailLookups& teams = Data.TeamsLookup;
    EXPECT_EQ(teams.NameAt(2), " ");
    EXPECT_EQ(teams.NameOfKey(2), "");
}

TEST_F(Lookups, DeletingARowShiftsPositionsNotKeys)
{
    AddTeams({ "A", "B", "C" });
    TDetailLookups& teams = Data.TeamsLookup;
    Data.TeamsData.First();
    Data.TeamsData.Next();
    Data.TeamsData.Delete();
    EXPECT_EQ(teams.PositionOfKey(3), 2);
    EXPECT_EQ(teams.NameOfKey(3), "C");
    EXPECT_EQ(teams.KeyAt(2), 3);
}

TEST_F(Lookups, ComboItemsStartWithAnEmptyOne)
{
    AddLocations({ "Park", "Hall" });
    EXPECT_EQ(Data.LocationsLookup.FillCombo(), (std::vector<std::string> { "", "Park", "Hall" }));
    EXPECT_TRUE(Data.LocationsData.Eof());
}
