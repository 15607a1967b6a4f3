#include "autoplay_setting.h"

#include "cards.h"
#include "game_catalog.h"
#include "settings.h"

#include <cstddef>
#include <string>

namespace quendra {

namespace {

constexpr std::size_t kInitialGames = 245;

} // namespace

std::string CustomAutoplayKey(int game) {
    return "Cust_" + fnFormatNumber(game, 4);
}

bool AutoplayWanted(const GameContext& ctx, int game) {
    if (AutoPlayAllGames(ctx) || game < 0) return AutoPlayOn(ctx);
    if (game >= kFirstCustomGame)
        return ReadSettingString(ctx, "Autoplay", CustomAutoplayKey(game), "Y") != "N";
    const std::string games = ReadSettingString(ctx, "Autoplay", "Games", "");
    const auto at = static_cast<std::size_t>(game);
    return at >= games.size() || games[at] != 'N';
}

void StoreAutoplay(GameContext& ctx, int game, bool on) {
    if (AutoPlayAllGames(ctx) || game < 0) {
        SetAutoPlayOn(ctx, on);
        return;
    }
    if (game >= kFirstCustomGame) {
        WriteSettingString(ctx, "Autoplay", CustomAutoplayKey(game), on ? "Y" : "N");
        return;
    }
    std::string games =
        ReadSettingString(ctx, "Autoplay", "Games", std::string(kInitialGames, 'Y'));
    const auto at = static_cast<std::size_t>(game);
    if (at >= games.size()) games.resize(at + 10, 'Y');
    games[at] = on ? 'Y' : 'N';
    WriteSettingString(ctx, "Autoplay", "Games", games);
}

} // namespace quendra
