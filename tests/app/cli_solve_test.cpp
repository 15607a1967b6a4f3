#include "cli_test_support.h"

#include <gtest/gtest.h>

namespace quendra::test {
namespace {

using CliSolveTest = CliRunner;

// The lines after the verdict, one move a line.
std::string MovesOf(const std::string& text) {
    return text.substr(text.find('\n') + 1);
}

// The line solve finds plays through play to a won game, redeals included: La Belle Lucie's
// shuffled fans come out the same when the line is replayed.
TEST_F(CliSolveTest, AWonLineReplaysThroughPlayToAWonGame) {
    ASSERT_EQ(Run({"solve", "--game", "62", "--deal", "1", "--autoplay"}), kExitOk) << err.str();
    const std::string text = out.str();
    ASSERT_EQ(text.rfind("won in ", 0), 0u) << text;
    const std::string moves = MovesOf(text);
    EXPECT_NE(moves.find("stock\n"), std::string::npos) << "the line redeals";
    const auto count = std::count(moves.begin(), moves.end(), '\n');
    EXPECT_NE(text.find("won in " + std::to_string(count) + " moves; "), std::string::npos);

    ASSERT_EQ(Run({"play", "--game", "62", "--deal", "1", "--autoplay", "--json", "-"}, moves),
              kExitOk)
        << out.str();
    EXPECT_EQ(JsonField(out.str(), "won"), "true");
    EXPECT_EQ(JsonField(out.str(), "moves_applied"), std::to_string(count));

    // Without automatic play the line names every foundation move, and still wins.
    ASSERT_EQ(Run({"solve", "--game", "1", "--deal", "3", "--budget", "2000", "--json"}), kExitOk);
    ASSERT_EQ(JsonField(out.str(), "verdict"), "\"won\"") << out.str();
    const std::string json = out.str();
    std::vector<std::string> played = {"play", "--game", "1", "--deal", "3", "--json"};
    for (std::size_t at = json.find("\"moves\": [") + 10; json[at] == '"';) {
        const std::size_t end = json.find('"', at + 1);
        played.push_back(json.substr(at + 1, end - at - 1));
        at = json[end + 1] == ',' ? end + 3 : end + 1;
    }
    ASSERT_GT(played.size(), 6u);
    ASSERT_EQ(Run(played), kExitOk) << out.str();
    EXPECT_EQ(JsonField(out.str(), "won"), "true");
}

// "no win" only when every position was looked at; a budget that runs out says "unknown".
TEST_F(CliSolveTest, AWholeSearchSaysNoWinAndABudgetRunOutSaysUnknown) {
    // Cruel deal 2 deals no move, and a redeal in order gives the same table again.
    ASSERT_EQ(Run({"solve", "--game", "150", "--deal", "2"}), kExitOk) << err.str();
    EXPECT_EQ(out.str().rfind("no win; ", 0), 0u) << out.str();

    ASSERT_EQ(Run({"solve", "--game", "0", "--deal", "1", "--budget", "3", "--json"}), kExitOk);
    EXPECT_EQ(JsonField(out.str(), "verdict"), "\"unknown\"");
    EXPECT_EQ(JsonField(out.str(), "moves_tried"), "3");
    EXPECT_NE(out.str().find("\"moves\": []"), std::string::npos) << out.str();
}

// --winnable-from answers with the first deal it proves won, searched two at a time with
// --threads 2 as one at a time; its line wins that deal through play, and the deals passed
// over are not recorded as games lost.
TEST_F(CliSolveTest, WinnableFromAnswersTheFirstDealProvedWon) {
    // FreeCell within 2000 moves of search: deal 1 is not proved, a later one is.
    ASSERT_EQ(Run({"solve", "--game", "1", "--deal", "1", "--budget", "2000"}), kExitOk);
    ASSERT_EQ(out.str().rfind("unknown", 0), 0u) << out.str();
    for (const char* threads : {"1", "2"}) {
        ASSERT_EQ(Run({"solve", "--game", "1", "--winnable-from", "1", "--budget", "2000",
                       "--threads", threads}),
                  kExitOk)
            << err.str();
        const std::string text = out.str();
        ASSERT_EQ(text.rfind("deal ", 0), 0u) << text;
        const std::string deal = text.substr(5, text.find(':') - 5);
        EXPECT_GT(std::stoll(deal), 1) << text;
        EXPECT_NE(text.find(": won in "), std::string::npos) << text;
        ASSERT_EQ(Run({"play", "--game", "1", "--deal", deal, "--json", "-"}, MovesOf(text)),
                  kExitOk);
        EXPECT_EQ(JsonField(out.str(), "won"), "true") << deal;
    }
    ASSERT_EQ(Run({"stats", "--json"}), kExitOk);
    // The two lines played are the only games the player has.
    EXPECT_NE(out.str().find("\"played\": 2, \"won\": 2, \"lost\": 0"), std::string::npos)
        << out.str();
    // None proved among the deals there are: the status says so.
    EXPECT_EQ(Run({"solve", "--game", "0", "--winnable-from", "9999999999999", "--budget", "2"}),
              kExitRefused);
    EXPECT_NE(out.str().find("No deal from 9999999999999 to 9999999999999"), std::string::npos);
}

TEST_F(CliSolveTest, BadArgumentsAreNamedWithExitStatusTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {"solve", "--game", "0", "--deal", "1", "--budget", "0"},
        {"solve", "--game", "0", "--deal", "1", "--budget", "many"},
        {"solve", "--game", "9999", "--deal", "1"},
        {"solve", "--game", "0"},
        {"solve", "--game", "0", "--deal", "1", "Fila1>Fila2"},
        {"solve", "--game", "0", "--deal", "1", "--depth", "3"},
        {"solve", "--game", "0", "--deal", "1", "--beam", "wide"},
        {"solve", "--game", "0", "--deal", "1", "--beam", "20", "--best-first"},
        {"solve", "--game", "0", "--deal", "1", "--threads", "2"},
        {"solve", "--game", "0", "--deal", "1", "--winnable-from", "5"},
        {"solve", "--game", "0", "--winnable-from", "12345678901234"},
        {"solve", "--game", "0", "--winnable-from", "1", "--threads", "0"},
    };
    for (const auto& args : cases) {
        EXPECT_EQ(Run(args), kExitUsage) << args.back();
        EXPECT_NE(err.str().find("quendra-cli: "), std::string::npos) << err.str();
        EXPECT_TRUE(out.str().empty()) << args.back();
    }
}

} // namespace
} // namespace quendra::test
