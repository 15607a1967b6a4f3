#include "images_cards.h"

namespace quendra {
namespace {

QString ThreeDigits(const std::string& value, int fallback) {
    bool ok = false;
    int n = QString::fromStdString(value).trimmed().toInt(&ok);
    if (!ok || n <= 0) n = fallback;
    return QString("%1").arg(n, 3, 10, QChar('0'));
}

int ScaleIndex(qreal devicePixelRatio) {
    return devicePixelRatio > 1.0 ? 1 : 0;
}

} // namespace

CardDimensions CardDimensionsFor(char size) {
    switch (size) {
    case 'M':
        return {59, 80};
    case 'L':
        return {25, 32};
    default:
        return {71, 96};
    }
}

int CardImageNumber(int card) {
    if (card < 1) return -1;
    if (card <= 52) return card - 1;
    if (card <= 104) return card - 53;
    return kJokerImage;
}

void CardImages::LoadCardImages(const SettingsRecord& settings) {
    const std::string size = GetSetting(settings, field::kCardSize);
    size_ = size == "M" || size == "L" ? size[0] : 'B';
    back_ = ThreeDigits(GetSetting(settings, field::kBackCard), 1);
    backs_ = {};
    LoadCardFaces(settings);
}

void CardImages::LoadCardFaces(const SettingsRecord& settings) {
    set_ = ThreeDigits(GetSetting(settings, field::kCardSet), 1);
    cards_ = {};
    suitsCut_ = {};
}

void CardImages::CutSuit(int imageNumber, int scale) const {
    auto& faces = cards_[static_cast<std::size_t>(scale - 1)];
    const QString size(QChar::fromLatin1(size_));
    const qreal ratio = scale;
    if (imageNumber == kJokerImage) {
        faces[kJokerImage] = module_.LoadPicture("JOKER_" + size, ratio);
        return;
    }
    // The sheet is not kept: the cut cards are. The first card of a suit is cut alone, the
    // next one missing brings the rest of the suit, so that the sheet is read twice at most.
    static constexpr char kSuitLetters[] = {'H', 'D', 'C', 'S'};
    const int suit = imageNumber / 13;
    const QImage sheet =
        module_.ReadPicture("C" + size + set_ + QChar::fromLatin1(kSuitLetters[suit]), ratio);
    if (sheet.isNull()) return;
    bool& suitCut = suitsCut_[static_cast<std::size_t>(scale - 1)][static_cast<std::size_t>(suit)];
    // Ace to 5, 6 to 10, Jack to King: five to a row, no gaps.
    const int factor = qRound(sheet.devicePixelRatio());
    const int w = CardWidth() * factor, h = CardHeight() * factor;
    for (int index = 0; index < 13; ++index) {
        QImage& slot = faces[static_cast<std::size_t>(suit * 13 + index)];
        if (!slot.isNull() || (!suitCut && suit * 13 + index != imageNumber)) continue;
        slot = sheet.copy((index % 5) * w, (index / 5) * h, w, h);
        slot.setDevicePixelRatio(sheet.devicePixelRatio());
    }
    suitCut = true;
}

QImage CardImages::Card(int imageNumber, qreal devicePixelRatio) const {
    if (imageNumber < 0 || imageNumber > kJokerImage) return {};
    const int scale = ScaleIndex(devicePixelRatio);
    QImage& slot = cards_[static_cast<std::size_t>(scale)][static_cast<std::size_t>(imageNumber)];
    if (slot.isNull()) CutSuit(imageNumber, scale + 1);
    return slot;
}

QImage CardImages::Back(qreal devicePixelRatio) const {
    QImage& slot = backs_[ScaleIndex(devicePixelRatio)];
    if (!slot.isNull()) return slot;
    if (size_ == 'M' && back_ != "011") {
        const QImage large = module_.LoadPicture("DB" + back_, devicePixelRatio);
        if (large.isNull()) return {};
        const qreal ratio = large.devicePixelRatio();
        slot = large.scaled(qRound(CardWidth() * ratio), qRound(CardHeight() * ratio),
                            Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        slot.setDevicePixelRatio(ratio);
    } else {
        slot = module_.LoadPicture(QString("D%1%2").arg(QChar::fromLatin1(size_)).arg(back_),
                                   devicePixelRatio);
    }
    return slot;
}

QImage CardImages::EmptyMark(const QString& mark, qreal devicePixelRatio) const {
    return module_.LoadPicture(QString("W%1%2").arg(QChar::fromLatin1(size_)).arg(mark),
                               devicePixelRatio);
}

QImage CardImages::Shadow(int strip) const {
    return module_.LoadPicture(QString("SHADOW_%1%2").arg(QChar::fromLatin1(size_)).arg(strip));
}

QImage CardImages::Edge(int strip) const {
    return module_.LoadPicture(QString("3D_BORDER_%1%2").arg(QChar::fromLatin1(size_)).arg(strip));
}

} // namespace quendra
