#pragma once

#include "module_output.h"
#include "text_paths.h"

namespace quendra::imagegen {

// The pause pictures, the poker score panel, the game browser's folder, type and rating
// icons, the card counter's cells and suits, the comment mark and the twelve table cursors
// (a cursor's hot spot is kept in the PNG text keys "HotSpotX" and "HotSpotY").
void GeneratePanelsAndIcons(ModuleOutput& out, const FontFamilies& fonts);

} // namespace quendra::imagegen
