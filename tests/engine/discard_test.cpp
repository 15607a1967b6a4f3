#include "autoplay.h"
#include "families.h"
#include "game_params.h"
#include "pick_up.h"
#include "play_fixture.h"
#include "pointer.h"
#include "undo_commands.h"

namespace quendra::test {
namespace {

// A small Golf table: three piles played onto the discard pile, no foundations, the stock
// dealing onto the discard pile.
class DiscardTest : public PlayTest {
  protected:
    DiscardTest() {
        Set(param::kFamily, family::kGolf);
        Set(param::kFoundationCount, 0);
        Set(param::kTableauCount, 3);
        Set(param::kWastePlaced, 0);
        Set(param::kDiscardDeal, 6);
        for (int i = 0; i < 40; ++i) {
            Set(param::kTableauEmptyRule + i, 0);
            Set(param::kTableauMethod + i, 4);
        }
        Fila(1) = Cards({H(2), S(9)});
        Fila(2) = Cards({C(13), D(7)});
        Fila(3) = Cards({H(1)});
        Discard() = Cards({C(8)});
        Stock() = Cards({D(5), S(13)});
    }
    bool Click(int pile) { return PlayPileClick(ctx, pile::Fila(pile - 1)); }
};

TEST_F(DiscardTest, AClickedCardOneRankFromTheDiscardTopGoesThere) {
    EXPECT_TRUE(Click(1)); // the Nine onto the Eight
    EXPECT_EQ(Fila(1), Cards({H(2)}));
    EXPECT_EQ(Discard(), Cards({C(8), S(9)}));
    EXPECT_EQ(UndoSteps(), 1);
    EXPECT_EQ(host.beeps, 0);
    // The Seven no longer fits on the Nine: refused with a beep, nothing changes.
    EXPECT_FALSE(Click(2));
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(Fila(2), Cards({C(13), D(7)}));
    EXPECT_EQ(UndoSteps(), 1);
}

TEST_F(DiscardTest, NothingGoesOnAKingUnlessKingAndAceAreNeighbours) {
    Discard() = Cards({S(13)});
    Fila(2) = Cards({C(12)});
    EXPECT_FALSE(Click(3)); // the Ace
    EXPECT_FALSE(Click(2)); // the Queen
    // Where the tableau turns the corner the King takes the Ace, and the Ace no Queen.
    Set(param::kTableauPastStop, 1);
    EXPECT_TRUE(Click(3));
    EXPECT_FALSE(Click(2));
    EXPECT_EQ(Discard(), Cards({S(13), H(1)}));
}

TEST_F(DiscardTest, TheStockDealsOntoTheDiscardPile) {
    EXPECT_TRUE(PlayStockClick(ctx));
    EXPECT_EQ(Discard(), Cards({C(8), S(13)}));
    EXPECT_EQ(Stock(), Cards({D(5)}));
}

TEST_F(DiscardTest, ClearingTheTableauWinsWithCardsLeftInTheStock) {
    Fila(1) = Cards({S(9)});
    Fila(2) = Cards({D(10)});
    Fila(3).clear();
    EXPECT_TRUE(Click(1));
    EXPECT_FALSE(ctx.flags[GameStateFlags::kWon]);
    EXPECT_TRUE(host.results.empty());
    EXPECT_TRUE(Click(2));
    // The game has ended as won.
    EXPECT_FALSE(ctx.flags[GameStateFlags::kInPlay]);
    ASSERT_EQ(host.results.size(), 1u);
    EXPECT_TRUE(host.results[0].won);
}

// Aces Up: four piles, a card leaves for the discard pile under a higher card of its suit.
class AcesUpTest : public DiscardTest {
  protected:
    AcesUpTest() {
        Set(param::kFamily, family::kAcesUp);
        Set(param::kTableauCount, 4);
        for (int i = 0; i < 40; ++i) {
            Set(param::kTableauEmptyRule + i, -1);
            Set(param::kTableauMethod + i, 6);
        }
        Fila(1) = Cards({S(4), H(5)});
        Fila(2) = Cards({H(1)});
        Fila(3) = Cards({D(2), H(9)});
        Fila(4) = Cards({C(12)});
        Discard().clear();
        Stock().clear();
    }
};

TEST_F(AcesUpTest, ACardLeavesOnlyUnderAHigherCardOfItsSuit) {
    EXPECT_TRUE(Click(1)); // the Five of hearts under the Nine (and the Ace)
    EXPECT_EQ(Discard(), Cards({H(5)}));
    EXPECT_TRUE(Click(3)); // the Nine under the Ace: the Ace ranks highest
    EXPECT_FALSE(Click(4)); // no higher club shows
    EXPECT_FALSE(Click(2));
    EXPECT_EQ(host.beeps, 2);
    EXPECT_EQ(Fila(4), Cards({C(12)}));
}

TEST_F(AcesUpTest, ARefusedCardIsLiftedOnlyWhileAPileIsEmpty) {
    EXPECT_FALSE(CanPickUp(ctx, pile::Fila(3), 0).allowed);
    Fila(2).clear();
    EXPECT_TRUE(CanPickUp(ctx, pile::Fila(3), 0).allowed);
    EXPECT_TRUE(PlayDragMove(ctx, pile::Fila(3), 0, pile::Fila(1)));
    EXPECT_EQ(Fila(2), Cards({C(12)}));
}

TEST_F(AcesUpTest, WonWithTheFourAcesAloneAndTheStockDealt) {
    Fila(1) = Cards({S(1)});
    Fila(3) = Cards({D(1)});
    Fila(4) = Cards({C(1), C(5)});
    Stock() = Cards({S(7)});
    EXPECT_FALSE(fnWonTest(ctx));
    Stock().clear();
    EXPECT_FALSE(fnWonTest(ctx)); // the Five of clubs is left on its Ace
    Fila(4) = Cards({C(1)});
    EXPECT_TRUE(fnWonTest(ctx));
}

TEST_F(AcesUpTest, ACardMovedIntoASpaceCanWin) {
    Fila(1) = Cards({S(1)});
    Fila(2).clear();
    Fila(3) = Cards({D(1)});
    Fila(4) = Cards({C(1), H(1)});
    EXPECT_TRUE(PlayDragMove(ctx, pile::Fila(3), 1, pile::Fila(1)));
    EXPECT_FALSE(ctx.flags[GameStateFlags::kInPlay]);
    ASSERT_EQ(host.results.size(), 1u);
    EXPECT_TRUE(host.results[0].won);
}

// Tri Peaks: the peaks' 28 piles of one card; a card is free when both cards on it are gone.
class TriPeaksTest : public DiscardTest {
  protected:
    TriPeaksTest() {
        Set(param::kFamily, family::kTriPeaks);
        Set(param::kGridColumns, 28);
        Set(param::kGridRows, 1);
        Set(param::kTableauPastStop, 1);
        Set(param::kTableauCount, 28);
        for (int i = 1; i <= 28; ++i)
            Fila(i) = Cards({S(1 + i % 13)});
        // Pile 12 (the second row of nine) lies under piles 21 and 22 of the bottom row.
        Fila(12) = Cards({H(9)});
        FaceDown(H(9));
        Fila(21) = Cards({H(7)});
        Fila(22) = Cards({D(6)});
        Discard() = Cards({C(8)});
    }
};

TEST_F(TriPeaksTest, ACardTurnsUpAndIsFreeOnceBothCardsOnItAreGone) {
    EXPECT_FALSE(Click(12)); // covered
    EXPECT_TRUE(Click(21));  // the Seven onto the Eight
    EXPECT_EQ(Face(H(9)), '0');
    EXPECT_FALSE(Click(12)); // still under the Six
    EXPECT_TRUE(Click(22));  // the Six onto the Seven
    EXPECT_EQ(Face(H(9)), '1');
    EXPECT_EQ(UndoSteps(), 2);
    // Free now, but the Nine is no neighbour of the Six.
    EXPECT_FALSE(Click(12));
    Discard() += CardCode(C(10));
    EXPECT_TRUE(Click(12));
    // Taking the move back turns the card down again.
    Undo(ctx);
    EXPECT_EQ(Fila(12), Cards({H(9)}));
    Undo(ctx);
    EXPECT_EQ(Face(H(9)), '0');
}

// Hit or Miss: no tableau; the stock is turned onto the waste while the ranks are counted.
class HitOrMissTest : public PlayTest {
  protected:
    HitOrMissTest() {
        Set(param::kFamily, family::kHitOrMiss);
        Set(param::kFoundationCount, 0);
        Set(param::kTableauCount, 0);
        Stock() = Cards({S(5), D(2), H(1)});
    }
    bool Deal() { return PlayStockClick(ctx); }
};

TEST_F(HitOrMissTest, ACardMeetingItsCountIsDiscardedInTheSameStep) {
    EXPECT_TRUE(Deal()); // Ace counted with the Ace: a hit
    EXPECT_TRUE(Deal()); // Two with the Two
    EXPECT_EQ(Discard(), Cards({H(1), D(2)}));
    EXPECT_TRUE(Waste().empty());
    EXPECT_TRUE(Deal()); // the Five counted Three: a miss
    EXPECT_EQ(Waste(), Cards({S(5)}));
    EXPECT_EQ(ctx.play.dealCount, 3);
    // One undo takes back a turned card with its hit, and the count with it.
    EXPECT_TRUE(Undo(ctx));
    EXPECT_TRUE(Undo(ctx));
    EXPECT_EQ(Stock(), Cards({S(5), D(2)}));
    EXPECT_EQ(Discard(), Cards({H(1)}));
    EXPECT_EQ(ctx.play.dealCount, 1);
}

TEST_F(HitOrMissTest, LostWhenThePassToComeCanBringNoHit) {
    Stock().clear();
    Waste() = Cards({C(3)});
    ctx.play.dealCount = 1; // the next card is counted Two
    EXPECT_TRUE(Deal());    // a single card is turned over too
    EXPECT_EQ(Stock(), Cards({C(3)}));
    EXPECT_TRUE(ctx.flags[GameStateFlags::kInPlay] == 0);
    ASSERT_EQ(host.results.size(), 1u);
    EXPECT_FALSE(host.results[0].won);
    EXPECT_EQ(host.informations, std::vector<std::string>{"The game is lost."});
}

TEST_F(HitOrMissTest, TheCountGoesOnThroughTheNextPass) {
    Stock().clear();
    Waste() = Cards({C(3)});
    ctx.play.dealCount = 2; // the next card is counted Three
    EXPECT_TRUE(Deal());
    EXPECT_TRUE(ctx.flags[GameStateFlags::kInPlay]);
    EXPECT_TRUE(Deal()); // the hit: every card is gone
    EXPECT_EQ(Discard(), Cards({C(3)}));
    ASSERT_EQ(host.results.size(), 1u);
    EXPECT_TRUE(host.results[0].won);
}

} // namespace
} // namespace quendra::test
