#include "autoplay.h"
#include "autoplay_setting.h"
#include "deal.h"
#include "game_catalog.h"
#include "game_context.h"
#include "main_window.h"
#include "new_game.h"
#include "settings.h"

#include <optional>

namespace quendra {

bool MainWindow::StartGameDeal(int game, const std::string& dealNumber,
                               const std::string& player) {
    const std::string name = game < 0 ? std::string() : GameName(ctx_, game);
    if (name.empty()) return false;
    if (!dealNumber.empty() && !IsValidDealNumber(dealNumber)) return false;
    if (!ConfirmLeaveGame(ctx_)) return false;
    std::optional<DealInProgress> dealing(std::in_place, *this);
    // The game in play ends, so that the same game starts again on the deal asked for.
    fnEndGame(ctx_);
    if (!dealNumber.empty()) SetSetting(ctx_.settings, field::kDealNumber, dealNumber);
    ctx_.play.autoplayTicked = AutoplayWanted(ctx_, game);
    actions_.autoplay->setChecked(ctx_.play.autoplayTicked);
    const bool started =
        SelectAndStartGame(ctx_, game, name,
                           player.empty() ? GetSetting(ctx_.settings, field::kUserDefault) : player,
                           dealNumber.empty() ? kNewDealNumber : kKeepDealNumber, true);
    if (started) noteGameStarted();
    if (currentGame() >= 0) actions_.newGame->setEnabled(true);
    updateGameCommands();
    layoutTable();
    // Before the window shows, the first table drawn is the dealt one.
    if (started && isVisible()) AnimateDeal();
    dealing.reset();
    WriteTableFile();
    return started;
}

} // namespace quendra
