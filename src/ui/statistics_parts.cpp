#include "statistics_parts.h"

#include "game_catalog.h"
#include "players.h"
#include "record_file.h"
#include "settings.h"

#include <algorithm>

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QDate>
#include <QLocale>
#include <QPainter>
#include <QTableWidget>

namespace quendra {

std::vector<GameChoice> GameChoices(const GameContext& ctx) {
    std::vector<GameChoice> games;
    for (const int number : CatalogueGameNumbers(ctx))
        games.push_back({number, QString::fromStdString(GameName(ctx, number))});
    CustomGameLists custom;
    if (ListCustomGames(ctx, custom))
        for (std::size_t i = 0; i < custom.names.size() && i < custom.numbers.size(); ++i)
            if (const auto number = ParseNumber(TrimBlanks(custom.numbers[i])))
                games.push_back({static_cast<int>(*number),
                                 QString::fromStdString(TrimBlanks(custom.names[i]))});
    std::erase_if(games, [](const GameChoice& g) { return g.name.isEmpty(); });
    std::ranges::stable_sort(games, [](const GameChoice& a, const GameChoice& b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    return games;
}

QString CurrentPlayerName(const GameContext& ctx) {
    return QString::fromStdString(CurrentPlayer(ctx));
}

int CurrentGameNumber(const GameContext& ctx) {
    const auto number = ParseNumber(TrimBlanks(GetSetting(ctx.settings, field::kGameNumber)));
    return number ? static_cast<int>(*number) : -1;
}

QStringList PlayerChoices(const GameContext& ctx) {
    QStringList players;
    for (const std::string& name : ListPlayers(ctx))
        players.push_back(QString::fromStdString(name));
    const QString current = CurrentPlayerName(ctx);
    if (!current.isEmpty() && !players.contains(current)) {
        players.push_back(current);
        players.sort();
    }
    return players;
}

void FillGames(QComboBox& box, const std::vector<GameChoice>& games, int game,
               const QString& allEntry) {
    box.clear();
    if (!allEntry.isEmpty()) box.addItem(allEntry, -1);
    for (const GameChoice& choice : games)
        box.addItem(choice.name, choice.number);
    box.setCurrentIndex(std::max(0, box.findData(game)));
}

void FillGames(QListWidget& list, const std::vector<GameChoice>& games, int game,
               const QString& allEntry) {
    list.clear();
    auto add = [&list, game](const QString& name, int number) {
        auto* item = new QListWidgetItem(name, &list);
        item->setData(Qt::UserRole, number);
        if (number == game) list.setCurrentItem(item);
    };
    if (!allEntry.isEmpty()) add(allEntry, -1);
    for (const GameChoice& choice : games)
        add(choice.name, choice.number);
    if (!list.currentItem() && list.count() > 0) list.setCurrentRow(0);
}

void FillPlayers(QComboBox& box, const QStringList& players, const QString& player,
                 const QString& allEntry) {
    box.clear();
    if (!allEntry.isEmpty()) box.addItem(allEntry);
    box.addItems(players);
    box.setCurrentIndex(std::max(0, box.findText(player)));
}

void FillPlayers(QListWidget& list, const QStringList& players, const QString& player,
                 const QString& allEntry) {
    list.clear();
    if (!allEntry.isEmpty()) list.addItem(allEntry);
    list.addItems(players);
    const auto found = list.findItems(player, Qt::MatchExactly);
    list.setCurrentItem(found.isEmpty() ? list.item(0) : found.first());
}

QComboBox* AddChoice(QHBoxLayout* row, const QString& caption, const QString& name,
                     QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    label->setBuddy(box);
    row->addWidget(label);
    row->addWidget(box, 1);
    return box;
}

QString DurationText(std::int64_t seconds, int hourDigits) {
    seconds = std::max<std::int64_t>(0, seconds);
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, hourDigits, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString ShortDate(const std::string& stored) {
    const QString text = QString::fromStdString(stored);
    const QDate date = QDate::fromString(text, QStringLiteral("yyyyMMdd"));
    return date.isValid() ? QLocale().toString(date, QLocale::ShortFormat) : text;
}

QTableWidget* MakeGrid(const QStringList& titles, QWidget* parent) {
    auto* grid = new QTableWidget(0, static_cast<int>(titles.size()), parent);
    grid->setHorizontalHeaderLabels(titles);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setMinimumWidth(360);
    return grid;
}

void SetCell(QTableWidget& grid, int row, int column, const QString& text) {
    if (QTableWidgetItem* item = grid.item(row, column))
        item->setText(text);
    else
        grid.setItem(row, column, new QTableWidgetItem(text));
}

QPixmap PercentagePie(double wonPercent, int size) {
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter paint(&picture);
    paint.setRenderHint(QPainter::Antialiasing);
    const QRectF disc(2, 2, size - 4, size - 4);
    paint.setPen(QPen(Qt::black, 1));
    const QColor lost(190, 50, 50);
    const QColor won(40, 150, 60);
    wonPercent = std::clamp(wonPercent, 0.0, 100.0);
    // A whole disc has no slice edge to draw.
    paint.setBrush(wonPercent >= 100.0 ? won : lost);
    paint.drawEllipse(disc);
    if (wonPercent > 0.0 && wonPercent < 100.0) {
        paint.setBrush(won);
        // Sixteenths of a degree, clockwise from twelve o'clock.
        paint.drawPie(disc, 90 * 16, -static_cast<int>(wonPercent * 3.6 * 16));
    }
    return picture;
}

BarChart::BarChart(QWidget* parent) : QWidget(parent) {
    setMinimumSize(120, 100);
}

void BarChart::setBars(std::vector<Bar> bars) {
    bars_ = std::move(bars);
    update();
}

QSize BarChart::sizeHint() const {
    return {std::max(120, 50 * static_cast<int>(bars_.size())), 140};
}

void BarChart::paintEvent(QPaintEvent*) {
    QPainter paint(this);
    paint.fillRect(rect(), palette().base());
    if (bars_.empty()) return;
    const int lineHeight = fontMetrics().height();
    const int slot = width() / static_cast<int>(bars_.size());
    const int baseLine = height() - lineHeight - 4;
    const int tallest = baseLine - lineHeight - 4;
    std::int64_t highest = 1;
    for (const Bar& bar : bars_)
        highest = std::max(highest, bar.value);
    for (std::size_t i = 0; i < bars_.size(); ++i) {
        const Bar& bar = bars_[i];
        const int left = static_cast<int>(i) * slot;
        const int height =
            static_cast<int>(std::max<std::int64_t>(0, bar.value) * tallest / highest);
        const QRect column(left + slot / 5, baseLine - height, slot * 3 / 5, height);
        paint.setPen(Qt::black);
        paint.setBrush(bar.colour);
        if (height > 0) paint.drawRect(column);
        paint.drawText(QRect(left, column.top() - lineHeight - 2, slot, lineHeight),
                       Qt::AlignCenter, QString::number(bar.value));
        paint.drawText(QRect(left, baseLine + 2, slot, lineHeight), Qt::AlignCenter,
                       fontMetrics().elidedText(bar.label, Qt::ElideRight, slot));
    }
    paint.drawLine(0, baseLine, width(), baseLine);
}

} // namespace quendra
