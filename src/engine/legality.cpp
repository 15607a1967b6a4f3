#include "legality.h"

#include "building.h"
#include "cards.h"
#include "families.h"

#include <algorithm>
#include <array>
#include <optional>

namespace quendra {

namespace {

using building_detail::CardsIn;
using building_detail::TopOf;

// A card's three-digit code, to look for in pile strings (`card` from 0 to the last record).
struct CodeDigits {
    explicit CodeDigits(int card) : digits(kCodes[static_cast<std::size_t>(card)]) {}
    std::array<char, 3> digits;

  private:
    static constexpr std::array<std::array<char, 3>, CardTable::kRecords + 1> kCodes = [] {
        std::array<std::array<char, 3>, CardTable::kRecords + 1> codes{};
        for (int card = 0; card <= CardTable::kRecords; ++card)
            codes[static_cast<std::size_t>(card)] = {static_cast<char>('0' + card / 100),
                                                     static_cast<char>('0' + card / 10 % 10),
                                                     static_cast<char>('0' + card % 10)};
        return codes;
    }();
};

// Position of the code in a pile string, 0-based from the bottom; -1 when absent.
int CodePositionIn(std::string_view pile, const CodeDigits& code) {
    const char* unit = pile.data();
    const char* const end = unit + PileCardCount(pile) * 3;
    for (; unit != end; unit += 3)
        if (unit[2] == code.digits[2] && unit[1] == code.digits[1] && unit[0] == code.digits[0])
            return static_cast<int>(unit - pile.data()) / 3;
    return -1;
}

// Position of a card in a pile string, 0-based from the bottom; -1 when absent. A card is
// looked for by its three-digit code: every legality test asks where cards lie, many times
// a move.
int PositionIn(std::string_view pile, int card) {
    if (card < 1 || card > CardTable::kRecords) {
        const int count = PileCardCount(pile);
        for (int i = 0; i < count; ++i)
            if (PileCardAt(pile, i) == card) return i;
        return -1;
    }
    return CodePositionIn(pile, CodeDigits(card));
}

// The cards of a tableau pile or reserve from a card up to the top, read in place.
struct GroupInPile {
    std::string_view pile;
    int from = 0;  // the card's position
    int count = 0; // cards from it up; 0 when the card lies in no tableau pile or reserve
    int At(int k) const { return PileCardAt(pile, from + k); }
};

GroupInPile GroupOf(const GameContext& ctx, int card);
// The cards of a group held in a list.
struct GroupOfCards {
    const std::vector<int>& cards;
    int count = static_cast<int>(cards.size());
    int At(int k) const { return cards[static_cast<std::size_t>(k)]; }
};

template <typename Group> bool GroupIsSequence(const GameContext& ctx, const Group& group, int i);
bool GroupSizeAllowed(const GameContext& ctx, int card, int g, bool toEmpty);

struct PlaceInPile {
    PileRef pile;
    int position = 0;
};

// The tableau pile or reserve holding the card, as fnPileCodeOf finds it, and the card's
// position there. The piles fnPileCodeOf looks at after the reserves are not looked at: a
// card found there lies in neither.
std::optional<PlaceInPile> TableauOrReservePlace(const GameContext& ctx, int card) {
    if (card < 1) return std::nullopt;
    const int tableaus = TableauCount(ctx);
    for (int i = 0; i < tableaus; ++i)
        if (const int at = PositionIn(ctx.table.FilaGroup[static_cast<std::size_t>(i)], card);
            at >= 0)
            return PlaceInPile{{PileGroupId::Fila, i}, at};
    if (PositionIn(ctx.table.StockGroup[kMazzoVis], card) >= 0) return std::nullopt;
    const int reserves = ReservePileCount(ctx);
    for (int i = 0; i < reserves; ++i)
        if (const int at = PositionIn(ctx.table.AppoggGroup[static_cast<std::size_t>(i)], card);
            at >= 0)
            return PlaceInPile{{PileGroupId::Appogg, i}, at};
    return std::nullopt;
}

// The tableau pile or reserve holding the card.
std::optional<PileRef> GroupPileOf(const GameContext& ctx, int card) {
    const auto place = TableauOrReservePlace(ctx, card);
    if (!place) return std::nullopt;
    return place->pile;
}

int EmptyTableauPiles(const GameContext& ctx) {
    int empty = 0;
    for (int i = 0; i < TableauCount(ctx); ++i)
        if (CardsIn(ctx, PileGroupId::Fila, i) == 0) ++empty;
    return empty;
}

int EmptyReserves(const GameContext& ctx) {
    int empty = 0;
    for (int i = 0; i < ReservePileCount(ctx); ++i)
        if (CardsIn(ctx, PileGroupId::Appogg, i) == 0) ++empty;
    return empty;
}

// The building test of one card on another in tableau pile i, with the given method.
bool BuiltOn(const GameContext& ctx, int i, int below, int card, int method) {
    return fnCanBuild(ctx, below, card, ctx.Param(param::kTableauEmptyRule + i), false, i,
                      ctx.Param(param::kTableauPastStop + i) > 0, false, method,
                      ctx.Param(param::kTableauDirection + i), ctx.Param(param::kFoundationBase));
}

bool AllEmpty(const GameContext& ctx, PileGroupId group, int first, int last) {
    for (int i = first; i <= last; ++i)
        if (CardsIn(ctx, group, i) != 0) return false;
    return true;
}

} // namespace

int ReservePileCount(const GameContext& ctx) { return ReserveCount(ctx); }

int CardPositionIn(std::string_view pile, int card) { return PositionIn(pile, card); }

bool IsFaceUp(const GameContext& ctx, int card) {
    return card >= 1 && card <= CardTable::kRecords && ctx.cardTable.Face(card) == '1';
}

int fnPileCodeOf(const GameContext& ctx, int card) {
    if (card < 1) return pile_code::kNowhere;
    const bool hasCode = card <= CardTable::kRecords;
    const CodeDigits code(hasCode ? card : 0);
    const auto holds = [&](const std::string& cards) {
        return hasCode ? CodePositionIn(cards, code) >= 0 : PositionIn(cards, card) >= 0;
    };
    // A card lies in one pile only: the piles the moves ask about are looked at first, the
    // long stock last.
    const PileGroups& table = ctx.table;
    const int tableaus = TableauCount(ctx);
    for (int i = 0; i < tableaus; ++i)
        if (holds(table.FilaGroup[static_cast<std::size_t>(i)])) return i + 1;
    if (holds(table.StockGroup[kMazzoVis])) return pile_code::kWaste;
    const int reserves = ReservePileCount(ctx);
    for (int i = 0; i < reserves; ++i)
        if (holds(table.AppoggGroup[static_cast<std::size_t>(i)]))
            return pile_code::kFirstReserve - i;
    for (int i = 0; i < kDestPiles; ++i)
        if (holds(table.DestGroup[static_cast<std::size_t>(i)])) return -(i + 1);
    if (holds(table.StockGroup[kMazzo])) return pile_code::kStock;
    return pile_code::kNowhere;
}

bool fnCanDropOnPile(const GameContext& ctx, int card, std::string_view pileName) {
    const auto pile = ParsePileName(pileName);
    return pile && fnCanDropOnPile(ctx, card, *pile);
}

bool fnCanDropOnPile(const GameContext& ctx, int card, PileRef pile) {
    if (pile.group == PileGroupId::Stock) return false;
    // A group never goes back onto the pile it came from.
    const int top = PileTopCard(ctx.table.Pile(pile));
    if (top != 0 && top == ctx.play.movingTopCard) return false;
    switch (pile.group) {
    case PileGroupId::Dest:
        return fnCanDropOnFoundation(ctx, pile.index, card);
    case PileGroupId::Fila:
        return fnCanDropOnTableau(ctx, pile.index, card);
    case PileGroupId::Appogg:
        return fnCanDropOnReserve(ctx, pile.index + 1, card);
    case PileGroupId::Stock:
        break;
    }
    return false;
}

bool fnCanDropOnFoundation(const GameContext& ctx, int i, int card) {
    if (i < 0 || i >= kDestPiles) return false;
    const int family = ctx.Param(param::kFamily);
    if (family == family::kTableauHomeCheck && pile_code::IsTableau(fnPileCodeOf(ctx, card)) &&
        !FamilyFoundationCheck(ctx, card, i))
        return false;
    if (!ctx.play.singleCard) return false;
    const auto familyCheck = CurrentFamilyRules(ctx).extraFoundationDrop;
    if (familyCheck != nullptr && pile_code::IsTableau(fnPileCodeOf(ctx, card)) &&
        !familyCheck(ctx, card, i))
        return false;

    const int method = ctx.Param(param::kFoundationMethod + i);
    const std::string& pile = ctx.table.Pile({PileGroupId::Dest, i});
    const int count = PileCardCount(pile);
    if (method == build_method::kQueenOnEmptyFoundation) return count == 0 && fnRank(card) == 12;
    if (method == build_method::kSuitHigherOnTableau) {
        if (fnRank(card) == 1) return false;
        for (int t = 0; t < TableauCount(ctx); ++t) {
            const int tableauTop = TopOf(ctx, PileGroupId::Fila, t);
            if (tableauTop == 0 || fnSuit(tableauTop) != fnSuit(card)) continue;
            const int rank = fnRank(tableauTop);
            if (rank > fnRank(card) || rank == 1) return true;
        }
        return false;
    }
    if (method == build_method::kUpWithAcesAfterKings) {
        if (count >= kCardsInPack) return false;
    } else if (method != build_method::kTwoPacksUpThenDown &&
               count >= ctx.Param(param::kFoundationMaxCards)) {
        return false;
    }
    const int top = count == 0 ? -1 : PileTopCard(pile);
    const int base = ctx.Param(param::kFoundationBase + i);
    return fnCanBuild(ctx, top, card, base, true, i, true, true, method,
                      ctx.Param(param::kFoundationDirection + i), base);
}

bool fnCanDropOnTableau(const GameContext& ctx, int i, int card) {
    if (i < 0 || i >= kFilaPiles) return false;
    // A family with a drop rule of its own decides alone (Accordion's row of piles).
    if (const auto drop = CurrentFamilyRules(ctx).tableauDrop) return drop(ctx, card, i);
    const std::string& pile = ctx.table.Pile({PileGroupId::Fila, i});
    const int count = PileCardCount(pile);
    const int top = count == 0 ? -1 : PileTopCard(pile);
    // Family 40 turns its piles itself and builds on face-down cards.
    if (count > 0 && !IsFaceUp(ctx, top) && ctx.Param(param::kFamily) != family::kClock)
        return false;
    const int maxCards = ctx.Param(param::kTableauMaxCards);
    if (maxCards != -1 && count >= maxCards) return false;

    const int method = ctx.Param(param::kTableauMethod + i);
    bool ok =
        fnCanBuild(ctx, top, card, ctx.Param(param::kTableauEmptyRule + i), true, i,
                   ctx.Param(param::kTableauPastStop + i) > 0, false, method,
                   ctx.Param(param::kTableauDirection + i), ctx.Param(param::kFoundationBase));
    const bool group = !ctx.play.singleCard;
    if (method == build_method::kGroupOnlyToEmpty && group && count > 0) ok = false;
    // The group is found once for both tests.
    std::optional<GroupInPile> lifted;
    const auto liftedGroup = [&]() -> const GroupInPile& {
        if (!lifted) lifted = GroupOf(ctx, card);
        return *lifted;
    };
    if (ok && group && ctx.Param(param::kGroupMoves) != group_moves::kAnyFaceUp)
        ok = GroupIsSequence(ctx, liftedGroup(), i);
    if (ok && group && count == 0 &&
        ctx.Param(param::kGroupSize) == group_size::kFreeCellsAndSpacesToNonEmpty)
        ok = GroupSizeAllowed(ctx, card, liftedGroup().count, true);
    if (count > 0 && top == ctx.play.movingTopCard) ok = false;
    return ok;
}

bool fnCanDropOnReserve(const GameContext& ctx, int n, int card) {
    if (n < 1 || n > kAppoggPiles) return false;
    const int index = n - 1;
    const int count = CardsIn(ctx, PileGroupId::Appogg, index);
    const bool single = ctx.play.singleCard;
    const int rank = fnRank(card);
    switch (ctx.Param(param::kReserveKind + n)) {
    case reserve_kind::kClosed:
        return false;
    case reserve_kind::kKingsWhileFirstUnderThree:
        return single && rank == 13 && CardsIn(ctx, PileGroupId::Appogg, 0) < 3;
    case reserve_kind::kAnything:
        return true;
    case reserve_kind::kWasteOnly:
        return fnPileCodeOf(ctx, card) == pile_code::kWaste;
    case reserve_kind::kSingleWhileFirstUnderFive:
        return single && CardsIn(ctx, PileGroupId::Appogg, 0) < 5;
    case reserve_kind::kJackOnEmpty:
        return single && count == 0 && rank == 11;
    case reserve_kind::kQueenOnEmpty:
        return single && count == 0 && rank == 12;
    case reserve_kind::kKingOnEmpty:
        return single && count == 0 && rank == 13;
    case reserve_kind::kPileBlock:
        return count == 0 && PileBlockAllows(ctx, card);
    case reserve_kind::kAcesAlternating: {
        if (rank != 1) return false;
        if (count == 0) return true;
        return fnIsRed(card) != fnIsRed(TopOf(ctx, PileGroupId::Appogg, index));
    }
    case reserve_kind::kFaceCardOnEmpty:
        return single && count == 0 && fnIsFaceCard(card);
    case reserve_kind::kBalancedStart:
        return single && count == 0 &&
               fnCanBuild(ctx, -1, card, -1, true, index, true, true,
                          build_method::kBalancedReserve, -1, -1);
    default:
        return single && count == 0;
    }
}

bool fnGroupIsSequence(const GameContext& ctx, int card, int i) {
    return GroupIsSequence(ctx, GroupOf(ctx, card), i);
}

bool fnGroupMayBeLifted(const GameContext& ctx, const std::vector<int>& group, int i) {
    if (group.empty()) return false;
    const GroupOfCards cards{group};
    return GroupIsSequence(ctx, cards, i) &&
           GroupSizeAllowed(ctx, group.front(), cards.count, false);
}

namespace {

template <typename Group> bool GroupIsSequence(const GameContext& ctx, const Group& group, int i) {
    const int rule = ctx.Param(param::kGroupMoves);
    if (rule == group_moves::kAnyFaceUp) return true;
    if (i < 0 || i >= kFilaPiles) return false;
    if (rule == group_moves::kRunInSuitOrOneRank) {
        const auto oneRank = [](int below, int c) { return fnRank(below) == fnRank(c); };
        const auto inSuitDown = [](int below, int c) {
            return fnSuit(below) == fnSuit(c) && fnRank(below) == fnRank(c) + 1;
        };
        const auto runOf = [&](const auto& builds) {
            for (int k = 1; k < group.count; ++k)
                if (!builds(group.At(k - 1), group.At(k))) return false;
            return true;
        };
        return runOf(oneRank) || runOf(inSuitDown);
    }
    const int method = rule == group_moves::kSequenceInSuit ? build_method::kInSuit
                                                            : ctx.Param(param::kTableauMethod + i);
    for (int k = 1; k < group.count; ++k)
        if (!BuiltOn(ctx, i, group.At(k - 1), group.At(k), method)) return false;
    return true;
}

} // namespace

bool fnBuiltOnInTableau(const GameContext& ctx, int i, int below, int card) {
    if (i < 0 || i >= kFilaPiles) return false;
    return BuiltOn(ctx, i, below, card, ctx.Param(param::kTableauMethod + i));
}

bool PileBlockAllows(const GameContext& ctx, int card) {
    const int code = fnPileCodeOf(ctx, card);
    if (pile_code::IsTableau(code)) {
        const int index = code - 1;
        const int blockStart = index / 10 * 10;
        if (index - blockStart < 5) return AllEmpty(ctx, PileGroupId::Fila, blockStart, index - 1);
        return AllEmpty(ctx, PileGroupId::Fila, index + 1, blockStart + 9);
    }
    if (pile_code::IsReserve(code)) {
        const int r = pile_code::kFirstReserve - code + 1;
        if (r >= 6 && r <= 9) return AllEmpty(ctx, PileGroupId::Appogg, r, kAppoggPiles - 1);
        if (r >= 2 && r <= 5) return AllEmpty(ctx, PileGroupId::Appogg, 0, r - 2);
    }
    return true;
}

bool fnGroupSizeAllowed(const GameContext& ctx, int card, bool toEmpty) {
    return GroupSizeAllowed(ctx, card, GroupOf(ctx, card).count, toEmpty);
}

namespace {

// The size test of a group of `g` cards from `card` up.
bool GroupSizeAllowed(const GameContext& ctx, int card, int g, bool toEmpty) {
    const int rule = ctx.Param(param::kGroupSize);
    switch (rule) {
    case group_size::kUnlimited:
        return true;
    case group_size::kKingOrOne:
        return fnRank(card) == 13 || g == 1;
    case group_size::kOneOrWholePile: {
        const int code = fnPileCodeOf(ctx, card);
        if (!pile_code::IsTableau(code)) return false;
        return g == 1 || g == CardsIn(ctx, PileGroupId::Fila, code - 1);
    }
    case group_size::kPileBlock:
        return PileBlockAllows(ctx, card);
    default:
        break;
    }
    if (rule >= 0) return g <= rule;
    const int e = EmptyTableauPiles(ctx);
    const int r = EmptyReserves(ctx);
    int limit = 0;
    if (rule == group_size::kFreeCellsAndSpacesToNonEmpty)
        limit = e == 0 ? r + 1 : (toEmpty ? r + e : r + e + 1);
    else if (rule == group_size::kFreeCellsAndSpaces)
        limit = e == 0 ? r + 1 : r + e;
    else
        limit = std::max(e, 1);
    return g <= limit;
}

} // namespace

bool fnIsTopCard(const GameContext& ctx, int card) {
    const auto pile = GroupPileOf(ctx, card);
    return pile && PileTopCard(ctx.table.Pile(*pile)) == card;
}

namespace {

GroupInPile GroupOf(const GameContext& ctx, int card) {
    const auto place = TableauOrReservePlace(ctx, card);
    if (!place) return {};
    const std::string& text = ctx.table.Pile(place->pile);
    return {text, place->position, PileCardCount(text) - place->position};
}

} // namespace

std::vector<int> fnGroupFrom(const GameContext& ctx, int card) {
    const GroupInPile in = GroupOf(ctx, card);
    std::vector<int> group;
    group.reserve(static_cast<std::size_t>(in.count));
    for (int k = 0; k < in.count; ++k)
        group.push_back(in.At(k));
    return group;
}

} // namespace quendra
