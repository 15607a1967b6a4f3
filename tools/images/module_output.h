#pragma once

#include <functional>
#include <mutex>

#include <QByteArray>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QStringList>

namespace quendra::imagegen {

// Draws in logical pixels; the painter is already scaled for the picture's pixel ratio.
using DrawFunction = std::function<void(QPainter&)>;

// Collects the pictures and sounds of the module into a folder and lists them for rcc.
// Pictures are PNG files "<name>.png" (with "<name>@2x.png" at twice the size where asked),
// sounds WAV files "<name>.wav". Safe to call from several threads.
class ModuleOutput {
  public:
    explicit ModuleOutput(const QString& folder);

    // Draws a picture of `width` x `height` logical pixels on a transparent ground and saves
    // it; with `with2x` also at twice the size under "<name>@2x".
    void Draw(const QString& name, int width, int height, const DrawFunction& draw,
              bool with2x = false);
    void SavePicture(const QString& name, const QImage& image);
    void SaveSound(const QString& name, const QByteArray& wav);

    // Writes the resource collection file listing everything saved; false on failure.
    bool WriteQrc(const QString& path) const;
    bool failed() const { return failed_; }

  private:
    void Add(const QString& fileName);

    QDir folder_;
    mutable std::mutex mutex_;
    QStringList files_;
    bool failed_ = false;
};

// A picture of `width` x `height` logical pixels drawn at `scale`.
QImage DrawPicture(int width, int height, qreal scale, const DrawFunction& draw);

} // namespace quendra::imagegen
