// quendra-deal-search: the solver run in-process over a long range of deals of one game, for
// the games won so rarely that a deal with a line must be looked for among thousands. Prints
// the tally of verdicts and keeps the first won lines that the play command confirms.

#include "cli.h"
#include "cli_session.h"
#include "list_files.h"
#include "move_finder.h"
#include "solver.h"

#include <filesystem>
#include <iostream>
#include <random>
#include <set>
#include <stdexcept>

namespace quendra {
namespace {

namespace fs = std::filesystem;

constexpr long long kLastDealNumber = 9'999'999'999'999; // 13 digits

const char* const kUsage =
    "Usage: quendra-deal-search --game N [--first-deal D] [--last-deal D] [--budget MOVES]\n"
    "       [--beam WIDTH | --best-first] [--no-autoplay] [--out DIR] [--keep K]\n"
    "       [--random COUNT [--seed S]] [--depth MOVES]\n"
    "  Solves deals D to D (1 to 1000) of game N, each within the budget (20000 moves), with\n"
    "  Autoplay ticked unless --no-autoplay, and prints how many were won, had no win or gave\n"
    "  no answer (and a line every 10000 deals). With --out, the first K (1) won lines that\n"
    "  the play command confirms are written into DIR as NNNN-deal-D.moves and the search\n"
    "  stops. With --random, COUNT deal numbers of 13 digits are drawn instead (from seed S, 1\n"
    "  by default, so that a run can be repeated): the low numbers are deals much alike, and\n"
    "  a game won rarely among them may be won among deals drawn from the whole range. --depth\n"
    "  sets the longest line the solver looks at (500), for games won only by long lines.\n";

struct Options {
    fs::path out;
    int game = -1, keep = 1;
    long long firstDeal = 1, lastDeal = 1000;
    long long randomDeals = 0; // deals drawn at random instead of a range
    unsigned long long seed = 1;
    SolveOptions solve;
};

Options ReadOptions(int argc, char** argv) {
    Options o;
    o.solve.autoplay = true;
    o.solve.moveBudget = 20000;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--no-autoplay") {
            o.solve.autoplay = false;
            continue;
        }
        if (name == "--best-first") {
            o.solve.bestFirst = true;
            continue;
        }
        static const std::set<std::string> kValued = {"--out",    "--game", "--first-deal",
                                                      "--last-deal", "--budget", "--beam",
                                                      "--keep", "--random", "--seed",
                                                      "--depth"};
        if (kValued.count(name) == 0) throw std::invalid_argument("unknown option " + name);
        if (i + 1 >= argc) throw std::invalid_argument(name + " needs a value");
        const std::string value = argv[++i];
        if (name == "--out")
            o.out = value;
        else if (name == "--game")
            o.game = static_cast<int>(OptionNumber(name, value));
        else if (name == "--first-deal")
            o.firstDeal = OptionNumber(name, value);
        else if (name == "--last-deal")
            o.lastDeal = OptionNumber(name, value);
        else if (name == "--budget")
            o.solve.moveBudget = static_cast<int>(std::min(OptionNumber(name, value), 999999999LL));
        else if (name == "--beam")
            o.solve.beamWidth = static_cast<int>(std::min(OptionNumber(name, value), 1000000LL));
        else if (name == "--depth")
            o.solve.maxDepth = static_cast<int>(std::min(OptionNumber(name, value), 100000LL));
        else if (name == "--keep")
            o.keep = static_cast<int>(OptionNumber(name, value));
        else if (name == "--random")
            o.randomDeals = OptionNumber(name, value);
        else if (name == "--seed")
            o.seed = static_cast<unsigned long long>(OptionNumber(name, value));
        else
            throw std::invalid_argument("unknown option " + name);
    }
    if (o.game < 0) throw std::invalid_argument("--game N is needed");
    if (o.firstDeal < 1 || o.lastDeal < o.firstDeal)
        throw std::invalid_argument("the deals run from --first-deal to --last-deal, from 1");
    if (o.solve.bestFirst && o.solve.beamWidth > 0)
        throw std::invalid_argument("--best-first and --beam are two orders of search: give one");
    return o;
}

int Search(const Options& o) {
    InProcessCli cli;
    UseScratchFolder(cli, "quendra-deals", QUENDRA_BIN_DIR);
    CliOptions options;
    options.values["--dir"] = cli.dir.string();
    options.values["--game"] = std::to_string(o.game);
    long long won = 0, noWin = 0, unknown = 0;
    int kept = 0;
    std::mt19937_64 draw(o.seed);
    std::uniform_int_distribution<long long> anyDeal(1, kLastDealNumber);
    const long long count = o.randomDeals > 0 ? o.randomDeals : o.lastDeal - o.firstDeal + 1;
    long long done = 0;
    for (; done < count && (o.out.empty() || kept < o.keep); ++done) {
        const long long deal = o.randomDeals > 0 ? anyDeal(draw) : o.firstDeal + done;
        options.values["--deal"] = std::to_string(deal);
        // A session a deal: each starts from a fresh table, as the command does.
        CliSession session(options, QUENDRA_BIN_DIR, std::cerr);
        session.StartGame(options, o.solve.autoplay);
        const SolveResult result = SolveDeal(session.ctx(), o.solve);
        // A long run says now and then how far it has come.
        if ((done + 1) % 10000 == 0)
            std::cout << "  " << done + 1 << " deals: " << won + (result.won ? 1 : 0) << " won"
                      << std::endl;
        if (!result.won) {
            ++(result.exhausted ? noWin : unknown);
            continue;
        }
        ++won;
        std::vector<std::string> line;
        for (const FoundMove& move : result.moves)
            line.push_back(FoundMoveText(move));
        std::cout << "game " << o.game << " deal " << deal << ": won in " << line.size()
                  << " moves" << std::endl;
        if (o.out.empty()) continue;
        if (!PlayConfirms(cli, o.game, deal, line, o.solve.autoplay)) {
            std::cout << "  the play command rejects the line" << std::endl;
            continue;
        }
        WriteWinningList(o.out, o.game, deal, o.solve.autoplay, line);
        ++kept;
    }
    std::cout << "game " << o.game << " ";
    if (o.randomDeals > 0)
        std::cout << done << " deals drawn from seed " << o.seed;
    else
        std::cout << "deals " << o.firstDeal << " to " << o.firstDeal + done - 1;
    std::cout << ": " << won << " won, " << noWin << " no win, " << unknown << " unknown (budget "
              << o.solve.moveBudget << " moves";
    if (o.solve.beamWidth > 0) std::cout << ", beam " << o.solve.beamWidth;
    if (o.solve.bestFirst) std::cout << ", best first";
    std::cout << (o.solve.autoplay ? ", autoplay" : "") << ")" << std::endl;
    fs::remove_all(cli.dir);
    return won > 0 ? 0 : 1;
}

} // namespace
} // namespace quendra

int main(int argc, char** argv) {
    return quendra::RunGenerator("quendra-deal-search", quendra::kUsage, [&] {
        return quendra::Search(quendra::ReadOptions(argc, argv));
    });
}
