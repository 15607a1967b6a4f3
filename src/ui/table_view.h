#pragma once

#include <functional>
#include <optional>

#include <QColor>
#include <QImage>
#include <QLine>
#include <QWidget>

class QPainter;

namespace quendra {

// The card table. It shows the table over its background: drawn by the table drawing's
// renderer into each rectangle repainted (straight into the window), or, while the drawing
// keeps an off-screen picture of its own (the winning animation), copied from that picture;
// while paused, the pause screen instead.
class TableView : public QWidget {
    Q_OBJECT
  public:
    explicit TableView(QWidget* parent = nullptr);

    // The table's units are the view's pixels divided by the zoom (1 shows the cards at
    // their own size; 0.5 to 2). Every coordinate this class takes or gives is in table
    // units ("window coordinates"): only the painting and the pointer are scaled.
    void setZoom(qreal zoom);
    qreal zoom() const { return zoom_; }
    int tableWidth() const;
    int tableHeight() const;
    // The device pixels per table unit, for drawing the table picture sharp.
    qreal renderRatio() const { return devicePixelRatioF() * zoom_; }
    // A rectangle of table units in the view's own pixels, and a view pixel in table units.
    QRect toWidget(const QRect& rect) const;
    QPoint toTable(const QPointF& widgetPoint) const;

    QColor background() const { return background_; }
    void setBackground(const QColor& colour);
    // Draws the table over `tableRect` (table coordinates, the painter set to them).
    using TableRenderer = std::function<void(QPainter& painter, const QRect& tableRect)>;
    // The drawn table as a picture, painted at the top-left corner; a null image (and no
    // renderer) shows the background.
    void setTableImage(const QImage& image, bool repaintAll = true);
    // The table drawn by `render` wherever the view repaints, `size` big (table units) at
    // `devicePixelRatio`; it takes the place of a picture.
    void setTableRenderer(TableRenderer render, const QSize& size, qreal devicePixelRatio,
                          bool repaintAll = true);
    // What the view shows of the table (without what floats over it), as a picture: the one
    // it was handed, or the table rendered into one.
    QImage tableImage() const;
    void setPaused(bool paused);
    bool paused() const { return paused_; }
    // Where the table image's top row lies in the table (the scroll position).
    void setScrollY(int scrollY) { scrollY_ = scrollY; }
    // Repaints table rectangles (table coordinates) that the drawing changed.
    void updateTableRect(const QRect& tableRect);

    // A picture floating over the table (the dragged cards, a flying card), its top-left
    // corner at `at` in window coordinates, with a shadow `shadow` pixels down and right.
    void setFloating(const QImage& image, const QPoint& at, int shadow);
    void moveFloating(const QPoint& at);
    void clearFloating();
    bool hasFloating() const { return !floating_.isNull(); }
    QRect floatingRect() const;

    // The tutor's arrow over the table, window coordinates: a line from the middle of the
    // card that moves to the middle of where it goes, with a small square at its end, drawn
    // dotted grey while the move is only proposed.
    void setArrow(const QPoint& from, const QPoint& to);
    void clearArrow();
    bool hasArrow() const { return arrow_.has_value(); }
    QLine arrow() const { return arrow_.value_or(QLine()); }

    // The keyboard's cursor, window coordinates: a frame around the cards it is on, drawn
    // black and gold so that it shows on every background; a null rectangle hides it.
    void setKeyCursor(const QRect& rect);
    QRect keyCursor() const { return keyCursor_; }

  signals:
    // A right click asks for the table's popup menu.
    void popupRequested(const QPoint& globalPos);
    // The pointer on the table, in window coordinates.
    void tablePressed(const QPoint& at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void tableMoved(const QPoint& at);
    void tableReleased(const QPoint& at, Qt::MouseButton button);
    void tableDoubleClicked(const QPoint& at, Qt::MouseButton button,
                            Qt::KeyboardModifiers modifiers);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    QColor background_;
    QImage image_;
    TableRenderer render_;
    QSize renderSize_;
    qreal renderRatio_ = 1.0;
    bool paused_ = false;
    int scrollY_ = 0;
    QImage floating_;
    QPoint floatingAt_;
    int shadow_ = 0;
    std::optional<QLine> arrow_;
    QRect keyCursor_;
    qreal zoom_ = 1.0;

    QRect arrowRect() const;
    void paintArrow(QPainter& painter) const;
    void paintKeyCursor(QPainter& painter) const;
    QRect keyCursorArea() const;
    // Repaints a rectangle given in table units.
    void updateArea(const QRect& rect);
};

// A colour stored the Windows way, blue in the high byte and red in the low byte.
QColor ColourFromStored(long long value);

} // namespace quendra
