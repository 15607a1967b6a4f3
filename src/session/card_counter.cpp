#include "card_counter.h"

#include "game_params.h"

namespace quendra {
namespace {

// The number of cards the game deals from, within the grid.
int CardsInPlay(const GameContext& ctx) {
    const int cards = ctx.Param(param::kDeckSize);
    return cards < 0 ? 0 : (cards > kCounterCards ? kCounterCards : cards);
}

void Mark(CounterGrid& grid, int card, bool seen) {
    if (card >= 1 && card <= kCounterCards)
        grid[static_cast<std::size_t>(card - 1)] = seen ? CounterCell::Seen : CounterCell::Hidden;
}

template <typename SeenTest> void MarkPile(CounterGrid& grid, const std::string& pile, SeenTest seen) {
    const int count = PileCardCount(pile);
    for (int i = 0; i < count; ++i) {
        const int card = PileCardAt(pile, i);
        Mark(grid, card, seen(card, i == count - 1));
    }
}

} // namespace

int CounterRows(const GameContext& ctx) {
    return ctx.Param(param::kDeckSize) > 52 ? 8 : 4;
}

CounterGrid CountCards(const GameContext& ctx, const CardCounterOptions& options) {
    CounterGrid grid;
    grid.fill(CounterCell::NotInPlay);
    const int inPlay = CardsInPlay(ctx);
    if (inPlay == 0) return grid;
    const auto byFace = [&ctx](int card, bool) { return ctx.cardTable.Face(card) == '1'; };
    const auto always = [](int, bool) { return true; };

    if (!options.tableauOnly) {
        MarkPile(grid, ctx.table.StockGroup[kMazzo], [](int, bool) { return false; });
        const bool stockShown = ctx.Param(param::kStockPlaced) == 1;
        if (ctx.Param(param::kWastePlaced) == 1)
            MarkPile(grid, ctx.table.StockGroup[kMazzoVis],
                     [stockShown](int, bool top) { return stockShown || top; });
    }
    if (!options.stockOnly) {
        for (int i = 0; i < TableauCount(ctx); ++i)
            MarkPile(grid, ctx.table.FilaGroup[static_cast<std::size_t>(i)], byFace);
        for (int i = 0; i < FoundationCount(ctx); ++i)
            MarkPile(grid, ctx.table.DestGroup[static_cast<std::size_t>(i)], byFace);
        MarkPile(grid, ctx.table.StockGroup[kMazzoWaste], byFace);
        for (int i = 0; i < ReserveCount(ctx); ++i)
            MarkPile(grid, ctx.table.AppoggGroup[static_cast<std::size_t>(i)], always);
    }
    // Cards past the game's deck are never shown, whatever a damaged table holds.
    for (int card = inPlay + 1; card <= kCounterCards; ++card)
        grid[static_cast<std::size_t>(card - 1)] = CounterCell::NotInPlay;
    if (options.inverted)
        for (CounterCell& cell : grid)
            if (cell != CounterCell::NotInPlay)
                cell = cell == CounterCell::Seen ? CounterCell::Hidden : CounterCell::Seen;
    return grid;
}

} // namespace quendra
