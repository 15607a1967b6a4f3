#include "winnable_search.h"

#include <climits>

#include <QCoreApplication>

namespace quendra {

WinnableSearch::WinnableSearch(const GameContext& game, std::chrono::milliseconds limit,
                               QObject* parent)
    : QObject(parent), limit_(limit) {
    // The copy is made here, on the window's thread; the search reads only the copy.
    CopyGameState(game_, game);
    worker_ = std::thread([this] {
        SolveOptions options;
        options.moveBudget = INT_MAX;
        options.mixed = true;
        options.timeLimit = limit_;
        options.stop = &stop_;
        const SolveResult result = SolveDeal(game_, options);
        if (stop_.load()) return;
        const Verdict verdict = result.won         ? Verdict::CanBeWon
                                : result.exhausted ? Verdict::CanNoLongerBeWon
                                                   : Verdict::NoAnswerInTime;
        // Queued to the window's thread; dropped if this object is gone by then.
        QMetaObject::invokeMethod(
            this, [this, verdict] { if (!stop_.load()) emit finished(verdict); },
            Qt::QueuedConnection);
    });
}

WinnableSearch::~WinnableSearch() {
    Stop();
    if (worker_.joinable()) worker_.join();
}

void WinnableSearch::Stop() {
    stop_.store(true);
}

SolveResult SolveBesideTheWindow(const GameContext& game, const SolveOptions& options) {
    // The search reads a copy: the window's timers go on changing the game meanwhile.
    SilentHost host;
    GameContext copy(host);
    CopyGameState(copy, game);
    SolveResult result;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        result = SolveDeal(copy, options);
        done.store(true);
    });
    while (!done.load())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    worker.join();
    return result;
}

} // namespace quendra
