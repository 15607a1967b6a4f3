#include "families.h"
#include "families_rows.h"
#include "game_params.h"
#include "moves.h"
#include "play_fixture.h"
#include "pointer.h"

namespace quendra::test {
namespace {

// Decade: a row of six places dealt from the stock, runs adding up to tens leaving it.
class DecadeTest : public PlayTest {
  protected:
    DecadeTest() {
        Set(param::kFamily, family::kDecade);
        Set(param::kFoundationCount, 0);
        Set(param::kTableauCount, 6);
        Set(param::kWastePlaced, 0);
        Set(param::kSelectionGame, 1);
        for (int i = 0; i < 6; ++i) {
            Set(param::kTableauDealFlag + i, 1);
            Set(param::kTableauMethod + i, 4);
        }
    }
    SelectOutcome Click(int place) { return fnSelectCard(ctx, pile::Fila(place - 1)); }
};

TEST_F(DecadeTest, TheStockDealsIntoTheNextPlaceOfTheRow) {
    Stock() = Cards({S(4), H(9)});
    Fila(1) = Cards({C(2)});
    ASSERT_TRUE(fnDoMove(ctx, 0, "Add_Tableau_Next"));
    EXPECT_EQ(Fila(2), Cards({H(9)}));
    ASSERT_TRUE(fnDoMove(ctx, 0, "Add_Tableau_Next"));
    EXPECT_EQ(Fila(3), Cards({S(4)}));
    EXPECT_FALSE(fnDoMove(ctx, 0, "Add_Tableau_Next")); // the stock is dealt
}

TEST_F(DecadeTest, ThreeCardsSideBySideAddingUpToTensLeaveAndTheRowClosesUp) {
    Fila(1) = Cards({H(9)});
    Fila(2) = Cards({C(13)});
    Fila(3) = Cards({D(5)});
    Fila(4) = Cards({S(5)});
    Fila(5) = Cards({H(3)});
    EXPECT_EQ(Click(3), SelectOutcome::Selected);
    EXPECT_EQ(Click(5), SelectOutcome::Refused); // not next to the Five of diamonds
    EXPECT_EQ(Click(4), SelectOutcome::Selected);
    // Five and Five make ten, but two cards are no run: a King makes it twenty.
    EXPECT_EQ(Click(2), SelectOutcome::Removed);
    EXPECT_EQ(Discard(), Cards({D(5), S(5), C(13)}));
    EXPECT_EQ(Fila(1), Cards({H(9)}));
    EXPECT_EQ(Fila(2), Cards({H(3)}));
    EXPECT_TRUE(Fila(3).empty());
}

TEST_F(DecadeTest, LostWhenTheStockIsDealtAndNoRunAddsUp) {
    Fila(1) = Cards({H(9)});
    Fila(2) = Cards({C(13)});
    Fila(3) = Cards({D(5)});
    Stock() = Cards({S(2)});
    EXPECT_FALSE(CurrentFamilyRules(ctx).lostTest(ctx)); // the stock may still help
    Stock().clear();
    EXPECT_TRUE(CurrentFamilyRules(ctx).lostTest(ctx)); // 9 + 10 + 5 = 24
    Fila(4) = Cards({H(6)});                            // 10 + 5 + 6 - no; 9 + 10 + 5 + 6 = 30
    EXPECT_FALSE(CurrentFamilyRules(ctx).lostTest(ctx));
}

// Accordion: a row of piles, each going whole onto the pile one or three places to its left.
class AccordionTest : public DecadeTest {
  protected:
    AccordionTest() {
        Set(param::kFamily, family::kAccordion);
        Set(param::kSelectionGame, 0);
        Set(param::kGroupMoves, 0);
        Set(param::kGroupSize, -1);
        Fila(1) = Cards({H(9), C(4)});
        Fila(2) = Cards({D(2)});
        Fila(3) = Cards({S(7)});
        Fila(4) = Cards({H(3), C(7)});
        Stock() = Cards({S(2)});
    }
    bool Drag(int from, int to) {
        return PlayDragMove(ctx, pile::Fila(from - 1), 0, pile::Fila(to - 1));
    }
};

TEST_F(AccordionTest, APileGoesWholeOntoItsFirstOrThirdLeftNeighbourOnSuitOrRank) {
    EXPECT_FALSE(Drag(4, 2)); // two places to the left
    EXPECT_FALSE(Drag(3, 2)); // no suit or rank in common
    EXPECT_TRUE(Drag(4, 1));  // the Seven of clubs onto the Four of clubs, three places left
    EXPECT_EQ(Fila(1), Cards({H(9), C(4), H(3), C(7)}));
    // The piles after it close up the row.
    EXPECT_EQ(Fila(2), Cards({D(2)}));
    EXPECT_EQ(Fila(3), Cards({S(7)}));
    EXPECT_TRUE(Fila(4).empty());
    // Neither the Two of diamonds nor the Seven of spades may move: lost once the stock is
    // dealt.
    EXPECT_FALSE(CurrentFamilyRules(ctx).lostTest(ctx));
    Stock().clear();
    EXPECT_TRUE(CurrentFamilyRules(ctx).lostTest(ctx));
    Stock() = Cards({S(2)});
    ASSERT_TRUE(PlayStockClick(ctx)); // into the next place, after the Seven
    EXPECT_EQ(Fila(4), Cards({S(2)}));
    EXPECT_TRUE(Drag(4, 3)); // the Two of spades onto the Seven of spades
    EXPECT_FALSE(CurrentFamilyRules(ctx).wonTest(ctx));
    Fila(2).clear();
    Fila(3).clear();
    EXPECT_TRUE(CurrentFamilyRules(ctx).wonTest(ctx)); // one pile left, the stock dealt
}

// Labyrinth: columns of rows; the first and last rows are free, and a card beside a gap.
class LabyrinthTest : public PlayTest {
  protected:
    LabyrinthTest() {
        Set(param::kFamily, family::kLabyrinth);
        Set(param::kTableauCount, 2);
        for (int i = 0; i < 2; ++i)
            Set(param::kTableauMethod + i, 4);
        Dest(1) = Cards({H(1)});
        Dest(2) = Cards({S(1)});
        Fila(1) = Cards({C(9), H(3), H(2), D(4)});
        Fila(2) = Cards({S(2), S(3), S(4), D(7)});
    }
    bool Home(int column, int position, int foundation) {
        return PlayDragMove(ctx, pile::Fila(column - 1), position, pile::Dest(foundation - 1));
    }
};

TEST_F(LabyrinthTest, TheFirstAndLastRowsAndTheCardsBesideAGapAreFree) {
    EXPECT_FALSE(Home(1, 2, 1)); // the Two of hearts lies between two cards
    EXPECT_TRUE(Home(2, 0, 2));  // the first row
    // The card taken leaves a gap, which frees the card under it.
    EXPECT_EQ(Fila(2), Cards({0, S(3), S(4), D(7)}));
    EXPECT_TRUE(Home(2, 1, 2));
    EXPECT_TRUE(Home(2, 2, 2));
    EXPECT_EQ(Fila(2), Cards({0, 0, 0, D(7)}));
    EXPECT_FALSE(Home(1, 1, 1)); // the Three of hearts before the Two
    EXPECT_FALSE(Home(1, 2, 1)); // still covered on both sides
}

} // namespace
} // namespace quendra::test
