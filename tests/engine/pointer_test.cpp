#include "play_test_support.h"
#include "pointer.h"

namespace quendra::test {
namespace {

// Klondike deal 7: Fila1 7H, Fila2 8S, Fila7 ends with the Ace of clubs; 24 cards in the stock.
class PointerTest : public ::testing::Test {
  protected:
    DealtGame game{0, "7"};
    GameContext& ctx = game.ctx;

    void SetPile(PileRef pile, const std::string& line) {
        LoadPileFromSnapshotLine(ctx, pile, line);
    }
    int Count(PileRef pile) const { return PileCardCount(ctx.table.Pile(pile)); }
    int Steps() const { return ctx.undoHistory.undo.Steps(); }
    // Every pile empty, for positions built by hand.
    void ClearTable() { ctx.table.Clear(); }
};

TEST_F(PointerTest, DragsFollowTheBuildingRuleAndRecordOneStep) {
    // A red 6 on a red 7 is refused and changes nothing; on a black 7 it goes.
    ClearTable();
    SetPile(Fila(0), "0061");
    SetPile(Fila(1), "0201");
    SetPile(Fila(2), "0461");
    const TableState before = CaptureTableState(ctx);
    EXPECT_FALSE(PlayDragMove(ctx, Fila(0), 0, Fila(1)));
    EXPECT_EQ(CaptureTableState(ctx), before);
    EXPECT_EQ(Steps(), 0);
    EXPECT_EQ(ctx.play.draggedCard, 0); // the release ends the drag either way
    EXPECT_TRUE(PlayDragMove(ctx, Fila(0), 0, Fila(2)));
    EXPECT_EQ(ctx.table.Pile(Fila(2)), "046006");
    EXPECT_TRUE(ctx.table.Pile(Fila(0)).empty());
    EXPECT_EQ(Steps(), 1);
}

TEST_F(PointerTest, APressWithoutAMoveLeavesTheCardAndAFaceDownCardTurnsUp) {
    const TableState before = CaptureTableState(ctx);
    ASSERT_TRUE(fnPickUpCard(ctx, Fila(6), 6));
    EXPECT_EQ(ctx.play.draggedCard, 27); // the Ace of clubs
    fnClearDrag(ctx);
    EXPECT_EQ(CaptureTableState(ctx), before);
    EXPECT_EQ(Steps(), 0);

    ASSERT_TRUE(PlayDragMove(ctx, Fila(6), 6, Dest(0)));
    const int uncovered = PileTopCard(ctx.table.Pile(Fila(6)));
    EXPECT_EQ(ctx.cardTable.Face(uncovered), '0');
    // A face-down card is not lifted; a click turns it up as a step of its own.
    EXPECT_FALSE(fnPickUpCard(ctx, Fila(6), Count(Fila(6)) - 1));
    EXPECT_EQ(ctx.cardTable.Face(uncovered), '1');
    EXPECT_EQ(Steps(), 2);
    EXPECT_FALSE(PlayPileClick(ctx, Fila(6))); // face up now: nothing more happens
}

TEST_F(PointerTest, TheDropTriesTheCandidatesInOrder) {
    ClearTable();
    SetPile(Fila(0), "0061");
    SetPile(Fila(1), "0201"); // red 7: refuses
    SetPile(Fila(2), "0461"); // black 7: takes
    SetPile(Fila(3), "0331"); // black 7 too, but later
    ASSERT_TRUE(fnPickUpCard(ctx, Fila(0), 0));
    const PileRef candidates[] = {Fila(1), Fila(2), Fila(3)};
    EXPECT_TRUE(fnTryDrop(ctx, candidates));
    fnClearDrag(ctx);
    EXPECT_EQ(Count(Fila(2)), 2);
    EXPECT_EQ(Count(Fila(3)), 1);
}

TEST_F(PointerTest, SendPrefersTheFoundationsAndHonoursTheSwitches) {
    ClearTable();
    SetPile(Fila(0), "0271"); // the Ace of clubs
    SetPile(Fila(1), "0011"); // the Ace of hearts
    SetPile(Fila(2), "0281"); // the Two of clubs
    SetPile(Fila(3), "0291"); // the Three of clubs
    SetPile(Fila(4), "0031"); // the Three of hearts, where the Two of clubs could go too
    EXPECT_FALSE(fnSendCard(ctx, Fila(2), 0, false, false));
    EXPECT_TRUE(fnSendCard(ctx, Fila(0), 0, true, true));
    EXPECT_EQ(PileTopCard(ctx.table.Pile(Dest(0))), 27);
    // Foundations first: the Two of clubs follows its Ace rather than going on the red Three.
    EXPECT_TRUE(fnSendCard(ctx, Fila(2), 0, true, true));
    EXPECT_EQ(PileCardCount(ctx.table.Pile(Dest(0))), 2);
    // Only tableau piles allowed: the Ace of hearts has nowhere to go (spaces take Kings).
    const int beeps = game.host.beeps;
    EXPECT_FALSE(fnSendCard(ctx, Fila(1), 0, false, true));
    EXPECT_EQ(game.host.beeps, beeps + 1);
    EXPECT_EQ(Count(Fila(1)), 1);
    // Only foundations: the Three of clubs goes up.
    EXPECT_TRUE(fnSendCard(ctx, Fila(3), 0, true, false));
    EXPECT_EQ(Count(Dest(0)), 3);
}

TEST_F(PointerTest, StockClickDealsAtTheRelease) {
    ASSERT_EQ(Count(kStock), 24);
    fnStockPress(ctx);
    fnStockRelease(ctx);
    EXPECT_EQ(Count(kStock), 23);
    ASSERT_EQ(Count(kWaste), 1);
    EXPECT_EQ(ctx.cardTable.Face(PileTopCard(ctx.table.Pile(kWaste))), '1');
    EXPECT_FALSE(ctx.play.stockPending);
    EXPECT_TRUE(PlayStockClick(ctx));
    EXPECT_EQ(Count(kWaste), 2);
}

TEST_F(PointerTest, AutoplayAfterTheReleaseSendsWhatTheMoveFreed) {
    ctx.play.autoplayTicked = true;
    ClearTable();
    SetPile(kStock, "0520");      // the game goes on: a card is left in the stock
    SetPile(Dest(0), "0011");     // Ace of hearts on a foundation
    SetPile(Fila(0), "00210451"); // the Two of hearts under the Six of spades
    SetPile(Fila(1), "0071");     // the Seven of hearts
    ASSERT_TRUE(PlayDragMove(ctx, Fila(0), 1, Fila(1)));
    EXPECT_EQ(Count(Dest(0)), 2); // the Two followed at once
    EXPECT_TRUE(ctx.table.Pile(Fila(0)).empty());
}

} // namespace
} // namespace quendra::test
