#pragma once

#include "game_context.h"

#include <array>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quendra {

// Customised games are numbered from 8000 to 9999; each is a record of 30 lines in
// DATA/GAM_CUST.DAT, after its "[R-0301]" header line.
inline constexpr int kFirstCustomGame = 8000;
inline constexpr int kLastCustomGame = 9999;
inline constexpr int kCustomRecordLines = 30;
inline constexpr const char* kCustomGamesHeader = "[R-0301]";

// The custom-rule editor's choices of a direction ("Up", "Down", "Up or down": indexes 0 to 2)
// and a method of building ("In suit", "In alternating colors", "Regardless of suit",
// "In color", "On any suit but its own": 0 to 4) and the parameter values they stand for.
// An index out of range stays as it is; a value with no choice gives -1.
int DirectionOfIndex(int index);
int IndexOfDirection(int value);
int MethodOfIndex(int index);
int IndexOfMethod(int value);

// Catalogue and parameter values are stored shifted by 48 character codes.
std::string fnUnshiftText(std::string_view stored);
// The inverse, used by the games compiler: every character from 32 to 126 has a stored form.
std::string fnShiftText(std::string_view plain);

// Reads a text file whole into lines; line ends CR LF or LF. False when it cannot be read.
bool ReadTextLines(const std::string& path, std::vector<std::string>& lines);
// The lines of every occurrence of a section "[Name]": after a line that starts with the
// header, up to the next line that starts with "[".
std::vector<std::string> SectionLines(const std::vector<std::string>& lines,
                                      std::string_view header);

// How a game's value in a parameter row reads.
enum class FieldRead { Ok, Missing, NotANumber };

// The parameter rows of GAMES.DAT's "[Sect2]", read once into numbers: each row's parameter
// number and its value for every game column. The rows' text is over a megabyte, kept for
// the whole run; their numbers, a byte each, take a tenth of it.
class CatalogueRows {
  public:
    // Reads one stored row (as the file holds it) after the others.
    void Add(std::string_view row);
    // Makes room for this many values.
    void Reserve(std::size_t values);
    std::size_t size() const { return rows_.size(); }
    // A row of spaces only.
    bool Blank(std::size_t row) const { return rows_.at(row).blank; }
    // The parameter number of the row's first four characters; -1 when they are not one.
    int Index(std::size_t row) const { return rows_.at(row).index; }
    // The game's value in the given column of the row (0 the first game).
    FieldRead Field(std::size_t row, int column, long& value) const;

  private:
    struct Row {
        int index = -1;
        bool blank = false;
        int fields = 0;         // the columns the row reaches
        std::size_t first = 0;  // its first value in values_
    };
    // A value that is no number, or a number beyond a byte, is kept aside by its place: five
    // in six values are 0, all but a few hundredths of a percent fit.
    struct Odd {
        bool number = false;
        long value = 0;
    };
    std::vector<Row> rows_;
    std::vector<std::int8_t> values_;
    std::unordered_map<std::size_t, Odd> odd_;
};

// GAMES.DAT's lines but the parameter rows of "[Sect2]", which are kept as numbers. The
// catalogue is read once and kept while the file stays as it was (its time, size and inode);
// a file changed in the last two seconds is read afresh each time. Null when it cannot be read.
struct CatalogueText {
    std::vector<std::string> lines;
    CatalogueRows parameterRows;
};
std::shared_ptr<const CatalogueText> ReadCatalogueText(const std::string& path);
// Starts reading the catalogue on a thread of its own; the first ReadCatalogueText of the
// same file takes what it read (the program reads it so while its window is built).
void ReadCatalogueAhead(const std::string& path);

// Where the catalogue is read from; set at start-up.
std::string GamesDatPath(const GameContext& ctx);
std::string CustomGamesPath(const GameContext& ctx);

// Reads "[Sect1]" of GAMES.DAT into TMainGame::GameList. False, with a message, when the
// file is missing or unreadable.
bool LoadGameList(GameContext& ctx);
// Loads the current game (settings field of the game number) into GameParams, with the
// overlay of a customised game, and keeps the rule copy. A value that is not a number, or a
// game that is not in the catalogue, is refused with a message naming the file, row and
// game column; the parameters are then left as they were.
bool LoadGameDefinition(GameContext& ctx);
// A game's definition as the catalogue holds it into `params`; for a customised game its
// base game's with the record laid over it. Rows the catalogue does not hold, and entries
// 488 and 489, keep what `params` held. False when it cannot be read; `error` says why.
bool ReadGameDefinition(const GameContext& ctx, int number, GameParams& params,
                        std::string& error);
void SaveRuleCopy(GameContext& ctx);
void RestoreRuleCopy(GameContext& ctx);

int GameColumn(const GameContext& ctx, int number);
std::string GameName(const GameContext& ctx, int number);
int GameNumber(const GameContext& ctx, std::string_view name);
int GameType(const GameContext& ctx, int number);
// The values of up to nine parameter rows of a game without loading it; -99 for a row not
// asked for (and for a row or game that is not there).
std::array<int, 9> ReadGameParams(const GameContext& ctx, int number, std::span<const int> rows);
// One line per catalogue game: the values of rows A and B, each in 10 digits.
std::vector<std::string> ReadParamPairs(const GameContext& ctx, int rowA, int rowB);

struct CustomGameInfo {
    int base = -1;       // the base game's number, -1 when not found
    std::string overlay; // record line 2
    std::string problem; // why a record of that number cannot be played; empty when it can
};
// Whether the lines of a customised-games file start with its header.
bool IsCustomGamesHeader(const std::vector<std::string>& lines);
// The first record of the lines whose line 1 holds `number`: the index of that line, or -1.
int FindCustomRecord(const std::vector<std::string>& lines, int number);

// A damaged record (see CustomRecordProblem) is not found: base -1, the reason in `problem`.
CustomGameInfo CustomGameBase(const GameContext& ctx, int number);

// The customised-games file is untrusted: why the record whose line 1 is lines[at] cannot be
// played (number out of 8000-9999 or used by an earlier record, no name, a base game not in
// the catalogue, an overlay field out of range); empty when it is sound. A record that is
// not sound is left out of every list and lookup.
std::string CustomRecordProblem(const GameContext& ctx, const std::vector<std::string>& lines,
                                std::size_t at);
// One line per damaged record of the file ("line N: reason"), and one for a file that is not
// a customised-games file at all; empty when there is no file or nothing is wrong.
std::vector<std::string> CustomGamesProblems(const GameContext& ctx);

struct CustomGameLists {
    std::vector<std::string> names;    // 50 characters
    std::vector<std::string> numbers;  // 4 characters
    std::vector<std::string> bases;    // 4 characters
    std::vector<std::string> overlays; // first 7 characters of record line 2
};
bool ListCustomGames(const GameContext& ctx, CustomGameLists& lists);

std::vector<std::string> AllGameNames(const GameContext& ctx);
// The numbers of the catalogue's games that have a name, in list order.
std::vector<int> CatalogueGameNumbers(const GameContext& ctx);
bool CanPlayOnThisScreen(GameContext& ctx, int number);

} // namespace quendra
