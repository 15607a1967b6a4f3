#include "win_animation_patterns.h"

#include <algorithm>

namespace quendra {

namespace {
constexpr int kRowGap = 35;
constexpr int kRowWaitMs = 700;
} // namespace

// Cards at random places, a little beyond the top and left edges too.
WinRound OpenOrderPattern::NextRound() {
    WinRound round;
    const int card = RandomCard();
    const int x = Random(area_.width + area_.cardWidth / 2) - area_.cardWidth / 2;
    const int y = Random(area_.height + area_.cardHeight / 2) - area_.cardHeight / 2;
    Draw(round, card, {x, y});
    if (++count_ % 5 == 0) {
        Wait(round, Pause());
        Messages(round);
    }
    return round;
}

LeftToRightPattern::LeftToRightPattern(const WinArea& area, RandomFn random)
    : PatternBase(area, std::move(random)), at_{-20, area.top} {}

// Rows of cards laid from left to right, each row 35 pixels below the last; when the rows
// reach the bottom a new pass starts 35 pixels below the previous pass's start.
WinRound LeftToRightPattern::NextRound() {
    WinRound round;
    Draw(round, RandomCard(), at_);
    at_.x += std::max(1, static_cast<int>(area_.cardWidth / 5.8));
    if (at_.x >= area_.width) {
        ++rows_;
        at_.x = rows_ % 2 == 1 ? -(area_.cardWidth / 3) : -(area_.cardWidth / 4);
        at_.y += kRowGap;
        Wait(round, kRowWaitMs);
        Messages(round);
        if (at_.y + area_.cardHeight >= area_.height) {
            at_.y = passStart_ + kRowGap;
            passStart_ = at_.y;
            if (at_.y >= area_.height) {
                passStart_ = area_.top + kRowGap;
                at_.y = passStart_;
            }
        }
    }
    if (++count_ % 5 == 0) {
        Wait(round, Pause());
        Messages(round);
    }
    return round;
}

UpToDownPattern::UpToDownPattern(const WinArea& area, RandomFn random)
    : PatternBase(area, std::move(random)), at_{-10, area.top} {}

// Columns of falling cards, each column two thirds of a card right of the last; past the
// right edge a new pass starts 35 pixels right of the previous pass's start.
WinRound UpToDownPattern::NextRound() {
    WinRound round;
    Draw(round, RandomCard(), at_);
    at_.y += std::max(1, static_cast<int>(area_.cardHeight / 5.3));
    if (at_.y >= area_.height) {
        ++columns_;
        at_.x += std::max(1, static_cast<int>(area_.cardWidth / 1.5));
        at_.y = columns_ % 2 == 1 ? -(area_.cardHeight / 3) : -(area_.cardHeight / 4);
        Wait(round, kRowWaitMs);
        Messages(round);
        if (at_.x > area_.width) {
            at_.x = passStart_ + kRowGap;
            passStart_ = at_.x;
            if (at_.x > area_.width) {
                passStart_ = kRowGap;
                at_.x = passStart_;
            }
        }
    }
    ++count_;
    if (count_ % 2 == 0) Wait(round, Pause());
    if (count_ % 5 == 0) Messages(round);
    return round;
}

void LinesPattern::BeginLine() {
    card_ = RandomCard();
    if (!started_) {
        at_ = {Random(area_.width - area_.cardWidth), area_.top};
        started_ = true;
    }
    // New step sizes; the directions carry over from the last line.
    stepX_ = (stepX_ < 0 ? -1 : 1) * (4 + Random(8));
    stepY_ = (stepY_ < 0 ? -1 : 1) * (4 + Random(8));
    if (at_.x + stepX_ < 0 || at_.x + stepX_ + area_.cardWidth > area_.width) stepX_ = -stepX_;
    if (at_.y + stepY_ < area_.top || at_.y + stepY_ + area_.cardHeight > area_.height)
        stepY_ = -stepY_;
    lineDone_ = false;
}

// One card travelling in a straight line until it touches an edge; the next one starts there.
WinRound LinesPattern::NextRound() {
    WinRound round;
    if (lineDone_) BeginLine();
    at_.x += stepX_;
    at_.y += stepY_;
    const int right = area_.width - area_.cardWidth;
    const int bottom = area_.height - area_.cardHeight;
    if (at_.x <= 0 || at_.x >= right || at_.y <= area_.top || at_.y >= bottom) lineDone_ = true;
    at_.x = std::clamp(at_.x, 0, std::max(0, right));
    at_.y = std::clamp(at_.y, area_.top, std::max(area_.top, bottom));
    Draw(round, card_, at_);
    ++count_;
    if (count_ % 2 == 0) Wait(round, area_.speedMoveCard);
    Wait(round, 5);
    if (count_ % 4 == 0) Messages(round);
    return round;
}

// One circle of the same card at a random place, clipped to the window.
WinRound CirclesPattern::NextRound() {
    constexpr int kRadius = 150;
    WinRound round;
    int y = Random(area_.height);
    if (y > area_.height - kRadius) y = area_.height - kRadius - y;
    int x = Random(area_.width);
    if (x > area_.width - kRadius) x = area_.width - kRadius - x;
    const int card = RandomCard();
    for (const TablePoint& p : CirclePoints()) {
        const TablePoint at{x + p.x, y + p.y};
        if (at.x < 0 || at.y < 0 || at.x + area_.cardWidth > area_.width ||
            at.y + area_.cardHeight > area_.height)
            continue;
        Draw(round, card, at);
        if (++count_ % 4 == 0) Wait(round, Pause());
    }
    return round;
}

void FestoonsPattern::BeginCard() {
    card_ = RandomCard();
    x_ = Random(area_.width);
    y4_ = (area_.top - 50 + Random(40)) * 4;
    vx_ = (2 + Random(5)) * (Random(2) == 0 ? -1 : 1);
    vy4_ = 0;
    active_ = true;
}

// A card falling from near the top, bouncing along the bottom in ever lower arcs while it
// drifts sideways, drawn at every step; when it leaves at a side the next card starts.
WinRound FestoonsPattern::NextRound() {
    constexpr int kGravity = 1; // quarter pixels per step, per step
    WinRound round;
    if (!active_) BeginCard();
    x_ += vx_;
    vy4_ += kGravity;
    y4_ += vy4_;
    const int floor4 = (area_.height - area_.cardHeight) * 4;
    if (y4_ >= floor4 && vy4_ > 0) {
        y4_ = floor4;
        // Each bounce keeps three quarters of the speed, and never rises above the top.
        int v = vy4_ * 3 / 4;
        const int room = std::max(0, floor4 - area_.top * 4);
        while (v > 0 && v * (v - 1) / 2 > room)
            --v;
        vy4_ = -v;
    }
    Draw(round, card_, {x_, y4_ / 4});
    if (x_ + area_.cardWidth < 0 || x_ > area_.width) active_ = false;
    if (++count_ % 4 == 0) Wait(round, Pause());
    return round;
}

} // namespace quendra
