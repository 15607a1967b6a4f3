#include "court_figure.h"

#include <QPainterPath>

namespace quendra::imagegen {
namespace {

// The half figure is drawn in a box 100 wide and 64 high; y = 64 is the card's middle.
constexpr qreal kHalfWidth = 100;
constexpr qreal kHalfHeight = 64;

struct Colours {
    QColor robe, second, trim, lining, hair, skin, outline, suit;
};

QColor RobeFor(const FaceStyle& style, Suit suit, int rank) {
    if (style.robesInSuitColour) return style.SuitColour(suit);
    return style.robes[(rank + static_cast<int>(suit)) % 2];
}

void Robe(QPainter& p, const Colours& c, int rank) {
    QPainterPath robe;
    robe.moveTo(6, 64);
    robe.cubicTo(6, 50, 12, 42, 28, 39);
    robe.lineTo(42, 35);
    robe.lineTo(58, 35);
    robe.lineTo(72, 39);
    robe.cubicTo(88, 42, 94, 50, 94, 64);
    robe.closeSubpath();
    p.setPen(QPen(c.outline, 1.6));
    p.setBrush(c.robe);
    p.drawPath(robe);

    // A sash across the chest in the second colour, edged with the trim.
    QPainterPath sash;
    sash.moveTo(30, 39);
    sash.lineTo(40, 36);
    sash.lineTo(78, 64);
    sash.lineTo(62, 64);
    sash.closeSubpath();
    p.setBrush(c.second);
    p.setPen(QPen(c.trim, 1.4));
    p.drawPath(sash.intersected(robe));

    // Collar: a King wears ermine, a Queen a lace collar, a Jack a plain one.
    QPainterPath collar;
    collar.moveTo(34, 37);
    collar.quadTo(50, 50, 66, 37);
    collar.quadTo(50, 42, 34, 37);
    p.setPen(QPen(c.outline, 1.0));
    p.setBrush(c.lining);
    p.drawPath(collar);
    if (rank == kKing) {
        p.setPen(Qt::NoPen);
        p.setBrush(c.outline);
        for (qreal x : {40.0, 50.0, 60.0})
            p.drawEllipse(QPointF(x, x == 50.0 ? 43.5 : 40.5), 1.1, 1.1);
    }

    // Buttons down the front.
    p.setPen(QPen(c.outline, 0.8));
    p.setBrush(c.trim);
    for (qreal y : {50.0, 57.0})
        p.drawEllipse(QPointF(50, y), 2.0, 2.0);
}

void Head(QPainter& p, const Colours& c, int rank) {
    // Hair behind the head.
    p.setPen(QPen(c.outline, 1.2));
    p.setBrush(c.hair);
    if (rank == kQueen) {
        QPainterPath hair;
        hair.moveTo(38, 14);
        hair.cubicTo(30, 24, 32, 34, 34, 38);
        hair.lineTo(66, 38);
        hair.cubicTo(68, 34, 70, 24, 62, 14);
        hair.closeSubpath();
        p.drawPath(hair);
    } else {
        p.drawEllipse(QPointF(50, 20), 11.5, 11.5);
    }

    // Neck and face.
    p.setBrush(c.skin);
    p.drawRect(QRectF(45.5, 29, 9, 7));
    p.drawEllipse(QPointF(50, 22), 9.5, 11);

    if (rank == kKing) {
        QPainterPath beard;
        beard.moveTo(40.8, 23);
        beard.cubicTo(41, 34, 46, 40, 50, 40);
        beard.cubicTo(54, 40, 59, 34, 59.2, 23);
        beard.cubicTo(56, 29, 44, 29, 40.8, 23);
        p.setBrush(c.hair);
        p.drawPath(beard);
    } else if (rank == kJack) {
        // A fringe across the forehead.
        QPainterPath fringe;
        fringe.moveTo(40.5, 19);
        fringe.cubicTo(44, 13, 56, 13, 59.5, 19);
        fringe.lineTo(59.5, 14);
        fringe.lineTo(40.5, 14);
        fringe.closeSubpath();
        p.setBrush(c.hair);
        p.drawPath(fringe);
    }

    // Eyes, brows and mouth.
    p.setPen(Qt::NoPen);
    p.setBrush(c.outline);
    p.drawEllipse(QPointF(46.2, 21.5), 1.3, 1.5);
    p.drawEllipse(QPointF(53.8, 21.5), 1.3, 1.5);
    p.setPen(QPen(c.outline, 0.9, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(44, 18.6), QPointF(48, 18.3));
    p.drawLine(QPointF(52, 18.3), QPointF(56, 18.6));
    p.setPen(QPen(QColor(180, 60, 60), 1.1, Qt::SolidLine, Qt::RoundCap));
    QPainterPath mouth;
    mouth.moveTo(47.5, 28);
    mouth.quadTo(50, 29.6, 52.5, 28);
    p.drawPath(mouth);
}

void Headwear(QPainter& p, const Colours& c, int rank) {
    p.setPen(QPen(c.outline, 1.2));
    if (rank == kKing) {
        QPainterPath crown;
        crown.moveTo(39, 14);
        crown.lineTo(38, 2);
        crown.lineTo(43.5, 7);
        crown.lineTo(50, 0);
        crown.lineTo(56.5, 7);
        crown.lineTo(62, 2);
        crown.lineTo(61, 14);
        crown.closeSubpath();
        p.setBrush(c.trim);
        p.drawPath(crown);
        p.setPen(Qt::NoPen);
        p.setBrush(c.suit);
        p.drawEllipse(QPointF(50, 9.5), 2.0, 2.0);
        p.setBrush(c.lining);
        p.drawEllipse(QPointF(43, 11), 1.2, 1.2);
        p.drawEllipse(QPointF(57, 11), 1.2, 1.2);
    } else if (rank == kQueen) {
        QPainterPath tiara;
        tiara.moveTo(40, 13);
        tiara.cubicTo(42, 6, 58, 6, 60, 13);
        tiara.cubicTo(56, 10.5, 44, 10.5, 40, 13);
        p.setBrush(c.trim);
        p.drawPath(tiara);
        p.drawEllipse(QPointF(50, 5.2), 2.6, 2.6);
        p.setPen(Qt::NoPen);
        p.setBrush(c.suit);
        p.drawEllipse(QPointF(50, 5.2), 1.2, 1.2);
    } else {
        // A beret with a feather.
        QPainterPath feather;
        feather.moveTo(58, 9);
        feather.cubicTo(66, 2, 76, 0, 84, 2);
        feather.cubicTo(76, 4, 68, 7, 60, 12);
        feather.closeSubpath();
        p.setBrush(c.lining);
        p.drawPath(feather);
        p.setBrush(c.robe);
        p.drawEllipse(QPointF(49, 11), 13.5, 4.8);
        p.setPen(Qt::NoPen);
        p.setBrush(c.trim);
        p.drawEllipse(QPointF(58, 11), 1.8, 1.8);
    }
}

void HeldObject(QPainter& p, const Colours& c, int rank) {
    p.setPen(QPen(c.outline, 1.2));
    if (rank == kKing) {
        // A sword held upright on the right.
        p.setBrush(QColor(222, 226, 232));
        p.drawRect(QRectF(81, 10, 4, 44));
        p.setBrush(c.trim);
        p.drawRect(QRectF(75, 50, 16, 3.6));
        p.drawRect(QRectF(81.4, 53.6, 3.2, 10.4));
    } else if (rank == kQueen) {
        // A flower on the left.
        p.setPen(QPen(QColor(40, 120, 50), 1.6));
        p.drawLine(QPointF(20, 20), QPointF(24, 60));
        p.setPen(QPen(c.outline, 0.9));
        p.setBrush(c.suit);
        for (int i = 0; i < 5; ++i) {
            const qreal a = i * 72.0 * M_PI / 180.0;
            p.drawEllipse(QPointF(20 + 4.2 * std::sin(a), 16 - 4.2 * std::cos(a)), 3.2, 3.2);
        }
        p.setBrush(c.trim);
        p.drawEllipse(QPointF(20, 16), 2.4, 2.4);
    } else {
        // A halberd on the left.
        p.setBrush(QColor(150, 100, 50));
        p.drawRect(QRectF(15, 6, 3, 58));
        QPainterPath blade;
        blade.moveTo(16.5, 0);
        blade.lineTo(20, 8);
        blade.lineTo(26, 10);
        blade.cubicTo(24, 14, 20, 16, 18, 16);
        blade.lineTo(15, 16);
        blade.lineTo(13, 8);
        blade.closeSubpath();
        p.setBrush(QColor(214, 218, 226));
        p.drawPath(blade);
    }
}

void HalfFigure(QPainter& p, const FaceStyle& style, Suit suit, int rank) {
    const QColor robe = RobeFor(style, suit, rank);
    Colours c{robe,
              style.robesInSuitColour ? robe.lighter(150)
                                      : style.robes[(rank + static_cast<int>(suit) + 1) % 2],
              style.trim,
              style.lining,
              style.hair,
              style.skin,
              style.outline,
              style.SuitColour(suit)};
    HeldObject(p, c, rank);
    Robe(p, c, rank);
    Head(p, c, rank);
    Headwear(p, c, rank);
    // The suit on the shoulder.
    p.setPen(QPen(c.lining, 0.8));
    p.setBrush(rank == kQueen ? c.lining : c.trim);
    p.drawPath(SuitPath(suit, QRectF(18, 45, 11, 11)));
}

} // namespace

void DrawCourt(QPainter& p, const FaceStyle& style, Suit suit, int rank, const QRectF& frame) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(style.courtGround);
    p.drawRect(frame);

    // Each half is scaled to the frame's width and centred in its half.
    const qreal scale = std::min(frame.width() / kHalfWidth, frame.height() / 2 / kHalfHeight);
    const qreal left = frame.center().x() - kHalfWidth * scale / 2;
    p.setClipRect(frame);
    for (int half = 0; half < 2; ++half) {
        p.save();
        if (half == 1) {
            p.translate(frame.center());
            p.rotate(180);
            p.translate(-frame.center());
        }
        p.translate(left, frame.center().y() - kHalfHeight * scale);
        p.scale(scale, scale);
        HalfFigure(p, style, suit, rank);
        p.restore();
    }
    p.setClipping(false);

    // The frame line and the line between the halves.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(style.frameColour, 0.9));
    p.drawRect(frame);
    p.setPen(QPen(style.frameColour, 0.6));
    p.drawLine(QPointF(frame.left(), frame.center().y()),
               QPointF(frame.right(), frame.center().y()));
    p.restore();
}

void DrawJester(QPainter& p, const QRectF& box) {
    p.save();
    const qreal s = std::min(box.width(), box.height()) / 100.0;
    p.translate(box.center().x() - 50 * s, box.center().y() - 50 * s);
    p.scale(s, s);
    const QColor outline(30, 30, 40);
    p.setPen(QPen(outline, 1.6));

    // Collar of points.
    QPainterPath collar;
    collar.moveTo(22, 78);
    for (int i = 0; i < 6; ++i) {
        const qreal x = 22 + i * 9.33;
        collar.lineTo(x + 4.66, 96);
        collar.lineTo(x + 9.33, 78);
    }
    collar.closeSubpath();
    p.setBrush(QColor(250, 200, 40));
    p.drawPath(collar);

    // Hat of three tails with bells, in three colours.
    const QColor tails[] = {QColor(200, 30, 50), QColor(40, 90, 200), QColor(30, 150, 70)};
    const QPointF tips[] = {QPointF(10, 30), QPointF(50, 4), QPointF(90, 30)};
    for (int i = 0; i < 3; ++i) {
        QPainterPath tail;
        tail.moveTo(30 + i * 8, 44);
        tail.quadTo((30 + tips[i].x()) / 2, tips[i].y() - 6, tips[i].x(), tips[i].y());
        tail.quadTo((50 + tips[i].x()) / 2 + 6, (44 + tips[i].y()) / 2 + 10, 54 + i * 8, 44);
        tail.closeSubpath();
        p.setBrush(tails[i]);
        p.drawPath(tail);
    }
    p.setBrush(QColor(250, 200, 40));
    for (const QPointF& tip : tips)
        p.drawEllipse(tip, 5, 5);

    // Face.
    p.setBrush(QColor(252, 222, 190));
    p.drawEllipse(QPointF(50, 60), 19, 20);
    p.setBrush(QColor(250, 250, 250));
    p.drawRect(QRectF(28, 40, 44, 7));
    p.setPen(Qt::NoPen);
    p.setBrush(outline);
    p.drawEllipse(QPointF(43, 57), 2.4, 2.8);
    p.drawEllipse(QPointF(57, 57), 2.4, 2.8);
    p.setBrush(QColor(220, 60, 60));
    p.drawEllipse(QPointF(50, 63), 3.2, 3.2);
    p.setPen(QPen(outline, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath smile;
    smile.moveTo(41, 69);
    smile.quadTo(50, 77, 59, 69);
    p.drawPath(smile);
    p.restore();
}

} // namespace quendra::imagegen
