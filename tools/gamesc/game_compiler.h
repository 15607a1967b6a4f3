#pragma once

#include "compile_error.h"
#include "game_source.h"
#include "param_keys.h"

#include <array>
#include <string>

namespace quendra::gamesc {

// One game as it goes into GAMES.DAT: catalogue data, the 490 parameters and the rules text.
struct CompiledGame {
    std::string file;
    int numberLine = 0;
    int nameLine = 0;
    int number = -1;
    std::string name;
    int type = 0;
    bool listed = true;
    bool isNew = false;
    bool inSelected = false; // [SectS] "Selected games"
    bool inOriginal = false; // [SectO] "Original games"
    bool inChildren = false; // [SectK] "Games for Children"
    std::array<int, kParamCount> params{};
    std::array<bool, kParamCount> set{}; // the parameters the source gave a value
    std::string rules;
};

// Interprets a parsed source. Every fault is added to `errors`; the result is only usable when
// no error was added.
CompiledGame CompileGame(const GameSource& source, ErrorList& errors);

} // namespace quendra::gamesc
