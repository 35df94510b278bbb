#include "MemDataSetTestSupport.h"

#include "engine/Exceptions.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TMemDataSet> TeamsTable()
{
    return OpenTable({ "TeamID;14;0;0", "TeamValue;1;40;0" }, "TeamsData");
}

void AppendTeam(TMemDataSet& table, const std::string& name)
{
    AppendRow(table, { { "TeamValue", name } });
}

using TStrings = std::vector<std::string>;

} // namespace

TEST(MemDataSetEdit, EventsFireInTheirOrder)
{
    auto table = TeamsTable();
    AppendTeam(*table, "A");
    TEventLog log;
    log.Wire(*table);

    table->Insert();
    EXPECT_EQ(log.Take(),
        (TStrings { "BeforeInsert", "BeforeScroll", "OnNewRecord", "AfterInsert", "AfterScroll" }));
    table->FieldByName("TeamValue").SetAsString("B");
    table->Post();
    EXPECT_EQ(log.Take(), (TStrings { "BeforePost", "AfterPost" }));

    table->Edit();
    EXPECT_EQ(log.Take(), (TStrings { "BeforeEdit", "AfterEdit" }));
    table->Edit(); // already editing: nothing
    EXPECT_TRUE(log.Take().empty());
    table->Cancel();
    EXPECT_EQ(log.Take(), (TStrings { "BeforeCancel", "AfterCancel" }));

    table->Append();
    log.Take();
    table->Cancel();
    EXPECT_EQ(
        log.Take(), (TStrings { "BeforeCancel", "BeforeScroll", "AfterCancel", "AfterScroll" }));

    table->Delete();
    EXPECT_EQ(
        log.Take(), (TStrings { "BeforeDelete", "BeforeScroll", "AfterDelete", "AfterScroll" }));
    table->Insert();
    log.Take();
    table->Delete(); // in the insert state it cancels
    EXPECT_EQ(
        log.Take(), (TStrings { "BeforeCancel", "BeforeScroll", "AfterCancel", "AfterScroll" }));
}

TEST(MemDataSetEdit, InsertGoesBeforeTheCurrentRecordAndCancelReturnsToIt)
{
    auto table = TeamsTable();
    for (const char* name : { "A", "B", "C" })
        AppendTeam(*table, name);
    table->SetRecNo(2);
    table->Insert();
    EXPECT_EQ(table->RecNo(), 2);
    EXPECT_EQ(table->RowCount(), 4);
    EXPECT_EQ(table->RecordCount(), 3);
    table->Cancel();
    EXPECT_EQ(table->FieldByName("TeamValue").AsString(), "B");

    table->Insert();
    table->FieldByName("TeamValue").SetAsString("X");
    table->Post();
    EXPECT_EQ(TextColumn(*table, "TeamValue"), (TStrings { "A", "X", "B", "C" }));
    EXPECT_EQ(table->RecNo(), 2);

    table->Append();
    EXPECT_EQ(table->RecNo(), 5);
    table->Cancel();
    EXPECT_EQ(table->RecNo(), 4);
    EXPECT_EQ(table->FieldByName("TeamValue").AsString(), "C");
}

TEST(MemDataSetEdit, InsertIntoAnOrderedViewUsesTheViewPositionInTheNaturalList)
{
    auto table = TeamsTable();
    for (const char* name : { "D", "C", "B", "A" })
        AppendTeam(*table, name);
    table->SetOrderBy("TeamValue");
    table->SetRecNo(2); // "B", the third natural record
    table->Insert();
    table->FieldByName("TeamValue").SetAsString("Z");
    table->Post();
    EXPECT_EQ(table->RecNo(), 5);
    table->SetOrderBy("");
    EXPECT_EQ(TextColumn(*table, "TeamValue"), (TStrings { "D", "Z", "C", "B", "A" }));
}

TEST(MemDataSetEdit, DeleteMakesTheFollowingRecordCurrent)
{
    auto table = TeamsTable();
    for (const char* name : { "A", "B", "C" })
        AppendTeam(*table, name);
    table->SetRecNo(2);
    table->Delete();
    EXPECT_EQ(table->FieldByName("TeamValue").AsString(), "C");
    table->Delete();
    EXPECT_EQ(table->FieldByName("TeamValue").AsString(), "A");
    table->Delete();
    EXPECT_TRUE(table->Bof());
    EXPECT_TRUE(table->Eof());
    EXPECT_EQ(table->RecNo(), 0);
    try {
        table->Delete();
        FAIL();
    } catch (const EDatabaseError& error) {
        EXPECT_STREQ(error.what(), "Cannot perform this operation on an empty dataset");
    }
}

TEST(MemDataSetEdit, AutoincNumbering)
{
    auto table = TeamsTable();
    for (const char* name : { "A", "B", "C" })
        AppendTeam(*table, name);
    EXPECT_EQ(IntColumn(*table, "TeamID"), (std::vector<int> { 1, 2, 3 }));
    while (!table->IsEmpty())
        table->Delete();
    AppendTeam(*table, "D");
    EXPECT_EQ(table->FieldByName("TeamID").AsInteger(), 4); // deleting never lowers it

    table->Append();
    EXPECT_EQ(table->FieldByName("TeamID").AsInteger(), 5);
    table->Cancel(); // the number is given back
    AppendTeam(*table, "E");
    EXPECT_EQ(table->FieldByName("TeamID").AsInteger(), 5);

    table->Close();
    table->Open();
    EXPECT_EQ(table->AutoIncValue(), 5);
    EXPECT_EQ(table->RecordCount(), 2);

    table->EmptyTable();
    EXPECT_TRUE(table->Bof() && table->Eof());
    AppendTeam(*table, "F");
    EXPECT_EQ(table->FieldByName("TeamID").AsInteger(), 1);
}

TEST(MemDataSetEdit, HandlersCancelOperations)
{
    auto table = TeamsTable();
    AppendTeam(*table, "A");

    // A failing new-record handler leaves the table browsing without the record.
    table->OnNewRecord = [](TMemDataSet& t) {
        t.FieldByName("TeamValue").SetAsString("new");
        throw EDatabaseError("no");
    };
    EXPECT_THROW(table->Append(), EDatabaseError);
    EXPECT_EQ(table->State(), TDataSetState::Browse);
    EXPECT_EQ(table->RecordCount(), 1);
    EXPECT_EQ(table->AutoIncValue(), 1);
    table->OnNewRecord = nullptr;

    table->BeforeInsert = [](TMemDataSet&) { Abort(); };
    EXPECT_THROW(table->Insert(), EAbort);
    EXPECT_EQ(table->State(), TDataSetState::Browse);
    table->BeforeInsert = nullptr;

    table->BeforePost = [](TMemDataSet&) { Abort(); };
    table->Edit();
    table->FieldByName("TeamValue").SetAsString("B");
    EXPECT_THROW(table->Post(), EAbort);
    EXPECT_EQ(table->State(), TDataSetState::Edit);
    table->Cancel();
    EXPECT_EQ(table->FieldByName("TeamValue").AsString(), "A");
    table->BeforePost = nullptr;

    table->BeforeDelete = [](TMemDataSet&) { Abort(); };
    EXPECT_THROW(table->Delete(), EAbort);
    EXPECT_EQ(table->RecordCount(), 1);
}

TEST(MemDataSetEdit, FinishingAPendingEditPostsOnlyChanges)
{
    auto table = TeamsTable();
    TRecordingView view;
    table->AttachObserver(&view);
    // A new record that nobody typed into is dropped by the next move.
    table->OnNewRecord = [](TMemDataSet& t) { t.FieldByName("TeamValue").SetAsString("x"); };
    table->Append();
    table->First();
    EXPECT_EQ(table->RecordCount(), 0);

    // A view writes its pending value when the edit is finished.
    view.OnUpdateRecord = [](TMemDataSet& t) { t.FieldByName("TeamValue").SetAsString("typed"); };
    table->Append();
    table->First();
    EXPECT_EQ(table->RecordCount(), 1);
    EXPECT_EQ(table->FieldByName("TeamValue").AsString(), "typed");
    EXPECT_GE(view.UpdateRecordCalls, 2);
    table->DetachObserver(&view);

    EXPECT_THROW(table->Post(), EDatabaseError);
    table->Close();
    try {
        table->First();
        FAIL();
    } catch (const EDatabaseError& error) {
        EXPECT_STREQ(error.what(), "Cannot perform this operation on a closed dataset");
    }
}

TEST(MemDataSetNavigation, BofEofAndMoveBy)
{
    auto table = TeamsTable();
    EXPECT_TRUE(table->Bof() && table->Eof());
    for (const char* name : { "A", "B", "C" })
        AppendTeam(*table, name);
    table->First();
    EXPECT_TRUE(table->Bof());
    EXPECT_FALSE(table->Eof());
    TStrings seen;
    while (!table->Eof()) {
        seen.push_back(table->FieldByName("TeamValue").AsString());
        table->Next();
    }
    EXPECT_EQ(seen, (TStrings { "A", "B", "C" }));
    EXPECT_EQ(table->RecNo(), 3);
    EXPECT_EQ(table->MoveBy(-5), -2);
    EXPECT_TRUE(table->Bof());
    table->Last();
    EXPECT_TRUE(table->Eof());
    table->Prior();
    EXPECT_EQ(table->RecNo(), 2);
    EXPECT_FALSE(table->Bof() || table->Eof());
}

TEST(MemDataSetBookmark, BookmarksArePositions)
{
    auto table = TeamsTable();
    for (int i = 1; i <= 10; ++i)
        AppendTeam(*table, "T" + std::to_string(i));
    table->SetRecNo(5);
    const std::string mark = table->Bookmark();
    EXPECT_EQ(mark.size(), 4u);
    EXPECT_EQ(table->GetBookmark(), 5);

    for (int i = 0; i < 2; ++i) {
        table->First();
        table->Delete();
    }
    table->SetBookmark(mark);
    EXPECT_EQ(table->FieldByName("TeamValue").AsString(), "T7");
    table->SetBookmark(""); // does nothing
    EXPECT_EQ(table->RecNo(), 5);

    while (table->RecordCount() > 4)
        table->Delete();
    EXPECT_FALSE(table->BookmarkValid(5));
    try {
        table->SetBookmark(mark);
        FAIL();
    } catch (const EDatabaseError& error) {
        EXPECT_STREQ(error.what(), "Record not found");
    }
    EXPECT_EQ(TMemDataSet::CompareBookmarks(2, 5), -1);
}

TEST(MemDataSetNotify, DisableControlsNests)
{
    auto table = TeamsTable();
    AppendTeam(*table, "A");
    TRecordingView view;
    table->AttachObserver(&view);

    table->DisableControls();
    table->DisableControls();
    AppendTeam(*table, "B");
    table->EnableControls();
    EXPECT_TRUE(view.Take().empty());
    EXPECT_TRUE(table->ControlsDisabled());
    table->EnableControls();
    EXPECT_EQ(view.Take(), (TStrings { "DataSetChange" }));
    table->EnableControls(); // at zero: nothing
    EXPECT_TRUE(view.Take().empty());

    // A state that differs from the one at the first disable is reported first.
    table->DisableControls();
    table->Edit();
    table->EnableControls();
    EXPECT_EQ(view.Take(), (TStrings { "StateChange", "DataSetChange" }));
    table->Cancel();
    view.Take();
    table->DisableControls();
    table->Close();
    table->EnableControls();
    EXPECT_EQ(view.Take(), (TStrings { "StateChange" }));
}

TEST(MemDataSetNotify, EditCycleNotifications)
{
    auto table = TeamsTable();
    AppendTeam(*table, "A");
    TRecordingView view;
    table->AttachObserver(&view);

    table->Append();
    EXPECT_EQ(view.Take(), (TStrings { "StateChange", "DataSetChange" }));
    table->FieldByName("TeamValue").SetAsString("B");
    EXPECT_EQ(view.Take(), (TStrings { "FieldChange:TeamValue" }));
    table->Post();
    EXPECT_EQ(view.Take(), (TStrings { "StateChange", "DataSetChange" }));
    table->Edit();
    EXPECT_EQ(view.Take(), (TStrings { "StateChange", "RecordChange" }));
    table->Cancel();
    EXPECT_EQ(view.Take(), (TStrings { "StateChange", "RecordChange" }));
    table->Prior();
    EXPECT_EQ(view.Take(), (TStrings { "DataSetScroll" }));
    table->Prior(); // no move, no scroll
    EXPECT_TRUE(view.Take().empty());
    table->DetachObserver(&view);
}

TEST(MemDataSetNotify, ViewsReadAnyRowWithoutMovingTheCursor)
{
    auto table = TeamsTable();
    for (const char* name : { "A", "B", "C" })
        AppendTeam(*table, name);
    TField& team = table->FieldByName("TeamValue");
    // A text handler reads the row being shown.
    team.OnGetText = [](TField& field, std::string& text, bool display) {
        text = (display ? "<" : "") + field.AsString() + (display ? ">" : "");
    };
    table->SetRecNo(2);
    EXPECT_EQ(table->DisplayTextAt(3, team), "<C>");
    EXPECT_EQ(table->DisplayTextAt(4, team), "");
    EXPECT_EQ(std::get<int>(table->ValueAt(1, table->FieldByName("TeamID"))), 1);
    EXPECT_EQ(table->RecNo(), 2);
    EXPECT_EQ(team.Text(), "B");

    table->Edit();
    team.SetAsString("b");
    EXPECT_EQ(TextColumn(*table, "TeamValue"), (TStrings { "<A>", "<b>", "<C>" }));
    table->Cancel();
    table->Insert(); // the new row shows at the cursor's row
    team.SetAsString("new");
    EXPECT_EQ(TextColumn(*table, "TeamValue"), (TStrings { "<A>", "<new>", "<B>", "<C>" }));
    // While another row is read, the table does not pretend to edit it.
    TDataSetState seen = TDataSetState::Insert;
    team.OnGetText = [&](TField& field, std::string& text, bool) {
        seen = field.DataSet().State();
        text = field.AsString();
    };
    table->DisplayTextAt(3, team);
    EXPECT_EQ(seen, TDataSetState::Browse);
    table->Cancel();
}
