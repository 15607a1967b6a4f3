#include "families.h"
#include "play_fixture.h"
#include "pointer.h"

namespace quendra::test {
namespace {

// Two rows of Monte Carlo's grid (five places a row), a stock that fills the places left at
// the end, a discard pile for the pairs.
class MonteCarloTest : public PlayTest {
  protected:
    MonteCarloTest() {
        Set(50, family::kMonteCarlo);
        Set(39, 1);
        Set(366, 0);
        Set(367, 10);
        Set(10, 0);
        Set(15, 1);
        const int grid[] = {H(3), H(5), D(3), C(9), C(4), S(5), D(9), S(8), H(8), D(4)};
        for (int i = 0; i < 10; ++i)
            Fila(i + 1) = Cards({grid[i]});
    }
    std::string Grid() {
        std::string all;
        for (int i = 1; i <= 10; ++i)
            all += Fila(i).empty() ? std::string("---") : Fila(i);
        return all;
    }
};

TEST_F(MonteCarloTest, ACardThatDoesNotTouchTheSelectedOneIsRefused) {
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(0)), SelectOutcome::Selected); // 3 of hearts
    // The 3 of diamonds two places along the row does not touch it.
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(2)), SelectOutcome::Refused);
    // The 9 of diamonds touches it corner to corner but is of another rank.
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(6)), SelectOutcome::Refused);
    EXPECT_EQ(host.beeps, 2);
    EXPECT_EQ(Dest(1), Cards({H(3)}));
}

TEST_F(MonteCarloTest, ATouchingPairLeavesAndTheGridClosesUpInOneStep) {
    // The 5 of hearts (row 1, column 2) and the 5 of spades (row 2, column 1) touch corner to
    // corner.
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(1)), SelectOutcome::Selected);
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(5)), SelectOutcome::Removed);
    EXPECT_EQ(Discard(), Cards({H(5), S(5)}));
    EXPECT_EQ(Grid(), Cards({H(3), D(3), C(9), C(4), D(9), S(8), H(8), D(4)}) + "------");
    // Closed up, the Threes touch now.
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(0)), SelectOutcome::Selected);
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(1)), SelectOutcome::Removed);
    EXPECT_EQ(UndoSteps(), 2);
}

TEST_F(MonteCarloTest, TheStockFillsThePlacesAtTheEndAndOnlyWhenThereAreSome) {
    Stock() = Cards({C(1), C(2), C(3)});
    // No gap: the click does nothing and records nothing.
    EXPECT_FALSE(PlayStockClick(ctx));
    EXPECT_EQ(UndoSteps(), 0);
    fnSelectCard(ctx, pile::Fila(7)); // the Eights
    fnSelectCard(ctx, pile::Fila(8));
    ASSERT_EQ(UndoSteps(), 1);
    EXPECT_TRUE(PlayStockClick(ctx));
    EXPECT_EQ(Grid(), Cards({H(3), H(5), D(3), C(9), C(4), S(5), D(9), D(4), C(3), C(2)}));
    EXPECT_EQ(Stock(), Cards({C(1)}));
    EXPECT_EQ(UndoSteps(), 2);
}

TEST_F(MonteCarloTest, LostWhenNothingTouchesAndNoCardCanCome) {
    const auto lost = FamilyRulesFor(family::kMonteCarlo).lostTest;
    ASSERT_NE(lost, nullptr);
    Fila(2) = Cards({C(12)}); // the 5 of hearts goes: no pair touches now
    Fila(9).clear();
    Fila(10).clear();
    EXPECT_TRUE(lost(ctx));
    // A card in the stock could fill the grid.
    Stock() = Cards({C(1)});
    EXPECT_FALSE(lost(ctx));
    // Without a gap, it could not.
    Fila(9) = Cards({C(7)});
    Fila(10) = Cards({C(6)});
    EXPECT_TRUE(lost(ctx));
    // An empty grid is won, not lost.
    for (int i = 1; i <= 10; ++i)
        Fila(i).clear();
    Stock().clear();
    EXPECT_FALSE(lost(ctx));
}

TEST_F(MonteCarloTest, NeighbourTakesTouchingThirteensAndAKingAlone) {
    Set(50, family::kNeighbour);
    Fila(1) = Cards({S(13)});
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(0)), SelectOutcome::Removed);
    EXPECT_EQ(Discard(), Cards({S(13)}));
    EXPECT_EQ(Fila(1), Cards({H(5)}));
    // The 9 and the 4 of clubs touch in the closed-up row and add up to 13.
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(2)), SelectOutcome::Selected);
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(3)), SelectOutcome::Removed);
    // Now the 5 of hearts heads the first row and the 8 of spades ends it: they add up to 13
    // but do not touch.
    ASSERT_EQ(Fila(5), Cards({S(8)}));
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(0)), SelectOutcome::Selected);
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(4)), SelectOutcome::Refused);
}

} // namespace
} // namespace quendra::test
