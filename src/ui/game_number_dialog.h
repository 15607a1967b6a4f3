#pragma once

#include "game_context.h"
#include "statistics.h"
#include "statistics_views.h"

#include <string>
#include <vector>

#include <QDialog>

class QComboBox;
class QTabWidget;
class QTableWidget;

namespace quendra {

// "Select a game number": a game with a deal number typed or picked from the recent ones,
// a deal of the log's newest games, or a deal that was lost and never won. OK closes the
// dialog with the choice (chosenGame, chosenDeal); the caller starts it. "L&og..." opens the
// log view, and when that view starts a game the dialog closes without a choice.
class GameNumberDialog : public QDialog {
    Q_OBJECT
  public:
    GameNumberDialog(GameContext& ctx, const StatisticsLinks& links, QWidget* parent = nullptr);

    int chosenGame() const { return chosenGame_; }
    // 13 digits.
    const std::string& chosenDeal() const { return chosenDeal_; }
    // The log view started a game.
    bool startedFromLog() const { return startedFromLog_; }

    // "Play &this game": the choice of the page shown, checked; the dialog closes when it is
    // a deal to play.
    void playChosen();

  private:
    void pageShown(int page);
    void readLog();
    void fillPrevious();
    void fillLost();
    void openLog();

    GameContext& ctx_;
    StatisticsLinks links_;
    QTabWidget* pages_{};
    QComboBox* games_{};
    QComboBox* number_{};
    QTableWidget* previous_{};
    QComboBox* lostGames_{};
    QTableWidget* lost_{};
    bool logRead_ = false;
    bool previousFilled_ = false;
    bool lostFilled_ = false;
    std::vector<LogEntry> log_;
    std::vector<LogEntry> previousRows_;
    std::vector<LogEntry> lostRows_;
    int chosenGame_ = -1;
    std::string chosenDeal_;
    bool startedFromLog_ = false;
};

} // namespace quendra
