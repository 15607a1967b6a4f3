#include "clearing_dialogs.h"

#include "game_catalog.h"
#include "hiscores.h"
#include "series.h"
#include "statistics.h"
#include "statistics_parts.h"

#include <algorithm>
#include <utility>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quendra {

namespace {

// The log keeps at most this many records when the dialog opens.
constexpr int kDefaultKeptRecords = 5000;

QListWidget* CaptionedList(QGridLayout* grid, int column, const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    auto* list = new QListWidget(parent);
    label->setBuddy(list);
    grid->addWidget(label, 0, column);
    grid->addWidget(list, 1, column);
    return list;
}

} // namespace

ClearChoiceDialog::ClearChoiceDialog(GameContext& ctx, const QString& title, int game, Clear clear,
                                     QWidget* parent)
    : QDialog(parent), clear_(std::move(clear)) {
    setWindowTitle(title);
    auto* grid = new QGridLayout;
    players_ = CaptionedList(grid, 0, QStringLiteral("&Player:"), this);
    players_->setObjectName(QStringLiteral("players"));
    games_ = CaptionedList(grid, 1, QStringLiteral("&Game:"), this);
    games_->setObjectName(QStringLiteral("games"));
    FillPlayers(*players_, PlayerChoices(ctx), CurrentPlayerName(ctx),
                QString::fromUtf8(kAllPlayersEntry));
    FillGames(*games_, GameChoices(ctx), game, QString::fromUtf8(kAllGamesEntry));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addWidget(buttons);
    resize(520, 360);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { clearChosen(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void ClearChoiceDialog::clearChosen() {
    const QListWidgetItem* player = players_->currentItem();
    const QListWidgetItem* game = games_->currentItem();
    if (!player || !game) return;
    // The first entry of each list stands for all.
    std::optional<std::string> chosenPlayer;
    std::optional<int> chosenGame;
    if (players_->row(player) > 0) chosenPlayer = player->text().toStdString();
    if (games_->row(game) > 0) chosenGame = game->data(Qt::UserRole).toInt();
    if (clear_(chosenGame, chosenPlayer)) accept();
}

namespace {

void ShowClearChoice(QWidget* parent, GameContext& ctx, const QString& title, int game,
                     ClearChoiceDialog::Clear clear) {
    ClearChoiceDialog dialog(ctx, title, game, std::move(clear), parent);
    dialog.exec();
}

} // namespace

void ShowClearStatistics(QWidget* parent, GameContext& ctx, int game) {
    ShowClearChoice(parent, ctx, QStringLiteral("Clear statistics"), game,
                    [&ctx](const std::optional<int>& g, const std::optional<std::string>& p) {
                        return ClearStatistics(ctx, g, p);
                    });
}

void ShowClearHiScores(QWidget* parent, GameContext& ctx, int game) {
    ShowClearChoice(parent, ctx, QStringLiteral("Clear Hi-Scores"), game,
                    [&ctx](const std::optional<int>& g, const std::optional<std::string>& p) {
                        return ClearHiScores(ctx, g, p);
                    });
}

ClearLogDialog::ClearLogDialog(GameContext& ctx, QWidget* parent)
    : QDialog(parent), ctx_(ctx), records_(LogRecordCount(ctx)) {
    setWindowTitle(QStringLiteral("Clear Log statistics"));
    auto* count = new QLabel(QStringLiteral("%1 record(s).").arg(records_), this);
    count->setObjectName(QStringLiteral("records"));
    auto* keepLabel = new QLabel(QStringLiteral("&Records to keep in Log:"), this);
    keep_ = new QSpinBox(this);
    keep_->setRange(0, std::max(records_, kDefaultKeptRecords));
    keep_->setValue(std::min(records_, kDefaultKeptRecords));
    keepLabel->setBuddy(keep_);
    clearAll_ = new QPushButton(QStringLiteral("Clear all &Log..."), this);
    clearAll_->setEnabled(records_ > 0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);

    auto* keepRow = new QHBoxLayout;
    keepRow->addWidget(keepLabel);
    keepRow->addWidget(keep_);
    keepRow->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(count);
    layout->addLayout(keepRow);
    layout->addWidget(clearAll_, 0, Qt::AlignLeft);
    layout->addWidget(buttons);

    // Keeping N records clears something only when 0 < N < the record count.
    auto enableOk = [this] { ok_->setEnabled(keep_->value() > 0 && keep_->value() < records_); };
    enableOk();
    connect(keep_, &QSpinBox::valueChanged, this, enableOk);
    connect(clearAll_, &QPushButton::clicked, this, [this] {
        if (ClearLog(ctx_, 0)) accept();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (ok_->isEnabled() && ClearLog(ctx_, keep_->value())) accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void ShowClearLog(QWidget* parent, GameContext& ctx) {
    ClearLogDialog dialog(ctx, parent);
    dialog.exec();
}

ClearValuesDialog::ClearValuesDialog(GameContext& ctx, QWidget* parent)
    : QDialog(parent), ctx_(ctx) {
    setWindowTitle(QStringLiteral("Clear values"));
    mode_ = new QButtonGroup(this);
    auto* all =
        new QRadioButton(QStringLiteral("&All values (Statistics, Hi-Scores, Log, Series)"), this);
    auto* selected = new QRadioButton(QStringLiteral("&Select values"), this);
    mode_->addButton(all, AllValues);
    mode_->addButton(selected, StatisticsOnly);
    all->setChecked(true);

    auto* which = new QGroupBox(this);
    auto* whichColumn = new QVBoxLayout(which);
    select_ = new QButtonGroup(this);
    for (const auto& [text, id] :
         {std::pair{"Statistics values only", StatisticsOnly},
          std::pair{"Hi-Scores values only", HiScoresOnly}, std::pair{"Log values only", LogOnly},
          std::pair{"Series values only", SeriesOnly}}) {
        auto* radio = new QRadioButton(QString::fromUtf8(text), which);
        select_->addButton(radio, id);
        whichColumn->addWidget(radio);
    }
    select_->button(StatisticsOnly)->setChecked(true);
    which->setEnabled(false);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(all);
    layout->addWidget(selected);
    layout->addWidget(which);
    layout->addWidget(buttons);

    connect(selected, &QRadioButton::toggled, which, [which](bool on) { which->setEnabled(on); });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { clearChosen(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void ClearValuesDialog::choose(Choice choice) {
    mode_->button(choice == AllValues ? AllValues : StatisticsOnly)->setChecked(true);
    if (choice != AllValues) {
        QAbstractButton* value = select_->button(choice);
        if (!value->isEnabled()) return;
        value->setChecked(true);
    }
    ok_->click();
}

void ClearValuesDialog::clearChosen() {
    if (mode_->checkedId() == AllValues) {
        if (ClearAllValues(ctx_)) accept();
        return;
    }
    switch (select_->checkedId()) {
    case StatisticsOnly:
        ShowClearStatistics(this, ctx_, CurrentGameNumber(ctx_));
        break;
    case HiScoresOnly:
        ShowClearHiScores(this, ctx_, CurrentGameNumber(ctx_));
        break;
    case LogOnly:
        ShowClearLog(this, ctx_);
        break;
    case SeriesOnly:
        if (!ClearSeriesScores(ctx_)) return;
        break;
    default:
        return;
    }
    accept();
}

void ShowClearValues(QWidget* parent, GameContext& ctx) {
    ClearValuesDialog dialog(ctx, parent);
    dialog.exec();
}

} // namespace quendra
