#pragma once

#include "game_context.h"

namespace quendra {

// The rule hooks of the special game families (parameter 50), one entry per family that has
// any. A hook left empty means the family plays by the common rules at that point.
struct FamilyRules {
    // Extra condition on a card going from the tableau to a foundation.
    bool (*extraFoundationDrop)(const GameContext& ctx, int card, int pileIndex) = nullptr;
    // May the stock be clicked now?
    bool (*stockClickAllowed)(const GameContext& ctx) = nullptr;
    // The game is won.
    bool (*wonTest)(const GameContext& ctx) = nullptr;
    // The family's own score.
    int (*score)(const GameContext& ctx) = nullptr;
    // After a card or group has landed on `pile`.
    void (*afterMove)(GameContext& ctx, int card, PileRef pile) = nullptr;
    // After the deal, before play begins.
    void (*afterDeal)(GameContext& ctx) = nullptr;
    // Only the family's rule turns a face-down tableau card; a click on one does nothing.
    bool turnsCardsItself = false;
    // The cards selected in foundation 1 make a complete selection.
    bool (*selectionComplete)(const GameContext& ctx) = nullptr;
    // Most cards that may be selected at once; 0 when the family does not limit it.
    int selectionLimit = 0;
    // The card may join the cards already selected: together they can still make a set.
    bool (*selectionMayJoin)(const GameContext& ctx, int card) = nullptr;
    // After a complete selection has left the table.
    void (*afterSelectionRemoved)(GameContext& ctx) = nullptr;
    // The move a click on the stock plays instead of dealing ("Stock_To_Pile_Monte_Carlo").
    const char* stockClickMove = nullptr;
    // A left click on `pile` selects its card (instead of lifting it); without the hook the
    // selection games (parameter 39 not 0) select from the tableau alone.
    bool (*selectsFrom)(const GameContext& ctx, PileRef pile) = nullptr;
    // The discard games: a free card the player clicks goes straight to the discard pile
    // when this answers yes, and is refused otherwise.
    bool (*discardAllowed)(const GameContext& ctx, int card) = nullptr;
    // A card the discard refuses may still be dragged while a tableau pile is empty.
    bool dragsToSpaces = false;
    // Reserves with parameter 14 = -14: the card at `position` of reserve `pile` may be
    // lifted alone.
    bool (*reserveCardFree)(const GameContext& ctx, PileRef pile, int position) = nullptr;
    // The draw is open: one face-up card from under others of a tableau pile may be lifted
    // alone and played; the move that plays it uses the draw up.
    bool (*drawOpen)(const GameContext& ctx) = nullptr;
    // The grid games: the card of tableau pile `pileIndex` (0-based) lies free.
    bool (*gridFree)(const GameContext& ctx, int pileIndex) = nullptr;
    // Each click on the stock counts one deal (the count survives undo and saved games).
    bool countsDeals = false;
    // The game is lost: no move can bring it further.
    bool (*lostTest)(const GameContext& ctx) = nullptr;
    // The gap-row games: the gap at `place` of tableau pile `row` (0-based) takes the card.
    bool (*gapTakes)(const GameContext& ctx, int card, int row, int place) = nullptr;
    // The gap-row games: the rank a row starts from; a redeal keeps the run built from it.
    int gapRowFirstRank = 2;
    // The memory games: a left press on the card at `position` of `pile` is the family's,
    // before anything is lifted or sent; false when it turns nothing (a beep).
    bool (*cardClick)(GameContext& ctx, PileRef pile, int position) = nullptr;
    // At the end of the game, before it is recorded: the family shows its result.
    void (*showResult)(GameContext& ctx) = nullptr;
    // The card at `position` of a tableau pile lies free and may be lifted alone (the rows of
    // Labyrinth); a card taken from the tableau leaves a gap "000" in its place.
    bool (*tableauCardFree)(const GameContext& ctx, PileRef pile, int position) = nullptr;
    // A press anywhere on a tableau pile lifts the whole pile (the row of piles of Accordion).
    bool liftsWholePile = false;
    // Decides alone whether a card or group may go onto tableau pile `pileIndex` (0-based).
    bool (*tableauDrop)(const GameContext& ctx, int card, int pileIndex) = nullptr;
    // The top card of tableau pile `pileIndex` (0-based) may be lifted; without the hook any
    // face-up top card may (Royal Parade lifts only a card lying alone off its row's base).
    bool (*tableauTopLifts)(const GameContext& ctx, int pileIndex) = nullptr;
    // The card dropped on tableau pile `pileIndex` changes places with the card lying there,
    // which goes where the dropped card lay (Royal Parade's exchange); asked before the move.
    bool (*dropExchanges)(const GameContext& ctx, int card, int pileIndex) = nullptr;
    // Every rule the family needs is supplied: the games compiler takes its games.
    bool complete = false;
};

// The family values of our own, for rules that no earlier family carries.
namespace family {
constexpr int kGolf = 2;        // click to the discard pile, one rank away
constexpr int kMonteCarlo = 8;  // touching pairs of one rank leave a grid that closes up
constexpr int kBlockTen = 20;   // pairs adding up to 10, or two Tens, Jacks, Queens or Kings
constexpr int kFourteens = 3;   // pairs adding up to 14 leave the table
constexpr int kPyramid = 4;     // pairs adding up to 13 leave the table, a King alone
constexpr int kAcesUp = 12;     // click to the discard pile under a higher card of the suit
constexpr int kTriPeaks = 15;   // Golf's discard over a grid of overlapping peaks
constexpr int kPairsOfRank = 16; // pairs of one rank leave the table
constexpr int kRoyalMarriage = 22; // cards between a match leave the row
constexpr int kGaps = 32;       // gap rows built from a Two, filled by the card above the left one
constexpr int kMemoryFifteens = 36; // memory: 15 points a pair, less one a try
constexpr int kMemoryTens = 37;     // memory: 10 points a pair, less two a try
constexpr int kMemorySevens = 39;   // memory: 7 points a pair, less one a try
constexpr int kTower = 43;          // the nine cards of one suit built into one pile
constexpr int kSlidingPuzzle = 44;  // cards slid into the gap until they lie in order
constexpr int kPokerGrid = 9;       // rows and columns of a 5 x 5 grid scored as poker hands
constexpr int kCribbageSquare = 78; // rows and columns of a 4 x 4 grid scored as cribbage hands
constexpr int kFourOfAKind = 29; // four cards of one rank on a pile's top are discarded
constexpr int kQueensAudience = 30; // a Jack or King goes up with its Ace or Queen
constexpr int kStepLabels = 10; // labels over foundations 1-4 name the rank each needs next
constexpr int kClock = 40;      // the Clock: lost when the fourth King turns up too soon
constexpr int kGapRowsByRule = 46; // gap rows whose filling rule the tableau's parameters give
constexpr int kIndicatorLabels = 50; // labels over foundations 9-16 name the rank each needs next
constexpr int kHitOrMiss = 60;  // the stock counted out, a card matching the count discarded
constexpr int kStockIntoTableau = 61; // won when the stock has all come into the tableau
constexpr int kFoundationAbovePile = 62; // a tableau card goes to the foundation over its pile
constexpr int kReserveUpWhenStockOut = 63; // the face-down reserve turns up when the stock runs out
constexpr int kRefillFromReserveInLine = 64; // a space filled from the reserve pile in line with it
constexpr int kDrawAfterLastShuffle = 65; // one buried card drawn after the last redeal
constexpr int kQuilt = 66; // a quilt of upright and sideways cards, free at a narrow end
constexpr int kRoyalParade = 67; // rows of bases built by threes, lone cards exchanged onto them
constexpr int kNeighbour = 70;  // Monte Carlo's grid, touching pairs adding up to 13, Kings alone
constexpr int kGayGordons = 71; // pairs adding up to 11, two Jacks, or a Queen and a King
constexpr int kElevens = 72;    // pairs adding up to 11, or a Jack, a Queen and a King
constexpr int kTens = 73;       // pairs adding up to 10, or four Tens, Jacks, Queens or Kings
constexpr int kFifteens = 74;   // any cards adding up to 15, or four Tens, Jacks, Queens or Kings
constexpr int kEighteens = 75;  // a court card and three others adding up to 18, Aces alone
constexpr int kDecade = 76; // a row dealt place by place, runs adding up to tens leave it
constexpr int kAccordion = 77; // a row of piles, each going onto its 1st or 3rd left neighbour
constexpr int kLabyrinth = 79; // rows dealt one under another, free at the first and last row
// Families of the common rules that no game of ours uses yet, read by value in the engine.
constexpr int kAcesFromFirstReserve = 11; // the Aces of reserve 1 start foundations 2 onward
constexpr int kSingleRowPairs = 21;   // won with the stock dealt and four cards left in pile 1
constexpr int kTableauHomeCheck = 23; // a family check on tableau cards going home
constexpr int kCountsTheDeal = 28;    // the deal counts as the first deal
} // namespace family

// Moves the top card of `from` face up onto `to` with its flight, both piles redrawn; the
// hooks that move cards by themselves (a hit discarded, a space refilled, a set of four)
// share it. Returns the card, 0 when `from` is empty.
int FlyTopCard(GameContext& ctx, PileRef from, PileRef to);

// True for a family the engine plays whole: the games compiler refuses any other. The
// standard games (family 0 and below) play by the common rules; a special family joins once
// all of its hooks are supplied.
bool FamilyImplemented(int family);

// The hooks of a family; an empty entry for a family without any.
const FamilyRules& FamilyRulesFor(int family);
// The hooks of the game being played.
const FamilyRules& CurrentFamilyRules(const GameContext& ctx);

// Checks the move legality asks of the special families. Each takes the moving card and the
// 0-based index of the destination pile.

// Family 23: a tableau card going to a foundation (the cycle-counter games).
bool FamilyFoundationCheck(const GameContext& ctx, int card, int pileIndex);
// Parameter 35 = 2 (argument 1) or 3 (argument 0): which tableau pile takes the waste card.
bool WasteCycleCheck(const GameContext& ctx, int card, int pileIndex, int argument);
// Method 5: foundations built from a rank set, each rank already on the foundation left.
bool FoundationRankSetCheck(const GameContext& ctx, int card, int pileIndex);
// Methods 38, 45 (rank 13) and 48 (rank 12) while the waste holds cards: filling a row.
bool RowCheck(const GameContext& ctx, int card, int pileIndex, int rank);
// Methods 58 and 64: Aces and Kings onto the empty foundations 1 to 4 by colour pairs.
bool FoundationColourPairsCheck(const GameContext& ctx, int card, int pileIndex);
// Method 62 (family 30): Jacks and Kings start foundations beside their partner card.
bool JackKingFoundationCheck(const GameContext& ctx, int card, int top, int pileIndex);
// Method 67: only onto an empty tableau pile, and only a card not in the tableau.
bool EmptyTableauFromOutsideCheck(const GameContext& ctx, int card, int top, int pileIndex);
// Method 71 and the grid families (parameter 25 > 0): may the card of tableau pile
// `pileIndex` move? The grid positions come with the grid games' definitions.
bool GridCheck(const GameContext& ctx, int card, int pileIndex);
// Reserve pick-up of parameter 14 = -14: may the card at `position` of reserve `pile` be
// lifted, alone? The family's rule decides.
bool ReservePickUpCheck(const GameContext& ctx, PileRef pile, int position);

} // namespace quendra
