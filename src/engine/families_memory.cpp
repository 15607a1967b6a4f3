#include "families_memory.h"

#include "autoplay.h"
#include "building.h"
#include "cards.h"
#include "legality.h"
#include "moves.h"
#include "score.h"
#include "undo_history.h"

#include <vector>

namespace quendra {

namespace {

const PileRef kDiscard{PileGroupId::Stock, kMazzoWaste};
const std::string kGap = "000";

struct Place {
    PileRef pile;
    int position = 0;
    int card = 0;
};

// The cards of the try in progress: the face-up cards of the tableau.
std::vector<Place> ShownCards(const GameContext& ctx) {
    std::vector<Place> shown;
    for (int p = 0; p < TableauCount(ctx); ++p) {
        const PileRef pile{PileGroupId::Fila, p};
        const std::string& cards = ctx.table.Pile(pile);
        for (int k = 0; k < PileCardCount(cards); ++k) {
            const int card = PileCardAt(cards, k);
            if (card > 0 && IsFaceUp(ctx, card)) shown.push_back({pile, k, card});
        }
    }
    return shown;
}

// Two cards of one rank pair as the tableau's building method says: in suit (the identical
// cards of two packs), in colour, or whatever their suits.
bool ArePair(const GameContext& ctx, int a, int b) {
    if (fnRank(a) != fnRank(b)) return false;
    switch (ctx.Param(param::kTableauMethod)) {
    case build_method::kAnySuit:
        return true;
    case build_method::kInColour:
        return fnIsRed(a) == fnIsRed(b);
    default:
        return fnSuit(a) == fnSuit(b);
    }
}

// The pair goes to the discard pile; its places stay empty so that no other card moves (a
// row keeps its length: a row laid side by side closes up by the cards it holds).
void RemovePair(GameContext& ctx, const std::vector<Place>& pair) {
    PlaySwitchedSound(ctx, field::kSoundsPairing, "Pairing");
    for (const Place& place : pair) {
        std::string& cards = ctx.table.Pile(place.pile);
        const std::string whole = cards;
        // A flight leaves from one step beyond the top of its pile: the row is cut before
        // the card while it flies, so that it leaves from its own place.
        cards.resize(static_cast<std::size_t>(place.position) * 3);
        // A discard pile left off the table takes the cards without a flight.
        if (PileHasPlace(ctx, kDiscard)) ctx.host.FlyCard(place.card, place.pile, kDiscard);
        cards = whole;
        cards.replace(static_cast<std::size_t>(place.position) * 3, 3, kGap);
        fnPutCard(ctx, kDiscard, place.card, '1');
        ctx.host.RedrawPile(place.pile);
        ctx.host.RedrawPile(kDiscard);
    }
}

int Pairs(const GameContext& ctx) {
    return PileCardCount(ctx.table.Pile(kDiscard)) / 2;
}

} // namespace

bool TurnMemoryCard(GameContext& ctx, PileRef pile, int position) {
    if (pile.group != PileGroupId::Fila || pile.index >= TableauCount(ctx)) return false;
    const std::string& cards = ctx.table.Pile(pile);
    if (position < 0 || position >= PileCardCount(cards)) return false;
    const int card = PileCardAt(cards, position);
    std::vector<Place> shown = ShownCards(ctx);
    const bool triedPairShown = shown.size() >= 2;
    if (card < 1 || (IsFaceUp(ctx, card) && !triedPairShown)) return false;

    RecordPlayStep(ctx);
    if (triedPairShown) {
        // The two cards of the last try go face down again; the card clicked, one of them
        // or another, starts the next try.
        for (const Place& place : shown) {
            fnSetCardFace(ctx, place.card, '0');
            ctx.host.RedrawPile(place.pile);
        }
        shown.clear();
    }
    fnSetCardFace(ctx, card, '1');
    ctx.host.RedrawPile(pile);
    PlaySwitchedSound(ctx, field::kSoundsFaceUp, "Face_up");
    shown.push_back({pile, position, card});
    if (shown.size() == 2) {
        // A try: counted in the step, so that undo, redo and saved games count it too.
        ++ctx.play.dealCount;
        MarkPlayStep(ctx, kStepDealOntoPiles);
        if (ArePair(ctx, shown[0].card, shown[1].card)) RemovePair(ctx, shown);
    }
    if (!DemonstrationPlaying(ctx)) ctx.undoHistory.redo.Clear();
    fnWonTest(ctx);
    return true;
}

int MemoryTries(const GameContext& ctx) {
    return ctx.play.dealCount;
}

int MemoryPairsFound(const GameContext& ctx) {
    return Pairs(ctx);
}

int MemoryScore36(const GameContext& ctx) {
    return 15 * Pairs(ctx) - 52 - MemoryTries(ctx);
}

int MemoryScore37(const GameContext& ctx) {
    return -52 - 2 * MemoryTries(ctx) + 10 * Pairs(ctx);
}

int MemoryScore39(const GameContext& ctx) {
    return -52 - MemoryTries(ctx) + 7 * Pairs(ctx);
}

bool MemoryCleared(const GameContext& ctx) {
    for (int p = 0; p < TableauCount(ctx); ++p) {
        const std::string& cards = ctx.table.Pile({PileGroupId::Fila, p});
        for (int k = 0; k < PileCardCount(cards); ++k)
            if (PileCardAt(cards, k) > 0) return false;
    }
    return true;
}

void ShowMemoryResult(GameContext& ctx) {
    const int tries = MemoryTries(ctx);
    if (tries == 0) return; // a game left before the first try has nothing to tell
    const int pairs = Pairs(ctx);
    ctx.host.ShowInformation("You found " + std::to_string(pairs) +
                             (pairs == 1 ? " pair in " : " pairs in ") + std::to_string(tries) +
                             (tries == 1 ? " try" : " tries") + ".\rYour score is " +
                             std::to_string(fnComputeScore(ctx)) + ".");
}

} // namespace quendra
