#pragma once

#include "game_context.h"
#include "keep_result.h"

#include <string>

namespace quendra {

// Held games: "&Hold and exit..." keeps the game in progress in DATA/Stat_eNN.dat (NN from
// 01 to 99) without recording it in the statistics; the next start continues it.

// The path of held game NN.
std::string HeldGamePath(const GameContext& ctx, int nn);
// The first existing held game, NN from 00 to 99; empty when there is none.
std::string FindHeldGame(const GameContext& ctx);

// Holds the game in progress: writes it to the first free DATA/Stat_eNN.dat through the
// crash-safe rewrite (the name is taken by the rename, so a crash never leaves an empty or
// half-written held game), then ends the game without recording it. NotAllowed when no
// game is in play or the game may not be saved; WriteFailed with "All the places for held
// games are taken." when Stat_e01 to Stat_e99 all exist, or when the write failed (the game
// then stays in play).
KeepResult HoldGame(GameContext& ctx);

// At start-up (first activation of the main window). With no held game, the file of a series
// in progress (DATA/Series_e01.dat) is stale and deleted. Otherwise the first held game is
// opened (OpenSavedGame, mode Held): it is deleted only after it was read and its game
// started; a held game that is refused is reported and left on disk untouched, and the next
// one is tried.
struct ResumeResult {
    bool resumed = false;
    std::string path;          // the held game resumed
    bool resumeSeries = false; // DATA/Series_e01.dat exists: resume the series and its panel
};
ResumeResult ResumeHeldGame(GameContext& ctx);

// What closing the main window does with a game in play (call only when a game is in play
// and the hold command is enabled).
enum class CloseAction {
    Hold,      // hold at once (the close came from "&Hold and exit...", or
               // ConfirmSaveAndExit "N" with ConfirmSaveAndExitType 1)
    AskHold,   // ConfirmSaveAndExit "Y": show the hold dialog
    EndAsLost, // ConfirmSaveAndExit "N", type 0: end the game as lost and close
};
CloseAction ChooseCloseAction(const GameContext& ctx, bool fromHoldCommand);

// The hold dialog (title: the program's name).
inline constexpr const char* kHoldDialogText1 = "The current game is unfinished.";
inline constexpr const char* kHoldDialogText2 =
    "Do you want to exit or \"hold\" this game to play later?";
inline constexpr const char* kHoldDialogNote =
    "If you \"hold\" this game, you can exit without affecting statistics.";
inline constexpr const char* kHoldDialogHold = " &Hold and exit";
inline constexpr const char* kHoldDialogPostLoss = "&Exit and post a loss";

} // namespace quendra
