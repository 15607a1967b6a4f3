#include "images_module.h"

#include "data_files.h"

#include <algorithm>

#include <QFile>
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

bool IsWellFormedResourceFile(const QByteArray& data,
                              QHash<QString, ImagesModule::Entry>* entries) {
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
    // A name: its length in UTF-16 units, a hash, then the units, high byte first.
    auto name = [&](qint64 offset) {
        const qint64 at = names + offset;
        QString text(Be16(data, at), Qt::Uninitialized);
        for (qsizetype i = 0; i < text.size(); ++i)
            text[i] = QChar(Be16(data, at + 6 + 2 * i));
        return text;
    };
    QHash<QString, ImagesModule::Entry> found;
    // Walk the tree from its root; a node count beyond what the file can hold means a loop.
    std::vector<std::pair<qint64, QString>> pending{{0, QString()}};
    qint64 visited = 0;
    const qint64 maxNodes = (size - tree) / nodeSize;
    while (!pending.empty()) {
        const auto [node, folder] = pending.back();
        pending.pop_back();
        if (!nodeFits(node) || ++visited > maxNodes) return false;
        const qint64 at = tree + node * nodeSize;
        if (node != 0 && !nameFits(Be32(data, at))) return false;
        QString path;
        if (entries && node != 0) path = folder + name(Be32(data, at));
        const quint16 flags = Be16(data, at + 4);
        if (flags & 0x02) { // a directory
            const qint64 count = Be32(data, at + 6), first = Be32(data, at + 10);
            if (count > maxNodes || (count > 0 && !nodeFits(first + count - 1))) return false;
            for (qint64 i = 0; i < count; ++i)
                pending.emplace_back(first + i, path.isEmpty() ? path : path + '/');
        } else {
            const qint64 entry = payload + qint64(Be32(data, at + 10));
            if (entry + 4 > size || entry + 4 + qint64(Be32(data, entry)) > size) return false;
            // Bit 1: zlib; bit 4: zstd, which is not read.
            if (entries && !(flags & 0x04))
                found.insert(path, {entry + 4, qint64(Be32(data, entry)), (flags & 0x01) != 0});
        }
    }
    if (entries) entries->swap(found);
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
    // The whole file is looked at once, mapped rather than copied, to check it and list its
    // entries; then it is let go.
    QHash<QString, Entry> entries;
    bool wellFormed = false;
    if (file.open(QIODevice::ReadOnly)) {
        if (uchar* mapped = file.map(0, file.size())) {
            wellFormed = IsWellFormedResourceFile(
                QByteArray::fromRawData(reinterpret_cast<const char*>(mapped), file.size()),
                &entries);
            file.unmap(mapped);
        } else {
            wellFormed = IsWellFormedResourceFile(file.readAll(), &entries);
        }
    }
    if (!wellFormed) {
        ReportUnreadableImagesFile(host, path);
        return false;
    }
    file_ = path;
    entries_.swap(entries);
    return true;
}

void ImagesModule::Close() {
    file_.clear();
    entries_.clear();
    pictures_.clear();
}

QByteArray ImagesModule::ReadEntry(const QString& fileName) const {
    const auto entry = entries_.constFind(fileName);
    if (entry == entries_.cend()) return {};
    QFile file(QString::fromStdString(file_));
    if (!file.open(QIODevice::ReadOnly) || !file.seek(entry->offset)) return {};
    const QByteArray bytes = file.read(entry->size);
    if (bytes.size() != entry->size) return {};
    return entry->compressed ? qUncompress(bytes) : bytes;
}

QImage ImagesModule::Decode(const QString& name) const {
    if (!IsOpen() || name.isEmpty()) return {};
    QImage image;
    // A damaged picture decodes to an empty image, like a missing one.
    const QByteArray bytes = ReadEntry(name + ".png");
    if (!bytes.isEmpty()) image.loadFromData(bytes, "PNG");
    return image;
}

QImage ImagesModule::LoadPicture(const QString& name) const {
    if (!IsOpen() || name.isEmpty()) return {};
    const auto cached = pictures_.constFind(name);
    if (cached != pictures_.cend()) return *cached;
    const QImage image = Decode(name);
    pictures_.insert(name, image);
    return image;
}

namespace {

// The "@2x" picture for a screen of `devicePixelRatio` above 1, its own ratio set to 2, when
// `read` finds one; else the picture itself.
template <typename Read>
QImage AtRatio(const QString& name, qreal devicePixelRatio, const Read& read) {
    if (devicePixelRatio > 1.0) {
        QImage sharp = read(name + "@2x");
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return read(name);
}

} // namespace

QImage ImagesModule::LoadPicture(const QString& name, qreal devicePixelRatio) const {
    return AtRatio(name, devicePixelRatio, [this](const QString& n) { return LoadPicture(n); });
}

QImage ImagesModule::ReadPicture(const QString& name, qreal devicePixelRatio) const {
    return AtRatio(name, devicePixelRatio, [this](const QString& n) { return Decode(n); });
}

bool ImagesModule::HasPicture(const QString& name) const {
    return !name.isEmpty() && entries_.contains(name + ".png");
}

QByteArray ImagesModule::LoadSound(const QString& name) const {
    if (name.isEmpty()) return {};
    return ReadEntry(name + ".wav");
}

bool ImagesModule::HasSound(const QString& name) const {
    return !name.isEmpty() && entries_.contains(name + ".wav");
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
    // "<prefix>NNN<suffix>.png" at the top of the module, in the order of their numbers.
    std::vector<int> numbers;
    const QString ending = suffix + ".png";
    for (auto entry = entries_.cbegin(); entry != entries_.cend(); ++entry) {
        const QString& fileName = entry.key();
        if (fileName.size() != prefix.size() + 3 + ending.size() || !fileName.startsWith(prefix) ||
            !fileName.endsWith(ending))
            continue;
        const QStringView digits = QStringView(fileName).mid(prefix.size(), 3);
        bool ok = std::all_of(digits.begin(), digits.end(), [](QChar c) { return c.isDigit(); });
        const int n = ok ? digits.toInt(&ok) : 0;
        if (ok) numbers.push_back(n);
    }
    std::sort(numbers.begin(), numbers.end());
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
