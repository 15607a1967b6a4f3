#include "pick_up.h"

#include "cards.h"
#include "families.h"
#include "legality.h"
#include "moves.h"

#include <algorithm>

namespace quendra {

namespace {

constexpr int kWholeReserve = -11;
constexpr int kReserveFamilyCheck = -14;
constexpr int kReservePileBlock = -15;
constexpr int kWasteDropOnNeighbours = 2;
constexpr int kWasteNeverTakes = 4;

PickUp Lift(int card, int groupSize) {
    return PickUp{true, card, groupSize, false, false};
}

// A click on a face-down top card turns it up; nothing is lifted.
PickUp TurnUp(int card) {
    PickUp turn;
    turn.card = card;
    turn.turnFaceDownCard = true;
    return turn;
}

bool FoundationTopMovable(const GameContext& ctx, int count, int top) {
    switch (ctx.Param(param::kFoundationPickUp)) {
    case 1:
        return count > 0;
    case 2:
        return count > 1;
    case 3:
        return count > 0 && fnIsJoker(top);
    default:
        return false;
    }
}

bool InGrid(const GameContext& ctx, int pileIndex) {
    const int columns = ctx.Param(param::kGridColumns);
    return columns > 0 && pileIndex + 1 < columns * ctx.Param(param::kGridRows);
}

bool AllFaceUp(const GameContext& ctx, const std::vector<int>& cards) {
    return std::all_of(cards.begin(), cards.end(), [&](int c) { return IsFaceUp(ctx, c); });
}

// The group the send action moves for a card: empty when the card may not be sent. A group
// comes with the card's place (fnPileCodeOf) in `code`, found once.
std::vector<int> SendGroup(const GameContext& ctx, int card, int& code) {
    if (!IsFaceUp(ctx, card)) return {};
    // The memory games move no card by hand: a click turns it.
    if (CurrentFamilyRules(ctx).cardClick != nullptr) return {};
    code = fnPileCodeOf(ctx, card);
    // The card is the top card of the tableau pile or reserve it lies in (fnIsTopCard).
    const auto onTop = [&] {
        const PileRef pile = pile_code::IsTableau(code)
                                 ? PileRef{PileGroupId::Fila, code - 1}
                                 : PileRef{PileGroupId::Appogg, pile_code::kFirstReserve - code};
        return PileTopCard(ctx.table.Pile(pile)) == card;
    };
    if (code == pile_code::kWaste) {
        if (PileTopCard(ctx.table.Pile({PileGroupId::Stock, kMazzoVis})) != card) return {};
        return {card};
    }
    if (pile_code::IsFoundation(code)) {
        const std::string& pile = ctx.table.Pile({PileGroupId::Dest, -code - 1});
        if (PileTopCard(pile) != card || !FoundationTopMovable(ctx, PileCardCount(pile), card))
            return {};
        return {card};
    }
    if (pile_code::IsReserve(code)) {
        if (onTop()) return {card};
        if (ctx.Param(param::kReservePickUp) == kWholeReserve) return fnGroupFrom(ctx, card);
        return {};
    }
    if (pile_code::IsTableau(code)) {
        if (InGrid(ctx, code - 1) && !GridCheck(ctx, card, code - 1)) return {};
        // The rows of Labyrinth and of a quilt send a card their rule leaves free, alone,
        // wherever it lies in its row.
        if (const auto free = CurrentFamilyRules(ctx).tableauCardFree) {
            const auto place = fnFindCard(ctx, card);
            return place && free(ctx, place->pile, place->position) ? std::vector<int>{card}
                                                                    : std::vector<int>{};
        }
        if (const auto lifts = CurrentFamilyRules(ctx).tableauTopLifts)
            return onTop() && lifts(ctx, code - 1) ? std::vector<int>{card} : std::vector<int>{};
        if (onTop()) return {card};
        if (ctx.Param(param::kGroupSize) != 0 && fnGroupSizeAllowed(ctx, card, false))
            return fnGroupFrom(ctx, card);
    }
    return {};
}

// Sets the moving group for the legality tests and puts the previous one back on leaving.
class MovingGroupScope {
  public:
    MovingGroupScope(GameContext& ctx, const std::vector<int>& group)
        : play_(ctx.play), saved_(ctx.play) {
        play_.draggedCard = group.front();
        play_.movingTopCard = group.back();
        play_.singleCard = group.size() == 1;
    }
    ~MovingGroupScope() {
        play_.draggedCard = saved_.draggedCard;
        play_.movingTopCard = saved_.movingTopCard;
        play_.singleCard = saved_.singleCard;
    }
    MovingGroupScope(const MovingGroupScope&) = delete;
    MovingGroupScope& operator=(const MovingGroupScope&) = delete;

  private:
    PlayState& play_;
    PlayState saved_;
};

bool AnyTableauPileEmpty(const GameContext& ctx) {
    for (int i = 0; i < TableauCount(ctx); ++i)
        if (ctx.table.FilaGroup[static_cast<std::size_t>(i)].empty()) return true;
    return false;
}

// The discard games: a free top card goes to the discard pile when the family's rule allows
// it; a card it refuses is lifted only where the family lets it into a space.
PickUp DiscardClick(const GameContext& ctx, const FamilyRules& rules, PileRef pile,
                    int position) {
    const std::string& text = ctx.table.Pile(pile);
    const int top = PileTopCard(text);
    if (position != PileCardCount(text) - 1) return {};
    if (InGrid(ctx, pile.index) && !GridCheck(ctx, top, pile.index)) return {};
    if (!IsFaceUp(ctx, top)) return TurnUp(top);
    if (rules.discardAllowed(ctx, top)) {
        PickUp discard;
        discard.card = top;
        discard.discard = true;
        return discard;
    }
    if (rules.dragsToSpaces && AnyTableauPileEmpty(ctx)) return Lift(top, 1);
    return {};
}

} // namespace

PickUp CanPickUp(const GameContext& ctx, PileRef pile, int positionInPile) {
    const std::string& text = ctx.table.Pile(pile);
    const int count = PileCardCount(text);
    const int top = PileTopCard(text);
    switch (pile.group) {
    case PileGroupId::Stock:
        if (pile.index != kMazzoVis) return {};
        if (count > 0) {
            if (ctx.Param(param::kWasteCardsMovable) == 0) return Lift(top, 1);
            return {};
        }
        if (ctx.Param(param::kRedealFromWaste) > 0 &&
            PileCardCount(ctx.table.Pile({PileGroupId::Stock, kMazzo})) == 0) {
            PickUp redeal;
            redeal.redeal = true;
            return redeal;
        }
        return {};
    case PileGroupId::Dest:
        if (FoundationTopMovable(ctx, count, top)) return Lift(top, 1);
        return {};
    case PileGroupId::Appogg:
        if (count == 0) return {};
        switch (ctx.Param(param::kReservePickUp)) {
        case kReserveFamilyCheck: {
            const int position = positionInPile < 0 ? count - 1 : positionInPile;
            if (!ReservePickUpCheck(ctx, pile, position)) return {};
            return Lift(PileCardAt(text, position), 1);
        }
        case kReservePileBlock:
            return PileBlockAllows(ctx, top) ? Lift(top, 1) : PickUp{};
        case kWholeReserve:
            return Lift(PileCardAt(text, 0), count);
        default:
            // A reserve whose cards lie face down under its top one turns the next one up
            // when clicked, as a tableau pile does.
            return IsFaceUp(ctx, top) ? Lift(top, 1) : TurnUp(top);
        }
    case PileGroupId::Fila:
        break;
    }

    // The rows of Labyrinth: a free card is lifted alone, wherever it lies.
    if (const auto free = CurrentFamilyRules(ctx).tableauCardFree) {
        const int at = positionInPile < 0 ? count - 1 : positionInPile;
        const int card = at >= 0 && at < count ? PileCardAt(text, at) : 0;
        return card >= 1 && free(ctx, pile, at) ? Lift(card, 1) : PickUp{};
    }
    // Only the top card the family lets go is lifted (Royal Parade's lone cards).
    if (const auto lifts = CurrentFamilyRules(ctx).tableauTopLifts) {
        const bool atTop = positionInPile < 0 || positionInPile == count - 1;
        return count > 0 && atTop && lifts(ctx, pile.index) ? Lift(top, 1) : PickUp{};
    }
    // The row of piles of Accordion: a pile moves whole.
    if (CurrentFamilyRules(ctx).liftsWholePile)
        return count > 0 ? Lift(PileCardAt(text, 0), count) : PickUp{};
    const int position = positionInPile < 0 ? count - 1 : positionInPile;
    if (position < 0 || position >= count) return {};
    if (const FamilyRules& rules = CurrentFamilyRules(ctx); rules.discardAllowed)
        return DiscardClick(ctx, rules, pile, position);
    if (InGrid(ctx, pile.index)) return GridCheck(ctx, top, pile.index) ? Lift(top, 1) : PickUp{};
    const int card = PileCardAt(text, position);
    if (position == count - 1) {
        if (IsFaceUp(ctx, card)) return Lift(card, 1);
        return CurrentFamilyRules(ctx).turnsCardsItself ? PickUp{} : TurnUp(card);
    }
    // The family's draw: a buried face-up card is lifted alone.
    if (const auto draw = CurrentFamilyRules(ctx).drawOpen; draw && draw(ctx))
        return IsFaceUp(ctx, card) ? Lift(card, 1) : PickUp{};
    const std::vector<int> group = fnGroupFrom(ctx, card);
    if (group.empty() || !AllFaceUp(ctx, group)) return {};
    if (!fnGroupMayBeLifted(ctx, group, pile.index)) return {};
    return Lift(card, static_cast<int>(group.size()));
}

bool WasteTakesDrops(const GameContext& ctx) {
    return ctx.Param(param::kWasteDropOff) != kWasteNeverTakes &&
           ctx.Param(param::kWasteDropRule) == kWasteDropOnNeighbours &&
           PileHasPlace(ctx, {PileGroupId::Stock, kMazzoVis});
}

bool CanDropOnWaste(const GameContext& ctx, int card) {
    const PileRef waste{PileGroupId::Stock, kMazzoVis};
    if (!WasteTakesDrops(ctx) || !ctx.play.singleCard) return false;
    const int top = PileTopCard(ctx.table.Pile(waste));
    if (top == 0 || fnSuit(top) != fnSuit(card)) return false;
    const int rank = fnRank(card);
    const int topRank = fnRank(top);
    return rank == fnNextRank(topRank) || rank == fnPrevRank(topRank);
}

namespace {

// Foundation f is on the table and takes the card (its moving group set).
bool FoundationTakes(GameContext& ctx, int card, int f) {
    return PileHasPlace(ctx, pile::Dest(f)) && fnCanDropOnPile(ctx, card, pile::Dest(f));
}

} // namespace

std::optional<int> FirstSendFoundation(GameContext& ctx, int card) {
    int ownCode = pile_code::kNowhere;
    const std::vector<int> group = SendGroup(ctx, card, ownCode);
    // Only a single card is sent home.
    if (group.size() != 1) return std::nullopt;
    const MovingGroupScope scope(ctx, group);
    const int foundations = FoundationCount(ctx);
    for (int f = 0; f < foundations; ++f)
        if (FoundationTakes(ctx, card, f)) return f;
    return std::nullopt;
}

std::vector<std::string> SendTargets(GameContext& ctx, int card, bool toFoundations,
                                     bool toTableaus) {
    std::vector<std::string> targets;
    int ownCode = pile_code::kNowhere;
    const std::vector<int> group = SendGroup(ctx, card, ownCode);
    if (group.empty()) return targets;
    const MovingGroupScope scope(ctx, group);
    const bool single = group.size() == 1;
    const auto tryPile = [&](PileRef pile) {
        if (fnCanDropOnPile(ctx, card, pile)) targets.push_back(PileName(pile));
    };

    if (single && toFoundations) {
        const int foundations = FoundationCount(ctx);
        for (int f = 0; f < foundations; ++f)
            if (FoundationTakes(ctx, card, f)) targets.push_back(PileName(pile::Dest(f)));
    }
    if (toTableaus) {
        const int piles = std::clamp(ctx.Param(param::kTableauCount), 0, kFilaPiles);
        for (const bool holding : {true, false})
            for (int t = 0; t < piles; ++t) {
                const PileRef pile{PileGroupId::Fila, t};
                if (t + 1 == ownCode || (PileCardCount(ctx.table.Pile(pile)) > 0) != holding)
                    continue;
                tryPile(pile);
            }
    }
    if (single)
        for (int r = 0; r < ReservePileCount(ctx); ++r)
            if (PileHasPlace(ctx, {PileGroupId::Appogg, r})) tryPile({PileGroupId::Appogg, r});
    if (toTableaus && CanDropOnWaste(ctx, card)) targets.push_back("Stock02");
    return targets;
}

int SelectedRankSum(const GameContext& ctx) {
    const std::string& selected = ctx.table.Pile({PileGroupId::Dest, 0});
    int sum = 0;
    for (int i = 0; i < PileCardCount(selected); ++i)
        sum += fnRank(PileCardAt(selected, i));
    return sum;
}

SelectionClick ClassifySelectionClick(const GameContext& ctx, int card) {
    const std::string& selected = ctx.table.Pile({PileGroupId::Dest, 0});
    const int count = PileCardCount(selected);
    for (int i = 0; i < count; ++i)
        if (PileCardAt(selected, i) == card) return SelectionClick::Deselect;
    const FamilyRules& rules = CurrentFamilyRules(ctx);
    if (rules.selectionLimit > 0 && count >= rules.selectionLimit) return SelectionClick::Refuse;
    // A card that could make no set with the cards already selected is refused.
    if (rules.selectionMayJoin != nullptr && !rules.selectionMayJoin(ctx, card))
        return SelectionClick::Refuse;
    return SelectionClick::Select;
}

bool SelectionComplete(const GameContext& ctx) {
    const auto complete = CurrentFamilyRules(ctx).selectionComplete;
    return complete != nullptr && complete(ctx);
}

} // namespace quendra
