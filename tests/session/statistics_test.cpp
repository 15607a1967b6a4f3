#include "data_paths.h"
#include "records_fixture.h"
#include "settings.h"

namespace quendra::test {
namespace {

TEST(Statistics, ThreeWinsThenALossWithAnotherPlayerBetween) {
    Records r;
    r.End("Ann", true, 100);
    r.End("Bob", false, 5); // another player's games never touch Ann's streaks
    r.End("Ann", true, 120);
    r.End("Bob", true, 7);
    r.End("Ann", true, 90);
    r.End("Ann", false, 10);

    const GameStatistics ann = ReadStatistics(r.ctx, 0, "Ann");
    EXPECT_EQ(ann.record, (StatisticsRecord{3, 1, 3, 1, 0, 1, 320}));
    // Ann and game 0 are current: the run counters count every game recorded since.
    EXPECT_TRUE(ann.current);
    EXPECT_EQ(ann.runWon, 4);
    EXPECT_EQ(ann.runLost, 2);
    const GameStatistics bob = ReadStatistics(r.ctx, 0, "Bob");
    EXPECT_EQ(bob.record, (StatisticsRecord{1, 1, 1, 1, 1, 0, 12}));
    EXPECT_FALSE(bob.current);

    const std::string text = r.Text(kStatisticsFile);
    EXPECT_TRUE(text.starts_with("[Version]\r\nVersion=0300\r\n")) << text;
    EXPECT_NE(text.find("\r\n[0000]\r\nAnn=000003 000001 000003 000001 000000 000001 "
                        "000000000320 000000000000\r\n"),
              std::string::npos)
        << text;

    EXPECT_EQ(GamePlayState(r.ctx, 0), GamePlayed::Won);
    EXPECT_EQ(GamePlayState(r.ctx, 1), GamePlayed::Never);
    r.End("Ann", false, 0, 60, 1);
    EXPECT_EQ(GamePlayState(r.ctx, 1), GamePlayed::NeverWon);
    EXPECT_EQ(ReadPlayerStatistics(r.ctx, "Ann").size(), 2u);
    EXPECT_EQ(ReadGameStatistics(r.ctx, 0).size(), 2u);
    EXPECT_EQ(AverageScore(ann.record), 80);
}

TEST(Statistics, PercentagesRoundHalfUp) {
    EXPECT_EQ(ComputePercentages(1, 2).WonText(), "(33%)");
    EXPECT_EQ(ComputePercentages(1, 2).LostText(), "(67%)");
    EXPECT_EQ(ComputePercentages(2, 1).WonText(), "(67%)");
    EXPECT_EQ(ComputePercentages(1, 7).won, 13); // 12.5 goes up
    EXPECT_EQ(ComputePercentages(0, 0).WonText(), "");
    EXPECT_EQ(ComputePercentages(0, 0).LostText(), "");
}

TEST(Statistics, LogLineHasItsColumns) {
    Records r;
    r.End("Player 12", true, 345, 75, 0, "4567");
    const std::vector<std::string> lines = SplitTextLines(r.Text(kLogFile));
    ASSERT_EQ(lines.size(), 1u);
    const std::string& line = lines[0];
    ASSERT_EQ(line.size(), 147u);
    EXPECT_EQ(line.substr(0, 8), LocalDateText(r.clock));
    EXPECT_EQ(line.substr(9, 8), LocalTimeText(r.clock));
    EXPECT_EQ(line.substr(18, 6), "000075");
    EXPECT_EQ(line.substr(25, 4), "0000");
    EXPECT_EQ(line.substr(30, 50), PadRight(GameName(r.ctx, 0), 50));
    EXPECT_EQ(line.substr(81, 30), PadRight("Player 12", 30));
    EXPECT_EQ(line.substr(112, 5), "Won  ");
    EXPECT_EQ(line.substr(117, 2), "01");
    EXPECT_EQ(line.substr(120, 6), "345   ");
    EXPECT_EQ(line.substr(127, 15), PadRight("4567", 15));
    EXPECT_EQ(line.substr(143, 4), "0540");
    for (std::size_t at : {8, 17, 24, 29, 80, 111, 119, 126, 142})
        EXPECT_EQ(line[at], ' ') << at;

    r.End("Ann", false, -20);
    const LogContents log = ReadLog(r.ctx);
    ASSERT_EQ(log.entries.size(), 2u);
    EXPECT_EQ(log.entries[1].score, -20);
    EXPECT_FALSE(log.entries[1].won);
    EXPECT_EQ(FilterLog(log.entries, std::string("Player 12"), std::nullopt).size(), 1u);
    EXPECT_EQ(FilterLog(log.entries, std::string("Player 1"), std::nullopt).size(), 0u);
}

TEST(Statistics, SwitchedOffWritesNothing) {
    Records r;
    ASSERT_TRUE(WriteSettingString(r.ctx, "Preference", "Disable_Statistics", "Y"));
    const RecordOutcome outcome = r.End("Ann", true, 100);
    EXPECT_FALSE(outcome.recorded);
    EXPECT_EQ(outcome.hiScoreRank, -1);
    for (const char* file : {kStatisticsFile, kLogFile, "DATA\\STAT_GLO.DAT", "Data\\Stat_scr.dat"})
        EXPECT_FALSE(FileExists(r.Path(file))) << file;
}

TEST(Statistics, ADamagedRecordIsReportedAndKept) {
    Records r;
    // Ann's record was cut short; Bob's is sound.
    const std::string damaged = "[Version]\r\nVersion=0300\r\n\r\n[0000]\r\nAnn=000003 0000\r\n"
                                "Bob=000001 000000 000001 000000 000001 000000 000000000010 "
                                "000000000000\r\n";
    r.Write(kStatisticsFile, damaged);
    const RecordOutcome outcome = r.End("Ann", true, 50);
    EXPECT_FALSE(outcome.recorded);
    ASSERT_FALSE(r.host.informations.empty());
    EXPECT_NE(r.host.informations.back().find("damaged"), std::string::npos);
    EXPECT_EQ(r.Text(kStatisticsFile), damaged);
    // The game still went to the log.
    EXPECT_EQ(ReadLog(r.ctx).entries.size(), 1u);

    EXPECT_TRUE(r.End("Bob", true, 5).recorded);
    EXPECT_NE(r.Text(kStatisticsFile).find("Ann=000003 0000\r\n"), std::string::npos);
    EXPECT_EQ(ReadStatistics(r.ctx, 0, "Bob").record.won, 2);

    // A log cut short in its last line keeps that line; readers leave it out and say so.
    const std::string log = r.Text(kLogFile);
    r.Write(kLogFile, log.substr(0, log.size() - 40));
    r.End("Bob", false, 1);
    const LogContents read = ReadLog(r.ctx);
    EXPECT_EQ(read.damagedLines, 1);
    EXPECT_EQ(read.entries.size(), 2u);
    EXPECT_TRUE(r.Text(kLogFile).starts_with(log.substr(0, log.size() - 40)));

    // A file that is not a statistics file at all is never written over.
    r.Write(kStatisticsFile, "garbage\r\nAnn=1\r\n");
    EXPECT_FALSE(r.End("Bob", true, 5).recorded);
    EXPECT_EQ(r.Text(kStatisticsFile), "garbage\r\nAnn=1\r\n");
}

TEST(Statistics, ClearingRemovesTheChosenRecordsAndLogLines) {
    Records r;
    r.End("Player 1", true, 10);
    r.End("Player 12", true, 20);
    r.End("Player 1", false, 0, 60, 1);
    r.host.yesNoAnswers = {Host::Answer::No};
    EXPECT_FALSE(ClearStatistics(r.ctx, 0, std::string("Player 1")));
    EXPECT_EQ(r.host.confirmations.back(),
              "Are you sure you want to clear the statistics for player: Player 1\rfor game: " +
                  GameName(r.ctx, 0) + "?");
    EXPECT_EQ(ReadStatistics(r.ctx, 0, "Player 1").record.won, 1);

    EXPECT_TRUE(ClearStatistics(r.ctx, std::nullopt, std::string("Player 1")));
    EXPECT_EQ(r.host.informations.back(), kStatisticsClearedMessage);
    EXPECT_EQ(ReadStatistics(r.ctx, 0, "Player 1").record, StatisticsRecord{});
    EXPECT_EQ(ReadStatistics(r.ctx, 1, "Player 1").record, StatisticsRecord{});
    EXPECT_EQ(ReadStatistics(r.ctx, 0, "Player 12").record.won, 1);
    const LogContents log = ReadLog(r.ctx);
    ASSERT_EQ(log.entries.size(), 1u);
    EXPECT_EQ(log.entries[0].player, "Player 12");

    // The log keeps its newest records.
    r.End("Ann", true, 1);
    r.End("Ann", true, 2);
    ASSERT_EQ(LogRecordCount(r.ctx), 3);
    EXPECT_TRUE(ClearLog(r.ctx, 2));
    const LogContents kept = ReadLog(r.ctx);
    ASSERT_EQ(kept.entries.size(), 2u);
    EXPECT_EQ(kept.entries[0].score, 1);
    EXPECT_FALSE(ClearLog(r.ctx, 2)); // keeping them all is no clearing

    EXPECT_TRUE(ClearStatistics(r.ctx, std::nullopt, std::nullopt));
    EXPECT_EQ(r.Text(kStatisticsFile), "[Version]\r\nVersion=0300\r\n");
    EXPECT_FALSE(FileExists(r.Path(kLogFile)));
}

} // namespace
} // namespace quendra::test
