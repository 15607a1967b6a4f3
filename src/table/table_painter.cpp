#include "table_painter.h"

#include "families.h"
#include "families_poker.h"
#include "game_params.h"
#include "layout.h"
#include "new_game.h"
#include "poker.h"
#include "quilt_geometry.h"
#include "settings.h"
#include "table_choices.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <utility>

#include <QFile>
#include <QFont>
#include <QPainter>
#include <QRegion>

namespace quendra {
namespace {

constexpr int kLittleCardWidth = 25;
// The most pixels of one band Render draws at a time (1920 x 64 rows, 480 KB): the raster
// engine fills and copies bands this low on the calling thread, without waking its workers.
constexpr int kRenderBandPixels = 1920 * 64;
const QColor kSilver(192, 192, 192);
const QColor kPauseGreen(0, 128, 0);

QRect ToQRect(const TableRect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

QFont LabelFont(bool bold) {
    QFont font;
    font.setFamilies({"MS Sans Serif", "DejaVu Sans", "Sans Serif"});
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

bool FaceUp(const GameContext& ctx, int card) {
    return card >= 1 && card <= CardTable::kRecords && ctx.cardTable.Face(card) == '1';
}

// The vertical gradient: 256 bands from the top colour to black at the bottom.
constexpr int kGradientBands = 256;

int BandTop(int band, int height) {
    return static_cast<int>(band * (height / static_cast<double>(kGradientBands)));
}

QColor BandColour(const QColor& colour, int band) {
    const double f = (kGradientBands - 1 - band) / static_cast<double>(kGradientBands - 1);
    return QColor(static_cast<int>(colour.red() * f), static_cast<int>(colour.green() * f),
                  static_cast<int>(colour.blue() * f));
}

// The band holding row y (logical, fractions at a high density) of a gradient `height` tall.
int BandAt(double y, int height) {
    int band = std::clamp(static_cast<int>(y * kGradientBands / height), 0, kGradientBands - 1);
    while (band > 0 && y < BandTop(band, height))
        --band;
    while (band < kGradientBands - 1 && y >= BandTop(band + 1, height))
        ++band;
    return band;
}

// The bands of the gradient that cross `area`.
void PaintGradient(QPainter& p, const QRect& area, int height, const QColor& colour) {
    if (height < 1) return;
    const int first = BandAt(area.top(), height), last = BandAt(area.bottom(), height);
    for (int band = first; band <= last; ++band) {
        const int top = BandTop(band, height), bottom = BandTop(band + 1, height);
        if (bottom <= top) continue;
        p.fillRect(QRect(area.left(), top, area.width(), bottom - top) & area,
                   BandColour(colour, band));
    }
}

// The copies of a tiled picture that cross `area`.
void Tile(QPainter& p, const QImage& picture, const QRect& area) {
    const QSizeF size = picture.deviceIndependentSize();
    if (size.width() < 1 || size.height() < 1) return;
    const qreal left = std::floor(area.left() / size.width()) * size.width();
    const qreal top = std::floor(area.top() / size.height()) * size.height();
    for (qreal y = top; y < area.top() + area.height(); y += size.height())
        for (qreal x = left; x < area.left() + area.width(); x += size.width())
            p.drawImage(QPointF(x, y), picture);
}

// A picture over pixels that `pixels` owns: each such picture keeps them alive, and none of them
// copies them when it is drawn into, as a picture whose pixels another one shares would.
QImage OverPixels(const std::shared_ptr<uchar[]>& pixels, const QSize& size, qreal ratio) {
    auto* keep = new std::shared_ptr<uchar[]>(pixels);
    QImage image(
        keep->get(), size.width(), size.height(), size.width() * 4,
        QImage::Format_ARGB32_Premultiplied,
        [](void* info) { delete static_cast<std::shared_ptr<uchar[]>*>(info); }, keep);
    image.setDevicePixelRatio(ratio);
    return image;
}

} // namespace

TablePainter::TablePainter(GameContext& ctx, const ImagesModule& module, const CardImages& cards)
    : ctx_(ctx), module_(module), cards_(cards) {}

void TablePainter::Resize(int width, int height, qreal devicePixelRatio) {
    dpr_ = devicePixelRatio > 1.0 ? 2.0 : 1.0;
    size_ = QSize(width, height);
    origin_ = QPoint(0, 0);
    if (keepPicture_) {
        const QSize device(qRound(width * dpr_), qRound(height * dpr_));
        const std::shared_ptr<uchar[]> pixels(
            new uchar[static_cast<std::size_t>(device.width()) * device.height() * 4]);
        table_ = OverPixels(pixels, device, dpr_);
        shown_ = OverPixels(pixels, device, dpr_);
    } else {
        table_ = QImage();
        shown_ = QImage();
    }
    DrawBackground();
}

void TablePainter::KeepPicture(bool keep) {
    if (keep == keepPicture_) return;
    keepPicture_ = keep;
    if (!size_.isEmpty()) Resize(size_.width(), size_.height(), dpr_);
}

bool TablePainter::Begin(QPainter& p) {
    if (table_.isNull()) return false;
    p.begin(&table_);
    p.translate(-origin_);
    return true;
}

bool TablePainter::Begin(QPainter& p, const QRect& area) {
    if (table_.isNull()) return false;
    if (!area.intersects(QRect(origin_, table_.deviceIndependentSize().toSize()))) return false;
    return Begin(p);
}

QPoint TablePainter::DevicePixel(int x, int y, int dx, int dy) const {
    const int scale = qRound(dpr_);
    return QPoint((x - origin_.x()) * scale + dx, (y - origin_.y()) * scale + dy);
}

void TablePainter::Render(QPainter& target, const QRect& tableArea) {
    const QRect area = tableArea & QRect(QPoint(0, 0), size_);
    if (area.isEmpty()) return;
    // The band drawn into and what the drawing records are the painter's own: they are put
    // back as they were.
    QImage keptTarget;
    keptTarget.swap(table_);
    const QPoint keptOrigin = origin_;
    std::vector<QRect> keptDirty;
    keptDirty.swap(dirty_);
    const int keptEdge = lowestEdge_;
    const bool keptRendering = rendering_;
    rendering_ = true;
    const int keptLowestPoint = ctx_.play.lowestDrawnPoint;
    const std::int16_t keptScroll = ctx_.mainGame.ScrollY();
    // Bands of a bounded height keep the memory of a whole-window repaint small; each is
    // drawn a row taller on both sides and clipped to its own rows, so that a scaled view
    // samples its edges from the table as a whole picture would have them.
    const int rows = std::min(area.height(), std::max(1, kRenderBandPixels / std::max(1, area.width())));
    // One picture for all the bands (the last one may use only its top).
    table_ = QImage(QSize(area.width() + 2, rows + 2) * dpr_, QImage::Format_ARGB32_Premultiplied);
    table_.setDevicePixelRatio(dpr_);
    // The faces are cut once for all the bands.
    PrepareCardFaces();
    for (int top = area.top(); top <= area.bottom(); top += rows) {
        const QRect band(area.left(), top, area.width(), std::min(rows, area.bottom() + 1 - top));
        const QRect drawn = band.adjusted(-1, -1, 1, 1) & QRect(QPoint(0, 0), size_);
        origin_ = drawn.topLeft();
        DrawTable();
        target.save();
        target.setClipRect(band, Qt::IntersectClip);
        target.drawImage(drawn.topLeft(), table_,
                         QRectF(QPointF(0, 0), QSizeF(drawn.size()) * dpr_));
        target.restore();
    }
    rendering_ = keptRendering;
    table_.swap(keptTarget);
    origin_ = keptOrigin;
    dirty_.swap(keptDirty);
    lowestEdge_ = keptEdge;
    ctx_.play.lowestDrawnPoint = keptLowestPoint;
    ctx_.mainGame.ScrollY() = keptScroll;
}

QImage TablePainter::RenderImage() {
    if (keepPicture_) return shown_.copy();
    QImage image(size_ * dpr_, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr_);
    QPainter p(&image);
    Render(p, QRect(QPoint(0, 0), size_));
    return image;
}

void TablePainter::SetPerPileFanModes(const PerPileFanModes& modes) {
    perPile_ = modes;
    hasPerPile_ = true;
}

FanOptions TablePainter::Options() const {
    FanOptions options;
    if (hasPerPile_) options.perPile = &perPile_;
    options.crooked = &crooked_;
    return options;
}

std::vector<TablePoint> TablePainter::Positions(PileRef pile) const {
    return CardPositions(ctx_, pile, Options());
}

int TablePainter::ScrollY() const {
    return ctx_.mainGame.values[TMainGame::kScrollY];
}

void TablePainter::Touch(const QRect& tableRect) {
    // What Render draws is no change.
    if (!tableRect.isEmpty() && !rendering_) dirty_.push_back(tableRect);
}

std::vector<QRect> TablePainter::TakeDirty() {
    std::vector<QRect> out;
    out.swap(dirty_);
    return out;
}

void TablePainter::RaiseEdge(int y, int height) {
    lowestEdge_ = std::max(lowestEdge_, y + height);
    ctx_.play.lowestDrawnPoint = lowestEdge_;
}

QSize TablePainter::LogicalSize() const {
    return size_;
}

void TablePainter::PaintBackground(QPainter& p, const QRect& area) const {
    const QRect inside = area & QRect(QPoint(0, 0), LogicalSize());
    if (inside.isEmpty()) return;
    p.save();
    p.setClipRect(inside);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    switch (look_.kind) {
    case BackgroundLook::Kind::Fill:
        p.fillRect(inside, look_.colour);
        break;
    case BackgroundLook::Kind::Gradient:
        PaintGradient(p, inside, look_.gradientHeight, look_.colour);
        break;
    case BackgroundLook::Kind::Picture:
        p.fillRect(inside, QColor(0, 96, 0));
        if (look_.tiled)
            Tile(p, look_.picture, inside);
        else
            p.drawImage(QPointF(0, 0), look_.picture);
        break;
    }
    p.restore();
}

QColor TablePainter::Background(int x, int tableY) const {
    const int px = qRound(x * dpr_), py = qRound((tableY - ScrollY()) * dpr_);
    if (px < 0 || py < 0 || px >= qRound(size_.width() * dpr_) ||
        py >= qRound(size_.height() * dpr_))
        return QColor(0, 96, 0);
    switch (look_.kind) {
    case BackgroundLook::Kind::Fill:
        return look_.colour;
    case BackgroundLook::Kind::Gradient:
        return BandColour(look_.colour, BandAt(py / dpr_, look_.gradientHeight));
    case BackgroundLook::Kind::Picture:
        break;
    }
    // A picture's pixel: the background painted into one pixel.
    QImage pixel(1, 1, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&pixel);
    p.translate(-px, -py);
    p.scale(dpr_, dpr_);
    PaintBackground(p, QRect(static_cast<int>(px / dpr_), static_cast<int>(py / dpr_), 1, 1));
    p.end();
    return QColor::fromRgba(pixel.pixel(0, 0));
}

void TablePainter::RestoreFromBackground(const QRect& tableRect) {
    if (tableRect.isEmpty() || size_.isEmpty()) return;
    QPainter p;
    if (Begin(p, tableRect)) {
        p.translate(0, ScrollY());
        PaintBackground(p, tableRect.translated(0, -ScrollY()));
    }
    Touch(tableRect);
}

void TablePainter::DrawImageAt(const QImage& image, const QRect& target) {
    if (image.isNull() || size_.isEmpty()) return;
    QPainter p;
    if (Begin(p, target)) p.drawImage(target, image);
    Touch(target);
}

// Draws a card picture (only its top `height` rows) with round corners: the corner pixel and
// its two neighbours along the edges (only the corner pixel of little cards) keep the colour
// of what lay under them.
void TablePainter::DrawFace(const QImage& upright, int x, int y, int height, Corners corners,
                            bool sideways) {
    if (upright.isNull() || size_.isEmpty()) return;
    QImage image = upright;
    if (sideways) {
        image = upright.transformed(QTransform().rotate(90));
        image.setDevicePixelRatio(upright.devicePixelRatio());
    }
    const int cw = ctx_.geometry.CardWidth, ch = ctx_.geometry.CardHeight;
    const int w = sideways ? ch : cw, h = sideways ? cw : std::min<int>(height, ch);
    if (w <= 0 || h <= 0) return;
    QPainter p;
    if (!Begin(p, QRect(x, y, w, h))) {
        // Nothing drawn here: only what changed is recorded.
        Touch(QRect(x, y, w, h));
        RaiseEdge(y, h);
        return;
    }
    const bool little = w <= kLittleCardWidth;
    const bool whole = sideways || h == ch;
    struct Corner {
        int cx, cy;
        bool right, bottom;
    };
    Corner list[12];
    int n = 0;
    auto add = [&](int cx, int cy, int dx, int dy, bool right, bool bottom) {
        list[n++] = {cx, cy, right, bottom};
        if (!little) {
            list[n++] = {cx + dx, cy, right, bottom};
            list[n++] = {cx, cy + dy, right, bottom};
        }
    };
    add(0, 0, 1, 1, false, false);
    add(w - 1, 0, -1, 1, true, false);
    if (whole) {
        add(0, h - 1, 1, -1, false, true);
        add(w - 1, h - 1, -1, -1, true, true);
    }
    const int scale = qRound(dpr_);
    QRgb under[12 * 4];
    int k = 0;
    for (int c = 0; c < n; ++c)
        for (int dy = 0; dy < scale; ++dy)
            for (int dx = 0; dx < scale; ++dx, ++k) {
                const QPoint at = DevicePixel(x + list[c].cx, y + list[c].cy, dx, dy);
                under[k] = table_.valid(at) ? table_.pixel(at) : 0;
            }
    const QRectF source(0, 0, image.width(), h * image.devicePixelRatio());
    p.drawImage(QRectF(x, y, w, h), image, source);
    p.end();
    // A device pixel ratio of 2 rounds the corners on a finer grid: only the outer device
    // pixels of each logical corner pixel are replaced, so the curve stays smooth.
    k = 0;
    for (int c = 0; c < n; ++c) {
        const Corner& corner = list[c];
        for (int dy = 0; dy < scale; ++dy)
            for (int dx = 0; dx < scale; ++dx, ++k) {
                const QPoint at = DevicePixel(x + corner.cx, y + corner.cy, dx, dy);
                if (!table_.valid(at)) continue;
                if (scale > 1 && c % 3 != 0 && !little) {
                    // Edge neighbours at 2x: keep the inner half of the pixel.
                    const bool outerX = corner.right ? dx == scale - 1 : dx == 0;
                    const bool outerY = corner.bottom ? dy == scale - 1 : dy == 0;
                    if (!(outerX && outerY)) continue;
                }
                QRgb colour = under[k];
                if (corners == Corners::Background)
                    colour = Background(x + corner.cx, y + corner.cy).rgb();
                if (corners == Corners::SilverBottomRight && corner.right && corner.bottom)
                    colour = kSilver.rgb();
                table_.setPixel(at, colour);
            }
    }
    Touch(QRect(x, y, w, h));
    RaiseEdge(y, h);
}

void TablePainter::DrawCard(int card, int x, int y, int /*group*/) {
    if (card < 1) return;
    DrawFace(cards_.Card(CardImageNumber(card), dpr_), x, y, ctx_.geometry.CardHeight,
             Corners::Under);
}

void TablePainter::DrawBack(int x, int y, int height) {
    DrawFace(cards_.Back(dpr_), x, y, height, Corners::Under);
}

void TablePainter::DrawEmptyMark(const std::string& mark, int x, int y) {
    const QRect area(x, y, ctx_.geometry.CardWidth, ctx_.geometry.CardHeight);
    RestoreFromBackground(area);
    if (mark.empty()) return;
    DrawImageAt(cards_.EmptyMark(QString::fromStdString(mark), dpr_), area);
    RaiseEdge(y, area.height());
}

bool TablePainter::ShowsBack(PileRef pile, int card) const {
    if (pile == pile::Stock(kMazzo) && ctx_.Param(param::kStockFaceDown) != 0) return true;
    if (pile == pile::Stock(kMazzoVis) && ctx_.Param(param::kWasteCardsMovable) != 0) return true;
    return !FaceUp(ctx_, card);
}

void TablePainter::PrepareCardFaces() {
    std::vector<int> faces;
    const auto take = [&](PileRef pile) {
        if (!PileHasPlace(ctx_, pile)) return;
        const std::string& cards = ctx_.table.Pile(pile);
        for (int k = 0; k < PileCardCount(cards); ++k)
            if (const int card = PileCardAt(cards, k); card >= 1 && !ShowsBack(pile, card))
                faces.push_back(CardImageNumber(card));
    };
    for (int i = 0; i < kStockPiles; ++i)
        take(pile::Stock(i));
    for (int i = 0; i < kDestPiles; ++i)
        take(pile::Dest(i));
    for (int i = 0; i < kFilaPiles; ++i)
        take(pile::Fila(i));
    for (int i = 0; i < kAppoggPiles; ++i)
        take(pile::Appogg(i));
    cards_.Prepare(faces, dpr_);
}

void TablePainter::DrawCardAt(PileRef pile, int card, const TablePoint& at, bool top) {
    if (card < 1) return;
    const bool thick =
        top && HasThickness(ctx_, pile) &&
        PileThickness(PileCardCount(ctx_.table.Pile(pile)), pile.group == PileGroupId::Stock) > 0;
    const Corners corners = thick ? Corners::SilverBottomRight : Corners::Under;
    const QImage image =
        ShowsBack(pile, card) ? cards_.Back(dpr_) : cards_.Card(CardImageNumber(card), dpr_);
    // A card of the quilt lies sideways by its place in its row.
    const std::string& cards = ctx_.table.Pile(pile);
    int position = -1;
    for (int k = 0; k < PileCardCount(cards) && position < 0; ++k)
        if (PileCardAt(cards, k) == card) position = k;
    const bool sideways = position >= 0 && CardLiesSideways(ctx_, pile, position);
    DrawFace(image, at.x, at.y, ctx_.geometry.CardHeight, corners, sideways);
}

bool TablePainter::DrawPileThickness(PileRef pile, bool force) {
    if (!PileHasPlace(ctx_, pile) || !HasThickness(ctx_, pile)) return false;
    const bool stock = pile.group == PileGroupId::Stock;
    const int t = PileThickness(PileCardCount(ctx_.table.Pile(pile)), stock);
    const HomePosition home = HomePositionOf(ctx_, pile);
    if (PileX(ctx_, pile) == home.x - t && PileY(ctx_, pile) == home.y - t && !force) return false;
    SetPilePosition(ctx_, pile, home.x - t, home.y - t);
    const int cw = ctx_.geometry.CardWidth, ch = ctx_.geometry.CardHeight;
    const int m = stock ? kMaxStockThickness : kMaxFoundationThickness;
    const QImage across = cards_.Edge(2), down = cards_.Edge(1);
    QPainter p;
    if (Begin(p, QRect(home.x - 13, home.y - 13, cw + 14, ch + 14))) {
        if (!across.isNull())
            p.drawImage(QRect(home.x - 13, home.y + ch - t - 1, cw + 11, t + 1), across,
                        QRect(0, 15 - t, cw + 11, t + 1));
        if (!down.isNull())
            p.drawImage(QRect(home.x + cw - t - 1, home.y - 13, t + 1, ch + 13), down,
                        QRect(15 - t, 0, t + 1, ch + 13));
        p.end();
    }
    Touch(QRect(home.x - 13, home.y - 13, cw + 14, ch + 14));
    RestoreFromBackground(QRect(home.x - m, home.y - m, cw + m + 1, m - t + 1));
    RestoreFromBackground(QRect(home.x - m, home.y - m + 1, m - t + 1, m + ch));
    return true;
}

void TablePainter::DrawPileTop(PileRef pile) {
    if (!PileHasPlace(ctx_, pile)) return;
    const std::string& cards = ctx_.table.Pile(pile);
    const int count = PileCardCount(cards);
    if (HasThickness(ctx_, pile)) DrawPileThickness(pile, true);
    if (count == 0) {
        DrawEmptyMark(EmptyMarkFor(ctx_, pile), PileX(ctx_, pile), PileY(ctx_, pile));
        return;
    }
    const std::vector<TablePoint> places = Positions(pile);
    DrawCardAt(pile, PileTopCard(cards), places.back(), true);
    if (pile.group == PileGroupId::Dest && count == 1) {
        const HomePosition home = HomePositionOf(ctx_, pile);
        DrawFace(cards_.Card(CardImageNumber(PileTopCard(cards)), dpr_), home.x, home.y,
                 ctx_.geometry.CardHeight, Corners::Background);
    }
}

void TablePainter::DrawPile(PileRef pile) {
    if (!PileHasPlace(ctx_, pile)) return;
    if (HasThickness(ctx_, pile)) {
        DrawPileTop(pile);
        return;
    }
    const std::string& cards = ctx_.table.Pile(pile);
    const int count = PileCardCount(cards);
    if (count == 0) {
        DrawEmptyMark(EmptyMarkFor(ctx_, pile), PileX(ctx_, pile), PileY(ctx_, pile));
        return;
    }
    const std::vector<TablePoint> places = Positions(pile);
    for (int k = 0; k < count; ++k)
        DrawCardAt(pile, PileCardAt(cards, k), places[static_cast<std::size_t>(k)], k == count - 1);
}

void TablePainter::DrawStockAndFoundations() {
    for (int i = 0; i < kStockPiles; ++i)
        DrawPile(pile::Stock(i));
    for (int i = 0; i < kDestPiles; ++i)
        DrawPile(pile::Dest(i));
}

void TablePainter::DrawTable() {
    ctx_.mainGame.ScrollY() = 0;
    lowestEdge_ = 0;
    crooked_ = FanJitter(ctx_);
    if (!rendering_) PrepareCardFaces();
    DrawBackground();
    DrawStockAndFoundations();
    for (int i = 0; i < kAppoggPiles; ++i)
        DrawPile(pile::Appogg(i));
    if (ctx_.Param(24) != 0) {
        for (int i = 0; i < kFilaPiles; ++i)
            DrawPile(pile::Fila(i));
    } else {
        // In rounds: card r of every pile, pile by pile.
        std::vector<std::vector<TablePoint>> places(kFilaPiles);
        int deepest = 0;
        for (int i = 0; i < kFilaPiles; ++i) {
            const PileRef pile = pile::Fila(i);
            if (!PileHasPlace(ctx_, pile)) continue;
            places[static_cast<std::size_t>(i)] = Positions(pile);
            if (places[static_cast<std::size_t>(i)].empty())
                DrawEmptyMark(EmptyMarkFor(ctx_, pile), PileX(ctx_, pile), PileY(ctx_, pile));
            deepest =
                std::max(deepest, static_cast<int>(places[static_cast<std::size_t>(i)].size()));
        }
        for (int r = 0; r < deepest; ++r)
            for (int i = 0; i < kFilaPiles; ++i) {
                const auto& pilePlaces = places[static_cast<std::size_t>(i)];
                if (r >= static_cast<int>(pilePlaces.size())) continue;
                const std::string& cards = ctx_.table.FilaGroup[static_cast<std::size_t>(i)];
                DrawCardAt(pile::Fila(i), PileCardAt(cards, r),
                           pilePlaces[static_cast<std::size_t>(r)],
                           r + 1 == static_cast<int>(pilePlaces.size()));
            }
    }
    DrawFamilyLabels();
    HighlightFoundations(-1);
    if (ShowsSelectionMarks(ctx_) && !ctx_.table.DestGroup[0].empty()) ShowSelection();
    dirty_.clear();
    Touch(QRect(QPoint(0, 0), size_));
}

void TablePainter::RedrawChangedPile(PileRef pile, const std::string& oldCards) {
    if (!PileHasPlace(ctx_, pile)) return;
    std::string& cards = ctx_.table.Pile(pile);
    const std::string now = cards;
    if (HasThickness(ctx_, pile)) {
        DrawPileTop(pile);
        return;
    }
    const int oldCount = PileCardCount(oldCards);
    const bool extended = oldCount > 0 && now.size() > oldCards.size() &&
                          now.compare(0, oldCards.size(), oldCards) == 0;
    if (extended) {
        const std::vector<TablePoint> places = Positions(pile);
        const int count = PileCardCount(now);
        for (int k = oldCount; k < count; ++k)
            DrawCardAt(pile, PileCardAt(now, k), places[static_cast<std::size_t>(k)],
                       k == count - 1);
        return;
    }
    // Erase the old fan, then draw the pile again.
    cards = oldCards;
    TableRect old = PileRect(ctx_, pile, Options());
    cards = now;
    const TableRect fresh = PileRect(ctx_, pile, Options());
    QRect area(std::min(old.left, fresh.left) - 2, std::min(old.top, fresh.top),
               std::max(old.right, fresh.right) - std::min(old.left, fresh.left) + 4,
               std::max(old.bottom, fresh.bottom) - std::min(old.top, fresh.top));
    RestoreFromBackground(area);
    // The rows of a quilt closed up on a low table lie on one another: every row is drawn
    // again in its order, each over the row above it as when the table was drawn whole.
    if (pile.group == PileGroupId::Fila && IsQuiltTable(ctx_)) {
        for (int i = 0; i < kFilaPiles; ++i)
            DrawPile(pile::Fila(i));
        return;
    }
    DrawPile(pile);
    // Piles the erased area touched (crooked piles reach into their neighbours' margins).
    auto redrawTouched = [&](PileRef other) {
        if (other == pile || !PileHasPlace(ctx_, other)) return;
        if (ToQRect(PileRect(ctx_, other, Options())).intersects(area)) DrawPile(other);
    };
    for (int i = 0; i < kAppoggPiles; ++i)
        redrawTouched(pile::Appogg(i));
    for (int i = 0; i < kFilaPiles; ++i)
        redrawTouched(pile::Fila(i));
}

void TablePainter::DrawBackground() {
    if (size_.isEmpty()) return;
    const int width = LogicalSize().width(), height = LogicalSize().height();
    if (rendering_) {
        // A band of Render: the look chosen when the table was last drawn (its choice reads the
        // settings files).
        QPainter p;
        if (Begin(p)) PaintBackground(p, QRect(0, 0, width, height));
        return;
    }
    BackgroundChoice choice = ChooseBackground(
        ctx_.settings, ReadPreference(ctx_, "Customized_Background"), manyColours_);
    QImage picture;
    bool tiled = true;
    if (choice.kind == BackgroundChoice::Kind::Customised) {
        const std::string path = CustomisedBackgroundPath(ctx_, choice.customisedName);
        if (!choice.customisedName.empty() && QFile::exists(QString::fromStdString(path)))
            picture = QImage(QString::fromStdString(path));
        if (picture.isNull()) {
            // The picture is gone (or unreadable): go back to the default table and say so.
            // The settings change first: the message's event loop repaints the table.
            const std::string gone = choice.customisedName;
            SetSetting(ctx_.settings, field::kCustomizedBackground, "N");
            SetSetting(ctx_.settings, field::kBackgroundDefault, "Y");
            StorePreference(ctx_, "Background_def", "Y");
            StorePreference(ctx_, "Customized_Background", "");
            ctx_.host.ShowError("Customized background image not found: " + gone);
            choice = ChooseBackground(ctx_.settings, "", manyColours_);
        }
    } else if (choice.kind == BackgroundChoice::Kind::Picture) {
        picture = module_.LoadPicture(QString("B%1").arg(choice.picture, 3, 10, QChar('0')), dpr_);
        tiled = choice.tiled;
        if (picture.isNull()) { // a picture the module lacks: the default table
            choice = BackgroundChoice{};
            choice.green = manyColours_ ? 96 : 128;
        }
    }
    look_ = BackgroundLook{};
    look_.colour = QColor(choice.red, choice.green, choice.blue);
    if (!picture.isNull()) {
        look_.kind = BackgroundLook::Kind::Picture;
        look_.picture = picture;
        look_.tiled = tiled;
    } else if (choice.kind == BackgroundChoice::Kind::Colour && choice.fade) {
        look_.kind = BackgroundLook::Kind::Gradient;
        look_.gradientHeight = height + (scrollBarShown_ ? 80 : 1);
    }
    QPainter p;
    if (Begin(p)) PaintBackground(p, QRect(0, 0, width, height));
    Touch(QRect(0, 0, width, height));
}

void TablePainter::DrawHighlight(int foundation, int mark, const QColor& colour) {
    const PileRef pile = pile::Dest(foundation);
    const std::vector<TablePoint> places = Positions(pile);
    if (places.empty()) return;
    const TablePoint at = places.back();
    const QRect inside(at.x + 1, at.y + 1, ctx_.geometry.CardWidth - 2,
                       ctx_.geometry.CardHeight - 2);
    QPainter p;
    if (!Begin(p, inside)) {
        Touch(inside);
        return;
    }
    p.setPen(Qt::NoPen);
    switch (mark) {
    case highlight::kDots: {
        // A fine hatch; the corner pixels stay clear.
        QRegion region(inside);
        for (const QPoint& c :
             {inside.topLeft(), inside.topRight(), inside.bottomLeft(), inside.bottomRight()})
            region -= QRegion(c.x(), c.y(), 1, 1);
        p.setClipRegion(region);
        p.setBrush(QBrush(colour, Qt::Dense4Pattern));
        break;
    }
    case highlight::kSolid:
        p.setBrush(QBrush(colour, Qt::SolidPattern));
        break;
    case highlight::kDiagonal:
        p.setBrush(QBrush(colour, Qt::BDiagPattern));
        break;
    case highlight::kCross:
        p.setBrush(QBrush(colour, Qt::CrossPattern));
        break;
    case highlight::kDiagonalCross:
        p.setBrush(QBrush(colour, Qt::DiagCrossPattern));
        break;
    default:
        return;
    }
    p.drawRect(inside);
    Touch(inside);
}

void TablePainter::HighlightFoundations(int index) {
    // Render's bands take the mark and colour read when the table was last drawn.
    if (!rendering_) {
        highlightMark_ = HighlightFoundationsMark(ctx_);
        if (highlightMark_ != highlight::kNone) {
            const Rgb rgb = HighlightColour(
                ReadSettingInt(ctx_, "Preference", "HighLights_Foundations_Color", 0));
            highlightColour_ = QColor(rgb.red, rgb.green, rgb.blue);
        }
    }
    const int mark = highlightMark_;
    if (mark == highlight::kNone) return;
    const QColor colour = highlightColour_;
    for (int i = 0; i < kDestPiles; ++i) {
        if (index >= 0 && i != index) continue;
        if (!PileHasPlace(ctx_, pile::Dest(i)) || !FoundationComplete(ctx_, i)) continue;
        DrawHighlight(i, mark, colour);
    }
}

void TablePainter::ShowPauseScreen(int swing) {
    if (table_.isNull() || origin_ != QPoint(0, 0)) return;
    const int width = LogicalSize().width(), height = LogicalSize().height();
    look_ = BackgroundLook{};
    look_.colour = kPauseGreen;
    if (manyColours_) {
        look_.kind = BackgroundLook::Kind::Gradient;
        look_.gradientHeight = height + (scrollBarShown_ ? 80 : 1);
    }
    QPainter p(&table_);
    PaintBackground(p, QRect(0, 0, width, height));
    const QImage first = module_.LoadPicture("BMP_PAUSE_1", dpr_);
    const QImage second = module_.LoadPicture("BMP_PAUSE_2", dpr_);
    const QSizeF a = first.deviceIndependentSize(), b = second.deviceIndependentSize();
    const int top = std::max(100, static_cast<int>((height - a.height() - b.height() - 45) / 2));
    const int travel = PauseSwingRange();
    const qreal offset = std::clamp(swing, -travel, travel);
    if (!first.isNull()) p.drawImage(QPointF((width - a.width()) / 2 + offset, top), first);
    if (!second.isNull())
        p.drawImage(QPointF((width - b.width()) / 2, top + a.height() + 15), second);
    Touch(QRect(0, 0, width, height));
}

int TablePainter::PauseSwingRange() const {
    const QSize first = module_.LoadPicture("BMP_PAUSE_1").size();
    const QSize second = module_.LoadPicture("BMP_PAUSE_2").size();
    return std::max(0, (second.width() - first.width()) / 2);
}

void TablePainter::InvertCard(const QRect& card) {
    {
        QPainter p;
        if (!Begin(p, card)) {
            Touch(card);
            return;
        }
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.fillRect(card, Qt::white);
    }
    // The corners show the table, not its inverse.
    const int scale = qRound(dpr_);
    for (const QPoint& c : {card.topLeft(), card.topRight(), card.bottomLeft(), card.bottomRight()})
        for (int dy = 0; dy < scale; ++dy)
            for (int dx = 0; dx < scale; ++dx) {
                const QPoint at = DevicePixel(c.x(), c.y(), dx, dy);
                if (table_.valid(at)) table_.setPixel(at, Background(c.x(), c.y()).rgb());
            }
    Touch(card);
}

void TablePainter::ForEachSelectedCardPlace(
    const std::function<void(PileRef, int card, int position, bool top)>& visit) {
    const std::string selected = ctx_.table.DestGroup[0];
    for (int s = 0; s < PileCardCount(selected); ++s) {
        const int card = PileCardAt(selected, s);
        // Find the card at its place on the table.
        for (int g = 0; g < kSnapshotLines; ++g) {
            const PileRef pile = SnapshotLinePile(g);
            if (pile == pile::Dest(0) || !PileHasPlace(ctx_, pile)) continue;
            const std::string& cards = ctx_.table.Pile(pile);
            const int count = PileCardCount(cards);
            for (int k = 0; k < count; ++k)
                if (PileCardAt(cards, k) == card) visit(pile, card, k, k == count - 1);
        }
    }
}

void TablePainter::ShowSelection() {
    ForEachSelectedCardPlace([this](PileRef pile, int card, int position, bool top) {
        const TablePoint at = Positions(pile)[static_cast<std::size_t>(position)];
        DrawCardAt(pile, card, at, top);
        InvertCard(QRect(at.x, at.y, ctx_.geometry.CardWidth, ctx_.geometry.CardHeight));
    });
}

void TablePainter::ClearSelection() {
    ForEachSelectedCardPlace([this](PileRef pile, int card, int position, bool top) {
        DrawCardAt(pile, card, Positions(pile)[static_cast<std::size_t>(position)], top);
    });
    ctx_.table.DestGroup[0].clear();
}

void TablePainter::DrawLabel(const TableLabel& label) {
    if (label.restoreFirst) RestoreFromBackground(ToQRect(*label.restoreFirst));
    const QRect box = ToQRect(label.box);
    if (label.text.empty()) {
        RestoreFromBackground(box);
        return;
    }
    QPainter p;
    if (!Begin(p, box)) {
        Touch(box);
        return;
    }
    p.fillRect(box, Qt::white);
    p.setPen(Qt::black);
    p.setFont(LabelFont(label.bold));
    const QString text = QString::fromStdString(label.text);
    if (label.centred)
        p.drawText(box, Qt::AlignCenter, text);
    else
        p.drawText(QRect(label.textAt.x, box.top(), box.right() + 1 - label.textAt.x, box.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, text);
    Touch(box);
}

void TablePainter::InvertPileTop(PileRef pile) {
    const std::vector<TablePoint> places = Positions(pile);
    if (places.empty()) return;
    InvertCard(QRect(places.back().x, places.back().y, ctx_.geometry.CardWidth,
                     ctx_.geometry.CardHeight));
}

void TablePainter::DrawPokerPanel(const std::string& handName, const std::string& points,
                                  const std::string& total) {
    const QImage panel = module_.LoadPicture("Panel_pk", dpr_);
    if (panel.isNull() || !PileHasPlace(ctx_, pile::Stock(kMazzoVis)) ||
        !PileHasPlace(ctx_, pile::Fila(10)))
        return;
    const QSizeF size = panel.deviceIndependentSize();
    const TableRect r = PokerPanelRect(
        PileX(ctx_, pile::Stock(kMazzoVis)), PileY(ctx_, pile::Fila(10)), ctx_.geometry.CardWidth,
        ctx_.geometry.CardHeight, qRound(size.width()), qRound(size.height()));
    const QRect rect = ToQRect(r);
    const PokerPanelLayout places = PokerPanelTextPlaces(r);
    // The panel drawn again lies on the table, not on its last drawing.
    RestoreFromBackground(rect);
    QPainter p;
    if (!Begin(p, rect)) {
        Touch(rect);
        return;
    }
    p.drawImage(rect, panel);
    p.setPen(Qt::black);
    const QFontMetrics bold(LabelFont(true));
    auto line = [&](const TablePoint& at, const QString& text, bool isBold) {
        p.setFont(LabelFont(isBold));
        p.drawText(QPoint(at.x, at.y + bold.ascent()), text);
        return QFontMetrics(LabelFont(isBold)).horizontalAdvance(text);
    };
    line(places.handName, QString::fromStdString(handName), true);
    line(places.points, QString::fromStdString(points), false);
    p.fillRect(QRect(places.total.x, places.total.y, places.clearRightEdge - places.total.x,
                     bold.height()),
               Qt::white);
    const int used = line(places.total, "Total", true);
    line({places.total.x + used, places.total.y}, QString::fromStdString(total), false);
    Touch(rect);
}

void TablePainter::ShowScoredLine(const std::vector<PileRef>& piles, const std::string& hand,
                                  const std::string& points, const std::string& total) {
    scoredLine_ = piles;
    panelHand_ = hand;
    panelPoints_ = points;
    runningTotal_ = total;
    DrawPokerPanel(hand, points, total);
    for (const PileRef pile : piles)
        InvertPileTop(pile);
}

void TablePainter::EndScoredLine() {
    // Inverted twice, the cards are as they were.
    const std::vector<PileRef> piles = std::exchange(scoredLine_, {});
    runningTotal_.clear();
    for (const PileRef pile : piles)
        InvertPileTop(pile);
    DrawScoredGrid();
}

void TablePainter::DrawScoredGrid() {
    const int total = ctx_.Param(param::kFamily) == family::kPokerGrid
                          ? ScorePokerGrid(ctx_, 0).total
                          : CribbageGridTotal(ctx_);
    // A grid that scores nothing (a new deal, a move taken back) shows no hand.
    if (total == 0 && scoredLine_.empty()) {
        panelHand_.clear();
        panelPoints_.clear();
    }
    DrawPokerPanel(panelHand_, panelPoints_,
                   runningTotal_.empty() ? ": " + std::to_string(total) + " points"
                                         : runningTotal_);
    for (const PileRef pile : scoredLine_)
        InvertPileTop(pile);
}

void TablePainter::RedrawFoundationLabels(PileRef changed) {
    if (changed.group != PileGroupId::Dest) return;
    const int family = ctx_.Param(50);
    if (family != family::kStepLabels && family != family::kIndicatorLabels) return;
    const bool nextRank = family == family::kStepLabels;
    for (const TableLabel& label : nextRank ? NextRankLabels(ctx_) : NextSumLabels(ctx_))
        DrawLabel(label);
}

void TablePainter::DrawFamilyLabels() {
    auto all = [&](const std::vector<TableLabel>& labels) {
        for (const TableLabel& label : labels)
            DrawLabel(label);
    };
    switch (ctx_.Param(50)) {
    case family::kPokerGrid:
    case family::kCribbageSquare:
        DrawScoredGrid();
        break;
    case 10:
        all(NextRankLabels(ctx_));
        break;
    case 50:
        all(NextSumLabels(ctx_));
        break;
    case 23:
        DrawLabel(CycleCounterLabel(ctx_, cycleLog_));
        break;
    case 40:
        all(PileNumberLabels(ctx_));
        break;
    case 42:
        all(PileSizeLabels(ctx_));
        break;
    default:
        break;
    }
}

} // namespace quendra
