#pragma once

#include "game_context.h"

#include <array>
#include <cstdint>

namespace quendra {

// What the card counter shows of one card of the decks in play.
enum class CounterCell : std::uint8_t {
    NotInPlay, // not dealt in this game, or the game has no such card
    Seen,      // can be seen on the table
    Hidden,    // still face down in the stock or on the table
};

// The counter's options: the two parts of the table it may be limited to (neither means
// both) and whether the seen and hidden pictures change places.
struct CardCounterOptions {
    bool tableauOnly = false;
    bool stockOnly = false;
    bool inverted = false;
};

// Cards 1 to 104: both decks, jokers aside.
constexpr int kCounterCards = 104;
using CounterGrid = std::array<CounterCell, kCounterCards>;

// Rows of the grid: one per suit, and a second set of four for a two-deck game.
int CounterRows(const GameContext& ctx);

// The cell of every card (index card - 1) for the table as it stands. The stock is always
// hidden; the waste is seen whole when the game has both a stock and a waste on the table,
// only its top card otherwise; tableau, foundations and the discard pile follow each card's
// face; reserves are always seen.
CounterGrid CountCards(const GameContext& ctx, const CardCounterOptions& options);

} // namespace quendra
