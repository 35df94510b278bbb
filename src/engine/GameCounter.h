#pragma once

// Walks the games of rounds 1..RoundCount in schedule order (round by round, game by game),
// passing over byes when SkipByes is set and hand-changed games when AutoOnly is set.
//
//     TGameCounter counter;
//     counter.SkipByes = true;
//     for (bool eof = counter.First(); !eof; eof = counter.Next())
//         Handle(counter.Round(), counter.Game());
class TGameCounter {
public:
    bool SkipByes = false;
    bool AutoOnly = false; // visit only games whose status is Auto

    // Positions on the first game to visit; true when there is none.
    bool First();
    // Moves to the next game to visit; true at the end.
    bool Next();
    // Past the last game (or past GamesPerRound).
    bool Eof() const;

    int Round() const { return m_round; }
    int Game() const { return m_game; }

private:
    bool Skipped() const;
    bool SkipForward();

    int m_round = 0;
    int m_game = 0;
};
