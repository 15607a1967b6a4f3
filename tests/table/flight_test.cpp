#include "flight.h"
#include "flight_frames.h"

#include <cstdlib>

#include <gtest/gtest.h>

namespace quendra {
namespace {

FlightRequest Horizontal(int from, int to) {
    FlightRequest r;
    r.from = {from, 50};
    r.to = {to, 50};
    r.cardWidth = 71;
    r.cardHeight = 96;
    return r;
}

TEST(FlightStep, LengthsOfTheWorkedDistances) {
    EXPECT_EQ(FlightStepLength(100, false, false), 19);
    EXPECT_EQ(FlightStepLength(500, false, false), 48);
    EXPECT_EQ(FlightStepLength(-500, false, false), 48);
    for (int d : {1000, 5000, 30000, 100000})
        EXPECT_LE(FlightStepLength(d, false, false), 78) << d;
    EXPECT_EQ(FlightStepLength(100000, false, false), 78);
    EXPECT_EQ(FlightStepLength(500, true, false), 43); // 48 x 0.9
    EXPECT_EQ(FlightStepLength(500, false, true), 24);
    EXPECT_EQ(FlightStepLength(0, false, false), 0);
}

TEST(FlightStep, ShortFlightsStillMove) {
    // 1 and 2 pixels round to a step of 0, which would never arrive.
    EXPECT_EQ(FlightStepLength(1, false, false), 1);
    EXPECT_EQ(FlightStepLength(2, true, true), 1);
    const FlightPlan plan = PlanFlight(Horizontal(0, 2));
    ASSERT_FALSE(plan.moves.empty());
    EXPECT_EQ(plan.moves.back().at, (TablePoint{2, 50}));
    EXPECT_LE(plan.moves.size(), 3u);
}

TEST(FlightPath, FiveHundredPixelsDrawTenPointsThenDrop) {
    FlightRequest r = Horizontal(0, 500);
    r.speedMoveCard = 10;
    const FlightPlan plan = PlanFlight(r);
    EXPECT_EQ(plan.majorStep, 48);
    ASSERT_EQ(plan.moves.size(), 11u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(plan.moves[i].at, (TablePoint{48 * (i + 1), 50}));
        EXPECT_FALSE(plan.moves[i].drop);
        EXPECT_EQ(plan.moves[i].waitBeforeMs, 10);
    }
    EXPECT_EQ(plan.moves[10].at, (TablePoint{500, 50}));
    EXPECT_TRUE(plan.moves[10].drop);
    EXPECT_EQ(plan.moves[10].waitBeforeMs, 10); // the wait of the arriving step
    EXPECT_FALSE(plan.finalMoveIsStill);
}

TEST(FlightPath, MinorAxisFollowsTheProgressInPercent) {
    FlightRequest r = Horizontal(0, 500);
    r.to.y = 150; // 100 down
    const FlightPlan plan = PlanFlight(r);
    EXPECT_TRUE(plan.horizontal);
    EXPECT_EQ(plan.moves[0].at, (TablePoint{48, 60})); // 9.6 % -> 10 %
    EXPECT_EQ(plan.moves[1].at, (TablePoint{96, 69})); // 19.2 % -> 19 %
    EXPECT_EQ(plan.moves.back().at, (TablePoint{500, 150}));

    // Upward and leftward: the vertical axis is the major one here.
    FlightRequest up;
    up.from = {300, 400};
    up.to = {250, 0};
    const FlightPlan upPlan = PlanFlight(up);
    EXPECT_FALSE(upPlan.horizontal);
    EXPECT_EQ(upPlan.majorStep, -44);
    EXPECT_EQ(upPlan.moves[0].at, (TablePoint{295, 356})); // 11 % of the way left
}

TEST(FlightPath, TiesGoToTheHorizontalAxis) {
    FlightRequest r = Horizontal(0, 100);
    r.to.y = 150;
    EXPECT_TRUE(PlanFlight(r).horizontal);
}

TEST(FlightPath, NoDistanceOnlyDrops) {
    const FlightPlan plan = PlanFlight(Horizontal(70, 70));
    ASSERT_EQ(plan.moves.size(), 1u);
    EXPECT_EQ(plan.moves[0].at, (TablePoint{70, 50}));
    EXPECT_TRUE(plan.moves[0].drop);
    EXPECT_TRUE(plan.finalMoveIsStill);
}

TEST(FlightPath, Waits) {
    FlightRequest r = Horizontal(0, 500);
    r.speedMoveCard = 0;
    for (const FlightMove& m : PlanFlight(r).moves)
        EXPECT_EQ(m.waitBeforeMs, 0);
    r.speedMoveCard = 10;
    r.deal = true;
    EXPECT_EQ(PlanFlight(r).moves[0].waitBeforeMs, 2); // a quarter for deal flights
    r.deal = false;
    r.demonstration = true;
    EXPECT_EQ(PlanFlight(r).moves[0].waitBeforeMs, 30);
    EXPECT_TRUE(PlanFlight(r).keepShadow);
    r.demoStockRedealt = true;
    EXPECT_EQ(PlanFlight(r).moves[0].waitBeforeMs, 10);
}

TEST(FlightPath, UnsetTargetFliesOffTheTable) {
    FlightRequest r = Horizontal(100, -10002);
    r.to.y = -10002;
    const FlightPlan plan = PlanFlight(r);
    EXPECT_EQ(plan.target, (TablePoint{-213, -288}));
    EXPECT_EQ(plan.moves.back().at, (TablePoint{-213, -288}));
}

TEST(FlightPath, DropOffsetLandsRaisedThenSettles) {
    FlightRequest r = Horizontal(0, 200);
    r.to.y = 100;
    r.dropOffset = true;
    r.shadowOffset = 9;
    r.speedMoveCard = 4;
    const FlightPlan plan = PlanFlight(r);
    EXPECT_EQ(plan.lifted, (TablePoint{191, 91}));
    ASSERT_GE(plan.moves.size(), 3u);
    const FlightMove& lifted = plan.moves[plan.moves.size() - 2];
    EXPECT_EQ(lifted.at, plan.lifted);
    EXPECT_TRUE(lifted.drop);
    const FlightMove& settled = plan.moves.back();
    EXPECT_EQ(settled.at, (TablePoint{200, 100}));
    EXPECT_EQ(settled.waitBeforeMs, 8);
    for (std::size_t i = 0; i + 2 < plan.moves.size(); ++i)
        EXPECT_LT(plan.moves[i].at.x, 191);

    r.commit = false;
    EXPECT_FALSE(PlanFlight(r).moves.back().drop);
}

TEST(Floating, UncoveredBandsFollowTheDirection) {
    const TableRect old{0, 0, 71, 96};
    EXPECT_FALSE(FloatingMoves({5, 5}, {5, 5}));
    EXPECT_TRUE(FloatingMoves({5, 5}, {5, 6}));

    auto bands = UncoveredByMove(old, {10, 5});
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_EQ(bands[0], (TableRect{0, 0, 10, 96}));
    EXPECT_EQ(bands[1], (TableRect{10, 0, 71, 5}));

    bands = UncoveredByMove(old, {-10, -5});
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_EQ(bands[0], (TableRect{61, 0, 71, 96}));
    EXPECT_EQ(bands[1], (TableRect{0, 91, 61, 96}));

    bands = UncoveredByMove(old, {0, 20});
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ(bands[0], (TableRect{0, 0, 71, 20}));

    bands = UncoveredByMove(old, {300, 300}); // the old rectangle is wholly uncovered
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ(bands[0], old);
}

TEST(Floating, Shadows) {
    const TableRect card{100, 200, 171, 296};
    const FloatingShadow single = ShadowOfFloating(card, 9, true);
    EXPECT_EQ(single.rightStrip, (TablePoint{171, 207}));
    EXPECT_EQ(single.bottomStrip, (TablePoint{108, 296}));
    EXPECT_EQ(single.pixels, (std::vector<TablePoint>{{170, 294}, {169, 295}}));

    const FloatingShadow none = ShadowOfFloating(card, 0, true);
    EXPECT_FALSE(none.rightStrip.has_value());
    EXPECT_TRUE(none.pixels.empty());

    const TableRect group{100, 200, 171, 400};
    const FloatingShadow dither = ShadowOfFloating(group, 9, false);
    EXPECT_FALSE(dither.rightStrip.has_value());
    const auto bands = ShadowBands(group, 9);
    int firstColumnTop = 1000, outerColumnTop = 1000;
    for (std::size_t i = 0; i + 2 < dither.pixels.size(); ++i) {
        const TablePoint p = dither.pixels[i];
        const bool inBand = (p.x >= bands[0].left && p.x < bands[0].right && p.y >= bands[0].top &&
                             p.y < bands[0].bottom) ||
                            (p.x >= bands[1].left && p.x < bands[1].right && p.y >= bands[1].top &&
                             p.y < bands[1].bottom);
        EXPECT_TRUE(inBand) << p.x << "," << p.y;
        // A checkerboard: no two dots side by side.
        for (std::size_t j = 0; j + 2 < dither.pixels.size(); ++j) {
            const TablePoint q = dither.pixels[j];
            EXPECT_NE(std::abs(p.x - q.x) + std::abs(p.y - q.y), 1);
        }
        if (p.x == 171) firstColumnTop = std::min(firstColumnTop, p.y);
        if (p.x == 177 && p.y < 400) outerColumnTop = std::min(outerColumnTop, p.y);
    }
    EXPECT_EQ(firstColumnTop, 207);
    EXPECT_GE(outerColumnTop, 209);
}

TEST(FrameStripControl, FramesLoopAndStop) {
    FrameStrip strip;
    strip.SetFrameCount(12);
    EXPECT_TRUE(strip.SetFrame(-1));
    EXPECT_EQ(strip.Frame(), 11);
    strip.SetFrame(14);
    EXPECT_EQ(strip.Frame(), 2);
    EXPECT_FALSE(strip.SetFrame(2));
    EXPECT_EQ(strip.FrameLeft(30), 60);

    strip.SetPlay(true);
    EXPECT_FALSE(strip.TimerRuns()); // no interval
    strip.SetInterval(100);
    EXPECT_TRUE(strip.TimerRuns());
    strip.SetFrame(11);
    EXPECT_TRUE(strip.Tick()); // looping wraps to the first frame
    EXPECT_EQ(strip.Frame(), 0);
    EXPECT_TRUE(strip.Play());

    strip.SetLoop(false);
    strip.SetFrame(9);
    strip.Tick();
    EXPECT_TRUE(strip.Play());
    strip.Tick();
    EXPECT_EQ(strip.Frame(), 11);
    EXPECT_FALSE(strip.Play());
    EXPECT_FALSE(strip.Tick());

    strip.SetReverse(true);
    strip.SetPlay(true);
    strip.SetFrame(1);
    strip.Tick();
    EXPECT_EQ(strip.Frame(), 0);
    EXPECT_FALSE(strip.Play());

    strip.SetFrameCount(0); // counts as one frame: no division by zero
    EXPECT_FALSE(strip.SetFrame(5));
    EXPECT_EQ(strip.Frame(), 0);
    EXPECT_EQ(FrameStrip::HeightForBitmap(0), 30);
    EXPECT_EQ(FrameStrip::HeightForBitmap(40), 40);
}

} // namespace
} // namespace quendra
