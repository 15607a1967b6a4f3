#pragma once

#include "game_context.h"
#include "keep_result.h"

namespace quendra {

// Bookmarks and Restart: returning to an earlier position of the game in progress.

// "Insert &bookmark": asks "Insert bookmark?" (OK / Cancel); on OK writes the game in
// progress as a saved game to a new temporary file "~so…" in the system temporary folder
// (through the crash-safe rewrite), drops the previous bookmark file, keeps the path in the
// settings record and enables "Go &to bookmark". NotAllowed when no game is in play or the
// game may not be saved.
KeepResult InsertBookmark(GameContext& ctx);

// "Go &to bookmark": asks "Go to bookmark?" (OK / Cancel); on OK reads the bookmark whole
// and checks it (it must be a saved game of the current game); then restores the score,
// the scoring code, the pass number, the foundation parameters, the table and the undo
// side. The game, the deal, the player and the clock stay. Missing: "File not found: " +
// path; BadFile: the fault, and nothing changed.
KeepResult GoToBookmark(GameContext& ctx);

// True when a bookmark was inserted in the game in progress.
bool HasBookmark(const GameContext& ctx);
// Deletes the bookmark file, clears its path and disables "Go &to bookmark": call when the
// game ends and when the program exits.
void DropBookmark(GameContext& ctx);

// "&Restart game": when a game is in play and not won asks "Restart this game?\rGame
// number: " + deal number (OK / Cancel); ends and records the game (EndedAsWon when it was
// won: stops there); puts back the table as dealt (the oldest undo snapshot) and empties the
// undo side; the clock restarts at 0:00:00, the pass number at 1; plays "Restart" when its
// sound is on; play starts on this table without dealing. Right after the deal (no undo
// history) the table stays as it is.
KeepResult RestartGame(GameContext& ctx);

} // namespace quendra
