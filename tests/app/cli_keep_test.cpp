#include "cli_test_support.h"

#include <algorithm>
#include <fstream>

namespace quendra::test {
namespace {

class CliKeepTest : public CliRunner {
  protected:
    // The next moves the finder sees on Klondike deal 77, one at a time.
    std::vector<std::string> Moves(int count) {
        std::vector<std::string> moves;
        for (int i = 0; i < count; ++i) {
            std::vector<std::string> args = {"hint", "--game", "0", "--deal", "77"};
            args.insert(args.end(), moves.begin(), moves.end());
            EXPECT_EQ(Run(args), 0) << err.str();
            std::string move = out.str();
            move.erase(move.find_last_not_of('\n') + 1);
            EXPECT_NE(move, "No other moves.");
            moves.push_back(move);
        }
        return moves;
    }
    std::string Path(const std::string& name) const { return (dir / name).string(); }
};

TEST_F(CliKeepTest, ASavedGameGoesOnWhereItWasAndUndoTakesBackTheMoveBeforeTheSave) {
    const std::vector<std::string> moves = Moves(3);
    const std::string saved = Path("game.gam");
    std::vector<std::string> args = {"play", "--game", "0",   "--deal",
                                     "77",   "--save", saved, "--json"};
    args.insert(args.end(), moves.begin(), moves.end());
    ASSERT_EQ(Run(args), 0) << err.str();
    const auto afterThree = JsonPiles(out.str());
    std::ifstream file(saved, std::ios::binary);
    std::string first;
    std::getline(file, first);
    EXPECT_EQ(first.substr(0, 12), "[S-0530]0000");

    ASSERT_EQ(Run({"show", "--open", saved, "--json"}), 0) << err.str();
    EXPECT_EQ(JsonPiles(out.str()), afterThree);
    EXPECT_EQ(JsonField(out.str(), "game"), "0");
    EXPECT_EQ(JsonField(out.str(), "deal"), "\"0000000000077\"");

    ASSERT_EQ(Play(0, 77, {moves[0], moves[1]}), 0);
    const auto afterTwo = JsonPiles(out.str());
    ASSERT_EQ(Run({"play", "--open", saved, "undo", "--json"}), 0) << err.str();
    EXPECT_EQ(JsonPiles(out.str()), afterTwo);
    ASSERT_EQ(Run({"play", "--open", saved, "undo", "undo", "undo", "--json"}), 0) << err.str();
    EXPECT_EQ(JsonPiles(out.str()), Show(0, 77));

    // Saved again after more moves, and again opened.
    const std::string later = Path("later.gam");
    ASSERT_EQ(Run({"play", "--open", saved, "undo", "redo", "--save", later, "--json"}), 0)
        << err.str();
    const auto replayed = JsonPiles(out.str());
    EXPECT_EQ(replayed, afterThree);
    ASSERT_EQ(Run({"show", "--open", later, "--json"}), 0);
    EXPECT_EQ(JsonPiles(out.str()), replayed);
}

TEST_F(CliKeepTest, ABadSavedGameIsOneLineOnStandardErrorAndStatusTwo) {
    const std::string bad = Path("bad.gam");
    std::ofstream(bad, std::ios::binary) << "[S-0530]0000 this is no saved game\r\n";
    for (const std::vector<std::string>& args : {std::vector<std::string>{"show", "--open", bad},
                                                 {"play", "--open", bad, "undo"},
                                                 {"show", "--open", Path("none.gam"), "--json"}}) {
        EXPECT_EQ(Run(args), 2) << args[2];
        const std::string message = err.str();
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
        EXPECT_NE(err.str().find(args[2]), std::string::npos) << err.str();
        EXPECT_TRUE(out.str().empty());
    }
    EXPECT_NE(err.str().find("File not found: "), std::string::npos);
    // The game and the deal come from the file, never from the options as well.
    EXPECT_EQ(Run({"show", "--open", bad, "--game", "1"}), 2);
    EXPECT_NE(err.str().find("--open takes the game and the deal from the file"),
              std::string::npos);
}

} // namespace
} // namespace quendra::test
