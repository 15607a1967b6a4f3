#include "cli_session.h"

#include "deal.h"
#include "game_catalog.h"
#include "new_game.h"
#include "program_files.h"
#include "saved_game.h"

#include <ostream>

#ifndef QUENDRA_SHARE_DIR
#define QUENDRA_SHARE_DIR ""
#endif

namespace quendra {

CliOptions ParseCliOptions(const std::vector<std::string>& args,
                           const std::set<std::string>& valued,
                           const std::set<std::string>& flags) {
    CliOptions options;
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

int ParseGameNumber(const std::string& text) {
    if (text.empty() || text.size() > 4 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        throw UsageError{"The game number must be a number from 0 to 9999: " + text};
    return std::stoi(text);
}

CliSession::CliSession(const CliOptions& options, const std::string& exeDir, std::ostream& err)
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
        throw UsageError{"Cannot find file: GAMES.DAT (looked in " + files.programDir + " and " +
                         exeDir + ")."};
    if (!LoadGameList(ctx_)) throw UsageError{"The games catalogue cannot be read."};
}

void CliSession::SelectGame(int number) {
    if (GameType(ctx_, number) < 0)
        throw UsageError{"Unknown game number: " + std::to_string(number) + "."};
    SetSetting(ctx_.settings, field::kGameNumber, std::to_string(number));
    SetSetting(ctx_.settings, field::kGameName, GameName(ctx_, number));
    if (!LoadGameDefinition(ctx_))
        throw UsageError{"The rules of game " + std::to_string(number) + " cannot be loaded."};
}

void CliSession::QuietPreferences() {
    SetSetting(ctx_.settings, field::kAutomaticFaceUp, "Y");
    SetSetting(ctx_.settings, field::kSoundsEnabled, "N");
    SetSetting(ctx_.settings, field::kCardsAnimate, "N");
    SetSetting(ctx_.settings, field::kDealAnimation, "N");
    SetSetting(ctx_.settings, field::kRedealAnimation, "N");
    SetSetting(ctx_.settings, field::kUndoMode, "0");
    // The standard scoring, as the program starts with: the score the statistics record.
    SetSetting(ctx_.settings, field::kStatsCode, "01");
    ctx_.layoutArea = LayoutArea{};
}

void CliSession::StartGame(const CliOptions& options, bool autoplay) {
    const auto game = options.values.find("--game");
    const auto deal = options.values.find("--deal");
    const auto open = options.values.find("--open");
    if (open != options.values.end()) {
        if (game != options.values.end() || deal != options.values.end())
            throw UsageError{"--open takes the game and the deal from the file."};
        QuietPreferences();
        // The host has shown why a file cannot be used.
        if (!OpenSavedGame(ctx_, open->second, OpenMode::ReadOnly).Ok()) throw SavedGameError{};
        ctx_.play.autoplayTicked = autoplay;
        ctx_.play.autoplayEnabled = true;
        return;
    }
    if (game == options.values.end() || deal == options.values.end())
        throw UsageError{"The command needs --game N and --deal D, or --open FILE."};
    if (!IsValidDealNumber(deal->second))
        throw UsageError{"The deal number must have 1 to 13 digits: " + deal->second};
    const int number = ParseGameNumber(game->second);
    if (GameType(ctx_, number) < 0)
        throw UsageError{"Unknown game number: " + std::to_string(number) + "."};
    QuietPreferences();
    // Another deal started in the same run (solve --winnable-from) leaves the one before
    // without a trace: a deal only searched was no game played, and nothing is recorded.
    ctx_.flags[GameStateFlags::kInPlay] = 0;
    SetSetting(ctx_.settings, field::kDealNumber, deal->second);
    if (!SelectAndStartGame(ctx_, number, GameName(ctx_, number),
                            GetSetting(ctx_.settings, field::kUserDefault), kKeepDealNumber, false))
        throw UsageError{"Game " + std::to_string(number) + " cannot be started."};
    ctx_.play.autoplayTicked = autoplay;
    ctx_.play.autoplayEnabled = true;
}

void CliSession::SaveGame(const std::string& path) {
    if (!ctx_.flags[GameStateFlags::kInPlay]) {
        host_.ShowInformation("The game has ended: there is no game to save in " + path);
        throw SavedGameError{};
    }
    if (!WriteSavedGameFile(ctx_, path).Ok()) throw SavedGameError{};
}

} // namespace quendra
