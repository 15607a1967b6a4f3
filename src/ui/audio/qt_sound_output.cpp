// The audio module: plays the sound player's WAV files through Qt Multimedia.

#include "sound_output.h"

#include <QAudioDevice>
#include <QHash>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace quendra {
namespace {

class QtSoundOutput final : public SoundOutput {
  public:
    ~QtSoundOutput() override {
        Stop();
        qDeleteAll(effects_);
    }

    bool HasDevice() override { return !QMediaDevices::audioOutputs().isEmpty(); }

    void Play(const QString& path, bool loop) override {
        Stop();
        QSoundEffect*& effect = effects_[path];
        if (!effect) {
            // Each file is read once and kept ready for the next time.
            effect = new QSoundEffect;
            effect->setSource(QUrl::fromLocalFile(path));
        }
        effect->setLoopCount(loop ? QSoundEffect::Infinite : 1);
        effect->play();
        playing_ = effect;
    }

    void Stop() override {
        if (playing_) playing_->stop();
        playing_ = nullptr;
    }

    bool IsPlaying() const override { return playing_ && playing_->isPlaying(); }

  private:
    QHash<QString, QSoundEffect*> effects_;
    QSoundEffect* playing_ = nullptr;
};

} // namespace
} // namespace quendra

extern "C" Q_DECL_EXPORT quendra::SoundOutput* quendra_create_sound_output() {
    return new quendra::QtSoundOutput;
}
