#include "cli_test_support.h"

#include <fstream>

namespace quendra::test {
namespace {

std::string WinningMoves() {
    std::ifstream in(std::string(QUENDRA_WINS_DIR) + "/0000-deal-1.moves");
    std::string moves, line;
    while (std::getline(in, line))
        if (!line.empty() && line[0] != '#') moves += line + "\n";
    return moves;
}

using CliRecords = CliRunner;

TEST_F(CliRecords, AnEndedGameIsRecordedForThePlayerAndShown) {
    // A win for the current player, then a game given up by another player.
    ASSERT_EQ(
        Run({"play", "--game", "0", "--deal", "1", "--autoplay", "--json", "-"}, WinningMoves()), 0)
        << err.str();
    EXPECT_EQ(JsonField(out.str(), "won"), "true");
    EXPECT_EQ(JsonField(out.str(), "recorded"), "true");
    ASSERT_EQ(
        Run({"play", "--game", "0", "--deal", "2", "--end", "--player", "Player 2", "--json"}), 0)
        << err.str();
    EXPECT_EQ(JsonField(out.str(), "recorded"), "true");
    // Without --end a game in play is not recorded.
    ASSERT_EQ(Run({"play", "--game", "0", "--deal", "3", "--json"}), 0);
    EXPECT_EQ(JsonField(out.str(), "recorded"), "false");

    ASSERT_EQ(Run({"stats", "--game", "0", "--json"}), 0) << err.str();
    const std::string mine = out.str();
    EXPECT_NE(mine.find("\"player\": \"Player 1\""), std::string::npos) << mine;
    EXPECT_NE(mine.find("\"won\": 1, \"lost\": 0"), std::string::npos) << mine;
    EXPECT_NE(mine.find("\"won_percent\": 100"), std::string::npos) << mine;
    EXPECT_EQ(mine.find("\"best_score\": null"), std::string::npos) << mine;
    ASSERT_EQ(Run({"stats", "--player", "Player 2"}), 0);
    EXPECT_NE(out.str().find("Klondike\t0\t1\t\n"), std::string::npos) << out.str();

    ASSERT_EQ(Run({"log", "--json"}), 0);
    const std::string log = out.str();
    EXPECT_NE(log.find("\"player\": \"Player 1\", \"won\": true"), std::string::npos) << log;
    EXPECT_NE(log.find("\"player\": \"Player 2\", \"won\": false"), std::string::npos) << log;
    ASSERT_EQ(Run({"log", "--player", "Player 2"}), 0);
    EXPECT_NE(out.str().find("The Log contains 1 record(s)."), std::string::npos) << out.str();

    ASSERT_EQ(Run({"hiscores", "--game", "0", "--json"}), 0);
    EXPECT_NE(out.str().find("\"player\": \"Player 1\""), std::string::npos) << out.str();
}

TEST_F(CliRecords, BadArgumentsAndSwitchedOffStatistics) {
    EXPECT_EQ(Run({"stats", "--player", "Nobody"}), kExitUsage);
    EXPECT_EQ(Run({"play", "--game", "0", "--deal", "2", "--end", "--player", "Nobody"}),
              kExitUsage);
    EXPECT_EQ(Run({"hiscores"}), kExitUsage);
    EXPECT_EQ(Run({"stats", "--game", "77777"}), kExitUsage);
    std::filesystem::create_directories(dir / "DATA");
    std::ofstream(dir / "DATA" / "CFG.DAT") << "[Preference]\r\nDisable_Statistics=Y\r\n";
    ASSERT_EQ(Run({"play", "--game", "0", "--deal", "2", "--end", "--json"}), 0);
    EXPECT_EQ(JsonField(out.str(), "recorded"), "false");
    EXPECT_EQ(Run({"stats"}), 1);
    EXPECT_NE(err.str().find("The Statistics are disabled."), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "DATA" / "STAT_LOG.DAT"));
}

} // namespace
} // namespace quendra::test
