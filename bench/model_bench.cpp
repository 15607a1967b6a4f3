// Benchmarks of the model: dealing a numbered deal, reading the catalogue and loading a game's
// rules.
#include "deal.h"
#include "game_catalog.h"
#include "silent_host.h"

#include <benchmark/benchmark.h>

namespace {

void DealTwoPacks(benchmark::State& state) {
    quendra::SilentHost host(1920, 1080);
    quendra::GameContext ctx(host);
    ctx.params[370] = 104;
    quendra::DeckList deck;
    long long number = 1234567890123;
    for (auto _ : state) {
        quendra::SetSetting(ctx.settings, quendra::field::kDealNumber, std::to_string(number++));
        quendra::fnGameNumberCardsArray(ctx, deck);
        benchmark::DoNotOptimize(deck.data());
    }
}
BENCHMARK(DealTwoPacks);

void LoadFreeCellRules(benchmark::State& state) {
    quendra::SilentHost host(1920, 1080);
    quendra::GameContext ctx(host);
    ctx.gamesFile = QUENDRA_GAMES_DAT;
    if (!quendra::LoadGameList(ctx)) {
        state.SkipWithError("GAMES.DAT cannot be read");
        return;
    }
    quendra::SetSetting(ctx.settings, quendra::field::kGameNumber, "1");
    for (auto _ : state)
        benchmark::DoNotOptimize(quendra::LoadGameDefinition(ctx));
}
BENCHMARK(LoadFreeCellRules);

// What the start reads of the catalogue: every game's catalogue line, with the whole file read.
void ReadWholeCatalogue(benchmark::State& state) {
    quendra::SilentHost host(1920, 1080);
    quendra::GameContext ctx(host);
    ctx.gamesFile = QUENDRA_GAMES_DAT;
    for (auto _ : state) {
        if (!quendra::LoadGameList(ctx)) {
            state.SkipWithError("GAMES.DAT cannot be read");
            return;
        }
        benchmark::DoNotOptimize(ctx.mainGame.GameList.data());
    }
    state.counters["games"] = static_cast<double>(ctx.mainGame.GameList.size());
}
BENCHMARK(ReadWholeCatalogue)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
