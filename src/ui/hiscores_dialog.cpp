#include "hiscores_dialog.h"

#include "browser_catalogue.h"
#include "game_catalog.h"
#include "hiscores.h"
#include "record_file.h"
#include "series.h"
#include "moves.h"
#include "settings.h"
#include "statistics_parts.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtMath>

namespace quendra {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}


// A gold star: the picture of a new hi-score.
QPixmap NewScoreStar() {
    constexpr int kSize = 40;
    QPixmap picture(kSize, kSize);
    picture.fill(Qt::transparent);
    QPainter paint(&picture);
    paint.setRenderHint(QPainter::Antialiasing);
    QPainterPath star;
    for (int point = 0; point < 10; ++point) {
        const double radius = point % 2 == 0 ? kSize / 2.0 - 1 : kSize / 5.0;
        const double angle = -M_PI / 2 + point * M_PI / 5;
        const QPointF at(kSize / 2.0 + radius * std::cos(angle),
                         kSize / 2.0 + radius * std::sin(angle));
        point == 0 ? star.moveTo(at) : star.lineTo(at);
    }
    star.closeSubpath();
    paint.setPen(QPen(QColor(150, 100, 0), 1.5));
    paint.setBrush(QColor(255, 200, 30));
    paint.drawPath(star);
    return picture;
}

// The deal number column shows 13 characters from position 64 of the stored line.
QString GameNumberColumn(const std::string& line) {
    constexpr std::size_t kFrom = 63, kLength = 13;
    return line.size() > kFrom ? Q(line.substr(kFrom, kLength)).trimmed() : QString();
}

const char* const kColumns[] = {"N.", "Player", "Score", "Time", "W/L", "Date", "Game number"};
const char* const kSeriesColumns[] = {"N.", "Player", "Score", "Max", "Time", "W/L", "Date"};

} // namespace

HiScoresDialog::HiScoresDialog(GameContext& ctx, int game, int newRank, const QString& title,
                               QWidget* parent)
    : HiScoresDialog(ctx, ScoreTableKind::Game, game, newRank, title, parent) {}

HiScoresDialog::HiScoresDialog(GameContext& ctx, ScoreTableKind kind, int game, int newRank,
                               const QString& title, QWidget* parent)
    : QDialog(parent), ctx_(ctx), kind_(kind), game_(game), newRank_(newRank) {
    const bool series = kind_ == ScoreTableKind::Series;
    setObjectName(QStringLiteral("hiScoresDialog"));

    games_ = new QComboBox(this);
    if (series)
        for (const SeriesDefinition& entry : AllSeries(ctx_))
            games_->addItem(Q(entry.name), entry.number);
    else
        for (const browser::Entry& entry : browser::SortedCatalogue(ctx_))
            games_->addItem(Q(entry.name), entry.number);
    // Without a game on the table, the first of the list.
    if (games_->findData(game_) < 0 && games_->count() > 0) game_ = games_->itemData(0).toInt();
    games_->setCurrentIndex(std::max(0, games_->findData(game_)));
    setWindowTitle(newRank_ >= 0 && !title.isEmpty() ? title : tableTitle());
    auto* gameLabel = new QLabel(series ? QStringLiteral("&Series:") : QStringLiteral("&Game:"), this);
    gameLabel->setBuddy(games_);

    QStringList headers;
    if (series)
        for (const char* column : kSeriesColumns) headers << QString::fromLatin1(column);
    else
        for (const char* column : kColumns) headers << QString::fromLatin1(column);
    grid_ = MakeGrid(headers, this);
    grid_->setRowCount(kHiScoreRows);
    auto* top = new QHBoxLayout;
    top->addWidget(gameLabel);
    top->addWidget(games_, 1);
    if (newRank_ >= 0) {
        picture_ = new QLabel(this);
        picture_->setPixmap(NewScoreStar());
        picture_->setToolTip(QStringLiteral("A new hi-score"));
        top->addWidget(picture_);
    }

    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setDefault(true);
    auto* clear = new QPushButton(QStringLiteral("Clear values..."), this);
    clear->setObjectName(QStringLiteral("clearValues"));
    clear->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(clear);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(grid_, 1);
    layout->addLayout(buttons);
    resize(720, 520);

    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(clear, &QPushButton::clicked, this, [this] {
        if (!clearValues_) return;
        clearValues_();
        fill();
    });
    connect(games_, &QComboBox::activated, this, [this](int index) {
        showGame(games_->itemData(index).toInt());
    });
    fill();

    const bool sounds = IsOn(ctx_, field::kSoundsEnabled);
    if (newRank_ >= 0) {
        if (sounds && IsOn(ctx_, field::kSoundsNewHiScores)) ctx_.host.PlaySound("Scores");
    } else if (sounds && IsOn(ctx_, field::kSoundsHiScores)) {
        ctx_.host.PlaySound("Hi-Scor");
    }
}

void HiScoresDialog::setClearValues(std::function<void()> clear) {
    clearValues_ = std::move(clear);
    findChild<QPushButton*>(QStringLiteral("clearValues"))->setEnabled(
        static_cast<bool>(clearValues_));
}

void HiScoresDialog::showGame(int game) {
    if (game == game_) return;
    game_ = game;
    // The mark belongs to the table the new entry went into.
    newRank_ = -1;
    games_->setCurrentIndex(std::max(0, games_->findData(game_)));
    setWindowTitle(tableTitle());
    fill();
}

QString HiScoresDialog::tableTitle() const {
    if (kind_ == ScoreTableKind::Series)
        return QStringLiteral("Series Hi-Scores [") + Q(SeriesName(ctx_, game_)) +
               QLatin1Char(']');
    return Q(HiScoresTitle(GameName(ctx_, game_)));
}

void HiScoresDialog::fill() {
    grid_->clearContents();
    if (game_ < 0) return;
    const bool series = kind_ == ScoreTableKind::Series;
    const int seriesGames =
        series ? std::max<int>(1, static_cast<int>(SeriesGames(ctx_, game_).size())) : 1;
    const std::vector<HiScoreEntry> entries =
        ReadHiScores(ctx_, kind_, game_, CurrentScoringCode(ctx_), seriesGames);
    for (int row = 0; row < kHiScoreRows; ++row) {
        QStringList cells{QStringLiteral("%1").arg(row + 1, 2, 10, QLatin1Char('0'))};
        if (row < static_cast<int>(entries.size()) && !entries[row].empty) {
            const HiScoreEntry& entry = entries[row];
            cells << Q(entry.player) << QString::number(entry.score);
            if (series)
                cells << (entry.number == "Y" ? QStringLiteral("Yes") : QStringLiteral("No"));
            cells << DurationText(entry.seconds, 1)
                  << (entry.won ? QStringLiteral("Won") : QStringLiteral("Lost"))
                  << ShortDate(entry.date);
            if (!series) cells << GameNumberColumn(entry.line);
        }
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column == 2 || column == (series ? 4 : 3))
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (row == newRank_) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            grid_->setItem(row, column, item);
        }
    }
    grid_->resizeColumnsToContents();
    if (newRank_ >= 0 && newRank_ < kHiScoreRows) {
        grid_->selectRow(newRank_);
        grid_->scrollToItem(grid_->item(newRank_, 0));
    } else {
        grid_->clearSelection();
    }
}

void HiScoresDialog::dontShowAgain() {
    if (!ctx_.host.Confirm(kDontShowHiScoresQuestion)) return;
    SetSetting(ctx_.settings, field::kConfirmEnterHiScores, "N");
    StorePreference(ctx_, "ConfirmEnterHiScores", "N");
}

void HiScoresDialog::contextMenuEvent(QContextMenuEvent* event) {
    // Only a dialog that opened by itself offers to stop doing so.
    if (!picture_) return;
    QMenu menu(this);
    connect(menu.addAction(QStringLiteral("&Don't show Hi-Scores dialog box again...")),
            &QAction::triggered, this, &HiScoresDialog::dontShowAgain);
    menu.exec(event->globalPos());
}

void ShowHiScores(QWidget* parent, GameContext& ctx, int game, int newRank, const QString& title,
                  std::function<void()> clearValues) {
    HiScoresDialog dialog(ctx, game, newRank, title, parent);
    if (clearValues) dialog.setClearValues(std::move(clearValues));
    dialog.exec();
}

} // namespace quendra
