#include "cards.h"
#include "record_file.h"
#include "statistics.h"

#include <algorithm>

namespace quendra {

namespace {

// Where each field of a log line starts (0-based) and how wide it is.
constexpr std::size_t kLineLength = 147;
constexpr std::size_t kDateAt = 0, kDateWidth = 8;
constexpr std::size_t kTimeAt = 9, kTimeWidth = 8;
constexpr std::size_t kSecondsAt = 18, kSecondsWidth = 6;
constexpr std::size_t kGameAt = 25, kGameWidth = 4;
constexpr std::size_t kNameAt = 30, kNameWidth = 50;
constexpr std::size_t kPlayerAt = 81, kPlayerWidth = 30;
constexpr std::size_t kResultAt = 112, kResultWidth = 5;
constexpr std::size_t kCodeAt = 117, kCodeWidth = 2;
constexpr std::size_t kScoreAt = 120, kScoreWidth = 6;
constexpr std::size_t kDealAt = 127, kDealWidth = 15;
constexpr std::size_t kMarkAt = 143;
constexpr const char* kLineMark = "0540";
constexpr int kMaxSeconds = 999999;
// The single spaces between the fields.
constexpr std::size_t kSpaces[] = {8, 17, 24, 29, 80, 111, 119, 126, 142};

} // namespace

std::string FormatLogLine(const LogEntry& e) {
    std::string line;
    line += PadRight(e.date, kDateWidth) + " ";
    line += PadRight(e.endTime, kTimeWidth) + " ";
    line += fnFormatNumber(std::clamp(e.seconds, 0, kMaxSeconds), kSecondsWidth) + " ";
    line += fnFormatNumber(e.game, kGameWidth) + " ";
    line += PadRight(e.gameName, kNameWidth) + " ";
    line += PadRight(e.player, kPlayerWidth) + " ";
    line += e.won ? "Won  " : "Lost ";
    line += PadRight(e.scoringCode, kCodeWidth) + " ";
    line += PadRight(std::to_string(e.score), kScoreWidth) + " ";
    line += PadRight(e.deal, kDealWidth) + " ";
    line += kLineMark;
    return line;
}

std::optional<LogEntry> ParseLogLine(std::string_view line) {
    if (line.size() != kLineLength) return std::nullopt;
    for (std::size_t at : kSpaces)
        if (line[at] != ' ') return std::nullopt;
    LogEntry e;
    const std::string_view result = line.substr(kResultAt, kResultWidth);
    if (result != "Won  " && result != "Lost ") return std::nullopt;
    e.won = result == "Won  ";
    e.date = std::string(line.substr(kDateAt, kDateWidth));
    e.endTime = std::string(line.substr(kTimeAt, kTimeWidth));
    const auto seconds = ParseNumber(line.substr(kSecondsAt, kSecondsWidth));
    const auto game = ParseNumber(line.substr(kGameAt, kGameWidth));
    const auto score = ParseNumber(TrimBlanks(line.substr(kScoreAt, kScoreWidth)), true);
    if (!ParseNumber(e.date) || !seconds || !game || !score) return std::nullopt;
    e.seconds = static_cast<int>(*seconds);
    e.game = static_cast<int>(*game);
    e.score = static_cast<int>(*score);
    e.gameName = TrimBlanks(line.substr(kNameAt, kNameWidth));
    e.player = TrimBlanks(line.substr(kPlayerAt, kPlayerWidth));
    e.scoringCode = std::string(line.substr(kCodeAt, kCodeWidth));
    e.deal = TrimBlanks(line.substr(kDealAt, kDealWidth));
    return e;
}

LogContents ReadLog(const GameContext& ctx) {
    LogContents contents;
    RecordFile log = RecordFile::Load(DataFilePath(ctx, kLogFile));
    for (const std::string& line : log.Lines()) {
        if (line.empty()) continue;
        if (auto entry = ParseLogLine(line))
            contents.entries.push_back(std::move(*entry));
        else
            ++contents.damagedLines;
    }
    return contents;
}

std::vector<LogEntry> FilterLog(const std::vector<LogEntry>& entries,
                                const std::optional<std::string>& player,
                                const std::optional<int>& game) {
    std::vector<LogEntry> shown;
    for (const LogEntry& e : entries)
        if ((!player || e.player == *player) && (!game || e.game == *game)) shown.push_back(e);
    return shown;
}

// Whether a stored log line is of the game and player: read at the fixed columns, so a line
// damaged elsewhere is still found.
bool LogLineMatches(std::string_view line, const std::optional<int>& game,
                    const std::optional<std::string>& player) {
    if (game && ParseNumber(Slice(line, kGameAt, kGameWidth)) != *game) return false;
    if (player && TrimBlanks(Slice(line, kPlayerAt, kPlayerWidth)) != *player) return false;
    return true;
}

// The player field of a stored line, for renaming.
bool ReplaceLogPlayer(std::string& line, const std::string& oldName, const std::string& newName) {
    if (line.size() < kPlayerAt + kPlayerWidth) return false;
    if (line.compare(kPlayerAt, kPlayerWidth, PadRight(oldName, kPlayerWidth)) != 0) return false;
    line.replace(kPlayerAt, kPlayerWidth, PadRight(newName, kPlayerWidth));
    return true;
}

} // namespace quendra
