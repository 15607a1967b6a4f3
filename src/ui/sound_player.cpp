#include "sound_player.h"

#include "images_module.h"

#include <QAudioDevice>
#include <QEventLoop>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>
#include <QtEndian>

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
    if (!hasOutput_) hasOutput_ = !QMediaDevices::audioOutputs().isEmpty();
    return *hasOutput_;
}

SoundPlayer::~SoundPlayer() {
    Stop();
}

QSoundEffect* SoundPlayer::EffectFor(const QString& name) {
    if (auto found = effects_.find(name); found != effects_.end()) return found.value();
    const QByteArray wav = images_.LoadSound(name);
    if (wav.isEmpty() || !folder_.isValid()) return nullptr;
    const QString path = folder_.filePath(name + QStringLiteral(".wav"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(wav) != wav.size()) return nullptr;
    file.close();
    auto* effect = new QSoundEffect(this);
    effect->setSource(QUrl::fromLocalFile(path));
    effects_.insert(name, effect);
    durations_.insert(name, WavDuration(wav));
    return effect;
}

void SoundPlayer::Play(const QString& name, SoundMode mode) {
    Stop();
    if (!images_.HasSound(name)) return;
    current_ = name;
    if (!HasOutput()) return;
    QSoundEffect* effect = EffectFor(name);
    if (!effect) return;
    effect->setLoopCount(mode == SoundMode::Loop ? QSoundEffect::Infinite : 1);
    effect->play();
    playing_ = effect;
    if (mode == SoundMode::Wait) WaitUntilEnded(effect, durations_.value(name));
}

void SoundPlayer::WaitUntilEnded(QSoundEffect* effect, int milliseconds) {
    // The effect may never report its end when the device fails, so the length of the
    // sound bounds the wait.
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(effect, &QSoundEffect::playingChanged, &loop, [&loop, effect] {
        if (!effect->isPlaying()) loop.quit();
    });
    limit.start(milliseconds + 100);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    current_.clear();
    playing_ = nullptr;
}

void SoundPlayer::Stop() {
    if (playing_) playing_->stop();
    playing_ = nullptr;
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
