#include "table_view.h"

#include <QContextMenuEvent>
#include <QPaintEvent>
#include <QPainter>

namespace quendra {

namespace {
// The fixed background colour a new player starts with: a card-table green.
constexpr long long kDefaultBackground = 32768;
} // namespace

QColor ColourFromStored(long long value) {
    if (value < 0 || value > 0xFFFFFF) return ColourFromStored(kDefaultBackground);
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

TableView::TableView(QWidget* parent)
    : QWidget(parent), background_(ColourFromStored(kDefaultBackground)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(320, 240);
}

void TableView::setBackground(const QColor& colour) {
    background_ = colour;
    update();
}

void TableView::setTableImage(const QImage& image) {
    image_ = image;
    update();
}

void TableView::setPaused(bool paused) {
    paused_ = paused;
    update();
}

void TableView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (paused_) {
        // The cards are hidden while the clock stands still.
        QLinearGradient shade(0, 0, 0, height());
        shade.setColorAt(0, QColor(0, 128, 0));
        shade.setColorAt(1, QColor(0, 0, 0));
        painter.fillRect(rect(), shade);
        QFont font = painter.font();
        font.setPointSize(28);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(QColor(255, 255, 255));
        painter.drawText(rect(), Qt::AlignCenter,
                         QStringLiteral("Paused\n\n") +
                             QStringLiteral("Press a key or click to go on"));
        return;
    }
    painter.fillRect(event->rect(), background_);
    if (!image_.isNull()) painter.drawImage(QPoint(0, 0), image_);
}

void TableView::contextMenuEvent(QContextMenuEvent* event) {
    emit popupRequested(event->globalPos());
}

} // namespace quendra
