#include "layout.h"
#include "layout_units.h"
#include "quilt_geometry.h"

#include "game_params.h"

#include <algorithm>

namespace quendra::layout {

// The whole-table layouts that have a pattern here.
namespace whole {
constexpr int kCross = 52, kFanColumns = 53, kTwoRows = 54, kPeaks = 55, kGapRows = 60,
              kRowOfPlaces = 64,
              kGrid4 = 123, kGrid3 = 124, kGrid5 = 125;
constexpr int kPyramid = 58;
constexpr int kHeadsAndTails = 62;
constexpr int kMemoryRows = 67;
constexpr int kParade = 69;
}

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
    if (u.slots > 0) SetPilePosition(ctx, Stock(kMazzo), std::max(x0 - 2 * u.cw, 5), y0);
    // The card turned waits under the stock.
    if (u.slots > 1) SetPilePosition(ctx, Stock(kMazzoVis), PileX(ctx, Stock(kMazzo)), PileY(ctx, Fila(4)));
    if (discard)
        SetPilePosition(ctx, Stock(kMazzoWaste), PileX(ctx, Fila(3)) + q + 2 * u.cw,
                        PileY(ctx, Fila(7)) + (u.ch + q) / 2);
}

// A 3 x 3 grid; a stock stands at the left of its top row and a discard pile at the right
// of its middle row, two card widths away.
void PlaceGrid3(GameContext& ctx, const Units& u) {
    const int q = u.lowWindow() ? 10 : 15;
    const int x0 = std::max((u.W - 3 * u.cw - 2 * q) / 2, 25);
    const int y0 = u.top + (u.h - 3 * u.ch - 2 * q) / 2;
    PlaceGrid(ctx, u, 3, x0, y0, q);
    if (u.slots > 0) SetPilePosition(ctx, Stock(kMazzo), std::max(x0 - 2 * u.cw, 5), y0);
    if (u.wastes > 0)
        SetPilePosition(ctx, Stock(kMazzoWaste), PileX(ctx, Fila(2)) + 2 * u.cw, PileY(ctx, Fila(3)));
}

// Rows of cards laid side by side, one tableau pile a row (the memory games), centred; rows
// that would pass the bottom of the table come closer, each still showing most of its cards.
// The discard pile stands at the left of the first row: rows too wide for the rest of the
// table close up as they are drawn, so they never reach it.
void PlaceMemoryRows(GameContext& ctx, const Units& u) {
    constexpr int kGap = 6;         // the step of a row laid side by side
    constexpr int kDiscardGap = 15; // between the discard pile and the rows
    const int rows = std::max(1, u.piles);
    const int across = std::max(1, static_cast<int>(ctx.Param(param::kTableauDealt)));
    const int discard = u.wastes > 0 ? u.cw + kDiscardGap : 0;
    const int width = discard + across * u.cw + (across - 1) * kGap;
    const int left = std::max((u.W - width) / 2, 5);
    const int step = rows > 1 ? std::min(u.ch + 10, (u.h - u.ch - 10) / (rows - 1)) : 0;
    const int y0 = u.top + std::max(5, (u.h - (rows - 1) * step - u.ch) / 2);
    for (int k = 0; k < u.piles; ++k)
        SetPilePosition(ctx, Fila(k), left + discard, y0 + k * step);
    if (u.wastes > 0) SetPilePosition(ctx, Stock(kMazzoWaste), left, y0);
}

void PlaceGrid5(GameContext& ctx, const Units& u) {
    const bool discard = u.wastes > 0;
    const int q = u.lowWindow() ? 1 : 3;
    const int c = discard ? 7 : 5;
    const int e = discard ? 4 : 3;
    const int x0 = std::max((u.W - c * u.cw - q * e) / 2, 25);
    const int y0 = u.top + (u.h - 5 * u.ch - 4 * q) / 2;
    PlaceGrid(ctx, u, 5, x0, y0, q);
    if (u.slots > 0) SetPilePosition(ctx, Stock(kMazzo), std::max(x0 - 2 * u.cw, 5), y0);
    // The card turned waits under the stock.
    if (u.slots > 1) SetPilePosition(ctx, Stock(kMazzoVis), PileX(ctx, Stock(kMazzo)), PileY(ctx, Fila(5)));
    if (discard)
        SetPilePosition(ctx, Stock(kMazzoWaste), PileX(ctx, Fila(4)) + q + 2 * u.cw,
                        PileY(ctx, Fila(10)));
}

// Fans spread to the right, in rows of equal columns (Fan, La Belle Lucie). The width less the
// margin on either side is cut into n columns, n = the tableau count over the rows of
// parameter 360 (1 to 3), rounded up. Each pile stands at the left edge of its column, so
// its fan grows into the free part of the column, towards the next pile. The
// tableau rows are rows 2 to 4 of the four-row grid; on its first row the stock-group slots
// stand over the first columns, the foundations over the middle ones and the reserves over
// the last, aligned with the piles below them. When they are more than the columns, they
// stand side by side from the left margin in that order instead.
void PlaceFanColumns(GameContext& ctx, const Units& u) {
    const int rows = std::clamp<int>(ctx.Param(360), 1, 3);
    const int n = std::max(1, (u.piles + rows - 1) / rows);
    const int column = (u.W - 2 * u.margin) / n;
    const auto columnX = [&](int c) { return u.margin + c * column; };
    for (int k = 0; k < u.piles; ++k)
        SetPilePosition(ctx, Fila(k), columnX(k % n), u.grid4[static_cast<std::size_t>(1 + k / n)]);
    const int y = u.grid4[0];
    if (u.slots + u.foundations + u.reserves > n) {
        int x = u.margin;
        const auto next = [&](PileRef pile) {
            SetPilePosition(ctx, pile, x, y);
            x += u.cw + 4;
        };
        for (int s = 0; s < u.slots; ++s)
            next(Stock(s));
        for (int k = 0; k < u.foundations; ++k)
            next(Dest(k));
        for (int r = 0; r < u.reserves; ++r)
            next({PileGroupId::Appogg, r});
        return;
    }
    for (int s = 0; s < u.slots; ++s)
        SetPilePosition(ctx, Stock(s), columnX(s), y);
    // A discard pile stands in the column after them (the adding games).
    if (u.wastes > 0) SetPilePosition(ctx, Stock(kMazzoWaste), columnX(u.slots), y);
    const int firstFoundation =
        std::max(u.slots, std::min((n - u.foundations) / 2, n - u.reserves - u.foundations));
    for (int k = 0; k < u.foundations; ++k)
        SetPilePosition(ctx, Dest(k), columnX(firstFoundation + k), y);
    for (int r = 0; r < u.reserves; ++r)
        SetPilePosition(ctx, {PileGroupId::Appogg, r}, columnX(n - u.reserves + r), y);
}

// Places `count` piles of a group side by side, centred in the width, `spacing` apart; the
// first never left of the margin.
void PlaceCentredRow(GameContext& ctx, const Units& u, PileGroupId group, int first, int count,
                     int spacing, int y, int leftmost) {
    const int x0 = std::max((u.W - count * u.cw - (count - 1) * spacing) / 2, leftmost);
    for (int k = 0; k < count; ++k)
        SetPilePosition(ctx, {group, first + k}, x0 + k * (u.cw + spacing), y);
}

// Two rows of downward fans under the foundations (Baker's Dozen). The first row holds the
// larger half of the tableau and the second the rest, each centred, the piles spaced by the
// width's share between them (4 to 20). The first row starts on row 2 and the second halfway
// between row 2 and the bottom, so the fans of both rows have the same room to grow (a dozen
// medium cards in an 800 x 600 window before a fan reaches the row below). The foundations
// stand centred on row 1 with the same spacing, the stock-group slots at the left margin of
// row 1; eight foundations that would reach the slots start right of them.
void PlaceTwoRows(GameContext& ctx, const Units& u) {
    const int upper = (u.piles + 1) / 2;
    const int spacing = std::clamp((u.W - upper * u.cw) / (upper + 1), 4, 20);
    const int afterSlots = u.margin + u.slots * (u.cw + u.groupGap);
    // Foundations too many for the row right of the slots take two rows (Royal Rendezvous),
    // and the tableau moves down one row.
    const bool foundationsFit =
        afterSlots + u.foundations * u.cw + (u.foundations - 1) * spacing <= u.W - u.margin;
    const int yUpper = u.rows[foundationsFit ? 2 : 3];
    const int yLower = yUpper + (u.bottom + 1 - yUpper) / 2;
    PlaceCentredRow(ctx, u, PileGroupId::Fila, 0, upper, spacing, yUpper, u.margin);
    PlaceCentredRow(ctx, u, PileGroupId::Fila, upper, u.piles - upper, spacing, yLower, u.margin);
    if (foundationsFit) {
        PlaceCentredRow(ctx, u, PileGroupId::Dest, 0, u.foundations, spacing, u.rows[1],
                        afterSlots);
    } else {
        const int first = (u.foundations + 1) / 2;
        PlaceCentredRow(ctx, u, PileGroupId::Dest, 0, first, spacing, u.rows[1], afterSlots);
        PlaceCentredRow(ctx, u, PileGroupId::Dest, first, u.foundations - first, spacing,
                        u.rows[2], afterSlots);
    }
    for (int s = 0; s < u.slots; ++s)
        SetPilePosition(ctx, Stock(s), u.margin + s * (u.cw + u.groupGap), u.rows[1]);
}

// Heads and Tails: the foundations centred on row 1; under them the heads (the first half of
// the tableau), the reserve piles and the tails, each row centred and every column in line,
// so that a head, the reserve under it and the tail under that share one column. The heads'
// fans have a third of the room below row 2 before the reserves; the tails the rest.
void PlaceHeadsAndTails(GameContext& ctx, const Units& u) {
    const int columns = std::max(1, (u.piles + 1) / 2);
    const int spacing = std::clamp((u.W - columns * u.cw) / (columns + 1), 4, 20);
    const int yHeads = u.rows[2];
    const int yReserves = std::max(yHeads + u.ch + u.rowGap, yHeads + (u.bottom - yHeads) / 3);
    const int yTails = yReserves + u.ch + u.rowGap;
    PlaceCentredRow(ctx, u, PileGroupId::Fila, 0, columns, spacing, yHeads, u.margin);
    PlaceCentredRow(ctx, u, PileGroupId::Appogg, 0, std::min(u.reserves, columns), spacing,
                    yReserves, u.margin);
    PlaceCentredRow(ctx, u, PileGroupId::Fila, columns, u.piles - columns, spacing, yTails,
                    u.margin);
    const int afterSlots = u.margin + u.slots * (u.cw + u.groupGap);
    PlaceCentredRow(ctx, u, PileGroupId::Dest, 0, u.foundations, spacing, u.rows[1], afterSlots);
    for (int s = 0; s < u.slots; ++s)
        SetPilePosition(ctx, Stock(s), u.margin + s * (u.cw + u.groupGap), u.rows[1]);
}

// Three overlapping peaks of 28 single cards (Tri Peaks): rows of 10, 9, 6 and 3 cards from
// the bottom up, each row half a card higher than the one below and each card centred over
// the two that lie on it. The stock and the discard pile stand side by side under the
// middle of the bottom row.
void PlacePeaks(GameContext& ctx, const Units& u) {
    constexpr int kBottomRow = 10;
    const int gap = std::clamp((u.W - 2 * u.margin - kBottomRow * u.cw) / (kBottomRow - 1), 2, 16);
    const int cell = u.cw + gap;
    const int x0 = std::max((u.W - kBottomRow * u.cw - (kBottomRow - 1) * gap) / 2, u.margin);
    const int y0 = u.rows[1];
    const int step = u.ch / 2;
    // x in half cells from the bottom row's first card.
    const auto place = [&](int pile, int halfCells, int row) {
        SetPilePosition(ctx, Fila(pile), x0 + halfCells * cell / 2, y0 + row * step);
    };
    for (int peak = 0; peak < 3; ++peak) {
        place(peak, 6 * peak + 3, 0);
        for (int k = 0; k < 2; ++k)
            place(3 + 2 * peak + k, 6 * peak + 2 * k + 2, 1);
    }
    for (int j = 0; j < 9; ++j)
        place(9 + j, 2 * j + 1, 2);
    for (int j = 0; j < kBottomRow; ++j)
        place(18 + j, 2 * j, 3);
    const int y = y0 + 3 * step + u.ch + 3 * u.rowGap;
    const int middle = x0 + (kBottomRow * u.cw + (kBottomRow - 1) * gap) / 2;
    SetPilePosition(ctx, Stock(kMazzo), middle - u.cw - gap, y);
    SetPilePosition(ctx, Stock(kMazzoWaste), middle + gap, y);
}

// Rows of places one under another from the left margin (the gap-row games), each row laid
// out to the right by its fan; the stock-group slots, when the game has them, stand on row 1
// and the rows start one row lower. Rows that would pass the bottom of the table close up.
void PlaceGapRows(GameContext& ctx, const Units& u) {
    int y = u.rows[1];
    if (u.slots > 0) {
        for (int s = 0; s < u.slots; ++s)
            SetPilePosition(ctx, Stock(s), u.margin + s * (u.cw + u.groupGap), y);
        y += u.ch + u.rowGap;
    }
    int step = u.ch + u.rowGap;
    if (u.piles > 1) step = std::clamp((u.bottom - y - u.ch) / (u.piles - 1), u.ch / 3, step);
    for (int k = 0; k < u.piles; ++k)
        SetPilePosition(ctx, Fila(k), u.margin, y + k * step);
}

// The pyramid (Pyramid, Giza): rows of 1 to 7 single cards from the top, each row half a card
// lower than the one above and each card centred over the two of the row below that lie on
// it. The stock stands at the left of the top row with the waste under it, the discard pile
// at the right; the piles after the 28th stand in a row under the pyramid.
void PlacePyramid(GameContext& ctx, const Units& u) {
    constexpr int kRows = 7, kPyramidPiles = 28;
    const int gap = u.lowWindow() ? 4 : 10;
    const int cell = u.cw + gap;
    const int middle = u.W / 2 - u.cw / 2;
    const int y0 = u.rows[1];
    const int step = u.ch / 2;
    for (int row = 0, pile = 0; row < kRows; ++row)
        for (int c = 0; c <= row && pile < u.piles; ++c, ++pile)
            SetPilePosition(ctx, Fila(pile), middle + (2 * c - row) * cell / 2, y0 + row * step);
    const int rest = u.piles - kPyramidPiles;
    const int yRest = y0 + (kRows - 1) * step + u.ch + u.rowGap;
    for (int k = 0; k < rest; ++k)
        SetPilePosition(ctx, Fila(kPyramidPiles + k), u.W / 2 - (rest * cell - gap) / 2 + k * cell,
                        yRest);
    if (u.slots > 0) SetPilePosition(ctx, Stock(kMazzo), u.margin, y0);
    if (u.slots > 1) SetPilePosition(ctx, Stock(kMazzoVis), u.margin, y0 + u.ch + u.rowGap);
    if (u.wastes > 0) SetPilePosition(ctx, Stock(kMazzoWaste), u.W - u.margin - u.cw, y0);
}

// One row of single-card places that runs on line after line (Decade): as many places to a
// line as the width holds, a side-by-side gap apart, from the left margin under the stock
// group's row, whose slots stand at the left margin and the discard pile at the right.
void PlaceRowOfPlaces(GameContext& ctx, const Units& u) {
    const int y0 = u.rows[1];
    for (int s = 0; s < u.slots; ++s)
        SetPilePosition(ctx, Stock(s), u.margin + s * (u.cw + u.groupGap), y0);
    if (u.wastes > 0) SetPilePosition(ctx, Stock(kMazzoWaste), u.W - u.margin - u.cw, y0);
    const int cell = u.cw + 6;
    const int perLine = std::max(1, (u.W - 2 * u.margin + 6) / cell);
    const int lines = (u.piles + perLine - 1) / perLine;
    const int top = y0 + u.ch + u.rowGap;
    int step = u.ch + u.rowGap;
    if (lines > 1) step = std::clamp((u.bottom - top - u.ch) / (lines - 1), u.ch / 3, step);
    for (int k = 0; k < u.piles; ++k)
        SetPilePosition(ctx, Fila(k), u.margin + (k % perLine) * cell, top + (k / perLine) * step);
}

// Rows of places with a column under each place of the last row (Royal Parade): the places
// of the tableau in `tableau.layout-rows` rows (the tableau count over the rows), a small gap
// apart, between the stock at the left margin of row 1 and the discard pile at its right
// margin; under the last row the reserves, one column under each place, fanned down.
void PlaceParade(GameContext& ctx, const Units& u) {
    const int rows = std::max<int>(1, ctx.Param(param::kTableauLayoutRows));
    const int across = std::max(1, (u.piles + rows - 1) / rows);
    const int y0 = u.rows[1];
    const int sides = u.margin + u.cw + u.groupGap;
    const int room = u.W - 2 * sides;
    const int spacing = across > 1 ? std::clamp((room - across * u.cw) / (across - 1), 2, 20) : 0;
    const int x0 = sides + std::max(0, (room - across * u.cw - (across - 1) * spacing) / 2);
    const int step = u.ch + (u.lowWindow() ? 3 : 6);
    const auto columnX = [&](int c) { return x0 + c * (u.cw + spacing); };
    for (int k = 0; k < u.piles; ++k)
        SetPilePosition(ctx, Fila(k), columnX(k % across), y0 + (k / across) * step);
    const int yColumns = y0 + rows * step + u.rowGap;
    for (int r = 0; r < u.reserves; ++r)
        SetPilePosition(ctx, {PileGroupId::Appogg, r}, columnX(r % across), yColumns);
    if (u.slots > 0) SetPilePosition(ctx, Stock(kMazzo), u.margin, y0);
    if (u.wastes > 0) SetPilePosition(ctx, Stock(kMazzoWaste), u.W - u.margin - u.cw, y0);
}

} // namespace

bool PlaceWholeTable(GameContext& ctx, const Units& u) {
    switch (u.codes.fila) {
    case whole::kCross:
        PlaceCross(ctx, u);
        return true;
    case whole::kFanColumns:
        PlaceFanColumns(ctx, u);
        return true;
    case whole::kTwoRows:
        PlaceTwoRows(ctx, u);
        return true;
    case whole::kPeaks:
        PlacePeaks(ctx, u);
        return true;
    case whole::kGapRows:
        PlaceGapRows(ctx, u);
        return true;
    case whole::kRowOfPlaces:
        PlaceRowOfPlaces(ctx, u);
        return true;
    case whole::kPyramid:
        PlacePyramid(ctx, u);
        return true;
    case whole::kHeadsAndTails:
        PlaceHeadsAndTails(ctx, u);
        return true;
    case whole::kMemoryRows:
        PlaceMemoryRows(ctx, u);
        return true;
    case whole::kParade:
        PlaceParade(ctx, u);
        return true;
    case kQuiltLayout:
        PlaceQuilt(ctx, u);
        return true;
    case whole::kGrid4:
        PlaceGrid4(ctx, u);
        return true;
    case whole::kGrid3:
        PlaceGrid3(ctx, u);
        return true;
    case whole::kGrid5:
        PlaceGrid5(ctx, u);
        return true;
    default:
        return false; // no pattern yet: every pile stays unset
    }
}

} // namespace quendra::layout

namespace quendra {

bool HasWholeTablePattern(int layoutNumber) {
    using namespace layout::whole;
    return layoutNumber == kCross || layoutNumber == kFanColumns || layoutNumber == kTwoRows ||
           layoutNumber == kPeaks || layoutNumber == kGapRows ||
           layoutNumber == kRowOfPlaces ||
           layoutNumber == kPyramid || layoutNumber == kHeadsAndTails || layoutNumber == kMemoryRows || layoutNumber == kParade || layoutNumber == kQuiltLayout || (layoutNumber >= kGrid4 && layoutNumber <= kGrid5);
}

} // namespace quendra
