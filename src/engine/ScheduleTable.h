#pragma once

#include <string>

// The game store as the schedule table shows it: one row per game of rounds 1..RoundCount.
// The grid, the filter, the exports and the printing read the table, never the store.

// The status column's text: "!" when either team's next game clashes, then the status mark.
std::string StatusColumnText(int round, int game);

// Writes the game into the schedule table's current row, which the caller has put into the
// insert or edit state and posts afterwards.
void GameToRow(int round, int game);

// Replaces the schedule table's rows by the games of rounds 1..RoundCount, with the table's
// notifications suspended so that attached grids redraw once.
void GamesToTable();
