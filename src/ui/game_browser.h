#pragma once

#include "browser_catalogue.h"
#include "game_context.h"

#include <functional>
#include <string>
#include <vector>

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace quendra {

class ImagesModule;

// The "Open a game" dialog: the catalogue as a tree of folders filled when first opened, a
// description and preview of the selected game, and the player to play it. Accepted only
// with a game chosen; the caller then starts it.
class GameBrowser : public QDialog {
    Q_OBJECT
  public:
    GameBrowser(GameContext& ctx, const ImagesModule& images, QWidget* parent = nullptr);

    // The chosen game, its name and the player chosen in the combo box.
    int chosenGame() const { return chosenGame_; }
    std::string chosenName() const { return chosenName_; }
    std::string chosenPlayer() const;
    // The dialog was closed with "Demo": the chosen game is to play itself once started.
    bool demoRequested() const { return demoRequested_; }
    QPushButton* demoButton() const { return demo_; }
    // "Open a saved game...": `open` shows the open dialog and opens the chosen game,
    // answering whether one was opened; the browser then closes (accepted), else stays.
    void setOpenSavedGame(std::function<bool()> open);
    bool savedGameOpened() const { return savedGameOpened_; }
    // "Statistics": `show` opens the statistics of the selected game for the player of the
    // combo box.
    void setShowStatistics(std::function<void(int game, const std::string& player)> show);
    QPushButton* statisticsButton() const { return statistics_; }
    QPushButton* openSavedButton() const { return openSaved_; }
    // The pop-up menu's "Delete" on a customised game: `remove` asks and deletes it,
    // answering whether it did; the tree is then made again without it.
    void setDeleteGame(std::function<bool(int game)> remove);
    // The pop-up menu's "Favorite games...": `edit` runs the favourites dialog; the tree
    // follows what it changed.
    void setEditFavourites(std::function<void()> edit);
    // The tree made again from the files, the folder and game selected kept where they are.
    void rebuildTree();
    // "Color icons": 0 all blue, 1 green for the games the player has won, 2 red too for
    // the others; kept in the settings.
    void setIconColours(int colours);
    int iconColours() const { return iconColours_; }
    // The icon name a game of the tree shows.
    QString iconNameOf(int code) const;

    QTreeWidget* tree() const { return tree_; }
    // The tree item of a folder or game code among the filled items; null when absent.
    QTreeWidgetItem* findItem(int code) const;
    // Opens a folder, filling it on the first opening.
    void fillFolder(QTreeWidgetItem* folder);
    // The text of a description field ("decks", "duration", "difficulty", "chance",
    // "skill", "redeals", "objective", "name"), as shown.
    QString descriptionText(const QString& field) const;
    // OK: with a game selected, the preferences are written and the dialog closes.
    void accept() override;

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void buildTree();
    void preselect();
    void selectionChanged();
    void showPreview(int number);
    void itemDoubleClicked(QTreeWidgetItem* item);
    void showRules();
    void showStatistics();
    int selectedCode() const;
    QIcon iconFor(const std::string& name) const;
    QIcon folderIcon(const char* closedName) const;

    GameContext& ctx_;
    const ImagesModule& images_;
    std::vector<browser::Entry> sorted_;
    int preselectGame_ = -1;
    int chosenGame_ = -1;
    std::string chosenName_;
    bool demoRequested_ = false;

    QTreeWidget* tree_;
    QLabel* name_;
    QLabel* preview_;
    QCheckBox* previewBox_;
    QComboBox* players_;
    QPushButton* ok_;
    QPushButton* rules_;
    QPushButton* statistics_;
    QPushButton* demo_;
    QPushButton* openSaved_;
    std::function<bool()> openSavedGame_;
    std::function<void(int, const std::string&)> showStatistics_;
    std::function<bool(int)> deleteGame_;
    std::function<void()> editFavourites_;
    int iconColours_ = 0;
    bool savedGameOpened_ = false;
    QWidget* gamePanel_;
    QLabel* folderPanel_;
    struct Row {
        QLabel* text;
        QLabel* picture;
    };
    Row objective_{}, decks_{}, redeals_{}, duration_{}, difficulty_{}, skill_{}, chance_{};
};

} // namespace quendra
