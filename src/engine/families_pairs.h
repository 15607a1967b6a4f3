#pragma once

#include "game_context.h"

namespace quendra {

// The hooks of the pairing families: cards selected with the click (held in foundation 1)
// leave the table together once the family calls the selection complete.

// Family 3 (127 Fourteen Out): two cards adding up to 14.
bool PairAddsUpToFourteen(const GameContext& ctx);
// Family 4 (159 Pyramid, 78 Thirteens, 79 Baroness, 77 Giza): two cards adding up to 13, or
// a King alone.
bool PairAddsUpToThirteen(const GameContext& ctx);
// Family 16 (209 Simple Pairs, 72 Nestor, 73 Isabel, 244 Wish): two cards of one rank.
bool PairOfOneRank(const GameContext& ctx);

// A card may join the selection: the first card always, the second only when it makes the
// pair (a card that cannot is refused with a beep).
bool MayJoinPairAddingUpToFourteen(const GameContext& ctx, int card);
bool MayJoinPairAddingUpToThirteen(const GameContext& ctx, int card);
bool MayJoinPairOfOneRank(const GameContext& ctx, int card);

// The game is lost: cards are left, the stock can bring no more by a click (it is empty with
// no pass left, or it only fills the places a pair leaves), no face-down top card waits to
// be turned, and no free card leaves the table alone or with another free card.
bool NoPairAddingUpToFourteenLeft(const GameContext& ctx);
bool NoPairAddingUpToThirteenLeft(const GameContext& ctx);
bool NoPairOfOneRankLeft(const GameContext& ctx);

// Which piles a click selects from. The families whose clicks reach the piles beside the
// tableau (8, 16, 20 to 23, 41, 45, 47, 48): every pile but the stock.
bool SelectsFromAnyPileButStock(const GameContext& ctx, PileRef pile);
// Family 4: the tableau, the reserves, the waste, and the top card of a stock that lies face
// up while another card is selected (a pair of the stock and the waste).
bool SelectsFromPyramidPiles(const GameContext& ctx, PileRef pile);

// Family 4's grid, the pyramid (159 Pyramid, 77 Giza): rows of 1, 2 ... 7 cards from the top,
// each card partly under the two cards of the row below; it lies free when both are gone.
bool PyramidCardFree(const GameContext& ctx, int pileIndex);

// Family 22 (75 Royal Marriage): the stock deals into one row, tableau pile 1; one card, or
// two side by side, lying between two cards of one suit or one rank leave it. A card joins
// the selection when it lies in the row and, with the card selected, between such a match.
bool SelectionBetweenAMatch(const GameContext& ctx);
bool MayJoinBetweenAMatch(const GameContext& ctx, int card);
// Won when the stock is dealt and the row holds four cards at most.
bool RoyalMarriageWon(const GameContext& ctx);
// Lost when the stock is dealt, the row holds more, and nothing lies between a match.
bool NothingBetweenAMatch(const GameContext& ctx);

} // namespace quendra
