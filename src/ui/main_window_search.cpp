#include "fast_search_window.h"
#include "game_number_dialog.h"
#include "main_window.h"

namespace quendra {

void MainWindow::SelectGameNumber() {
    GameNumberDialog dialog(ctx_, statisticsLinks(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    StartGameDeal(dialog.chosenGame(), dialog.chosenDeal());
}

void MainWindow::ShowFastSearch() {
    if (!fastSearch_)
        fastSearch_ = new FastSearchWindow(
            ctx_, images_, [this](int game) { return StartGameDeal(game); }, this);
    fastSearch_->showWindow();
}

} // namespace quendra
