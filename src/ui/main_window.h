#pragma once

#include <QMainWindow>

namespace quendra {

struct GameContext;
class TableView;

// The main window: the card table and, around it, the menus and tool bars.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(GameContext& ctx, QWidget* parent = nullptr);

    TableView* table() const { return table_; }

  private:
    GameContext& ctx_;
    TableView* table_;
};

} // namespace quendra
