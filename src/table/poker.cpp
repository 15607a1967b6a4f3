#include "poker.h"

#include "cards.h"

#include <algorithm>

namespace quendra {

namespace {

using Ranks = std::array<int, kPokerGridSide>;

Ranks Sorted(Ranks ranks) {
    std::sort(ranks.begin(), ranks.end());
    return ranks;
}

bool IsSet(const Ranks& sorted, Ranks wanted) {
    return sorted == Sorted(wanted);
}

bool Consecutive(const Ranks& sorted) {
    for (int i = 1; i < kPokerGridSide; ++i)
        if (sorted[i] != sorted[i - 1] + 1) return false;
    return true;
}

bool Broadway(const Ranks& sorted) {
    return IsSet(sorted, {kAce, kTen, kJack, kQueen, kKing});
}

bool WrappingRun(const Ranks& sorted) {
    return IsSet(sorted, {kJack, kQueen, kKing, kAce, 2}) ||
           IsSet(sorted, {kQueen, kKing, kAce, 2, 3}) || IsSet(sorted, {kKing, kAce, 2, 3, 4});
}

} // namespace

PokerHand EvaluatePokerHand(const std::array<int, kPokerGridSide>& cards) {
    Ranks ranks{};
    bool oneSuit = true;
    for (int i = 0; i < kPokerGridSide; ++i) {
        ranks[i] = fnRank(cards[i]);
        if (fnSuit(cards[i]) < 0 || fnSuit(cards[i]) != fnSuit(cards[0])) oneSuit = false;
    }
    const Ranks sorted = Sorted(ranks);
    if (oneSuit) {
        if (Broadway(sorted)) return {"Royal Flush", 100};
        if (Consecutive(sorted) || WrappingRun(sorted)) return {"Straight Flush", 75};
        return {"Flush", 20};
    }
    if (Consecutive(sorted) || Broadway(sorted)) return {"Straight", 15};

    // Sizes of the groups of equal ranks, largest first.
    std::vector<int> groups;
    for (int i = 0; i < kPokerGridSide;) {
        int j = i;
        while (j < kPokerGridSide && sorted[j] == sorted[i])
            ++j;
        groups.push_back(j - i);
        i = j;
    }
    std::sort(groups.rbegin(), groups.rend());
    if (groups[0] >= 4) return {"Four of a Kind", 50};
    if (groups[0] == 3 && groups.size() > 1 && groups[1] == 2) return {"Full House", 25};
    if (groups[0] == 3) return {"Three of a Kind", 10};
    if (groups[0] == 2 && groups.size() > 1 && groups[1] == 2) return {"Two Pair", 5};
    if (groups[0] == 2) return {"One Pair", 2};
    return {};
}

PokerScore ScorePokerGrid(const PokerGrid& grid, int placedCard) {
    PokerScore score;
    for (int column = 0; column < 2; ++column) {
        for (int index = 0; index < kPokerGridSide; ++index) {
            PokerLine line;
            line.column = column == 1;
            line.index = index;
            std::array<int, kPokerGridSide> cards{};
            bool complete = true;
            for (int k = 0; k < kPokerGridSide; ++k) {
                const int pile =
                    line.column ? index + k * kPokerGridSide : index * kPokerGridSide + k;
                line.piles[k] = pile;
                cards[k] = grid[pile];
                if (cards[k] <= 0) complete = false;
                if (cards[k] == placedCard && placedCard > 0) line.holdsPlacedCard = true;
            }
            if (!complete) continue;
            line.hand = EvaluatePokerHand(cards);
            score.total += line.hand.points;
            score.lines.push_back(line);
        }
    }
    int notYetShown = 0;
    for (int i = 0; i < static_cast<int>(score.lines.size()); ++i)
        if (score.lines[i].holdsPlacedCard) {
            score.shown.push_back(i);
            notYetShown += score.lines[i].hand.points;
        }
    for (int i : score.shown) {
        PokerLine& line = score.lines[i];
        line.runningTotal = score.total - notYetShown + line.hand.points;
        notYetShown -= line.hand.points;
    }

    score.panel.total = ": " + std::to_string(score.total) + " points";
    if (!score.shown.empty()) {
        const PokerHand& last = score.lines[score.shown.back()].hand;
        score.panel.handName = last.name;
        score.panel.points = std::to_string(last.points) + " points";
    } else if (score.lines.empty()) {
        score.panel.handName = "";
        score.panel.points = "";
    }
    return score;
}

PokerScore ScorePokerGrid(const GameContext& ctx, int placedCard) {
    PokerGrid grid{};
    for (int i = 0; i < kPokerGridPiles; ++i)
        grid[i] = PileTopCard(ctx.table.FilaGroup[i]);
    return ScorePokerGrid(grid, placedCard);
}

TableRect PokerPanelRect(int mazzoVisX, int pile11Y, int cardWidth, int cardHeight, int panelWidth,
                         int panelHeight) {
    const int x = mazzoVisX - (panelWidth - cardWidth) / 2;
    const int y = pile11Y + (cardHeight - panelHeight) / 2;
    return {x, y, x + panelWidth, y + panelHeight};
}

PokerPanelLayout PokerPanelTextPlaces(const TableRect& panel) {
    const int x = panel.left + 7;
    return {{x, panel.top + 5}, {x, panel.top + 21}, {x, panel.top + 41}, panel.right - 10};
}

} // namespace quendra
