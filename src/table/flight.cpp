#include "flight.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace quendra {

int FlightStepLength(int distance, bool deal, bool demonstration) {
    const int d = std::abs(distance);
    if (d == 0) return 0;
    const double dd = d;
    int step = static_cast<int>(dd / (dd / 50.0 * 100.0 / 6.25 * 4.0 / 100.0 + 4.0) + 0.5);
    if (deal) step = static_cast<int>(step * 0.9);
    if (demonstration) step = static_cast<int>(step * 0.5);
    // Short flights would otherwise never arrive.
    return std::max(step, 1);
}

namespace {

int Sign(int v) {
    return (v > 0) - (v < 0);
}

// Moves a coordinate onto its target when it reaches or passes it.
bool Clamp(int& value, int start, int target) {
    const int direction = Sign(target - start);
    if (direction == 0 || (value - target) * direction >= 0) {
        value = target;
        return true;
    }
    return false;
}

int FlightWait(const FlightRequest& r) {
    int wait = std::max(r.speedMoveCard, 0);
    if (r.demonstration && !r.demoStockRedealt) wait *= 3;
    return wait;
}

} // namespace

FlightPlan PlanFlight(const FlightRequest& r) {
    FlightPlan plan;
    plan.start = r.from;
    plan.waitPerStep = FlightWait(r);
    plan.keepShadow = r.demonstration;

    TablePoint target = r.to;
    if (r.dropOffset) {
        target.x -= r.shadowOffset;
        target.y -= r.shadowOffset;
    }
    // A card sent to a pile without a place flies off the table.
    if (target.x < kUnsetPosition) target.x = -3 * r.cardWidth;
    if (target.y < kUnsetPosition) target.y = -3 * r.cardHeight;
    plan.lifted = target;
    plan.target = target;
    if (r.dropOffset) {
        plan.target.x += r.shadowOffset;
        plan.target.y += r.shadowOffset;
    }

    const int dx = target.x - r.from.x;
    const int dy = target.y - r.from.y;
    plan.horizontal = std::abs(dx) >= std::abs(dy);
    const int majorStart = plan.horizontal ? r.from.x : r.from.y;
    const int majorTarget = plan.horizontal ? target.x : target.y;
    const int minorStart = plan.horizontal ? r.from.y : r.from.x;
    const int minorTarget = plan.horizontal ? target.y : target.x;
    const int distance = std::abs(majorTarget - majorStart);
    const int step = std::min(FlightStepLength(distance, r.deal, r.demonstration), distance);
    plan.majorStep = step * Sign(majorTarget - majorStart);

    const int stepWait = r.deal ? plan.waitPerStep / 4 : plan.waitPerStep;
    int pendingWait = 0;
    int major = majorStart;
    for (;;) {
        major += plan.majorStep;
        const bool majorArrived = Clamp(major, majorStart, majorTarget);
        int percent = 100;
        if (distance != 0)
            percent = static_cast<int>(std::abs(major - majorStart) * 100.0 / distance + 0.5);
        int minor = minorStart + (minorTarget - minorStart) * percent / 100;
        const bool minorArrived = Clamp(minor, minorStart, minorTarget) || percent >= 100;
        if (minorArrived) minor = minorTarget;
        pendingWait += stepWait;
        if (majorArrived && minorArrived) break;
        const TablePoint at = plan.horizontal ? TablePoint{major, minor} : TablePoint{minor, major};
        plan.moves.push_back({at, false, pendingWait});
        pendingWait = 0;
    }

    if (r.dropOffset) {
        plan.moves.push_back({plan.lifted, true, pendingWait});
        pendingWait = 2 * plan.waitPerStep;
    }
    std::optional<TablePoint> last;
    if (!plan.moves.empty())
        last = plan.moves.back().at;
    else if (r.begin)
        last = r.from;
    plan.moves.push_back({plan.target, r.commit, pendingWait});
    plan.finalMoveIsStill = last.has_value() && !FloatingMoves(*last, plan.target);
    return plan;
}

bool FloatingMoves(TablePoint last, TablePoint next) {
    return std::abs(next.x - last.x) >= 1 || std::abs(next.y - last.y) >= 1;
}

std::vector<TableRect> UncoveredByMove(const TableRect& old, TablePoint next) {
    const TableRect moved{next.x, next.y, next.x + old.Width(), next.y + old.Height()};
    std::vector<TableRect> bands;
    TableRect side = old;
    if (moved.left > old.left)
        side.right = std::min(moved.left, old.right);
    else if (moved.left < old.left)
        side.left = std::max(moved.right, old.left);
    else
        side.right = side.left;
    if (!side.Empty()) bands.push_back(side);
    // The horizontal band leaves out what the vertical one already restores.
    TableRect edge{std::max(old.left, moved.left), old.top, std::min(old.right, moved.right),
                   old.top};
    if (moved.top > old.top) {
        edge.bottom = std::min(moved.top, old.bottom);
    } else if (moved.top < old.top) {
        edge.top = std::max(moved.bottom, old.top);
        edge.bottom = old.bottom;
    }
    if (!edge.Empty()) bands.push_back(edge);
    return bands;
}

FloatingShadow ShadowOfFloating(const TableRect& p, int offset, bool singleCard) {
    FloatingShadow shadow;
    if (offset <= 0) return shadow;
    if (singleCard) {
        shadow.rightStrip = TablePoint{p.right, p.top + offset - 2};
        shadow.bottomStrip = TablePoint{p.left + offset - 1, p.bottom};
    } else {
        constexpr int kBand = 7;
        // A checkerboard of dots: the columns right of the picture, then the rows below it.
        for (int c = 0; c < kBand; ++c) {
            const int from = p.top + (c == kBand - 1 ? 9 : 7);
            for (int y = from; y < p.bottom; ++y)
                if ((c + y - p.top) % 2 == 1) shadow.pixels.push_back({p.right + c, y});
        }
        for (int r = 0; r < kBand; ++r) {
            const int y = p.bottom + r;
            const int from = p.left + (r == kBand - 1 ? 10 : 8);
            const int to = p.right + (r >= kBand - 2 ? 4 : 6);
            for (int x = from; x <= to; ++x)
                if (((x - p.right) + (y - p.top)) % 2 != 0) shadow.pixels.push_back({x, y});
        }
    }
    shadow.pixels.push_back({p.right - 1, p.bottom - 2});
    shadow.pixels.push_back({p.right - 2, p.bottom - 1});
    return shadow;
}

std::vector<TableRect> ShadowBands(const TableRect& p, int offset) {
    if (offset <= 0) return {};
    return {TableRect{p.right, p.top, p.right + offset, p.bottom + offset},
            TableRect{p.left, p.bottom, p.right, p.bottom + offset}};
}

} // namespace quendra
