#include "fake_host.h"
#include "win_animation.h"

#include <algorithm>
#include <random>
#include <set>

#include <gtest/gtest.h>

namespace quendra {
namespace {

RandomFn Seeded(unsigned seed) {
    auto engine = std::make_shared<std::mt19937>(seed);
    return [engine](int n) {
        return n < 1 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(*engine);
    };
}

std::vector<TablePoint> DrawsOf(WinAnimation& animation, int rounds) {
    std::vector<TablePoint> points;
    for (int i = 0; i < rounds; ++i)
        for (const WinAction& a : animation.NextRound())
            if (a.kind == WinAction::Kind::Draw) points.push_back(a.at);
    return points;
}

// A window whose clock moves only by the waits; it can clear the running flag on a wait.
class ScriptedSink : public WinAnimationSink {
  public:
    explicit ScriptedSink(GameContext& ctx) : ctx_(ctx) {}
    std::int64_t NowMs() override { return now; }
    void Draw(int card, TablePoint) override { cards.push_back(card); }
    void Wait(int ms) override {
        now += ms;
        if (ms == interruptOnWait) ctx_.flags[GameStateFlags::kAnimating] = 0;
    }
    void ProcessMessages() override { ++messageRounds; }

    std::int64_t now = 0;
    int interruptOnWait = -1;
    int messageRounds = 0;
    std::vector<int> cards;

  private:
    GameContext& ctx_;
};

TEST(WinPatternChoice, NamesAndRandom) {
    const RandomFn random = Seeded(7);
    std::set<WinPattern> seen;
    for (int i = 0; i < 500; ++i) {
        const auto pattern = ChooseWinPattern(kRandomWinPattern, random);
        ASSERT_TRUE(pattern.has_value());
        seen.insert(*pattern);
    }
    EXPECT_EQ(seen.size(), 6u);
    EXPECT_EQ(ChooseWinPattern("Open order", random), WinPattern::OpenOrder);
    EXPECT_EQ(ChooseWinPattern("Up to down", random), WinPattern::UpToDown);
    EXPECT_FALSE(ChooseWinPattern("Spirals", random).has_value());
    // A random source out of range yields no pattern rather than a stray one.
    EXPECT_FALSE(ChooseWinPattern(kRandomWinPattern, [](int) { return 6; }).has_value());
}

TEST(WinAnimationStops, ZeroSecondsDrawsOneRoundAtMost) {
    test::FakeHost host;
    GameContext ctx{host};
    WinArea area;
    for (WinPattern pattern : {WinPattern::Circles, WinPattern::OpenOrder, WinPattern::Lines}) {
        auto reference = MakeWinAnimation(pattern, area, Seeded(3));
        const std::size_t firstRound = DrawsOf(*reference, 1).size();
        auto animation = MakeWinAnimation(pattern, area, Seeded(3));
        ScriptedSink sink(ctx);
        EXPECT_EQ(RunWinAnimation(ctx, *animation, sink, 0), static_cast<int>(firstRound));
        EXPECT_EQ(ctx.flags[GameStateFlags::kAnimating], 0);
    }
}

TEST(WinAnimationStops, ClearingTheFlagDuringTheRowWaitEndsBeforeTheNextCard) {
    test::FakeHost host;
    GameContext ctx{host};
    WinArea area;
    area.width = 100;
    area.speedMoveCard = 6;
    auto animation = MakeWinAnimation(WinPattern::LeftToRight, area, Seeded(1));
    ScriptedSink sink(ctx);
    sink.interruptOnWait = 700;
    // The row of 100 pixels takes ten cards of 12 pixels' steps.
    EXPECT_EQ(RunWinAnimation(ctx, *animation, sink, 30), 10);
    EXPECT_EQ(ctx.flags[GameStateFlags::kAnimating], 0);

    // Without an interruption the time ends it: the clock only moves by the waits.
    auto again = MakeWinAnimation(WinPattern::LeftToRight, area, Seeded(1));
    ScriptedSink timed(ctx);
    EXPECT_GT(RunWinAnimation(ctx, *again, timed, 2), 10);
    EXPECT_GE(timed.now, 2000);
    for (int card : timed.cards) {
        EXPECT_GE(card, 1);
        EXPECT_LE(card, 51);
    }
}

TEST(WinPatterns, LeftToRightRowsAndPasses) {
    WinArea area;
    area.width = 100;
    area.height = 200;
    area.top = 5;
    auto animation = MakeWinAnimation(WinPattern::LeftToRight, area, Seeded(2));
    const auto points = DrawsOf(*animation, 100);
    EXPECT_EQ(points[0], (TablePoint{-20, 5}));
    EXPECT_EQ(points[1], (TablePoint{-8, 5}));
    EXPECT_EQ(points[10], (TablePoint{-23, 40})); // after an odd number of rows
    EXPECT_EQ(points[20], (TablePoint{97, 40}));
    EXPECT_EQ(points[21], (TablePoint{-17, 75})); // after an even number: 71 / 4
    std::vector<int> rowYs;
    for (std::size_t i = 0; i < points.size(); ++i)
        if (i == 0 || points[i].y != points[i - 1].y || points[i].x < points[i - 1].x)
            rowYs.push_back(points[i].y);
    ASSERT_GE(rowYs.size(), 10u);
    EXPECT_EQ(std::vector<int>(rowYs.begin(), rowYs.begin() + 10),
              (std::vector<int>{5, 40, 75, 35, 70, 70, 105, 140, 175, 40}));
}

TEST(WinPatterns, UpToDownColumnsAndPauses) {
    WinArea area;
    area.height = 200;
    area.speedMoveCard = 10;
    auto animation = MakeWinAnimation(WinPattern::UpToDown, area, Seeded(2));
    const WinRound first = animation->NextRound();
    const WinRound second = animation->NextRound();
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].at, (TablePoint{-10, 5}));
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second[0].at, (TablePoint{-10, 23}));
    EXPECT_EQ(second[1].kind, WinAction::Kind::Wait);
    EXPECT_EQ(second[1].ms, 5);
    const auto points = DrawsOf(*animation, 20);
    bool sawNextColumn = false;
    for (const TablePoint& p : points)
        if (p.x == 37) {
            EXPECT_GE(p.y, -32);
            sawNextColumn = true;
        }
    EXPECT_TRUE(sawNextColumn);
}

TEST(WinPatterns, LinesStayInsideAndKeepTheirSteps) {
    WinArea area;
    area.width = 400;
    area.height = 300;
    area.top = 20;
    auto animation = MakeWinAnimation(WinPattern::Lines, area, Seeded(9));
    const auto points = DrawsOf(*animation, 2000);
    int edges = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const TablePoint p = points[i];
        ASSERT_GE(p.x, 0);
        ASSERT_LE(p.x, 400 - 71);
        ASSERT_GE(p.y, 20);
        ASSERT_LE(p.y, 300 - 96);
        if (p.x == 0 || p.x == 329 || p.y == 20 || p.y == 204) ++edges;
        if (i > 0) {
            EXPECT_LE(std::abs(p.x - points[i - 1].x), 11);
            EXPECT_LE(std::abs(p.y - points[i - 1].y), 11);
        }
    }
    EXPECT_GT(edges, 10); // many lines, each ending at an edge
}

TEST(WinPatterns, CirclePointsAndClipping) {
    const auto& points = CirclePoints();
    EXPECT_GT(points.size(), 200u);
    EXPECT_LE(points.size(), 299u);
    EXPECT_EQ(points.front(), (TablePoint{150, 0}));
    EXPECT_GT(points[10].x, 150); // down the right half first
    for (const TablePoint& p : points) {
        EXPECT_GE(p.x, 0);
        EXPECT_LT(p.x, 300);
        EXPECT_GE(p.y, 0);
        EXPECT_LT(p.y, 300);
    }
    WinArea area;
    area.width = 500;
    area.height = 400;
    auto animation = MakeWinAnimation(WinPattern::Circles, area, Seeded(4));
    for (int round = 0; round < 20; ++round) {
        int card = 0;
        for (const WinAction& a : animation->NextRound()) {
            if (a.kind != WinAction::Kind::Draw) continue;
            if (card == 0) card = a.card;
            EXPECT_EQ(a.card, card); // one card per circle
            EXPECT_GE(a.at.x, 0);
            EXPECT_LE(a.at.x + 71, 500);
            EXPECT_GE(a.at.y, 0);
            EXPECT_LE(a.at.y + 96, 400);
        }
    }
}

TEST(WinPatterns, FestoonArcsGetLowerAndFit) {
    WinArea area;
    area.width = 4000; // wide, to see a long chain of one card
    area.height = 600;
    area.top = 40;
    auto animation = MakeWinAnimation(WinPattern::Festoons, area, Seeded(5));
    // The chain of each card: a new card starts elsewhere, more than one step away.
    std::vector<std::vector<TablePoint>> chains(1);
    int card = 0;
    for (int i = 0; i < 3000; ++i) {
        const WinRound round = animation->NextRound();
        ASSERT_EQ(round[0].kind, WinAction::Kind::Draw);
        const TablePoint at = round[0].at;
        if (!chains.back().empty() &&
            (round[0].card != card || std::abs(at.x - chains.back().back().x) > 6))
            chains.emplace_back();
        card = round[0].card;
        chains.back().push_back(at);
    }
    const auto& points =
        *std::max_element(chains.begin(), chains.end(),
                          [](const auto& a, const auto& b) { return a.size() < b.size(); });
    const int floor = 600 - 96;
    std::vector<int> peaks;
    bool landed = false;
    int peak = floor;
    for (const TablePoint& p : points) {
        ASSERT_LE(p.y, floor);
        if (p.y == floor) {
            if (landed && peak < floor) peaks.push_back(peak);
            landed = true;
            peak = floor;
        } else if (landed) {
            EXPECT_GE(p.y, 40);
            peak = std::min(peak, p.y);
        }
    }
    ASSERT_GE(peaks.size(), 3u);
    for (std::size_t i = 1; i < peaks.size(); ++i)
        EXPECT_GT(peaks[i], peaks[i - 1]); // each arc lower than the one before
}

} // namespace
} // namespace quendra
