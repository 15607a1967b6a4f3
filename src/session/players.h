#pragma once

#include "game_context.h"

#include <optional>
#include <string>
#include <vector>

namespace quendra {

// The players: section Users of CFG.DAT (User001 to User020), the current one in
// Preference/UserDefault and the settings record's kUserDefault field. Names are compared
// exactly after removing surrounding blanks.

inline constexpr int kMaxPlayers = 20;
inline constexpr int kMaxPlayerNameLength = 30;
inline constexpr const char* kSelectAPlayerMessage = "Select a player.";
inline constexpr const char* kEmptyNameMessage = "Please enter at least 1 character.";
inline constexpr const char* kNameExistsMessage = "This player name already exists.";
inline constexpr const char* kCannotDeleteMessage =
    "It is impossible to delete the selected player.";
inline constexpr const char* kDeletePlayerQuestion =
    "Are you sure you want to delete the selected player?\rNote: the statistics for this "
    "player will also be deleted.";

// The stored players, in key order (the dialog's list).
std::vector<std::string> StoredPlayers(const GameContext& ctx);
// The same, sorted (the players lists of the statistics and hi-score dialogs).
std::vector<std::string> ListPlayers(const GameContext& ctx);
std::string CurrentPlayer(const GameContext& ctx);

// Why a name cannot be used, or nothing: empty, over 30 characters, an "=", a "[" at the
// start, a line break or another control character, or the name of another listed player
// (`ownName`: the unchanged name of the player being edited).
std::optional<std::string> PlayerNameProblem(const GameContext& ctx, const std::string& name,
                                             const std::string& ownName = {});
// "Start a new game for player " + name + "?"
std::string SelectPlayerQuestion(const std::string& name);

struct PlayerResult {
    enum class Status { Done, Cancelled, Refused, WriteFailed };
    Status status = Status::Done;
    std::string message; // already shown through the host

    bool Ok() const { return status == Status::Done; }
};

// Asks SelectPlayerQuestion (No: nothing changes); ends and records the game in play under
// the previous player, resets the run counters, makes the player current and writes
// UserDefault. The window then clears the table and opens the game browser.
PlayerResult SelectPlayer(GameContext& ctx, const std::string& name);
// Adds a player (the list holds at most 20).
PlayerResult AddPlayer(GameContext& ctx, const std::string& name);
// Renames the player in the list, in the current player when it was current, and in
// STAT.DAT, STAT_LOG.DAT and Stat_scr.dat (exact names: "Player 12" stays when "Player 1"
// is renamed). The overall score and the series keep the old name. A refused name changes
// nothing.
PlayerResult RenamePlayer(GameContext& ctx, const std::string& oldName, const std::string& newName);
// Asks kDeletePlayerQuestion; clears the player's statistics and log lines (hi-score entries
// stay) and removes the name. The current player cannot be deleted.
PlayerResult DeletePlayer(GameContext& ctx, const std::string& name);

} // namespace quendra
