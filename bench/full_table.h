#pragma once

#include "game_context.h"

#include <string>

namespace quendra::bench {

// Deals the whole stock out onto the first ten tableau piles in turn and turns every one of
// the 104 cards face up: the fullest table Spider can show.
inline void SpreadStockFaceUp(GameContext& ctx) {
    std::string& stock = ctx.table.StockGroup[kMazzo];
    for (int i = 0; !stock.empty(); ++i) {
        ctx.table.FilaGroup[static_cast<std::size_t>(i % 10)] += stock.substr(stock.size() - 3);
        stock.resize(stock.size() - 3);
    }
    for (int card = 1; card <= 104; ++card)
        ctx.cardTable.SetFace(card, '1');
}

} // namespace quendra::bench
