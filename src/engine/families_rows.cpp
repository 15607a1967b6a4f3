#include "families_rows.h"

#include "cards.h"
#include "legality.h"
#include "moves.h"

#include <string>
#include <vector>

namespace quendra {

namespace {

constexpr int kFewestInARun = 3;
constexpr int kMostPerRun = 30;

// The places of the row that hold cards come first: the row's top cards in order.
std::vector<int> RowCards(const GameContext& ctx) {
    std::vector<int> cards;
    for (int i = 0; i < TableauCount(ctx); ++i) {
        const int top = PileTopCard(ctx.table.Pile({PileGroupId::Fila, i}));
        if (top < 1) break;
        cards.push_back(top);
    }
    return cards;
}

int PlaceOf(const GameContext& ctx, int card) {
    const auto place = fnFindCard(ctx, card);
    return place && place->pile.group == PileGroupId::Fila ? place->pile.index : -1;
}

bool AddsUpToTens(int sum) {
    return sum > 0 && sum <= kMostPerRun && sum % kTen == 0;
}

} // namespace

bool DealIntoNextPlace(GameContext& ctx) {
    const std::string& stock = ctx.table.StockGroup[kMazzo];
    if (stock.empty()) return false;
    for (int i = 0; i < TableauCount(ctx); ++i) {
        const PileRef place{PileGroupId::Fila, i};
        if (!ctx.table.Pile(place).empty()) continue;
        RecordPlayStep(ctx);
        const int card = PileTopCard(stock);
        const TakenCard from = detail::PutOnPile(ctx, card, place);
        ctx.host.RedrawPile(from.pile);
        ctx.host.FlyCard(card, from.pile, place);
        ctx.host.RedrawPile(place);
        PlaySwitchedSound(ctx, field::kSoundsStock, "Stock");
        return true;
    }
    return false;
}

namespace row_games {

int DecadeValue(int card) {
    return std::min(fnRank(card), kTen);
}

bool JoinsTheRun(const GameContext& ctx, int card) {
    const std::string& selected = ctx.table.DestGroup[0];
    if (selected.empty()) return true;
    const int place = PlaceOf(ctx, card);
    int first = kFilaPiles, last = -1;
    for (int i = 0; i < PileCardCount(selected); ++i) {
        const int at = PlaceOf(ctx, PileCardAt(selected, i));
        first = std::min(first, at);
        last = std::max(last, at);
    }
    return place >= 0 && (place == first - 1 || place == last + 1);
}

bool RunOfTens(const GameContext& ctx) {
    const std::string& selected = ctx.table.DestGroup[0];
    const int count = PileCardCount(selected);
    if (count < kFewestInARun) return false;
    int sum = 0;
    for (int i = 0; i < count; ++i)
        sum += DecadeValue(PileCardAt(selected, i));
    return AddsUpToTens(sum);
}

bool NoRunLeft(const GameContext& ctx) {
    const std::vector<int> row = RowCards(ctx);
    const bool roomLeft = static_cast<int>(row.size()) < TableauCount(ctx);
    if (!ctx.table.StockGroup[kMazzo].empty() && roomLeft) return false;
    if (row.empty()) return false;
    for (std::size_t first = 0; first < row.size(); ++first) {
        int sum = 0;
        for (std::size_t last = first; last < row.size() && sum <= kMostPerRun; ++last) {
            sum += DecadeValue(row[last]);
            if (last - first + 1 >= kFewestInARun && AddsUpToTens(sum)) return false;
        }
    }
    return true;
}

bool OntoFirstOrThirdLeftMatching(const GameContext& ctx, int card, int pileIndex) {
    const auto from = fnFindCard(ctx, card);
    if (!from || from->pile.group != PileGroupId::Fila) return false;
    const int step = from->pile.index - pileIndex;
    if (step != 1 && step != 3) return false;
    const int moving = PileTopCard(ctx.table.Pile(from->pile));
    const int onto = PileTopCard(ctx.table.Pile({PileGroupId::Fila, pileIndex}));
    return moving >= 1 && onto >= 1 &&
           (fnSuit(moving) == fnSuit(onto) || fnRank(moving) == fnRank(onto));
}

void CloseUpBehind(GameContext& ctx, int /*card*/, PileRef /*pile*/) {
    fnCloseUpTableau(ctx);
}

bool OnePileLeft(const GameContext& ctx) {
    if (!ctx.table.StockGroup[kMazzo].empty()) return false;
    for (int i = 1; i < TableauCount(ctx); ++i)
        if (!ctx.table.Pile({PileGroupId::Fila, i}).empty()) return false;
    return !ctx.table.Pile({PileGroupId::Fila, 0}).empty();
}

bool NoPileMoves(const GameContext& ctx) {
    const std::vector<int> row = RowCards(ctx);
    const bool roomLeft = static_cast<int>(row.size()) < TableauCount(ctx);
    if ((!ctx.table.StockGroup[kMazzo].empty() && roomLeft) || OnePileLeft(ctx)) return false;
    const auto matches = [](int a, int b) { return fnSuit(a) == fnSuit(b) || fnRank(a) == fnRank(b); };
    for (std::size_t k = 1; k < row.size(); ++k)
        if (matches(row[k], row[k - 1]) || (k >= 3 && matches(row[k], row[k - 3]))) return false;
    return true;
}

bool FirstOrLastRowOrByAGap(const GameContext& ctx, PileRef pile, int position) {
    if (pile.group != PileGroupId::Fila) return false;
    const std::string& column = ctx.table.Pile(pile);
    const int rows = PileCardCount(column);
    if (position < 0 || position >= rows || PileCardAt(column, position) < 1) return false;
    return position == 0 || position == rows - 1 || PileCardAt(column, position - 1) == 0 ||
           PileCardAt(column, position + 1) == 0;
}

} // namespace row_games

} // namespace quendra
