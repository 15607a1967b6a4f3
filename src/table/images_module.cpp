#include "images_module.h"

#include "data_files.h"

#include <QDir>
#include <QFile>
#include <QResource>
#include <QUuid>
#include <QtEndian>

namespace quendra {
namespace {

quint32 Be32(const QByteArray& d, qint64 at) {
    return qFromBigEndian<quint32>(reinterpret_cast<const uchar*>(d.constData()) + at);
}
quint16 Be16(const QByteArray& d, qint64 at) {
    return qFromBigEndian<quint16>(reinterpret_cast<const uchar*>(d.constData()) + at);
}

// Text of the message for an images file that exists but cannot be read; the same words as
// for a missing one.
void ReportUnreadableImagesFile(Host& host, const std::string& path) {
    host.ShowError("Cannot find images file:\r" + path +
                   "\rSome program components cannot be shown correctly.\r"
                   "Copy the file into the directory that above is specified\r"
                   "or reinstall the program.");
}

} // namespace

bool IsWellFormedResourceFile(const QByteArray& data) {
    const qint64 size = data.size();
    if (size < 20 || !data.startsWith("qres")) return false;
    const quint32 version = Be32(data, 4);
    if (version < 1 || version > 3) return false;
    const qint64 tree = Be32(data, 8), payload = Be32(data, 12), names = Be32(data, 16);
    if (tree >= size || payload > size || names > size) return false;
    const qint64 nodeSize = version >= 2 ? 22 : 14;

    auto nodeFits = [&](qint64 node) { return node >= 0 && tree + (node + 1) * nodeSize <= size; };
    auto nameFits = [&](qint64 offset) {
        const qint64 at = names + offset;
        return at + 6 <= size && at + 6 + 2 * qint64(Be16(data, at)) <= size;
    };
    // Walk the tree from its root; a node count beyond what the file can hold means a loop.
    std::vector<qint64> pending{0};
    qint64 visited = 0;
    const qint64 maxNodes = (size - tree) / nodeSize;
    while (!pending.empty()) {
        const qint64 node = pending.back();
        pending.pop_back();
        if (!nodeFits(node) || ++visited > maxNodes) return false;
        const qint64 at = tree + node * nodeSize;
        if (node != 0 && !nameFits(Be32(data, at))) return false;
        const quint16 flags = Be16(data, at + 4);
        if (flags & 0x02) { // a directory
            const qint64 count = Be32(data, at + 6), first = Be32(data, at + 10);
            if (count > maxNodes || (count > 0 && !nodeFits(first + count - 1))) return false;
            for (qint64 i = 0; i < count; ++i)
                pending.push_back(first + i);
        } else {
            const qint64 entry = payload + qint64(Be32(data, at + 10));
            if (entry + 4 > size || entry + 4 + qint64(Be32(data, entry)) > size) return false;
        }
    }
    return true;
}

ImagesModule::ImagesModule() = default;

ImagesModule::~ImagesModule() {
    Close();
}

bool ImagesModule::Open(Host& host, const std::string& path) {
    Close();
    if (!RequireImagesFile(host, path)) return false;
    QFile file(QString::fromStdString(path));
    const bool readable = file.open(QIODevice::ReadOnly);
    if (!readable || !IsWellFormedResourceFile(file.readAll())) {
        ReportUnreadableImagesFile(host, path);
        return false;
    }
    file.close();
    // Each open module has a root of its own, so that two never mix their names.
    const QString root = "/quendra-images-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
    if (!QResource::registerResource(QString::fromStdString(path), root)) {
        ReportUnreadableImagesFile(host, path);
        return false;
    }
    file_ = path;
    root_ = root;
    return true;
}

void ImagesModule::Close() {
    if (root_.isEmpty()) return;
    QResource::unregisterResource(QString::fromStdString(file_), root_);
    root_.clear();
    file_.clear();
    pictures_.clear();
}

QString ImagesModule::ResourcePath(const QString& fileName) const {
    return ":" + root_ + "/" + fileName;
}

QImage ImagesModule::LoadPicture(const QString& name) const {
    if (root_.isEmpty() || name.isEmpty()) return {};
    const auto cached = pictures_.constFind(name);
    if (cached != pictures_.cend()) return *cached;
    QImage image;
    // A damaged picture decodes to an empty image, like a missing one.
    if (QFile::exists(ResourcePath(name + ".png"))) image.load(ResourcePath(name + ".png"), "PNG");
    pictures_.insert(name, image);
    return image;
}

QImage ImagesModule::LoadPicture(const QString& name, qreal devicePixelRatio) const {
    if (devicePixelRatio > 1.0) {
        QImage sharp = LoadPicture(name + "@2x");
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return LoadPicture(name);
}

bool ImagesModule::HasPicture(const QString& name) const {
    return !root_.isEmpty() && !name.isEmpty() && QFile::exists(ResourcePath(name + ".png"));
}

QByteArray ImagesModule::LoadSound(const QString& name) const {
    if (root_.isEmpty() || name.isEmpty()) return {};
    QFile file(ResourcePath(name + ".wav"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

bool ImagesModule::HasSound(const QString& name) const {
    return !root_.isEmpty() && !name.isEmpty() && QFile::exists(ResourcePath(name + ".wav"));
}

ImagesModule::CursorPicture ImagesModule::LoadCursor(const QString& name,
                                                     qreal devicePixelRatio) const {
    CursorPicture cursor;
    cursor.image = LoadPicture(name, devicePixelRatio);
    if (cursor.image.isNull()) return cursor;
    // The hot spot is stored in pixels of the picture; QCursor wants it in logical pixels.
    const qreal ratio = cursor.image.devicePixelRatio();
    cursor.hotSpot = QPoint(qRound(cursor.image.text("HotSpotX").toInt() / ratio),
                            qRound(cursor.image.text("HotSpotY").toInt() / ratio));
    return cursor;
}

std::vector<int> ImagesModule::Numbered(const QString& prefix, const QString& suffix) const {
    std::vector<int> numbers;
    if (root_.isEmpty()) return numbers;
    const QStringList files =
        QDir(":" + root_).entryList({prefix + "???" + suffix + ".png"}, QDir::Files, QDir::Name);
    for (const QString& f : files) {
        bool ok = false;
        const int n = f.mid(prefix.size(), 3).toInt(&ok);
        if (ok) numbers.push_back(n);
    }
    return numbers;
}

std::vector<int> ImagesModule::FaceSets(char size) const {
    std::vector<int> sets;
    for (int n : Numbered(QString("C%1").arg(size), "H")) {
        const QString code = QString("C%1%2").arg(size).arg(n, 3, 10, QChar('0'));
        if (HasPicture(code + "D") && HasPicture(code + "C") && HasPicture(code + "S"))
            sets.push_back(n);
    }
    return sets;
}

std::vector<int> ImagesModule::Backs(char size) const {
    return Numbered(QString("D%1").arg(size), "");
}

std::vector<int> ImagesModule::Backgrounds() const {
    return Numbered("B", "");
}

} // namespace quendra
