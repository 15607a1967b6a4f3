#pragma once

#include "game_context.h"
#include "statistics.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace quendra {

class BarChart;

// The statistics views: read-only windows over the statistics store. Each entry shows
// kStatisticsDisabledMessage instead of opening while statistics are switched off.

// What the views open outside themselves.
struct StatisticsLinks {
    std::function<void(int game)> hiScores; // the game's "Hi-Scores" dialog
    std::function<bool(int game, const std::string& deal)>
        playDeal; // start that game and deal; true when started
};

// Each opens its modal view (or the disabled message) and returns when it closes. The game
// view starts on `player` (the current player when empty).
void ShowGameStatistics(QWidget* parent, GameContext& ctx, int game, const StatisticsLinks& links,
                        const std::string& player = {});
void ShowAllGamesStatistics(QWidget* parent, GameContext& ctx, const StatisticsLinks& links);
void ShowPlayersStatistics(QWidget* parent, GameContext& ctx, int game,
                           const StatisticsLinks& links);
void ShowLogStatistics(QWidget* parent, GameContext& ctx, const StatisticsLinks& links);
void ShowOverallScore(QWidget* parent, GameContext& ctx, const StatisticsLinks& links);

// The "Current:" line of the sequences: "Current: 2 won", "Current: 1 lost", or "Current"
// alone with neither streak.
std::string CurrentStreakText(const StatisticsRecord& record);
// The players' view: one value per player (the won percentage, or the average score),
// ascending, equal values in the players' order.
enum class PlayerValue { WonPercentage, AverageScore };
std::vector<std::pair<std::string, std::int64_t>>
PlayersByValue(const std::vector<PlayerRecord>& records, PlayerValue value);

// What the views have in common: they may open one another, and a game started from any of
// them closes every view on the way back.
class StatisticsView : public QDialog {
    Q_OBJECT
  public:
    bool gameStarted() const { return started_; }

  protected:
    StatisticsView(GameContext& ctx, const StatisticsLinks& links, QWidget* parent);
    // After a view opened from this one: when it started a game, this one closes too.
    void follow(bool started);

    GameContext& ctx_;
    StatisticsLinks links_;

  private:
    bool started_ = false;
};

// "Statistics": one game of one player, total, current session and sequences.
class GameStatisticsView : public StatisticsView {
    Q_OBJECT
  public:
    GameStatisticsView(GameContext& ctx, int game, const StatisticsLinks& links,
                       const std::string& player = {}, QWidget* parent = nullptr);
    int game() const;
    std::string player() const;
    // The figures as the files hold them now.
    void refresh();

  private:
    QComboBox* players_{};
    QComboBox* games_{};
    QLabel* pie_{};
    BarChart* sequences_{};
};

// "All games statistics": every game of one player.
class AllGamesStatisticsView : public StatisticsView {
    Q_OBJECT
  public:
    AllGamesStatisticsView(GameContext& ctx, const StatisticsLinks& links,
                           QWidget* parent = nullptr);
    void refresh();

  private:
    QComboBox* players_{};
    QButtonGroup* values_{};
    QTableWidget* grid_{};
};

// "Players' statistics": every player of one game.
class PlayersStatisticsView : public StatisticsView {
    Q_OBJECT
  public:
    PlayersStatisticsView(GameContext& ctx, int game, const StatisticsLinks& links,
                          QWidget* parent = nullptr);
    void refresh();

  private:
    QListWidget* games_{};
    QRadioButton* wonShare_{};
    QTableWidget* grid_{};
    BarChart* chart_{};
};

// "Log statistics": the log's lines, filtered by player and game.
class LogStatisticsView : public StatisticsView {
    Q_OBJECT
  public:
    LogStatisticsView(GameContext& ctx, const StatisticsLinks& links, QWidget* parent = nullptr);
    // Reads the log again (after it was cleared) and shows what the filters let through.
    void reload();
    void refresh();

  private:
    void playSelected();

    QComboBox* players_{};
    QComboBox* games_{};
    QTableWidget* grid_{};
    QLabel* count_{};
    QPushButton* play_{};
    std::vector<LogEntry> entries_; // every readable line
    std::vector<LogEntry> shown_;   // the grid's rows
};

// "Overall score": the players by overall score.
class OverallScoreView : public StatisticsView {
    Q_OBJECT
  public:
    OverallScoreView(GameContext& ctx, const StatisticsLinks& links, QWidget* parent = nullptr);
    void refresh();

  private:
    void showDetails();

    QTableWidget* grid_{};
    QPushButton* details_{};
};

// "Overall score details [player]": the player's best score and time in each game.
class OverallDetailsView : public QDialog {
    Q_OBJECT
  public:
    OverallDetailsView(const GameContext& ctx, const std::string& player,
                       QWidget* parent = nullptr);
};

} // namespace quendra
