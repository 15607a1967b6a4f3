// quendra-spider-wins: winning move lists for the Spider games, found by a beam search on a
// small model of the game and kept only when the engine and the play command confirm them.

#include "cards.h"
#include "cli.h"
#include "cli_session.h"
#include "game_params.h"
#include "list_files.h"
#include "move_finder.h"
#include "spider_search.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <random>
#include <sstream>
#include <stdexcept>

namespace quendra {
namespace {

namespace fs = std::filesystem;
using spider::MakeCard;

constexpr long long kLastDealNumber = 9'999'999'999'999; // 13 digits

const char* const kUsage =
    "Usage: quendra-spider-wins --out DIR [--game N] [--first-deal D] [--last-deal D]\n"
    "       [--random COUNT [--seed S]] [--beam WIDTH] [--nodes COUNT] [--keep K] [--clicks]\n"
    "  Searches deals D to D (1 to 20) of Spider game N (91) with a beam of WIDTH (2000)\n"
    "  positions a layer and at most COUNT (2000000) positions; writes the first K (1) won\n"
    "  lines that the play command confirms into DIR as NNNN-deal-D.moves. With --random,\n"
    "  COUNT deal numbers of 13 digits are drawn instead (from seed S, 1). --clicks lets a\n"
    "  line click a face-down card to turn it up.\n";

spider::Card ModelCard(int card) {
    return MakeCard(fnRank(card), fnSuit(card));
}

// The building method's numbers in the game parameters.
constexpr int kMethodInSuit = 0;
constexpr int kMethodInColour = 1;
constexpr int kGroupsInSuit = 10;
constexpr int kRunSlotAnySuit = 82;

spider::Match MethodMatch(int method) {
    if (method == kMethodInSuit) return spider::Match::Suit;
    if (method == kMethodInColour) return spider::Match::Colour;
    return spider::Match::Any;
}

spider::Rules RulesOfGame(const GameContext& ctx) {
    spider::Rules rules;
    const int method = ctx.Param(param::kTableauMethod);
    rules.build = MethodMatch(method);
    rules.group =
        ctx.Param(param::kGroupMoves) == kGroupsInSuit ? spider::Match::Suit : MethodMatch(method);
    // Places that take a run of any suit check only a run built in suit, and keep the runs
    // even between red and black.
    const bool anySuit = ctx.Param(param::kFoundationBase) == kRunSlotAnySuit;
    rules.finish = anySuit && method != kMethodInSuit ? spider::Match::Any : spider::Match::Suit;
    rules.balancedColours = anySuit;
    // The engine turns face-down top cards by itself only after a group of cards has moved.
    rules.turnAfterGroupsOnly = true;
    return rules;
}

spider::Deal DealFromGame(const GameContext& ctx) {
    spider::Deal deal;
    deal.rules = RulesOfGame(ctx);
    spider::Position& pos = deal.start;
    pos.piles = TableauCount(ctx);
    if (pos.piles < 1 || pos.piles > spider::kMaxPiles)
        throw std::invalid_argument("the Spider model holds 1 to " +
                                    std::to_string(spider::kMaxPiles) + " tableau piles, not " +
                                    std::to_string(pos.piles));
    int at = 0, cards = 0;
    for (int p = 0; p < pos.piles; ++p) {
        const std::string& pile = ctx.table.FilaGroup[static_cast<std::size_t>(p)];
        const int count = PileCardCount(pile);
        pos.length[p] = static_cast<std::uint8_t>(count);
        for (int i = 0; i < count; ++i) {
            const int card = PileCardAt(pile, i);
            if (ctx.cardTable.Face(card) != '1') pos.down[p] = static_cast<std::uint8_t>(i + 1);
            pos.cards[static_cast<std::size_t>(at++)] = ModelCard(card);
        }
        cards += count;
    }
    // The stock deals from its top, the end of its pile string.
    const std::string& stock = ctx.table.StockGroup[kMazzo];
    for (int i = PileCardCount(stock) - 1; i >= 0; --i)
        deal.stock.push_back(ModelCard(PileCardAt(stock, i)));
    deal.totalRuns = (cards + static_cast<int>(deal.stock.size())) / spider::kRunLength;
    return deal;
}

bool SameTable(const GameContext& ctx, const spider::Position& pos) {
    const spider::Deal now = DealFromGame(ctx);
    for (int p = 0; p < pos.piles; ++p) {
        if (now.start.length[p] != pos.length[p] || now.start.down[p] != pos.down[p]) return false;
        for (int i = 0; i < pos.length[p]; ++i)
            if (now.start.At(p, i) != pos.At(p, i)) return false;
    }
    return true;
}

// Plays the model's line through the engine as the player would; the line as typed, or
// nothing when the engine refuses a move or its table (faces too) parts from the model's.
std::optional<std::vector<std::string>> EngineLine(GameContext& ctx, const spider::Deal& deal,
                                                   const std::vector<spider::Move>& moves,
                                                   std::ostream& log) {
    std::vector<std::string> line;
    spider::Position pos = deal.start;
    for (const spider::Move& move : moves) {
        FoundMove found;
        if (move.deal) {
            found.kind = FoundMove::Kind::Stock;
        } else if (move.turn) {
            found.kind = FoundMove::Kind::Click;
            found.from = pile::Fila(move.from);
        } else {
            found.from = pile::Fila(move.from);
            found.to = pile::Fila(move.to);
            found.position = move.position;
            found.group = move.position < pos.length[move.from] - 1;
        }
        line.push_back(FoundMoveText(found));
        if (!PlayFoundMove(ctx, found)) {
            log << "the engine refused " << line.back() << " (move " << line.size() << ")\n";
            return std::nullopt;
        }
        spider::Play(deal, pos, move);
        if (!SameTable(ctx, pos)) {
            log << "the engine's table differs from the model after " << line.back() << " (move "
                << line.size() << ")\n";
            return std::nullopt;
        }
    }
    return line;
}


struct Options {
    fs::path out;
    int game = 91, keep = 1;
    long long firstDeal = 1, lastDeal = 20;
    long long randomDeals = 0; // deals drawn at random instead of a range
    unsigned long long seed = 1;
    spider::SearchOptions search;
};

Options ReadOptions(int argc, char** argv) {
    Options o;
    o.search.clicks = false;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--clicks") {
            o.search.clicks = true;
            continue;
        }
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
        else if (name == "--random")
            o.randomDeals = OptionNumber(name, value);
        else if (name == "--seed")
            o.seed = static_cast<unsigned long long>(OptionNumber(name, value));
        else if (name == "--beam")
            o.search.beamWidth = static_cast<int>(OptionNumber(name, value));
        else if (name == "--nodes")
            o.search.nodeBudget = OptionNumber(name, value);
        else if (name == "--keep")
            o.keep = static_cast<int>(OptionNumber(name, value));
        else
            throw std::invalid_argument("unknown option " + name);
    }
    if (o.out.empty()) throw std::invalid_argument("--out DIR is needed");
    return o;
}

int Generate(const Options& o) {
    InProcessCli cli;
    UseScratchFolder(cli, "quendra-spider", QUENDRA_BIN_DIR);
    int kept = 0;
    std::mt19937_64 draw(o.seed);
    std::uniform_int_distribution<long long> anyDeal(1, kLastDealNumber);
    const long long count = o.randomDeals > 0 ? o.randomDeals : o.lastDeal - o.firstDeal + 1;
    for (long long done = 0; done < count && kept < o.keep; ++done) {
        const long long deal = o.randomDeals > 0 ? anyDeal(draw) : o.firstDeal + done;
        CliOptions options;
        options.values["--dir"] = cli.dir.string();
        options.values["--game"] = std::to_string(o.game);
        options.values["--deal"] = std::to_string(deal);
        CliSession session(options, QUENDRA_BIN_DIR, std::cerr);
        session.StartGame(options, false);
        const spider::Deal model = DealFromGame(session.ctx());
        const auto started = std::chrono::steady_clock::now();
        const spider::SearchResult result = spider::Solve(model, o.search);
        const auto seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        std::cout << "game " << o.game << " deal " << deal << ": "
                  << (result.won ? "won in " + std::to_string(result.moves.size()) + " moves"
                                 : std::string("not won"))
                  << ", " << result.mostRemoved << " runs at most, " << result.depth << " layers, "
                  << result.nodes << " positions, " << seconds << " s" << std::endl;
        if (!result.won) continue;
        const auto line = EngineLine(session.ctx(), model, result.moves, std::cout);
        if (!line) continue;
        const bool confirmed = PlayConfirms(cli, o.game, deal, *line, false);
        std::cout << "  the play command " << (confirmed ? "confirms" : "rejects") << " the line of "
                  << line->size() << " moves" << std::endl;
        if (!confirmed) continue;
        WriteWinningList(o.out, o.game, deal, false, *line);
        ++kept;
    }
    fs::remove_all(cli.dir);
    return kept > 0 ? 0 : 1;
}

} // namespace
} // namespace quendra

int main(int argc, char** argv) {
    return quendra::RunGenerator("quendra-spider-wins", quendra::kUsage, [&] {
        return quendra::Generate(quendra::ReadOptions(argc, argv));
    });
}
