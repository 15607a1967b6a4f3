#pragma once

#include "game_context.h"
#include "host.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quendra {

// The statistics store: per player and game the won and lost counts, streaks and total
// score in DATA/STAT.DAT, one line per ended game in the log DATA/STAT_LOG.DAT, and the
// overall score in DATA/STAT_GLO.DAT (overall_score.h). Every file is read whole, changed in
// memory and written whole through the crash-safe rewrite. A file that is damaged is
// reported and left as it is: a record is never written over one that could not be read.

inline constexpr const char* kStatisticsFile = "DATA\\STAT.DAT";
inline constexpr const char* kLogFile = "DATA\\STAT_LOG.DAT";

// What the statistics views show when statistics are switched off (Disable_Statistics "Y").
inline constexpr const char* kStatisticsDisabledMessage =
    "The Statistics are disabled. To enable the Statistics, change the value in the "
    "\"Customize\" dialog box.";
inline constexpr const char* kStatisticsClearedMessage = "Statistics have been cleared.";
inline constexpr const char* kLogClearedMessage = "Log Statistics have been cleared.";
inline constexpr const char* kClearLogQuestion =
    "Are you sure you want to clear all the Log statistics?";
inline constexpr const char* kAllValuesClearedMessage =
    "Statistics, Hi-Scores, Log, Overall Score and Series have been cleared.";
// The first entries of the players and games lists of the clearing dialogs.
inline constexpr const char* kAllPlayersEntry = "[All players]";
inline constexpr const char* kAllGamesEntry = "[All games]";

// One player's record of one game: the 67-character value of STAT.DAT.
struct StatisticsRecord {
    int won = 0;
    int lost = 0;
    int longestWon = 0;  // longest winning streak
    int longestLost = 0; // longest losing streak
    int currentWon = 0;  // current winning streak
    int currentLost = 0; // current losing streak
    std::int64_t totalScore = 0;

    int Played() const { return won + lost; }
    bool operator==(const StatisticsRecord&) const = default;
};
// "000003 000001 ..." with the always-zero last field.
std::string FormatStatisticsRecord(const StatisticsRecord& record);
// Strict: 67 characters, digits in every field; nothing otherwise.
std::optional<StatisticsRecord> ParseStatisticsRecord(std::string_view text);
// For the views: a field that is not a number reads as 0.
StatisticsRecord ReadStatisticsRecordLoosely(std::string_view text);
// The record after one more ended game.
StatisticsRecord AddEndedGame(StatisticsRecord record, bool won, int score);

// Won and lost percentages of the views and the "Game won" dialog: won = (100 x w / (w + l)
// + 0.5) rounded down, lost = 100 - won; both texts empty with no games.
struct Percentages {
    bool any = false;
    int won = 0;
    int lost = 0;
    std::string WonText() const;  // "(67%)" or ""
    std::string LostText() const; // "(33%)" or ""
};
Percentages ComputePercentages(int won, int lost);
// Total score divided by the games played, fraction dropped; 0 with no games.
std::int64_t AverageScore(const StatisticsRecord& record);

// The game statistics view: the record, and the run counters (games won and lost since the
// current game was opened) when player and game are the current ones.
struct GameStatistics {
    StatisticsRecord record;
    bool current = false; // player and game are the current ones
    int runWon = 0;
    int runLost = 0;
};
GameStatistics ReadStatistics(const GameContext& ctx, int game, const std::string& player);
// The all-games view: every game with a record for the player, in file order.
struct GameRecord {
    int game = 0;
    StatisticsRecord record;
};
std::vector<GameRecord> ReadPlayerStatistics(const GameContext& ctx, const std::string& player);
// The players' view: every player with a record in the game, in file order.
struct PlayerRecord {
    std::string player;
    StatisticsRecord record;
};
std::vector<PlayerRecord> ReadGameStatistics(const GameContext& ctx, int game);

// For the current player: 0 never played (all counts zero), 1 won at least once, 2 played
// but never won.
enum class GamePlayed { Never = 0, Won = 1, NeverWon = 2 };
GamePlayed GamePlayState(const GameContext& ctx, int game);

// One line of the log, 147 characters.
struct LogEntry {
    std::string date;    // "yyyymmdd"
    std::string endTime; // "hh:nn:ss"
    int seconds = 0;     // playing time
    int game = 0;
    std::string gameName;
    std::string player;
    bool won = false;
    std::string scoringCode = "01";
    int score = 0;
    std::string deal;
};
std::string FormatLogLine(const LogEntry& entry);
// Nothing for a line that is not a log line (wrong length, a field out of place).
std::optional<LogEntry> ParseLogLine(std::string_view line);
struct LogContents {
    std::vector<LogEntry> entries; // oldest first
    int damagedLines = 0;          // lines that are not log lines, left out
};
LogContents ReadLog(const GameContext& ctx);
// The log view's filter: nothing means every player or every game.
std::vector<LogEntry> FilterLog(const std::vector<LogEntry>& entries,
                                const std::optional<std::string>& player,
                                const std::optional<int>& game);
// For clearing and renaming, a stored log line read at its fixed columns (a line damaged
// elsewhere is still found): whether it is of the game and player (nothing: any), and its
// player field changed from one exact name to another.
bool LogLineMatches(std::string_view line, const std::optional<int>& game,
                    const std::optional<std::string>& player);
bool ReplaceLogPlayer(std::string& line, const std::string& oldName, const std::string& newName);

// Recording an ended game: hand it the result that fnEndGame gave the Host
// (Host::RecordGameResult). Appends the log line, updates STAT.DAT and the run counters,
// offers the result to the game's hi-score table (which updates the overall score). With
// statistics switched off nothing is written. The scoring code is the settings record's
// field kStatsCode, the game's name comes from the catalogue.
struct RecordOutcome {
    bool recorded = false;     // the log and STAT.DAT were written
    int hiScoreRank = -1;      // 0-based rank of the new hi-score entry, -1 when none
    bool showHiScores = false; // open "Hi-Scores" with the row marked (ConfirmEnterHiScores)
    std::string hiScoresTitle; // the dialog's "Congratulations! ..." title
    bool overallReset = false; // the overall score was found corrupted and reset
};
RecordOutcome RecordEndedGame(GameContext& ctx, const Host::GameResult& result);

// Clearing. Nothing for a game or a player means all of them. `ask` puts the question of
// ClearStatisticsQuestion first (No ends). Shows kStatisticsClearedMessage when done.
std::string ClearStatisticsQuestion(const std::string& playerEntry, const std::string& gameEntry);
bool ClearStatistics(GameContext& ctx, const std::optional<int>& game,
                     const std::optional<std::string>& player, bool ask = true);
// The same without asking or telling (deleting a player, clearing all values): records set to
// zero in STAT.DAT, matching log lines removed; all players and all games start both afresh.
bool ClearStatisticsRecords(GameContext& ctx, const std::optional<int>& game,
                            const std::optional<std::string>& player);
// The log dialog: its record count; ClearLog(0) asks kClearLogQuestion and deletes the log,
// ClearLog(n) keeps the newest n records (0 < n < count). Shows kLogClearedMessage.
int LogRecordCount(const GameContext& ctx);
bool ClearLog(GameContext& ctx, int keep);
// "&All values": asks both questions, then clears statistics, log, hi-scores and overall
// score of everyone, resets the run counters and shows kAllValuesClearedMessage. (Series
// scores are cleared by the series layer.)
bool ClearAllValues(GameContext& ctx);
// A customised game is deleted: its records and log lines go, its hi-score table is emptied
// for the current scoring code, the run counters are reset, and the game (named `name`)
// leaves the favourite and recent games.
bool ForgetGame(GameContext& ctx, int game, const std::string& name);

} // namespace quendra
