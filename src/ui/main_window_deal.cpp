#include "autoplay.h"
#include "autoplay_setting.h"
#include "deal.h"
#include "game_catalog.h"
#include "game_context.h"
#include "main_window.h"
#include "new_game.h"
#include "settings.h"

#include "silent_host.h"
#include "solver.h"
#include "winnable_search.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <optional>

#include <QApplication>
#include <QStatusBar>

namespace quendra {

namespace {

const char* const kWinnableOnlyKey = "Winnable_Deals_Only";
const char* const kWinnableSecondsKey = "Winnable_Deals_Seconds";
constexpr int kWinnableSecondsDefault = 3;
constexpr int kWinnableSecondsMost = 60;

} // namespace

bool MainWindow::WinnableDealsOnly() const {
    return ReadSettingInt(ctx_, "Preference", kWinnableOnlyKey, 0) == 1;
}

void MainWindow::SetWinnableDealsOnly(bool on) {
    WriteSettingInt(ctx_, "Preference", kWinnableOnlyKey, on ? 1 : 0);
    actions_.winnableDealsOnly->setChecked(on);
}

std::string MainWindow::DrawWinnableDeal(int game, const std::string& name,
                                         const std::string& player, bool& proved) {
    const int seconds = std::clamp(ReadSettingInt(ctx_, "Preference", kWinnableSecondsKey,
                                                  kWinnableSecondsDefault),
                                   1, kWinnableSecondsMost);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    statusBar()->showMessage(QStringLiteral("Looking for a winnable deal..."));
    std::string deal;
    proved = false;
    while (!proved) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 && !deal.empty()) break;
        // Each deal is dealt on a silent copy of the game, which records nothing.
        SilentHost host;
        GameContext scratch(host);
        CopyGameState(scratch, ctx_);
        scratch.flags[GameStateFlags::kInPlay] = 0;
        NewDealNumber(scratch);
        deal = GetSetting(scratch.settings, field::kDealNumber);
        // Dealt as the window will deal it, automatic play and all.
        scratch.play.autoplayTicked = AutoplayWanted(ctx_, game);
        if (left.count() <= 0 ||
            !SelectAndStartGame(scratch, game, name, player, kKeepDealNumber, false))
            break;
        // A deal the search does not settle soon gives way to the next: a quarter of the
        // time allowed at most.
        SolveOptions options;
        options.moveBudget = INT_MAX;
        options.mixed = true;
        options.timeLimit = std::min(left, std::chrono::milliseconds(seconds * 250));
        options.autoplay = scratch.play.autoplayTicked;
        const SolveResult result = SolveBesideTheWindow(scratch, options);
        proved = result.won;
        // The hints of the game follow the line that proved it.
        if (proved) keepSolversLine(scratch, result.moves);
    }
    statusBar()->clearMessage();
    QApplication::restoreOverrideCursor();
    return deal;
}

bool MainWindow::StartGameDeal(int game, const std::string& dealNumber,
                               const std::string& player) {
    const std::string name = game < 0 ? std::string() : GameName(ctx_, game);
    if (name.empty()) return false;
    if (!dealNumber.empty() && !IsValidDealNumber(dealNumber)) return false;
    if (!ConfirmLeaveGame(ctx_)) return false;
    const std::string who = player.empty() ? GetSetting(ctx_.settings, field::kUserDefault) : player;
    // Game → "Winnable deals only": a new deal is one the solver has won.
    bool proved = true;
    const std::string deal =
        dealNumber.empty() && WinnableDealsOnly() ? DrawWinnableDeal(game, name, who, proved)
                                                  : dealNumber;
    std::optional<DealInProgress> dealing(std::in_place, *this);
    // The game in play ends, so that the same game starts again on the deal asked for.
    fnEndGame(ctx_);
    if (!deal.empty()) SetSetting(ctx_.settings, field::kDealNumber, deal);
    ctx_.play.autoplayTicked = AutoplayWanted(ctx_, game);
    actions_.autoplay->setChecked(ctx_.play.autoplayTicked);
    const bool started =
        SelectAndStartGame(ctx_, game, name, who, deal.empty() ? kNewDealNumber : kKeepDealNumber,
                           true);
    if (started) noteGameStarted();
    if (currentGame() >= 0) actions_.newGame->setEnabled(true);
    updateGameCommands();
    layoutTable();
    // Before the window shows, the first table drawn is the dealt one.
    if (started && isVisible()) AnimateDeal();
    dealing.reset();
    WriteTableFile();
    if (started && !proved)
        ctx_.host.ShowInformation("No deal the solver could win was found in time: this deal "
                                  "may not be winnable.");
    return started;
}

} // namespace quendra
