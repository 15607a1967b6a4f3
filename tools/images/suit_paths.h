#pragma once

#include <QPainterPath>
#include <QRectF>

namespace quendra::imagegen {

// Suits in the order of the card numbers: hearts, diamonds, clubs, spades.
enum class Suit { Hearts = 0, Diamonds = 1, Clubs = 2, Spades = 3 };

inline constexpr Suit kSuits[] = {Suit::Hearts, Suit::Diamonds, Suit::Clubs, Suit::Spades};

// The suit symbol as a filled outline, fitted into `box` (its shape keeps its proportions
// and sits centred).
QPainterPath SuitPath(Suit suit, const QRectF& box);

// The letter of a suit in the sheet names: H, D, C, S.
char SuitLetter(Suit suit);

bool IsRed(Suit suit);

} // namespace quendra::imagegen
