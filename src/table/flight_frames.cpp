#include "flight_frames.h"

namespace quendra {

void FrameStrip::SetFrameCount(int count) {
    frameCount_ = count < 1 ? 1 : count;
    if (frame_ >= frameCount_) frame_ = frameCount_ - 1;
}

bool FrameStrip::SetFrame(int frame) {
    const int next = frame < 0 ? frameCount_ - 1 : frame % frameCount_;
    if (next == frame_) return false;
    frame_ = next;
    return true;
}

bool FrameStrip::Tick() {
    if (!TimerRuns()) return false;
    const bool changed =
        SetFrame(reverse_ ? (frame_ == 0 ? frameCount_ - 1 : frame_ - 1) : frame_ + 1);
    const int end = reverse_ ? 0 : frameCount_ - 1;
    if (frame_ == end && !loop_) play_ = false;
    return changed;
}

} // namespace quendra
