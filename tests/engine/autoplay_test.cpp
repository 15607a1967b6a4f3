#include "autoplay.h"
#include "moves.h"
#include "play_fixture.h"
#include "pointer.h"
#include "score.h"
#include "undo_commands.h"

namespace quendra::test {
namespace {

class AutoplayTest : public PlayTest {
  protected:
    AutoplayTest() {
        ctx.play.autoplayTicked = true;
        ctx.flags[GameStateFlags::kClockRuns] = 1;
    }
};

TEST_F(AutoplayTest, SendsEveryCardThatBecomesLegal) {
    Dest(1) = Cards({H(1)});
    Fila(1) = Cards({S(9), H(2)});
    Fila(2) = Cards({C(5), H(3)});
    Waste() = Cards({C(1)});
    Stock() = Cards({S(13)});
    ASSERT_TRUE(fnAutoplay(ctx, false));
    EXPECT_EQ(Dest(1), Cards({H(1), H(2), H(3)}));
    EXPECT_EQ(Dest(2), Cards({C(1)}));
    EXPECT_EQ(Fila(1), Cards({S(9)}));
    EXPECT_EQ(host.sounds.back(), "Autoplay");
    EXPECT_TRUE(host.results.empty());
}

TEST_F(AutoplayTest, TurnsUpFaceDownTopsAndTriesThemAtOnce) {
    Fila(1) = Cards({D(1)});
    FaceDown(D(1));
    ASSERT_TRUE(fnAutoplay(ctx, false));
    EXPECT_EQ(Dest(1), Cards({D(1)}));
}

TEST_F(AutoplayTest, ReservesAreSweptBeforeTheTableau) {
    Set(368, 2);
    Appogg(2) = Cards({S(2)});
    Fila(1) = Cards({S(1)});
    Fila(2) = Cards({S(3)});
    ASSERT_TRUE(fnAutoplay(ctx, false));
    EXPECT_EQ(Dest(1), Cards({S(1), S(2), S(3)}));
}

TEST_F(AutoplayTest, OnlyWhenTickedEnabledAndInPlayAndCancelStopsIt) {
    Fila(1) = Cards({H(1)});
    ctx.play.autoplayEnabled = false;
    EXPECT_FALSE(fnAutoplay(ctx, false));
    ctx.play.autoplayEnabled = true;
    host.yesNoAnswers.push_back(Host::Answer::Cancel);
    EXPECT_FALSE(fnAutoplay(ctx, true, "Play on?"));
    EXPECT_EQ(Fila(1), Cards({H(1)}));
    ctx.flags[GameStateFlags::kInPlay] = 0;
    EXPECT_FALSE(fnAutoplay(ctx, false));
    ctx.flags[GameStateFlags::kInPlay] = 1;
    host.yesNoAnswers.push_back(Host::Answer::No);
    EXPECT_TRUE(fnAutoplay(ctx, true, "Play on?"));
}

TEST_F(AutoplayTest, MatchedStartsWaitForThePlayersFirstCard) {
    for (int i = 0; i < 4; ++i)
        Set(51 + i, 92);
    Fila(1) = Cards({H(1)});
    EXPECT_FALSE(fnAutoplay(ctx, false));
    EXPECT_EQ(Fila(1), Cards({H(1)}));
}

TEST_F(AutoplayTest, LastCardByAutoplayEndsTheGameAsWonOnce) {
    SetSetting(ctx.settings, field::kGameNumber, "0000");
    for (int suit = 0; suit < 4; ++suit)
        for (int rank = 1; rank <= 13; ++rank)
            if (!(suit == 3 && rank == 13)) Dest(suit + 1) += CardCode(13 * suit + rank);
    Fila(1) = Cards({S(13)});
    fnComputeScore(ctx);
    ASSERT_TRUE(fnAutoplay(ctx, false));
    fnComputeScore(ctx);
    ASSERT_EQ(host.results.size(), 1u);
    EXPECT_TRUE(host.results[0].won);
    EXPECT_EQ(host.celebrations, 1);
    EXPECT_EQ(host.sounds.back(), "Won");
    EXPECT_FALSE(ctx.flags[GameStateFlags::kInPlay]);
    EXPECT_TRUE(ctx.flags[GameStateFlags::kStop]);
    EXPECT_FALSE(ctx.flags[GameStateFlags::kClockRuns]);
    fnEndGame(ctx);
    EXPECT_EQ(host.results.size(), 1u);
}

class EndGameTest : public PlayTest {};

TEST_F(EndGameTest, ScoreNeededToWinDecidesTheResult) {
    Set(49, 500);
    SetSetting(ctx.settings, field::kScore, "000480");
    ctx.flags[GameStateFlags::kWon] = 1;
    fnEndGame(ctx);
    ASSERT_EQ(host.results.size(), 1u);
    EXPECT_FALSE(host.results[0].won);
    EXPECT_EQ(host.results[0].score, 480);
    EXPECT_EQ(host.celebrations, 0);

    ctx.flags[GameStateFlags::kInPlay] = 1;
    SetSetting(ctx.settings, field::kScore, "000500");
    fnEndGame(ctx);
    EXPECT_TRUE(host.results.back().won);
}

TEST_F(EndGameTest, AGameWonByItsScoreCountsAsWonOnceTheTableReachesTheScore) {
    Fila(1) = Cards({S(13)}); // a King left on the table by rule
    Dest(1) = Cards({S(1)});
    const int oneCardHome = fnComputeScore(ctx);
    Dest(1) = Cards({S(1), S(2)});
    const int twoCardsHome = fnComputeScore(ctx);
    ASSERT_GT(twoCardsHome, oneCardHome);
    Set(49, twoCardsHome);
    Dest(1) = Cards({S(1)});
    EXPECT_FALSE(WinsIfEnded(ctx));
    // A card sent home by a move that stores no score: the table's score decides.
    Dest(1) = Cards({S(1), S(2)});
    EXPECT_TRUE(WinsIfEnded(ctx));
    ctx.flags[GameStateFlags::kInPlay] = 0;
    EXPECT_FALSE(WinsIfEnded(ctx));
    // Without a score to reach, only the won test counts.
    Set(49, 0);
    ctx.flags[GameStateFlags::kInPlay] = 1;
    EXPECT_FALSE(WinsIfEnded(ctx));
    Fila(1).clear();
    EXPECT_TRUE(WinsIfEnded(ctx));
}

TEST_F(EndGameTest, EndingDisablesTheGameCommandsAndRecordsTheTime) {
    ctx.play.timeText = "0:02:05";
    host.now = 1000;
    fnEndGame(ctx);
    ASSERT_EQ(host.results.size(), 1u);
    EXPECT_EQ(host.results[0].seconds, 125);
    EXPECT_EQ(host.results[0].endTime, 1000);
    EXPECT_EQ(host.commands.size(), 4u);
    for (const auto& [command, enabled] : host.commands)
        EXPECT_FALSE(enabled);
}

TEST_F(EndGameTest, StandardWonTestWantsStockWasteTableauAndReservesEmpty) {
    Dest(1) = Cards({H(1)});
    Discard() = Cards({S(4)});
    EXPECT_TRUE(fnWonTest(ctx));
    Appogg(3) = Cards({S(5)});
    EXPECT_FALSE(fnWonTest(ctx));
    EXPECT_FALSE(ctx.flags[GameStateFlags::kWon]);
    Appogg(3).clear();
    Fila(20) = Cards({0, 0}); // empty places only
    EXPECT_TRUE(fnWonTest(ctx));
    Waste() = Cards({S(6)});
    EXPECT_FALSE(fnWonTest(ctx));

    Set(50, 21);
    Waste().clear();
    Fila(1) = Cards({S(1), S(2), S(3), S(4)});
    EXPECT_TRUE(fnWonTest(ctx));
    Fila(1) += CardCode(S(5));
    EXPECT_FALSE(fnWonTest(ctx));
}

TEST_F(EndGameTest, FamilyFortyIsLostWhenTheKingsFillPileThirteen) {
    Set(50, 40);
    Set(367, 13);
    Set(48, 999);
    Fila(13) = Cards({H(13), D(13), C(13)});
    EXPECT_FALSE(fnLostTest(ctx));
    Fila(13) += CardCode(S(13));
    EXPECT_TRUE(fnLostTest(ctx));
    EXPECT_EQ(host.informations, std::vector<std::string>{"The game is lost."});
    ASSERT_EQ(host.results.size(), 1u);
    EXPECT_FALSE(host.results[0].won);
}

class AutoFillTest : public PlayTest {};

TEST_F(AutoFillTest, WasteFirstThenStock) {
    Set(23, 2);
    ctx.play.moveCounter = 1;
    for (int p = 1; p <= 7; ++p)
        if (p != 3 && p != 6) Fila(p) = Cards({D(p)});
    Waste() = Cards({C(9)});
    Stock() = Cards({C(4), C(5)});
    ASSERT_TRUE(fnAutoFill(ctx));
    EXPECT_EQ(Fila(3), Cards({C(9)}));
    EXPECT_EQ(Fila(6), Cards({C(5)}));
}

TEST_F(AutoFillTest, NothingBeforeTheFirstMoveWithParameter40OrWithoutTheRule) {
    Fila(1).clear();
    Stock() = Cards({C(4)});
    Set(23, 3);
    Set(40, 1);
    EXPECT_FALSE(fnAutoFill(ctx));
    Set(40, 0);
    Set(23, 0);
    EXPECT_FALSE(fnAutoFill(ctx));
    Set(23, 9);
    Stock() = Cards({C(1), C(2), C(3), C(4), C(5)});
    for (int p = 2; p <= 7; ++p)
        Fila(p) = Cards({D(p)});
    ASSERT_TRUE(fnAutoFill(ctx));
    EXPECT_EQ(Fila(1), Cards({C(5), C(4), C(3), C(2)}));
}

// A space that automatic play empties fills in the same turn, and the card that fills it goes
// home in turn; one undo takes back an automatic move with the filling of the space it left.
TEST_F(AutoFillTest, AutomaticPlayFillsTheSpacesItEmptiesInTheSameTurn) {
    Set(23, autofill::kStockThenWaste);
    ctx.play.moveCounter = 1;
    ctx.play.autoplayTicked = true;
    Dest(1) = Cards({H(1)});
    Fila(1) = Cards({H(3)});
    Fila(2) = Cards({S(9), H(2)});
    for (int p = 3; p <= 7; ++p)
        Fila(p) = Cards({C(p + 5)});
    Stock() = Cards({C(2), H(4)});
    ASSERT_TRUE(PlaySend(ctx, pile::Fila(1), 1));
    EXPECT_EQ(Dest(1), Cards({H(1), H(2), H(3), H(4)}));
    EXPECT_EQ(Fila(1), Cards({C(2)}));
    EXPECT_EQ(Stock(), "");

    ASSERT_TRUE(Undo(ctx));
    EXPECT_EQ(Fila(1), Cards({H(4)}));
    EXPECT_EQ(Stock(), Cards({C(2)}));
    ASSERT_TRUE(Undo(ctx));
    EXPECT_EQ(Fila(1), Cards({H(3)}));
    EXPECT_EQ(Stock(), Cards({C(2), H(4)}));
}

TEST_F(AutoFillTest, ReserveOneFillsAndFaceUpFollowsTheSetting) {
    Set(23, 1);
    for (int p = 2; p <= 7; ++p)
        Fila(p) = Cards({D(p)});
    Appogg(1) = Cards({S(7)});
    Set(368, 1);
    ASSERT_TRUE(fnAutoFill(ctx));
    EXPECT_EQ(Fila(1), Cards({S(7)}));

    FaceDown(D(2));
    SetSetting(ctx.settings, field::kAutomaticFaceUp, "N");
    fnAutoFaceUp(ctx);
    EXPECT_EQ(Face(D(2)), '0');
    SetSetting(ctx.settings, field::kAutomaticFaceUp, "Y");
    fnAutoFaceUp(ctx);
    EXPECT_EQ(Face(D(2)), '1');
}

} // namespace
} // namespace quendra::test
