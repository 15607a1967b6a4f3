#pragma once

#include "game_context.h"

namespace quendra {

// Undo levels of the settings record ("Undo_Enabled").
namespace undo_level {
constexpr char kUnlimited = '0';
constexpr char kOnlyOne = '1';
constexpr char kDisabled = '2';
} // namespace undo_level

// Takes the newest step back: the table, the pass number and the deal count return to what
// they were before it. A refusal is a beep; false then.
bool Undo(GameContext& ctx);
// Plays the newest undone step again.
bool Redo(GameContext& ctx);

} // namespace quendra
