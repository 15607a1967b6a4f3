#include "fake_host.h"
#include "game_context.h"

#include <gtest/gtest.h>

namespace quendra {
namespace {

class UndoHistoryTest : public ::testing::Test {
  protected:
    void Put(PileRef pile, int card) { fnPutCard(ctx, pile, card, '1'); }

    test::FakeHost host;
    GameContext ctx{host};
    UndoSide& undo = ctx.undoHistory.undo;
};

TEST_F(UndoHistoryTest, RecordStepCopiesEverySlotAndOpensALogEntry) {
    Put({PileGroupId::Fila, 39}, 12);
    Put({PileGroupId::Dest, 0}, 1);
    SetSetting(ctx.settings, field::kUndoUsed, "1");
    RecordStep(ctx);
    EXPECT_EQ(undo.Steps(), 1);
    EXPECT_EQ(undo.Stock.size(), 3u);
    EXPECT_EQ(undo.Foundations.size(), 16u);
    EXPECT_EQ(undo.Piles.size(), 40u);
    EXPECT_EQ(undo.Reserves.size(), 10u);
    EXPECT_EQ(undo.Piles[39], "0121");
    EXPECT_EQ(undo.Foundations[0], "0011");
    EXPECT_EQ(undo.StepLog, ",");
    EXPECT_EQ(GetSetting(ctx.settings, field::kUndoUsed), "0");
    EXPECT_TRUE(ctx.undoHistory.redo.Stock.empty());

    // In the pairing games foundation 1 holds the selection, which is never taken back.
    ctx.params[39] = 1;
    RecordStep(ctx);
    EXPECT_EQ(undo.Foundations[16], "");
}

TEST_F(UndoHistoryTest, LogEntriesTakeCodesAndDropInOrder) {
    RecordStep(ctx);
    RecordStep(ctx);
    AddStepCode(ctx, kStepRedeal);
    EXPECT_EQ(undo.StepLog, ",003,");
    EXPECT_EQ(NewestLogEntry(undo), "003");
    RecordStep(ctx);
    EXPECT_EQ(NewestLogEntry(undo), "");
    DropLastSteps(ctx, 1);
    EXPECT_EQ(undo.StepLog, ",003,");
    EXPECT_EQ(undo.Steps(), 2);
    DropLastSteps(ctx, 5); // more than there are: the sides simply empty
    EXPECT_EQ(undo.Steps(), 0);
    EXPECT_TRUE(undo.StepLog.empty());
}

TEST_F(UndoHistoryTest, MergedDealStepsKeepTheTableFromBeforeTheFirstDeal) {
    RecordStep(ctx); // an earlier move
    Put({PileGroupId::Fila, 0}, 5);
    for (int deal = 0; deal < 3; ++deal) {
        RecordStep(ctx);
        Put({PileGroupId::Fila, deal + 1}, 20 + deal);
    }
    DropStepsBeforeLast(ctx, 2);
    AddStepCode(ctx, kStepDealOntoPiles);
    ASSERT_EQ(undo.Steps(), 2);
    EXPECT_EQ(undo.StepLog, ",002,");
    // The kept copy shows pile 1 with its card and no dealt cards yet.
    EXPECT_EQ(undo.Piles[40], "0051");
    EXPECT_EQ(undo.Piles[41], "");
    EXPECT_EQ(undo.Piles[43], "");
}

} // namespace
} // namespace quendra
