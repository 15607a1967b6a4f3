#include "legality.h"
#include "pick_up.h"
#include "play_test_support.h"
#include "pointer.h"
#include "undo_commands.h"

#include <algorithm>
#include <map>
#include <random>

namespace quendra::test {
namespace {

// A readable position for failure messages.
std::string Describe(const TableState& state) {
    std::string text = "pass " + std::to_string(state.passNumber) + " deals " +
                       std::to_string(state.dealCount) + "\n";
    for (int line = 0; line < kSnapshotLines; ++line) {
        const PileRef pile = SnapshotLinePile(line);
        const std::string& cards = state.table.Pile(pile);
        if (cards.empty()) continue;
        text += PileName(pile) + ":";
        for (int k = 0; k < PileCardCount(cards); ++k) {
            const int card = PileCardAt(cards, k);
            text +=
                " " + std::to_string(card) + (card > 0 && state.faces[card - 1] == '0' ? "v" : "");
        }
        text += "\n";
    }
    return text;
}

// Every card on the table, counted.
std::map<int, int> CardCounts(const GameContext& ctx) {
    std::map<int, int> counts;
    const auto add = [&](const auto& group) {
        for (const std::string& pile : group)
            for (int k = 0; k < PileCardCount(pile); ++k)
                if (const int card = PileCardAt(pile, k); card > 0) ++counts[card];
    };
    add(ctx.table.StockGroup);
    add(ctx.table.DestGroup);
    add(ctx.table.FilaGroup);
    add(ctx.table.AppoggGroup);
    return counts;
}

struct Drag {
    PileRef from;
    int position;
    PileRef to;
};

// The drags the rules allow now, asked of the engine's pick-up and drop tests.
std::vector<Drag> LegalDrags(GameContext& ctx) {
    std::vector<Drag> drags;
    // The piles the game has.
    std::vector<PileRef> piles = {kWaste};
    for (int i = 0; i < std::min<int>(ctx.Param(366), kDestPiles); ++i)
        piles.push_back(Dest(i));
    for (int i = 0; i < std::min<int>(ctx.Param(367), kFilaPiles); ++i)
        piles.push_back(Fila(i));
    for (int i = 0; i < std::min<int>(ctx.Param(368), kAppoggPiles); ++i)
        if (PileHasPlace(ctx, Appogg(i))) piles.push_back(Appogg(i));
    for (const PileRef from : piles) {
        const int count = PileCardCount(ctx.table.Pile(from));
        for (int k = 0; k < count; ++k) {
            const PickUp pick = CanPickUp(ctx, from, k);
            if (!pick.allowed) continue;
            fnHoldCard(ctx, from, pick.card, pick.groupSize);
            for (const PileRef to : piles)
                if (!(to == from) && to.group != PileGroupId::Stock &&
                    fnCanDropOnPile(ctx, pick.card, PileName(to)))
                    drags.push_back({from, k, to});
            fnClearDrag(ctx);
        }
    }
    return drags;
}

// Random play over several deals of every game: stock clicks, redeals, drags, clicks on
// face-down cards, undo and redo. No card is ever lost or doubled; undo after a step gives
// back the exact position with its pass number and deal count; redo gives the step again.
// A gesture that records several steps (a move and the filling of the pile it emptied) is
// taken back step by step.
TEST(PropertyTest, RandomPlayKeepsEveryCardAndUndoRedoRestoreExactly) {
    const std::vector<int> games = CatalogueGames();
    ASSERT_FALSE(games.empty());
    std::mt19937 random(20261208);
    int steps = 0;
    for (const int game : games) {
        for (const char* deal : {"11", "3456789"}) {
            DealtGame dealt(game, deal);
            GameContext& ctx = dealt.ctx;
            const std::map<int, int> dealtCards = CardCounts(ctx);
            ASSERT_FALSE(dealtCards.empty()) << game;
            for (const auto& [card, n] : dealtCards)
                ASSERT_EQ(n, 1) << game << " card " << card;
            for (int step = 0; step < 24 && ctx.flags[GameStateFlags::kInPlay]; ++step) {
                const TableState before = CaptureTableState(ctx);
                const int stepsBefore = ctx.undoHistory.undo.Steps();
                const int choice = static_cast<int>(random() % 10);
                const std::vector<Drag> drags = choice < 3 ? std::vector<Drag>{} : LegalDrags(ctx);
                bool changed = false;
                std::string what;
                if (choice < 3 || drags.empty()) {
                    what = "stock";
                    changed = PlayStockClick(ctx);
                } else {
                    const Drag& d = drags[random() % drags.size()];
                    what =
                        PileName(d.from) + ":" + std::to_string(d.position) + ">" + PileName(d.to);
                    changed = PlayDragMove(ctx, d.from, d.position, d.to);
                    EXPECT_TRUE(changed) << game << " " << what << " was allowed but not played";
                }
                ++steps;
                ASSERT_EQ(CardCounts(ctx), dealtCards) << game << " deal " << deal << " " << what;
                if (!changed || !ctx.flags[GameStateFlags::kInPlay]) continue;
                const TableState after = CaptureTableState(ctx);
                // A gesture may record several steps: the move and the fillings after it.
                const int recorded = ctx.undoHistory.undo.Steps() - stepsBefore;
                ASSERT_GE(recorded, 1) << game << " " << what << " recorded no step";
                for (int i = 0; i < recorded; ++i)
                    ASSERT_TRUE(Undo(ctx)) << game << " " << what;
                EXPECT_TRUE(CaptureTableState(ctx) == before)
                    << game << " undo of " << what << "\nafter undo:\n"
                    << Describe(CaptureTableState(ctx)) << "before:\n"
                    << Describe(before);
                for (int i = 0; i < recorded; ++i)
                    ASSERT_TRUE(Redo(ctx)) << game << " " << what;
                EXPECT_TRUE(CaptureTableState(ctx) == after)
                    << game << " redo of " << what << "\nafter redo:\n"
                    << Describe(CaptureTableState(ctx)) << "expected:\n"
                    << Describe(after);
                ASSERT_EQ(CardCounts(ctx), dealtCards) << game << " " << what;
            }
        }
    }
    EXPECT_GT(steps, 700);
}

} // namespace
} // namespace quendra::test
