#include "list_files.h"

#include "cli_session.h"

#include <fstream>
#include <iostream>
#include <random>
#include <stdexcept>

namespace quendra {

namespace {

// The value text of a top-level field of the play command's JSON result.
std::string JsonFieldOf(const std::string& json, const std::string& name) {
    const std::string key = "\"" + name + "\": ";
    const std::size_t at = json.find(key);
    if (at == std::string::npos) return {};
    const std::size_t begin = at + key.size();
    return json.substr(begin, json.find_first_of(",}", begin) - begin);
}

} // namespace

bool PlayConfirms(InProcessCli& cli, int game, long long deal, const std::vector<std::string>& line,
                  bool autoplay) {
    if (line.empty()) return false;
    std::string input;
    for (const std::string& move : line)
        input += move + "\n";
    std::vector<std::string> args = {"play", "--game", std::to_string(game), "--deal",
                                     std::to_string(deal), "--json", "-"};
    if (autoplay) args.push_back("--autoplay");
    if (cli.Run(args, input) != kExitOk || JsonFieldOf(cli.out.str(), "won") != "true" ||
        JsonFieldOf(cli.out.str(), "moves_applied") != std::to_string(line.size()))
        return false;
    return cli.Run(args, input.substr(0, input.size() - line.back().size() - 1)) == kExitOk &&
           JsonFieldOf(cli.out.str(), "won") == "false";
}

void WriteWinningList(const std::filesystem::path& dir, int game, long long deal, bool autoplay,
                      const std::vector<std::string>& line) {
    char name[64];
    std::snprintf(name, sizeof name, "%04d-deal-%lld.moves", game, deal);
    std::error_code made;
    std::filesystem::create_directories(dir, made);
    const std::filesystem::path path = dir / name;
    std::ofstream file(path, std::ios::binary);
    file << "# game " << game << " deal " << deal << (autoplay ? " autoplay" : "") << "\n";
    for (const std::string& move : line)
        file << move << "\n";
    file.close();
    // A line found after hours of search must not be lost without a word.
    if (!file) throw std::runtime_error("cannot write " + path.string());
}

long long OptionNumber(const std::string& name, const std::string& text) {
    if (text.empty() || text.size() > 13 || text.find_first_not_of("0123456789") != std::string::npos)
        throw std::invalid_argument(name + " needs a number, not \"" + text + "\"");
    return std::stoll(text);
}

void UseScratchFolder(InProcessCli& cli, const std::string& prefix, const std::string& binDir) {
    cli.exeDir = binDir;
    cli.dir = std::filesystem::temp_directory_path() /
              (prefix + "-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(cli.dir);
}

int RunGenerator(const char* name, const char* usage, const std::function<int()>& generate) {
    try {
        return generate();
    } catch (const std::invalid_argument& e) {
        std::cerr << name << ": " << e.what() << "\n" << usage;
        return kExitUsage;
    } catch (const UsageError& e) {
        std::cerr << name << ": " << e.message << "\n";
        return kExitUsage;
    } catch (const std::runtime_error& e) {
        std::cerr << name << ": " << e.what() << "\n";
        return 1;
    }
}

} // namespace quendra
