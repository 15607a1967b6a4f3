#include "deal.h"
#include "game_catalog.h"
#include "game_context.h"
#include "main_window.h"
#include "program_files.h"
#include "qt_host.h"
#include "settings.h"
#include "sound_player.h"
#include "startup_probe.h"
#include "table_play.h"
#include "table_screenshot.h"
#include "table_view.h"

#include <cstdio>
#include <malloc.h>
#include <optional>

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#ifndef QUENDRA_SHARE_DIR
#define QUENDRA_SHARE_DIR ""
#endif
#ifndef QUENDRA_APP_ID
#define QUENDRA_APP_ID "quendra"
#endif

namespace {

// The exit status of a command line the program cannot follow.
constexpr int kExitUsage = 2;

// Blocks of this size or more get a mapping of their own, given back when they are freed.
// The C library raises this bound to the size of every such block freed (the catalogue's
// megabyte, read and let go at start-up), so that the decoded card sheets and pictures after
// it would be taken from the heaps and, once freed, stay resident there; a fixed bound
// stops the rise.
constexpr int kOwnMappingBytes = 128 * 1024;

struct Options {
    QString dir;
    QString screenshot;
    QString tableFile;
    bool browser = true;
    std::optional<int> game;
    std::string deal;
    bool startupTime = false;
};

int UsageError(const QString& message) {
    std::fprintf(stderr, "quendra: %s\n", qPrintable(message));
    return kExitUsage;
}

// Reads the command line; a message on standard error and the usage status when it cannot.
std::optional<int> ParseOptions(const QApplication& app, Options& options) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A collection of patience games."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dir(QStringLiteral("dir"),
                                 QStringLiteral("Use <folder> as the program folder."),
                                 QStringLiteral("folder"));
    const QCommandLineOption shot(
        QStringLiteral("screenshot"),
        QStringLiteral("Play a few moves of Klondike, save a picture of the window to <file> "
                       "and quit."),
        QStringLiteral("file"));
    const QCommandLineOption noBrowser(QStringLiteral("no-browser"),
                                       QStringLiteral("Do not open the game browser at start."));
    const QCommandLineOption game(
        QStringLiteral("game"),
        QStringLiteral("Start game number <n> of the catalogue (the browser does not open)."),
        QStringLiteral("n"));
    const QCommandLineOption deal(QStringLiteral("deal"),
                                  QStringLiteral("With --game, deal number <d> (1 to 13 digits)."),
                                  QStringLiteral("d"));
    const QCommandLineOption startupTime(
        QStringLiteral("startup-time"),
        QStringLiteral("Print the milliseconds from the process start to the first paint of "
                       "the table and the resident memory, then quit."));
    const QCommandLineOption tableFile(
        QStringLiteral("table-file"),
        QStringLiteral("Keep <file> showing the table for scripts: after every change, each "
                       "pile with its place on the screen and its cards."),
        QStringLiteral("file"));
    parser.addOptions({dir, shot, noBrowser, game, deal, startupTime, tableFile});
    // --help and --version print and end the program here.
    if (!parser.parse(app.arguments())) return UsageError(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version"))) parser.showVersion();
    if (!parser.positionalArguments().isEmpty())
        return UsageError(QStringLiteral("Unexpected argument: ") +
                          parser.positionalArguments().first());

    options.dir = parser.value(dir);
    options.screenshot = parser.value(shot);
    options.tableFile = parser.value(tableFile);
    options.startupTime = parser.isSet(startupTime);
    options.browser = !parser.isSet(noBrowser) && !parser.isSet(shot) && !parser.isSet(game);
    if (parser.isSet(game)) {
        bool ok = false;
        const int number = parser.value(game).toInt(&ok);
        if (!ok || number < 0)
            return UsageError(QStringLiteral("The game number must be a whole number 0 or more: ") +
                              parser.value(game));
        options.game = number;
    }
    if (parser.isSet(deal)) {
        if (!options.game) return UsageError(QStringLiteral("--deal needs --game."));
        options.deal = parser.value(deal).toStdString();
        if (!quendra::IsValidDealNumber(options.deal))
            return UsageError(QStringLiteral("The deal number must have 1 to 13 digits: ") +
                              parser.value(deal));
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    mallopt(M_MMAP_THRESHOLD, kOwnMappingBytes);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quendra 2000"));
    QApplication::setApplicationVersion(QStringLiteral(QUENDRA_VERSION));
    // The desktop entry's name: the desktop matches the window to its entry and icon by it.
    QApplication::setDesktopFileName(QStringLiteral(QUENDRA_APP_ID));

    Options options;
    if (const std::optional<int> status = ParseOptions(app, options)) return *status;

    quendra::QtHost host;
    quendra::GameContext ctx(host);

    quendra::ProgramFiles files;
    std::string error;
    if (!quendra::LocateProgramFiles(options.dir.toStdString(),
                                     QApplication::applicationDirPath().toStdString(),
                                     QUENDRA_SHARE_DIR, files, error)) {
        host.ShowError(error);
        return kExitUsage;
    }
    quendra::SetProgramDir(ctx, files.programDir);
    quendra::ReadCatalogueAhead(files.gamesFile);
    ctx.gamesFile = files.gamesFile;
    ctx.imagesFile = files.imagesFile;

    quendra::MainWindow window(ctx);
    window.setVersion(QStringLiteral(QUENDRA_VERSION));
    window.setBrowserAtStart(options.browser);
    window.setTableFile(options.tableFile);
    // A game asked for on the command line leaves a held game for a later start.
    window.setResumeHeldGame(!options.game && options.screenshot.isEmpty());
    host.SetWindow(&window);
    host.SetSounds(&window.sounds());
    // A missing GAMES.DAT or SOL.RGF has been reported: there is nothing to play without them.
    if (!window.StartUp()) return 1;
    if (options.game && quendra::GameName(ctx, *options.game).empty())
        return UsageError(QStringLiteral("There is no game number %1.").arg(*options.game));

    if (options.startupTime) {
        // The table counts as painted in the shown window, with its deal when a game was
        // asked for. The splash sound would come after it, and is left out.
        const bool wantGame = options.game.has_value();
        quendra::AfterFirstPaint(
            window.table(),
            [&window, wantGame] {
                return window.isVisible() && (!wantGame || window.tablePlay()->HasGame());
            },
            quendra::ReportStartupAndQuit);
    } else {
        // The splash sound once the table shows: the audio system is slow to wake.
        quendra::AfterFirstPaint(
            window.table(), [] { return true; },
            [&ctx, &window] {
                window.ShowInstalledIcon();
                quendra::PlayEventSound(ctx, window.sounds(), QStringLiteral("Splash"),
                                        quendra::field::kSoundsSplash);
            });
    }
    window.ShowWithPlacement();
    if (options.game) {
        // Dealt once the window is up, so that the table shows while the deal settles.
        QTimer::singleShot(0, &window, [&window, &options] {
            if (!window.StartGameDeal(*options.game, options.deal)) {
                std::fprintf(stderr, "quendra: Game %d cannot be started.\n", *options.game);
                QCoreApplication::exit(1);
            }
        });
    }
    if (!options.screenshot.isEmpty()) {
        const QString file = options.screenshot;
        QTimer::singleShot(500, &window,
                           [&window, file] { quendra::PlayAndTakeScreenshot(window, file); });
    }
    return app.exec();
}
