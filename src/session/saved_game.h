#pragma once

#include "game_context.h"
#include "keep_result.h"
#include "saved_game_upgrade.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quendra {

// The saved-game file: the game in progress as text lines (CR LF), with its undo history.
// One format serves "&Save..." / "&Open a game...", the bookmarks and the held games.
//
//   line 0   the header, 95 characters at fixed places: "[S-0530]", game number, the
//            appearance (written for information, never read back), elapsed seconds,
//            scoring code, score, pass number
//   line 1   player (50), deal number (15), a space, the 16 foundation parameters (2 each)
//   2 - 11   empty
//   12 - 80  the 69 pile lines: stock 0-2, foundations 1-16, tableau 1-40, reserves 1-10
//   81 -     "[UNDO - Stock]", "[UNDO - Foundations]", "[UNDO - Piles]",
//            "[UNDO - Reserves]", "[UNDO - Log]" with the undo side (never the redo side)
//
// Files of the older versions "0301", "0303" and "0520" are brought to "0530" in memory
// by inserting empty lines before they are read.

// A saved game larger than this, or of more lines, is refused unread: a real one of twenty
// thousand moves stays below both, and a hostile one cannot make the reader take more than
// a few tens of megabytes.
inline constexpr std::size_t kMaxSavedGameBytes = 8u * 1024u * 1024u;
inline constexpr std::size_t kMaxSavedGameLines = 2'000'000;

// A saved game as read from or written to a file; every field checked.
struct SavedGame {
    std::string version = kSavedGameVersion; // as the file gave it
    int game = 0;
    int seconds = 0;                // elapsed playing time
    std::string scoringCode = "01"; // "01" standard scoring
    int score = 0;
    int passNumber = 1;
    std::string player; // without surrounding blanks
    std::string deal;   // 1 to 13 digits
    // Parameters 51 to 66; nothing for a pair that is not a number (the parameter is then
    // left as it is).
    std::array<std::optional<int>, 16> foundationParams{};
    TableSnapshot piles; // 69 lines
    UndoSide undo;       // whole steps only; redo is never kept

    bool operator==(const SavedGame&) const = default;
};

// The game in progress as a saved game (table, counters, undo side, clock, player, deal).
SavedGame CaptureSavedGame(const GameContext& ctx);
// The file's text in the current version, CR LF line ends.
std::string SavedGameText(const GameContext& ctx, const SavedGame& game);

// Reads a saved game from the bytes of a file, upgrading older versions, and checks all of
// it against the catalogue of `ctx`. Changes nothing. On a fault, returns false and sets
// `error` to a message for the player naming the fault, e.g.
//   "This is not a saved game: " + path            (binary, empty, unknown header)
//   "The saved game is too large: " + path
//   "The saved game is damaged (" + what + "): " + path
// where `what` names the field: the game number that is not in the catalogue, a pile line
// with a card code out of range or a card twice, undo sections that do not fit, a time or
// score that is not a number or negative, a deal number that is not 1 to 13 digits.
bool ParseSavedGame(const GameContext& ctx, std::string_view bytes, const std::string& path,
                    SavedGame& game, std::string& error);

// How often an event code stands in a step log ("002": the deals onto several piles).
int CountStepCodes(const std::string& stepLog, const char* code);

// Makes the position of a saved game current in the game in progress: scoring code, score,
// pass number, the deal count (the "002" codes of its undo log), the foundation parameters that are
// numbers, the 69 piles with their faces, and the undo side (the redo side is emptied: it belonged
// to another position). The game, the deal, the player and the clock stay. `game` must have been
// checked by ParseSavedGame.
void RestorePosition(GameContext& ctx, const SavedGame& game);

// Reads and checks a saved game file (ParseSavedGame); Missing when there is no file,
// BadFile when it is refused (not a regular file, too large, unreadable, damaged). Changes
// nothing and shows nothing: the message is for the caller to show.
KeepResult ReadSavedGameFile(const GameContext& ctx, const std::string& path, SavedGame& game);

// Writes the game in progress to `path` through the crash-safe rewrite (temporary file,
// flush, fsync, rename over the old file): the old file stays whole until the new one is in
// place. NotAllowed (a beep) when no game is in play or the game may not be saved
// (parameter 21 = 1); WriteFailed when writing failed (the rewrite told the player why).
KeepResult WriteSavedGameFile(GameContext& ctx, const std::string& path);

// How a saved game is opened.
enum class OpenMode {
    Dialog,   // "&Open a game...": Dir_Save becomes the file's folder
    Held,     // a held game: the file is deleted once it was read and the game started
    ReadOnly, // the file is only read (the command-line tool)
};

// Opens a saved game: reads and checks the whole file first (a bad file: its message in an
// information box, BadFile, and nothing changed — the game in progress goes on); then
// checks the game can be played on this screen; then asks to leave the game in progress
// ("Quit this game?", Cancelled when declined), ends and records it (EndedAsWon when it was
// won: the open stops); then makes the file's game, deal, player, score, pass number,
// foundation parameters, table and undo side current, starts the clock at the saved time
// (a time of 24 hours or more starts it at 0) and starts play on the loaded table without
// dealing. The redo side stays as it was. Missing: "File not found: " + path.
KeepResult OpenSavedGame(GameContext& ctx, const std::string& path, OpenMode mode);

// "&Save...": the folder the save and open dialogs start in (Preference Dir_Save; the
// program directory when unset) and the question when the chosen file exists (Yes writes,
// No shows the dialog again, Cancel ends the command).
std::string SaveDialogFolder(const GameContext& ctx);
std::string ReplaceFileQuestion(const std::string& path);
// Writes the game to a file the player chose and makes its folder Dir_Save.
KeepResult SaveGameAs(GameContext& ctx, const std::string& path);

// Dialog titles and filters.
inline constexpr const char* kSaveDialogTitle = "Save game";
inline constexpr const char* kSaveDialogFilter = "Game|*.gam";
inline constexpr const char* kOpenDialogTitle = "Open game";
inline constexpr const char* kOpenDialogFilter = "Game|*.GAM";

} // namespace quendra
