#include "redeal_orders.h"

#include "cards.h"
#include "deal.h"
#include "game_params.h"
#include "moves.h"

#include <algorithm>
#include <functional>
#include <random>

namespace quendra {

namespace {

const PileRef kStock{PileGroupId::Stock, kMazzo};

// Takes the tableau's cards up onto the stock and off it again: pile 1's bottom card first,
// pile 1's top card before pile 2's bottom card, and so on.
std::vector<int> TakeTableauInPileOrder(GameContext& ctx) {
    std::string& stock = ctx.table.Pile(kStock);
    const std::size_t below = stock.size();
    GatherTableau(ctx, kStock, '1');
    std::vector<int> cards;
    for (int i = PileCardCount(stock) - 1; i >= static_cast<int>(below / 3); --i)
        cards.push_back(PileCardAt(stock, i));
    stock.erase(below);
    return cards;
}

int OpeningCount(const GameContext& ctx, int pile) {
    return std::clamp(ctx.Param(param::kTableauDealt + pile), 0, 1000);
}

// Deals `cards` from the first onto the tableau piles in turn, pile p taking `count(p)` of
// them, the first at its bottom, face down, then turning `faceUp(p)` of them as the opening
// deal does. Answers the cards left over.
std::vector<int> DealPackets(GameContext& ctx, const std::vector<int>& cards,
                             const std::function<int(int)>& count,
                             const std::function<int(int)>& faceUp) {
    std::size_t next = 0;
    for (int p = 0; p < TableauCount(ctx) && next < cards.size(); ++p) {
        const PileRef pile{PileGroupId::Fila, p};
        for (int k = 0; k < count(p) && next < cards.size(); ++k) {
            fnPutCard(ctx, pile, cards[next], '0');
            ctx.host.FlyCard(cards[next], kStock, pile);
            ++next;
        }
        fnTurnCards(ctx.cardTable, ctx.table.Pile(pile), faceUp(p), '1');
        ctx.host.RedrawPile(pile);
    }
    return {cards.begin() + static_cast<std::ptrdiff_t>(next), cards.end()};
}

// Fans of the first pile's opening size, every card face up; the last pile takes the rest.
std::vector<int> DealFans(GameContext& ctx, const std::vector<int>& cards, bool restOnLast) {
    const int size = std::max(1, OpeningCount(ctx, 0));
    const int last = TableauCount(ctx) - 1;
    const auto count = [&](int p) { return restOnLast && p == last ? 1000 : size; };
    return DealPackets(ctx, cards, count, [](int) { return 1000; });
}

} // namespace

int GatherTableau(GameContext& ctx, PileRef to, char face) {
    int gathered = 0;
    for (int p = TableauCount(ctx) - 1; p >= 0; --p) {
        const PileRef pile{PileGroupId::Fila, p};
        std::string& cards = ctx.table.Pile(pile);
        while (!cards.empty()) {
            const int card = PileTopCard(cards);
            cards.erase(cards.size() - 3);
            if (card < 1) continue;
            fnPutCard(ctx, to, card, face);
            ctx.host.FlyCard(card, pile, to);
            ++gathered;
        }
        ctx.host.RedrawPile(pile);
    }
    PlaySwitchedSound(ctx, field::kSoundsShuffle, "Shuffle");
    return gathered;
}

void ShuffleForRedeal(const GameContext& ctx, std::vector<int>& cards) {
    const unsigned long long deal = std::stoull(DealDigits(ctx));
    std::mt19937_64 random(deal * 1'000'003ULL + static_cast<unsigned long long>(ctx.play.passNumber));
    // The engine's output is fixed by the standard, so the shuffle is the same everywhere.
    for (std::size_t i = cards.size(); i > 1; --i)
        std::swap(cards[i - 1], cards[static_cast<std::size_t>(random() % i)]);
}

void RedealShuffledFans(GameContext& ctx) {
    std::vector<int> cards = TakeTableauInPileOrder(ctx);
    ShuffleForRedeal(ctx, cards);
    DealFans(ctx, cards, true);
}

void RedealFansInOrder(GameContext& ctx) {
    DealFans(ctx, TakeTableauInPileOrder(ctx), true);
}

void RedealShuffledOpening(GameContext& ctx) {
    std::vector<int> cards = TakeTableauInPileOrder(ctx);
    ShuffleForRedeal(ctx, cards);
    const auto count = [&](int p) { return OpeningCount(ctx, p); };
    const auto faceUp = [&](int p) { return ctx.Param(param::kTableauFaceUp + p); };
    // Fewer cards than at the start: a pile cut short still shows its top card.
    const std::vector<int> rest = DealPackets(ctx, cards, count, faceUp);
    for (int p = 0; p < TableauCount(ctx); ++p) {
        const std::string& pile = ctx.table.FilaGroup[static_cast<std::size_t>(p)];
        if (!pile.empty()) ctx.cardTable.SetFace(PileTopCard(pile), '1');
    }
    for (int card : rest)
        fnPutCard(ctx, {PileGroupId::Fila, TableauCount(ctx) - 1}, card, '1');
}

void RedealShuffledWithStock(GameContext& ctx) {
    std::vector<int> cards = TakeTableauInPileOrder(ctx);
    std::string& stock = ctx.table.Pile(kStock);
    for (int i = PileCardCount(stock) - 1; i >= 0; --i)
        cards.push_back(PileCardAt(stock, i));
    stock.clear();
    ShuffleForRedeal(ctx, cards);
    const char face = ctx.Param(param::kStockFaceDown) != 0 ? '0' : '1';
    for (int card : DealFans(ctx, cards, false))
        fnPutCard(ctx, kStock, card, face);
    ctx.host.RedrawPile(kStock);
}

} // namespace quendra
