#pragma once

#include "settings_record.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace quendra {

struct GameContext;
class ImagesModule;

// "Customize": every preference of the program on six pages, with "Advanced options" behind
// the General page. OK stores every choice and applies it; "Apply" stores and applies the
// look of the table without closing; "Cancel" drops what was not stored yet.
class CustomiseDialog : public QDialog {
    Q_OBJECT
  public:
    // `apply` brings the stored settings to the window at once (table, tool bar, panels).
    CustomiseDialog(GameContext& ctx, const ImagesModule& images, std::function<void()> apply,
                    QWidget* parent);

    QTabWidget* pages() const { return pages_; }
    // A check box by its caption (with its "&").
    QCheckBox* checkBox(const QString& caption) const;
    QListWidget* cardSets() const { return cardSets_; }
    QListWidget* backs() const { return backs_; }
    QTreeWidget* backgrounds() const { return backgrounds_; }
    QSlider* speed() const { return speed_; }
    QComboBox* cursors() const { return cursors_; }
    QComboBox* winningAnimation() const { return winningAnimation_; }
    QLineEdit* winningTime() const { return winningTime_; }
    QListWidget* soundEvents() const { return soundEvents_; }
    QPushButton* applyButton() const { return apply_; }
    QPushButton* advancedButton() const { return advanced_; }
    // Selects the background entry of `code` (and, for a customised picture, `file`).
    bool selectBackground(int code, const QString& file = {});
    // Adds a picture file under "Customized backgrounds"; a file that is not a picture is
    // refused with a message. True when it was added (or listed already).
    bool addCustomisedBackground(const QString& file);
    // Removes the selected customised picture after the question; true when removed.
    bool deleteCustomisedBackground();
    // The values "Advanced options" holds until OK, by key.
    const std::map<std::string, std::string>& advancedValues() const { return advancedValues_; }
    void setAdvancedValue(const std::string& key, const std::string& value) {
        advancedValues_[key] = value;
    }
    // Opens "Advanced options" (modal); its OK takes its values over.
    void openAdvanced();

    void accept() override;
    // Stores every choice and applies it.
    void store();

  private:
    struct Switch {
        QCheckBox* box;
        std::string key;
        bool inverted; // checked stores "N"
    };
    QWidget* generalPage();
    QWidget* cardsPage();
    QWidget* decksPage();
    QWidget* backgroundsPage();
    QWidget* animationsPage();
    QWidget* soundsPage();
    QCheckBox* addSwitch(QWidget* parent, const QString& caption, const std::string& key,
                         const char* fallback, bool inverted = false);
    void fillCustomisedBackgrounds();
    void backgroundChosen(QTreeWidgetItem* item);
    std::string read(const std::string& key, const char* fallback) const;

    GameContext& ctx_;
    const ImagesModule& images_;
    std::function<void()> applyLook_;
    QTabWidget* pages_;
    std::vector<Switch> switches_;
    QListWidget* cardSets_{};
    QListWidget* backs_{};
    QTreeWidget* backgrounds_{};
    QTreeWidgetItem* customisedFolder_{};
    long long chosenColour_ = 0;
    QSlider* speed_{};
    QComboBox* cursors_{};
    QComboBox* winningAnimation_{};
    QLineEdit* winningTime_{};
    QListWidget* soundEvents_{};
    QPushButton* apply_{};
    QPushButton* advanced_{};
    std::map<std::string, std::string> advancedValues_;
    // The game on the table's own autoplay switch from "Advanced options": -1 untouched.
    int gameAutoplay_ = -1;
};

} // namespace quendra
