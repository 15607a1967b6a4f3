// Benchmarks of the model: dealing a numbered deal and loading a game's rules.
#include "deal.h"
#include "game_catalog.h"

#include <benchmark/benchmark.h>

namespace {

class SilentHost : public quendra::Host {
  public:
    void ShowInformation(const std::string&) override {}
    void ShowError(const std::string&) override {}
    bool Confirm(const std::string&) override { return true; }
    Answer AskYesNoCancel(const std::string&) override { return Answer::Yes; }
    bool ShowAdvice(const std::string&, int) override { return false; }
    void Beep() override {}
    void BeginWait() override {}
    void EndWait() override {}
    int ScreenWidth() const override { return 1920; }
    int ScreenHeight() const override { return 1080; }
};

void DealTwoPacks(benchmark::State& state) {
    SilentHost host;
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
    SilentHost host;
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

} // namespace

BENCHMARK_MAIN();
