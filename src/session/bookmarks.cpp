#include "bookmarks.h"

#include "autoplay.h"
#include "cards.h"
#include "moves.h"
#include "new_game.h"
#include "saved_game.h"
#include "score.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace quendra {

namespace {

namespace fs = std::filesystem;

constexpr const char* kBookmarkPrefix = "~so";

bool MayBeSaved(GameContext& ctx) {
    if (ctx.flags[GameStateFlags::kInPlay] && ctx.Param(21) != 1) return true;
    ctx.host.Beep();
    return false;
}

// A new, empty, private file in the system temporary folder; empty when none can be made.
std::string NewBookmarkFile() {
    std::error_code ec;
    const fs::path folder = fs::temp_directory_path(ec);
    if (ec) return {};
    std::string path = (folder / (std::string(kBookmarkPrefix) + "XXXXXX")).string();
    const int fd = ::mkstemp(path.data());
    if (fd < 0) return {};
    ::close(fd);
    return path;
}

// The oldest snapshot of the undo side: the table as dealt.
TableSnapshot OldestSnapshot(const UndoSide& undo) {
    TableSnapshot lines;
    lines.insert(lines.end(), undo.Stock.begin(), undo.Stock.begin() + kStockPiles);
    lines.insert(lines.end(), undo.Foundations.begin(), undo.Foundations.begin() + kDestPiles);
    lines.insert(lines.end(), undo.Piles.begin(), undo.Piles.begin() + kFilaPiles);
    lines.insert(lines.end(), undo.Reserves.begin(), undo.Reserves.begin() + kAppoggPiles);
    return lines;
}

} // namespace

bool HasBookmark(const GameContext& ctx) {
    return !GetSetting(ctx.settings, field::kBookmarkPath).empty();
}

void DropBookmark(GameContext& ctx) {
    const std::string path = GetSetting(ctx.settings, field::kBookmarkPath);
    // Only a bookmark this program made is ever deleted.
    if (!path.empty() && fs::path(path).filename().string().starts_with(kBookmarkPrefix)) {
        std::error_code ec;
        fs::remove(path, ec);
    }
    SetSetting(ctx.settings, field::kBookmarkPath, "");
    ctx.host.EnableCommand(Host::Command::GoToBookmark, false);
}

KeepResult InsertBookmark(GameContext& ctx) {
    if (!MayBeSaved(ctx)) return {KeepResult::Status::NotAllowed, {}};
    if (!ctx.host.Confirm("Insert bookmark?")) return {KeepResult::Status::Cancelled, {}};
    const std::string path = NewBookmarkFile();
    if (path.empty() || path.size() > static_cast<std::size_t>(field::kBookmarkPath.length)) {
        if (!path.empty()) ::unlink(path.c_str());
        KeepResult failed{KeepResult::Status::WriteFailed, "Error creating temp file."};
        ctx.host.ShowInformation(failed.message);
        return failed;
    }
    if (KeepResult written = WriteSavedGameFile(ctx, path); !written.Ok()) {
        ::unlink(path.c_str());
        return written;
    }
    DropBookmark(ctx);
    SetSetting(ctx.settings, field::kBookmarkPath, path);
    ctx.host.EnableCommand(Host::Command::GoToBookmark, true);
    return {KeepResult::Status::Done, path};
}

KeepResult GoToBookmark(GameContext& ctx) {
    if (!HasBookmark(ctx) || !ctx.flags[GameStateFlags::kInPlay]) {
        ctx.host.Beep();
        return {KeepResult::Status::NotAllowed, {}};
    }
    if (!ctx.host.Confirm("Go to bookmark?")) return {KeepResult::Status::Cancelled, {}};
    const std::string path = GetSetting(ctx.settings, field::kBookmarkPath);
    SavedGame game;
    KeepResult read = ReadSavedGameFile(ctx, path, game);
    if (read.Ok() && (game.game != ParseDigits(GetSetting(ctx.settings, field::kGameNumber)) ||
                      game.deal != GetSetting(ctx.settings, field::kDealNumber)))
        read = {KeepResult::Status::BadFile, "The bookmark is not of this game: " + path};
    if (!read.Ok()) {
        ctx.host.ShowInformation(read.message);
        return read;
    }
    WaitCursor wait(ctx.host);
    RestorePosition(ctx, game);
    ctx.host.RedrawTable();
    ctx.host.ShowScore(GetSetting(ctx.settings, field::kScore));
    return {};
}

KeepResult RestartGame(GameContext& ctx) {
    if (ctx.flags[GameStateFlags::kAnimating]) return {KeepResult::Status::NotAllowed, {}};
    const bool inPlay = ctx.flags[GameStateFlags::kInPlay] != 0;
    if (ctx.undoHistory.undo.Steps() == 0 && ctx.table == PileGroups{}) {
        ctx.host.Beep(); // nothing was dealt
        return {KeepResult::Status::NotAllowed, {}};
    }
    const bool won = inPlay && GameResultWon(ctx, StoredScore(ctx));
    if (inPlay && !won &&
        !ctx.host.Confirm("Restart this game?\rGame number: " +
                          GetSetting(ctx.settings, field::kDealNumber)))
        return {KeepResult::Status::Cancelled, {}};
    fnEndGame(ctx);
    DropBookmark(ctx);
    if (won) return {KeepResult::Status::EndedAsWon, {}};

    WaitCursor wait(ctx.host);
    UndoSide& undo = ctx.undoHistory.undo;
    if (undo.Steps() > 0) LoadTableSnapshot(ctx, OldestSnapshot(undo));
    undo.Clear();
    ctx.play = FreshPlayState(ctx.play);
    SetSetting(ctx.settings, field::kUndoUsed, "0");
    SetSetting(ctx.settings, field::kRedoUsed, "0");
    ctx.flags[GameStateFlags::kClockRuns] = 0;
    ctx.play.timeText = fnClockText(0);
    ctx.host.ShowTime(ctx.play.timeText);
    fnComputeScore(ctx);
    PlaySwitchedSound(ctx, field::kSoundsRestart, "Restart");
    ctx.host.EnableCommand(Host::Command::Undo, false);
    StartPlayOnTable(ctx);
    return {};
}

} // namespace quendra
