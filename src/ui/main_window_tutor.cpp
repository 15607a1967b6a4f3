// The tutor's side of the main window: the legal-move hint, the demonstration and its window,
// and the arrow that shows each move.
#include "demo_window.h"
#include "game_context.h"
#include "game_params.h"
#include "main_window.h"
#include "move_finder.h"
#include "pointer.h"
#include "score.h"
#include "table_play.h"
#include "table_view.h"
#include "undo_commands.h"
#include "winnable_search.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <functional>

#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QPointer>
#include <QProgressDialog>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

namespace quendra {

namespace {

constexpr int kDemonstration = 3;
constexpr int kNoAssist = 0;
// The pause before the first move and between two moves of a demonstration.
constexpr int kDemoStartMs = 200;
constexpr int kDemoMoveMs = 500;
// How often a paused demonstration looks whether it may go on.
constexpr int kPausePollMs = 100;
constexpr int kStatusMs = 4000;
// The time "Is this game winnable?" gives the search.
constexpr std::chrono::milliseconds kWinnableSearchTime{15000};
// The time a hint gives the solver when the move finder sees nothing.
constexpr std::chrono::milliseconds kHintSearchTime{3000};

// While the tutor plays, the main window takes no input: its commands would change the game
// under the move on show. A close of the window waits until the tutor is done. The demo
// window stays live.
class TutorGuard : public QObject {
  public:
    explicit TutorGuard(QWidget* window) : QObject(window), window_(window) {}

    void Begin() {
        if (depth_++ == 0) qApp->installEventFilter(this);
    }
    // Answers whether a close of the window came while the tutor played.
    bool End() {
        if (--depth_ > 0) return false;
        qApp->removeEventFilter(this);
        const bool close = closeWanted_;
        closeWanted_ = false;
        return close;
    }

    // Called on a key or a button press in the window, or when it is asked to close: a
    // running demonstration stops.
    std::function<void()> onInterrupt;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != window_)
            return false;
        const bool interrupting = event->type() == QEvent::KeyPress ||
                                  event->type() == QEvent::MouseButtonPress ||
                                  (event->type() == QEvent::Close && watched == window_);
        if (interrupting && onInterrupt) onInterrupt();
        switch (event->type()) {
        case QEvent::Close:
            if (watched != window_) return false;
            closeWanted_ = true;
            event->ignore();
            return true;
        case QEvent::ShortcutOverride:
            // Taken here, so that no shortcut of the window fires.
            event->accept();
            return true;
        // Releases go through: whatever their presses held was let go when the tutor began.
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
            return true;
        default:
            return false;
        }
    }

  private:
    QWidget* window_;
    int depth_ = 0;
    bool closeWanted_ = false;
};

// Keeps the guard up for a scope; closes the window afterwards when that was asked meanwhile.
class GuardScope {
  public:
    GuardScope(QObject*& guard, QWidget* window) : window_(window) {
        if (!guard) guard = new TutorGuard(window);
        guard_ = static_cast<TutorGuard*>(guard);
        guard_->Begin();
    }
    ~GuardScope() {
        if (guard_->End() && window_) window_->close();
    }
    GuardScope(const GuardScope&) = delete;
    GuardScope& operator=(const GuardScope&) = delete;

    TutorGuard& guard() { return *guard_; }

  private:
    TutorGuard* guard_;
    QPointer<QWidget> window_;
};

} // namespace

void MainWindow::updateTutorCommands() {
    const bool gameChosen = currentGame() >= 0;
    const bool tutored = gameChosen && ctx_.Param(param::kTutorCommands) == 1;
    const bool inPlay = ctx_.flags[GameStateFlags::kInPlay] != 0;
    actions_.tutorMenu->menuAction()->setVisible(tutored);
    actions_.tutorMenu->setEnabled(tutored);
    actions_.showLegalMove->setEnabled(tutored && inPlay);
    actions_.demo->setEnabled(tutored && inPlay);
    actions_.isWinnable->setEnabled(tutored && inPlay);
}

void MainWindow::afterTutorMove() {
    updateUndoCommands();
    ShowScore(QString::number(StoredScore(ctx_)));
}

void MainWindow::ShowProposedMove(PileRef from, int position, PileRef to, int cardCount) {
    // From the middle of the card or group that moves to the middle of its destination.
    QRect moving = tablePlay_->CardRectInView(from, position);
    if (cardCount > 1) moving = moving.united(tablePlay_->CardRectInView(from, -1));
    const QRect target = ctx_.table.Pile(to).empty() ? tablePlay_->PileRectInView(to)
                                                     : tablePlay_->CardRectInView(to, -1);
    table_->setArrow(moving.center(), target.center());
}

void MainWindow::ClearProposedMove() {
    table_->clearArrow();
}

void MainWindow::ShowTutorText(const QString& text) {
    tutorText_ = text;
    if (demo_ && demo_->isVisible() && ctx_.play.assistMode == kDemonstration)
        demo_->setDescription(text);
    else
        statusBar()->showMessage(text, kStatusMs);
}

void MainWindow::ShowLegalMove() {
    if (demoRunning_ || !actions_.showLegalMove->isEnabled()) return;
    tutorText_.clear();
    tablePlay_->CancelGesture();
    // A line the solver has found is followed while the table is where it leads; where the
    // finder sees nothing, or only a move back to a table the game has had, the solver may
    // still know the way.
    bool moved = playSolversLine();
    const bool nowhere = !moved && NextMoveLeadsNowhere(ctx_);
    if (nowhere) moved = playSolversMove();
    if (!moved) {
        const GuardScope guard(tutorGuard_, this);
        moved = FindAndPlayNextMove(ctx_, false);
    }
    if (!moved && !nowhere) moved = playSolversMove();
    afterTutorMove();
    if (!moved) {
        statusBar()->clearMessage();
        ctx_.host.ShowInformation(tutorText_.isEmpty() ? std::string("No other moves.")
                                                       : tutorText_.toStdString());
    }
    updateGameCommands();
}

struct SolverLine {
    std::vector<FoundMove> moves;
    TableState from; // the table the first move starts from
};

void MainWindow::keepSolversLine(const GameContext& from, const std::vector<FoundMove>& moves) {
    solverLine_ = std::make_shared<SolverLine>(SolverLine{moves, CaptureTableState(from)});
}

bool MainWindow::playSolversLine() {
    if (!solverLine_ || solverLine_->moves.empty() || !ctx_.flags[GameStateFlags::kInPlay] ||
        !(CaptureTableState(ctx_) == solverLine_->from)) {
        solverLine_.reset();
        return false;
    }
    const FoundMove move = solverLine_->moves.front();
    solverLine_->moves.erase(solverLine_->moves.begin());
    const GuardScope guard(tutorGuard_, this);
    if (move.kind == FoundMove::Kind::Pile) {
        const int count = PileCardCount(ctx_.table.Pile(move.from)) - move.position;
        ShowProposedMove(move.from, move.position, move.to, move.group ? count : 1);
        ctx_.host.Wait(kDemoMoveMs);
        ClearProposedMove();
    }
    const bool played = PlayFoundMove(ctx_, move);
    if (played) {
        ctx_.play.moveMade = true;
        solverLine_->from = CaptureTableState(ctx_);
    } else {
        solverLine_.reset();
    }
    return played;
}

bool MainWindow::playSolversMove() {
    if (!ctx_.flags[GameStateFlags::kInPlay]) return false;
    SolveOptions options;
    options.moveBudget = INT_MAX;
    options.mixed = true;
    options.timeLimit = kHintSearchTime;
    options.autoplay = ctx_.play.autoplayTicked && ctx_.play.autoplayEnabled;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const SolveResult result = SolveBesideTheWindow(ctx_, options);
    QApplication::restoreOverrideCursor();
    if (!result.won || result.moves.empty()) return false;
    keepSolversLine(ctx_, result.moves);
    return playSolversLine();
}

void MainWindow::AskWhetherWinnable() {
    if (winnable_ || demoRunning_ || !actions_.isWinnable->isEnabled()) return;
    tablePlay_->CancelGesture();
    winnable_ = new WinnableSearch(ctx_, kWinnableSearchTime, this);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    winnableProgress_ = new QProgressDialog(this);
    winnableProgress_->setWindowTitle(QStringLiteral("Is this game winnable?"));
    winnableProgress_->setLabelText(QStringLiteral("Looking for a way to win this game..."));
    winnableProgress_->setCancelButtonText(QStringLiteral("Cancel"));
    winnableProgress_->setRange(0, static_cast<int>(kWinnableSearchTime.count() / 100));
    winnableProgress_->setMinimumDuration(0);
    winnableProgress_->setAutoClose(false);
    winnableProgress_->setAutoReset(false);
    winnableProgress_->setWindowModality(Qt::NonModal);
    auto* ticks = new QTimer(winnableProgress_);
    QProgressDialog* progress = winnableProgress_;
    const auto started = std::chrono::steady_clock::now();
    connect(ticks, &QTimer::timeout, progress, [progress, started] {
        const auto tenths = std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now() - started)
                                .count() /
                            100;
        progress->setValue(std::min(static_cast<int>(tenths), progress->maximum()));
    });
    ticks->start(100);
    connect(winnableProgress_, &QProgressDialog::canceled, this, [this] { endWinnableSearch(); });
    connect(winnable_, &WinnableSearch::finished, this, [this](WinnableSearch::Verdict verdict) {
        const int seconds = static_cast<int>(winnable_->limit().count() / 1000);
        endWinnableSearch();
        switch (verdict) {
        case WinnableSearch::Verdict::CanBeWon:
            ctx_.host.ShowInformation("This game can be won.");
            break;
        case WinnableSearch::Verdict::CanNoLongerBeWon:
            ctx_.host.ShowInformation("This game can no longer be won.");
            break;
        case WinnableSearch::Verdict::NoAnswerInTime:
            ctx_.host.ShowInformation("No answer was found in time.\n\nThe search was given " +
                                      std::to_string(seconds) + " seconds.");
            break;
        }
    });
    winnableProgress_->show();
}

void MainWindow::endWinnableSearch() {
    if (!winnable_) return;
    winnable_->Stop();
    winnable_->deleteLater();
    winnable_ = nullptr;
    // Hidden at once: the answer's message would otherwise show over it.
    winnableProgress_->hide();
    winnableProgress_->deleteLater();
    winnableProgress_ = nullptr;
    QApplication::restoreOverrideCursor();
}

void MainWindow::createDemoWindow() {
    demo_ = new DemoWindow(ctx_, this);
    // Stop ends the demonstration (after the move under way) and closes its window, also
    // once the demonstration has come to its end by itself.
    connect(demo_, &DemoWindow::stopRequested, this, [this] {
        demoStop_ = true;
        demo_->close();
    });
    connect(demo_, &DemoWindow::closed, this, [this] {
        // Closing ends the demonstration after the move under way.
        demoStop_ = true;
        if (demoRunning_) ctx_.play.assistMode = kNoAssist;
        table_->clearArrow();
        RedrawTable();
    });
    connect(demo_, &DemoWindow::pauseRequested, this, [this] {
        if (ctx_.flags[GameStateFlags::kInPlay]) actions_.pause->setChecked(true);
        demo_->setPaused(table_->paused());
    });
    connect(demo_, &DemoWindow::playRequested, this, [this] {
        actions_.pause->setChecked(false);
        demo_->setPaused(table_->paused());
    });
    connect(demo_, &DemoWindow::previousRequested, this, [this] {
        // Between two moves of a running demonstration, or at once when none runs.
        if (demoRunning_)
            demoStepBack_ = true;
        else
            stepBackInDemonstration();
    });
    connect(actions_.pause, &QAction::toggled, demo_, &DemoWindow::setPaused);
}

void MainWindow::CloseDemoWindow() {
    if (demo_ && demo_->isVisible()) demo_->close();
}

void MainWindow::stepBackInDemonstration() {
    constexpr int kStepsBack = 3;
    int undone = 0;
    for (; undone < kStepsBack && ctx_.flags[GameStateFlags::kInPlay] &&
           ctx_.undoHistory.undo.Steps() > 0;
         ++undone)
        Undo(ctx_);
    if (undone == 0) {
        ctx_.host.Beep();
        return;
    }
    demo_->setCounter(std::max(0, demo_->counter() - undone));
    RedrawTable();
    afterTutorMove();
}

void MainWindow::RunDemonstration() {
    if (demoRunning_ || !ctx_.flags[GameStateFlags::kInPlay] || currentGame() < 0 ||
        ctx_.Param(param::kTutorCommands) != 1)
        return;
    if (!demo_) createDemoWindow();
    demo_->setCounter(0);
    demo_->setDescription(QString());
    demo_->setPaused(table_->paused());
    demo_->showForDemonstration(this);

    tablePlay_->CancelGesture();
    GuardScope guard(tutorGuard_, this);
    guard.guard().onInterrupt = [this] { demoStop_ = true; };
    demoRunning_ = true;
    demoStop_ = false;
    demoStepBack_ = false;
    // The demonstration's moves are undo steps, so that it can step back.
    const bool recording = ctx_.play.demoRecording;
    ctx_.play.demoRecording = true;
    // A hint still on show ends.
    table_->clearArrow();
    ctx_.play.assistMode = kDemonstration;
    ctx_.host.Wait(kDemoStartMs);

    const auto goOn = [this] {
        return !demoStop_ && ctx_.play.assistMode == kDemonstration &&
               ctx_.flags[GameStateFlags::kInPlay] && isVisible();
    };
    while (goOn()) {
        // A paused game waits, the event loop running, until it goes on or the demo ends.
        while (table_->paused() && goOn())
            ctx_.host.Wait(kPausePollMs);
        if (!goOn()) break;
        if (demoStepBack_) {
            demoStepBack_ = false;
            stepBackInDemonstration();
        }
        const bool moved = FindAndPlayNextMove(ctx_, true);
        afterTutorMove();
        if (!moved) break;
        demo_->setCounter(demo_->counter() + 1);
        ctx_.host.Wait(kDemoMoveMs);
        if (!goOn()) break;
        ctx_.play.assistMode = kDemonstration;
    }
    ctx_.play.assistMode = kNoAssist;
    ctx_.play.demoRecording = recording;
    guard.guard().onInterrupt = nullptr;
    demoRunning_ = false;
    // Stopped by the player (Stop, a key, a click): the window goes with it. A demonstration
    // that came to its end keeps its window, with "End of Demo", until it is closed.
    if (demoStop_ && demo_->isVisible()) demo_->close();
    table_->clearArrow();
    RedrawTable();
    updateGameCommands();
}

} // namespace quendra
