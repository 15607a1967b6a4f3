#pragma once

#include "host.h"

#include <string>
#include <vector>

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QPoint>
#include <QString>

namespace quendra {

// The images-and-sounds module SOL.RGF: a Qt binary resource file of PNG pictures
// ("<name>.png", with "<name>@2x.png" drawn at twice the size for sharp high-density
// screens) and WAV sounds ("<name>.wav"), fetched by the names the program asks for.
// Opening reads the file's directory of entries only; a picture is read from the file and
// decoded when first asked for, and kept. No other part of the file stays in memory.
class ImagesModule {
  public:
    ImagesModule();
    ~ImagesModule();
    ImagesModule(const ImagesModule&) = delete;
    ImagesModule& operator=(const ImagesModule&) = delete;

    // Opens the module at `path`. A missing or damaged file is reported through the host (the
    // images-file message) and gives false; the module then stays closed and every picture
    // and sound asked for is empty.
    bool Open(Host& host, const std::string& path);
    void Close();
    bool IsOpen() const { return !file_.empty(); }

    // The picture `name`; an empty image when the module lacks it.
    QImage LoadPicture(const QString& name) const;
    // The same for a screen of `devicePixelRatio`: above 1, the "@2x" picture (its device
    // pixel ratio set to 2) when the module has one.
    QImage LoadPicture(const QString& name, qreal devicePixelRatio) const;
    // As LoadPicture, but decoded afresh and not kept: for a picture its caller cuts up and
    // keeps in pieces (the card faces' suit sheets).
    QImage ReadPicture(const QString& name, qreal devicePixelRatio) const;
    bool HasPicture(const QString& name) const;

    // The WAV file of sound `name`, ready for QSoundEffect; empty when the module lacks it.
    QByteArray LoadSound(const QString& name) const;
    bool HasSound(const QString& name) const;

    // A table cursor ("CUR_ARROW1A" ...) with its hot spot; empty image when missing.
    struct CursorPicture {
        QImage image;
        QPoint hotSpot;
    };
    CursorPicture LoadCursor(const QString& name, qreal devicePixelRatio = 1.0) const;

    // What the customisation dialog lists: the face sets (three-digit numbers) that have all
    // four suit sheets at size letter `size`, the card backs at size "B" (or "L"), and the
    // table background pictures.
    std::vector<int> FaceSets(char size) const;
    std::vector<int> Backs(char size) const;
    std::vector<int> Backgrounds() const;

    // Where an entry's bytes lie in the file.
    struct Entry {
        qint64 offset = 0;
        qint64 size = 0;
        bool compressed = false; // zlib, as qCompress writes it
    };

  private:
    // The bytes of entry `fileName` ("CB001H.png"); empty when the module lacks it or the
    // file cannot be read.
    QByteArray ReadEntry(const QString& fileName) const;
    QImage Decode(const QString& name) const;
    std::vector<int> Numbered(const QString& prefix, const QString& suffix) const;

    std::string file_;
    QHash<QString, Entry> entries_;
    mutable QHash<QString, QImage> pictures_;
};

// True when `data` is a well-formed binary resource file: header, every tree node, name and
// data entry inside the file. When it is and `entries` is given, it receives every file
// entry by its path ("CB001H.png", "folder/name.wav"); entries compressed otherwise than
// with zlib are left out.
bool IsWellFormedResourceFile(const QByteArray& data,
                              QHash<QString, ImagesModule::Entry>* entries = nullptr);

} // namespace quendra
