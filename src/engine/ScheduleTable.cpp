#include "engine/ScheduleTable.h"

#include "document/DMTable.h"
#include "engine/GameStore.h"
#include "engine/NameSource.h"
#include "engine/TextUtils.h"

std::string StatusColumnText(int round, int game)
{
    const bool clash = GetHomeClash(round, game) || GetAwayClash(round, game);
    return (clash ? "!" : "") + StatusText(round, game);
}

void GameToRow(int round, int game)
{
    TTallivorandaData& data = *TallivorandaData;
    const TDateTime date = GetDate(round, game);
    data.SchedStatus->SetAsString(StatusColumnText(round, game));
    data.SchedRoundNo->SetAsInteger(round);
    data.SchedGameNo->SetAsInteger(game);
    data.SchedDay->SetAsString(DayName(date));
    data.SchedDate->SetAsDateTime(date);
    data.SchedTime->SetAsString(TimeToText(GetTime(round, game)));
    data.SchedLocation->SetAsString(LocationName(GetLocation(round, game)));
    data.SchedHomeTeam->SetAsString(TeamName(GetHomeTeam(round, game)));
    data.SchedAwayTeam->SetAsString(TeamName(GetAwayTeam(round, game)));
}

void GamesToTable()
{
    TMemDataSet& table = TallivorandaData->ScheduleData;
    table.EmptyTable();
    table.DisableControls();
    try {
        for (int round = 1; round <= RoundCount; ++round) {
            for (int game = 1; game <= GamesPerRound; ++game) {
                table.Append();
                GameToRow(round, game);
                table.Post();
            }
        }
        table.First();
    } catch (...) {
        table.Cancel();
        table.EnableControls();
        throw;
    }
    table.EnableControls();
}
