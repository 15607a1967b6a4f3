#pragma once

#include "../model/fake_host.h"
#include "data_files.h"
#include "file_rewrite.h"
#include "game_catalog.h"
#include "game_context.h"
#include "move_finder.h"
#include "new_game.h"
#include "settings.h"

#include <filesystem>
#include <random>
#include <string>

#include <gtest/gtest.h>

namespace quendra::test {

// The program started on an existing program folder, with the built catalogue; no game yet.
struct ProgramStart {
    FakeHost host;
    GameContext ctx{host};

    explicit ProgramStart(const std::filesystem::path& dir) {
        SetProgramDir(ctx, dir.string());
        ctx.gamesFile = QUENDRA_GAMES_DAT;
        EXPECT_TRUE(LoadGameList(ctx));
        SetSetting(ctx.settings, field::kSoundsEnabled, "N");
        SetSetting(ctx.settings, field::kCardsAnimate, "N");
        SetSetting(ctx.settings, field::kDealAnimation, "N");
        SetSetting(ctx.settings, field::kUndoMode, "0");
    }
};

// A program folder of its own with the built catalogue and a game of it dealt, silent.
struct KeptGame {
    std::filesystem::path dir;
    FakeHost host;
    GameContext ctx{host};

    KeptGame(int game, const std::string& deal) {
        std::random_device rd;
        dir = std::filesystem::temp_directory_path() / ("quendra-keep-" + std::to_string(rd()));
        std::filesystem::create_directories(dir);
        SetProgramDir(ctx, dir.string());
        EnsureDataDirectory(ctx.ProgramDir());
        ctx.gamesFile = QUENDRA_GAMES_DAT;
        EXPECT_TRUE(LoadGameList(ctx));
        SetSetting(ctx.settings, field::kAutomaticFaceUp, "Y");
        SetSetting(ctx.settings, field::kSoundsEnabled, "N");
        SetSetting(ctx.settings, field::kCardsAnimate, "N");
        SetSetting(ctx.settings, field::kDealAnimation, "N");
        SetSetting(ctx.settings, field::kUndoMode, "0");
        SetSetting(ctx.settings, field::kStatsCode, "01");
        SetSetting(ctx.settings, field::kDealNumber, deal);
        EXPECT_TRUE(
            SelectAndStartGame(ctx, game, GameName(ctx, game), "Ann", kKeepDealNumber, false));
    }
    ~KeptGame() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    KeptGame(const KeptGame&) = delete;
    KeptGame& operator=(const KeptGame&) = delete;

    // Plays up to `moves` moves the finder sees; the number played.
    int Play(int moves) {
        int played = 0;
        while (played < moves && ctx.flags[GameStateFlags::kInPlay] &&
               FindAndPlayNextMove(ctx, false))
            ++played;
        return played;
    }
    std::string File(const std::string& name) const { return (dir / name).string(); }
    static std::string Read(const std::string& path) {
        std::string text;
        ReadFileText(path, text);
        return text;
    }
};

} // namespace quendra::test
