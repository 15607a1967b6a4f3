#include "families.h"

#include "building.h"
#include "cards.h"
#include "families_adding.h"
#include "families_gaps.h"
#include "families_rows.h"
#include "families_after_move.h"
#include "families_pairs.h"
#include "families_memory.h"
#include "families_parade.h"
#include "families_poker.h"
#include "families_puzzles.h"
#include "families_quilt.h"
#include "legality.h"
#include "moves.h"
#include "pick_up.h"

#include <algorithm>
#include <array>

namespace quendra {

namespace {

using building_detail::CardsIn;
using building_detail::TopOf;

constexpr int kFamilies = 80;

// Parameter 251 + i = 1: the tableau turns the corner, King and Ace are neighbours.
constexpr int kTurnsTheCorner = 1;

const PileRef kDiscard{PileGroupId::Stock, kMazzoWaste};

bool TableauCleared(const GameContext& ctx) {
    for (int i = 0; i < TableauCount(ctx); ++i)
        if (CardsIn(ctx, PileGroupId::Fila, i) > 0) return false;
    return true;
}

// Golf, Putt Putt, Tri Peaks: the card is one rank above or below the discard pile's top
// card. King and Ace are neighbours only where the tableau turns the corner; elsewhere
// nothing goes on a King.
bool OneRankFromDiscardTop(const GameContext& ctx, int card) {
    const int top = PileTopCard(ctx.table.Pile(kDiscard));
    if (top < 1) return true;
    const int rank = fnRank(card);
    const int onto = fnRank(top);
    if (ctx.Param(param::kTableauPastStop) == kTurnsTheCorner) {
        const int step = (rank - onto + kKing) % kKing;
        return step == 1 || step == kKing - 1;
    }
    if (onto == kKing) return false;
    return rank == onto + 1 || rank == onto - 1;
}

// Aces Up: the rank with the Ace above the King.
int AceHighRank(int card) {
    return fnRank(card) == 1 ? kKing + 1 : fnRank(card);
}

// Aces Up: another tableau pile shows a higher card of the same suit.
bool HigherOfSuitShowing(const GameContext& ctx, int card) {
    for (int i = 0; i < TableauCount(ctx); ++i) {
        const int top = TopOf(ctx, PileGroupId::Fila, i);
        if (top >= 1 && top != card && fnSuit(top) == fnSuit(card) &&
            AceHighRank(top) > AceHighRank(card))
            return true;
    }
    return false;
}

// Aces Up: the stock is dealt and each tableau pile holds one Ace alone.
bool OnlyAcesLeft(const GameContext& ctx) {
    if (CardsIn(ctx, PileGroupId::Stock, kMazzo) > 0) return false;
    for (int i = 0; i < TableauCount(ctx); ++i)
        if (CardsIn(ctx, PileGroupId::Fila, i) != 1 || fnRank(TopOf(ctx, PileGroupId::Fila, i)) != 1)
            return false;
    return true;
}

// Tri Peaks: 28 piles of one card in three overlapping peaks, rows of 3, 6, 9 and 10 from
// the top; each card but the bottom row's lies under two cards of the row below it.
constexpr int kPeaksPiles = 28;
constexpr int kPeaksRowStart[] = {0, 3, 9, 18};

// The two piles that lie on the card of pile `index`; none for the bottom row.
std::array<int, 2> PeaksCovers(int index) {
    if (index < kPeaksRowStart[1]) {
        const int peak = index;
        return {kPeaksRowStart[1] + 2 * peak, kPeaksRowStart[1] + 2 * peak + 1};
    }
    if (index < kPeaksRowStart[2]) {
        const int j = index - kPeaksRowStart[1];
        const int first = kPeaksRowStart[2] + 3 * (j / 2) + j % 2;
        return {first, first + 1};
    }
    if (index < kPeaksRowStart[3]) {
        const int first = kPeaksRowStart[3] + index - kPeaksRowStart[2];
        return {first, first + 1};
    }
    return {-1, -1};
}

// Tri Peaks: a card lies free when both cards on it are gone.
bool PeakCardFree(const GameContext& ctx, int pileIndex) {
    if (pileIndex < 0 || pileIndex >= kPeaksPiles) return false;
    for (const int cover : PeaksCovers(pileIndex))
        if (cover >= 0 && CardsIn(ctx, PileGroupId::Fila, cover) > 0) return false;
    return true;
}

// Tri Peaks: after a card has gone, each card it uncovered turns face up.
void TurnUpFreedPeakCards(GameContext& ctx, int /*card*/, PileRef /*pile*/) {
    for (int i = 0; i < std::min(kPeaksPiles, TableauCount(ctx)); ++i) {
        const int top = TopOf(ctx, PileGroupId::Fila, i);
        if (top < 1 || IsFaceUp(ctx, top) || !PeakCardFree(ctx, i)) continue;
        fnSetCardFace(ctx, top, '1');
        ctx.host.RedrawPile({PileGroupId::Fila, i});
    }
}

// Hit or Miss: the rank counted with the card of deal `deal` (1 for the first card dealt):
// Ace, Two ... King, and round again, the count going on through every pass.
int CountedRank(int deal) {
    return (deal - 1) % kKing + 1;
}

// Hit or Miss: the card just turned onto the waste is a hit when its rank is the rank
// counted with it, and goes on at once to the discard pile.
void DiscardAHit(GameContext& ctx, int card, PileRef pile) {
    if (pile != PileRef{PileGroupId::Stock, kMazzoVis} || card < 1) return;
    if (fnRank(card) != CountedRank(ctx.play.dealCount)) return;
    FlyTopCard(ctx, pile, kDiscard);
}

// Hit or Miss: the waste has just been turned over and not one card of the pass to come
// would meet its count.
bool NoHitToCome(const GameContext& ctx) {
    const std::string& stock = ctx.table.Pile({PileGroupId::Stock, kMazzo});
    if (stock.empty() || ctx.play.passNumber < 2 || CardsIn(ctx, PileGroupId::Stock, kMazzoVis) > 0)
        return false;
    const int count = PileCardCount(stock);
    for (int k = 0; k < count; ++k)
        if (fnRank(PileCardAt(stock, count - 1 - k)) == CountedRank(ctx.play.dealCount + 1 + k))
            return false;
    return true;
}

// Trusty Twelve: the whole stock has come into the tableau.
bool StockDealtOut(const GameContext& ctx) {
    return CardsIn(ctx, PileGroupId::Stock, kMazzo) == 0;
}

// Amazons: a tableau card goes only to the foundation over its own pile, a Queen to any.
bool FoundationOverItsPile(const GameContext& ctx, int card, int pileIndex) {
    return fnRank(card) == kQueen || fnPileCodeOf(ctx, card) == pileIndex + 1;
}

// Grand Duchess, Parisienne: once the stock has run out, the reserve cards dealt face down
// turn face up, and the reserve piles' top cards may be played.
// Grand Duchess, Parisienne: every face-up card of a reserve may be played, from anywhere in
// the pile; before the stock runs out the reserve lies face down.
bool ReserveCardFaceUp(const GameContext& ctx, PileRef pile, int position) {
    return IsFaceUp(ctx, PileCardAt(ctx.table.Pile(pile), position));
}

// Heads and Tails: the reserve pile that fills a space of tableau pile `pileIndex`: the one
// in line with it, else the nearest to its left that holds cards, else the nearest to its
// right; -1 when every reserve pile is empty.
int ReserveInLine(const GameContext& ctx, int pileIndex) {
    const int reserves = ReserveCount(ctx);
    if (reserves == 0) return -1;
    const int column = pileIndex % reserves;
    for (int r = column; r >= 0; --r)
        if (CardsIn(ctx, PileGroupId::Appogg, r) > 0) return r;
    for (int r = column + 1; r < reserves; ++r)
        if (CardsIn(ctx, PileGroupId::Appogg, r) > 0) return r;
    return -1;
}

// Heads and Tails: after every move each empty tableau pile takes, face up, the top card of
// the reserve pile in line with it.
void FillSpacesFromReserveInLine(GameContext& ctx, int /*card*/, PileRef /*pile*/) {
    for (int i = 0; i < TableauCount(ctx); ++i) {
        if (CardsIn(ctx, PileGroupId::Fila, i) > 0) continue;
        const int r = ReserveInLine(ctx, i);
        if (r < 0) return;
        FlyTopCard(ctx, {PileGroupId::Appogg, r}, {PileGroupId::Fila, i});
    }
}

void TurnUpReserveWhenStockIsOut(GameContext& ctx, int /*card*/, PileRef /*pile*/) {
    if (CardsIn(ctx, PileGroupId::Stock, kMazzo) > 0) return;
    for (int r = 0; r < ReserveCount(ctx); ++r) {
        const PileRef reserve{PileGroupId::Appogg, r};
        const std::string& pile = ctx.table.Pile(reserve);
        bool turned = false;
        for (int k = 0; k < PileCardCount(pile); ++k) {
            const int c = PileCardAt(pile, k);
            if (IsFaceUp(ctx, c)) continue;
            fnSetCardFace(ctx, c, '1');
            turned = true;
        }
        if (turned) ctx.host.RedrawPile(reserve);
    }
}

// Three Shuffles and a Draw: in the last deal the player may draw one buried card; once
// drawn, the game counts one pass more than its deals, so the draw is not open again.
bool DrawOpenInTheLastDeal(const GameContext& ctx) {
    return ctx.play.passNumber == ctx.Param(param::kPasses);
}

std::array<FamilyRules, kFamilies> BuildFamilyTable() {
    std::array<FamilyRules, kFamilies> table{};
    // The families whose selection clicks reach the piles beside the tableau.
    for (const int f : {8, 16, 20, 21, 22, 23, 41, 45, 47, 48})
        table[static_cast<std::size_t>(f)].selectsFrom = SelectsFromAnyPileButStock;
    // Family 3: two cards adding up to 14 leave the table; a card that makes no pair with
    // the one selected is refused; lost when no two free cards make a pair (127 Fourteen Out).
    table[family::kFourteens].selectionComplete = PairAddsUpToFourteen;
    table[family::kFourteens].selectionLimit = 2;
    table[family::kFourteens].selectionMayJoin = MayJoinPairAddingUpToFourteen;
    table[family::kFourteens].lostTest = NoPairAddingUpToFourteenLeft;
    table[family::kFourteens].complete = true;
    // Family 4: two cards adding up to 13 leave the table, a King alone; the waste and a
    // face-up stock take part; the pyramid's cards lie free when both cards on them are gone;
    // lost when nothing free leaves and the stock brings no more (159 Pyramid, 78 Thirteens,
    // 79 Baroness, 77 Giza).
    table[family::kPyramid].selectionComplete = PairAddsUpToThirteen;
    table[family::kPyramid].selectionLimit = 2;
    table[family::kPyramid].selectsFrom = SelectsFromPyramidPiles;
    table[family::kPyramid].gridFree = PyramidCardFree;
    table[family::kPyramid].selectionMayJoin = MayJoinPairAddingUpToThirteen;
    table[family::kPyramid].lostTest = NoPairAddingUpToThirteenLeft;
    table[family::kPyramid].complete = true;
    // Family 16: two cards of one rank leave the table, from any pile but the stock; lost
    // when no two free cards share a rank and the stock brings no more (209 Simple Pairs, 72
    // Nestor, 73 Isabel, 244 Wish).
    table[family::kPairsOfRank].selectionComplete = PairOfOneRank;
    table[family::kPairsOfRank].selectionLimit = 2;
    table[family::kPairsOfRank].selectionMayJoin = MayJoinPairOfOneRank;
    table[family::kPairsOfRank].lostTest = NoPairOfOneRankLeft;
    table[family::kPairsOfRank].complete = true;
    // Family 22: the stock deals into one row; one card or two side by side between two
    // cards of one suit or rank leave it; won when the stock is dealt and four cards at most
    // are left, lost when nothing more leaves (75 Royal Marriage).
    table[family::kRoyalMarriage].selectionComplete = SelectionBetweenAMatch;
    table[family::kRoyalMarriage].selectionMayJoin = MayJoinBetweenAMatch;
    table[family::kRoyalMarriage].selectionLimit = 2;
    table[family::kRoyalMarriage].wonTest = RoyalMarriageWon;
    table[family::kRoyalMarriage].lostTest = NothingBetweenAMatch;
    table[family::kRoyalMarriage].complete = true;
    // Family 2: a clicked top card goes to the discard pile one rank from its top card; won
    // when the tableau is cleared (85 Golf, 86 Putt Putt).
    table[family::kGolf].discardAllowed = OneRankFromDiscardTop;
    table[family::kGolf].wonTest = TableauCleared;
    table[family::kGolf].complete = true;
    // Family 12: a clicked top card goes to the discard pile while a higher card of its suit
    // shows on another pile; any top card may be dragged into a space; won with the four
    // Aces left alone (207 Aces Up).
    table[family::kAcesUp].discardAllowed = HigherOfSuitShowing;
    table[family::kAcesUp].dragsToSpaces = true;
    table[family::kAcesUp].wonTest = OnlyAcesLeft;
    table[family::kAcesUp].complete = true;
    // Family 15: Golf's discard over three peaks; a card is free when both cards on it are
    // gone, and turns face up then; won when the peaks are cleared (87 Tri Peaks).
    table[family::kTriPeaks].discardAllowed = OneRankFromDiscardTop;
    table[family::kTriPeaks].gridFree = PeakCardFree;
    table[family::kTriPeaks].afterMove = TurnUpFreedPeakCards;
    table[family::kTriPeaks].wonTest = TableauCleared;
    table[family::kTriPeaks].complete = true;
    // Family 60 (our own): the stock is turned card by card while the ranks are counted, a
    // card that meets its count goes to the discard pile; lost when the waste is turned over
    // and the pass to come can bring no hit (171 Hit or Miss).
    table[family::kHitOrMiss].countsDeals = true;
    table[family::kHitOrMiss].afterMove = DiscardAHit;
    table[family::kHitOrMiss].lostTest = NoHitToCome;
    table[family::kHitOrMiss].complete = true;
    // Family 32: gap rows from a Two; a gap takes the card above its left neighbour in suit;
    // won when every row runs Two to King (234 Gaps). Its score is the common table's.
    table[family::kGaps].gapTakes = gap_rows::NextAboveLeftFromTwo;
    table[family::kGaps].wonTest = gap_rows::RowsBuiltInSuit;
    table[family::kGaps].complete = true;
    // Family 46: gap rows from an Ace by the tableau's own rule: rows that stop are built as
    // in Gaps, rows that run on take from both neighbours (235 Blue Moon, 236 Red Moon, 238
    // Maze).
    table[family::kGapRowsByRule].gapTakes = gap_rows::ByTheRowRule;
    table[family::kGapRowsByRule].gapRowFirstRank = 1;
    table[family::kGapRowsByRule].wonTest = gap_rows::WonByTheRowRule;
    table[family::kGapRowsByRule].score = gap_rows::ScoreByTheRowRule;
    table[family::kGapRowsByRule].complete = true;
    // Family 76 (our own): the stock deals into the next place of a row; three or more cards
    // side by side adding up to 10, 20 or 30 (court cards ten) leave it, and the row closes
    // up; lost when the stock can deal no more and no run adds up (63 Decade).
    table[family::kDecade].stockClickMove = "Add_Tableau_Next";
    table[family::kDecade].selectionMayJoin = row_games::JoinsTheRun;
    table[family::kDecade].selectionComplete = row_games::RunOfTens;
    table[family::kDecade].afterSelectionRemoved = fnCloseUpTableau;
    table[family::kDecade].lostTest = row_games::NoRunLeft;
    table[family::kDecade].complete = true;
    // Family 77 (our own): the stock deals into the next place of a row; a pile goes whole onto
    // the pile one or three places to its left whose top card has its top card's suit or rank,
    // and the row closes up; won when the stock is dealt and one pile holds every card (50
    // Accordion).
    table[family::kAccordion].stockClickMove = "Add_Tableau_Next";
    table[family::kAccordion].liftsWholePile = true;
    table[family::kAccordion].tableauDrop = row_games::OntoFirstOrThirdLeftMatching;
    table[family::kAccordion].afterMove = row_games::CloseUpBehind;
    table[family::kAccordion].wonTest = row_games::OnePileLeft;
    table[family::kAccordion].lostTest = row_games::NoPileMoves;
    table[family::kAccordion].complete = true;
    // Family 79 (our own): each stock click deals a row under the others, one card to each
    // column; a card is free in the first or the last row or beside a gap above or below it,
    // and leaves a gap when it goes to a foundation (68 Labyrinth).
    table[family::kLabyrinth].tableauCardFree = row_games::FirstOrLastRowOrByAGap;
    table[family::kLabyrinth].complete = true;
    // Family 67 (our own): rows of places whose row's base (Two, Three, Four) is built up in
    // suit by threes; a lone card goes onto a base it continues, into an empty place, or, as
    // the row's base, changes places with a place's lone card; the stock deals onto columns,
    // Aces go to the discard pile; won when every place is built, lost when the stock is
    // dealt and no lone card goes anywhere to any purpose (193 Royal Parade).
    table[family::kRoyalParade].tableauDrop = royal_parade::TakesCard;
    table[family::kRoyalParade].tableauTopLifts = royal_parade::PlaceCardLifts;
    table[family::kRoyalParade].dropExchanges = royal_parade::Exchanges;
    table[family::kRoyalParade].afterDeal = royal_parade::DiscardAces;
    table[family::kRoyalParade].afterMove = royal_parade::DiscardAcesAfterMove;
    table[family::kRoyalParade].wonTest = royal_parade::EveryPlaceBuilt;
    table[family::kRoyalParade].lostTest = royal_parade::NoMoveLeft;
    table[family::kRoyalParade].score = royal_parade::CardsBuiltScore;
    table[family::kRoyalParade].complete = true;
    // Family 66 (our own): the tableau's rows make a quilt of cards upright and sideways in
    // turn; a card is free when a narrow end of it lies by a gap or the quilt's edge, and it
    // leaves a gap when it goes (192 Crazy Quilt).
    table[family::kQuilt].tableauCardFree = quilt::FreeAtANarrowEnd;
    table[family::kQuilt].complete = true;
    // Family 40: a card goes under the pile of its rank, which turns up its next card; won
    // when every card lies face up at home; the lost test and the score are the common
    // engine's (165 Clock).
    table[family::kClock].afterMove = after_move::TurnClockPile;
    table[family::kClock].afterDeal = after_move::TurnClockCentre;
    table[family::kClock].turnsCardsItself = true;
    table[family::kClock].wonTest = after_move::ClockCardsAllHome;
    table[family::kClock].complete = true;
    // Family 29: four cards of one rank on top of a tableau pile go to the discard pile
    // (88 Perpetual Motion, 76 Beehive).
    table[family::kFourOfAKind].afterMove = after_move::DiscardFourOfAKind;
    table[family::kFourOfAKind].complete = true;
    // Family 30: a Jack or King goes up beside its free partner (method 62), which follows
    // it to the foundation four places before it (178 Queen's Audience).
    table[family::kQueensAudience].afterMove = after_move::BringPartnerHome;
    table[family::kQueensAudience].complete = true;
    // Family 10: the foundations of the step games build by the methods 14 to 16 of the
    // common rules; the family adds the labels over foundations 1 to 4 that name the rank
    // each needs next, drawn by the table (212 Calculation, 213 Betsy Ross).
    table[family::kStepLabels].complete = true;
    // Family 50: foundations 9 to 16 build by the rank of the indicators over them (method
    // 113 of the common rules, the deal's wrangler start); the family adds the labels over
    // them that name the rank each needs next, drawn by the table (214 Senior Wrangler).
    table[family::kIndicatorLabels].complete = true;
    // Family 61 (our own): won when the stock is empty, the spaces filled from it having
    // brought every card into the tableau (69 Trusty Twelve).
    table[family::kStockIntoTableau].wonTest = StockDealtOut;
    table[family::kStockIntoTableau].complete = true;
    // Family 62 (our own): a card of tableau pile i goes only to foundation i, a Queen to any
    // foundation (245 Amazons).
    table[family::kFoundationAbovePile].extraFoundationDrop = FoundationOverItsPile;
    table[family::kFoundationAbovePile].complete = true;
    // Family 63 (our own): the reserve dealt face down turns face up when the stock runs out
    // (198 Grand Duchess, 199 Parisienne).
    table[family::kReserveUpWhenStockOut].afterMove = TurnUpReserveWhenStockIsOut;
    table[family::kReserveUpWhenStockOut].reserveCardFree = ReserveCardFaceUp;
    table[family::kReserveUpWhenStockOut].complete = true;
    // Family 64 (our own): a space of tableau pile i is filled at once from the reserve pile
    // in line with it (i modulo the reserve count), else the nearest to its left, else to its
    // right; the reserve cards are never played otherwise (191 Heads and Tails).
    table[family::kRefillFromReserveInLine].afterMove = FillSpacesFromReserveInLine;
    table[family::kRefillFromReserveInLine].complete = true;
    // Family 65 (our own): after the last redeal one card from under others of a fan may be
    // drawn and played, once (144 Three Shuffles and a Draw).
    table[family::kDrawAfterLastShuffle].drawOpen = DrawOpenInTheLastDeal;
    table[family::kDrawAfterLastShuffle].complete = true;
    // Family 8: touching pairs of one rank leave the grid, which closes up; the stock fills
    // its empty places; lost when nothing touches and no card can come (70 Monte Carlo, 71
    // Monte Carlo (two decks)). Our own family: the same with pairs adding up to 13 and Kings
    // alone (80 Neighbour).
    for (const int f : {family::kMonteCarlo, family::kNeighbour}) {
        FamilyRules& grid = table[static_cast<std::size_t>(f)];
        grid.selectionLimit = 2;
        grid.afterSelectionRemoved = fnCloseUpTableau;
        grid.stockClickMove = "Stock_To_Pile_Monte_Carlo";
        grid.complete = true;
    }
    table[family::kMonteCarlo].selectionComplete = TouchingPairOfOneRank;
    table[family::kMonteCarlo].selectionMayJoin = MayJoinTouchingPairOfOneRank;
    table[family::kMonteCarlo].lostTest = NoTouchingPairOfOneRankLeft;
    table[family::kNeighbour].selectionComplete = TouchingPairOfThirteen;
    table[family::kNeighbour].selectionMayJoin = MayJoinTouchingPairOfThirteen;
    table[family::kNeighbour].lostTest = NothingAddingUpToThirteenLeft;
    // The adding games: the selected cards leave the table once they make a set of the
    // family; a card that can make none with them is refused; lost when cards are left and
    // none of the cards a click may select make a set.
    const auto adding = [&table](int f, int limit, bool (*set)(const GameContext&),
                                 bool (*mayJoin)(const GameContext&, int),
                                 bool (*noSetLeft)(const GameContext&)) {
        FamilyRules& rules = table[static_cast<std::size_t>(f)];
        rules.selectionLimit = limit;
        rules.selectionComplete = set;
        rules.selectionMayJoin = mayJoin;
        rules.lostTest = noSetLeft;
        rules.complete = true;
    };
    // Family 20: two cards adding up to 10, or two Tens, Jacks, Queens or Kings (5 Block Ten).
    adding(family::kBlockTen, 2, PairOfTenOrTwoCourts, MayJoinPairOfTenOrTwoCourts,
           NoPairOfTenOrTwoCourtsLeft);
    // Our own: two adding up to 11, two Jacks, or a Queen and a King (81 Gay Gordons).
    adding(family::kGayGordons, 2, PairOfElevenOrCourts, MayJoinPairOfElevenOrCourts,
           NoPairOfElevenOrCourtsLeft);
    table[family::kGayGordons].selectsFrom = SelectsFromAnyPileButStock;
    // Our own: two adding up to 11, or a Jack, a Queen and a King (8 Elevens).
    adding(family::kElevens, 3, ElevenOrJackQueenKing, MayJoinElevenOrJackQueenKing,
           NoElevenOrJackQueenKingLeft);
    // Our own: two adding up to 10, or four Tens, Jacks, Queens or Kings (84 Tens).
    adding(family::kTens, 4, TenOrFourOfAKind, MayJoinTenOrFourOfAKind,
           NoTenOrFourOfAKindLeft);
    // Our own: cards from Ace to Nine adding up to 15, or four Tens, Jacks, Queens or Kings
    // (82 Fifteens).
    adding(family::kFifteens, 0, FifteenOrFourOfAKind, MayJoinFifteenOrFourOfAKind,
           NoFifteenOrFourOfAKindLeft);
    // Our own: a court card with three of different ranks adding up to 18, an Ace alone (83
    // Eighteens).
    adding(family::kEighteens, 4, EighteenWithACourt, MayJoinEighteenWithACourt,
           NoEighteenWithACourtLeft);
    // The memory games: a click turns a face-down card, two cards turned are a try, and a
    // pair leaves for the discard pile; won when every card is paired; the score counts
    // pairs and tries (205 Double Concentration; 201 Concentration, 204 Pelmanism; 195
    // Memory 24, 202 Memory 40, 249 Memory 12).
    for (const int f : {family::kMemoryFifteens, family::kMemoryTens, family::kMemorySevens}) {
        FamilyRules& memory = table[static_cast<std::size_t>(f)];
        memory.cardClick = TurnMemoryCard;
        memory.wonTest = MemoryCleared;
        memory.showResult = ShowMemoryResult;
        memory.complete = true;
    }
    table[family::kMemoryFifteens].score = MemoryScore36;
    table[family::kMemoryTens].score = MemoryScore37;
    table[family::kMemorySevens].score = MemoryScore39;
    // Family 43: cards go onto higher cards or into an empty pile; won when one pile holds
    // the nine cards from the Nine up to the Ace, which scores 225 (247 Tower of Hanoy).
    table[family::kTower].wonTest = TowerBuilt;
    table[family::kTower].complete = true;
    // Family 44: a card next to the gap slides into it; won, with 150 points, when the cards
    // lie in order with the gap last, tested at the deal too (243 Fifteen Puzzle, 248 Eight
    // Puzzle).
    table[family::kSlidingPuzzle].wonTest = PuzzleInOrder;
    table[family::kSlidingPuzzle].score = PuzzleScore;
    table[family::kSlidingPuzzle].complete = true;
    // Family 9: each card turned goes into a place of the 5 x 5 grid; the rows and columns
    // are scored as poker hands, each line the card completes shown in turn; the game ends
    // when the grid is full, won at the score of `score.to-win` (241 Poker Squares).
    table[family::kPokerGrid].afterMove = ShowPokerLines;
    table[family::kPokerGrid].score = PokerGridTotal;
    table[family::kPokerGrid].wonTest = ScoredGridFull;
    table[family::kPokerGrid].complete = true;
    // Family 78 (our own): the same over a 4 x 4 grid, the lines scored as cribbage hands with
    // the starter on the discard pile (242 Cribbage Square).
    table[family::kCribbageSquare].afterMove = ShowCribbageLines;
    table[family::kCribbageSquare].score = CribbageGridTotal;
    table[family::kCribbageSquare].wonTest = ScoredGridFull;
    table[family::kCribbageSquare].complete = true;
    return table;
}

} // namespace

int FlyTopCard(GameContext& ctx, PileRef from, PileRef to) {
    std::string& cards = ctx.table.Pile(from);
    if (cards.empty()) return 0;
    const int card = PileTopCard(cards);
    cards.erase(cards.size() - 3);
    fnPutCard(ctx, to, card, '1');
    ctx.host.RedrawPile(from);
    ctx.host.FlyCard(card, from, to);
    ctx.host.RedrawPile(to);
    return card;
}

bool FamilyImplemented(int family) {
    return family <= 0 || FamilyRulesFor(family).complete;
}

const FamilyRules& FamilyRulesFor(int family) {
    static const std::array<FamilyRules, kFamilies> table = BuildFamilyTable();
    static const FamilyRules none{};
    if (family < 0 || family >= kFamilies) return none;
    return table[static_cast<std::size_t>(family)];
}

const FamilyRules& CurrentFamilyRules(const GameContext& ctx) {
    return FamilyRulesFor(ctx.Param(param::kFamily));
}

// The cycle-counter games (family 23) bring their own foundation rule; until it is supplied
// their tableau cards stay off the foundations.
bool FamilyFoundationCheck(const GameContext& /*ctx*/, int /*card*/, int /*pileIndex*/) {
    return false;
}

bool WasteCycleCheck(const GameContext& ctx, int /*card*/, int pileIndex, int argument) {
    const int waste = CardsIn(ctx, PileGroupId::Stock, kMazzoVis);
    if (argument == 1) {
        const int turn = ((ctx.Param(372) - waste) % 12 + 12) % 12;
        return pileIndex == turn;
    }
    // The waste card goes to the pile after the fullest one (the last of equally full piles).
    const int piles = TableauCount(ctx);
    if (piles == 0) return false;
    int fullest = 0;
    for (int i = 0; i < piles; ++i)
        if (CardsIn(ctx, PileGroupId::Fila, i) >= CardsIn(ctx, PileGroupId::Fila, fullest))
            fullest = i;
    return pileIndex == (fullest + 1) % piles;
}

bool FoundationRankSetCheck(const GameContext& ctx, int card, int pileIndex) {
    if (pileIndex < 0 || pileIndex >= kDestPiles) return false;
    const std::string& pile = ctx.table.Pile({PileGroupId::Dest, pileIndex});
    if (PileCardCount(pile) > 0) {
        if (fnSuit(PileCardAt(pile, 0)) != fnSuit(card)) return false;
    } else if (fnRank(card) != ctx.Param(param::kFoundationBase + pileIndex)) {
        return false;
    }
    if (pileIndex == 0) return true;
    const std::string& left = ctx.table.Pile({PileGroupId::Dest, pileIndex - 1});
    for (int i = 0; i < PileCardCount(left); ++i)
        if (fnRank(PileCardAt(left, i)) == fnRank(card)) return true;
    return false;
}

bool RowCheck(const GameContext& ctx, int card, int pileIndex, int rank) {
    if (pileIndex < 0 || pileIndex >= kFilaPiles) return false;
    if (pile_code::IsTableau(fnPileCodeOf(ctx, card))) return false;
    const int piles = TableauCount(ctx);
    const auto holds = [&](int i) {
        return i >= 0 && i < piles && CardsIn(ctx, PileGroupId::Fila, i) > 0;
    };
    if (fnRank(card) == rank) {
        for (int i = 0; i < piles; ++i)
            if (!holds(i)) return i == pileIndex;
        return false;
    }
    if (!holds(pileIndex)) return false;
    if (pileIndex == 0) return !holds(1);
    return holds(pileIndex - 1) && (pileIndex == 7 || !holds(pileIndex + 1));
}

bool FoundationColourPairsCheck(const GameContext& ctx, int card, int pileIndex) {
    if (pileIndex < 0 || pileIndex > 3) return false;
    const auto topOf = [&](int f) { return TopOf(ctx, PileGroupId::Dest, f); };
    const int ownFirst = pileIndex <= 1 ? 0 : 2;
    const int otherFirst = 2 - ownFirst;
    const int ownTop = topOf(ownFirst) != 0 ? topOf(ownFirst) : topOf(ownFirst + 1);
    if (ownTop != 0 && fnIsRed(ownTop) != fnIsRed(card)) return false;
    for (int f = otherFirst; f < otherFirst + 2; ++f)
        if (topOf(f) != 0 && fnIsRed(topOf(f)) == fnIsRed(card)) return false;
    for (int f = 0; f < 4; ++f)
        if (topOf(f) != 0 && fnSuit(topOf(f)) == fnSuit(card)) return false;
    return fnRank(card) == (pileIndex <= 1 ? 1 : 13);
}

bool JackKingFoundationCheck(const GameContext& ctx, int card, int top, int pileIndex) {
    const int rank = fnRank(card);
    if (rank == 1 || rank == 12) return false;
    if (rank != 11 && rank != 13)
        return top >= 1 && fnSuit(top) == fnSuit(card) && fnRank(top) == rank + 1;
    if (top >= 1 || pileIndex < 0 || pileIndex >= kDestPiles) return false;
    if (rank != ctx.Param(param::kFoundationBase + pileIndex)) return false;
    // The partner (the Ace for a Jack, the Queen for a King) must lie free.
    const int partnerRank = rank == 11 ? 1 : 12;
    const auto isPartner = [&](int c) {
        return c != 0 && fnSuit(c) == fnSuit(card) && fnRank(c) == partnerRank;
    };
    if (isPartner(TopOf(ctx, PileGroupId::Stock, kMazzoVis))) return true;
    for (int i = 0; i < TableauCount(ctx); ++i)
        if (isPartner(TopOf(ctx, PileGroupId::Fila, i))) return true;
    return false;
}

bool EmptyTableauFromOutsideCheck(const GameContext& ctx, int card, int top, int /*pileIndex*/) {
    return top < 1 && !pile_code::IsTableau(fnPileCodeOf(ctx, card));
}

// A grid card moves when its family's grid says it lies free; a family without a grid of
// its own keeps its grid cards in place.
bool GridCheck(const GameContext& ctx, int card, int pileIndex) {
    const auto free = CurrentFamilyRules(ctx).gridFree;
    if (free == nullptr || card < 1) return false;
    return PileTopCard(ctx.table.Pile({PileGroupId::Fila, pileIndex})) == card &&
           free(ctx, pileIndex);
}

// A reserve card lies free when its family's reserve rule says so; a family without a
// reserve rule of its own keeps the cards of such reserves in place.
bool ReservePickUpCheck(const GameContext& ctx, PileRef pile, int position) {
    const auto free = CurrentFamilyRules(ctx).reserveCardFree;
    const std::string& cards = ctx.table.Pile(pile);
    if (free == nullptr || position < 0 || position >= PileCardCount(cards)) return false;
    return free(ctx, pile, position);
}

} // namespace quendra
