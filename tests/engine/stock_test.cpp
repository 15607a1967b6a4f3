#include "moves.h"
#include "play_fixture.h"
#include "stock.h"
#include "undo_commands.h"

#include <algorithm>

namespace quendra::test {
namespace {

class StockTest : public PlayTest {
  protected:
    // A full click: press and release on the stock.
    void Click() {
        fnStockClick(ctx, StockClickPhase::Press);
        fnStockClick(ctx, StockClickPhase::Release);
    }
};

TEST_F(StockTest, DealsToTheWasteFaceUpAndTurnsOverInTheFirstOrder) {
    Stock() = Cards({C(3), C(2), C(1)});
    for (int card : {C(1), C(2), C(3)})
        FaceDown(card);
    Click();
    EXPECT_EQ(Waste(), Cards({C(1)}));
    EXPECT_EQ(Face(C(1)), '1');
    EXPECT_EQ(host.sounds.back(), "Stock");
    Click();
    Click();
    ASSERT_TRUE(Stock().empty());
    Click();
    EXPECT_EQ(Stock(), Cards({C(3), C(2), C(1)}));
    EXPECT_EQ(Face(C(1)), '0');
    EXPECT_EQ(ctx.play.passNumber, 2);
    Click();
    EXPECT_EQ(Waste(), Cards({C(1)}));
}

TEST_F(StockTest, ThreePassesAllowTwoTurnOvers) {
    Set(15, 3);
    Stock() = Cards({C(2), C(1)});
    for (int pass = 0; pass < 3; ++pass) {
        Click();
        Click();
        ASSERT_TRUE(Stock().empty());
        Click(); // the turn-over, refused the third time
    }
    EXPECT_TRUE(Stock().empty());
    EXPECT_EQ(Waste(), Cards({C(1), C(2)}));
    EXPECT_EQ(ctx.play.passNumber, 3);
}

TEST_F(StockTest, UnlimitedPassesNeedTwoWasteCards) {
    Stock() = Cards({C(1)});
    Click();
    Click();
    EXPECT_EQ(Waste(), Cards({C(1)}));
    EXPECT_EQ(ctx.play.passNumber, 1);
    Waste() = Cards({C(1), C(2)});
    for (int i = 0; i < 5; ++i) {
        Click(); // turn over
        Click();
        Click();
    }
    EXPECT_EQ(ctx.play.passNumber, 6);
}

TEST_F(StockTest, ThreeAClickWithTwoLeftDealsTwo) {
    Set(22, 3);
    Stock() = Cards({C(2), C(1)});
    Click();
    EXPECT_EQ(Waste(), Cards({C(1), C(2)}));
    EXPECT_EQ(UndoSteps(), 1);
}

TEST_F(StockTest, PressOnAnEmptyStockArmsAndLeavingDropsIt) {
    Waste() = Cards({C(1), C(2)});
    fnStockClick(ctx, StockClickPhase::Press);
    EXPECT_TRUE(ctx.play.stockPending);
    EXPECT_TRUE(Stock().empty());
    fnStockClick(ctx, StockClickPhase::Leave);
    fnStockClick(ctx, StockClickPhase::Release);
    EXPECT_FALSE(ctx.play.stockPending);
    EXPECT_TRUE(Stock().empty());
    EXPECT_EQ(host.stockPressed, (std::vector<bool>{true, false}));
}

TEST_F(StockTest, DealToTheDiscardPile) {
    Set(10, 0);
    Set(363, 1);
    Stock() = Cards({C(1), C(2)});
    Click();
    EXPECT_EQ(Discard(), Cards({C(2)}));
}

class DealOntoPilesTest : public StockTest {
  protected:
    DealOntoPilesTest() {
        Set(10, 0);
        Set(367, 10);
    }
};

TEST_F(DealOntoPilesTest, OneUndoTakesBackACardOnEachOfTenPiles) {
    for (int p = 1; p <= 10; ++p) {
        Set(290 + p, 1);
        Fila(p) = Cards({D(p)});
    }
    for (int rank = 1; rank <= 12; ++rank)
        Stock() += CardCode(S(rank));
    const auto before = BuildTableSnapshot(ctx);
    Click();
    EXPECT_EQ(PileCardCount(Stock()), 2);
    for (int p = 1; p <= 10; ++p)
        EXPECT_EQ(PileCardCount(Fila(p)), 2) << p;
    EXPECT_EQ(PileTopCard(Fila(1)), S(12));
    EXPECT_EQ(UndoSteps(), 1);
    ASSERT_TRUE(Undo(ctx));
    EXPECT_EQ(BuildTableSnapshot(ctx), before);
}

TEST_F(DealOntoPilesTest, FlagsDecideFaceAndWhichPilesGetACard) {
    Set(291, 1);
    Set(292, 6); // face down
    Set(293, 7); // only onto cards
    Set(294, 0);
    Stock() = Cards({S(1), S(2), S(3), S(4), S(5)});
    ASSERT_TRUE(fnDoMove(ctx, 0, "Add_Tableaus"));
    EXPECT_EQ(Fila(1), Cards({S(5)}));
    EXPECT_EQ(Fila(2), Cards({S(4)}));
    EXPECT_EQ(Face(S(4)), '0');
    EXPECT_TRUE(Fila(3).empty());
    EXPECT_TRUE(Fila(4).empty());
    EXPECT_TRUE(fnDoMove(ctx, 0, "Add_Tableau_04"));
    EXPECT_EQ(Fila(4), Cards({S(3)}));
    Stock().clear();
    EXPECT_FALSE(fnDoMove(ctx, 0, "Add_Tableaus"));
}

TEST_F(DealOntoPilesTest, PilesThatTakeCardsOnlyOnCardsDealAtAClickAndSkipTheGaps) {
    for (int p = 1; p <= 10; ++p)
        Set(290 + p, 7);
    for (int p = 1; p <= 9; ++p)
        Fila(p) = Cards({D(p)});
    for (int rank = 1; rank <= 12; ++rank)
        Stock() += CardCode(S(rank));
    Click();
    EXPECT_EQ(PileCardCount(Stock()), 3);
    EXPECT_EQ(PileCardCount(Fila(1)), 2);
    EXPECT_TRUE(Fila(10).empty());
}

TEST_F(DealOntoPilesTest, GapsMustBeFilledBeforeDealing) {
    for (int p = 1; p <= 10; ++p)
        Set(290 + p, 2);
    for (int p = 1; p <= 9; ++p)
        Fila(p) = Cards({D(p)});
    Stock() = Cards({S(1), S(2)});
    Click();
    EXPECT_EQ(host.informations,
              std::vector<std::string>{"Fill in any gaps in the tableau before dealing."});
    EXPECT_EQ(PileCardCount(Stock()), 2);
}

TEST_F(DealOntoPilesTest, ReserveDealsCountAndUndoPutsTheCountBack) {
    Set(368, 2);
    Set(341, 4);
    for (int rank = 1; rank <= 9; ++rank)
        Stock() += CardCode(S(rank));
    Click();
    EXPECT_EQ(ctx.play.dealCount, 1);
    EXPECT_EQ(PileCardCount(Appogg(1)), 3);
    Click();
    EXPECT_EQ(ctx.play.dealCount, 2);
    EXPECT_EQ(PileCardCount(Appogg(2)), 3);
    EXPECT_EQ(UndoSteps(), 2);
    EXPECT_EQ(NewestLogEntry(ctx.undoHistory.undo), "002");
    ASSERT_TRUE(Undo(ctx));
    EXPECT_EQ(ctx.play.dealCount, 1);
    EXPECT_TRUE(Appogg(2).empty());
    ASSERT_TRUE(Redo(ctx));
    EXPECT_EQ(ctx.play.dealCount, 2);
}

class RedealTest : public DealOntoPilesTest {
  protected:
    RedealTest() {
        Set(367, 3);
        Set(15, 3);
    }

    // The cards of the three piles, sorted: what a redeal must keep.
    std::vector<int> SortedTableau() {
        std::vector<int> cards;
        for (int p = 1; p <= 3; ++p)
            for (int k = 0; k < PileCardCount(Fila(p)); ++k)
                cards.push_back(PileCardAt(Fila(p), k));
        std::sort(cards.begin(), cards.end());
        return cards;
    }
};

TEST_F(RedealTest, RotatePilesMovesEachBottomCardToTheTop) {
    Set(16, redeal::kRotatePiles);
    Fila(1) = Cards({H(1), H(2), H(3)});
    Fila(2) = Cards({S(4)});
    Click();
    EXPECT_EQ(Fila(1), Cards({H(2), H(3), H(1)}));
    EXPECT_EQ(Fila(2), Cards({S(4)}));
    EXPECT_EQ(ctx.play.passNumber, 2);
    EXPECT_EQ(NewestLogEntry(ctx.undoHistory.undo), "003");
    ASSERT_TRUE(Undo(ctx));
    EXPECT_EQ(ctx.play.passNumber, 1);
    EXPECT_EQ(Fila(1), Cards({H(1), H(2), H(3)}));
}

TEST_F(RedealTest, GatherToStockLeavesTheLastPilesTopCardOnTopAndUndoLowersPassOnce) {
    Set(16, redeal::kGatherToStock);
    Fila(1) = Cards({H(1), H(2)});
    Fila(3) = Cards({S(1), S(2)});
    Click();
    EXPECT_EQ(Stock(), Cards({H(1), H(2), S(1), S(2)}));
    EXPECT_TRUE(Fila(1).empty());
    EXPECT_EQ(ctx.play.passNumber, 2);
    ASSERT_TRUE(Undo(ctx));
    EXPECT_EQ(ctx.play.passNumber, 1);
}

TEST_F(RedealTest, GatherAndDealSpreadsTheCardsRoundThePiles) {
    Set(16, redeal::kGatherAndDeal);
    Fila(1) = Cards({H(1), H(2), H(3), H(4)});
    Click();
    EXPECT_TRUE(Stock().empty());
    EXPECT_EQ(Fila(1), Cards({H(4), H(1)}));
    EXPECT_EQ(Fila(2), Cards({H(3)}));
    EXPECT_EQ(Fila(3), Cards({H(2)}));
    EXPECT_EQ(UndoSteps(), 1);

    Set(16, redeal::kGatherToWaste);
    Click();
    EXPECT_EQ(PileCardCount(Fila(1)) + PileCardCount(Fila(2)) + PileCardCount(Fila(3)), 4);
    EXPECT_EQ(ctx.play.passNumber, 3);
    Click(); // no redeal left
    EXPECT_EQ(ctx.play.passNumber, 3);
    EXPECT_EQ(UndoSteps(), 2);
}

TEST_F(RedealTest, FansInOrderKeepTheCardsInTheirOrderAndRegroupThemInOpeningPackets) {
    Set(16, redeal::kFansInOrder);
    Set(374, 2); // the first pile's opening deal gives the packet size
    Fila(1) = Cards({H(1), H(2), H(3)});
    Fila(3) = Cards({S(1)});
    FaceDown(H(2));
    Click();
    EXPECT_EQ(Fila(1), Cards({H(1), H(2)}));
    EXPECT_EQ(Fila(2), Cards({H(3), S(1)}));
    EXPECT_TRUE(Fila(3).empty());
    EXPECT_EQ(Face(H(2)), '1');
    EXPECT_EQ(ctx.play.passNumber, 2);
    EXPECT_EQ(NewestLogEntry(ctx.undoHistory.undo), "003");
    ASSERT_TRUE(Undo(ctx));
    EXPECT_EQ(Fila(1), Cards({H(1), H(2), H(3)}));
    EXPECT_EQ(ctx.play.passNumber, 1);
}

TEST_F(RedealTest, ShuffledFansDealOpeningSizedFansAndReplayTheSameForTheSameDealAndPass) {
    Set(16, redeal::kShuffledFans);
    Set(374, 2);
    Fila(1) = Cards({H(1), H(2), H(3)});
    Fila(2) = Cards({H(4)});
    Fila(3) = Cards({S(1), S(2), S(3)});
    const std::vector<int> before = SortedTableau();
    Click();
    // Fans of two; the last fan takes what is left over.
    EXPECT_EQ(PileCardCount(Fila(1)), 2);
    EXPECT_EQ(PileCardCount(Fila(2)), 2);
    EXPECT_EQ(PileCardCount(Fila(3)), 3);
    EXPECT_EQ(SortedTableau(), before);
    const auto first = BuildTableSnapshot(ctx);
    ASSERT_TRUE(Undo(ctx));
    Click();
    EXPECT_EQ(BuildTableSnapshot(ctx), first);
}

TEST_F(RedealTest, OpeningPatternTurnsCardsAsAtTheStartAndStockIncludedRefillsTheStock) {
    Set(16, redeal::kShuffledOpening);
    for (int p = 0; p < 3; ++p) {
        Set(374 + p, p == 0 ? 1 : 3);
        Set(414 + p, 1);
    }
    Fila(1) = Cards({H(1), H(2), H(3)});
    Fila(2) = Cards({S(1), S(2), S(3)});
    Click();
    EXPECT_EQ(PileCardCount(Fila(1)), 1);
    ASSERT_EQ(PileCardCount(Fila(2)), 3);
    ASSERT_EQ(PileCardCount(Fila(3)), 2); // cut short, its top card still face up
    EXPECT_EQ(Face(PileCardAt(Fila(2), 0)), '0');
    EXPECT_EQ(Face(PileCardAt(Fila(2), 1)), '0');
    EXPECT_EQ(Face(PileTopCard(Fila(2))), '1');
    EXPECT_EQ(Face(PileCardAt(Fila(3), 0)), '0');
    EXPECT_EQ(Face(PileTopCard(Fila(3))), '1');

    Set(16, redeal::kShuffledWithStock);
    Set(374, 2);
    Set(7, 1);
    Stock() = Cards({D(1)});
    Click();
    // Seven cards: three fans of two and one card back in the stock, face down.
    for (int p = 1; p <= 3; ++p)
        EXPECT_EQ(PileCardCount(Fila(p)), 2) << p;
    ASSERT_EQ(PileCardCount(Stock()), 1);
    EXPECT_EQ(Face(PileTopCard(Stock())), '0');
    EXPECT_EQ(ctx.play.passNumber, 3);
}

TEST_F(RedealTest, PileRedealDealsAllButTheTopCardFromPileOne) {
    Set(16, redeal::kPileRedeal);
    Fila(1) = Cards({H(1), H(2), H(3), H(4)});
    Fila(2) = Cards({S(5)});
    Click();
    EXPECT_EQ(Fila(1), Cards({H(4), H(1)}));
    EXPECT_EQ(Fila(2), Cards({S(5), H(2)}));
    EXPECT_EQ(Fila(3), Cards({H(3)}));
}

TEST_F(RedealTest, GapRowsKeepTheirRunAndGetOneGap) {
    Set(16, redeal::kGapRows);
    Set(367, 1);
    Fila(1) = Cards({H(2), H(3), S(9), 0, D(4)});
    Click();
    EXPECT_EQ(Fila(1).substr(0, 9), Cards({H(2), H(3), 0}));
    EXPECT_EQ(PileCardCount(Fila(1)), 5);
}

} // namespace
} // namespace quendra::test
