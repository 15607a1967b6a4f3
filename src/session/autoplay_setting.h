#pragma once

#include "game_context.h"

#include <string>

namespace quendra {

// The Autoplay switch a game starts with: the one switch for all games, or the game's own
// (section Autoplay: the character of its number in "Games", "Cust_NNNN" for customised
// games), "Y" when never set.
bool AutoplayWanted(const GameContext& ctx, int game);
// Stores the switch where AutoplayWanted reads it. "Games" starts as 245 "Y" and is
// lengthened with "Y" to the game number + 10 characters when needed.
void StoreAutoplay(GameContext& ctx, int game, bool on);
// The key of a customised game's own switch in section Autoplay: "Cust_" and its number.
std::string CustomAutoplayKey(int game);

} // namespace quendra
