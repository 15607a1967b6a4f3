#pragma once

#include "game_context.h"

#include <string_view>

namespace quendra {

// The stock click comes in two phases: the press arms a turn-over or redeal, the release
// performs it; leaving the stock place with the button down drops it.
enum class StockClickPhase { Press, Leave, Release };

void fnStockClick(GameContext& ctx, StockClickPhase phase);

// The stock actions of fnDoMove: "Mazzo_Vis", "Mazzo_Waste", "Mazzo_Redeal", "Add_Tableaus",
// "Add_Tableaus_Last", "Add_Tableau_" + 2 digits, "Fill_Tableaus", "Add_Reserves",
// "Add_Reserve_" + 1 digit. False when nothing was done or the action is none of these.
bool DoStockAction(GameContext& ctx, std::string_view action);

// True while the game allows another pass through the stock.
bool RedealLeft(const GameContext& ctx);
// Turns the waste over into the stock, raising the pass number; false when it may not.
bool fnTurnWasteOver(GameContext& ctx);
// True for a redeal method the engine plays: the games compiler refuses any other.
bool RedealMethodImplemented(int method);
// Runs the game's redeal method (parameter 16) as one undo step marked "003", raising the
// pass number; false when no redeal is left or the game has no method.
bool fnRedeal(GameContext& ctx);

// Redeal methods (parameter 16).
namespace redeal {
constexpr int kTurnOver = 0;          // below 1: the waste is turned over
constexpr int kShuffledFans = 4;      // shuffled, dealt again in fans of the opening size
constexpr int kFansInOrder = 5;       // gathered in order, dealt again in packets, unshuffled
constexpr int kEveryClick = 6;        // every click gathers onto the waste and deals round
constexpr int kRotatePiles = 7;
constexpr int kGapRows = 8;
constexpr int kGatherToWaste = 9;     // gathered onto the waste and dealt round
constexpr int kShuffledOpening = 10;  // shuffled, dealt again in the opening pattern
constexpr int kGatherToStock = 11;
constexpr int kGatherAndDeal = 12;    // gathered onto the stock and dealt round
constexpr int kPileRedeal = 13;
constexpr int kShuffledWithStock = 14; // tableau and stock shuffled together, fans dealt again
} // namespace redeal

} // namespace quendra
