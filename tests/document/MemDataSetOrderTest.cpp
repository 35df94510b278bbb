#include "MemDataSetTestSupport.h"

#include "engine/DateTime.h"

#include <gtest/gtest.h>

namespace {

const std::vector<std::string> ScheduleDefinitions
    = { "Status;1;2;0", "RoundNo;3;0;0", "GameNo;3;0;0", "Day;1;3;0", "Date;9;0;0", "Time;1;8;0",
          "IntTime;10;0;0", "Location;1;40;0", "HomeTeam;1;40;0", "AwayTeam;1;40;0" };

TDateTime Hours(int h)
{
    return EncodeTime(h, 0, 0, 0);
}

std::string MessageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::exception& error) {
        return error.what();
    }
    return "(no error)";
}

} // namespace

TEST(MemDataSetOrder, CreationSortLeavesEqualKeysAsTheQuicksortPutsThem)
{
    // Worked by hand from the sort's steps: every swap of equal keys counts.
    struct TCase {
        int count;
        std::vector<int> expected;
    };
    const TCase cases[] = {
        { 2, { 2, 1 } },
        { 4, { 3, 4, 1, 2 } },
        { 5, { 4, 5, 3, 1, 2 } },
        { 7, { 5, 6, 7, 4, 1, 2, 3 } },
    };
    for (const TCase& c : cases) {
        auto table = OpenTable({ "Id;3;0;0", "Key;3;0;0" });
        for (int id = 1; id <= c.count; ++id)
            AppendRow(*table, { { "Id", id }, { "Key", 7 } });
        table->SetOrderBy("Key");
        EXPECT_EQ(IntColumn(*table, "Id"), c.expected) << c.count << " equal keys";
    }
}

TEST(MemDataSetOrder, CreationSortWithTiesInAScheduleWithoutDates)
{
    // Games without dates or times ordered by location: ties everywhere but the location.
    auto table = OpenTable(ScheduleDefinitions);
    const char* locations[] = { "B", "A", "B", "A", "B" };
    for (int game = 1; game <= 5; ++game)
        AppendRow(*table, { { "GameNo", game }, { "Location", locations[game - 1] } });
    table->SetOrderBy("Location;Date;IntTime");
    EXPECT_EQ(IntColumn(*table, "GameNo"), (std::vector<int> { 4, 2, 5, 1, 3 }));
    EXPECT_EQ(table->IndexName(), "@ORDERBY_Location_Date_IntTime");
}

TEST(MemDataSetOrder, RecordsJoiningAnOrderFollowEqualKeys)
{
    auto table = OpenTable({ "Id;3;0;0", "RoundNo;3;0;0", "GameNo;3;0;0" });
    table->SetOrderBy("RoundNo;GameNo");
    const int rows[][2] = { { 2, 1 }, { 1, 2 }, { 1, 1 }, { 2, 2 }, { 1, 2 } };
    int id = 0;
    for (const auto& row : rows)
        AppendRow(*table, { { "Id", ++id }, { "RoundNo", row[0] }, { "GameNo", row[1] } });
    EXPECT_EQ(IntColumn(*table, "Id"), (std::vector<int> { 3, 2, 5, 1, 4 }));
    EXPECT_EQ(table->RecNo(), 3); // the posted record is current
}

TEST(MemDataSetOrder, SwitchingBackSelectsTheKeptOrderAndKeepsTheCurrentRecord)
{
    auto table = OpenTable(ScheduleDefinitions);
    for (int game = 1; game <= 4; ++game)
        AppendRow(*table, { { "RoundNo", 1 }, { "GameNo", game } });
    table->SetOrderBy("RoundNo;GameNo");
    table->SetOrderBy("RoundNo;Date;IntTime");
    EXPECT_EQ(IntColumn(*table, "GameNo"), (std::vector<int> { 3, 4, 1, 2 }));
    // Kept by insertion from now on, also while another order is current.
    AppendRow(*table, { { "RoundNo", 1 }, { "GameNo", 5 } });
    table->SetOrderBy("RoundNo;GameNo");
    EXPECT_EQ(table->FieldByName("GameNo").AsInteger(), 5);
    EXPECT_EQ(table->RecNo(), 5);

    ASSERT_TRUE(table->Locate("GameNo", 1));
    table->SetOrderBy("RoundNo;Date;IntTime");
    // Sorting the five records afresh would give 4, 5, 3, 1, 2.
    EXPECT_EQ(IntColumn(*table, "GameNo"), (std::vector<int> { 3, 4, 1, 2, 5 }));
    EXPECT_EQ(table->FieldByName("GameNo").AsInteger(), 1);
    EXPECT_EQ(table->RecNo(), 3);
    EXPECT_EQ(table->IndexNames(),
        (std::vector<std::string> { "@ORDERBY_RoundNo_GameNo", "@ORDERBY_RoundNo_Date_IntTime" }));

    table->SetOrderBy("");
    EXPECT_EQ(IntColumn(*table, "GameNo"), (std::vector<int> { 1, 2, 3, 4, 5 }));
    EXPECT_EQ(table->RecNo(), 1);
    EXPECT_EQ(table->IndexName(), "");
}

TEST(MemDataSetOrder, UnknownOrderByFieldKeepsThePreviousOrder)
{
    auto table = OpenTable(ScheduleDefinitions);
    for (int game : { 2, 3, 1 })
        AppendRow(*table, { { "RoundNo", 1 }, { "GameNo", game } });
    table->SetOrderBy("RoundNo;GameNo");
    EXPECT_EQ(MessageOf([&] { table->SetOrderBy("RoundNo;Nope"); }), "Field 'Nope' not found");
    EXPECT_THROW(table->SetOrderBy("Nope"), EDatabaseError);
    EXPECT_EQ(table->OrderBy(), "RoundNo;GameNo");
    EXPECT_EQ(table->IndexName(), "@ORDERBY_RoundNo_GameNo");
    EXPECT_EQ(IntColumn(*table, "GameNo"), (std::vector<int> { 1, 2, 3 }));
    // The text takes the field list of an existing order of the same name.
    table->SetOrderBy("roundno;gameno");
    EXPECT_EQ(table->OrderBy(), "RoundNo;GameNo");
}

TEST(MemDataSetOrder, StringsOrderByByteValueUnlessCaseInsensitive)
{
    struct TCase {
        TMemDatasetOptions options;
        std::vector<std::string> expected;
    };
    const TCase cases[] = {
        { 0, { "", "Banana", "Zebra", "ab", "apple" } },
        { moSetOrderByDescending, { "apple", "ab", "Zebra", "Banana", "" } },
        { moSetOrderByCaseInsensitive, { "", "ab", "apple", "Banana", "Zebra" } },
        // Both options: case-insensitive and ascending.
        { moSetOrderByCaseInsensitive | moSetOrderByDescending,
            { "", "ab", "apple", "Banana", "Zebra" } },
    };
    for (const TCase& c : cases) {
        auto table = OpenTable({ "Name;1;10;0" });
        table->Options |= c.options;
        for (const char* name : { "apple", "Zebra", "Banana", "", "ab" })
            AppendRow(*table, { { "Name", std::string(name) } });
        table->SetOrderBy("Name");
        EXPECT_EQ(TextColumn(*table, "Name"), c.expected) << "options " << c.options;
    }
}

TEST(MemDataSetOrder, UnsetValuesCompareAsZero)
{
    auto table = OpenTable(ScheduleDefinitions);
    const TDateTime day = EncodeDate(2004, 3, 6);
    AppendRow(*table, { { "GameNo", 1 }, { "Date", day }, { "IntTime", Hours(0) } });
    AppendRow(*table, { { "GameNo", 2 }, { "Date", day } }); // no time: equals midnight
    AppendRow(*table, { { "GameNo", 3 } }); // no date: before every date
    AppendRow(*table, { { "GameNo", 4 }, { "Date", TDateTime(0) } });
    table->SetOrderBy("Date;IntTime;GameNo");
    EXPECT_EQ(IntColumn(*table, "GameNo"), (std::vector<int> { 3, 4, 1, 2 }));
    EXPECT_TRUE(table->Locate("Date;IntTime", std::vector<TVariant> { day, Hours(0) }));
    EXPECT_EQ(table->FieldByName("GameNo").AsInteger(), 1);
}

TEST(MemDataSetOrder, AnEditedRecordMovesOnlyInOrdersOverChangedFields)
{
    auto table = OpenTable(ScheduleDefinitions);
    const TDateTime day = EncodeDate(2004, 3, 6);
    const int times[] = { 18, 19, 21 };
    for (int game = 1; game <= 3; ++game)
        AppendRow(
            *table, { { "GameNo", game }, { "Date", day }, { "IntTime", Hours(times[game - 1]) } });
    table->AddIndex("ByHome", "HomeTeam");
    table->SetOrderBy("Date;IntTime;GameNo");
    ASSERT_TRUE(table->Locate("GameNo", 1));

    table->Edit();
    table->FieldByName("IntTime").SetAsDateTime(Hours(20));
    table->Post();
    EXPECT_EQ(IntColumn(*table, "GameNo"), (std::vector<int> { 2, 1, 3 }));
    EXPECT_EQ(table->RecNo(), 2);
    EXPECT_EQ(table->FieldByName("IntTime").AsDateTime(), Hours(20));

    // The untouched order still holds the records where they were.
    table->SetIndexName("ByHome");
    EXPECT_EQ(IntColumn(*table, "GameNo"), (std::vector<int> { 3, 2, 1 }));
    EXPECT_EQ(table->FieldByName("GameNo").AsInteger(), 1);
}

TEST(MemDataSetOrder, SelectingOrdersByName)
{
    auto table = OpenTable({ "A;3;0;0", "B;3;0;0" });
    for (int i = 1; i <= 3; ++i)
        AppendRow(*table, { { "A", i }, { "B", 10 - i } });
    table->AddIndex("ByB", "B");
    EXPECT_EQ(MessageOf([&] { table->AddIndex("byb", "A"); }), "Duplicate index name 'byb'");
    table->SetIndexName("byb");
    EXPECT_EQ(IntColumn(*table, "A"), (std::vector<int> { 3, 2, 1 }));

    try {
        table->SetIndexName("@FILTER_INDEX");
        FAIL();
    } catch (const EMemDatasetError& error) {
        EXPECT_EQ(error.Code(), 9);
        EXPECT_STREQ(error.what(), "System index: Internal use only");
    }
    EXPECT_EQ(table->IndexName(), "ByB");
    try {
        table->SetIndexName("Missing");
        FAIL();
    } catch (const EMemDatasetError& error) {
        EXPECT_EQ(error.Code(), 10);
        EXPECT_STREQ(error.what(), "Index does not exist");
    }
    EXPECT_EQ(table->IndexName(), "");
    EXPECT_EQ(IntColumn(*table, "A"), (std::vector<int> { 1, 2, 3 }));
    EXPECT_EQ(EMemDatasetError::TextOf(2), "Undefined error");
}

TEST(MemDataSetOrder, ReleaseAutoIndexesKeepsOnlyTheCurrentOrder)
{
    auto table = OpenTable({ "A;3;0;0", "B;3;0;0" });
    table->SetOrderBy("A");
    table->SetOrderBy("B");
    EXPECT_EQ(table->IndexNames().size(), 2u);
    table->Options |= moReleaseAutoIndexes;
    table->SetOrderBy("A;B");
    EXPECT_EQ(table->IndexNames(), (std::vector<std::string> { "@ORDERBY_A_B" }));
}

TEST(MemDataSetOrder, OrderByOnAClosedTableAppliesWhenItOpens)
{
    TMemDataSet table("Calendar");
    table.SetOrderBy("FromDate;CalendarID");
    table.SetFieldsDefinitionItems({ "CalendarID;14;0;0", "FromDate;11;0;0" });
    table.Open();
    for (int day : { 20, 10, 30 })
        AppendRow(table, { { "FromDate", TDateTime(day) } });
    EXPECT_EQ(IntColumn(table, "CalendarID"), (std::vector<int> { 2, 1, 3 }));

    // Closing keeps records, orders and the current order's name.
    table.Close();
    EXPECT_EQ(table.IndexName(), "@ORDERBY_FromDate_CalendarID");
    table.Open();
    EXPECT_EQ(IntColumn(table, "CalendarID"), (std::vector<int> { 2, 1, 3 }));
}

TEST(MemDataSetOrder, LargeTablesStaySortedThroughInsertsEditsAndDeletes)
{
    // Enough records to spread every list over many blocks.
    auto table = OpenTable({ "Id;3;0;0", "Key;3;0;0" });
    table->SetOrderBy("Key;Id");
    unsigned seed = 12345;
    auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
    for (int id = 1; id <= 3000; ++id)
        AppendRow(*table, { { "Id", id }, { "Key", int(next() % 500) } });
    for (int round = 0; round < 400; ++round) {
        table->SetRecNo(1 + int(next() % unsigned(table->RecordCount())));
        if (round % 3 == 0) {
            table->Delete();
        } else {
            const int id = table->FieldByName("Id").AsInteger();
            table->Edit();
            table->FieldByName("Key").SetAsInteger(int(next() % 500));
            table->Post();
            EXPECT_EQ(std::get<int>(table->ValueAt(table->RecNo(), table->FieldByName("Id"))), id);
        }
    }
    const std::vector<int> ids = IntColumn(*table, "Id");
    const std::vector<int> keys = IntColumn(*table, "Key");
    ASSERT_EQ(ids.size(), 3000u - 134u);
    for (std::size_t i = 1; i < ids.size(); ++i)
        ASSERT_TRUE(keys[i - 1] < keys[i] || (keys[i - 1] == keys[i] && ids[i - 1] < ids[i])) << i;
    // Positions found by a search agree with the rows.
    for (std::size_t i = 0; i < ids.size(); i += 97) {
        ASSERT_TRUE(table->Locate("Key;Id", std::vector<TVariant> { keys[i], ids[i] }));
        EXPECT_EQ(table->RecNo(), int(i) + 1);
    }
    table->SetOrderBy("");
    EXPECT_EQ(table->RecordCount(), int(ids.size()));
}
