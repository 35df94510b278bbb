#pragma once

#include "document/MemDataSet.h"
#include "document/Tables.h"
#include "engine/DateTime.h"

#include <memory>
#include <string>

class TPeriod;
class TPeriodList;

// A data source: what the data-aware grids read a table through. Disabling it detaches the
// grids from the table's row changes for a while (generation, rebuilding the grid).
struct TDataSource {
    TMemDataSet* DataSet = nullptr;
    bool Enabled = true;
};

// The schedule document: the seven tables with their fields and events, the change flags and
// the calendar periods. The events carry the document's rules: they mark it modified, keep the
// flags of each list, validate typed times, derive each game's numeric time, tie calendar rows
// to periods and rebuild the playing dates, and ask before a change that deletes the games.
// The generation settings live in the engine (GenerateSettings, SharedPairCount); ResetDocument
// resets them with the rest.
class TTallivorandaData {
public:
    TTallivorandaData();
    ~TTallivorandaData();
    TTallivorandaData(const TTallivorandaData&) = delete;
    TTallivorandaData& operator=(const TTallivorandaData&) = delete;

    TMemDataSet LocationsData { "LocationsData" };
    TMemDataSet TeamsData { "TeamsData" };
    TMemDataSet TimesData { "TimesData" };
    TMemDataSet PreferencesData { "PreferencesData" };
    TMemDataSet ScheduleData { "ScheduleData" };
    TMemDataSet DatesData { "DatesData" };
    TMemDataSet CalendarData { "CalendarData" };

    // Lookups by key and by position over the three detail lists.
    TDetailLookups TeamsLookup { TeamsData, "TeamValue", "TeamID" };
    TDetailLookups LocationsLookup { LocationsData, "LocationValue", "LocationID" };
    TDetailLookups TimesLookup { TimesData, "TimeValue", "TimeID" };

    TDataSource LocationsSource, TeamsSource, TimesSource, PreferencesSource, ScheduleSource,
        DatesSource, CalendarSource;

    // Field objects.
    TField* FlocationID = nullptr;
    TField* FLocation = nullptr;
    TField* FTeamID = nullptr;
    TField* FTeam = nullptr;
    TField* FTimeID = nullptr;
    TField* FTime = nullptr;
    TField* TeamIDPref = nullptr;
    TField* TeamPref = nullptr;
    TField* LocationIDPref = nullptr;
    TField* LocationPref = nullptr;
    TField* SchedStatus = nullptr;
    TField* SchedRoundNo = nullptr;
    TField* SchedGameNo = nullptr;
    TField* SchedDay = nullptr;
    TField* SchedDate = nullptr;
    TField* SchedTime = nullptr;
    TField* SchedLocation = nullptr;
    TField* SchedHomeTeam = nullptr;
    TField* SchedAwayTeam = nullptr;
    TField* SchedIntTime = nullptr;
    TField* DatesGameDay = nullptr;
    TField* DatesGameDates = nullptr;
    TField* CalendarID = nullptr;
    TField* CalendarFromDate = nullptr;
    TField* CalendarToDate = nullptr;
    TField* CalendarGameDays = nullptr;

    // Document state.
    std::string ScheduleBookmark;
    bool Modified = false;
    bool TeamsChanged = false;
    bool TimesChanged = false;
    bool LocationsChanged = false;
    bool PreferencesChanged = false;
    bool ScheduleExists = false;
    TDateTime NextPeriodDate = 0;
    TPeriodList& Periods() { return *m_periods; }

    void ResetDocument();
    void SetModified(bool value) { Modified = value; }
    void SetScheduleExists(bool value) { ScheduleExists = value; }
    void ClearChangeFlags();

    // Always used as a pair around work on the schedule table.
    void ScheduleDisable();
    void ScheduleEnable();

    void RefreshPreferences();
    void BalanceByeTeam();
    bool HasByeTeam();
    int PreferredLocation(int teamID);

    TPeriod* CurrentPeriod();
    void BuildDates();
    void PeriodToRecord(const TPeriod& period);
    void UpdateNextPeriodDate();

    // Event handlers.
    void PostModified(TMemDataSet& dataSet);
    void PostTeamsModified(TMemDataSet& dataSet);
    void InvalidateScheduleWarning(TMemDataSet& dataSet);
    void FTimeValidate(TField& field);
    void ScheduleDataBeforePost(TMemDataSet& dataSet);
    void ScheduleDataFilterRecord(TMemDataSet& dataSet, bool& accept);
    void DateGetText(TField& field, std::string& text, bool displayText);
    void CalendarDateGetText(TField& field, std::string& text, bool displayText);
    void CalendarDataNewRecord(TMemDataSet& dataSet);
    void CalendarDataBeforeInsert(TMemDataSet& dataSet);
    void CalendarDataBeforePost(TMemDataSet& dataSet);
    void CalendarDataAfterPost(TMemDataSet& dataSet);
    void CalendarDataBeforeDelete(TMemDataSet& dataSet);
    void TeamsDataBeforeInsert(TMemDataSet& dataSet);

    // The schedule filter's test; accepts every record until a filter is installed.
    std::function<bool(TMemDataSet&)> ScheduleFilterTest;

private:
    void CreateFields();
    void InstallNameSources();
    void WireEvents();
    void DeleteCurrentPeriod();

    std::unique_ptr<TPeriodList> m_periods;
};

// The one instance, created at start-up before any window.
extern TTallivorandaData* TallivorandaData;

// Messages of the document's rules.
inline constexpr const char* TeamsFullMessage
    = "A schedule holds at most 254 teams, the bye team included.";
inline constexpr const char* CalendarFullMessage = "A schedule holds at most 99 calendar periods.";
