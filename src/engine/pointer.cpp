#include "pointer.h"

#include "autoplay.h"
#include "game_params.h"
#include "legality.h"
#include "moves.h"
#include "pick_up.h"
#include "stock.h"

namespace quendra {

namespace {

// Parameter 353: 4 keeps every card off the waste.
constexpr int kWasteTakesNothing = 4;

// True when the pile holds the card.
bool HoldsCard(const GameContext& ctx, PileRef pile, int card) {
    const std::string& cards = ctx.table.Pile(pile);
    for (int i = 0; i < PileCardCount(cards); ++i)
        if (PileCardAt(cards, i) == card) return true;
    return false;
}

} // namespace

std::string fnDropAction(const GameContext& ctx, PileRef pile) {
    switch (pile.group) {
    // Only a pile on the table takes a drop: the rules alone would also take a card on a
    // foundation or reserve the game does not have.
    case PileGroupId::Fila:
    case PileGroupId::Dest:
    case PileGroupId::Appogg:
        return PileHasPlace(ctx, pile) ? PileName(pile) : std::string{};
    case PileGroupId::Stock:
        if (pile.index == kMazzoVis && ctx.Param(param::kWasteDropOff) != kWasteTakesNothing &&
            PileHasPlace(ctx, pile))
            return "Stock02";
        return {};
    }
    return {};
}

namespace {

bool CanDropOn(const GameContext& ctx, int card, PileRef pile) {
    if (pile.group == PileGroupId::Stock) return ctx.play.singleCard && CanDropOnWaste(ctx, card);
    return fnCanDropOnPile(ctx, card, PileName(pile));
}

bool AutoplayOn(const GameContext& ctx) {
    return ctx.play.autoplayTicked && ctx.play.autoplayEnabled;
}

} // namespace

TableState CaptureTableState(const GameContext& ctx) {
    TableState state;
    state.table = ctx.table;
    state.faces.reserve(CardTable::kRecords);
    for (int card = 1; card <= CardTable::kRecords; ++card)
        state.faces += ctx.cardTable.Face(card);
    state.passNumber = ctx.play.passNumber;
    state.dealCount = ctx.play.dealCount;
    return state;
}

bool fnPickUpCard(GameContext& ctx, PileRef pile, int position) {
    if (ctx.play.busy) {
        ctx.host.Beep();
        return false;
    }
    if (!ctx.flags[GameStateFlags::kInPlay] || ctx.play.draggedCard != 0) return false;
    const PickUp pick = CanPickUp(ctx, pile, position);
    if (pick.turnFaceDownCard) {
        // A left click on a face-down top card turns it up; nothing is lifted.
        RecordStep(ctx);
        fnSetCardFace(ctx, PileTopCard(ctx.table.Pile(pile)), '1');
        ctx.host.RedrawPile(pile);
        return false;
    }
    if (pick.redeal) {
        // A press on the empty waste turns it into the stock.
        fnDoMove(ctx, 0, "Mazzo_Redeal");
        return false;
    }
    if (!pick.allowed) {
        ctx.host.Beep();
        return false;
    }
    fnHoldCard(ctx, pile, pick.card, pick.groupSize);
    if (GetSetting(ctx.settings, field::kSoundsCardUp) == "Y" &&
        GetSetting(ctx.settings, field::kSoundsEnabled) == "Y")
        ctx.host.PlaySound("card_up");
    return true;
}

bool fnTryDrop(GameContext& ctx, std::span<const PileRef> candidates) {
    const int card = ctx.play.draggedCard;
    if (card == 0) return false;
    for (const PileRef pile : candidates) {
        if (HoldsCard(ctx, pile, card)) continue; // back onto its own pile
        const std::string action = fnDropAction(ctx, pile);
        if (action.empty() || !CanDropOn(ctx, card, pile)) continue;
        if (fnDoMove(ctx, card, action)) return true;
    }
    return false;
}

void fnHoldCard(GameContext& ctx, PileRef pile, int card, int groupSize) {
    ctx.play.draggedCard = card;
    ctx.play.singleCard = groupSize == 1;
    ctx.play.movingTopCard = PileTopCard(ctx.table.Pile(pile));
}

void fnClearDrag(GameContext& ctx) {
    ctx.play.draggedCard = 0;
    ctx.play.movingTopCard = 0;
    ctx.play.singleCard = true;
}

void fnAfterMouseUp(GameContext& ctx) {
    if (!ctx.flags[GameStateFlags::kInPlay]) return;
    fnAutoFill(ctx);
    if (AutoplayOn(ctx)) {
        // Automatic play ends the game itself when the last card reaches a foundation.
        while (ctx.flags[GameStateFlags::kInPlay] && fnAutoplay(ctx, false)) {
        }
    }
    // A move that won the game ends it.
    if (ctx.flags[GameStateFlags::kWon] && ctx.flags[GameStateFlags::kInPlay]) fnEndGame(ctx);
}

bool fnSendCard(GameContext& ctx, PileRef pile, int position, bool toFoundations, bool toTableaus) {
    if (!toFoundations && !toTableaus) return false;
    if (!ctx.flags[GameStateFlags::kInPlay] || ctx.play.draggedCard != 0) return false;
    const std::string& cards = ctx.table.Pile(pile);
    if (position < 0 || position >= PileCardCount(cards)) return false;
    const int card = PileCardAt(cards, position);
    // The send rules decide which cards may go; the first target that takes the card wins.
    const std::vector<std::string> targets = SendTargets(ctx, card, toFoundations, toTableaus);
    const std::size_t group = fnGroupFrom(ctx, card).size();
    fnHoldCard(ctx, pile, card, group > 1 ? static_cast<int>(group) : 1);
    bool sent = false;
    for (const std::string& action : targets) {
        if (fnDoMove(ctx, card, action)) {
            sent = true;
            break;
        }
    }
    fnClearDrag(ctx);
    if (!sent) ctx.host.Beep();
    return sent;
}

void fnStockPress(GameContext& ctx) {
    if (ctx.play.busy) {
        ctx.host.Beep();
        return;
    }
    if (!ctx.flags[GameStateFlags::kInPlay] || ctx.play.draggedCard != 0) return;
    if (ctx.play.stockPending) {
        // A press while a deal waits only drops it.
        ctx.play.stockPending = false;
        return;
    }
    fnStockClick(ctx, StockClickPhase::Press);
}

void fnStockRelease(GameContext& ctx) {
    if (ctx.play.stockPending) fnStockClick(ctx, StockClickPhase::Release);
}

bool PlayDragMove(GameContext& ctx, PileRef from, int position, PileRef to) {
    const TableState before = CaptureTableState(ctx);
    bool moved = false;
    if (fnPickUpCard(ctx, from, position)) {
        const PileRef candidates[] = {to};
        moved = fnTryDrop(ctx, candidates);
        fnClearDrag(ctx);
    }
    if (moved) fnAfterMouseUp(ctx);
    return moved && !(CaptureTableState(ctx) == before);
}

bool PlayStockClick(GameContext& ctx) {
    const TableState before = CaptureTableState(ctx);
    fnStockPress(ctx);
    fnStockRelease(ctx);
    const bool changed = !(CaptureTableState(ctx) == before);
    if (changed) fnAfterMouseUp(ctx);
    return changed;
}

bool PlayPileClick(GameContext& ctx, PileRef pile) {
    const TableState before = CaptureTableState(ctx);
    const int count = PileCardCount(ctx.table.Pile(pile));
    if (count == 0) return false;
    if (fnPickUpCard(ctx, pile, count - 1)) fnClearDrag(ctx); // released where it was
    const bool changed = !(CaptureTableState(ctx) == before);
    if (changed) fnAfterMouseUp(ctx);
    return changed;
}

bool PlaySend(GameContext& ctx, PileRef pile, int position) {
    const TableState before = CaptureTableState(ctx);
    if (!fnSendCard(ctx, pile, position, true, true)) return false;
    fnAfterMouseUp(ctx);
    return !(CaptureTableState(ctx) == before);
}

} // namespace quendra
