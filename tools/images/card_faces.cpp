#include "card_faces.h"

#include "cards.h"

#include "court_figure.h"

namespace quendra::imagegen {
namespace {

constexpr qreal kCornerRadius = 4.0;

QString RankText(int rank) { return QString::fromStdString(fnRankText(rank)); }

// Pip centres for ranks 2 to 10 as (column, row): columns 0, 1, 2 across; rows 0 (top) to 1
// (bottom). Pips in the lower half are drawn turned over.
struct Pip {
    int column;
    qreal row;
};

std::vector<Pip> PipLayout(int rank) {
    const Pip top{1, 0}, bottom{1, 1}, middle{1, 0.5};
    std::vector<Pip> pips;
    auto corners = [&] { pips.insert(pips.end(), {{0, 0}, {2, 0}, {0, 1}, {2, 1}}); };
    switch (rank) {
    case 2:
        pips = {top, bottom};
        break;
    case 3:
        pips = {top, middle, bottom};
        break;
    case 4:
        corners();
        break;
    case 5:
        corners();
        pips.push_back(middle);
        break;
    case 6:
        corners();
        pips.insert(pips.end(), {{0, 0.5}, {2, 0.5}});
        break;
    case 7:
        corners();
        pips.insert(pips.end(), {{0, 0.5}, {2, 0.5}, {1, 0.25}});
        break;
    case 8:
        corners();
        pips.insert(pips.end(), {{0, 0.5}, {2, 0.5}, {1, 0.25}, {1, 0.75}});
        break;
    case 9:
        corners();
        pips.insert(pips.end(), {{0, 1.0 / 3}, {2, 1.0 / 3}, {0, 2.0 / 3}, {2, 2.0 / 3}, middle});
        break;
    case 10:
        corners();
        pips.insert(
            pips.end(),
            {{0, 1.0 / 3}, {2, 1.0 / 3}, {0, 2.0 / 3}, {2, 2.0 / 3}, {1, 1.0 / 6}, {1, 5.0 / 6}});
        break;
    default:
        break;
    }
    return pips;
}

void TurnOver(QPainter& p, const QPointF& centre) {
    p.translate(centre);
    p.rotate(180);
    p.translate(-centre);
}

// The corner index: the rank with its suit beside it, so that both show in a pile fanned
// downwards; drawn at the top left and, turned over, at the bottom right.
void DrawIndex(QPainter& p, const FaceStyle& style, Suit suit, int rank) {
    const QColor colour = style.SuitColour(suit);
    const QString text = RankText(rank);
    const qreal inkHeight = style.indexHeight;
    const QFont font = MakeFont(style.indexFamily, 40, true);
    // "10" is narrowed to keep the suit close.
    const qreal maxWidth = text.size() > 1 ? inkHeight * 1.25 : inkHeight * 1.05;
    const qreal x = 3.5;
    const qreal y = 3.0;
    QPainterPath rankPath = TextAt(font, text, x, y, inkHeight, maxWidth);
    const qreal suitSize = inkHeight * 0.78;
    const QRectF suitBox(rankPath.boundingRect().right() + 1.6, y, suitSize, suitSize);
    const QPainterPath suitPath = SuitPath(suit, suitBox);

    for (int corner = 0; corner < 2; ++corner) {
        p.save();
        if (corner == 1) TurnOver(p, QPointF(35.5, 48));
        if (style.indexOnTag) {
            const QRectF tag = rankPath.boundingRect()
                                   .united(suitPath.boundingRect())
                                   .adjusted(-2, -1.6, 1.6, 1.6);
            p.setPen(Qt::NoPen);
            p.setBrush(colour);
            p.drawRoundedRect(tag, 2.4, 2.4);
            p.setBrush(style.face);
            p.drawPath(rankPath);
            p.drawPath(suitPath);
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(colour);
            p.drawPath(rankPath);
            p.drawPath(suitPath);
        }
        p.restore();
    }
}

void DrawPips(QPainter& p, const FaceStyle& style, Suit suit, int rank) {
    const qreal columns[] = {19.5, 35.5, 51.5};
    const qreal top = rank >= 9 ? 25 : 26, bottom = rank >= 9 ? 71 : 70;
    // Four rows of pips need smaller ones to keep apart.
    const qreal pipW = rank >= 9 ? 11.5 : 13.5, pipH = pipW;
    p.setPen(Qt::NoPen);
    p.setBrush(style.SuitColour(suit));
    for (const Pip& pip : PipLayout(rank)) {
        const QPointF centre(columns[pip.column], top + (bottom - top) * pip.row);
        p.save();
        if (pip.row > 0.5) TurnOver(p, centre);
        p.drawPath(
            SuitPath(suit, QRectF(centre.x() - pipW / 2, centre.y() - pipH / 2, pipW, pipH)));
        p.restore();
    }
}

void DrawBigSuit(QPainter& p, const FaceStyle& style, const FontFamilies& fonts, Suit suit,
                 int rank) {
    const QRectF box(35.5 - 19, 48 - 19, 38, 38);
    p.setPen(Qt::NoPen);
    p.setBrush(style.SuitColour(suit));
    const QPainterPath symbol = SuitPath(suit, box);
    p.drawPath(symbol);
    if (rank == 1) return;
    // The rank in white on the symbol's widest part.
    const qreal cy = suit == Suit::Spades ? 54 : suit == Suit::Clubs ? 48 : 45.5;
    const QRectF textBox(35.5 - 11, cy - 7, 22, 13);
    p.setBrush(style.face);
    p.drawPath(FittedText(MakeFont(fonts.sans, 40, true), RankText(rank), textBox));
}

void DrawAce(QPainter& p, const FaceStyle& style, Suit suit) {
    const qreal side = suit == Suit::Spades ? 40 : 34;
    const QRectF box(35.5 - side / 2, 48 - side / 2, side, side);
    p.setPen(Qt::NoPen);
    p.setBrush(style.SuitColour(suit));
    p.drawPath(SuitPath(suit, box));
    if (suit == Suit::Spades) {
        // The ace of spades gets a ring around its symbol.
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(style.frameColour, 1.0));
        p.drawEllipse(QPointF(35.5, 48), 24, 24);
        p.setPen(QPen(style.frameColour, 0.5));
        p.drawEllipse(QPointF(35.5, 48), 26, 26);
    }
}

void DrawInnerFrame(QPainter& p, const FaceStyle& style) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(style.frameColour, 0.8));
    p.drawRoundedRect(QRectF(2.5, 2.5, 66, 91), 3, 3);
}

void DrawLittleFace(QPainter& p, const FaceStyle& style, const FontFamilies& fonts, Suit suit,
                    int rank) {
    // Little cards show the rank and suit as large as the card allows.
    const QColor colour = style.SuitColour(suit);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    const QString text = RankText(rank);
    p.drawPath(TextAt(MakeFont(fonts.sans, 40, true), text, 2, 2, 11, text.size() > 1 ? 13 : 11));
    p.drawPath(SuitPath(suit, QRectF(6.5, 15, 12, 13)));
    if (rank > 10) {
        p.setBrush(style.trim);
        p.setPen(QPen(style.outline, 0.5));
        p.drawRect(QRectF(17, 3, 5, 3));
    }
}

} // namespace

void DrawCardBlank(QPainter& p, const CardSize& size, const QColor& face, const QColor& edge) {
    p.setPen(QPen(edge, 1.0));
    p.setBrush(face);
    const qreal r = size.width < 40 ? 2.5 : kCornerRadius;
    p.drawRoundedRect(QRectF(0.5, 0.5, size.width - 1, size.height - 1), r, r);
}

void DrawCardFace(QPainter& p, const FaceStyle& style, const FontFamilies& fonts, Suit suit,
                  int rank) {
    DrawCardBlank(p, kLargeCards, style.face, style.edge);
    if (style.innerFrame) DrawInnerFrame(p, style);
    DrawIndex(p, style, suit, rank);
    if (rank >= kJack) {
        DrawCourt(p, style, suit, rank, QRectF(12.5, 19.5, 46, 57));
    } else if (rank == 1) {
        DrawAce(p, style, suit);
    } else if (style.centre == CentreKind::BigSuit) {
        DrawBigSuit(p, style, fonts, suit, rank);
    } else {
        DrawPips(p, style, suit, rank);
    }
}

void DrawCardFace(QPainter& p, const FaceStyle& style, const FontFamilies& fonts, Suit suit,
                  int rank, const CardSize& size) {
    if (size.letter == kLittleCards.letter) {
        DrawCardBlank(p, size, style.face, style.edge);
        DrawLittleFace(p, style, fonts, suit, rank);
        return;
    }
    p.save();
    p.scale(qreal(size.width) / kLargeCards.width, qreal(size.height) / kLargeCards.height);
    DrawCardFace(p, style, fonts, suit, rank);
    p.restore();
}

namespace {

void DrawJoker(QPainter& p, const FontFamilies& fonts, const CardSize& size) {
    const QColor face(255, 255, 255), edge(96, 96, 96), ink(120, 30, 150);
    if (size.letter == kLittleCards.letter) {
        DrawCardBlank(p, size, face, edge);
        DrawJester(p, QRectF(1, 3, 23, 26));
        return;
    }
    p.save();
    p.scale(qreal(size.width) / kLargeCards.width, qreal(size.height) / kLargeCards.height);
    DrawCardBlank(p, kLargeCards, face, edge);
    DrawJester(p, QRectF(12, 22, 48, 52));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    const QFont font = MakeFont(fonts.sans, 40, true);
    for (int corner = 0; corner < 2; ++corner) {
        p.save();
        if (corner == 1) TurnOver(p, QPointF(35.5, 48));
        // The word runs down the left edge, one letter under another.
        const QString word = "JOKER";
        for (int i = 0; i < word.size(); ++i)
            p.drawPath(FittedText(font, word.mid(i, 1), QRectF(3, 4 + i * 8.4, 7, 7)));
        p.restore();
    }
    p.restore();
}

void GenerateSheet(ModuleOutput& out, const FaceStyle& style, const FontFamilies& fonts, Suit suit,
                   const CardSize& size) {
    const QString name =
        QString("C%1%2%3").arg(size.letter).arg(style.code).arg(QChar(SuitLetter(suit)));
    out.Draw(
        name, size.width * 5, size.height * 3,
        [&](QPainter& p) {
            for (int rank = 1; rank <= 13; ++rank) {
                const int index = rank - 1;
                p.save();
                p.translate((index % 5) * size.width, (index / 5) * size.height);
                // Keep each card's drawing inside its own cell.
                p.setClipRect(QRectF(0, 0, size.width, size.height));
                DrawCardFace(p, style, fonts, suit, rank, size);
                p.restore();
            }
        },
        true);
}

} // namespace

void GenerateCardFaces(ModuleOutput& out, const std::vector<FaceStyle>& styles,
                       const FontFamilies& fonts) {
    for (const FaceStyle& style : styles) {
        for (Suit suit : kSuits) {
            GenerateSheet(out, style, fonts, suit, kLargeCards);
            if (style.code == "003") {
                GenerateSheet(out, style, fonts, suit, kMediumCards);
                GenerateSheet(out, style, fonts, suit, kLittleCards);
            }
        }
    }
    for (const CardSize& size : {kLargeCards, kMediumCards, kLittleCards}) {
        out.Draw(
            QString("JOKER_%1").arg(size.letter), size.width, size.height,
            [&](QPainter& p) { DrawJoker(p, fonts, size); }, true);
    }
}

} // namespace quendra::imagegen
