#include "cli_test_support.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>

namespace quendra::test {
namespace {

namespace fs = std::filesystem;

// A winning move list: "# game N deal D [autoplay] [end]" on its first line, then one move a
// line. "end": the game is won by its score and the player ends it after the last move.
struct WinFixture {
    int game = -1;
    long long deal = 0; // up to 13 digits
    bool autoplay = false;
    bool end = false;
    std::vector<std::string> moves;
};

WinFixture ReadFixture(const fs::path& path) {
    WinFixture fixture;
    std::ifstream in(path);
    std::string hash, word;
    in >> hash >> word >> fixture.game >> word >> fixture.deal;
    std::string rest;
    std::getline(in, rest);
    fixture.autoplay = rest.find("autoplay") != std::string::npos;
    fixture.end = rest.find(" end") != std::string::npos;
    for (std::string move; in >> move;)
        fixture.moves.push_back(move);
    return fixture;
}

std::vector<fs::path> FixtureFiles() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(QUENDRA_WINS_DIR))
        if (entry.path().extension() == ".moves") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

using GamesPlayTest = CliRunner;

// Every kept winning move list, played by the tool as a person would type it, wins its game;
// the same list without its last move does not.
TEST_F(GamesPlayTest, EveryWinningMoveListWinsThroughThePlayCommand) {
    const auto files = FixtureFiles();
    EXPECT_GE(files.size(), 20u);
    std::set<int> games;
    for (const fs::path& file : files) {
        const WinFixture fixture = ReadFixture(file);
        ASSERT_GE(fixture.game, 0) << file;
        ASSERT_FALSE(fixture.moves.empty()) << file;
        games.insert(fixture.game);
        std::string input;
        for (const std::string& move : fixture.moves)
            input += move + "\n";
        std::vector<std::string> args = {"play",
                                         "--game",
                                         std::to_string(fixture.game),
                                         "--deal",
                                         std::to_string(fixture.deal),
                                         "--json",
                                         "-"};
        if (fixture.autoplay) args.push_back("--autoplay");
        if (fixture.end) args.push_back("--end");
        ASSERT_EQ(Run(args, input), kExitOk) << file << "\n" << out.str() << err.str();
        EXPECT_EQ(JsonField(out.str(), "won"), "true") << file << "\n" << out.str();
        EXPECT_EQ(JsonField(out.str(), "in_play"), "false") << file;
        EXPECT_EQ(JsonField(out.str(), "moves_applied"), std::to_string(fixture.moves.size()));

        input = input.substr(0, input.rfind(fixture.moves.back()));
        ASSERT_EQ(Run(args, input), kExitOk) << file;
        EXPECT_EQ(JsonField(out.str(), "won"), "false") << file;
        EXPECT_EQ(JsonField(out.str(), "in_play"), fixture.end ? "false" : "true") << file;
    }
    // Every game of the catalogue has its list.
    ASSERT_EQ(Run({"games", "--json"}), kExitOk) << err.str();
    const std::string listed = out.str();
    std::set<int> catalogue;
    for (std::size_t at = listed.find("\"number\": "); at != std::string::npos;
         at = listed.find("\"number\": ", at + 1))
        catalogue.insert(std::stoi(listed.substr(at + 10)));
    EXPECT_GE(catalogue.size(), 190u);
    std::vector<int> without;
    std::set_difference(catalogue.begin(), catalogue.end(), games.begin(), games.end(),
                        std::back_inserter(without));
    EXPECT_TRUE(without.empty()) << "games without a winning list, the first: " << without[0];
}

// Once the game is won there is nothing left to propose.
TEST_F(GamesPlayTest, HintAfterAWonGameSaysThereAreNoOtherMoves) {
    const WinFixture fixture = ReadFixture(fs::path(QUENDRA_WINS_DIR) / "0000-deal-1.moves");
    ASSERT_FALSE(fixture.moves.empty());
    std::vector<std::string> args = {"hint", "--game", "0", "--deal", std::to_string(fixture.deal)};
    if (fixture.autoplay) args.push_back("--autoplay");
    args.insert(args.end(), fixture.moves.begin(), fixture.moves.end());
    ASSERT_EQ(Run(args), kExitOk) << err.str();
    EXPECT_EQ(out.str(), "No other moves.\n");
}

} // namespace
} // namespace quendra::test
