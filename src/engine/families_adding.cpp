#include "families_adding.h"

#include "cards.h"
#include "game_params.h"
#include "legality.h"
#include "moves.h"
#include "pointer.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace quendra {

namespace {

// The Monte Carlo grid: five piles a row.
constexpr int kGridColumns = 5;

const std::string& Selected(const GameContext& ctx) {
    return ctx.table.Pile({PileGroupId::Dest, 0});
}

// The ranks of the selected cards, with `card` added when it is above 0, smallest first.
std::vector<int> SelectedRanks(const GameContext& ctx, int card = 0) {
    std::vector<int> ranks;
    const std::string& selected = Selected(ctx);
    for (int i = 0; i < PileCardCount(selected); ++i)
        ranks.push_back(fnRank(PileCardAt(selected, i)));
    if (card > 0) ranks.push_back(fnRank(card));
    std::sort(ranks.begin(), ranks.end());
    return ranks;
}

int Sum(const std::vector<int>& ranks) {
    int sum = 0;
    for (const int rank : ranks)
        sum += rank;
    return sum;
}

bool AllOneRank(const std::vector<int>& ranks) {
    return std::adjacent_find(ranks.begin(), ranks.end(), std::not_equal_to<>()) == ranks.end();
}

bool AllBelow(const std::vector<int>& ranks, int limit) {
    return std::all_of(ranks.begin(), ranks.end(), [limit](int r) { return r < limit; });
}

// Two cards below `limit` adding up to `sum`.
bool PairAddingUpTo(const std::vector<int>& ranks, int sum, int limit) {
    return ranks.size() == 2 && AllBelow(ranks, limit) && Sum(ranks) == sum;
}

// One card, or two that make such a pair.
bool StartsPairAddingUpTo(const std::vector<int>& ranks, int sum, int limit) {
    if (ranks.size() == 1) return ranks[0] < limit && ranks[0] < sum;
    return PairAddingUpTo(ranks, sum, limit);
}

// Up to `count` cards of one rank from Ten to King.
bool StartsCourtsOfOneRank(const std::vector<int>& ranks, std::size_t count) {
    return !ranks.empty() && ranks.size() <= count && ranks[0] >= kTen && AllOneRank(ranks);
}

// The grid place (0-based pile) of a card in the tableau; -1 elsewhere.
int GridPlace(const GameContext& ctx, int card) {
    const auto place = fnFindCard(ctx, card);
    if (!place || place->pile.group != PileGroupId::Fila) return -1;
    return place->pile.index;
}

// Two grid places touch across, up and down, or corner to corner.
bool Touch(int a, int b) {
    if (a < 0 || b < 0 || a == b) return false;
    return std::abs(a / kGridColumns - b / kGridColumns) <= 1 &&
           std::abs(a % kGridColumns - b % kGridColumns) <= 1;
}

// Every selected card lies in the grid and touches `card`.
bool TouchesTheSelection(const GameContext& ctx, int card) {
    const std::string& selected = Selected(ctx);
    const int place = GridPlace(ctx, card);
    for (int i = 0; i < PileCardCount(selected); ++i)
        if (!Touch(place, GridPlace(ctx, PileCardAt(selected, i)))) return false;
    return place >= 0;
}

// The two selected cards touch.
bool SelectedPairTouches(const GameContext& ctx) {
    const std::string& selected = Selected(ctx);
    return PileCardCount(selected) == 2 &&
           Touch(GridPlace(ctx, PileCardAt(selected, 0)), GridPlace(ctx, PileCardAt(selected, 1)));
}

// A card is left in the grid (a game with none is won, not lost).
bool CardsInTheGrid(const GameContext& ctx) {
    for (int i = 0; i < TableauCount(ctx); ++i)
        if (!ctx.table.FilaGroup[static_cast<std::size_t>(i)].empty()) return true;
    return false;
}

// No card can come from the stock: it is empty, or the grid has no empty place to fill.
bool GridCannotBeFilled(const GameContext& ctx) {
    if (ctx.table.Pile({PileGroupId::Stock, kMazzo}).empty()) return true;
    for (int i = 0; i < TableauCount(ctx); ++i)
        if (ctx.table.FilaGroup[static_cast<std::size_t>(i)].empty()) return false;
    return true;
}

// Two cards of the grid that touch make a pair by `pairs` (their ranks).
bool AnyTouchingPair(const GameContext& ctx, bool (*pairs)(int, int)) {
    const int piles = TableauCount(ctx);
    for (int a = 0; a < piles; ++a)
        for (int b = a + 1; b < piles; ++b) {
            const int first = PileTopCard(ctx.table.FilaGroup[static_cast<std::size_t>(a)]);
            const int second = PileTopCard(ctx.table.FilaGroup[static_cast<std::size_t>(b)]);
            if (first > 0 && second > 0 && Touch(a, b) && pairs(fnRank(first), fnRank(second)))
                return true;
        }
    return false;
}

bool OneRank(int a, int b) {
    return a == b;
}

bool AddUpToThirteen(int a, int b) {
    return a + b == 13;
}

} // namespace

bool TouchingPairOfOneRank(const GameContext& ctx) {
    const std::vector<int> ranks = SelectedRanks(ctx);
    return ranks.size() == 2 && AllOneRank(ranks) && SelectedPairTouches(ctx);
}

bool MayJoinTouchingPairOfOneRank(const GameContext& ctx, int card) {
    const std::vector<int> ranks = SelectedRanks(ctx, card);
    return ranks.size() <= 2 && AllOneRank(ranks) && TouchesTheSelection(ctx, card);
}

bool TouchingPairOfThirteen(const GameContext& ctx) {
    const std::vector<int> ranks = SelectedRanks(ctx);
    if (ranks.size() == 1) return ranks[0] == kKing;
    return PairAddingUpTo(ranks, 13, kKing) && SelectedPairTouches(ctx);
}

bool MayJoinTouchingPairOfThirteen(const GameContext& ctx, int card) {
    const std::vector<int> ranks = SelectedRanks(ctx, card);
    if (ranks.size() == 1) return TouchesTheSelection(ctx, card);
    return PairAddingUpTo(ranks, 13, kKing) && TouchesTheSelection(ctx, card);
}

bool NoTouchingPairOfOneRankLeft(const GameContext& ctx) {
    return CardsInTheGrid(ctx) && GridCannotBeFilled(ctx) && !AnyTouchingPair(ctx, OneRank);
}

bool NothingAddingUpToThirteenLeft(const GameContext& ctx) {
    for (int i = 0; i < TableauCount(ctx); ++i)
        if (fnRank(PileTopCard(ctx.table.FilaGroup[static_cast<std::size_t>(i)])) == kKing)
            return false;
    return CardsInTheGrid(ctx) && GridCannotBeFilled(ctx) &&
           !AnyTouchingPair(ctx, AddUpToThirteen);
}

namespace {

using Ranks = std::vector<int>;

// The sets of an adding family, by the ranks of their cards (smallest first): `isSet` for a
// complete set, `mayGrow` for cards that can still be made one with more.
struct SetRule {
    bool (*isSet)(const Ranks& ranks);
    bool (*mayGrow)(const Ranks& ranks);
};

const SetRule kPairOfTenOrTwoCourts{
    [](const Ranks& r) {
        return PairAddingUpTo(r, 10, kTen) || (r.size() == 2 && StartsCourtsOfOneRank(r, 2));
    },
    [](const Ranks& r) { return StartsPairAddingUpTo(r, 10, kTen) || StartsCourtsOfOneRank(r, 2); },
};

bool IsElevenOrCourtPair(const Ranks& r) {
    return PairAddingUpTo(r, 11, kJack) || r == Ranks{kJack, kJack} || r == Ranks{kQueen, kKing};
}
const SetRule kPairOfElevenOrCourts{
    IsElevenOrCourtPair,
    [](const Ranks& r) { return r.size() == 1 || IsElevenOrCourtPair(r); },
};

const SetRule kElevenOrJackQueenKing{
    [](const Ranks& r) {
        return PairAddingUpTo(r, 11, kJack) || r == Ranks{kJack, kQueen, kKing};
    },
    [](const Ranks& r) {
        if (StartsPairAddingUpTo(r, 11, kJack)) return true;
        // Jack, Queen and King, each once.
        return r.size() <= 3 && r[0] >= kJack && std::adjacent_find(r.begin(), r.end()) == r.end();
    },
};

const SetRule kTenOrFourOfAKind{
    [](const Ranks& r) {
        return PairAddingUpTo(r, 10, kTen) || (r.size() == 4 && StartsCourtsOfOneRank(r, 4));
    },
    [](const Ranks& r) { return StartsPairAddingUpTo(r, 10, kTen) || StartsCourtsOfOneRank(r, 4); },
};

const SetRule kFifteenOrFourOfAKind{
    [](const Ranks& r) {
        return (AllBelow(r, kTen) && Sum(r) == 15) || (r.size() == 4 && StartsCourtsOfOneRank(r, 4));
    },
    [](const Ranks& r) {
        return (AllBelow(r, kTen) && Sum(r) <= 15) || StartsCourtsOfOneRank(r, 4);
    },
};

const SetRule kEighteenWithACourt{
    [](const Ranks& r) {
        if (r.size() == 1) return r[0] == kAce;
        // Smallest first: three cards from Two to Ten of different ranks, then the court card.
        return r.size() == 4 && r[0] > kAce && r[2] <= kTen && r[3] >= kJack && r[0] != r[1] &&
               r[1] != r[2] && r[0] + r[1] + r[2] == 18;
    },
    [](const Ranks& r) {
        if (r.size() == 1) return true;
        Ranks spots;
        int courts = 0;
        for (const int rank : r) {
            if (rank == kAce) return false;
            if (rank >= kJack)
                ++courts;
            else
                spots.push_back(rank);
        }
        if (courts > 1 || spots.size() > 3) return false;
        if (std::adjacent_find(spots.begin(), spots.end()) != spots.end()) return false;
        // The cards still to come, each a Two at least and of a rank not yet taken, must be
        // able to make up the rest of 18; two cards never add up to more than 10 + 9.
        const int missing = 3 - static_cast<int>(spots.size());
        const int rest = 18 - Sum(spots);
        if (missing == 0) return rest == 0;
        return rest >= 2 * missing + (missing - 1) && rest <= kTen * missing - (missing - 1);
    },
};

bool CompleteBy(const GameContext& ctx, const SetRule& rule) {
    return rule.isSet(SelectedRanks(ctx));
}

bool MayJoinBy(const GameContext& ctx, int card, const SetRule& rule) {
    return rule.mayGrow(SelectedRanks(ctx, card));
}

// Some of `free` (from `next` on) make a set with `chosen`.
bool SetAmong(const Ranks& free, std::size_t next, Ranks& chosen, const SetRule& rule) {
    for (std::size_t i = next; i < free.size(); ++i) {
        // Equal ranks in turn: only the first of them starts a new choice.
        if (i > next && free[i] == free[i - 1]) continue;
        chosen.push_back(free[i]);
        bool found = false;
        if (rule.mayGrow(chosen)) found = rule.isSet(chosen) || SetAmong(free, i + 1, chosen, rule);
        chosen.pop_back();
        if (found) return true;
    }
    return false;
}

// Cards are left on the table, and no set can be made of the cards a click may select.
bool NoSetLeft(const GameContext& ctx, const SetRule& rule) {
    Ranks free;
    bool cardsLeft = false;
    const auto look = [&](PileRef pile) {
        const int top = PileTopCard(ctx.table.Pile(pile));
        if (top < 1) return;
        cardsLeft = true;
        if (IsFaceUp(ctx, top) && fnClickSelects(ctx, pile)) free.push_back(fnRank(top));
    };
    for (int i = 0; i < TableauCount(ctx); ++i)
        look({PileGroupId::Fila, i});
    for (int i = 0; i < ReserveCount(ctx); ++i)
        look({PileGroupId::Appogg, i});
    std::sort(free.begin(), free.end());
    Ranks chosen;
    return cardsLeft && !SetAmong(free, 0, chosen, rule);
}

} // namespace

bool PairOfTenOrTwoCourts(const GameContext& ctx) {
    return CompleteBy(ctx, kPairOfTenOrTwoCourts);
}
bool MayJoinPairOfTenOrTwoCourts(const GameContext& ctx, int card) {
    return MayJoinBy(ctx, card, kPairOfTenOrTwoCourts);
}
bool NoPairOfTenOrTwoCourtsLeft(const GameContext& ctx) {
    return NoSetLeft(ctx, kPairOfTenOrTwoCourts);
}

bool PairOfElevenOrCourts(const GameContext& ctx) {
    return CompleteBy(ctx, kPairOfElevenOrCourts);
}
bool MayJoinPairOfElevenOrCourts(const GameContext& ctx, int card) {
    return MayJoinBy(ctx, card, kPairOfElevenOrCourts);
}
bool NoPairOfElevenOrCourtsLeft(const GameContext& ctx) {
    return NoSetLeft(ctx, kPairOfElevenOrCourts);
}

bool ElevenOrJackQueenKing(const GameContext& ctx) {
    return CompleteBy(ctx, kElevenOrJackQueenKing);
}
bool MayJoinElevenOrJackQueenKing(const GameContext& ctx, int card) {
    return MayJoinBy(ctx, card, kElevenOrJackQueenKing);
}
bool NoElevenOrJackQueenKingLeft(const GameContext& ctx) {
    return NoSetLeft(ctx, kElevenOrJackQueenKing);
}

bool TenOrFourOfAKind(const GameContext& ctx) {
    return CompleteBy(ctx, kTenOrFourOfAKind);
}
bool MayJoinTenOrFourOfAKind(const GameContext& ctx, int card) {
    return MayJoinBy(ctx, card, kTenOrFourOfAKind);
}
bool NoTenOrFourOfAKindLeft(const GameContext& ctx) {
    return NoSetLeft(ctx, kTenOrFourOfAKind);
}

bool FifteenOrFourOfAKind(const GameContext& ctx) {
    return CompleteBy(ctx, kFifteenOrFourOfAKind);
}
bool MayJoinFifteenOrFourOfAKind(const GameContext& ctx, int card) {
    return MayJoinBy(ctx, card, kFifteenOrFourOfAKind);
}
bool NoFifteenOrFourOfAKindLeft(const GameContext& ctx) {
    return NoSetLeft(ctx, kFifteenOrFourOfAKind);
}

bool EighteenWithACourt(const GameContext& ctx) {
    return CompleteBy(ctx, kEighteenWithACourt);
}
bool MayJoinEighteenWithACourt(const GameContext& ctx, int card) {
    return MayJoinBy(ctx, card, kEighteenWithACourt);
}
bool NoEighteenWithACourtLeft(const GameContext& ctx) {
    return NoSetLeft(ctx, kEighteenWithACourt);
}

} // namespace quendra
