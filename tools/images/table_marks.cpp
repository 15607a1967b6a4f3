#include "table_marks.h"

#include "card_faces.h"

#include <cmath>

#include <QPainterPath>

namespace quendra::imagegen {
namespace {

const QColor kMarkLine(255, 255, 255, 150);
const QColor kMarkFill(255, 255, 255, 30);
const QColor kMarkSymbol(255, 255, 255, 175);

// Marks that show a rank, by the part of their name after "W" and the size letter.
struct RankMark {
    const char* code;
    const char* rank;
};
const RankMark kRankMarks[] = {{"010", "A"}, {"012", "2"},  {"013", "3"}, {"014", "4"},
                               {"015", "5"}, {"016", "6"},  {"017", "7"}, {"018", "8"},
                               {"019", "9"}, {"020", "10"}, {"006", "J"}, {"003", "Q"},
                               {"011", "K"}};

void Outline(QPainter& p, const CardSize& size, Qt::PenStyle style = Qt::SolidLine) {
    const qreal r = size.width < 40 ? 2.5 : 4;
    QPen pen(kMarkLine, size.width < 40 ? 1.0 : 1.5, style);
    p.setPen(pen);
    p.setBrush(kMarkFill);
    p.drawRoundedRect(QRectF(1, 1, size.width - 2, size.height - 2), r, r);
}

void RedealArrow(QPainter& p, const QPointF& c, qreal r) {
    QPen pen(kMarkSymbol, r * 0.28, Qt::SolidLine, Qt::FlatCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const QRectF ring(c.x() - r, c.y() - r, 2 * r, 2 * r);
    p.drawArc(ring, 100 * 16, 290 * 16);
    // The arrow head at the arc's start, pointing along the turn.
    const qreal a = 100 * M_PI / 180;
    const QPointF tip(c.x() + r * std::cos(a), c.y() - r * std::sin(a));
    QPainterPath head;
    head.moveTo(tip + QPointF(r * 0.5, -r * 0.05));
    head.lineTo(tip + QPointF(-r * 0.35, -r * 0.45));
    head.lineTo(tip + QPointF(-r * 0.35, r * 0.45));
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kMarkSymbol);
    p.drawPath(head);
}

void NoEntry(QPainter& p, const QPointF& c, qreal r) {
    p.setPen(QPen(kMarkSymbol, r * 0.24));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r, r);
    const qreal d = r * 0.7071;
    p.drawLine(c + QPointF(-d, d), c + QPointF(d, -d));
}

void Star(QPainter& p, const QPointF& c, qreal r) {
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const qreal a = (i * 36 - 90) * M_PI / 180;
        const qreal rr = i % 2 ? r * 0.42 : r;
        const QPointF pt(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a));
        if (i == 0)
            star.moveTo(pt);
        else
            star.lineTo(pt);
    }
    star.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kMarkSymbol);
    p.drawPath(star);
}

void Plus(QPainter& p, const QPointF& c, qreal r) {
    p.setPen(QPen(kMarkSymbol, r * 0.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r, r);
    p.setPen(QPen(kMarkSymbol, r * 0.26, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(-r * 0.5, 0), c + QPointF(r * 0.5, 0));
    p.drawLine(c + QPointF(0, -r * 0.5), c + QPointF(0, r * 0.5));
}

void GenerateMarks(ModuleOutput& out, const FontFamilies& fonts, const CardSize& size) {
    const QString prefix = QString("W%1").arg(size.letter);
    const QPointF centre(size.width / 2.0, size.height / 2.0);
    const qreal r = size.width * 0.28;
    auto mark = [&](const QString& code, const DrawFunction& symbol,
                    Qt::PenStyle outline = Qt::SolidLine) {
        out.Draw(
            prefix + code, size.width, size.height,
            [&](QPainter& p) {
                Outline(p, size, outline);
                if (symbol) symbol(p);
            },
            true);
    };
    mark("022", [&](QPainter& p) { RedealArrow(p, centre, r); });
    mark("008", [&](QPainter& p) { NoEntry(p, centre, r); });
    mark("_WASTE", nullptr, Qt::DashLine);
    mark("_TABLEAU", nullptr);
    mark("004", [&](QPainter& p) {
        p.setPen(QPen(kMarkSymbol, 1.0));
        p.setBrush(Qt::NoBrush);
        const qreal inset = size.width * 0.16;
        p.drawRoundedRect(QRectF(inset, inset, size.width - 2 * inset, size.height - 2 * inset), 2,
                          2);
    });
    mark("001", [&](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(kMarkSymbol);
        p.drawEllipse(centre, r * 0.35, r * 0.35);
    });
    mark("009", [&](QPainter& p) { Star(p, centre, r); });
    mark("021", [&](QPainter& p) { Plus(p, centre, r); });
    const QFont font = MakeFont(fonts.serif, 40, true);
    for (const RankMark& rank : kRankMarks) {
        mark(rank.code, [&](QPainter& p) {
            const qreal h = size.height * 0.42;
            const QRectF box(centre.x() - size.width * 0.4, centre.y() - h / 2, size.width * 0.8,
                             h);
            p.setPen(Qt::NoPen);
            p.setBrush(kMarkSymbol);
            p.drawPath(FittedText(font, rank.rank, box));
        });
    }
}

// Shadow strips: "1" runs down the right edge and "2" along the bottom edge, both a soft
// falloff from the card; transparent where no shadow falls.
void GenerateShadows(ModuleOutput& out, const CardSize& size) {
    const int s = size.letter == 'B' ? 9 : size.letter == 'M' ? 7 : 3;
    auto strength = [s](int d) { return 110.0 * (1.0 - (d + 0.5) / s) * (1.0 - (d + 0.5) / s); };
    QImage right(s, size.height, QImage::Format_ARGB32);
    for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < s; ++x) {
            // The top end fades in, so the shadow looks cast from the upper left.
            const qreal fade = y < s ? (y + 0.5) / s : 1.0;
            right.setPixel(x, y, qRgba(0, 0, 0, qRound(strength(x) * fade)));
        }
    QImage bottom(size.width - s, s, QImage::Format_ARGB32);
    for (int y = 0; y < s; ++y)
        for (int x = 0; x < bottom.width(); ++x) {
            const qreal fade = x < s ? (x + 0.5) / s : 1.0;
            bottom.setPixel(x, y, qRgba(0, 0, 0, qRound(strength(y) * fade)));
        }
    out.SavePicture(QString("SHADOW_%1%2").arg(size.letter).arg(1), right);
    out.SavePicture(QString("SHADOW_%1%2").arg(size.letter).arg(2), bottom);
}

// Pile-edge strips for a pile up to 15 cards thick: column c of the vertical strip (row r of
// the horizontal one) is the edge of the card lying 15 - c below the top card, covering
// rows c - 2 to c - 2 + card height - 1 (columns likewise). The outermost edge is dark.
void GenerateEdges(ModuleOutput& out, const CardSize& size) {
    auto edgeColour = [](int layer) {
        if (layer == 15) return qRgba(72, 72, 72, 255);
        return layer % 2 ? qRgba(206, 206, 206, 255) : qRgba(246, 246, 246, 255);
    };
    QImage vertical(16, size.height + 13, QImage::Format_ARGB32);
    vertical.fill(Qt::transparent);
    for (int c = 0; c < 16; ++c)
        for (int r = std::max(0, c - 2); r <= c - 3 + size.height && r < vertical.height(); ++r)
            vertical.setPixel(c, r, edgeColour(c));
    QImage horizontal(size.width + 11, 16, QImage::Format_ARGB32);
    horizontal.fill(Qt::transparent);
    for (int r = 0; r < 16; ++r)
        for (int c = std::max(0, r - 2); c <= r - 3 + size.width && c < horizontal.width(); ++c)
            horizontal.setPixel(c, r, edgeColour(r));
    out.SavePicture(QString("3D_BORDER_%1%2").arg(size.letter).arg(1), vertical);
    out.SavePicture(QString("3D_BORDER_%1%2").arg(size.letter).arg(2), horizontal);
}

} // namespace

void GenerateTableMarks(ModuleOutput& out, const FontFamilies& fonts) {
    for (const CardSize& size : {kLargeCards, kMediumCards, kLittleCards}) {
        GenerateMarks(out, fonts, size);
        GenerateShadows(out, size);
        GenerateEdges(out, size);
    }
}

} // namespace quendra::imagegen
