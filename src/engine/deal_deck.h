#pragma once

// The deck list of a deal as card numbers, for the dealing files.

#include "game_context.h"

#include <vector>

namespace quendra::dealing {

// The cards not yet dealt, in deal order.
struct Deck {
    std::vector<int> cards;

    bool Empty() const { return cards.empty(); }
    // Takes the head card; 0 when none is left.
    int TakeFirst();
    // Takes the first card of a rank; 0 when there is none.
    int TakeFirstOfRank(int rank);
    // Takes a given card; false when it is not in the deck.
    bool Take(int card);
};

// Puts n cards from the head of the deck face down on a pile, then turns `faceUp` of them
// (a turning mode of fnTurnCards; 0 turns none).
void DealOnto(GameContext& ctx, Deck& deck, PileRef pile, int n, int faceUp);
// One card face up on a pile.
void PutFaceUp(GameContext& ctx, PileRef pile, int card);
// Removes the card at a 0-based place of a pile string.
void RemoveAt(std::string& pile, int place);
// The base rank of a card: a joker counts as -2.
int BaseRankOf(int card);
void SetParam(GameContext& ctx, int index, int value);

// The special starts and the distribution of what is left in the deck (the last stage of
// a deal).
void DealSpecialStarts(GameContext& ctx, Deck& deck);

} // namespace quendra::dealing
