#include "customise_dialog.h"
#include "layout.h"
#include "main_window.h"
#include "settings.h"
#include "table_play.h"

#include <QFrame>
#include <QScrollBar>
#include <QTabWidget>

namespace quendra {

void MainWindow::Customise(int page) {
    CustomiseDialog dialog(ctx_, images_, [this] { ApplyCustomisation(); }, this);
    dialog.pages()->setCurrentIndex(page);
    dialog.exec();
}

void MainWindow::ApplyCustomisation() {
    applyToolBarSettings();
    timePanel_->setVisible(IsOn(ctx_, field::kShowTime));
    scorePanel_->setVisible(IsOn(ctx_, field::kShowScore));
    applyCursor();
    // New cards, back or background: the table is laid out and drawn again, at the size of
    // the cards chosen.
    const std::string size = GetSetting(ctx_.settings, field::kCardSize);
    SetCardSize(ctx_, size.empty() ? 'B' : size.front());
    layoutTable();
}

} // namespace quendra
