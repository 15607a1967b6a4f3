#pragma once

#include "game_context.h"
#include "settings_record.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quendra {

// Name of the settings file below the program directory.
inline constexpr const char* kSettingsFileName = "DATA\\CFG.DAT";

// Sets the program directory (a trailing "/" is added when missing) and the settings file
// name; the first thing done with a fresh context.
void SetProgramDir(GameContext& ctx, std::string_view dir);

// The settings file as a path on disk.
std::string SettingsFilePath(const GameContext& ctx);

// Fills the settings record from the settings file: every Preference key that has a field,
// with its default and fallback, and the fields set at start-up (stats code "01", the run
// counters "0000", the undo and redo marks "0", the score "0"). A missing file gives all
// defaults. `displayColourBits` of 8 or fewer makes card set 3 the default.
void LoadSettings(GameContext& ctx, int displayColourBits = 32);

// At the first start (UserDefault empty) makes "Player 1" the current player and writes the
// players "Player 1" to "Player 3". True when it did.
bool CreateDefaultPlayers(GameContext& ctx);
// Counts a program start in Parameters/Run_Exe, up to 9; the new count.
int CountProgramStart(GameContext& ctx);
// Both run counters to "0000": at start-up and when the game or the player changes.
void ResetRunCounters(GameContext& ctx);

// Access to any key of the settings file.
std::string ReadSettingString(const GameContext& ctx, std::string_view section,
                              std::string_view key, std::string_view defaultValue);
int ReadSettingInt(const GameContext& ctx, std::string_view section, std::string_view key,
                   int defaultValue);
bool WriteSettingString(GameContext& ctx, std::string_view section, std::string_view key,
                        std::string_view value);
bool WriteSettingInt(GameContext& ctx, std::string_view section, std::string_view key, int value);

// A Preference key with its default from the table of LoadSettings (or `fallback` when the
// key is not in it).
std::string ReadPreference(const GameContext& ctx, std::string_view key,
                           std::string_view fallback = "");
// Writes a Preference key and, when the key has a field, the record as LoadSettings would
// fill it (so "Back_Card" 5 becomes "005").
bool StorePreference(GameContext& ctx, std::string_view key, std::string_view value);
// A "Y"/"N" switch of the record.
inline bool IsOn(const GameContext& ctx, field::Field f) {
    return GetSetting(ctx.settings, f) == "Y";
}

// Preferences kept only in the file.
bool ToolBarLarge(const GameContext& ctx);
bool ToolBarFlat(const GameContext& ctx);
bool StatisticsDisabled(const GameContext& ctx);
int HighlightFoundationsMark(const GameContext& ctx);
// One autoplay switch for all games (AutoPlay_All_Games = 1), else one per game.
bool AutoPlayAllGames(const GameContext& ctx);
bool AutoPlayOn(const GameContext& ctx);
bool SetAutoPlayOn(GameContext& ctx, bool on);
int GameTreeNum(const GameContext& ctx);
bool SetGameTreeNum(GameContext& ctx, int folder);
// Section Settings.
int GamesFastSearchType(const GameContext& ctx);
bool SetGamesFastSearchType(GameContext& ctx, int type);
int RandomGameType(const GameContext& ctx);
bool SetRandomGameType(GameContext& ctx, int type);
// Pixels a card's shadow is offset: 0 when Cards_Shadowed is "N", else 9.
int ShadowOffset(const GameContext& ctx);

struct WindowPlacement {
    int left = 50;
    int top = 50;
    int width = 0;
    int height = 0;
    bool maximized = true;
};
// Defaults 50, 50, screen width - 150, screen height - 150, maximized.
WindowPlacement ReadWindowPlacement(const GameContext& ctx);
// Writes the flag, and the place and size when they are known (a width and height above 0).
bool SaveWindowPlacement(GameContext& ctx, const WindowPlacement& placement);

// The players of section Users (User001 to User020), in key order, empty names left out.
std::vector<std::string> ReadPlayerNames(const GameContext& ctx);

// Shows an advice unless the player switched it off (Show_Messages/`key` = "N"); ticking
// "&Don't show this message box again" switches it off. True when it was shown.
bool ShowAdvice(GameContext& ctx, const std::string& message, std::string_view key, int page);

} // namespace quendra
