#pragma once

#include "module_output.h"
#include "text_paths.h"

namespace quendra::imagegen {

// The empty-pile marks "W" + size + mark for sizes B, M, L (each with "@2x"), the shadow
// strips "SHADOW_" + size + "1"/"2" and the pile-edge strips "3D_BORDER_" + size + "1"/"2".
void GenerateTableMarks(ModuleOutput& out, const FontFamilies& fonts);

// Number of table backgrounds: "B001" ... "B044".
inline constexpr int kBackgroundCount = 44;
// Plain colours, seamless textures and vertical gradients, all tiled over the table.
void GenerateBackgrounds(ModuleOutput& out);

} // namespace quendra::imagegen
