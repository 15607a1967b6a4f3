#include "text_paths.h"

#include <QFile>
#include <QFontDatabase>
#include <QTransform>

namespace quendra::imagegen {

bool LoadDejaVuFonts(const QString& folder, FontFamilies& families, QString& error) {
    struct Wanted {
        const char* file;
        QString* family;
    };
    const Wanted wanted[] = {{"DejaVuSans.ttf", &families.sans},
                             {"DejaVuSans-Bold.ttf", nullptr},
                             {"DejaVuSerif.ttf", &families.serif},
                             {"DejaVuSerif-Bold.ttf", nullptr},
                             {"DejaVuSansMono-Bold.ttf", &families.mono}};
    for (const Wanted& w : wanted) {
        const QString path = folder + "/" + w.file;
        const int id = QFontDatabase::addApplicationFont(path);
        const QStringList names =
            id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
        if (names.isEmpty()) {
            error = "cannot load the font " + path + " (Debian package fonts-dejavu-core)";
            return false;
        }
        if (w.family) *w.family = names.first();
    }
    return true;
}

QFont MakeFont(const QString& family, qreal pixelSize, bool bold) {
    QFont font(family);
    font.setPixelSize(qMax(1, qRound(pixelSize)));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QPainterPath FittedText(const QFont& font, const QString& text, const QRectF& box, bool stretch) {
    QPainterPath raw;
    raw.addText(0, 0, font, text);
    const QRectF ink = raw.boundingRect();
    if (ink.isEmpty()) return raw;
    qreal sy = box.height() / ink.height();
    qreal sx = stretch ? box.width() / ink.width() : sy;
    if (ink.width() * sx > box.width()) {
        sx = box.width() / ink.width();
        if (!stretch) sy = sx;
    }
    QTransform t;
    t.translate(box.center().x(), box.center().y());
    t.scale(sx, sy);
    t.translate(-ink.center().x(), -ink.center().y());
    return t.map(raw);
}

QPainterPath TextAt(const QFont& font, const QString& text, qreal x, qreal y, qreal inkHeight,
                    qreal maxWidth) {
    QPainterPath raw;
    raw.addText(0, 0, font, text);
    const QRectF ink = raw.boundingRect();
    if (ink.isEmpty()) return raw;
    const qreal sy = inkHeight / ink.height();
    const qreal sx = std::min(sy, maxWidth / ink.width());
    QTransform t;
    t.translate(x, y);
    t.scale(sx, sy);
    t.translate(-ink.left(), -ink.top());
    return t.map(raw);
}

} // namespace quendra::imagegen
