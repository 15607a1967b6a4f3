#pragma once

#include "module_output.h"

namespace quendra::imagegen {

// Number of card backs: "D" + size + "001" to "030".
inline constexpr int kBackCount = 30;

// The backs "DB001" ... "DB030" and "DL001" ... "DL030", and "DM011" (the one medium back
// drawn at its own size; the others are scaled from the large ones), each with "@2x".
void GenerateCardBacks(ModuleOutput& out);

} // namespace quendra::imagegen
