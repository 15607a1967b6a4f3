#include "app_icon.h"

#include <algorithm>

#include <QPainter>
#include <QPainterPath>

namespace quendra::imagegen {

namespace {

// The icon is laid out on a 256-unit square.
constexpr qreal kDesign = 256;
// Every card before it is turned: its rectangle and corner radius.
const QRectF kCard(78, 53, 100, 140);
constexpr qreal kCardRadius = 12;
// The cards turn about this point, below the fan.
const QPointF kPivot(128, 227);
constexpr qreal kFanAngle = 18;
constexpr qreal kEdgeWidth = 3;
constexpr qreal kBackInset = 9;
constexpr qreal kBackRadius = 6;

const QColor kFace(0xff, 0xff, 0xff);
const QColor kEdge(0x2a, 0x2a, 0x2a);
const QColor kBack(0x2b, 0x57, 0x97);
const QColor kRed(0xc8, 0x10, 0x2e);
const QColor kBlack(0x1a, 0x1a, 0x1a);

// The suit outlines on a box of 96 x 84 (heart) and 96 x 88 (spade) about the origin.
QPainterPath Heart() {
    QPainterPath p(QPointF(0, 40));
    p.cubicTo(-40, 12, -48, -4, -48, -20);
    p.cubicTo(-48, -34, -38, -44, -24, -44);
    p.cubicTo(-12, -44, -4, -36, 0, -26);
    p.cubicTo(4, -36, 12, -44, 24, -44);
    p.cubicTo(38, -44, 48, -34, 48, -20);
    p.cubicTo(48, -4, 40, 12, 0, 40);
    p.closeSubpath();
    return p;
}

QPainterPath Spade() {
    QPainterPath p(QPointF(0, -44));
    p.cubicTo(36, -14, 48, 0, 48, 14);
    p.cubicTo(48, 28, 38, 36, 26, 36);
    p.cubicTo(16, 36, 8, 30, 4, 24);
    p.lineTo(10, 44);
    p.lineTo(-10, 44);
    p.lineTo(-4, 24);
    p.cubicTo(-8, 30, -16, 36, -26, 36);
    p.cubicTo(-38, 36, -48, 28, -48, 14);
    p.cubicTo(-48, 0, -36, -14, 0, -44);
    p.closeSubpath();
    return p;
}

void DrawSuit(QPainter& p, const QPainterPath& suit, QPointF centre, qreal scale,
              const QColor& colour) {
    p.save();
    p.translate(centre);
    p.scale(scale, scale);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(suit);
    p.restore();
}

// A card turned by `angle` degrees about the pivot, its edge at least a pixel wide.
void DrawCard(QPainter& p, qreal angle, qreal edgeWidth) {
    p.translate(kPivot);
    p.rotate(angle);
    p.translate(-kPivot);
    p.setPen(QPen(kEdge, edgeWidth));
    p.setBrush(kFace);
    p.drawRoundedRect(kCard, kCardRadius, kCardRadius);
}

} // namespace

QImage DrawAppIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal scale = size / kDesign;
    p.scale(scale, scale);
    const qreal edge = std::max(kEdgeWidth, 1 / scale);

    p.save();
    DrawCard(p, -kFanAngle, edge);
    p.setPen(Qt::NoPen);
    p.setBrush(kBack);
    p.drawRoundedRect(kCard.adjusted(kBackInset, kBackInset, -kBackInset, -kBackInset),
                      kBackRadius, kBackRadius);
    p.restore();

    p.save();
    DrawCard(p, kFanAngle, edge);
    DrawSuit(p, Spade(), QPointF(156, 82), 0.3, kBlack);
    p.restore();

    p.save();
    DrawCard(p, 0, edge);
    DrawSuit(p, Heart(), kCard.center() + QPointF(0, -2), 0.75, kRed);
    p.restore();
    return image;
}

} // namespace quendra::imagegen
