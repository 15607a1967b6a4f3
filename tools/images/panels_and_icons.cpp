#include "panels_and_icons.h"

#include "suit_paths.h"

#include <cmath>

#include <QPainterPath>

namespace quendra::imagegen {
namespace {

void PausePictures(ModuleOutput& out, const FontFamilies& fonts) {
    // The upper picture slides sideways over the lower one on the pause screen.
    out.Draw(
        "BMP_PAUSE_1", 260, 64,
        [&](QPainter& p) {
            const QPainterPath text =
                FittedText(MakeFont(fonts.sans, 60, true), "Paused", QRectF(10, 8, 240, 46));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0, 0, 0, 90));
            p.drawPath(text.translated(2.5, 2.5));
            p.setBrush(QColor(255, 236, 150));
            p.setPen(QPen(QColor(90, 60, 0), 1.2));
            p.drawPath(text);
        },
        true);
    out.Draw(
        "BMP_PAUSE_2", 420, 72,
        [&](QPainter& p) {
            p.setPen(QPen(QColor(255, 255, 255, 160), 1.5));
            p.setBrush(QColor(0, 0, 0, 70));
            p.drawRoundedRect(QRectF(1, 1, 418, 70), 12, 12);
            // Four suits, then the way back to the game.
            for (int i = 0; i < 4; ++i) {
                p.setPen(QPen(QColor(255, 255, 255), 1.0));
                p.setBrush(IsRed(kSuits[i]) ? QColor(220, 40, 50) : QColor(20, 20, 24));
                p.drawPath(SuitPath(kSuits[i], QRectF(150 + i * 32, 8, 24, 24)));
            }
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 255, 255));
            p.drawPath(FittedText(MakeFont(fonts.sans, 40, false),
                                  "Choose Pause again to go on playing", QRectF(20, 42, 380, 18)));
        },
        true);
}

void PokerPanel(ModuleOutput& out) {
    // White where the hand, its points and the total are written.
    out.Draw(
        "Panel_pk", 170, 62,
        [&](QPainter& p) {
            p.setPen(QPen(QColor(90, 90, 100), 1.0));
            p.setBrush(QColor(255, 255, 255));
            p.drawRoundedRect(QRectF(0.5, 0.5, 169, 61), 4, 4);
            p.setPen(QPen(QColor(200, 200, 210), 1.0));
            p.drawLine(QPointF(6, 38.5), QPointF(164, 38.5));
            for (int i = 0; i < 4; ++i) {
                p.setPen(Qt::NoPen);
                p.setBrush(IsRed(kSuits[i]) ? QColor(210, 30, 40) : QColor(30, 30, 36));
                p.drawPath(SuitPath(kSuits[i], QRectF(124 + i * 10, 4, 8, 8)));
            }
        },
        true);
}

// A small card in `colour` with a pictogram; used by the browser's type icons.
void TypeIcon(QPainter& p, const QColor& colour, int typeIndex) {
    p.setPen(QPen(colour.darker(160), 1.0));
    p.setBrush(QColor(255, 255, 255));
    p.drawRoundedRect(QRectF(4.5, 1.5, 9, 12), 1.5, 1.5);
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(1.5, 3.5, 9, 12), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255));
    // Each type its own small mark: a suit, or one to three dots.
    const int mark = typeIndex % 8;
    if (mark < 4) {
        p.drawPath(SuitPath(kSuits[mark], QRectF(3, 6, 6, 7)));
    } else {
        const int dots = mark - 3;
        for (int i = 0; i < dots; ++i)
            p.drawEllipse(QPointF(6, 6.5 + i * 2.8 - (dots - 1) * 0.4), 1.1, 1.1);
    }
}

void Folder(QPainter& p, const QColor& colour, bool open, const QColor& badge) {
    p.setPen(QPen(colour.darker(170), 1.0));
    p.setBrush(colour.darker(115));
    p.drawRect(QRectF(1.5, 3.5, 6, 2));
    p.setBrush(colour);
    if (open) {
        QPainterPath flap;
        flap.moveTo(1.5, 14.5);
        flap.lineTo(4.5, 7.5);
        flap.lineTo(15.5, 7.5);
        flap.lineTo(12.5, 14.5);
        flap.closeSubpath();
        p.drawRect(QRectF(1.5, 5.5, 12, 9));
        p.setBrush(colour.lighter(125));
        p.drawPath(flap);
    } else {
        p.drawRect(QRectF(1.5, 5.5, 13, 9));
    }
    if (badge.isValid()) {
        p.setPen(QPen(QColor(255, 255, 255), 0.8));
        p.setBrush(badge);
        p.drawEllipse(QPointF(11.5, 11.5), 3.2, 3.2);
    }
}

void BrowserIcons(ModuleOutput& out) {
    const char* types[] = {"CANFIELD",     "FORTYTHIEVES", "FREECELL",     "KLONDIKE",
                           "PAIRING",      "SIMPLEGAMES",  "SPIDER",       "1DECK",
                           "2DECK",        "FAN",          "BAKERSDOZEN",  "ROW",
                           "PUZZLE",       "ADDITION",     "MEMORY",       "BELEAGUEREDCASTLE",
                           "QUEENOFITALY", "YUKON",        "MATHEMATICAL", "SIRTOMMY",
                           "NONBUILDERS",  "STRIPPEDDECK"};
    // Plain icons are blue; "_WIN" green and "_NOWIN" red.
    const std::pair<const char*, QColor> colourings[] = {
        {"", QColor(40, 90, 190)}, {"_WIN", QColor(30, 150, 60)}, {"_NOWIN", QColor(200, 40, 40)}};
    int index = 0;
    for (const char* type : types) {
        for (const auto& [suffix, colour] : colourings)
            out.Draw(
                QString("TREE5_%1_TYPE%2").arg(type).arg(suffix), 16, 16,
                [&](QPainter& p) { TypeIcon(p, colour, index); }, true);
        ++index;
    }
    for (const auto& [suffix, colour] : colourings)
        out.Draw(
            QString("TREE5_CUSTOMIZED_GAMES%1").arg(suffix), 16, 16,
            [&](QPainter& p) {
                TypeIcon(p, colour, 0);
                p.setPen(QPen(QColor(90, 60, 20), 1.6, Qt::SolidLine, Qt::RoundCap));
                p.drawLine(QPointF(9, 14), QPointF(14.5, 8.5)); // a pencil across the card
            },
            true);
    out.Draw(
        "TREE5_ORIGINAL_TYPE", 16, 16, [&](QPainter& p) { TypeIcon(p, QColor(200, 150, 30), 1); },
        true);

    // Folders, closed ("1") and open ("2"), a letter's colour for each group.
    const QColor yellow(236, 196, 80);
    out.Draw(
        "TREE1", 16, 16, [&](QPainter& p) { Folder(p, yellow, false, QColor()); }, true);
    out.Draw(
        "TREE2", 16, 16, [&](QPainter& p) { Folder(p, yellow, true, QColor()); }, true);
    for (int n = 3; n <= 5; ++n)
        out.Draw(
            QString("N_TREE%1").arg(n), 16, 16,
            [&](QPainter& p) { Folder(p, yellow, n != 3, QColor(60 + n * 30, 120, 200)); }, true);
    const std::pair<const char*, QColor> groups[] = {
        {"F", QColor(220, 60, 120)}, {"S", QColor(40, 160, 90)},  {"D", QColor(200, 90, 30)},
        {"C", QColor(60, 110, 210)}, {"T", QColor(120, 70, 180)}, {"I", QColor(30, 150, 160)}};
    for (const auto& [letter, badge] : groups)
        for (int n = 1; n <= 2; ++n)
            out.Draw(
                QString("%1_TREE%2").arg(letter).arg(n), 16, 16,
                [&](QPainter& p) { Folder(p, yellow, n == 2, badge); }, true);
}

// Rating pictures: a row of five bars, `filled` of them lit in `colour`.
void Bars(QPainter& p, int filled, const QColor& colour) {
    for (int i = 0; i < 5; ++i) {
        const qreal h = 3 + i * 2.4;
        p.setPen(QPen(QColor(80, 80, 80), 0.8));
        p.setBrush(i < filled ? colour : QColor(230, 230, 230));
        p.drawRect(QRectF(1.5 + i * 6, 14.5 - h, 4, h));
    }
}

void Clock(QPainter& p, qreal hand) {
    p.setPen(QPen(QColor(50, 50, 60), 1.2));
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
    p.setBrush(QColor(80, 140, 220));
    p.setPen(Qt::NoPen);
    p.drawPie(QRectF(2.5, 2.5, 11, 11), 90 * 16, -qRound(hand * 360 * 16));
    p.setPen(QPen(QColor(30, 30, 40), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 8), QPointF(8, 3.5));
}

void RatingIcons(ModuleOutput& out) {
    const std::pair<const char*, qreal> times[] = {
        {"PROG_TIME_QUICK", 0.25}, {"PROG_TIME_MEDIUM", 0.5}, {"PROG_TIME_LONG", 0.85}};
    for (const auto& [name, hand] : times)
        out.Draw(
            name, 16, 16, [&](QPainter& p) { Clock(p, hand); }, true);
    const std::pair<const char*, int> levels[] = {
        {"PROG_DIFF_EASY", 1},          {"PROG_DIFF_MEDIUM", 3},    {"PROG_DIFF_HARD", 5},
        {"PROG_CHAN_VERYLOW", 1},       {"PROG_CHAN_LOW", 2},       {"PROG_CHAN_MEDIUM", 3},
        {"PROG_CHAN_HIGH", 4},          {"PROG_CHAN_VERYHIGH", 5},  {"PROG_SKILL_CHANCEONLY", 1},
        {"PROG_SKILL_MOSTLYCHANCE", 2}, {"PROG_SKILL_MODERATE", 3}, {"PROG_SKILL_MOSTLYSKILL", 4},
        {"PROG_SKILL_DIFFICULT", 5}};
    for (const auto& [name, level] : levels) {
        const QString n = name;
        const QColor colour = n.contains("DIFF")   ? QColor(220, 90, 40)
                              : n.contains("CHAN") ? QColor(40, 160, 70)
                                                   : QColor(60, 110, 210);
        out.Draw(
            n, 32, 16, [&](QPainter& p) { Bars(p, level, colour); }, true);
    }
    out.Draw(
        "PROG_DISABLED", 32, 16, [&](QPainter& p) { Bars(p, 0, QColor()); }, true);
}

void CardCounter(ModuleOutput& out, const FontFamilies& fonts) {
    // Cells are 13 x 18, one per rank "Card_1_Up" ... "Card_13_Down" (1 = Ace, 13 = King).
    const char* ranks[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    const QFont font = MakeFont(fonts.sans, 40, true);
    auto cell = [](QPainter& p, const QColor& fill, const QColor& edge) {
        p.setPen(QPen(edge, 1.0));
        p.setBrush(fill);
        p.drawRoundedRect(QRectF(0.5, 0.5, 12, 17), 1.5, 1.5);
    };
    for (int r = 1; r <= 13; ++r) {
        const QRectF box(2, 4, 9, 10);
        out.Draw(
            QString("Card_%1_Up").arg(r), 13, 18,
            [&](QPainter& p) {
                cell(p, QColor(255, 255, 255), QColor(120, 120, 120));
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(20, 20, 24));
                p.drawPath(FittedText(font, ranks[r - 1], box));
            },
            true);
        out.Draw(
            QString("Card_%1_Down").arg(r), 13, 18,
            [&](QPainter& p) {
                cell(p, QColor(40, 70, 150), QColor(20, 30, 80));
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(210, 220, 255));
                p.drawPath(FittedText(font, ranks[r - 1], box));
            },
            true);
    }
    out.Draw(
        "Card_None", 13, 18,
        [&](QPainter& p) {
            p.setPen(QPen(QColor(170, 170, 170), 1.0, Qt::DotLine));
            p.setBrush(QColor(236, 236, 236));
            p.drawRoundedRect(QRectF(0.5, 0.5, 12, 17), 1.5, 1.5);
        },
        true);
    const char* suitNames[] = {"card_hearts", "card_diamonds", "card_clubs", "card_spades"};
    for (int i = 0; i < 4; ++i)
        out.Draw(
            suitNames[i], 14, 18,
            [&](QPainter& p) {
                p.setPen(Qt::NoPen);
                p.setBrush(IsRed(kSuits[i]) ? QColor(210, 24, 36) : QColor(20, 20, 24));
                p.drawPath(SuitPath(kSuits[i], QRectF(1.5, 3.5, 11, 11)));
            },
            true);
}

void CommentMark(ModuleOutput& out) {
    out.Draw(
        "COMMENT_YES", 16, 16,
        [&](QPainter& p) {
            p.setPen(QPen(QColor(150, 120, 30), 1.0));
            p.setBrush(QColor(255, 236, 140));
            QPainterPath note;
            note.moveTo(2.5, 1.5);
            note.lineTo(10.5, 1.5);
            note.lineTo(13.5, 4.5);
            note.lineTo(13.5, 14.5);
            note.lineTo(2.5, 14.5);
            note.closeSubpath();
            p.drawPath(note);
            p.setPen(QPen(QColor(120, 100, 40), 1.0));
            for (int i = 0; i < 3; ++i)
                p.drawLine(QPointF(4.5, 6.5 + i * 2.5), QPointF(11.5, 6.5 + i * 2.5));
        },
        true);
}

// Cursors ---------------------------------------------------------------------------------

QPainterPath ArrowShape() {
    QPainterPath a;
    a.moveTo(1, 1);
    a.lineTo(1, 19);
    a.lineTo(5.5, 15);
    a.lineTo(8.5, 22);
    a.lineTo(11.5, 20.6);
    a.lineTo(8.6, 14);
    a.lineTo(14.5, 14);
    a.closeSubpath();
    return a;
}

// A hand pointing up with its index finger, tip at (6, 1); `grab` closes it around a card.
QPainterPath HandShape(bool grab) {
    QPainterPath h;
    h.setFillRule(Qt::WindingFill);
    if (!grab) h.addRoundedRect(QRectF(4.5, 1, 4, 13), 2, 2); // index finger
    h.addRoundedRect(QRectF(8.5, grab ? 8 : 7, 3.6, 8), 1.8, 1.8);
    h.addRoundedRect(QRectF(12, grab ? 8.5 : 8, 3.6, 8), 1.8, 1.8);
    h.addRoundedRect(QRectF(15.5, grab ? 9.5 : 9.5, 3.3, 7), 1.6, 1.6);
    if (grab) h.addRoundedRect(QRectF(4.5, 8, 4, 8), 2, 2);
    h.addRoundedRect(QRectF(4.5, 11, 14.3, 10), 3, 3); // palm
    QPainterPath thumb;
    thumb.moveTo(5, 15);
    thumb.cubicTo(3, 12, 0.5, 11, 0.8, 13.5);
    thumb.cubicTo(1.2, 16, 3, 19, 6, 21);
    thumb.closeSubpath();
    return h.united(thumb).simplified();
}

void SaveCursor(ModuleOutput& out, const QString& name, const QPainterPath& shape, bool mirror,
                const QColor& fill, const QColor& line, QPointF hotSpot) {
    const DrawFunction draw = [&](QPainter& p) {
        if (mirror) {
            p.translate(32, 0);
            p.scale(-1, 1);
        }
        p.setPen(QPen(line, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(fill);
        p.drawPath(shape);
    };
    if (mirror) hotSpot.setX(32 - hotSpot.x());
    for (int scale = 1; scale <= 2; ++scale) {
        QImage image = DrawPicture(32, 32, scale, draw);
        image.setText("HotSpotX", QString::number(qRound(hotSpot.x() * scale)));
        image.setText("HotSpotY", QString::number(qRound(hotSpot.y() * scale)));
        out.SavePicture(scale == 1 ? name : name + "@2x", image);
    }
}

void Cursors(ModuleOutput& out) {
    // "A" is the pointer over the table, "B" the same while a card is dragged.
    const QColor white(255, 255, 255), black(0, 0, 0), skin(255, 226, 190);
    for (char state : {'A', 'B'}) {
        const bool dragging = state == 'B';
        SaveCursor(out, QString("CUR_ARROW1%1").arg(state), ArrowShape(), false,
                   dragging ? QColor(255, 240, 160) : white, black, QPointF(1, 1));
        SaveCursor(out, QString("CUR_ARROW2%1").arg(state), ArrowShape(), false,
                   dragging ? QColor(60, 60, 140) : black, white, QPointF(1, 1));
        SaveCursor(out, QString("CUR_RIGHT_HAND1%1").arg(state), HandShape(dragging), false, white,
                   black, QPointF(6.5, dragging ? 9 : 1));
        SaveCursor(out, QString("CUR_RIGHT_HAND2%1").arg(state), HandShape(dragging), false, skin,
                   QColor(120, 70, 30), QPointF(6.5, dragging ? 9 : 1));
        SaveCursor(out, QString("CUR_LEFT_HAND1%1").arg(state), HandShape(dragging), true, white,
                   black, QPointF(6.5, dragging ? 9 : 1));
        SaveCursor(out, QString("CUR_LEFT_HAND2%1").arg(state), HandShape(dragging), true, skin,
                   QColor(120, 70, 30), QPointF(6.5, dragging ? 9 : 1));
    }
}

} // namespace

void GeneratePanelsAndIcons(ModuleOutput& out, const FontFamilies& fonts) {
    PausePictures(out, fonts);
    PokerPanel(out);
    BrowserIcons(out);
    RatingIcons(out);
    CardCounter(out, fonts);
    CommentMark(out);
    Cursors(out);
}

} // namespace quendra::imagegen
