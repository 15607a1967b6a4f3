#include "main_window.h"

#include "autoplay.h"
#include "clearing_dialogs.h"
#include "deal.h"
#include "game_catalog.h"
#include "game_context.h"
#include "hiscores_dialog.h"
#include "main_menus.h"
#include "new_game.h"
#include "players_dialog.h"
#include "settings.h"
#include "statistics_views.h"
#include "table_play.h"

#include <QApplication>
#include <QTimer>

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
        const std::string number =
            first == std::string::npos ? std::string() : deal.substr(first, last - first + 1);
        if (GameName(ctx_, game).empty() || (!number.empty() && !IsValidDealNumber(number)))
            return false;
        // The game in play is left now; the deal starts once the views have closed, so that
        // its cards fly onto a table nothing covers.
        if (!ConfirmLeaveGame(ctx_)) return false;
        fnEndGame(ctx_);
        QTimer::singleShot(0, this, [this, game, number] { StartGameDeal(game, number); });
        return true;
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
