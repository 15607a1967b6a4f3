#include "families.h"
#include "game_params.h"
#include "legality.h"
#include "play_fixture.h"
#include "pointer.h"

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

} // namespace
} // namespace quendra::test
