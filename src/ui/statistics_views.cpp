#include "statistics_views.h"

#include "clearing_dialogs.h"
#include "record_file.h"
#include "settings.h"
#include "statistics_parts.h"

#include <algorithm>
#include <map>

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quendra {

namespace {

// While statistics are switched off the views do not open.
bool Disabled(GameContext& ctx) {
    if (!StatisticsDisabled(ctx)) return false;
    ctx.host.ShowInformation(kStatisticsDisabledMessage);
    return true;
}

template <typename View, typename... Args>
bool Run(QWidget* parent, GameContext& ctx, Args&&... args) {
    if (Disabled(ctx)) return false;
    View view(ctx, std::forward<Args>(args)..., parent);
    view.exec();
    return view.gameStarted();
}

QString Number(std::int64_t n) {
    return QString::number(n);
}

// A caption and its figure; the figure is found again by its name.
void AddFigure(QGridLayout* grid, int row, const QString& caption, const QString& name,
               bool withPercent) {
    auto* parent = grid->parentWidget();
    grid->addWidget(new QLabel(caption, parent), row, 0);
    auto* value = new QLabel(parent);
    value->setObjectName(name);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(value, row, 1);
    if (!withPercent) return;
    auto* percent = new QLabel(parent);
    percent->setObjectName(name + QStringLiteral("Percent"));
    grid->addWidget(percent, row, 2);
}

// "Won:", "Lost:" and "Total:" with the percentages; the figures are named after `prefix`.
QGridLayout* CountsGrid(QGroupBox* box, const QString& prefix) {
    auto* grid = new QGridLayout(box);
    AddFigure(grid, 0, QStringLiteral("Won:"), prefix + QStringLiteral("Won"), true);
    AddFigure(grid, 1, QStringLiteral("Lost:"), prefix + QStringLiteral("Lost"), true);
    AddFigure(grid, 2, QStringLiteral("Total:"), prefix + QStringLiteral("Total"), false);
    grid->setColumnStretch(3, 1);
    return grid;
}

void SetFigure(const QWidget& root, const QString& name, const QString& text) {
    if (auto* label = root.findChild<QLabel*>(name)) label->setText(text);
}

void ShowCounts(const QWidget& root, const QString& prefix, int won, int lost) {
    const Percentages share = ComputePercentages(won, lost);
    SetFigure(root, prefix + QStringLiteral("Won"), Number(won));
    SetFigure(root, prefix + QStringLiteral("WonPercent"), QString::fromStdString(share.WonText()));
    SetFigure(root, prefix + QStringLiteral("Lost"), Number(lost));
    SetFigure(root, prefix + QStringLiteral("LostPercent"),
              QString::fromStdString(share.LostText()));
    SetFigure(root, prefix + QStringLiteral("Total"), Number(std::int64_t{won} + lost));
}

QPushButton* AddButton(QVBoxLayout* column, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    column->addWidget(button);
    return button;
}

} // namespace

std::string CurrentStreakText(const StatisticsRecord& record) {
    std::string text = "Current";
    if (record.currentWon > 0)
        text += ": " + std::to_string(record.currentWon) + " won";
    else if (record.currentLost > 0)
        text += ": " + std::to_string(record.currentLost) + " lost";
    return text;
}

std::vector<std::pair<std::string, std::int64_t>>
PlayersByValue(const std::vector<PlayerRecord>& records, PlayerValue value) {
    std::vector<std::pair<std::string, std::int64_t>> ordered;
    for (const PlayerRecord& r : records)
        ordered.emplace_back(r.player, value == PlayerValue::WonPercentage
                                           ? ComputePercentages(r.record.won, r.record.lost).won
                                           : AverageScore(r.record));
    std::ranges::stable_sort(ordered, {}, &std::pair<std::string, std::int64_t>::second);
    return ordered;
}

bool RunGameStatistics(QWidget* parent, GameContext& ctx, int game, const StatisticsLinks& links,
                       const std::string& player) {
    return Run<GameStatisticsView>(parent, ctx, game, links, player);
}
bool RunAllGamesStatistics(QWidget* parent, GameContext& ctx, const StatisticsLinks& links) {
    if (Disabled(ctx)) return false;
    // The view reads STAT.DAT whole: a file that is there but cannot be read is said so.
    const std::string path = DataFilePath(ctx, kStatisticsFile);
    if (RecordFile::Load(path).GetState() == RecordFile::State::Unreadable) {
        ctx.host.ShowInformation("Open error: " + path);
        return false;
    }
    return Run<AllGamesStatisticsView>(parent, ctx, links);
}
bool RunPlayersStatistics(QWidget* parent, GameContext& ctx, int game,
                          const StatisticsLinks& links) {
    return Run<PlayersStatisticsView>(parent, ctx, game, links);
}
bool RunLogStatistics(QWidget* parent, GameContext& ctx, const StatisticsLinks& links) {
    return Run<LogStatisticsView>(parent, ctx, links);
}
bool RunOverallScore(QWidget* parent, GameContext& ctx, const StatisticsLinks& links) {
    return Run<OverallScoreView>(parent, ctx, links);
}

void ShowGameStatistics(QWidget* parent, GameContext& ctx, int game, const StatisticsLinks& links,
                        const std::string& player) {
    RunGameStatistics(parent, ctx, game, links, player);
}
void ShowAllGamesStatistics(QWidget* parent, GameContext& ctx, const StatisticsLinks& links) {
    RunAllGamesStatistics(parent, ctx, links);
}
void ShowPlayersStatistics(QWidget* parent, GameContext& ctx, int game,
                           const StatisticsLinks& links) {
    RunPlayersStatistics(parent, ctx, game, links);
}
void ShowLogStatistics(QWidget* parent, GameContext& ctx, const StatisticsLinks& links) {
    RunLogStatistics(parent, ctx, links);
}
void ShowOverallScore(QWidget* parent, GameContext& ctx, const StatisticsLinks& links) {
    RunOverallScore(parent, ctx, links);
}

StatisticsView::StatisticsView(GameContext& ctx, const StatisticsLinks& links, QWidget* parent)
    : QDialog(parent), ctx_(ctx), links_(links) {}

void StatisticsView::follow(bool started) {
    if (!started) return;
    started_ = true;
    accept();
}

GameStatisticsView::GameStatisticsView(GameContext& ctx, int preset, const StatisticsLinks& links,
                                       const std::string& player, QWidget* parent)
    : StatisticsView(ctx, links, parent) {
    setWindowTitle(QStringLiteral("Statistics"));
    setObjectName(QStringLiteral("gameStatistics"));
    auto* choices = new QHBoxLayout;
    players_ = AddChoice(choices, QStringLiteral("&Player:"), QStringLiteral("player"), this);
    games_ = AddChoice(choices, QStringLiteral("&Game:"), QStringLiteral("game"), this);
    FillPlayers(*players_, PlayerChoices(ctx),
                player.empty() ? CurrentPlayerName(ctx) : QString::fromStdString(player));
    FillGames(*games_, GameChoices(ctx), preset);

    auto* total = new QGroupBox(QStringLiteral("Total"), this);
    QGridLayout* totalGrid = CountsGrid(total, QStringLiteral("total"));
    pie_ = new QLabel(total);
    pie_->setObjectName(QStringLiteral("totalPie"));
    pie_->setFixedSize(76, 76);
    totalGrid->addWidget(pie_, 0, 4, 3, 1, Qt::AlignCenter);

    auto* session = new QGroupBox(QStringLiteral("Current session"), this);
    CountsGrid(session, QStringLiteral("session"));

    auto* streaks = new QGroupBox(QStringLiteral("Sequences"), this);
    auto* streakGrid = new QGridLayout(streaks);
    AddFigure(streakGrid, 0, QStringLiteral("Won:"), QStringLiteral("longestWon"), false);
    AddFigure(streakGrid, 1, QStringLiteral("Lost:"), QStringLiteral("longestLost"), false);
    auto* current = new QLabel(streaks);
    current->setObjectName(QStringLiteral("currentStreak"));
    streakGrid->addWidget(current, 2, 0, 1, 2);
    sequences_ = new BarChart(streaks);
    sequences_->setObjectName(QStringLiteral("sequencesChart"));
    streakGrid->addWidget(sequences_, 0, 2, 3, 1);
    streakGrid->setColumnStretch(2, 1);

    auto* figures = new QVBoxLayout;
    figures->addLayout(choices);
    figures->addWidget(total);
    figures->addWidget(session);
    figures->addWidget(streaks);

    auto* buttons = new QVBoxLayout;
    QPushButton* overall = AddButton(buttons, QStringLiteral("O&verall score..."), this);
    QPushButton* allGames = AddButton(buttons, QStringLiteral("&All games statistics..."), this);
    QPushButton* players = AddButton(buttons, QStringLiteral("Pla&yers' statistics..."), this);
    QPushButton* log = AddButton(buttons, QStringLiteral("&Log statistics..."), this);
    QPushButton* hiScores = AddButton(buttons, QStringLiteral("&Hi-Scores..."), this);
    QPushButton* clear = AddButton(buttons, QStringLiteral("&Clear statistics..."), this);
    buttons->addStretch(1);
    QPushButton* close = AddButton(buttons, QStringLiteral("Close"), this);
    close->setDefault(true);
    hiScores->setEnabled(static_cast<bool>(links_.hiScores));

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(figures, 1);
    layout->addLayout(buttons);

    // Whatever was opened may have changed the figures (clearing, a game played).
    auto opened = [this](bool started) {
        follow(started);
        if (!gameStarted()) refresh();
    };
    connect(overall, &QPushButton::clicked, this,
            [this, opened] { opened(RunOverallScore(this, ctx_, links_)); });
    connect(allGames, &QPushButton::clicked, this,
            [this, opened] { opened(RunAllGamesStatistics(this, ctx_, links_)); });
    connect(players, &QPushButton::clicked, this,
            [this, opened] { opened(RunPlayersStatistics(this, ctx_, game(), links_)); });
    connect(log, &QPushButton::clicked, this,
            [this, opened] { opened(RunLogStatistics(this, ctx_, links_)); });
    connect(hiScores, &QPushButton::clicked, this, [this] {
        links_.hiScores(game());
        refresh();
    });
    connect(clear, &QPushButton::clicked, this, [this] {
        ShowClearStatistics(this, ctx_, game());
        refresh();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(players_, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    connect(games_, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    refresh();
}

int GameStatisticsView::game() const {
    return games_->currentIndex() < 0 ? -1 : games_->currentData().toInt();
}

std::string GameStatisticsView::player() const {
    return players_->currentText().toStdString();
}

void GameStatisticsView::refresh() {
    const GameStatistics stats = ReadStatistics(ctx_, game(), player());
    const StatisticsRecord& r = stats.record;
    ShowCounts(*this, QStringLiteral("total"), r.won, r.lost);
    const Percentages share = ComputePercentages(r.won, r.lost);
    if (share.any)
        pie_->setPixmap(PercentagePie(share.won, pie_->width() - 4));
    else
        pie_->clear();
    // The run counters belong to the current player and game only.
    ShowCounts(*this, QStringLiteral("session"), stats.runWon, stats.runLost);
    SetFigure(*this, QStringLiteral("longestWon"), Number(r.longestWon));
    SetFigure(*this, QStringLiteral("longestLost"), Number(r.longestLost));
    SetFigure(*this, QStringLiteral("currentStreak"), QString::fromStdString(CurrentStreakText(r)));
    // The longest streaks as two bars.
    sequences_->setBars({{QStringLiteral("Won"), r.longestWon, QColor(0, 255, 0)},
                         {QStringLiteral("Lost"), r.longestLost, QColor(255, 0, 0)}});
}

AllGamesStatisticsView::AllGamesStatisticsView(GameContext& ctx, const StatisticsLinks& links,
                                               QWidget* parent)
    : StatisticsView(ctx, links, parent) {
    setWindowTitle(QStringLiteral("All games statistics"));
    setObjectName(QStringLiteral("allGamesStatistics"));
    auto* choices = new QHBoxLayout;
    players_ = AddChoice(choices, QStringLiteral("&Player:"), QStringLiteral("player"), this);
    FillPlayers(*players_, PlayerChoices(ctx), CurrentPlayerName(ctx));
    choices->addStretch(1);

    auto* valuesBox = new QGroupBox(QStringLiteral("Statistics values: "), this);
    auto* valuesRow = new QHBoxLayout(valuesBox);
    values_ = new QButtonGroup(this);
    int id = 0;
    for (const char* text : {"&Total", "&Current session", "&Sequences"}) {
        auto* radio = new QRadioButton(QString::fromUtf8(text), valuesBox);
        radio->setObjectName(QStringLiteral("values%1").arg(id));
        values_->addButton(radio, id++);
        valuesRow->addWidget(radio);
    }
    values_->button(0)->setChecked(true);

    grid_ = MakeGrid({QStringLiteral("Game"), QStringLiteral("Won"), QStringLiteral("Lost"),
                      QStringLiteral("% Won")},
                     this);
    grid_->setObjectName(QStringLiteral("grid"));
    auto* clear = new QPushButton(QStringLiteral("&Clear statistics..."), this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(clear);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(valuesBox);
    layout->addWidget(grid_, 1);
    layout->addLayout(buttons);
    resize(480, 520);

    connect(clear, &QPushButton::clicked, this, [this] {
        ShowClearStatistics(this, ctx_, CurrentGameNumber(ctx_));
        refresh();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(players_, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    connect(values_, &QButtonGroup::idClicked, this, [this] { refresh(); });
    refresh();
}

void AllGamesStatisticsView::refresh() {
    const std::string player = players_->currentText().toStdString();
    std::map<int, StatisticsRecord> records;
    for (const GameRecord& r : ReadPlayerStatistics(ctx_, player))
        records.emplace(r.game, r.record);
    const GameStatistics session = ReadStatistics(ctx_, CurrentGameNumber(ctx_), player);
    const int mode = values_->checkedId();

    const std::vector<GameChoice> games = GameChoices(ctx_);
    grid_->setRowCount(static_cast<int>(games.size()));
    auto blankZero = [](int n) { return n == 0 ? QString() : Number(n); };
    for (int row = 0; row < static_cast<int>(games.size()); ++row) {
        const GameChoice& game = games[static_cast<std::size_t>(row)];
        const auto found = records.find(game.number);
        const StatisticsRecord r = found == records.end() ? StatisticsRecord{} : found->second;
        int won = r.won, lost = r.lost;
        if (mode == 1) {
            const bool current = session.current && game.number == CurrentGameNumber(ctx_);
            won = current ? session.runWon : 0;
            lost = current ? session.runLost : 0;
        } else if (mode == 2) {
            won = r.longestWon;
            lost = r.longestLost;
        }
        SetCell(*grid_, row, 0, game.name);
        SetCell(*grid_, row, 1, blankZero(won));
        SetCell(*grid_, row, 2, blankZero(lost));
        SetCell(*grid_, row, 3,
                won == 0 ? QString()
                         : QString::fromStdString(ComputePercentages(won, lost).WonText()));
    }
    grid_->resizeColumnToContents(0);
}

} // namespace quendra
