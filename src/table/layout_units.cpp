#include "layout_units.h"

#include "game_params.h"

#include <algorithm>
#include <string>

namespace quendra::layout {

int RowDigit(int parameter) {
    const char first = std::to_string(parameter).front();
    return first >= '0' && first <= '9' ? first - '0' : -1;
}

Units ComputeUnits(const GameContext& ctx) {
    Units u;
    LayoutCodes& c = u.codes;
    c.stock = ctx.Param(354);
    c.stockRow = RowDigit(ctx.Param(355));
    c.dest = ctx.Param(356);
    c.destRow = RowDigit(ctx.Param(357));
    c.fila = ctx.Param(param::kTableauLayout);
    c.filaRow = RowDigit(ctx.Param(359));
    c.reserve = ctx.Param(361);
    c.reserveRow = RowDigit(ctx.Param(362));
    c.waste = ctx.Param(363);
    c.wasteRow = RowDigit(ctx.Param(364));

    u.slots = std::clamp<int>(ctx.Param(365), 0, kStockPiles);
    u.foundations = FoundationCount(ctx);
    u.piles = TableauCount(ctx);
    u.reserves = ReserveCount(ctx);
    u.wastes = std::clamp<int>(ctx.Param(369), 0, 1);
    u.hasStock = ctx.Param(9) == 1;
    u.hasWaste = ctx.Param(10) == 1;

    const LayoutArea& a = ctx.layoutArea;
    u.cw = ctx.geometry.CardWidth;
    u.ch = ctx.geometry.CardHeight;
    u.top = a.top;
    u.bottom = a.bottom;
    u.h = a.bottom - a.top;
    u.windowHeight = a.windowHeight;
    u.screenWidth = a.screenWidth;
    u.screenHeight = a.screenHeight;
    u.shadow = a.shadowOffset;

    // Spacing units.
    u.rowGap = u.lowWindow() ? 5 : 10;
    u.W = a.usableWidth - 2 - (u.lowWindow() ? 10 : 0);
    u.groupGap = u.smallScreen() && u.foundations > 4 && u.slots > 1 ? 5 : 15;
    u.margin = u.W >= 650 ? 5 : 3;
    if (u.slots > 0) {
        u.margin += u.shadow;
        const bool leftColumn = c.stock == 3 || c.stock == 4 || c.stock == 5 || c.stock == 16 ||
                                c.stock == 19 || c.waste == 4;
        if (leftColumn) u.margin += 15;
    }

    // The rows.
    const int gap = u.rowGap;
    auto& r = u.rows;
    r[0] = u.top;
    r[1] = u.top + gap + (c.stockRow == 1 ? 15 : 0);
    r[2] = r[1] + gap + u.ch + (c.stockRow == 2 || c.stock == 3 ? 15 : 0);
    r[3] = r[2] + gap + u.ch;
    r[4] = r[3] + gap + u.ch;
    // The bottom row keeps clear of the task bar: the window's bottom when it fills most of
    // the screen, else the screen's.
    r[5] = u.windowHeight * 5 > u.screenHeight * 4 ? u.windowHeight - u.ch - 50
                                                   : u.screenHeight - u.ch - 30;
    r[6] = r[2] + (r[3] - r[2]) / 2;
    if (c.fila == 15) {
        r[1] = u.top + 15;
        r[2] = u.top + 20 + u.ch;
        r[3] = r[2] + u.ch + 5;
    }

    // The centred grids.
    u.grid3[0] = std::max(u.top + (u.h - 3 * u.ch - 20) / 2, u.top + 2);
    u.grid4[0] = std::max(u.top + (u.h - 4 * u.ch - 30) / 2, u.top + 2);
    for (std::size_t i = 1; i < 4; ++i) {
        u.grid3[i] = u.grid3[i - 1] + u.ch + 10;
        u.grid4[i] = u.grid4[i - 1] + u.ch + 10;
    }
    return u;
}

} // namespace quendra::layout
