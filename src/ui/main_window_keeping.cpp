// Keeping a game in the main window: saving and opening, holding at exit and resuming at the
// next start, restarting, bookmarks, the favourite games and the random game.
#include "autoplay_setting.h"
#include "bookmarks.h"
#include "browser_catalogue.h"
#include "fast_search_window.h"
#include "favourites.h"
#include "game_catalog.h"
#include "game_context.h"
#include "game_won_dialog.h"
#include "held_games.h"
#include "keeping_dialogs.h"
#include "main_window.h"
#include "saved_game.h"
#include "score.h"
#include "settings.h"
#include "statistics.h"
#include "table_play.h"

#include <random>
#include <utility>

#include <QApplication>
#include <QMenu>
#include <QMessageBox>

namespace quendra {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

std::mt19937& RandomEngine() {
    static std::mt19937 engine(std::random_device{}());
    return engine;
}

} // namespace

void MainWindow::noteGameStarted() {
    if (!ctx_.flags[GameStateFlags::kInPlay]) return;
    NoteGamePlayed(ctx_, currentGame());
    NoteDealNumber(ctx_, GetSetting(ctx_.settings, field::kDealNumber));
    if (fastSearch_) fastSearch_->gameStarted();
}

void MainWindow::GameEnded(const Host::GameResult& result) {
    const RecordOutcome outcome = RecordEndedGame(ctx_, result);
    if (result.won && fastSearch_) fastSearch_->gameWon(result.game);
    // A result that made the hi-scores is shown at once, before the winning animation; not
    // while the window closes.
    if (outcome.showHiScores && isVisible() && !closing_ && !closeAfterAnimation_)
        ShowHiScoresOf(result.game, outcome.hiScoreRank, Q(outcome.hiScoresTitle));
    // A bookmark belongs to the game it was made in.
    DropBookmark(ctx_);
    seriesGameEnded(result);
}

void MainWindow::afterGameLoaded() {
    const int game = currentGame();
    noteGameStarted();
    ctx_.play.autoplayTicked = AutoplayWanted(ctx_, game);
    actions_.autoplay->setChecked(ctx_.play.autoplayTicked);
    if (game >= 0) actions_.newGame->setEnabled(true);
    updateGameCommands();
    // Laid out and drawn anew, which also writes the table file.
    layoutTable();
    // The clock shows the time the game comes with at once.
    ShowTime(QStringLiteral("0:00:00"));
    clockTick();
    ShowScore(QString::number(StoredScore(ctx_)));
}

void MainWindow::SaveGame() {
    if (!ctx_.flags[GameStateFlags::kInPlay] || !actions_.save->isEnabled()) {
        ctx_.host.Beep();
        return;
    }
    const std::optional<QString> file = ChooseSaveFile(this, Q(SaveDialogFolder(ctx_)));
    if (!file) return;
    SaveGameAs(ctx_, file->toStdString());
}

bool MainWindow::OpenSavedGame() {
    if (tablePlay_->Celebrating()) return false;
    const std::optional<QString> file = ChooseOpenFile(this, Q(SaveDialogFolder(ctx_)));
    if (!file) return false;
    if (actions_.pause->isChecked()) actions_.pause->setChecked(false);
    const KeepResult opened = quendra::OpenSavedGame(ctx_, file->toStdString(), OpenMode::Dialog);
    // A game given up on the way is over even when the file was not used.
    afterGameLoaded();
    return opened.Ok();
}

void MainWindow::RestartGame() {
    if (actions_.pause->isChecked()) actions_.pause->setChecked(false);
    const DealInProgress dealing(*this);
    quendra::RestartGame(ctx_);
    afterGameLoaded();
}

void MainWindow::InsertBookmark() {
    quendra::InsertBookmark(ctx_);
    actions_.goToBookmark->setEnabled(HasBookmark(ctx_));
}

void MainWindow::GoToBookmark() {
    if (actions_.pause->isChecked()) actions_.pause->setChecked(false);
    if (quendra::GoToBookmark(ctx_).Ok()) afterGameLoaded();
}

void MainWindow::HoldAndExit() {
    ctx_.flags[GameStateFlags::kHoldAndExit] = 1;
    close();
}

bool MainWindow::keepGameAtClose() {
    const bool holdCommand = ctx_.flags[GameStateFlags::kHoldAndExit] != 0;
    if (!ctx_.flags[GameStateFlags::kInPlay] || !actions_.holdAndExit->isEnabled()) return true;
    bool hold = false;
    switch (ChooseCloseAction(ctx_, holdCommand)) {
    case CloseAction::Hold:
        hold = true;
        break;
    case CloseAction::AskHold: {
        HoldDialog dialog(this);
        dialog.exec();
        if (dialog.choice() == HoldDialog::Choice::Cancel) return false;
        hold = dialog.choice() == HoldDialog::Choice::Hold;
        break;
    }
    case CloseAction::EndAsLost:
        break;
    }
    // A game that could not be held stays on the table: nothing is lost.
    return !hold || HoldGame(ctx_).Ok();
}

void MainWindow::RebuildFavouritesMenu() {
    QMenu* menu = actions_.favouriteGames;
    menu->clear();
    const std::vector<FavouriteGame> favourites = FavouriteGames(ctx_);
    const std::vector<browser::Entry> sorted = browser::SortedCatalogue(ctx_);
    for (const FavouriteGame& favourite : favourites) {
        QAction* item = menu->addAction(Q(favourite.name));
        for (const browser::Entry& entry : sorted)
            if (entry.number == favourite.number) {
                const QImage picture =
                    images_.LoadPicture(Q(browser::TypeIconName(entry.type)), devicePixelRatioF());
                if (!picture.isNull()) item->setIcon(QIcon(QPixmap::fromImage(picture)));
                break;
            }
        const int number = favourite.number;
        connect(item, &QAction::triggered, this, [this, number] { StartGameDeal(number); });
    }
    menu->menuAction()->setVisible(!favourites.empty());
    menu->setEnabled(!favourites.empty());
}

void MainWindow::EditFavourites() {
    std::vector<std::string> names;
    for (const browser::Entry& entry : browser::SortedCatalogue(ctx_))
        names.push_back(entry.name);
    FavouritesDialog dialog(names, FavouriteNames(ctx_), this);
    if (dialog.exec() != QDialog::Accepted) return;
    WriteFavourites(ctx_, dialog.favourites());
    RebuildFavouritesMenu();
    if (fastSearch_) fastSearch_->favouritesChanged();
}

void MainWindow::ShowGameWon() {
    // In a series the series goes on instead.
    if (std::exchange(seriesWonPending_, false)) {
        if (isVisible() && !closeAfterAnimation_ && !ctx_.flags[GameStateFlags::kInPlay])
            afterSeriesGame(true);
        return;
    }
    // Not when the window closes, nor once another game is on the table.
    if (!isVisible() || closeAfterAnimation_ || ctx_.flags[GameStateFlags::kInPlay]) return;
    GameWonDialog dialog(ctx_, this);
    dialog.setShowStatistics([this, &dialog] {
        bool started = false;
        StatisticsLinks links = statisticsLinks();
        links.playDeal = [this, &started](int game, const std::string& deal) {
            started = statisticsLinks().playDeal(game, deal);
            return started;
        };
        ShowGameStatistics(&dialog, ctx_, currentGame(), links);
        return started;
    });
    for (;;) {
        dialog.Refresh();
        if (dialog.exec() != QDialog::Accepted) return;
        switch (dialog.next()) {
        case GameWonDialog::Next::NewGame:
            newGame();
            break;
        case GameWonDialog::Next::Restart:
            RestartGame();
            break;
        case GameWonDialog::Next::OpenGame:
            openGameBrowser();
            break;
        case GameWonDialog::Next::RandomGame:
            PlayRandomGame(RandomGameType(ctx_) == static_cast<int>(RandomFrom::Favourites));
            break;
        case GameWonDialog::Next::SelectGame:
            SelectGameNumber();
            break;
        case GameWonDialog::Next::Nothing:
            return;
        }
        if (ctx_.flags[GameStateFlags::kInPlay]) return;
    }
}

void MainWindow::PlayRandomGame(bool fromFavourites) {
    const int game = fromFavourites ? RandomFavourite(ctx_, RandomEngine())
                                    : RandomGameFromAll(ctx_, RandomEngine());
    if (game < 0) {
        if (fromFavourites &&
            QMessageBox::question(this, QStringLiteral("Quendra 2000"),
                                  Q(kNoFavouritesQuestion).replace(QLatin1Char('\r'),
                                                                   QLatin1Char('\n')),
                                  QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
            EditFavourites();
        return;
    }
    if (StartGameDeal(game))
        SetRandomGameType(ctx_, static_cast<int>(fromFavourites ? RandomFrom::Favourites
                                                                : RandomFrom::AllGames));
}

} // namespace quendra
