#include "families_quilt.h"

#include "quilt_geometry.h"

#include <string>

namespace quendra::quilt {
namespace {

// No card lies at `place` of tableau row `row`: a gap, or past the quilt's edge.
bool NoCardAt(const GameContext& ctx, int row, int place) {
    if (row < 0 || row >= TableauCount(ctx) || place < 0) return true;
    const std::string& cards = ctx.table.Pile(pile::Fila(row));
    return place >= PileCardCount(cards) || PileCardAt(cards, place) < 1;
}

} // namespace

bool FreeAtANarrowEnd(const GameContext& ctx, PileRef pile, int position) {
    if (pile.group != PileGroupId::Fila || NoCardAt(ctx, pile.index, position)) return false;
    const int row = pile.index;
    if (QuiltPlaceSideways(row, position))
        return NoCardAt(ctx, row, position - 1) || NoCardAt(ctx, row, position + 1);
    return NoCardAt(ctx, row - 1, position) || NoCardAt(ctx, row + 1, position);
}

} // namespace quendra::quilt
