#pragma once

#include <string>

namespace quendra {

// Where the program keeps its data and finds its catalogue and images.
struct ProgramFiles {
    std::string programDir; // with a trailing '/'
    std::string gamesFile;  // GAMES.DAT as found; empty when nowhere
    std::string imagesFile; // SOL.RGF as found; empty when nowhere
};

// The program directory is `dirOption` when given; else the executable's folder when it
// holds GAMES.DAT and may be written; else $XDG_DATA_HOME/quendra2000 (by default
// ~/.local/share/quendra2000). The folder and its DATA folder are created when missing.
// GAMES.DAT and SOL.RGF are looked for in the program directory, then beside the
// executable, then in the installed share folder `shareDir` (relative to the executable's
// folder when relative, so an installed tree may move as a whole). False, with a reason,
// when the program directory cannot be made.
bool LocateProgramFiles(const std::string& dirOption, const std::string& exeDir,
                        const std::string& shareDir, ProgramFiles& files, std::string& error);

} // namespace quendra
