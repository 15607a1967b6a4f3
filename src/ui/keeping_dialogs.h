#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QDialog>
#include <QString>

class QListWidget;
class QPushButton;

namespace quendra {

// The windows of keeping a game: the save and open dialogs, the hold question at exit and
// the favourite games.

// "Save game": a file name for a saved game, starting in `folder`. A chosen file that exists
// is replaced only after the player says Yes; No shows the dialog again; Cancel (or closing
// the dialog) gives nothing.
std::optional<QString> ChooseSaveFile(QWidget* parent, const QString& folder);
// "Open game": a saved game, starting in `folder` (opening it tells a file that is not there).
std::optional<QString> ChooseOpenFile(QWidget* parent, const QString& folder);

// Asked when the window closes on an unfinished game.
class HoldDialog : public QDialog {
    Q_OBJECT
  public:
    enum class Choice { Hold, ExitWithLoss, Cancel };
    explicit HoldDialog(QWidget* parent = nullptr);
    Choice choice() const { return choice_; }
    QPushButton* holdButton() const { return hold_; }
    QPushButton* lossButton() const { return loss_; }

  private:
    Choice choice_ = Choice::Cancel;
    QPushButton* hold_{};
    QPushButton* loss_{};
};

// "Favorite games": every game on one side, the favourites in the player's order on the
// other, moved across with ">" and "<".
class FavouritesDialog : public QDialog {
    Q_OBJECT
  public:
    FavouritesDialog(const std::vector<std::string>& allGames,
                     const std::vector<std::string>& favourites, QWidget* parent = nullptr);
    std::vector<std::string> favourites() const;
    QListWidget* gamesList() const { return games_; }
    QListWidget* favouritesList() const { return chosen_; }
    QPushButton* addButton() const { return add_; }
    QPushButton* removeButton() const { return remove_; }

  private:
    void addSelected();
    void removeSelected();
    QListWidget* games_{};
    QListWidget* chosen_{};
    QPushButton* add_{};
    QPushButton* remove_{};
};

} // namespace quendra
