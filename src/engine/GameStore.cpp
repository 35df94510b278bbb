#include "engine/GameStore.h"

#include "engine/Utf8.h"
#include "engine/Values.h"

#include "engine/Exceptions.h"
#include "engine/NameSource.h"

#include <algorithm>

int32_t TeamCount = 0;
int32_t GamesPerRound = 0;
int32_t RoundCount = 0;

TGenerateSettings GenerateSettings;
int32_t SharedPairCount = 0;

TGameStore Games;

namespace {

uint8_t CheckedTeam(int team)
{
    if (team < 0 || team > MaxTeams)
        throw ERangeError();
    return static_cast<uint8_t>(team);
}

} // namespace

int StoredRounds()
{
    if (TeamCount < 2)
        return 0;
    const int cycle = TeamCount - 1;
    return ((RoundCount - 1) / cycle + 1) * cycle;
}

void TGameStore::OutOfRange()
{
    throw ERangeError();
}

void TGameStore::SwapRounds(int round1, int round2)
{
    const auto first1 = m_games.begin() + Index(round1, 1);
    const auto first2 = m_games.begin() + Index(round2, 1);
    if (first1 != first2)
        std::swap_ranges(first1, first1 + MaxGamesPerRound, first2);
}

void TGameStore::Clear()
{
    m_games.fill(TGame {});
}

int GetHomeTeam(int round, int game)
{
    return Games(round, game).HomeTeam;
}
int GetAwayTeam(int round, int game)
{
    return Games(round, game).AwayTeam;
}
TDateTime GetDate(int round, int game)
{
    return Games(round, game).Date;
}
TDateTime GetTime(int round, int game)
{
    return Games(round, game).Time;
}

TDateTime GetDateTime(int round, int game)
{
    const TGame& g = Games(round, game);
    return g.Date + g.Time;
}

int GetLocation(int round, int game)
{
    return Games(round, game).Location;
}
TGameStatus GetStatus(int round, int game)
{
    return Games(round, game).Status;
}
bool GetHomeClash(int round, int game)
{
    return Games(round, game).HomeClash;
}
bool GetAwayClash(int round, int game)
{
    return Games(round, game).AwayClash;
}

void SetHomeTeam(int round, int game, int team)
{
    Games(round, game).HomeTeam = CheckedTeam(team);
}
void SetAwayTeam(int round, int game, int team)
{
    Games(round, game).AwayTeam = CheckedTeam(team);
}
void SetDate(int round, int game, TDateTime date)
{
    Games(round, game).Date = date;
}
void SetTime(int round, int game, TDateTime time)
{
    Games(round, game).Time = time;
}
void SetLocation(int round, int game, int key)
{
    Games(round, game).Location = key;
}
void SetStatus(int round, int game, TGameStatus status)
{
    Games(round, game).Status = status;
}
void SetHomeClash(int round, int game, bool flag)
{
    Games(round, game).HomeClash = flag;
}
void SetAwayClash(int round, int game, bool flag)
{
    Games(round, game).AwayClash = flag;
}

bool IsCounted(int round, int game)
{
    const TGameStatus status = Games(round, game).Status;
    return status == gsAuto || status == gsManual;
}

bool IsByeGame(int round, int game)
{
    const TGame& g = Games(round, game);
    return TeamName(g.HomeTeam) == ByeTeamName || TeamName(g.AwayTeam) == ByeTeamName;
}

bool IsAssignable(int round, int game)
{
    return Games(round, game).Status == gsAuto
        && !(GenerateSettings.SkipByes && IsByeGame(round, game));
}

int FindTeamGame(int round, int team)
{
    for (int game = 1; game <= GamesPerRound; ++game) {
        const TGame& g = Games(round, game);
        if (g.HomeTeam == team || g.AwayTeam == team)
            return game;
    }
    return 0;
}

void SwapRounds(int round1, int round2)
{
    Games.SwapRounds(round1, round2);
}

void InitGame(TGame& game, int home, int away)
{
    const uint8_t homeTeam = CheckedTeam(home);
    const uint8_t awayTeam = CheckedTeam(away);
    game = TGame {};
    game.HomeTeam = homeTeam;
    game.AwayTeam = awayTeam;
}

void ClearGames()
{
    RoundCount = 0;
    GamesPerRound = 0;
    TeamCount = 0;
    Games.Clear();
}

std::string StatusText(int round, int game)
{
    const TGameStatus status = Games(round, game).Status;
    // A status outside the four names (possible only from a damaged file) shows like Auto.
    if (status == gsAuto || status > gsDeleted)
        return " ";
    return Utf8Left(StatusNames[status], 1);
}
