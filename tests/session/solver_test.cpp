#include "play_test_support.h"
#include "pointer.h"
#include "solver.h"

#include <climits>

namespace quendra::test {
namespace {

// Plays the solver's moves as the player would, with automatic play as the search had it:
// the engine takes every one of them.
void Replay(GameContext& ctx, const SolveResult& result, bool autoplay) {
    ctx.play.autoplayTicked = autoplay;
    for (const FoundMove& move : result.moves)
        ASSERT_TRUE(PlayFoundMove(ctx, move)) << FoundMoveText(move);
}

TEST(SolverTest, FindsAWinThatThePlayerCanReplay) {
    struct Order {
        const char* name;
        bool bestFirst;
        int beamWidth;
    };
    for (const Order order : {Order{"depth first", false, 0}, Order{"best first", true, 0},
                              Order{"beam", false, 50}}) {
        SCOPED_TRACE(order.name);
        DealtGame game(0, "1");
        const TableState dealt = CaptureTableState(game.ctx);
        SolveOptions options;
        options.autoplay = true;
        options.bestFirst = order.bestFirst;
        options.beamWidth = order.beamWidth;
        const SolveResult result = SolveDeal(game.ctx, options);
        ASSERT_TRUE(result.won);
        EXPECT_EQ(CaptureTableState(game.ctx), dealt); // the search plays on its own copy
        Replay(game.ctx, result, true);
        EXPECT_FALSE(game.ctx.flags[GameStateFlags::kInPlay]);
        EXPECT_TRUE(game.ctx.table.FilaGroup == decltype(game.ctx.table.FilaGroup){});
    }
}

// Where the stock is turned apart from the table's moves, a win found by the waste's cards at
// later turns of a three-card stock is written with every click before them, with automatic
// play or without: the list replays to the win.
TEST(SolverTest, WinsFoundAtLaterTurnsOfTheStockReplay) {
    for (const bool autoplay : {true, false}) {
        SCOPED_TRACE(autoplay ? "automatic play" : "no automatic play");
        DealtGame game(176, "1");
        SolveOptions options;
        options.autoplay = autoplay;
        options.mixed = true;
        const SolveResult result = SolveDeal(game.ctx, options);
        ASSERT_TRUE(result.won);
        Replay(game.ctx, result, autoplay);
        if (!autoplay) PlayFoundMove(game.ctx, FoundMove{FoundMove::Kind::Autoplay});
        EXPECT_TRUE(game.ctx.table.FilaGroup == decltype(game.ctx.table.FilaGroup){});
        EXPECT_TRUE(game.ctx.table.StockGroup[kMazzo].empty());
    }
}

// The mixed order keeps both verdicts: it still proves a deal lost, and it wins a deal on
// which depth first alone spends the same budget in vain.
TEST(SolverTest, MixedOrderProvesLossesAndFindsLongWins) {
    SolveOptions options;
    options.autoplay = true;
    options.moveBudget = 20000;
    DealtGame freeCell(1, "7");
    EXPECT_FALSE(SolveDeal(freeCell.ctx, options).won);
    options.mixed = true;
    const SolveResult won = SolveDeal(freeCell.ctx, options);
    ASSERT_TRUE(won.won);
    Replay(freeCell.ctx, won, true);
    EXPECT_FALSE(freeCell.ctx.flags[GameStateFlags::kInPlay]);

    DealtGame klondike(0, "15"); // no win: depth first looks at every position
    const SolveResult lost = SolveDeal(klondike.ctx, options);
    EXPECT_FALSE(lost.won);
    EXPECT_TRUE(lost.exhausted);

    // Depth first is cut here by its pruning alone, every round: best first, which keeps the
    // moves it prunes, proves the loss, and the search ends however large its budget.
    DealtGame threes(176, "65");
    options.moveBudget = INT_MAX;
    const SolveResult noWin = SolveDeal(threes.ctx, options);
    EXPECT_FALSE(noWin.won);
    EXPECT_TRUE(noWin.exhausted);
}

// The places of the poker grid score by their lines: the search may not take two grids that
// differ only in the order of their places for one, and so never says a deal has no win when
// it has looked at a sliver of its tables (deal 1 is won by the kept list).
TEST(SolverTest, APokerGridIsNotTakenForInterchangeablePiles) {
    DealtGame poker(241, "1");
    SolveOptions options;
    options.moveBudget = 20000;
    options.mixed = true;
    EXPECT_FALSE(SolveDeal(poker.ctx, options).exhausted);
}

TEST(SolverTest, GivesUpWhenTheBudgetIsSpent) {
    DealtGame game(1, "1");
    SolveOptions options;
    options.moveBudget = 5;
    const SolveResult result = SolveDeal(game.ctx, options);
    EXPECT_FALSE(result.won);
    EXPECT_LE(result.movesTried, 5);
    EXPECT_TRUE(result.moves.empty());
}

} // namespace
} // namespace quendra::test
