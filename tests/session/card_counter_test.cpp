#include "card_counter.h"
#include "play_fixture.h"

namespace quendra::test {
namespace {

class CardCounterTest : public PlayTest {
  protected:
    CardCounterTest() {
        Stock() = Cards({C(3), C(2)});
        FaceDown(C(3));
        FaceDown(C(2));
        Waste() = Cards({D(4), D(5)});
        Fila(1) = Cards({S(9), H(8)});
        FaceDown(S(9));
        Dest(1) = Cards({H(1)});
    }
    CounterCell Cell(const CounterGrid& grid, int card) const {
        return grid[static_cast<std::size_t>(card - 1)];
    }
};

TEST_F(CardCounterTest, StockHiddenWasteSeenTableauByFaceAndTheRestNotInPlay) {
    const CounterGrid grid = CountCards(ctx, {});
    EXPECT_EQ(Cell(grid, C(3)), CounterCell::Hidden);
    EXPECT_EQ(Cell(grid, C(2)), CounterCell::Hidden);
    EXPECT_EQ(Cell(grid, D(4)), CounterCell::Seen);
    EXPECT_EQ(Cell(grid, D(5)), CounterCell::Seen);
    EXPECT_EQ(Cell(grid, S(9)), CounterCell::Hidden);
    EXPECT_EQ(Cell(grid, H(8)), CounterCell::Seen);
    EXPECT_EQ(Cell(grid, H(1)), CounterCell::Seen);
    EXPECT_EQ(Cell(grid, S(13)), CounterCell::NotInPlay);
    EXPECT_EQ(CounterRows(ctx), 4);
}

TEST_F(CardCounterTest, AWasteWithoutAStockShowsOnlyItsTopCard) {
    Set(9, 0);
    const CounterGrid grid = CountCards(ctx, {});
    EXPECT_EQ(Cell(grid, D(4)), CounterCell::Hidden);
    EXPECT_EQ(Cell(grid, D(5)), CounterCell::Seen);
}

TEST_F(CardCounterTest, EachOptionLimitsThePartOrSwapsTheCells) {
    const CounterGrid tableau = CountCards(ctx, {.tableauOnly = true});
    EXPECT_EQ(Cell(tableau, C(3)), CounterCell::NotInPlay);
    EXPECT_EQ(Cell(tableau, D(5)), CounterCell::NotInPlay);
    EXPECT_EQ(Cell(tableau, S(9)), CounterCell::Hidden);

    const CounterGrid stock = CountCards(ctx, {.stockOnly = true});
    EXPECT_EQ(Cell(stock, C(3)), CounterCell::Hidden);
    EXPECT_EQ(Cell(stock, S(9)), CounterCell::NotInPlay);
    EXPECT_EQ(Cell(stock, H(1)), CounterCell::NotInPlay);

    // Inverted: a face-down tableau card shows as seen; a card not in play stays so.
    const CounterGrid inverted = CountCards(ctx, {.inverted = true});
    EXPECT_EQ(Cell(inverted, S(9)), CounterCell::Seen);
    EXPECT_EQ(Cell(inverted, H(8)), CounterCell::Hidden);
    EXPECT_EQ(Cell(inverted, S(13)), CounterCell::NotInPlay);
}

TEST_F(CardCounterTest, ReserveCardsAreSeenEvenFaceDown) {
    Set(368, 1);
    Appogg(1) = Cards({S(5)});
    FaceDown(S(5));
    EXPECT_EQ(Cell(CountCards(ctx, {}), S(5)), CounterCell::Seen);
}

TEST_F(CardCounterTest, OnlyATwoDeckGameShowsTheSecondDeck) {
    Fila(2) = Cards({S(5) + 52});
    // In a 52-card game a stray second-deck card never appears.
    EXPECT_EQ(Cell(CountCards(ctx, {}), S(5) + 52), CounterCell::NotInPlay);
    Set(370, 104);
    EXPECT_EQ(CounterRows(ctx), 8);
    EXPECT_EQ(Cell(CountCards(ctx, {}), S(5) + 52), CounterCell::Seen);
    // Piles past the game's own count are not looked at.
    Set(367, 1);
    EXPECT_EQ(Cell(CountCards(ctx, {}), S(5) + 52), CounterCell::NotInPlay);
}

} // namespace
} // namespace quendra::test
