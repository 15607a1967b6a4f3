// Table drawing: a full redraw of a 1920 x 1080 table holding 104 cards, and the redraw of
// one pile that lost its top card.
#include "full_table.h"
#include "game_catalog.h"
#include "images_cards.h"
#include "images_module.h"
#include "new_game.h"
#include "silent_host.h"
#include "table_painter.h"

#include <memory>

#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace quendra {
namespace {

// Spider (two packs, 104 cards) dealt on a 1920 x 1080 table, every card dealt out to the
// ten piles so that all 104 are drawn.
struct Table {
    Table() : ctx(host), cards(module) {
        ctx.gamesFile = QUENDRA_GAMES_DAT;
        ctx.layoutArea = LayoutArea{5, 1920, 1080, 1079, 1920, 1080, 9};
        SetSetting(ctx.settings, field::kCardSize, "B");
        SetSetting(ctx.settings, field::kDealNumber, "1");
        LoadGameList(ctx);
        SelectAndStartGame(ctx, 91, GameName(ctx, 91), "Player 1", kKeepDealNumber, false);
        bench::SpreadStockFaceUp(ctx);
        module.Open(host, QUENDRA_SOL_RGF);
        cards.LoadCardImages(ctx.settings);
        painter = std::make_unique<TablePainter>(ctx, module, cards);
        painter->Resize(1920, 1080);
        painter->DrawTable();
    }
    SilentHost host{1920, 1080};
    GameContext ctx;
    ImagesModule module;
    CardImages cards;
    std::unique_ptr<TablePainter> painter;
};

void BM_FullTableRedraw(benchmark::State& state) {
    Table table;
    int cards = 0;
    for (int i = 0; i < kFilaPiles; ++i)
        cards += PileCardCount(table.ctx.table.FilaGroup[static_cast<std::size_t>(i)]);
    for (auto _ : state) {
        table.painter->DrawTable();
        benchmark::DoNotOptimize(table.painter->TableBuffer().constBits());
    }
    state.counters["cards"] = cards;
}
BENCHMARK(BM_FullTableRedraw)->Unit(benchmark::kMillisecond);

void BM_SinglePileRedraw(benchmark::State& state) {
    Table table;
    const PileRef pile = pile::Fila(3);
    const std::string full = table.ctx.table.Pile(pile);
    const std::string shorter = full.substr(0, full.size() - 3);
    for (auto _ : state) {
        table.ctx.table.Pile(pile) = shorter;
        table.painter->RedrawChangedPile(pile, full);
        table.ctx.table.Pile(pile) = full;
        table.painter->RedrawChangedPile(pile, shorter);
        benchmark::DoNotOptimize(table.painter->TakeDirty());
    }
}
BENCHMARK(BM_SinglePileRedraw)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace quendra

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
