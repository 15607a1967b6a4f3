#include "layout.h"

#include "layout_units.h"

#include <algorithm>
#include <optional>
#include <string>

namespace quendra {

using pile::Appogg;
using pile::Dest;
using pile::Fila;
using pile::Stock;

using layout::Units;

namespace {

// Layout numbers that name an arrangement.
namespace tableau {
constexpr int kSpread = 1, kCentred = 2, kOneStockColumn = 3, kDeepRows = 10, kTwoStockColumns = 11,
              kOneStockColumnWide = 12, kFixedLeft = 13, kSpreadFitted = 14, kSpreadHigh = 15,
              kGridRows = 18, kUnderFoundations = 20, kTwoStockColumnsTight = 21;
}
namespace stock {
constexpr int kOverTableau = 4, kAtMargin = 5, kLeftColumn = 3, kLeftPair = 11, kFixed = 13,
              kLeftOfTableau = 16, kFarLeftOfTableau = 19, kLeftPairTight = 21;
}
namespace found {
constexpr int kSpread = 1, kCentred = 2, kOverLastPiles = 7, kRight = 8, kRightOfTableau = 9,
              kOverLastPilesSmall = 13, kAfterStock = 17, kOverPiles = 22, kTwoRows = 24;
}
namespace reserve {
constexpr int kRightOfPile1 = 6, kOverPiles = 4, kAtMargin = 5, kOverLastPiles = 7, kAtWaste = 11,
              kLeftOfTableau = 12, kAtStock = 23;
}
namespace waste {
constexpr int kOverLastPile = 7, kOverPile2 = 6, kUnderStock = 16;
}


int FilaXAt(const GameContext& ctx, int i) {
    return i >= 0 && i < kFilaPiles ? ctx.geometry.FilaX[static_cast<std::size_t>(i)] : kUnsetFila;
}

// Places `count` piles of a group in one row: pile k + 1 stands card width + gap(k) to the
// right of pile k.
template <typename Gap>
void PlaceRow(GameContext& ctx, PileGroupId group, int count, int x, int y, int cw, Gap gap) {
    for (int k = 0; k < count; ++k) {
        SetPilePosition(ctx, {group, k}, x, y);
        x += cw + gap(k);
    }
}

// Sets only the Y of a group's piles: their X stays unset.
void SetRowY(GameContext& ctx, PileGroupId group, int count, int y) {
    for (int k = 0; k < count; ++k) {
        const PileRef pile{group, k};
        SetPilePosition(ctx, pile, PileX(ctx, pile), y);
    }
}

// Tableau rows spread over several rows of n piles (layouts 010 and 018).
void PlaceRows(GameContext& ctx, const Units& u, int x0, int spacing,
               const std::array<int, 4>& grid, int firstRow) {
    const int rows = std::max<int>(1, ctx.Param(360));
    const int perRow = std::max(1, u.piles / rows);
    for (int k = 0; k < u.piles; ++k) {
        const int row = firstRow + k / perRow;
        const int y =
            row < 4 ? grid[static_cast<std::size_t>(row)] : grid[3] + (row - 3) * (u.ch + 10);
        SetPilePosition(ctx, Fila(k), x0 + (k % perRow) * (u.cw + spacing), y);
    }
}

// Step 4: the tableau; returns the spacing between its piles.
int PlaceTableau(GameContext& ctx, Units& u, std::optional<int> forcedFirstX) {
    const int f = u.piles;
    const int cw = u.cw;
    const int y = u.Row(u.codes.filaRow);
    const bool stockOverTableau =
        u.codes.stock == stock::kOverTableau || u.codes.waste == stock::kOverTableau;
    switch (u.codes.fila) {
    case tableau::kSpread:
    case tableau::kSpreadFitted:
    case tableau::kSpreadHigh: {
        int sp = std::clamp((u.W - f * cw) / (f + 1), 4, 20);
        if (u.codes.fila == tableau::kSpread && stockOverTableau) sp = std::max(sp, 15);
        int x0 = (u.W - f * cw - (f - 1) * sp) / 2;
        if (x0 < u.margin) {
            if (u.codes.fila != tableau::kSpread && f > 1) {
                const double overlap = u.margin - x0;
                sp -= static_cast<int>(overlap / (f - 1) + 0.99);
                sp = std::clamp(sp, 4, 20);
            }
            x0 = u.margin;
            if (u.codes.fila != tableau::kSpread && u.screenWidth < 650 &&
                (u.foundations == 8 || f == 10))
                x0 = u.margin - 2;
        }
        const bool widenFirst = u.codes.fila != tableau::kSpread && stockOverTableau && sp < 15;
        const int slots = u.slots;
        PlaceRow(ctx, PileGroupId::Fila, f, x0, y, cw,
                 [&](int k) { return widenFirst && k < slots ? 15 : sp; });
        return sp;
    }
    case tableau::kCentred: {
        const int sp = u.W < 650 ? 5 : 10;
        int x0 = forcedFirstX ? *forcedFirstX : (u.W - f * cw - (f - 1) * sp) / 2;
        x0 = std::max(x0, u.margin);
        PlaceRow(ctx, PileGroupId::Fila, f, x0, y, cw, [&](int) { return sp; });
        return sp;
    }
    case tableau::kOneStockColumn:
    case tableau::kOneStockColumnWide:
    case tableau::kTwoStockColumns:
    case tableau::kTwoStockColumnsTight: {
        const bool oneColumn = u.codes.fila == tableau::kOneStockColumn ||
                               u.codes.fila == tableau::kOneStockColumnWide;
        const int q = oneColumn ? 1 : 2;
        const int p = oneColumn ? 2 : 1;
        if (oneColumn && u.smallScreen()) {
            u.groupGap = std::min(u.groupGap, 10);
            u.margin = 15;
        }
        const int g = u.groupGap;
        int sp = (u.W - (f + q) * cw - p * g - 15 * q) / (f + 4);
        if (sp < 4) sp = 4;
        if (sp > 20) sp = 15;
        if (u.codes.fila == tableau::kTwoStockColumnsTight) sp = 4;
        int x0 = (u.W - 15 * q - p * g - (f + q) * cw - f * sp) / 2;
        if (u.foundations < 8 || (u.foundations == 8 && q == 1))
            x0 = std::max(x0, u.margin);
        else
            x0 = std::max(x0, u.smallScreen() ? -4 : 1);
        x0 += q * (cw + 15) + p * g;
        if (u.codes.fila == tableau::kTwoStockColumns ||
            u.codes.fila == tableau::kOneStockColumnWide)
            x0 += g;
        PlaceRow(ctx, PileGroupId::Fila, f, x0, y, cw, [&](int) { return sp; });
        return sp;
    }
    case tableau::kDeepRows: {
        const int sp = cw * 85 / 100;
        PlaceRows(ctx, u, 15, sp, u.grid3, 0);
        return sp;
    }
    case tableau::kFixedLeft: {
        const int sp = 4;
        PlaceRow(ctx, PileGroupId::Fila, f, u.smallScreen() ? 8 : 48, y, cw,
                 [&](int) { return sp; });
        return sp;
    }
    case tableau::kGridRows: {
        const int n = std::max(1, f / std::max<int>(1, ctx.Param(360)));
        const int sp = std::max((u.W - n * cw - 2) / (n + 1), cw * 3 / 2);
        const int firstRow = std::clamp(u.codes.filaRow, 1, 4) - 1;
        PlaceRows(ctx, u, u.margin + (u.smallScreen() ? 15 : 10), sp, u.grid4, firstRow);
        return sp;
    }
    default:
        return 0;
    }
}

// Layout 020: centred under the foundation row.
void PlaceTableauUnderFoundations(GameContext& ctx, const Units& u) {
    const int f = u.piles;
    if (f == 0 || u.foundations == 0) return;
    const int first = PileX(ctx, Dest(0));
    const int last = PileX(ctx, Dest(u.foundations - 1));
    if (first == kUnsetDest || last == kUnsetDest) return;
    const int x0 = first + (last + u.cw - first - f * u.cw - 10 * (f - 1)) / 2;
    PlaceRow(ctx, PileGroupId::Fila, f, x0, u.Row(u.codes.filaRow), u.cw, [](int) { return 10; });
}

// Step 5: the stock group.
void PlaceStockGroup(GameContext& ctx, const Units& u) {
    const int y = u.Row(u.codes.stockRow);
    const int cw = u.cw;
    const int g = u.groupGap;
    const int x1 = FilaXAt(ctx, 0);
    const int x2 = FilaXAt(ctx, 1);
    // Slots placed beside the tableau need its first pile.
    if (x1 == kUnsetFila && u.codes.stock != stock::kAtMargin && u.codes.stock != stock::kFixed)
        return;
    switch (u.codes.stock) {
    case stock::kOverTableau:
        if (u.hasStock && u.hasWaste) {
            SetPilePosition(ctx, Stock(kMazzo), x1, y);
            SetPilePosition(ctx, Stock(kMazzoVis), x2, y);
        } else if (u.hasWaste) {
            SetPilePosition(ctx, Stock(kMazzoVis), x1, y);
        } else if (u.hasStock) {
            SetPilePosition(ctx, Stock(kMazzo), x1, y);
        }
        break;
    case stock::kAtMargin:
        PlaceRow(ctx, PileGroupId::Stock, u.slots, u.margin, y, cw, [&](int) { return u.margin; });
        break;
    case stock::kLeftColumn: {
        const int x = x1 - cw - 2 * g;
        SetPilePosition(ctx, Stock(kMazzo), x, y);
        if (u.hasWaste) SetPilePosition(ctx, Stock(kMazzoVis), x, u.Row(2));
        break;
    }
    case stock::kLeftPair: {
        const int xv = x1 - cw - 3 * g;
        SetPilePosition(ctx, Stock(kMazzoVis), xv, y);
        SetPilePosition(ctx, Stock(kMazzo), xv - cw - g, y);
        break;
    }
    case stock::kFixed: {
        int s = u.shadow / 2;
        if (u.smallScreen() && u.foundations == 8 && u.slots > 1) s = -3;
        const int x = 15 + s;
        SetPilePosition(ctx, Stock(kMazzo), x, y);
        if (u.slots >= 2) SetPilePosition(ctx, Stock(kMazzoVis), x + cw + 15, y);
        break;
    }
    case stock::kLeftOfTableau:
    case stock::kFarLeftOfTableau: {
        const int x = x1 - cw - (u.codes.stock == stock::kLeftOfTableau ? 2 : 4) * g;
        SetPilePosition(ctx, Stock(u.hasStock ? kMazzo : kMazzoVis), x, y);
        break;
    }
    case stock::kLeftPairTight: {
        const int xv = x1 - cw - g;
        const int t = u.smallScreen() && u.foundations >= 5 ? 0 : 5;
        SetPilePosition(ctx, Stock(kMazzoVis), xv, y);
        SetPilePosition(ctx, Stock(kMazzo), xv - cw - 15 - t, y);
        break;
    }
    default:
        break;
    }
}

// Step 6: the foundations.
void PlaceFoundations(GameContext& ctx, const Units& u) {
    const int n = u.foundations;
    const int cw = u.cw;
    const int y = u.Row(u.codes.destRow);
    const int lastPile = u.piles - 1;
    auto overPile = [&](int k, int pile) { SetPilePosition(ctx, Dest(k), FilaXAt(ctx, pile), y); };
    auto rightAligned = [&](int lastX, int step) {
        for (int k = 0; k < n; ++k)
            SetPilePosition(ctx, Dest(k), lastX - (n - 1 - k) * step, y);
    };
    switch (u.codes.dest) {
    case found::kSpread: {
        const int gap = std::max((u.W - n * cw - 2) / (n + 1), 1);
        PlaceRow(ctx, PileGroupId::Dest, n, gap, y, cw, [&](int) { return gap; });
        break;
    }
    case found::kTwoRows: {
        // Too many foundations for one row: the first half spread on their row, the rest on
        // the row below.
        const int upper = (n + 1) / 2;
        const int gap = std::max((u.W - upper * cw - 2) / (upper + 1), 1);
        PlaceRow(ctx, PileGroupId::Dest, upper, gap, y, cw, [&](int) { return gap; });
        const int lowerY = u.Row(std::min(u.codes.destRow + 1, 6));
        for (int k = upper; k < n; ++k)
            SetPilePosition(ctx, Dest(k), gap + (k - upper) * (cw + gap), lowerY);
        break;
    }
    case found::kCentred: {
        const int gap = std::max(u.spacing / 2, 4);
        PlaceRow(ctx, PileGroupId::Dest, n, (u.W - n * cw - (n - 1) * gap) / 2, y, cw,
                 [&](int) { return gap; });
        break;
    }
    case found::kOverLastPilesSmall:
        if (u.smallScreen()) {
            if (FilaXAt(ctx, lastPile) == kUnsetFila) break;
            rightAligned(FilaXAt(ctx, lastPile), cw + 2);
            break;
        }
        [[fallthrough]];
    case found::kOverLastPiles:
        for (int k = 0; k < n; ++k)
            overPile(k, u.piles - n + k);
        break;
    case found::kRight:
        rightAligned(u.W - cw - u.margin - 5, u.margin + cw);
        break;
    case found::kRightOfTableau:
        if (FilaXAt(ctx, lastPile) == kUnsetFila) break;
        rightAligned(FilaXAt(ctx, lastPile), cw + std::max(u.spacing / 3, 4));
        break;
    case found::kAfterStock: {
        const int anchor = PileX(ctx, Stock(u.hasWaste ? kMazzoVis : kMazzo));
        if (anchor == kUnsetStock) break;
        int firstGap = 17, gap = 4;
        if (u.smallScreen()) {
            firstGap = u.foundations == 8 && u.slots > 1 ? 4 : 7;
            gap = 3;
        }
        PlaceRow(ctx, PileGroupId::Dest, n, anchor + cw + firstGap, y, cw,
                 [&](int) { return gap; });
        break;
    }
    case found::kOverPiles:
        for (int k = 0; k < n; ++k)
            overPile(k, k);
        break;
    default:
        SetRowY(ctx, PileGroupId::Dest, n, y);
        break;
    }
    // A foundation over a tableau pile the game does not have stays off the table.
    for (int k = 0; k < n; ++k)
        if (PileX(ctx, Dest(k)) == kUnsetFila) SetPilePosition(ctx, Dest(k), kUnsetDest, y);
}

bool Overlaps(int ax, int ay, int aw, int ah, int bx, int by, int bw, int bh) {
    return ax < bx + bw && bx < ax + aw && ay < by + bh && by < ay + ah;
}

// Step 7: the reserves. Returns the tableau's first X for a second run when the reserves at
// the margin run into the tableau.
std::optional<int> PlaceReserves(GameContext& ctx, const Units& u) {
    const int n = u.reserves;
    const int cw = u.cw;
    const int y = u.Row(u.codes.reserveRow);
    const int x1 = FilaXAt(ctx, 0);
    switch (u.codes.reserve) {
    case reserve::kRightOfPile1: {
        if (x1 == kUnsetFila) break;
        const int sp3 = std::max(u.spacing / 3, 4);
        PlaceRow(ctx, PileGroupId::Appogg, n, x1, y, cw, [&](int) { return sp3; });
        break;
    }
    case reserve::kOverPiles:
        for (int k = 0; k < n; ++k)
            SetPilePosition(ctx, Appogg(k), FilaXAt(ctx, k), y);
        break;
    case reserve::kAtMargin: {
        PlaceRow(ctx, PileGroupId::Appogg, n, u.margin, y, cw, [&](int) { return u.margin; });
        const int rx = PileX(ctx, Appogg(n - 1));
        for (int k = 0; k < u.piles; ++k) {
            if (Overlaps(rx, y, cw, u.ch, PileX(ctx, Fila(k)) - 85, PileY(ctx, Fila(k)), cw + 170,
                         u.ch)) {
                const int x = rx + cw + 86;
                return x < 1 ? u.margin : x;
            }
        }
        break;
    }
    case reserve::kOverLastPiles:
        for (int k = 0; k < n; ++k)
            SetPilePosition(ctx, Appogg(k), FilaXAt(ctx, u.piles - n + k), y);
        break;
    case reserve::kAtWaste:
        SetRowY(ctx, PileGroupId::Appogg, n, y);
        SetPilePosition(ctx, Appogg(0), PileX(ctx, Stock(kMazzoVis)), y);
        break;
    case reserve::kLeftOfTableau: {
        SetRowY(ctx, PileGroupId::Appogg, n, y);
        if (x1 == kUnsetFila) break;
        const int g = u.groupGap;
        const int offset = u.piles > 7 ? g * 3 / 2 : 3 * g;
        SetPilePosition(ctx, Appogg(0), x1 - cw - offset, y);
        break;
    }
    case reserve::kAtStock:
        SetRowY(ctx, PileGroupId::Appogg, n, y);
        SetPilePosition(ctx, Appogg(0), PileX(ctx, Stock(kMazzo)), y);
        break;
    default:
        SetRowY(ctx, PileGroupId::Appogg, n, y);
        break;
    }
    // A reserve over a missing tableau pile or stock slot stays off the table.
    for (int k = 0; k < n; ++k) {
        const int x = PileX(ctx, Appogg(k));
        if (x == kUnsetFila || x == kUnsetStock) SetPilePosition(ctx, Appogg(k), kUnsetAppogg, y);
    }
    return std::nullopt;
}

// Step 8: the discard pile.
void PlaceDiscard(GameContext& ctx, const Units& u) {
    const int d = u.codes.wasteRow;
    const PileRef slot = Stock(kMazzoWaste);
    switch (u.codes.waste) {
    case waste::kOverLastPile:
        SetPilePosition(ctx, slot, FilaXAt(ctx, u.piles - 1), u.Row(d));
        break;
    case waste::kOverPile2:
        SetPilePosition(ctx, slot, FilaXAt(ctx, 1), u.Row(d));
        break;
    case waste::kUnderStock: {
        const int above =
            d - 1 >= 1 && d - 1 <= 6 ? u.rows[static_cast<std::size_t>(d - 1)] : u.rows[0];
        SetPilePosition(ctx, slot, PileX(ctx, Stock(kMazzo)), above + u.ch + 20);
        break;
    }
    default:
        return;
    }
    if (PileX(ctx, slot) == kUnsetFila) SetPilePosition(ctx, slot, kUnsetStock, kUnsetStock);
}

// One run of steps 4 to 8; returns the tableau's first X when a second run is needed.
std::optional<int> RunLayout(GameContext& ctx, Units u, std::optional<int> forcedFirstX) {
    ClearPilePositions(ctx);
    if (IsWholeTableLayout(u.codes.fila)) {
        layout::PlaceWholeTable(ctx, u);
        return std::nullopt;
    }
    if (u.codes.fila != tableau::kUnderFoundations) u.spacing = PlaceTableau(ctx, u, forcedFirstX);
    if (u.slots > 0) PlaceStockGroup(ctx, u);
    if (u.foundations > 0) PlaceFoundations(ctx, u);
    if (u.codes.fila == tableau::kUnderFoundations) {
        u.spacing = 10;
        PlaceTableauUnderFoundations(ctx, u);
    }
    std::optional<int> again;
    if (u.reserves > 0) again = PlaceReserves(ctx, u);
    if (u.wastes > 0) PlaceDiscard(ctx, u);
    return again;
}

void KeepHomePositions(GameContext& ctx) {
    const int scroll = ctx.mainGame.ScrollY();
    for (int slot = 0; slot < home::kSlots; ++slot) {
        const PileRef pile = slot < kStockPiles ? Stock(slot) : Dest(slot - kStockPiles);
        const int y = PileY(ctx, pile);
        const bool placed = PileHasPlace(ctx, pile);
        auto& v = ctx.mainGame.values;
        v[static_cast<std::size_t>(home::kX + slot)] = PileX(ctx, pile);
        v[static_cast<std::size_t>(home::kScreenY + slot)] =
            static_cast<std::int16_t>(placed ? y - scroll : y);
        v[static_cast<std::size_t>(home::kY + slot)] = static_cast<std::int16_t>(y);
    }
}

} // namespace

void SetCardSize(GameContext& ctx, char size) {
    switch (size) {
    case 'M':
        ctx.geometry.CardWidth = 59;
        ctx.geometry.CardHeight = 80;
        break;
    case 'L':
        ctx.geometry.CardWidth = 25;
        ctx.geometry.CardHeight = 32;
        break;
    default:
        size = 'B';
        ctx.geometry.CardWidth = 71;
        ctx.geometry.CardHeight = 96;
        break;
    }
    SetSetting(ctx.settings, field::kCardSize, std::string(1, size));
}

bool IsWholeTableLayout(int layoutNumber) {
    return (layoutNumber >= 51 && layoutNumber <= 101) ||
           (layoutNumber >= 103 && layoutNumber <= 160);
}

void LayoutPiles(GameContext& ctx, int scrollPosition) {
    ctx.mainGame.ScrollY() = 0;
    const Units units = layout::ComputeUnits(ctx);
    // Reserves at the margin may push a centred tableau to the right: one more run, never
    // a third.
    if (const auto firstX = RunLayout(ctx, units, std::nullopt)) RunLayout(ctx, units, firstX);
    ctx.mainGame.ScrollY() = static_cast<std::int16_t>(scrollPosition);
    KeepHomePositions(ctx);
}

int home::SlotOf(PileRef pile) {
    if (pile.group == PileGroupId::Stock) return pile.index;
    if (pile.group == PileGroupId::Dest) return kStockPiles + pile.index;
    return -1;
}

HomePosition HomePositionOf(const GameContext& ctx, PileRef pile) {
    const int slot = home::SlotOf(pile);
    if (slot < 0 || slot >= home::kSlots) return {};
    const auto& v = ctx.mainGame.values;
    return {v[static_cast<std::size_t>(home::kX + slot)],
            v[static_cast<std::size_t>(home::kScreenY + slot)],
            v[static_cast<std::size_t>(home::kY + slot)]};
}

} // namespace quendra
