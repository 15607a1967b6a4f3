#include "series_dialogs.h"

#include "browser_catalogue.h"
#include "game_catalog.h"
#include "hiscores_dialog.h"
#include "players.h"
#include "settings.h"
#include "statistics.h"
#include "statistics_parts.h"

#include <cstdlib>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMoveEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quendra {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

constexpr int kAddNewSeries = 0;
constexpr int kNumberRole = Qt::UserRole;
constexpr int kFolderRole = Qt::UserRole + 1;

} // namespace

// "New Series" / "Edit Series".

SeriesEditDialog::SeriesEditDialog(GameContext& ctx, int number, QWidget* parent)
    : QDialog(parent), ctx_(ctx), number_(number) {
    setObjectName(QStringLiteral("seriesEditDialog"));
    setWindowTitle(number_ == 0 ? QStringLiteral("New Series") : QStringLiteral("Edit Series"));
    name_ = new QLineEdit(this);
    name_->setMaxLength(static_cast<int>(kSeriesNameWidth));
    auto* nameLabel = new QLabel(QStringLiteral("Series &name:"), this);
    nameLabel->setBuddy(name_);

    catalogue_ = new QListWidget(this);
    catalogue_->setObjectName(QStringLiteral("catalogue"));
    catalogue_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (const browser::Entry& entry : browser::SortedCatalogue(ctx_)) {
        auto* item = new QListWidgetItem(Q(entry.name), catalogue_);
        item->setData(kNumberRole, entry.number);
    }
    chosen_ = new QListWidget(this);
    chosen_->setObjectName(QStringLiteral("chosen"));
    auto* gamesLabel = new QLabel(QStringLiteral("&Games:"), this);
    gamesLabel->setBuddy(catalogue_);
    auto* chosenLabel = new QLabel(QStringLiteral("Games of the series, in &order:"), this);
    chosenLabel->setBuddy(chosen_);

    if (number_ != 0) {
        name_->setText(Q(SeriesName(ctx_, number_)));
        for (int game : SeriesGames(ctx_, number_)) {
            auto* item = new QListWidgetItem(Q(GameName(ctx_, game)), chosen_);
            item->setData(kNumberRole, game);
        }
    }

    auto* add = new QPushButton(QStringLiteral("&Add >"), this);
    auto* remove = new QPushButton(QStringLiteral("< &Remove"), this);
    auto* up = new QPushButton(QStringLiteral("Move &up"), this);
    auto* down = new QPushButton(QStringLiteral("Move &down"), this);
    auto* middle = new QVBoxLayout;
    middle->addStretch(1);
    for (QPushButton* button : {add, remove, up, down})
        middle->addWidget(button);
    middle->addStretch(1);

    auto* lists = new QGridLayout;
    lists->addWidget(gamesLabel, 0, 0);
    lists->addWidget(chosenLabel, 0, 2);
    lists->addWidget(catalogue_, 1, 0);
    lists->addLayout(middle, 1, 1);
    lists->addWidget(chosen_, 1, 2);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(name_, 1);
    layout->addLayout(nameRow);
    layout->addLayout(lists, 1);
    layout->addWidget(buttons);
    resize(620, 460);

    connect(add, &QPushButton::clicked, this, &SeriesEditDialog::addSelected);
    connect(remove, &QPushButton::clicked, this, &SeriesEditDialog::removeSelected);
    connect(up, &QPushButton::clicked, this, [this] { moveSelected(-1); });
    connect(down, &QPushButton::clicked, this, [this] { moveSelected(1); });
    connect(catalogue_, &QListWidget::itemDoubleClicked, this, &SeriesEditDialog::addSelected);
    connect(chosen_, &QListWidget::itemDoubleClicked, this, &SeriesEditDialog::removeSelected);
    connect(buttons, &QDialogButtonBox::accepted, this, &SeriesEditDialog::save);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void SeriesEditDialog::addSelected() {
    for (QListWidgetItem* item : catalogue_->selectedItems()) {
        auto* copy = new QListWidgetItem(item->text(), chosen_);
        copy->setData(kNumberRole, item->data(kNumberRole));
    }
}

void SeriesEditDialog::removeSelected() {
    const int row = chosen_->currentRow();
    if (row < 0) return;
    delete chosen_->takeItem(row);
}

void SeriesEditDialog::moveSelected(int by) {
    const int row = chosen_->currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= chosen_->count()) return;
    QListWidgetItem* item = chosen_->takeItem(row);
    chosen_->insertItem(to, item);
    chosen_->setCurrentRow(to);
}

void SeriesEditDialog::save() {
    std::vector<int> games;
    for (int row = 0; row < chosen_->count(); ++row)
        games.push_back(chosen_->item(row)->data(kNumberRole).toInt());
    const std::optional<int> saved =
        SaveUserSeries(ctx_, number_, name_->text().toStdString(), games);
    if (!saved) {
        name_->setFocus();
        return;
    }
    saved_ = *saved;
    accept();
}

// The Series Manager.

SeriesManagerDialog::SeriesManagerDialog(GameContext& ctx, QWidget* parent)
    : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("seriesManager"));
    setWindowTitle(QStringLiteral("Series Manager"));
    tree_ = new QTreeWidget(this);
    tree_->setHeaderHidden(true);
    games_ = new QListWidget(this);
    games_->setObjectName(QStringLiteral("seriesGames"));
    games_->setSelectionMode(QAbstractItemView::NoSelection);
    auto* seriesLabel = new QLabel(QStringLiteral("&Series:"), this);
    seriesLabel->setBuddy(tree_);
    auto* gamesLabel = new QLabel(QStringLiteral("Games:"), this);

    players_ = new QComboBox(this);
    for (const std::string& player : ListPlayers(ctx_))
        players_->addItem(Q(player));
    players_->setCurrentIndex(std::max(0, players_->findText(Q(CurrentPlayer(ctx_)))));
    auto* playerLabel = new QLabel(QStringLiteral("P&layer:"), this);
    playerLabel->setBuddy(players_);

    play_ = new QPushButton(QStringLiteral("&Play"), this);
    play_->setDefault(true);
    auto* create = new QPushButton(QStringLiteral("&New..."), this);
    edit_ = new QPushButton(QStringLiteral("&Edit..."), this);
    delete_ = new QPushButton(QStringLiteral("&Delete"), this);
    auto* statistics = new QPushButton(QStringLiteral("S&tatistics..."), this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {play_, create, edit_, delete_, statistics})
        buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(close);

    auto* left = new QVBoxLayout;
    left->addWidget(seriesLabel);
    left->addWidget(tree_, 2);
    left->addWidget(gamesLabel);
    left->addWidget(games_, 1);
    auto* playerRow = new QHBoxLayout;
    playerRow->addWidget(playerLabel);
    playerRow->addWidget(players_, 1);
    left->addLayout(playerRow);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    resize(520, 480);

    connect(play_, &QPushButton::clicked, this, &SeriesManagerDialog::play);
    connect(create, &QPushButton::clicked, this, &SeriesManagerDialog::newSeries);
    connect(edit_, &QPushButton::clicked, this, &SeriesManagerDialog::editSeries);
    connect(delete_, &QPushButton::clicked, this, &SeriesManagerDialog::deleteSeries);
    connect(statistics, &QPushButton::clicked, this, &SeriesManagerDialog::showStatistics);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this] {
        updateButtons();
        showGames();
    });
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (item->data(0, kFolderRole).toInt() != 0) return;
        if (item->data(0, kNumberRole).toInt() == kAddNewSeries)
            newSeries();
        else
            play();
    });

    fill();
    // The last series started, in its folder.
    int last = std::atoi(ReadPreference(ctx_, "Series_Num", "0").c_str());
    // Else the first series this catalogue can play.
    for (const SeriesDefinition& series : BuiltInSeries())
        if (last <= 0 && SeriesPlayable(ctx_, series.number)) last = series.number;
    selectSeries(last > 0 ? last : 1);
}

void SeriesManagerDialog::fill() {
    tree_->clear();
    auto* builtIn = new QTreeWidgetItem(tree_, {QStringLiteral("Series")});
    builtIn->setData(0, kFolderRole, kBuiltInSeriesFolder);
    auto* mine = new QTreeWidgetItem(tree_, {QStringLiteral("My Series")});
    mine->setData(0, kFolderRole, kUserSeriesFolder);
    for (const SeriesDefinition& series : AllSeries(ctx_, true)) {
        auto* item =
            new QTreeWidgetItem(series.builtIn() ? builtIn : mine, {Q(series.name)});
        item->setData(0, kNumberRole, series.number);
        item->setData(0, kFolderRole, 0);
    }
    auto* add = new QTreeWidgetItem(mine, {QStringLiteral("(Add a new Series)")});
    add->setData(0, kNumberRole, kAddNewSeries);
    add->setData(0, kFolderRole, 0);
    tree_->expandAll();
}

int SeriesManagerDialog::selectedSeries() const {
    const QTreeWidgetItem* item = tree_->currentItem();
    if (!item || item->data(0, kFolderRole).toInt() != 0) return 0;
    return item->data(0, kNumberRole).toInt();
}

void SeriesManagerDialog::selectSeries(int number) {
    for (int folder = 0; folder < tree_->topLevelItemCount(); ++folder) {
        QTreeWidgetItem* top = tree_->topLevelItem(folder);
        for (int i = 0; i < top->childCount(); ++i)
            if (top->child(i)->data(0, kNumberRole).toInt() == number &&
                top->child(i)->data(0, kFolderRole).toInt() == 0) {
                tree_->setCurrentItem(top->child(i));
                return;
            }
    }
    updateButtons();
}

std::string SeriesManagerDialog::chosenPlayer() const {
    return players_->currentText().toStdString();
}

void SeriesManagerDialog::updateButtons() {
    const int number = selectedSeries();
    play_->setEnabled(number == kAddNewSeries ||
                      (SeriesPlayable(ctx_, number) && players_->count() > 0));
    const bool own = number >= kFirstUserSeries;
    edit_->setEnabled(own);
    delete_->setEnabled(own);
}

void SeriesManagerDialog::showGames() {
    games_->clear();
    int position = 0;
    for (int game : SeriesGames(ctx_, selectedSeries())) {
        const std::string name = GameName(ctx_, game);
        games_->addItem(QStringLiteral("%1. ").arg(++position) +
                        (name.empty() ? QStringLiteral("(game %1 is not in this catalogue)").arg(game)
                                      : Q(name)));
    }
}

void SeriesManagerDialog::newSeries() {
    SeriesEditDialog dialog(ctx_, 0, this);
    if (dialog.exec() != QDialog::Accepted) return;
    fill();
    selectSeries(dialog.savedNumber());
}

void SeriesManagerDialog::editSeries() {
    const int number = selectedSeries();
    if (number < kFirstUserSeries) {
        ctx_.host.Beep();
        return;
    }
    SeriesEditDialog dialog(ctx_, number, this);
    if (dialog.exec() != QDialog::Accepted) return;
    fill();
    selectSeries(number);
}

void SeriesManagerDialog::deleteSeries() {
    const int number = selectedSeries();
    if (number < kFirstUserSeries) {
        ctx_.host.Beep();
        return;
    }
    if (number == CurrentSeries(ctx_)) {
        ctx_.host.ShowInformation("This Series is in progress: quit it before deleting it.");
        return;
    }
    if (!ctx_.host.Confirm("Are you sure you want to delete this Series:\r" +
                           SeriesName(ctx_, number)))
        return;
    DeleteUserSeries(ctx_, number);
    fill();
    selectSeries(1);
}

void SeriesManagerDialog::showStatistics() {
    if (StatisticsDisabled(ctx_)) {
        ctx_.host.ShowInformation(kStatisticsDisabledMessage);
        return;
    }
    const int number = selectedSeries();
    HiScoresDialog dialog(ctx_, ScoreTableKind::Series, number > 0 ? number : 1, -1, {}, this);
    dialog.exec();
}

void SeriesManagerDialog::play() {
    const int number = selectedSeries();
    if (number == kAddNewSeries) {
        newSeries();
        return;
    }
    if (!SeriesPlayable(ctx_, number) || players_->count() == 0) {
        ctx_.host.Beep();
        return;
    }
    chosen_ = number;
    accept();
}

// "Series situation".

SeriesSituationDialog::SeriesSituationDialog(GameContext& ctx, const SeriesInProgress& series,
                                             bool offerNext, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("seriesSituation"));
    setWindowTitle(QStringLiteral("Series situation: ") + Q(SeriesName(ctx, series.number)));
    grid_ = MakeGrid({QStringLiteral("N."), QStringLiteral("Game"), QStringLiteral("Score"),
                      QStringLiteral("Max"), QStringLiteral("Time"), QStringLiteral("W/L")},
                     this);
    grid_->setRowCount(series.NumGames());
    for (int position = 1; position <= series.NumGames(); ++position) {
        const int row = position - 1;
        const std::size_t index = static_cast<std::size_t>(row);
        QStringList cells{QString::number(position), Q(GameName(ctx, series.GameAt(position)))};
        if (index < series.results.size() && series.results[index]) {
            const SeriesGameResult& r = *series.results[index];
            cells << QString::number(r.score)
                  << (r.atMaximum ? QStringLiteral("Yes") : QStringLiteral("No"))
                  << DurationText(r.seconds, 1)
                  << (r.won ? QStringLiteral("Won") : QStringLiteral("Lost"));
        }
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column == 0 || column == 2 || column == 4)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (position == series.played) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            grid_->setItem(row, column, item);
        }
    }
    grid_->resizeColumnsToContents();
    const SeriesTotals totals = ComputeSeriesTotals(series);
    auto* total = new QLabel(QStringLiteral("Total score: %1    Total time: %2")
                                 .arg(totals.score)
                                 .arg(DurationText(totals.seconds, 1)),
                             this);
    total->setObjectName(QStringLiteral("seriesTotals"));

    ok_ = new QPushButton(offerNext ? QStringLiteral("&Next game") : QStringLiteral("OK"), this);
    ok_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    if (offerNext) {
        auto* later = new QPushButton(QStringLiteral("Close"), this);
        buttons->addWidget(later);
        connect(later, &QPushButton::clicked, this, &QDialog::reject);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addWidget(total);
    layout->addLayout(buttons);
    resize(560, 320);
    connect(ok_, &QPushButton::clicked, this, [this, offerNext] {
        next_ = offerNext;
        accept();
    });
}

// "Series in progress".

SeriesInProgressDialog::SeriesInProgressDialog(const QString& name, bool nextEnabled,
                                               QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("seriesInProgress"));
    setWindowTitle(QStringLiteral("Series in progress: ") + name);
    auto* text1 = new QLabel(QStringLiteral("The current series is unfinished."), this);
    auto* text2 = new QLabel(
        QStringLiteral("Do you want to quit it or continue with the next series game?"), this);
    auto* note = new QGroupBox(QStringLiteral("Note"), this);
    auto* noteLayout = new QVBoxLayout(note);
    noteLayout->addWidget(
        new QLabel(QStringLiteral("If you click Cancel you can return to the current game."), note));
    auto* next = new QPushButton(QStringLiteral("    &Next game"), this);
    next->setObjectName(QStringLiteral("nextGame"));
    next->setEnabled(nextEnabled);
    auto* quit = new QPushButton(QStringLiteral("    Quit series"), this);
    quit->setObjectName(QStringLiteral("quitSeries"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(next);
    buttons->addWidget(quit);
    buttons->addStretch(1);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text1);
    layout->addWidget(text2);
    layout->addWidget(note);
    layout->addLayout(buttons);
    connect(next, &QPushButton::clicked, this, [this] {
        choice_ = Choice::NextGame;
        accept();
    });
    connect(quit, &QPushButton::clicked, this, [this] {
        choice_ = Choice::QuitSeries;
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

// The series panel.

SeriesPanel::SeriesPanel(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName(QStringLiteral("seriesPanel"));
    counter_ = new QLabel(this);
    QFont bold = counter_->font();
    bold.setBold(true);
    counter_->setFont(bold);
    previous_ = new QLabel(this);
    current_ = new QLabel(this);
    current_->setFont(bold);
    following_ = new QLabel(this);
    result_ = new QLabel(this);
    next_ = new QPushButton(QStringLiteral("&Next game"), this);
    auto* layout = new QGridLayout(this);
    layout->addWidget(counter_, 0, 0, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Previous:"), this), 1, 0);
    layout->addWidget(previous_, 1, 1);
    layout->addWidget(result_, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Current:"), this), 2, 0);
    layout->addWidget(current_, 2, 1, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Next:"), this), 3, 0);
    layout->addWidget(following_, 3, 1, 1, 2);
    layout->addWidget(next_, 4, 0, 1, 3);
    connect(next_, &QPushButton::clicked, this, &SeriesPanel::nextRequested);
}

void SeriesPanel::Fill(GameContext& ctx, const SeriesInProgress& series, bool nextEnabled) {
    setWindowTitle(QStringLiteral("Series: ") + Q(SeriesName(ctx, series.number)));
    const int p = series.played;
    counter_->setText(QStringLiteral("%1/%2  ").arg(p).arg(series.NumGames()));
    const auto name = [&](int position) {
        const int game = series.GameAt(position);
        return game < 0 ? QString() : Q(GameName(ctx, game));
    };
    previous_->setText(name(p - 1));
    current_->setText(name(p));
    following_->setText(name(p + 1));
    const std::size_t before = static_cast<std::size_t>(std::max(0, p - 2));
    const bool hasPrevious = p > 1 && before < series.results.size() && series.results[before];
    result_->setText(hasPrevious ? (series.results[before]->won ? QStringLiteral("Won ")
                                                                : QStringLiteral("Lost"))
                                 : QString());
    next_->setEnabled(nextEnabled);
    adjustSize();
}

void SeriesPanel::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (isVisible()) emit moved(pos());
}

} // namespace quendra
