#pragma once

#include "game_context.h"

#include <random>
#include <string>
#include <vector>

namespace quendra {

// Favourite games, recent games and recent deal numbers, kept in the settings file:
// section "Favourite Games" (Game000, Game001, … game names, the player's order),
// "Last Played Games" and "Game_Numbers" (Game001 … Game020, newest first).

// Every favourite name as stored, reading up to the first missing key.
std::vector<std::string> FavouriteNames(const GameContext& ctx);
// The favourites that name a game of the catalogue (others are skipped), in order.
struct FavouriteGame {
    int number = 0;
    std::string name;
    int family = 0; // parameter 50 of the game, for the menu's family picture
};
std::vector<FavouriteGame> FavouriteGames(const GameContext& ctx);
// The favourites dialog's OK: erases the section and writes `names` as Game000, Game001, …
bool WriteFavourites(GameContext& ctx, const std::vector<std::string>& names);
// Deleting a customised game: its key goes and every later key moves down one.
bool RemoveFavourite(GameContext& ctx, const std::string& name);

// Call at the start of every game (after it was dealt).
// The deal number moves (or goes) to the front of "Game_Numbers"; 20 are kept.
bool NoteDealNumber(GameContext& ctx, const std::string& deal);
// A game not yet in "Last Played Games" goes to the front (the oldest of 20 falls off); a
// game already there keeps its place.
bool NoteGamePlayed(GameContext& ctx, int game);
// A deleted customised game leaves "Last Played Games".
bool ForgetRecentGame(GameContext& ctx, int game);
// The lists, newest first, empty entries left out.
std::vector<int> RecentGames(const GameContext& ctx);
std::vector<std::string> RecentDealNumbers(const GameContext& ctx);

// Random game. From the favourites: one of FavouriteGames, each as likely; -1 when there is
// none (the window then asks kNoFavouritesQuestion, Yes opening the favourites dialog).
// From all games: any game of the catalogue with a name, each as likely (every game can be
// drawn).
int RandomFavourite(const GameContext& ctx, std::mt19937& rng);
int RandomGameFromAll(const GameContext& ctx, std::mt19937& rng);

inline constexpr const char* kNoFavouritesQuestion =
    "You haven't selected any favorite game.\rDo you want to select now your favorite games?";

enum class RandomFrom { Favourites = 1, AllGames = 2 };
// "R&andom game": draws the game, asks to leave the game in progress and starts the drawn
// game for the current player on a new deal. Returns the game started; -1 when nothing was
// started (no favourites: ask kNoFavouritesQuestion; or the player declined).
int PlayRandomGame(GameContext& ctx, RandomFrom from, std::mt19937& rng);

} // namespace quendra
