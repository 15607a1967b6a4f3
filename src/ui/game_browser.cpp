#include "game_browser.h"
#include "comment_mark.h"
#include "comments.h"

#include "game_catalog.h"
#include "help_windows.h"
#include "images_module.h"
#include "settings.h"
#include "statistics.h"

#include <algorithm>
#include <cstdlib>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quendra {

namespace {

constexpr int kCodeRole = Qt::UserRole;
constexpr int kFolderIconRole = Qt::UserRole + 1;
constexpr QSize kPreviewSize(176, 124);

const QString kProduct = QStringLiteral("Quendra 2000");

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

int CodeOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, kCodeRole).toInt() : browser::kPlaceholder;
}

bool HoldsPlaceholder(const QTreeWidgetItem* folder) {
    return folder->childCount() > 0 && CodeOf(folder->child(0)) == browser::kPlaceholder;
}

} // namespace

GameBrowser::GameBrowser(GameContext& ctx, const ImagesModule& images, QWidget* parent)
    : QDialog(parent), ctx_(ctx), images_(images), sorted_(browser::SortedCatalogue(ctx)) {
    setObjectName(QStringLiteral("gameBrowser"));
    setWindowTitle(QStringLiteral("Open a game"));

    tree_ = new QTreeWidget(this);
    tree_->setHeaderHidden(true);
    tree_->setMinimumWidth(280);
    tree_->setIconSize(QSize(16, 16));
    // Games with comments carry the comment mark after their name.
    tree_->setItemDelegate(new CommentMarkDelegate(
        QPixmap::fromImage(images_.LoadPicture(QStringLiteral("COMMENT_YES"), devicePixelRatioF())),
        tree_));
    tree_->setExpandsOnDoubleClick(true);

    name_ = new QLabel(this);
    QFont big = name_->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    name_->setFont(big);
    name_->setWordWrap(true);

    // The description of a game, or the general text while a folder is selected.
    gamePanel_ = new QWidget(this);
    auto* grid = new QGridLayout(gamePanel_);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(8);
    int line = 0;
    auto addRow = [&](Row& row, const char* label, bool withPicture) {
        auto* caption = new QLabel(QString::fromUtf8(label), gamePanel_);
        caption->setStyleSheet(QStringLiteral("color: palette(dark);"));
        row.text = new QLabel(gamePanel_);
        row.text->setWordWrap(true);
        grid->addWidget(caption, line, 0, Qt::AlignTop);
        if (withPicture) {
            row.picture = new QLabel(gamePanel_);
            row.picture->setFixedSize(32, 16);
            grid->addWidget(row.picture, line, 1, Qt::AlignTop);
        }
        grid->addWidget(row.text, line, 2, Qt::AlignTop);
        ++line;
    };
    addRow(objective_, "Objective:", false);
    addRow(decks_, "Decks:", false);
    addRow(redeals_, "Redeals:", false);
    addRow(duration_, "Game time:", true);
    addRow(difficulty_, "Difficulty:", true);
    addRow(skill_, "Skill:", true);
    addRow(chance_, "Chance of winning:", true);
    grid->setColumnStretch(2, 1);

    folderPanel_ =
        new QLabel(QStringLiteral("Open a folder and select a game to read its description.\n\n"
                                  "Double-click a game, or select it and press OK, to play it."),
                   this);
    folderPanel_->setWordWrap(true);
    folderPanel_->setAlignment(Qt::AlignTop | Qt::AlignLeft);

    preview_ = new QLabel(this);
    preview_->setFixedSize(kPreviewSize);
    preview_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    preview_->setFrameShape(QFrame::StyledPanel);
    previewBox_ = new QCheckBox(QStringLiteral("&Preview"), this);
    previewBox_->setChecked(ReadPreference(ctx_, "Open_Preview_Game", "Y") != "N");

    players_ = new QComboBox(this);
    const std::string current = GetSetting(ctx_.settings, field::kUserDefault);
    for (const std::string& player : ReadPlayerNames(ctx_))
        players_->addItem(Q(player));
    if (!current.empty() && players_->findText(Q(current)) < 0) players_->addItem(Q(current));
    players_->setCurrentIndex(std::max(0, players_->findText(Q(current))));

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    openSaved_ = new QPushButton(QStringLiteral("Open a sa&ved game..."), this);
    rules_ = new QPushButton(QStringLiteral("Rules"), this);
    statistics_ = new QPushButton(QStringLiteral("Statistics"), this);
    demo_ = new QPushButton(QStringLiteral("Demo"), this);
    // Saved games open, and statistics show, once the window says how.
    openSaved_->setEnabled(false);
    statistics_->setEnabled(false);
    demo_->setEnabled(false);
    demo_->setToolTip(QStringLiteral("Watch the selected game play itself"));

    auto* description = new QGroupBox(QStringLiteral("Description"), this);
    auto* descriptionLayout = new QVBoxLayout(description);
    descriptionLayout->addWidget(name_);
    descriptionLayout->addWidget(gamePanel_);
    descriptionLayout->addWidget(folderPanel_);
    descriptionLayout->addStretch(1);
    auto* previewRow = new QHBoxLayout;
    previewRow->addStretch(1);
    previewRow->addWidget(preview_);
    previewRow->addStretch(1);
    descriptionLayout->addLayout(previewRow);
    descriptionLayout->addWidget(previewBox_, 0, Qt::AlignHCenter);

    auto* playerRow = new QHBoxLayout;
    auto* playerLabel = new QLabel(QStringLiteral("Player:"), this);
    playerLabel->setBuddy(players_);
    playerRow->addWidget(playerLabel);
    playerRow->addWidget(players_, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(description, 1);
    right->addLayout(playerRow);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {ok_, cancel})
        buttons->addWidget(button);
    buttons->addSpacing(12);
    for (QPushButton* button : {rules_, statistics_, demo_})
        buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(openSaved_);

    auto* main = new QHBoxLayout(this);
    main->addWidget(tree_, 1);
    main->addLayout(right, 1);
    main->addLayout(buttons);
    resize(820, 500);

    connect(ok_, &QPushButton::clicked, this, &GameBrowser::accept);
    connect(demo_, &QPushButton::clicked, this, [this] {
        // Started as OK starts it, then shown by the tutor.
        demoRequested_ = true;
        accept();
        if (result() != QDialog::Accepted) demoRequested_ = false;
    });
    connect(cancel, &QPushButton::clicked, this, &GameBrowser::reject);
    connect(rules_, &QPushButton::clicked, this, &GameBrowser::showRules);
    connect(statistics_, &QPushButton::clicked, this, &GameBrowser::showStatistics);
    connect(openSaved_, &QPushButton::clicked, this, [this] {
        if (!openSavedGame_ || !openSavedGame_()) return;
        savedGameOpened_ = true;
        QDialog::accept();
    });
    connect(tree_, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        // An open folder shows the open picture: the closed one's name ending in "2".
        const QString closed = item->data(0, kFolderIconRole).toString();
        if (closed.endsWith(QLatin1Char('1')))
            item->setIcon(0, iconFor((closed.chopped(1) + QLatin1Char('2')).toStdString()));
        fillFolder(item);
    });
    connect(tree_, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
        const QString closed = item->data(0, kFolderIconRole).toString();
        if (!closed.isEmpty()) item->setIcon(0, folderIcon(closed.toLatin1().constData()));
    });
    connect(tree_, &QTreeWidget::currentItemChanged, this, &GameBrowser::selectionChanged);
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, &GameBrowser::itemDoubleClicked);
    connect(previewBox_, &QCheckBox::toggled, this, &GameBrowser::selectionChanged);

    QApplication::setOverrideCursor(Qt::WaitCursor);
    iconColours_ = std::clamp(ReadSettingInt(ctx_, "Preference", "Game_Tree_Colors", 0), 0, 2);
    buildTree();
    preselect();
    selectionChanged();
    QApplication::restoreOverrideCursor();
    tree_->setFocus();
}

QIcon GameBrowser::iconFor(const std::string& name) const {
    const QImage picture = images_.LoadPicture(Q(name), devicePixelRatioF());
    return picture.isNull() ? QIcon() : QIcon(QPixmap::fromImage(picture));
}

QIcon GameBrowser::folderIcon(const char* closedName) const {
    return iconFor(closedName);
}

void GameBrowser::buildTree() {
    QHash<int, QTreeWidgetItem*> byCode;
    for (const browser::FixedNode& node : browser::FixedTree()) {
        QTreeWidgetItem* parent = byCode.value(node.parent, nullptr);
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
        item->setText(0, QString::fromUtf8(node.text));
        item->setData(0, kCodeRole, node.code);
        item->setData(0, kFolderIconRole, QString::fromLatin1(node.icon));
        item->setIcon(0, folderIcon(node.icon));
        // A folder shows its expand mark only when it holds something to open.
        if (node.listsGames && !browser::FolderEntries(ctx_, sorted_, node.code).empty()) {
            auto* placeholder = new QTreeWidgetItem(item);
            placeholder->setData(0, kCodeRole, browser::kPlaceholder);
        }
        byCode.insert(node.code, item);
    }
}

QTreeWidgetItem* GameBrowser::findItem(int code) const {
    for (QTreeWidgetItemIterator it(tree_); *it; ++it)
        if (CodeOf(*it) == code && (*it)->parent() != nullptr) return *it;
    for (QTreeWidgetItemIterator it(tree_); *it; ++it)
        if (CodeOf(*it) == code) return *it;
    return nullptr;
}

void GameBrowser::fillFolder(QTreeWidgetItem* folder) {
    if (!folder || CodeOf(folder) >= 0 || !HoldsPlaceholder(folder)) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    delete folder->takeChild(0);
    QTreeWidgetItem* toSelect = nullptr;
    for (const browser::Entry& entry : browser::FolderEntries(ctx_, sorted_, CodeOf(folder))) {
        auto* item = new QTreeWidgetItem(folder);
        item->setText(0, Q(entry.name));
        item->setData(0, kCodeRole, entry.number);
        if (entry.number >= 0) {
            item->setIcon(0, iconFor(iconNameOf(entry.number).toStdString()));
            item->setData(0, kHasCommentsRole, HasComments(ctx_, entry.name));
            if (entry.number == preselectGame_) toSelect = item;
        }
    }
    QApplication::restoreOverrideCursor();
    if (toSelect) {
        tree_->setCurrentItem(toSelect);
        tree_->scrollToItem(toSelect);
    }
}

void GameBrowser::preselect() {
    int folderCode = GameTreeNum(ctx_);
    const std::string stored = GetSetting(ctx_.settings, field::kGameNumber);
    preselectGame_ = stored.empty() ? -1 : std::atoi(stored.c_str());
    auto open = [this](int code) {
        QTreeWidgetItem* folder = findItem(code);
        if (!folder) return;
        for (QTreeWidgetItem* up = folder->parent(); up; up = up->parent())
            up->setExpanded(true);
        folder->setExpanded(true); // fills it, selecting the current game
    };
    if (folderCode < 0 && folderCode != browser::kPlaceholder) open(folderCode);
    if (preselectGame_ >= 8000 && CodeOf(tree_->currentItem()) != preselectGame_)
        open(browser::kCustomGames);
    if (!tree_->currentItem()) tree_->setCurrentItem(tree_->topLevelItem(0));
    preselectGame_ = -1; // remembered for this opening only
}

int GameBrowser::selectedCode() const {
    return CodeOf(tree_->currentItem());
}

void GameBrowser::selectionChanged() {
    QTreeWidgetItem* item = tree_->currentItem();
    if (item && CodeOf(item) < 0) fillFolder(item);
    const int code = selectedCode();
    const bool game = code >= 0;
    ok_->setEnabled(game);
    demo_->setEnabled(false);
    rules_->setEnabled(game);
    statistics_->setEnabled(game && showStatistics_);
    previewBox_->setEnabled(game);
    gamePanel_->setVisible(game);
    folderPanel_->setVisible(!game);
    if (!game) {
        name_->setText(item ? item->text(0) : QString());
        showPreview(-1);
        return;
    }
    name_->setText(item->text(0));
    const browser::Description d = browser::Describe(ctx_, code);
    demo_->setEnabled(d.tutor);
    auto show = [this](Row& row, const std::string& text, const std::string& picture) {
        row.text->setText(Q(text));
        if (row.picture)
            row.picture->setPixmap(picture.empty() ? QPixmap()
                                                   : QPixmap::fromImage(images_.LoadPicture(
                                                         Q(picture), devicePixelRatioF())));
    };
    show(objective_, d.objective, {});
    show(decks_, d.decks, {});
    show(redeals_, d.redeals, {});
    show(duration_, d.duration, d.durationPicture);
    show(difficulty_, d.difficulty, d.difficultyPicture);
    show(skill_, d.skill, d.skillPicture);
    show(chance_, d.chance, d.chancePicture);
    const int base = code >= 8000 ? CustomGameBase(ctx_, code).base : code;
    showPreview(base);
}

void GameBrowser::showPreview(int number) {
    QPixmap area(kPreviewSize * devicePixelRatioF());
    area.setDevicePixelRatio(devicePixelRatioF());
    area.fill(palette().color(QPalette::Window));
    if (number >= 0 && previewBox_->isChecked()) {
        const QImage picture =
            images_.LoadPicture(QStringLiteral("GAME%1").arg(number, 4, 10, QLatin1Char('0')));
        if (!picture.isNull()) {
            QPainter painter(&area);
            const int x = (kPreviewSize.width() - picture.width()) / 2;
            painter.drawImage(QPoint(std::max(0, x), 4), picture);
        }
    }
    preview_->setPixmap(area);
}

void GameBrowser::itemDoubleClicked(QTreeWidgetItem* item) {
    const int code = CodeOf(item);
    if (code >= 0) {
        accept();
    } else if (code == browser::kCustomGames || code == browser::kNoCustomGames) {
        QMessageBox::information(
            this, kProduct,
            QStringLiteral("To customize a game:\nselect the game you want to customize,\nthen "
                           "choose the \"Customize rules\" option from the Tools menu (or press "
                           "Ctrl+R)."));
    }
}

std::string GameBrowser::chosenPlayer() const {
    return players_->currentText().toStdString();
}

void GameBrowser::accept() {
    const int code = selectedCode();
    if (code < 0) {
        QMessageBox::information(this, kProduct, QStringLiteral("Open a game"));
        tree_->setFocus();
        return;
    }
    if (!CanPlayOnThisScreen(ctx_, code)) return;
    const QTreeWidgetItem* item = tree_->currentItem();
    chosenGame_ = code;
    chosenName_ = GameName(ctx_, code);
    if (chosenName_.empty()) chosenName_ = item->text(0).toStdString();
    WriteSettingInt(ctx_, "Preference", "Game", code);
    WriteSettingString(ctx_, "Preference", "Game_Name", chosenName_);
    SetGameTreeNum(ctx_, item->parent() ? CodeOf(item->parent()) : browser::kAllGames);
    WriteSettingString(ctx_, "Preference", "Open_Preview_Game",
                       previewBox_->isChecked() ? "Y" : "N");
    QDialog::accept();
}

void GameBrowser::setShowStatistics(std::function<void(int, const std::string&)> show) {
    showStatistics_ = std::move(show);
    statistics_->setEnabled(showStatistics_ && selectedCode() >= 0);
}

void GameBrowser::showStatistics() {
    const int game = selectedCode();
    if (game < 0 || !showStatistics_) return;
    showStatistics_(game, chosenPlayer());
}

void GameBrowser::setDeleteGame(std::function<bool(int)> remove) {
    deleteGame_ = std::move(remove);
}

void GameBrowser::setEditFavourites(std::function<void()> edit) {
    editFavourites_ = std::move(edit);
}

void GameBrowser::rebuildTree() {
    QTreeWidgetItem* current = tree_->currentItem();
    QTreeWidgetItem* folder = current && CodeOf(current) >= 0 ? current->parent() : current;
    const int folderCode = folder ? CodeOf(folder) : browser::kPlaceholder;
    const int game = selectedCode();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    sorted_ = browser::SortedCatalogue(ctx_);
    tree_->clear();
    buildTree();
    preselectGame_ = game;
    if (QTreeWidgetItem* again = folderCode == browser::kPlaceholder ? nullptr : findItem(folderCode)) {
        for (QTreeWidgetItem* up = again->parent(); up; up = up->parent())
            up->setExpanded(true);
        again->setExpanded(true);
        if (!tree_->currentItem()) tree_->setCurrentItem(again);
    }
    preselectGame_ = -1;
    if (!tree_->currentItem()) tree_->setCurrentItem(tree_->topLevelItem(0));
    QApplication::restoreOverrideCursor();
    selectionChanged();
}

void GameBrowser::setIconColours(int colours) {
    iconColours_ = std::clamp(colours, 0, 2);
    WriteSettingInt(ctx_, "Preference", "Game_Tree_Colors", iconColours_);
    rebuildTree();
}

QString GameBrowser::iconNameOf(int code) const {
    const int type = GameType(ctx_, code);
    std::string variant;
    if (iconColours_ > 0) {
        const GamePlayed played = GamePlayState(ctx_, code);
        if (played == GamePlayed::Won)
            variant = "_WIN";
        else if (iconColours_ == 2)
            variant = "_NOWIN";
    }
    return Q(browser::TypeIconName(type, variant));
}

void GameBrowser::setOpenSavedGame(std::function<bool()> open) {
    openSavedGame_ = std::move(open);
    openSaved_->setEnabled(static_cast<bool>(openSavedGame_));
}

void GameBrowser::showRules() {
    const int code = selectedCode();
    if (code < 0) {
        QMessageBox::information(this, kProduct, QStringLiteral("Select a game"));
        return;
    }
    const int base = code >= 8000 ? CustomGameBase(ctx_, code).base : code;
    // A window of the browser's own: usable while the browser is open, closed with it.
    ShowRulesWindow(this, GameName(ctx_, code),
                    ReadRulesText(RulesFilePath(ctx_), base));
}

QString GameBrowser::descriptionText(const QString& field) const {
    if (field == QLatin1String("name")) return name_->text();
    const std::pair<const char*, const Row*> rows[] = {
        {"objective", &objective_}, {"decks", &decks_},           {"redeals", &redeals_},
        {"duration", &duration_},   {"difficulty", &difficulty_}, {"skill", &skill_},
        {"chance", &chance_}};
    for (const auto& [key, row] : rows)
        if (field == QLatin1String(key)) return row->text->text();
    return {};
}

void GameBrowser::contextMenuEvent(QContextMenuEvent* event) {
    if (!tree_->geometry().contains(event->pos())) return;
    QMenu menu(this);
    const bool game = selectedCode() >= 0;
    QAction* rules = menu.addAction(QStringLiteral("&Rules"), this, &GameBrowser::showRules);
    rules->setEnabled(game);
    QAction* statistics =
        menu.addAction(QStringLiteral("Statistics..."), this, &GameBrowser::showStatistics);
    statistics->setEnabled(game && showStatistics_);
    QAction* favourites = menu.addAction(QStringLiteral("Favorite games..."), this, [this] {
        editFavourites_();
        rebuildTree();
    });
    favourites->setEnabled(static_cast<bool>(editFavourites_));
    const int code = selectedCode();
    QAction* remove = menu.addAction(QStringLiteral("Delete"), this, [this, code] {
        if (deleteGame_(code)) rebuildTree();
    });
    remove->setEnabled(code >= kFirstCustomGame && static_cast<bool>(deleteGame_));
    QMenu* colours = menu.addMenu(QStringLiteral("Color icons"));
    const QString names[] = {QStringLiteral("All Blue"), QStringLiteral("Green (if win)"),
                             QStringLiteral("Red (if not win)")};
    for (int i = 0; i < 3; ++i) {
        QAction* choice = colours->addAction(names[i], this, [this, i] { setIconColours(i); });
        choice->setCheckable(true);
        choice->setChecked(iconColours_ == i);
    }
    menu.exec(event->globalPos());
}

} // namespace quendra
