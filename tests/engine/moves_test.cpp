#include "moves.h"
#include "play_fixture.h"
#include "undo_commands.h"

#include <algorithm>

namespace quendra::test {
namespace {

class MovesTest : public PlayTest {};

TEST_F(MovesTest, GroupToTableauKeepsOrderFaceUpAsOneStep) {
    Fila(1) = Cards({S(12), H(10), S(9), H(8), C(7)});
    Fila(2) = Cards({D(11)});
    FaceDown(H(8));
    ASSERT_TRUE(fnDoMove(ctx, H(10), "Fila2"));
    EXPECT_EQ(Fila(2), Cards({D(11), H(10), S(9), H(8), C(7)}));
    EXPECT_EQ(Fila(1), Cards({S(12)}));
    for (int card : {H(10), S(9), H(8), C(7)})
        EXPECT_EQ(Face(card), '1');
    EXPECT_EQ(UndoSteps(), 1);
    EXPECT_EQ(host.sounds.back(), "Tableau");
}

TEST_F(MovesTest, FoundationMovesPlayTheirSoundAndCountSourceKinds) {
    Waste() = Cards({H(1)});
    Fila(1) = Cards({S(5), H(2)});
    ASSERT_TRUE(fnDoMove(ctx, H(1), "Dest1"));
    EXPECT_EQ(host.sounds.back(), "Foundation");
    ASSERT_TRUE(fnDoMove(ctx, H(2), "Dest_Autoplay1"));
    EXPECT_EQ(host.sounds.back(), "Autoplay");
    EXPECT_EQ(Dest(1), Cards({H(1), H(2)}));
    EXPECT_TRUE(Waste().empty());
    EXPECT_EQ(fnTakeCard(ctx, S(5)).kind, SourceKind::Tableau);
    EXPECT_EQ(fnTakeCard(ctx, H(2)).kind, SourceKind::Foundation);
    EXPECT_EQ(fnTakeCard(ctx, H(2)).kind, SourceKind::None);
}

TEST_F(MovesTest, SoundsFollowTheirSwitchesAndTheMasterSwitch) {
    Waste() = Cards({H(1), H(2)});
    SetSetting(ctx.settings, field::kSoundsFoundation, "N");
    fnDoMove(ctx, H(2), "Appogg1");
    EXPECT_EQ(host.sounds, std::vector<std::string>{"Tableau"});
    fnDoMove(ctx, H(1), "Dest1");
    SetSetting(ctx.settings, field::kSoundsEnabled, "N");
    fnDoMove(ctx, H(2), "Fila3");
    EXPECT_EQ(host.sounds.size(), 1u);
}

TEST_F(MovesTest, LeavingAFoundationTurnsUpFaceDownTopsWhenAutoplayIsOff) {
    Dest(1) = Cards({C(1), C(2), C(3)});
    Fila(1) = Cards({D(4)});
    Fila(2) = Cards({S(9), H(6)});
    FaceDown(H(6));
    ASSERT_TRUE(fnDoMove(ctx, C(3), "Fila1"));
    EXPECT_EQ(Face(H(6)), '1');

    FaceDown(H(6));
    ctx.play.autoplayTicked = true;
    ASSERT_TRUE(fnDoMove(ctx, C(2), "Fila4"));
    EXPECT_EQ(Face(H(6)), '0');
}

TEST_F(MovesTest, FirstMoveMustGoFromTableauToFoundationWithParameter40) {
    Set(40, 1);
    Waste() = Cards({D(1)});
    Fila(1) = Cards({H(1)});
    Fila(2) = Cards({S(8)});
    const auto before = ctx.table;
    EXPECT_FALSE(fnDoMove(ctx, D(1), "Dest1"));
    EXPECT_FALSE(fnDoMove(ctx, S(8), "Fila3"));
    EXPECT_EQ(ctx.table, before);
    EXPECT_EQ(UndoSteps(), 0);
    EXPECT_TRUE(fnDoMove(ctx, H(1), "Dest1"));
    EXPECT_TRUE(fnDoMove(ctx, D(1), "Dest2"));
}

TEST_F(MovesTest, MoveCounterStopsAtTwoAndParameter41FillsAfterTheFirstMoveOnly) {
    Set(41, 1);
    for (int p = 2; p <= 7; ++p)
        Set(290 + p, 1);
    Stock() = Cards({C(5), C(6), C(7), C(8), C(9), C(10), C(11), C(12)});
    Fila(1) = Cards({H(1), S(2)});
    ASSERT_TRUE(fnDoMove(ctx, S(2), "Fila2"));
    EXPECT_EQ(ctx.play.moveCounter, 1);
    // Piles 3 to 7 were empty: each got a card from the stock's top.
    for (int p = 3; p <= 7; ++p)
        EXPECT_EQ(PileCardCount(Fila(p)), 1) << p;
    EXPECT_EQ(PileCardCount(Stock()), 3);
    Fila(3).clear();
    ASSERT_TRUE(fnDoMove(ctx, H(1), "Dest1"));
    EXPECT_EQ(ctx.play.moveCounter, 2);
    EXPECT_TRUE(Fila(3).empty());
    fnDoMove(ctx, S(2), "Fila3");
    EXPECT_EQ(ctx.play.moveCounter, 2);
}

TEST_F(MovesTest, AMoveEmptiesTheRedoSide) {
    Fila(1) = Cards({H(1)});
    RecordStep(ctx, UndoSideId::Redo);
    ASSERT_EQ(ctx.undoHistory.redo.Steps(), 1);
    fnDoMove(ctx, H(1), "Dest1");
    EXPECT_EQ(ctx.undoHistory.redo.Steps(), 0);
}

TEST_F(MovesTest, ReserveWasteAndDiscardActions) {
    Fila(1) = Cards({S(3), H(7), D(9)});
    ASSERT_TRUE(fnDoMove(ctx, D(9), "Appogg2"));
    ASSERT_TRUE(fnDoMove(ctx, H(7), "Stock02"));
    ASSERT_TRUE(fnDoMove(ctx, S(3), "Waste"));
    EXPECT_EQ(Appogg(2), Cards({D(9)}));
    EXPECT_EQ(Waste(), Cards({H(7)}));
    EXPECT_EQ(Discard(), Cards({S(3)}));
    EXPECT_EQ(UndoSteps(), 3);
    EXPECT_FALSE(fnDoMove(ctx, D(9), "Nowhere"));
    EXPECT_FALSE(fnDoMove(ctx, D(9), "Dest17"));
    EXPECT_FALSE(fnDoMove(ctx, 0, "Dest1"));
}

TEST_F(MovesTest, SortedFoundationKeepsCardNumberOrder) {
    Set(30, 1);
    Dest(1) = Cards({H(3), H(9)});
    Fila(1) = Cards({H(5)});
    ASSERT_TRUE(fnDoMove(ctx, H(5), "Dest1"));
    EXPECT_EQ(Dest(1), Cards({H(3), H(5), H(9)}));
    EXPECT_EQ(host.sounds.back(), "Reorder");
}

TEST_F(MovesTest, SelectionLeavesForTheDiscardPile) {
    Set(50, 3);
    Fila(1) = Cards({S(4), H(6)});
    Fila(2) = Cards({C(8)});
    Dest(1) = Cards({H(6), C(8)});
    ASSERT_TRUE(fnDoMove(ctx, 0, "Selezionate_Dest"));
    EXPECT_TRUE(Dest(1).empty());
    EXPECT_EQ(Fila(1), Cards({S(4)}));
    EXPECT_TRUE(Fila(2).empty());
    EXPECT_EQ(Discard(), Cards({H(6), C(8)}));
    EXPECT_EQ(host.sounds.front(), "Pairing");
}

TEST_F(MovesTest, FillSpacesFromStockTakesTheTopCardForEachEmptyPile) {
    Stock() = Cards({C(2), C(3), C(4)});
    for (int p = 1; p <= 7; ++p)
        if (p != 2 && p != 5) Fila(p) = Cards({H(p)});
    ASSERT_TRUE(fnDoMove(ctx, 0, "Selezionate_Fila"));
    EXPECT_EQ(Fila(2), Cards({C(4)}));
    EXPECT_EQ(Fila(5), Cards({C(3)}));
    EXPECT_EQ(Stock(), Cards({C(2)}));
}

class CompleteRunTest : public PlayTest {
  protected:
    CompleteRunTest() {
        Set(366, 8);
        Set(367, 10);
        for (int i = 0; i < 8; ++i)
            Set(51 + i, 83);
        for (int i = 0; i < 10; ++i)
            Set(211 + i, 2);
        for (int i = 0; i < 8; ++i)
            SetPilePosition(ctx, {PileGroupId::Dest, i}, 100 * i, 0);
    }
    // King down to `lowest` of one suit, bottom first.
    static std::string RunDown(int (*suit)(int), int lowest) {
        std::string pile;
        for (int rank = 13; rank >= lowest; --rank)
            pile += CardCode(suit(rank));
        return pile;
    }
};

TEST_F(CompleteRunTest, FinishedRunLeavesAndOneUndoTakesBackMoveAndRemoval) {
    Fila(1) = Cards({D(4)}) + RunDown(S, 2);
    Fila(2) = Cards({C(9), S(1)});
    FaceDown(D(4));
    FaceDown(C(9));
    const auto before = BuildTableSnapshot(ctx);
    ASSERT_TRUE(fnDoMove(ctx, S(1), "Fila1"));
    EXPECT_EQ(Fila(1), Cards({D(4)}));
    EXPECT_EQ(PileCardCount(Dest(1)), 13);
    EXPECT_EQ(PileTopCard(Dest(1)), S(13));
    EXPECT_EQ(UndoSteps(), 1);
    ASSERT_TRUE(Undo(ctx));
    EXPECT_EQ(BuildTableSnapshot(ctx), before);
}

TEST_F(CompleteRunTest, MixedSuitsDoNotLeaveButGoToTheNextEmptySlotOtherwise) {
    Dest(1) = RunDown(H, 1);
    Fila(1) = RunDown(S, 3) + Cards({H(2)});
    Fila(2) = Cards({S(1)});
    fnDoMove(ctx, S(1), "Fila1");
    EXPECT_EQ(PileCardCount(Fila(1)), 13);
    EXPECT_TRUE(Dest(2).empty());

    Fila(3) = RunDown(C, 1);
    EXPECT_TRUE(fnRemoveCompleteRun(ctx, 2));
    EXPECT_EQ(PileCardCount(Dest(2)), 13);
}

TEST_F(CompleteRunTest, KingOnTopRunsAndAlternateColourRuns) {
    Set(51, 95);
    Fila(1).clear();
    for (int rank = 1; rank <= 13; ++rank)
        Fila(1) += CardCode(D(rank));
    EXPECT_TRUE(fnRemoveCompleteRun(ctx, 0));
    EXPECT_EQ(PileTopCard(Dest(1)), D(1));

    // Base 82 with an alternating-colour pile: colours must alternate, suits may change.
    for (int i = 0; i < 8; ++i)
        Set(51 + i, 82);
    Dest(1).clear();
    Set(211 + 1, 3);
    for (int rank = 13; rank >= 1; --rank)
        Fila(2) += CardCode(rank % 2 ? S(rank) : H(rank));
    EXPECT_TRUE(fnRemoveCompleteRun(ctx, 1));
    EXPECT_TRUE(Fila(2).empty());
}

TEST_F(CompleteRunTest, WithoutAPlaceForTheSlotTheRunGoesToTheDiscardPile) {
    ClearPilePositions(ctx);
    Fila(1) = RunDown(H, 1);
    EXPECT_TRUE(fnRemoveCompleteRun(ctx, 0));
    EXPECT_EQ(PileCardCount(Discard()), 13);
    EXPECT_TRUE(Dest(1).empty());
}

} // namespace
} // namespace quendra::test
