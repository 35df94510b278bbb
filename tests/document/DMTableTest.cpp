#include "document/DMTable.h"
#include "engine/DatePeriod.h"
#include "engine/GameStore.h"
#include "engine/GameTime.h"
#include "engine/TextUtils.h"
#include "support/DocumentFixture.h"

using Strings = std::vector<std::string>;

namespace {

TDateTime Date(int y, int m, int d)
{
    return EncodeDate(y, m, d);
}

class FixedClock final : public IClock {
public:
    TDateTime Now() override { return EncodeDate(2026, 12, 11) + EncodeTime(15, 30, 0, 0); }
};

} // namespace

using DataModule = DocumentFixture;

TEST_F(DataModule, ResetLeavesEveryTableOpenAndEmptyAndTheFlagsCleared)
{
    AddTeams({ "A", "B" });
    Data.ScheduleExists = true;
    GenerateSettings.LocationType = ltFair;
    Data.ResetDocument();
    for (TMemDataSet* t : { &Data.LocationsData, &Data.TeamsData, &Data.TimesData,
             &Data.PreferencesData, &Data.ScheduleData, &Data.DatesData, &Data.CalendarData }) {
        EXPECT_TRUE(t->Active()) << t->Name();
        EXPECT_EQ(t->RecordCount(), 0) << t->Name();
    }
    EXPECT_FALSE(Data.Modified);
    EXPECT_FALSE(Data.TeamsChanged);
    EXPECT_FALSE(Data.ScheduleExists);
    EXPECT_EQ(GenerateSettings.LocationType, ltManual);
    EXPECT_TRUE(GenerateSettings.AutoRounds);
    // Numbering starts again at 1.
    AddTeams({ "C" });
    EXPECT_EQ(Data.FTeamID->AsInteger(), 1);
}

TEST_F(DataModule, ListEditsSetTheirOwnChangeFlag)
{
    AddLocations({ "Park" });
    EXPECT_TRUE(Data.LocationsChanged);
    EXPECT_FALSE(Data.TimesChanged);
    AddTimes({ "17:00" });
    EXPECT_TRUE(Data.TimesChanged);
    EXPECT_FALSE(Data.TeamsChanged);
    Data.ScheduleExists = true;
    AddTeams({ "A" }); // no schedule warning answers here: the default is OK
    EXPECT_TRUE(Data.TeamsChanged);
    EXPECT_TRUE(Data.Modified);
    EXPECT_FALSE(Data.ScheduleExists);
    Data.ClearChangeFlags();
    EXPECT_FALSE(Data.TeamsChanged || Data.TimesChanged || Data.LocationsChanged);
}

TEST_F(DataModule, AddingATeamToAScheduleAsksFirst)
{
    AddTeams({ "A", "B" });
    Data.ScheduleExists = true;

    User.Prompts.Script({ false });
    EXPECT_THROW(Data.TeamsData.Insert(), EAbort);
    EXPECT_EQ(Data.TeamsData.State(), TDataSetState::Browse);
    EXPECT_EQ(Data.TeamsData.RecordCount(), 2);
    EXPECT_TRUE(Data.ScheduleExists);
    ASSERT_EQ(User.Prompts.Warnings().size(), 1u);
    EXPECT_EQ(User.Prompts.Warnings()[0],
        "Adding or deleting a team will delete all games in the existing schedule");

    // OK clears the schedule even when the new row is then cancelled.
    User.Prompts.Script({ true });
    Data.TeamsData.Insert();
    EXPECT_FALSE(Data.ScheduleExists);
    Data.TeamsData.Cancel();
    EXPECT_EQ(Data.TeamsData.RecordCount(), 2);
}

TEST_F(DataModule, WithoutAScheduleTeamChangesNeverAsk)
{
    AddTeams({ "A", "B" });
    Data.TeamsData.First();
    Data.TeamsData.Delete();
    EXPECT_TRUE(User.Prompts.Warnings().empty());
    EXPECT_TRUE(Data.TeamsChanged);
    EXPECT_TRUE(Data.Modified);
}

TEST_F(DataModule, DeletingALocationAsksOnlyUnderSharedLocations)
{
    AddLocations({ "Park", "Hall" });
    Data.ScheduleExists = true;
    GenerateSettings.LocationType = ltFair;
    Data.LocationsData.First();
    Data.LocationsData.Delete();
    EXPECT_TRUE(User.Prompts.Warnings().empty());
    EXPECT_TRUE(Data.ScheduleExists);

    GenerateSettings.LocationType = ltShared;
    User.Prompts.Script({ false });
    EXPECT_THROW(Data.LocationsData.Delete(), EAbort);
    EXPECT_EQ(Data.LocationsData.RecordCount(), 1);
    ASSERT_EQ(User.Prompts.Warnings().size(), 1u);
    EXPECT_EQ(User.Prompts.Warnings()[0],
        "Deleting a location when using shared locations will "
        "delete all games in the existing schedule");
}

TEST_F(DataModule, ChangingTeamLocationsAsksUnderSharedLocations)
{
    AddTeams({ "A", "B" });
    AddLocations({ "Park" });
    AddPreference(1, 1);
    Data.ScheduleExists = true;
    GenerateSettings.LocationType = ltShared;
    User.Prompts.Script({ false });
    EXPECT_THROW(Data.PreferencesData.Edit(), EAbort);
    EXPECT_EQ(Data.PreferencesData.State(), TDataSetState::Browse);
    EXPECT_EQ(User.Prompts.Warnings().back(),
        "Changing team locations when using shared "
        "locations will delete all games in the existing "
        "schedule");
}

TEST_F(DataModule, TypedTimesAreValidated)
{
    struct Case {
        const char* text;
        bool accepted;
    };
    const Case cases[] = { { "5:00pm", true }, { "17:00", true }, { "   ", true },
        { "25:00", false }, { "abc", false } };
    AddTimes({ "18:00" });
    for (const Case& c : cases) {
        Data.TimesData.Edit();
        const std::size_t errors = User.Prompts.Errors().size();
        if (c.accepted) {
            Data.FTime->SetAsString(c.text);
            EXPECT_EQ(Data.FTime->AsString(), c.text);
            EXPECT_EQ(User.Prompts.Errors().size(), errors);
        } else {
            EXPECT_THROW(Data.FTime->SetAsString(c.text), EAbort) << c.text;
            ASSERT_EQ(User.Prompts.Errors().size(), errors + 1) << c.text;
            EXPECT_EQ(User.Prompts.Errors().back(), "Enter times as hh:mm e.g. 17:00 or 5:00pm");
            EXPECT_NE(Data.FTime->AsString(), c.text) << "the old value stays";
            EXPECT_EQ(Data.TimesData.State(), TDataSetState::Edit) << "the edit stays open";
        }
        Data.TimesData.Cancel();
    }
}

TEST_F(DataModule, ScheduleRowsDeriveTheirNumericTime)
{
    Data.ScheduleData.Append();
    Data.SchedTime->SetAsString("5:00pm");
    Data.ScheduleData.Post();
    EXPECT_EQ(Data.SchedIntTime->AsDateTime(), EncodeTime(17, 0, 0, 0));
    Data.ScheduleData.Edit();
    Data.SchedTime->SetAsString("");
    Data.ScheduleData.Post();
    EXPECT_EQ(Data.SchedIntTime->AsDateTime(), 0.0);
}

TEST_F(DataModule, DatesShowInTheDisplayFormatAndZeroAsBlank)
{
    Data.ScheduleData.Append();
    Data.SchedDate->SetAsDateTime(Date(2004, 3, 6));
    Data.ScheduleData.Post();
    EXPECT_EQ(Data.SchedDate->DisplayText(), "06 Mar 2004");
    Data.ScheduleData.Append();
    Data.ScheduleData.Post();
    EXPECT_EQ(Data.SchedDate->DisplayText(), "");
}

TEST_F(DataModule, ByeTeamKeepsTheTeamsEven)
{
    AddTeams({ "1", "2", "3", "4", "5", "6", "7" });
    Data.BalanceByeTeam();
    EXPECT_EQ(Data.TeamsData.RecordCount(), 8);
    EXPECT_TRUE(Data.HasByeTeam());
    EXPECT_EQ(Column(Data.TeamsData, *Data.FTeam).back(), "--bye--");

    Data.BalanceByeTeam(); // even: nothing changes
    EXPECT_EQ(Data.TeamsData.RecordCount(), 8);

    Data.TeamsData.First();
    Data.TeamsData.Delete(); // seven teams, one of them the bye team
    Data.BalanceByeTeam();
    EXPECT_EQ(Data.TeamsData.RecordCount(), 6);
    EXPECT_FALSE(Data.HasByeTeam());
}

TEST_F(DataModule, TheTeamsListRefusesMoreThanTheStoreHolds)
{
    for (int i = 1; i <= 253; ++i)
        AddRow(Data.TeamsData, *Data.FTeam, "Team " + std::to_string(i));
    Data.BalanceByeTeam();
    ASSERT_EQ(Data.TeamsData.RecordCount(), 254);
    // The bye team leaves again when the count becomes even, so one more real team fits.
    AddRow(Data.TeamsData, *Data.FTeam, "Team 254");
    Data.BalanceByeTeam();
    EXPECT_EQ(Data.TeamsData.RecordCount(), 254);
    EXPECT_FALSE(Data.HasByeTeam());

    EXPECT_THROW(Data.TeamsData.Append(), EAbort);
    EXPECT_EQ(Data.TeamsData.RecordCount(), 254);
    EXPECT_EQ(Data.TeamsData.State(), TDataSetState::Browse);
    ASSERT_FALSE(User.Prompts.Errors().empty());
    EXPECT_EQ(User.Prompts.Errors().back(), TeamsFullMessage);
}

TEST_F(DataModule, PreferredLocationAndRefreshAfterListChanges)
{
    AddTeams({ "A", "B", "C" });
    AddLocations({ "Park", "Hall" });
    AddPreference(1, 2);
    AddPreference(3, 1);
    AddPreference(2, 0);
    EXPECT_EQ(Data.PreferredLocation(1), 2);
    EXPECT_EQ(Data.PreferredLocation(2), 0);
    EXPECT_EQ(Data.PreferredLocation(4), -1);
    EXPECT_EQ(Data.TeamPref->AsString(), "B");

    // Team 3 and location 1 go: its row is dropped, the location of team 1 stays.
    Data.TeamsData.Last();
    Data.TeamsData.Delete();
    Data.LocationsData.First();
    Data.LocationsData.Delete();
    AddPreference(1, 1); // a second row pointing at the deleted location
    Data.RefreshPreferences();
    EXPECT_EQ(Data.PreferencesData.RecordCount(), 3);
    Strings teams = Column(Data.PreferencesData, *Data.TeamPref);
    EXPECT_EQ(teams, (Strings { "A", "B", "A" }));
    Strings locations = Column(Data.PreferencesData, *Data.LocationPref);
    EXPECT_EQ(locations, (Strings { "Hall", "", "" }));
    Data.PreferencesData.Last();
    EXPECT_EQ(Data.LocationIDPref->AsInteger(), 0);
}

class Calendar : public DocumentFixture {
protected:
    Calendar() { SetClock(&m_clock); }
    ~Calendar() override
    {
        FreeEditPeriod();
        SetClock(nullptr);
    }

    // A period from..to with one time at 17:00 and the given counts per weekday (-1: blank).
    void AddPeriod(
        TDateTime from, TDateTime to, int saturday, int sunday = -1, int saturdayAnyTime = -1)
    {
        CreateEditPeriod();
        TPeriod& p = *EditPeriod;
        p.FromDate = from;
        p.ToDate = to;
        p.SetTimeCount(1);
        p.Times(1) = EncodeTime(17, 0, 0, 0);
        p.GameCounts(7, 1) = saturday;
        p.GameCounts(1, 1) = sunday;
        p.GameCounts(7, 0) = saturdayAnyTime;
        for (int d = 1; d <= 7; ++d)
            for (int t = 0; t <= 1; ++t)
                if (p.GameCounts(d, t) > 0)
                    p.GameDays.Include(d);
        Data.CalendarData.Append();
        Data.PeriodToRecord(p);
        Data.CalendarData.Post();
    }

    // Slots as "key=count".
    Strings Slots()
    {
        Strings slots;
        const TGameTimeList& list = *GameTimes();
        for (int i = 0; i < list.Count(); ++i)
            slots.push_back(list.Keys(i) + "=" + std::to_string(list.Items(i).Count));
        return slots;
    }

private:
    FixedClock m_clock;
};

TEST_F(Calendar, RowsFileTheirPeriodAndBuildThePlayingDates)
{
    // Saturdays 6 and 13 March 2004, two games each at 17:00.
    AddPeriod(Date(2004, 3, 6), Date(2004, 3, 13), 2);
    EXPECT_EQ(Data.Periods().Count(), 1);
    ASSERT_NE(Data.CurrentPeriod(), nullptr);
    EXPECT_EQ(Data.CurrentPeriod()->ID, Data.CalendarID->AsInteger());
    EXPECT_EQ(Data.CalendarGameDays->AsString(), "Sa");
    EXPECT_EQ(Slots(), (Strings { "200403061700=2", "200403131700=2" }));
    EXPECT_EQ(GameTimes()->Total(), 4);
    EXPECT_EQ(Column(Data.DatesData, *Data.DatesGameDay), (Strings { "Sat", "Sat" }));
    EXPECT_EQ(Column(Data.DatesData, *Data.DatesGameDates).size(), 2u);
    EXPECT_TRUE(Data.Modified);

    Data.CalendarData.First();
    Data.CalendarData.Delete();
    EXPECT_EQ(Data.Periods().Count(), 0);
    EXPECT_EQ(GameTimes()->Total(), 0);
    EXPECT_EQ(Data.DatesData.RecordCount(), 0);
}

TEST_F(Calendar, OverlappingPeriodsResolveCellByCell)
{
    struct Case {
        int laterCount;
        Strings slots;
    };
    const Case cases[] = {
        { -1, { "200403061700=2" } }, // a blank cell keeps the earlier count
        { 0, {} }, // a zero removes the slot
        { 3, { "200403061700=3" } }, // a count replaces it
    };
    for (const Case& c : cases) {
        Data.ResetDocument();
        AddPeriod(Date(2004, 3, 6), Date(2004, 3, 6), 2);
        AddPeriod(Date(2004, 3, 6), Date(2004, 3, 6), c.laterCount);
        EXPECT_EQ(Slots(), c.slots) << c.laterCount;
        EXPECT_EQ(Data.DatesData.RecordCount(), c.slots.empty() ? 0 : 1);
    }
}

TEST_F(Calendar, AnyTimeComesBeforeTheTimedSlotsOfItsDay)
{
    AddPeriod(Date(2004, 3, 6), Date(2004, 3, 7), 2, 1, 4);
    EXPECT_EQ(Slots(), (Strings { "200403060000=4", "200403061700=2", "200403071700=1" }));
    EXPECT_EQ(Column(Data.DatesData, *Data.DatesGameDay), (Strings { "Sat", "Sun" }));
}

TEST_F(Calendar, APeriodEndingBeforeItStartsGivesNoDates)
{
    AddPeriod(Date(2004, 3, 13), Date(2004, 3, 6), 2);
    EXPECT_EQ(Data.Periods().Count(), 1);
    EXPECT_TRUE(Slots().empty());
}

TEST_F(Calendar, NextPeriodFollowsThePeriodThatStartsLast)
{
    EXPECT_EQ(Data.NextPeriodDate, Date(2026, 12, 11)) << "today, without the time of day";
    AddPeriod(Date(2004, 3, 1), Date(2004, 3, 7), 1);
    AddPeriod(Date(2004, 2, 1), Date(2004, 2, 14), 1);
    EXPECT_EQ(Data.NextPeriodDate, Date(2004, 3, 8));
    Data.CalendarData.Append();
    EXPECT_EQ(Data.CalendarFromDate->AsDateTime(), Date(2004, 3, 8));
    EXPECT_EQ(Data.CalendarToDate->AsDateTime(), Date(2004, 3, 8));
    Data.CalendarData.Cancel();
}

TEST_F(Calendar, TypedYearsFoldIntoTheAcceptedRange)
{
    AddPeriod(Date(2004, 3, 6), Date(2004, 3, 6), 1);
    Data.CalendarData.Edit();
    Data.CalendarToDate->SetAsDateTime(Date(1905, 3, 20));
    EXPECT_EQ(Data.CalendarToDate->DisplayText(), DateToText(Date(2005, 3, 20)));
    Data.CalendarData.Post();
    EXPECT_EQ(Data.CalendarToDate->AsDateTime(), Date(2005, 3, 20));
}

TEST_F(Calendar, AHundredthPeriodIsRefusedBeforeAnythingChanges)
{
    for (int i = 0; i < TPeriodList::MaxPeriods; ++i)
        AddPeriod(Date(2004, 1, 1) + i * 7, Date(2004, 1, 1) + i * 7, 1);
    ASSERT_EQ(Data.Periods().Count(), 99);
    EXPECT_THROW(Data.CalendarData.Append(), EAbort);
    EXPECT_EQ(Data.CalendarData.State(), TDataSetState::Browse);
    EXPECT_EQ(Data.CalendarData.RecordCount(), 99);
    EXPECT_EQ(User.Prompts.Errors().back(), CalendarFullMessage);
}
