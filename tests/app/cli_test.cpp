#include "cli.h"

#include <filesystem>
#include <random>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

namespace quendra {
namespace {

namespace fs = std::filesystem;

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device rd;
        dir = fs::temp_directory_path() / ("quendra-cli-" + std::to_string(rd()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // Runs the tool with a fresh program folder and the built catalogue beside the "executable".
    int Run(std::vector<std::string> args, const std::string& exeDir = QUENDRA_BIN_DIR) {
        args.push_back("--dir");
        args.push_back(dir.string());
        out.str({});
        err.str({});
        return RunCli(args, exeDir, out, err);
    }

    fs::path dir;
    std::ostringstream out, err;
};

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

TEST_F(CliTest, GamesListsTheCatalogueAsTextAndJson) {
    ASSERT_EQ(Run({"games"}), kExitOk) << err.str();
    EXPECT_NE(out.str().find("0\tKlondike\t5\n"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("1\tFreeCell\t4\n"), std::string::npos);
    ASSERT_EQ(Run({"games", "--json"}), kExitOk);
    EXPECT_EQ(out.str().rfind("[\n  {\"number\": 0, \"name\": \"Klondike\", \"type\": 5},", 0), 0u)
        << out.str();
    EXPECT_TRUE(out.str().ends_with("}\n]\n")) << out.str();
}

TEST_F(CliTest, DealPrintsTheDeckListOfTheDeal) {
    ASSERT_EQ(Run({"deal", "--game", "0", "--deal", "0000000000000"}), kExitOk) << err.str();
    const auto codes = Words(out.str());
    ASSERT_EQ(codes.size(), 52u);
    EXPECT_EQ(std::set<std::string>(codes.begin(), codes.end()).size(), 52u);
    // The Aces and Twos of the all-zero deal.
    EXPECT_EQ(codes[25], "040");
    EXPECT_EQ(codes[43], "014");
    EXPECT_EQ(codes[4], "027");
    EXPECT_EQ(codes[26], "001");
    EXPECT_EQ(codes[0], "002");
    for (const auto& code : codes)
        EXPECT_EQ(code.size(), 3u);

    const std::string first = out.str();
    ASSERT_EQ(Run({"deal", "--deal", "0", "--game", "0"}), kExitOk);
    EXPECT_EQ(out.str(), first); // a short number is the padded one
}

TEST_F(CliTest, BadArgumentsExitWithStatusTwoAndAMessage) {
    const std::vector<std::vector<std::string>> cases = {
        {"deal", "--game", "4321", "--deal", "1"}, // not in the catalogue
        {"deal", "--game", "x", "--deal", "1"},    // not a number
        {"deal", "--game", "0", "--deal", "12345678901234"},
        {"deal", "--game", "0", "--deal", "12a"},
        {"deal", "--game", "0", "--deal", ""},
        {"deal", "--game", "0"},
        {"deal", "--game"},
        {"games", "--bogus"},
        {"shuffle"},
    };
    for (const auto& args : cases) {
        EXPECT_EQ(Run(args), kExitUsage) << args[0] << " " << (args.size() > 1 ? args[1] : "");
        EXPECT_TRUE(out.str().empty());
        EXPECT_FALSE(err.str().empty());
    }
    EXPECT_EQ(RunCli({}, QUENDRA_BIN_DIR, out, err), kExitUsage);
}

TEST_F(CliTest, MissingCatalogueIsReported) {
    const fs::path empty = dir / "nothing-here";
    fs::create_directories(empty);
    EXPECT_EQ(Run({"games"}, empty.string()), kExitUsage);
    EXPECT_NE(err.str().find("GAMES.DAT"), std::string::npos) << err.str();
}

} // namespace
} // namespace quendra
