// quendra-win-rates: the solver run over the first deals of each game, and the share it wins
// written into the game's source as the browser's chance of winning and its "about n in m".

#include "cli.h"
#include "cli_session.h"
#include "list_files.h"
#include "silent_host.h"
#include "solver.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>
#include <memory>
#include <set>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

namespace quendra {
namespace {

namespace fs = std::filesystem;

const char* const kUsage =
    "Usage: quendra-win-rates [--games DIR] [--wins DIR] [--deals N] [--budget MOVES]\n"
    "       [--seconds S] [--threads N] [--most-unknown PERCENT] [--dry-run] [--each]\n"
    "       (GAME... | --all)\n"
    "  Solves deals 1 to N (1000) of each game, each within the budget (20000 moves) and S\n"
    "  seconds (2), N deals at a time with --threads, and writes into the game's source in\n"
    "  DIR (games) the share won among the deals decided: browser.won-about and\n"
    "  browser.won-in (\"about n in m\"), browser.chance, and a comment line with the tally\n"
    "  and the share left unknown. A game whose unknown deals pass PERCENT (25) of those\n"
    "  searched keeps its figures. The solver plays with Autoplay as the game's winning list\n"
    "  in DIR (tests/data/wins) was found. The memory games are passed over: the solver sees\n"
    "  the face-down cards, so its verdict says nothing of a player's chance. --dry-run\n"
    "  prints the figures and writes nothing; --each prints every deal's verdict and time.\n";

// The comment line the tool writes above the figures; a second run replaces it.
const std::string kTallyMark = "# Measured by quendra-win-rates:";

struct Options {
    fs::path games = "games";
    fs::path wins = "tests/data/wins";
    std::vector<int> numbers;
    bool all = false, dryRun = false, each = false;
    int deals = 1000, threads = 1, mostUnknownPercent = 25, seconds = 2;
    SolveOptions solve;
};

Options ReadOptions(int argc, char** argv) {
    Options o;
    o.solve.moveBudget = 20000;
    o.solve.mixed = true;
    static const std::set<std::string> kValued = {"--games",   "--wins",    "--deals",
                                                  "--budget",  "--seconds", "--threads",
                                                  "--most-unknown"};
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--all") {
            o.all = true;
            continue;
        }
        if (name == "--dry-run") {
            o.dryRun = true;
            continue;
        }
        if (name == "--each") {
            o.each = true;
            continue;
        }
        if (name.rfind("--", 0) != 0) {
            o.numbers.push_back(static_cast<int>(OptionNumber("GAME", name)));
            continue;
        }
        if (kValued.count(name) == 0) throw std::invalid_argument("unknown option " + name);
        if (i + 1 >= argc) throw std::invalid_argument(name + " needs a value");
        const std::string value = argv[++i];
        auto count = [&](long long most) {
            const long long n = OptionNumber(name, value);
            if (n < 1 || n > most)
                throw std::invalid_argument(name + " takes 1 to " + std::to_string(most));
            return static_cast<int>(n);
        };
        if (name == "--games")
            o.games = value;
        else if (name == "--wins")
            o.wins = value;
        else if (name == "--deals")
            o.deals = count(100000);
        else if (name == "--budget")
            o.solve.moveBudget = count(999999999);
        else if (name == "--seconds")
            o.seconds = count(3600);
        else if (name == "--threads")
            o.threads = count(64);
        else if (name == "--most-unknown")
            o.mostUnknownPercent = count(100);
    }
    if (o.all == !o.numbers.empty())
        throw std::invalid_argument("give the game numbers, or --all");
    o.solve.timeLimit = std::chrono::seconds(o.seconds);
    if (!fs::is_directory(o.games))
        throw std::invalid_argument("no folder of game sources at " + o.games.string() +
                                    " (give --games DIR)");
    return o;
}

// The source file of game `number` in `dir`: NNNN-name.game.
fs::path SourceOf(const fs::path& dir, int number) {
    char prefix[8];
    std::snprintf(prefix, sizeof prefix, "%04d-", number);
    for (const auto& entry : fs::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) == 0 && entry.path().extension() == ".game") return entry.path();
    }
    return {};
}

std::vector<std::string> ReadLines(const fs::path& file) {
    std::ifstream in(file);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The key of a "key = value" line, blank when the line holds none.
std::string KeyOf(const std::string& line) {
    const auto eq = line.find('=');
    if (line.empty() || line[0] == '#' || eq == std::string::npos) return {};
    std::string key = line.substr(0, eq);
    key.erase(key.find_last_not_of(' ') + 1);
    return key;
}

// The value of `key` in the lines before "[rules]", blank when it is not set.
std::string ValueOf(const std::vector<std::string>& lines, const std::string& key) {
    for (const std::string& line : lines) {
        if (line.rfind("[rules]", 0) == 0) break;
        if (KeyOf(line) != key) continue;
        std::string value = line.substr(line.find('=') + 1);
        value.erase(0, value.find_first_not_of(' '));
        value.erase(std::min(value.find('#'), value.size()));
        value.erase(value.find_last_not_of(' ') + 1);
        return value;
    }
    return {};
}

// Does the game's winning list play with Autoplay ticked? Its first line says.
bool ListUsesAutoplay(const fs::path& wins, int number) {
    char prefix[8];
    std::snprintf(prefix, sizeof prefix, "%04d-", number);
    if (!fs::is_directory(wins)) return true;
    for (const auto& entry : fs::directory_iterator(wins)) {
        if (entry.path().filename().string().rfind(prefix, 0) != 0) continue;
        std::ifstream in(entry.path());
        std::string first;
        std::getline(in, first);
        return first.find("autoplay") != std::string::npos;
    }
    return true;
}

struct Tally {
    int won = 0, lost = 0, unknown = 0;
    std::vector<double> seconds; // the time to each verdict (an unknown deal's: infinite)
    int Decided() const { return won + lost; }
    int Searched() const { return won + lost + unknown; }
};

// A dealt game of its own, for a search on another thread.
struct DealtCopy {
    SilentHost host;
    GameContext ctx{host};
};

Tally Measure(const Options& o, InProcessCli& cli, int number, bool autoplay) {
    CliOptions options;
    options.values["--dir"] = cli.dir.string();
    options.values["--game"] = std::to_string(number);
    CliSession session(options, QUENDRA_BIN_DIR, std::cerr);
    SolveOptions solve = o.solve;
    solve.autoplay = autoplay;
    Tally tally;
    for (int deal = 1; deal <= o.deals; deal += o.threads) {
        std::vector<std::unique_ptr<DealtCopy>> batch;
        for (int d = deal; d <= o.deals && d < deal + o.threads; ++d) {
            options.values["--deal"] = std::to_string(d);
            session.StartGame(options, autoplay);
            batch.push_back(std::make_unique<DealtCopy>());
            CopyGameState(batch.back()->ctx, session.ctx());
        }
        std::vector<SolveResult> results(batch.size());
        std::vector<double> seconds(batch.size());
        auto solveOne = [&](std::size_t i) {
            const auto start = std::chrono::steady_clock::now();
            results[i] = SolveDeal(batch[i]->ctx, solve);
            seconds[i] = std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
                             .count();
        };
        std::vector<std::thread> workers;
        for (std::size_t i = 1; i < batch.size(); ++i) workers.emplace_back(solveOne, i);
        solveOne(0);
        for (std::thread& worker : workers) worker.join();
        for (std::size_t i = 0; i < results.size(); ++i) {
            const SolveResult& r = results[i];
            ++(r.won ? tally.won : r.exhausted ? tally.lost : tally.unknown);
            if (o.each)
                std::cout << "game " << number << " deal " << deal + static_cast<int>(i) << " "
                          << (r.won ? "won" : r.exhausted ? "lost" : "unknown") << " "
                          << seconds[i] << std::endl;
            tally.seconds.push_back(r.won || r.exhausted ? seconds[i]
                                                         : std::numeric_limits<double>::infinity());
        }
    }
    return tally;
}

// The median time to a verdict, "no verdict" when most deals found none within the limits.
std::string MedianText(Tally t) {
    if (t.seconds.empty()) return "none";
    const auto middle = t.seconds.begin() + static_cast<long>(t.seconds.size() / 2);
    std::nth_element(t.seconds.begin(), middle, t.seconds.end());
    if (std::isinf(*middle)) return "no verdict";
    char text[32];
    std::snprintf(text, sizeof text, "%.3f s", *middle);
    return text;
}

struct Figures {
    int about = 0, in = 0;
    std::string chance;
};

// The share won among the deals decided, as "about n in m" and the chance of winning.
Figures FiguresOf(const Tally& t) {
    Figures f;
    const double share = static_cast<double>(t.won) / t.Decided();
    if (t.won == 0) {
        // None won: no "about n in m", which would read "about 0 in m".
        f.about = f.in = 0;
    } else if (t.won == t.Decided()) {
        f.about = t.won;
        f.in = t.Decided();
    } else if (share < 0.1) {
        f.about = 1;
        f.in = static_cast<int>(std::lround(1.0 / share));
    } else {
        // Tenths while they say it; twentieths or hundredths close to all or none.
        for (const int in : {10, 20, 100}) {
            const int about = static_cast<int>(std::lround(share * in));
            f.about = std::clamp(about, 1, in - 1);
            f.in = in;
            if (about > 0 && about < in) break;
        }
    }
    f.chance = share >= 0.8   ? "very-high"
               : share >= 0.5  ? "high"
               : share >= 0.25 ? "medium"
               : share >= 0.05 ? "low"
                               : "very-low";
    return f;
}

// Writes the figures into the source: the keys replaced where they stand (else added after
// browser.chance), the tally comment above them; the new file is renamed over the old.
void WriteFigures(const fs::path& file, std::vector<std::string> lines, const Figures& f,
                  const std::string& tally) {
    const std::vector<std::pair<std::string, std::string>> keys = {
        {"browser.chance", f.chance},
        {"browser.won-about", std::to_string(f.about)},
        {"browser.won-in", std::to_string(f.in)}};
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [](const std::string& line) {
                                   return line.rfind(kTallyMark, 0) == 0 ||
                                          KeyOf(line) == "browser.won-about" ||
                                          KeyOf(line) == "browser.won-in";
                               }),
                lines.end());
    auto at = std::find_if(lines.begin(), lines.end(),
                           [](const std::string& line) { return KeyOf(line) == "browser.chance"; });
    if (at == lines.end())
        at = std::find_if(lines.begin(), lines.end(),
                          [](const std::string& line) { return line.rfind("[rules]", 0) == 0; });
    else
        at = lines.erase(at);
    std::vector<std::string> block = {tally};
    for (const auto& [key, value] : keys) {
        std::string line = key;
        line.resize(std::max<std::size_t>(line.size(), 18), ' ');
        block.push_back(line + " = " + value);
    }
    lines.insert(at, block.begin(), block.end());
    const fs::path next = file.string() + ".new";
    {
        std::ofstream out(next);
        for (const std::string& line : lines) out << line << '\n';
        if (!out.flush()) throw std::runtime_error("cannot write " + next.string());
    }
    fs::rename(next, file);
}

int Run(const Options& o) {
    InProcessCli cli;
    UseScratchFolder(cli, "quendra-rates", QUENDRA_BIN_DIR);
    std::vector<int> numbers = o.numbers;
    if (o.all)
        for (const auto& entry : fs::directory_iterator(o.games))
            if (entry.path().extension() == ".game")
                numbers.push_back(std::stoi(entry.path().filename().string().substr(0, 4)));
    std::sort(numbers.begin(), numbers.end());
    int problems = 0;
    for (const int number : numbers) {
        const fs::path file = SourceOf(o.games, number);
        if (file.empty()) {
            std::cout << "game " << number << ": no source in " << o.games.string() << std::endl;
            ++problems;
            continue;
        }
        const std::vector<std::string> lines = ReadLines(file);
        if (ValueOf(lines, "game.type") == "memory") {
            std::cout << "game " << number << ": a memory game, passed over" << std::endl;
            continue;
        }
        const bool autoplay = ListUsesAutoplay(o.wins, number);
        const Tally t = Measure(o, cli, number, autoplay);
        std::ostringstream tally;
        tally << kTallyMark << ' ' << t.won << " won, " << t.lost << " lost, " << t.unknown
              << " unknown of deals 1 to " << t.Searched() << " (" << o.solve.moveBudget
              << " moves, " << o.seconds << " s a deal" << (autoplay ? ", autoplay" : "") << ")";
        std::cout << "game " << number << ": " << tally.str().substr(kTallyMark.size() + 1)
                  << "; median " << MedianText(t);
        if (t.Decided() == 0 || t.unknown * 100 > o.mostUnknownPercent * t.Searched()) {
            std::cout << "; too many unknown, the figures kept" << std::endl;
            continue;
        }
        const Figures f = FiguresOf(t);
        std::cout << "; about " << f.about << " in " << f.in << ", " << f.chance << std::endl;
        if (!o.dryRun) WriteFigures(file, lines, f, tally.str());
    }
    fs::remove_all(cli.dir);
    return problems == 0 ? 0 : 1;
}

} // namespace
} // namespace quendra

int main(int argc, char** argv) {
    return quendra::RunGenerator("quendra-win-rates", quendra::kUsage, [&] {
        return quendra::Run(quendra::ReadOptions(argc, argv));
    });
}
