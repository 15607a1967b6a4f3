#pragma once

#include "keep_fixture.h"
#include "record_file.h"
#include "statistics.h"

#include <string>

namespace quendra::test {

// A program folder with the built catalogue, where games end and are recorded.
struct Records : ProgramFolder {
    ProgramStart start{dir};
    GameContext& ctx = start.ctx;
    FakeHost& host = start.host;
    std::int64_t clock = 1'700'000'000;

    Records() {
        SetSetting(ctx.settings, field::kStatsCode, "01");
        SetSetting(ctx.settings, field::kGameNumber, "0");
        SetSetting(ctx.settings, field::kUserDefault, "Ann");
        host.now = clock;
    }

    RecordOutcome End(const std::string& player, bool won, int score = 0, int seconds = 60,
                      int game = 0, const std::string& deal = "123") {
        clock += 100;
        host.now = clock;
        Host::GameResult result;
        result.game = game;
        result.deal = deal;
        result.player = player;
        result.won = won;
        result.score = score;
        result.seconds = seconds;
        result.endTime = clock;
        return RecordEndedGame(ctx, result);
    }

    std::string Path(const char* relative) const { return DataFilePath(ctx, relative); }
    std::string Text(const char* relative) const { return KeptGame::Read(Path(relative)); }
    void Write(const char* relative, const std::string& text) const {
        ASSERT_TRUE(ReplaceFileContent(host, Path(relative), text));
    }
};

} // namespace quendra::test
