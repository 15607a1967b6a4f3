#pragma once

#include "game_context.h"

#include <vector>

namespace quendra {

// How the redeals that gather the tableau put its cards back. Each is one step of fnRedeal,
// which records the undo step and raises the pass number around it.

// Gathers every tableau card onto `to` with its flight, the last pile first and each pile
// from its top card down, with the face given; answers how many cards were gathered.
int GatherTableau(GameContext& ctx, PileRef to, char face);

// The tableau's cards gathered, shuffled, and dealt again from pile 1 in fans the size of
// the first pile's opening deal, face up; the last fan takes what is left over.
void RedealShuffledFans(GameContext& ctx);
// The piles gathered in order, pile 1 first and each from its bottom card, and dealt again
// without shuffling in packets the size of the first pile's opening deal, face up: the cards
// keep their order and only the packets change.
void RedealFansInOrder(GameContext& ctx);
// The tableau's cards gathered, shuffled, and dealt again in the opening pattern: each pile
// as many cards as at the start, as far as they go, turned face up as at the start.
void RedealShuffledOpening(GameContext& ctx);
// The tableau's cards and the stock gathered together, shuffled, and dealt again in fans as
// RedealShuffledFans does, every pile at most its opening size; the rest forms the stock.
void RedealShuffledWithStock(GameContext& ctx);

// The shuffle of the redeals: the same for the same deal number and pass number, so a line
// of moves replays to the same table.
void ShuffleForRedeal(const GameContext& ctx, std::vector<int>& cards);

} // namespace quendra
