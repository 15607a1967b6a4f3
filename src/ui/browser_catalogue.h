#pragma once

#include "game_context.h"

#include <string>
#include <vector>

namespace quendra {

// The game browser's view of the catalogue: the fixed tree of folders, the games each folder
// lists, and the description of a game. Folder codes are negative, game codes are numbers.
namespace browser {

// Codes of the folders the program itself treats specially.
constexpr int kPlaceholder = -1;     // the child of a folder not filled yet
constexpr int kEmptyFavourites = -2; // "(Double click to customize)"
constexpr int kNoCustomGames = -3;   // "(How to customize a game)"
constexpr int kFavourites = -10;
constexpr int kFoldersList = -20;
constexpr int kAllGames = -30;
constexpr int kSelectedGames = -2010;
constexpr int kCustomGames = -2070;
constexpr int kGameType = -2020;
constexpr int kNewGames = -2080;
constexpr int kOtherGroups = -2090;
constexpr int kGameGroups = -1;
constexpr int kCustomGameType = 800;

// A node of the fixed tree: its text, its code, its parent's code (0 for a top node) and
// whether it lists games (filled on first opening) rather than holding other folders.
struct FixedNode {
    const char* text;
    int code;
    int parent;
    bool listsGames;
    const char* icon; // closed-folder picture; the open one ends in "2" instead of "1"
};
// The fixed tree, parents before their children, in display order.
const std::vector<FixedNode>& FixedTree();

// The folder-kind of a code.
enum class FolderKind { None, Favourites, GamesSection, Custom, Type, Group, New, All };
struct FolderRule {
    FolderKind kind = FolderKind::None;
    int type = 0;          // Type: the catalogue type
    int parameter = 0;     // Group: the parameter compared ...
    int value = 0;         // ... with this value
    const char* section{}; // GamesSection: "[SectS]", "[SectO]", "[SectK]"
};
FolderRule RuleOf(int code);

// The resource name of a game type's icon ("TREE5_KLONDIKE_TYPE"); `variant` is "", "_WIN"
// or "_NOWIN". Customised games (type 800) get the customised-games icon.
std::string TypeIconName(int type, const std::string& variant = "");

struct Entry {
    int number = -1;
    std::string name;
    int type = 0;
    bool isNew = false;
};

// The catalogue sorted by name (then type, then number), as every type, group and "all"
// folder lists it.
std::vector<Entry> SortedCatalogue(const GameContext& ctx);

// The games a folder lists, in display order; a folder that lists nothing gets the matching
// placeholder entry (number kEmptyFavourites or kNoCustomGames).
std::vector<Entry> FolderEntries(const GameContext& ctx, const std::vector<Entry>& sorted,
                                 int code);

// What the description panel shows of a game.
struct Description {
    std::string objective;
    std::string decks;
    std::string duration, durationPicture;
    std::string difficulty, difficultyPicture;
    std::string chance, chancePicture;
    std::string skill, skillPicture;
    std::string redeals;
    bool tutor = false; // the game can demonstrate itself
};
Description Describe(const GameContext& ctx, int number);

// Redeals as shown: -1 "Unlimited", otherwise the value less one, 0 staying 0.
std::string RedealsText(int value);

} // namespace browser
} // namespace quendra
