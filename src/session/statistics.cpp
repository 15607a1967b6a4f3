#include "statistics.h"

#include "cards.h"
#include "game_catalog.h"
#include "hiscores.h"
#include "record_file.h"
#include "settings.h"

#include <algorithm>
#include <array>

namespace quendra {

namespace {

constexpr std::size_t kRecordLength = 67;
constexpr int kCountWidth = 6;
constexpr int kScoreWidth = 12;
constexpr int kRunCounterWidth = 4;
constexpr int kRunCounterMax = 9999;
constexpr int kGameNumberWidth = 4;
constexpr const char* kVersionSection = "Version";

std::string GameSection(int game) {
    return fnFormatNumber(game, kGameNumberWidth);
}

// The seven fields in their order, each with its start and width.
struct FieldPlace {
    std::size_t start;
    std::size_t width;
};
constexpr std::array<FieldPlace, 8> kFields = {
    {{0, 6}, {7, 6}, {14, 6}, {21, 6}, {28, 6}, {35, 6}, {42, 12}, {55, 12}}};

StatisticsRecord FromFields(const std::array<std::int64_t, 8>& v) {
    auto count = [](std::int64_t n) {
        return static_cast<int>(std::clamp<std::int64_t>(n, 0, 999999));
    };
    return {count(v[0]), count(v[1]), count(v[2]), count(v[3]), count(v[4]), count(v[5]), v[6]};
}

int RunCounter(const GameContext& ctx, field::Field f) {
    return std::max(0, ParseDigits(GetSetting(ctx.settings, f)));
}

void AddToRunCounter(GameContext& ctx, field::Field f) {
    const int n = std::min(kRunCounterMax, RunCounter(ctx, f) + 1);
    SetSetting(ctx.settings, f, fnFormatNumber(n, kRunCounterWidth));
}

int CurrentGame(const GameContext& ctx) {
    return ParseDigits(GetSetting(ctx.settings, field::kGameNumber));
}

std::string CurrentPlayerName(const GameContext& ctx) {
    return TrimBlanks(GetSetting(ctx.settings, field::kUserDefault));
}

bool UpdateStatisticsFile(GameContext& ctx, int game, const std::string& player, bool won,
                          int score) {
    RecordFile file = RecordFile::Load(DataFilePath(ctx, kStatisticsFile));
    if (!file.UsableForRecords(ctx.host, "statistics")) return false;
    const std::string section = GameSection(game);
    StatisticsRecord record;
    if (const auto stored = file.Value(section, player)) {
        const auto parsed = ParseStatisticsRecord(*stored);
        if (!parsed) {
            // A record we cannot read is not written over: its figures would be lost.
            ctx.host.ShowInformation("The statistics of player " + player + " in game " + section +
                                     " are damaged in " + file.Path() +
                                     "\rThe game was not added to them.");
            return false;
        }
        record = *parsed;
    }
    file.SetValue(section, player, FormatStatisticsRecord(AddEndedGame(record, won, score)));
    return file.Save(ctx.host);
}

bool AppendLogLine(GameContext& ctx, const LogEntry& entry) {
    RecordFile log = RecordFile::Load(DataFilePath(ctx, kLogFile));
    // Every line already there is kept as it is, read or not.
    log.Lines().push_back(FormatLogLine(entry));
    log.MarkModified();
    return log.Save(ctx.host);
}

} // namespace

std::string FormatStatisticsRecord(const StatisticsRecord& r) {
    return fnFormatNumber(r.won, kCountWidth) + " " + fnFormatNumber(r.lost, kCountWidth) + " " +
           fnFormatNumber(r.longestWon, kCountWidth) + " " +
           fnFormatNumber(r.longestLost, kCountWidth) + " " +
           fnFormatNumber(r.currentWon, kCountWidth) + " " +
           fnFormatNumber(r.currentLost, kCountWidth) + " " +
           fnFormatNumber(r.totalScore, kScoreWidth) + " " + fnFormatNumber(0, kScoreWidth);
}

std::optional<StatisticsRecord> ParseStatisticsRecord(std::string_view text) {
    if (text.size() != kRecordLength) return std::nullopt;
    std::array<std::int64_t, 8> values{};
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        if (i > 0 && text[kFields[i].start - 1] != ' ') return std::nullopt;
        // The total score may have gone below zero: its sign comes first.
        const auto n = ParseNumber(text.substr(kFields[i].start, kFields[i].width), i == 6);
        if (!n) return std::nullopt;
        values[i] = *n;
    }
    return FromFields(values);
}

StatisticsRecord ReadStatisticsRecordLoosely(std::string_view text) {
    std::array<std::int64_t, 8> values{};
    for (std::size_t i = 0; i < kFields.size(); ++i)
        values[i] = ParseNumber(TrimBlanks(Slice(text, kFields[i].start, kFields[i].width)), i == 6)
                        .value_or(0);
    return FromFields(values);
}

StatisticsRecord AddEndedGame(StatisticsRecord r, bool won, int score) {
    if (won) {
        ++r.won;
        ++r.currentWon;
        r.currentLost = 0;
    } else {
        ++r.lost;
        ++r.currentLost;
        r.currentWon = 0;
    }
    r.longestWon = std::max(r.longestWon, r.currentWon);
    r.longestLost = std::max(r.longestLost, r.currentLost);
    r.totalScore += score;
    return r;
}

std::string Percentages::WonText() const {
    return any ? "(" + std::to_string(won) + "%)" : "";
}

std::string Percentages::LostText() const {
    return any ? "(" + std::to_string(lost) + "%)" : "";
}

Percentages ComputePercentages(int won, int lost) {
    Percentages p;
    const std::int64_t total = std::int64_t{won} + lost;
    if (total <= 0) return p;
    p.any = true;
    // (100 w / total + 0.5) rounded down, in integers.
    p.won = static_cast<int>((200 * std::int64_t{won} + total) / (2 * total));
    p.lost = 100 - p.won;
    return p;
}

std::int64_t AverageScore(const StatisticsRecord& record) {
    const int played = record.Played();
    return played > 0 ? record.totalScore / played : 0;
}

GameStatistics ReadStatistics(const GameContext& ctx, int game, const std::string& player) {
    GameStatistics stats;
    const RecordFile file = RecordFile::Load(DataFilePath(ctx, kStatisticsFile));
    if (const auto stored = file.Value(GameSection(game), player))
        stats.record = ReadStatisticsRecordLoosely(*stored);
    stats.current = game == CurrentGame(ctx) && player == CurrentPlayerName(ctx);
    if (stats.current) {
        stats.runWon = RunCounter(ctx, field::kRunCounter1);
        stats.runLost = RunCounter(ctx, field::kRunCounter2);
    }
    return stats;
}

std::vector<GameRecord> ReadPlayerStatistics(const GameContext& ctx, const std::string& player) {
    std::vector<GameRecord> games;
    const RecordFile file = RecordFile::Load(DataFilePath(ctx, kStatisticsFile));
    for (const std::string& section : file.Sections()) {
        const auto number = ParseNumber(section);
        if (section == kVersionSection || section.size() != kGameNumberWidth || !number) continue;
        if (const auto stored = file.Value(section, player))
            games.push_back({static_cast<int>(*number), ReadStatisticsRecordLoosely(*stored)});
    }
    return games;
}

std::vector<PlayerRecord> ReadGameStatistics(const GameContext& ctx, int game) {
    std::vector<PlayerRecord> players;
    const RecordFile file = RecordFile::Load(DataFilePath(ctx, kStatisticsFile));
    for (const RecordFile::Pair& pair : file.Pairs(GameSection(game)))
        players.push_back({pair.key, ReadStatisticsRecordLoosely(pair.value)});
    return players;
}

GamePlayed GamePlayState(const GameContext& ctx, int game) {
    const StatisticsRecord r = ReadStatistics(ctx, game, CurrentPlayerName(ctx)).record;
    if (r.won > 0) return GamePlayed::Won;
    return r.Played() > 0 ? GamePlayed::NeverWon : GamePlayed::Never;
}

RecordOutcome RecordEndedGame(GameContext& ctx, const Host::GameResult& result) {
    RecordOutcome outcome;
    if (StatisticsDisabled(ctx)) return outcome;
    const std::string player = TrimBlanks(result.player);
    const std::string code = CurrentScoringCode(ctx);
    const std::string gameName = GameName(ctx, result.game);

    LogEntry entry;
    entry.date = LocalDateText(result.endTime);
    entry.endTime = LocalTimeText(result.endTime);
    entry.seconds = std::max(0, result.seconds);
    entry.game = result.game;
    entry.gameName = gameName;
    entry.player = player;
    entry.won = result.won;
    entry.scoringCode = code;
    entry.score = result.score;
    entry.deal = TrimBlanks(result.deal);
    const bool logged = AppendLogLine(ctx, entry);
    const bool counted = UpdateStatisticsFile(ctx, result.game, player, result.won, result.score);
    outcome.recorded = logged && counted;
    AddToRunCounter(ctx, result.won ? field::kRunCounter1 : field::kRunCounter2);

    OfferedResult offered;
    offered.player = player;
    offered.deal = entry.deal;
    offered.won = result.won;
    offered.date = entry.date;
    offered.timeOfDay = entry.endTime;
    offered.seconds = entry.seconds;
    offered.score = result.score;
    offered.code = code;
    OverallUpdate overall = OverallUpdate::Skipped;
    outcome.hiScoreRank = OfferResult(ctx, ScoreTableKind::Game, result.game, offered, &overall);
    outcome.overallReset = overall == OverallUpdate::Corrupted;
    if (outcome.hiScoreRank >= 0 &&
        !(GetSetting(ctx.settings, field::kConfirmEnterHiScores) == "N")) {
        outcome.showHiScores = true;
        outcome.hiScoresTitle = NewHiScoreTitle(ScoreTableKind::Game, gameName);
    }
    return outcome;
}

} // namespace quendra
