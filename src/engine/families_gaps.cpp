#include "families_gaps.h"

#include "cards.h"
#include "deal_cards.h"
#include "families.h"
#include "game_params.h"
#include "legality.h"
#include "moves.h"
#include "pointer.h"

#include <charconv>

namespace quendra {

namespace {

constexpr int kPointsPerCard = 5;
// Parameter 251 = 1: the tableau turns the corner; in gap rows, the rows run on.
constexpr int kTurnsTheCorner = 1;

const std::string& Row(const GameContext& ctx, int row) {
    return ctx.table.FilaGroup[static_cast<std::size_t>(row)];
}

int Places(const GameContext& ctx, int row) {
    return PileCardCount(Row(ctx, row));
}

int FirstRank(const GameContext& ctx) {
    return CurrentFamilyRules(ctx).gapRowFirstRank;
}

bool RowsRunOn(const GameContext& ctx) {
    return ctx.Param(param::kTableauPastStop) == kTurnsTheCorner;
}

// The highest rank of the pack: the Queen where the Kings became gaps.
int TopRank(const GameContext& ctx) {
    return ctx.Param(param::kDealMode) == deal_mode::kKingsAsGaps ? kQueen : kKing;
}

// `next` follows `card` in a run: the same suit one rank up, or, in rows that run on, an
// Ace of another suit after the top rank.
bool Follows(const GameContext& ctx, int card, int next) {
    if (card < 1 || next < 1 || fnIsJoker(card) || fnIsJoker(next)) return false;
    if (fnRank(card) == TopRank(ctx))
        return RowsRunOn(ctx) && fnRank(next) == 1 && fnSuit(next) != fnSuit(card);
    return fnSuit(next) == fnSuit(card) && fnRank(next) == fnRank(card) + 1;
}

// The rows that run on make one ring of places: the row's places one after another.
struct Ring {
    std::vector<int> cards; // 0 for a gap
    std::vector<int> start; // index of each row's first place
};

Ring RingOf(const GameContext& ctx) {
    Ring ring;
    for (int r = 0; r < TableauCount(ctx); ++r) {
        ring.start.push_back(static_cast<int>(ring.cards.size()));
        for (int p = 0; p < Places(ctx, r); ++p)
            ring.cards.push_back(PileCardAt(Row(ctx, r), p));
    }
    return ring;
}

bool TakesInRowsThatStop(const GameContext& ctx, int card, int row, int place, int firstRank) {
    if (place == 0) return fnRank(card) == firstRank;
    const int left = PileCardAt(Row(ctx, row), place - 1);
    return left >= 1 && fnRank(left) != kKing && Follows(ctx, left, card);
}

bool TakesInRowsThatRunOn(const GameContext& ctx, int card, int row, int place) {
    const Ring ring = RingOf(ctx);
    const int total = static_cast<int>(ring.cards.size());
    if (total == 0) return false;
    const int at = ring.start[static_cast<std::size_t>(row)] + place;
    const int left = ring.cards[static_cast<std::size_t>((at - 1 + total) % total)];
    const int right = ring.cards[static_cast<std::size_t>((at + 1) % total)];
    return Follows(ctx, left, card) || Follows(ctx, card, right);
}

// A run in suit from the first rank in the first places of the row; its length.
int RunFromRowStart(const GameContext& ctx, int row, int firstRank) {
    const std::string& cards = Row(ctx, row);
    int length = 0;
    for (int p = 0; p < PileCardCount(cards); ++p) {
        const int card = PileCardAt(cards, p);
        if (p == 0 ? (card < 1 || fnIsJoker(card) || fnRank(card) != firstRank)
                   : !Follows(ctx, PileCardAt(cards, p - 1), card))
            break;
        ++length;
    }
    return length;
}

bool ParseNumber(std::string_view text, int& value) {
    if (text.empty() || text.size() > 3) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

} // namespace

bool IsGapRowsGame(const GameContext& ctx) {
    return CurrentFamilyRules(ctx).gapTakes != nullptr;
}

bool CanLiftFromRow(const GameContext& ctx, PileRef from, int position) {
    if (!IsGapRowsGame(ctx) || from.group != PileGroupId::Fila || from.index < 0 ||
        from.index >= TableauCount(ctx))
        return false;
    const std::string& row = Row(ctx, from.index);
    if (position < 0 || position >= PileCardCount(row)) return false;
    const int card = PileCardAt(row, position);
    return card >= 1 && IsFaceUp(ctx, card);
}

bool CanFillGap(const GameContext& ctx, PileRef from, int position, PileRef row, int place) {
    if (!CanLiftFromRow(ctx, from, position) || row.group != PileGroupId::Fila ||
        row.index < 0 || row.index >= TableauCount(ctx))
        return false;
    if (place < 0 || place >= Places(ctx, row.index) || PileCardAt(Row(ctx, row.index), place) != 0)
        return false;
    const int card = PileCardAt(Row(ctx, from.index), position);
    return CurrentFamilyRules(ctx).gapTakes(ctx, card, row.index, place);
}

std::vector<GapFill> GapFills(const GameContext& ctx) {
    std::vector<GapFill> fills;
    if (!IsGapRowsGame(ctx)) return fills;
    const int rows = TableauCount(ctx);
    for (int r = 0; r < rows; ++r)
        for (int g = 0; g < Places(ctx, r); ++g) {
            if (PileCardAt(Row(ctx, r), g) != 0) continue;
            for (int s = 0; s < rows; ++s)
                for (int p = 0; p < Places(ctx, s); ++p) {
                    const GapFill fill{{PileGroupId::Fila, s}, p, {PileGroupId::Fila, r}, g};
                    if (CanFillGap(ctx, fill.from, fill.position, fill.row, fill.place))
                        fills.push_back(fill);
                }
        }
    return fills;
}

bool FillLeavesAPlaceInOrder(const GameContext& ctx, const GapFill& fill) {
    const int card = PileCardAt(ctx.table.Pile(fill.from), fill.position);
    return card >= 1 && CurrentFamilyRules(ctx).gapTakes(ctx, card, fill.from.index, fill.position);
}

std::string GapFillAction(PileRef row, int place) {
    return "Fila" + std::to_string(row.index + 1) + ":" + std::to_string(place);
}

bool MoveIntoGap(GameContext& ctx, int card, std::string_view action) {
    if (!action.starts_with("Fila")) return false;
    const std::size_t colon = action.find(':');
    int number = 0, place = 0;
    if (colon == std::string_view::npos || !ParseNumber(action.substr(4, colon - 4), number) ||
        !ParseNumber(action.substr(colon + 1), place))
        return false;
    const PileRef row{PileGroupId::Fila, number - 1};
    const auto from = fnFindCard(ctx, card);
    if (number < 1 || number > TableauCount(ctx) || !from || from->pile.group != PileGroupId::Fila ||
        place >= Places(ctx, row.index) || PileCardAt(Row(ctx, row.index), place) != 0)
        return false;
    RecordPlayStep(ctx);
    PlaySwitchedSound(ctx, field::kSoundsCardUp, "card_up");
    ctx.table.Pile(from->pile).replace(static_cast<std::size_t>(from->position) * 3, 3, CardCode(0));
    ctx.table.Pile(row).replace(static_cast<std::size_t>(place) * 3, 3, CardCode(card));
    fnSetCardFace(ctx, card, '1');
    ctx.host.FlyCard(card, from->pile, row);
    ctx.host.RedrawPile(from->pile);
    ctx.host.RedrawPile(row);
    PlaySwitchedSound(ctx, field::kSoundsCardDown, "card_down");
    return true;
}

bool PlayGapFill(GameContext& ctx, const GapFill& fill) {
    if (!ctx.flags[GameStateFlags::kInPlay] ||
        !CanFillGap(ctx, fill.from, fill.position, fill.row, fill.place))
        return false;
    const int card = PileCardAt(ctx.table.Pile(fill.from), fill.position);
    if (!fnDoMove(ctx, card, GapFillAction(fill.row, fill.place))) return false;
    fnAfterMouseUp(ctx);
    return true;
}

namespace gap_rows {

bool NextAboveLeftFromTwo(const GameContext& ctx, int card, int row, int place) {
    return TakesInRowsThatStop(ctx, card, row, place, 2);
}

bool ByTheRowRule(const GameContext& ctx, int card, int row, int place) {
    if (RowsRunOn(ctx)) return TakesInRowsThatRunOn(ctx, card, row, place);
    return TakesInRowsThatStop(ctx, card, row, place, 1);
}

bool RowsBuiltInSuit(const GameContext& ctx) {
    const int first = FirstRank(ctx);
    for (int r = 0; r < TableauCount(ctx); ++r)
        if (RunFromRowStart(ctx, r, first) != kKing - first + 1) return false;
    return true;
}

bool WonByTheRowRule(const GameContext& ctx) {
    if (!RowsRunOn(ctx)) return RowsBuiltInSuit(ctx);
    std::vector<int> cards;
    for (const int card : RingOf(ctx).cards)
        if (card >= 1) cards.push_back(card);
    const std::size_t n = cards.size();
    for (std::size_t s = 0; s < n; ++s) {
        if (fnRank(cards[s]) != 1) continue;
        std::size_t k = 1;
        while (k < n && Follows(ctx, cards[(s + k - 1) % n], cards[(s + k) % n]))
            ++k;
        if (k == n) return true;
    }
    return false;
}

int ScoreByTheRowRule(const GameContext& ctx) {
    int score = -ctx.Param(param::kDeckSize);
    if (!RowsRunOn(ctx)) {
        for (int r = 0; r < TableauCount(ctx); ++r)
            score += kPointsPerCard * RunFromRowStart(ctx, r, FirstRank(ctx));
        return score;
    }
    const Ring ring = RingOf(ctx);
    const std::size_t n = ring.cards.size();
    for (std::size_t i = 0; i < n; ++i)
        if (Follows(ctx, ring.cards[(i + n - 1) % n], ring.cards[i])) score += kPointsPerCard;
    return score;
}

} // namespace gap_rows

} // namespace quendra
