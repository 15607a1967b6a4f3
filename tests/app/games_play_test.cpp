#include "cards.h"
#include "cli_session.h"
#include "cli_test_support.h"
#include "solver.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <set>

namespace quendra::test {
namespace {

namespace fs = std::filesystem;

// A winning move list: "# game N deal D [autoplay]" on its first line, then one move a line.
struct WinFixture {
    int game = -1;
    int deal = 0;
    bool autoplay = false;
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
        ASSERT_EQ(Run(args, input), kExitOk) << file << "\n" << out.str() << err.str();
        EXPECT_EQ(JsonField(out.str(), "won"), "true") << file << "\n" << out.str();
        EXPECT_EQ(JsonField(out.str(), "in_play"), "false") << file;
        EXPECT_EQ(JsonField(out.str(), "moves_applied"), std::to_string(fixture.moves.size()));

        input = input.substr(0, input.rfind(fixture.moves.back()));
        ASSERT_EQ(Run(args, input), kExitOk) << file;
        EXPECT_EQ(JsonField(out.str(), "won"), "false") << file;
        EXPECT_EQ(JsonField(out.str(), "in_play"), "true") << file;
    }
    EXPECT_GE(games.size(), 20u);
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

// Writes the winning move lists: run by hand with
//   quendra_cli_tests --gtest_also_run_disabled_tests --gtest_filter='*Generate*'
// The solver plays each game's deals from 1 up with the engine's own rules and keeps the
// first deal it wins within its budget.
TEST_F(GamesPlayTest, DISABLED_GenerateWinningMoveLists) {
    CliOptions listOptions;
    listOptions.values["--dir"] = dir.string();
    CliSession catalogue(listOptions, QUENDRA_BIN_DIR, err);
    std::vector<int> numbers;
    for (const std::string& line : catalogue.ctx().mainGame.GameList)
        numbers.push_back(ParseDigits(line.substr(4, 3)));
    std::set<int> kept;
    for (const fs::path& file : FixtureFiles())
        kept.insert(ReadFixture(file).game);
    // QUENDRA_GENERATE_GAMES="109,154" limits the run to those games.
    std::set<int> wanted;
    if (const char* list = std::getenv("QUENDRA_GENERATE_GAMES")) {
        std::istringstream in(list);
        for (std::string item; std::getline(in, item, ',');)
            wanted.insert(std::stoi(item));
    }
    // QUENDRA_GENERATE_DEALS="13" tries deals 1 to 13 (12 when not set).
    const char* deals = std::getenv("QUENDRA_GENERATE_DEALS");
    const int lastDeal = deals ? std::max(1, std::atoi(deals)) : 12;
    // QUENDRA_GENERATE_BUDGET="60000" lets the solver try more moves per deal.
    const char* budget = std::getenv("QUENDRA_GENERATE_BUDGET");
    const int moveBudget = budget ? std::max(1000, std::atoi(budget)) : 15000;
    // QUENDRA_GENERATE_FIRST_DEAL="20" starts the search at deal 20.
    const char* firstDealText = std::getenv("QUENDRA_GENERATE_FIRST_DEAL");
    const int firstDeal = firstDealText ? std::max(1, std::atoi(firstDealText)) : 1;
    for (const int game : numbers) {
        if (!wanted.empty() && !wanted.contains(game)) continue;
        bool won = kept.contains(game);
        for (int deal = firstDeal; deal <= lastDeal && !won; ++deal) {
            for (const bool autoplay : {true}) {
                CliOptions options = listOptions;
                options.values["--game"] = std::to_string(game);
                options.values["--deal"] = std::to_string(deal);
                CliSession session(options, QUENDRA_BIN_DIR, err);
                session.StartGame(options, autoplay);
                SolveOptions solve;
                solve.autoplay = autoplay;
                solve.moveBudget = moveBudget;
                const SolveResult result = SolveDeal(session.ctx(), solve);
                std::cout << "game " << game << " deal " << deal << (autoplay ? " autoplay" : "")
                          << ": "
                          << (result.won ? "won in " + std::to_string(result.moves.size())
                                         : std::string("not won"))
                          << " after " << result.movesTried << " tries" << std::endl;
                if (!result.won) continue;
                char name[64];
                std::snprintf(name, sizeof name, "%04d-deal-%d.moves", game, deal);
                std::ofstream file(fs::path(QUENDRA_WINS_DIR) / name, std::ios::binary);
                file << "# game " << game << " deal " << deal << (autoplay ? " autoplay" : "")
                     << "\n";
                for (const FoundMove& move : result.moves)
                    file << FoundMoveText(move) << "\n";
                won = true;
                break;
            }
        }
    }
}

} // namespace
} // namespace quendra::test
