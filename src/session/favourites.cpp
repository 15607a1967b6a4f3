#include "favourites.h"

#include "cards.h"
#include "game_catalog.h"
#include "new_game.h"
#include "profile.h"
#include "settings.h"

#include <algorithm>
#include <array>

namespace quendra {

namespace {

constexpr const char* kFavourites = "Favourite Games";
constexpr const char* kRecentGames = "Last Played Games";
constexpr const char* kRecentDeals = "Game_Numbers";
constexpr int kRecentKept = 20;
constexpr int kFamilyParam = 50;

std::string ListKey(int index) {
    return "Game" + fnFormatNumber(index, 3);
}

// The 20 entries of a recent list, Game001 first; a missing key reads as empty.
std::vector<std::string> ReadRecent(const GameContext& ctx, const char* section) {
    const Profile profile = Profile::Load(SettingsFilePath(ctx));
    std::vector<std::string> list;
    for (int i = 1; i <= kRecentKept; ++i)
        list.push_back(profile.ReadString(section, ListKey(i), ""));
    return list;
}

bool WriteRecent(GameContext& ctx, const char* section, std::vector<std::string> list) {
    list.resize(kRecentKept);
    Profile profile = Profile::Load(SettingsFilePath(ctx));
    for (int i = 1; i <= kRecentKept; ++i)
        profile.WriteString(section, ListKey(i), list[static_cast<std::size_t>(i - 1)]);
    return profile.Save(ctx.host);
}

template <typename T> T PickOne(const std::vector<T>& from, std::mt19937& rng) {
    std::uniform_int_distribution<std::size_t> pick(0, from.size() - 1);
    return from[pick(rng)];
}

} // namespace

std::vector<std::string> FavouriteNames(const GameContext& ctx) {
    const Profile profile = Profile::Load(SettingsFilePath(ctx));
    std::vector<std::string> names;
    for (int i = 0; profile.HasKey(kFavourites, ListKey(i)); ++i)
        names.push_back(profile.ReadString(kFavourites, ListKey(i), ""));
    return names;
}

std::vector<FavouriteGame> FavouriteGames(const GameContext& ctx) {
    std::vector<FavouriteGame> games;
    for (const std::string& name : FavouriteNames(ctx)) {
        if (name.empty()) continue;
        const int number = GameNumber(ctx, name);
        if (number < 0) continue;
        const std::array<int, 1> rows = {kFamilyParam};
        games.push_back({number, name, ReadGameParams(ctx, number, rows)[0]});
    }
    return games;
}

bool WriteFavourites(GameContext& ctx, const std::vector<std::string>& names) {
    Profile profile = Profile::Load(SettingsFilePath(ctx));
    profile.EraseSection(kFavourites);
    for (std::size_t i = 0; i < names.size(); ++i)
        profile.WriteString(kFavourites, ListKey(static_cast<int>(i)), names[i]);
    return profile.Save(ctx.host);
}

bool RemoveFavourite(GameContext& ctx, const std::string& name) {
    std::vector<std::string> names = FavouriteNames(ctx);
    const auto at = std::ranges::find(names, name);
    if (at == names.end()) return true;
    names.erase(at);
    return WriteFavourites(ctx, names);
}

bool NoteDealNumber(GameContext& ctx, const std::string& deal) {
    std::vector<std::string> list = ReadRecent(ctx, kRecentDeals);
    std::erase(list, deal);
    list.insert(list.begin(), deal);
    return WriteRecent(ctx, kRecentDeals, std::move(list));
}

bool NoteGamePlayed(GameContext& ctx, int game) {
    const std::string code = fnFormatNumber(game, 4);
    std::vector<std::string> list = ReadRecent(ctx, kRecentGames);
    if (std::ranges::find(list, code) != list.end()) return true;
    list.insert(list.begin(), code);
    return WriteRecent(ctx, kRecentGames, std::move(list));
}

bool ForgetRecentGame(GameContext& ctx, int game) {
    std::vector<std::string> list = ReadRecent(ctx, kRecentGames);
    const auto at = std::ranges::find(list, fnFormatNumber(game, 4));
    if (at == list.end()) return true;
    list.erase(at);
    return WriteRecent(ctx, kRecentGames, std::move(list));
}

std::vector<int> RecentGames(const GameContext& ctx) {
    std::vector<int> games;
    for (const std::string& entry : ReadRecent(ctx, kRecentGames))
        if (const int number = ParseDigits(entry); number >= 0) games.push_back(number);
    return games;
}

std::vector<std::string> RecentDealNumbers(const GameContext& ctx) {
    std::vector<std::string> deals = ReadRecent(ctx, kRecentDeals);
    std::erase(deals, std::string{});
    return deals;
}

int RandomFavourite(const GameContext& ctx, std::mt19937& rng) {
    const std::vector<FavouriteGame> games = FavouriteGames(ctx);
    return games.empty() ? -1 : PickOne(games, rng).number;
}

int RandomGameFromAll(const GameContext& ctx, std::mt19937& rng) {
    const std::vector<int> games = CatalogueGameNumbers(ctx);
    return games.empty() ? -1 : PickOne(games, rng);
}

int PlayRandomGame(GameContext& ctx, RandomFrom from, std::mt19937& rng) {
    const int game =
        from == RandomFrom::Favourites ? RandomFavourite(ctx, rng) : RandomGameFromAll(ctx, rng);
    if (game < 0) return -1;
    const std::string player = GetSetting(ctx.settings, field::kUserDefault);
    // The drawn game may be the one in progress: a new deal of it is still a new game.
    if (ParseDigits(GetSetting(ctx.settings, field::kGameNumber)) == game) {
        const bool wasInPlay = ctx.flags[GameStateFlags::kInPlay] != 0;
        const std::string deal = GetSetting(ctx.settings, field::kDealNumber);
        NewGameCommand(ctx); // asks to leave the game in progress
        const bool started = ctx.flags[GameStateFlags::kInPlay] &&
                             (!wasInPlay || GetSetting(ctx.settings, field::kDealNumber) != deal);
        return started ? game : -1;
    }
    return SelectAndStartGame(ctx, game, GameName(ctx, game), player, kNewDealNumber, true) ? game
                                                                                            : -1;
}

} // namespace quendra
