#include "autoplay.h"
#include "families.h"
#include "legality.h"
#include "play_fixture.h"
#include "pointer.h"

namespace quendra::test {
namespace {

// A small pairing table: family 4 (pairs adding up to 13, a King alone), cards selected with
// the click (parameter 39), three tableau piles, a discard pile for the removed cards.
class SelectionTest : public PlayTest {
  protected:
    SelectionTest() {
        Set(50, 4);
        Set(39, 1);
        Set(366, 1);
        Set(367, 3);
        Fila(1) = Cards({H(9), H(6)});
        Fila(2) = Cards({S(2), C(7)});
        Fila(3) = Cards({D(4), S(13)});
    }
    std::string Selected() { return Dest(1); }
};

TEST_F(SelectionTest, AClickSelectsAndASecondClickDeselects) {
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(0)), SelectOutcome::Selected);
    EXPECT_EQ(Selected(), Cards({H(6)}));
    // The card stays on its pile while it is selected.
    EXPECT_EQ(Fila(1), Cards({H(9), H(6)}));
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(0)), SelectOutcome::Deselected);
    EXPECT_TRUE(Selected().empty());
    EXPECT_EQ(host.beeps, 0);
    EXPECT_EQ(UndoSteps(), 0);
}

TEST_F(SelectionTest, APairAddingUpToThirteenLeavesTheTableWithThePairingSound) {
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(0)), SelectOutcome::Selected);
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(1)), SelectOutcome::Removed);
    EXPECT_EQ(Fila(1), Cards({H(9)}));
    EXPECT_EQ(Fila(2), Cards({S(2)}));
    EXPECT_TRUE(Selected().empty());
    EXPECT_EQ(PileCardCount(Discard()), 2);
    ASSERT_FALSE(host.sounds.empty());
    EXPECT_NE(std::find(host.sounds.begin(), host.sounds.end(), "Pairing"), host.sounds.end());
    // The removal is one step the player can take back.
    EXPECT_EQ(UndoSteps(), 1);
}

TEST_F(SelectionTest, AKingAloneLeavesAtOnce) {
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(2)), SelectOutcome::Removed);
    EXPECT_EQ(Fila(3), Cards({D(4)}));
    EXPECT_EQ(Discard(), Cards({S(13)}));
}

TEST_F(SelectionTest, ACardThatMakesNoPairIsRefusedWithABeep) {
    Fila(2) = Cards({S(2), C(3)});
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(0)), SelectOutcome::Selected); // 6
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(1)), SelectOutcome::Refused);  // 3: 9
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(Selected(), Cards({H(6)}));
    EXPECT_TRUE(Discard().empty());
    Fila(2) = Cards({S(2), C(7)});
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(1)), SelectOutcome::Removed); // 6 + 7
}

TEST_F(SelectionTest, PairsOfTheFamilyThreeAddUpToFourteen) {
    Set(50, 3);
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(0)), SelectOutcome::Selected); // 6
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(1)), SelectOutcome::Refused);  // 7: 13 is no pair here
    EXPECT_TRUE(Discard().empty());
    Fila(3) = Cards({D(4), S(8)});
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(2)), SelectOutcome::Removed); // 6 + 8
    EXPECT_EQ(Fila(3), Cards({D(4)}));
    EXPECT_EQ(Fila(1), Cards({H(9)}));
}

TEST_F(SelectionTest, EmptyPilesAndSilentPairs) {
    ctx.table.FilaGroup[0].clear();
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(0)), SelectOutcome::Refused);
    EXPECT_EQ(host.beeps, 1);
    EXPECT_TRUE(Selected().empty());
    // Without its switch the pair leaves without a sound.
    SetSetting(ctx.settings, field::kSoundsPairing, "N");
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(2)), SelectOutcome::Removed);
    EXPECT_EQ(std::find(host.sounds.begin(), host.sounds.end(), "Pairing"), host.sounds.end());
}

TEST_F(SelectionTest, WhichClicksSelect) {
    EXPECT_TRUE(fnClickSelects(ctx, pile::Fila(0)));
    EXPECT_FALSE(fnClickSelects(ctx, pile::Dest(0)));
    // The pyramid family selects from the waste, and from the stock while a card is selected.
    Waste() = Cards({C(5)});
    Stock() = Cards({C(8)});
    EXPECT_TRUE(fnClickSelects(ctx, pile::Stock(kMazzoVis)));
    EXPECT_FALSE(fnClickSelects(ctx, pile::Stock(kMazzo)));
    EXPECT_EQ(fnSelectCard(ctx, pile::Stock(kMazzoVis)), SelectOutcome::Selected);
    // A face-down stock's card is never paired; one that lies face up is.
    EXPECT_FALSE(fnClickSelects(ctx, pile::Stock(kMazzo)));
    Set(7, 0);
    EXPECT_TRUE(fnClickSelects(ctx, pile::Stock(kMazzo)));
    EXPECT_EQ(fnSelectCard(ctx, pile::Stock(kMazzo)), SelectOutcome::Removed); // 5 + 8
    EXPECT_TRUE(Stock().empty());
    EXPECT_TRUE(Waste().empty());
    // A game of another family without the click-to-select plays by dragging.
    Set(50, 0);
    Set(39, 0);
    EXPECT_FALSE(fnClickSelects(ctx, pile::Fila(0)));
    Set(39, 1);
    EXPECT_TRUE(fnClickSelects(ctx, pile::Fila(0)));
    EXPECT_FALSE(fnClickSelects(ctx, pile::Stock(kMazzoVis)));
    Set(50, 41);
    EXPECT_TRUE(fnClickSelects(ctx, pile::Stock(kMazzoVis)));
}

// Family 16: two cards of one rank make a pair, from the tableau or a reserve.
TEST_F(SelectionTest, PairsOfOneRankLeaveTheTable) {
    Set(50, family::kPairsOfRank);
    Set(368, 1);
    Appogg(1) = Cards({C(6)});
    EXPECT_TRUE(fnClickSelects(ctx, pile::Appogg(0)));
    EXPECT_FALSE(fnClickSelects(ctx, pile::Stock(kMazzo)));
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(0)), SelectOutcome::Selected);  // 6
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(1)), SelectOutcome::Refused);   // 7: no pair
    EXPECT_EQ(fnSelectCard(ctx, pile::Appogg(0)), SelectOutcome::Removed); // 6 and 6
    EXPECT_EQ(Discard(), Cards({H(6), C(6)}));
    EXPECT_TRUE(Appogg(1).empty());
}

// The pairing games are lost when no free card makes a pair and the stock brings no more; a
// face-down top card still to turn, or a stock that deals, leaves the game open.
TEST_F(SelectionTest, LostWhenNoFreeCardsMakeAPair) {
    Set(50, family::kPairsOfRank);
    Fila(2) = Cards({S(2), C(8)}); // tops 6, 8 and King
    EXPECT_TRUE(CurrentFamilyRules(ctx).lostTest(ctx));
    FaceDown(S(13));
    EXPECT_FALSE(CurrentFamilyRules(ctx).lostTest(ctx));
    ctx.cardTable.SetFace(S(13), '1');
    Stock() = Cards({D(9)});
    EXPECT_FALSE(CurrentFamilyRules(ctx).lostTest(ctx));
    Stock().clear();
    Set(50, family::kPyramid); // the King leaves alone
    EXPECT_FALSE(CurrentFamilyRules(ctx).lostTest(ctx));
    Fila(3) = Cards({D(4), S(9)});
    EXPECT_TRUE(CurrentFamilyRules(ctx).lostTest(ctx));
}

// The pyramid: a card lies free once both cards of the row below that lie on it are gone.
TEST_F(SelectionTest, ACoveredPyramidCardIsRefusedUntilBothCardsOnItAreGone) {
    Set(25, 3);
    Set(26, 1);
    Fila(1) = Cards({C(13)});
    Fila(2) = Cards({H(6)});
    Fila(3) = Cards({S(7)});
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(0)), SelectOutcome::Refused);
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(1)), SelectOutcome::Selected);
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(2)), SelectOutcome::Removed);
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(0)), SelectOutcome::Removed); // the King alone
    EXPECT_EQ(host.beeps, 1);
}

// A card below the top is selected where the game lets it be lifted (Giza's piles, any
// face-up card moving with the cards on it), and refused where only the top card is free.
TEST_F(SelectionTest, ACardBelowTheTopIsSelectedWhereItMayBeLifted) {
    Fila(2) = Cards({S(7), C(2)});
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(0), 0), SelectOutcome::Refused); // the Nine
    Set(2, 0);
    Set(13, -1);
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(0), 0), SelectOutcome::Selected);
    ASSERT_TRUE(PlayPileClick(ctx, pile::Fila(0), 0)); // taken back
    EXPECT_TRUE(Selected().empty());
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(0), 1), SelectOutcome::Selected); // 6
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(1), 0), SelectOutcome::Removed);  // 7
    EXPECT_EQ(Fila(1), Cards({H(9)}));
    EXPECT_EQ(Fila(2), Cards({C(2)}));
}

// Royal Marriage: one card, or two side by side, between two cards of one suit or one rank
// leave the row; won with the stock dealt and four cards left, lost with more and no match.
TEST_F(SelectionTest, CardsBetweenAMatchLeaveTheRow) {
    Set(50, family::kRoyalMarriage);
    Set(367, 1);
    Set(2, 0);
    Set(13, -1);
    Fila(1) = Cards({H(12), C(1), C(10), S(12), D(3), S(5)});
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(0), 4), SelectOutcome::Removed); // between spades
    EXPECT_EQ(Fila(1), Cards({H(12), C(1), C(10), S(12), S(5)}));
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(0), 2), SelectOutcome::Selected); // the Ten alone: no
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(0), 4), SelectOutcome::Refused);  // not beside it
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(0), 1), SelectOutcome::Removed);  // between Queens
    EXPECT_EQ(Fila(1), Cards({H(12), S(12), S(5)}));
    EXPECT_TRUE(ctx.flags[GameStateFlags::kWon]);
    Stock() = Cards({D(9)});
    Fila(1) = Cards({H(12), C(1), D(10), S(2), S(5), H(13)});
    EXPECT_FALSE(CurrentFamilyRules(ctx).wonTest(ctx));
    EXPECT_FALSE(CurrentFamilyRules(ctx).lostTest(ctx)); // the stock still deals
    Stock().clear();
    EXPECT_TRUE(CurrentFamilyRules(ctx).lostTest(ctx));
}

// The command line and the searches click as the pointer does; the gaps a pair leaves are
// filled from the stock within the pair's own step.
TEST_F(SelectionTest, APileClickSelectsAndThePairsGapsFillInTheSameStep) {
    Set(50, family::kPairsOfRank);
    Set(23, 3);
    Set(10, 0);
    Fila(1) = Cards({H(6)});
    Fila(2) = Cards({S(6)});
    Stock() = Cards({D(1), D(2)});
    ASSERT_TRUE(PlayPileClick(ctx, pile::Fila(0)));
    ASSERT_TRUE(PlayPileClick(ctx, pile::Fila(1)));
    EXPECT_EQ(Fila(1), Cards({D(2)}));
    EXPECT_EQ(Fila(2), Cards({D(1)}));
    EXPECT_TRUE(Stock().empty());
    EXPECT_EQ(UndoSteps(), 1);
}

// A face-down top card turns up with the click; the cards a pair uncovers turn up by
// themselves.
TEST_F(SelectionTest, FaceDownCardsTurnUpByTheClickOrWhenAPairUncoversThem) {
    Set(50, family::kPairsOfRank);
    Fila(2) = Cards({S(2), S(6)});
    FaceDown(H(9));
    FaceDown(S(2));
    FaceDown(S(13));
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(2)), SelectOutcome::TurnedUp);
    EXPECT_TRUE(IsFaceUp(ctx, S(13)));
    EXPECT_TRUE(Selected().empty());
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(0)), SelectOutcome::Selected);
    EXPECT_EQ(fnSelectCard(ctx, pile::Fila(1)), SelectOutcome::Removed);
    EXPECT_TRUE(IsFaceUp(ctx, H(9)));
    EXPECT_TRUE(IsFaceUp(ctx, S(2)));
    EXPECT_EQ(UndoSteps(), 2);
}

// Cards going home fly there, whether sent by the player or by automatic play.
TEST_F(PlayTest, FoundationMovesFly) {
    Fila(1) = Cards({C(5), H(1)});
    Fila(2) = Cards({D(9), H(2)});
    ASSERT_TRUE(PlaySend(ctx, pile::Fila(0), 1));
    EXPECT_EQ(Dest(1), Cards({H(1)}));
    EXPECT_EQ(host.flights, std::vector<int>{H(1)});
    ctx.play.autoplayTicked = true;
    ASSERT_TRUE(fnAutoplay(ctx, false));
    EXPECT_EQ(Dest(1), Cards({H(1), H(2)}));
    EXPECT_EQ(host.flights, (std::vector<int>{H(1), H(2)}));
}

} // namespace
} // namespace quendra::test
