#include "pause_screen.h"

#include "table_painter.h"
#include "table_view.h"

#include <QTimer>

namespace quendra {

namespace {
constexpr int kSwingStep = 3;     // pixels per step
constexpr int kStepInterval = 40; // milliseconds
} // namespace

PauseScreen::PauseScreen(TablePainter& painter, TableView* view, QObject* parent)
    : QObject(parent), painter_(painter), view_(view), timer_(new QTimer(this)) {
    timer_->setInterval(kStepInterval);
    connect(timer_, &QTimer::timeout, this, &PauseScreen::step);
}

void PauseScreen::Start() {
    swing_ = 0;
    direction_ = 1;
    range_ = painter_.PauseSwingRange();
    show();
    if (range_ >= kSwingStep) timer_->start();
}

void PauseScreen::Stop() {
    timer_->stop();
}

bool PauseScreen::Running() const {
    return timer_->isActive();
}

void PauseScreen::step() {
    // Turn back at either end of the lower picture.
    if (swing_ + direction_ * kSwingStep > range_ || swing_ + direction_ * kSwingStep < -range_)
        direction_ = -direction_;
    swing_ += direction_ * kSwingStep;
    show();
}

void PauseScreen::show() {
    if (painter_.Size().isEmpty()) return;
    // The pause screen is a picture of its own, until the table is drawn again.
    painter_.KeepPicture(true);
    painter_.ShowPauseScreen(swing_);
    painter_.TakeDirty();
    view_->setTableImage(painter_.TableBuffer());
}

} // namespace quendra
