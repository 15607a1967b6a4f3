#pragma once

#include "compile_error.h"
#include "game_compiler.h"

#include <string>
#include <vector>

namespace quendra::gamesc {

// Checks what no single source can see: two games with one number, or with one name (names
// are compared ignoring letter case, as the program looks them up).
void CheckCatalogue(const std::vector<CompiledGame>& games, ErrorList& errors);

// The games in catalogue order: by game number.
std::vector<CompiledGame> CatalogueOrder(std::vector<CompiledGame> games);

// The plain (unshifted) catalogue line of a game.
std::string CatalogueLine(const CompiledGame& game);
// The plain 10-character value field of a parameter row.
std::string ValueField(int value);

// The whole GAMES.DAT text, CR LF line ends, for games in catalogue order.
std::string GamesDatText(const std::vector<CompiledGame>& games);
// The whole RULES.DAT text: "[nnnn] name" then the rules lines, for every game.
std::string RulesDatText(const std::vector<CompiledGame>& games);

} // namespace quendra::gamesc
