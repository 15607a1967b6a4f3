#include "families_puzzles.h"

#include "cards.h"
#include "game_params.h"

namespace quendra {

namespace {

constexpr int kSuitCards = 13;
constexpr int kTowerCards = 9;
constexpr int kSolvedPuzzleScore = 150;

// The card the puzzle wants at `place` (0-based): the Ace to the King of hearts, then the
// clubs from the Ace (card numbers 27 on).
int PuzzleCardAt(int place) {
    return place < kSuitCards ? place + 1 : 2 * kSuitCards + (place - kSuitCards) + 1;
}

const std::string& Fila(const GameContext& ctx, int index) {
    return ctx.table.Pile({PileGroupId::Fila, index});
}

} // namespace

bool PuzzleInOrder(const GameContext& ctx) {
    const int places = TableauCount(ctx);
    if (places < 2 || !Fila(ctx, places - 1).empty()) return false;
    for (int i = 0; i + 1 < places; ++i) {
        const std::string& place = Fila(ctx, i);
        if (PileCardCount(place) != 1 || PileTopCard(place) != PuzzleCardAt(i)) return false;
    }
    return true;
}

int PuzzleScore(const GameContext& ctx) {
    return PuzzleInOrder(ctx) ? kSolvedPuzzleScore : -ctx.Param(param::kDeckSize);
}

bool TowerBuilt(const GameContext& ctx) {
    for (int p = 0; p < TableauCount(ctx); ++p) {
        const std::string& pile = Fila(ctx, p);
        if (PileCardCount(pile) != kTowerCards) continue;
        bool ordered = true;
        for (int i = 0; i < kTowerCards && ordered; ++i)
            ordered = fnRank(PileCardAt(pile, i)) == kTowerCards - i;
        if (ordered) return true;
    }
    return false;
}

} // namespace quendra
