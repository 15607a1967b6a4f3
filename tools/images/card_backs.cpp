#include "card_backs.h"

#include "card_faces.h"
#include "suit_paths.h"

#include <cmath>

#include <QPainterPath>

namespace quendra::imagegen {
namespace {

struct Palette {
    QColor ground;
    QColor pattern;
};

// Six palettes and ten patterns: back n takes palette (n-1) mod 6 and pattern (n-1) mod 10,
// so the thirty backs are thirty different pairs.
const Palette kPalettes[] = {
    {QColor(26, 50, 122), QColor(96, 136, 214)},  {QColor(150, 22, 36), QColor(226, 96, 96)},
    {QColor(20, 96, 58), QColor(96, 176, 116)},   {QColor(84, 40, 120), QColor(170, 130, 214)},
    {QColor(12, 104, 112), QColor(98, 196, 196)}, {QColor(110, 64, 24), QColor(226, 178, 80)},
};

void Pattern(QPainter& p, int pattern, const QRectF& area, qreal cell, const QColor& ink) {
    const QPointF c = area.center();
    QPen pen(ink, cell / 8.0);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const qreal w = area.width(), h = area.height();
    switch (pattern) {
    case 0: // diamond lattice
        for (qreal k = -h; k < w + h; k += cell) {
            p.drawLine(QPointF(area.left() + k, area.top()),
                       QPointF(area.left() + k + h, area.bottom()));
            p.drawLine(QPointF(area.left() + k, area.top()),
                       QPointF(area.left() + k - h, area.bottom()));
        }
        break;
    case 1: // staggered dots
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        for (int row = 0; row * cell * 0.6 < h + cell; ++row)
            for (qreal x = (row % 2) * cell / 2; x < w + cell; x += cell)
                p.drawEllipse(QPointF(area.left() + x, area.top() + row * cell * 0.6), cell / 5,
                              cell / 5);
        break;
    case 2: // nested frames
        for (qreal inset = cell / 2; inset < std::min(w, h) / 2; inset += cell / 2)
            p.drawRoundedRect(area.adjusted(inset, inset, -inset, -inset), cell / 3, cell / 3);
        break;
    case 3: // small squares on the diagonal
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        for (qreal y = 0; y < h + cell; y += cell)
            for (qreal x = 0; x < w + cell; x += cell) {
                QPainterPath d;
                const QPointF m(area.left() + x, area.top() + y);
                const qreal r = cell * 0.32;
                d.moveTo(m.x(), m.y() - r);
                d.lineTo(m.x() + r, m.y());
                d.lineTo(m.x(), m.y() + r);
                d.lineTo(m.x() - r, m.y());
                d.closeSubpath();
                p.drawPath(d);
            }
        break;
    case 4: // waves
        for (qreal y = 0; y < h + cell; y += cell / 2) {
            QPainterPath wave;
            wave.moveTo(area.left(), area.top() + y);
            for (qreal x = 0; x <= w; x += 1)
                wave.lineTo(area.left() + x,
                            area.top() + y + std::sin(x / cell * 2 * M_PI) * cell / 5);
            p.drawPath(wave);
        }
        break;
    case 5: { // the four suits in turn
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        int i = 0;
        for (qreal y = 0; y < h + cell; y += cell, ++i)
            for (qreal x = (i % 2) * cell / 2; x < w + cell; x += cell, ++i) {
                const qreal s = cell * 0.5;
                p.drawPath(SuitPath(kSuits[i % 4],
                                    QRectF(area.left() + x - s / 2, area.top() + y - s / 2, s, s)));
            }
        break;
    }
    case 6: // tartan
        pen.setWidthF(cell / 3);
        p.setPen(pen);
        for (qreal x = cell / 2; x < w; x += cell)
            p.drawLine(QPointF(area.left() + x, area.top()),
                       QPointF(area.left() + x, area.bottom()));
        for (qreal y = cell / 2; y < h; y += cell)
            p.drawLine(QPointF(area.left(), area.top() + y), QPointF(area.right(), area.top() + y));
        pen.setWidthF(cell / 12);
        p.setPen(pen);
        for (qreal x = 0; x < w; x += cell)
            p.drawLine(QPointF(area.left() + x, area.top()),
                       QPointF(area.left() + x, area.bottom()));
        break;
    case 7: // chevrons
        for (qreal y = -cell; y < h + cell; y += cell / 2) {
            QPainterPath zig;
            zig.moveTo(area.left(), area.top() + y);
            int k = 0;
            for (qreal x = 0; x <= w + cell; x += cell / 2, ++k)
                zig.lineTo(area.left() + x, area.top() + y + (k % 2 ? cell / 3 : 0));
            p.drawPath(zig);
        }
        break;
    case 8: // sunburst
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        for (int k = 0; k < 36; k += 2) {
            QPainterPath ray;
            ray.moveTo(c);
            const qreal a1 = k * 10 * M_PI / 180, a2 = (k + 1) * 10 * M_PI / 180;
            const qreal r = std::hypot(w, h);
            ray.lineTo(c.x() + r * std::cos(a1), c.y() + r * std::sin(a1));
            ray.lineTo(c.x() + r * std::cos(a2), c.y() + r * std::sin(a2));
            ray.closeSubpath();
            p.drawPath(ray);
        }
        break;
    default: // rings
        for (qreal y = 0; y < h + cell; y += cell)
            for (qreal x = 0; x < w + cell; x += cell)
                p.drawEllipse(QPointF(area.left() + x, area.top() + y), cell * 0.7, cell * 0.7);
        break;
    }
}

void DrawBack(QPainter& p, const CardSize& size, int number) {
    const Palette& palette = kPalettes[(number - 1) % 6];
    const int pattern = (number - 1) % 10;
    const bool little = size.width < 40;
    const qreal scale = size.width / 71.0;
    // The design runs up to the card's outline, so that the few rows a face-down card shows
    // under the next one in a fan are the back's own colours, never a white band.
    DrawCardBlank(p, size, palette.ground, QColor(96, 96, 96));
    const qreal margin = little ? 1 : 1.5;
    const QRectF inner(margin, margin, size.width - 2 * margin, size.height - 2 * margin);
    QPainterPath clip;
    clip.addRoundedRect(inner, 2.5 * scale + 0.5, 2.5 * scale + 0.5);
    p.save();
    p.setClipPath(clip);
    p.fillRect(inner, palette.ground);
    Pattern(p, pattern, inner, little ? 5 : 9 * scale, palette.pattern);
    p.restore();
    p.setBrush(Qt::NoBrush);
    if (!little) {
        // A medallion in the middle of most backs, a double frame around every one.
        if (pattern != 2 && pattern != 8) {
            const QPointF c = inner.center();
            const qreal r = 12 * scale;
            p.setPen(QPen(palette.pattern.lighter(130), 1.2 * scale));
            p.setBrush(palette.ground);
            p.drawEllipse(c, r, r);
            p.setPen(Qt::NoPen);
            p.setBrush(palette.pattern.lighter(130));
            p.drawPath(SuitPath(kSuits[(number - 1) % 4],
                                QRectF(c.x() - r * 0.55, c.y() - r * 0.55, r * 1.1, r * 1.1)));
            p.setBrush(Qt::NoBrush);
        }
        p.setPen(QPen(palette.pattern.lighter(140), 1.0 * scale));
        p.drawRoundedRect(inner.adjusted(3 * scale, 3 * scale, -3 * scale, -3 * scale), 2 * scale,
                          2 * scale);
    }
    p.setPen(QPen(palette.ground.darker(140), 0.8));
    p.drawPath(clip);
}

} // namespace

void GenerateCardBacks(ModuleOutput& out) {
    for (int n = 1; n <= kBackCount; ++n) {
        const QString code = QString("%1").arg(n, 3, 10, QChar('0'));
        for (const CardSize& size : {kLargeCards, kLittleCards})
            out.Draw(
                QString("D%1%2").arg(size.letter).arg(code), size.width, size.height,
                [&](QPainter& p) { DrawBack(p, size, n); }, true);
    }
    out.Draw(
        "DM011", kMediumCards.width, kMediumCards.height,
        [&](QPainter& p) { DrawBack(p, kMediumCards, 11); }, true);
}

} // namespace quendra::imagegen
