#pragma once

#include "game_context.h"
#include "game_params.h"

#include <string_view>
#include <vector>

namespace quendra {

// Where a card lies, as one signed number.
namespace pile_code {
constexpr int kNowhere = 0;
constexpr int kStock = -99;
constexpr int kWaste = -98;
constexpr int kFirstReserve = -21; // reserve n is -20 - n
constexpr int kLastReserve = -30;
inline bool IsTableau(int code) {
    return code >= 1 && code <= kFilaPiles;
}
inline bool IsFoundation(int code) {
    return code <= -1 && code >= -kDestPiles;
}
inline bool IsReserve(int code) {
    return code <= kFirstReserve && code >= kLastReserve;
}
} // namespace pile_code

// Values of parameter 2.
namespace group_moves {
constexpr int kAnyFaceUp = 0;
constexpr int kSequence = 1;
constexpr int kSequenceInSuit = 10;
// Our own: a run down in suit, or cards of one rank (Curds and Whey).
constexpr int kRunInSuitOrOneRank = 11;
} // namespace group_moves

// Values of parameter 13 with a meaning of their own; a number >= 0 is a plain limit.
namespace group_size {
constexpr int kUnlimited = -1;
constexpr int kFreeCellsAndSpacesToNonEmpty = -5;
constexpr int kFreeCellsAndSpaces = -6;
constexpr int kKingOrOne = -12;
constexpr int kOneOrWholePile = -13;
constexpr int kPileBlock = -15;
} // namespace group_size

// Reserve kinds (parameter 330 + n).
namespace reserve_kind {
constexpr int kClosed = 4;
constexpr int kKingsWhileFirstUnderThree = 8;
constexpr int kFaceCardOnEmpty = 9;
constexpr int kAnything = 12;
constexpr int kSingleWhileFirstUnderFive = 13;
constexpr int kBalancedStart = 81;
constexpr int kWasteOnly = 85;
constexpr int kJackOnEmpty = 88;
constexpr int kQueenOnEmpty = 89;
constexpr int kKingOnEmpty = 90;
constexpr int kPileBlock = 103;
constexpr int kAcesAlternating = 107;
} // namespace reserve_kind

int ReservePileCount(const GameContext& ctx);

// The card's place: -99 stock, -98 waste, -1..-16 foundations, 1..40 tableau piles,
// -21..-30 reserves, 0 nowhere.
int fnPileCodeOf(const GameContext& ctx, int card);
// Position of the card in a pile string, 0-based from the bottom; -1 when absent.
int CardPositionIn(std::string_view pile, int card);

// Drop tests: a card, alone or as the bottom card of the moving group (ctx.play.singleCard
// and ctx.play.movingTopCard), put on a pile. Nothing is changed; a balanced-start check on
// a card without a suit tells the player "Error suit - 1".
bool fnCanDropOnPile(const GameContext& ctx, int card, std::string_view pileName);
bool fnCanDropOnPile(const GameContext& ctx, int card, PileRef pile);
bool fnCanDropOnFoundation(const GameContext& ctx, int i, int card);
bool fnCanDropOnTableau(const GameContext& ctx, int i, int card);
bool fnCanDropOnReserve(const GameContext& ctx, int n, int card);

// `card` lies on `below` as tableau pile i builds: the pile's method, direction and stop.
bool fnBuiltOnInTableau(const GameContext& ctx, int i, int below, int card);
// The group from the card to the top of its pile builds under tableau pile i's rules.
bool fnGroupIsSequence(const GameContext& ctx, int card, int i);
// The group from the card to the top of its pile is no larger than parameter 13 allows.
bool fnGroupSizeAllowed(const GameContext& ctx, int card, bool toEmpty);
// The group `fnGroupFrom` gave for its first card may be lifted from tableau pile i: the
// answer of fnGroupIsSequence and of fnGroupSizeAllowed (not onto an empty pile) together,
// without looking for the card again; false for an empty group.
bool fnGroupMayBeLifted(const GameContext& ctx, const std::vector<int>& group, int i);
// The pile-block rule: a card is free when the piles beside it within its block are empty.
bool PileBlockAllows(const GameContext& ctx, int card);
// The card is the top card of a tableau pile or of a reserve.
bool fnIsTopCard(const GameContext& ctx, int card);
// The cards from the card to the top of its tableau pile or reserve, bottom first.
std::vector<int> fnGroupFrom(const GameContext& ctx, int card);

bool IsFaceUp(const GameContext& ctx, int card);

} // namespace quendra
