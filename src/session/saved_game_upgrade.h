#pragma once

#include "table.h"
#include "undo_history.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quendra {

// Older saved-game versions grew the table by inserting empty pile lines. One table of
// insertions serves the file's own pile lines and every step of its undo history, so a
// step always has the shape of the table it copies.

// The version this program writes.
inline constexpr const char* kSavedGameVersion = "0530";

// Lines of a saved game before its pile lines, and the groups of the pile lines.
inline constexpr int kFirstPileLine = 12;
inline constexpr int kPileGroups = 4;
// Lines per step in each undo stack of a file of `version`: stock, foundations, tableau,
// reserves (3, 16, 40, 10 for the current version).
std::array<int, kPileGroups> PileGroupSizes(std::string_view version);
// The number of pile lines in a file of `version`.
int PileLineCount(std::string_view version);

// Brings the lines of a file of `version` to the current version: line 1 gains the missing
// foundation parameters and the pile lines their empty lines. The file must hold at least
// its header, line 1, the ten empty lines and its pile lines.
void UpgradeFileLines(std::vector<std::string>& lines, std::string_view version);

// Brings every step of the undo stacks of a file of `version` to the current shape. False
// when a stack does not hold whole steps of its version or the stacks disagree on the
// number of steps (nothing then changes).
bool UpgradeUndoSteps(UndoSide& undo, std::string_view version);

} // namespace quendra
