#include "main_window.h"

#include "game_context.h"
#include "hiscores_dialog.h"
#include "main_menus.h"
#include "players_dialog.h"
#include "settings.h"
#include "table_play.h"

namespace quendra {

void MainWindow::ChoosePlayers() {
    PlayersDialog dialog(ctx_, this);
    dialog.exec();
    UpdateCaption();
    updateStatusBar();
    if (!dialog.playerChanged()) return;
    // The game in play was ended under the player who played it: the new player starts on
    // an empty table.
    ctx_.table.Clear();
    updateGameCommands();
    RedrawTable();
    openGameBrowser();
}

void MainWindow::ShowHiScoresOf(int game, int newRank, const QString& title) {
    if (game < 0) game = currentGame();
    ShowHiScores(this, ctx_, game, newRank, title);
}

} // namespace quendra
