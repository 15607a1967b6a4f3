#pragma once

#include "../engine/play_test_support.h"
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
        QuietPlayer(ctx);
    }
};

// A folder of its own for the program's files, removed at the end.
struct ProgramFolder {
    std::filesystem::path dir;
    ProgramFolder() {
        std::random_device rd;
        dir = std::filesystem::temp_directory_path() / ("quendra-keep-" + std::to_string(rd()));
        std::filesystem::create_directories(dir / "DATA");
    }
    ~ProgramFolder() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;
};

// A game of the built catalogue dealt for the player "Ann" in a program folder of its own.
struct KeptGame : ProgramFolder, DealtGame {
    KeptGame(int game, const std::string& deal) : DealtGame(game, deal, dir.string(), "Ann") {
        SetSetting(ctx.settings, field::kStatsCode, "01");
    }

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
