#pragma once

// Shared by the layout's own files: the spacing units, rows and grids of one layout run.

#include "game_context.h"

#include <array>

namespace quendra::layout {

// Layout numbers of the five pile groups, compared by number.
struct LayoutCodes {
    int stock = 0, stockRow = 0;
    int dest = 0, destRow = 0;
    int fila = 0, filaRow = 0;
    int reserve = 0, reserveRow = 0;
    int waste = 0, wasteRow = 0;
};

struct Units {
    LayoutCodes codes;
    // Counts of placed slots: stock group, foundations, tableau, reserves, Mazzo_Waste.
    int slots = 0, foundations = 0, piles = 0, reserves = 0, wastes = 0;
    bool hasStock = false, hasWaste = false; // parameters 9 and 10

    int cw = 0, ch = 0;
    int top = 0, bottom = 0, h = 0;
    int windowHeight = 0, screenWidth = 0, screenHeight = 0, shadow = 0;

    int W = 0;        // the width every rule works with
    int rowGap = 0;   // between rows
    int groupGap = 0; // between groups
    int margin = 0;   // left margin
    int spacing = 0;  // tableau spacing, once the tableau is placed

    std::array<int, 7> rows{};  // rows 1 to 6; entry 0 is the top of the area
    std::array<int, 4> grid3{}; // three-row grid (a fourth row continues it)
    std::array<int, 4> grid4{}; // four-row grid

    bool smallScreen() const { return screenHeight < 500; }
    bool lowWindow() const { return windowHeight < 500; }
    // The row a row digit selects; anything but 1 to 6 selects row 1.
    int Row(int digit) const { return digit >= 1 && digit <= 6 ? rows[digit] : rows[1]; }
};

// The first character of the decimal text of a row parameter, as a digit (-1 for "-").
int RowDigit(int parameter);

Units ComputeUnits(const GameContext& ctx);

// Places the whole table for layouts that have a pattern; false when there is none.
bool PlaceWholeTable(GameContext& ctx, const Units& u);

} // namespace quendra::layout
