// The Spider search's model of the game, on hand-made positions.

#include "spider_search.h"

#include <vector>

#include <gtest/gtest.h>

namespace quendra::test {
namespace {

using spider::MakeCard;

// Lays out piles given bottom card first; `down` of each pile face down.
spider::Deal HandDeal(const std::vector<std::vector<spider::Card>>& piles,
                      const std::vector<int>& down, std::vector<spider::Card> stock = {}) {
    spider::Deal deal;
    deal.start.piles = static_cast<int>(piles.size());
    int at = 0;
    for (std::size_t p = 0; p < piles.size(); ++p) {
        deal.start.length[p] = static_cast<std::uint8_t>(piles[p].size());
        deal.start.down[p] = static_cast<std::uint8_t>(down[p]);
        for (spider::Card card : piles[p])
            deal.start.cards[static_cast<std::size_t>(at++)] = card;
    }
    deal.stock = std::move(stock);
    deal.totalRuns = 1;
    return deal;
}

// King to `low` in one suit, King first.
std::vector<spider::Card> RunDown(int low, int suit) {
    std::vector<spider::Card> cards;
    for (int rank = 13; rank >= low; --rank)
        cards.push_back(MakeCard(rank, suit));
    return cards;
}

TEST(SpiderModelTest, AFinishedRunLeavesAndTheCardUnderItTurnsUp) {
    std::vector<spider::Card> pile0 = {MakeCard(5, 1)};
    for (spider::Card card : RunDown(2, 0))
        pile0.push_back(card);
    spider::Deal deal = HandDeal({pile0, {MakeCard(9, 2), MakeCard(1, 0)}}, {1, 1});
    spider::Position pos = deal.start;
    // The Ace of another suit does not finish the run.
    spider::Deal offSuit = HandDeal({pile0, {MakeCard(1, 3)}}, {1, 0});
    spider::Position other = offSuit.start;
    ASSERT_TRUE(spider::Play(offSuit, other, {false, 1, 0, 0}));
    EXPECT_EQ(other.length[0], 14);
    EXPECT_EQ(other.removed, 0);

    ASSERT_TRUE(spider::Play(deal, pos, {false, 1, 1, 0}));
    EXPECT_EQ(pos.removed, 1);
    EXPECT_EQ(pos.length[0], 1);
    EXPECT_EQ(pos.Top(0), MakeCard(5, 1));
    EXPECT_EQ(pos.down[0], 0); // turned up
    EXPECT_EQ(pos.down[1], 0);
    EXPECT_TRUE(spider::Won(deal, pos));
}

TEST(SpiderModelTest, OnlyRunsInOneSuitMoveAndOnlyOntoTheNextRankOrAGap) {
    // 8 of suit 1 under 7 of suit 0 under 6 of suit 0: 7-6 is a run, 8-7 is not.
    spider::Deal deal = HandDeal(
        {{MakeCard(8, 1), MakeCard(7, 0), MakeCard(6, 0)}, {MakeCard(8, 2)}, {MakeCard(9, 3)}, {}},
        {0, 0, 0, 0});
    spider::Position pos = deal.start;
    EXPECT_FALSE(spider::Play(deal, pos, {false, 0, 0, 2})) << "8-7-6 is not in one suit";
    EXPECT_FALSE(spider::Play(deal, pos, {false, 0, 1, 2})) << "a 7 does not go on a 9";
    EXPECT_TRUE(spider::Play(deal, pos, {false, 0, 1, 1}));
    EXPECT_EQ(pos.length[1], 3);
    EXPECT_TRUE(spider::Play(deal, pos, {false, 0, 0, 3})) << "anything goes into a gap";
    EXPECT_EQ(pos.length[0], 0);
}

TEST(SpiderModelTest, TheStockDealsOneCardEachButNeverOntoAGap) {
    const std::vector<spider::Card> stock = {MakeCard(1, 0), MakeCard(2, 0), MakeCard(3, 0),
                                             MakeCard(4, 0)};
    spider::Deal deal = HandDeal({{MakeCard(9, 1)}, {}}, {0, 0}, stock);
    spider::Position pos = deal.start;
    EXPECT_FALSE(spider::CanDeal(deal, pos));
    EXPECT_FALSE(spider::Play(deal, pos, {true, 0, 0, 0}));
    ASSERT_TRUE(spider::Play(deal, pos, {false, 0, 0, 1}));
    // Moving the only card just moves the gap.
    EXPECT_FALSE(spider::CanDeal(deal, pos));

    spider::Deal full = HandDeal({{MakeCard(9, 1)}, {MakeCard(5, 2)}}, {0, 0}, stock);
    pos = full.start;
    ASSERT_TRUE(spider::Play(full, pos, {true, 0, 0, 0}));
    EXPECT_EQ(pos.Top(0), MakeCard(1, 0));
    EXPECT_EQ(pos.Top(1), MakeCard(2, 0));
    ASSERT_TRUE(spider::Play(full, pos, {true, 0, 0, 0}));
    EXPECT_FALSE(spider::CanDeal(full, pos)) << "the stock is used up";

    // A last deal shorter than the row of piles goes to the first piles, as the engine deals.
    spider::Deal shortLast = HandDeal({{MakeCard(9, 1)}, {MakeCard(5, 2)}}, {0, 0},
                                      {MakeCard(1, 0), MakeCard(2, 0), MakeCard(3, 0)});
    pos = shortLast.start;
    ASSERT_TRUE(spider::Play(shortLast, pos, {true, 0, 0, 0}));
    ASSERT_TRUE(spider::Play(shortLast, pos, {true, 0, 0, 0}));
    EXPECT_EQ(pos.Top(0), MakeCard(3, 0));
    EXPECT_EQ(pos.Top(1), MakeCard(2, 0));
    EXPECT_EQ(pos.length[1], 2);
    EXPECT_FALSE(spider::CanDeal(shortLast, pos));
}

// Where runs of any suit finish, at most half of them may have a red Ace (and half black); a
// run that would break that waits on the table.
TEST(SpiderModelTest, RunsOfAnySuitFinishOnlyWhileTheColoursStayEven) {
    std::vector<spider::Card> mixed;
    for (int rank = 13; rank >= 2; --rank)
        mixed.push_back(MakeCard(rank, rank % 4));
    spider::Deal deal =
        HandDeal({mixed, {MakeCard(1, 0)}, {MakeCard(1, 3)}, {MakeCard(7, 2)}}, {0, 0, 0, 0});
    deal.rules = {spider::Match::Any, spider::Match::Any, spider::Match::Any, true};
    deal.totalRuns = 2;

    spider::Position pos = deal.start;
    pos.removed = pos.removedRed = 1; // one red run already gone
    ASSERT_TRUE(spider::Play(deal, pos, {false, 1, 0, 0}));
    EXPECT_EQ(pos.removed, 1) << "a second red Ace would break the balance";
    EXPECT_EQ(pos.length[0], 13);
    // The red Ace steps aside and a black one finishes the run.
    ASSERT_TRUE(spider::Play(deal, pos, {false, 0, 12, 1}));
    ASSERT_TRUE(spider::Play(deal, pos, {false, 2, 0, 0}));
    EXPECT_EQ(pos.removed, 2);
    EXPECT_EQ(pos.length[0], 0);
    EXPECT_TRUE(spider::Won(deal, pos));

    // With runs in suit only, the same mixed run never finishes.
    spider::Deal inSuit = deal;
    inSuit.rules = {};
    pos = inSuit.start;
    ASSERT_TRUE(spider::Play(inSuit, pos, {false, 2, 0, 0}));
    EXPECT_EQ(pos.removed, 0);
}

// As the engine plays it: a single card leaves the card under it face down (a click turns
// it, nothing lands on it); a group that moves turns every such card.
TEST(SpiderModelTest, FaceDownTopsTurnAfterAGroupMovesOrOnAClick) {
    spider::Deal deal = HandDeal({{MakeCard(12, 0), MakeCard(9, 1)},
                                  {MakeCard(11, 2), MakeCard(6, 3), MakeCard(5, 3)},
                                  {MakeCard(10, 0)},
                                  {MakeCard(7, 1)},
                                  {MakeCard(11, 1)}},
                                 {1, 1, 0, 0, 0});
    deal.rules.turnAfterGroupsOnly = true;
    spider::Position pos = deal.start;
    ASSERT_TRUE(spider::Play(deal, pos, {false, 0, 1, 2}));
    EXPECT_EQ(pos.down[0], 1) << "the Queen stays face down";
    EXPECT_FALSE(spider::Play(deal, pos, {false, 4, 0, 0})) << "nothing lands on it";
    const std::vector<spider::Move> moves = spider::UsefulMoves(deal, pos, false);
    EXPECT_EQ(std::count_if(moves.begin(), moves.end(),
                            [](const spider::Move& m) { return m.from == 0 || m.to == 0; }),
              0);
    ASSERT_TRUE(spider::Play(deal, pos, {false, 1, 1, 3})); // the 6-5 group
    EXPECT_EQ(pos.down[0], 0);
    EXPECT_EQ(pos.down[1], 0);

    pos = deal.start;
    ASSERT_TRUE(spider::Play(deal, pos, {false, 0, 1, 2}));
    EXPECT_FALSE(spider::Play(deal, pos, {false, 1, 0, 1, true})) << "its top is face up";
    ASSERT_TRUE(spider::Play(deal, pos, {false, 0, 0, 0, true}));
    EXPECT_EQ(pos.down[0], 0);
    EXPECT_TRUE(spider::Play(deal, pos, {false, 4, 0, 0})) << "the Jack goes on the Queen";
}

TEST(SpiderModelTest, WhereRunsOfAnySuitsMoveTheirPartInSuitMayTakeASpace) {
    // A run of two suits: 9 of suit 1, 8 and 7 of suit 2, on a face-down card; one space.
    spider::Deal deal = HandDeal(
        {{MakeCard(4, 0), MakeCard(9, 1), MakeCard(8, 2), MakeCard(7, 2)}, {MakeCard(2, 3)}, {}},
        {1, 0, 0});
    deal.rules.group = spider::Match::Any;
    auto toSpace = [&](const spider::Position& pos) {
        std::vector<int> from;
        for (const spider::Move& m : spider::UsefulMoves(deal, pos, false))
            if (!m.deal && m.from == 0 && m.to == 2) from.push_back(m.position);
        return from;
    };
    EXPECT_EQ(toSpace(deal.start), (std::vector<int>{1, 2})) << "the whole run, or 8-7; never the 7";
    spider::Position pos = deal.start;
    ASSERT_TRUE(spider::Play(deal, pos, {false, 0, 2, 2}));
    EXPECT_EQ(pos.length[2], 2);
    EXPECT_EQ(pos.Top(0), MakeCard(9, 1));
}

TEST(SpiderModelTest, TheSameTableWithThePilesInAnotherOrderIsTheSamePosition) {
    spider::Deal a = HandDeal({{MakeCard(9, 1)}, {MakeCard(5, 2), MakeCard(4, 2)}}, {0, 1});
    spider::Deal b = HandDeal({{MakeCard(5, 2), MakeCard(4, 2)}, {MakeCard(9, 1)}}, {1, 0});
    spider::Deal c = HandDeal({{MakeCard(5, 2), MakeCard(4, 2)}, {MakeCard(9, 1)}}, {0, 0});
    EXPECT_EQ(spider::CanonicalHash(a.start), spider::CanonicalHash(b.start));
    EXPECT_NE(spider::CanonicalHash(a.start), spider::CanonicalHash(c.start));
}

} // namespace
} // namespace quendra::test
