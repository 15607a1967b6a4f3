#include "data_paths.h"
#include "hiscores.h"
#include "overall_score.h"
#include "records_fixture.h"

namespace quendra::test {
namespace {

OfferedResult Result(const std::string& player, int score, int seconds, bool won = true) {
    OfferedResult r;
    r.player = player;
    r.deal = "42";
    r.won = won;
    r.date = "20261209";
    r.timeOfDay = "10:11:12";
    r.seconds = seconds;
    r.score = score;
    return r;
}

TEST(OverallScore, ScramblingAndChecksumsRoundTripAndATamperedDigitIsFound) {
    const std::string plain = "0540123456789012345678901234";
    EXPECT_NE(Scramble(plain), plain);
    EXPECT_EQ(Unscramble(Scramble(plain)), plain);
    // The checksum of "01": 48 + 24 + 1 + 1 for the "0", then 49 + 49 + 0 + 2 for the "1".
    EXPECT_EQ(Checksum("01"), 74 + 100);

    Records r;
    EXPECT_EQ(UpdateOverallScore(r.ctx, 0, "Ann", false, 50, 100), OverallUpdate::Updated);
    EXPECT_EQ(UpdateOverallScore(r.ctx, 1, "Ann", false, 30, 40), OverallUpdate::Updated);
    // Not better: nothing changes.
    EXPECT_EQ(UpdateOverallScore(r.ctx, 0, "Ann", false, 10, 90), OverallUpdate::Unchanged);
    // The same score in a shorter time: the time goes down, the score stays.
    EXPECT_EQ(UpdateOverallScore(r.ctx, 0, "Ann", false, 45, 100), OverallUpdate::Updated);
    EXPECT_EQ(UpdateOverallScore(r.ctx, 0, "Bob", false, 20, 300), OverallUpdate::Updated);
    // A customised game never counts.
    EXPECT_EQ(UpdateOverallScore(r.ctx, 8000, "Ann", false, 5, 999), OverallUpdate::Skipped);

    const std::vector<OverallRow> table = ReadOverallTable(r.ctx);
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].player, "Bob");
    EXPECT_EQ(table[1].player, "Ann");
    EXPECT_EQ(table[1].score, 140);
    EXPECT_EQ(table[1].seconds, 75);
    EXPECT_EQ(table[1].text.size(), 68u);
    const std::vector<OverallGame> details = ReadOverallDetails(r.ctx, "Ann");
    ASSERT_EQ(details.size(), 2u);
    EXPECT_EQ(details[0].score, 100);
    EXPECT_EQ(details[0].seconds, 45);

    // One figure of Ann's stored overall score edited by hand.
    RecordFile file = RecordFile::Load(r.Path(kOverallFile));
    std::string t01 = Unscramble(file.Value("Ann", "T01").value());
    t01[24] = t01[24] == '9' ? '8' : static_cast<char>(t01[24] + 1);
    file.SetValue("Ann", "T01", Scramble(t01));
    ASSERT_TRUE(file.Save(r.host));
    EXPECT_EQ(UpdateOverallScore(r.ctx, 2, "Ann", false, 10, 10), OverallUpdate::Corrupted);
    EXPECT_EQ(r.host.informations.back(), kOverallCorruptedMessage);
    EXPECT_FALSE(FileExists(r.Path(kOverallFile)));
    EXPECT_TRUE(ReadOverallTable(r.ctx).empty());
}

TEST(HiScores, InsertionKeepsScoreThenTimeOrder) {
    Records r;
    const std::vector<HiScoreEntry> defaults = ReadHiScores(r.ctx, ScoreTableKind::Game, 0, "01");
    ASSERT_EQ(defaults.size(), 20u);
    for (std::size_t i = 1; i < defaults.size(); ++i) {
        EXPECT_LE(defaults[i].score, defaults[i - 1].score) << i;
        EXPECT_GE(defaults[i].score, 1);
        EXPECT_TRUE(defaults[i].player.starts_with("* "));
    }
    // Reading built the default table and wrote it.
    EXPECT_TRUE(r.Text(kGameScoresFile).starts_with("[Version]\r\nVersion=0300\r\n"));

    // Equal to rank 5 but faster: rank 5; the old 5 moves to 6, the old 20 falls off.
    const HiScoreEntry fifth = defaults[4];
    EXPECT_EQ(
        OfferResult(r.ctx, ScoreTableKind::Game, 0, Result("Ann", fifth.score, fifth.seconds - 1)),
        4);
    std::vector<HiScoreEntry> now = ReadHiScores(r.ctx, ScoreTableKind::Game, 0, "01");
    EXPECT_EQ(now[4].player, "Ann");
    EXPECT_EQ(now[4].number, "42");
    EXPECT_EQ(now[5].line, defaults[4].line);
    EXPECT_EQ(now[19].line, defaults[18].line);
    EXPECT_EQ(now[4].line.size(), 85u);
    EXPECT_TRUE(now[4].line.ends_with("Won  x"));
    // Equal and slower goes after it.
    EXPECT_EQ(
        OfferResult(r.ctx, ScoreTableKind::Game, 0, Result("Bob", fifth.score, fifth.seconds + 1)),
        6);
    // A lost game with a high score still enters, marked lost.
    EXPECT_EQ(OfferResult(r.ctx, ScoreTableKind::Game, 0, Result("Cid", 100000, 9, false)), 0);
    now = ReadHiScores(r.ctx, ScoreTableKind::Game, 0, "01");
    EXPECT_FALSE(now[0].won);
    EXPECT_TRUE(now[0].line.ends_with("Lost x"));
    // Too low for the table.
    EXPECT_EQ(OfferResult(r.ctx, ScoreTableKind::Game, 0, Result("Dan", 0, 9)), -1);
    // Each scoring code has its own table.
    EXPECT_EQ(ReadHiScores(r.ctx, ScoreTableKind::Game, 0, "02")[0].player.substr(0, 2), "* ");
}

TEST(HiScores, RemovingAndClearing) {
    Records r;
    OfferResult(r.ctx, ScoreTableKind::Game, 0, Result("Ann", 5000, 100));
    OfferResult(r.ctx, ScoreTableKind::Game, 0, Result("Bob", 4000, 100));
    ASSERT_EQ(ReadOverallTable(r.ctx).size(), 2u);

    EXPECT_TRUE(RemoveEntries(r.ctx, 0, "01", "Ann", false));
    std::vector<HiScoreEntry> table = ReadHiScores(r.ctx, ScoreTableKind::Game, 0, "01");
    EXPECT_EQ(table[0].player, "Bob");
    EXPECT_TRUE(table[19].empty);
    // Ann's best in the game left her overall score.
    const std::vector<OverallRow> overall = ReadOverallTable(r.ctx);
    ASSERT_EQ(overall.size(), 1u);
    EXPECT_EQ(overall[0].player, "Bob");

    r.host.yesNoAnswers = {Host::Answer::Yes};
    EXPECT_TRUE(ClearHiScores(r.ctx, std::nullopt, std::nullopt));
    EXPECT_EQ(r.host.informations.back(), kHiScoresClearedMessage);
    EXPECT_NE(r.Text(kGameScoresFile).find("[Clear scores]\r\nCleared=Y"), std::string::npos);
    EXPECT_FALSE(FileExists(r.Path(kOverallFile)));
    // Cleared tables stay empty: no default players come back.
    for (const HiScoreEntry& e : ReadHiScores(r.ctx, ScoreTableKind::Game, 3, "01"))
        EXPECT_TRUE(e.empty);
    EXPECT_EQ(OfferResult(r.ctx, ScoreTableKind::Game, 3, Result("Ann", 0, 5)), 0);

    // A hi-score file that is not ours is reported and left alone.
    r.Write(kGameScoresFile, "junk\r\n");
    EXPECT_EQ(OfferResult(r.ctx, ScoreTableKind::Game, 0, Result("Ann", 50, 5)), -1);
    EXPECT_EQ(r.Text(kGameScoresFile), "junk\r\n");
}

TEST(HiScores, AnEndedGameIsOfferedAndTitled) {
    Records r;
    const RecordOutcome outcome = r.End("Ann", true, 100000, 30);
    EXPECT_TRUE(outcome.recorded);
    EXPECT_EQ(outcome.hiScoreRank, 0);
    EXPECT_TRUE(outcome.showHiScores);
    EXPECT_EQ(outcome.hiScoresTitle, "Congratulations! Your score has made the " +
                                         GameName(r.ctx, 0) + " Hi-Scores list!");
    SetSetting(r.ctx.settings, field::kConfirmEnterHiScores, "N");
    const RecordOutcome quiet = r.End("Ann", true, 100001, 30);
    EXPECT_EQ(quiet.hiScoreRank, 0);
    EXPECT_FALSE(quiet.showHiScores);
}

} // namespace
} // namespace quendra::test
