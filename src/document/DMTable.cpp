#include "document/DMTable.h"

#include "engine/DateFormat.h"
#include "engine/DatePeriod.h"
#include "engine/GameStore.h"
#include "engine/GameTime.h"
#include "engine/NameSource.h"
#include "engine/Pairing.h"
#include "engine/SharedSlots.h"
#include "engine/Platform.h"
#include "engine/TextUtils.h"
#include "engine/Values.h"

TTallivorandaData* TallivorandaData = nullptr;

namespace {

constexpr int MaxTeamRows = 254;

} // namespace

TTallivorandaData::TTallivorandaData()
{
    LocationsSource.DataSet = &LocationsData;
    TeamsSource.DataSet = &TeamsData;
    TimesSource.DataSet = &TimesData;
    PreferencesSource.DataSet = &PreferencesData;
    ScheduleSource.DataSet = &ScheduleData;
    DatesSource.DataSet = &DatesData;
    CalendarSource.DataSet = &CalendarData;

    CreateFields();
    WireEvents();
    TallivorandaData = this;
    InstallNameSources();
    ResetDocument();
}

void TTallivorandaData::InstallNameSources()
{
    // The engine reads team names by position without moving the teams table's cursor, so
    // that generation does not scroll an open teams editor.
    SetNameSources(
        [this](int team) -> std::string {
            if (team < 1 || team > TeamsData.RecordCount())
                return {};
            const TVariant value = TeamsData.ValueAt(team, *FTeam);
            const auto* text = std::get_if<std::string>(&value);
            return text && !text->empty() ? *text : std::string(" ");
        },
        [this](int key) { return LocationsLookup.NameOfKey(key); });
    SetSharedSlotFiller(&FillSharedSlots);
}

TTallivorandaData::~TTallivorandaData()
{
    // The slot list and the periods go with the module.
    FreeGameTimes();
    m_periods.reset();
    if (TallivorandaData == this) {
        SetNameSources({}, {});
        SetSharedSlotFiller(nullptr);
        TallivorandaData = nullptr;
    }
}

void TTallivorandaData::CreateFields()
{
    LocationsData.SetFieldsDefinitionItems({ "LocationID;14;0;0", "LocationValue;1;40;0" });
    FlocationID = &LocationsData.AddField("LocationID", ftAutoInc);
    FLocation = &LocationsData.AddField("LocationValue", ftString, 40);

    TeamsData.SetFieldsDefinitionItems({ "TeamID;14;0;0", "TeamValue;1;40;0" });
    FTeamID = &TeamsData.AddField("TeamID", ftAutoInc);
    FTeam = &TeamsData.AddField("TeamValue", ftString, 40);

    TimesData.SetFieldsDefinitionItems({ "TimeID;14;0;0", "TimeValue;1;20;0" });
    FTimeID = &TimesData.AddField("TimeID", ftAutoInc);
    FTime = &TimesData.AddField("TimeValue", ftString, 20);

    // The two stored name fields are never filled; the names shown come from the lookups.
    PreferencesData.SetFieldsDefinitionItems(
        { "TeamID;3;0;0", "TeamValue;1;20;0", "LocationID;3;0;0", "LocationValue;1;20;0" });
    TeamIDPref = &PreferencesData.AddField("TeamID", ftInteger);
    TeamPref = &PreferencesData.AddLookupField(
        "TeamValue", 40, TeamsData, "TeamID", "TeamValue", "TeamID");
    TeamPref->DisplayLabel = "Team";
    LocationIDPref = &PreferencesData.AddField("LocationID", ftInteger);
    LocationPref = &PreferencesData.AddLookupField(
        "LocationValue", 40, LocationsData, "LocationID", "LocationValue", "LocationID");
    LocationPref->DisplayLabel = "Location";
    LocationPref->DisplayWidth = 40;

    ScheduleData.SetFieldsDefinitionItems(
        { "Status;1;2;0", "RoundNo;3;0;0", "GameNo;3;0;0", "Day;1;3;0", "Date;9;0;0", "Time;1;8;0",
            "IntTime;10;0;0", "Location;1;40;0", "HomeTeam;1;40;0", "AwayTeam;1;40;0" });
    auto schedField
        = [this](const char* name, TFieldType type, int size, const char* label, int width) {
              TField& field = ScheduleData.AddField(name, type, size);
              field.DisplayLabel = label;
              if (width > 0)
                  field.DisplayWidth = width;
              return &field;
          };
    SchedStatus = schedField("Status", ftString, 2, "Status", 6);
    SchedRoundNo = schedField("RoundNo", ftInteger, 0, "Round", 5);
    SchedRoundNo->Alignment = TAlignment::Center;
    SchedGameNo = schedField("GameNo", ftInteger, 0, "Game", 4);
    SchedGameNo->Alignment = TAlignment::Center;
    SchedDay = schedField("Day", ftString, 3, "Day", 3);
    SchedDate = schedField("Date", ftDate, 0, "Date", 9);
    SchedTime = schedField("Time", ftString, 8, "Time", 7);
    SchedIntTime = schedField("IntTime", ftTime, 0, "IntTime", 0);
    SchedLocation = schedField("Location", ftString, 40, "Location", 20);
    SchedHomeTeam = schedField("HomeTeam", ftString, 40, "Home Team", 20);
    SchedAwayTeam = schedField("AwayTeam", ftString, 40, "Away Team", 20);

    DatesData.SetFieldsDefinitionItems({ "GameDay;1;3;0", "GameDates;11;0;0" });
    DatesGameDay = &DatesData.AddField("GameDay", ftString, 3);
    DatesGameDates = &DatesData.AddField("GameDates", ftDateTime);

    CalendarData.SetFieldsDefinitionItems(
        { "CalendarID;14;0;0", "FromDate;11;0;0", "ToDate;11;0;0", "GameDays;1;14;0" });
    CalendarID = &CalendarData.AddField("CalendarID", ftAutoInc);
    CalendarID->ReadOnly = true;
    CalendarID->Visible = false;
    CalendarFromDate = &CalendarData.AddField("FromDate", ftDateTime);
    CalendarToDate = &CalendarData.AddField("ToDate", ftDateTime);
    CalendarToDate->DisplayLabel = "To Date";
    CalendarGameDays = &CalendarData.AddField("GameDays", ftString, 14);
    CalendarData.SetOrderBy("FromDate;CalendarID");
}

void TTallivorandaData::WireEvents()
{
    using namespace std::placeholders;
    auto modified = [this](TMemDataSet& ds) { PostModified(ds); };
    auto teamsModified = [this](TMemDataSet& ds) { PostTeamsModified(ds); };
    auto warning = [this](TMemDataSet& ds) { InvalidateScheduleWarning(ds); };

    LocationsData.AfterInsert = modified;
    LocationsData.AfterEdit = modified;
    LocationsData.AfterPost = modified;
    LocationsData.AfterDelete = modified;
    LocationsData.BeforeDelete = warning;

    TeamsData.BeforeInsert = [this](TMemDataSet& ds) { TeamsDataBeforeInsert(ds); };
    TeamsData.AfterInsert = teamsModified;
    TeamsData.AfterEdit = modified;
    TeamsData.AfterPost = modified;
    TeamsData.BeforeDelete = warning;
    TeamsData.AfterDelete = teamsModified;

    TimesData.AfterInsert = modified;
    TimesData.AfterEdit = modified;
    TimesData.AfterPost = modified;
    TimesData.AfterDelete = modified;
    FTime->OnValidate = [this](TField& field) { FTimeValidate(field); };

    PreferencesData.BeforeInsert = warning;
    PreferencesData.BeforeEdit = warning;
    PreferencesData.BeforeDelete = warning;
    PreferencesData.AfterInsert = modified;
    PreferencesData.AfterEdit = modified;
    PreferencesData.AfterPost = modified;
    PreferencesData.AfterDelete = modified;

    ScheduleData.BeforePost = [this](TMemDataSet& ds) { ScheduleDataBeforePost(ds); };
    ScheduleData.OnFilterRecord
        = [this](TMemDataSet& ds, bool& accept) { ScheduleDataFilterRecord(ds, accept); };
    auto dateText
        = [this](TField& f, std::string& text, bool display) { DateGetText(f, text, display); };
    SchedDate->OnGetText = dateText;
    DatesGameDates->OnGetText = dateText;

    auto calendarText = [this](TField& f, std::string& text, bool display) {
        CalendarDateGetText(f, text, display);
    };
    CalendarFromDate->OnGetText = calendarText;
    CalendarToDate->OnGetText = calendarText;
    CalendarData.OnNewRecord = [this](TMemDataSet& ds) { CalendarDataNewRecord(ds); };
    CalendarData.BeforeInsert = [this](TMemDataSet& ds) { CalendarDataBeforeInsert(ds); };
    CalendarData.BeforePost = [this](TMemDataSet& ds) { CalendarDataBeforePost(ds); };
    CalendarData.AfterPost = [this](TMemDataSet& ds) { CalendarDataAfterPost(ds); };
    CalendarData.BeforeDelete = [this](TMemDataSet& ds) { CalendarDataBeforeDelete(ds); };
    CalendarData.AfterDelete = [this](TMemDataSet& ds) { CalendarDataAfterPost(ds); };
}

void TTallivorandaData::ResetDocument()
{
    for (TMemDataSet* table : { &LocationsData, &TeamsData, &TimesData, &PreferencesData,
             &ScheduleData, &CalendarData, &DatesData }) {
        if (!table->Active())
            table->Open();
        table->EmptyTable();
    }
    RenewGameTimes();
    m_periods = std::make_unique<TPeriodList>();

    GenerateSettings = TGenerateSettings {};
    SharedPairCount = 0;
    Modified = false;
    ClearChangeFlags();
    ScheduleExists = false;
    UpdateNextPeriodDate();
}

void TTallivorandaData::ClearChangeFlags()
{
    TeamsChanged = TimesChanged = LocationsChanged = PreferencesChanged = false;
}

void TTallivorandaData::PostModified(TMemDataSet& dataSet)
{
    Modified = true;
    const std::string& name = dataSet.Name();
    if (name == "TeamsData")
        TeamsChanged = true;
    else if (name == "TimesData")
        TimesChanged = true;
    else if (name == "LocationsData")
        LocationsChanged = true;
    else if (name == "PreferencesData")
        PreferencesChanged = true;
}

void TTallivorandaData::PostTeamsModified(TMemDataSet&)
{
    Modified = true;
    TeamsChanged = true;
    ScheduleExists = false;
}

void TTallivorandaData::TeamsDataBeforeInsert(TMemDataSet& dataSet)
{
    // Team numbers are 8-bit: the real teams may never exceed the store. A bye team present
    // now goes again when the count becomes even, so it does not count here.
    const int realTeams = dataSet.RecordCount() - (HasByeTeam() ? 1 : 0);
    if (realTeams >= MaxTeamRows) {
        Prompt().ErrorBox(TeamsFullMessage);
        Abort();
    }
    InvalidateScheduleWarning(dataSet);
}

void TTallivorandaData::InvalidateScheduleWarning(TMemDataSet& dataSet)
{
    if (!ScheduleExists)
        return;
    std::string reason;
    const std::string& name = dataSet.Name();
    if (name == "TeamsData")
        reason = "Adding or deleting a team";
    if (GenerateSettings.LocationType == ltShared) {
        if (name == "LocationsData")
            reason = "Deleting a location when using shared locations";
        else if (name == "PreferencesData")
            reason = "Changing team locations when using shared locations";
    }
    if (reason.empty())
        return;
    if (Prompt().WarningOkCancel(reason + " will delete all games in the existing schedule")) {
        ScheduleExists = false;
        return;
    }
    dataSet.Cancel();
    Abort();
}

void TTallivorandaData::FTimeValidate(TField& field)
{
    const std::string text = Trim(field.AsString());
    if (text.empty())
        return;
    TDateTime time = 0;
    if (!TryStrToTime(text, time)) {
        ShowTimeFormatError();
        Abort();
    }
}

void TTallivorandaData::ScheduleDataBeforePost(TMemDataSet&)
{
    SchedIntTime->SetAsDateTime(StrToTimeOrZero(SchedTime->AsString()));
}

void TTallivorandaData::ScheduleDataFilterRecord(TMemDataSet& dataSet, bool& accept)
{
    if (ScheduleFilterTest)
        accept = ScheduleFilterTest(dataSet);
}

void TTallivorandaData::DateGetText(TField& field, std::string& text, bool)
{
    const TDateTime value = field.AsDateTime();
    text = value == 0 ? std::string() : FormatDateTime(DateDisplayFormat, value);
}

void TTallivorandaData::CalendarDateGetText(TField& field, std::string& text, bool)
{
    const TDateTime value = field.AsDateTime();
    if (value == 0) {
        text.clear();
        return;
    }
    const TDateTime fixed = FixYear(value);
    text = DateToText(fixed);
    const TDataSetState state = CalendarData.State();
    if (fixed != value && (state == TDataSetState::Edit || state == TDataSetState::Insert))
        field.SetAsDateTime(fixed);
}

void TTallivorandaData::CalendarDataNewRecord(TMemDataSet&)
{
    CalendarFromDate->SetAsDateTime(NextPeriodDate);
    CalendarToDate->SetAsDateTime(NextPeriodDate);
}

void TTallivorandaData::CalendarDataBeforeInsert(TMemDataSet&)
{
    // Every calendar row must have a period: a row the period list cannot take is refused
    // before anything changes.
    if (m_periods->Count() >= TPeriodList::MaxPeriods) {
        Prompt().ErrorBox(CalendarFullMessage);
        Abort();
    }
}

void TTallivorandaData::CalendarDataBeforePost(TMemDataSet& dataSet)
{
    if (dataSet.State() != TDataSetState::Insert)
        return;
    if (m_periods->Count() >= TPeriodList::MaxPeriods) {
        Prompt().ErrorBox(CalendarFullMessage);
        Abort();
    }
    m_periods->AddEditPeriod(CalendarID->AsInteger());
}

void TTallivorandaData::CalendarDataAfterPost(TMemDataSet&)
{
    BuildDates();
    Modified = true;
    UpdateNextPeriodDate();
}

void TTallivorandaData::CalendarDataBeforeDelete(TMemDataSet&)
{
    DeleteCurrentPeriod();
}

void TTallivorandaData::DeleteCurrentPeriod()
{
    const int index = m_periods->IndexOfID(CalendarID->AsInteger());
    if (index >= 0)
        m_periods->Delete(index);
}

void TTallivorandaData::UpdateNextPeriodDate()
{
    if (CalendarData.RecordCount() > 0) {
        const TBookmark mark = CalendarData.GetBookmark();
        CalendarData.Last();
        NextPeriodDate = CalendarToDate->AsDateTime() + 1;
        if (mark > 0 && CalendarData.BookmarkValid(mark))
            CalendarData.GotoBookmark(mark);
    } else {
        // A new period starts on today's date, without a time of day.
        NextPeriodDate = DateOf(Clock().Now());
    }
}

TPeriod* TTallivorandaData::CurrentPeriod()
{
    if (CalendarData.IsEmpty())
        return nullptr;
    const int index = m_periods->IndexOfID(CalendarID->AsInteger());
    return index < 0 ? nullptr : m_periods->Items(index);
}

void TTallivorandaData::PeriodToRecord(const TPeriod& period)
{
    CalendarGameDays->SetAsString(DaysToCodes(period.GameDays));
    CalendarFromDate->SetAsDateTime(period.FromDate);
    CalendarToDate->SetAsDateTime(period.ToDate);
}

void TTallivorandaData::BuildDates()
{
    DatesSource.Enabled = true;
    DatesData.EmptyTable();
    TGameTimeList& slots = *RenewGameTimes();

    const TBookmark mark = CalendarData.GetBookmark();
    CalendarData.DisableControls();
    CalendarData.First();
    while (!CalendarData.Eof()) {
        if (const TPeriod* p = CurrentPeriod()) {
            const TDateTime last = DateOf(p->ToDate);
            for (TDateTime d = p->FromDate; d != 0 && DateOf(d) <= last; d += 1) {
                const int w = DayOfWeek(d);
                for (int j = 0; j <= p->TimeCount; ++j)
                    slots.AddItem(p->GameCounts(w, j), d, p->Times(j));
            }
        }
        CalendarData.Next();
    }
    if (mark > 0 && CalendarData.BookmarkValid(mark))
        CalendarData.GotoBookmark(mark);
    CalendarData.EnableControls();

    slots.Reset();
    TDateTime last = 0;
    while (slots.current().Date != 0) {
        slots.Next();
        if (slots.current().Date > last) {
            DatesData.Append();
            DatesGameDates->SetAsDateTime(slots.current().Date);
            DatesGameDay->SetAsString(DayName(slots.current().Date));
            DatesData.Post();
            last = slots.current().Date;
        }
    }
    ProcessPendingEvents();
}

void TTallivorandaData::ScheduleDisable()
{
    ScheduleBookmark = ScheduleData.Bookmark();
    ScheduleData.DisableControls();
}

void TTallivorandaData::ScheduleEnable()
{
    try {
        ScheduleData.SetBookmark(ScheduleBookmark);
    } catch (const Exception&) {
        ScheduleData.First();
    }
    ScheduleData.EnableControls();
}

void TTallivorandaData::RefreshPreferences()
{
    const int count = PreferencesData.RecordCount();
    PreferencesData.First();
    for (int i = 0; i < count; ++i) {
        if (VarIsNull(TeamsData.Lookup("TeamID", TeamIDPref->Value(), "TeamID"))) {
            PreferencesData.Delete();
            continue;
        }
        PreferencesData.Edit(); // recomputes both lookup names
        if (LocationPref->AsString().empty())
            LocationIDPref->SetAsInteger(0);
        PreferencesData.Post();
        PreferencesData.Next();
    }
}

void TTallivorandaData::BalanceByeTeam()
{
    if (TeamsData.RecordCount() % 2 == 0)
        return;
    if (TeamsData.Locate("TeamValue", TVariant(std::string(ByeTeamName)))) {
        TeamsData.Delete();
    } else {
        TeamsData.Append();
        FTeam->SetAsString(ByeTeamName);
        TeamsData.Post();
    }
}

bool TTallivorandaData::HasByeTeam()
{
    return !VarIsNull(
        TeamsData.Lookup("TeamValue", TVariant(std::string(ByeTeamName)), "TeamValue"));
}

int TTallivorandaData::PreferredLocation(int teamID)
{
    const TVariant value = PreferencesData.Lookup("TeamID", TVariant(teamID), "LocationID");
    if (const int* key = std::get_if<int>(&value))
        return *key;
    return -1;
}
