#include "engine/Generate.h"

#include "document/DMTable.h"
#include "engine/GameCounter.h"
#include "engine/GameTime.h"
#include "engine/LocationAssignment.h"
#include "engine/Optimise.h"
#include "engine/Pairing.h"
#include "engine/Platform.h"
#include "engine/TextUtils.h"
#include "engine/TimeAssignment.h"

#include <algorithm>
#include <charconv>

namespace {

const char* const NotEnteredHelp
    = " have not been entered yet.\nClick on Help for more information.";

// Reads the whole text as a decimal integer, as an edit's text converts.
bool ReadInteger(const std::string& text, int& value)
{
    const std::string trimmed = Trim(text);
    if (trimmed.empty())
        return false;
    const char* first = trimmed.data();
    const char* last = first + trimmed.size();
    if (*first == '+')
        ++first;
    const auto result = std::from_chars(first, last, value);
    return result.ec == std::errc() && result.ptr == last;
}

} // namespace

int TGenerateDialogLogic::ClampRounds(int rounds)
{
    return std::clamp(rounds, 0, MaxRounds);
}

int TGenerateDialogLogic::ClampDaysBetweenGames(int days)
{
    return std::clamp(days, 0, MaxDaysBetweenGames);
}

void TGenerateDialogLogic::FormShow()
{
    TTallivorandaData& data = *TallivorandaData;
    Copy = GenerateSettings;
    AutoRoundsChecked = Copy.AutoRounds;
    SkipByesEnabled = data.HasByeTeam();
    if (!SkipByesEnabled)
        Copy.SkipByes = false;
    // The up-down holds its position within its range whatever a file said.
    DaysBetweenGamesPosition = ClampDaysBetweenGames(Copy.DaysBetweenGames);
    RoundsPosition = ClampRounds(Copy.Rounds);
    UpdateAutoRounds();
    if (HasModifiedGames())
        Prompt().WarningOk("Some games have been manually modified. These will be deleted \n"
                           "if you regenerate the schedule.",
            0);
}

void TGenerateDialogLogic::UpdateAutoRounds()
{
    if (GamesPerRound == 0)
        return;
    RoundsEnabled = !AutoRoundsChecked;
    if (!AutoRoundsChecked) {
        RoundsGreyed = false;
        RoundsPosition = ClampRounds(GenerateSettings.Rounds);
        return;
    }
    RoundsGreyed = true;
    TTallivorandaData& data = *TallivorandaData;
    int rounds = data.TeamsData.RecordCount() - 1;
    const TGameTimeList* slots = GameTimes();
    if (slots && slots->Total() > 0) {
        const int perRound = GamesPerRound - (data.HasByeTeam() && Copy.SkipByes ? 1 : 0);
        // One real team and the bye team under Skip byes need no place at all: keep the
        // single round robin.
        if (perRound > 0)
            rounds = (slots->Total() - 1) / perRound + 1;
    }
    RoundsPosition = ClampRounds(rounds);
}

bool TGenerateDialogLogic::HasModifiedGames() const
{
    TGameCounter counter;
    counter.SkipByes = GenerateSettings.SkipByes;
    counter.AutoOnly = false;
    bool end = counter.First();
    while (!end) {
        if (GetStatus(counter.Round(), counter.Game()) != gsAuto)
            return true;
        end = counter.Next();
    }
    return false;
}

void TGenerateDialogLogic::chkAutoRoundsClick(bool checked)
{
    AutoRoundsChecked = checked;
    UpdateAutoRounds();
}

void TGenerateDialogLogic::chkSkipByesClick(bool checked)
{
    Copy.SkipByes = checked;
    UpdateAutoRounds();
}

std::string TGenerateDialogLogic::spnRoundsExit(const std::string& text)
{
    int value = 0;
    if (ReadInteger(text, value))
        RoundsPosition = ClampRounds(value);
    return std::to_string(RoundsPosition);
}

std::string TGenerateDialogLogic::spnDaysBetweenGamesExit(const std::string& text)
{
    int value = 0;
    if (ReadInteger(text, value))
        DaysBetweenGamesPosition = ClampDaysBetweenGames(value);
    return std::to_string(DaysBetweenGamesPosition);
}

void TGenerateDialogLogic::cbxTimeTypeChange(int index)
{
    Copy.TimeType = static_cast<TTimeType>(index);
    if ((index == ttFair || index == ttInOrder)
        && TallivorandaData->CalendarData.RecordCount() == 0)
        Prompt().WarningOk(
            std::string("Playing dates and times") + NotEnteredHelp, TimesHelpContext);
}

void TGenerateDialogLogic::cbxLocationTypeChange(int index)
{
    Copy.LocationType = static_cast<TLocationType>(index);
    TTallivorandaData& data = *TallivorandaData;
    if ((index == ltHome || index == ltShared) && data.PreferencesData.RecordCount() == 0)
        Prompt().WarningOk(
            std::string("Team locations") + NotEnteredHelp, TeamLocationsHelpContext);
    else if ((index == ltFair || index == ltInOrder) && data.LocationsData.RecordCount() == 0)
        Prompt().WarningOk(std::string("Locations") + NotEnteredHelp, LocationsHelpContext);
}

void TGenerateDialogLogic::btnOKClick()
{
    Copy.DaysBetweenGames = DaysBetweenGamesPosition;
    Copy.Rounds = RoundsPosition;
    Copy.AutoRounds = AutoRoundsChecked;
    GenerateSettings = Copy;
}

TEngineObjects::TEngineObjects()
    : Optimiser(std::make_unique<TfrmOptimise>())
    , TimeSummary(std::make_unique<TTimeSummary>())
    , LocationSummary(std::make_unique<TLocationSummary>())
{
}

TEngineObjects::~TEngineObjects() = default;

namespace {

// Detaches the grid from the schedule table for the run and attaches it again whatever happens.
class TDetachedGrid {
public:
    explicit TDetachedGrid(TDataSource& source)
        : m_source(source)
    {
        m_source.Enabled = false;
    }
    ~TDetachedGrid() { m_source.Enabled = true; }
    TDetachedGrid(const TDetachedGrid&) = delete;
    TDetachedGrid& operator=(const TDetachedGrid&) = delete;

private:
    TDataSource& m_source;
};

} // namespace

void GenerateSchedule(TEngineObjects& engine, TGenerateDialogLogic& dialog,
    const std::function<bool(TGenerateDialogLogic&)>& showDialog,
    const std::function<void()>& showProgress)
{
    TTallivorandaData& data = *TallivorandaData;
    TeamCount = data.TeamsData.RecordCount();
    GamesPerRound = TeamCount / 2;
    if (!showDialog(dialog))
        return;

    // Pairing needs an even number of teams; only a hand-edited file can leave it odd.
    if (TeamCount % 2 != 0) {
        data.SetScheduleExists(false);
        data.BalanceByeTeam();
        TeamCount = data.TeamsData.RecordCount();
        GamesPerRound = TeamCount / 2;
    }
    RoundCount = GenerateSettings.Rounds;

    Progress().ClearMessages();
    if (showProgress)
        showProgress();
    Progress().AddMessage("Scheduling started...");

    data.SetScheduleExists(false);
    {
        TBusyScope busy;
        TDetachedGrid detached(data.ScheduleSource);
        PairAllRounds();
        data.SetScheduleExists(true);
        engine.Optimiser->Optimise();
        data.SetModified(true);
        engine.TimeSummary->AssignTimes();
        engine.LocationSummary->AssignLocations();
    }
    Progress().AddMessage("Scheduling completed.");
}
