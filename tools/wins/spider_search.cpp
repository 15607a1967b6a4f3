#include "spider_search.h"

#include <algorithm>
#include <unordered_set>

namespace quendra::spider {

bool Matches(Match match, Card a, Card b) {
    switch (match) {
    case Match::Any:
        return true;
    case Match::Colour:
        return IsRed(a) == IsRed(b);
    case Match::Suit:
        return SuitOf(a) == SuitOf(b);
    }
    return false;
}

int Position::Start(int pile) const {
    int start = 0;
    for (int p = 0; p < pile; ++p)
        start += length[p];
    return start;
}

bool Position::InRun(int pile, int position, Match match) const {
    if (position < down[pile] || position >= length[pile]) return false;
    for (int i = position + 1; i < length[pile]; ++i) {
        const Card below = At(pile, i - 1), card = At(pile, i);
        if (!Matches(match, card, below) || RankOf(card) + 1 != RankOf(below)) return false;
    }
    return true;
}

int Position::RunStart(int pile, Match match) const {
    int start = length[pile] - 1;
    while (start > down[pile]) {
        const Card below = At(pile, start - 1), card = At(pile, start);
        if (!Matches(match, card, below) || RankOf(card) + 1 != RankOf(below)) break;
        --start;
    }
    return start;
}

namespace {

// Moves `count` cards from the top of `from` onto `to`.
void Shift(Position& pos, int from, int count, int to) {
    std::array<Card, kMaxTableCards> moved{};
    const int fromStart = pos.Start(from);
    const int first = fromStart + pos.length[from] - count;
    std::copy_n(pos.cards.begin() + first, count, moved.begin());
    std::array<Card, kMaxTableCards> rebuilt{};
    int at = 0;
    for (int p = 0; p < pos.piles; ++p) {
        const int start = pos.Start(p);
        int keep = pos.length[p];
        if (p == from) keep -= count;
        std::copy_n(pos.cards.begin() + start, keep, rebuilt.begin() + at);
        at += keep;
        if (p == to) {
            std::copy_n(moved.begin(), count, rebuilt.begin() + at);
            at += count;
        }
    }
    pos.cards = rebuilt;
    pos.length[from] = static_cast<std::uint8_t>(pos.length[from] - count);
    pos.length[to] = static_cast<std::uint8_t>(pos.length[to] + count);
}

// Removes a finished run from the top of `pile`, as a move onto or off it does.
void RemoveFinishedRun(const Deal& deal, Position& pos, int pile) {
    const Rules& rules = deal.rules;
    const int length = pos.length[pile];
    if (length < kRunLength || length - kRunLength < pos.down[pile]) return;
    const int start = length - kRunLength;
    if (RankOf(pos.At(pile, start)) != 13 || !pos.InRun(pile, start, rules.finish)) return;
    const bool red = IsRed(pos.Top(pile));
    if (rules.balancedColours) {
        // No more runs of one colour of Ace than half the places.
        const int half = deal.totalRuns / 2;
        const int same = red ? pos.removedRed : pos.removed - pos.removedRed;
        if (same + 1 > half) return;
    }
    if (red) ++pos.removedRed;
    const int begin = pos.Start(pile) + start;
    std::copy(pos.cards.begin() + begin + kRunLength, pos.cards.end(), pos.cards.begin() + begin);
    std::fill(pos.cards.end() - kRunLength, pos.cards.end(), Card{0});
    pos.length[pile] = static_cast<std::uint8_t>(length - kRunLength);
    ++pos.removed;
}

void TurnUpTops(Position& pos) {
    for (int p = 0; p < pos.piles; ++p)
        if (pos.length[p] > 0 && pos.down[p] >= pos.length[p])
            pos.down[p] = static_cast<std::uint8_t>(pos.length[p] - 1);
}

bool Follows(Card card, Card onto) {
    return RankOf(card) + 1 == RankOf(onto);
}

std::uint64_t Mix(std::uint64_t h) {
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ULL;
    h ^= h >> 33;
    return h;
}

} // namespace

bool CanDeal(const Deal& deal, const Position& pos) {
    const std::size_t next = static_cast<std::size_t>(pos.deals) * pos.piles;
    if (next >= deal.stock.size()) return false;
    for (int p = 0; p < pos.piles; ++p)
        if (pos.Empty(p)) return false;
    return true;
}

bool Play(const Deal& deal, Position& pos, const Move& move) {
    if (move.deal) {
        if (!CanDeal(deal, pos)) return false;
        const std::size_t next = static_cast<std::size_t>(pos.deals) * pos.piles;
        // The last deal may hold fewer cards than there are piles: they go to the first piles.
        const int dealt =
            static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(pos.piles),
                                                   deal.stock.size() - next));
        std::array<Card, kMaxTableCards> rebuilt{};
        int at = 0;
        for (int p = 0; p < pos.piles; ++p) {
            std::copy_n(pos.cards.begin() + pos.Start(p), pos.length[p], rebuilt.begin() + at);
            at += pos.length[p];
            if (p < dealt) rebuilt[at++] = deal.stock[next + p];
        }
        pos.cards = rebuilt;
        for (int p = 0; p < dealt; ++p)
            ++pos.length[p];
        ++pos.deals;
        // The stock finishes no run: a run completed by a deal waits for a move.
        return true;
    }
    if (move.turn) {
        const int p = move.from;
        if (p < 0 || p >= pos.piles || pos.Empty(p) || pos.down[p] < pos.length[p]) return false;
        pos.down[p] = static_cast<std::uint8_t>(pos.length[p] - 1);
        return true;
    }
    if (move.from == move.to || move.from < 0 || move.to < 0 || move.from >= pos.piles ||
        move.to >= pos.piles)
        return false;
    const Rules& rules = deal.rules;
    if (!pos.InRun(move.from, move.position, rules.group)) return false;
    const Card card = pos.At(move.from, move.position);
    if (!pos.Empty(move.to) &&
        (pos.down[move.to] >= pos.length[move.to] || !Follows(card, pos.Top(move.to)) ||
         !Matches(rules.build, card, pos.Top(move.to))))
        return false;
    const int count = pos.length[move.from] - move.position;
    Shift(pos, move.from, count, move.to);
    RemoveFinishedRun(deal, pos, move.from);
    RemoveFinishedRun(deal, pos, move.to);
    if (count > 1 || !rules.turnAfterGroupsOnly) TurnUpTops(pos);
    return true;
}

bool Won(const Deal& deal, const Position& pos) {
    return pos.removed >= deal.totalRuns;
}

std::vector<Move> UsefulMoves(const Deal& deal, const Position& pos, bool clicks) {
    const Rules& rules = deal.rules;
    std::vector<Move> moves;
    int firstEmpty = -1;
    for (int p = 0; p < pos.piles; ++p)
        if (pos.Empty(p)) {
            firstEmpty = p;
            break;
        }
    for (int from = 0; from < pos.piles; ++from) {
        if (pos.Empty(from)) continue;
        if (pos.down[from] >= pos.length[from]) {
            if (clicks) moves.push_back({false, from, 0, from, true});
            continue;
        }
        const int runStart = pos.RunStart(from, rules.group);
        // Where runs of any suits move together, the part on top built as a finished run
        // must be may leave the rest for a space.
        const int finishStart = pos.RunStart(from, rules.finish);
        const int length = pos.length[from];
        for (int k = runStart; k < length; ++k) {
            const Card card = pos.At(from, k);
            const bool split = k > runStart;
            // The card under the moved ones, when face up.
            const bool belowUp = k > pos.down[from];
            const Card below = belowUp ? pos.At(from, k - 1) : Card{0};
            const bool onSequence =
                belowUp && Follows(card, below) && Matches(rules.build, card, below);
            for (int to = 0; to < pos.piles; ++to) {
                if (to == from || pos.Empty(to) || pos.down[to] >= pos.length[to]) continue;
                const Card onto = pos.Top(to);
                if (!Follows(card, onto) || !Matches(rules.build, card, onto)) continue;
                // Joins are judged by what a finished run must share.
                const bool inSuit = Matches(rules.finish, card, onto);
                // An Ace may change places freely where runs are kept even between the
                // colours: a run can wait for an Ace of the other colour.
                const bool aceSwap = rules.balancedColours && RankOf(card) == 1;
                if ((split || onSequence) && !aceSwap) {
                    // Only worth it when it joins a group where it did not before, or when it
                    // finishes a run.
                    if (!inSuit) continue;
                    const bool wasInSuit = onSequence && Matches(rules.finish, card, below);
                    if (wasInSuit) {
                        const int destRun = pos.length[to] - pos.RunStart(to, rules.finish);
                        if (destRun + (length - k) < kRunLength) continue;
                    }
                }
                moves.push_back({false, from, k, to});
            }
            // Onto an empty pile: the whole run or its part built as a finished run, never a
            // whole pile.
            if (firstEmpty >= 0 && (!split || k == finishStart) && k > 0)
                moves.push_back({false, from, k, firstEmpty});
        }
    }
    if (CanDeal(deal, pos)) moves.push_back({true, 0, 0, 0});
    return moves;
}

int Score(const Rules& rules, const Position& pos) {
    int score = 2000 * pos.removed;
    for (int p = 0; p < pos.piles; ++p) {
        const int length = pos.length[p];
        if (length == 0) {
            score += 60;
            continue;
        }
        score -= 30 * pos.down[p];
        // A pile of face-down cards costs more the more of them there are.
        if (pos.down[p] > 0) score -= 5 * pos.down[p] * pos.down[p] / 2;
        for (int i = pos.down[p] + 1; i < length; ++i) {
            const Card below = pos.At(p, i - 1), card = pos.At(p, i);
            if (Follows(card, below) && Matches(rules.build, card, below))
                // Built as a finished run must be: worth most, whatever may move together.
                score += Matches(rules.finish, card, below) ? 12 : 4;
            else
                score -= 6;
        }
        // A run in suit from a King on an empty base is nearly done.
        const int bottom = pos.down[p];
        if (bottom == 0 && RankOf(pos.At(p, 0)) == 13) score += 8;
    }
    score -= 5 * pos.deals;
    return score;
}

std::uint64_t CanonicalHash(const Position& pos) {
    std::array<std::uint64_t, kMaxPiles> hashes{};
    for (int p = 0; p < pos.piles; ++p) {
        std::uint64_t h = 0x9e3779b97f4a7c15ULL * (pos.down[p] + 1);
        const int start = pos.Start(p);
        for (int i = 0; i < pos.length[p]; ++i)
            h = Mix(h ^ (pos.cards[start + i] + 0x100ULL * (i + 1)));
        hashes[p] = h;
    }
    std::sort(hashes.begin(), hashes.begin() + pos.piles);
    std::uint64_t h = Mix(pos.deals + 0x1000ULL * pos.removed + 0x100000ULL * pos.removedRed);
    for (int p = 0; p < pos.piles; ++p)
        h = Mix(h ^ hashes[p]) + p;
    return h;
}

namespace {

struct Step {
    int parent = -1;
    Move move;
};

struct Candidate {
    Position pos;
    int score = 0;
    int parent = -1;
    Move move;
};

std::vector<Move> LineTo(const std::vector<Step>& steps, int index) {
    std::vector<Move> line;
    for (int i = index; i > 0; i = steps[i].parent)
        line.push_back(steps[i].move);
    std::reverse(line.begin(), line.end());
    return line;
}

} // namespace

SearchResult Solve(const Deal& deal, const SearchOptions& options) {
    SearchResult result;
    std::vector<Step> steps{{-1, {}}};
    std::vector<std::pair<Position, int>> layer{{deal.start, 0}};
    std::unordered_set<std::uint64_t> seen{CanonicalHash(deal.start)};
    std::vector<Candidate> next;
    for (int depth = 0; depth < options.maxDepth && !layer.empty(); ++depth) {
        next.clear();
        std::unordered_set<std::uint64_t> layerSeen;
        for (const auto& [pos, index] : layer) {
            for (const Move& move : UsefulMoves(deal, pos, options.clicks)) {
                Position child = pos;
                if (!Play(deal, child, move)) continue;
                ++result.nodes;
                result.mostRemoved = std::max<int>(result.mostRemoved, child.removed);
                if (Won(deal, child)) {
                    steps.push_back({index, move});
                    result.won = true;
                    result.moves = LineTo(steps, static_cast<int>(steps.size()) - 1);
                    return result;
                }
                const std::uint64_t h = CanonicalHash(child);
                if (seen.contains(h) || !layerSeen.insert(h).second) continue;
                next.push_back({child, Score(deal.rules, child), index, move});
            }
        }
        result.depth = depth + 1;
        if (result.nodes > options.nodeBudget || next.empty()) break;
        const std::size_t keep = std::min<std::size_t>(next.size(), options.beamWidth);
        std::nth_element(next.begin(), next.begin() + static_cast<std::ptrdiff_t>(keep) - 1,
                         next.end(),
                         [](const Candidate& a, const Candidate& b) { return a.score > b.score; });
        layer.clear();
        for (std::size_t i = 0; i < keep; ++i) {
            seen.insert(CanonicalHash(next[i].pos));
            steps.push_back({next[i].parent, next[i].move});
            layer.emplace_back(next[i].pos, static_cast<int>(steps.size()) - 1);
        }
    }
    return result;
}

} // namespace quendra::spider
