#pragma once

#include "game_context.h"

#include <optional>
#include <string>
#include <vector>

namespace quendra {

// Series: a fixed list of games played one after the other by one player, their scores and
// times added up at the end and offered to the series hi-scores (Data/Series_scr.dat).
// Nine series are built in (numbers 1 to 9); the player's own live in Data/Series.dat
// (numbers 5000 to 9999). The series in progress lives in Data/Series_e01.dat.

inline constexpr const char* kSeriesFile = "Data\\Series.dat";
inline constexpr const char* kSeriesInProgressFile = "Data\\Series_e01.dat";
inline constexpr const char* kSeriesFileHeader = "[R-0530]";
inline constexpr int kSeriesRecordLines = 10;
inline constexpr int kBuiltInSeriesCount = 9;
inline constexpr int kFirstUserSeries = 5000;
inline constexpr int kLastUserSeries = 9999;
inline constexpr std::size_t kSeriesNameWidth = 50;
// NumGames and Played are written with three digits.
inline constexpr int kMostSeriesGames = 999;

inline constexpr const char* kSeriesNameEmptyMessage = "Please enter at least 1 character.";
inline constexpr const char* kSeriesNoGameMessage = "You haven't selected any game.";
inline constexpr const char* kSeriesNameTakenMessage = "This Series name already exists.";
inline constexpr const char* kQuitSeriesQuestion = "Quit this Series?";

struct SeriesDefinition {
    int number = 0;
    std::string name;
    std::vector<int> games;
    bool builtIn() const { return number >= 1 && number <= kBuiltInSeriesCount; }
};

// The nine built-in series, in number order.
const std::vector<SeriesDefinition>& BuiltInSeries();

// The player's series of Data/Series.dat. A file that cannot be read or does not hold
// well-formed records (a header other than "[R-0530]", a record line too short, a number out
// of 5000 to 9999 or used twice, a game list that is not 4-digit game numbers of the
// catalogue) yields `problem` and no series; it is never written over.
struct UserSeriesFile {
    bool exists = false;
    std::string problem; // empty when the file is usable
    std::vector<SeriesDefinition> series;
    std::vector<std::string> lines; // as read, for the rewrite
    bool Usable() const { return problem.empty(); }
};
UserSeriesFile LoadUserSeries(const GameContext& ctx);
// "The Series file is damaged and was left as it is: " + path + "\r" + what is wrong.
std::string DamagedSeriesMessage(const std::string& path, const std::string& problem);

// Built-in and user series, built-in first. A damaged user file is told through the host
// (`tell`) and leaves only the built-in series.
std::vector<SeriesDefinition> AllSeries(const GameContext& ctx, bool tell = false);
std::vector<int> SeriesGames(const GameContext& ctx, int number);
// The built-in name or the stored one; empty for a number without a series.
std::string SeriesName(const GameContext& ctx, int number);
// Every game of the series is in the catalogue (a built-in series may name games this
// catalogue does not have yet): only then can it be played.
bool SeriesPlayable(const GameContext& ctx, int number);
// The lowest number from 5000 to 9999 not used in Data/Series.dat; -1 when all are taken.
int NewSeriesNumber(const GameContext& ctx);

// Saving a series of the manager: `number` 0 makes a new one. Refused with the message (told
// through the host) for an empty name, no game, a name another series has (ignoring case) or
// a damaged file. Returns the series' number, or nothing when refused or the write failed.
std::optional<int> SaveUserSeries(GameContext& ctx, int number, const std::string& name,
                                  const std::vector<int>& games);
// Removes the record's 10 lines. False when there was none or the file was not written.
bool DeleteUserSeries(GameContext& ctx, int number);

// One game's result in the series in progress: the 24 characters after "NNN=".
struct SeriesGameResult {
    int seconds = 0;
    bool won = false;
    std::string code = "01"; // scoring system
    int score = 0;
    bool atMaximum = false;
};
std::string FormatSeriesResult(const SeriesGameResult& result);
std::optional<SeriesGameResult> ParseSeriesResult(const std::string& text);

// Data/Series_e01.dat in memory.
struct SeriesInProgress {
    int number = 0;
    std::string player;
    int played = 1; // the number of the game being played, from 1; NumGames + 1 at the end
    std::vector<std::string> games; // as stored: 3 digits (built-in) or 4 (user series)
    std::vector<std::optional<SeriesGameResult>> results;

    int NumGames() const { return static_cast<int>(games.size()); }
    // The game at a position from 1; -1 outside the list.
    int GameAt(int position) const;
    // The game being played; -1 when the series is over.
    int CurrentGame() const { return GameAt(played); }
    bool Finished() const { return played > NumGames(); }
    // There is a game after the one in play; or, with the game in play over, a game to go
    // to or the series' end to see.
    bool HasNextGame(bool gameInPlay) const { return !gameInPlay || played < NumGames(); }
};
std::string SeriesInProgressPath(const GameContext& ctx);
// The file as lines, and read back. A file that does not follow the layout (sections,
// Number of a known series, 3-digit counts that fit the lists, game numbers of the
// catalogue, result fields) yields `problem`.
std::vector<std::string> SeriesInProgressLines(const SeriesInProgress& series);
struct SeriesInProgressRead {
    bool exists = false;
    std::string problem;
    std::optional<SeriesInProgress> series;
};
SeriesInProgressRead ReadSeriesInProgress(const GameContext& ctx);
bool WriteSeriesInProgress(GameContext& ctx, const SeriesInProgress& series);
// The Number= value of the series in progress; -1 when there is no file or no number.
int CurrentSeries(const GameContext& ctx);

// Starts series `number` for `player`: the file written with Played=001. Nothing for an
// unknown series, one that is not playable, or when the file could not be written.
std::optional<SeriesInProgress> StartSeries(GameContext& ctx, int number, const std::string& player);

// The maximum score of the game loaded: its parameter 48, or 4 x parameter 370 without one.
int GameMaximumScore(const GameContext& ctx);
// The same for game `number` of the catalogue, read without loading it.
int GameMaximumScore(const GameContext& ctx, int number);
// A game of the series ended: its result goes on the Played-th line and Played goes up by 1;
// the file is written. Only the series' own game is taken (another game played meanwhile is
// not). False when nothing was recorded.
bool RecordSeriesGame(GameContext& ctx, SeriesInProgress& series, int game,
                      const SeriesGameResult& result);
// The position of the next game, skipping the current one when asked; nothing at the end.
std::optional<int> NextSeriesGamePosition(const SeriesInProgress& series, bool skipCurrent);

// The sums over the result lines: games not played count nothing and are neither won nor at
// their maximum.
struct SeriesTotals {
    int score = 0;
    int seconds = 0;
    int gamesPlayed = 0;
    bool allWon = false;
    bool allAtMaximum = false;
};
SeriesTotals ComputeSeriesTotals(const SeriesInProgress& series);

// The end of a series: its totals offered to the series hi-scores (with the date and time
// of now), then Data/Series_e01.dat deleted. Returns the rank (0-based), -1 when it did not
// make the table.
struct SeriesEnding {
    SeriesTotals totals;
    int rank = -1;
    std::string name;
};
SeriesEnding FinishSeries(GameContext& ctx, const SeriesInProgress& series);
// Deletes Data/Series_e01.dat.
void DropSeriesInProgress(const GameContext& ctx);

// "Series values only" of "Clear values": asked (Yes and No) with `ask`, every series table
// starts afresh (its default entries come back); then kSeriesScoresClearedMessage.
inline constexpr const char* kClearSeriesScoresQuestion =
    "Are you sure you want to clear the Series Hi-Scores for all players and all series?";
inline constexpr const char* kSeriesScoresClearedMessage = "Series Hi-Scores have been cleared.";
bool ClearSeriesScores(GameContext& ctx, bool ask = true);

} // namespace quendra
