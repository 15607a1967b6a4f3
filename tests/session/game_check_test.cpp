#include "game_check.h"

#include <gtest/gtest.h>

namespace quendra {
namespace {

const std::vector<CheckArea> kAreas = {{1024, 768}, {800, 600}};

TEST(GameCheck, EveryCatalogueGameDealsSoundlyAtBothSizes) {
    for (const char* deal : {"1", "1234567890123", "9999999999999"}) {
        std::vector<std::string> problems;
        int checked = 0;
        ASSERT_TRUE(CheckAllGames(QUENDRA_GAMES_DAT, deal, kAreas, problems, checked));
        EXPECT_GE(checked, 31);
        for (const std::string& problem : problems)
            ADD_FAILURE() << deal << ": " << problem;
    }
}

TEST(GameCheck, ProblemsAreNamed) {
    // A table far too small for ten piles of cards cannot hold them side by side.
    const auto problems = CheckGame(QUENDRA_GAMES_DAT, 42, "1", {{300, 200}});
    ASSERT_FALSE(problems.empty());
    EXPECT_NE(problems.front().find("300x200"), std::string::npos) << problems.front();
    EXPECT_FALSE(CheckGame(QUENDRA_GAMES_DAT, 4321, "1", {{1024, 768}}).empty());
    std::vector<std::string> none;
    int checked = 0;
    EXPECT_FALSE(CheckAllGames("/nonexistent/GAMES.DAT", "1", kAreas, none, checked));
    EXPECT_EQ(checked, 0);
}

} // namespace
} // namespace quendra
