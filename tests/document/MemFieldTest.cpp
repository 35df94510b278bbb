#include "MemDataSetTestSupport.h"

#include "engine/DateTime.h"
#include "engine/Exceptions.h"

#include <gtest/gtest.h>

namespace {

using TStrings = std::vector<std::string>;

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

TEST(MemField, DefinitionTextsAreReadAndWritten)
{
    TMemDataSet table("T");
    table.SetFieldsDefinitionItems(
        { "LocationValue;1;40;0", "TeamID;14;0;0", "X;abc;;1", "Y", "Z;3;5;2", "R;3;0;1" });
    EXPECT_EQ(table.FieldsDefinitionItems(),
        (TStrings {
            "LocationValue;1;40;0", "TeamID;14;0;0", "X;1;1;1", "Y;1;1;0", "Z;3;5;0", "R;3;0;1" }));
    EXPECT_EQ(table.FieldsDefinition().IndexOf("teamid"), 1);
    EXPECT_TRUE(table.FieldsDefinition()[5].Required);
}

TEST(MemField, UnsupportedTypesAreRefusedOnOpen)
{
    for (int type : { 0, 13, 21, 23 }) {
        TMemDataSet table("T");
        table.SetFieldsDefinitionItems({ "Good;3;0;0", "Bad;" + std::to_string(type) + ";0;0" });
        EXPECT_EQ(MessageOf([&] { table.Open(); }), "Field 'Bad' is of an unsupported type");
        EXPECT_FALSE(table.Active());
    }
}

TEST(MemField, FieldObjectsAreBoundByName)
{
    auto table = OpenTable({ "TeamID;14;0;0", "TeamValue;1;40;0" });
    ASSERT_EQ(table->FieldCount(), 2);
    EXPECT_EQ(&table->FieldByName("teamvalue"), &table->Fields(1));
    EXPECT_EQ(table->Fields(1).FieldNo(), 1);
    EXPECT_EQ(MessageOf([&] { table->FieldByName("Nope"); }), "Field 'Nope' not found");

    TMemDataSet declared("T");
    declared.SetFieldsDefinitionItems({ "TeamID;14;0;0", "TeamValue;1;40;0" });
    TField& team = declared.AddField("TEAMVALUE", ftString, 40);
    team.DisplayLabel = "Team";
    declared.Open();
    EXPECT_EQ(declared.FieldCount(), 1); // declared fields only
    EXPECT_EQ(team.FieldNo(), 1);
    EXPECT_EQ(team.Label(), "Team");
    declared.Close();
    EXPECT_EQ(team.FieldNo(), -1);

    TMemDataSet wrong("T");
    wrong.SetFieldsDefinitionItems({ "A;3;0;0" });
    wrong.AddField("Missing", ftInteger);
    EXPECT_EQ(MessageOf([&] { wrong.Open(); }), "Field 'Missing' not found");
}

TEST(MemField, StringValuesAreOneLineCutToTheSize)
{
    auto table = OpenTable({ "S;1;5;0", "N;3;0;0" });
    TField& s = table->FieldByName("S");
    table->Append();
    EXPECT_TRUE(s.IsNull()); // never assigned
    s.SetAsString("");
    EXPECT_FALSE(s.IsNull()); // empty, not null
    struct TCase {
        std::string in, out;
    };
    const TCase cases[] = {
        { "ab\r\ncd", "ab  c" },
        { "\xC3\x84\xC3\x96\xC3\x9C\xC3\xA4\xC3\xB6\xC3\xBC",
            "\xC3\x84\xC3\x96\xC3\x9C\xC3\xA4\xC3\xB6" },
        { "abc", "abc" },
    };
    for (const TCase& c : cases) {
        s.SetAsString(c.in);
        EXPECT_EQ(s.AsString(), c.out);
    }
    s.Clear();
    EXPECT_TRUE(s.IsNull());
    table->FieldByName("N").SetAsString(""); // empty text is no value for a number
    EXPECT_TRUE(table->FieldByName("N").IsNull());
}

TEST(MemField, NumbersFromText)
{
    auto table = OpenTable({ "S;1;10;0", "N;3;0;0", "W;4;0;0" });
    table->Append();
    TField& n = table->FieldByName("N");
    n.SetAsString(" 42");
    EXPECT_EQ(n.AsInteger(), 42);
    try {
        n.SetAsString("abc");
        FAIL();
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "'abc' is not a valid integer value");
    }
    EXPECT_EQ(n.AsInteger(), 42);
    table->FieldByName("S").SetAsString("xyz");
    EXPECT_EQ(MessageOf([&] { table->FieldByName("S").AsInteger(); }),
        "'xyz' is not a valid integer value");
    table->FieldByName("W").SetAsInteger(-1); // a word is unsigned 16-bit
    EXPECT_EQ(table->FieldByName("W").AsInteger(), 65535);
}

TEST(MemField, DatesAndTimesAreStoredAsDaysAndMilliseconds)
{
    auto table = OpenTable({ "D;9;0;0", "T;10;0;0", "DT;11;0;0" });
    const TDateTime day = EncodeDate(2004, 3, 6);
    const TDateTime when = day + EncodeTime(17, 30, 0, 0);
    table->Append();
    EXPECT_EQ(table->FieldByName("T").AsDateTime(), 0); // unset
    for (const char* name : { "D", "T", "DT" })
        table->FieldByName(name).SetAsDateTime(when);
    table->Post();
    EXPECT_EQ(table->FieldByName("D").AsDateTime(), day);
    EXPECT_EQ(table->FieldByName("T").AsDateTime(), 63000000 / 86400000.0);
    EXPECT_EQ(table->FieldByName("DT").AsDateTime(), when);
    EXPECT_EQ(table->FieldByName("D").AsString(), "2004-03-06");
    EXPECT_EQ(table->FieldByName("T").AsString(), "17:30:00");
    EXPECT_EQ(table->FieldByName("DT").AsString(), "2004-03-06 17:30:00");
}

TEST(MemField, ValuesAreWrittenOnlyWhileEditing)
{
    auto table = OpenTable({ "S;1;10;0" });
    AppendRow(*table, { { "S", std::string("old") } });
    EXPECT_EQ(MessageOf([&] { table->FieldByName("S").SetAsString("x"); }),
        "Dataset not in edit or insert mode");

    TField& s = table->FieldByName("S");
    std::string proposed;
    s.OnValidate = [&](TField& field) {
        proposed = field.AsString();
        if (proposed == "bad")
            Abort();
    };
    table->Edit();
    EXPECT_THROW(s.SetAsString("bad"), EAbort);
    EXPECT_EQ(proposed, "bad");
    EXPECT_EQ(s.AsString(), "old");
    EXPECT_FALSE(table->Modified());
    s.SetAsString("good");
    EXPECT_TRUE(table->Modified());
    table->Post();
    EXPECT_EQ(s.AsString(), "good");
}

TEST(MemField, LookupValuesFollowKeysOfTheEditedRecord)
{
    auto teams = OpenTable({ "TeamID;14;0;0", "TeamValue;1;40;0" }, "TeamsData");
    for (const char* name : { "A", "B" })
        AppendRow(*teams, { { "TeamValue", std::string(name) } });

    TMemDataSet prefs("PreferencesData");
    prefs.SetFieldsDefinitionItems(
        { "TeamID;3;0;0", "TeamValue;1;20;0", "LocationID;3;0;0", "LocationValue;1;20;0" });
    TField& teamId = prefs.AddField("TeamID", ftInteger);
    TField& team = prefs.AddLookupField("TeamValue", 40, *teams, "TeamID", "TeamValue", "TeamID");
    prefs.AddField("LocationID", ftInteger);
    prefs.Open();
    TRecordingView view;
    prefs.AttachObserver(&view);

    prefs.Append();
    view.Take();
    teamId.SetAsInteger(2);
    EXPECT_EQ(team.AsString(), "B");
    EXPECT_EQ(view.Take(), (TStrings { "FieldChange:TeamID", "FieldChange:TeamValue" }));
    prefs.Post();
    EXPECT_EQ(team.AsString(), "B");

    // Stored with the record: reading does not look up again, entering edit does.
    teams->Last();
    teams->Edit();
    teams->FieldByName("TeamValue").SetAsString("B2");
    teams->Post();
    EXPECT_EQ(team.AsString(), "B");
    prefs.Edit();
    EXPECT_EQ(team.AsString(), "B2");
    prefs.Cancel();
    EXPECT_EQ(team.AsString(), "B");

    prefs.Edit();
    teamId.SetAsInteger(7);
    EXPECT_TRUE(team.IsNull());
    prefs.Cancel();

    // The filter callback sees no lookup values.
    bool sawNull = false;
    prefs.OnFilterRecord = [&](TMemDataSet&, bool&) { sawNull = team.IsNull(); };
    prefs.SetFiltered(true);
    EXPECT_TRUE(sawNull);
    prefs.DetachObserver(&view);
}
