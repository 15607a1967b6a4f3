#pragma once

#include "game_context.h"

#include <vector>

namespace quendra {

// Deck selections and distribution modes of parameter 34.
namespace deal_mode {
constexpr int kKingsToStock = 1;
constexpr int kKingsStartPiles = 2;
constexpr int kNoRepeatedRanks = 3;
constexpr int kQueensStartPiles = 4;
constexpr int kByRankLessOne = 5;
constexpr int kByRank = 6;
constexpr int kBottomsToFoundations = 7;
constexpr int kAcesAsGaps = 8;
constexpr int kOneCardOfEachRank = 11; // deck selection
constexpr int kFirstRanks = 9;         // deck selection, and the pile emptied by card number
constexpr int kEmptyOnePile = 10;
constexpr int kFixedCards = 12; // deck selection
constexpr int kFoundationsFromDeck = 13;
constexpr int kOneSuitToNine = 14; // deck selection
constexpr int kKingsAsGaps = 15;
constexpr int kNoCourtCards = 16; // deck selection
constexpr int kKingsToBottom = 17;
constexpr int kAcesAndTwosFirst = 18;
constexpr int kAcesLeadRows = 19;
constexpr int kAcesLeadRowsBeforeAGap = 20;
} // namespace deal_mode

// True for a deal mode (parameter 34) the engine deals: the games compiler refuses any other.
bool DealModeImplemented(int mode);

// Foundation codes of parameters 99 + i.
namespace foundation_code {
constexpr int kNextOfFirstCard = 91;
constexpr int kBaseOfFirst = 92;
constexpr int kSweepAll = 93;
constexpr int kSweepOwn = 94;
constexpr int kSweepKingsAces = 95;
constexpr int kAcesFromTableau = 96;
constexpr int kRankRun = 97;
constexpr int kFirstCard = 20;
constexpr int kNewSuit = 21;
} // namespace foundation_code

// Distributes a new deal over the piles by the game's parameters, from the deck list the
// current deal number gives; the piles must be empty. Ends with the engine's post-deal step.
void DealCards(GameContext& ctx);

// The deck selection of parameter 34 applied to a list of card numbers.
void SelectDeck(const GameContext& ctx, std::vector<int>& deck);

// Offers every tableau card to the foundations (foundation codes 93 to 95); a card a
// foundation accepts goes there face up and scores.
void FoundationSweep(GameContext& ctx, int code);

} // namespace quendra
