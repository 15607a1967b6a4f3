#include "fake_host.h"
#include "families.h"
#include "game_context.h"
#include "game_params.h"
#include "new_game.h"
#include "score.h"
#include "undo_history.h"

#include <gtest/gtest.h>

namespace quendra {
namespace {

class NewGameTest : public ::testing::Test {
  protected:
    NewGameTest() : ctx(host) {
        SetSetting(ctx.settings, field::kDealNumber, "1234567890123");
        SetSetting(ctx.settings, field::kCardSize, "B");
        SetSetting(ctx.settings, field::kDealAnimation, "N");
    }
    void Set(int param, int value) { ctx.params[static_cast<std::size_t>(param)] = value; }

    test::FakeHost host;
    GameContext ctx;
};

TEST_F(NewGameTest, LeavingAGameAsksOnlyWhenItMatters) {
    ctx.flags[GameStateFlags::kInPlay] = 1;
    SetSetting(ctx.settings, field::kConfirmQuitGame, "N");
    EXPECT_TRUE(ConfirmLeaveGame(ctx));
    EXPECT_TRUE(host.confirmations.empty());

    SetSetting(ctx.settings, field::kConfirmQuitGame, "Y");
    ctx.flags[GameStateFlags::kWon] = 1;
    EXPECT_TRUE(ConfirmLeaveGame(ctx));
    EXPECT_TRUE(host.confirmations.empty());

    ctx.flags[GameStateFlags::kWon] = 0;
    host.confirmAnswers = {false, true};
    EXPECT_FALSE(ConfirmLeaveGame(ctx));
    EXPECT_TRUE(ConfirmLeaveGame(ctx, "Start another game?"));
    ASSERT_EQ(host.confirmations.size(), 2u);
    EXPECT_EQ(host.confirmations[0], "Quit this game?");
    EXPECT_EQ(host.confirmations[1], "Start another game?");

    ctx.flags[GameStateFlags::kAnimating] = 1;
    SetSetting(ctx.settings, field::kConfirmQuitGame, "N");
    EXPECT_FALSE(ConfirmLeaveGame(ctx));
}

TEST_F(NewGameTest, NewDealStartsFromAClearState) {
    Set(370, 52);
    Set(371, 52);
    Set(7, 1);
    ctx.table.FilaGroup[3] = "001002";
    RecordStep(ctx);
    ctx.play.passNumber = 3;
    SetSetting(ctx.settings, field::kScore, "45");
    ctx.flags[GameStateFlags::kWon] = 1;

    StartNewDeal(ctx, true, true, false, true);

    EXPECT_EQ(ctx.undoHistory.undo.Steps(), 0);
    EXPECT_EQ(ctx.undoHistory.redo.Steps(), 0);
    EXPECT_EQ(ctx.play.passNumber, 1);
    EXPECT_EQ(GetSetting(ctx.settings, field::kScore), "0");
    EXPECT_EQ(ctx.flags[GameStateFlags::kInPlay], 1);
    EXPECT_EQ(ctx.flags[GameStateFlags::kWon], 0);
    EXPECT_EQ(ctx.flags[GameStateFlags::kClockRuns], 1);
    EXPECT_TRUE(ctx.table.FilaGroup[3].empty());
    EXPECT_EQ(PileCardCount(ctx.table.StockGroup[kMazzo]), 52);
    EXPECT_EQ(host.waitDepth, 0);
}

// A family with a score of its own shows the dealt table's score before the first move, as
// every move after shows it; the standard score above starts at 0.
TEST_F(NewGameTest, ADealShowsTheFamilyScoreOfTheDealtTable) {
    Set(370, 52);
    Set(371, 52);
    Set(7, 1);
    Set(param::kFamily, family::kMemoryTens);
    SetSetting(ctx.settings, field::kScore, "45");
    StartNewDeal(ctx, true, true, false, true);
    EXPECT_EQ(StoredScore(ctx), -52);
    ASSERT_FALSE(host.scores.empty());
    EXPECT_EQ(host.scores.back(), "-52");
}

TEST_F(NewGameTest, WonGameStartsANewOneWithoutAsking) {
    Set(370, 52);
    Set(371, 52);
    ctx.flags[GameStateFlags::kInPlay] = 1;
    ctx.flags[GameStateFlags::kWon] = 1;
    SetSetting(ctx.settings, field::kConfirmQuitGame, "Y");
    NewGameCommand(ctx);
    EXPECT_TRUE(host.confirmations.empty());
    EXPECT_EQ(ctx.flags[GameStateFlags::kInPlay], 1);
    EXPECT_EQ(PileCardCount(ctx.table.StockGroup[kMazzo]), 52);
}

TEST_F(NewGameTest, FanSpacingsByCardSize) {
    Set(3, 1);
    SetFanSpacings(ctx);
    EXPECT_EQ(FanValue(ctx, fan::kDownFaceUp), 18);
    EXPECT_EQ(FanValue(ctx, fan::kDownFaceDown), 4);
    EXPECT_EQ(FanValue(ctx, fan::kRightFaceUp), 0);
    EXPECT_EQ(FanValue(ctx, fan::kPairFirst), 3);
    EXPECT_EQ(FanValue(ctx, fan::kLastFirst), 12);
    EXPECT_EQ(FanValue(ctx, fan::kLastSecond), 8);

    SetSetting(ctx.settings, field::kCardSize, "L");
    Set(3, 6);
    Set(6, 1);
    SetFanSpacings(ctx);
    EXPECT_EQ(FanValue(ctx, fan::kDownFaceUp), 0);
    EXPECT_EQ(FanValue(ctx, fan::kRightFaceUp), 3);
    EXPECT_EQ(FanValue(ctx, fan::kRightFaceDown), 3);
    EXPECT_EQ(FanValue(ctx, fan::kPairSecond), 3);
    EXPECT_EQ(FanValue(ctx, fan::kLastFirst), 4);
}

TEST_F(NewGameTest, FanJitterStaysWithinTwoAndStartsAtZero) {
    for (unsigned seed = 0; seed < 50; ++seed) {
        const FanJitterTable table = FanJitterFromSeed(seed);
        for (const auto& row : table) {
            EXPECT_EQ(row[0], 0);
            int sum = 0;
            for (int d : row) {
                EXPECT_GE(d, -2);
                EXPECT_LE(d, 2);
                sum += d;
                EXPECT_GE(sum, -2);
                EXPECT_LE(sum, 2);
            }
        }
    }
    RebuildFanJitter(ctx);
    EXPECT_EQ(FanJitter(ctx),
              FanJitterFromSeed(static_cast<unsigned>(FanValue(ctx, fan::kJitterSeed))));
}

} // namespace
} // namespace quendra
