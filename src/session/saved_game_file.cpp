#include "autoplay.h"
#include "bookmarks.h"
#include "cards.h"
#include "file_rewrite.h"
#include "game_catalog.h"
#include "new_game.h"
#include "saved_game.h"
#include "score.h"
#include "settings.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace quendra {

namespace {

namespace fs = std::filesystem;

constexpr int kFoundationParamFirst = 51;
constexpr int kSecondsADay = 24 * 3600; // the clock shows at most 23:59:59
constexpr const char* kDirSave = "Dir_Save";

std::string FolderOf(const std::string& path) {
    const fs::path parent = fs::absolute(fs::path(path)).parent_path();
    return parent.string();
}

// The game in progress is given up for another: asked, ended and recorded.
KeepResult LeaveGameInProgress(GameContext& ctx) {
    if (!ConfirmLeaveGame(ctx)) return {KeepResult::Status::Cancelled, {}};
    const bool won = ctx.flags[GameStateFlags::kInPlay] && GameResultWon(ctx, StoredScore(ctx));
    fnEndGame(ctx);
    if (won) return {KeepResult::Status::EndedAsWon, {}};
    return {};
}

void StartClockAt(GameContext& ctx, int seconds) {
    if (seconds >= kSecondsADay) seconds = 0;
    ctx.play.clockStart = ctx.host.Now() - seconds;
    ctx.play.timeText = fnClockText(seconds);
    ctx.flags[GameStateFlags::kClockRuns] = 1;
}

} // namespace

int CountStepCodes(const std::string& stepLog, const char* code) {
    int count = 0;
    for (std::size_t at = 0, entry = 0; at < stepLog.size(); ++at) {
        if (stepLog[at] == ',') {
            entry = at + 1;
            continue;
        }
        if ((at - entry) % 3 == 0 && stepLog.compare(at, 3, code) == 0) ++count;
    }
    return count;
}

void RestorePosition(GameContext& ctx, const SavedGame& game) {
    SetSetting(ctx.settings, field::kStatsCode, game.scoringCode);
    SetSetting(ctx.settings, field::kScore, std::to_string(game.score));
    ctx.play.passNumber = game.passNumber;
    for (std::size_t i = 0; i < game.foundationParams.size(); ++i)
        if (game.foundationParams[i])
            ctx.params[kFoundationParamFirst + i] =
                static_cast<std::int16_t>(*game.foundationParams[i]);
    LoadTableSnapshot(ctx, game.piles);
    ctx.undoHistory.undo = game.undo;
    ctx.play.dealCount = CountStepCodes(game.undo.StepLog, kStepDealOntoPiles);
    ctx.undoHistory.redo.Clear();
    SetSetting(ctx.settings, field::kUndoUsed, "0");
    SetSetting(ctx.settings, field::kRedoUsed, "0");
    ctx.host.EnableCommand(Host::Command::Undo, game.undo.Steps() > 0);
    ctx.host.EnableCommand(Host::Command::Redo, false);
}

KeepResult ReadSavedGameFile(const GameContext& ctx, const std::string& path, SavedGame& game) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status)) return {KeepResult::Status::Missing, "File not found: " + path};
    // A folder, a device or a pipe is never a saved game, and reading one may never end.
    if (!fs::is_regular_file(status))
        return {KeepResult::Status::BadFile, "This is not a saved game: " + path};
    const auto size = fs::file_size(path, ec);
    if (ec) return {KeepResult::Status::BadFile, "Cannot open file " + path};
    if (size > kMaxSavedGameBytes)
        return {KeepResult::Status::BadFile, "The saved game is too large: " + path};
    // Never more than a saved game may hold, even when the file grows meanwhile.
    std::ifstream in(path, std::ios::binary);
    if (!in) return {KeepResult::Status::BadFile, "Cannot open file " + path};
    std::string bytes(kMaxSavedGameBytes + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) return {KeepResult::Status::BadFile, "Cannot open file " + path};
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    std::string error;
    if (!ParseSavedGame(ctx, bytes, path, game, error)) return {KeepResult::Status::BadFile, error};
    return {};
}

KeepResult WriteSavedGameFile(GameContext& ctx, const std::string& path) {
    if (!ctx.flags[GameStateFlags::kInPlay] || ctx.Param(21) == 1) {
        ctx.host.Beep();
        return {KeepResult::Status::NotAllowed, {}};
    }
    fnClockTick(ctx, ctx.host.Now());
    if (!ReplaceFileContent(ctx.host, path, SavedGameText(ctx, CaptureSavedGame(ctx))))
        return {KeepResult::Status::WriteFailed, "The game could not be written to " + path};
    return {};
}

KeepResult OpenSavedGame(GameContext& ctx, const std::string& path, OpenMode mode) {
    if (ctx.flags[GameStateFlags::kAnimating]) return {KeepResult::Status::NotAllowed, {}};
    SavedGame game;
    KeepResult read = ReadSavedGameFile(ctx, path, game);
    if (!read.Ok()) {
        ctx.host.ShowInformation(read.message);
        return read;
    }
    if (!CanPlayOnThisScreen(ctx, game.game)) return {KeepResult::Status::NotPlayable, {}};
    if (KeepResult left = LeaveGameInProgress(ctx); !left.Ok()) return left;
    DropBookmark(ctx);

    WaitCursor wait(ctx.host);
    const bool gameChanges = ParseDigits(GetSetting(ctx.settings, field::kGameNumber)) != game.game;
    const bool playerChanges =
        !game.player.empty() && GetSetting(ctx.settings, field::kUserDefault) != game.player;
    SetSetting(ctx.settings, field::kGameNumber, fnFormatNumber(game.game, 4));
    SetSetting(ctx.settings, field::kGameName, GameName(ctx, game.game));
    if (!LoadDefinitionAndLayout(ctx))
        return {KeepResult::Status::BadFile,
                "The rules of game " + std::to_string(game.game) + " cannot be read"};
    if (playerChanges) {
        SetSetting(ctx.settings, field::kUserDefault, game.player);
        if (mode != OpenMode::ReadOnly) StorePreference(ctx, "UserDefault", game.player);
    }
    SetSetting(ctx.settings, field::kDealNumber, game.deal);
    SetSetting(ctx.settings, field::kShowTime, ReadPreference(ctx, "Show_Time", "Y"));

    ctx.play = FreshPlayState(ctx.play);
    RebuildFanJitter(ctx);
    RestorePosition(ctx, game);
    // The first-move rules are behind a game that has moves to take back.
    ctx.play.moveCounter = game.undo.Steps() > 0 ? 2 : 0;
    StartClockAt(ctx, game.seconds);
    StartPlayOnTable(ctx);
    if (gameChanges || playerChanges) ResetRunCounters(ctx);

    if (mode == OpenMode::Dialog) StorePreference(ctx, kDirSave, FolderOf(path));
    if (mode == OpenMode::Held) {
        std::error_code ec;
        fs::remove(path, ec);
    }
    return {};
}

std::string SaveDialogFolder(const GameContext& ctx) {
    const std::string folder = ReadSettingString(ctx, "Preference", kDirSave, "");
    return folder.empty() ? ctx.ProgramDir() : folder;
}

std::string ReplaceFileQuestion(const std::string& path) {
    return path + "\r" + "This file already exists.\nReplace existing file?";
}

KeepResult SaveGameAs(GameContext& ctx, const std::string& path) {
    KeepResult written = WriteSavedGameFile(ctx, path);
    if (written.Ok()) StorePreference(ctx, kDirSave, FolderOf(path));
    return written;
}

} // namespace quendra
