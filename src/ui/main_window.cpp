#include "main_window.h"

#include "game_context.h"
#include "table_view.h"

namespace quendra {

MainWindow::MainWindow(GameContext& ctx, QWidget* parent)
    : QMainWindow(parent), ctx_(ctx), table_(new TableView(this)) {
    setWindowTitle(QStringLiteral("Quendra 2000"));
    setCentralWidget(table_);
    resize(1024, 768);
}

} // namespace quendra
