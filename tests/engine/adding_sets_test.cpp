#include "families.h"
#include "play_fixture.h"
#include "pointer.h"

namespace quendra::test {
namespace {

// A row of single cards of the adding games; the sets leave for the discard pile.
class AddingSetsTest : public PlayTest {
  protected:
    AddingSetsTest() {
        Set(39, 1);
        Set(366, 0);
        Set(367, 8);
        Set(10, 0);
    }
    void Deal(std::initializer_list<int> cards) {
        int i = 1;
        for (const int card : cards)
            Fila(i++) = Cards({card});
    }
    SelectOutcome Click(int pileNumber) { return fnSelectCard(ctx, pile::Fila(pileNumber - 1)); }
};

TEST_F(AddingSetsTest, ElevensTakesAPairOfElevenOrJackQueenAndKing) {
    Set(50, family::kElevens);
    Deal({H(11), S(12), D(13), C(10), H(1), C(11), S(6)});
    EXPECT_EQ(Click(1), SelectOutcome::Selected);
    // A second Jack, or a Ten, cannot make a set with the Jack.
    EXPECT_EQ(Click(6), SelectOutcome::Refused);
    EXPECT_EQ(Click(4), SelectOutcome::Refused);
    EXPECT_EQ(Click(2), SelectOutcome::Selected);
    EXPECT_EQ(Click(3), SelectOutcome::Removed);
    EXPECT_EQ(Discard(), Cards({H(11), S(12), D(13)}));
    EXPECT_EQ(Click(4), SelectOutcome::Selected);
    EXPECT_EQ(Click(5), SelectOutcome::Removed); // Ten and Ace
    EXPECT_EQ(host.beeps, 2);
}

TEST_F(AddingSetsTest, FifteensTakesAnyCardsAddingUpToFifteenOrFourOfAKind) {
    Set(50, family::kFifteens);
    Deal({H(2), S(3), D(4), C(6), H(12), S(12), D(12), C(12)});
    EXPECT_EQ(Click(1), SelectOutcome::Selected);
    EXPECT_EQ(Click(2), SelectOutcome::Selected);
    EXPECT_EQ(Click(3), SelectOutcome::Selected);
    // 2 + 3 + 4 + 6 = 15: the fourth card completes it.
    EXPECT_EQ(Click(4), SelectOutcome::Removed);
    EXPECT_EQ(PileCardCount(Discard()), 4);
    // A Queen takes no part in a sum; four Queens go together.
    Fila(1) = Cards({S(9)});
    EXPECT_EQ(Click(1), SelectOutcome::Selected);
    EXPECT_EQ(Click(5), SelectOutcome::Refused);
    EXPECT_EQ(Click(1), SelectOutcome::Deselected);
    for (int pile = 5; pile <= 7; ++pile)
        EXPECT_EQ(Click(pile), SelectOutcome::Selected);
    EXPECT_EQ(Click(8), SelectOutcome::Removed);
}

TEST_F(AddingSetsTest, EighteensTakesACourtCardWithThreeDifferentRanksAndAnAceAlone) {
    Set(50, family::kEighteens);
    Deal({H(1), S(11), D(10), C(5), H(5), S(3), D(13)});
    EXPECT_EQ(Click(1), SelectOutcome::Removed); // the Ace alone
    EXPECT_EQ(Click(2), SelectOutcome::Selected);
    EXPECT_EQ(Click(3), SelectOutcome::Selected);
    EXPECT_EQ(Click(4), SelectOutcome::Selected);
    // A second Five, or a second court card, cannot join.
    EXPECT_EQ(Click(5), SelectOutcome::Refused);
    EXPECT_EQ(Click(7), SelectOutcome::Refused);
    EXPECT_EQ(Click(6), SelectOutcome::Removed); // Jack with 10 + 5 + 3
    EXPECT_EQ(PileCardCount(Discard()), 5);
}

TEST_F(AddingSetsTest, TensAndBlockTenAndGayGordonsPairTheirCourtCardsEachTheirOwnWay) {
    Deal({H(12), S(12), D(12), C(12), H(13), S(4), D(6)});
    // Tens: four Queens together.
    Set(50, family::kTens);
    for (int pile = 1; pile <= 3; ++pile)
        EXPECT_EQ(Click(pile), SelectOutcome::Selected);
    EXPECT_EQ(Click(5), SelectOutcome::Refused);
    EXPECT_EQ(Click(4), SelectOutcome::Removed);
    // Block Ten: two Queens are a pair.
    Deal({H(12), S(12), D(12), C(12), H(13), S(4), D(6)});
    Discard().clear();
    Set(50, family::kBlockTen);
    EXPECT_EQ(Click(1), SelectOutcome::Selected);
    EXPECT_EQ(Click(2), SelectOutcome::Removed);
    EXPECT_EQ(Click(6), SelectOutcome::Selected);
    EXPECT_EQ(Click(7), SelectOutcome::Removed); // 4 + 6
    // Gay Gordons: a Queen goes with a King, not with a Queen.
    Set(50, family::kGayGordons);
    EXPECT_EQ(Click(3), SelectOutcome::Selected);
    EXPECT_EQ(Click(4), SelectOutcome::Refused);
    EXPECT_EQ(Click(5), SelectOutcome::Removed);
}

TEST_F(AddingSetsTest, LostWhenTheCardsAClickMaySelectMakeNoSet) {
    Set(50, family::kFifteens);
    const auto lost = FamilyRulesFor(family::kFifteens).lostTest;
    ASSERT_NE(lost, nullptr);
    Deal({H(9), S(9), D(8), C(12), H(12), S(12)});
    EXPECT_TRUE(lost(ctx));
    // 9 + 4 + 2 = 15, three cards deep in the search.
    Fila(7) = Cards({C(4)});
    Fila(8) = Cards({C(2)});
    EXPECT_FALSE(lost(ctx));
    // Only the top card of a pile may be selected.
    Fila(8) = Cards({C(2), D(13)});
    EXPECT_TRUE(lost(ctx));
    // Gay Gordons: a King on a reserve pairs with a Queen, the family selecting from there.
    Set(50, family::kGayGordons);
    Set(368, 1);
    Deal({H(9), S(9), D(12), C(12)});
    for (int pile = 5; pile <= 8; ++pile)
        Fila(pile).clear();
    EXPECT_TRUE(FamilyRulesFor(family::kGayGordons).lostTest(ctx));
    Appogg(1) = Cards({H(13)});
    EXPECT_FALSE(FamilyRulesFor(family::kGayGordons).lostTest(ctx));
    // A table with no card left is won, not lost.
    for (int pile = 1; pile <= 4; ++pile)
        Fila(pile).clear();
    Appogg(1).clear();
    EXPECT_FALSE(FamilyRulesFor(family::kGayGordons).lostTest(ctx));
}

} // namespace
} // namespace quendra::test
