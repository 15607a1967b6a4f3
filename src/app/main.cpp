#include "game_catalog.h"
#include "game_context.h"
#include "main_window.h"
#include "program_files.h"
#include "qt_host.h"
#include "settings.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QGuiApplication>
#include <QScreen>

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
    if (files.gamesFile.empty() || !quendra::LoadGameList(ctx)) {
        host.ShowError("Cannot find file:\r" + files.programDir +
                       "GAMES.DAT\rCopy the file into the directory that above is specified\r"
                       "or reinstall the program.");
        return 1;
    }

    // The player's settings, with the players of a first start.
    quendra::LoadSettings(
        ctx, QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->depth() : 32);
    quendra::CreateDefaultPlayers(ctx);
    quendra::CountProgramStart(ctx);
    quendra::ResetRunCounters(ctx);

    quendra::MainWindow window(ctx);
    host.SetParent(&window);
    window.show();
    return app.exec();
}
