// Series in the main window: the Series menu, the manager, the panel over the table, the
// situation after each game, the question when a series game would be left and the end.
#include "autoplay.h"
#include "game_catalog.h"
#include "game_context.h"
#include "hiscores.h"
#include "hiscores_dialog.h"
#include "main_window.h"
#include "new_game.h"
#include "players.h"
#include "record_file.h"
#include "series.h"
#include "series_dialogs.h"
#include "settings.h"
#include "statistics.h"
#include "table_play.h"

#include <cstdlib>

#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace quendra {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}


} // namespace

void MainWindow::connectSeriesCommands() {
    const MainActions& a = actions_;
    connect(a.seriesManager, &QAction::triggered, this, &MainWindow::OpenSeriesManager);
    connect(a.nextSeriesGame, &QAction::triggered, this, [this] { NextSeriesGame(true); });
    connect(a.seriesDisplay, &QAction::triggered, this,
            [this](bool shown) { showSeriesPanel(shown); });
    connect(a.seriesSituation, &QAction::triggered, this, [this] { ShowSeriesSituation(); });
    connect(a.seriesStatistics, &QAction::triggered, this, [this] { ShowSeriesHiScores(); });
    connect(a.quitSeries, &QAction::triggered, this, [this] { EndSeries(true, false); });
    // The series code shows its menu.
    a.seriesMenu->menuAction()->setVisible(true);
    a.seriesMenu->setEnabled(true);

    seriesPanel_ = new SeriesPanel(this);
    seriesPanel_->hide();
    connect(seriesPanel_, &SeriesPanel::nextRequested, this, [this] { NextSeriesGame(true); });
    connect(seriesPanel_, &SeriesPanel::moved, this, [this](QPoint at) {
        WriteSettingInt(ctx_, "Settings", "Series_Form_Left", at.x());
        WriteSettingInt(ctx_, "Settings", "Series_Form_Top", at.y());
    });
}

void MainWindow::updateSeriesCommands() {
    const bool running = series_ != nullptr;
    const bool inPlay = ctx_.flags[GameStateFlags::kInPlay] != 0;
    const bool next = running && series_->HasNextGame(inPlay);
    actions_.nextSeriesGame->setEnabled(next);
    actions_.seriesDisplay->setEnabled(running);
    actions_.seriesDisplay->setChecked(running && seriesPanel_->isVisible());
    actions_.seriesSituation->setEnabled(running);
    actions_.quitSeries->setEnabled(running);
    // A restart would count the series game as lost and leave its deal on the table.
    if (running) actions_.restartGame->setEnabled(false);
    if (running) seriesPanel_->Fill(ctx_, *series_, next);
}

void MainWindow::showSeriesPanel(bool shown) {
    if (!series_ || !shown) {
        seriesPanel_->hide();
        actions_.seriesDisplay->setChecked(false);
        return;
    }
    updateSeriesCommands();
    // Where the player left it, within the screen.
    const QRect screen = this->screen() ? this->screen()->availableGeometry() : QRect();
    // At first in the table's lower left corner, clear of the piles.
    QPoint at(ReadSettingInt(ctx_, "Settings", "Series_Form_Left", geometry().left() + 10),
              ReadSettingInt(ctx_, "Settings", "Series_Form_Top",
                             geometry().bottom() - seriesPanel_->sizeHint().height() - 40));
    if (screen.isValid() && !screen.contains(at)) at = screen.topLeft() + QPoint(20, 80);
    seriesPanel_->move(at);
    seriesPanel_->show();
    actions_.seriesDisplay->setChecked(true);
}

void MainWindow::OpenSeriesManager() {
    SeriesManagerDialog dialog(ctx_, this);
    if (dialog.exec() != QDialog::Accepted || dialog.chosenSeries() <= 0) return;
    StartSeriesGames(dialog.chosenSeries(), dialog.chosenPlayer());
}

bool MainWindow::StartSeriesGames(int number, const std::string& player) {
    const std::vector<int> games = SeriesGames(ctx_, number);
    if (!SeriesPlayable(ctx_, number)) {
        ctx_.host.Beep();
        return false;
    }
    // A series already running ends first.
    if (series_) {
        EndSeries(true, false);
        if (series_) return false;
    }
    if (!ConfirmLeaveGame(ctx_)) return false;
    if (actions_.pause->isChecked()) actions_.pause->setChecked(false);
    fnEndGame(ctx_);
    updateGameCommands();
    if (!StartGameDeal(games.front(), {}, player)) return false;
    std::optional<SeriesInProgress> started = StartSeries(ctx_, number, CurrentPlayer(ctx_));
    if (!started) return false;
    series_ = std::make_unique<SeriesInProgress>(std::move(*started));
    StorePreference(ctx_, "Series_Num", std::to_string(number));
    StorePreference(ctx_, "Series_Name", SeriesName(ctx_, number));
    StorePreference(ctx_, "Series_TreeNum",
                    std::to_string(number < kFirstUserSeries ? kBuiltInSeriesFolder : kUserSeriesFolder));
    showSeriesPanel(true);
    updateSeriesCommands();
    return true;
}

void MainWindow::resumeSeries() {
    const SeriesInProgressRead read = ReadSeriesInProgress(ctx_);
    if (!read.series) {
        if (read.exists)
            ctx_.host.ShowInformation("The series in progress could not be resumed: its file " +
                                      SeriesInProgressPath(ctx_) + " is damaged (" +
                                      read.problem + ") and was left as it is.");
        return;
    }
    series_ = std::make_unique<SeriesInProgress>(*read.series);
    showSeriesPanel(true);
}

void MainWindow::seriesGameEnded(const Host::GameResult& result) {
    if (!series_) return;
    SeriesGameResult r;
    r.seconds = result.seconds;
    r.won = result.won;
    r.code = CurrentScoringCode(ctx_);
    r.score = result.score;
    r.atMaximum = result.score >= GameMaximumScore(ctx_);
    if (!RecordSeriesGame(ctx_, *series_, result.game, r)) return;
    updateSeriesCommands();
    if (seriesQuiet_ || closing_ || closeAfterAnimation_ || !isVisible()) return;
    // A won game shows the situation once its winning animation is over; a lost one now.
    if (result.won)
        seriesWonPending_ = true;
    else
        QTimer::singleShot(0, this, [this] { afterSeriesGame(false); });
}

void MainWindow::afterSeriesGame(bool won) {
    if (!series_ || ctx_.flags[GameStateFlags::kInPlay]) return;
    SeriesSituationDialog dialog(ctx_, *series_, true, this);
    dialog.exec();
    // A won game goes on to the next at once; after a lost one the player decides.
    if (won || dialog.nextChosen()) NextSeriesGame(false, true);
}

void MainWindow::ShowSeriesSituation(bool afterGame) {
    if (!series_) return;
    const bool offerNext = afterGame && series_->HasNextGame(ctx_.flags[GameStateFlags::kInPlay]);
    SeriesSituationDialog dialog(ctx_, *series_, offerNext, this);
    dialog.exec();
    if (dialog.nextChosen()) NextSeriesGame(false);
}

void MainWindow::NextSeriesGame(bool skipCurrent, bool asked) {
    if (!series_) return;
    seriesWonPending_ = false;
    const bool inPlay = ctx_.flags[GameStateFlags::kInPlay] != 0;
    // Skipping means giving up the game in play; a game over is already counted.
    if (!NextSeriesGamePosition(*series_, skipCurrent && inPlay)) {
        EndSeries(false, true);
        return;
    }
    const bool open = inPlay && !ctx_.flags[GameStateFlags::kWon];
    if (!asked && open && GetSetting(ctx_.settings, field::kConfirmQuitGame) != "N" &&
        !ctx_.host.Confirm("Quit this game?"))
        return;
    if (actions_.pause->isChecked()) actions_.pause->setChecked(false);
    seriesQuiet_ = true;
    fnEndGame(ctx_);
    seriesQuiet_ = false;
    updateGameCommands();
    // The game given up was counted: the series' current game is the next one.
    const int game = series_->CurrentGame();
    if (game < 0) {
        EndSeries(false, true);
        return;
    }
    StartGameDeal(game, {}, series_->player);
    updateSeriesCommands();
}

void MainWindow::EndSeries(bool ask, bool openManager) {
    if (!series_) return;
    if (ask && !ctx_.host.Confirm(kQuitSeriesQuestion)) return;
    for (QAction* action : {actions_.nextSeriesGame, actions_.seriesDisplay,
                            actions_.seriesSituation, actions_.quitSeries})
        action->setEnabled(false);
    if (actions_.pause->isChecked()) actions_.pause->setChecked(false);
    seriesQuiet_ = true;
    fnEndGame(ctx_);
    seriesQuiet_ = false;
    seriesWonPending_ = false;
    const SeriesInProgress finished = *series_;
    series_.reset();
    const SeriesEnding ending = FinishSeries(ctx_, finished);
    seriesPanel_->hide();
    // The table of the last game goes with the series.
    ctx_.table.Clear();
    updateGameCommands();
    RedrawTable();
    if (ending.rank >= 0 && GetSetting(ctx_.settings, field::kConfirmEnterHiScores) != "N")
        ShowSeriesHiScores(finished.number, ending.rank,
                           Q(NewHiScoreTitle(ScoreTableKind::Series, ending.name)));
    if (openManager) OpenSeriesManager();
}

void MainWindow::ShowSeriesHiScores(int number, int newRank, const QString& title) {
    if (StatisticsDisabled(ctx_)) {
        ctx_.host.ShowInformation(kStatisticsDisabledMessage);
        return;
    }
    if (number < 0) number = series_ ? series_->number : std::atoi(ReadPreference(ctx_, "Series_Num", "1").c_str());
    if (SeriesName(ctx_, number).empty()) number = 1;
    HiScoresDialog dialog(ctx_, ScoreTableKind::Series, number, newRank, title, this);
    dialog.exec();
}

std::optional<bool> MainWindow::ConfirmLeaveSeriesGame() {
    if (!series_) return std::nullopt;
    // The series' own moves have asked already.
    if (seriesQuiet_) return true;
    SeriesInProgressDialog dialog(Q(SeriesName(ctx_, series_->number)),
                                  series_->HasNextGame(ctx_.flags[GameStateFlags::kInPlay] != 0),
                                  this);
    dialog.exec();
    switch (dialog.choice()) {
    case SeriesInProgressDialog::Choice::NextGame:
        // What asked to leave the game does nothing; the next game follows.
        QTimer::singleShot(0, this, [this] { NextSeriesGame(true, true); });
        return false;
    case SeriesInProgressDialog::Choice::QuitSeries:
        EndSeries(false, false);
        return true;
    case SeriesInProgressDialog::Choice::Cancel:
        break;
    }
    return false;
}

} // namespace quendra
