#pragma once

#include "game_context.h"

namespace quendra {

// Directions of building.
namespace direction {
constexpr int kDown = 0;
constexpr int kUp = 1;
constexpr int kUpOrDown = 2;
} // namespace direction

// Standard building methods; every other value is a special method.
namespace build_method {
constexpr int kInSuit = 0;
constexpr int kInColour = 1;
constexpr int kAnySuit = 2;
constexpr int kAlternateColours = 3;
constexpr int kNothing = 4;
constexpr int kEmptyRuleOnly = 6;
constexpr int kEmptyWhileStockEmpty = 7;
constexpr int kQueenOnEmptyFoundation = 10;
constexpr int kInSuitNoQueenOnKingOrJack = 11;
constexpr int kAnything = 12;
constexpr int kUpWithAcesAfterKings = 20;
constexpr int kOtherSuit = 21;
constexpr int kSuitHigherOnTableau = 22;
constexpr int kTwoPacksUpThenDown = 29;
constexpr int kGroupOnlyToEmpty = 34;
constexpr int kBalancedReserve = 81;
// Our own: down in suit, or onto a card of the same rank (Curds and Whey).
constexpr int kInSuitOrSameRank = 111;
// Our own: onto a card of the same rank, any suit (Beehive).
constexpr int kSameRank = 112;
// Our own: foundation i (from 9) by the rank of foundation i - 8's first card, regardless
// of suit, round past the King (Senior Wrangler).
constexpr int kByIndicator = 113;
// Our own: up in suit by three ranks, no turning past the King (Royal Parade's bases).
constexpr int kInSuitByThree = 114;
constexpr int kFirstUnknown = 115;
} // namespace build_method

// Empty-pile rules: the card that may start an empty pile. 1 to 13 a card of that rank.
namespace empty_rule {
constexpr int kNone = 0;
constexpr int kAny = -1;
constexpr int kBalancedAces = 81;
constexpr int kNoneEither = 82;
constexpr int kNoneToo = 83;
constexpr int kBalancedKingsOneEachSuit = 84;
constexpr int kBalancedAcesOneEachSuit = 85;
constexpr int kSingleCard = 86;
constexpr int kNotFromStockOrWaste = 87;
constexpr int kNotFromTableau = 88;
constexpr int kBalancedTwosOneEachSuit = 90;
constexpr int kBelowFirstBase = 91;
constexpr int kMatchedRank = 92;
constexpr int kMatchedRankReserveFirst = 93;
constexpr int kReserveOrWaste = 96;
} // namespace empty_rule

// True for a building method whose rule the engine holds: the games compiler refuses any
// other, and such a method takes no card.
bool BuildMethodImplemented(int method);

// The shared building rule: may `card` (the bottom card of the moving group) go on `top`
// (-1 for an empty pile) of a foundation or tableau pile with the given rules?
bool fnCanBuild(const GameContext& ctx, int top, int card, int emptyRule, bool isDrop,
                int pileIndex, bool pastStopAllowed, bool isFoundation, int method, int direction,
                int stopRank);

namespace building_detail {

// What fnCanBuild and the special methods share.
struct BuildArgs {
    int top;
    int card;
    int emptyRule;
    bool isDrop;
    int pileIndex;
    bool pastStopAllowed;
    bool isFoundation;
    int method;
    int direction;
    int stopRank;
};

// Steps 4 and 5: the empty-pile rule, then the suit and rank rule of a standard method.
bool StandardRule(const GameContext& ctx, const BuildArgs& a);
bool EmptyPileRule(const GameContext& ctx, const BuildArgs& a);
// Balanced starts: the new card with the first cards of the foundations of the same kind.
bool BalancedStart(const GameContext& ctx, int card, int rule);
// A special method; `handled` is false for a value that uses the standard rule.
bool SpecialMethod(const GameContext& ctx, const BuildArgs& a, bool& handled);

// The destination pile of the building rule.
const std::string& DestinationPile(const GameContext& ctx, const BuildArgs& a);
int CardsIn(const GameContext& ctx, PileGroupId group, int index);
int TopOf(const GameContext& ctx, PileGroupId group, int index);
int WasteCount(const GameContext& ctx);
int StockCount(const GameContext& ctx);
// No suit occurs twice among the card and the top cards of foundations 1-4 (index up to 3)
// or 5-8 (otherwise), the destination itself left out.
bool SuitUniqueInFoundationQuad(const GameContext& ctx, int card, int pileIndex);

} // namespace building_detail

} // namespace quendra
