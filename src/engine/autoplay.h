#pragma once

#include "game_context.h"

#include <string>

namespace quendra {

// One run of automatic play: cards that may go to a foundation are sent there until a
// sweep moves nothing. With `ask`, the player is asked `question` first (Yes, No, Cancel);
// Cancel ends it at once. True when any card moved.
bool fnAutoplay(GameContext& ctx, bool ask, const std::string& question = {});

// Automatic play until it moves nothing, each space it empties filled in the same turn as
// parameter 23 says (and a card that fills it sent home in turn). True when any card moved.
bool AutoplayAndFill(GameContext& ctx);

// Turns up the face-down top cards of the tableau when the game and the player allow it.
void fnAutoFaceUp(GameContext& ctx);
// Fills empty tableau piles as parameter 23 says; true when any pile was filled.
bool fnAutoFill(GameContext& ctx);
// Sets the won flag from the table; answers it.
bool fnWonTest(GameContext& ctx);
// The games lost by rule: the family-40 rule. Ends such a game.
bool fnLostTest(GameContext& ctx);
// The game's result: the won flag, or with parameter 49 a score of at least that much.
bool GameResultWon(const GameContext& ctx, int score);
// True while the game is in play and, ended now, would count as won: its won test holds, or
// a game won by its score (Salic Law, Double or Quits) has reached that score.
bool WinsIfEnded(GameContext& ctx);
// Ends the game in play, won or not, and hands its result on.
void fnEndGame(GameContext& ctx);

// What parameter 23 fills empty tableau piles from.
namespace autofill {
constexpr int kNone = 0;
constexpr int kFromReserve1 = 1;
constexpr int kWasteThenStock = 2;
constexpr int kStockThenWaste = 3;
constexpr int kWasteUntilFamilyAutoplay = 4;
constexpr int kThreeFromWaste = 5;
constexpr int kWasteToEdgePiles = 6;
constexpr int kStockFromPile11 = 7;
constexpr int kWasteThenStockAlt = 8;
constexpr int kFourFromStock = 9;
constexpr int kWasteWhileReservesEmpty = 10;
constexpr int kLowerPiles = 11;
constexpr int kFourFromWasteOrStock = 12;
constexpr int kNoFilling = 13;
} // namespace autofill

} // namespace quendra
