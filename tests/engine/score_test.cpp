#include "play_fixture.h"
#include "score.h"

namespace quendra::test {
namespace {

class ScoreTest : public PlayTest {};

TEST_F(ScoreTest, StandardScoreCountsFiveACardOnTheFoundations) {
    EXPECT_EQ(fnComputeScore(ctx), -52);
    for (int i = 0; i < 4; ++i)
        Dest(i + 1) = CardCode(13 * i + 1);
    EXPECT_EQ(fnComputeScore(ctx), -32);
    for (int i = 0; i < 4; ++i) {
        Dest(i + 1).clear();
        for (int rank = 1; rank <= 13; ++rank)
            Dest(i + 1) += CardCode(13 * i + rank);
    }
    EXPECT_EQ(fnComputeScore(ctx), 208);
    EXPECT_EQ(StoredScore(ctx), 208);
    EXPECT_EQ(host.scores.back(), "208");
}

TEST_F(ScoreTest, BasesBonusDiscardAndJokers) {
    Set(47, 1);
    Set(370, 104);
    EXPECT_EQ(fnStandardScore(ctx), -64);
    Set(370, 52);
    EXPECT_EQ(fnStandardScore(ctx), -32);
    Set(47, 2);
    EXPECT_EQ(fnStandardScore(ctx), -28);
    Set(47, 3);
    Set(46, 2);
    Set(373, 1);
    Discard() = Cards({S(1), S(2)});
    EXPECT_EQ(fnStandardScore(ctx), 10 + 10 - 5);
    SetSetting(ctx.settings, field::kStatsCode, "02");
    EXPECT_EQ(fnStandardScore(ctx), 0);
}

TEST_F(ScoreTest, AddScoreAddsFiveAUnitOrRecomputes) {
    fnComputeScore(ctx);
    fnAddScore(ctx, 1, false);
    EXPECT_EQ(StoredScore(ctx), -47);
    EXPECT_EQ(host.scores.back(), "-47");
    fnAddScore(ctx, 0, true);
    EXPECT_EQ(StoredScore(ctx), -52);
    Set(50, 9);
    fnAddScore(ctx, 3, false);
    EXPECT_EQ(StoredScore(ctx), -52);
}

TEST_F(ScoreTest, GapRowsCountTheRunFromATwoButNeverTheTopCard) {
    Set(50, 32);
    Set(370, 52);
    Set(367, 4);
    Fila(1) = Cards({H(2), H(3), H(4)});
    EXPECT_EQ(fnComputeScore(ctx), -52 + 10);
    Fila(2) = Cards({S(2)});
    EXPECT_EQ(fnComputeScore(ctx), -52 + 15);
}

TEST_F(ScoreTest, OtherFamilyScores) {
    Set(367, 4);
    Set(50, 35);
    Discard() = Cards({S(1), S(2)});
    EXPECT_EQ(fnComputeScore(ctx), -52 + 20);
    Set(50, 47);
    EXPECT_EQ(fnComputeScore(ctx), 4 * 52);
    Fila(1) = Cards({S(5)});
    EXPECT_EQ(fnComputeScore(ctx), -52 + 10);
    Set(50, 43);
    Fila(2) = Cards({H(9), S(8), H(7), S(6), H(5), S(4), H(3), S(2), H(1)});
    EXPECT_EQ(fnComputeScore(ctx), -52 + 225);
    Set(50, 34);
    Fila(1) = Cards({H(1)});
    Fila(2) = Cards({D(2)});
    Fila(3) = Cards({S(3)});
    EXPECT_EQ(fnComputeScore(ctx), -52 + 20);
}

TEST(ClockTest, MidnightDoesNotCountTheDaysLastSecond) {
    const int start = 23 * 3600 + 59 * 60 + 30;
    EXPECT_EQ(ClockElapsedSeconds(start, 10), 39);
    EXPECT_EQ(fnClockText(ClockElapsedSeconds(start, 10)), "0:00:39");
    EXPECT_EQ(ClockElapsedSeconds(3600, 3600 + 125), 125);
    EXPECT_EQ(fnClockText(3 * 3600 + 7 * 60 + 5), "3:07:05");
}

class ClockContextTest : public PlayTest {};

TEST_F(ClockContextTest, APauseLeavesTheGameTimeUnchanged) {
    // Whole quarter hours away from any midnight, whatever the time zone.
    const std::int64_t start = 1'700'000'100 - 1'700'000'100 % 900 + 100;
    ctx.play.clockStart = start;
    ctx.flags[GameStateFlags::kClockRuns] = 1;
    fnClockTick(ctx, start + 65);
    EXPECT_EQ(ctx.play.timeText, "0:01:05");
    PauseClock(ctx, start + 70);
    fnClockTick(ctx, start + 200);
    EXPECT_EQ(ctx.play.timeText, "0:01:10");
    ResumeClock(ctx, start + 70 + 300);
    fnClockTick(ctx, start + 70 + 300);
    EXPECT_EQ(ctx.play.timeText, "0:01:10");
    fnClockTick(ctx, start + 70 + 305);
    EXPECT_EQ(fnElapsedSeconds(ctx), 75);
}

TEST_F(ClockContextTest, UnreadableTimeTextGivesZero) {
    for (const char* text : {"", "abc", "1:2", "1:x:03", "-1:00:00"}) {
        ctx.play.timeText = text;
        EXPECT_EQ(fnElapsedSeconds(ctx), 0) << text;
    }
    ctx.play.timeText = "1:00:01";
    EXPECT_EQ(fnElapsedSeconds(ctx), 3601);
}

} // namespace
} // namespace quendra::test
