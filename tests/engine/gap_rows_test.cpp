#include "deal_cards.h"
#include "families.h"
#include "families_gaps.h"
#include "game_params.h"
#include "play_fixture.h"
#include "stock.h"

namespace quendra::test {
namespace {

constexpr int kGap = 0;

// Two rows of four places, no foundations, the empty stock redealing the rows.
class GapRowsTest : public PlayTest {
  protected:
    GapRowsTest() {
        Set(param::kFamily, family::kGaps);
        Set(param::kFoundationCount, 0);
        Set(param::kTableauCount, 2);
        Set(param::kWastePlaced, 0);
        Set(param::kRedealFromWaste, redeal::kGapRows);
        Set(param::kPasses, 3);
    }
    bool Fill(int fromRow, int position, int row, int place) {
        return PlayGapFill(ctx, {pile::Fila(fromRow - 1), position, pile::Fila(row - 1), place});
    }
    bool Takes(int card, int row, int place) {
        return CurrentFamilyRules(ctx).gapTakes(ctx, card, row - 1, place);
    }
};

TEST_F(GapRowsTest, AGapTakesTheCardAboveItsLeftNeighbourInSuitAndATwoFirst) {
    Fila(1) = Cards({kGap, H(5), kGap, C(13)});
    Fila(2) = Cards({H(6), S(2), D(6), kGap});
    EXPECT_TRUE(Takes(H(6), 1, 2));
    EXPECT_FALSE(Takes(D(6), 1, 2)); // another suit
    EXPECT_FALSE(Takes(H(7), 1, 2));
    EXPECT_TRUE(Takes(S(2), 1, 0));
    EXPECT_FALSE(Takes(H(5), 1, 0));
    EXPECT_TRUE(Takes(D(7), 2, 3));
    EXPECT_FALSE(Takes(H(7), 2, 3));
    Fila(2) = Cards({H(6), S(2), C(13), kGap});
    for (int card = 1; card <= 52; ++card)
        EXPECT_FALSE(Takes(card, 2, 3)); // nothing follows a King
    // Filling a gap leaves one where the card lay, in one undo step; a card into a place that
    // is no gap, or that the rule refuses, changes nothing.
    EXPECT_FALSE(Fill(2, 1, 1, 1));
    EXPECT_FALSE(Fill(2, 0, 1, 0));
    EXPECT_TRUE(Fill(2, 0, 1, 2));
    EXPECT_EQ(Fila(1), Cards({kGap, H(5), H(6), C(13)}));
    EXPECT_EQ(Fila(2), Cards({kGap, S(2), C(13), kGap}));
    EXPECT_EQ(UndoSteps(), 1);
}

TEST_F(GapRowsTest, RowsRunningTwoToKingWinAndTheRedealKeepsTheRunsInPlace) {
    std::string hearts, spades;
    for (int rank = 2; rank <= 13; ++rank) {
        hearts += CardCode(H(rank));
        spades += CardCode(S(rank));
    }
    Fila(1) = hearts + CardCode(kGap);
    Fila(2) = spades + CardCode(kGap);
    EXPECT_TRUE(CurrentFamilyRules(ctx).wonTest(ctx));
    // The two Sevens change places: both runs stop at the Six.
    const std::string seven = Fila(1).substr(3 * 5, 3);
    Fila(1).replace(3 * 5, 3, Fila(2).substr(3 * 5, 3));
    Fila(2).replace(3 * 5, 3, seven);
    EXPECT_FALSE(CurrentFamilyRules(ctx).wonTest(ctx));
    // A redeal keeps Two to Six of each row, puts a gap after them and deals the rest back
    // into the same 13 places a row.
    ASSERT_TRUE(fnRedeal(ctx));
    EXPECT_EQ(Fila(1).substr(0, 18), hearts.substr(0, 15) + CardCode(kGap));
    EXPECT_EQ(Fila(2).substr(0, 18), spades.substr(0, 15) + CardCode(kGap));
    EXPECT_EQ(PileCardCount(Fila(1)), 13);
    EXPECT_EQ(PileCardCount(Fila(2)), 13);
    EXPECT_TRUE(Stock().empty());
}

TEST_F(GapRowsTest, RowsFromAnAceKeepTheirWidthThroughTheRedeal) {
    Set(param::kFamily, family::kGapRowsByRule);
    Fila(1) = Cards({H(1), H(2), kGap, S(3), S(4)});
    Fila(2) = Cards({S(1), kGap, H(3), H(4), S(2)});
    EXPECT_TRUE(Takes(H(3), 1, 2));
    EXPECT_FALSE(Takes(S(3), 1, 2)); // rows that stop take from the left alone
    ASSERT_TRUE(fnRedeal(ctx));
    EXPECT_EQ(Fila(1).substr(0, 9), Cards({H(1), H(2), kGap}));
    EXPECT_EQ(Fila(2).substr(0, 6), Cards({S(1), kGap}));
    EXPECT_EQ(PileCardCount(Fila(1)), 5);
    EXPECT_EQ(PileCardCount(Fila(2)), 5);
}

TEST_F(GapRowsTest, RowsThatRunOnTakeFromBothSidesAndRoundTheEnds) {
    Set(param::kFamily, family::kGapRowsByRule);
    Set(param::kTableauPastStop, 1);
    Set(param::kDealMode, deal_mode::kKingsAsGaps);
    Fila(1) = Cards({kGap, H(5), kGap, D(12)});
    Fila(2) = Cards({kGap, S(8), kGap, C(3)});
    EXPECT_TRUE(Takes(H(6), 1, 2));  // one above the left neighbour
    EXPECT_TRUE(Takes(D(11), 1, 2)); // one below the right neighbour
    EXPECT_FALSE(Takes(S(7), 1, 2));
    EXPECT_TRUE(Takes(H(4), 1, 0));
    EXPECT_TRUE(Takes(C(4), 1, 0)); // the last place runs on into the first
    EXPECT_TRUE(Takes(S(1), 2, 0)); // after the Queen at the end of row 1, an Ace of a new suit
    EXPECT_FALSE(Takes(D(1), 2, 0));
    EXPECT_TRUE(Takes(S(9), 2, 2));
    EXPECT_TRUE(Takes(C(2), 2, 2));
    EXPECT_FALSE(Takes(C(4), 2, 2));
}

} // namespace
} // namespace quendra::test
