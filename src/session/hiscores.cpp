#include "hiscores.h"

#include "cards.h"
#include "game_catalog.h"
#include "record_file.h"
#include "settings.h"

#include <algorithm>
#include <array>
#include <filesystem>

namespace quendra {

namespace {

constexpr std::size_t kLineBody = 83; // the line without its closing " x"
constexpr std::size_t kScoreAt = 0, kScoreWidth = 6;
constexpr std::size_t kSecondsAt = 7, kSecondsWidth = 6;
constexpr std::size_t kDateAt = 14, kDateWidth = 8;
constexpr std::size_t kTimeAt = 23, kTimeWidth = 8;
constexpr std::size_t kPlayerAt = 32, kPlayerWidth = 30;
constexpr std::size_t kNumberAt = 63, kNumberWidth = 15;
constexpr std::size_t kResultAt = 79, kResultWidth = 4;
constexpr int kEmptyScore = -999999;
constexpr int kEmptySeconds = 999999;
constexpr const char* kClearMarkSection = "Clear scores";
constexpr const char* kClearMarkKey = "Cleared";
constexpr const char* kDefaultDeal = "000000000000000";
// Default tables: parameter 370 (cards in play) and 48 (the game's target score).
constexpr int kCardsParam = 370;
constexpr int kTargetParam = 48;
constexpr int kFullDeck = 52;
constexpr int kSmallTargetLimit = 92;
constexpr int kFirstStepRows = 13; // rows 2 to 13 take the step, 14 to 20 the step + 1
constexpr int kDefaultTimeFactor = 5;

constexpr std::array<const char*, kHiScoreRows> kDefaultNames = {
    "Alma", "Bruno", "Clara", "Dario", "Elena", "Fabio", "Greta", "Hugo", "Irene", "Jonas",
    "Kira", "Luca",  "Marta", "Nico",  "Olga",  "Paolo", "Rita",  "Sven", "Tina",  "Ugo"};

std::string FilePath(const GameContext& ctx, ScoreTableKind kind) {
    return DataFilePath(ctx, kind == ScoreTableKind::Game ? kGameScoresFile : kSeriesScoresFile);
}

std::string Section(int number) {
    return fnFormatNumber(number, 4);
}

std::string Key(const std::string& code, int rank) {
    return code + "-" + fnFormatNumber(rank + 1, 2);
}

std::string EmptySlot() {
    return std::string(kLineBody + 1, ' ') + "x";
}

// Cut or padded to 83 characters, then " x".
std::string Closed(std::string_view line) {
    return PadRight(line, kLineBody) + " x";
}

bool LineIsEmpty(std::string_view line) {
    const std::string trimmed = TrimBlanks(line);
    return trimmed.empty() || trimmed == "x";
}

bool Cleared(const RecordFile& file) {
    return file.Value(kClearMarkSection, kClearMarkKey).value_or("") == "Y";
}

std::vector<int> DefaultScores(const GameContext& ctx, ScoreTableKind kind, int number,
                               int seriesGames) {
    std::vector<int> scores;
    if (kind == ScoreTableKind::Series) {
        int s = kFullDeck * std::max(1, seriesGames);
        for (int row = 0; row < kHiScoreRows; ++row) {
            if (row > 0) s -= row < kFirstStepRows ? 20 : 5;
            scores.push_back(s);
        }
    } else {
        const std::array<int, 2> rows = {kCardsParam, kTargetParam};
        const auto params = ReadGameParams(ctx, number, rows);
        int a = kFullDeck;
        int b = params[0] > 0 ? params[0] : kFullDeck;
        // Our catalogue leaves the parameter at 0 where a game has no target score: like -1,
        // it must not make every default score 1.
        if (params[1] > 0) {
            b = kFullDeck;
            if (params[1] < kSmallTargetLimit) a = params[1] / 2;
        }
        const int step = a < 30 ? -2 : (b == kFullDeck ? -3 : -6);
        int s = a * b / kFullDeck;
        for (int row = 0; row < kHiScoreRows; ++row) {
            if (row > 0) s += row < kFirstStepRows ? step : step + 1;
            scores.push_back(s);
        }
    }
    for (int& s : scores)
        s = std::max(1, s);
    return scores;
}

std::vector<std::string> DefaultTable(const GameContext& ctx, ScoreTableKind kind, int number,
                                      int seriesGames) {
    const std::vector<int> scores = DefaultScores(ctx, kind, number, seriesGames);
    const std::int64_t now = ctx.host.Now();
    std::vector<std::string> lines;
    for (int row = 0; row < kHiScoreRows; ++row) {
        // The series tables list the default players the other way round.
        const int name = kind == ScoreTableKind::Game ? row : kHiScoreRows - 1 - row;
        const int score = scores[static_cast<std::size_t>(row)];
        lines.push_back(FormatHiScoreLine(
            score, kDefaultTimeFactor * score, LocalDateText(now), LocalTimeText(now),
            std::string("* ") + kDefaultNames[static_cast<std::size_t>(name)], kDefaultDeal, true));
    }
    return lines;
}


std::vector<std::string> TableLines(const RecordFile& file, int number, const std::string& code) {
    std::vector<std::string> lines;
    for (int rank = 0; rank < kHiScoreRows; ++rank)
        lines.push_back(file.Value(Section(number), Key(code, rank)).value_or(""));
    return lines;
}

void StoreTable(RecordFile& file, int number, const std::string& code,
                const std::vector<std::string>& lines) {
    for (int rank = 0; rank < kHiScoreRows; ++rank)
        file.SetValue(Section(number), Key(code, rank), lines[static_cast<std::size_t>(rank)]);
}

// Reads a table into `lines`, building the default one when its first line is empty; true
// when it was built.
bool LoadTable(const GameContext& ctx, const RecordFile& file, ScoreTableKind kind, int number,
               const std::string& code, int seriesGames, std::vector<std::string>& lines) {
    lines = TableLines(file, number, code);
    if (!LineIsEmpty(lines.front()) || Cleared(file)) return false;
    lines = DefaultTable(ctx, kind, number, seriesGames);
    return true;
}

// Removes the entries of a player (all with `all`) from a table of the file in memory; the
// players whose entries went, in order.
std::vector<std::string> RemoveFrom(RecordFile& file, int number, const std::string& code,
                                    const std::string& player, bool all) {
    std::vector<std::string> lines = TableLines(file, number, code);
    std::vector<std::string> removed;
    bool named = false;
    std::vector<std::string> kept;
    for (const std::string& line : lines) {
        const std::string who = TrimBlanks(Slice(line, kPlayerAt, kPlayerWidth));
        if (!who.empty()) named = true;
        if (!LineIsEmpty(line) && (all || who == player)) {
            removed.push_back(who);
            continue;
        }
        kept.push_back(line);
    }
    if (!named || removed.empty()) return {};
    kept.resize(kHiScoreRows, EmptySlot());
    StoreTable(file, number, code, kept);
    return removed;
}

void TakeOutOfOverall(GameContext& ctx, int number, const std::vector<std::string>& players) {
    const RecordFile overall = RecordFile::Load(DataFilePath(ctx, kOverallFile));
    for (const std::string& who : players)
        if (overall.HasSection(who)) UpdateOverallScore(ctx, number, who, true, 0, 0);
}

} // namespace

HiScoreEntry ParseHiScoreLine(std::string_view line) {
    HiScoreEntry e;
    e.line = std::string(line);
    const auto score = ParseNumber(TrimBlanks(Slice(line, kScoreAt, kScoreWidth)), true);
    const auto seconds = ParseNumber(TrimBlanks(Slice(line, kSecondsAt, kSecondsWidth)));
    if (!score || !seconds) {
        e.score = kEmptyScore;
        e.seconds = kEmptySeconds;
        return e;
    }
    e.empty = false;
    e.score = static_cast<int>(*score);
    e.seconds = static_cast<int>(*seconds);
    e.date = std::string(Slice(line, kDateAt, kDateWidth));
    e.time = std::string(Slice(line, kTimeAt, kTimeWidth));
    e.player = TrimBlanks(Slice(line, kPlayerAt, kPlayerWidth));
    e.number = TrimBlanks(Slice(line, kNumberAt, kNumberWidth));
    e.won = Slice(line, kResultAt, kResultWidth) == "Won ";
    return e;
}

std::string FormatHiScoreLine(int score, int seconds, std::string_view date, std::string_view time,
                              std::string_view player, std::string_view numberField, bool won) {
    std::string line = fnFormatNumber(score, kScoreWidth) + " " +
                       fnFormatNumber(std::clamp(seconds, 0, kEmptySeconds), kSecondsWidth) + " " +
                       PadRight(date, kDateWidth) + " " + PadRight(time, kTimeWidth) + " " +
                       PadRight(player, kPlayerWidth) + " " + PadRight(numberField, kNumberWidth) +
                       " " + (won ? "Won " : "Lost");
    return Closed(line);
}

std::vector<std::string> ReadTable(GameContext& ctx, ScoreTableKind kind, int number,
                                   const std::string& code, int seriesGames) {
    RecordFile file = RecordFile::Load(FilePath(ctx, kind));
    std::vector<std::string> lines;
    if (LoadTable(ctx, file, kind, number, code, seriesGames, lines) &&
        kind == ScoreTableKind::Game && !StatisticsDisabled(ctx) && file.Writable() &&
        (file.Lines().empty() || file.HasVersionSection())) {
        file.EnsureVersionSection();
        StoreTable(file, number, code, lines);
        file.Save(ctx.host);
    }
    return lines;
}

std::vector<HiScoreEntry> ReadHiScores(GameContext& ctx, ScoreTableKind kind, int number,
                                       const std::string& code, int seriesGames) {
    std::vector<HiScoreEntry> entries;
    for (const std::string& line : ReadTable(ctx, kind, number, code, seriesGames))
        entries.push_back(ParseHiScoreLine(line));
    return entries;
}

int OfferResult(GameContext& ctx, ScoreTableKind kind, int number, const OfferedResult& result,
                OverallUpdate* overall) {
    if (overall) *overall = OverallUpdate::Skipped;
    if (StatisticsDisabled(ctx)) return -1;
    const std::string numberField =
        kind == ScoreTableKind::Game ? result.deal : std::string(result.perfect ? "Y" : "N");
    const std::string line =
        FormatHiScoreLine(result.score, result.seconds, result.date, result.timeOfDay,
                          result.player, numberField, result.won);
    RecordFile file = RecordFile::Load(FilePath(ctx, kind));
    int rank = -1;
    if (file.UsableForRecords(ctx.host, "hi-scores")) {
        std::vector<std::string> lines;
        const bool built =
            LoadTable(ctx, file, kind, number, result.code, result.seriesGames, lines);
        for (int i = 0; i < kHiScoreRows; ++i) {
            const HiScoreEntry slot = ParseHiScoreLine(lines[static_cast<std::size_t>(i)]);
            if (slot.score < result.score ||
                (slot.score == result.score && slot.seconds > result.seconds)) {
                rank = i;
                break;
            }
        }
        if (rank >= 0) {
            lines.insert(lines.begin() + rank, line);
            lines.resize(kHiScoreRows);
        }
        for (std::string& l : lines)
            l = LineIsEmpty(l) ? EmptySlot() : Closed(std::string_view(l).substr(0, kLineBody));
        if (built || rank >= 0) {
            StoreTable(file, number, result.code, lines);
            if (!file.Save(ctx.host)) rank = -1;
        }
    }
    if (kind == ScoreTableKind::Game) {
        const OverallUpdate update =
            UpdateOverallScore(ctx, number, result.player, false, result.seconds, result.score);
        if (overall) *overall = update;
    }
    return rank;
}

std::string NewHiScoreTitle(ScoreTableKind kind, const std::string& name) {
    if (kind == ScoreTableKind::Series)
        return "Your score has made the " + name + " " + "Series Hi-Scores list!";
    return "Congratulations! Your score has made the " + name + " " + "Hi-Scores list!";
}

std::string HiScoresTitle(const std::string& name) {
    return "Hi-Scores [" + name + "]";
}

bool ResetTable(GameContext& ctx, int number, const std::string& code) {
    RecordFile file = RecordFile::Load(FilePath(ctx, ScoreTableKind::Game));
    if (!file.UsableForRecords(ctx.host, "hi-scores")) return false;
    StoreTable(file, number, code, std::vector<std::string>(kHiScoreRows, EmptySlot()));
    return file.Save(ctx.host);
}

bool RemoveEntries(GameContext& ctx, int number, const std::string& code, const std::string& player,
                   bool all) {
    RecordFile file = RecordFile::Load(FilePath(ctx, ScoreTableKind::Game));
    if (!file.UsableForRecords(ctx.host, "hi-scores")) return false;
    const std::vector<std::string> removed = RemoveFrom(file, number, code, player, all);
    if (removed.empty()) return true;
    if (!file.Save(ctx.host)) return false;
    TakeOutOfOverall(ctx, number, removed);
    return true;
}

std::string ClearHiScoresQuestion(const std::string& playerEntry, const std::string& gameEntry) {
    return "Are you sure you want to clear the Hi-Scores? for player: " + playerEntry +
           "\rfor game: " + gameEntry + "?";
}

bool ClearHiScores(GameContext& ctx, const std::optional<int>& game,
                   const std::optional<std::string>& player, bool ask, bool tell) {
    if (ask) {
        const std::string playerEntry = player ? *player : "[All players]";
        const std::string gameEntry = game ? GameName(ctx, *game) : "[All games]";
        if (ctx.host.AskYesNoCancel(ClearHiScoresQuestion(playerEntry, gameEntry)) !=
            Host::Answer::Yes)
            return false;
    }
    const std::string path = FilePath(ctx, ScoreTableKind::Game);
    RecordFile file = RecordFile::Load(path);
    bool ok = true;
    if (!game && !player) {
        if (!file.Writable()) {
            ctx.host.ShowInformation("Cannot open file " + path);
            return false;
        }
        file.Lines().clear();
        file.EnsureVersionSection();
        file.SetValue(kClearMarkSection, kClearMarkKey, "Y");
        ok = file.Save(ctx.host);
        std::error_code ec;
        if (ok) std::filesystem::remove(DataFilePath(ctx, kOverallFile), ec);
    } else if (file.UsableForRecords(ctx.host, "hi-scores")) {
        const std::string code = CurrentScoringCode(ctx);
        std::vector<std::pair<int, std::vector<std::string>>> removed;
        if (game) {
            removed.emplace_back(*game,
                                 RemoveFrom(file, *game, code, player.value_or(""), !player));
        } else {
            for (const std::string& section : file.Sections()) {
                const auto number = ParseNumber(section);
                if (!number || section.size() != 4) continue;
                const int n = static_cast<int>(*number);
                removed.emplace_back(n, RemoveFrom(file, n, code, *player, false));
            }
        }
        ok = file.Save(ctx.host);
        if (ok)
            for (const auto& [number, players] : removed)
                TakeOutOfOverall(ctx, number, players);
    } else {
        ok = false;
    }
    const int current = ParseDigits(GetSetting(ctx.settings, field::kGameNumber));
    if (!game || !player || *game == current) ResetRunCounters(ctx);
    if (ok && tell) ctx.host.ShowInformation(kHiScoresClearedMessage);
    return ok;
}

} // namespace quendra
