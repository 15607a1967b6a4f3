#pragma once

#include "game_context.h"

#include <functional>
#include <optional>
#include <string>

#include <QDialog>

class QButtonGroup;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace quendra {

// The dialogs that clear statistics, the log, the hi-scores or everything. Each asks its
// question and tells the result through the host; a refusal leaves the dialog open.

// "Clear statistics": a player (or "[All players]") and a game (or "[All games]"), preset to
// the current player and `game`.
void ShowClearStatistics(QWidget* parent, GameContext& ctx, int game);
// "Clear Log statistics": the whole log, or all but its newest records.
void ShowClearLog(QWidget* parent, GameContext& ctx);
// "Clear values": everything at once, or one of the other clearing dialogs.
void ShowClearValues(QWidget* parent, GameContext& ctx);
// "Clear Hi-Scores": as "Clear statistics", for the hi-score tables.
void ShowClearHiScores(QWidget* parent, GameContext& ctx, int game);

// A player and a game to clear, each list with its "all" entry first.
class ClearChoiceDialog : public QDialog {
    Q_OBJECT
  public:
    // Clears what was chosen (nothing: all); true when done.
    using Clear = std::function<bool(const std::optional<int>& game,
                                     const std::optional<std::string>& player)>;
    ClearChoiceDialog(GameContext& ctx, const QString& title, int game, Clear clear,
                      QWidget* parent = nullptr);
    QListWidget* playersList() const { return players_; }
    QListWidget* gamesList() const { return games_; }

  private:
    void clearChosen();

    Clear clear_;
    QListWidget* players_{};
    QListWidget* games_{};
};

// "Clear Log statistics".
class ClearLogDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ClearLogDialog(GameContext& ctx, QWidget* parent = nullptr);
    QSpinBox* keepBox() const { return keep_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* clearAllButton() const { return clearAll_; }

  private:
    GameContext& ctx_;
    int records_ = 0;
    QSpinBox* keep_{};
    QPushButton* ok_{};
    QPushButton* clearAll_{};
};

// "Clear values".
class ClearValuesDialog : public QDialog {
    Q_OBJECT
  public:
    enum Choice { AllValues, StatisticsOnly, HiScoresOnly, LogOnly, SeriesOnly };
    explicit ClearValuesDialog(GameContext& ctx, QWidget* parent = nullptr);
    // Chooses a value as the player would and presses OK.
    void choose(Choice choice);
    QPushButton* okButton() const { return ok_; }

  private:
    void clearChosen();

    GameContext& ctx_;
    QButtonGroup* mode_{};   // all values, or selected ones
    QButtonGroup* select_{}; // which values
    QPushButton* ok_{};
};

} // namespace quendra
