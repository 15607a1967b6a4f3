#include "cli_records.h"

#include "cards.h"
#include "cli.h"
#include "game_catalog.h"
#include "hiscores.h"
#include "overall_score.h"
#include "players.h"
#include "record_file.h"
#include "score.h"
#include "settings.h"
#include "statistics.h"

#include <algorithm>
#include <ostream>

namespace quendra {

namespace {

constexpr int kExitDisabled = 1;

std::optional<int> GameOption(const CliOptions& options, CliSession& session) {
    const auto game = options.values.find("--game");
    if (game == options.values.end()) return std::nullopt;
    const int number = ParseGameNumber(game->second);
    if (GameType(session.ctx(), number) < 0)
        throw UsageError{"Unknown game number: " + std::to_string(number) + "."};
    return number;
}

bool Disabled(CliSession& session, std::ostream& err) {
    if (!StatisticsDisabled(session.ctx())) return false;
    err << kStatisticsDisabledMessage << '\n';
    return true;
}

// "Current: 2 won", "Current: 1 lost" or "Current" alone, as the game statistics view says it.
std::string CurrentStreakText(const StatisticsRecord& r) {
    if (r.currentWon > 0) return "Current: " + std::to_string(r.currentWon) + " won";
    if (r.currentLost > 0) return "Current: " + std::to_string(r.currentLost) + " lost";
    return "Current";
}

struct GameFigures {
    int game = 0;
    std::string name;
    GameStatistics stats;
    std::optional<OverallGame> best;
};

void WriteFiguresJson(const GameFigures& f, std::ostream& out) {
    const StatisticsRecord& r = f.stats.record;
    const Percentages p = ComputePercentages(r.won, r.lost);
    out << "{\"game\": " << f.game << ", \"name\": " << JsonString(f.name)
        << ", \"played\": " << r.Played() << ", \"won\": " << r.won << ", \"lost\": " << r.lost
        << ", \"won_percent\": " << (p.any ? std::to_string(p.won) : "null")
        << ", \"lost_percent\": " << (p.any ? std::to_string(p.lost) : "null")
        << ", \"longest_won\": " << r.longestWon << ", \"longest_lost\": " << r.longestLost
        << ", \"current_won\": " << r.currentWon << ", \"current_lost\": " << r.currentLost
        << ", \"total_score\": " << r.totalScore << ", \"average_score\": " << AverageScore(r)
        << ", \"best_score\": " << (f.best ? std::to_string(f.best->score) : "null")
        << ", \"best_seconds\": " << (f.best ? std::to_string(f.best->seconds) : "null") << "}";
}

void WriteFiguresText(const GameFigures& f, std::ostream& out) {
    const StatisticsRecord& r = f.stats.record;
    const Percentages p = ComputePercentages(r.won, r.lost);
    out << "Won: " << r.won << (p.any ? " " + p.WonText() : "") << '\n'
        << "Lost: " << r.lost << (p.any ? " " + p.LostText() : "") << '\n'
        << "Total: " << r.Played() << '\n'
        << "Longest winning streak: " << r.longestWon << '\n'
        << "Longest losing streak: " << r.longestLost << '\n'
        << CurrentStreakText(r) << '\n'
        << "Total score: " << r.totalScore << '\n'
        << "Average score: " << AverageScore(r) << '\n';
    if (f.best)
        out << "Best score: " << f.best->score << " in " << fnClockText(f.best->seconds) << '\n';
}

} // namespace

std::string CliPlayer(const CliOptions& options, CliSession& session) {
    GameContext& ctx = session.ctx();
    SetSetting(ctx.settings, field::kUserDefault, ReadPreference(ctx, "UserDefault"));
    CreateDefaultPlayers(ctx);
    const auto named = options.values.find("--player");
    if (named == options.values.end()) return CurrentPlayer(ctx);
    const std::vector<std::string> players = StoredPlayers(ctx);
    if (std::ranges::find(players, named->second) == players.end())
        throw UsageError{"No player named \"" + named->second + "\"."};
    return named->second;
}

int CommandStats(const CliOptions& options, CliSession& session, std::ostream& out,
                 std::ostream& err) {
    if (!options.positional.empty())
        throw UsageError{"Unexpected argument " + options.positional[0] + "."};
    const std::optional<int> game = GameOption(options, session);
    const std::string player = CliPlayer(options, session);
    if (Disabled(session, err)) return kExitDisabled;
    GameContext& ctx = session.ctx();

    std::vector<int> games;
    if (game) {
        games.push_back(*game);
    } else {
        for (const GameRecord& record : ReadPlayerStatistics(ctx, player))
            if (record.record.Played() > 0) games.push_back(record.game);
    }
    const std::vector<OverallGame> bests = ReadOverallDetails(ctx, player);
    std::vector<GameFigures> figures;
    for (int number : games) {
        GameFigures f{number, GameName(ctx, number), ReadStatistics(ctx, number, player), {}};
        const auto best = std::ranges::find(bests, number, &OverallGame::game);
        if (best != bests.end()) f.best = *best;
        figures.push_back(std::move(f));
    }
    // The all-games view lists the games by name.
    std::ranges::stable_sort(figures, {}, &GameFigures::name);

    if (options.Has("--json")) {
        out << "{\"player\": " << JsonString(player) << ", \"games\": [";
        for (std::size_t i = 0; i < figures.size(); ++i) {
            out << (i ? ",\n  " : "\n  ");
            WriteFiguresJson(figures[i], out);
        }
        out << (figures.empty() ? "]}\n" : "\n]}\n");
        return kExitOk;
    }
    out << "Player: " << player << '\n';
    if (game) {
        out << "Game: " << figures[0].name << " (game " << *game << ")\n";
        WriteFiguresText(figures[0], out);
        return kExitOk;
    }
    out << "Game\tWon\tLost\t% Won\n";
    for (const GameFigures& f : figures) {
        const StatisticsRecord& r = f.stats.record;
        const Percentages p = ComputePercentages(r.won, r.lost);
        out << f.name << '\t' << r.won << '\t' << r.lost << '\t'
            << (r.won > 0 ? std::to_string(p.won) : "") << '\n';
    }
    return kExitOk;
}

int CommandLog(const CliOptions& options, CliSession& session, std::ostream& out,
               std::ostream& err) {
    if (!options.positional.empty())
        throw UsageError{"Unexpected argument " + options.positional[0] + "."};
    const std::optional<int> game = GameOption(options, session);
    std::optional<std::string> player;
    if (options.values.contains("--player")) player = CliPlayer(options, session);
    if (Disabled(session, err)) return kExitDisabled;
    const LogContents log = ReadLog(session.ctx());
    if (log.damagedLines > 0)
        err << log.damagedLines << " damaged line(s) of the log were left out.\n";
    const std::vector<LogEntry> shown = FilterLog(log.entries, player, game);
    if (options.Has("--json")) {
        out << "[";
        for (std::size_t i = 0; i < shown.size(); ++i) {
            const LogEntry& e = shown[i];
            out << (i ? ",\n  " : "\n  ") << "{\"date\": " << JsonString(e.date)
                << ", \"time\": " << JsonString(e.endTime) << ", \"seconds\": " << e.seconds
                << ", \"game\": " << e.game << ", \"name\": " << JsonString(e.gameName)
                << ", \"player\": " << JsonString(e.player)
                << ", \"won\": " << (e.won ? "true" : "false") << ", \"score\": " << e.score
                << ", \"scoring_code\": " << JsonString(e.scoringCode)
                << ", \"deal\": " << JsonString(e.deal) << "}";
        }
        out << (shown.empty() ? "]\n" : "\n]\n");
        return kExitOk;
    }
    out << "Date\tStart\tTime\tGame\tW/L\tScore\tPlayer\tGame number\n";
    for (const LogEntry& e : shown)
        out << e.date << '\t' << e.endTime.substr(0, 5) << '\t' << fnClockText(e.seconds) << '\t'
            << e.gameName << '\t' << (e.won ? "Won" : "Lost") << '\t' << e.score << '\t' << e.player
            << '\t' << e.deal << '\n';
    out << "The Log contains " << shown.size() << " record(s).\n";
    return kExitOk;
}

int CommandHiscores(const CliOptions& options, CliSession& session, std::ostream& out) {
    if (!options.positional.empty())
        throw UsageError{"Unexpected argument " + options.positional[0] + "."};
    const std::optional<int> game = GameOption(options, session);
    if (!game) throw UsageError{"hiscores needs --game N."};
    GameContext& ctx = session.ctx();
    const std::vector<HiScoreEntry> table =
        ReadHiScores(ctx, ScoreTableKind::Game, *game, CurrentScoringCode(ctx));
    if (options.Has("--json")) {
        out << "[";
        bool first = true;
        for (std::size_t i = 0; i < table.size(); ++i) {
            const HiScoreEntry& e = table[i];
            if (e.empty) continue;
            out << (first ? "\n  " : ",\n  ") << "{\"rank\": " << i + 1
                << ", \"player\": " << JsonString(e.player) << ", \"score\": " << e.score
                << ", \"seconds\": " << e.seconds << ", \"won\": " << (e.won ? "true" : "false")
                << ", \"date\": " << JsonString(e.date) << ", \"time\": " << JsonString(e.time)
                << ", \"deal\": " << JsonString(e.number) << "}";
            first = false;
        }
        out << (first ? "]\n" : "\n]\n");
        return kExitOk;
    }
    out << HiScoresTitle(GameName(ctx, *game)) << '\n'
        << "N.\tPlayer\tScore\tTime\tW/L\tDate\tGame number\n";
    for (std::size_t i = 0; i < table.size(); ++i) {
        const HiScoreEntry& e = table[i];
        out << fnFormatNumber(static_cast<long long>(i + 1), 2);
        if (!e.empty)
            out << '\t' << e.player << '\t' << e.score << '\t' << fnClockText(e.seconds) << '\t'
                << (e.won ? "Won" : "Lost") << '\t' << e.date << '\t' << e.number;
        out << '\n';
    }
    return kExitOk;
}

} // namespace quendra
