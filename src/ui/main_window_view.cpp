// The View menu: the table's zoom, and fitting the cards to the window.

#include "fan_geometry.h"
#include "game_context.h"
#include "main_window.h"
#include "settings.h"
#include "table_play.h"
#include "table_text.h"
#include "table_view.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

#include <functional>

#include <algorithm>
#include <array>
#include <cmath>

namespace quendra {

namespace {

// The steps of Zoom in and Zoom out, in percent.
constexpr std::array<int, 11> kZoomSteps = {50, 67, 75, 80, 90, 100, 110, 125, 150, 175, 200};
constexpr int kMinZoomPercent = 50;
constexpr int kMaxZoomPercent = 200;
// Room kept around the piles when they are fitted to the window, in table units.
constexpr int kFitMargin = 10;
constexpr int kMaxSideMargin = 30;
// A zoom this close to the fitting one is not changed; the fit is offered when the cards
// leave the window or could be this much larger.
constexpr int kFitTolerancePercent = 5;
constexpr int kFitOfferLargerPercent = 25;
// The pause after the last resize before the fit is offered.
constexpr int kFitOfferDelayMs = 600;

const char* const kZoomKey = "Table_Zoom";
const char* const kFitKey = "Fit_Cards_To_Window";

} // namespace

// The offer shown over the top of the table after a resize.
class FitOffer : public QFrame {
  public:
    FitOffer(QWidget* parent, const std::function<void(int)>& choose) : QFrame(parent) {
        setObjectName(QStringLiteral("fitOffer"));
        setFrameShape(QFrame::StyledPanel);
        setAutoFillBackground(true);
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(10, 4, 6, 4);
        row->addWidget(new QLabel(QStringLiteral("Fit the cards to the window?"), this));
        const auto button = [&](const char* text, int choice) {
            auto* b = new QPushButton(QString::fromUtf8(text), this);
            b->setFocusPolicy(Qt::TabFocus);
            connect(b, &QPushButton::clicked, this, [choose, choice] { choose(choice); });
            row->addWidget(b);
        };
        button("Fit &once", 0);
        button("Fit al&ways", 1);
        button("&Dismiss", 2);
        setAccessibleName(QStringLiteral("Fit the cards to the window?"));
        hide();
    }
};

int MainWindow::zoomPercent() const {
    return static_cast<int>(std::lround(table_->zoom() * 100));
}

void MainWindow::connectViewCommands() {
    const MainActions& a = actions_;
    connect(a.zoomIn, &QAction::triggered, this, [this] { stepZoom(1); });
    connect(a.zoomOut, &QAction::triggered, this, [this] { stepZoom(-1); });
    connect(a.actualSize, &QAction::triggered, this, [this] {
        setFitToWindow(false);
        setZoomPercent(100);
    });
    connect(a.fitToWindow, &QAction::toggled, this, [this](bool on) {
        if (on != fitToWindow_) setFitToWindow(on);
    });
    connect(a.keyboardHelp, &QAction::triggered, this, [this] {
        QMessageBox box(QMessageBox::Information, QStringLiteral("Keyboard play"),
                        QStringLiteral("Playing with the keyboard"), QMessageBox::Ok, this);
        box.setInformativeText(QStringLiteral(
            "Arrow keys: move the cursor between the piles, and up and down a pile's cards\n"
            "Tab, Shift+Tab: the next or the previous pile\n"
            "Enter or Space: pick up the card under the cursor with the cards on it; "
            "again on another pile: drop them there\n"
            "In the rows with gaps: Left and Right go along a row's places, Up and Down to "
            "the next row; Enter picks up a card and drops it into the gap under the cursor\n"
            "Escape: put the cards back\n"
            "H: send the card under the cursor to the foundations\n"
            "D: deal from the stock (Enter on the stock too)\n"
            "Ctrl++, Ctrl+-, Ctrl+0: zoom in, zoom out, actual size"));
        box.exec();
    });
    fitOffer_ = new FitOffer(table_, [this](int choice) {
        fitOffer_->hide();
        table_->setFocus();
        if (choice == 0) setZoomPercent(fitZoomPercent());
        if (choice == 1) setFitToWindow(true);
        if (choice == 2) fitDeclined_ = true;
    });
    fitOfferTimer_ = new QTimer(this);
    fitOfferTimer_->setSingleShot(true);
    fitOfferTimer_->setInterval(kFitOfferDelayMs);
    connect(fitOfferTimer_, &QTimer::timeout, this, &MainWindow::offerFit);
}

void MainWindow::applyViewSettings() {
    fitToWindow_ = ReadSettingInt(ctx_, "Preference", kFitKey, 0) == 1;
    actions_.fitToWindow->setChecked(fitToWindow_);
    {
        const QSignalBlocker quiet(actions_.winnableDealsOnly);
        actions_.winnableDealsOnly->setChecked(WinnableDealsOnly());
    }
    table_->setZoom(
        std::clamp(ReadSettingInt(ctx_, "Preference", kZoomKey, 100), kMinZoomPercent,
                   kMaxZoomPercent) /
        100.0);
}

void MainWindow::stepZoom(int direction) {
    const int now = zoomPercent();
    int next = now;
    if (direction > 0) {
        const auto up = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), now);
        next = up == kZoomSteps.end() ? kMaxZoomPercent : *up;
    } else {
        const auto down = std::lower_bound(kZoomSteps.begin(), kZoomSteps.end(), now);
        next = down == kZoomSteps.begin() ? kMinZoomPercent : *(down - 1);
    }
    // A zoom chosen by hand ends the fitting.
    setFitToWindow(false);
    setZoomPercent(next);
}

void MainWindow::setZoomPercent(int percent) {
    percent = std::clamp(percent, kMinZoomPercent, kMaxZoomPercent);
    WriteSettingInt(ctx_, "Preference", kZoomKey, percent);
    if (percent == zoomPercent()) return;
    table_->setZoom(percent / 100.0);
    layoutTable();
}

void MainWindow::setFitToWindow(bool on) {
    fitToWindow_ = on;
    actions_.fitToWindow->setChecked(on);
    WriteSettingInt(ctx_, "Preference", kFitKey, on ? 1 : 0);
    if (on) {
        fitOffer_->hide();
        layoutTable();
    }
}

int MainWindow::fitZoomPercent() const {
    if (!tablePlay_->HasGame()) return zoomPercent();
    // The piles as laid out now, in table units; their size does not depend on the zoom.
    TableRect bounds{};
    bool any = false;
    for (const PileRef pile : UsedPiles(ctx_)) {
        const TableRect r = PileRect(ctx_, pile, tablePlay_->Painter().Options());
        if (r.Empty()) continue;
        if (!any) {
            bounds = r;
            any = true;
            continue;
        }
        bounds.left = std::min(bounds.left, r.left);
        bounds.top = std::min(bounds.top, r.top);
        bounds.right = std::max(bounds.right, r.right);
        bounds.bottom = std::max(bounds.bottom, r.bottom);
    }
    if (!any) return zoomPercent();
    // The layout keeps its left margin on a narrow table and centres the piles on a wide
    // one: the same margin on the right.
    const int side = std::clamp(bounds.left, kFitMargin, kMaxSideMargin);
    const double wide = bounds.Width() + 2.0 * side;
    const double high = bounds.bottom + kFitMargin;
    const double fit = std::min(table_->width() / wide, table_->height() / std::max(1.0, high));
    // Whole steps of five percent, so that the zoom does not flicker with each pixel.
    const int percent = static_cast<int>(std::floor(fit * 20.0)) * 5;
    return std::clamp(percent, kMinZoomPercent, kMaxZoomPercent);
}

void MainWindow::fitAfterLayout() {
    if (!fitToWindow_ || fitting_) return;
    const int fit = fitZoomPercent();
    if (std::abs(fit - zoomPercent()) < kFitTolerancePercent) return;
    fitting_ = true;
    table_->setZoom(fit / 100.0);
    WriteSettingInt(ctx_, "Preference", kZoomKey, fit);
    layoutTable();
    fitting_ = false;
}

void MainWindow::offerFit() {
    if (fitToWindow_ || fitDeclined_ || !tablePlay_->HasGame() || !isVisible()) return;
    const int fit = fitZoomPercent();
    const int now = zoomPercent();
    // Offered when cards lie outside the window, or when they could be much larger.
    if (fit >= now && fit < now + kFitOfferLargerPercent) return;
    fitOffer_->adjustSize();
    fitOffer_->move((table_->width() - fitOffer_->width()) / 2, 4);
    fitOffer_->raise();
    fitOffer_->show();
}

} // namespace quendra
