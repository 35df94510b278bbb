#pragma once

#include "engine/GameStore.h"

#include <array>
#include <cstdint>

// Round-robin pairing by the circle method over a table of slot positions.

// Team numbers by slot position 1..TeamCount. Slot s of the first half (1..GamesPerRound) and
// slot s + GamesPerRound of the second half are partners: in every round exactly one of them is
// at home, or they meet each other.
extern std::array<uint8_t, MaxTeams + 1> Slots;

// Plain order: odd team numbers in the first half, even ones in the second.
void FillSlots();

// The slot filler for the Shared location method, installed by the schedule document (it reads
// the team locations). nullptr leaves the plain order for every method.
using TSlotFiller = void (*)();
void SetSharedSlotFiller(TSlotFiller filler);

// Fills the slots in the order that the location method asks for.
void FillRoundSlots();

// Pairs one round into the store, clearing everything but the teams of its games.
void PairRound(int round);

// Pairs rounds 1..StoredRounds, the rest of the last cycle included.
void PairAllRounds();
