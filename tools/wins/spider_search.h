#pragma once

// A search for winning lines of Spider on its own small model of the game, used to write the
// winning move lists the tests replay. Standard library only.

#include <array>
#include <cstdint>
#include <vector>

namespace quendra::spider {

constexpr int kMaxPiles = 13;
constexpr int kMaxTableCards = 104;
constexpr int kRunLength = 13;

// A card as one byte: rank 1 to 13 in the low four bits, suit 0 to 3 above.
using Card = std::uint8_t;
constexpr Card MakeCard(int rank, int suit) {
    return static_cast<Card>(rank | (suit << 4));
}
constexpr int RankOf(Card card) {
    return card & 0x0F;
}
constexpr int SuitOf(Card card) {
    return card >> 4;
}
// Suits 0 and 1 are red, 2 and 3 black.
constexpr bool IsRed(Card card) {
    return SuitOf(card) < 2;
}

// What two cards must share: a suit, a colour, or nothing.
enum class Match : std::uint8_t { Any, Colour, Suit };
bool Matches(Match match, Card a, Card b);

// The game's rules: what a card built on another must share with it, what the cards of a
// group moved together share, what the cards of a finished run share, and whether finished
// runs are kept even between red and black (by the colour of their Ace).
struct Rules {
    Match build = Match::Any;
    Match group = Match::Suit;
    Match finish = Match::Suit;
    bool balancedColours = false;
    // A face-down card left on top turns up by itself only after a group of cards has moved
    // (then every such card turns); otherwise a click on it turns it.
    bool turnAfterGroupsOnly = false;
};

// The table: the piles laid end to end, bottom card first, the face-down cards of each pile
// at its bottom; the stock is kept outside and only the number of deals made is part of it.
struct Position {
    int piles = kMaxPiles;
    std::array<std::uint8_t, kMaxPiles> length{};
    std::array<std::uint8_t, kMaxPiles> down{}; // face-down cards at the bottom of each pile
    std::array<Card, kMaxTableCards> cards{};
    std::uint8_t deals = 0;      // deals made from the stock
    std::uint8_t removed = 0;    // finished runs that left the table
    std::uint8_t removedRed = 0; // of them, the runs with a red Ace

    int Start(int pile) const;
    Card At(int pile, int position) const { return cards[Start(pile) + position]; }
    Card Top(int pile) const { return At(pile, length[pile] - 1); }
    bool Empty(int pile) const { return length[pile] == 0; }
    // Cards from `position` to the top of `pile` run down, lie face up and share `match`.
    bool InRun(int pile, int position, Match match) const;
    // The lowest position of the run sharing `match` that ends at the top of `pile`.
    int RunStart(int pile, Match match) const;
};

// The deal: the position and the stock, next card to deal first.
struct Deal {
    Position start;
    std::vector<Card> stock;
    int totalRuns = 8;
    Rules rules;
};

// A move: the cards from `position` to the top of pile `from` onto pile `to`, a deal from the
// stock onto every pile, or (`turn`) a click that turns up the face-down top card of `from`.
struct Move {
    bool deal = false;
    int from = 0;
    int position = 0;
    int to = 0;
    bool turn = false;
    bool operator==(const Move&) const = default;
};

// Whether the stock may deal: cards left and no pile empty.
bool CanDeal(const Deal& deal, const Position& position);
// Plays a move if it is legal: a group onto a face-up card one rank higher or onto an empty
// pile, a deal, or a click turning a face-down top card. A finished King-to-Ace run at the
// top of the two piles of a move leaves the table, and face-down cards left on top turn up as
// the rules say. False when illegal.
bool Play(const Deal& deal, Position& position, const Move& move);
// The legal moves worth looking at: runs are not split and cards are not moved sideways
// between cards of the same rank unless that builds in suit or finishes a run (or, where runs
// of any suits move, sends the part built in suit to a space). Clicks that
// turn a card up only with `clicks`.
std::vector<Move> UsefulMoves(const Deal& deal, const Position& position, bool clicks);
bool Won(const Deal& deal, const Position& position);
// How promising a position looks; higher is better.
int Score(const Rules& rules, const Position& position);
// A hash of the position that does not depend on the order of the piles.
std::uint64_t CanonicalHash(const Position& position);

struct SearchOptions {
    int beamWidth = 2000;
    long long nodeBudget = 2'000'000; // positions generated before the search gives up
    int maxDepth = 1500;
    bool clicks = true; // whether the line may click a face-down card to turn it up
};

struct SearchResult {
    bool won = false;
    std::vector<Move> moves;
    long long nodes = 0;
    int mostRemoved = 0; // the most finished runs any position reached
    int depth = 0;       // move layers searched
};

// Beam search: each move layer keeps the best-scoring positions not seen before.
SearchResult Solve(const Deal& deal, const SearchOptions& options);

} // namespace quendra::spider
