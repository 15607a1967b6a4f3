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

} // namespace
} // namespace quendra::test
