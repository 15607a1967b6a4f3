#include "cli_solve.h"

#include "cli.h"
#include "cli_session.h"
#include "deal.h"
#include "solver.h"

#include <chrono>
#include <cstdio>
#include <ostream>

namespace quendra {

namespace {

constexpr int kDefaultBudget = 100000;

// A whole number from 1 to 999999999 given with the option, or `absent`.
int PositiveCount(const CliOptions& options, const std::string& name, const std::string& what,
                  int absent) {
    const auto value = options.values.find(name);
    if (value == options.values.end()) return absent;
    const std::string& text = value->second;
    const bool digits = !text.empty() && text.size() <= 9 &&
                        text.find_first_not_of("0123456789") == std::string::npos;
    if (!digits || std::stoi(text) == 0)
        throw UsageError{"The " + what + " must be a number from 1 to 999999999: " + text};
    return std::stoi(text);
}

const char* Verdict(const SolveResult& result) {
    if (result.won) return "won";
    return result.exhausted ? "no win" : "unknown";
}

std::string Seconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", seconds);
    return text;
}

} // namespace

int CommandSolve(const CliOptions& options, CliSession& session, std::ostream& out) {
    if (!options.positional.empty())
        throw UsageError{"Unexpected argument " + options.positional[0] + "."};
    SolveOptions solve;
    solve.moveBudget = PositiveCount(options, "--budget", "budget", kDefaultBudget);
    solve.bestFirst = options.Has("--best-first");
    solve.beamWidth = PositiveCount(options, "--beam", "beam width", 0);
    if (solve.bestFirst && solve.beamWidth > 0)
        throw UsageError{"--best-first and --beam are two orders of search: give one."};
    solve.autoplay = options.Has("--autoplay");
    session.StartGame(options, solve.autoplay);

    const auto started = std::chrono::steady_clock::now();
    const SolveResult result = SolveDeal(session.ctx(), solve);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    if (options.Has("--json")) {
        out << "{\"game\": " << ParseGameNumber(options.values.at("--game"))
            << ", \"deal\": " << JsonString(DealDigits(session.ctx()))
            << ", \"autoplay\": " << (solve.autoplay ? "true" : "false")
            << ", \"verdict\": " << JsonString(Verdict(result)) << ", \"moves\": [";
        for (std::size_t i = 0; i < result.moves.size(); ++i)
            out << (i ? ", " : "") << JsonString(FoundMoveText(result.moves[i]));
        out << "], \"moves_tried\": " << result.movesTried << ", \"seconds\": " << Seconds(seconds)
            << "}\n";
        return kExitOk;
    }
    out << Verdict(result);
    if (result.won) out << " in " << result.moves.size() << " moves";
    out << "; " << result.movesTried << " moves tried in " << Seconds(seconds) << " s\n";
    // The winning line, one move a line, ready for play's standard input.
    for (const FoundMove& move : result.moves)
        out << FoundMoveText(move) << '\n';
    return kExitOk;
}

} // namespace quendra
