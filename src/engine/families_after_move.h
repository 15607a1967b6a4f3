#pragma once

#include "game_context.h"

namespace quendra {

// The families whose rule acts after a card has landed: the Clock turns its piles, the
// four-of-a-kind games discard a finished set, the Queen's Audience games bring a court
// card's partner home beside it.
namespace after_move {

// 165 Clock: after a card lands on tableau pile k (k from 1), the pile turns: its top card
// goes under it and the new top card turns face up; a card that turns up on its own pile
// (rank k) goes under it again while a face-down card lies below it.
void TurnClockPile(GameContext& ctx, int card, PileRef pile);
// 165 Clock, after the deal: the centre's card turned up at the deal is a King already at
// home, so the centre turns on until a card of another pile shows.
void TurnClockCentre(GameContext& ctx);
// 165 Clock: won when every card lies face up in the pile of its rank.
bool ClockCardsAllHome(const GameContext& ctx);

// 88 Perpetual Motion, 76 Beehive: the top four cards of a tableau pile of four or more that
// share one rank fly, one after the other, to the discard pile.
void DiscardFourOfAKind(GameContext& ctx, int card, PileRef pile);

// 178 Queen's Audience: a Jack or King that has landed on foundation i (from 5) brings the
// card of its suit one step away (the Ace for a Jack, the Queen for a King) from wherever it
// lies to foundation i - 4.
void BringPartnerHome(GameContext& ctx, int card, PileRef pile);

} // namespace after_move

} // namespace quendra
