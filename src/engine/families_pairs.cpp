#include "families_pairs.h"

#include "cards.h"
#include "game_params.h"
#include "legality.h"
#include "pick_up.h"
#include "stock.h"

#include <algorithm>
#include <vector>

namespace quendra {

namespace {

// The pyramid of 159 Pyramid and 77 Giza: seven rows, 28 cards.
constexpr int kPyramidRows = 7;

const std::string& Selected(const GameContext& ctx) {
    return ctx.table.Pile({PileGroupId::Dest, 0});
}

// The rank of the one card selected; 0 when none or more are.
int FirstSelectedRank(const GameContext& ctx) {
    return PileCardCount(Selected(ctx)) == 1 ? fnRank(PileCardAt(Selected(ctx), 0)) : 0;
}

// The stock can still bring cards into play by a click: it deals onto the waste or the
// piles while it holds cards, or turns the waste over while passes are left. A stock that
// only fills the places a pair leaves brings nothing by itself.
bool StockCanPlay(const GameContext& ctx) {
    const bool deals = ctx.Param(param::kWastePlaced) == 1 || ctx.Param(param::kTableauDealFlag) != 0;
    if (!deals) return false;
    if (!ctx.table.Pile({PileGroupId::Stock, kMazzo}).empty()) return true;
    return ctx.Param(param::kWastePlaced) == 1 &&
           !ctx.table.Pile({PileGroupId::Stock, kMazzoVis}).empty() && RedealLeft(ctx);
}

// The cards a click may take now: the free cards of the tableau (lower cards too where they
// may be lifted), the reserves' and the waste's top cards, the top card of a stock that lies
// face up. Empty when a face-down top card is still to be turned: nothing is decided then.
std::vector<int> FreeCards(const GameContext& ctx, bool& faceDownTop) {
    std::vector<int> cards;
    faceDownTop = false;
    const auto consider = [&](PileRef pile, bool everyPosition) {
        const std::string& text = ctx.table.Pile(pile);
        const int count = PileCardCount(text);
        for (int k = everyPosition ? 0 : count - 1; k >= 0 && k < count; ++k) {
            const PickUp pick = CanPickUp(ctx, pile, k);
            if (pick.turnFaceDownCard) faceDownTop = true;
            if (pick.allowed && pick.card == PileCardAt(text, k)) cards.push_back(pick.card);
        }
    };
    for (int i = 0; i < TableauCount(ctx); ++i)
        consider({PileGroupId::Fila, i}, true);
    for (int i = 0; i < ReserveCount(ctx); ++i)
        consider({PileGroupId::Appogg, i}, false);
    consider({PileGroupId::Stock, kMazzoVis}, false);
    const int stockTop = PileTopCard(ctx.table.Pile({PileGroupId::Stock, kMazzo}));
    if (stockTop > 0 && ctx.Param(param::kStockFaceDown) == 0) cards.push_back(stockTop);
    return cards;
}

// Lost: cards are left, the stock brings no more, no face-down top card waits to be turned,
// and no free card leaves alone nor with another free card.
bool NoPairLeft(const GameContext& ctx, bool (*pairs)(int rank, int other), bool (*alone)(int)) {
    if (StockCanPlay(ctx)) return false;
    bool faceDownTop = false;
    const std::vector<int> cards = FreeCards(ctx, faceDownTop);
    if (faceDownTop) return false;
    bool cardsLeft = !cards.empty();
    for (const std::string& pile : ctx.table.FilaGroup)
        cardsLeft = cardsLeft || !pile.empty();
    if (!cardsLeft) return false;
    for (std::size_t a = 0; a < cards.size(); ++a) {
        if (alone != nullptr && alone(fnRank(cards[a]))) return false;
        for (std::size_t b = a + 1; b < cards.size(); ++b)
            if (pairs(fnRank(cards[a]), fnRank(cards[b]))) return false;
    }
    return true;
}

// Royal Marriage's row, tableau pile 1.
const std::string& Row(const GameContext& ctx) {
    return ctx.table.Pile({PileGroupId::Fila, 0});
}

// The place of `card` in the row; -1 when it lies elsewhere.
int RowPlace(const GameContext& ctx, int card) {
    for (int k = 0; k < PileCardCount(Row(ctx)); ++k)
        if (PileCardAt(Row(ctx), k) == card) return k;
    return -1;
}

// The `count` cards of the row from `first` on lie between two cards of one suit or one rank.
bool LieBetweenAMatch(const GameContext& ctx, int first, int count) {
    const std::string& row = Row(ctx);
    if (first < 1 || first + count >= PileCardCount(row)) return false;
    const int left = PileCardAt(row, first - 1);
    const int right = PileCardAt(row, first + count);
    return fnSuit(left) == fnSuit(right) || fnRank(left) == fnRank(right);
}

// The selected cards, one or two side by side in the row, lie between a match.
bool SelectionLiesBetweenAMatch(const GameContext& ctx, int joining) {
    std::vector<int> places;
    for (int i = 0; i < PileCardCount(Selected(ctx)); ++i)
        places.push_back(RowPlace(ctx, PileCardAt(Selected(ctx), i)));
    if (joining > 0) places.push_back(RowPlace(ctx, joining));
    if (places.empty() || places.size() > 2) return false;
    const int first = *std::min_element(places.begin(), places.end());
    const int last = *std::max_element(places.begin(), places.end());
    if (first < 0 || last - first + 1 != static_cast<int>(places.size())) return false;
    return LieBetweenAMatch(ctx, first, last - first + 1);
}

bool SameRank(int rank, int other) {
    return rank == other;
}
bool AddUpToFourteen(int rank, int other) {
    return rank + other == 14;
}
bool AddUpToThirteen(int rank, int other) {
    return rank + other == 13;
}
bool IsKing(int rank) {
    return rank == kKing;
}

} // namespace

bool PairAddsUpToFourteen(const GameContext& ctx) {
    return PileCardCount(Selected(ctx)) == 2 && SelectedRankSum(ctx) == 14;
}

bool PairAddsUpToThirteen(const GameContext& ctx) {
    const int count = PileCardCount(Selected(ctx));
    if (count == 1) return fnRank(PileCardAt(Selected(ctx), 0)) == kKing;
    return count == 2 && SelectedRankSum(ctx) == 13;
}

bool PairOfOneRank(const GameContext& ctx) {
    const std::string& selected = Selected(ctx);
    return PileCardCount(selected) == 2 &&
           fnRank(PileCardAt(selected, 0)) == fnRank(PileCardAt(selected, 1));
}

bool SelectsFromAnyPileButStock(const GameContext& /*ctx*/, PileRef pile) {
    return pile != PileRef{PileGroupId::Stock, kMazzo} &&
           pile != PileRef{PileGroupId::Stock, kMazzoWaste};
}

bool SelectsFromPyramidPiles(const GameContext& ctx, PileRef pile) {
    switch (pile.group) {
    case PileGroupId::Fila:
    case PileGroupId::Appogg:
        return true;
    case PileGroupId::Dest:
        return false;
    case PileGroupId::Stock:
        break;
    }
    if (pile.index == kMazzoVis) return !ctx.table.Pile(pile).empty();
    // A card on the stock is selected while another is, where the stock lies face up: a
    // card nobody sees is never paired.
    return pile.index == kMazzo && ctx.Param(param::kStockFaceDown) == 0 &&
           !ctx.table.Pile(pile).empty() && !Selected(ctx).empty();
}

bool PyramidCardFree(const GameContext& ctx, int pileIndex) {
    int row = 0;
    while (row < kPyramidRows && (row + 1) * (row + 2) / 2 <= pileIndex)
        ++row;
    if (row >= kPyramidRows) return pileIndex < TableauCount(ctx); // the piles below it
    if (row == kPyramidRows - 1) return true;
    const int column = pileIndex - row * (row + 1) / 2;
    const int below = (row + 1) * (row + 2) / 2 + column;
    const auto empty = [&](int i) { return ctx.table.Pile({PileGroupId::Fila, i}).empty(); };
    return empty(below) && empty(below + 1);
}

bool MayJoinPairAddingUpToFourteen(const GameContext& ctx, int card) {
    const int first = FirstSelectedRank(ctx);
    return Selected(ctx).empty() || (first > 0 && AddUpToFourteen(first, fnRank(card)));
}

bool MayJoinPairAddingUpToThirteen(const GameContext& ctx, int card) {
    const int first = FirstSelectedRank(ctx);
    return Selected(ctx).empty() || (first > 0 && AddUpToThirteen(first, fnRank(card)));
}

bool MayJoinPairOfOneRank(const GameContext& ctx, int card) {
    const int first = FirstSelectedRank(ctx);
    return Selected(ctx).empty() || (first > 0 && SameRank(first, fnRank(card)));
}

bool NoPairAddingUpToFourteenLeft(const GameContext& ctx) {
    return NoPairLeft(ctx, AddUpToFourteen, nullptr);
}

bool NoPairAddingUpToThirteenLeft(const GameContext& ctx) {
    return NoPairLeft(ctx, AddUpToThirteen, IsKing);
}

bool NoPairOfOneRankLeft(const GameContext& ctx) {
    return NoPairLeft(ctx, SameRank, nullptr);
}

bool SelectionBetweenAMatch(const GameContext& ctx) {
    return SelectionLiesBetweenAMatch(ctx, 0);
}

bool MayJoinBetweenAMatch(const GameContext& ctx, int card) {
    if (RowPlace(ctx, card) < 0) return false;
    return Selected(ctx).empty() || SelectionLiesBetweenAMatch(ctx, card);
}

bool RoyalMarriageWon(const GameContext& ctx) {
    return ctx.table.Pile({PileGroupId::Stock, kMazzo}).empty() && PileCardCount(Row(ctx)) <= 4;
}

bool NothingBetweenAMatch(const GameContext& ctx) {
    if (!ctx.table.Pile({PileGroupId::Stock, kMazzo}).empty() || RoyalMarriageWon(ctx))
        return false;
    for (int first = 1; first < PileCardCount(Row(ctx)); ++first)
        if (LieBetweenAMatch(ctx, first, 1) || LieBetweenAMatch(ctx, first, 2)) return false;
    return true;
}

} // namespace quendra
