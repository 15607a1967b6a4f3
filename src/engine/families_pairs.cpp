#include "families_pairs.h"

#include "cards.h"
#include "pick_up.h"

namespace quendra {

namespace {

constexpr int kKing = 13;
// The pyramid of 159 Pyramid and 77 Giza: seven rows, 28 cards.
constexpr int kPyramidRows = 7;

const std::string& Selected(const GameContext& ctx) {
    return ctx.table.Pile({PileGroupId::Dest, 0});
}

} // namespace

bool PairAddsUpToFourteen(const GameContext& ctx) {
    return PileCardCount(Selected(ctx)) == 2 && SelectedRankSum(ctx) == 14;
}

bool PairAddsUpToThirteen(const GameContext& ctx) {
    const int count = PileCardCount(Selected(ctx));
    if (count == 1) return fnRank(PileCardAt(Selected(ctx), 0)) == kKing;
    return count == 2 && SelectedRankSum(ctx) == 13;
}

bool PairOfOneRank(const GameContext& ctx) {
    const std::string& selected = Selected(ctx);
    return PileCardCount(selected) == 2 &&
           fnRank(PileCardAt(selected, 0)) == fnRank(PileCardAt(selected, 1));
}

bool SelectsFromAnyPileButStock(const GameContext& /*ctx*/, PileRef pile) {
    return pile != PileRef{PileGroupId::Stock, kMazzo} &&
           pile != PileRef{PileGroupId::Stock, kMazzoWaste};
}

bool SelectsFromPyramidPiles(const GameContext& ctx, PileRef pile) {
    switch (pile.group) {
    case PileGroupId::Fila:
    case PileGroupId::Appogg:
        return true;
    case PileGroupId::Dest:
        return false;
    case PileGroupId::Stock:
        break;
    }
    if (pile.index == kMazzoVis) return !ctx.table.Pile(pile).empty();
    // A card on the stock is selected while another is.
    return pile.index == kMazzo && !ctx.table.Pile(pile).empty() && !Selected(ctx).empty();
}

bool PyramidCardFree(const GameContext& ctx, int pileIndex) {
    int row = 0;
    while (row < kPyramidRows && (row + 1) * (row + 2) / 2 <= pileIndex)
        ++row;
    if (row >= kPyramidRows) return pileIndex < TableauCount(ctx); // the piles below it
    if (row == kPyramidRows - 1) return true;
    const int column = pileIndex - row * (row + 1) / 2;
    const int below = (row + 1) * (row + 2) / 2 + column;
    const auto empty = [&](int i) { return ctx.table.Pile({PileGroupId::Fila, i}).empty(); };
    return empty(below) && empty(below + 1);
}

} // namespace quendra
