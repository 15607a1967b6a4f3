#include "building.h"
#include "families.h"
#include "game_params.h"
#include "legality.h"
#include "pick_up.h"
#include "play_fixture.h"
#include "pointer.h"
#include "undo_commands.h"

namespace quendra::test {
namespace {

// Trusty Twelve: three single cards built down regardless of suit, spaces filled at once
// from the stock, no foundations; won when the stock is empty.
class StockIntoTableauTest : public PlayTest {
  protected:
    StockIntoTableauTest() {
        Set(param::kFamily, family::kStockIntoTableau);
        Set(param::kFoundationCount, 0);
        Set(param::kTableauCount, 3);
        Set(param::kWastePlaced, 0);
        Set(param::kGroupSize, 1);
        Set(23, 3); // spaces filled at once from the stock
        for (int i = 0; i < 3; ++i) {
            Set(param::kTableauEmptyRule + i, -1);
            Set(param::kTableauMethod + i, 2);
        }
        Fila(1) = Cards({H(9)});
        Fila(2) = Cards({C(10)});
        Fila(3) = Cards({S(5)});
        Stock() = Cards({D(4), S(8)});
    }
};

TEST_F(StockIntoTableauTest, WonWhenTheLastStockCardFillsASpace) {
    ASSERT_TRUE(PlayDragMove(ctx, pile::Fila(0), 0, pile::Fila(1)));
    EXPECT_EQ(Fila(1), Cards({S(8)})); // the space filled from the stock's top
    EXPECT_FALSE(ctx.flags[GameStateFlags::kWon]);
    EXPECT_TRUE(ctx.flags[GameStateFlags::kInPlay]);
    // The Eight onto the Nine empties pile 1 again and takes the last stock card.
    ASSERT_TRUE(PlayDragMove(ctx, pile::Fila(0), 0, pile::Fila(1)));
    EXPECT_EQ(Fila(1), Cards({D(4)}));
    EXPECT_TRUE(Stock().empty());
    // Cards are left on the tableau, yet the game is won.
    EXPECT_FALSE(ctx.flags[GameStateFlags::kInPlay]);
    ASSERT_EQ(host.results.size(), 1u);
    EXPECT_TRUE(host.results[0].won);
}

// Amazons: a tableau card goes only to the foundation over its own pile, a Queen to any.
TEST_F(PlayTest, ATableauCardGoesOnlyToTheFoundationOverItsPile) {
    Set(param::kFamily, family::kFoundationAbovePile);
    Set(param::kTableauCount, 4);
    Fila(2) = Cards({H(1)});
    Fila(1) = Cards({S(12)});
    Dest(3) = Cards({S(1), S(11)});
    EXPECT_FALSE(fnCanDropOnFoundation(ctx, 0, H(1)));
    EXPECT_TRUE(fnCanDropOnFoundation(ctx, 1, H(1)));
    EXPECT_TRUE(fnCanDropOnFoundation(ctx, 2, S(12))); // the Queen, from pile 1
    // The common rule still holds: an Ace on an Ace is refused even over its own pile.
    Dest(2) = Cards({D(1)});
    EXPECT_FALSE(fnCanDropOnFoundation(ctx, 1, H(1)));
}

// Grand Duchess: each click deals a card face up to each pile and face down to each reserve;
// the reserve turns face up when the stock runs out, and its top card may then be played.
TEST_F(PlayTest, TheFaceDownReserveTurnsUpWhenTheStockRunsOut) {
    Set(param::kFamily, family::kReserveUpWhenStockOut);
    Set(param::kTableauCount, 2);
    Set(param::kReserveCount, 2);
    Set(param::kWastePlaced, 0);
    Set(param::kPasses, 2);
    Set(param::kRedealFromWaste, 11); // an empty stock gathers the piles
    Set(param::kReservePickUp, -14);  // the family says which reserve cards are free
    for (int i = 0; i < 2; ++i) {
        Set(param::kTableauDealFlag + i, 1);
        Set(param::kReserveDealFlag + i, 5); // face down
        Set(param::kReserveKind + i + 1, 4); // play-only
    }
    Stock() = Cards({H(2), S(9), D(4), C(7), H(1), D(8), S(2), C(3)});
    ASSERT_TRUE(PlayStockClick(ctx));
    EXPECT_EQ(Appogg(1), Cards({D(8)}));
    EXPECT_EQ(Face(D(8)), '0');
    EXPECT_FALSE(CanPickUp(ctx, pile::Appogg(0), 0).allowed);
    EXPECT_FALSE(CanPickUp(ctx, pile::Appogg(0), 0).turnFaceDownCard); // no peeking
    ASSERT_TRUE(PlayStockClick(ctx)); // the last four cards: the stock runs out
    EXPECT_TRUE(Stock().empty());
    EXPECT_EQ(Appogg(2), Cards({H(1), H(2)}));
    EXPECT_EQ(Face(D(8)), '1');
    EXPECT_EQ(Face(H(1)), '1');
    // Any card of the reserve may be played now, also one with a card on it.
    EXPECT_TRUE(CanPickUp(ctx, pile::Appogg(1), 0).allowed);
    EXPECT_TRUE(PlayDragMove(ctx, pile::Appogg(1), 0, pile::Dest(0))); // the Ace, under the Two
    EXPECT_TRUE(PlayDragMove(ctx, pile::Appogg(1), 0, pile::Dest(0)));
    EXPECT_EQ(Dest(1), Cards({H(1), H(2)}));
}

// Heads and Tails: a space is filled at once from the reserve pile in line with it, else the
// nearest to its left, else the nearest to its right; the reserve cards play no other way.
TEST_F(PlayTest, ASpaceIsFilledFromTheReservePileInLineWithIt) {
    Set(param::kFamily, family::kRefillFromReserveInLine);
    Set(param::kTableauCount, 6); // heads 1-3, tails 4-6, over reserves 1-3
    Set(param::kReserveCount, 3);
    Set(param::kReservePickUp, -14);
    Set(param::kGroupSize, 1);
    for (int i = 0; i < 6; ++i) {
        Set(param::kTableauDirection + i, 2);
        Set(param::kTableauMethod + i, 0);
    }
    for (int i = 1; i <= 6; ++i)
        Fila(i) = Cards({C(i + 1)});
    Appogg(1).clear();
    Appogg(2) = Cards({D(9), D(10), D(11)});
    Appogg(3).clear();
    for (int c : {D(9), D(10), D(11)})
        FaceDown(c);
    EXPECT_FALSE(CanPickUp(ctx, pile::Appogg(1), 2).allowed);
    // The tail over reserve 2 goes: reserve 2 fills it, face up.
    ASSERT_TRUE(PlayDragMove(ctx, pile::Fila(4), 0, pile::Fila(3)));
    EXPECT_EQ(Fila(5), Cards({D(11)}));
    EXPECT_EQ(Face(D(11)), '1');
    // The tail over the empty reserve 3: its left neighbour fills it.
    ASSERT_TRUE(PlayDragMove(ctx, pile::Fila(5), 0, pile::Fila(3)));
    EXPECT_EQ(Fila(6), Cards({D(10)}));
    // The head over the empty reserve 1, with nothing to its left: the right neighbour.
    ASSERT_TRUE(PlayDragMove(ctx, pile::Fila(0), 0, pile::Fila(1)));
    EXPECT_EQ(Fila(1), Cards({D(9)}));
    // Every reserve pile is empty: the space stays.
    ASSERT_TRUE(PlayDragMove(ctx, pile::Fila(5), 0, pile::Fila(0)));
    EXPECT_TRUE(Fila(6).empty());
}

// Curds and Whey: a card goes on the next higher card of its suit or on a card of its rank;
// a run in suit or cards of one rank move together, a group mixing the two does not.
TEST_F(PlayTest, BuildingDownInSuitOrOnTheSameRank) {
    for (int i = 0; i < 3; ++i)
        Set(param::kTableauMethod + i, build_method::kInSuitOrSameRank);
    Set(param::kGroupMoves, group_moves::kRunInSuitOrOneRank);
    Fila(1) = Cards({S(9)});
    Fila(2) = Cards({H(8), C(8), S(8)}); // one rank
    Fila(3) = Cards({S(10), D(8), D(7), S(7)}); // a run in suit, then a card of its rank
    EXPECT_TRUE(fnCanDropOnTableau(ctx, 0, C(9)));  // the same rank
    EXPECT_TRUE(fnCanDropOnTableau(ctx, 0, S(8)));  // down in suit
    EXPECT_FALSE(fnCanDropOnTableau(ctx, 0, H(8))); // down in another suit
    EXPECT_FALSE(fnCanDropOnTableau(ctx, 0, S(10)));
    EXPECT_TRUE(fnGroupIsSequence(ctx, H(8), 1));
    EXPECT_TRUE(fnGroupIsSequence(ctx, D(7), 2));
    EXPECT_FALSE(fnGroupIsSequence(ctx, D(8), 2)); // Eight, Seven in suit, Seven of spades
}

// Three Shuffles and a Draw: in the last deal one card from under others may be drawn and
// played, once; before the last deal, and after the draw, only top cards move.
TEST_F(PlayTest, OneBuriedCardIsDrawnInTheLastDeal) {
    Set(param::kFamily, family::kDrawAfterLastShuffle);
    Set(param::kTableauCount, 2);
    Set(param::kPasses, 3);
    Set(param::kGroupSize, 1);
    Fila(1) = Cards({H(1), S(9), C(5)});
    Fila(2) = Cards({D(7), H(2), H(10)});
    ctx.play.passNumber = 2;
    EXPECT_FALSE(CanPickUp(ctx, pile::Fila(0), 0).allowed);
    ctx.play.passNumber = 3;
    const PickUp draw = CanPickUp(ctx, pile::Fila(0), 0);
    EXPECT_TRUE(draw.allowed);
    EXPECT_EQ(draw.groupSize, 1);
    ASSERT_TRUE(PlayDragMove(ctx, pile::Fila(0), 0, pile::Dest(0))); // the Ace, alone
    EXPECT_EQ(Fila(1), Cards({S(9), C(5)}));
    EXPECT_FALSE(CanPickUp(ctx, pile::Fila(1), 1).allowed); // the Two stays buried
    EXPECT_TRUE(CanPickUp(ctx, pile::Fila(1), 2).allowed);
    // Taken back, the draw is open again.
    ASSERT_TRUE(Undo(ctx));
    EXPECT_EQ(Fila(1), Cards({H(1), S(9), C(5)}));
    EXPECT_TRUE(CanPickUp(ctx, pile::Fila(1), 1).allowed);
    // A drawn card played onto a pile moves alone, not with the cards on it.
    ASSERT_TRUE(PlayDragMove(ctx, pile::Fila(0), 1, pile::Fila(1))); // the Nine of spades
    EXPECT_EQ(Fila(1), Cards({H(1), C(5)}));
    EXPECT_EQ(Fila(2), Cards({D(7), H(2), H(10), S(9)}));
}

} // namespace
} // namespace quendra::test
