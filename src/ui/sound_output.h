#pragma once

#include <QString>

namespace quendra {

// The audio device as the sound player sees it: one WAV file at a time. It lives in a module
// of its own (quendra_audio), loaded when the first sound plays, so that the audio libraries
// cost nothing at start-up and nothing at all where sounds stay off.
class SoundOutput {
  public:
    virtual ~SoundOutput() = default;
    // Whether there is a device to play on.
    virtual bool HasDevice() = 0;
    // Starts the WAV file at `path`, once or over and over; cuts off what was playing.
    virtual void Play(const QString& path, bool loop) = 0;
    virtual void Stop() = 0;
    virtual bool IsPlaying() const = 0;
};

// The module's entry: a new output, owned by the caller.
using CreateSoundOutputFunction = SoundOutput* (*)();
inline constexpr char kSoundOutputEntry[] = "quendra_create_sound_output";
// The module's file name: beside the program in the build tree, in the installed module
// folder (QUENDRA_AUDIO_DIR, relative to the program's folder) once installed.
inline constexpr char kSoundOutputModule[] = "quendra_audio";

} // namespace quendra
