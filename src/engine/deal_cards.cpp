#include "deal_cards.h"

#include "cards.h"
#include "deal.h"
#include "deal_deck.h"
#include "game_params.h"

#include <algorithm>

namespace quendra {

using pile::Appogg;
using pile::Dest;
using pile::Fila;
using pile::Stock;

namespace dealing {

int Deck::TakeFirst() {
    if (cards.empty()) return 0;
    const int card = cards.front();
    cards.erase(cards.begin());
    return card;
}

int Deck::TakeFirstOfRank(int rank) {
    const auto it =
        std::find_if(cards.begin(), cards.end(), [&](int c) { return fnRank(c) == rank; });
    if (it == cards.end()) return 0;
    const int card = *it;
    cards.erase(it);
    return card;
}

bool Deck::Take(int card) {
    const auto it = std::find(cards.begin(), cards.end(), card);
    if (it == cards.end()) return false;
    cards.erase(it);
    return true;
}

void DealOnto(GameContext& ctx, Deck& deck, PileRef pile, int n, int faceUp) {
    for (int k = 0; k < n && !deck.Empty(); ++k)
        fnPutCard(ctx, pile, deck.TakeFirst(), '0');
    if (faceUp != 0) fnTurnCards(ctx.cardTable, ctx.table.Pile(pile), faceUp, '1');
}

void PutFaceUp(GameContext& ctx, PileRef pile, int card) {
    if (card > 0) fnPutCard(ctx, pile, card, '1');
}

void RemoveAt(std::string& pile, int place) {
    pile.erase(static_cast<std::size_t>(place) * 3, 3);
}

int BaseRankOf(int card) {
    return fnIsJoker(card) ? -2 : fnRank(card);
}

void SetParam(GameContext& ctx, int index, int value) {
    ctx.params.at(static_cast<std::size_t>(index)) = static_cast<std::int16_t>(value);
}

} // namespace dealing

using dealing::Deck;

namespace {



// Keeps, for each rank up to `lastRank`, only the first card of that rank that passes `keep`,
// and drops every card of a higher rank.
template <typename Keep> void KeepFirstOfEachRank(std::vector<int>& deck, int lastRank, Keep keep) {
    std::vector<int> kept;
    std::vector<bool> seen(14, false);
    for (int card : deck) {
        const int rank = fnRank(card);
        if (rank < 1 || rank > lastRank || rank > 13 || seen[static_cast<std::size_t>(rank)] ||
            !keep(card))
            continue;
        seen[static_cast<std::size_t>(rank)] = true;
        kept.push_back(card);
    }
    deck = std::move(kept);
}

// The card that starts foundation i by its code; 0 for none.
int FoundationStartCard(const GameContext& ctx, const Deck& deck, int i,
                        const std::vector<int>& firstCards) {
    namespace fc = foundation_code;
    const int v = ctx.Param(99 + i);
    const int head = deck.Empty() ? 0 : deck.cards.front();
    auto firstOfRank = [&](int rank) {
        for (int c : deck.cards)
            if (fnRank(c) == rank) return c;
        return 0;
    };
    switch (v) {
    case 0:
    case fc::kAcesFromTableau:
    case fc::kRankRun:
    case fc::kBaseOfFirst:
        return 0;
    case fc::kNextOfFirstCard: {
        int card = head + (i + 1) * 13;
        const int n = ctx.Param(param::kDeckSize);
        // Wrapped into 1 .. n: a plain remainder would name the gap card 0.
        if (n > 0 && card > n) card = (card - 1) % n + 1;
        return card;
    }
    case fc::kSweepAll:
    case fc::kSweepOwn:
        return i * 13 + 1;
    case fc::kSweepKingsAces:
        return i <= 3 ? (i + 1) * 13 : i * 13 - 51;
    case fc::kFirstCard:
        return head;
    case fc::kNewSuit:
        for (int c : deck.cards)
            if (std::none_of(firstCards.begin(), firstCards.end(),
                             [&](int f) { return f > 0 && fnSuit(f) == fnSuit(c); }))
                return c;
        return 0;
    default:
        if (v >= 51 && v <= 63) return firstOfRank(v - 50);
        return v > 99 ? v - 100 : i * 13 + v;
    }
}

// Step 3: the cards that start the foundations.
void StartFoundations(GameContext& ctx, Deck& deck) {
    std::vector<int> firstCards;
    for (int i = 0; i < FoundationCount(ctx); ++i) {
        if (ctx.Param(99 + i) == foundation_code::kBaseOfFirst)
            dealing::SetParam(ctx, 51 + i, ctx.Param(51));
        const int card = FoundationStartCard(ctx, deck, i, firstCards);
        // Only a card of this deck can start a foundation: nothing is dealt twice.
        if (card > 0 && deck.Take(card)) {
            dealing::PutFaceUp(ctx, Dest(i), card);
            dealing::SetParam(ctx, 51 + i, fnRank(card));
            firstCards.push_back(card);
        } else {
            firstCards.push_back(0);
        }
    }
}

// Step 4: foundations 1 to 8 start with Two to Nine, the rest build on doubled ranks.
void StartRankRun(GameContext& ctx, Deck& deck) {
    for (int i = 0; i < 8; ++i) {
        const int card = deck.TakeFirstOfRank(i + 2);
        if (card == 0) continue;
        dealing::PutFaceUp(ctx, Dest(i), card);
        dealing::SetParam(ctx, 51 + i, fnRank(card));
    }
    for (int i = 8; i < FoundationCount(ctx); ++i) {
        int base = 2 * ctx.Param(51 + i - 8);
        if (base > 13) base -= 13;
        dealing::SetParam(ctx, 51 + i, base);
    }
}

// Step 5: the first card's rank starts every foundation, its fellows follow.
void StartMatchedRanks(GameContext& ctx, Deck& deck) {
    const int first = deck.TakeFirst();
    if (first == 0) return;
    dealing::PutFaceUp(ctx, Dest(0), first);
    const int rank = dealing::BaseRankOf(first);
    for (int i = 0; i < kDestPiles; ++i)
        dealing::SetParam(ctx, 51 + i, rank);
    int next = 1;
    for (std::size_t k = 0; k < deck.cards.size() && next < kDestPiles;) {
        const int card = deck.cards[k];
        if (dealing::BaseRankOf(card) == rank) {
            deck.cards.erase(deck.cards.begin() + static_cast<std::ptrdiff_t>(k));
            dealing::PutFaceUp(ctx, Dest(next++), card);
        } else {
            ++k;
        }
    }
}

// Step 7: piles that start with a card of a given rank or a joker.
void DealSpecialCounts(GameContext& ctx, Deck& deck) {
    for (int i = 0; i < kFilaPiles; ++i) {
        const int c = ctx.Param(374 + i);
        if (c <= 1000) continue;
        if (c <= 1499) {
            const int card = deck.TakeFirstOfRank(c - 1000);
            if (card > 0) fnPutCard(ctx, Fila(i), card, '0');
        } else if (c >= 1501 && c <= 1504) {
            const int joker = 104 + (c - 1500);
            if (deck.Take(joker)) fnPutCard(ctx, Fila(i), joker, '1');
        }
        const int up = ctx.Param(414 + i);
        if (up != 0) fnTurnCards(ctx.cardTable, ctx.table.Pile(Fila(i)), up, '1');
    }
}

// Step 8: the ordinary counts, in a fixed order.
void DealOrdinaryPiles(GameContext& ctx, Deck& deck) {
    const int stock = ctx.Param(371);
    dealing::DealOnto(ctx, deck, Stock(kMazzo), stock, ctx.Param(7) == 0 ? stock : 0);
    dealing::DealOnto(ctx, deck, Stock(kMazzoVis), ctx.Param(372), ctx.Param(372));
    for (int i = 0; i < kFilaPiles; ++i) {
        const int c = ctx.Param(374 + i);
        if (c >= 1 && c <= 1000) dealing::DealOnto(ctx, deck, Fila(i), c, ctx.Param(414 + i));
    }
    dealing::DealOnto(ctx, deck, Stock(kMazzoWaste), ctx.Param(454), ctx.Param(454));
    for (int i = 0; i < kAppoggPiles; ++i) {
        const int c = ctx.Param(455 + i);
        if (c > 0) dealing::DealOnto(ctx, deck, Appogg(i), c, ctx.Param(465 + i));
    }
}

// Step 9: base ranks by parameter 1.
void SetBaseRanks(GameContext& ctx, Deck& deck) {
    switch (ctx.Param(1)) {
    case 1: {
        const int card = deck.TakeFirst();
        if (card == 0) break;
        dealing::PutFaceUp(ctx, Dest(0), card);
        for (int i = 0; i < kDestPiles; ++i)
            dealing::SetParam(ctx, 51 + i, dealing::BaseRankOf(card));
        break;
    }
    case 2:
        for (int i = 0; i < FoundationCount(ctx); ++i) {
            const int card = deck.TakeFirst();
            if (card == 0) break;
            dealing::PutFaceUp(ctx, Dest(i), card);
            dealing::SetParam(ctx, 51 + i, fnRank(card));
        }
        break;
    case 3:
        for (int i = 0; i < FoundationCount(ctx) && i < kAppoggPiles; ++i) {
            const std::string& reserve = ctx.table.Pile(Appogg(i));
            if (!reserve.empty())
                dealing::SetParam(ctx, 51 + i, fnNextRank(fnRank(PileCardAt(reserve, 0))));
        }
        break;
    case 4: {
        const int card = deck.TakeFirst();
        if (card == 0) break;
        dealing::PutFaceUp(ctx, Dest(0), card);
        const int rank = fnRank(card);
        for (int i = 0; i < 4; ++i)
            dealing::SetParam(ctx, 51 + i, rank);
        for (int i = 4; i < 8; ++i)
            dealing::SetParam(ctx, 51 + i, fnNextRank(rank));
        break;
    }
    default:
        break;
    }
    for (int i = 131; i <= 170; ++i)
        if (ctx.Param(i) == 91) dealing::SetParam(ctx, i, fnPrevRank(ctx.Param(51)));
    if (ctx.Param(12) == 1) dealing::PutFaceUp(ctx, Dest(0), deck.TakeFirst());
}

} // namespace

bool DealModeImplemented(int mode) {
    // 0 deals normally; every mode up to the last one named has its own step.
    return mode >= 0 && mode <= deal_mode::kAcesLeadRowsBeforeAGap;
}

void SelectDeck(const GameContext& ctx, std::vector<int>& deck) {
    namespace dm = deal_mode;
    const int piles = ctx.Param(367);
    switch (ctx.Param(34)) {
    case dm::kOneCardOfEachRank:
        KeepFirstOfEachRank(deck, piles, [](int) { return true; });
        break;
    case dm::kOneSuitToNine: {
        if (deck.empty()) break;
        const int suit = fnSuit(deck.front());
        KeepFirstOfEachRank(deck, 9, [&](int c) { return fnSuit(c) == suit; });
        break;
    }
    case dm::kFirstRanks:
        std::erase_if(deck, [&](int c) {
            if (piles <= 13) return c > piles;
            return !(c <= 13 || (c >= 27 && c <= piles + 13));
        });
        break;
    case dm::kFixedCards: {
        std::vector<int> keep = {1, 5, 15, 19, 29, 43, 53, 57, 67, 71, 81, 95};
        if (piles != 3) keep.insert(keep.end(), {9, 23, 33, 37, 47, 51, 61, 75, 85, 89, 99, 103});
        if (piles != 3 && piles != 4)
            keep.insert(keep.end(),
                        {2, 10, 16, 24, 30, 38, 44, 52, 54, 62, 68, 76, 82, 90, 96, 104});
        std::erase_if(deck,
                      [&](int c) { return std::find(keep.begin(), keep.end(), c) == keep.end(); });
        break;
    }
    case dm::kNoCourtCards:
        std::erase_if(deck, [](int c) { return fnRank(c) == 12 || fnRank(c) == 13; });
        break;
    default:
        break;
    }
}

void DealCards(GameContext& ctx) {
    DeckList list;
    fnGameNumberCardsArray(ctx, list);
    Deck deck;
    for (const std::string& code : list) {
        const int card = ParseDigits(code);
        // Unfilled slots of the list are no cards.
        if (card >= 1 && card <= kMaxCard) deck.cards.push_back(card);
    }
    SelectDeck(ctx, deck.cards);

    StartFoundations(ctx, deck);
    if (ctx.Param(99) == foundation_code::kRankRun) StartRankRun(ctx, deck);
    if (ctx.Param(1) == 5) StartMatchedRanks(ctx, deck);
    if (const int special = ctx.Param(351); special != 0) {
        const int card = special > 100 ? special - 100 : special;
        if (deck.Take(card)) dealing::PutFaceUp(ctx, Stock(kMazzoWaste), card);
    }
    DealSpecialCounts(ctx, deck);
    DealOrdinaryPiles(ctx, deck);
    SetBaseRanks(ctx, deck);
    dealing::DealSpecialStarts(ctx, deck);
    // What is left of the deck list is not part of this game.
}

} // namespace quendra
