#include "autoplay.h"
#include "custom_rules.h"
#include "custom_rules_dialog.h"
#include "fast_search_window.h"
#include "game_catalog.h"
#include "main_window.h"
#include "new_game.h"
#include "settings.h"
#include "table_play.h"

#include <QApplication>
#include <QMessageBox>

namespace quendra {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// A question answered Yes or No; "\r" breaks its lines.
bool AskYesNo(QWidget* parent, const std::string& text) {
    return QMessageBox::question(parent, QStringLiteral("Quendra 2000"),
                                 Q(text).replace(QLatin1Char('\r'), QLatin1Char('\n')),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

} // namespace

void MainWindow::CustomiseRules() {
    const int game = currentGame();
    if (game < 0) return;
    const int base = game >= kFirstCustomGame ? CustomGameBase(ctx_, game).base : game;
    GameParams definition{};
    GameParams rules{};
    std::string error;
    if (base < 0 || !ReadGameDefinition(ctx_, base, definition, error) ||
        !ReadGameDefinition(ctx_, game, rules, error)) {
        ctx_.host.ShowError(error.empty() ? "The game " + std::to_string(game) +
                                                " cannot be read."
                                          : error);
        return;
    }
    const std::string name = GameName(ctx_, game);
    const CustomRuleOffer offer = OfferedCustomRules(definition);
    if (!offer.Any()) {
        ctx_.host.ShowInformation("The game " + name + " can't be customized.");
        return;
    }
    std::function<bool()> remove;
    if (game >= kFirstCustomGame)
        remove = [this, game] { return DeleteCustomisedGame(game, false); };
    CustomRulesDialog dialog(ctx_, Q(name), offer, CurrentCustomRules(rules, offer), remove,
                             this);
    if (dialog.exec() != QDialog::Accepted) {
        // After a deletion the player chooses the next game.
        if (dialog.deleted()) openGameBrowser();
        return;
    }
    const int number = AddCustomGame(ctx_, game, dialog.chosenName(),
                                     CustomRulesOverlay(dialog.values(), offer, definition));
    if (number < 0) return;
    if (fastSearch_) fastSearch_->customisedGamesChanged();

    // The new game is offered at once; a game in progress is quit only when the player says.
    const bool open = ctx_.flags[GameStateFlags::kInPlay] && !ctx_.flags[GameStateFlags::kWon];
    if (open) {
        if (!AskYesNo(this, "Do you want to start the new game\r" + GameName(ctx_, number) +
                               "\rnow and quit the current game?"))
            return;
        if (const std::optional<bool> leave = ConfirmLeaveSeriesGame(); leave && !*leave) return;
        if (actions_.pause->isChecked()) actions_.pause->setChecked(false);
        fnEndGame(ctx_);
    }
    StartGameDeal(number);
}

bool MainWindow::DeleteCustomisedGame(int game, bool fromBrowser) {
    const std::string name = GameName(ctx_, game);
    if (game < kFirstCustomGame || name.empty()) return false;
    const bool playing = game == currentGame();
    const std::string note = "Note: the statistics for this game will also be deleted.";
    const std::string question =
        fromBrowser && playing
            ? "You are now playing " + name + ".\rAre you sure you want to delete this game?\r" +
                  note
            : "Are you sure you want to delete this customized game\r" + name + "?\r" + note;
    if (!AskYesNo(QApplication::activeModalWidget() ? QApplication::activeModalWidget() : this,
                  question))
        return false;
    if (playing) {
        // The game in play ends and is recorded; then no game is current.
        if (actions_.pause->isChecked()) actions_.pause->setChecked(false);
        if (ctx_.flags[GameStateFlags::kInPlay]) fnEndGame(ctx_);
        SetSetting(ctx_.settings, field::kGameNumber, "-1");
        SetSetting(ctx_.settings, field::kGameName, "");
        ctx_.table.Clear();
        ShowScore(QString());
        ShowTime(QString());
        for (QAction* action :
             {actions_.newGame, actions_.pause, actions_.quitGame, actions_.undo, actions_.redo})
            action->setEnabled(false);
        updateGameCommands();
        RedrawTable();
    }
    if (!DeleteCustomGame(ctx_, game)) return false;
    RebuildFavouritesMenu();
    if (fastSearch_) {
        fastSearch_->customisedGamesChanged();
        fastSearch_->favouritesChanged();
    }
    WriteTableFile();
    return true;
}

} // namespace quendra
