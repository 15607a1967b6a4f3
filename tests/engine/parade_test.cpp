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

// Royal Parade on a small table: three rows of two places (Twos, Threes, Fours as bases,
// built up in suit by threes) and two columns the stock deals onto.
class RoyalParadeTest : public PlayTest {
  protected:
    RoyalParadeTest() {
        Set(param::kFamily, family::kRoyalParade);
        Set(param::kFoundationCount, 0);
        Set(param::kTableauCount, 6);
        Set(param::kTableauLayoutRows, 3);
        Set(param::kReserveCount, 2);
        Set(param::kWastePlaced, 0);
        for (int i = 0; i < 6; ++i) {
            Set(param::kTableauEmptyRule + i, empty_rule::kAny);
            Set(param::kTableauDirection + i, direction::kUp);
            Set(param::kTableauMethod + i, build_method::kInSuitByThree);
        }
        for (int n = 1; n <= 2; ++n) {
            Set(param::kReserveKind + n, reserve_kind::kClosed);
            Set(param::kReserveDealFlag + n - 1, 1); // one card a click
        }
    }
    bool Drag(PileRef from, PileRef to) {
        return PlayDragMove(ctx, from, PileCardCount(ctx.table.Pile(from)) - 1, to);
    }
    static PileRef Place(int n) { return pile::Fila(n - 1); }
    static PileRef Column(int n) { return {PileGroupId::Appogg, n - 1}; }
};

TEST_F(RoyalParadeTest, ABaseInItsRowBuildsUpInSuitByThrees) {
    Fila(1) = Cards({H(2)});
    Appogg(1) = Cards({D(5), H(8), H(7), H(5)});
    EXPECT_TRUE(Drag(Column(1), Place(2))); // an empty place takes any card
    EXPECT_TRUE(Drag(Place(2), Place(1)));  // 2 - 5
    EXPECT_FALSE(Drag(Column(1), Place(1))); // the Seven is no three above the Five
    Appogg(1) = Cards({D(5), H(8)});
    EXPECT_TRUE(Drag(Column(1), Place(1)));  // 2 - 5 - 8
    EXPECT_FALSE(Drag(Column(1), Place(1))); // another suit
    EXPECT_EQ(Fila(1), Cards({H(2), H(5), H(8)}));
    // A base and the cards built on it stay where they are.
    EXPECT_FALSE(CanPickUp(ctx, Place(1), 2).allowed);
    Fila(2) = Cards({C(2)});
    EXPECT_FALSE(CanPickUp(ctx, Place(2), 0).allowed);
}

TEST_F(RoyalParadeTest, ABaseCountsOnlyInItsOwnRow) {
    Fila(3) = Cards({S(2)}); // a Two in the Threes' row: a lone card
    Appogg(1) = Cards({S(5)});
    EXPECT_FALSE(Drag(Column(1), Place(3)));
    EXPECT_TRUE(CanPickUp(ctx, Place(3), 0).allowed);
    // A Two is the base of row 1 only: it may not change places with a lone card of row 3.
    Fila(5) = Cards({C(9)});
    EXPECT_FALSE(Drag(Place(3), Place(5)));
    EXPECT_EQ(Fila(5), Cards({C(9)}));
}

TEST_F(RoyalParadeTest, ABaseChangesPlacesWithALoneCardOfItsRowAndUndoPutsThemBack) {
    Fila(1) = Cards({D(3)}); // a Three lying in the Twos' row
    Fila(3) = Cards({C(9)}); // a lone card in the Threes' row
    Appogg(2) = Cards({H(10), S(4)});
    Fila(6) = Cards({C(7)});
    ASSERT_TRUE(Drag(Place(1), Place(3)));
    EXPECT_EQ(Fila(3), Cards({D(3)}));
    EXPECT_EQ(Fila(1), Cards({C(9)}));
    // From a column: the lone card goes onto the column where the base lay.
    ASSERT_TRUE(Drag(Column(2), Place(6)));
    EXPECT_EQ(Fila(6), Cards({S(4)}));
    EXPECT_EQ(Appogg(2), Cards({H(10), C(7)}));
    EXPECT_EQ(UndoSteps(), 2);
    Undo(ctx);
    EXPECT_EQ(Fila(6), Cards({C(7)}));
    EXPECT_EQ(Appogg(2), Cards({H(10), S(4)}));
    Undo(ctx);
    EXPECT_EQ(Fila(1), Cards({D(3)}));
    EXPECT_EQ(Fila(3), Cards({C(9)}));
}

TEST_F(RoyalParadeTest, TheStockDealsOntoTheColumnsAndAcesAreDiscarded) {
    Stock() = Cards({C(6), H(1)}); // the Ace comes first
    ASSERT_TRUE(PlayStockClick(ctx));
    EXPECT_TRUE(Appogg(1).empty());
    EXPECT_EQ(Appogg(2), Cards({C(6)}));
    EXPECT_EQ(Discard(), Cards({H(1)}));
    EXPECT_EQ(UndoSteps(), 1);
    // Won when every place is built up to its Jack, Queen or King.
    for (int n = 1; n <= 2; ++n) {
        Fila(n) = Cards({H(2), H(5), H(8), H(11)});
        Fila(n + 2) = Cards({S(3), S(6), S(9), S(12)});
        Fila(n + 4) = Cards({D(4), D(7), D(10), D(13)});
    }
    Fila(6).erase(Fila(6).size() - 3);
    EXPECT_FALSE(CurrentFamilyRules(ctx).wonTest(ctx));
    Fila(6) += CardCode(D(13));
    EXPECT_TRUE(CurrentFamilyRules(ctx).wonTest(ctx));
}

TEST_F(RoyalParadeTest, LostOnlyWhenTheStockIsDealtAndNoCardMovesToAnyPurpose) {
    Fila(1) = Cards({H(2)});
    Fila(3) = Cards({C(9)}); // a lone card in the Threes' row
    Fila(5) = Cards({D(4)});
    Fila(6) = Cards({S(4)});
    Appogg(1) = Cards({S(3), H(7)});
    Stock() = Cards({C(6)});
    const auto lost = CurrentFamilyRules(ctx).lostTest;
    EXPECT_FALSE(lost(ctx)); // the stock may still bring a card
    Stock().clear();
    EXPECT_FALSE(lost(ctx)); // a column's card into the empty place 2
    Fila(2) = Cards({C(2)});
    Fila(4) = Cards({D(3)});
    EXPECT_TRUE(lost(ctx)); // neither the Seven nor the lone Nine continues a base
    Appogg(1) = Cards({H(7), S(3)}); // a Three to change places with the Nine
    EXPECT_FALSE(lost(ctx));
}

} // namespace
} // namespace quendra::test
