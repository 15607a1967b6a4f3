#pragma once

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace quendra {

// Exit statuses of the command-line tool.
constexpr int kExitOk = 0;
constexpr int kExitUsage = 2;
constexpr int kExitRefused = 3;

// Runs quendra-cli with its arguments (without the program name); `exeDir` is the folder of
// the executable.
int RunCli(const std::vector<std::string>& args, const std::string& exeDir, std::ostream& out,
           std::ostream& err);
// The same, with the standard input that "-" in a move list reads.
int RunCli(const std::vector<std::string>& args, const std::string& exeDir, std::istream& in,
           std::ostream& out, std::ostream& err);

// The tool run in-process on the program folder `dir`, keeping what it printed in `out` and
// `err` (emptied before each run): what the tests and the winning-list tools use.
struct InProcessCli {
    std::filesystem::path dir;
    std::string exeDir;
    std::ostringstream out, err;

    int Run(std::vector<std::string> args, const std::string& input = {});
};

} // namespace quendra
