#include "suit_paths.h"
#include "table_marks.h"

#include <cmath>
#include <random>

#include <QPainterPath>

namespace quendra::imagegen {
namespace {

constexpr int kTile = 128;

QRgb Shade(const QColor& base, int delta) {
    return qRgb(std::clamp(base.red() + delta, 0, 255), std::clamp(base.green() + delta, 0, 255),
                std::clamp(base.blue() + delta, 0, 255));
}

QString BackgroundName(int number) {
    return QString("B%1").arg(number, 3, 10, QChar('0'));
}

// Periodic smooth noise over the tile: a sum of waves whose periods divide the tile, so the
// picture joins itself seamlessly at every edge.
qreal Waves(qreal x, qreal y, std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<qreal> phase(0, 2 * M_PI);
    qreal sum = 0;
    for (int k = 1; k <= 4; ++k) {
        const int fx = 1 + static_cast<int>(rng() % 3) * k,
                  fy = 1 + static_cast<int>(rng() % 3) * k;
        sum += std::sin(2 * M_PI * (fx * x + fy * y) / kTile + phase(rng)) / k;
    }
    return sum / 2.1;
}

QImage Felt(const QColor& base, std::uint32_t seed, int grain) {
    QImage tile(kTile, kTile, QImage::Format_RGB32);
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> noise(-grain, grain);
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x)
            tile.setPixel(x, y, Shade(base, noise(rng)));
    return tile;
}

QImage Linen(const QColor& base, std::uint32_t seed) {
    QImage tile(kTile, kTile, QImage::Format_RGB32);
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> noise(-4, 4);
    std::vector<int> rows(kTile), cols(kTile);
    for (int& r : rows)
        r = noise(rng) * 2;
    for (int& c : cols)
        c = noise(rng) * 2;
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x)
            tile.setPixel(x, y, Shade(base, rows[y] + cols[x] + noise(rng)));
    return tile;
}

QImage Wood(const QColor& base, std::uint32_t seed) {
    QImage tile(kTile, kTile, QImage::Format_RGB32);
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            const qreal bend = 6 * Waves(x, 0, seed);
            const qreal grain = std::sin(2 * M_PI * 6 * (y + bend) / kTile);
            const qreal fine = std::sin(2 * M_PI * 23 * (y + bend * 0.5) / kTile);
            tile.setPixel(x, y, Shade(base, qRound(grain * 14 + fine * 4)));
        }
    return tile;
}

QImage Marble(const QColor& base, std::uint32_t seed) {
    QImage tile(kTile, kTile, QImage::Format_RGB32);
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            const qreal v = std::sin(2 * M_PI * (x + y) / kTile + 3 * Waves(x, y, seed));
            tile.setPixel(
                x, y,
                Shade(base, qRound(std::pow(std::abs(v), 6) * 38 + Waves(y, x, seed + 1) * 6)));
        }
    return tile;
}

QImage Painted(const QColor& base, const std::function<void(QPainter&)>& draw) {
    QImage tile(kTile, kTile, QImage::Format_RGB32);
    tile.fill(base);
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);
    // Everything is drawn a second time one tile over in each direction, so that shapes cut
    // by one edge continue at the opposite edge.
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            p.save();
            p.translate(dx * kTile, dy * kTile);
            draw(p);
            p.restore();
        }
    return tile;
}

QImage Argyle(const QColor& base, const QColor& ink) {
    return Painted(base, [&](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        for (int i = 0; i < 2; ++i) {
            QPainterPath d;
            const qreal cx = i * 64 + 32, cy = i * 64 + 32;
            d.moveTo(cx, cy - 32);
            d.lineTo(cx + 32, cy);
            d.lineTo(cx, cy + 32);
            d.lineTo(cx - 32, cy);
            d.closeSubpath();
            p.drawPath(d);
        }
        p.setPen(QPen(ink.lighter(140), 1.0, Qt::DashLine));
        p.drawLine(0, 0, 128, 128);
        p.drawLine(0, 128, 128, 0);
        p.drawLine(-64, 64, 64, -64);
        p.drawLine(64, 192, 192, 64);
    });
}

QImage Dots(const QColor& base, const QColor& ink, qreal radius) {
    return Painted(base, [&](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                p.drawEllipse(QPointF(x * 32 + (y % 2) * 16, y * 32), radius, radius);
    });
}

QImage Tiles(const QColor& base, const QColor& joint) {
    return Painted(base, [&](QPainter& p) {
        p.setPen(QPen(joint, 2));
        p.setBrush(Qt::NoBrush);
        for (int y = 0; y < 4; ++y) {
            p.drawLine(0, y * 32, 128, y * 32);
            for (int x = 0; x < 4; ++x)
                p.drawLine(x * 32 + (y % 2) * 16, y * 32, x * 32 + (y % 2) * 16, y * 32 + 32);
        }
    });
}

QImage Quilt(const QColor& base, const QColor& seam) {
    return Painted(base, [&](QPainter& p) {
        p.setPen(QPen(seam, 1.2, Qt::DashLine));
        for (int k = -128; k <= 128; k += 32) {
            p.drawLine(k, 0, k + 128, 128);
            p.drawLine(k + 128, 0, k, 128);
        }
    });
}

QImage Weave(const QColor& base) {
    QImage tile(kTile, kTile, QImage::Format_RGB32);
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            const bool across = ((x / 8) + (y / 8)) % 2 == 0;
            const int along = across ? x % 8 : y % 8;
            const int side = across ? y % 8 : x % 8;
            const int shade = -std::abs(side - 4) * 4 + (along == 0 ? -12 : 0);
            tile.setPixel(x, y, Shade(base, shade + (across ? 6 : -6)));
        }
    return tile;
}

QImage Stars(const QColor& base, std::uint32_t seed) {
    QImage tile = Felt(base, seed, 3);
    std::mt19937 rng(seed);
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 26; ++i) {
        const QPointF c(rng() % kTile, rng() % kTile);
        const qreal r = 0.5 + (rng() % 10) / 8.0;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 240, 120 + static_cast<int>(rng() % 120)));
        p.drawEllipse(c, r, r);
    }
    return tile;
}

QImage Suits(const QColor& base, const QColor& ink) {
    return Painted(base, [&](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                p.drawPath(SuitPath(kSuits[(x + y) % 4],
                                    QRectF(x * 32 + 10 + (y % 2) * 16, y * 32 + 10, 12, 12)));
    });
}

QImage VerticalGradient(const QColor& top, const QColor& bottom) {
    QImage strip(8, 2000, QImage::Format_RGB32);
    for (int y = 0; y < strip.height(); ++y) {
        const qreal t = qreal(y) / (strip.height() - 1);
        const QRgb c = qRgb(qRound(top.red() + (bottom.red() - top.red()) * t),
                            qRound(top.green() + (bottom.green() - top.green()) * t),
                            qRound(top.blue() + (bottom.blue() - top.blue()) * t));
        for (int x = 0; x < strip.width(); ++x)
            strip.setPixel(x, y, c);
    }
    return strip;
}

} // namespace

void GenerateBackgrounds(ModuleOutput& out) {
    std::vector<QImage> pictures;
    // Plain colours.
    for (const QColor& c :
         {QColor(0, 96, 0), QColor(0, 128, 0), QColor(20, 70, 40), QColor(16, 60, 110),
          QColor(0, 80, 96), QColor(110, 20, 30), QColor(70, 30, 90), QColor(60, 60, 64),
          QColor(30, 30, 34), QColor(120, 90, 50), QColor(96, 120, 140), QColor(150, 140, 110)}) {
        QImage tile(32, 32, QImage::Format_RGB32);
        tile.fill(c);
        pictures.push_back(tile);
    }
    // Textures.
    pictures.push_back(Felt(QColor(20, 110, 50), 11, 7));
    pictures.push_back(Felt(QColor(24, 70, 130), 12, 7));
    pictures.push_back(Felt(QColor(130, 28, 36), 13, 7));
    pictures.push_back(Felt(QColor(70, 74, 80), 14, 6));
    pictures.push_back(Linen(QColor(200, 190, 160), 21));
    pictures.push_back(Linen(QColor(60, 90, 70), 22));
    pictures.push_back(Wood(QColor(120, 74, 40), 31));
    pictures.push_back(Wood(QColor(170, 120, 70), 32));
    pictures.push_back(Argyle(QColor(30, 90, 60), QColor(40, 110, 74)));
    pictures.push_back(Argyle(QColor(40, 50, 100), QColor(54, 66, 124)));
    pictures.push_back(Dots(QColor(16, 100, 60), QColor(30, 120, 76), 6));
    pictures.push_back(Dots(QColor(90, 30, 40), QColor(110, 44, 54), 3));
    pictures.push_back(Tiles(QColor(150, 130, 100), QColor(120, 100, 76)));
    pictures.push_back(Quilt(QColor(30, 80, 120), QColor(80, 130, 170)));
    pictures.push_back(Quilt(QColor(120, 40, 60), QColor(170, 90, 110)));
    pictures.push_back(Marble(QColor(60, 100, 80), 41));
    pictures.push_back(Marble(QColor(90, 90, 100), 42));
    pictures.push_back(Weave(QColor(40, 100, 70)));
    pictures.push_back(Stars(QColor(16, 24, 60), 51));
    pictures.push_back(Suits(QColor(0, 100, 40), QColor(20, 120, 60)));
    // Gradients from top to bottom.
    const std::pair<QColor, QColor> gradients[] = {
        {QColor(30, 140, 60), QColor(4, 40, 16)},     {QColor(40, 110, 180), QColor(6, 24, 60)},
        {QColor(170, 40, 50), QColor(40, 6, 10)},     {QColor(110, 60, 150), QColor(24, 8, 40)},
        {QColor(20, 140, 140), QColor(4, 36, 40)},    {QColor(120, 120, 130), QColor(20, 20, 24)},
        {QColor(200, 150, 80), QColor(70, 40, 14)},   {QColor(250, 180, 120), QColor(90, 40, 90)},
        {QColor(140, 200, 240), QColor(30, 90, 160)}, {QColor(20, 60, 30), QColor(60, 150, 80)},
        {QColor(12, 12, 40), QColor(40, 60, 120)},    {QColor(0, 96, 0), QColor(0, 0, 0)},
    };
    for (const auto& [top, bottom] : gradients)
        pictures.push_back(VerticalGradient(top, bottom));

    for (std::size_t i = 0; i < pictures.size(); ++i)
        out.SavePicture(BackgroundName(static_cast<int>(i) + 1), pictures[i]);
}

} // namespace quendra::imagegen
