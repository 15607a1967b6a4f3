#include "building.h"

#include "cards.h"
#include "families.h"
#include "legality.h"

#include <algorithm>
#include <array>

namespace quendra {

namespace building_detail {

int CardsIn(const GameContext& ctx, PileGroupId group, int index) {
    return PileCardCount(ctx.table.Pile({group, index}));
}

int TopOf(const GameContext& ctx, PileGroupId group, int index) {
    return PileTopCard(ctx.table.Pile({group, index}));
}

int WasteCount(const GameContext& ctx) {
    return CardsIn(ctx, PileGroupId::Stock, kMazzoVis);
}

int StockCount(const GameContext& ctx) {
    return CardsIn(ctx, PileGroupId::Stock, kMazzo);
}

const std::string& DestinationPile(const GameContext& ctx, const BuildArgs& a) {
    const int index = std::clamp(a.pileIndex, 0, a.isFoundation ? kDestPiles - 1 : kFilaPiles - 1);
    return ctx.table.Pile({a.isFoundation ? PileGroupId::Dest : PileGroupId::Fila, index});
}

bool SuitUniqueInFoundationQuad(const GameContext& ctx, int card, int pileIndex) {
    const int first = pileIndex <= 3 ? 0 : 4;
    for (int f = first; f < first + 4; ++f) {
        if (f == pileIndex) continue;
        const int top = TopOf(ctx, PileGroupId::Dest, f);
        if (top != 0 && fnSuit(top) == fnSuit(card)) return false;
    }
    return true;
}

namespace {


bool IsBalancedRule(int rule) {
    return rule == empty_rule::kBalancedAces || rule == empty_rule::kBalancedKingsOneEachSuit ||
           rule == empty_rule::kBalancedAcesOneEachSuit ||
           rule == empty_rule::kBalancedTwosOneEachSuit;
}

bool MatchedStart(const GameContext& ctx, int card, int rule) {
    bool anyStarted = false;
    for (int f = 0; f < FoundationCount(ctx); ++f) {
        const std::string& pile = ctx.table.Pile({PileGroupId::Dest, f});
        if (PileCardCount(pile) == 0) continue;
        anyStarted = true;
        if (fnRank(PileCardAt(pile, 0)) != fnRank(card)) return false;
    }
    if (!anyStarted && rule == empty_rule::kMatchedRankReserveFirst)
        return pile_code::IsReserve(fnPileCodeOf(ctx, card));
    return true;
}

bool ReserveOrWasteStart(const GameContext& ctx, int card) {
    const int code = fnPileCodeOf(ctx, card);
    if (pile_code::IsTableau(code)) return false;
    for (int r = 0; r < ReservePileCount(ctx); ++r)
        if (CardsIn(ctx, PileGroupId::Appogg, r) > 0) return pile_code::IsReserve(code);
    return code == pile_code::kWaste;
}

bool SuitAllowed(int method, int top, int card) {
    switch (method) {
    case build_method::kInSuit:
    case build_method::kInSuitNoQueenOnKingOrJack:
        return fnSuit(top) == fnSuit(card);
    case build_method::kInColour:
        return fnIsRed(top) == fnIsRed(card);
    case build_method::kAlternateColours:
        return fnIsRed(top) != fnIsRed(card);
    case build_method::kOtherSuit:
        return fnSuit(top) != fnSuit(card);
    case build_method::kEmptyRuleOnly:
        return false;
    default:
        return true;
    }
}

// The pair rule of tableau piles with parameter 251 + i = 2.
bool PairRule(const GameContext& ctx, int pileIndex, int a, int b) {
    if (a == 13) return b == 12;
    if (a == 1 && b == 2) {
        const int dir = ctx.Param(param::kTableauDirection + pileIndex);
        return dir == direction::kUp || dir == direction::kUpOrDown;
    }
    return false;
}

bool RankAllowed(const GameContext& ctx, const BuildArgs& x, int a, int b) {
    const bool pairPile = !x.isFoundation && ctx.Param(param::kTableauPastStop + x.pileIndex) == 2;
    const bool atStop = a == x.stopRank;
    const int base = x.stopRank;
    if (x.direction == direction::kUp || x.direction == direction::kUpOrDown) {
        bool upOk = false;
        bool final = false;
        if (pairPile) {
            upOk = PairRule(ctx, x.pileIndex, a, b) || b == a + 1;
        } else if (!x.isFoundation) {
            if (atStop && !x.pastStopAllowed)
                final = true;
            else if (a == 13)
                upOk = b == 1;
            else
                upOk = b == a + 1;
        } else if (a == 13) {
            upOk = b == 1 && base != 1;
            final = x.direction == direction::kUp;
        } else {
            upOk = b == a + 1;
        }
        if (upOk) return true;
        if (final || x.direction == direction::kUp) return false;
    } else if (x.direction != direction::kDown) {
        return false;
    }
    // Building down, or up-or-down after the up test failed.
    if (x.isFoundation) return a != 1 ? a == b + 1 : (b == 13 && base != 13);
    if (pairPile) return PairRule(ctx, x.pileIndex, a, b) || a == b + 1;
    const bool cornerStop = a == 1 && (x.stopRank == 81 || x.stopRank == 82 || x.stopRank == 83);
    if ((atStop || cornerStop) && !x.pastStopAllowed) return false;
    if (a == 1) return b == 13;
    return a == b + 1;
}

} // namespace

bool BalancedStart(const GameContext& ctx, int card, int rule) {
    const int rank = fnRank(card);
    const int wanted = rule == empty_rule::kBalancedKingsOneEachSuit  ? 13
                       : rule == empty_rule::kBalancedTwosOneEachSuit ? 2
                                                                      : 1;
    if (rank != wanted) return false;
    const bool suitsDiffer = rule != empty_rule::kBalancedAces;
    int ofKind = 0;
    int reds = fnIsRed(card) ? 1 : 0;
    int blacks = 1 - reds;
    std::array<int, 4> suits{};
    const auto countSuit = [&](int c) {
        const int suit = fnSuit(c);
        if (suit < 0 || suit > 3) {
            ctx.host.ShowInformation("Error suit - 1");
            return;
        }
        ++suits[static_cast<std::size_t>(suit)];
    };
    countSuit(card);
    for (int f = 0; f < FoundationCount(ctx); ++f) {
        if (ctx.Param(param::kFoundationBase + f) != rule) continue;
        ++ofKind;
        const std::string& pile = ctx.table.Pile({PileGroupId::Dest, f});
        if (PileCardCount(pile) == 0) continue;
        const int first = PileCardAt(pile, 0);
        ++(fnIsRed(first) ? reds : blacks);
        countSuit(first);
    }
    if (reds > ofKind / 2 || blacks > ofKind / 2) return false;
    if (suitsDiffer)
        for (int n : suits)
            if (n > 1) return false;
    return true;
}

bool EmptyPileRule(const GameContext& ctx, const BuildArgs& a) {
    const int rule = a.emptyRule;
    if (rule == empty_rule::kAny || a.stopRank == -1) return true;
    if (rule >= 1 && rule <= 13) return fnRank(a.card) == rule;
    if (IsBalancedRule(rule)) return BalancedStart(ctx, a.card, rule);
    switch (rule) {
    case empty_rule::kSingleCard:
        return ctx.play.singleCard;
    case empty_rule::kNotFromStockOrWaste: {
        const int code = fnPileCodeOf(ctx, a.card);
        return code > 0 || (code <= -1 && code >= pile_code::kLastReserve);
    }
    case empty_rule::kNotFromTableau:
        return fnPileCodeOf(ctx, a.card) < 1;
    case empty_rule::kBelowFirstBase:
        return fnRank(a.card) == fnPrevRank(ctx.Param(param::kFoundationBase));
    case empty_rule::kMatchedRank:
    case empty_rule::kMatchedRankReserveFirst:
        return MatchedStart(ctx, a.card, rule);
    case empty_rule::kReserveOrWaste:
        return ReserveOrWasteStart(ctx, a.card);
    default:
        return false; // 0, 82, 83 and unknown rules start nothing
    }
}

bool StandardRule(const GameContext& ctx, const BuildArgs& a) {
    if (a.top < 1) return EmptyPileRule(ctx, a);
    if (!SuitAllowed(a.method, a.top, a.card)) return false;
    return RankAllowed(ctx, a, fnRank(a.top), fnRank(a.card));
}

} // namespace building_detail

bool fnCanBuild(const GameContext& ctx, int top, int card, int emptyRule, bool isDrop,
                int pileIndex, bool pastStopAllowed, bool isFoundation, int method, int direction,
                int stopRank) {
    using namespace building_detail;
    if (top == card) return false;

    // Stock first: tableau cards wait until the stock and the waste are used up.
    const int stockFirst = ctx.Param(param::kStockFirst);
    const bool restricted = stockFirst == 2 || stockFirst == 3;
    const int code = stockFirst == 0 ? pile_code::kNowhere : fnPileCodeOf(ctx, card);
    if (((stockFirst == 1 && isFoundation) || restricted) &&
        StockCount(ctx) + WasteCount(ctx) > 0 && pile_code::IsTableau(code))
        return false;
    if (restricted && !isFoundation && WasteCount(ctx) > 0) {
        if (code != pile_code::kWaste) return false;
        return WasteCycleCheck(ctx, card, pileIndex, stockFirst == 2 ? 1 : 0);
    }

    const BuildArgs args{top,          card,   emptyRule, isDrop,  pileIndex, pastStopAllowed,
                         isFoundation, method, direction, stopRank};
    if (method == build_method::kEmptyWhileStockEmpty && isDrop)
        return top < 1 && StockCount(ctx) == 0;
    if (method < 0 || method >= build_method::kFirstUnknown) return false;
    bool handled = false;
    const bool special = SpecialMethod(ctx, args, handled);
    return handled ? special : StandardRule(ctx, args);
}

} // namespace quendra
