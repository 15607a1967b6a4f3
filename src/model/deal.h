#pragma once

#include "game_context.h"

#include <string>
#include <vector>

namespace quendra {

// The ordered card codes the new game deals from; "000" is an empty slot.
using DeckList = std::vector<std::string>;

// A fresh random 13-digit deal number, stored in the deal number field.
void NewDealNumber(GameContext& ctx);
// The 13 digits of the current deal number (a shorter number is padded with leading zeros).
std::string DealDigits(const GameContext& ctx);
// True for 1 to 13 decimal digits.
bool IsValidDealNumber(std::string_view text);

// Fills the deck list from the current deal number and the current game parameters.
void fnGameNumberCardsArray(GameContext& ctx, DeckList& deck);

// Index of an empty slot from `start` in the given direction; failing that the first empty
// slot from the beginning; -1 when there is none.
int NextFreeSlot(const DeckList& deck, int start, bool forward);

} // namespace quendra
