#pragma once

#include "face_style.h"
#include "module_output.h"
#include "text_paths.h"

#include <vector>

#include <QPainter>

namespace quendra::imagegen {

// Card sizes in pixels (width x height) by size letter.
struct CardSize {
    char letter;
    int width;
    int height;
};
inline constexpr CardSize kLargeCards{'B', 71, 96};
inline constexpr CardSize kMediumCards{'M', 59, 80};
inline constexpr CardSize kLittleCards{'L', 25, 32};

// One card face (rank 1 = Ace ... 13 = King) of a large card, at (0, 0).
void DrawCardFace(QPainter& p, const FaceStyle& style, const FontFamilies& fonts, Suit suit,
                  int rank);
// The same scaled for any card size; little cards get their own plain design.
void DrawCardFace(QPainter& p, const FaceStyle& style, const FontFamilies& fonts, Suit suit,
                  int rank, const CardSize& size);

// The blank card every face and mark starts from: rounded corners, the face colour and edge.
void DrawCardBlank(QPainter& p, const CardSize& size, const QColor& face, const QColor& edge);

// The four suit sheets "C" + size + set + suit letter for each set (every set at "B", set 003
// also at "M" and "L") and the jokers "JOKER_B", "JOKER_M", "JOKER_L", all with "@2x".
void GenerateCardFaces(ModuleOutput& out, const std::vector<FaceStyle>& styles,
                       const FontFamilies& fonts);

} // namespace quendra::imagegen
