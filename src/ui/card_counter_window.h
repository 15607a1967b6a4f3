#pragma once

#include "card_counter.h"

#include <QWidget>

class QAction;
class QPushButton;
class QTimer;

namespace quendra {

struct GameContext;
class ImagesModule;

// The "Card counter": a small floating window with one row of thirteen cells per suit and
// deck, each cell showing whether that card can be seen on the table or is still hidden. The
// main window refreshes it after every change of the table.
class CardCounterWindow : public QWidget {
    Q_OBJECT
  public:
    CardCounterWindow(GameContext& ctx, ImagesModule& images, QWidget* parent);

    // Places the window where it was last (when both stored values are above 0) and shows it
    // when it was open at the last closing.
    void RestoreAtStartUp();
    // Shows the window (refreshed) and raises it.
    void Open();
    // Counts the table again (only while a game is in progress) and redraws the grid.
    void Refresh();

    const CounterGrid& grid() const { return grid_; }
    int rows() const { return rows_; }
    QAction* tableauOnlyAction() const { return tableauOnly_; }
    QAction* stockOnlyAction() const { return stockOnly_; }
    QAction* invertedAction() const { return inverted_; }
    QPushButton* optionsButton() const { return options_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

  private:
    void optionChanged(QAction* changed);
    void savePreferences(bool visible);
    void savePlace();
    void fitToGrid();

    GameContext& ctx_;
    ImagesModule& images_;
    CounterGrid grid_{};
    int rows_ = 4;
    QPushButton* options_;
    QAction* tableauOnly_;
    QAction* stockOnly_;
    QAction* inverted_;
    QTimer* placeSaver_;
};

} // namespace quendra
