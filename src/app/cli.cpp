#include "cli.h"

#include "cards.h"
#include "cli_host.h"
#include "deal.h"
#include "game_catalog.h"
#include "game_check.h"
#include "program_files.h"

#include <map>
#include <ostream>
#include <set>

#ifndef QUENDRA_SHARE_DIR
#define QUENDRA_SHARE_DIR ""
#endif

namespace quendra {

namespace {

const char* const kUsage =
    "Usage: quendra-cli COMMAND [OPTIONS]\n"
    "Commands:\n"
    "  games [--json]                 list the games of the catalogue\n"
    "  deal --game N --deal D         print the deck list of a deal, 3-digit card codes\n"
    "  render --game N --deal D --size WxH [--cards B|M|L] [--set NNN] [--back NNN]\n"
    "         [--dpr 1|2] OUT.png     draw the dealt table as the window draws it\n"
    "  check-games [--deal D]         deal every game and check its table at 1024x768 and\n"
    "                                 800x600\n"
    "Options for every command:\n"
    "  --dir DIR                      use DIR as the program folder\n";

// Options of the form --name VALUE, and switches of the form --name.
struct Options {
    std::map<std::string, std::string> values;
    std::set<std::string> switches;
    std::vector<std::string> positional;
};

struct UsageError {
    std::string message;
};

Options ParseOptions(const std::vector<std::string>& args, const std::set<std::string>& valued,
                     const std::set<std::string>& flags) {
    Options options;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (valued.contains(arg)) {
            if (i + 1 >= args.size()) throw UsageError{"Missing value after " + arg + "."};
            options.values[arg] = args[++i];
        } else if (flags.contains(arg)) {
            options.switches.insert(arg);
        } else if (arg.starts_with("--")) {
            throw UsageError{"Unknown option " + arg + "."};
        } else {
            options.positional.push_back(arg);
        }
    }
    return options;
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                const char* hex = "0123456789abcdef";
                out += "\\u00";
                out += hex[(c >> 4) & 0xF];
                out += hex[c & 0xF];
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

// A game number as typed: digits only, 0 to 9999.
int ParseGameNumber(const std::string& text) {
    if (text.empty() || text.size() > 4 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        throw UsageError{"The game number must be a number from 0 to 9999: " + text};
    return std::stoi(text);
}

// Sets up the program folder and reads the catalogue.
class CliSession {
  public:
    CliSession(const Options& options, const std::string& exeDir, std::ostream& err)
        : host_(err), ctx_(host_) {
        const auto dir = options.values.find("--dir");
        ProgramFiles files;
        std::string error;
        if (!LocateProgramFiles(dir == options.values.end() ? std::string{} : dir->second, exeDir,
                                QUENDRA_SHARE_DIR, files, error))
            throw UsageError{error};
        SetSetting(ctx_.settings, field::kProgramDir, files.programDir);
        ctx_.gamesFile = files.gamesFile;
        ctx_.imagesFile = files.imagesFile;
        if (files.gamesFile.empty())
            throw UsageError{"Cannot find file: GAMES.DAT (looked in " + files.programDir +
                             " and " + exeDir + ")."};
        if (!LoadGameList(ctx_)) throw UsageError{"The games catalogue cannot be read."};
    }

    GameContext& ctx() { return ctx_; }

    // Makes the game current and loads its rules.
    void SelectGame(int number) {
        if (GameType(ctx_, number) < 0)
            throw UsageError{"Unknown game number: " + std::to_string(number) + "."};
        SetSetting(ctx_.settings, field::kGameNumber, std::to_string(number));
        SetSetting(ctx_.settings, field::kGameName, GameName(ctx_, number));
        if (!LoadGameDefinition(ctx_))
            throw UsageError{"The rules of game " + std::to_string(number) + " cannot be loaded."};
    }

  private:
    CliHost host_;
    GameContext ctx_;
};

int CommandGames(const Options& options, CliSession& session, std::ostream& out) {
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

int CommandDeal(const Options& options, CliSession& session, std::ostream& out) {
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
int CommandCheckGames(const Options& options, CliSession& session, std::ostream& out,
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

int RunCli(const std::vector<std::string>& args, const std::string& exeDir, std::ostream& out,
           std::ostream& err) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        (args.empty() ? err : out) << kUsage;
        return args.empty() ? kExitUsage : kExitOk;
    }
    const std::string& command = args[0];
    try {
        if (command == "games") {
            const Options options = ParseOptions(args, {"--dir"}, {"--json"});
            if (!options.positional.empty())
                throw UsageError{"Unexpected argument " + options.positional[0] + "."};
            CliSession session(options, exeDir, err);
            return CommandGames(options, session, out);
        }
        if (command == "deal") {
            const Options options = ParseOptions(args, {"--dir", "--game", "--deal"}, {});
            if (!options.positional.empty())
                throw UsageError{"Unexpected argument " + options.positional[0] + "."};
            CliSession session(options, exeDir, err);
            return CommandDeal(options, session, out);
        }
        if (command == "check-games") {
            const Options options = ParseOptions(args, {"--dir", "--deal"}, {});
            if (!options.positional.empty())
                throw UsageError{"Unexpected argument " + options.positional[0] + "."};
            CliSession session(options, exeDir, err);
            return CommandCheckGames(options, session, out, err);
        }
        throw UsageError{"Unknown command " + command + "."};
    } catch (const UsageError& e) {
        err << "quendra-cli: " << e.message << '\n' << kUsage;
        return kExitUsage;
    }
}

} // namespace quendra
