#pragma once

#include "suit_paths.h"

#include <array>
#include <vector>

#include <QColor>
#include <QString>

namespace quendra::imagegen {

// How the middle of a number card is drawn.
enum class CentreKind {
    Pips,    // the classic arrangement of rank-many suit symbols
    BigSuit, // one large suit symbol with the rank on it
};

// One face set: every colour and choice the drawing of its 52 cards needs.
struct FaceStyle {
    QString code; // "001" ...
    QColor face;
    QColor edge;
    std::array<QColor, 4> suitColours; // hearts, diamonds, clubs, spades
    QString indexFamily;
    qreal indexHeight = 13;  // ink height of the corner rank at size "B"
    bool indexOnTag = false; // white index on a tag of the suit's colour
    bool innerFrame = false; // a thin ornamental frame inside the edge
    QColor frameColour;
    CentreKind centre = CentreKind::Pips;
    // Court cards.
    QColor courtGround;
    std::array<QColor, 2> robes;
    QColor trim;
    QColor lining;
    QColor hair;
    QColor skin;
    QColor outline;
    bool robesInSuitColour = false;

    QColor SuitColour(Suit s) const { return suitColours[static_cast<int>(s)]; }
};

struct FontFamilies;

// The five face sets "001" to "005".
std::vector<FaceStyle> FaceStyles(const FontFamilies& fonts);

} // namespace quendra::imagegen
