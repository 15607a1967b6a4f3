#include "families_after_move.h"

#include "autoplay.h"
#include "cards.h"
#include "families.h"
#include "legality.h"
#include "moves.h"

namespace quendra::after_move {

namespace {

constexpr int kClockCentre = 12; // the Kings' pile, 0-based
constexpr int kSetSize = 4;
constexpr int kPartnerOffset = 4; // foundations 5 to 8 pair with 1 to 4, and so on

const PileRef kDiscard{PileGroupId::Stock, kMazzoWaste};

// The pile's top card goes under it and the new top card turns face up.
void TurnOnce(GameContext& ctx, int index) {
    std::string& pile = ctx.table.Pile({PileGroupId::Fila, index});
    if (PileCardCount(pile) < 1) return;
    const std::string top = pile.substr(pile.size() - 3);
    pile.erase(pile.size() - 3);
    pile.insert(0, top);
    fnSetCardFace(ctx, PileTopCard(pile), '1');
}

// A card of the pile's own rank shows on top with a face-down card under it.
bool OwnCardOnFaceDown(const GameContext& ctx, int index) {
    const std::string& pile = ctx.table.Pile({PileGroupId::Fila, index});
    const int count = PileCardCount(pile);
    if (count < 2) return false;
    const int top = PileTopCard(pile);
    return fnRank(top) == index + 1 && IsFaceUp(ctx, top) &&
           !IsFaceUp(ctx, PileCardAt(pile, count - 2));
}

void TurnWhileOwnCardShows(GameContext& ctx, int index) {
    while (OwnCardOnFaceDown(ctx, index))
        TurnOnce(ctx, index);
}

} // namespace

void TurnClockPile(GameContext& ctx, int /*card*/, PileRef pile) {
    if (pile.group != PileGroupId::Fila || pile.index < 0 || pile.index > kClockCentre) return;
    TurnOnce(ctx, pile.index);
    TurnWhileOwnCardShows(ctx, pile.index);
    ctx.host.RedrawPile(pile);
}

void TurnClockCentre(GameContext& ctx) {
    TurnWhileOwnCardShows(ctx, kClockCentre);
}

bool ClockCardsAllHome(const GameContext& ctx) {
    for (int p = 0; p < TableauCount(ctx); ++p) {
        const std::string& pile = ctx.table.Pile({PileGroupId::Fila, p});
        for (int i = 0; i < PileCardCount(pile); ++i) {
            const int card = PileCardAt(pile, i);
            if (fnRank(card) != p + 1 || !IsFaceUp(ctx, card)) return false;
        }
    }
    return true;
}

void DiscardFourOfAKind(GameContext& ctx, int /*card*/, PileRef pile) {
    if (pile.group != PileGroupId::Fila) return;
    std::string& cards = ctx.table.Pile(pile);
    const int count = PileCardCount(cards);
    if (count < kSetSize) return;
    const int rank = fnRank(PileTopCard(cards));
    for (int i = count - kSetSize; i < count; ++i)
        if (fnRank(PileCardAt(cards, i)) != rank || !IsFaceUp(ctx, PileCardAt(cards, i))) return;
    for (int n = 0; n < kSetSize; ++n)
        FlyTopCard(ctx, pile, kDiscard);
    // As a card sent to the discard pile, the set may have been the last cards.
    fnWonTest(ctx);
}

void BringPartnerHome(GameContext& ctx, int card, PileRef pile) {
    if (pile.group != PileGroupId::Dest || pile.index < kPartnerOffset) return;
    const int rank = fnRank(card);
    if (rank != kJack && rank != kKing) return;
    const int suitStart = card - rank; // the card before the suit's Ace
    const int partner = suitStart + (rank == kJack ? kAce : kQueen);
    const auto place = fnFindCard(ctx, partner);
    if (!place || place->pile.group == PileGroupId::Dest) return;
    const PileRef home{PileGroupId::Dest, pile.index - kPartnerOffset};
    const TakenCard from = detail::PutOnPile(ctx, partner, home);
    ctx.host.RedrawPile(from.pile);
    ctx.host.FlyCard(partner, from.pile, home);
    ctx.host.RedrawPile(home);
}

} // namespace quendra::after_move
