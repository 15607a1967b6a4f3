// quendra-gamesc OUT_GAMES_DAT OUT_RULES SOURCE_FILES...
// Compiles the catalogue sources of games/ into GAMES.DAT and RULES.DAT. Every fault is
// printed as "file:line: message"; any fault leaves the outputs untouched and exits with 1.

#include "catalogue_build.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: quendra-gamesc OUT_GAMES_DAT OUT_RULES SOURCE_FILES...\n";
        return 2;
    }
    const std::vector<std::string> sources(argv + 3, argv + argc);
    quendra::gamesc::ErrorList errors;
    const bool ok = quendra::gamesc::BuildCatalogue(sources, argv[1], argv[2], errors);
    for (const quendra::gamesc::CompileError& error : errors)
        std::cerr << error.Text() << '\n';
    return ok ? 0 : 1;
}
