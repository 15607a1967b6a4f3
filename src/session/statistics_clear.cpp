#include "cards.h"
#include "favourites.h"
#include "game_catalog.h"
#include "hiscores.h"
#include "overall_score.h"
#include "record_file.h"
#include "settings.h"
#include "statistics.h"

#include <algorithm>
#include <filesystem>

namespace quendra {

namespace {

constexpr const char* kVersionSection = "Version";
constexpr int kGameNumberWidth = 4;

const std::string& ZeroRecord() {
    static const std::string zero = FormatStatisticsRecord({});
    return zero;
}

bool Asked(GameContext& ctx, const std::string& question) {
    return ctx.host.AskYesNoCancel(question) == Host::Answer::Yes;
}

std::string EntryOf(const std::optional<std::string>& player) {
    return player ? *player : kAllPlayersEntry;
}

std::string EntryOf(const GameContext& ctx, const std::optional<int>& game) {
    return game ? GameName(ctx, *game) : kAllGamesEntry;
}

// A file started afresh: written whole with its version section only (the old one stays
// until the new one is in place).
bool StartAfresh(GameContext& ctx, const std::string& path) {
    RecordFile file = RecordFile::Load(path);
    file.Lines().clear();
    file.EnsureVersionSection();
    return file.Save(ctx.host);
}

bool ZeroRecords(GameContext& ctx, const std::optional<int>& game,
                 const std::optional<std::string>& player) {
    RecordFile file = RecordFile::Load(DataFilePath(ctx, kStatisticsFile));
    if (file.GetState() == RecordFile::State::Missing) return true;
    for (const std::string& section : file.Sections()) {
        if (section == kVersionSection || section.size() != kGameNumberWidth) continue;
        if (game && section != fnFormatNumber(*game, kGameNumberWidth)) continue;
        for (const RecordFile::Pair& pair : file.Pairs(section))
            if ((!player || pair.key == *player) && pair.value != ZeroRecord())
                file.SetValue(section, pair.key, ZeroRecord());
    }
    return file.Save(ctx.host);
}

bool RemoveLogLines(GameContext& ctx, const std::optional<int>& game,
                    const std::optional<std::string>& player) {
    RecordFile log = RecordFile::Load(DataFilePath(ctx, kLogFile));
    if (log.GetState() == RecordFile::State::Missing) return true;
    std::vector<std::string>& lines = log.Lines();
    const auto removed = std::ranges::remove_if(lines, [&](const std::string& line) {
        return !line.empty() && LogLineMatches(line, game, player);
    });
    if (removed.empty()) return true;
    lines.erase(removed.begin(), removed.end());
    log.MarkModified();
    return log.Save(ctx.host);
}

bool RemoveFile(const std::string& path) {
    std::error_code ec;
    std::filesystem::remove(path, ec);
    return !ec;
}

} // namespace

std::string ClearStatisticsQuestion(const std::string& playerEntry, const std::string& gameEntry) {
    return "Are you sure you want to clear the statistics for player: " + playerEntry +
           "\rfor game: " + gameEntry + "?";
}

bool ClearStatisticsRecords(GameContext& ctx, const std::optional<int>& game,
                            const std::optional<std::string>& player) {
    bool ok = true;
    if (!game && !player) {
        ok = StartAfresh(ctx, DataFilePath(ctx, kStatisticsFile));
        ok = RemoveFile(DataFilePath(ctx, kLogFile)) && ok;
    } else {
        ok = ZeroRecords(ctx, game, player);
        ok = RemoveLogLines(ctx, game, player) && ok;
    }
    const int current = ParseDigits(GetSetting(ctx.settings, field::kGameNumber));
    if (!game || !player || *game == current) ResetRunCounters(ctx);
    return ok;
}

bool ClearStatistics(GameContext& ctx, const std::optional<int>& game,
                     const std::optional<std::string>& player, bool ask) {
    if (ask && !Asked(ctx, ClearStatisticsQuestion(EntryOf(player), EntryOf(ctx, game))))
        return false;
    if (!ClearStatisticsRecords(ctx, game, player)) return false;
    ctx.host.ShowInformation(kStatisticsClearedMessage);
    return true;
}

int LogRecordCount(const GameContext& ctx) {
    RecordFile log = RecordFile::Load(DataFilePath(ctx, kLogFile));
    return static_cast<int>(
        std::ranges::count_if(log.Lines(), [](const std::string& line) { return !line.empty(); }));
}

bool ClearLog(GameContext& ctx, int keep) {
    const std::string path = DataFilePath(ctx, kLogFile);
    if (keep <= 0) {
        if (!Asked(ctx, kClearLogQuestion)) return false;
        if (!RemoveFile(path)) {
            ctx.host.ShowInformation("Error in deleting the file: " + path);
            return false;
        }
        ctx.host.ShowInformation(kLogClearedMessage);
        return true;
    }
    RecordFile log = RecordFile::Load(path);
    std::vector<std::string>& lines = log.Lines();
    std::erase_if(lines, [](const std::string& line) { return line.empty(); });
    if (static_cast<std::size_t>(keep) >= lines.size()) return false;
    // The newest records are the last ones; written in place of the old log in one rename.
    lines.erase(lines.begin(), lines.end() - keep);
    log.MarkModified();
    if (!log.Save(ctx.host)) return false;
    ctx.host.ShowInformation(kLogClearedMessage);
    return true;
}

bool ClearAllValues(GameContext& ctx) {
    if (!Asked(ctx, "Are you sure you want to clear the Statistics, the Hi-Scores, Log, Series "
                    "and the Overall Score for all players and all games?"))
        return false;
    if (!Asked(ctx, "Please confirm to delete ALL your values \r(Statistics, Hi-Scores, Log, "
                    "Overall Score, Series) \rfor all players and all games."))
        return false;
    bool ok = ClearStatisticsRecords(ctx, std::nullopt, std::nullopt);
    ok = ClearHiScores(ctx, std::nullopt, std::nullopt, false, false) && ok;
    // The series tables start afresh too, without a question of their own.
    const std::string series = DataFilePath(ctx, kSeriesScoresFile);
    if (std::filesystem::exists(series)) ok = StartAfresh(ctx, series) && ok;
    ResetRunCounters(ctx);
    if (ok) ctx.host.ShowInformation(kAllValuesClearedMessage);
    return ok;
}

bool ForgetGame(GameContext& ctx, int game, const std::string& name) {
    bool ok = ClearStatisticsRecords(ctx, game, std::nullopt);
    ok = ResetTable(ctx, game, CurrentScoringCode(ctx)) && ok;
    ResetRunCounters(ctx);
    ok = RemoveFavourite(ctx, name) && ok;
    ok = ForgetRecentGame(ctx, game) && ok;
    return ok;
}

} // namespace quendra
