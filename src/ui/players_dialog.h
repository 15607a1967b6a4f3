#pragma once

#include "game_context.h"

#include <string>

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace quendra {

// "Add a player" / "Edit a player": one name, asked again until it can be used (not empty,
// not another player's, nothing that would break the files the name is written into).
class PlayerNameDialog : public QDialog {
    Q_OBJECT
  public:
    // `ownName`: the player being edited, empty when a player is added.
    PlayerNameDialog(const GameContext& ctx, const std::string& ownName, QWidget* parent = nullptr);
    std::string name() const;
    QLineEdit* nameEdit() const { return edit_; }

    void accept() override;

  private:
    const GameContext& ctx_;
    std::string ownName_;
    QLineEdit* edit_{};
};

// "Players": chooses the current player, adds, renames and deletes players.
class PlayersDialog : public QDialog {
    Q_OBJECT
  public:
    explicit PlayersDialog(GameContext& ctx, QWidget* parent = nullptr);
    // True when another player became current: the window then clears the table and opens
    // the game browser.
    bool playerChanged() const { return changed_; }

    QListWidget* list() const { return list_; }
    QPushButton* selectButton() const { return select_; }
    QPushButton* newButton() const { return new_; }
    QPushButton* editButton() const { return edit_; }
    QPushButton* deleteButton() const { return delete_; }

  private:
    void fill(const std::string& selected);
    std::string selectedName() const;
    void selectPlayer();
    void addPlayer();
    void editPlayer();
    void deletePlayer();

    GameContext& ctx_;
    bool changed_ = false;
    QListWidget* list_{};
    QPushButton* select_{};
    QPushButton* new_{};
    QPushButton* edit_{};
    QPushButton* delete_{};
};

} // namespace quendra
