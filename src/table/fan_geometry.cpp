#include "fan_geometry.h"

#include "game_params.h"
#include "quilt_geometry.h"

#include "settings_record.h"

#include <algorithm>

namespace quendra {
namespace {

// Room kept right of a row of cards that closes up to fit the table.
constexpr int kRowRightMargin = 10;

bool FaceUp(const GameContext& ctx, int card) {
    return card < 1 || card > CardTable::kRecords || ctx.cardTable.Face(card) == '1';
}

int GridColumns(const GameContext& ctx, const FanOffsets& offsets) {
    const int n = ctx.Param(43);
    if (n > 0) return n;
    const int step = ctx.geometry.CardWidth + offsets.gridAcross;
    return step > 0 ? std::max(1, ctx.layoutArea.screenWidth / step) : 1;
}

int JitterRow(int pileIndex) {
    return pileIndex < 7 ? pileIndex : pileIndex % 6;
}

int JitterColumn(int k) {
    return k > 12 ? k % 12 : k;
}

} // namespace

FanOffsets FanOffsetsFor(char sizeLetter, int tableauMode, int reserveMode, int param6) {
    const std::size_t s = sizeLetter == 'M' ? 1 : sizeLetter == 'L' ? 2 : 0;
    FanOffsets o;
    if (tableauMode == fanmode::kDown || tableauMode == fanmode::kSquaredTopLower ||
        reserveMode == fanmode::kDown) {
        o.downFaceUp = std::array{18, 14, 3}[s];
        o.downFaceDown = std::array{4, 4, 3}[s];
    }
    if (tableauMode == fanmode::kRight || param6 != 0 || reserveMode == fanmode::kRight) {
        o.rightFaceUp = std::array{12, 10, 3}[s];
        o.rightFaceDown = std::array{4, 4, 3}[s];
    }
    if (tableauMode == fanmode::kWideRight) o.wideRight = std::array{7, 5, 3}[s];
    o.gridAcross = std::array{12, 8, 4}[s];
    o.gridDown = std::array{8, 6, 3}[s];
    return o;
}

FanOffsets FanOffsetsOf(const GameContext& ctx) {
    const std::string size = GetSetting(ctx.settings, field::kCardSize);
    FanOffsets o =
        FanOffsetsFor(size.empty() ? 'B' : size[0], ctx.Param(3), ctx.Param(5), ctx.Param(6));
    // The per-pile modes may fan any pile down or right: keep those steps available.
    if (ctx.Param(3) == fanmode::kPerPile) {
        const FanOffsets down = FanOffsetsFor(size.empty() ? 'B' : size[0], fanmode::kDown, 0, 1);
        o.downFaceUp = down.downFaceUp;
        o.downFaceDown = down.downFaceDown;
        o.rightFaceUp = down.rightFaceUp;
        o.rightFaceDown = down.rightFaceDown;
        o.wideRight =
            FanOffsetsFor(size.empty() ? 'B' : size[0], fanmode::kWideRight, 0, 0).wideRight;
    }
    return o;
}

int FanModeOf(const GameContext& ctx, PileRef pile, const PerPileFanModes* perPile) {
    switch (pile.group) {
    case PileGroupId::Stock:
        return fanmode::kSquared;
    case PileGroupId::Dest:
        return ctx.Param(4) == 0 ? fanmode::kSquared : ctx.Param(4);
    case PileGroupId::Appogg:
        return ctx.Param(5) == 0 ? fanmode::kSquared : ctx.Param(5);
    case PileGroupId::Fila:
        break;
    }
    const int mode = ctx.Param(3);
    if (mode != fanmode::kPerPile) return mode == 0 ? fanmode::kSquared : mode;
    const int own = perPile ? (*perPile)[static_cast<std::size_t>(pile.index)] : 0;
    return own == 0 ? fanmode::kDown : own;
}

bool IrregularPiles(const GameContext& ctx) {
    return GetSetting(ctx.settings, field::kPilesToolTips) != "N";
}

std::vector<TablePoint> CardPositions(const GameContext& ctx, PileRef pile,
                                      const FanOptions& options) {
    std::vector<TablePoint> out;
    if (!PileHasPlace(ctx, pile)) return out;
    const std::string& cards = ctx.table.Pile(pile);
    const int count = PileCardCount(cards);
    out.reserve(static_cast<std::size_t>(count));
    const FanOffsets o = FanOffsetsOf(ctx);
    const int mode = FanModeOf(ctx, pile, options.perPile);
    const int cw = ctx.geometry.CardWidth, ch = ctx.geometry.CardHeight;
    const bool crooked = pile.group == PileGroupId::Fila && mode == fanmode::kDown &&
                         options.crooked != nullptr && IrregularPiles(ctx);
    // The rows of a quilt: each card in its own place, upright or sideways.
    if (pile.group == PileGroupId::Fila && IsQuiltTable(ctx)) {
        for (int k = 0; k < count; ++k) {
            const TableRect r = QuiltCardRect(ctx, pile.index, k);
            out.push_back({r.left, r.top});
        }
        return out;
    }
    TablePoint at{PileX(ctx, pile), PileY(ctx, pile)};
    // A row of cards side by side that would pass the table's right edge closes up to end
    // there (the gap rows of 14 places).
    int rowStep = cw + o.sideBySideGap;
    if (mode == fanmode::kRow && count > 1) {
        const int room = ctx.layoutArea.usableWidth - kRowRightMargin - at.x - cw;
        rowStep = std::clamp(room / (count - 1), cw / 3, rowStep);
    }
    int gaps = 0;
    for (int k = 0; k < count; ++k) {
        const int card = PileCardAt(cards, k);
        const int below = k > 0 ? PileCardAt(cards, k - 1) : 0;
        const bool belowUp = FaceUp(ctx, below);
        if (k > 0) {
            switch (mode) {
            case fanmode::kDown:
                at.y += belowUp ? o.downFaceUp : o.downFaceDown;
                break;
            case fanmode::kRight:
                at.x += belowUp ? o.rightFaceUp : o.rightFaceDown;
                break;
            case fanmode::kRow:
                at.x += rowStep;
                break;
            case fanmode::kSmallSteps:
                at.y += o.smallStep;
                break;
            case fanmode::kWideRight:
                at.x += o.wideRight;
                break;
            case fanmode::kSquaredTopLower:
                if (k == count - 1) at.y += o.downFaceUp;
                break;
            case fanmode::kSideBySide:
                at.x += cw + 2;
                break;
            case fanmode::kLeft:
                at.x -= belowUp ? o.rightFaceUp : o.rightFaceDown;
                break;
            default:
                break;
            }
        }
        TablePoint place = at;
        if (mode == fanmode::kGrid) {
            const int n = GridColumns(ctx, o);
            const int row = gaps / n;
            int column = gaps % n;
            if (row % 2 == 1) column = n - 1 - column;
            const TablePoint origin{PileX(ctx, pile::Fila(0)), PileY(ctx, pile::Fila(0))};
            place = {origin.x + column * (cw + o.gridAcross), origin.y + row * (ch + o.gridDown)};
            if (card == 0) ++gaps;
        } else if (crooked) {
            place.x += (*options.crooked)[static_cast<std::size_t>(JitterRow(pile.index))]
                                         [static_cast<std::size_t>(JitterColumn(k))];
        }
        out.push_back(place);
    }
    return out;
}

bool CardLiesSideways(const GameContext& ctx, PileRef pile, int position) {
    return pile.group == PileGroupId::Fila && IsQuiltTable(ctx) &&
           QuiltPlaceSideways(pile.index, position);
}

TableRect CardRectAt(const GameContext& ctx, PileRef pile, int position, const TablePoint& at) {
    const int cw = ctx.geometry.CardWidth, ch = ctx.geometry.CardHeight;
    const bool sideways = CardLiesSideways(ctx, pile, position);
    return {at.x, at.y, at.x + (sideways ? ch : cw), at.y + (sideways ? cw : ch)};
}

int PileThickness(int cards, bool stockGroup, bool preview) {
    if (cards <= 1) return 0;
    if (cards == 2) return 1;
    const int t = preview ? cards / 28 : cards / 7 + 1;
    return std::min(t, stockGroup ? kMaxStockThickness : kMaxFoundationThickness);
}

bool HasThickness(const GameContext& ctx, PileRef pile) {
    if (pile.group == PileGroupId::Stock) return true;
    if (pile.group != PileGroupId::Dest) return false;
    const int mode = ctx.Param(4);
    return mode != fanmode::kRight && mode != fanmode::kSquaredTopLower;
}

TableRect PileRect(const GameContext& ctx, PileRef pile, const FanOptions& options) {
    if (!PileHasPlace(ctx, pile)) return {};
    const int cw = ctx.geometry.CardWidth, ch = ctx.geometry.CardHeight;
    const int x = PileX(ctx, pile), y = PileY(ctx, pile);
    const std::vector<TablePoint> places = CardPositions(ctx, pile, options);
    TableRect r = places.empty() ? TableRect{x, y, x + cw, y + ch}
                                 : CardRectAt(ctx, pile, 0, places.front());
    for (std::size_t k = 0; k < places.size(); ++k) {
        const TableRect card = CardRectAt(ctx, pile, static_cast<int>(k), places[k]);
        r.left = std::min(r.left, card.left);
        r.top = std::min(r.top, card.top);
        r.right = std::max(r.right, card.right);
        r.bottom = std::max(r.bottom, card.bottom);
    }
    return r;
}

std::optional<PileHit> PileUnderPoint(const GameContext& ctx, TablePoint point,
                                      const FanOptions& options) {
    const int cw = ctx.geometry.CardWidth, ch = ctx.geometry.CardHeight;
    auto inside = [&](const TablePoint& p) {
        return point.x >= p.x && point.x < p.x + cw && point.y >= p.y && point.y < p.y + ch;
    };
    auto test = [&](PileRef pile, bool emptyPlaces = true) -> std::optional<PileHit> {
        if (!PileHasPlace(ctx, pile)) return std::nullopt;
        const std::vector<TablePoint> places = CardPositions(ctx, pile, options);
        const std::string& cards = ctx.table.Pile(pile);
        // The topmost card under the point wins.
        for (int k = static_cast<int>(places.size()) - 1; k >= 0; --k) {
            const TableRect r = CardRectAt(ctx, pile, k, places[static_cast<std::size_t>(k)]);
            const int card = PileCardAt(cards, k);
            const bool under = point.x >= r.left && point.x < r.right && point.y >= r.top &&
                               point.y < r.bottom;
            if (card < 1 || !under) continue;
            return PileHit{pile, card, k, r, PileRect(ctx, pile, options)};
        }
        const TablePoint home{PileX(ctx, pile), PileY(ctx, pile)};
        if (places.empty() && emptyPlaces && inside(home))
            return PileHit{pile,
                           0,
                           -1,
                           {home.x, home.y, home.x + cw, home.y + ch},
                           PileRect(ctx, pile, options)};
        return std::nullopt;
    };
    // In a grid whose cards lie on one another (the peaks), a card under the point wins over
    // the emptied place of a card that lay on it.
    if (ctx.Param(param::kGridColumns) > 0)
        for (int i = kFilaPiles - 1; i >= 0; --i)
            if (auto hit = test(pile::Fila(i), false)) return hit;
    // Piles drawn later lie above: the tableau, then the reserves, then the rest.
    for (int i = kFilaPiles - 1; i >= 0; --i)
        if (auto hit = test(pile::Fila(i))) return hit;
    for (int i = kAppoggPiles - 1; i >= 0; --i)
        if (auto hit = test(pile::Appogg(i))) return hit;
    for (int i = kDestPiles - 1; i >= 0; --i)
        if (auto hit = test(pile::Dest(i))) return hit;
    for (int i = kStockPiles - 1; i >= 0; --i)
        if (auto hit = test(pile::Stock(i))) return hit;
    return std::nullopt;
}

} // namespace quendra
