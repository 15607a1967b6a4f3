#include "families_poker.h"

#include "cards.h"
#include "game_params.h"
#include "moves.h"
#include "poker.h"

#include <algorithm>
#include <vector>

namespace quendra {

namespace {

constexpr int kCribbageSide = 4;
constexpr int kShowLineMs = 500;
const PileRef kStarterPile{PileGroupId::Stock, kMazzoWaste};

// A scored line is shown: its cards marked with its hand, the score label with the running
// total, the pairing sound; then a moment's wait.
void ShowLine(GameContext& ctx, const std::vector<PileRef>& piles, const std::string& hand,
              int points, int total) {
    ctx.host.ShowScore(std::to_string(total));
    PlaySwitchedSound(ctx, field::kSoundsPairing, "Pairing");
    ctx.host.ShowScoredLine(piles, hand, points, total);
    ctx.host.Wait(kShowLineMs);
}

bool InGrid(PileRef pile, int places) {
    return pile.group == PileGroupId::Fila && pile.index < places;
}

// The cribbage value of a card: court cards 10, the others their rank.
int CountValue(int card) {
    return std::min(fnRank(card), 10);
}

int FifteensPoints(const std::array<int, 5>& cards) {
    int points = 0;
    for (int subset = 1; subset < (1 << 5); ++subset) {
        int sum = 0;
        for (int i = 0; i < 5; ++i)
            if (subset & (1 << i)) sum += CountValue(cards[i]);
        if (sum == 15) points += 2;
    }
    return points;
}

int PairsPoints(const std::array<int, 5>& cards) {
    int points = 0;
    for (int i = 0; i < 5; ++i)
        for (int j = i + 1; j < 5; ++j)
            if (fnRank(cards[i]) == fnRank(cards[j])) points += 2;
    return points;
}

// Every run of the longest length found counts, one for each way of making it.
int RunsPoints(const std::array<int, 5>& cards) {
    std::array<int, 14> ofRank{};
    for (const int card : cards)
        ++ofRank[static_cast<std::size_t>(fnRank(card))];
    for (int length = 5; length >= 3; --length) {
        int points = 0;
        for (int low = 1; low + length - 1 <= 13; ++low) {
            int ways = 1;
            for (int r = low; r < low + length; ++r)
                ways *= ofRank[static_cast<std::size_t>(r)];
            points += ways * length;
        }
        if (points > 0) return points;
    }
    return 0;
}

int CribbageLinePoints(const GameContext& ctx, const std::array<int, kCribbageSide>& piles) {
    std::array<int, 4> hand{};
    for (int k = 0; k < kCribbageSide; ++k) {
        hand[static_cast<std::size_t>(k)] =
            PileTopCard(ctx.table.Pile({PileGroupId::Fila, piles[static_cast<std::size_t>(k)]}));
        if (hand[static_cast<std::size_t>(k)] < 1) return -1; // not complete
    }
    return CribbageHandPoints(hand, PileTopCard(ctx.table.Pile(kStarterPile)));
}

// The rows, then the columns, of the cribbage grid.
std::array<int, kCribbageSide> CribbageLine(int line) {
    std::array<int, kCribbageSide> piles{};
    for (int k = 0; k < kCribbageSide; ++k)
        piles[static_cast<std::size_t>(k)] = line < kCribbageSide
                                                 ? line * kCribbageSide + k
                                                 : (line - kCribbageSide) + k * kCribbageSide;
    return piles;
}

} // namespace

int PokerGridTotal(const GameContext& ctx) {
    return ScorePokerGrid(ctx, 0).total;
}

void ShowPokerLines(GameContext& ctx, int card, PileRef pile) {
    if (!InGrid(pile, kPokerGridPiles)) return;
    const PokerScore score = ScorePokerGrid(ctx, card);
    for (const int shown : score.shown) {
        const PokerLine& line = score.lines[static_cast<std::size_t>(shown)];
        std::vector<PileRef> piles;
        for (const int p : line.piles)
            piles.push_back({PileGroupId::Fila, p});
        ShowLine(ctx, piles, line.hand.name, line.hand.points, line.runningTotal);
    }
}

int CribbageHandPoints(const std::array<int, 4>& hand, int starter) {
    const std::array<int, 5> cards{hand[0], hand[1], hand[2], hand[3], starter};
    int points = FifteensPoints(cards) + PairsPoints(cards) + RunsPoints(cards);
    const int suit = fnSuit(hand[0]);
    bool flush = true;
    for (const int card : hand)
        if (fnSuit(card) != suit) flush = false;
    if (flush) points += fnSuit(starter) == suit ? 5 : 4;
    for (const int card : hand)
        if (fnRank(card) == 11 && fnSuit(card) == fnSuit(starter)) ++points;
    return points;
}

int CribbageGridTotal(const GameContext& ctx) {
    if (PileTopCard(ctx.table.Pile(kStarterPile)) < 1) return 0;
    int total = 0;
    for (int line = 0; line < 2 * kCribbageSide; ++line)
        total += std::max(0, CribbageLinePoints(ctx, CribbageLine(line)));
    return total;
}

void ShowCribbageLines(GameContext& ctx, int /*card*/, PileRef pile) {
    constexpr int kPlaces = kCribbageSide * kCribbageSide;
    if (!InGrid(pile, kPlaces) || PileTopCard(ctx.table.Pile(kStarterPile)) < 1) return;
    // The lines are shown with the total that grows to the grid's total, as in the poker
    // grid: the lines not shown yet are counted last.
    const int total = CribbageGridTotal(ctx);
    std::vector<int> shown;
    int notYetShown = 0;
    for (int line = 0; line < 2 * kCribbageSide; ++line) {
        const std::array<int, kCribbageSide> piles = CribbageLine(line);
        if (std::find(piles.begin(), piles.end(), pile.index) == piles.end()) continue;
        const int points = CribbageLinePoints(ctx, piles);
        if (points < 0) continue;
        shown.push_back(line);
        notYetShown += points;
    }
    for (const int line : shown) {
        const std::array<int, kCribbageSide> piles = CribbageLine(line);
        const int points = CribbageLinePoints(ctx, piles);
        std::vector<PileRef> refs;
        for (const int p : piles)
            refs.push_back({PileGroupId::Fila, p});
        const std::string name = line < kCribbageSide
                                     ? "Row " + std::to_string(line + 1)
                                     : "Column " + std::to_string(line - kCribbageSide + 1);
        ShowLine(ctx, refs, name, points, total - notYetShown + points);
        notYetShown -= points;
    }
}

bool ScoredGridFull(const GameContext& ctx) {
    for (int p = 0; p < TableauCount(ctx); ++p)
        if (PileTopCard(ctx.table.Pile({PileGroupId::Fila, p})) < 1) return false;
    return TableauCount(ctx) > 0;
}

} // namespace quendra
