#pragma once

namespace quendra {

// The state of the frame-strip control that previews the card animation setting: a bitmap
// of frames side by side, one shown at a time, stepped by a timer. The control draws frame
// Frame() from x = FrameLeft(width) of the strip; this class only keeps the state.
class FrameStrip {
  public:
    static constexpr int kDefaultSize = 30;

    int FrameCount() const { return frameCount_; }
    // A count below 1 counts as 1.
    void SetFrameCount(int count);
    int Frame() const { return frame_; }
    // A negative frame selects the last one; any other is taken modulo the count. True when
    // the frame changed (the control fires its change event and repaints).
    bool SetFrame(int frame);

    int Interval() const { return interval_; }
    void SetInterval(int ms) { interval_ = ms; }
    bool Play() const { return play_; }
    void SetPlay(bool on) { play_ = on; }
    bool Loop() const { return loop_; }
    void SetLoop(bool on) { loop_ = on; }
    bool Reverse() const { return reverse_; }
    void SetReverse(bool on) { reverse_ = on; }

    // The timer runs while playing with a positive interval.
    bool TimerRuns() const { return play_ && interval_ > 0; }
    // One timer tick: the next frame (the previous one in reverse). Reaching the last frame
    // (the first in reverse) without looping stops play. True when the frame changed.
    bool Tick();

    // Where frame Frame() starts in the strip, for a control `width` pixels wide.
    int FrameLeft(int width) const { return frame_ * width; }
    // The control's height once a bitmap `bitmapHeight` pixels high is set.
    static int HeightForBitmap(int bitmapHeight) {
        return bitmapHeight == 0 ? kDefaultSize : bitmapHeight;
    }

  private:
    int frameCount_ = 1;
    int frame_ = 0;
    int interval_ = 0;
    bool play_ = false;
    bool loop_ = true;
    bool reverse_ = false;
};

} // namespace quendra
