#include "moves.h"

#include "autoplay.h"
#include "cards.h"
#include "families.h"
#include "families_gaps.h"
#include "game_params.h"
#include "stock.h"

#include <algorithm>
#include <array>
#include <vector>

namespace quendra {

namespace {

// Foundation base values of the games whose finished 13-card runs leave the tableau.
constexpr int kRunSlotAnySuit = 82;
constexpr int kRunSlotInSuit = 83;
constexpr int kRunSlotKingOnTop = 95;
constexpr int kRunSlotOther = 97;
constexpr int kRunLength = 13;

// Parameter 4 values whose foundations are drawn by their family.
constexpr int kFoundationsNotDrawn = 2;
constexpr int kFoundationsFamilyDrawn = 7;

bool IsRunSlotBase(int base) {
    return base == kRunSlotAnySuit || base == kRunSlotInSuit || base == kRunSlotKingOnTop ||
           base == kRunSlotOther;
}

// The number after a fixed prefix: "Dest12" -> 12; 0 when none.
int NumberAfter(std::string_view action, std::string_view prefix) {
    if (!action.starts_with(prefix)) return 0;
    const std::string_view rest = action.substr(prefix.size());
    if (rest.empty() || rest.size() > 2) return 0;
    const int n = ParseDigits(rest);
    return n < 0 ? 0 : n;
}

bool StockBare(const GameContext& ctx) {
    return ctx.table.StockGroup[kMazzo].empty() &&
           PileCardCount(ctx.table.StockGroup[kMazzoVis]) <= 1;
}

void FlyAndRedraw(GameContext& ctx, int card, const TakenCard& from, PileRef to) {
    if (from.kind != SourceKind::None) ctx.host.RedrawPile(from.pile);
    ctx.host.FlyCard(card, from.pile, to);
}

// Keeps a foundation sorted by card number: each card goes before the first larger one.
void SortFoundation(GameContext& ctx, int index) {
    std::string& pile = ctx.table.DestGroup.at(static_cast<std::size_t>(index));
    std::vector<int> sorted;
    for (int i = 0; i < PileCardCount(pile); ++i) {
        const int card = PileCardAt(pile, i);
        const auto at =
            std::find_if(sorted.begin(), sorted.end(), [card](int c) { return c > card; });
        sorted.insert(at, card);
    }
    pile.clear();
    for (int card : sorted)
        pile += CardCode(card);
    for (int i = 0; i < ctx.Param(366); ++i)
        ctx.host.RedrawPile({PileGroupId::Dest, i});
    if (PileCardCount(pile) > 1 && GetSetting(ctx.settings, field::kSoundsEnabled) == "Y")
        ctx.host.PlaySound("Reorder");
}

// A card from under others of a tableau pile moves alone only as the family's draw: true
// when this is one, and the draw is then used up (the game counts one pass more).
bool UsesTheDraw(GameContext& ctx, const CardPlace& place) {
    if (place.pile.group != PileGroupId::Fila) return false;
    if (place.position == PileCardCount(ctx.table.Pile(place.pile)) - 1) return false;
    const auto draw = CurrentFamilyRules(ctx).drawOpen;
    if (draw == nullptr || !draw(ctx)) return false;
    // Counted as a redeal, so that undo and redo move the pass number with the step.
    ++ctx.play.passNumber;
    MarkPlayStep(ctx, kStepRedeal);
    return true;
}

bool MoveToFoundation(GameContext& ctx, int card, int number, bool byAutoplay,
                      MoveEffects& effects) {
    if (number < 1 || number > kDestPiles) return false;
    const auto place = fnFindCard(ctx, card);
    if (!place) return false;
    const PileRef dest{PileGroupId::Dest, number - 1};
    RecordPlayStep(ctx);
    UsesTheDraw(ctx, *place);
    const TakenCard from = detail::PutOnPile(ctx, card, dest);
    if (from.kind == SourceKind::Foundation) effects.foundationLeaving = true;
    // The card flies home from its old place (a sent card and automatic play alike).
    FlyAndRedraw(ctx, card, from, dest);
    if (ctx.Param(4) != kFoundationsNotDrawn && ctx.Param(4) != kFoundationsFamilyDrawn)
        ctx.host.RedrawPile(dest);
    fnWonTest(ctx);
    if (byAutoplay)
        PlaySwitchedSound(ctx, field::kSoundsAutoplay, "Autoplay");
    else
        PlaySwitchedSound(ctx, field::kSoundsFoundation, "Foundation");
    if (ctx.Param(30) == 1) SortFoundation(ctx, number - 1);
    if (const auto hook = CurrentFamilyRules(ctx).afterMove) hook(ctx, card, dest);
    effects.foundationCard = card;
    effects.done = true;
    return true;
}

bool MoveToTableau(GameContext& ctx, int card, int number, MoveEffects& effects) {
    if (number < 1 || number > kFilaPiles) return false;
    const auto place = fnFindCard(ctx, card);
    if (!place) return false;
    const PileRef dest{PileGroupId::Fila, number - 1};
    const auto exchanges = CurrentFamilyRules(ctx).dropExchanges;
    const bool exchange = exchanges != nullptr && exchanges(ctx, card, number - 1);
    RecordPlayStep(ctx);
    std::string& source = ctx.table.Pile(place->pile);
    const bool single = place->position == PileCardCount(source) - 1 || UsesTheDraw(ctx, *place);
    if (single) {
        const TakenCard from = detail::PutOnPile(ctx, card, dest);
        FlyAndRedraw(ctx, card, from, dest);
        if (from.kind == SourceKind::Foundation) effects.foundationLeaving = true;
        if (exchange) {
            // The card that lay there goes where the dropped card came from.
            const int lying = PileCardAt(ctx.table.Pile(dest), 0);
            const TakenCard back = detail::PutOnPile(ctx, lying, place->pile);
            FlyAndRedraw(ctx, lying, back, place->pile);
            ctx.host.RedrawPile(place->pile);
        }
    } else {
        // The group from the card to the top of its pile moves together, bottom card first.
        std::vector<int> group;
        for (int i = place->position; i < PileCardCount(source); ++i)
            group.push_back(PileCardAt(source, i));
        source.erase(static_cast<std::size_t>(place->position) * 3);
        ctx.host.RedrawPile(place->pile);
        effects.foundationLeaving = true;
        for (int moved : group) {
            fnPutCard(ctx, dest, moved, '1');
            ctx.host.FlyCard(moved, place->pile, dest);
        }
    }
    ctx.host.RedrawPile(dest);
    if (place->pile.group == PileGroupId::Fila) fnRemoveCompleteRun(ctx, place->pile.index);
    fnRemoveCompleteRun(ctx, number - 1);
    PlaySwitchedSound(ctx, field::kSoundsTableau, "Tableau");
    if (const auto hook = CurrentFamilyRules(ctx).afterMove) hook(ctx, card, dest);
    effects.done = true;
    return true;
}

bool MoveToPile(GameContext& ctx, int card, PileRef dest, MoveEffects& effects) {
    if (!fnFindCard(ctx, card)) return false;
    RecordPlayStep(ctx);
    const TakenCard from = detail::PutOnPile(ctx, card, dest);
    FlyAndRedraw(ctx, card, from, dest);
    ctx.host.RedrawPile(dest);
    if (from.kind == SourceKind::Foundation) effects.foundationLeaving = true;
    if (dest.group == PileGroupId::Appogg) effects.toReserve = true;
    if (dest == PileRef{PileGroupId::Stock, kMazzoWaste}) {
        if (ctx.Param(param::kFamily) == family::kAcesUp)
            PlaySwitchedSound(ctx, field::kSoundsFoundation, "Eddy");
        else
            PlaySwitchedSound(ctx, field::kSoundsTableau, "Tableau");
        if (const auto hook = CurrentFamilyRules(ctx).afterMove) hook(ctx, card, dest);
        fnWonTest(ctx);
    } else {
        PlaySwitchedSound(ctx, field::kSoundsTableau, "Tableau");
    }
    effects.done = true;
    return true;
}

bool FillSpacesFromStock(GameContext& ctx, MoveEffects& effects);

// The selected cards, listed in foundation 1, leave the table for the discard pile.
bool RemoveSelection(GameContext& ctx, MoveEffects& effects) {
    PlaySwitchedSound(ctx, field::kSoundsPairing, "Pairing");
    RecordPlayStep(ctx);
    const PileRef discard{PileGroupId::Stock, kMazzoWaste};
    while (!ctx.table.DestGroup[0].empty()) {
        const int card = PileCardAt(ctx.table.DestGroup[0], 0);
        ctx.table.DestGroup[0].erase(0, 3);
        if (card < 1) continue;
        ctx.host.Wait(150);
        const TakenCard from = detail::PutOnPile(ctx, card, discard);
        FlyAndRedraw(ctx, card, from, discard);
    }
    ctx.host.RedrawPile({PileGroupId::Dest, 0});
    ctx.host.RedrawPile(discard);
    if (const auto hook = CurrentFamilyRules(ctx).afterSelectionRemoved) hook(ctx);
    const int family = ctx.Param(50);
    if (family == 25 || family == 26) effects.foundationLeaving = true;
    // The cards under the removed ones turn up as after a group move.
    effects.uncovers = true;
    // A game that fills its spaces from the stock fills them within the same step
    // ("Selezionate_Fila"): one undo takes back the pair and the cards dealt for it.
    if (ctx.Param(param::kAutoFillRule) == autofill::kStockThenWaste)
        FillSpacesFromStock(ctx, effects);
    fnWonTest(ctx);
    effects.done = true;
    return true;
}

// Every empty tableau pile gets the stock's top card.
bool FillSpacesFromStock(GameContext& ctx, MoveEffects& effects) {
    for (int i = 0; i < ctx.Param(367) && i < kFilaPiles; ++i) {
        std::string& stock = ctx.table.StockGroup[kMazzo];
        if (stock.empty()) break;
        const PileRef pile{PileGroupId::Fila, i};
        if (!ctx.table.Pile(pile).empty()) continue;
        const int card = PileTopCard(stock);
        const TakenCard from = detail::PutOnPile(ctx, card, pile);
        FlyAndRedraw(ctx, card, from, pile);
        PlaySwitchedSound(ctx, field::kSoundsShuffle, "Shuffle");
        effects.done = true;
    }
    return effects.done;
}

// A tableau pile is empty while a later one holds cards, or while the stock could fill it.
bool TableauHasGapToClose(const GameContext& ctx) {
    bool gap = false;
    for (int i = 0; i < TableauCount(ctx); ++i) {
        const bool empty = ctx.table.FilaGroup[static_cast<std::size_t>(i)].empty();
        if (gap && !empty) return true;
        gap = gap || empty;
    }
    return gap && !ctx.table.StockGroup[kMazzo].empty();
}

// Closes up the tableau so no gap stays between its cards, then fills the places left at
// the end from the stock; with no gap to close or fill it does nothing and answers no.
bool CloseUpAndRefill(GameContext& ctx, MoveEffects& effects) {
    if (!TableauHasGapToClose(ctx)) return false;
    RecordPlayStep(ctx);
    fnCloseUpTableau(ctx);
    FillSpacesFromStock(ctx, effects);
    effects.done = true;
    return true;
}

} // namespace

void fnCloseUpTableau(GameContext& ctx) {
    const int piles = TableauCount(ctx);
    int to = 0;
    for (int from = 0; from < piles; ++from) {
        std::string& cards = ctx.table.FilaGroup[static_cast<std::size_t>(from)];
        if (cards.empty()) continue;
        if (from != to) {
            const PileRef source{PileGroupId::Fila, from};
            const PileRef dest{PileGroupId::Fila, to};
            ctx.table.FilaGroup[static_cast<std::size_t>(to)] = cards;
            cards.clear();
            ctx.host.RedrawPile(source);
            ctx.host.FlyCard(PileTopCard(ctx.table.Pile(dest)), source, dest);
            ctx.host.RedrawPile(dest);
        }
        ++to;
    }
}

namespace {

bool DispatchAction(GameContext& ctx, int card, std::string_view action, MoveEffects& effects) {
    if (action.starts_with("Dest_Autoplay"))
        return MoveToFoundation(ctx, card, NumberAfter(action, "Dest_Autoplay"), true, effects);
    if (action.starts_with("Dest"))
        return MoveToFoundation(ctx, card, NumberAfter(action, "Dest"), false, effects);
    // A card into a gap of a row: "Fila<k>:<place>".
    if (action.starts_with("Fila") && action.find(':') != std::string_view::npos)
        return effects.done = MoveIntoGap(ctx, card, action);
    if (action.starts_with("Fila"))
        return MoveToTableau(ctx, card, NumberAfter(action, "Fila"), effects);
    if (action.starts_with("Appogg")) {
        const int number = NumberAfter(action, "Appogg");
        if (number < 1 || number > kAppoggPiles) return false;
        return MoveToPile(ctx, card, {PileGroupId::Appogg, number - 1}, effects);
    }
    if (action == "Waste") return MoveToPile(ctx, card, {PileGroupId::Stock, kMazzoWaste}, effects);
    if (action == "Stock02") return MoveToPile(ctx, card, {PileGroupId::Stock, kMazzoVis}, effects);
    if (action == "Selezionate_Dest") return RemoveSelection(ctx, effects);
    if (action == "Selezionate_Fila") return FillSpacesFromStock(ctx, effects);
    if (action == "Stock_To_Pile_Monte_Carlo") return CloseUpAndRefill(ctx, effects);
    effects.done = DoStockAction(ctx, action);
    return effects.done;
}

// The source pile must be a tableau pile and the destination a foundation.
bool FirstMoveAllowed(const GameContext& ctx, int card, std::string_view action) {
    if (!action.starts_with("Dest")) return false;
    const auto place = fnFindCard(ctx, card);
    return place && place->pile.group == PileGroupId::Fila;
}

bool BalancedRunStart(const GameContext& ctx, int card) {
    int kind = 0, red = 0, black = 0;
    for (int i = 0; i < ctx.Param(366) && i < kDestPiles; ++i) {
        if (ctx.Param(51 + i) != kRunSlotAnySuit) continue;
        ++kind;
        const int first = PileCardAt(ctx.table.DestGroup[static_cast<std::size_t>(i)], 0);
        if (first < 1) continue;
        (fnIsRed(first) ? red : black)++;
    }
    (fnIsRed(card) ? red : black)++;
    return red <= kind / 2 && black <= kind / 2;
}

// The 13 cards from the top of the pile down form a finished run for a foundation of `base`.
bool IsCompleteRun(const GameContext& ctx, int pileIndex, int base) {
    const std::string& pile = ctx.table.FilaGroup.at(static_cast<std::size_t>(pileIndex));
    const int count = PileCardCount(pile);
    const int method = ctx.Param(211 + pileIndex);
    const bool kingOnTop = base == kRunSlotKingOnTop;
    for (int i = 0; i < kRunLength; ++i) {
        const int card = PileCardAt(pile, count - 1 - i);
        if (card < 1 || fnIsJoker(card) || ctx.cardTable.Face(card) != '1') return false;
        const int wanted = kingOnTop ? 13 - i : 1 + i;
        if (fnRank(card) != wanted) return false;
        if (i == 0) continue;
        const int above = PileCardAt(pile, count - i);
        if (base == kRunSlotAnySuit) {
            if (method == 3 && fnIsRed(card) == fnIsRed(above)) return false;
            if (method == 0 && fnSuit(card) != fnSuit(above)) return false;
        } else if (fnSuit(card) != fnSuit(above)) {
            return false;
        }
    }
    // Runs for foundations that take any suit keep red and black runs balanced.
    if (base == kRunSlotAnySuit && !BalancedRunStart(ctx, PileTopCard(pile))) return false;
    return true;
}

void AfterEveryAction(GameContext& ctx, std::string_view action, bool stockWasBare,
                      const MoveEffects& effects) {
    if (!stockWasBare && StockBare(ctx)) ctx.host.RedrawPile({PileGroupId::Stock, kMazzo});
    if (effects.done) fnLostTest(ctx);
    if ((effects.foundationLeaving || effects.uncovers) &&
        !(ctx.play.autoplayTicked && ctx.play.autoplayEnabled))
        fnAutoFaceUp(ctx);
    if (effects.done && !DemonstrationPlaying(ctx)) ctx.undoHistory.redo.Clear();
    // The filling that follows the first move is part of it, not a move of its own.
    if (ctx.play.moveCounter < 2 && action != "Fill_Tableaus") {
        ++ctx.play.moveCounter;
        if (ctx.Param(41) == 1 && ctx.play.moveCounter == 1) fnDoMove(ctx, 0, "Fill_Tableaus");
    }
    const int family = ctx.Param(50);
    if (family == 31 || family == 34 || family == 35 || (family == 52 && effects.toReserve))
        fnWonTest(ctx);
    // A family with a won test of its own may be won by any move (Aces Up by a card moved
    // into a space).
    if (effects.done && CurrentFamilyRules(ctx).wonTest) fnWonTest(ctx);
}

} // namespace

SourceKind SourceKindOf(PileRef pile) {
    switch (pile.group) {
    case PileGroupId::Stock:
        return pile.index == kMazzo      ? SourceKind::Stock
               : pile.index == kMazzoVis ? SourceKind::Waste
                                         : SourceKind::Discard;
    case PileGroupId::Dest:
        return SourceKind::Foundation;
    case PileGroupId::Fila:
        return SourceKind::Tableau;
    case PileGroupId::Appogg:
        return SourceKind::Reserve;
    }
    return SourceKind::None;
}

std::optional<CardPlace> fnFindCard(const GameContext& ctx, int card) {
    if (card < 1 || card > kMaxCard) return std::nullopt;
    constexpr std::array<PileGroupId, 4> order{PileGroupId::Stock, PileGroupId::Fila,
                                               PileGroupId::Appogg, PileGroupId::Dest};
    const std::string code = CardCode(card);
    for (PileGroupId group : order) {
        const int piles = group == PileGroupId::Stock  ? kStockPiles
                          : group == PileGroupId::Fila ? kFilaPiles
                          : group == PileGroupId::Dest ? kDestPiles
                                                       : kAppoggPiles;
        for (int i = 0; i < piles; ++i) {
            const std::string& pile = ctx.table.Pile({group, i});
            for (std::size_t at = 0; at + 3 <= pile.size(); at += 3)
                if (pile.compare(at, 3, code) == 0)
                    return CardPlace{{group, i}, static_cast<int>(at / 3)};
        }
    }
    return std::nullopt;
}

TakenCard fnTakeCard(GameContext& ctx, int card) {
    const auto place = fnFindCard(ctx, card);
    if (!place) return {};
    std::string& pile = ctx.table.Pile(place->pile);
    // In the rows of Labyrinth a card taken from the tableau leaves a gap in its place.
    if (place->pile.group == PileGroupId::Fila && CurrentFamilyRules(ctx).tableauCardFree)
        pile.replace(static_cast<std::size_t>(place->position) * 3, 3, CardCode(0));
    else
        pile.erase(static_cast<std::size_t>(place->position) * 3, 3);
    return {SourceKindOf(place->pile), place->pile};
}

void PlaySwitchedSound(GameContext& ctx, field::Field soundSwitch, const std::string& name) {
    if (GetSetting(ctx.settings, field::kSoundsEnabled) == "Y" &&
        GetSetting(ctx.settings, soundSwitch) == "Y")
        ctx.host.PlaySound(name);
}

bool DemonstrationPlaying(const GameContext& ctx) {
    return ctx.play.assistMode == 3;
}

bool StepsRecorded(const GameContext& ctx) {
    return !DemonstrationPlaying(ctx) || ctx.play.demoRecording;
}

void RecordPlayStep(GameContext& ctx) {
    if (StepsRecorded(ctx)) RecordStep(ctx);
}

void MarkPlayStep(GameContext& ctx, const char* code) {
    if (StepsRecorded(ctx)) AddStepCode(ctx, code);
}

void JoinPreviousPlayStep(GameContext& ctx, int stepsBefore) {
    const int recorded = ctx.undoHistory.undo.Steps() - stepsBefore;
    if (recorded > 0) DropLastSteps(ctx, recorded);
}

TakenCard detail::PutOnPile(GameContext& ctx, int card, PileRef to) {
    const TakenCard from = fnTakeCard(ctx, card);
    fnPutCard(ctx, to, card, '1');
    return from;
}

bool fnDoMove(GameContext& ctx, int card, std::string_view action) {
    if (ctx.Param(40) == 1 && ctx.play.moveCounter == 0 && !FirstMoveAllowed(ctx, card, action))
        return false;
    const bool stockWasBare = StockBare(ctx);
    MoveEffects effects;
    DispatchAction(ctx, card, action, effects);
    AfterEveryAction(ctx, action, stockWasBare, effects);
    return effects.done;
}

bool fnRemoveCompleteRun(GameContext& ctx, int pileIndex) {
    if (pileIndex < 0 || pileIndex >= kFilaPiles) return false;
    const std::string& pile = ctx.table.FilaGroup[static_cast<std::size_t>(pileIndex)];
    if (PileCardCount(pile) < kRunLength) return false;
    int target = -1;
    for (int i = 0; i < ctx.Param(366) && i < kDestPiles; ++i) {
        if (IsRunSlotBase(ctx.Param(51 + i)) &&
            ctx.table.DestGroup[static_cast<std::size_t>(i)].empty()) {
            target = i;
            break;
        }
    }
    if (target < 0) return false;
    const int base = ctx.Param(51 + target);
    if (!IsCompleteRun(ctx, pileIndex, base)) return false;

    PlaySwitchedSound(ctx, field::kSoundsRedeal, "Redeal");
    const PileRef dest{PileGroupId::Dest, target};
    const PileRef to = PileHasPlace(ctx, dest) ? dest : PileRef{PileGroupId::Stock, kMazzoWaste};
    const PileRef from{PileGroupId::Fila, pileIndex};
    // The run leaves as part of the move that finished it: one undo takes back both.
    for (int i = 0; i < kRunLength; ++i) {
        const int card = PileTopCard(ctx.table.Pile(from));
        RecordPlayStep(ctx);
        detail::PutOnPile(ctx, card, to);
        ctx.host.FlyCard(card, from, to);
        if (StepsRecorded(ctx)) DropLastSteps(ctx, 1);
    }
    ctx.host.RedrawPile(from);
    ctx.host.RedrawPile(to);
    fnWonTest(ctx);
    return true;
}

} // namespace quendra
