#include "engine/GameCounter.h"

#include "engine/GameStore.h"

bool TGameCounter::First()
{
    m_round = 1;
    m_game = 1;
    return SkipForward();
}

bool TGameCounter::Next()
{
    if (Eof())
        return true;
    if (++m_game > GamesPerRound) {
        ++m_round;
        m_game = 1;
    }
    return SkipForward();
}

bool TGameCounter::Eof() const
{
    return m_game > GamesPerRound || m_round > RoundCount;
}

bool TGameCounter::Skipped() const
{
    return (AutoOnly && GetStatus(m_round, m_game) != gsAuto)
        || (SkipByes && IsByeGame(m_round, m_game));
}

bool TGameCounter::SkipForward()
{
    while (!Eof() && Skipped()) {
        if (++m_game > GamesPerRound) {
            ++m_round;
            m_game = 1;
        }
    }
    return Eof();
}
