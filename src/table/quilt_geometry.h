#pragma once

// The quilt (tableau layout 68): each tableau pile is one row of places, the rows one under
// another, the cards of the quilt lying upright and sideways in turn like the squares of a
// chequer-board. The orientation of a place is the rule of the quilt games (which card lies
// free) as well as of their picture.

#include "flight.h"
#include "game_context.h"

namespace quendra {

constexpr int kQuiltLayout = 68;

// The card at `place` of row `row` (both 0-based) lies sideways when the two add up to an odd
// number: the card at the quilt's top-left corner stands upright, its neighbours across and
// down lie sideways.
constexpr bool QuiltPlaceSideways(int row, int place) {
    return (row + place) % 2 != 0;
}

// The tableau is laid as a quilt.
bool IsQuiltTable(const GameContext& ctx);

// The steps between the centres of neighbouring places, across a row and from row to row.
struct QuiltSteps {
    int across = 0;
    int down = 0;
};
QuiltSteps QuiltStepsOf(const GameContext& ctx);

// The rectangle of the card at `place` of tableau row `row`, sideways or upright.
TableRect QuiltCardRect(const GameContext& ctx, int row, int place);

} // namespace quendra

namespace quendra::layout {
struct Units;
// Places the quilt's table: the stock and the waste at the left of the first row, the
// foundations after them, the rows of the quilt under them, centred.
void PlaceQuilt(GameContext& ctx, const Units& u);
} // namespace quendra::layout
