// Benchmarks of the model: dealing a numbered deal, reading the catalogue and loading a game's
// rules.
#include "deal.h"
#include "game_catalog.h"
#include "silent_host.h"

#include <filesystem>

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>

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

// What the start reads of the catalogue: every game's catalogue line, with the whole file read
// (the file is touched before each reading, so that the copy kept in memory is not used).
void ReadWholeCatalogue(benchmark::State& state) {
    quendra::SilentHost host(1920, 1080);
    quendra::GameContext ctx(host);
    const auto copy = std::filesystem::temp_directory_path() / "quendra-bench-GAMES.DAT";
    std::filesystem::copy_file(QUENDRA_GAMES_DAT, copy,
                               std::filesystem::copy_options::overwrite_existing);
    ctx.gamesFile = copy.string();
    for (auto _ : state) {
        state.PauseTiming();
        ::utimensat(AT_FDCWD, ctx.gamesFile.c_str(), nullptr, 0);
        state.ResumeTiming();
        if (!quendra::LoadGameList(ctx)) {
            state.SkipWithError("GAMES.DAT cannot be read");
            return;
        }
        benchmark::DoNotOptimize(ctx.mainGame.GameList.data());
    }
    state.counters["games"] = static_cast<double>(ctx.mainGame.GameList.size());
    std::filesystem::remove(copy);
}
BENCHMARK(ReadWholeCatalogue)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
