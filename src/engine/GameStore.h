#pragma once

#include "engine/DateTime.h"

#include <array>
#include <cstdint>
#include <string>

// The game store: every game of the current schedule by round and game number, with the
// counts and the generation settings around it.

enum TGameStatus : uint8_t {
    gsAuto = 0,
    gsManual = 1,
    gsCancelled = 2,
    gsDeleted = 3,
};

// The location methods, in the order of the generate dialog's list.
enum TLocationType : uint8_t {
    ltManual = 0,
    ltHome = 1,
    ltShared = 2,
    ltFair = 3,
    ltInOrder = 4,
};

enum TTimeType : uint8_t {
    ttManual = 0,
    ttFair = 1,
    ttInOrder = 2,
};

// One game. Teams are team numbers (0 = none); Location is a location key (0 = none, -1 = the
// home team has no location). A zero-filled record is a cleared game.
struct TGame {
    uint8_t HomeTeam = 0;
    uint8_t AwayTeam = 0;
    TDateTime Date = 0;
    TDateTime Time = 0; // time of day only
    int32_t Location = 0;
    TGameStatus Status = gsAuto;
    bool HomeClash = false; // the home team's next-round game is too close to this one
    bool AwayClash = false;
};

struct TGenerateSettings {
    bool AutoRounds = true;
    int32_t Rounds = 0; // 0..99
    bool SkipByes = false;
    TLocationType LocationType = ltManual;
    TTimeType TimeType = ttManual;
    int32_t DaysBetweenGames = 0; // 0..6
};

// The largest number of teams, the bye team included; team numbers are 8-bit.
constexpr int MaxTeams = 254;
constexpr int MaxGamesPerRound = MaxTeams / 2;
constexpr int MaxRoundsSetting = 99;
// The largest number of rounds that pairing fills: 99 rounded up to whole cycles.
constexpr int MaxStoredRounds = MaxRoundsSetting + MaxTeams - 2;

// The name of the bye team; a game against it is a bye.
inline constexpr const char* ByeTeamName = "--bye--";

extern int32_t TeamCount; // rows of the teams table, the bye team included
extern int32_t GamesPerRound; // TeamCount div 2
extern int32_t RoundCount; // rounds of the schedule

// The generation settings and the number of team pairs sharing a location. The schedule data
// module owns them and resets them with every new or loaded schedule; they live here so that
// the engine reaches them without the document.
extern TGenerateSettings GenerateSettings;
extern int32_t SharedPairCount;

// RoundCount rounded up to whole cycles of TeamCount - 1 rounds: the rounds that pairing fills
// and the schedule file saves. 0 when there are fewer than two teams.
int StoredRounds();

// Rounds 1..MaxStoredRounds of games 1..MaxGamesPerRound in one block allocated once; every
// index outside that capacity raises ERangeError.
class TGameStore {
public:
    TGame& operator()(int round, int game) { return m_games[Index(round, game)]; }
    const TGame& operator()(int round, int game) const { return m_games[Index(round, game)]; }

    // Exchanges every game position of the two rounds, the unused ones included.
    void SwapRounds(int round1, int round2);
    void Clear();

private:
    static std::size_t Index(int round, int game)
    {
        if (round < 1 || round > MaxStoredRounds || game < 1 || game > MaxGamesPerRound)
            OutOfRange();
        return static_cast<std::size_t>(round - 1) * MaxGamesPerRound + (game - 1);
    }
    [[noreturn]] static void OutOfRange();

    std::array<TGame, MaxStoredRounds * MaxGamesPerRound> m_games {};
};

extern TGameStore Games;

// Accessors by 1-based round and game number. Callers keep within StoredRounds and
// GamesPerRound; only the store's capacity is checked.
int GetHomeTeam(int round, int game);
int GetAwayTeam(int round, int game);
TDateTime GetDate(int round, int game);
TDateTime GetTime(int round, int game);
TDateTime GetDateTime(int round, int game);
int GetLocation(int round, int game);
TGameStatus GetStatus(int round, int game);
bool GetHomeClash(int round, int game);
bool GetAwayClash(int round, int game);

// The team setters refuse a team number outside 0..MaxTeams with ERangeError.
void SetHomeTeam(int round, int game, int team);
void SetAwayTeam(int round, int game, int team);
void SetDate(int round, int game, TDateTime date);
void SetTime(int round, int game, TDateTime time);
void SetLocation(int round, int game, int key);
void SetStatus(int round, int game, TGameStatus status);
void SetHomeClash(int round, int game, bool flag);
void SetAwayClash(int round, int game, bool flag);

// Counted in summaries and streaks: Auto or Manual.
bool IsCounted(int round, int game);
// Against the bye team, judged by the team names.
bool IsByeGame(int round, int game);
// Takes part in the automatic date, time and location assignment.
bool IsAssignable(int round, int game);
// The first game of the round in which the team plays, 0 when none.
int FindTeamGame(int round, int team);
void SwapRounds(int round1, int round2);
// Sets the teams (range-checked like the setters) and clears every other field.
void InitGame(TGame& game, int home, int away);
// Zeroes the three counts and clears the whole store.
void ClearGames();

// The status part of the schedule table's Status field: " " for Auto, else the first letter of
// the status name.
std::string StatusText(int round, int game);
