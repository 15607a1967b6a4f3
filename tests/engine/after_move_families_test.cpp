#include "autoplay.h"
#include "building.h"
#include "families.h"
#include "game_params.h"
#include "legality.h"
#include "moves.h"
#include "pick_up.h"
#include "play_fixture.h"

namespace quendra::test {
namespace {

// The Clock: thirteen piles, a card goes only onto the pile of its rank (method 73).
class ClockFamilyTest : public PlayTest {
  protected:
    ClockFamilyTest() {
        Set(param::kFamily, family::kClock);
        Set(param::kFoundationCount, 0);
        Set(param::kTableauCount, 13);
        Set(param::kMaxScore, 208);
        Set(42, 0);
        for (int i = 0; i < 13; ++i)
            Set(param::kTableauMethod + i, 73);
    }
    // Pile k holds the given cards, all face down.
    void DealFaceDown(int pile, std::initializer_list<int> cards) {
        Fila(pile) = Cards(cards);
        for (int card : cards)
            FaceDown(card);
    }
};

TEST_F(ClockFamilyTest, ACardGoesUnderThePileOfItsRankWhichTurnsUpItsNextCard) {
    DealFaceDown(5, {D(9), C(2), H(8)});
    Fila(13) = Cards({S(5)});
    EXPECT_FALSE(fnCanDropOnTableau(ctx, 3, S(5))); // not the Four's pile
    ASSERT_TRUE(fnCanDropOnTableau(ctx, 4, S(5)));  // onto the face-down top of pile 5
    ASSERT_TRUE(fnDoMove(ctx, S(5), "Fila5"));
    EXPECT_EQ(Fila(5), Cards({S(5), D(9), C(2), H(8)}));
    EXPECT_EQ(Face(S(5)), '1');
    EXPECT_EQ(Face(H(8)), '1');
    EXPECT_EQ(Face(C(2)), '0');
}

TEST_F(ClockFamilyTest, ACardTurnedUpOnItsOwnPileGoesUnderItAtOnce) {
    DealFaceDown(7, {D(3), C(7), H(7)});
    Fila(13) = Cards({S(7)});
    ASSERT_TRUE(fnDoMove(ctx, S(7), "Fila7"));
    // The Seven of hearts turned up at home and went under; then the Seven of clubs; the
    // Three shows.
    EXPECT_EQ(Fila(7), Cards({C(7), H(7), S(7), D(3)}));
    EXPECT_EQ(Face(D(3)), '1');
}

TEST_F(ClockFamilyTest, AClickTurnsNoFaceDownCard) {
    DealFaceDown(2, {D(9), C(4)});
    const PickUp pick = CanPickUp(ctx, pile::Fila(1), 1);
    EXPECT_FALSE(pick.turnFaceDownCard);
    EXPECT_FALSE(pick.allowed);
}

TEST_F(ClockFamilyTest, TheFourthKingHomeTooSoonLosesTheGame) {
    DealFaceDown(1, {D(1)});
    Fila(13) = Cards({H(13), D(13), C(13)});
    Fila(12) = Cards({S(13)});
    ASSERT_TRUE(fnDoMove(ctx, S(13), "Fila13"));
    EXPECT_EQ(host.informations.size(), 1u);
    EXPECT_FALSE(ctx.flags[GameStateFlags::kInPlay]);
    ASSERT_EQ(host.results.size(), 1u);
    EXPECT_FALSE(host.results[0].won);
}

TEST_F(ClockFamilyTest, TheLastCardHomeWins) {
    // Every pile complete but the centre; the last King shows on the Queens' pile.
    for (int pile = 1; pile <= 12; ++pile)
        Fila(pile) = Cards({H(pile), D(pile), C(pile), S(pile)});
    Fila(12) += Cards({S(13)});
    Fila(13) = Cards({H(13), D(13), C(13)});
    ASSERT_TRUE(fnDoMove(ctx, S(13), "Fila13"));
    EXPECT_TRUE(host.informations.empty());
    EXPECT_TRUE(ctx.flags[GameStateFlags::kWon]);
}

} // namespace
} // namespace quendra::test

namespace quendra::test {
namespace {

// Perpetual Motion: four piles, a card goes onto a pile to its left with its rank (method
// 56), one card dealt onto each pile a click.
class FourOfAKindTest : public PlayTest {
  protected:
    FourOfAKindTest() {
        Set(param::kFamily, family::kFourOfAKind);
        Set(param::kFoundationCount, 0);
        Set(param::kTableauCount, 4);
        Set(param::kWastePlaced, 0);
        for (int i = 0; i < 4; ++i) {
            Set(param::kTableauMethod + i, 56);
            Set(param::kTableauEmptyRule + i, 0);
            Set(291 + i, 1);
        }
    }
};

TEST_F(FourOfAKindTest, TheFourthCardOfARankOnAPileSendsAllFourToTheDiscardPile) {
    Fila(1) = Cards({H(2), H(7), D(7)});
    Fila(3) = Cards({C(7)});
    Fila(4) = Cards({S(7)});
    ASSERT_TRUE(fnDoMove(ctx, C(7), "Fila1"));
    EXPECT_TRUE(Discard().empty()); // three Sevens are not a set
    ASSERT_TRUE(fnDoMove(ctx, S(7), "Fila1"));
    EXPECT_EQ(Fila(1), Cards({H(2)}));
    EXPECT_EQ(Discard(), Cards({S(7), C(7), D(7), H(7)}));
}

TEST_F(FourOfAKindTest, TheLastSetLeavingWinsTheGame) {
    Fila(1) = Cards({H(4), D(4), C(4)});
    Fila(2) = Cards({S(4)});
    ASSERT_TRUE(fnDoMove(ctx, S(4), "Fila1"));
    EXPECT_TRUE(ctx.flags[GameStateFlags::kWon]);
}

TEST_F(FourOfAKindTest, ASetCompletedByTheDealLeavesToo) {
    Fila(1) = Cards({H(5), D(5), C(5)});
    Fila(2) = Cards({H(9)});
    Stock() = Cards({D(1), S(9), C(2), S(5)}); // the Five of spades is dealt first
    ASSERT_TRUE(fnDoMove(ctx, 0, "Add_Tableaus"));
    EXPECT_TRUE(Fila(1).empty());
    EXPECT_EQ(Fila(2), Cards({H(9), C(2)}));
    EXPECT_EQ(Discard(), Cards({S(5), C(5), D(5), H(5)}));
}

} // namespace
} // namespace quendra::test

namespace quendra::test {
namespace {

// Queen's Audience: foundations 1-4 the Aces, 5-8 the Jacks built down in suit (method
// 62), 9-12 the Queens, 13-16 the Kings.
class PartnerHomeTest : public PlayTest {
  protected:
    PartnerHomeTest() {
        Set(param::kFamily, family::kQueensAudience);
        Set(param::kFoundationCount, 16);
        Set(param::kTableauCount, 4);
        Set(32, 10);
        const int bases[] = {1, 11, 12, 13};
        for (int i = 0; i < 16; ++i) {
            Set(param::kFoundationBase + i, bases[i / 4]);
            Set(param::kFoundationMethod + i, i / 4 == 1 || i / 4 == 3 ? 62 : 4);
            Set(param::kFoundationDirection + i, 0);
        }
        for (int i = 0; i < 4; ++i)
            Set(param::kTableauMethod + i, 4);
    }
};

TEST_F(PartnerHomeTest, AKingGoesUpOnlyBesideItsFreeQueenWhichFollowsIt) {
    Fila(1) = Cards({S(13)});
    Fila(2) = Cards({S(12), D(4)});
    EXPECT_FALSE(fnCanDropOnFoundation(ctx, 12, S(13))); // the Queen lies covered
    Fila(3) = Cards({D(4)});
    Fila(2) = Cards({S(12)});
    ASSERT_TRUE(fnCanDropOnFoundation(ctx, 13, S(13)));
    ASSERT_TRUE(fnDoMove(ctx, S(13), "Dest14"));
    EXPECT_EQ(Dest(14), Cards({S(13)}));
    EXPECT_EQ(Dest(10), Cards({S(12)})); // four places before the King
    EXPECT_TRUE(Fila(2).empty());
    EXPECT_EQ(UndoSteps(), 1); // one step takes both back
}

TEST_F(PartnerHomeTest, AJackBringsItsAceFromTheWaste) {
    Fila(1) = Cards({C(11)});
    Waste() = Cards({H(3), C(1)});
    ASSERT_TRUE(fnDoMove(ctx, C(11), "Dest5"));
    EXPECT_EQ(Dest(1), Cards({C(1)}));
    EXPECT_EQ(Waste(), Cards({H(3)}));
    // The Ten of clubs builds down on the Jack; the Queen never goes alone.
    Fila(2) = Cards({C(10), C(12)});
    EXPECT_FALSE(fnCanDropOnFoundation(ctx, 8, C(12)));
    Fila(2) = Cards({C(10)});
    EXPECT_TRUE(fnCanDropOnFoundation(ctx, 4, C(10)));
}

} // namespace
} // namespace quendra::test

namespace quendra::test {
namespace {

TEST_F(PlayTest, SameRankTakesACardOfItsRankInAnySuit) {
    Set(param::kTableauMethod, build_method::kSameRank);
    Set(param::kTableauEmptyRule + 1, -1);
    Set(param::kTableauMethod + 1, build_method::kSameRank);
    Fila(1) = Cards({D(7)});
    Waste() = Cards({S(7)});
    EXPECT_TRUE(fnCanDropOnTableau(ctx, 0, S(7)));
    Waste() = Cards({D(6)});
    EXPECT_FALSE(fnCanDropOnTableau(ctx, 0, D(6)));
    EXPECT_TRUE(fnCanDropOnTableau(ctx, 1, D(6))); // a space takes by its rule
}

TEST_F(PlayTest, ByIndicatorBuildsFoundationNineByTheRankOfFoundationOne) {
    Set(param::kFoundationCount, 16);
    Set(param::kFoundationMethod + 8, build_method::kByIndicator);
    Set(param::kFoundationBase + 8, 6);
    Dest(1) = Cards({C(3)}); // the indicator: steps of three
    Waste() = Cards({H(9)});
    EXPECT_FALSE(fnCanDropOnFoundation(ctx, 8, H(9))); // the empty one starts at twice three
    Waste() = Cards({S(6)});
    ASSERT_TRUE(fnCanDropOnFoundation(ctx, 8, S(6)));
    Dest(9) = Cards({S(6)});
    Waste() = Cards({H(8)});
    EXPECT_FALSE(fnCanDropOnFoundation(ctx, 8, H(8)));
    Waste() = Cards({H(9)});
    EXPECT_TRUE(fnCanDropOnFoundation(ctx, 8, H(9)));
    // Round past the King: a Queen takes a Two.
    Dest(9) = Cards({S(12)});
    Waste() = Cards({D(2)});
    EXPECT_TRUE(fnCanDropOnFoundation(ctx, 8, D(2)));
}

} // namespace
} // namespace quendra::test
