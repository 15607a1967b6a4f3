// One frame of a drag over a full table: the main window (off-screen) at 1920 x 1080 with
// Spider's 104 cards all dealt out to the tableau, a card lifted with the mouse, and per
// iteration one pointer move over the table view and the repaint of the view.
#include "full_table.h"
#include "game_context.h"
#include "main_window.h"
#include "settings.h"
#include "silent_host.h"
#include "table_play.h"
#include "table_view.h"

#include <memory>

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest/QtTest>

#include <benchmark/benchmark.h>

namespace quendra {
namespace {

constexpr int kSpider = 91;

struct Window {
    Window() : ctx(host) {
        SetProgramDir(ctx, dir.path().toStdString());
        ctx.gamesFile = QUENDRA_GAMES_DAT;
        ctx.imagesFile = QUENDRA_SOL_RGF;
        window = std::make_unique<MainWindow>(ctx);
        window->setBrowserAtStart(false);
        if (!window->StartUp()) return;
        SetSetting(ctx.settings, field::kDealAnimation, "N");
        SetSetting(ctx.settings, field::kSpeedMoveCard, "0");
        window->setGeometry(0, 0, 1920, 1080);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get())) return;
        if (!window->StartGameDeal(kSpider, "1")) return;
        ctx.play.autoplayTicked = false;
        bench::SpreadStockFaceUp(ctx);
        window->layoutTable();
        QCoreApplication::processEvents();
        ready = true;
    }
    TableView* view() const { return window->table(); }

    QTemporaryDir dir;
    SilentHost host{1920, 1080};
    GameContext ctx;
    std::unique_ptr<MainWindow> window;
    bool ready = false;
};

// Counts the paints of a widget.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int paints = 0;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return QObject::eventFilter(watched, event);
    }
};

// Lifts the top card of the first pile; false when it could not be lifted.
bool Lift(Window& w, QPoint& start) {
    const QRect card = w.window->tablePlay()->CardRectInView(pile::Fila(0));
    start = card.center();
    QTest::mousePress(w.view(), Qt::LeftButton, {}, start);
    QTest::mouseMove(w.view(), start + QPoint(20, 20));
    QCoreApplication::processEvents();
    return w.view()->hasFloating();
}

// Across the table and back, over every pile, a little lower on each pass.
QPoint PathPoint(const Window& w, int step) {
    const int width = w.view()->width() - 120;
    const int x = (step * 13) % (2 * width);
    return {x < width ? x : 2 * width - x, 200 + step % 300};
}

void Frames(benchmark::State& state, bool wholeView) {
    Window w;
    if (!w.ready) {
        state.SkipWithError("the window did not start");
        return;
    }
    int cards = 0;
    for (int i = 0; i < kFilaPiles; ++i)
        cards += PileCardCount(w.ctx.table.FilaGroup[static_cast<std::size_t>(i)]);
    QPoint start;
    if (!Lift(w, start)) {
        state.SkipWithError("no card was lifted");
        return;
    }
    PaintCounter counter(w.view());
    int step = 0;
    for (auto _ : state) {
        QTest::mouseMove(w.view(), PathPoint(w, step++));
        if (wholeView)
            w.view()->repaint();
        else // what the pointer move left to draw: the card's old and new places
            QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    }
    state.counters["cards"] = cards;
    state.counters["paints"] =
        benchmark::Counter(counter.paints, benchmark::Counter::kAvgIterations);
    QTest::mouseRelease(w.view(), Qt::LeftButton, {}, start);
}

// A frame as the event loop draws it: the move, then the paint of the rectangles it changed.
void BM_DragFrame(benchmark::State& state) {
    Frames(state, false);
}
BENCHMARK(BM_DragFrame)->Unit(benchmark::kMicrosecond);

// The same move with the whole view painted again (the worst a frame can cost).
void BM_DragFrameWholeView(benchmark::State& state) {
    Frames(state, true);
}
BENCHMARK(BM_DragFrameWholeView)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace quendra

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
