#include "table_view.h"

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

void TableView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), background_);
}

} // namespace quendra
