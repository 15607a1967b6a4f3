#include "flight_deal.h"

#include "cards.h"

#include <algorithm>

namespace quendra {

namespace {

constexpr int kSpecialFamilyParam = 50;
constexpr int kGapRowsAskingFamily = 46;
constexpr int kDealPileByPileParam = 24;

int CardsIn(const GameContext& ctx, PileRef pile) {
    return PileCardCount(ctx.table.Pile(pile));
}

DealSource AtPile(const GameContext& ctx, PileRef pile) {
    return {pile, {PileX(ctx, pile), PileY(ctx, pile)}};
}

bool AnyCards(const GameContext& ctx, PileGroupId group, int count) {
    for (int i = 0; i < count; ++i)
        if (CardsIn(ctx, {group, i}) > 0) return true;
    return false;
}

} // namespace

std::optional<DealSource> ChooseDealSource(const GameContext& ctx) {
    if (!AnyCards(ctx, PileGroupId::Fila, kFilaPiles) &&
        !AnyCards(ctx, PileGroupId::Appogg, kAppoggPiles))
        return std::nullopt;
    if (ctx.Param(kSpecialFamilyParam) == kGapRowsAskingFamily)
        return DealSource{std::nullopt, {-(ctx.geometry.CardWidth * 11) / 10, 0}};
    const PileRef mazzo{PileGroupId::Stock, kMazzo};
    const PileRef vis{PileGroupId::Stock, kMazzoVis};
    const PileRef reserve1{PileGroupId::Appogg, 0};
    const PileRef waste{PileGroupId::Stock, kMazzoWaste};
    const PileRef dest1{PileGroupId::Dest, 0};
    if (PileHasPlace(ctx, mazzo) && (CardsIn(ctx, mazzo) > 0 || CardsIn(ctx, vis) == 0))
        return AtPile(ctx, mazzo);
    if (PileHasPlace(ctx, vis)) return AtPile(ctx, vis);
    if (PileHasPlace(ctx, reserve1) && CardsIn(ctx, reserve1) <= 1) return AtPile(ctx, reserve1);
    if (PileHasPlace(ctx, waste)) return AtPile(ctx, waste);
    if (PileHasPlace(ctx, dest1)) return AtPile(ctx, dest1);
    return AtPile(ctx, {PileGroupId::Fila, 0});
}

std::vector<DealtCard> DealOrder(const GameContext& ctx, const DealSource& source) {
    std::vector<DealtCard> order;
    auto add = [&](PileRef pile, int position) {
        const int card = PileCardAt(ctx.table.Pile(pile), position);
        const bool faceUp = card >= 1 && card <= kMaxCard && ctx.cardTable.Face(card) == '1';
        order.push_back({pile, position, card, faceUp});
    };
    for (int r = 0; r < kAppoggPiles; ++r) {
        const PileRef pile{PileGroupId::Appogg, r};
        if (source.pile == pile) continue;
        for (int p = 0; p < CardsIn(ctx, pile); ++p)
            add(pile, p);
    }
    const PileRef fila1{PileGroupId::Fila, 0};
    if (ctx.Param(kDealPileByPileParam) != 0) {
        for (int f = 0; f < kFilaPiles; ++f)
            for (int p = 0; p < CardsIn(ctx, {PileGroupId::Fila, f}); ++p)
                add({PileGroupId::Fila, f}, p);
        return order;
    }
    int tallest = 0;
    for (int f = 0; f < kFilaPiles; ++f)
        tallest = std::max(tallest, CardsIn(ctx, {PileGroupId::Fila, f}));
    for (int round = 0; round < tallest; ++round) {
        for (int f = 0; f < kFilaPiles; ++f) {
            const PileRef pile{PileGroupId::Fila, f};
            if (round == 0 && pile == fila1 && source.pile == fila1) continue;
            if (round < CardsIn(ctx, pile)) add(pile, round);
        }
    }
    return order;
}

TablePoint DealLaunchPoint(const GameContext& ctx, const DealSource& source) {
    return {source.at.x + ctx.geometry.CardWidth / 7, source.at.y + ctx.geometry.CardHeight / 7};
}

} // namespace quendra
