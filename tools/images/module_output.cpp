#include "module_output.h"

#include <QFile>
#include <QTextStream>

namespace quendra::imagegen {

ModuleOutput::ModuleOutput(const QString& folder) : folder_(folder) {
    folder_.mkpath(".");
}

QImage DrawPicture(int width, int height, qreal scale, const DrawFunction& draw) {
    QImage image(qRound(width * scale), qRound(height * scale),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(scale, scale);
    draw(painter);
    painter.end();
    return image;
}

void ModuleOutput::Draw(const QString& name, int width, int height, const DrawFunction& draw,
                        bool with2x) {
    SavePicture(name, DrawPicture(width, height, 1.0, draw));
    if (with2x) SavePicture(name + "@2x", DrawPicture(width, height, 2.0, draw));
}

void ModuleOutput::SavePicture(const QString& name, const QImage& image) {
    const QString fileName = name + ".png";
    // Compression level 6 of 9: within a few per cent of the smallest file, much faster.
    if (!image.save(folder_.filePath(fileName), "PNG", 40)) {
        std::lock_guard lock(mutex_);
        failed_ = true;
        return;
    }
    Add(fileName);
}

void ModuleOutput::SaveSound(const QString& name, const QByteArray& wav) {
    const QString fileName = name + ".wav";
    QFile file(folder_.filePath(fileName));
    if (!file.open(QIODevice::WriteOnly) || file.write(wav) != wav.size()) {
        std::lock_guard lock(mutex_);
        failed_ = true;
        return;
    }
    Add(fileName);
}

void ModuleOutput::Add(const QString& fileName) {
    std::lock_guard lock(mutex_);
    files_ << fileName;
}

bool ModuleOutput::WriteQrc(const QString& path) const {
    QStringList files;
    {
        std::lock_guard lock(mutex_);
        files = files_;
    }
    files.sort();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    QTextStream out(&file);
    out << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    for (const QString& f : files)
        out << "  <file>" << f << "</file>\n";
    out << "</qresource>\n</RCC>\n";
    return out.status() == QTextStream::Ok;
}

} // namespace quendra::imagegen
