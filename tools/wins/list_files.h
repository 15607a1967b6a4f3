#pragma once

// What the generators of winning lists share: the play command's confirmation of a line, the
// list file it is kept in, and the handling of bad options.

#include "cli.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace quendra {

// The play command wins the deal with the whole line, every move applied, and does not win
// without its last move (with "Au&toplay" ticked when `autoplay`).
bool PlayConfirms(InProcessCli& cli, int game, long long deal, const std::vector<std::string>& line,
                  bool autoplay);

// Writes the line as `dir`/NNNN-deal-D.moves, led by "# game N deal D [autoplay]", making the
// folder when needed; std::runtime_error when the file cannot be written.
void WriteWinningList(const std::filesystem::path& dir, int game, long long deal, bool autoplay,
                      const std::vector<std::string>& line);

// The number given with option `name`: 1 to 13 digits (a deal number), else
// std::invalid_argument.
long long OptionNumber(const std::string& name, const std::string& text);

// The tool in-process on a fresh scratch program folder below the system's temporary folder
// (named `prefix` and a random number), with the built catalogue of `binDir`.
void UseScratchFolder(InProcessCli& cli, const std::string& prefix, const std::string& binDir);

// A generator's main: runs `generate`, and answers a bad option (std::invalid_argument or a
// UsageError) with the program's name, the reason and, for an option, the usage; exit 2.
int RunGenerator(const char* name, const char* usage, const std::function<int()>& generate);

} // namespace quendra
