#include "main_window.h"

#include "game_context.h"
#include "hiscores_dialog.h"
#include "main_menus.h"
#include "players_dialog.h"
#include "settings.h"
#include "clearing_dialogs.h"
#include "statistics_views.h"
#include "table_play.h"

#include <QApplication>

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
    QWidget* parent = QApplication::activeModalWidget();
    ShowHiScores(parent ? parent : this, ctx_, game, newRank, title,
                 [this] { ShowClearValues(QApplication::activeModalWidget(), ctx_); });
}

StatisticsLinks MainWindow::statisticsLinks() {
    StatisticsLinks links;
    links.hiScores = [this](int game) { ShowHiScoresOf(game); };
    links.playDeal = [this](int game, const std::string& deal) {
        const auto first = deal.find_first_not_of(' ');
        const auto last = deal.find_last_not_of(' ');
        return StartGameDeal(game, first == std::string::npos
                                       ? std::string()
                                       : deal.substr(first, last - first + 1));
    };
    return links;
}

void MainWindow::ShowStatistics(StatisticsKind kind) {
    const StatisticsLinks links = statisticsLinks();
    switch (kind) {
    case StatisticsKind::Game:
        ShowGameStatistics(this, ctx_, currentGame(), links);
        break;
    case StatisticsKind::Players:
        ShowPlayersStatistics(this, ctx_, currentGame(), links);
        break;
    case StatisticsKind::AllGames:
        ShowAllGamesStatistics(this, ctx_, links);
        break;
    case StatisticsKind::Log:
        ShowLogStatistics(this, ctx_, links);
        break;
    case StatisticsKind::Overall:
        ShowOverallScore(this, ctx_, links);
        break;
    }
}

} // namespace quendra
