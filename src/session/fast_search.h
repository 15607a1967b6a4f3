#pragma once

#include "game_context.h"

#include <string>
#include <string_view>
#include <vector>

namespace quendra {

// The fast-search window's lists: a flat list of games, by name, of one of six kinds. The
// kind is kept in the settings as Games_Fast_Search_Type.
enum class FastSearchType {
    AllGames = 0,
    Favourites = 1,
    Selected = 2,   // GAMES.DAT section [SectS]
    Customised = 3, // the player's customised games
    NeverWon = 4,   // catalogue games the current player has not won, played or not
    LastPlayed = 5, // the recently started games
};
inline constexpr int kFastSearchTypeCount = 6;
// A stored kind out of range reads as every game.
FastSearchType FastSearchTypeOf(int stored);

struct FastSearchEntry {
    int number = -1;
    std::string name;
    int type = 0;            // the catalogue type, for the game's icon
    bool customised = false; // a customised game (it has the customised games' icon)
    bool operator==(const FastSearchEntry&) const = default;
};

// The games of one kind, sorted by name (then number).
std::vector<FastSearchEntry> FastSearchGames(const GameContext& ctx, FastSearchType type);

// The games a section of GAMES.DAT lists ("[SectS]", "[SectO]", "[SectK]"), in file order;
// numbers that name no game are left out.
std::vector<int> SectionGameNumbers(const GameContext& ctx, std::string_view section);

} // namespace quendra
