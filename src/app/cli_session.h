#pragma once

#include "cli_host.h"
#include "game_context.h"

#include <iosfwd>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace quendra {

// Options of the form --name VALUE, switches of the form --name, and the other words.
struct CliOptions {
    std::map<std::string, std::string> values;
    std::set<std::string> switches;
    std::vector<std::string> positional;

    bool Has(const std::string& name) const { return switches.contains(name); }
};

// Bad arguments: the tool prints the message and the usage and exits with status 2.
struct UsageError {
    std::string message;
};

// A saved game that cannot be used: its message is already on standard error; the tool
// exits with status 2.
struct SavedGameError {};

// Reads the arguments after the command word; an unknown option is a usage error. A lone
// "-" is a positional word.
CliOptions ParseCliOptions(const std::vector<std::string>& args,
                           const std::set<std::string>& valued, const std::set<std::string>& flags);

// A JSON string literal.
std::string JsonString(const std::string& text);

// A game number as typed: digits only, 0 to 9999.
int ParseGameNumber(const std::string& text);

// The program folder and the catalogue, set up for one run of the tool.
class CliSession {
  public:
    CliSession(const CliOptions& options, const std::string& exeDir, std::ostream& err);

    GameContext& ctx() { return ctx_; }
    CliHost& host() { return host_; }

    // Makes the game current and loads its rules.
    void SelectGame(int number);
    // Starts the game of --game with the deal of --deal, or continues the saved game of
    // --open, laid out for a 1024 x 768 table, and ticks "Au&toplay" when asked to.
    void StartGame(const CliOptions& options, bool autoplay);
    // --save FILE: writes the position reached, with its undo history, as a saved game.
    void SaveGame(const std::string& path);

  private:
    // The player's preferences of a fresh profile; silent, no animation.
    void QuietPreferences();

    CliHost host_;
    GameContext ctx_;
};

} // namespace quendra
