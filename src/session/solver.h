#pragma once

#include "game_context.h"
#include "move_finder.h"

#include <atomic>
#include <chrono>
#include <vector>

namespace quendra {

struct SolveOptions {
    int moveBudget = 100000; // moves tried before the search gives up
    bool autoplay = false;   // play with "Au&toplay" ticked
    int maxDepth = 500;      // longest move list looked at
    bool bestFirst = false;  // take the most promising table further first, not the deepest
    int beamWidth = 0;       // when above 0, keep only this many of the most promising tables
                             // at each move number (a beam search: "no win" only when none
                             // was left behind)
    // A beam, best first and depth first in turn, each from the deal with a share of the
    // budget growing fourfold each round (2000 moves first), until one wins or one has looked
    // at every table; not with `bestFirst` or `beamWidth`.
    bool mixed = false;
    // The search gives up (no verdict) after this long, when above zero, or as soon as `stop`
    // is set (by another thread: the game it was asked about has changed).
    std::chrono::milliseconds timeLimit{0};
    const std::atomic<bool>* stop = nullptr;
};

struct SolveResult {
    bool won = false;
    // Not won and every position reachable within the depth was looked at: there is no win.
    bool exhausted = false;
    std::vector<FoundMove> moves; // the winning moves, in order
    int movesTried = 0;
};

// Looks for moves that win the dealt game in `ctx`, playing them on a copy of the game with
// the same calls the pointer and the command-line tool use: the rules are the engine's own.
// Depth first, foundation moves and moves that uncover face-down cards first, or best first
// (`bestFirst`: the table with the most cards home, the fewest face down, the best built), or
// a layer at a time keeping the most promising tables (`beamWidth`);
// every position seen once. `ctx` is left unchanged.
SolveResult SolveDeal(const GameContext& ctx, const SolveOptions& options);

} // namespace quendra
