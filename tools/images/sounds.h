#pragma once

#include "module_output.h"

#include <vector>

#include <QByteArray>

namespace quendra::imagegen {

// 16-bit mono PCM samples wrapped as a WAV file.
QByteArray WavFile(const std::vector<float>& samples, int sampleRate);

// Every sound of the sound table, synthesised: "About", "Autoplay", "Foundation", ... "_t1dz".
void GenerateSounds(ModuleOutput& out);

} // namespace quendra::imagegen
