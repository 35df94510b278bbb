#include "engine/Pairing.h"

#include "engine/Exceptions.h"

std::array<uint8_t, MaxTeams + 1> Slots {};

namespace {

TSlotFiller sharedSlotFiller = nullptr;

// Pairs round r from the slots as they are.
void PairFromSlots(int r)
{
    const int n = TeamCount;
    const int h = GamesPerRound;
    if (n < 2)
        return;
    const int p = (r - 1) % (n - 1) + 1; // the round's place in its cycle
    int i = (p + 1) / 2;
    for (int g = 1; g <= h; ++g) {
        if (i == n)
            i = 1;
        int x = p - i;
        if (x < 1)
            x += n - 1;
        if (x == i)
            x = n;
        TGame& game = Games(r, g);
        if (r % 2 != 0)
            InitGame(game, Slots[i], Slots[x]);
        else
            InitGame(game, Slots[x], Slots[i]);
        ++i;
    }
}

} // namespace

void FillSlots()
{
    const int n = TeamCount;
    if (n > MaxTeams || GamesPerRound + n / 2 > MaxTeams)
        throw ERangeError();
    int j = 1;
    int k = GamesPerRound + 1;
    for (int t = 1; t < n; t += 2) {
        Slots[j++] = static_cast<uint8_t>(t);
        Slots[k++] = static_cast<uint8_t>(t + 1);
    }
}

void SetSharedSlotFiller(TSlotFiller filler)
{
    sharedSlotFiller = filler;
}

void FillRoundSlots()
{
    if (GenerateSettings.LocationType == ltShared && sharedSlotFiller)
        sharedSlotFiller();
    else
        FillSlots();
}

void PairRound(int round)
{
    FillRoundSlots();
    PairFromSlots(round);
}

void PairAllRounds()
{
    // The slots are the same for every round of one generation, so they are filled once.
    FillRoundSlots();
    const int rounds = StoredRounds();
    for (int r = 1; r <= rounds; ++r)
        PairFromSlots(r);
}
