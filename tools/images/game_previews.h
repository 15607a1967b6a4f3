#pragma once

#include "module_output.h"
#include "text_paths.h"

#include <QString>

namespace quendra::imagegen {

// One preview "GAME" + number in four digits for every game of the catalogue `gamesDat`:
// a small table with the game's stock, foundations, reserves and tableau piles, on a ground
// whose top-left pixel is the colour made transparent. Without a catalogue, none.
void GenerateGamePreviews(ModuleOutput& out, const FontFamilies& fonts, const QString& gamesDat);

} // namespace quendra::imagegen
