#include "layout.h"
#include "layout_units.h"

#include <algorithm>

namespace quendra::layout {

using pile::Dest;
using pile::Fila;
using pile::Stock;

namespace {

// A cross of five tableau piles with a foundation in each corner and the stock at its left.
void PlaceCross(GameContext& ctx, const Units& u) {
    const int q = u.lowWindow() ? 25 : 35;
    const int cw = u.cw, ch = u.ch;
    const int xLeft = std::max((u.W - 3 * cw - 2 * q) / 2, cw + 2 * q + 25);
    const int xMiddle = xLeft + cw + q;
    const int xRight = xMiddle + cw + q;
    const int yTop = std::max(u.top + (u.h - 3 * ch - 2 * q) / 2, u.rows[1]);
    const int yMiddle = yTop + ch + q;
    const int yBottom = yMiddle + ch + q;
    SetPilePosition(ctx, Fila(0), xMiddle, yTop);
    SetPilePosition(ctx, Fila(1), xLeft, yMiddle);
    SetPilePosition(ctx, Fila(2), xMiddle, yMiddle);
    SetPilePosition(ctx, Fila(3), xRight, yMiddle);
    SetPilePosition(ctx, Fila(4), xMiddle, yBottom);
    SetPilePosition(ctx, Dest(0), xLeft + 7, yTop + 7);
    SetPilePosition(ctx, Dest(1), xRight - 7, yTop + 7);
    SetPilePosition(ctx, Dest(2), xLeft + 7, yBottom - 7);
    SetPilePosition(ctx, Dest(3), xRight - 7, yBottom - 7);
    SetPilePosition(ctx, Stock(kMazzo), xLeft - cw - 2 * q, yTop);
    SetPilePosition(ctx, Stock(kMazzoVis), xLeft - cw - 2 * q, yMiddle);
}

// A square grid of tableau piles, row by row.
void PlaceGrid(GameContext& ctx, const Units& u, int side, int x0, int y0, int q) {
    for (int row = 0; row < side; ++row)
        for (int col = 0; col < side; ++col)
            SetPilePosition(ctx, Fila(row * side + col), x0 + col * (u.cw + q),
                            y0 + row * (u.ch + q));
}

// A 4 x 4 grid; with a discard pile, it stands at the right of the grid's middle.
void PlaceGrid4(GameContext& ctx, const Units& u) {
    const bool discard = u.wastes > 0;
    const int q = u.lowWindow() ? 1 : (discard ? 5 : 10);
    const int c = discard ? 6 : 4;
    const int e = discard ? 4 : 3;
    const int x0 = std::max((u.W - c * u.cw - q * e - 10) / 2, 25);
    const int y0 = u.top + (u.h - 4 * u.ch - 3 * q) / 2;
    PlaceGrid(ctx, u, 4, x0, y0, q);
    if (discard)
        SetPilePosition(ctx, Stock(kMazzoWaste), PileX(ctx, Fila(3)) + q + 2 * u.cw,
                        PileY(ctx, Fila(7)) + (u.ch + q) / 2);
}

void PlaceGrid3(GameContext& ctx, const Units& u) {
    const int q = u.lowWindow() ? 10 : 15;
    const int x0 = std::max((u.W - 3 * u.cw - 2 * q) / 2, 25);
    const int y0 = u.top + (u.h - 3 * u.ch - 2 * q) / 2;
    PlaceGrid(ctx, u, 3, x0, y0, q);
}

void PlaceGrid5(GameContext& ctx, const Units& u) {
    const bool discard = u.wastes > 0;
    const int q = u.lowWindow() ? 1 : 3;
    const int c = discard ? 7 : 5;
    const int e = discard ? 4 : 3;
    const int x0 = std::max((u.W - c * u.cw - q * e) / 2, 25);
    const int y0 = u.top + (u.h - 5 * u.ch - 4 * q) / 2;
    PlaceGrid(ctx, u, 5, x0, y0, q);
    if (discard)
        SetPilePosition(ctx, Stock(kMazzoWaste), PileX(ctx, Fila(4)) + q + 2 * u.cw,
                        PileY(ctx, Fila(10)));
}

} // namespace

bool PlaceWholeTable(GameContext& ctx, const Units& u) {
    switch (u.codes.fila) {
    case 52:
        PlaceCross(ctx, u);
        return true;
    case 123:
        PlaceGrid4(ctx, u);
        return true;
    case 124:
        PlaceGrid3(ctx, u);
        return true;
    case 125:
        PlaceGrid5(ctx, u);
        return true;
    default:
        return false; // no pattern yet: every pile stays unset
    }
}

} // namespace quendra::layout

namespace quendra {

using pile::Dest;
using pile::Fila;
using pile::Stock;

bool HasWholeTablePattern(int layoutNumber) {
    return layoutNumber == 52 || (layoutNumber >= 123 && layoutNumber <= 125);
}

} // namespace quendra
