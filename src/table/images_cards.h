#pragma once

#include "images_module.h"
#include "settings_record.h"

#include <array>
#include <span>

#include <QImage>
#include <QString>

namespace quendra {

// Card width and height in pixels for a size letter: "B" 71 x 96, "M" 59 x 80, "L" 25 x 32
// (anything else is taken as "B").
struct CardDimensions {
    int width;
    int height;
};
CardDimensions CardDimensionsFor(char size);

// The card image of a card number: 0 to 51 for both decks' cards (1 to 52 and 53 to 104),
// 52 (the joker) for any higher number; -1 for a number below 1 (a gap, nothing to draw).
int CardImageNumber(int card);
inline constexpr int kJokerImage = 52;

// The card pictures of the player's choice of size (kCardSize), face set (kCardSet) and back
// (kBackCard): 53 card images cut from the suit sheets, the back, the empty-pile marks and
// the shadow and edge strips. A suit sheet is read when a card of it is first drawn: that card
// alone is cut (a dealt table shows a few cards of each suit), and the whole suit the next time
// a card of it is missing.
class CardImages {
  public:
    explicit CardImages(const ImagesModule& module) : module_(module) {}

    // Takes the size, face set and back from the settings and forgets what was cut before.
    void LoadCardImages(const SettingsRecord& settings);
    // Only the face set changed.
    void LoadCardFaces(const SettingsRecord& settings);

    char SizeLetter() const { return size_; }
    int CardWidth() const { return CardDimensionsFor(size_).width; }
    int CardHeight() const { return CardDimensionsFor(size_).height; }

    // Card image 0 to 52; at a device pixel ratio above 1 the sharp version (its own ratio
    // set to 2). Empty when the module lacks the picture.
    QImage Card(int imageNumber, qreal devicePixelRatio = 1.0) const;
    // Cuts the cards about to be drawn that are not cut yet, the suit sheets they need read
    // on two threads side by side: a dealt table needs a card or more of every suit at once.
    void Prepare(std::span<const int> imageNumbers, qreal devicePixelRatio = 1.0) const;
    // The back; a medium back other than "011" is the large one scaled down.
    QImage Back(qreal devicePixelRatio = 1.0) const;
    // An empty-pile mark by the part of its name after "W" and the size: "022", "_WASTE" ...
    QImage EmptyMark(const QString& mark, qreal devicePixelRatio = 1.0) const;
    // Shadow strip 1 (right edge) or 2 (bottom edge); pile-edge strip 1 (vertical) or 2.
    QImage Shadow(int strip) const;
    QImage Edge(int strip) const;

  private:
    // Cuts the card `imageNumber` (or the joker) into its slot of `scale`, and with it the
    // rest of its suit once a card of that suit was cut before.
    void CutSuit(int imageNumber, int scale) const;
    // The suit sheet of `suit` (0 to 3) at the ratio of `scale`.
    QImage SuitSheet(int suit, int scale) const;
    // Cuts the wanted cards of the suit (image numbers) from its sheet, or the whole suit once a
    // card of it was cut before.
    void CutFromSheet(const QImage& sheet, int suit, int scale, std::span<const int> wanted) const;

    const ImagesModule& module_;
    char size_ = 'B';
    QString set_ = "001";
    QString back_ = "001";
    // Cut cards at ratio 1 and 2.
    mutable std::array<std::array<QImage, 53>, 2> cards_;
    // The suits of which a card was cut, at ratio 1 and 2.
    mutable std::array<std::array<bool, 4>, 2> suitsCut_{};
    mutable std::array<QImage, 2> backs_;
};

} // namespace quendra
