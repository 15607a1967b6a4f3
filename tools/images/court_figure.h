#pragma once

#include "face_style.h"

#include <QPainter>
#include <QRectF>

namespace quendra::imagegen {

// Ranks of the court cards.
inline constexpr int kJack = 11;
inline constexpr int kQueen = 12;
inline constexpr int kKing = 13;

// A double-ended court figure filling `frame`: the half-length figure in the upper half and
// the same turned over in the lower half.
void DrawCourt(QPainter& p, const FaceStyle& style, Suit suit, int rank, const QRectF& frame);

// The jester of the joker in `box` (one figure, not mirrored).
void DrawJester(QPainter& p, const QRectF& box);

} // namespace quendra::imagegen
