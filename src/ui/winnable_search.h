#pragma once

#include "game_context.h"
#include "silent_host.h"
#include "solver.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include <QObject>

namespace quendra {

// "Is this game winnable?": the solver searches a copy of the game on a thread of its own,
// within a time limit, while the window goes on. `finished` comes on the window's thread;
// after Stop (the game has changed) or the object's end it does not come.
class WinnableSearch : public QObject {
    Q_OBJECT

  public:
    enum class Verdict { CanBeWon, CanNoLongerBeWon, NoAnswerInTime };

    WinnableSearch(const GameContext& game, std::chrono::milliseconds limit, QObject* parent);
    ~WinnableSearch() override;
    WinnableSearch(const WinnableSearch&) = delete;
    WinnableSearch& operator=(const WinnableSearch&) = delete;

    void Stop();
    std::chrono::milliseconds limit() const { return limit_; }
    // The table the question was asked about (the search only reads its copy).
    const PileGroups& table() const { return game_.table; }

  signals:
    void finished(quendra::WinnableSearch::Verdict verdict);

  private:
    SilentHost host_;
    GameContext game_{host_};
    std::chrono::milliseconds limit_;
    std::atomic<bool> stop_{false};
    std::thread worker_;
};

// Runs the solver on a copy of `game` on a thread of its own while the window goes on
// drawing itself (its input waits); answers when the search ends.
SolveResult SolveBesideTheWindow(const GameContext& game, const SolveOptions& options);

} // namespace quendra
