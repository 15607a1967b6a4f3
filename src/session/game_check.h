#pragma once

#include <string>
#include <vector>

namespace quendra {

// The size of the table a check deals for: the screen and, filling it, the drawing area.
struct CheckArea {
    int width = 1024;
    int height = 768;
};

// Deals one game of the catalogue headless and checks what a player would see go wrong:
// every card of the deck on the table exactly once, every pile the game uses placed inside
// the drawing area, no two piles on top of each other, and the same deal again on a second
// run. `gamesFile` is the catalogue to read. The result lists the problems; empty when the
// game is sound.
std::vector<std::string> CheckGame(const std::string& gamesFile, int number,
                                   const std::string& deal, const std::vector<CheckArea>& areas);

// Every listed game of the catalogue; the problems are prefixed with the game's number and
// name. False with a message in `problems` when the catalogue cannot be read.
bool CheckAllGames(const std::string& gamesFile, const std::string& deal,
                   const std::vector<CheckArea>& areas, std::vector<std::string>& problems,
                   int& gamesChecked);

} // namespace quendra
