#pragma once

#include "game_context.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quendra {

// Catalogue and parameter values are stored shifted by 48 character codes.
std::string fnUnshiftText(std::string_view stored);
// The inverse, used by the games compiler: every character from 32 to 126 has a stored form.
std::string fnShiftText(std::string_view plain);

// Reads a text file whole into lines; line ends CR LF or LF. False when it cannot be read.
bool ReadTextLines(const std::string& path, std::vector<std::string>& lines);
// The lines of every occurrence of a section "[Name]": after a line that starts with the
// header, up to the next line that starts with "[".
std::vector<std::string> SectionLines(const std::vector<std::string>& lines,
                                      std::string_view header);

// Where the catalogue is read from; set at start-up.
std::string GamesDatPath(const GameContext& ctx);
std::string CustomGamesPath(const GameContext& ctx);

// Reads "[Sect1]" of GAMES.DAT into TMainGame::GameList. False, with a message, when the
// file is missing or unreadable.
bool LoadGameList(GameContext& ctx);
// Loads the current game (settings field of the game number) into GameParams, with the
// overlay of a customised game, and keeps the rule copy. A value that is not a number, or a
// game that is not in the catalogue, is refused with a message naming the file, row and
// game column; the parameters are then left as they were.
bool LoadGameDefinition(GameContext& ctx);
void SaveRuleCopy(GameContext& ctx);
void RestoreRuleCopy(GameContext& ctx);

int GameColumn(const GameContext& ctx, int number);
std::string GameName(const GameContext& ctx, int number);
int GameNumber(const GameContext& ctx, std::string_view name);
int GameType(const GameContext& ctx, int number);
// The values of up to nine parameter rows of a game without loading it; -99 for a row not
// asked for (and for a row or game that is not there).
std::array<int, 9> ReadGameParams(const GameContext& ctx, int number, std::span<const int> rows);
// One line per catalogue game: the values of rows A and B, each in 10 digits.
std::vector<std::string> ReadParamPairs(const GameContext& ctx, int rowA, int rowB);

struct CustomGameInfo {
    int base = -1;       // the base game's number, -1 when not found
    std::string overlay; // record line 2
};
CustomGameInfo CustomGameBase(const GameContext& ctx, int number);

struct CustomGameLists {
    std::vector<std::string> names;    // 50 characters
    std::vector<std::string> numbers;  // 4 characters
    std::vector<std::string> bases;    // 4 characters
    std::vector<std::string> overlays; // first 7 characters of record line 2
};
bool ListCustomGames(const GameContext& ctx, CustomGameLists& lists);

std::vector<std::string> AllGameNames(const GameContext& ctx);
// The numbers of the catalogue's games that have a name, in list order.
std::vector<int> CatalogueGameNumbers(const GameContext& ctx);
bool CanPlayOnThisScreen(GameContext& ctx, int number);

} // namespace quendra
