#pragma once

#include <QFont>
#include <QPainterPath>
#include <QRectF>
#include <QString>

namespace quendra::imagegen {

// The font families of the DejaVu files loaded at start; text in pictures uses only these.
struct FontFamilies {
    QString sans;
    QString serif;
    QString mono;
};

// Loads DejaVuSans, DejaVuSans-Bold, DejaVuSerif, DejaVuSerif-Bold and DejaVuSansMono-Bold
// from `folder`; false, with `error` set, when a file is missing or unreadable.
bool LoadDejaVuFonts(const QString& folder, FontFamilies& families, QString& error);

QFont MakeFont(const QString& family, qreal pixelSize, bool bold);

// The outline of `text`, scaled so that its ink fits `box` (keeping its proportions unless
// `stretch` lets it fill the box across) and centred in it.
QPainterPath FittedText(const QFont& font, const QString& text, const QRectF& box,
                        bool stretch = false);

// The outline of `text` with its ink's height set to `inkHeight` (proportions kept, width
// narrowed to `maxWidth` when wider), its ink's left edge at x and top at y.
QPainterPath TextAt(const QFont& font, const QString& text, qreal x, qreal y, qreal inkHeight,
                    qreal maxWidth);

} // namespace quendra::imagegen
