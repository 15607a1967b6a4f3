#include "game_number_dialog.h"

#include "data_files.h"
#include "deal.h"
#include "favourites.h"
#include "game_catalog.h"
#include "game_number.h"
#include "record_file.h"
#include "settings.h"
#include "statistics_parts.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quendra {

namespace {

enum Page { kSelectPage = 0, kPreviousPage = 1, kLostPage = 2 };

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// The log's date in the short form of the system; empty when it is no date.
QString DateCell(const std::string& stored) {
    if (!QDate::fromString(Q(stored), QStringLiteral("yyyyMMdd")).isValid()) return {};
    return ShortDate(stored);
}

QString WonLost(const LogEntry& entry) {
    return entry.won ? QStringLiteral("Won") : QStringLiteral("Lost");
}

} // namespace

GameNumberDialog::GameNumberDialog(GameContext& ctx, const StatisticsLinks& links, QWidget* parent)
    : QDialog(parent), ctx_(ctx), links_(links) {
    setWindowTitle(QStringLiteral("Select a game number"));
    setObjectName(QStringLiteral("gameNumber"));
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("pages"));
    const std::vector<GameChoice> games = GameChoices(ctx_);
    const int current = CurrentGameNumber(ctx_);

    // "Select a game": a game and a deal number.
    auto* select = new QWidget(pages_);
    auto* selectLayout = new QVBoxLayout(select);
    games_ = new QComboBox(select);
    games_->setObjectName(QStringLiteral("games"));
    FillGames(*games_, games, current);
    number_ = new QComboBox(select);
    number_->setObjectName(QStringLiteral("number"));
    number_->setEditable(true);
    number_->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& deal : RecentDealNumbers(ctx_))
        number_->addItem(Q(deal));
    number_->setEditText(Q(TrimBlanks(GetSetting(ctx_.settings, field::kDealNumber))));
    auto* gameLabel = new QLabel(QStringLiteral("G&ame:"), select);
    gameLabel->setBuddy(games_);
    auto* numberLabel = new QLabel(QStringLiteral("Ga&me number:"), select);
    numberLabel->setBuddy(number_);
    selectLayout->addWidget(gameLabel);
    selectLayout->addWidget(games_);
    selectLayout->addWidget(numberLabel);
    selectLayout->addWidget(number_);
    selectLayout->addStretch(1);
    pages_->addTab(select, QStringLiteral("&Select a game"));

    // "Previous games": the log's newest games.
    previous_ = MakeGrid({QStringLiteral("Game number"), QStringLiteral("Game"),
                          QStringLiteral("W/L"), QStringLiteral("Date"), QStringLiteral("Player")},
                         pages_);
    previous_->setObjectName(QStringLiteral("previous"));
    pages_->addTab(previous_, QStringLiteral("&Previous games"));

    // "Lost games": the deals of a game never won.
    auto* lost = new QWidget(pages_);
    auto* lostLayout = new QVBoxLayout(lost);
    lostGames_ = new QComboBox(lost);
    lostGames_->setObjectName(QStringLiteral("lostGames"));
    FillGames(*lostGames_, games, current);
    auto* lostLabel = new QLabel(QStringLiteral("&Select a previous lost game:"), lost);
    lostLabel->setBuddy(lostGames_);
    lost_ = MakeGrid({QStringLiteral("Game number"), QStringLiteral("W/L"), QStringLiteral("Date"),
                      QStringLiteral("Player")},
                     lost);
    lost_->setObjectName(QStringLiteral("lost"));
    lostLayout->addWidget(lostLabel);
    lostLayout->addWidget(lostGames_);
    lostLayout->addWidget(lost_, 1);
    pages_->addTab(lost, QStringLiteral("&Lost games"));

    auto* play = new QPushButton(QStringLiteral("Play &this game"), this);
    play->setObjectName(QStringLiteral("play"));
    play->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    auto* log = new QPushButton(QStringLiteral("L&og..."), this);
    log->setObjectName(QStringLiteral("log"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(log);
    buttons->addStretch(1);
    buttons->addWidget(play);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_, 1);
    layout->addLayout(buttons);
    resize(560, 420);

    connect(play, &QPushButton::clicked, this, &GameNumberDialog::playChosen);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(log, &QPushButton::clicked, this, &GameNumberDialog::openLog);
    connect(pages_, &QTabWidget::currentChanged, this, &GameNumberDialog::pageShown);
    connect(lostGames_, &QComboBox::currentIndexChanged, this, [this] {
        if (lostFilled_) fillLost();
    });
    connect(previous_, &QTableWidget::cellDoubleClicked, this, &GameNumberDialog::playChosen);
    connect(lost_, &QTableWidget::cellDoubleClicked, this, &GameNumberDialog::playChosen);
    number_->setFocus();
}

void GameNumberDialog::pageShown(int page) {
    if (page == kPreviousPage && !previousFilled_) fillPrevious();
    if (page == kLostPage && !lostFilled_) fillLost();
}

void GameNumberDialog::readLog() {
    if (logRead_) return;
    logRead_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    LogContents contents = ReadLog(ctx_);
    QApplication::restoreOverrideCursor();
    if (contents.damagedLines > 0)
        ctx_.host.ShowInformation(
            std::to_string(contents.damagedLines) +
            " line(s) of the Log are damaged and are not shown: " + DataFilePath(ctx_, kLogFile));
    log_ = std::move(contents.entries);
}

void GameNumberDialog::fillPrevious() {
    previousFilled_ = true;
    readLog();
    previousRows_ = PreviousGames(log_);
    previous_->setRowCount(static_cast<int>(previousRows_.size()));
    for (int row = 0; row < previous_->rowCount(); ++row) {
        const LogEntry& entry = previousRows_[static_cast<std::size_t>(row)];
        SetCell(*previous_, row, 0, Q(TrimBlanks(entry.deal)));
        SetCell(*previous_, row, 1, Q(entry.gameName));
        SetCell(*previous_, row, 2, WonLost(entry));
        SetCell(*previous_, row, 3, DateCell(entry.date));
        SetCell(*previous_, row, 4, Q(entry.player));
    }
    previous_->resizeColumnsToContents();
    if (!previousRows_.empty()) previous_->selectRow(0);
}

void GameNumberDialog::fillLost() {
    lostFilled_ = true;
    readLog();
    lostRows_ = LostNeverWonDeals(log_, lostGames_->currentText().toStdString());
    lost_->clearContents();
    lost_->setRowCount(static_cast<int>(lostRows_.size()));
    for (int row = 0; row < lost_->rowCount(); ++row) {
        const LogEntry& entry = lostRows_[static_cast<std::size_t>(row)];
        SetCell(*lost_, row, 0, Q(entry.deal));
        SetCell(*lost_, row, 1, WonLost(entry));
        SetCell(*lost_, row, 2, DateCell(entry.date));
        SetCell(*lost_, row, 3, Q(entry.player));
    }
    lost_->resizeColumnsToContents();
    if (!lostRows_.empty()) lost_->selectRow(0);
}

void GameNumberDialog::playChosen() {
    int game = -1;
    std::string number;
    auto selectedRow = [](QTableWidget* grid, std::size_t rows) {
        const int row = grid->selectedItems().isEmpty() ? -1 : grid->currentRow();
        return row >= 0 && static_cast<std::size_t>(row) < rows ? row : -1;
    };
    switch (pages_->currentIndex()) {
    case kSelectPage:
        game = games_->currentData().toInt();
        number = number_->currentText().toStdString();
        break;
    case kPreviousPage: {
        const int row = selectedRow(previous_, previousRows_.size());
        if (row >= 0) {
            const LogEntry& entry = previousRows_[static_cast<std::size_t>(row)];
            game = GameNumber(ctx_, entry.gameName);
            number = TrimBlanks(entry.deal);
        }
        if (game < 0 || number.empty()) {
            ctx_.host.ShowInformation(kSelectCorrectNumberMessage);
            return;
        }
        break;
    }
    case kLostPage: {
        const int row = selectedRow(lost_, lostRows_.size());
        if (row >= 0) {
            game = lostGames_->currentData().toInt();
            number = lostRows_[static_cast<std::size_t>(row)].deal;
        }
        if (game < 0 || number.empty()) {
            ctx_.host.ShowInformation(kSelectCorrectNumberMessage);
            return;
        }
        break;
    }
    default:
        return;
    }
    const DealNumberCheck check = CheckDealNumber(number);
    switch (check.verdict) {
    case DealNumberCheck::Verdict::NotDigits:
        ctx_.host.ShowInformation(kNumbersOnlyMessage);
        return;
    case DealNumberCheck::Verdict::TooLong:
        ctx_.host.ShowInformation(kTooManyDigitsMessage);
        return;
    case DealNumberCheck::Verdict::Zero:
        return;
    case DealNumberCheck::Verdict::Ok:
        break;
    }
    if (GameName(ctx_, game).empty()) {
        ctx_.host.ShowInformation(kSelectCorrectNumberMessage);
        return;
    }
    chosenGame_ = game;
    chosenDeal_ = check.digits;
    accept();
}

void GameNumberDialog::openLog() {
    if (!RunLogStatistics(this, ctx_, links_)) return;
    startedFromLog_ = true;
    reject();
}

} // namespace quendra
