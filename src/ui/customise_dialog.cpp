#include "customise_dialog.h"

#include "autoplay_setting.h"

#include "customisation.h"
#include "game_context.h"
#include "images_module.h"
#include "settings.h"
#include "win_animation.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quendra {

namespace {

constexpr int kCodeRole = Qt::UserRole + 1;
constexpr int kFileRole = Qt::UserRole + 2;
constexpr int kSizeRole = Qt::UserRole + 3;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QString Three(int number) {
    return QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'));
}

// The sound events and their keys, in the order of the events tree.
struct SoundEvent {
    const char* caption;
    const char* key;
};
const SoundEvent kSoundEvents[] = {
    {"New game", "Sounds_NewGame"},     {"Redo", "Sounds_Redo"},
    {"Restart", "Sounds_Restart"},      {"Undo", "Sounds_Undo"},
    {"Shuffle", "Sounds_Shuffle"},      {"Autoplay", "Sounds_Autoplay"},
    {"Card down", "Sounds_CardDown"},   {"Card up", "Sounds_CardUp"},
    {"Stock", "Sounds_Stock"},          {"Face up", "Sounds_FaceUp"},
    {"Pairing", "Sounds_Pairing"},      {"Foundation", "Sounds_Foundation"},
    {"Tableau", "Sounds_Tableau"},      {"Redeal", "Sounds_Redeal"},
    {"About", "Sounds_About"},          {"Hi-Scores", "Sounds_HiScores"},
    {"New hi-score", "Sounds_NewHiScores"}, {"Game won", "Sounds_GameWon"},
    {"Redeal without animation", "Sounds_Redeal_Without_Animation"},
};

// Plain colours of the background tree (red, green, blue), from code 1002 on; 1001 is the
// colour the player picks.
struct NamedColour {
    const char* name;
    int red, green, blue;
};
const NamedColour kColours[] = {
    {"Green", 0, 96, 0},     {"Dark green", 0, 64, 32}, {"Blue", 20, 60, 140},
    {"Navy", 0, 0, 128},     {"Red", 128, 16, 16},      {"Grey", 96, 96, 96},
    {"Brown", 96, 64, 32},   {"Purple", 80, 32, 110},   {"Black", 0, 0, 0},
};

long long Pack(int red, int green, int blue) {
    return red + green * 256LL + blue * 65536LL;
}

const char* const kCursorNames[] = {"Arrow 1", "Arrow 2", "Right hand 1", "Right hand 2",
                                    "Left hand 1", "Left hand 2"};
const char* const kHighlightColours[] = {
    "Black", "Blue", "Turquoise", "Bright Green", "Pink", "Red", "Yellow", "Dark Blue",
    "Teal", "Green", "Violet", "Dark Red", "Dark Yellow", "Maroon", "Silver"};
const char* const kHighlightMarks[] = {"None", "Dots", "Solid", "Diagonal", "Cross",
                                       "Diagonal Cross"};

// The keys of "Advanced options" with their first values.
const std::pair<const char*, const char*> kAdvancedKeys[] = {
    {"Undo_Enabled", "0"},          {"ConfirmQuit", "N"},
    {"ConfirmQuitGame", "Y"},       {"ConfirmEnterHiScores", "Y"},
    {"Tips_StartUp", "N"},          {"HighLights_Foundations_Mark", "0"},
    {"HighLights_Foundations_Color", "0"}, {"AutoPlay_All_Games", "1"},
    {"ConfirmSaveAndExit", "N"},    {"ConfirmSaveAndExitType", "0"},
    {"Disable_Statistics", "N"},
};

} // namespace

CustomiseDialog::CustomiseDialog(GameContext& ctx, const ImagesModule& images,
                                 std::function<void()> apply, QWidget* parent)
    : QDialog(parent), ctx_(ctx), images_(images), applyLook_(std::move(apply)) {
    setObjectName(QStringLiteral("frmCustomize"));
    setWindowTitle(QStringLiteral("Customize"));
    for (const auto& [key, fallback] : kAdvancedKeys)
        advancedValues_[key] = read(key, fallback);

    pages_ = new QTabWidget(this);
    pages_->addTab(generalPage(), QStringLiteral("&General"));
    pages_->addTab(cardsPage(), QStringLiteral("&Cards"));
    pages_->addTab(decksPage(), QStringLiteral("Dec&ks"));
    pages_->addTab(backgroundsPage(), QStringLiteral("&Backgrounds"));
    pages_->addTab(animationsPage(), QStringLiteral("Anima&tions"));
    pages_->addTab(soundsPage(), QStringLiteral(" &Sounds "));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    apply_ = buttons->addButton(QStringLiteral("Appl&y"), QDialogButtonBox::ApplyRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CustomiseDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(apply_, &QPushButton::clicked, this, &CustomiseDialog::store);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addWidget(buttons);
}

std::string CustomiseDialog::read(const std::string& key, const char* fallback) const {
    return ReadPreference(ctx_, key, fallback);
}

QCheckBox* CustomiseDialog::addSwitch(QWidget* parent, const QString& caption,
                                      const std::string& key, const char* fallback,
                                      bool inverted) {
    auto* box = new QCheckBox(caption, parent);
    box->setChecked((read(key, fallback) == "Y") != inverted);
    switches_.push_back({box, key, inverted});
    return box;
}

QCheckBox* CustomiseDialog::checkBox(const QString& caption) const {
    for (const Switch& s : switches_)
        if (s.box->text() == caption) return s.box;
    return nullptr;
}

QWidget* CustomiseDialog::generalPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* bar = new QGroupBox(QStringLiteral("Toolbar and display"), page);
    auto* barLayout = new QVBoxLayout(bar);
    const std::pair<const char*, const char*> display[] = {
        {"&Large buttons", "ToolBar_Large"},         {"&Flat buttons", "ToolBar_Flat"},
        {"Sho&w ScreenTips on toolbar", "Show_ToolTips"}, {"Show tim&e", "Show_Time"},
        {"S&how score", "Show_Score"},               {"Vertic&al scroll bar", "VertScrollBar"},
        {"P&iles size after the pointer", "ShowPilesSize"},
        {"Popup menu in main play a&rea", "Show_Main_PopUp_Menu"},
        {"Reveal a partially hidden card", "Show_Partial_Hidden_Card"}};
    for (const auto& [caption, key] : display)
        barLayout->addWidget(addSwitch(bar, QString::fromUtf8(caption), key,
                                       std::string(key) == "ToolBar_Large" ? "N" : "Y"));
    auto* right = new QGroupBox(QStringLiteral("Right click"), page);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->addWidget(addSwitch(right, QStringLiteral("&Move cards to the foundations"),
                                     "RightClick_To_Foundations", "Y"));
    rightLayout->addWidget(addSwitch(right, QStringLiteral("M&ove cards to the tableau piles"),
                                     "RightClick_To_Tableaus", "N"));
    auto* dbl = new QGroupBox(QStringLiteral("Double click"), page);
    auto* dblLayout = new QVBoxLayout(dbl);
    dblLayout->addWidget(addSwitch(dbl, QStringLiteral("Move cards to the fou&ndations"),
                                   "DoubleClick_To_Foundations", "Y"));
    dblLayout->addWidget(addSwitch(dbl, QStringLiteral("Move cards to the tablea&u piles"),
                                   "DoubleClick_To_Tableaus", "Y"));
    advanced_ = new QPushButton(QStringLiteral("A&dvanced..."), page);
    connect(advanced_, &QPushButton::clicked, this, &CustomiseDialog::openAdvanced);
    layout->addWidget(bar);
    layout->addWidget(right);
    layout->addWidget(dbl);
    layout->addWidget(advanced_, 0, Qt::AlignLeft);
    layout->addStretch(1);
    return page;
}

QWidget* CustomiseDialog::cardsPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    cardSets_ = new QListWidget(page);
    cardSets_->setObjectName(QStringLiteral("lstCards"));
    cardSets_->setIconSize(QSize(36, 48));
    const QString set = Q(GetSetting(ctx_.settings, field::kCardSet));
    const QString size = Q(GetSetting(ctx_.settings, field::kCardSize));
    const std::pair<char, const char*> sizes[] = {{'B', "large"}, {'M', "medium"}, {'L', "small"}};
    for (const auto& [letter, name] : sizes)
        for (int number : images_.FaceSets(letter)) {
            auto* item = new QListWidgetItem(
                QStringLiteral("Card set %1, %2 cards").arg(Three(number), QLatin1String(name)),
                cardSets_);
            item->setData(kCodeRole, number);
            item->setData(kSizeRole, QString(QLatin1Char(letter)));
            const QImage sheet = images_.LoadPicture(QStringLiteral("C%1%2H").arg(letter).arg(Three(number)));
            if (!sheet.isNull()) {
                // The Ace of the sheet, the first of five to a row.
                const int w = sheet.width() / 5, h = sheet.height() / 3;
                item->setIcon(QIcon(QPixmap::fromImage(sheet.copy(0, 0, w, h))));
            }
            if (set.toInt() == number && size == QLatin1Char(letter)) cardSets_->setCurrentItem(item);
        }
    layout->addWidget(new QLabel(QStringLiteral("Card set:"), page));
    layout->addWidget(cardSets_, 1);
    layout->addWidget(addSwitch(page, QStringLiteral("&Random cards"), "Random_Card", "N"));
    return page;
}

QWidget* CustomiseDialog::decksPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    backs_ = new QListWidget(page);
    backs_->setObjectName(QStringLiteral("lstDecks"));
    backs_->setViewMode(QListView::IconMode);
    backs_->setIconSize(QSize(71, 96));
    backs_->setResizeMode(QListView::Adjust);
    backs_->setMinimumSize(480, 300);
    const int back = std::atoi(GetSetting(ctx_.settings, field::kBackCard).c_str());
    for (int number : images_.Backs('B')) {
        auto* item = new QListWidgetItem(Three(number), backs_);
        item->setData(kCodeRole, number);
        item->setIcon(QIcon(QPixmap::fromImage(images_.LoadPicture(QStringLiteral("DB") + Three(number)))));
        if (number == back) backs_->setCurrentItem(item);
    }
    layout->addWidget(backs_, 1);
    layout->addWidget(addSwitch(page, QStringLiteral("Random &decks"), "Random_Deck", "N"));
    return page;
}

QWidget* CustomiseDialog::backgroundsPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    backgrounds_ = new QTreeWidget(page);
    backgrounds_->setObjectName(QStringLiteral("trvBackgrounds"));
    backgrounds_->setHeaderHidden(true);
    backgrounds_->setIconSize(QSize(32, 24));
    const auto entry = [](QTreeWidgetItem* parent, const QString& text, int code) {
        auto* item = new QTreeWidgetItem(parent, {text});
        item->setData(0, kCodeRole, code);
        return item;
    };
    auto* top = new QTreeWidgetItem(backgrounds_, {QStringLiteral("Default background")});
    top->setData(0, kCodeRole, 0);
    auto* pictures = new QTreeWidgetItem(backgrounds_, {QStringLiteral("Pictures")});
    pictures->setData(0, kCodeRole, -1);
    for (int number : images_.Backgrounds()) {
        if (number < background_code::kFirstPicture || number > background_code::kLastPicture)
            continue;
        QTreeWidgetItem* item = entry(pictures, QStringLiteral("Picture %1").arg(Three(number)), number);
        item->setIcon(0, QIcon(QPixmap::fromImage(
                             images_.LoadPicture(QStringLiteral("B") + Three(number)).copy(0, 0, 32, 24))));
    }
    auto* colours = new QTreeWidgetItem(backgrounds_, {QStringLiteral("Colors")});
    colours->setData(0, kCodeRole, -1);
    entry(colours, QStringLiteral("The color as set"), background_code::kColourAsSet);
    entry(colours, QStringLiteral("Choose a color..."), background_code::kFirstColour);
    for (std::size_t i = 0; i < std::size(kColours); ++i) {
        QTreeWidgetItem* item = entry(colours, QString::fromLatin1(kColours[i].name),
                                      background_code::kFirstColour + 1 + int(i));
        QPixmap swatch(32, 24);
        swatch.fill(QColor(kColours[i].red, kColours[i].green, kColours[i].blue));
        item->setIcon(0, QIcon(swatch));
    }
    customisedFolder_ = new QTreeWidgetItem(backgrounds_, {QStringLiteral("Customized backgrounds")});
    customisedFolder_->setData(0, kCodeRole, -1);
    fillCustomisedBackgrounds();
    backgrounds_->expandAll();
    selectBackground(CurrentBackgroundCode(ctx_), Q(read("Customized_Background", "")));
    connect(backgrounds_, &QTreeWidget::itemActivated, this, &CustomiseDialog::backgroundChosen);

    auto* add = new QPushButton(QStringLiteral("Add a customized background..."), page);
    auto* remove = new QPushButton(QStringLiteral("Delete a customized background"), page);
    connect(add, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getOpenFileName(
            this, QStringLiteral("Add a customized background"), QString(),
            QStringLiteral("Pictures (*.png *.jpg *.jpeg *.bmp *.gif);;All files (*)"));
        if (!file.isEmpty()) addCustomisedBackground(file);
    });
    connect(remove, &QPushButton::clicked, this, &CustomiseDialog::deleteCustomisedBackground);
    auto* row = new QHBoxLayout;
    row->addWidget(add);
    row->addWidget(remove);
    layout->addWidget(backgrounds_, 1);
    layout->addLayout(row);
    layout->addWidget(addSwitch(page, QStringLiteral("&Random backgrounds"), "Random_Background", "N"));
    layout->addWidget(addSwitch(page, QStringLiteral("&Fade background"), "Fade_Background", "Y"));
    return page;
}

void CustomiseDialog::fillCustomisedBackgrounds() {
    qDeleteAll(customisedFolder_->takeChildren());
    for (const std::string& file : CustomisedBackgrounds(ctx_)) {
        auto* item = new QTreeWidgetItem(customisedFolder_, {QFileInfo(Q(file)).fileName()});
        item->setToolTip(0, Q(file));
        item->setData(0, kCodeRole, background_code::kCustomised);
        item->setData(0, kFileRole, Q(file));
    }
}

bool CustomiseDialog::selectBackground(int code, const QString& file) {
    for (QTreeWidgetItemIterator it(backgrounds_); *it; ++it) {
        if ((*it)->data(0, kCodeRole).toInt() != code) continue;
        if (code == background_code::kCustomised && (*it)->data(0, kFileRole).toString() != file)
            continue;
        backgrounds_->setCurrentItem(*it);
        return true;
    }
    return false;
}

void CustomiseDialog::backgroundChosen(QTreeWidgetItem* item) {
    if (!item || item->data(0, kCodeRole).toInt() != background_code::kFirstColour) return;
    const QColor colour = QColorDialog::getColor(QColor(0, 96, 0), this);
    if (colour.isValid()) chosenColour_ = Pack(colour.red(), colour.green(), colour.blue());
}

bool CustomiseDialog::addCustomisedBackground(const QString& file) {
    QImageReader reader(file);
    if (!reader.canRead() || reader.read().isNull()) {
        QMessageBox::information(this, windowTitle(),
                                 QStringLiteral("This file is not a picture:\n%1").arg(file));
        return false;
    }
    // The file is kept as chosen; the table reads it from there.
    if (!AddCustomisedBackground(ctx_, file.toStdString())) return false;
    fillCustomisedBackgrounds();
    backgrounds_->expandItem(customisedFolder_);
    selectBackground(background_code::kCustomised, file);
    return true;
}

bool CustomiseDialog::deleteCustomisedBackground() {
    QTreeWidgetItem* item = backgrounds_->currentItem();
    if (!item || item->data(0, kCodeRole).toInt() != background_code::kCustomised) {
        QApplication::beep();
        return false;
    }
    if (QMessageBox::question(this, windowTitle(),
                              QStringLiteral("Are you sure you want to delete this background?"),
                              QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return false;
    const std::string file = item->data(0, kFileRole).toString().toStdString();
    RemoveCustomisedBackground(ctx_, file);
    // The table no longer shows a picture that left the list.
    if (read("Customized_Background", "") == file) {
        StoreBackgroundChoice(ctx_, 0, "", 0);
        if (applyLook_) applyLook_();
    }
    fillCustomisedBackgrounds();
    selectBackground(0);
    return true;
}

QWidget* CustomiseDialog::animationsPage() {
    auto* page = new QWidget;
    auto* layout = new QGridLayout(page);
    speed_ = new QSlider(Qt::Horizontal, page);
    speed_->setRange(1, 10);
    speed_->setValue(std::atoi(GetSetting(ctx_.settings, field::kSpeedMoveCard).c_str()));
    layout->addWidget(new QLabel(QStringLiteral("Card speed"), page), 0, 0);
    auto* speedRow = new QHBoxLayout;
    speedRow->addWidget(new QLabel(QStringLiteral("Slow"), page));
    speedRow->addWidget(speed_, 1);
    speedRow->addWidget(new QLabel(QStringLiteral("Fast"), page));
    layout->addLayout(speedRow, 0, 1);

    cursors_ = new QComboBox(page);
    cursors_->addItem(QStringLiteral("Standard arrow"), 10);
    // Cursors 10 to 15; each has its dragging twin ten places on.
    for (int slot = 1; slot < 6; ++slot)
        cursors_->addItem(QLatin1String(kCursorNames[slot]), 10 + slot);
    const int cursor = std::atoi(GetSetting(ctx_.settings, field::kCursor).c_str());
    cursors_->setCurrentIndex(std::max(0, cursors_->findData(cursor)));
    auto* cursorLabel = new QLabel(QStringLiteral("Mouse &pointer:"), page);
    cursorLabel->setBuddy(cursors_);
    layout->addWidget(cursorLabel, 1, 0);
    layout->addWidget(cursors_, 1, 1);

    int row = 2;
    const std::pair<const char*, const char*> switches[] = {
        {"&Automatic face-up tableau cards", "Automatic_FaceUp"},
        {"D&eal animation", "Deal_Animation"},
        {"&Redeal animation", "Redeal_Animation"},
        {"S&hadowed", "Cards_Shadowed"},
        {"&Irregular piles", "Piles_TT"},
        {"A&nimated", "Cards_Animate"}};
    for (const auto& [caption, key] : switches)
        layout->addWidget(addSwitch(page, QString::fromUtf8(caption), key, "Y"), row++, 0, 1, 2);

    winningAnimation_ = new QComboBox(page);
    winningAnimation_->addItem(QString::fromUtf8(kRandomWinPattern.data(), int(kRandomWinPattern.size())));
    for (std::string_view name : kWinPatternNames)
        winningAnimation_->addItem(QString::fromUtf8(name.data(), int(name.size())));
    const int chosen = winningAnimation_->findText(Q(read("Winning_Animations", "(Random)")));
    winningAnimation_->setCurrentIndex(std::max(0, chosen));
    layout->addWidget(new QLabel(QStringLiteral("Winning animation:"), page), row, 0);
    layout->addWidget(winningAnimation_, row++, 1);
    winningTime_ = new QLineEdit(page);
    winningTime_->setText(QString::number(WinningAnimationSeconds(read("Winning_Animations_Time", "30"))));
    auto* timeLabel = new QLabel(QStringLiteral("&Time:"), page);
    timeLabel->setBuddy(winningTime_);
    auto* timeRow = new QHBoxLayout;
    timeRow->addWidget(winningTime_);
    timeRow->addWidget(new QLabel(QStringLiteral("seconds"), page));
    layout->addWidget(timeLabel, row, 0);
    layout->addLayout(timeRow, row++, 1);
    layout->setRowStretch(row, 1);
    return page;
}

QWidget* CustomiseDialog::soundsPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(addSwitch(page, QStringLiteral("&Disable all sounds"), "Sounds_Enabled", "Y",
                                true));
    soundEvents_ = new QListWidget(page);
    soundEvents_->setObjectName(QStringLiteral("trvSounds"));
    for (const SoundEvent& event : kSoundEvents) {
        auto* item = new QListWidgetItem(QString::fromLatin1(event.caption), soundEvents_);
        item->setData(kFileRole, QString::fromLatin1(event.key));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(read(event.key, "Y") == "N" ? Qt::Unchecked : Qt::Checked);
    }
    auto* enable = new QPushButton(QStringLiteral("E&nable this sound"), page);
    auto* disable = new QPushButton(QStringLiteral("D&isable this sound"), page);
    for (auto [button, state] : {std::pair{enable, Qt::Checked}, std::pair{disable, Qt::Unchecked}})
        connect(button, &QPushButton::clicked, this, [this, state = state] {
            if (QListWidgetItem* item = soundEvents_->currentItem()) item->setCheckState(state);
        });
    auto* row = new QHBoxLayout;
    row->addWidget(enable);
    row->addWidget(disable);
    layout->addWidget(soundEvents_, 1);
    layout->addLayout(row);
    return page;
}

void CustomiseDialog::openAdvanced() {
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("frmOptionsAdvanced"));
    dialog.setWindowTitle(QStringLiteral("Advanced options"));
    auto* tabs = new QTabWidget(&dialog);
    const auto value = [this](const char* key) { return advancedValues_[key]; };

    auto* undoPage = new QWidget;
    auto* undoLayout = new QVBoxLayout(undoPage);
    auto* undoGroup = new QButtonGroup(&dialog);
    const char* undoCaptions[] = {"U&nlimited levels", "Only one &undo/redo", "Di&sable"};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(QString::fromUtf8(undoCaptions[i]), undoPage);
        radio->setChecked(value("Undo_Enabled") == std::to_string(i));
        undoGroup->addButton(radio, i);
        undoLayout->addWidget(radio);
    }
    undoLayout->addStretch(1);
    tabs->addTab(undoPage, QStringLiteral("&Undo and Redo"));

    auto* boxPage = new QWidget;
    auto* boxLayout = new QVBoxLayout(boxPage);
    std::vector<std::pair<QCheckBox*, const char*>> checks;
    const auto check = [&](QWidget* parent, QVBoxLayout* into, const char* caption, const char* key) {
        auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
        box->setChecked(value(key) == "Y");
        into->addWidget(box);
        checks.emplace_back(box, key);
    };
    check(boxPage, boxLayout, "Confirm on e&xit", "ConfirmQuit");
    check(boxPage, boxLayout, "C&onfirm quit game", "ConfirmQuitGame");
    check(boxPage, boxLayout, "Enter &Hi-Scores", "ConfirmEnterHiScores");
    check(boxPage, boxLayout, "Sho&w the Tip of the Day at startup", "Tips_StartUp");
    boxLayout->addStretch(1);
    tabs->addTab(boxPage, QStringLiteral("&Dialog box"));

    auto* lightPage = new QWidget;
    auto* lightLayout = new QGridLayout(lightPage);
    auto* mark = new QComboBox(lightPage);
    for (const char* name : kHighlightMarks)
        mark->addItem(QString::fromLatin1(name));
    mark->setCurrentIndex(std::clamp(std::atoi(value("HighLights_Foundations_Mark").c_str()), 0, 5));
    auto* colour = new QComboBox(lightPage);
    for (const char* name : kHighlightColours)
        colour->addItem(QString::fromLatin1(name));
    colour->setCurrentIndex(std::clamp(std::atoi(value("HighLights_Foundations_Color").c_str()), 0, 14));
    auto* markLabel = new QLabel(QStringLiteral("&Mark:"), lightPage);
    markLabel->setBuddy(mark);
    auto* colourLabel = new QLabel(QStringLiteral("&Color: "), lightPage);
    colourLabel->setBuddy(colour);
    lightLayout->addWidget(markLabel, 0, 0);
    lightLayout->addWidget(mark, 0, 1);
    lightLayout->addWidget(colourLabel, 1, 0);
    lightLayout->addWidget(colour, 1, 1);
    lightLayout->setRowStretch(2, 1);
    tabs->addTab(lightPage, QStringLiteral("H&ighlights"));

    auto* autoPage = new QWidget;
    auto* autoLayout = new QVBoxLayout(autoPage);
    auto* autoGroup = new QButtonGroup(&dialog);
    auto* all = new QRadioButton(QStringLiteral("\"On/Off\" in all solitaire games"), autoPage);
    auto* each = new QRadioButton(QStringLiteral("Customize \"On/Off\" for each solitaire game"), autoPage);
    autoGroup->addButton(all, 1);
    autoGroup->addButton(each, 2);
    (value("AutoPlay_All_Games") == "2" ? each : all)->setChecked(true);
    autoLayout->addWidget(all);
    autoLayout->addWidget(each);
    // The game on the table keeps its own switch in the per-game list.
    const std::string game = GetSetting(ctx_.settings, field::kGameNumber);
    auto* thisGame = new QCheckBox(QStringLiteral("Autoplay o&n for %1")
                                       .arg(game.empty() ? QStringLiteral("the current game")
                                                         : Q(GetSetting(ctx_.settings, field::kGameName))),
                                   autoPage);
    thisGame->setObjectName(QStringLiteral("chkGameAutoplay"));
    thisGame->setChecked(game.empty() || AutoplayWanted(ctx_, std::atoi(game.c_str())));
    thisGame->setEnabled(!game.empty() && each->isChecked());
    connect(each, &QRadioButton::toggled, thisGame,
            [thisGame, game](bool on) { thisGame->setEnabled(on && !game.empty()); });
    autoLayout->addWidget(thisGame);
    autoLayout->addStretch(1);
    tabs->addTab(autoPage, QStringLiteral("&Autoplay"));

    auto* holdPage = new QWidget;
    auto* holdLayout = new QVBoxLayout(holdPage);
    auto* holdGroup = new QButtonGroup(&dialog);
    auto* ask = new QRadioButton(QStringLiteral("&Display a message for any unfinished games"), holdPage);
    auto* never = new QRadioButton(QStringLiteral("&Never display a message and:"), holdPage);
    holdGroup->addButton(ask, 0);
    holdGroup->addButton(never, 1);
    (value("ConfirmSaveAndExit") == "Y" ? ask : never)->setChecked(true);
    auto* typeGroup = new QButtonGroup(&dialog);
    auto* abandon = new QRadioButton(QStringLiteral("abandon the game (1 loss)"), holdPage);
    auto* later = new QRadioButton(QStringLiteral("finish the game later (no loss)"), holdPage);
    typeGroup->addButton(abandon, 0);
    typeGroup->addButton(later, 1);
    (value("ConfirmSaveAndExitType") == "1" ? later : abandon)->setChecked(true);
    for (QWidget* w : {static_cast<QWidget*>(ask), static_cast<QWidget*>(never),
                       static_cast<QWidget*>(abandon), static_cast<QWidget*>(later)})
        holdLayout->addWidget(w);
    holdLayout->addStretch(1);
    tabs->addTab(holdPage, QStringLiteral("&Hold and exit"));

    auto* statsPage = new QWidget;
    auto* statsLayout = new QVBoxLayout(statsPage);
    check(statsPage, statsLayout, "&Disable all statistics", "Disable_Statistics");
    statsLayout->addStretch(1);
    tabs->addTab(statsPage, QStringLiteral("&Statistics"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted) return;
    advancedValues_["Undo_Enabled"] = std::to_string(std::max(0, undoGroup->checkedId()));
    for (const auto& [box, key] : checks)
        advancedValues_[key] = box->isChecked() ? "Y" : "N";
    advancedValues_["HighLights_Foundations_Mark"] = std::to_string(mark->currentIndex());
    advancedValues_["HighLights_Foundations_Color"] = std::to_string(colour->currentIndex());
    advancedValues_["AutoPlay_All_Games"] = std::to_string(autoGroup->checkedId());
    advancedValues_["ConfirmSaveAndExit"] = ask->isChecked() ? "Y" : "N";
    advancedValues_["ConfirmSaveAndExitType"] = std::to_string(typeGroup->checkedId());
    if (thisGame->isEnabled()) gameAutoplay_ = thisGame->isChecked() ? 1 : 0;
}

void CustomiseDialog::store() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (const Switch& s : switches_)
        StorePreference(ctx_, s.key, s.box->isChecked() != s.inverted ? "Y" : "N");
    if (QListWidgetItem* set = cardSets_->currentItem()) {
        StorePreference(ctx_, "Card", std::to_string(set->data(kCodeRole).toInt()));
        StorePreference(ctx_, "Card_Size", set->data(kSizeRole).toString().toStdString());
    }
    if (QListWidgetItem* back = backs_->currentItem())
        StorePreference(ctx_, "Back_Card", std::to_string(back->data(kCodeRole).toInt()));
    if (QTreeWidgetItem* item = backgrounds_->currentItem()) {
        const int code = item->data(0, kCodeRole).toInt();
        long long colour = chosenColour_;
        const int named = code - background_code::kFirstColour - 1;
        if (named >= 0 && named < int(std::size(kColours)))
            colour = Pack(kColours[named].red, kColours[named].green, kColours[named].blue);
        if (code == background_code::kFirstColour && colour == 0)
            colour = Pack(0, 96, 0);
        if (code != -1)
            StoreBackgroundChoice(ctx_, code, item->data(0, kFileRole).toString().toStdString(),
                                  colour);
    }
    StorePreference(ctx_, "Speed_Move_Card", std::to_string(speed_->value()));
    StorePreference(ctx_, "Cursor", std::to_string(cursors_->currentData().toInt()));
    StorePreference(ctx_, "Winning_Animations", winningAnimation_->currentText().toStdString());
    const int seconds = WinningAnimationSeconds(winningTime_->text().toStdString());
    winningTime_->setText(QString::number(seconds));
    StorePreference(ctx_, "Winning_Animations_Time", std::to_string(seconds));
    for (int i = 0; i < soundEvents_->count(); ++i) {
        const QListWidgetItem* item = soundEvents_->item(i);
        StorePreference(ctx_, item->data(kFileRole).toString().toStdString(),
                        item->checkState() == Qt::Checked ? "Y" : "N");
    }
    for (const auto& [key, value] : advancedValues_)
        StorePreference(ctx_, key, value);
    const std::string game = GetSetting(ctx_.settings, field::kGameNumber);
    if (gameAutoplay_ >= 0 && !game.empty())
        StoreAutoplay(ctx_, std::atoi(game.c_str()), gameAutoplay_ == 1);
    QApplication::restoreOverrideCursor();
    if (applyLook_) applyLook_();
}

void CustomiseDialog::accept() {
    store();
    QDialog::accept();
}

} // namespace quendra
