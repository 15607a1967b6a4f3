#include "table_text.h"

#include "game_params.h"

#include <algorithm>

namespace quendra {

std::vector<PileRef> UsedPiles(const GameContext& ctx) {
    std::vector<PileRef> piles;
    const auto stockPile = [&](int index, bool used) {
        const PileRef pile{PileGroupId::Stock, index};
        if (used || !ctx.table.Pile(pile).empty()) piles.push_back(pile);
    };
    stockPile(kMazzo, ctx.Param(param::kStockPlaced) == 1);
    stockPile(kMazzoVis, ctx.Param(param::kWastePlaced) == 1);
    stockPile(kMazzoWaste, ctx.Param(param::kDiscardDeal) != 0);
    const auto numbered = [&](PileGroupId group, int param, int most) {
        const int count = std::clamp<int>(ctx.Param(param), 0, most);
        for (int i = 0; i < most; ++i) {
            const PileRef pile{group, i};
            if (i < count || !ctx.table.Pile(pile).empty()) piles.push_back(pile);
        }
    };
    numbered(PileGroupId::Dest, param::kFoundationCount, kDestPiles);
    numbered(PileGroupId::Fila, param::kTableauCount, kFilaPiles);
    numbered(PileGroupId::Appogg, param::kReserveCount, kAppoggPiles);
    return piles;
}

std::string CardText(int card) {
    if (card <= 0) return "..";
    if (fnIsJoker(card)) return "JK";
    static const char* const suits = "HDCS";
    return fnRankText(fnRank(card)) + suits[fnSuit(card)];
}

std::string PileCardsText(const GameContext& ctx, PileRef pile) {
    const std::string& cards = ctx.table.Pile(pile);
    std::string text;
    for (int k = 0; k < PileCardCount(cards); ++k) {
        const int card = PileCardAt(cards, k);
        const bool down = card > 0 && ctx.cardTable.Face(card) == '0';
        if (k > 0) text += ' ';
        text += down ? "[" + CardText(card) + "]" : CardText(card);
    }
    return text;
}

} // namespace quendra
