#include "clearing_dialogs.h"
#include "game_catalog.h"
#include "overall_score.h"
#include "record_file.h"
#include "series.h"
#include "statistics_parts.h"
#include "statistics_views.h"

#include <algorithm>
#include <array>

#include <QButtonGroup>
#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quendra {

namespace {

// The colours of the players' bars, from the highest value down.
const std::array<QColor, 5> kPlayerBarColours = {QColor(0, 0, 255), QColor(255, 255, 0),
                                                 QColor(255, 0, 0), QColor(0, 255, 0),
                                                 QColor(255, 255, 255)};
constexpr int kLogHourDigits = 1;
constexpr int kOverallHourDigits = 2;
// Game parameters of the maximum score: the target, else four times the cards in play.

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton* button : buttons)
        row->addWidget(button);
    return row;
}

QPushButton* CloseButton(QDialog* dialog) {
    auto* close = new QPushButton(QStringLiteral("Close"), dialog);
    close->setDefault(true);
    QObject::connect(close, &QPushButton::clicked, dialog, &QDialog::reject);
    return close;
}

} // namespace

PlayersStatisticsView::PlayersStatisticsView(GameContext& ctx, int game,
                                             const StatisticsLinks& links, QWidget* parent)
    : StatisticsView(ctx, links, parent) {
    setWindowTitle(QStringLiteral("Players' statistics"));
    setObjectName(QStringLiteral("playersStatistics"));
    games_ = new QListWidget(this);
    games_->setObjectName(QStringLiteral("games"));
    FillGames(*games_, GameChoices(ctx), game);

    auto* choice = new QGroupBox(this);
    auto* choiceRow = new QHBoxLayout(choice);
    wonShare_ = new QRadioButton(QStringLiteral("% Games &won"), choice);
    wonShare_->setObjectName(QStringLiteral("wonShare"));
    auto* average = new QRadioButton(QStringLiteral("&Average score"), choice);
    average->setObjectName(QStringLiteral("averageScore"));
    wonShare_->setChecked(true);
    choiceRow->addWidget(wonShare_);
    choiceRow->addWidget(average);

    grid_ = MakeGrid({QStringLiteral("Player"), QString()}, this);
    grid_->setObjectName(QStringLiteral("grid"));
    chart_ = new BarChart(this);
    chart_->setObjectName(QStringLiteral("playersChart"));
    chart_->setMinimumSize(260, 160);

    auto* clear = new QPushButton(QStringLiteral("&Clear statistics..."), this);
    auto* right = new QVBoxLayout;
    right->addWidget(choice);
    right->addWidget(grid_, 1);
    right->addWidget(chart_, 1);
    auto* columns = new QHBoxLayout;
    columns->addWidget(games_, 1);
    columns->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(ButtonRow({clear, CloseButton(this)}));
    resize(640, 480);

    connect(clear, &QPushButton::clicked, this, [this] {
        const QListWidgetItem* item = games_->currentItem();
        ShowClearStatistics(this, ctx_, item ? item->data(Qt::UserRole).toInt() : -1);
        refresh();
    });
    connect(games_, &QListWidget::currentRowChanged, this, [this] { refresh(); });
    connect(wonShare_, &QRadioButton::toggled, this, [this] { refresh(); });
    refresh();
}

void PlayersStatisticsView::refresh() {
    const QListWidgetItem* item = games_->currentItem();
    const int game = item ? item->data(Qt::UserRole).toInt() : -1;
    // Every listed player has a value; players who left the list keep theirs in the file.
    std::vector<PlayerRecord> records;
    for (const QString& name : PlayerChoices(ctx_))
        records.push_back({name.toStdString(), {}});
    for (const PlayerRecord& stored : ReadGameStatistics(ctx_, game)) {
        const auto listed = std::ranges::find(records, stored.player, &PlayerRecord::player);
        if (listed != records.end())
            listed->record = stored.record;
        else
            records.push_back(stored);
    }
    const bool share = wonShare_->isChecked();
    const auto ordered =
        PlayersByValue(records, share ? PlayerValue::WonPercentage : PlayerValue::AverageScore);

    grid_->setHorizontalHeaderLabels(
        {QStringLiteral("Player"),
         share ? QStringLiteral("% Won") : QStringLiteral("Average score")});
    grid_->setRowCount(static_cast<int>(ordered.size()));
    for (int row = 0; row < static_cast<int>(ordered.size()); ++row) {
        const auto& [player, value] = ordered[static_cast<std::size_t>(row)];
        SetCell(*grid_, row, 0, Text(player));
        SetCell(*grid_, row, 1, share ? QStringLiteral("%1%").arg(value) : QString::number(value));
    }
    // The five highest, the highest first.
    std::vector<BarChart::Bar> bars;
    for (auto at = ordered.rbegin(); at != ordered.rend() && bars.size() < kPlayerBarColours.size();
         ++at)
        bars.push_back({Text(at->first), at->second, kPlayerBarColours[bars.size()]});
    chart_->setBars(std::move(bars));
}

LogStatisticsView::LogStatisticsView(GameContext& ctx, const StatisticsLinks& links,
                                     QWidget* parent)
    : StatisticsView(ctx, links, parent) {
    setWindowTitle(QStringLiteral("Log statistics"));
    setObjectName(QStringLiteral("logStatistics"));
    auto* filters = new QHBoxLayout;
    players_ = AddChoice(filters, QStringLiteral("&Player:"), QStringLiteral("player"), this);
    games_ = AddChoice(filters, QStringLiteral("&Game:"), QStringLiteral("game"), this);
    FillPlayers(*players_, PlayerChoices(ctx), {}, QString::fromUtf8(kAllPlayersEntry));
    FillGames(*games_, GameChoices(ctx), -1, QString::fromUtf8(kAllGamesEntry));

    grid_ = MakeGrid({QStringLiteral("Date"), QStringLiteral("Start"), QStringLiteral("Time"),
                      QStringLiteral("Game"), QStringLiteral("W/L"), QStringLiteral("Score"),
                      QStringLiteral("Player"), QStringLiteral("Game number")},
                     this);
    grid_->setObjectName(QStringLiteral("grid"));
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("count"));
    play_ = new QPushButton(QStringLiteral("Play the &selected game"), this);
    play_->setObjectName(QStringLiteral("play"));
    auto* clear = new QPushButton(QStringLiteral("Clear values..."), this);
    clear->setObjectName(QStringLiteral("clear"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(grid_, 1);
    layout->addWidget(count_);
    layout->addLayout(ButtonRow({play_, clear, CloseButton(this)}));
    resize(760, 480);

    connect(players_, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    connect(games_, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    connect(grid_, &QTableWidget::itemSelectionChanged, this,
            [this] { play_->setEnabled(links_.playDeal && !grid_->selectedItems().isEmpty()); });
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this] { playSelected(); });
    connect(play_, &QPushButton::clicked, this, [this] { playSelected(); });
    connect(clear, &QPushButton::clicked, this, [this] {
        ShowClearLog(this, ctx_);
        reload();
    });
    reload();
}

void LogStatisticsView::reload() {
    LogContents log = ReadLog(ctx_);
    if (log.damagedLines > 0)
        ctx_.host.ShowInformation(
            std::to_string(log.damagedLines) +
            " line(s) of the Log are damaged and are not shown: " + DataFilePath(ctx_, kLogFile));
    entries_ = std::move(log.entries);
    refresh();
}

void LogStatisticsView::refresh() {
    std::optional<std::string> player;
    std::optional<int> game;
    // The first entry of each box stands for all.
    if (players_->currentIndex() > 0) player = players_->currentText().toStdString();
    if (games_->currentIndex() > 0) game = games_->currentData().toInt();
    shown_ = FilterLog(entries_, player, game);

    grid_->clearSelection();
    grid_->setRowCount(static_cast<int>(shown_.size()));
    for (int row = 0; row < static_cast<int>(shown_.size()); ++row) {
        const LogEntry& e = shown_[static_cast<std::size_t>(row)];
        const std::array<QString, 8> cells = {ShortDate(e.date),
                                              Text(e.endTime.substr(0, 5)),
                                              DurationText(e.seconds, kLogHourDigits),
                                              Text(e.gameName),
                                              e.won ? QStringLiteral("Won")
                                                    : QStringLiteral("Lost"),
                                              QString::number(e.score),
                                              Text(e.player),
                                              Text(e.deal)};
        for (int column = 0; column < static_cast<int>(cells.size()); ++column)
            SetCell(*grid_, row, column, cells[static_cast<std::size_t>(column)]);
    }
    grid_->resizeColumnsToContents();
    count_->setText(QStringLiteral("The Log contains %1 record(s).").arg(shown_.size()));
    play_->setEnabled(false);
}

void LogStatisticsView::playSelected() {
    const int row = grid_->currentRow();
    if (!links_.playDeal || grid_->selectedItems().isEmpty() || row < 0 ||
        row >= static_cast<int>(shown_.size()))
        return;
    const LogEntry& entry = shown_[static_cast<std::size_t>(row)];
    follow(links_.playDeal(entry.game, entry.deal));
}

OverallScoreView::OverallScoreView(GameContext& ctx, const StatisticsLinks& links, QWidget* parent)
    : StatisticsView(ctx, links, parent) {
    setWindowTitle(QStringLiteral("Overall score"));
    setObjectName(QStringLiteral("overallScore"));
    grid_ = MakeGrid({QStringLiteral("N."), QStringLiteral("Player"), QStringLiteral("Score"),
                      QStringLiteral("Time")},
                     this);
    grid_->setObjectName(QStringLiteral("grid"));
    details_ = new QPushButton(QStringLiteral("&Details..."), this);
    details_->setObjectName(QStringLiteral("details"));
    auto* clear = new QPushButton(QStringLiteral("Clear values..."), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addLayout(ButtonRow({details_, clear, CloseButton(this)}));
    resize(480, 400);

    connect(details_, &QPushButton::clicked, this, [this] { showDetails(); });
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this] { showDetails(); });
    connect(clear, &QPushButton::clicked, this, [this] {
        ShowClearValues(this, ctx_);
        refresh();
    });
    refresh();
}

void OverallScoreView::refresh() {
    const std::vector<OverallRow> rows = ReadOverallTable(ctx_);
    grid_->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        const OverallRow& r = rows[static_cast<std::size_t>(row)];
        SetCell(*grid_, row, 0, QString::number(row + 1));
        SetCell(*grid_, row, 1, Text(r.player));
        SetCell(*grid_, row, 2, QString::number(r.score));
        SetCell(*grid_, row, 3, DurationText(r.seconds, kOverallHourDigits));
    }
    if (!rows.empty()) grid_->selectRow(0);
    details_->setEnabled(!rows.empty());
}

void OverallScoreView::showDetails() {
    const int row = grid_->currentRow();
    const QTableWidgetItem* player = row < 0 ? nullptr : grid_->item(row, 1);
    if (!player) return;
    OverallDetailsView details(ctx_, player->text().toStdString(), this);
    details.exec();
}

OverallDetailsView::OverallDetailsView(const GameContext& ctx, const std::string& player,
                                       QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Overall score details [") + Text(player) + QLatin1Char(']'));
    setObjectName(QStringLiteral("overallDetails"));
    auto* grid = MakeGrid({QStringLiteral("Game"), QStringLiteral("Score"), QStringLiteral("Max"),
                           QStringLiteral("Time")},
                          this);
    grid->setObjectName(QStringLiteral("grid"));
    struct Row {
        QString name;
        OverallGame game;
    };
    std::vector<Row> rows;
    for (const OverallGame& game : ReadOverallDetails(ctx, player))
        rows.push_back({Text(GameName(ctx, game.game)), game});
    std::erase_if(rows, [](const Row& r) { return r.name.isEmpty(); });
    std::ranges::stable_sort(rows, [](const Row& a, const Row& b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    grid->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        const OverallGame& g = rows[static_cast<std::size_t>(row)].game;
        SetCell(*grid, row, 0, rows[static_cast<std::size_t>(row)].name);
        SetCell(*grid, row, 1, QString::number(g.score));
        // "Yes" when the best score is the game's maximum.
        SetCell(*grid, row, 2,
                g.score == GameMaximumScore(ctx, g.game) ? QStringLiteral("Yes") : QString());
        SetCell(*grid, row, 3, DurationText(g.seconds, kOverallHourDigits));
    }
    grid->resizeColumnToContents(0);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid, 1);
    layout->addLayout(ButtonRow({CloseButton(this)}));
    resize(480, 400);
}

} // namespace quendra
