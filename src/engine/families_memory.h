#pragma once

#include "game_context.h"

namespace quendra {

// The memory games (families 36, 37 and 39): every card lies face down in a grid of rows and
// a click turns one; two cards turned are a try. A pair leaves the table for the discard
// pile, the places it left staying empty; any other two cards stay shown until the next
// click turns them down again. Which cards pair is the tableau's building method: in suit
// (identical cards of two packs), in colour, or any suit (equal ranks).

// The click on the card at `position` of a tableau pile. False, and nothing changed, for a
// click that turns nothing (a gap, a card already shown).
bool TurnMemoryCard(GameContext& ctx, PileRef pile, int position);

// The tries made (the family's counter) and the pairs found (the family count).
int MemoryTries(const GameContext& ctx);
int MemoryPairsFound(const GameContext& ctx);

// The scores: family 36 15 x pairs - 52 - tries; family 37 -52 - 2 x tries + 10 x pairs;
// family 39 -52 - tries + 7 x pairs.
int MemoryScore36(const GameContext& ctx);
int MemoryScore37(const GameContext& ctx);
int MemoryScore39(const GameContext& ctx);

// Won when every card has been paired away.
bool MemoryCleared(const GameContext& ctx);

// At the end of the game: the pairs found, the tries and the score, in a message.
void ShowMemoryResult(GameContext& ctx);

} // namespace quendra
