#pragma once

#include "fast_search.h"
#include "game_context.h"

#include <functional>
#include <vector>

#include <QWidget>

class QAction;
class QListWidget;
class QListWidgetItem;

namespace quendra {

class ImagesModule;

// "Games FastSearch": a small floating window with a flat list of games of one kind; a
// double click (or Return) starts the game. Its kind, "Stay on top", place and size are kept
// in the settings: read when it is shown, written when it hides.
class FastSearchWindow : public QWidget {
    Q_OBJECT
  public:
    // `start` starts a game and says whether it did.
    FastSearchWindow(GameContext& ctx, ImagesModule& images, std::function<bool(int game)> start,
                     QWidget* parent = nullptr);
    ~FastSearchWindow() override;

    // Shows the window where it was last, with the kind of list it last showed.
    void showWindow();
    FastSearchType listType() const { return type_; }
    void setListType(FastSearchType type);
    bool stayOnTop() const;
    void setStayOnTop(bool on);
    // The games listed, in order.
    std::vector<int> listedGames() const;
    // Starts the game of an entry (as a double click on it does).
    void startEntry(QListWidgetItem* item);
    QListWidget* list() const { return list_; }

    // What the main window tells it. A won game leaves the "Lost games" list at once; the
    // favourites, the customised games and the recent games rebuild their lists while shown.
    void gameWon(int game);
    void favouritesChanged();
    void customisedGamesChanged();
    void gameStarted();
    // Fills the list anew.
    void refresh();

  protected:
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void saveSettings();
    void restorePlacement();

    GameContext& ctx_;
    ImagesModule& images_;
    std::function<bool(int)> start_;
    FastSearchType type_ = FastSearchType::AllGames;
    QListWidget* list_{};
    std::vector<QAction*> typeActions_;
    QAction* stayOnTop_{};
    bool placed_ = false;
};

// The window's caption for a kind of list ("FastSearch [Lost games]").
QString FastSearchCaption(FastSearchType type);

} // namespace quendra
