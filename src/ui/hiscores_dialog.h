#pragma once

#include "game_context.h"
#include "hiscores.h"

#include <functional>

#include <QDialog>

class QComboBox;
class QLabel;
class QTableWidget;

namespace quendra {

// "Hi-Scores": the 20 best results of a game for the scoring system in use, any game of the
// catalogue chosen from its list. After a new entry the row is marked, the new-score
// picture shown and the pop-up menu offers never to open the dialog by itself again.
class HiScoresDialog : public QDialog {
    Q_OBJECT
  public:
    // `newRank`: the 0-based row of the entry just made, -1 when the player only looks.
    // `title`: the caption after a new entry (the game's own caption otherwise).
    HiScoresDialog(GameContext& ctx, int game, int newRank = -1, const QString& title = {},
                   QWidget* parent = nullptr);
    // The same for a series table ("Series Hi-Scores [name]"), the series chosen from the
    // built-in and the player's series, with the "Max" column.
    HiScoresDialog(GameContext& ctx, ScoreTableKind kind, int number, int newRank = -1,
                   const QString& title = {}, QWidget* parent = nullptr);
    // What "Clear values..." opens; the table is read again afterwards.
    void setClearValues(std::function<void()> clear);
    // Shows the table of another game of the list.
    void showGame(int game);
    int shownGame() const { return game_; }

    QTableWidget* grid() const { return grid_; }
    QComboBox* gameList() const { return games_; }
    // Null when the dialog did not open after a new entry.
    QLabel* newScorePicture() const { return picture_; }
    // "&Don't show Hi-Scores dialog box again...": asks, then stores the choice.
    void dontShowAgain();

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void fill();
    QString tableTitle() const;

    GameContext& ctx_;
    ScoreTableKind kind_ = ScoreTableKind::Game;
    int game_ = -1;
    int newRank_ = -1;
    QComboBox* games_{};
    QTableWidget* grid_{};
    QLabel* picture_{};
    std::function<void()> clearValues_;
};

// "Hi-Scores..." (and the dialog after a new entry): opens the dialog modally, with
// "Clear values..." opening `clearValues` when given.
void ShowHiScores(QWidget* parent, GameContext& ctx, int game, int newRank = -1,
                  const QString& title = {}, std::function<void()> clearValues = {});

} // namespace quendra
