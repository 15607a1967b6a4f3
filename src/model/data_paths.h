#pragma once

#include <string>
#include <string_view>

namespace quendra {

// Turns a data path written the Windows way ("DATA\Stat_scr.dat") into a path below the
// program directory, matching each part against what exists without regard to case, so
// every spelling of a file reaches the same file. Parts that do not exist keep the spelling
// given.
std::string ResolveDataPath(std::string_view programDir, std::string_view relative);

// The same for a path that is already whole (absolute or relative to the working folder).
std::string ResolveCaseInsensitive(std::string_view path);

bool FileExists(const std::string& path);

} // namespace quendra
