#pragma once

#include "game_context.h"
#include "host.h"

#include <string>

namespace quendra {

// The data files of statistics, hi-scores and series start with "[Version]" and
// "Version=0300".
inline constexpr const char* kDataFilesVersion = "0300";

// Creates the folder "DATA" under the program directory unless it exists in any letter case.
bool EnsureDataDirectory(const std::string& programDir);

// Creates "Data\Stat_scr.dat", "Data\Series_scr.dat" and "DATA\STAT.DAT" with their version
// section when they do not exist.
bool EnsureVersionedFiles(GameContext& ctx);

// Brings a hi-score file of an older version to "0300": the version section first, then the
// old lines without their version lines, each entry line (starting with "0") padded to 89
// characters with " x" after it. Whenever the file exists, the preferences Cards_Animate and
// ConfirmQuit holding "S" become "Y".
bool UpgradeScoreFile(GameContext& ctx);

// A required file that is missing is reported in an error box and gives false; the caller
// then ends the program, as there is nothing useful to do without the file.
bool RequireFile(Host& host, const std::string& path);
// The same for the images module.
bool RequireImagesFile(Host& host, const std::string& path);

} // namespace quendra
