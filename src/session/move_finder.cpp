#include "move_finder.h"

#include "autoplay.h"
#include "cards.h"
#include "families.h"
#include "families_gaps.h"
#include "game_params.h"
#include "legality.h"
#include "moves.h"
#include "pick_up.h"
#include "pointer.h"
#include "silent_host.h"
#include "undo_commands.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace quendra {

namespace {

// A squared pile (mode 3) lets only its top card move.
constexpr int kTopCardOnly = 3;
constexpr int kAssistHint = 1;
constexpr int kAssistDemo = 3;
// How long a proposed move stays on show before it is played.
constexpr int kShowMoveMs = 500;

bool Assisting(const GameContext& ctx) {
    return ctx.play.assistMode == kAssistHint || ctx.play.assistMode == kAssistDemo;
}

// A silent copy of the game, to learn what a step would do before it is shown and played.
class ScratchGame {
  public:
    explicit ScratchGame(const GameContext& source) : ctx(host_) {
        CopyGameState(ctx, source);
        SetSetting(ctx.settings, field::kSoundsEnabled, "N");
    }

  private:
    SilentHost host_;

  public:
    GameContext ctx;
};

// Shows a move about to be played: the arrow and, in a demonstration, what it does.
void ShowMove(GameContext& ctx, const FoundMove& move, int cardCount) {
    if (!Assisting(ctx)) return;
    ctx.host.ShowProposedMove(move.from, move.position, move.to, cardCount);
    if (ctx.play.assistMode == kAssistDemo)
        ctx.host.ShowTutorText(cardCount > 1 ? "Move the group of cards" : "Move the card");
    ctx.host.Wait(kShowMoveMs);
}

void EndShowing(GameContext& ctx) {
    if (Assisting(ctx)) ctx.host.ClearProposedMove();
}

std::optional<PileRef> FindCard(const PileGroups& table, int card) {
    const auto search = [&](PileGroupId group, int count) -> std::optional<PileRef> {
        for (int i = 0; i < count; ++i) {
            const PileRef pile{group, i};
            const std::string& cards = table.Pile(pile);
            for (int k = 0; k < PileCardCount(cards); ++k)
                if (PileCardAt(cards, k) == card) return pile;
        }
        return std::nullopt;
    };
    if (auto p = search(PileGroupId::Stock, kStockPiles)) return p;
    if (auto p = search(PileGroupId::Dest, kDestPiles)) return p;
    if (auto p = search(PileGroupId::Fila, kFilaPiles)) return p;
    return search(PileGroupId::Appogg, kAppoggPiles);
}

int PositionOf(const std::string& cards, int card) {
    for (int k = 0; k < PileCardCount(cards); ++k)
        if (PileCardAt(cards, k) == card) return k;
    return -1;
}

std::string RecentEntry(int card, RecentPlace from, RecentPlace to) {
    return CardCode(card) + fnFormatNumber(from.kind, 2) + fnFormatNumber(from.index, 3) +
           fnFormatNumber(to.kind, 2) + fnFormatNumber(to.index, 3);
}

RecentPlace CurrentPlace(const GameContext& ctx, int card) {
    const auto pile = FindCard(ctx.table, card);
    return pile ? RecentPlaceOf(*pile) : RecentPlace{};
}

// Moves that change nothing worth having: a whole pile onto an empty pile of the same kind,
// a reserve card into another empty reserve.
bool Pointless(const GameContext& ctx, PileRef from, int position, PileRef to) {
    const bool toEmpty = ctx.table.Pile(to).empty();
    if (!toEmpty) return false;
    if (from.group == PileGroupId::Fila && to.group == PileGroupId::Fila) return position == 0;
    return from.group == PileGroupId::Appogg && to.group == PileGroupId::Appogg;
}

// The send of the double click with both destinations, passing over recent and pointless
// moves; each move is shown before it is tried.
bool TrySend(GameContext& ctx, PileRef pile, int position, FoundMove* played) {
    const std::string& cards = ctx.table.Pile(pile);
    const int card = PileCardAt(cards, position);
    if (card <= 0 || !IsFaceUp(ctx, card)) return false;
    // The rows of Labyrinth and of a quilt send a free card alone, wherever it lies.
    const bool alone =
        pile.group == PileGroupId::Fila && CurrentFamilyRules(ctx).tableauCardFree != nullptr;
    const bool top = position == PileCardCount(cards) - 1;
    const int groupSize = alone || top ? 1 : PileCardCount(cards) - position;
    // Only groups the send rules move: a lower card of a pile must head a movable group.
    if (groupSize > 1 && static_cast<int>(fnGroupFrom(ctx, card).size()) != groupSize) return false;
    bool shown = false;
    const auto consider = [&](PileRef target) {
        if (target == pile || Pointless(ctx, pile, position, target)) return false;
        const RecentPlace dest = RecentPlaceOf(target);
        if (WasRecentlyMade(ctx, card, dest.kind, dest.index)) return false;
        RecordRecentMove(ctx, card, dest.kind, dest.index);
        if (shown) EndShowing(ctx);
        shown = true;
        ShowMove(ctx, FoundMove{FoundMove::Kind::Pile, pile, position, !top, target}, groupSize);
        return true;
    };
    const auto sent = SendCardWhere(ctx, pile, position, true, true, consider);
    if (shown) EndShowing(ctx);
    if (sent && played)
        *played = FoundMove{FoundMove::Kind::Pile, pile, position, !top, *sent};
    return sent.has_value();
}

// The cards that arrived on the piles of `group` when automatic play or filling changed the
// table, the first arrival of each pile in pile order, with where each lay before.
std::vector<FoundMove> Arrivals(const PileGroups& before, const PileGroups& after,
                                PileGroupId group, int piles) {
    std::vector<FoundMove> arrivals;
    for (int i = 0; i < piles; ++i) {
        const PileRef to{group, i};
        const std::string& old = before.Pile(to);
        const std::string& now = after.Pile(to);
        if (now.size() <= old.size() || now.compare(0, old.size(), old) != 0) continue;
        const int card = PileCardAt(now, PileCardCount(old));
        const auto from = FindCard(before, card);
        if (!from) continue;
        const int position = PositionOf(before.Pile(*from), card);
        arrivals.push_back(FoundMove{FoundMove::Kind::Pile, *from, position,
                                     position + 1 < PileCardCount(before.Pile(*from)), to});
    }
    return arrivals;
}

// The face-down top cards of the tableau and the reserves.
std::vector<int> FaceDownTopCards(const GameContext& ctx) {
    std::vector<int> cards;
    const auto add = [&](const auto& group) {
        for (const std::string& pile : group)
            if (const int top = PileTopCard(pile); top > 0 && !IsFaceUp(ctx, top))
                cards.push_back(top);
    };
    add(ctx.table.FilaGroup);
    add(ctx.table.AppoggGroup);
    return cards;
}

// What the player types for a step that moved several cards by itself: the first of the
// `arrivals` that the engine plays as written from the table before the step (`before`).
// Automatic play turns a face-down top card up and moves it in one go; the player turns it
// with a click first, and can move it then.
std::optional<FoundMove> TypedMove(const GameContext& before,
                                   const std::vector<FoundMove>& arrivals) {
    for (const FoundMove& m : arrivals) {
        ScratchGame trial(before);
        if (PlayFoundMove(trial.ctx, m)) return m;
    }
    const std::vector<int> faceDown = FaceDownTopCards(before);
    for (const FoundMove& m : arrivals) {
        const int card = PileCardAt(before.table.Pile(m.from), m.position);
        if (std::find(faceDown.begin(), faceDown.end(), card) != faceDown.end())
            return FoundMove{FoundMove::Kind::Click, m.from, m.position, false, {}};
    }
    if (arrivals.empty()) return std::nullopt;
    return arrivals.front();
}

// One run of automatic play. It runs in the assist modes even when "Au&toplay" is not ticked.
bool AssistAutoplay(GameContext& ctx) {
    const bool ticked = ctx.play.autoplayTicked, enabled = ctx.play.autoplayEnabled;
    ctx.play.autoplayTicked = ctx.play.autoplayEnabled = true;
    const bool autoplayed = fnAutoplay(ctx, false);
    ctx.play.autoplayTicked = ticked;
    ctx.play.autoplayEnabled = enabled;
    return autoplayed;
}

// Plays a step that moves cards by itself (automatic play, filling), reporting the first card
// that arrives on a pile of `group`. In the assist modes that card's move is shown first, as
// a silent rehearsal of the step finds it.
bool PlayArrivalStep(GameContext& ctx, bool (*step)(GameContext&), PileGroupId group, int piles,
                     FoundMove* played) {
    if (Assisting(ctx)) {
        ScratchGame scratch(ctx);
        if (!step(scratch.ctx) || scratch.ctx.table == ctx.table) return false;
        const std::vector<FoundMove> arrivals =
            Arrivals(ctx.table, scratch.ctx.table, group, piles);
        if (!arrivals.empty()) {
            const FoundMove& m = arrivals.front();
            const int count = PileCardCount(ctx.table.Pile(m.from)) - m.position;
            ShowMove(ctx, m, m.group ? count : 1);
        }
    }
    const PileGroups table = ctx.table;
    // The game before the step, to try the moves of what it did; only for a caller that asks.
    std::optional<ScratchGame> before;
    if (played) before.emplace(ctx);
    const bool stepped = step(ctx) && !(ctx.table == table);
    EndShowing(ctx);
    if (!stepped) return false;
    if (played)
        if (const auto typed = TypedMove(before->ctx, Arrivals(table, ctx.table, group, piles)))
            *played = *typed;
    return true;
}

// A click on the stock. In the assist modes it is announced first when it would do anything.
bool PlayStockStep(GameContext& ctx) {
    if (Assisting(ctx)) {
        ScratchGame scratch(ctx);
        if (!PlayStockClick(scratch.ctx)) return false;
        const bool empty = ctx.table.Pile(PileRef{PileGroupId::Stock, kMazzo}).empty();
        ctx.host.ShowTutorText(empty ? "Click to redeal" : "Click to turn up a card(s)");
        ctx.host.Wait(kShowMoveMs);
    }
    return PlayStockClick(ctx);
}

// A face-down top card of the tableau or a reserve that a click would turn up is turned, as
// the player turns it: left face down, the next deal from the stock would bury it.
bool TurnUpFaceDownCard(GameContext& ctx, FoundMove* played) {
    const auto turn = [&](PileGroupId group, int piles) {
        for (int i = 0; i < piles; ++i) {
            const PileRef pile{group, i};
            const int count = PileCardCount(ctx.table.Pile(pile));
            if (count == 0 || !CanPickUp(ctx, pile, count - 1).turnFaceDownCard) continue;
            if (Assisting(ctx)) {
                ctx.host.ShowTutorText("Click to turn up a card(s)");
                ctx.host.Wait(kShowMoveMs);
            }
            if (!PlayPileClick(ctx, pile)) continue;
            if (played) *played = FoundMove{FoundMove::Kind::Click, pile, count - 1, false, {}};
            return true;
        }
        return false;
    };
    return turn(PileGroupId::Fila, TableauCount(ctx)) ||
           turn(PileGroupId::Appogg, ReserveCount(ctx));
    return false;
}

// The discard games: the first tableau top card the discard pile takes goes there, with the
// click the player makes.
bool DiscardTopCard(GameContext& ctx, FoundMove* played) {
    for (int i = 0; i < TableauCount(ctx); ++i) {
        const PileRef pile{PileGroupId::Fila, i};
        const int count = PileCardCount(ctx.table.Pile(pile));
        if (count == 0 || !CanPickUp(ctx, pile, count - 1).discard) continue;
        const FoundMove shown{FoundMove::Kind::Pile, pile, count - 1, false,
                              PileRef{PileGroupId::Stock, kMazzoWaste}};
        ShowMove(ctx, shown, 1);
        const bool done = PlayPileClick(ctx, pile);
        EndShowing(ctx);
        if (!done) continue;
        if (played) *played = FoundMove{FoundMove::Kind::Click, pile, count - 1, false, {}};
        return true;
    }
    return false;
}

// The gap-row games: the first card that goes into a gap from a place out of order.
bool FillAGap(GameContext& ctx, FoundMove* played) {
    for (const GapFill& fill : GapFills(ctx)) {
        if (FillLeavesAPlaceInOrder(ctx, fill)) continue;
        const FoundMove move{FoundMove::Kind::Pile, fill.from, fill.position, false, fill.row,
                             fill.place};
        ShowMove(ctx, move, 1);
        const bool done = PlayGapFill(ctx, fill);
        EndShowing(ctx);
        if (!done) continue;
        if (played) *played = move;
        return true;
    }
    return false;
}

// The selection games: the clicks that would select a card now, the top cards' and those of
// the cards below them that may be lifted (Giza's piles).
std::vector<FoundMove> SelectableClicks(const GameContext& ctx) {
    std::vector<FoundMove> clicks;
    const auto add = [&](PileRef pile) {
        const int count = PileCardCount(ctx.table.Pile(pile));
        if (count == 0 || !fnClickSelects(ctx, pile)) return;
        clicks.push_back(FoundMove{FoundMove::Kind::Click, pile, 0, false, {}});
        for (int k = count - 2; k >= 0; --k)
            if (CanPickUp(ctx, pile, k).allowed)
                clicks.push_back(FoundMove{FoundMove::Kind::Click, pile, k, true, {}});
    };
    for (const int slot : {kMazzo, kMazzoVis})
        add({PileGroupId::Stock, slot});
    for (int i = 0; i < ReserveCount(ctx); ++i)
        add({PileGroupId::Appogg, i});
    for (int i = 0; i < TableauCount(ctx); ++i)
        add({PileGroupId::Fila, i});
    return clicks;
}

// The card a selection click names.
int ClickedCard(const GameContext& ctx, const FoundMove& click) {
    const std::string& cards = ctx.table.Pile(click.from);
    return click.group ? PileCardAt(cards, click.position) : PileTopCard(cards);
}

// The selection games: the click towards a selection that leaves the table. With nothing
// selected, the first card of such a selection (a card that leaves alone goes at once);
// with cards selected, the card that completes them, or else a selected card taken back.
bool SelectTowardsRemoval(GameContext& ctx, FoundMove* played) {
    if (!IsSelectionGame(ctx)) return false;
    const std::vector<FoundMove> clicks = SelectableClicks(ctx);
    const auto at = [](const FoundMove& click) { return click.group ? click.position : -1; };
    const auto removes = [&](const GameContext& from, const FoundMove& click) {
        ScratchGame trial(from);
        return fnSelectCard(trial.ctx, click.from, at(click)) == SelectOutcome::Removed;
    };
    const auto play = [&](const FoundMove& click) {
        if (!PlayPileClick(ctx, click.from, at(click))) return false;
        if (played) *played = click;
        return true;
    };
    const bool selecting = !ctx.table.DestGroup[0].empty();
    for (const FoundMove& first : clicks) {
        if (removes(ctx, first)) return play(first);
        if (selecting) continue;
        ScratchGame trial(ctx);
        if (fnSelectCard(trial.ctx, first.from, at(first)) != SelectOutcome::Selected) continue;
        for (const FoundMove& second : clicks)
            if (ClickedCard(ctx, second) != ClickedCard(ctx, first) && removes(trial.ctx, second))
                return play(first);
    }
    if (!selecting) return false;
    // Nothing completes the selection: its last card is taken back.
    const int last = PileTopCard(ctx.table.DestGroup[0]);
    for (const FoundMove& click : clicks)
        if (ClickedCard(ctx, click) == last) return play(click);
    return false;
}

bool TrySearch(GameContext& ctx, FoundMove* played) {
    // 1. Automatic play to the foundations.
    if (PlayArrivalStep(ctx, AssistAutoplay, PileGroupId::Dest, kDestPiles, played)) return true;
    // A card left face down by the last move is turned up.
    if (TurnUpFaceDownCard(ctx, played)) return true;
    // 2. Filling empty tableau piles.
    if (PlayArrivalStep(ctx, fnAutoFill, PileGroupId::Fila, kFilaPiles, played)) return true;
    // 3. The waste's top card.
    const PileRef waste{PileGroupId::Stock, kMazzoVis};
    const int wasteCount = PileCardCount(ctx.table.Pile(waste));
    if (wasteCount > 0 && ctx.Param(param::kWasteCardsMovable) == 0 &&
        TrySend(ctx, waste, wasteCount - 1, played))
        return true;
    // 4. The reserves, bottom card up; 5. the tableau piles, each card with those on it.
    const auto sweep = [&](PileGroupId group, int piles, bool topOnly) {
        for (int i = 0; i < piles; ++i) {
            const PileRef pile{group, i};
            const int count = PileCardCount(ctx.table.Pile(pile));
            for (int k = topOnly ? count - 1 : 0; k >= 0 && k < count; ++k)
                if (TrySend(ctx, pile, k, played)) return true;
        }
        return false;
    };
    if (sweep(PileGroupId::Appogg, ReserveCount(ctx),
              ctx.Param(param::kReserveFan) == kTopCardOnly))
        return true;
    const int tableaus = TableauCount(ctx);
    if (sweep(PileGroupId::Fila, tableaus, ctx.Param(param::kTableauFan) == kTopCardOnly))
        return true;
    // 6. The top cards once more, each on its own.
    if (sweep(PileGroupId::Fila, tableaus, true)) return true;
    // 7. A card to the discard pile, or a card towards a selection that leaves the table.
    if (DiscardTopCard(ctx, played)) return true;
    if (SelectTowardsRemoval(ctx, played)) return true;
    // 8. A card into a gap of a row.
    if (FillAGap(ctx, played)) return true;
    // 9. The stock: turn up cards or redeal.
    if (PlayStockStep(ctx)) {
        if (played) *played = FoundMove{FoundMove::Kind::Stock, {}, 0, false, {}};
        return true;
    }
    return false;
}

} // namespace

RecentPlace RecentPlaceOf(PileRef pile) {
    switch (pile.group) {
    case PileGroupId::Fila:
        return {kRecentTableau, pile.index};
    case PileGroupId::Appogg:
        return {kRecentReserve, pile.index};
    case PileGroupId::Stock:
        if (pile.index == kMazzoVis) return {kRecentWaste, 0};
        return {};
    case PileGroupId::Dest:
        return {};
    }
    return {};
}

void RecordRecentMove(GameContext& ctx, int card, int kind, int index) {
    if (kind == kRecentReserve && ctx.play.assistMode != kAssistDemo) index = 0;
    std::string& recent = ctx.play.recentMoves;
    recent += RecentEntry(card, CurrentPlace(ctx, card), RecentPlace{kind, index});
    const std::size_t limit = kRecentMoveLength * kRecentMovesKept;
    while (recent.size() > limit)
        recent.erase(0, kRecentMoveLength);
}

bool WasRecentlyMade(const GameContext& ctx, int card, int destKind, int destIndex) {
    RecentPlace from = CurrentPlace(ctx, card);
    const RecentPlace to{destKind, destIndex};
    const std::string forward = RecentEntry(card, from, to);
    const std::string backward = RecentEntry(card, to, from);
    // A reserve is kept with index 0 outside a demonstration.
    RecentPlace from0 = from;
    if (from0.kind == kRecentReserve) from0.index = 0;
    const std::string backward0 = RecentEntry(card, to, from0);
    const std::string& recent = ctx.play.recentMoves;
    for (std::size_t at = 0; at + kRecentMoveLength <= recent.size(); at += kRecentMoveLength) {
        const std::string_view entry(recent.data() + at, kRecentMoveLength);
        if (entry == forward || entry == backward || entry == backward0) return true;
    }
    return false;
}

std::string FoundMoveText(const FoundMove& move) {
    switch (move.kind) {
    case FoundMove::Kind::Stock:
        return "stock";
    case FoundMove::Kind::Undo:
        return "undo";
    case FoundMove::Kind::Redo:
        return "redo";
    case FoundMove::Kind::Autoplay:
        return "autoplay";
    case FoundMove::Kind::Click:
        // A click on a card below the top is written with its position.
        return PileName(move.from) + (move.group ? ":" + std::to_string(move.position) : "");
    case FoundMove::Kind::Pile:
        break;
    }
    std::string text = PileName(move.from);
    if (move.group || move.toPlace >= 0) text += ":" + std::to_string(move.position);
    text += ">" + PileName(move.to);
    if (move.toPlace >= 0) text += ":" + std::to_string(move.toPlace);
    return text;
}

std::optional<FoundMove> ParseFoundMove(std::string_view text) {
    FoundMove move;
    if (text == "stock")
        move.kind = FoundMove::Kind::Stock;
    else if (text == "undo")
        move.kind = FoundMove::Kind::Undo;
    else if (text == "redo")
        move.kind = FoundMove::Kind::Redo;
    else if (text == "autoplay")
        move.kind = FoundMove::Kind::Autoplay;
    if (move.kind != FoundMove::Kind::Pile) return move;
    const std::size_t arrow = text.find('>');
    if (arrow == std::string_view::npos) {
        // "Fila3" clicks the top card, "Fila3:4" the card at position 4.
        std::string_view name = text;
        if (const std::size_t colon = text.find(':'); colon != std::string_view::npos) {
            const std::string_view digits = text.substr(colon + 1);
            move.position = digits.size() > 3 ? -1 : ParseDigits(digits);
            if (move.position < 0) return std::nullopt;
            move.group = true;
            name = text.substr(0, colon);
        }
        const auto pile = ParsePileName(name);
        if (!pile) return std::nullopt;
        move.kind = FoundMove::Kind::Click;
        move.from = *pile;
        return move;
    }
    std::string_view from = text.substr(0, arrow);
    std::string_view toName = text.substr(arrow + 1);
    if (const std::size_t colon = toName.find(':'); colon != std::string_view::npos) {
        const std::string_view digits = toName.substr(colon + 1);
        move.toPlace = digits.size() > 3 ? -1 : ParseDigits(digits);
        if (move.toPlace < 0) return std::nullopt;
        toName = toName.substr(0, colon);
    }
    const auto to = ParsePileName(toName);
    if (!to) return std::nullopt;
    move.to = *to;
    move.position = -1; // the top card
    if (const std::size_t colon = from.find(':'); colon != std::string_view::npos) {
        const std::string_view digits = from.substr(colon + 1);
        if (digits.size() > 3) return std::nullopt;
        move.position = ParseDigits(digits);
        if (move.position < 0) return std::nullopt;
        move.group = true;
        from = from.substr(0, colon);
    }
    const auto source = ParsePileName(from);
    if (!source) return std::nullopt;
    move.from = *source;
    return move;
}

bool PlayFoundMove(GameContext& ctx, const FoundMove& move) {
    if (!ctx.flags[GameStateFlags::kInPlay] && move.kind != FoundMove::Kind::Undo &&
        move.kind != FoundMove::Kind::Redo)
        return false;
    switch (move.kind) {
    case FoundMove::Kind::Stock:
        return PlayStockClick(ctx);
    case FoundMove::Kind::Click:
        return PlayPileClick(ctx, move.from, move.group ? move.position : -1);
    case FoundMove::Kind::Undo: {
        const TableState before = CaptureTableState(ctx);
        Undo(ctx);
        return !(CaptureTableState(ctx) == before);
    }
    case FoundMove::Kind::Redo: {
        const TableState before = CaptureTableState(ctx);
        Redo(ctx);
        return !(CaptureTableState(ctx) == before);
    }
    case FoundMove::Kind::Autoplay: {
        // One run of automatic play, as if "Au&toplay" were ticked.
        const TableState before = CaptureTableState(ctx);
        const bool ticked = ctx.play.autoplayTicked;
        const bool enabled = ctx.play.autoplayEnabled;
        ctx.play.autoplayTicked = ctx.play.autoplayEnabled = true;
        while (ctx.flags[GameStateFlags::kInPlay] && fnAutoplay(ctx, false)) {
        }
        ctx.play.autoplayTicked = ticked;
        ctx.play.autoplayEnabled = enabled;
        return !(CaptureTableState(ctx) == before);
    }
    case FoundMove::Kind::Pile:
        break;
    }
    const int count = PileCardCount(ctx.table.Pile(move.from));
    const int position = move.position < 0 ? count - 1 : move.position;
    if (position < 0 || position >= count) return false;
    if (move.toPlace >= 0) return PlayGapFill(ctx, {move.from, position, move.to, move.toPlace});
    return PlayDragMove(ctx, move.from, position, move.to);
}

bool FindAndPlayNextMove(GameContext& ctx, bool keepMode, FoundMove* played) {
    // A hint still on show ends.
    if (ctx.play.assistMode == kAssistHint) ctx.host.ClearProposedMove();
    if (!keepMode) ctx.play.assistMode = kAssistHint;
    if (!ctx.flags[GameStateFlags::kInPlay]) return false;
    bool moved = TrySearch(ctx, played);
    if (!moved && !ctx.play.recentMoves.empty()) {
        ctx.play.recentMoves.clear();
        moved = TrySearch(ctx, played);
    }
    if (moved) {
        ctx.play.moveMade = true;
    } else {
        if (Assisting(ctx))
            ctx.host.ShowTutorText(ctx.play.assistMode == kAssistDemo ? "End of Demo"
                                                                      : "No other moves.");
        ctx.play.recentMoves.clear();
    }
    return moved;
}

bool NextMoveLeadsNowhere(const GameContext& ctx) {
    SilentHost aheadHost;
    GameContext ahead(aheadHost);
    CopyGameState(ahead, ctx);
    if (!FindAndPlayNextMove(ahead, true)) return true;
    // With unlimited passes the pass number only counts the turns of the stock.
    const bool passesCount = ctx.Param(param::kPasses) != -1;
    const TableState next = CaptureTableState(ahead);
    const auto same = [&](const GameContext& earlier) {
        const TableState then = CaptureTableState(earlier);
        return then.table == next.table && then.faces == next.faces &&
               then.dealCount == next.dealCount &&
               (!passesCount || then.passNumber == next.passNumber);
    };
    // The game's earlier tables, taken back one step at a time on a copy.
    SilentHost pastHost;
    GameContext past(pastHost);
    CopyGameState(past, ctx);
    past.undoHistory = ctx.undoHistory;
    SetSetting(past.settings, field::kUndoMode, std::string(1, undo_level::kUnlimited));
    do {
        if (same(past)) return true;
    } while (Undo(past));
    return false;
}

} // namespace quendra
