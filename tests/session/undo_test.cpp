#include "moves.h"
#include "play_fixture.h"
#include "stock.h"
#include "undo_commands.h"

namespace quendra::test {
namespace {

class UndoTest : public PlayTest {
  protected:
    UndoTest() {
        Fila(1) = Cards({S(9), H(8)});
        Fila(2) = Cards({C(10), D(6), H(1)});
        FaceDown(S(9));
        FaceDown(C(10));
        Stock() = Cards({C(3), C(2), C(1)});
        for (int card : {C(1), C(2), C(3)})
            FaceDown(card);
    }
    void ClickStock() {
        fnStockClick(ctx, StockClickPhase::Press);
        fnStockClick(ctx, StockClickPhase::Release);
    }
};

TEST_F(UndoTest, UndoRestoresTheTableAndRedoTheMove) {
    const auto dealt = BuildTableSnapshot(ctx);
    ASSERT_TRUE(fnDoMove(ctx, H(1), "Dest1"));
    ASSERT_TRUE(fnDoMove(ctx, D(6), "Fila3"));
    const auto afterMoves = BuildTableSnapshot(ctx);
    ASSERT_TRUE(Undo(ctx));
    ASSERT_TRUE(Undo(ctx));
    EXPECT_EQ(BuildTableSnapshot(ctx), dealt);
    EXPECT_EQ(host.sounds.back(), "Undo");
    EXPECT_FALSE(Undo(ctx));
    EXPECT_EQ(host.beeps, 1);
    ASSERT_TRUE(Redo(ctx));
    ASSERT_TRUE(Redo(ctx));
    EXPECT_EQ(BuildTableSnapshot(ctx), afterMoves);
    EXPECT_EQ(host.sounds.back(), "Redo");
    EXPECT_FALSE(Redo(ctx));
}

TEST_F(UndoTest, FaceStatesComeBackWithTheSnapshot) {
    Dest(1) = Cards({C(1)});
    Stock().clear();
    ASSERT_TRUE(fnDoMove(ctx, C(1), "Fila1")); // off a foundation: the face-down card turns up
    ASSERT_TRUE(fnDoMove(ctx, D(6), "Dest2"));
    ASSERT_TRUE(Undo(ctx));
    ASSERT_TRUE(Undo(ctx));
    EXPECT_EQ(Face(C(10)), '0');
    EXPECT_EQ(Dest(1), Cards({C(1)}));
}

TEST_F(UndoTest, LevelOneAllowsOneUndoUntilARedoOrAMove) {
    SetSetting(ctx.settings, field::kUndoMode, "1");
    fnDoMove(ctx, H(1), "Dest1");
    fnDoMove(ctx, D(6), "Fila3");
    EXPECT_TRUE(Undo(ctx));
    EXPECT_FALSE(Undo(ctx));
    EXPECT_EQ(host.beeps, 1);
    EXPECT_TRUE(Redo(ctx));
    EXPECT_FALSE(Redo(ctx));
    EXPECT_TRUE(Undo(ctx));
    EXPECT_EQ(host.beeps, 2);
}

TEST_F(UndoTest, LevelTwoAndNoGameInPlayRefuse) {
    fnDoMove(ctx, H(1), "Dest1");
    SetSetting(ctx.settings, field::kUndoMode, "2");
    EXPECT_FALSE(Undo(ctx));
    SetSetting(ctx.settings, field::kUndoMode, "0");
    ctx.flags[GameStateFlags::kInPlay] = 0;
    EXPECT_FALSE(Undo(ctx));
    EXPECT_EQ(host.beeps, 2);
    EXPECT_EQ(Dest(1), Cards({H(1)}));
}

TEST_F(UndoTest, UndoingATurnOverLowersThePassNumberAndRedoRaisesIt) {
    for (int i = 0; i < 3; ++i)
        ClickStock();
    ClickStock(); // turn the waste over
    ASSERT_EQ(ctx.play.passNumber, 2);
    const auto turned = BuildTableSnapshot(ctx);
    ClickStock();
    ASSERT_TRUE(Undo(ctx));
    EXPECT_EQ(ctx.play.passNumber, 2);
    EXPECT_EQ(BuildTableSnapshot(ctx), turned);
    ASSERT_TRUE(Undo(ctx));
    EXPECT_EQ(ctx.play.passNumber, 1);
    EXPECT_TRUE(Stock().empty());
    EXPECT_EQ(PileCardCount(Waste()), 3);
    ASSERT_TRUE(Redo(ctx));
    EXPECT_EQ(ctx.play.passNumber, 2);
    EXPECT_EQ(BuildTableSnapshot(ctx), turned);
}

TEST_F(UndoTest, UndoAfterUndoAndRedoKeepsTheStepLogsInStep) {
    Set(10, 0);
    Set(341, 4);
    Set(368, 2);
    ClickStock();
    ASSERT_EQ(ctx.play.dealCount, 1);
    ASSERT_TRUE(Undo(ctx));
    EXPECT_EQ(ctx.play.dealCount, 0);
    EXPECT_EQ(ctx.undoHistory.undo.StepLog, "");
    EXPECT_EQ(ctx.undoHistory.redo.StepLog, "002,");
    ASSERT_TRUE(Redo(ctx));
    EXPECT_EQ(ctx.play.dealCount, 1);
    EXPECT_EQ(ctx.undoHistory.undo.StepLog, "002,");
}

} // namespace
} // namespace quendra::test
