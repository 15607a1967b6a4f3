#pragma once

#include "cli.h"
#include "cli_json.h"

#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace quendra::test {

// Runs the tool in-process with a fresh program folder and the built catalogue.
class CliRunner : public ::testing::Test, public InProcessCli {
  protected:
    using InProcessCli::Run;

    void SetUp() override {
        std::random_device rd;
        dir = std::filesystem::temp_directory_path() / ("quendra-cli-" + std::to_string(rd()));
        std::filesystem::create_directories(dir);
        exeDir = QUENDRA_BIN_DIR;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // play --json of a game and deal with the given moves.
    int Play(int game, int deal, const std::vector<std::string>& moves, bool autoplay = false) {
        std::vector<std::string> args = {
            "play", "--game", std::to_string(game), "--deal", std::to_string(deal), "--json"};
        if (autoplay) args.push_back("--autoplay");
        args.insert(args.end(), moves.begin(), moves.end());
        return Run(args);
    }

    std::map<std::string, std::string> Show(int game, int deal) {
        Run({"show", "--game", std::to_string(game), "--deal", std::to_string(deal), "--json"});
        return JsonPiles(out.str());
    }

};

// Cards of a snapshot line: code and face digit every 4 characters.
inline int LineCards(const std::string& line) {
    return static_cast<int>(line.size() / 4);
}
inline int LineCard(const std::string& line, int k) {
    return std::stoi(line.substr(static_cast<std::size_t>(k) * 4, 3));
}
inline bool LineFaceUp(const std::string& line, int k) {
    return line[static_cast<std::size_t>(k) * 4 + 3] == '1';
}
inline int TopOf(const std::string& line) {
    return line.empty() ? 0 : LineCard(line, LineCards(line) - 1);
}

} // namespace quendra::test
