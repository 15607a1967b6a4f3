#pragma once

#include "cards.h"
#include "fake_host.h"
#include "game_catalog.h"
#include "game_context.h"
#include "new_game.h"
#include "settings.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace quendra::test {

// A player who hears nothing, sees no card fly and may take back every move.
inline void QuietPlayer(GameContext& ctx) {
    SetSetting(ctx.settings, field::kAutomaticFaceUp, "Y");
    SetSetting(ctx.settings, field::kSoundsEnabled, "N");
    SetSetting(ctx.settings, field::kCardsAnimate, "N");
    SetSetting(ctx.settings, field::kDealAnimation, "N");
    SetSetting(ctx.settings, field::kUndoMode, "0");
}

// A game of the built catalogue dealt in a fresh context, silent and without animation; for
// `player`, in the program folder `programDir` when one is given.
struct DealtGame {
    FakeHost host;
    GameContext ctx{host};

    DealtGame(int game, const std::string& deal, const std::string& programDir = {},
              const std::string& player = {}) {
        if (!programDir.empty()) SetProgramDir(ctx, programDir);
        ctx.gamesFile = QUENDRA_GAMES_DAT;
        EXPECT_TRUE(LoadGameList(ctx));
        QuietPlayer(ctx);
        SetSetting(ctx.settings, field::kDealNumber, deal);
        EXPECT_TRUE(
            SelectAndStartGame(ctx, game, GameName(ctx, game), player, kKeepDealNumber, false));
        ctx.play.autoplayTicked = false;
        ctx.play.autoplayEnabled = true;
    }
};

// The games of the catalogue, in its order.
inline std::vector<int> CatalogueGames() {
    FakeHost host;
    GameContext ctx(host);
    ctx.gamesFile = QUENDRA_GAMES_DAT;
    std::vector<int> games;
    if (!LoadGameList(ctx)) return games;
    for (const std::string& line : ctx.mainGame.GameList)
        games.push_back(ParseDigits(line.substr(4, 3)));
    return games;
}

inline constexpr PileRef Fila(int i) {
    return {PileGroupId::Fila, i};
}
inline constexpr PileRef Dest(int i) {
    return {PileGroupId::Dest, i};
}
inline constexpr PileRef Appogg(int i) {
    return {PileGroupId::Appogg, i};
}
inline constexpr PileRef kStock{PileGroupId::Stock, kMazzo};
inline constexpr PileRef kWaste{PileGroupId::Stock, kMazzoVis};

} // namespace quendra::test
