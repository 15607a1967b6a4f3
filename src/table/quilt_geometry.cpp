#include "quilt_geometry.h"

#include "game_params.h"
#include "layout_units.h"

#include <algorithm>

namespace quendra {
namespace {

// The room between two neighbouring cards of the quilt.
constexpr int kQuiltGap = 4;
// Two upright cards on a diagonal keep at least this much apart when the quilt closes up.
constexpr int kDiagonalApart = 1;
// Rows closed up on a low table keep at least this share of a card's height apart.
constexpr int kLeastRowStepShare = 2;

// The step across the quilt: half an upright and half a sideways card and the gap, closer
// when the table is too narrow for all the places, though never so close that two upright
// cards on a diagonal would touch.
int AcrossStep(int cw, int ch, int width, int places) {
    const int whole = (cw + ch) / 2 + kQuiltGap;
    if (places <= 1) return whole;
    return std::clamp((width - ch) / (places - 1), cw + kDiagonalApart, whole);
}

int UsableWidth(const GameContext& ctx) {
    const LayoutArea& a = ctx.layoutArea;
    constexpr int kLowWindow = 500, kLowWindowMargin = 10, kEdge = 2;
    return a.usableWidth - kEdge - (a.windowHeight < kLowWindow ? kLowWindowMargin : 0);
}

int QuiltPlaces(const GameContext& ctx) {
    return std::max<int>(1, ctx.Param(param::kTableauDealt));
}

} // namespace

bool IsQuiltTable(const GameContext& ctx) {
    return ctx.Param(param::kTableauLayout) == kQuiltLayout;
}

QuiltSteps QuiltStepsOf(const GameContext& ctx) {
    const int cw = ctx.geometry.CardWidth, ch = ctx.geometry.CardHeight;
    QuiltSteps s;
    s.across = AcrossStep(cw, ch, UsableWidth(ctx), QuiltPlaces(ctx));
    // The rows' own places give the step down (the layout may have brought them closer).
    const PileRef first = pile::Fila(0), second = pile::Fila(1);
    s.down = PileHasPlace(ctx, second) ? PileY(ctx, second) - PileY(ctx, first) : s.across;
    return s;
}

TableRect QuiltCardRect(const GameContext& ctx, int row, int place) {
    const int cw = ctx.geometry.CardWidth, ch = ctx.geometry.CardHeight;
    const PileRef pile = pile::Fila(row);
    const QuiltSteps s = QuiltStepsOf(ctx);
    // The pile's place is the top-left corner of the row's first upright card (at place 0 in
    // the even rows, at place 1 in the odd ones); every card of the row is centred on the
    // row's middle line, a step across from the card before it.
    const int firstUpright = row % 2;
    const int centreX = PileX(ctx, pile) + cw / 2 + (place - firstUpright) * s.across;
    const int centreY = PileY(ctx, pile) + ch / 2;
    const bool sideways = QuiltPlaceSideways(row, place);
    const int w = sideways ? ch : cw, h = sideways ? cw : ch;
    const int left = centreX - w / 2, top = centreY - h / 2;
    return {left, top, left + w, top + h};
}

} // namespace quendra

namespace quendra::layout {

void PlaceQuilt(GameContext& ctx, const Units& u) {
    const int y0 = u.rows[1];
    int x = u.margin;
    for (int s = 0; s < u.slots; ++s, x += u.cw + u.groupGap)
        SetPilePosition(ctx, pile::Stock(s), x, y0);
    // The foundations side by side after the stock group, centred in the room left.
    const int room = u.W - u.margin - x;
    const int spacing =
        u.foundations > 1
            ? std::clamp((room - u.foundations * u.cw) / (u.foundations + 1), 2, u.groupGap)
            : 0;
    const int row = u.foundations * u.cw + (u.foundations - 1) * spacing;
    const int fx = x + std::max(0, (room - row) / 2);
    for (int k = 0; k < u.foundations; ++k)
        SetPilePosition(ctx, pile::Dest(k), fx + k * (u.cw + spacing), y0);

    const int places = std::max<int>(1, ctx.Param(param::kTableauDealt));
    const int across = AcrossStep(u.cw, u.ch, u.W, places);
    const int width = (places - 1) * across + u.ch;
    const int top = y0 + u.ch + u.rowGap;
    // Rows too many for the table's height come closer and lie on one another, each row over
    // the one above it (the rows are drawn in order, and the pointer finds the last drawn).
    int down = across;
    if (u.piles > 1)
        down = std::clamp((u.bottom - top - u.ch) / (u.piles - 1), u.ch / kLeastRowStepShare,
                          across);
    // A sideways card at either end of the widest row reaches half a card's height out from
    // its centre; each pile's place is its first upright card's top-left corner.
    const int x0 = std::max(u.margin, (u.W - width) / 2);
    for (int r = 0; r < u.piles; ++r)
        SetPilePosition(ctx, pile::Fila(r), x0 + u.ch / 2 - u.cw / 2 + (r % 2) * across,
                        top + r * down);
}

} // namespace quendra::layout
