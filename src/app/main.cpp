#include "game_context.h"
#include "main_window.h"
#include "program_files.h"
#include "qt_host.h"
#include "settings.h"
#include "sound_player.h"
#include "table_screenshot.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#ifndef QUENDRA_SHARE_DIR
#define QUENDRA_SHARE_DIR ""
#endif

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quendra 2000"));
    QApplication::setApplicationVersion(QStringLiteral(QUENDRA_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A collection of patience games."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dirOption(QStringLiteral("dir"),
                                       QStringLiteral("Use <folder> as the program folder."),
                                       QStringLiteral("folder"));
    parser.addOption(dirOption);
    const QCommandLineOption shotOption(
        QStringLiteral("screenshot"),
        QStringLiteral("Play a few moves of Klondike, save a picture of the window to <file> "
                       "and quit."),
        QStringLiteral("file"));
    parser.addOption(shotOption);
    parser.process(app);

    quendra::QtHost host;
    quendra::GameContext ctx(host);

    quendra::ProgramFiles files;
    std::string error;
    if (!quendra::LocateProgramFiles(parser.value(dirOption).toStdString(),
                                     QApplication::applicationDirPath().toStdString(),
                                     QUENDRA_SHARE_DIR, files, error)) {
        host.ShowError(error);
        return 2;
    }
    quendra::SetProgramDir(ctx, files.programDir);
    ctx.gamesFile = files.gamesFile;
    ctx.imagesFile = files.imagesFile;

    quendra::MainWindow window(ctx);
    window.setVersion(QStringLiteral(QUENDRA_VERSION));
    if (parser.isSet(shotOption)) window.setBrowserAtStart(false);
    host.SetWindow(&window);
    host.SetSounds(&window.sounds());
    // A missing GAMES.DAT or SOL.RGF has been reported: there is nothing to play without them.
    if (!window.StartUp()) return 1;
    quendra::PlayEventSound(ctx, window.sounds(), QStringLiteral("Splash"),
                            quendra::field::kSoundsSplash);
    window.ShowWithPlacement();
    if (parser.isSet(shotOption)) {
        const QString file = parser.value(shotOption);
        QTimer::singleShot(500, &window,
                           [&window, file] { quendra::PlayAndTakeScreenshot(window, file); });
    }
    return app.exec();
}
