#include "cli_solve.h"

#include "cli.h"
#include "cli_session.h"
#include "deal.h"
#include "silent_host.h"
#include "solver.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <ostream>
#include <thread>
#include <vector>

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

// The deals tried by --winnable-from before it gives up.
constexpr long long kWinnableDeals = 1000;
constexpr long long kLastDeal = 9'999'999'999'999; // 13 digits

// A dealt game of its own, for a search on another thread.
struct DealtCopy {
    SilentHost host;
    GameContext ctx{host};
    long long deal = 0;
};

// The first deal from `first` on (at most kWinnableDeals of them) that the search proves
// won, searched `threads` deals at a time; the deal searched in `session` is that one.
std::optional<long long> FirstWinnableDeal(const CliOptions& options, CliSession& session,
                                           const SolveOptions& solve, long long first, int threads,
                                           SolveResult& result, int& movesTried) {
    movesTried = 0;
    const long long last = std::min(kLastDeal, first + kWinnableDeals - 1);
    for (long long deal = first; deal <= last; deal += threads) {
        std::vector<std::unique_ptr<DealtCopy>> batch;
        for (long long d = deal; d <= last && d < deal + threads; ++d) {
            CliOptions one = options;
            one.values["--deal"] = std::to_string(d);
            session.StartGame(one, solve.autoplay);
            auto copy = std::make_unique<DealtCopy>();
            CopyGameState(copy->ctx, session.ctx());
            copy->deal = d;
            batch.push_back(std::move(copy));
        }
        std::vector<SolveResult> results(batch.size());
        std::vector<std::thread> workers;
        for (std::size_t i = 1; i < batch.size(); ++i)
            workers.emplace_back([&, i] { results[i] = SolveDeal(batch[i]->ctx, solve); });
        results[0] = SolveDeal(batch[0]->ctx, solve);
        for (std::thread& worker : workers)
            worker.join();
        for (std::size_t i = 0; i < batch.size(); ++i) {
            movesTried += results[i].movesTried;
            if (!results[i].won) continue;
            CliOptions won = options;
            won.values["--deal"] = std::to_string(batch[i]->deal);
            session.StartGame(won, solve.autoplay);
            result = results[i];
            return batch[i]->deal;
        }
    }
    return std::nullopt;
}

} // namespace

int CommandSolve(const CliOptions& options, CliSession& session, std::ostream& out) {
    if (!options.positional.empty())
        throw UsageError{"Unexpected argument " + options.positional[0] + "."};
    SolveOptions solve;
    solve.moveBudget = PositiveCount(options, "--budget", "budget", kDefaultBudget);
    solve.bestFirst = options.Has("--best-first");
    solve.beamWidth = PositiveCount(options, "--beam", "beam width", 0);
    solve.mixed = options.Has("--mixed");
    if ((solve.bestFirst ? 1 : 0) + (solve.beamWidth > 0 ? 1 : 0) + (solve.mixed ? 1 : 0) > 1)
        throw UsageError{"--best-first, --beam and --mixed are orders of search: give one."};
    solve.autoplay = options.Has("--autoplay");
    const int threads = PositiveCount(options, "--threads", "number of threads", 1);
    const auto from = options.values.find("--winnable-from");
    if (from == options.values.end() && threads > 1)
        throw UsageError{"--threads searches several deals at once: it needs --winnable-from."};
    if (from != options.values.end()) {
        if (options.values.count("--deal") || options.values.count("--open"))
            throw UsageError{"--winnable-from names the first deal: give no --deal or --open."};
        if (!IsValidDealNumber(from->second))
            throw UsageError{"The deal number must have 1 to 13 digits: " + from->second};
        if (threads > 64) throw UsageError{"At most 64 threads: " + std::to_string(threads)};
    }

    const auto started = std::chrono::steady_clock::now();
    SolveResult result;
    if (from != options.values.end()) {
        const long long first = std::stoll(from->second);
        int tried = 0;
        const auto deal =
            FirstWinnableDeal(options, session, solve, first, threads, result, tried);
        if (!deal) {
            const long long last = std::min(kLastDeal, first + kWinnableDeals - 1);
            out << "No deal from " << first << " to " << last << " was proved winnable; "
                << tried << " moves tried in "
                << Seconds(std::chrono::duration<double>(std::chrono::steady_clock::now() -
                                                         started)
                               .count())
                << " s\n";
            return kExitRefused;
        }
        result.movesTried = tried;
    } else {
        session.StartGame(options, solve.autoplay);
        result = SolveDeal(session.ctx(), solve);
    }
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
    if (from != options.values.end()) out << "deal " << DealDigits(session.ctx()) << ": ";
    out << Verdict(result);
    if (result.won) out << " in " << result.moves.size() << " moves";
    out << "; " << result.movesTried << " moves tried in " << Seconds(seconds) << " s\n";
    // The winning line, one move a line, ready for play's standard input.
    for (const FoundMove& move : result.moves)
        out << FoundMoveText(move) << '\n';
    return kExitOk;
}

} // namespace quendra
