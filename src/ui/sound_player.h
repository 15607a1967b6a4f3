#pragma once

#include "game_context.h"
#include "settings_record.h"

#include <memory>
#include <optional>

#include <QHash>
#include <QObject>
#include <QString>
#include <QTemporaryDir>

namespace quendra {

class ImagesModule;
class SoundOutput;

// How a sound is played: returning at once, returning when it has ended, or over and over
// until another sound or the stop ends it.
enum class SoundMode { Async, Wait, Loop };

// The mode each sound of the images module is played in.
SoundMode ModeForSound(const QString& name);

// Plays the WAV sounds of the images module. Each sound is written once to a private
// temporary folder, as the audio device plays files. The audio module is loaded when the first
// sound plays; where it or an audio device is missing (servers, tests) nothing is played and
// nothing waits.
class SoundPlayer : public QObject {
    Q_OBJECT
  public:
    explicit SoundPlayer(const ImagesModule& images, QObject* parent = nullptr);
    ~SoundPlayer() override;

    // A new sound cuts off the one playing; a name the module lacks only stops it.
    void Play(const QString& name, SoundMode mode);
    void Stop();

    // The sound last started and not stopped since; empty when none.
    QString Current() const { return current_; }
    // Whether sounds reach an audio device. The devices are looked for when a sound first
    // plays (or this is first asked), not at start-up: the audio system is slow to wake.
    bool HasOutput() const;
    // Whether the audio module was found beside the program (looked for as above).
    bool HasAudioModule() const;

  private:
    // The WAV file of a sound, written on first use; empty when it cannot be.
    QString FileFor(const QString& name);
    void WaitUntilEnded(int milliseconds);

    const ImagesModule& images_;
    QTemporaryDir folder_;
    QHash<QString, QString> files_;
    QHash<QString, int> durations_;
    QString current_;
    mutable std::unique_ptr<SoundOutput> output_;
    mutable std::optional<bool> hasOutput_;
};

// Plays an event's sound when its switch and the master switch are both "Y".
void PlayEventSound(const GameContext& ctx, SoundPlayer& player, const QString& name,
                    field::Field soundSwitch);
// Plays a sound that only the master switch governs ("Reorder", "_t1dz").
void PlayMasterSound(const GameContext& ctx, SoundPlayer& player, const QString& name);
// Stops any playing sound unless sounds are switched off altogether.
void StopSounds(const GameContext& ctx, SoundPlayer& player);

} // namespace quendra
