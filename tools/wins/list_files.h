#pragma once

// What both generators of winning lists share: the play command's confirmation of a line and
// the list file it is kept in.

#include "cli.h"

#include <filesystem>
#include <string>
#include <vector>

namespace quendra {

// The play command wins the deal with the whole line, every move applied, and does not win
// without its last move (with "Au&toplay" ticked when `autoplay`).
bool PlayConfirms(InProcessCli& cli, int game, long long deal, const std::vector<std::string>& line,
                  bool autoplay);

// Writes the line as `dir`/NNNN-deal-D.moves, led by "# game N deal D [autoplay]".
void WriteWinningList(const std::filesystem::path& dir, int game, long long deal, bool autoplay,
                      const std::vector<std::string>& line);

} // namespace quendra
