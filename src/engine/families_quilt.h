#pragma once

#include "game_context.h"

namespace quendra::quilt {

// 192 Crazy Quilt: each tableau pile is a row of the quilt, its cards upright and sideways in
// turn (`QuiltPlaceSideways`). An upright card is free when the place above or below it is a
// gap or lies past the quilt's edge; a sideways card when the place to its left or right is.
// Gaps are never filled.
bool FreeAtANarrowEnd(const GameContext& ctx, PileRef pile, int position);

} // namespace quendra::quilt
