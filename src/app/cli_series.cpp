#include "cli_series.h"

#include "cli.h"
#include "game_catalog.h"
#include "record_file.h"
#include "score.h"
#include "series.h"

#include <ostream>

namespace quendra {

namespace {

constexpr int kExitDamaged = 1;

void WriteSeriesJson(const GameContext& ctx, const SeriesDefinition& s, std::ostream& out) {
    out << "{\"number\": " << s.number << ", \"name\": " << JsonString(s.name)
        << ", \"built_in\": " << (s.builtIn() ? "true" : "false")
        << ", \"playable\": " << (SeriesPlayable(ctx, s.number) ? "true" : "false")
        << ", \"games\": [";
    for (std::size_t i = 0; i < s.games.size(); ++i)
        out << (i ? ", " : "") << "{\"game\": " << s.games[i]
            << ", \"name\": " << JsonString(GameName(ctx, s.games[i])) << "}";
    out << "]}";
}

void WriteStandingJson(const GameContext& ctx, const SeriesInProgress& s, std::ostream& out) {
    const SeriesTotals totals = ComputeSeriesTotals(s);
    out << "{\"number\": " << s.number << ", \"name\": " << JsonString(SeriesName(ctx, s.number))
        << ", \"player\": " << JsonString(s.player) << ", \"played\": " << totals.gamesPlayed
        << ", \"total\": " << s.NumGames() << ", \"current\": " << s.played
        << ", \"score\": " << totals.score << ", \"seconds\": " << totals.seconds
        << ", \"all_won\": " << (totals.allWon ? "true" : "false")
        << ", \"all_at_maximum\": " << (totals.allAtMaximum ? "true" : "false")
        << ", \"results\": [";
    for (int position = 1; position <= s.NumGames(); ++position) {
        const std::size_t index = static_cast<std::size_t>(position - 1);
        out << (position > 1 ? ",\n    " : "\n    ") << "{\"position\": " << position
            << ", \"game\": " << s.GameAt(position)
            << ", \"name\": " << JsonString(GameName(ctx, s.GameAt(position)));
        if (index < s.results.size() && s.results[index]) {
            const SeriesGameResult& r = *s.results[index];
            out << ", \"won\": " << (r.won ? "true" : "false") << ", \"score\": " << r.score
                << ", \"seconds\": " << r.seconds
                << ", \"at_maximum\": " << (r.atMaximum ? "true" : "false");
        }
        out << "}";
    }
    out << "\n  ]}";
}

} // namespace

int CommandSeries(const CliOptions& options, CliSession& session, std::ostream& out,
                  std::ostream& err) {
    if (!options.positional.empty())
        throw UsageError{"Unexpected argument " + options.positional[0] + "."};
    GameContext& ctx = session.ctx();
    int status = kExitOk;
    const UserSeriesFile user = LoadUserSeries(ctx);
    if (!user.Usable()) {
        err << DamagedSeriesMessage(DataFilePath(ctx, kSeriesFile), user.problem) << '\n';
        status = kExitDamaged;
    }
    std::vector<SeriesDefinition> all = BuiltInSeries();
    all.insert(all.end(), user.series.begin(), user.series.end());
    const SeriesInProgressRead running = ReadSeriesInProgress(ctx);
    if (running.exists && !running.series) {
        err << "The series in progress cannot be read: " << SeriesInProgressPath(ctx) << " ("
            << running.problem << ")\n";
        status = kExitDamaged;
    }
    if (options.Has("--json")) {
        out << "{\"series\": [";
        for (std::size_t i = 0; i < all.size(); ++i) {
            out << (i ? ",\n  " : "\n  ");
            WriteSeriesJson(ctx, all[i], out);
        }
        out << "\n],\n\"in_progress\": ";
        if (running.series)
            WriteStandingJson(ctx, *running.series, out);
        else
            out << "null";
        out << "}\n";
        return status;
    }
    for (const SeriesDefinition& s : all) {
        out << s.number << '\t' << s.name << '\t';
        for (std::size_t i = 0; i < s.games.size(); ++i)
            out << (i ? ", " : "") << GameName(ctx, s.games[i]);
        if (!SeriesPlayable(ctx, s.number)) out << "\t(a game is not in the catalogue)";
        out << '\n';
    }
    if (!running.series) {
        out << "No series in progress.\n";
        return status;
    }
    const SeriesInProgress& s = *running.series;
    const SeriesTotals totals = ComputeSeriesTotals(s);
    out << "In progress: " << s.number << '\t' << SeriesName(ctx, s.number) << '\t' << s.player
        << '\t' << totals.gamesPlayed << '/' << s.NumGames() << '\n';
    for (int position = 1; position <= s.NumGames(); ++position) {
        const std::size_t index = static_cast<std::size_t>(position - 1);
        out << position << '\t' << GameName(ctx, s.GameAt(position));
        if (index < s.results.size() && s.results[index]) {
            const SeriesGameResult& r = *s.results[index];
            out << '\t' << (r.won ? "Won" : "Lost") << '\t' << r.score << '\t'
                << fnClockText(r.seconds) << '\t' << (r.atMaximum ? "Max" : "");
        } else if (position == s.played) {
            out << "\tin play";
        }
        out << '\n';
    }
    out << "Total\t" << totals.score << '\t' << fnClockText(totals.seconds) << '\n';
    return status;
}

} // namespace quendra
