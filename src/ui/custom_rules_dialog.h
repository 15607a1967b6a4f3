#pragma once

#include "custom_rules.h"
#include "game_context.h"

#include <functional>
#include <string>

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace quendra {

// "Customize rules [game]": a variant of the game on the table, with a few of its rules
// changed. OK (enabled once a value differs from the game's) checks the numbers, asks for the
// variant's name and closes; the caller writes the record. "De&lete" (a customised game only)
// runs `deleteGame`, which asks and deletes, and closes the dialog when it did.
class CustomRulesDialog : public QDialog {
    Q_OBJECT
  public:
    // `offer` from the base game's definition, `rules` the game's own rules.
    CustomRulesDialog(GameContext& ctx, const QString& gameName, const CustomRuleOffer& offer,
                      const CustomRuleValues& rules, std::function<bool()> deleteGame,
                      QWidget* parent = nullptr);

    // After OK: the name chosen and the values of the controls.
    const std::string& chosenName() const { return name_; }
    CustomRuleValues values() const;
    bool deleted() const { return deleted_; }

    QTabWidget* pages() const { return pages_; }
    QLineEdit* cardsPerClick() const { return perClick_; }
    QButtonGroup* redeals() const { return redeals_; } // ids 0 unlimited, 1 none, 2 specified
    QLineEdit* redealCount() const { return redealCount_; }
    QLabel* redealFeedback() const { return feedback_; }
    QButtonGroup* emptyTableau() const { return empty_; } // ids 1 King, 2 any card, 3 none
    QComboBox* tableauMethod() const { return tableauMethod_; }
    QButtonGroup* tableauDirection() const { return tableauDirection_; }
    QComboBox* foundationMethod() const { return foundationMethod_; }
    QButtonGroup* foundationDirection() const { return foundationDirection_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* deleteButton() const { return delete_; }

    void accept() override;

  private:
    QWidget* stockPage(const CustomRuleOffer& offer, const CustomRuleValues& rules);
    QWidget* redealPage(const CustomRuleOffer& offer, const CustomRuleValues& rules);
    QWidget* tableauPage(const CustomRuleOffer& offer, const CustomRuleValues& rules);
    QWidget* foundationPage(const CustomRuleOffer& offer, const CustomRuleValues& rules);
    // What the controls hold, as one text: OK follows whether it differs from the first.
    QString state() const;
    void changed();
    // A number box that is in use must hold digits only; false after telling the player.
    bool numberChecked(QLineEdit* box, int page, int low, int high);

    GameContext& ctx_;
    QString gameName_;
    std::function<bool()> deleteGame_;
    QTabWidget* pages_{};
    QLineEdit* perClick_{};
    QButtonGroup* redeals_{};
    QLineEdit* redealCount_{};
    QLabel* feedback_{};
    QButtonGroup* empty_{};
    QComboBox* tableauMethod_{};
    QButtonGroup* tableauDirection_{};
    QComboBox* foundationMethod_{};
    QButtonGroup* foundationDirection_{};
    QPushButton* ok_{};
    QPushButton* delete_{};
    QString opened_;
    std::string name_;
    bool deleted_ = false;
};

// The naming dialog of a new customised game: the name, checked against the catalogue and
// the customised games; it stays open while the name is too short or already used.
class CustomGameNameDialog : public QDialog {
    Q_OBJECT
  public:
    CustomGameNameDialog(const GameContext& ctx, const QString& title, const QString& name,
                         QWidget* parent = nullptr);
    QLineEdit* nameEdit() const { return edit_; }
    std::string name() const;
    void accept() override;

  private:
    const GameContext& ctx_;
    QLineEdit* edit_{};
};

} // namespace quendra
