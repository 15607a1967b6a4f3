#pragma once

#include "compile_error.h"
#include "game_compiler.h"

#include <string>
#include <vector>

namespace quendra::gamesc {

// Reads and compiles every source; adds every fault to `errors`. The games come back in
// catalogue order.
std::vector<CompiledGame> CompileSources(const std::vector<std::string>& paths, ErrorList& errors);

// Compiles the sources and, when there is no fault, writes GAMES.DAT and the rules file
// (each through a temporary file renamed over the old one). False when anything failed.
bool BuildCatalogue(const std::vector<std::string>& paths, const std::string& gamesDatPath,
                    const std::string& rulesPath, ErrorList& errors);

} // namespace quendra::gamesc
