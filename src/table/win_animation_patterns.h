#pragma once

#include "win_animation.h"

namespace quendra {

// The six patterns. Each keeps where it stands between rounds.
class PatternBase : public WinAnimation {
  public:
    PatternBase(const WinArea& area, RandomFn random) : area_(area), random_(std::move(random)) {}

  protected:
    int Random(int n) { return n < 1 ? 0 : random_(n); }
    // Every card thrown is one of 1 to 51.
    int RandomCard() { return Random(51) + 1; }
    int Pause() const { return area_.speedMoveCard / 2; }
    static void Draw(WinRound& round, int card, TablePoint at) {
        round.push_back({WinAction::Kind::Draw, card, at, 0});
    }
    static void Wait(WinRound& round, int ms) {
        if (ms > 0) round.push_back({WinAction::Kind::Wait, 0, {}, ms});
    }
    static void Messages(WinRound& round) {
        round.push_back({WinAction::Kind::ProcessMessages, 0, {}, 0});
    }

    WinArea area_;
    int count_ = 0;

  private:
    RandomFn random_;
};

class OpenOrderPattern : public PatternBase {
  public:
    using PatternBase::PatternBase;
    WinRound NextRound() override;
};

class LeftToRightPattern : public PatternBase {
  public:
    LeftToRightPattern(const WinArea& area, RandomFn random);
    WinRound NextRound() override;

  private:
    TablePoint at_;
    int rows_ = 0;
    int passStart_ = 0;
};

class UpToDownPattern : public PatternBase {
  public:
    UpToDownPattern(const WinArea& area, RandomFn random);
    WinRound NextRound() override;

  private:
    TablePoint at_;
    int columns_ = 0;
    int passStart_ = 0;
};

class LinesPattern : public PatternBase {
  public:
    using PatternBase::PatternBase;
    WinRound NextRound() override;

  private:
    void BeginLine();
    TablePoint at_;
    int stepX_ = 1;
    int stepY_ = 1;
    int card_ = 0;
    bool started_ = false;
    bool lineDone_ = true;
};

class CirclesPattern : public PatternBase {
  public:
    using PatternBase::PatternBase;
    WinRound NextRound() override;
};

class FestoonsPattern : public PatternBase {
  public:
    using PatternBase::PatternBase;
    WinRound NextRound() override;

  private:
    void BeginCard();
    int card_ = 0;
    int x_ = 0;
    int y4_ = 0; // quarter pixels
    int vx_ = 0;
    int vy4_ = 0; // quarter pixels per step
    bool active_ = false;
};

} // namespace quendra
