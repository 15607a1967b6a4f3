#pragma once

#include "game_context.h"
#include "statistics_views.h"

#include <cstdint>
#include <vector>

#include <QColor>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QWidget>

class QComboBox;
class QHBoxLayout;
class QListWidget;
class QTableWidget;

namespace quendra {

// What the statistics views and the clearing dialogs share: the games and players they list,
// how they show durations, and their pictures.

// A game as the lists show it.
struct GameChoice {
    int number = 0;
    QString name;
};
// The catalogue's games and the customised ones, by name (either case alike).
std::vector<GameChoice> GameChoices(const GameContext& ctx);
// The players' list, sorted, with the current player when the list lacks it.
QStringList PlayerChoices(const GameContext& ctx);
QString CurrentPlayerName(const GameContext& ctx);
// The game number of the settings record; -1 when there is none.
int CurrentGameNumber(const GameContext& ctx);

// Fills a box with the games (each item's data its number) and selects `game` when listed.
// `allEntry`, when not empty, goes first with the number -1.
void FillGames(QComboBox& box, const std::vector<GameChoice>& games, int game,
               const QString& allEntry = {});
void FillGames(QListWidget& list, const std::vector<GameChoice>& games, int game,
               const QString& allEntry = {});
// Fills a box with the players and selects `player` when listed; `allEntry` as above.
void FillPlayers(QComboBox& box, const QStringList& players, const QString& player,
                 const QString& allEntry = {});
void FillPlayers(QListWidget& list, const QStringList& players, const QString& player,
                 const QString& allEntry = {});

// A captioned box added to a row; the caption's mnemonic goes to the box.
QComboBox* AddChoice(QHBoxLayout* row, const QString& caption, const QString& name,
                     QWidget* parent);

// Hours (at least `hourDigits` digits), ":", two-digit minutes, ":", two-digit seconds.
QString DurationText(std::int64_t seconds, int hourDigits);
// A stored "yyyymmdd" in the locale's short form; as stored when it is no date.
QString ShortDate(const std::string& stored);
// A read-only grid with the given column titles, whole rows selected one at a time.
QTableWidget* MakeGrid(const QStringList& titles, QWidget* parent);
// Puts a text into a cell of the grid, making the cell when needed.
void SetCell(QTableWidget& grid, int row, int column, const QString& text);

// A round picture of the won share: won in green, lost in red, from twelve o'clock.
QPixmap PercentagePie(double wonPercent, int size = 72);

// Upright bars, each with its value above and its label below, scaled to the tallest.
class BarChart : public QWidget {
    Q_OBJECT
  public:
    struct Bar {
        QString label;
        std::int64_t value = 0;
        QColor colour;
    };
    explicit BarChart(QWidget* parent = nullptr);
    void setBars(std::vector<Bar> bars);
    const std::vector<Bar>& bars() const { return bars_; }
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<Bar> bars_;
};

// The views open one another; each returns true when a game was started from it (or from a
// view it opened), so that the view that opened it closes as well.
bool RunGameStatistics(QWidget* parent, GameContext& ctx, int game, const StatisticsLinks& links,
                       const std::string& player = {});
bool RunAllGamesStatistics(QWidget* parent, GameContext& ctx, const StatisticsLinks& links);
bool RunPlayersStatistics(QWidget* parent, GameContext& ctx, int game,
                          const StatisticsLinks& links);
bool RunLogStatistics(QWidget* parent, GameContext& ctx, const StatisticsLinks& links);
bool RunOverallScore(QWidget* parent, GameContext& ctx, const StatisticsLinks& links);

} // namespace quendra
