#include "cli_render.h"

#include "cards.h"
#include "cli_host.h"
#include "deal.h"
#include "game_catalog.h"
#include "images_cards.h"
#include "images_module.h"
#include "new_game.h"
#include "program_files.h"
#include "settings.h"
#include "table_painter.h"

#include <cstdlib>
#include <map>
#include <memory>
#include <ostream>
#include <regex>

#include <QGuiApplication>

#ifndef QUENDRA_SHARE_DIR
#define QUENDRA_SHARE_DIR ""
#endif

namespace quendra {
namespace {

constexpr int kOk = 0;
constexpr int kBadArguments = 2;

const char* const kRenderUsage =
    "Usage: quendra-cli render --game N --deal D --size WxH [--cards B|M|L] [--set NNN]\n"
    "                          [--back NNN] [--dpr 1|2] [--dir DIR] OUT.png\n";

struct RenderOptions {
    std::map<std::string, std::string> values;
    std::string output;
};

bool ParseRenderOptions(const std::vector<std::string>& args, RenderOptions& options,
                        std::string& error) {
    static const char* const kValued[] = {"--game", "--deal", "--size", "--cards",
                                          "--set",  "--back", "--dpr",  "--dir"};
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool known = false;
        for (const char* name : kValued)
            if (arg == name) known = true;
        if (known) {
            if (i + 1 >= args.size()) {
                error = "Missing value after " + arg + ".";
                return false;
            }
            options.values[arg] = args[++i];
        } else if (arg.starts_with("--")) {
            error = "Unknown option " + arg + ".";
            return false;
        } else if (options.output.empty()) {
            options.output = arg;
        } else {
            error = "Only one output file may be named: " + arg;
            return false;
        }
    }
    for (const char* required : {"--game", "--deal", "--size"})
        if (!options.values.contains(required)) {
            error = std::string("render needs ") + required + ".";
            return false;
        }
    if (options.output.empty()) {
        error = "render needs the name of the PNG file to write.";
        return false;
    }
    return true;
}

bool ParseNumber(const std::string& text, int low, int high, int& value) {
    if (text.empty() || text.size() > 5 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = std::stoi(text);
    return value >= low && value <= high;
}

// The offscreen platform unless the caller chose another; one application per process.
std::unique_ptr<QGuiApplication> EnsureGuiApplication() {
    if (QGuiApplication::instance()) return nullptr;
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "quendra-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int RunRenderCommand(const std::vector<std::string>& args, const std::string& exeDir,
                     std::ostream& out, std::ostream& err) {
    RenderOptions options;
    std::string error;
    auto fail = [&](const std::string& message) {
        err << message << '\n' << kRenderUsage;
        return kBadArguments;
    };
    if (!ParseRenderOptions(args, options, error)) return fail(error);

    int game = 0, width = 0, height = 0, dpr = 1;
    if (!ParseNumber(options.values["--game"], 0, 9999, game))
        return fail("The game number must be a number from 0 to 9999: " + options.values["--game"]);
    const std::string deal = options.values["--deal"];
    if (!IsValidDealNumber(deal)) return fail("The deal number must have 1 to 13 digits: " + deal);
    std::smatch size;
    const std::string sizeText = options.values["--size"];
    if (!std::regex_match(sizeText, size, std::regex("([0-9]{1,5})x([0-9]{1,5})")) ||
        !ParseNumber(size[1], 200, 8192, width) || !ParseNumber(size[2], 150, 8192, height))
        return fail("The size must be WIDTHxHEIGHT, from 200x150 to 8192x8192: " + sizeText);
    std::string cards = "B";
    if (options.values.contains("--cards")) {
        cards = options.values["--cards"];
        if (cards != "B" && cards != "M" && cards != "L")
            return fail("The card size must be B, M or L: " + cards);
    }
    int set = 0, back = 0;
    if (options.values.contains("--set") && !ParseNumber(options.values["--set"], 1, 999, set))
        return fail("The face set must be a number from 1 to 999: " + options.values["--set"]);
    if (options.values.contains("--back") && !ParseNumber(options.values["--back"], 1, 999, back))
        return fail("The back must be a number from 1 to 999: " + options.values["--back"]);
    if (options.values.contains("--dpr") && !ParseNumber(options.values["--dpr"], 1, 2, dpr))
        return fail("The device pixel ratio must be 1 or 2: " + options.values["--dpr"]);

    CliHost host(err);
    auto ctx = std::make_unique<GameContext>(host);
    ProgramFiles files;
    const auto dir = options.values.find("--dir");
    if (!LocateProgramFiles(dir == options.values.end() ? std::string{} : dir->second, exeDir,
                            QUENDRA_SHARE_DIR, files, error))
        return fail(error);
    SetProgramDir(*ctx, files.programDir);
    LoadSettings(*ctx);
    ctx->gamesFile = files.gamesFile;
    ctx->imagesFile = files.imagesFile;
    if (files.gamesFile.empty()) return fail("Cannot find file: GAMES.DAT");
    if (!LoadGameList(*ctx)) return fail("The games catalogue cannot be read.");
    if (GameType(*ctx, game) < 0) return fail("Unknown game number: " + std::to_string(game) + ".");

    auto app = EnsureGuiApplication();
    ImagesModule module;
    if (files.imagesFile.empty()) return fail("Cannot find file: SOL.RGF");
    if (!module.Open(host, files.imagesFile)) return kBadArguments; // the host said why

    // The drawing area of a window of that size, below no tool bar.
    ctx->layoutArea = LayoutArea{5, width, height, height - 1, width, height, ShadowOffset(*ctx)};
    SetSetting(ctx->settings, field::kCardSize, cards);
    if (set > 0) SetSetting(ctx->settings, field::kCardSet, CardCode(set));
    if (back > 0) SetSetting(ctx->settings, field::kBackCard, CardCode(back));
    SetSetting(ctx->settings, field::kDealNumber, deal);
    if (!SelectAndStartGame(*ctx, game, GameName(*ctx, game), "Player 1", kKeepDealNumber, false))
        return fail("Game " + std::to_string(game) + " could not be started.");

    CardImages images(module);
    images.LoadCardImages(ctx->settings);
    if (images.Card(0, dpr).isNull())
        return fail("The images file has no cards of set " +
                    GetSetting(ctx->settings, field::kCardSet) + " at size " + cards + ".");
    TablePainter painter(*ctx, module, images);
    painter.Resize(width, height, dpr);
    painter.DrawTable();
    QImage picture = painter.TableBuffer();
    picture.setDevicePixelRatio(1.0);
    if (!picture.save(QString::fromStdString(options.output), "PNG"))
        return fail("Cannot write " + options.output + ".");
    out << options.output << ": " << GameName(*ctx, game) << ", deal " << deal << ", "
        << picture.width() << "x" << picture.height() << '\n';
    return kOk;
}

} // namespace quendra
