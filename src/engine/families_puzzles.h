#pragma once

#include "game_context.h"

namespace quendra {

// The puzzles: the sliding puzzles of family 44 and the tower of family 43.

// Family 44: the puzzle pack lies in order, one card a place in reading order (the hearts
// from the Ace, then the clubs from the Ace), and the last place is the gap.
bool PuzzleInOrder(const GameContext& ctx);
// Family 44: 150 when the puzzle is in order, else minus the cards of the pack.
int PuzzleScore(const GameContext& ctx);

// Family 43: one tableau pile holds the nine cards, the Nine at the bottom and the Ace on top.
bool TowerBuilt(const GameContext& ctx);

} // namespace quendra
