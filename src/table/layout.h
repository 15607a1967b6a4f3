#pragma once

#include "game_context.h"

#include <array>
#include <cstdint>

namespace quendra {

// The card sizes: "B" 71 x 96, "M" 59 x 80, "L" 25 x 32 pixels (width x height). Stores the
// size letter in the settings record and the card size in the geometry; any other letter
// counts as "B".
void SetCardSize(GameContext& ctx, char size);

// Places every pile of the current game from the layout codes and counts of its parameter
// block, the card size in ctx.geometry and the drawing area in ctx.layoutArea. Piles the
// layout does not place keep their unset marks. `scrollPosition` is the position of the
// table's vertical scroll bar: it becomes ScrollY at the end.
void LayoutPiles(GameContext& ctx, int scrollPosition = 0);

// Tableau layout numbers 051 to 101 and 103 to 160 place the whole table in one fixed
// pattern of their game.
bool IsWholeTableLayout(int layoutNumber);
// The whole-table layouts that have a pattern here; the others place no pile yet.
bool HasWholeTablePattern(int layoutNumber);

// Home positions of the stock-group slots and of the foundations, kept at the end of every
// layout for the flights and the redraw of moved piles: X, Y less the scroll position, and Y.
// They live in TMainGame's values, 19 entries each (the three stock-group slots, then the 16
// foundations).
namespace home {
constexpr int kSlots = kStockPiles + kDestPiles;
constexpr int kX = 120;
constexpr int kScreenY = kX + kSlots;
constexpr int kY = kScreenY + kSlots;
// The slot of a stock-group pile or a foundation in the home tables; -1 for other piles.
int SlotOf(PileRef pile);
} // namespace home

struct HomePosition {
    int x = 0;
    int screenY = 0;
    int y = 0;
};
HomePosition HomePositionOf(const GameContext& ctx, PileRef pile);

} // namespace quendra
