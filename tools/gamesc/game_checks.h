#pragma once

#include "compile_error.h"
#include "game_compiler.h"
#include "game_source.h"

namespace quendra::gamesc {

// The checks that need the whole game: required keys, and values that must agree with each
// other (face-up counts within dealt counts, every card of the deck dealt exactly once).
void CheckGame(const CompiledGame& game, const GameSource& source, ErrorList& errors);

// Cards the deal places, or -1 when the game's deal is special (deal modes, special counts,
// families) and the count cannot be known from the numbers alone.
int CardsDealt(const CompiledGame& game);

} // namespace quendra::gamesc
