#include "game_previews.h"

#include "game_catalog.h"
#include "game_context.h"
#include "host.h"
#include "suit_paths.h"

#include <array>
#include <cstdio>

namespace quendra::imagegen {
namespace {

// The catalogue is read without anyone to show a message to.
class SilentHost : public Host {
  public:
    void ShowInformation(const std::string&) override {}
    void ShowError(const std::string& text) override {
        std::fprintf(stderr, "quendra-imagegen: %s\n", text.c_str());
    }
    bool Confirm(const std::string&) override { return false; }
    Answer AskYesNoCancel(const std::string&) override { return Answer::Cancel; }
    void Beep() override {}
    void BeginWait() override {}
    void EndWait() override {}
    bool ShowAdvice(const std::string&, int) override { return false; }
    int ScreenWidth() const override { return 1024; }
    int ScreenHeight() const override { return 768; }
};

constexpr int kWidth = 160;
constexpr int kHeight = 112;
constexpr qreal kCardW = 12, kCardH = 16;

struct PreviewShape {
    int tableau = 0;
    int foundations = 0;
    int reserves = 0;
    bool stock = false;
};

void MiniCard(QPainter& p, qreal x, qreal y, bool faceUp, int seed) {
    p.setPen(QPen(QColor(60, 60, 60), 0.6));
    p.setBrush(faceUp ? QColor(255, 255, 255) : QColor(40, 70, 160));
    p.drawRoundedRect(QRectF(x, y, kCardW, kCardH), 1.5, 1.5);
    if (faceUp) {
        const Suit suit = kSuits[seed % 4];
        p.setPen(Qt::NoPen);
        p.setBrush(IsRed(suit) ? QColor(210, 30, 40) : QColor(20, 20, 24));
        p.drawPath(SuitPath(suit, QRectF(x + 1.5, y + 1.5, 4.5, 4.5)));
    }
}

void EmptySlot(QPainter& p, qreal x, qreal y) {
    p.setPen(QPen(QColor(255, 255, 255, 140), 0.8));
    p.setBrush(QColor(255, 255, 255, 25));
    p.drawRoundedRect(QRectF(x, y, kCardW, kCardH), 1.5, 1.5);
}

void DrawPreview(QPainter& p, const PreviewShape& shape, int number) {
    // The ground: its top-left pixel is the colour made transparent, so the corners stay
    // square and the table gets a frame one pixel inside.
    p.fillRect(QRectF(0, 0, kWidth, kHeight), QColor(0, 128, 0));
    QLinearGradient felt(0, 0, 0, kHeight);
    felt.setColorAt(0, QColor(30, 130, 60));
    felt.setColorAt(1, QColor(10, 70, 30));
    p.setPen(QPen(QColor(10, 50, 20), 1.0));
    p.setBrush(felt);
    p.drawRoundedRect(QRectF(1.5, 1.5, kWidth - 3, kHeight - 3), 5, 5);

    const qreal gap = 3;
    qreal x = 8;
    const qreal top = 7;
    if (shape.stock) {
        MiniCard(p, x, top, false, 0);
        MiniCard(p, x + kCardW + gap, top, true, number);
        x += 2 * (kCardW + gap) + 6;
    }
    const int foundations = std::min(shape.foundations, 10);
    for (int i = 0; i < foundations; ++i) {
        const qreal fx = kWidth - 8 - (foundations - i) * (kCardW + gap);
        if (fx < x) continue;
        if (i % 3 == 0)
            MiniCard(p, fx, top, true, i);
        else
            EmptySlot(p, fx, top);
    }
    qreal rowTop = top + kCardH + 7;
    const int reserves = std::min(shape.reserves, 10);
    if (reserves > 0 && !shape.stock) {
        for (int i = 0; i < reserves && 8 + i * (kCardW + gap) < kWidth / 2.0; ++i)
            MiniCard(p, 8 + i * (kCardW + gap), top, true, i + number);
    } else if (reserves > 0) {
        for (int i = 0; i < reserves; ++i)
            MiniCard(p, 8 + i * (kCardW + gap), rowTop, true, i + 2);
        rowTop += kCardH + 6;
    }
    const int piles = std::clamp(shape.tableau, 0, 13);
    if (piles == 0) return;
    const qreal step = std::min<qreal>(kCardW + gap, (kWidth - 16.0) / piles);
    const qreal left = (kWidth - (piles - 1) * step - kCardW) / 2;
    for (int i = 0; i < piles; ++i) {
        const int cards = 3 + (i * 7 + number) % 4;
        for (int k = 0; k < cards; ++k) {
            const qreal y = rowTop + k * 6;
            if (y + kCardH > kHeight - 4) break;
            MiniCard(p, left + i * step, y, k >= cards - 2, i + k + number);
        }
    }
}

} // namespace

void GenerateGamePreviews(ModuleOutput& out, const FontFamilies&, const QString& gamesDat) {
    if (gamesDat.isEmpty()) return;
    SilentHost host;
    GameContext ctx(host);
    ctx.gamesFile = gamesDat.toStdString();
    if (!LoadGameList(ctx)) return;
    const std::array<int, 4> rows = {367, 366, 368, 9};
    for (const std::string& line : ctx.mainGame.GameList) {
        if (line.size() < 7) continue;
        const int number = std::atoi(line.substr(4, 3).c_str());
        const std::array<int, 9> values = ReadGameParams(ctx, number, rows);
        PreviewShape shape{std::max(values[0], 0), std::max(values[1], 0), std::max(values[2], 0),
                           values[3] == 1};
        out.Draw(QString("GAME%1").arg(number, 4, 10, QChar('0')), kWidth, kHeight,
                 [&](QPainter& p) { DrawPreview(p, shape, number); });
    }
}

} // namespace quendra::imagegen
