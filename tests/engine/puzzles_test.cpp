#include "autoplay.h"
#include "families.h"
#include "game_params.h"
#include "play_fixture.h"
#include "pointer.h"
#include "score.h"

namespace quendra::test {
namespace {

// The Eight Puzzle: three rows of three places, the Ace to the Eight of hearts and a gap.
class SlidingPuzzleTest : public PlayTest {
  protected:
    SlidingPuzzleTest() {
        Set(param::kFamily, family::kSlidingPuzzle);
        Set(param::kFoundationCount, 0);
        Set(param::kTableauCount, 9);
        Set(param::kStockPlaced, 0);
        Set(param::kWastePlaced, 0);
        Set(param::kGridRowLength, 3);
        Set(param::kGroupSize, 1);
        for (int i = 0; i < 40; ++i) {
            Set(param::kTableauMethod + i, 70);
            Set(param::kTableauEmptyRule + i, -1);
        }
        // In order but for the Eight, which lies in the last place with the gap before it.
        for (int p = 1; p <= 7; ++p)
            Fila(p) = Cards({H(p)});
        Fila(9) = Cards({H(8)});
    }
};

TEST_F(SlidingPuzzleTest, TheCardsInOrderWithTheGapLastWinWith150) {
    EXPECT_EQ(fnComputeScore(ctx), -52);
    // Only a neighbour of the gap slides into it.
    EXPECT_FALSE(PlayDragMove(ctx, pile::Fila(0), 0, pile::Fila(7)));
    EXPECT_TRUE(PlayDragMove(ctx, pile::Fila(8), 0, pile::Fila(7)));
    EXPECT_TRUE(Fila(9).empty());
    ASSERT_EQ(host.results.size(), 1u);
    EXPECT_TRUE(host.results[0].won);
    EXPECT_EQ(host.results[0].score, 150);
}

TEST_F(SlidingPuzzleTest, TheFifteenPuzzleWantsTheClubsAfterTheHearts) {
    Set(param::kTableauCount, 16);
    Set(param::kGridRowLength, 4);
    for (int p = 1; p <= 13; ++p)
        Fila(p) = Cards({H(p)});
    Fila(14) = Cards({C(2)});
    Fila(15) = Cards({C(1)});
    Fila(16).clear();
    EXPECT_FALSE(fnWonTest(ctx));
    std::swap(Fila(14), Fila(15));
    EXPECT_TRUE(fnWonTest(ctx));
}

// The Tower of Hanoy: three piles, a card onto a higher one or into an empty pile.
TEST_F(PlayTest, TheTowerIsBuiltWhenOnePileRunsFromTheNineUpToTheAce) {
    Set(param::kFamily, family::kTower);
    Set(param::kFoundationCount, 0);
    Set(param::kTableauCount, 3);
    Set(param::kGroupSize, 1);
    for (int i = 0; i < 3; ++i) {
        Set(param::kTableauMethod + i, 76);
        Set(param::kTableauEmptyRule + i, -1);
    }
    Fila(1) = Cards({S(9), S(8), S(7), S(6), S(5), S(4), S(3), S(2)});
    Fila(2) = Cards({S(1)});
    Fila(3).clear();
    EXPECT_FALSE(fnWonTest(ctx));
    EXPECT_EQ(fnComputeScore(ctx), -52);
    EXPECT_TRUE(PlayDragMove(ctx, pile::Fila(0), 7, pile::Fila(2))); // the Two to the space
    EXPECT_FALSE(PlayDragMove(ctx, pile::Fila(2), 0, pile::Fila(1))); // not onto the Ace
    EXPECT_TRUE(PlayDragMove(ctx, pile::Fila(2), 0, pile::Fila(0)));
    EXPECT_TRUE(PlayDragMove(ctx, pile::Fila(1), 0, pile::Fila(0)));
    ASSERT_EQ(host.results.size(), 1u);
    EXPECT_TRUE(host.results[0].won);
    EXPECT_EQ(host.results[0].score, -52 + 225);
}

} // namespace
} // namespace quendra::test
