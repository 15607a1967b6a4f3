#include "sound_player.h"

#include "images_module.h"
#include "sound_output.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QLibrary>
#include <QTimer>
#include <QtEndian>

// The installed audio module's folder, relative to the program's folder.
#ifndef QUENDRA_AUDIO_DIR
#define QUENDRA_AUDIO_DIR "."
#endif

namespace quendra {

namespace {

// The playing time of a PCM WAV file in milliseconds, from its format and data chunks;
// 0 when the header cannot be read.
int WavDuration(const QByteArray& wav) {
    if (wav.size() < 12 || !wav.startsWith("RIFF") || wav.mid(8, 4) != "WAVE") return 0;
    qint64 byteRate = 0;
    qint64 dataSize = 0;
    qsizetype at = 12;
    while (at + 8 <= wav.size()) {
        const QByteArray id = wav.mid(at, 4);
        const quint32 size = qFromLittleEndian<quint32>(wav.constData() + at + 4);
        if (id == "fmt " && at + 20 <= wav.size())
            byteRate = qFromLittleEndian<quint32>(wav.constData() + at + 16);
        else if (id == "data")
            dataSize = size;
        at += 8 + static_cast<qsizetype>(size) + (size & 1);
    }
    if (byteRate <= 0) return 0;
    return static_cast<int>(dataSize * 1000 / byteRate);
}

// The audio module beside the program (the build tree), else in the installed module folder;
// nothing when it is missing or not ours.
std::unique_ptr<SoundOutput> LoadSoundOutput() {
    const QString programDir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    for (const QString& dir : {programDir, programDir + QLatin1String(QUENDRA_AUDIO_DIR "/")}) {
        QLibrary module(dir + QLatin1String(kSoundOutputModule));
        if (const auto create =
                reinterpret_cast<CreateSoundOutputFunction>(module.resolve(kSoundOutputEntry)))
            return std::unique_ptr<SoundOutput>(create());
    }
    return nullptr;
}

bool SwitchOn(const GameContext& ctx, field::Field f) {
    return GetSetting(ctx.settings, f) == "Y";
}

} // namespace

SoundMode ModeForSound(const QString& name) {
    if (name == QLatin1String("New") || name == QLatin1String("Red_no_a")) return SoundMode::Wait;
    if (name == QLatin1String("Redeal")) return SoundMode::Loop;
    return SoundMode::Async;
}

SoundPlayer::SoundPlayer(const ImagesModule& images, QObject* parent)
    : QObject(parent), images_(images) {}

bool SoundPlayer::HasOutput() const {
    if (!hasOutput_) {
        output_ = LoadSoundOutput();
        hasOutput_ = output_ && output_->HasDevice();
    }
    return *hasOutput_;
}

bool SoundPlayer::HasAudioModule() const {
    HasOutput();
    return output_ != nullptr;
}

SoundPlayer::~SoundPlayer() {
    Stop();
}

QString SoundPlayer::FileFor(const QString& name) {
    if (auto found = files_.find(name); found != files_.end()) return found.value();
    const QByteArray wav = images_.LoadSound(name);
    if (wav.isEmpty() || !folder_.isValid()) return {};
    const QString path = folder_.filePath(name + QStringLiteral(".wav"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(wav) != wav.size()) return {};
    file.close();
    files_.insert(name, path);
    durations_.insert(name, WavDuration(wav));
    return path;
}

void SoundPlayer::Play(const QString& name, SoundMode mode) {
    Stop();
    if (!images_.HasSound(name)) return;
    current_ = name;
    if (!HasOutput()) return;
    const QString path = FileFor(name);
    if (path.isEmpty()) return;
    output_->Play(path, mode == SoundMode::Loop);
    if (mode == SoundMode::Wait) WaitUntilEnded(durations_.value(name));
}

void SoundPlayer::WaitUntilEnded(int milliseconds) {
    // The device may never report the end when it fails, so the length of the sound bounds
    // the wait. A sound still loading has not started yet: it ends once it has been heard.
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    QTimer poll;
    bool started = false;
    connect(&poll, &QTimer::timeout, &loop, [this, &loop, &started] {
        if (output_->IsPlaying())
            started = true;
        else if (started)
            loop.quit();
    });
    limit.start(milliseconds + 100);
    poll.start(10);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    current_.clear();
}

void SoundPlayer::Stop() {
    if (output_) output_->Stop();
    current_.clear();
}

void PlayEventSound(const GameContext& ctx, SoundPlayer& player, const QString& name,
                    field::Field soundSwitch) {
    if (SwitchOn(ctx, field::kSoundsEnabled) && SwitchOn(ctx, soundSwitch))
        player.Play(name, ModeForSound(name));
}

void PlayMasterSound(const GameContext& ctx, SoundPlayer& player, const QString& name) {
    if (SwitchOn(ctx, field::kSoundsEnabled)) player.Play(name, ModeForSound(name));
}

void StopSounds(const GameContext& ctx, SoundPlayer& player) {
    if (SwitchOn(ctx, field::kSoundsEnabled)) player.Stop();
}

} // namespace quendra
