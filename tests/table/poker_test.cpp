#include "poker.h"

#include <gtest/gtest.h>

namespace quendra {
namespace {

constexpr int kHearts = 0, kDiamonds = 1, kClubs = 2, kSpades = 3;

int Card(int rank, int suit) {
    return suit * 13 + rank;
}

PokerHand Hand(std::array<int, 5> ranks, std::array<int, 5> suits) {
    std::array<int, 5> cards{};
    for (int i = 0; i < 5; ++i)
        cards[i] = Card(ranks[i], suits[i]);
    return EvaluatePokerHand(cards);
}

constexpr std::array<int, 5> kOneSuit{kHearts, kHearts, kHearts, kHearts, kHearts};
constexpr std::array<int, 5> kMixed{kHearts, kSpades, kClubs, kDiamonds, kHearts};

TEST(PokerHands, RunsAndFlushes) {
    EXPECT_EQ(Hand({1, 10, 11, 12, 13}, kOneSuit), (PokerHand{"Royal Flush", 100}));
    EXPECT_EQ(Hand({1, 10, 11, 12, 13}, kMixed), (PokerHand{"Straight", 15}));
    EXPECT_EQ(Hand({11, 12, 13, 1, 2}, kOneSuit), (PokerHand{"Straight Flush", 75}));
    EXPECT_EQ(Hand({11, 12, 13, 1, 2}, kMixed), (PokerHand{}));
    EXPECT_EQ(Hand({13, 1, 2, 3, 4}, kOneSuit).points, 75);
    EXPECT_EQ(Hand({5, 6, 7, 8, 9}, kOneSuit).points, 75);
    EXPECT_EQ(Hand({9, 5, 7, 6, 8}, kMixed), (PokerHand{"Straight", 15}));
    EXPECT_EQ(Hand({2, 5, 7, 9, 13}, kOneSuit), (PokerHand{"Flush", 20}));
    EXPECT_EQ(Hand({10, 11, 12, 13, 2}, kOneSuit).points, 20); // not a wrapping set
}

TEST(PokerHands, RankGroups) {
    EXPECT_EQ(Hand({2, 2, 5, 5, 5}, kMixed), (PokerHand{"Full House", 25}));
    EXPECT_EQ(Hand({3, 3, 7, 7, 9}, kMixed), (PokerHand{"Two Pair", 5}));
    EXPECT_EQ(Hand({8, 8, 8, 8, 2}, kMixed), (PokerHand{"Four of a Kind", 50}));
    EXPECT_EQ(Hand({4, 9, 4, 4, 12}, kMixed), (PokerHand{"Three of a Kind", 10}));
    EXPECT_EQ(Hand({1, 1, 5, 9, 12}, kMixed), (PokerHand{"One Pair", 2}));
    EXPECT_EQ(Hand({1, 3, 5, 9, 12}, kMixed), (PokerHand{}));
}

TEST(PokerGridScoring, EmptyAndPartialGridScoreNothing) {
    PokerGrid grid{};
    grid[0] = Card(1, kHearts);
    grid[1] = Card(1, kSpades);
    const PokerScore score = ScorePokerGrid(grid, grid[1]);
    EXPECT_EQ(score.total, 0);
    EXPECT_TRUE(score.lines.empty());
    EXPECT_EQ(score.panel.total, ": 0 points");
    EXPECT_EQ(score.panel.handName, std::optional<std::string>(""));
    EXPECT_EQ(score.panel.points, std::optional<std::string>(""));
}

TEST(PokerGridScoring, RowsThenColumnsWithRunningTotals) {
    PokerGrid grid{};
    // Row 1: a royal flush of hearts.
    const std::array<int, 5> row{1, 10, 11, 12, 13};
    for (int k = 0; k < 5; ++k)
        grid[k] = Card(row[k], kHearts);
    // Column 1: the Ace of hearts, then four Aces of the other pack and suits.
    grid[5] = Card(1, kDiamonds);
    grid[10] = Card(1, kClubs);
    grid[15] = Card(1, kSpades);
    grid[20] = Card(2, kClubs);
    // Row 5 completed too, without the placed card: 2 3 4 5 6 mixed.
    for (int k = 1; k < 5; ++k)
        grid[20 + k] = Card(k + 2, k % 2 == 0 ? kSpades : kDiamonds);

    const PokerScore score = ScorePokerGrid(grid, grid[0]);
    ASSERT_EQ(score.lines.size(), 3u);
    EXPECT_FALSE(score.lines[0].column);
    EXPECT_EQ(score.lines[0].hand.points, 100);
    EXPECT_FALSE(score.lines[1].column);
    EXPECT_EQ(score.lines[1].index, 4);
    EXPECT_EQ(score.lines[1].hand.name, "Straight");
    EXPECT_TRUE(score.lines[2].column);
    EXPECT_EQ(score.lines[2].hand.name, "Four of a Kind");
    EXPECT_EQ(score.lines[2].piles, (std::array<int, 5>{0, 5, 10, 15, 20}));
    EXPECT_EQ(score.total, 165);

    ASSERT_EQ(score.shown, (std::vector<int>{0, 2}));
    EXPECT_EQ(score.lines[0].runningTotal, 115);
    EXPECT_EQ(score.lines[2].runningTotal, 165);
    EXPECT_EQ(score.panel.handName, std::optional<std::string>("Four of a Kind"));
    EXPECT_EQ(score.panel.points, std::optional<std::string>("50 points"));
    EXPECT_EQ(score.panel.total, ": 165 points");

    // A card outside every complete line shows nothing and keeps the panel's hand.
    grid[6] = Card(9, kClubs);
    const PokerScore quiet = ScorePokerGrid(grid, grid[6]);
    EXPECT_TRUE(quiet.shown.empty());
    EXPECT_FALSE(quiet.panel.handName.has_value());
    EXPECT_EQ(quiet.panel.total, ": 165 points");
}

TEST(PokerPanel, CentredOnTheWasteAndTheMiddleRow) {
    const TableRect panel = PokerPanelRect(100, 300, 71, 96, 200, 60);
    EXPECT_EQ(panel, (TableRect{36, 318, 236, 378}));
    const PokerPanelLayout text = PokerPanelTextPlaces(panel);
    EXPECT_EQ(text.handName, (TablePoint{43, 323}));
    EXPECT_EQ(text.points, (TablePoint{43, 339}));
    EXPECT_EQ(text.total, (TablePoint{43, 359}));
    EXPECT_EQ(text.clearRightEdge, 226);
}

} // namespace
} // namespace quendra
