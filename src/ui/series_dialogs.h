#pragma once

#include "game_context.h"
#include "series.h"

#include <QDialog>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace quendra {

// "New Series" / "Edit Series": the name and the chosen games, in the order they are played.
// OK saves the series (the refusals are told); the dialog closes once it is saved.
class SeriesEditDialog : public QDialog {
    Q_OBJECT
  public:
    // `number` 0: a new series.
    SeriesEditDialog(GameContext& ctx, int number, QWidget* parent = nullptr);
    int savedNumber() const { return saved_; }

    QLineEdit* nameEdit() const { return name_; }
    QListWidget* catalogue() const { return catalogue_; }
    QListWidget* chosen() const { return chosen_; }
    void addSelected();
    void removeSelected();
    void moveSelected(int by);
    void save();

  private:
    GameContext& ctx_;
    int number_ = 0;
    int saved_ = 0;
    QLineEdit* name_{};
    QListWidget* catalogue_{};
    QListWidget* chosen_{};
};

// The manager's two folders, as the preference Series_TreeNum keeps the last one used.
inline constexpr int kBuiltInSeriesFolder = 1;
inline constexpr int kUserSeriesFolder = 2;

// The Series Manager: the built-in series and the player's own in a tree, with
// "(Add a new Series)"; New, Edit, Delete, Statistics and Play (for the player chosen).
class SeriesManagerDialog : public QDialog {
    Q_OBJECT
  public:
    SeriesManagerDialog(GameContext& ctx, QWidget* parent = nullptr);
    // After Play: the series and the player.
    int chosenSeries() const { return chosen_; }
    std::string chosenPlayer() const;
    // The series of the selected tree item; 0 for "(Add a new Series)" or a folder.
    int selectedSeries() const;
    void selectSeries(int number);

    QTreeWidget* tree() const { return tree_; }
    QComboBox* players() const { return players_; }
    // What the buttons do (the tests drive them directly).
    void newSeries();
    void editSeries();
    void deleteSeries();
    void showStatistics();
    void play();

  private:
    void fill();
    void updateButtons();
    void showGames();

    GameContext& ctx_;
    int chosen_ = 0;
    QTreeWidget* tree_{};
    QListWidget* games_{};
    QComboBox* players_{};
    QPushButton* play_{};
    QPushButton* edit_{};
    QPushButton* delete_{};
};

// "Series situation": one row per game of the series. After a game, with a next game to
// go to, the OK button reads "Next game".
class SeriesSituationDialog : public QDialog {
    Q_OBJECT
  public:
    SeriesSituationDialog(GameContext& ctx, const SeriesInProgress& series, bool offerNext,
                          QWidget* parent = nullptr);
    QTableWidget* grid() const { return grid_; }
    QPushButton* okButton() const { return ok_; }
    // The player chose "Next game".
    bool nextChosen() const { return next_; }

  private:
    QTableWidget* grid_{};
    QPushButton* ok_{};
    bool next_ = false;
};

// "Series in progress: " + name, when a game of a series would be left.
class SeriesInProgressDialog : public QDialog {
    Q_OBJECT
  public:
    enum class Choice { Cancel, NextGame, QuitSeries };
    SeriesInProgressDialog(const QString& name, bool nextEnabled, QWidget* parent = nullptr);
    Choice choice() const { return choice_; }

  private:
    Choice choice_ = Choice::Cancel;
};

// The series panel over the table while a series runs: the counter, the previous, current
// and next games, the previous result and "Next game".
class SeriesPanel : public QWidget {
    Q_OBJECT
  public:
    explicit SeriesPanel(QWidget* parent = nullptr);
    void Fill(GameContext& ctx, const SeriesInProgress& series, bool nextEnabled);
    QLabel* counter() const { return counter_; }
    QPushButton* nextButton() const { return next_; }

  signals:
    void nextRequested();
    void moved(QPoint at);

  protected:
    void moveEvent(QMoveEvent* event) override;

  private:
    QLabel* counter_{};
    QLabel* previous_{};
    QLabel* current_{};
    QLabel* following_{};
    QLabel* result_{};
    QPushButton* next_{};
};

} // namespace quendra
