#include "card_counter_window.h"

#include "game_context.h"
#include "game_params.h"
#include "images_module.h"
#include "settings.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

namespace quendra {

namespace {

constexpr int kCellStep = 14; // the cell of rank r lies at x = r * 14 + 2
constexpr int kCellLeft = 2;
constexpr int kCellWidth = 13;
constexpr int kRowHeight = 20;
constexpr int kTop = 4;
constexpr int kButtonGap = 6;
const char* const kSuitPictures[] = {"card_hearts", "card_diamonds", "card_clubs", "card_spades"};

bool PreferenceOn(const GameContext& ctx, const char* key, const char* fallback) {
    return ReadPreference(ctx, key, fallback) == "Y";
}

} // namespace

CardCounterWindow::CardCounterWindow(GameContext& ctx, ImagesModule& images, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), ctx_(ctx),
      images_(images) {
    setObjectName(QStringLiteral("frmCardCounter"));
    setWindowTitle(QStringLiteral("Card counter"));
    grid_.fill(CounterCell::NotInPlay);

    options_ = new QPushButton(QStringLiteral("&Options"), this);
    options_->setObjectName(QStringLiteral("btnOptions"));
    auto* menu = new QMenu(options_);
    tableauOnly_ = menu->addAction(QStringLiteral("&Tableau only"));
    stockOnly_ = menu->addAction(QStringLiteral("&Stock only"));
    menu->addSeparator();
    inverted_ = menu->addAction(QStringLiteral("&Inverted"));
    for (QAction* action : {tableauOnly_, stockOnly_, inverted_}) {
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, action] { optionChanged(action); });
    }
    tableauOnly_->setChecked(PreferenceOn(ctx_, "CardCounter_Tableau", "Y"));
    stockOnly_->setChecked(!tableauOnly_->isChecked() &&
                           PreferenceOn(ctx_, "CardCounter_Stock", "N"));
    inverted_->setChecked(PreferenceOn(ctx_, "CardCounter_Inverse", "N"));
    options_->setMenu(menu);

    // The place is written once the window has come to rest.
    placeSaver_ = new QTimer(this);
    placeSaver_->setSingleShot(true);
    placeSaver_->setInterval(400);
    connect(placeSaver_, &QTimer::timeout, this, &CardCounterWindow::savePlace);
    fitToGrid();
}

void CardCounterWindow::RestoreAtStartUp() {
    const int left = ReadSettingInt(ctx_, "Preference", "CardCounter_Left", -1);
    const int top = ReadSettingInt(ctx_, "Preference", "CardCounter_Top", -1);
    if (left > 0 && top > 0) {
        move(left, top);
    } else if (const QWidget* owner = parentWidget()) {
        // At first near the top right corner of the table, clear of the menus.
        const QRect frame = owner->frameGeometry();
        move(frame.right() - width() - 24, frame.top() + 110);
    }
    if (PreferenceOn(ctx_, "CardCounter_Visible", "N")) Open();
}

void CardCounterWindow::Open() {
    Refresh();
    show();
    raise();
    savePreferences(true);
}

void CardCounterWindow::Refresh() {
    if (!ctx_.flags[GameStateFlags::kInPlay]) return;
    rows_ = CounterRows(ctx_);
    grid_ = CountCards(ctx_, {.tableauOnly = tableauOnly_->isChecked(),
                              .stockOnly = stockOnly_->isChecked(),
                              .inverted = inverted_->isChecked()});
    fitToGrid();
    update();
}

void CardCounterWindow::fitToGrid() {
    const int width = 14 * kCellStep + kCellLeft + 4;
    const int gridHeight = kTop + rows_ * kRowHeight;
    const QSize button = options_->sizeHint();
    options_->setGeometry((width - button.width()) / 2, gridHeight + kButtonGap, button.width(),
                          button.height());
    setFixedSize(width, gridHeight + kButtonGap + button.height() + kButtonGap);
}

void CardCounterWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const qreal ratio = devicePixelRatioF();
    const QImage none = images_.LoadPicture(QStringLiteral("Card_None"), ratio);
    const int inPlay = ctx_.Param(param::kDeckSize);
    for (int row = 0; row < rows_; ++row) {
        const int y = kTop + row * kRowHeight;
        const QImage suit = images_.LoadPicture(QString::fromLatin1(kSuitPictures[row % 4]), ratio);
        if (!suit.isNull())
            p.drawImage(QPoint(kCellLeft, y + (kRowHeight - 2 - suit.height() / ratio) / 2), suit);
        for (int rank = 1; rank <= 13; ++rank) {
            const int card = row * 13 + rank;
            if (card > inPlay) continue;
            const CounterCell cell = grid_[static_cast<std::size_t>(card - 1)];
            const QImage picture =
                cell == CounterCell::NotInPlay
                    ? none
                    : images_.LoadPicture(QStringLiteral("Card_%1_%2").arg(rank).arg(
                                              cell == CounterCell::Seen ? "Up" : "Down"),
                                          ratio);
            p.drawImage(QPoint(rank * kCellStep + kCellLeft, y), picture);
        }
    }
}

void CardCounterWindow::optionChanged(QAction* changed) {
    // "Tableau only" and "Stock only" exclude each other; neither shows both parts.
    if (changed == tableauOnly_ && tableauOnly_->isChecked()) stockOnly_->setChecked(false);
    if (changed == stockOnly_ && stockOnly_->isChecked()) tableauOnly_->setChecked(false);
    Refresh();
    update();
    savePreferences(isVisible());
}

void CardCounterWindow::savePreferences(bool visible) {
    StorePreference(ctx_, "CardCounter_Stock", stockOnly_->isChecked() ? "Y" : "N");
    StorePreference(ctx_, "CardCounter_Tableau", tableauOnly_->isChecked() ? "Y" : "N");
    StorePreference(ctx_, "CardCounter_Inverse", inverted_->isChecked() ? "Y" : "N");
    StorePreference(ctx_, "CardCounter_Visible", visible ? "Y" : "N");
}

void CardCounterWindow::savePlace() {
    WriteSettingInt(ctx_, "Preference", "CardCounter_Left", pos().x());
    WriteSettingInt(ctx_, "Preference", "CardCounter_Top", pos().y());
}

void CardCounterWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (isVisible()) placeSaver_->start();
}

void CardCounterWindow::closeEvent(QCloseEvent* event) {
    placeSaver_->stop();
    savePlace();
    savePreferences(false);
    QWidget::closeEvent(event);
}

} // namespace quendra
