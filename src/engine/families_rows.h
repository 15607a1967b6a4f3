#pragma once

#include "game_context.h"

namespace quendra {

// The row games: the tableau piles are the places of one row, filled in turn from the stock
// (the move "Add_Tableau_Next") and closed up when cards leave it.

// The stock's top card goes face up onto the first empty place of the row; false when the
// stock is empty or every place holds cards.
bool DealIntoNextPlace(GameContext& ctx);

namespace row_games {
// 63 Decade: the value a card counts, the court cards ten.
int DecadeValue(int card);
// 63 Decade: the card lies next to the run already selected (any card starts one).
bool JoinsTheRun(const GameContext& ctx, int card);
// 63 Decade: three or more cards side by side whose values add up to 10, 20 or 30.
bool RunOfTens(const GameContext& ctx);
// 63 Decade: lost when the stock can deal no more and no run of the row adds up.
bool NoRunLeft(const GameContext& ctx);
// 50 Accordion: a pile goes onto the pile one or three places to its left whose top card
// has the suit or the rank of its own top card.
bool OntoFirstOrThirdLeftMatching(const GameContext& ctx, int card, int pileIndex);
// 50 Accordion: the place a pile left is closed up.
void CloseUpBehind(GameContext& ctx, int card, PileRef pile);
// 50 Accordion: the stock is dealt and the whole pack lies in one pile.
bool OnePileLeft(const GameContext& ctx);
// 50 Accordion: the stock is dealt and no pile may go onto another.
bool NoPileMoves(const GameContext& ctx);
// 68 Labyrinth: the card lies in the first row or the last row dealt, or beside a gap
// above or below it in its column.
bool FirstOrLastRowOrByAGap(const GameContext& ctx, PileRef pile, int position);
} // namespace row_games

} // namespace quendra
