#pragma once

#include "game_context.h"

namespace quendra {

// The hooks of the Monte Carlo and adding families: cards selected with the click (held in
// foundation 1) leave the table together once they make a set of the family. Each family has
// three tests: the selection is complete (it leaves the table), a card may join the cards
// already selected (the set can still be completed with it; a card that cannot is refused),
// and the game is lost (cards are left and the cards a click may select make no set).

// Family 8 (70 Monte Carlo, 71 Monte Carlo (two decks)): two cards of one rank that touch in
// the grid of five columns, across, up and down or corner to corner.
bool TouchingPairOfOneRank(const GameContext& ctx);
bool MayJoinTouchingPairOfOneRank(const GameContext& ctx, int card);
// Our own family (80 Neighbour): two touching cards adding up to 13, or a King alone.
bool TouchingPairOfThirteen(const GameContext& ctx);
bool MayJoinTouchingPairOfThirteen(const GameContext& ctx, int card);
// Families 8 and Neighbour lose when nothing touching can leave the grid and no card can come
// from the stock (it is empty, or the grid has no empty place).
bool NoTouchingPairOfOneRankLeft(const GameContext& ctx);
bool NothingAddingUpToThirteenLeft(const GameContext& ctx);

// Family 20 (5 Block Ten): two cards adding up to 10, or two Tens, Jacks, Queens or Kings.
bool PairOfTenOrTwoCourts(const GameContext& ctx);
bool MayJoinPairOfTenOrTwoCourts(const GameContext& ctx, int card);
bool NoPairOfTenOrTwoCourtsLeft(const GameContext& ctx);
// Our own family (81 Gay Gordons): two cards adding up to 11, two Jacks, or a Queen and a King.
bool PairOfElevenOrCourts(const GameContext& ctx);
bool MayJoinPairOfElevenOrCourts(const GameContext& ctx, int card);
bool NoPairOfElevenOrCourtsLeft(const GameContext& ctx);
// Our own family (8 Elevens): two cards adding up to 11, or a Jack, a Queen and a King.
bool ElevenOrJackQueenKing(const GameContext& ctx);
bool MayJoinElevenOrJackQueenKing(const GameContext& ctx, int card);
bool NoElevenOrJackQueenKingLeft(const GameContext& ctx);
// Our own family (84 Tens): two cards adding up to 10, or four Tens, Jacks, Queens or Kings.
bool TenOrFourOfAKind(const GameContext& ctx);
bool MayJoinTenOrFourOfAKind(const GameContext& ctx, int card);
bool NoTenOrFourOfAKindLeft(const GameContext& ctx);
// Our own family (82 Fifteens): any number of cards from Ace to Nine adding up to 15, or four
// Tens, Jacks, Queens or Kings.
bool FifteenOrFourOfAKind(const GameContext& ctx);
bool MayJoinFifteenOrFourOfAKind(const GameContext& ctx, int card);
bool NoFifteenOrFourOfAKindLeft(const GameContext& ctx);
// Our own family (83 Eighteens): a Jack, Queen or King with three cards from Two to Ten of
// different ranks adding up to 18; an Ace alone.
bool EighteenWithACourt(const GameContext& ctx);
bool MayJoinEighteenWithACourt(const GameContext& ctx, int card);
bool NoEighteenWithACourtLeft(const GameContext& ctx);

} // namespace quendra
