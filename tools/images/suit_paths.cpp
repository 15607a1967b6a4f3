#include "suit_paths.h"

#include <QTransform>

namespace quendra::imagegen {
namespace {

// Each symbol is drawn in a 100 x 100 square and scaled into place.
QPainterPath Heart() {
    QPainterPath p;
    p.moveTo(50, 96);
    p.cubicTo(38, 80, 2, 58, 2, 30);
    p.cubicTo(2, 12, 14, 2, 28, 2);
    p.cubicTo(40, 2, 48, 10, 50, 20);
    p.cubicTo(52, 10, 60, 2, 72, 2);
    p.cubicTo(86, 2, 98, 12, 98, 30);
    p.cubicTo(98, 58, 62, 80, 50, 96);
    p.closeSubpath();
    return p;
}

QPainterPath Diamond() {
    QPainterPath p;
    p.moveTo(50, 0);
    p.quadTo(66, 28, 88, 50);
    p.quadTo(66, 72, 50, 100);
    p.quadTo(34, 72, 12, 50);
    p.quadTo(34, 28, 50, 0);
    p.closeSubpath();
    return p;
}

QPainterPath Spade() {
    QPainterPath p;
    p.moveTo(50, 0);
    p.cubicTo(62, 20, 98, 38, 98, 62);
    p.cubicTo(98, 76, 88, 84, 76, 84);
    p.cubicTo(66, 84, 58, 79, 54, 72);
    p.cubicTo(55, 84, 60, 93, 70, 100);
    p.lineTo(30, 100);
    p.cubicTo(40, 93, 45, 84, 46, 72);
    p.cubicTo(42, 79, 34, 84, 24, 84);
    p.cubicTo(12, 84, 2, 76, 2, 62);
    p.cubicTo(2, 38, 38, 20, 50, 0);
    p.closeSubpath();
    return p;
}

QPainterPath Club() {
    QPainterPath p;
    p.setFillRule(Qt::WindingFill);
    p.addEllipse(QPointF(50, 25), 23, 23);
    p.addEllipse(QPointF(24, 58), 23, 23);
    p.addEllipse(QPointF(76, 58), 23, 23);
    p.addEllipse(QPointF(50, 52), 12, 12);
    QPainterPath stem;
    stem.moveTo(46, 56);
    stem.cubicTo(46, 78, 40, 92, 30, 100);
    stem.lineTo(70, 100);
    stem.cubicTo(60, 92, 54, 78, 54, 56);
    stem.closeSubpath();
    return p.united(stem).simplified();
}

} // namespace

QPainterPath SuitPath(Suit suit, const QRectF& box) {
    QPainterPath unit;
    switch (suit) {
    case Suit::Hearts:
        unit = Heart();
        break;
    case Suit::Diamonds:
        unit = Diamond();
        break;
    case Suit::Clubs:
        unit = Club();
        break;
    case Suit::Spades:
        unit = Spade();
        break;
    }
    // The diamond is narrower than the others; every symbol fills the box's height.
    const qreal side = std::min(box.width(), box.height());
    QTransform t;
    t.translate(box.center().x() - side / 2, box.center().y() - side / 2);
    t.scale(side / 100.0, side / 100.0);
    return t.map(unit);
}

char SuitLetter(Suit suit) {
    static constexpr char kLetters[] = {'H', 'D', 'C', 'S'};
    return kLetters[static_cast<int>(suit)];
}

bool IsRed(Suit suit) {
    return suit == Suit::Hearts || suit == Suit::Diamonds;
}

} // namespace quendra::imagegen
