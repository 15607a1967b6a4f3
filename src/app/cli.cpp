#include "cli.h"

#include "cards.h"
#include "cli_play.h"
#include "cli_records.h"
#include "cli_series.h"
#include "cli_session.h"
#include "cli_solve.h"
#include "deal.h"
#include "game_catalog.h"
#include "game_check.h"

#include <iostream>
#include <ostream>

namespace quendra {

namespace {

const char* const kUsage =
    "Usage: quendra-cli COMMAND [OPTIONS]\n"
    "Commands:\n"
    "  games [--json]                 list the games of the catalogue\n"
    "  deal --game N --deal D         print the deck list of a deal, 3-digit card codes\n"
    "  show (--game N --deal D | --open FILE) [--json]\n"
    "                                 the dealt table or a saved game, as text or as JSON\n"
    "  play (--game N --deal D | --open FILE) [--save FILE] [--autoplay] [--end]\n"
    "       [--player NAME] [--json] MOVE...\n"
    "                                 play the moves (\"-\" reads more from standard input);\n"
    "                                 exit status 3 when a move is refused; --open continues\n"
    "                                 a saved game, --save writes the position reached with\n"
    "                                 its undo history; a bad saved game exits with 2; a game\n"
    "                                 that ends (won, or given up with --end) is recorded in\n"
    "                                 the statistics of the player (default: the current one)\n"
    "  stats [--game N] [--player NAME] [--json]\n"
    "                                 the player's statistics: every game played, or one game\n"
    "                                 with its streaks, percentages, best score and time\n"
    "  log [--game N] [--player NAME] [--json]\n"
    "                                 the game log, oldest first\n"
    "  hiscores --game N [--json]     the game's hi-score table\n"
    "  series [--json]                the built-in and the player's series with their games,\n"
    "                                 and the standing of the series in progress; exit\n"
    "                                 status 1 when a series file is damaged\n"
    "  hint (--game N --deal D | --open FILE) [--autoplay] MOVE...\n"
    "                                 play the moves, then print the next move the finder sees\n"
    "  solve --game N (--deal D | --winnable-from D [--threads N]) [--budget MOVES]\n"
    "        [--autoplay] [--best-first | --beam WIDTH | --mixed] [--json]\n"
    "                                 search the deal for a win: prints \"won\" and the moves\n"
    "                                 (for play, with --autoplay when given), \"no win\" when\n"
    "                                 every position was tried, \"unknown\" when the budget\n"
    "                                 (100000 moves) ran out; the moves tried and the time;\n"
    "                                 --best-first takes the most promising table further\n"
    "                                 first instead of the deepest; --beam keeps the WIDTH\n"
    "                                 most promising tables at each move (\"no win\" only\n"
    "                                 when it left no table behind); --mixed runs the three\n"
    "                                 in turn with growing shares of the budget;\n"
    "                                 --winnable-from searches the deals from D on (1000 at\n"
    "                                 most) and answers with the first one won, N deals\n"
    "                                 at a time with --threads\n"
    "  render --game N --deal D --size WxH [--cards B|M|L] [--set NNN] [--back NNN]\n"
    "         [--dpr 1|2] OUT.png     draw the dealt table as the window draws it\n"
    "  check-games [--deal D]         deal every game and check its table at 1024x768 and\n"
    "                                 800x600; exit status 1 when a game fails\n"
    "Moves:\n"
    "  FROM>TO                        the top card of pile FROM onto pile TO (Fila3>Dest1,\n"
    "                                 Mazzo_Vis>Fila2, Appogg1>Fila4)\n"
    "  FROM:K>TO                      the card at position K (0 = bottom) and those on it\n"
    "  PILE                           a click on a pile: turns its face-down top card\n"
    "  PILE:K                         a click on the card at position K (the memory games)\n"
    "  stock, undo, redo, autoplay    a stock click, the commands, one run of automatic play\n"
    "Options for every command:\n"
    "  --dir DIR                      use DIR as the program folder\n";

int CommandGames(const CliOptions& options, CliSession& session, std::ostream& out) {
    const bool json = options.switches.contains("--json");
    GameContext& ctx = session.ctx();
    if (json) out << "[";
    bool first = true;
    for (const std::string& line : ctx.mainGame.GameList) {
        const int number = ParseDigits(line.substr(4, 3));
        const std::string name = GameName(ctx, number);
        const int type = GameType(ctx, number);
        if (json) {
            out << (first ? "\n  " : ",\n  ") << "{\"number\": " << number
                << ", \"name\": " << JsonString(name) << ", \"type\": " << type << "}";
        } else {
            out << number << '\t' << name << '\t' << type << '\n';
        }
        first = false;
    }
    if (json) out << (first ? "]\n" : "\n]\n");
    return kExitOk;
}

int CommandDeal(const CliOptions& options, CliSession& session, std::ostream& out) {
    const auto game = options.values.find("--game");
    const auto deal = options.values.find("--deal");
    if (game == options.values.end() || deal == options.values.end())
        throw UsageError{"deal needs --game N and --deal D."};
    if (!IsValidDealNumber(deal->second))
        throw UsageError{"The deal number must have 1 to 13 digits: " + deal->second};
    session.SelectGame(ParseGameNumber(game->second));
    GameContext& ctx = session.ctx();
    SetSetting(ctx.settings, field::kDealNumber, deal->second);
    DeckList deck;
    fnGameNumberCardsArray(ctx, deck);
    for (std::size_t i = 0; i < deck.size(); ++i)
        out << (i ? " " : "") << deck[i];
    out << '\n';
    return kExitOk;
}

// Deals every game of the catalogue and checks what a player would see go wrong.
int CommandCheckGames(const CliOptions& options, CliSession& session, std::ostream& out,
                      std::ostream& err) {
    const auto deal = options.values.find("--deal");
    const std::string number = deal == options.values.end() ? "1" : deal->second;
    if (!IsValidDealNumber(number))
        throw UsageError{"The deal number must have 1 to 13 digits: " + number};
    std::vector<std::string> problems;
    int checked = 0;
    if (!CheckAllGames(GamesDatPath(session.ctx()), number, {{1024, 768}, {800, 600}}, problems,
                       checked))
        throw UsageError{problems.empty() ? "The catalogue cannot be read." : problems.front()};
    for (const std::string& problem : problems)
        err << problem << '\n';
    out << checked << " games checked, " << problems.size() << " problems\n";
    return problems.empty() ? kExitOk : 1;
}

} // namespace

int InProcessCli::Run(std::vector<std::string> args, const std::string& input) {
    args.push_back("--dir");
    args.push_back(dir.string());
    out.str({});
    err.str({});
    std::istringstream in(input);
    return RunCli(args, exeDir, in, out, err);
}

int RunCli(const std::vector<std::string>& args, const std::string& exeDir, std::ostream& out,
           std::ostream& err) {
    std::istream empty(nullptr);
    return RunCli(args, exeDir, empty, out, err);
}

int RunCli(const std::vector<std::string>& args, const std::string& exeDir, std::istream& in,
           std::ostream& out, std::ostream& err) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        (args.empty() ? err : out) << kUsage;
        return args.empty() ? kExitUsage : kExitOk;
    }
    const std::string& command = args[0];
    try {
        if (command == "games") {
            const CliOptions options = ParseCliOptions(args, {"--dir"}, {"--json"});
            if (!options.positional.empty())
                throw UsageError{"Unexpected argument " + options.positional[0] + "."};
            CliSession session(options, exeDir, err);
            return CommandGames(options, session, out);
        }
        if (command == "deal") {
            const CliOptions options = ParseCliOptions(args, {"--dir", "--game", "--deal"}, {});
            if (!options.positional.empty())
                throw UsageError{"Unexpected argument " + options.positional[0] + "."};
            CliSession session(options, exeDir, err);
            return CommandDeal(options, session, out);
        }
        if (command == "check-games") {
            const CliOptions options = ParseCliOptions(args, {"--dir", "--deal"}, {});
            if (!options.positional.empty())
                throw UsageError{"Unexpected argument " + options.positional[0] + "."};
            CliSession session(options, exeDir, err);
            return CommandCheckGames(options, session, out, err);
        }
        if (command == "show") {
            const CliOptions options =
                ParseCliOptions(args, {"--dir", "--game", "--deal", "--open"}, {"--json"});
            CliSession session(options, exeDir, err);
            return CommandShow(options, session, out);
        }
        if (command == "play" || command == "hint") {
            const bool play = command == "play";
            const CliOptions options =
                ParseCliOptions(args,
                                play ? std::set<std::string>{"--dir", "--game", "--deal", "--open",
                                                             "--save", "--player"}
                                     : std::set<std::string>{"--dir", "--game", "--deal", "--open"},
                                play ? std::set<std::string>{"--autoplay", "--json", "--end"}
                                     : std::set<std::string>{"--autoplay"});
            CliSession session(options, exeDir, err);
            return play ? CommandPlay(options, session, in, out, err)
                        : CommandHint(options, session, in, out, err);
        }
        if (command == "stats" || command == "log") {
            const CliOptions options =
                ParseCliOptions(args, {"--dir", "--game", "--player"}, {"--json"});
            CliSession session(options, exeDir, err);
            return command == "stats" ? CommandStats(options, session, out, err)
                                      : CommandLog(options, session, out, err);
        }
        if (command == "hiscores") {
            const CliOptions options = ParseCliOptions(args, {"--dir", "--game"}, {"--json"});
            CliSession session(options, exeDir, err);
            return CommandHiscores(options, session, out);
        }
        if (command == "series") {
            const CliOptions options = ParseCliOptions(args, {"--dir"}, {"--json"});
            CliSession session(options, exeDir, err);
            return CommandSeries(options, session, out, err);
        }
        if (command == "solve") {
            const CliOptions options = ParseCliOptions(
                args, {"--dir", "--game", "--deal", "--budget", "--beam", "--winnable-from",
                       "--threads"},
                {"--autoplay", "--best-first", "--mixed", "--json"});
            CliSession session(options, exeDir, err);
            return CommandSolve(options, session, out);
        }
        throw UsageError{"Unknown command " + command + "."};
    } catch (const SavedGameError&) {
        return kExitUsage;
    } catch (const UsageError& e) {
        err << "quendra-cli: " << e.message << '\n' << kUsage;
        return kExitUsage;
    }
}

} // namespace quendra
