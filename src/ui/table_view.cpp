#include "table_view.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

#include <algorithm>

namespace quendra {

namespace {
// The fixed background colour a new player starts with: a card-table green.
constexpr long long kDefaultBackground = 32768;
// The tutor's arrow: its line width and the side of the square at its end.
constexpr int kArrowWidth = 4;
constexpr int kArrowEnd = 10;
constexpr qreal kMinZoom = 0.5;
constexpr qreal kMaxZoom = 2.0;
// The keyboard cursor's frame: its distance from the cards and its line width.
constexpr int kKeyCursorGap = 3;
constexpr int kKeyCursorWidth = 3;
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
    // The table takes the keys of keyboard play.
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Card table"));
}

void TableView::setBackground(const QColor& colour) {
    background_ = colour;
    update();
}

void TableView::setTableImage(const QImage& image, bool repaintAll) {
    image_ = image;
    render_ = nullptr;
    renderSize_ = QSize();
    if (repaintAll) update();
}

void TableView::setTableRenderer(TableRenderer render, const QSize& size, qreal devicePixelRatio,
                                 bool repaintAll) {
    image_ = QImage();
    render_ = std::move(render);
    renderSize_ = size;
    renderRatio_ = devicePixelRatio;
    if (repaintAll) update();
}

QImage TableView::tableImage() const {
    if (!render_ || renderSize_.isEmpty()) return image_;
    QImage image(renderSize_ * renderRatio_, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(renderRatio_);
    QPainter painter(&image);
    render_(painter, QRect(QPoint(0, 0), renderSize_));
    return image;
}

void TableView::setPaused(bool paused) {
    paused_ = paused;
    update();
}

void TableView::setZoom(qreal zoom) {
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    if (qFuzzyCompare(zoom, zoom_)) return;
    zoom_ = zoom;
    update();
}

int TableView::tableWidth() const {
    return std::max(1, static_cast<int>(width() / zoom_));
}

int TableView::tableHeight() const {
    return std::max(1, static_cast<int>(height() / zoom_));
}

QRect TableView::toWidget(const QRect& rect) const {
    if (zoom_ == 1.0) return rect;
    return QRectF(rect.x() * zoom_, rect.y() * zoom_, rect.width() * zoom_, rect.height() * zoom_)
        .toAlignedRect();
}

QPoint TableView::toTable(const QPointF& widgetPoint) const {
    return (widgetPoint / zoom_).toPoint();
}

void TableView::updateArea(const QRect& rect) {
    if (rect.isNull()) return;
    update(toWidget(rect).adjusted(-1, -1, 1, 1));
}

void TableView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // Everything is drawn in the table's own units; a zoom scales them to the view.
    if (zoom_ != 1.0) {
        painter.scale(zoom_, zoom_);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
    }
    const QRect area =
        zoom_ == 1.0 ? event->rect()
                     : QRectF(event->rect().x() / zoom_, event->rect().y() / zoom_,
                              event->rect().width() / zoom_, event->rect().height() / zoom_)
                           .toAlignedRect();
    if (paused_) {
        // The cards are hidden while the clock stands still: the pause screen covers them.
        if (image_.isNull())
            painter.fillRect(QRect(0, 0, tableWidth() + 1, tableHeight() + 1), QColor(0, 128, 0));
        else
            painter.drawImage(QPoint(0, 0), image_);
        return;
    }
    // The table is opaque: only what it leaves uncovered gets the background.
    const QSize size = render_ ? renderSize_ : image_.deviceIndependentSize().toSize();
    const QRect picture(QPoint(0, -scrollY_), size);
    for (const QRect& uncovered : QRegion(area).subtracted(picture))
        painter.fillRect(uncovered, background_);
    if (render_) {
        // Each rectangle repainted, drawn from the table (the pointer's two places of a drag
        // are two small ones, not the rectangle around both).
        painter.save();
        painter.translate(0, -scrollY_);
        // Rectangles that overlap or lie close (the old and new places of a dragged card) are
        // drawn as the one around them, the painter clipped to what was exposed.
        long long exposedArea = 0;
        for (const QRect& exposed : event->region())
            exposedArea += static_cast<long long>(exposed.width()) * exposed.height();
        const QRect around = event->region().boundingRect();
        const bool together =
            static_cast<long long>(around.width()) * around.height() <= 2 * exposedArea;
        const QRegion one(around);
        for (const QRect& exposed : together ? one : event->region()) {
            const QRect rect =
                zoom_ == 1.0 ? exposed
                             : QRectF(exposed.x() / zoom_, exposed.y() / zoom_,
                                      exposed.width() / zoom_, exposed.height() / zoom_)
                                   .toAlignedRect();
            render_(painter, rect.translated(0, scrollY_) & QRect(QPoint(0, 0), size));
        }
        painter.restore();
    } else if (!image_.isNull()) {
        painter.drawImage(QPoint(0, -scrollY_), image_);
    }
    paintArrow(painter);
    paintKeyCursor(painter);
    if (floating_.isNull()) return;
    if (shadow_ > 0) {
        // The shadow falls down and to the right of the lifted cards.
        const QRectF card(QPointF(floatingAt_), floating_.deviceIndependentSize());
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 90));
        painter.drawRoundedRect(card.translated(shadow_ / 2.0, shadow_ / 2.0), 4, 4);
    }
    painter.drawImage(floatingAt_, floating_);
}

void TableView::updateTableRect(const QRect& tableRect) {
    updateArea(tableRect.translated(0, -scrollY_));
}

QRect TableView::floatingRect() const {
    if (floating_.isNull()) return {};
    const QSize size = floating_.deviceIndependentSize().toSize();
    return QRect(floatingAt_, size).adjusted(0, 0, shadow_ + 1, shadow_ + 1);
}

void TableView::setFloating(const QImage& image, const QPoint& at, int shadow) {
    updateArea(floatingRect());
    floating_ = image;
    floatingAt_ = at;
    shadow_ = shadow;
    updateArea(floatingRect());
}

void TableView::moveFloating(const QPoint& at) {
    if (at == floatingAt_) return;
    updateArea(floatingRect());
    floatingAt_ = at;
    updateArea(floatingRect());
}

void TableView::clearFloating() {
    updateArea(floatingRect());
    floating_ = QImage();
}

void TableView::setArrow(const QPoint& from, const QPoint& to) {
    if (arrow_) updateArea(arrowRect());
    arrow_ = QLine(from, to);
    updateArea(arrowRect());
}

void TableView::clearArrow() {
    if (!arrow_) return;
    updateArea(arrowRect());
    arrow_.reset();
}

QRect TableView::arrowRect() const {
    if (!arrow_) return {};
    const int margin = kArrowEnd + kArrowWidth;
    return QRect(arrow_->p1(), arrow_->p2())
        .normalized()
        .adjusted(-margin, -margin, margin, margin);
}

void TableView::paintArrow(QPainter& painter) const {
    if (!arrow_) return;
    const QColor grey(128, 128, 128);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(grey, kArrowWidth, Qt::DotLine, Qt::FlatCap));
    painter.drawLine(*arrow_);
    painter.setPen(Qt::NoPen);
    painter.setBrush(grey);
    QRect end(0, 0, kArrowEnd, kArrowEnd);
    end.moveCenter(arrow_->p2());
    painter.drawRect(end);
    painter.restore();
}

void TableView::setKeyCursor(const QRect& rect) {
    if (rect == keyCursor_) return;
    updateArea(keyCursorArea());
    keyCursor_ = rect;
    updateArea(keyCursorArea());
}

QRect TableView::keyCursorArea() const {
    if (keyCursor_.isNull()) return {};
    const int margin = kKeyCursorGap + kKeyCursorWidth + 2;
    return keyCursor_.adjusted(-margin, -margin, margin, margin);
}

void TableView::paintKeyCursor(QPainter& painter) const {
    if (keyCursor_.isNull()) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    const QRectF frame = QRectF(keyCursor_).adjusted(-kKeyCursorGap, -kKeyCursorGap,
                                                     kKeyCursorGap, kKeyCursorGap);
    // A dark rim around a light line: one of the two stands out on any background.
    painter.setPen(QPen(QColor(0, 0, 0), kKeyCursorWidth + 2));
    painter.drawRoundedRect(frame, 5, 5);
    painter.setPen(QPen(QColor(255, 204, 0), kKeyCursorWidth - 1));
    painter.drawRoundedRect(frame, 5, 5);
    painter.restore();
}

void TableView::contextMenuEvent(QContextMenuEvent* event) {
    // A right click plays (it sends a card); with Ctrl it opens the popup menu.
    if (event->reason() == QContextMenuEvent::Mouse && !(event->modifiers() & Qt::ControlModifier))
        return;
    emit popupRequested(event->globalPos());
}

void TableView::mousePressEvent(QMouseEvent* event) {
    emit tablePressed(toTable(event->position()), event->button(), event->modifiers());
}

void TableView::mouseMoveEvent(QMouseEvent* event) {
    emit tableMoved(toTable(event->position()));
}

void TableView::mouseReleaseEvent(QMouseEvent* event) {
    emit tableReleased(toTable(event->position()), event->button());
}

void TableView::mouseDoubleClickEvent(QMouseEvent* event) {
    emit tableDoubleClicked(toTable(event->position()), event->button(), event->modifiers());
}

} // namespace quendra
