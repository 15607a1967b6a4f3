#include "tool_icons.h"

#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

namespace quendra {

namespace {

// The colours of a picture: its lines, and the fills of its parts.
struct Ink {
    QColor line;
    QColor paper;
    QColor folder;
    QColor blue;
    QColor green;
    QColor red;
    QColor orange;
};

Ink InkFor(QIcon::Mode mode) {
    if (mode == QIcon::Disabled) {
        const QColor grey(150, 150, 150);
        const QColor light(215, 215, 215);
        return {grey, light, light, grey, grey, grey, grey};
    }
    return {QColor(40, 40, 40),   QColor(255, 255, 255), QColor(232, 184, 74),
            QColor(45, 105, 175), QColor(40, 140, 60),   QColor(200, 45, 40),
            QColor(230, 130, 30)};
}

// An arrow along a circle's arc around (12, 12): from `start` degrees, `span` degrees long
// (counter-clockwise when positive), its head at the end.
void ArcArrow(QPainter& p, double radius, double start, double span, const QColor& colour) {
    QPainterPath arc;
    const QRectF box(12 - radius, 12 - radius, 2 * radius, 2 * radius);
    arc.arcMoveTo(box, start);
    arc.arcTo(box, start, span);
    p.setPen(QPen(colour, 2.6, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    // The head: a triangle at the end, pointing along the arc.
    const double end = (start + span) * M_PI / 180.0;
    const QPointF tip(12 + radius * std::cos(end), 12 - radius * std::sin(end));
    const double turn = span > 0 ? 1.0 : -1.0;
    const QPointF along(-std::sin(end) * turn, -std::cos(end) * turn); // direction of travel
    const QPointF across(std::cos(end), -std::sin(end));
    QPolygonF head;
    head << tip + along * 4.5 << tip + across * 4.0 << tip - across * 4.0;
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(head);
}

// A curved arrow over the middle, to the left (undo) or to the right (redo).
void TurnArrow(QPainter& p, bool left, const QColor& colour) {
    p.save();
    if (!left) {
        p.translate(24, 0);
        p.scale(-1, 1);
    }
    QPainterPath curve;
    curve.moveTo(19.5, 18.5);
    curve.cubicTo(19.5, 10.0, 14.0, 8.0, 8.0, 8.5);
    p.setPen(QPen(colour, 2.6, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF({QPointF(3.0, 8.5), QPointF(9.0, 3.5), QPointF(9.0, 13.5)}));
    p.restore();
}

// Draws the picture on a 24 x 24 grid.
void Draw(QPainter& p, ToolGlyph glyph, const Ink& ink) {
    const QPen line(ink.line, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    switch (glyph) {
    case ToolGlyph::New: {
        QPainterPath page;
        page.moveTo(5.5, 2.5);
        page.lineTo(14.5, 2.5);
        page.lineTo(19.5, 7.5);
        page.lineTo(19.5, 21.5);
        page.lineTo(5.5, 21.5);
        page.closeSubpath();
        p.setPen(line);
        p.setBrush(ink.paper);
        p.drawPath(page);
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(14.5, 2.5), QPointF(14.5, 7.5), QPointF(19.5, 7.5)}));
        break;
    }
    case ToolGlyph::Open: {
        p.setPen(line);
        p.setBrush(ink.folder.darker(115));
        p.drawPolygon(QPolygonF({QPointF(2.5, 5.5), QPointF(9.0, 5.5), QPointF(11.0, 7.5),
                                 QPointF(20.5, 7.5), QPointF(20.5, 19.5), QPointF(2.5, 19.5)}));
        p.setBrush(ink.folder);
        p.drawPolygon(QPolygonF({QPointF(5.0, 10.5), QPointF(22.5, 10.5), QPointF(20.5, 19.5),
                                 QPointF(2.5, 19.5)}));
        break;
    }
    case ToolGlyph::Save:
        p.setPen(line);
        p.setBrush(ink.blue);
        p.drawRoundedRect(QRectF(3.5, 3.5, 17, 17), 1.5, 1.5);
        p.setBrush(ink.paper);
        p.drawRect(QRectF(6.5, 3.5, 11, 7));
        p.setBrush(ink.line);
        p.drawRect(QRectF(8.5, 14.0, 7, 6.5));
        break;
    case ToolGlyph::Restart:
        ArcArrow(p, 7.5, 120, -300, ink.green);
        break;
    case ToolGlyph::Undo:
        TurnArrow(p, true, ink.blue);
        break;
    case ToolGlyph::Redo:
        TurnArrow(p, false, ink.blue);
        break;
    case ToolGlyph::Autoplay:
        p.setPen(QPen(ink.green.darker(140), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(ink.green);
        p.drawPolygon(QPolygonF({QPointF(2.5, 5.5), QPointF(12.0, 12.0), QPointF(2.5, 18.5)}));
        p.drawPolygon(QPolygonF({QPointF(11.5, 5.5), QPointF(21.0, 12.0), QPointF(11.5, 18.5)}));
        break;
    case ToolGlyph::Statistics:
        p.setPen(line);
        p.setBrush(ink.blue);
        p.drawRect(QRectF(4.5, 11.5, 4, 9));
        p.setBrush(ink.orange);
        p.drawRect(QRectF(10.0, 5.5, 4, 15));
        p.setBrush(ink.green);
        p.drawRect(QRectF(15.5, 8.5, 4, 12));
        p.drawLine(QPointF(2.5, 20.5), QPointF(21.5, 20.5));
        break;
    case ToolGlyph::Search:
        p.setPen(QPen(ink.line, 2.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(14.5, 14.5), QPointF(20.5, 20.5));
        p.setPen(QPen(ink.line, 1.8));
        p.setBrush(ink.paper);
        p.drawEllipse(QPointF(10.0, 10.0), 6.0, 6.0);
        break;
    case ToolGlyph::Rules: {
        p.setPen(Qt::NoPen);
        p.setBrush(ink.blue);
        p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
        QPainterPath mark;
        mark.moveTo(8.8, 9.5);
        mark.cubicTo(8.8, 5.5, 15.2, 5.5, 15.2, 9.5);
        mark.cubicTo(15.2, 12.0, 12.0, 12.0, 12.0, 14.5);
        p.setPen(QPen(ink.paper, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(mark);
        p.setPen(Qt::NoPen);
        p.setBrush(ink.paper);
        p.drawEllipse(QPointF(12, 17.8), 1.4, 1.4);
        break;
    }
    case ToolGlyph::Exit:
        p.setPen(Qt::NoPen);
        p.setBrush(ink.red);
        p.drawRoundedRect(QRectF(3, 3, 18, 18), 3, 3);
        p.setPen(QPen(ink.paper, 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 8), QPointF(16, 16));
        p.drawLine(QPointF(16, 8), QPointF(8, 16));
        break;
    }
}

// Draws the picture at each size and state the tool bars ask for, once.
class ToolIconEngine : public QIconEngine {
  public:
    explicit ToolIconEngine(ToolGlyph glyph) : glyph_(glyph) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        const quint64 key = (static_cast<quint64>(size.width()) << 32) ^
                            (static_cast<quint64>(size.height()) << 8) ^
                            (static_cast<quint64>(mode) << 2) ^ static_cast<quint64>(state);
        const auto known = made_.constFind(key);
        if (known != made_.cend()) return *known;
        QPixmap picture(size);
        picture.fill(Qt::transparent);
        if (!size.isEmpty()) {
            QPainter p(&picture);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(size.width() / 24.0, size.height() / 24.0);
            Draw(p, glyph_, InkFor(mode));
        }
        made_.insert(key, picture);
        return picture;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QIconEngine* clone() const override { return new ToolIconEngine(glyph_); }

  private:
    ToolGlyph glyph_;
    QHash<quint64, QPixmap> made_;
};

} // namespace

QIcon ToolIcon(ToolGlyph glyph) { return QIcon(new ToolIconEngine(glyph)); }

} // namespace quendra
