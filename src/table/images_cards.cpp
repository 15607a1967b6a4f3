#include "images_cards.h"

#include <algorithm>
#include <future>
#include <system_error>
#include <vector>

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
    if (imageNumber == kJokerImage) {
        const QString size(QChar::fromLatin1(size_));
        cards_[static_cast<std::size_t>(scale - 1)][kJokerImage] =
            module_.LoadPicture("JOKER_" + size, scale);
        return;
    }
    const int suit = imageNumber / 13;
    const int wanted[] = {imageNumber};
    CutFromSheet(SuitSheet(suit, scale), suit, scale, wanted);
}

QImage CardImages::SuitSheet(int suit, int scale) const {
    static constexpr char kSuitLetters[] = {'H', 'D', 'C', 'S'};
    return module_.ReadPicture("C" + QString(QChar::fromLatin1(size_)) + set_ +
                                   QChar::fromLatin1(kSuitLetters[suit]),
                               scale);
}

void CardImages::CutFromSheet(const QImage& sheet, int suit, int scale,
                              std::span<const int> wanted) const {
    // The sheet is not kept: the cut cards are. The first cards of a suit are cut alone, the
    // next one missing brings the rest of the suit, so that the sheet is read twice at most.
    if (sheet.isNull()) return;
    auto& faces = cards_[static_cast<std::size_t>(scale - 1)];
    bool& suitCut = suitsCut_[static_cast<std::size_t>(scale - 1)][static_cast<std::size_t>(suit)];
    // Ace to 5, 6 to 10, Jack to King: five to a row, no gaps.
    const int factor = qRound(sheet.devicePixelRatio());
    const int w = CardWidth() * factor, h = CardHeight() * factor;
    for (int index = 0; index < 13; ++index) {
        const int image = suit * 13 + index;
        QImage& slot = faces[static_cast<std::size_t>(image)];
        if (!slot.isNull() ||
            (!suitCut && std::find(wanted.begin(), wanted.end(), image) == wanted.end()))
            continue;
        slot = sheet.copy((index % 5) * w, (index / 5) * h, w, h);
        slot.setDevicePixelRatio(sheet.devicePixelRatio());
    }
    suitCut = true;
}

void CardImages::Prepare(std::span<const int> imageNumbers, qreal devicePixelRatio) const {
    const int scale = ScaleIndex(devicePixelRatio);
    const auto& faces = cards_[static_cast<std::size_t>(scale)];
    std::array<std::vector<int>, 4> missing;
    for (const int image : imageNumbers)
        if (image >= 0 && image < kJokerImage && faces[static_cast<std::size_t>(image)].isNull())
            missing[static_cast<std::size_t>(image / 13)].push_back(image);
    std::vector<int> suits;
    for (int suit = 0; suit < 4; ++suit)
        if (!missing[static_cast<std::size_t>(suit)].empty()) suits.push_back(suit);
    if (suits.empty()) return;
    // Half the sheets read here, half on a second thread (each thread that decodes keeps
    // memory of its own for the rest of the run, so one is enough for two cores); the
    // cutting stays on this thread.
    std::vector<QImage> sheets(suits.size());
    std::future<void> other;
    std::size_t step = 1; // every sheet here when no second thread can be had
    if (suits.size() > 1) {
        try {
            other = std::async(std::launch::async, [&] {
                for (std::size_t i = 1; i < suits.size(); i += 2)
                    sheets[i] = SuitSheet(suits[i], scale + 1);
            });
            step = 2;
        } catch (const std::system_error&) {
        }
    }
    for (std::size_t i = 0; i < suits.size(); i += step)
        sheets[i] = SuitSheet(suits[i], scale + 1);
    if (other.valid()) other.get();
    for (std::size_t i = 0; i < suits.size(); ++i)
        CutFromSheet(sheets[i], suits[i], scale + 1, missing[static_cast<std::size_t>(suits[i])]);
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
