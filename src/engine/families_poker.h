#pragma once

#include "game_context.h"

#include <array>
#include <string>

namespace quendra {

// The grids scored by lines: Poker Squares (family 9: rows and columns of a 5 x 5 grid scored
// as poker hands) and Cribbage Square (our own family 78: rows and columns of a 4 x 4 grid
// scored as cribbage hands with the starter, the card on the discard pile).

// Poker Squares: the total of the grid's complete rows and columns.
int PokerGridTotal(const GameContext& ctx);
// Poker Squares: after a card has landed in the grid, the complete lines that hold it are
// shown in turn with their hands and running totals.
void ShowPokerLines(GameContext& ctx, int card, PileRef pile);

// A cribbage hand of four cards and the starter: 2 for each set of cards adding up to 15
// (court cards count 10, an Ace 1), 2 for each pair, the length of each run of three or more
// ranks (the Ace low), 4 for four cards of one suit (5 with the starter), 1 for the Jack of
// the starter's suit.
int CribbageHandPoints(const std::array<int, 4>& hand, int starter);
// Cribbage Square: the total of the grid's complete rows and columns with the starter.
int CribbageGridTotal(const GameContext& ctx);
// Cribbage Square: the complete lines that hold the card just placed are shown in turn.
void ShowCribbageLines(GameContext& ctx, int card, PileRef pile);

// Both: the grid is full, every place holds a card (the score then decides the result).
bool ScoredGridFull(const GameContext& ctx);

} // namespace quendra
