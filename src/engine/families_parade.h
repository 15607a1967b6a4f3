#pragma once

#include "game_context.h"

namespace quendra {

// 193 Royal Parade: the tableau piles are places laid in rows (parameter 360 the number of
// rows, as many places to a row); the places of row r (0-based) take a card of rank r + 2
// as their base, built up in suit by threes. The reserves are the columns the stock deals
// onto, one card to each at a click.
namespace royal_parade {

// The rank of the base of the row that holds tableau pile `pileIndex` (0-based).
int BaseRankOf(const GameContext& ctx, int pileIndex);
// The place holds its row's base with nothing built on it, or cards built on that base.
bool HoldsItsBase(const GameContext& ctx, int pileIndex);
// A lone card: a column's top card, or the single card of a place that is not the place's
// base. Only such a card may be lifted.
bool LoneCard(const GameContext& ctx, int card);
// The top card of place `pileIndex` may be lifted: it lies alone and is not the base.
bool PlaceCardLifts(const GameContext& ctx, int pileIndex);
// A lone card goes onto place `pileIndex`: onto its base pile when it continues it, into it
// when it is empty, or onto its lone card when the card is the row's base (an exchange).
bool TakesCard(const GameContext& ctx, int card, int pileIndex);
// The drop of `card` onto place `pileIndex` is an exchange with the lone card lying there.
bool Exchanges(const GameContext& ctx, int card, int pileIndex);
// Every Ace showing on a place or a column goes to the discard pile.
void DiscardAces(GameContext& ctx);
void DiscardAcesAfterMove(GameContext& ctx, int card, PileRef pile);
// The stock is dealt and no lone card goes anywhere to any purpose: onto a base, into a
// place as its row's base or into an empty place from a column.
bool NoMoveLeft(const GameContext& ctx);
// Every place holds its base built up to the top (the Jack, Queen or King).
bool EveryPlaceBuilt(const GameContext& ctx);
// Five points for each card built on a base.
int CardsBuiltScore(const GameContext& ctx);

} // namespace royal_parade

} // namespace quendra
