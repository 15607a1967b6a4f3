#pragma once

#include "cards.h"
#include "game_context.h"

#include <string>
#include <vector>

namespace quendra {

// The table written as text, for the command line and for scripts that watch the window.

// The piles the game uses, in the order of the table snapshot.
std::vector<PileRef> UsedPiles(const GameContext& ctx);
// "AS", "10H", "QD", "JK" for a joker, ".." for a gap.
std::string CardText(int card);
// The cards of a pile bottom first, separated by blanks, those lying face down in [brackets].
std::string PileCardsText(const GameContext& ctx, PileRef pile);

} // namespace quendra
