#include "game_won_dialog.h"

#include "game_catalog.h"
#include "settings.h"
#include "statistics.h"
#include "statistics_parts.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>

#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace quendra {

namespace {

// The pie shows the larger share, in steps of two and a half percent.
constexpr double kPieStep = 2.5;

QPixmap Pie(int wonPercent) {
    const int larger = std::max(wonPercent, 100 - wonPercent);
    const double shown = std::floor(larger / kPieStep) * kPieStep;
    return PercentagePie(wonPercent >= 50 ? shown : 100 - shown);
}

QString Count(int n) {
    return QString::number(n);
}

} // namespace

GameWonDialog::GameWonDialog(const GameContext& ctx, QWidget* parent)
    : QDialog(parent), ctx_(ctx) {
    setWindowTitle(QStringLiteral("Game won"));
    setObjectName(QStringLiteral("gameWonDialog"));
    pages_ = new QStackedWidget(this);

    auto* figures = new QGroupBox(this);
    title_ = new QLabel(figures);
    auto* grid = new QGridLayout(figures);
    won_ = new QLabel(figures);
    lost_ = new QLabel(figures);
    total_ = new QLabel(figures);
    percent_ = new QLabel(figures);
    pie_ = new QLabel(figures);
    int row = 0;
    for (const auto& [caption, value] : {std::pair{"Won:", won_}, std::pair{"Lost:", lost_},
                                         std::pair{"Total:", total_}, std::pair{"Perc.:", percent_}}) {
        grid->addWidget(new QLabel(QString::fromUtf8(caption), figures), row, 0);
        grid->addWidget(value, row++, 1);
    }
    grid->addWidget(pie_, 0, 2, row, 1, Qt::AlignCenter);
    pages_->addWidget(figures);
    // Statistics switched off: no figures.
    auto* plain = new QLabel(QStringLiteral("Congratulations: the game is won."), this);
    plain->setAlignment(Qt::AlignCenter);
    pages_->addWidget(plain);

    newGame_ = new QPushButton(QStringLiteral("   &New game..."), this);
    restart_ = new QPushButton(QStringLiteral("&Restart game..."), this);
    statistics_ = new QPushButton(QStringLiteral("  &Statistics...     "), this);
    openGame_ = new QPushButton(QStringLiteral(" &Open a game..."), this);
    selectGame_ = new QPushButton(QStringLiteral("S&elect game... "), this);
    random_ = new QPushButton(QStringLiteral("R&andom game"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto* help = new QPushButton(QStringLiteral("&?"), this);
    // The statistics open once the window says how.
    statistics_->setEnabled(false);
    newGame_->setDefault(true);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button :
         {newGame_, restart_, statistics_, openGame_, selectGame_, random_, cancel, help})
        buttons->addWidget(button);
    buttons->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(pages_, 1);
    layout->addLayout(buttons);
    connect(newGame_, &QPushButton::clicked, this, [this] { choose(Next::NewGame); });
    connect(restart_, &QPushButton::clicked, this, [this] { choose(Next::Restart); });
    connect(openGame_, &QPushButton::clicked, this, [this] { choose(Next::OpenGame); });
    connect(random_, &QPushButton::clicked, this, [this] { choose(Next::RandomGame); });
    connect(selectGame_, &QPushButton::clicked, this, [this] { choose(Next::SelectGame); });
    connect(statistics_, &QPushButton::clicked, this, [this] {
        if (!showStatistics_) return;
        if (showStatistics_()) {
            reject();
            return;
        }
        Refresh();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] {
        QMessageBox::information(this, windowTitle(),
                                 QStringLiteral("Play the same game again on a new deal, the same "
                                                "deal once more, another game, or a game drawn "
                                                "at random; Cancel leaves the table as it is."));
    });
    Refresh();
}

void GameWonDialog::setShowStatistics(std::function<bool()> show) {
    showStatistics_ = std::move(show);
    statistics_->setEnabled(static_cast<bool>(showStatistics_));
}

void GameWonDialog::choose(Next next) {
    next_ = next;
    accept();
}

void GameWonDialog::Refresh() {
    if (StatisticsDisabled(ctx_)) {
        pages_->setCurrentIndex(1);
        return;
    }
    pages_->setCurrentIndex(0);
    const std::string stored = GetSetting(ctx_.settings, field::kGameNumber);
    const int game = stored.empty() ? -1 : std::atoi(stored.c_str());
    const std::string player = GetSetting(ctx_.settings, field::kUserDefault);
    title_->setText(QStringLiteral("Total [") + QString::fromStdString(GameName(ctx_, game)) +
                    QLatin1Char(']'));
    static_cast<QGroupBox*>(pages_->widget(0))->setTitle(title_->text());
    title_->hide();
    const StatisticsRecord record = ReadStatistics(ctx_, game, player).record;
    const Percentages share = ComputePercentages(record.won, record.lost);
    won_->setText(Count(record.won) + QLatin1Char(' ') + QString::fromStdString(share.WonText()));
    lost_->setText(Count(record.lost) + QLatin1Char(' ') +
                   QString::fromStdString(share.LostText()));
    total_->setText(Count(record.Played()));
    percent_->setText(QString::fromStdString(share.WonText()));
    if (share.any)
        pie_->setPixmap(Pie(share.won));
    else
        pie_->clear();
}

QPushButton* GameWonDialog::button(Next next) const {
    switch (next) {
    case Next::NewGame:
        return newGame_;
    case Next::Restart:
        return restart_;
    case Next::OpenGame:
        return openGame_;
    case Next::RandomGame:
        return random_;
    case Next::SelectGame:
        return selectGame_;
    case Next::Nothing:
        break;
    }
    return nullptr;
}

QString GameWonDialog::figure(const QString& name) const {
    if (name == QStringLiteral("won")) return won_->text();
    if (name == QStringLiteral("lost")) return lost_->text();
    if (name == QStringLiteral("total")) return total_->text();
    return percent_->text();
}

} // namespace quendra
