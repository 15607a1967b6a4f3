#include "held_games.h"

#include "autoplay.h"
#include "bookmarks.h"
#include "cards.h"
#include "data_files.h"
#include "data_paths.h"
#include "saved_game.h"
#include "settings.h"

#include <filesystem>
#include <system_error>

namespace quendra {

namespace {

constexpr int kFirstHeldSlot = 1;
constexpr int kLastHeldSlot = 99;
constexpr const char* kSeriesInProgress = "DATA\\Series_e01.dat";

} // namespace

std::string HeldGamePath(const GameContext& ctx, int nn) {
    return ResolveDataPath(ctx.ProgramDir(), "DATA\\Stat_e" + fnFormatNumber(nn, 2) + ".dat");
}

std::string FindHeldGame(const GameContext& ctx) {
    for (int nn = 0; nn <= kLastHeldSlot; ++nn) {
        const std::string path = HeldGamePath(ctx, nn);
        if (FileExists(path)) return path;
    }
    return {};
}

KeepResult HoldGame(GameContext& ctx) {
    if (!ctx.flags[GameStateFlags::kInPlay] || ctx.Param(21) == 1) {
        ctx.host.Beep();
        return {KeepResult::Status::NotAllowed, {}};
    }
    EnsureDataDirectory(ctx.ProgramDir());
    std::string path;
    for (int nn = kFirstHeldSlot; nn <= kLastHeldSlot && path.empty(); ++nn)
        if (!FileExists(HeldGamePath(ctx, nn))) path = HeldGamePath(ctx, nn);
    if (path.empty()) {
        KeepResult full{KeepResult::Status::WriteFailed,
                        "All the places for held games are taken."};
        ctx.host.ShowInformation(full.message);
        return full;
    }
    // The name is taken by the rename of the whole file: there is never an empty or a
    // half-written held game to find at the next start.
    if (KeepResult written = WriteSavedGameFile(ctx, path); !written.Ok()) return written;
    // Not in play, so ending it records nothing.
    ctx.flags[GameStateFlags::kInPlay] = 0;
    fnEndGame(ctx);
    DropBookmark(ctx);
    return {KeepResult::Status::Done, path};
}

ResumeResult ResumeHeldGame(GameContext& ctx) {
    ResumeResult result;
    const std::string series = ResolveDataPath(ctx.ProgramDir(), kSeriesInProgress);
    if (FindHeldGame(ctx).empty()) {
        std::error_code ec;
        std::filesystem::remove(series, ec);
        return result;
    }
    for (int nn = 0; nn <= kLastHeldSlot; ++nn) {
        const std::string path = HeldGamePath(ctx, nn);
        if (!FileExists(path)) continue;
        const KeepResult opened = OpenSavedGame(ctx, path, OpenMode::Held);
        if (opened.Ok()) {
            result.resumed = true;
            result.path = path;
            result.resumeSeries = FileExists(series);
            break;
        }
        // A refused file was reported and stays where it is; the next one may open.
        if (opened.status != KeepResult::Status::BadFile) break;
    }
    return result;
}

CloseAction ChooseCloseAction(const GameContext& ctx, bool fromHoldCommand) {
    if (fromHoldCommand) return CloseAction::Hold;
    if (ReadPreference(ctx, "ConfirmSaveAndExit", "N") == "Y") return CloseAction::AskHold;
    return ReadPreference(ctx, "ConfirmSaveAndExitType", "0") == "1" ? CloseAction::Hold
                                                                     : CloseAction::EndAsLost;
}

} // namespace quendra
