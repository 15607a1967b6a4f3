#pragma once

#include "game_context.h"

#include <functional>

#include <QDialog>

class QLabel;
class QPushButton;
class QStackedWidget;

namespace quendra {

// "Game won": after a won game and its winning animation, the player's figures for the game
// and what to play next.
class GameWonDialog : public QDialog {
    Q_OBJECT
  public:
    enum class Next { Nothing, NewGame, Restart, OpenGame, RandomGame, SelectGame };

    GameWonDialog(const GameContext& ctx, QWidget* parent = nullptr);
    Next next() const { return next_; }
    // The figures as the statistics hold them now.
    void Refresh();
    QPushButton* button(Next next) const;
    // "Statistics": `show` opens the game's statistics and answers whether a game was
    // started from them (the dialog then closes); else the figures are read again.
    void setShowStatistics(std::function<bool()> show);
    QPushButton* statisticsButton() const { return statistics_; }
    QString figure(const QString& name) const;

  private:
    void choose(Next next);

    const GameContext& ctx_;
    Next next_ = Next::Nothing;
    QStackedWidget* pages_{};
    QLabel* title_{};
    QLabel* won_{};
    QLabel* lost_{};
    QLabel* total_{};
    QLabel* percent_{};
    QLabel* pie_{};
    QPushButton* newGame_{};
    QPushButton* restart_{};
    QPushButton* openGame_{};
    QPushButton* random_{};
    QPushButton* selectGame_{};
    QPushButton* statistics_{};
    std::function<bool()> showStatistics_;
};

} // namespace quendra
