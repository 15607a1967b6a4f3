#include "pointer.h"

#include "autoplay.h"
#include "cards.h"
#include "families.h"
#include "game_params.h"
#include "legality.h"
#include "moves.h"
#include "pick_up.h"
#include "score.h"
#include "stock.h"

#include <array>
#include <memory>
#include <vector>

namespace quendra {

namespace {

// Parameter 353: 4 keeps every card off the waste.
constexpr int kWasteTakesNothing = 4;

// True when the pile holds the card.
bool HoldsCard(const GameContext& ctx, PileRef pile, int card) {
    return CardPositionIn(ctx.table.Pile(pile), card) >= 0;
}

} // namespace

namespace {

// True when a card may be dropped on the pile at all (fnDropAction names a move for it).
bool TakesDrops(const GameContext& ctx, PileRef pile) {
    switch (pile.group) {
    // Only a pile on the table takes a drop: the rules alone would also take a card on a
    // foundation or reserve the game does not have.
    case PileGroupId::Fila:
    case PileGroupId::Dest:
    case PileGroupId::Appogg:
        return PileHasPlace(ctx, pile);
    case PileGroupId::Stock:
        return pile.index == kMazzoVis &&
               ctx.Param(param::kWasteDropOff) != kWasteTakesNothing && PileHasPlace(ctx, pile);
    }
    return false;
}

} // namespace

std::string fnDropAction(const GameContext& ctx, PileRef pile) {
    if (!TakesDrops(ctx, pile)) return {};
    return pile.group == PileGroupId::Stock ? std::string("Stock02") : PileName(pile);
}

namespace {

bool AutoplayOn(const GameContext& ctx) {
    return ctx.play.autoplayTicked && ctx.play.autoplayEnabled;
}

// What a gesture may change (every pile, every card's face, the pass and the deal count),
// kept to tell afterwards whether it changed anything: the same answer as comparing two
// CaptureTableState, without building two copies of the table for every move played.
struct TableCopy {
    PileGroups table;
    std::array<char, CardTable::kRecords> faces{};
    int passNumber = 0;
    int dealCount = 0;
};

class TableMark {
  public:
    explicit TableMark(const GameContext& ctx) {
        // Gestures nest (a click that selects), so each mark takes a copy of its own from the
        // thread's spare ones: their piles keep their room, and copying into them allocates
        // nothing once warm.
        if (Spare().empty()) {
            copy_ = std::make_unique<TableCopy>();
        } else {
            copy_ = std::move(Spare().back());
            Spare().pop_back();
        }
        copy_->table = ctx.table;
        copy_->faces = ctx.cardTable.Faces();
        copy_->passNumber = ctx.play.passNumber;
        copy_->dealCount = ctx.play.dealCount;
    }
    ~TableMark() { Spare().push_back(std::move(copy_)); }
    TableMark(const TableMark&) = delete;
    TableMark& operator=(const TableMark&) = delete;

    bool Changed(const GameContext& ctx) const {
        return copy_->passNumber != ctx.play.passNumber || copy_->dealCount != ctx.play.dealCount ||
               copy_->faces != ctx.cardTable.Faces() || !(copy_->table == ctx.table);
    }

  private:
    static std::vector<std::unique_ptr<TableCopy>>& Spare() {
        thread_local std::vector<std::unique_ptr<TableCopy>> spare;
        return spare;
    }
    std::unique_ptr<TableCopy> copy_;
};

} // namespace

TableState CaptureTableState(const GameContext& ctx) {
    TableState state;
    state.table = ctx.table;
    state.faces.assign(ctx.cardTable.Faces().begin(), ctx.cardTable.Faces().end());
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
    if (const auto click = CurrentFamilyRules(ctx).cardClick) {
        // The memory games turn the card clicked; nothing is lifted.
        if (!click(ctx, pile, position)) ctx.host.Beep();
        return false;
    }
    const PickUp pick = CanPickUp(ctx, pile, position);
    if (pick.turnFaceDownCard) {
        // A left click on a face-down top card turns it up; nothing is lifted.
        RecordStep(ctx);
        fnSetCardFace(ctx, PileTopCard(ctx.table.Pile(pile)), '1');
        ctx.host.RedrawPile(pile);
        return false;
    }
    if (pick.discard) {
        // The discard games send a clicked card at once to the discard pile.
        fnDoMove(ctx, pick.card, "Waste");
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
    for (const PileRef pile : candidates)
        if (CanDropHeldCard(ctx, pile) && fnDoMove(ctx, card, fnDropAction(ctx, pile))) return true;
    return false;
}

bool CanDropHeldCard(const GameContext& ctx, PileRef pile) {
    const int card = ctx.play.draggedCard;
    if (card == 0 || HoldsCard(ctx, pile, card)) return false; // back onto its own pile
    if (!TakesDrops(ctx, pile)) return false;
    if (pile.group == PileGroupId::Stock) return ctx.play.singleCard && CanDropOnWaste(ctx, card);
    return fnCanDropOnPile(ctx, card, pile);
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
    // Automatic play ends the game itself when the last card reaches a foundation; a space
    // it empties fills before the turn ends.
    if (AutoplayOn(ctx)) AutoplayAndFill(ctx);
    // A move that won the game ends it, with the score of the table it ends on.
    if (ctx.flags[GameStateFlags::kWon] && ctx.flags[GameStateFlags::kInPlay]) {
        fnComputeScore(ctx);
        fnEndGame(ctx);
    }
}

std::optional<PileRef> SendCardWhere(GameContext& ctx, PileRef pile, int position,
                                     bool toFoundations, bool toTableaus,
                                     const std::function<bool(PileRef target)>& consider) {
    if (!toFoundations && !toTableaus) return std::nullopt;
    if (!ctx.flags[GameStateFlags::kInPlay] || ctx.play.draggedCard != 0) return std::nullopt;
    const std::string& cards = ctx.table.Pile(pile);
    if (position < 0 || position >= PileCardCount(cards)) return std::nullopt;
    const int card = PileCardAt(cards, position);
    // The rows of Labyrinth and of a quilt lift a card alone (the send rules below take it
    // only when their rule leaves it free).
    const bool alone =
        pile.group == PileGroupId::Fila && CurrentFamilyRules(ctx).tableauCardFree != nullptr;
    // The send rules decide which cards may go; the first target that takes the card wins.
    const std::vector<std::string> targets = SendTargets(ctx, card, toFoundations, toTableaus);
    const std::size_t group = alone ? 1 : fnGroupFrom(ctx, card).size();
    fnHoldCard(ctx, pile, card, group > 1 ? static_cast<int>(group) : 1);
    std::optional<PileRef> sent;
    for (const std::string& action : targets) {
        const auto target = action == "Stock02" ? std::optional<PileRef>(pile::Stock(kMazzoVis))
                                                : ParsePileName(action);
        if (!target || (consider && !consider(*target))) continue;
        if (fnDoMove(ctx, card, action)) {
            sent = target;
            break;
        }
    }
    fnClearDrag(ctx);
    return sent;
}

bool fnSendCard(GameContext& ctx, PileRef pile, int position, bool toFoundations, bool toTableaus) {
    const bool sent = SendCardWhere(ctx, pile, position, toFoundations, toTableaus, {}).has_value();
    if (!sent) ctx.host.Beep();
    return sent;
}

namespace {

void RedrawSelection(GameContext& ctx, PileRef pile) {
    ctx.host.RedrawPile(pile);
    ctx.host.RedrawPile({PileGroupId::Dest, 0});
}

} // namespace

bool IsSelectionGame(const GameContext& ctx) {
    return ctx.Param(param::kSelectionGame) != 0 ||
           CurrentFamilyRules(ctx).selectionComplete != nullptr;
}

bool fnClickSelects(const GameContext& ctx, PileRef pile) {
    if (pile == PileRef{PileGroupId::Dest, 0} || !IsSelectionGame(ctx)) return false;
    if (const auto selects = CurrentFamilyRules(ctx).selectsFrom) return selects(ctx, pile);
    return pile.group == PileGroupId::Fila;
}

SelectOutcome fnSelectCard(GameContext& ctx, PileRef pile, int position) {
    const auto refuse = [&ctx] {
        ctx.host.Beep();
        return SelectOutcome::Refused;
    };
    if (ctx.play.busy || !ctx.flags[GameStateFlags::kInPlay] || ctx.play.draggedCard != 0)
        return refuse();
    const std::string& cards = ctx.table.Pile(pile);
    const int count = PileCardCount(cards);
    if (position >= count) return refuse();
    const int card = position < 0 ? PileTopCard(cards) : PileCardAt(cards, position);
    if (card < 1) return refuse();
    // The card must lie free as for lifting it; the stock's card takes part face down.
    if (pile != PileRef{PileGroupId::Stock, kMazzo}) {
        const PickUp pick = CanPickUp(ctx, pile, position);
        if (pick.turnFaceDownCard) {
            // A face-down top card is turned up by the click, one step to take back.
            RecordStep(ctx);
            fnSetCardFace(ctx, card, '1');
            ctx.host.RedrawPile(pile);
            return SelectOutcome::TurnedUp;
        }
        if (!pick.allowed || pick.card != card) return refuse();
    }
    std::string& selected = ctx.table.DestGroup[0];
    switch (ClassifySelectionClick(ctx, card)) {
    case SelectionClick::Refuse:
        return refuse();
    case SelectionClick::Deselect:
        for (std::size_t at = 0; at + 3 <= selected.size(); at += 3)
            if (PileCardAt(selected, static_cast<int>(at / 3)) == card) {
                selected.erase(at, 3);
                break;
            }
        RedrawSelection(ctx, pile);
        return SelectOutcome::Deselected;
    case SelectionClick::Select:
        break;
    }
    selected += CardCode(card);
    if (SelectionComplete(ctx) && fnDoMove(ctx, 0, "Selezionate_Dest"))
        return SelectOutcome::Removed;
    RedrawSelection(ctx, pile);
    return SelectOutcome::Selected;
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
    const TableMark before(ctx);
    bool moved = false;
    if (fnPickUpCard(ctx, from, position)) {
        const PileRef candidates[] = {to};
        moved = fnTryDrop(ctx, candidates);
        fnClearDrag(ctx);
    }
    if (moved) fnAfterMouseUp(ctx);
    return moved && before.Changed(ctx);
}

bool PlayStockClick(GameContext& ctx) {
    const PileRef stock{PileGroupId::Stock, kMazzo};
    if (fnClickSelects(ctx, stock)) return PlaySelectClick(ctx, stock);
    const TableMark before(ctx);
    fnStockPress(ctx);
    fnStockRelease(ctx);
    const bool changed = before.Changed(ctx);
    if (changed) fnAfterMouseUp(ctx);
    return changed;
}

bool PlaySelectClick(GameContext& ctx, PileRef pile, int position) {
    const TableMark before(ctx);
    fnSelectCard(ctx, pile, position);
    const bool changed = before.Changed(ctx);
    if (changed) fnAfterMouseUp(ctx);
    return changed;
}

bool PlayPileClick(GameContext& ctx, PileRef pile, int position) {
    if (fnClickSelects(ctx, pile)) return PlaySelectClick(ctx, pile, position);
    const int count = PileCardCount(ctx.table.Pile(pile));
    if (count == 0 || position >= count) return false;
    const TableMark before(ctx);
    if (fnPickUpCard(ctx, pile, position < 0 ? count - 1 : position))
        fnClearDrag(ctx); // released where it was
    const bool changed = before.Changed(ctx);
    if (changed) fnAfterMouseUp(ctx);
    return changed;
}

bool PlaySend(GameContext& ctx, PileRef pile, int position) {
    const TableMark before(ctx);
    if (!fnSendCard(ctx, pile, position, true, true)) return false;
    fnAfterMouseUp(ctx);
    return before.Changed(ctx);
}

} // namespace quendra
