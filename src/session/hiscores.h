#pragma once

#include "game_context.h"
#include "overall_score.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quendra {

// Hi-score tables: for every game (Data/Stat_scr.dat) and every series (Data/Series_scr.dat)
// the 20 best results of each scoring code, keys "cc-rr" (code, rank 01 to 20) in the
// section of the 4-digit number. An entry is an 85-character line.

inline constexpr const char* kGameScoresFile = "Data\\Stat_scr.dat";
inline constexpr const char* kSeriesScoresFile = "Data\\Series_scr.dat";
inline constexpr int kHiScoreRows = 20;
inline constexpr const char* kHiScoresClearedMessage = "Hi-Scores have been cleared.";
// The question of "&Don't show Hi-Scores dialog box again..." (OK then stores
// ConfirmEnterHiScores "N").
inline constexpr const char* kDontShowHiScoresQuestion =
    "The enter Hi-Scores dialog box will not open again.\rIf you want, you can change this "
    "option in the \"Customize\" dialog box.";

enum class ScoreTableKind { Game, Series };

// One entry as the dialog shows it.
struct HiScoreEntry {
    bool empty = true; // an empty slot (or one whose score or time is not a number)
    int score = 0;
    int seconds = 0;
    std::string date;   // "yyyymmdd"
    std::string time;   // "hh:nn:ss"
    std::string player; // without surrounding blanks
    std::string number; // game table: the deal number; series: "Y"/"N" all at maximum
    bool won = false;
    std::string line; // the stored line
};
HiScoreEntry ParseHiScoreLine(std::string_view line);
// The stored line of a result: 83 characters and " x".
std::string FormatHiScoreLine(int score, int seconds, std::string_view date, std::string_view time,
                              std::string_view player, std::string_view numberField, bool won);

// The 20 lines of a table. When its first line is empty (and "[Clear scores]" does not say
// "Cleared=Y") the default table is built; the game table is then written back unless
// statistics are off. `seriesGames` is the number of games of a series (series tables only).
std::vector<std::string> ReadTable(GameContext& ctx, ScoreTableKind kind, int number,
                                   const std::string& code, int seriesGames = 1);
// The same, parsed, for the dialog.
std::vector<HiScoreEntry> ReadHiScores(GameContext& ctx, ScoreTableKind kind, int number,
                                       const std::string& code, int seriesGames = 1);

// A result offered to a table; `perfect` and `allWon` are for series, `deal` for games.
struct OfferedResult {
    std::string player;
    std::string deal;      // game table
    bool perfect = false;  // series: every game reached its maximum score
    bool won = false;      // game: won; series: every game won
    std::string date;      // "yyyymmdd"
    std::string timeOfDay; // "hh:nn:ss"
    int seconds = 0;
    int score = 0;
    std::string code = "01";
    int seriesGames = 1;
};
// Enters the result: returns its 0-based rank, -1 when it did not make the table (or
// statistics are off). For a game table also updates the overall score.
// `overall`, when given, receives what became of the overall score.
int OfferResult(GameContext& ctx, ScoreTableKind kind, int number, const OfferedResult& result,
                OverallUpdate* overall = nullptr);
// The dialog's title after a new entry.
std::string NewHiScoreTitle(ScoreTableKind kind, const std::string& name);
// The dialog's title when another game is chosen: "Hi-Scores [" + name + "]".
std::string HiScoresTitle(const std::string& name);

// 20 empty slots for a game (a customised game deleted).
bool ResetTable(GameContext& ctx, int number, const std::string& code);
// Removes the entries of `player` (every entry with `all`) from a game table, taking each
// removed entry's game out of its player's overall score.
bool RemoveEntries(GameContext& ctx, int number, const std::string& code, const std::string& player,
                   bool all);
// The "Clear Hi-Scores" dialog: nothing means all games or all players. `ask` puts
// "Are you sure you want to clear the Hi-Scores? for player: ..." first. All players and
// all games empties every table, writes "[Clear scores]" / "Cleared=Y" and deletes the
// overall score. Resets the run counters; shows kHiScoresClearedMessage.
std::string ClearHiScoresQuestion(const std::string& playerEntry, const std::string& gameEntry);
// `tell` off: no message at the end (clearing all values has its own).
bool ClearHiScores(GameContext& ctx, const std::optional<int>& game,
                   const std::optional<std::string>& player, bool ask = true, bool tell = true);

} // namespace quendra
