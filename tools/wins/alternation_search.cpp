// quendra-alternation-search: a depth first search of Alternation for alternation-search.
// Seven piles, built down in alternating colours, any run of built face-up cards moving as a
// whole, a space taking any card or run; one pass through the stock onto one waste pile; for
// each suit two foundations up from the Ace. The two cards of a suit and rank are alike, and
// the piles may be swapped, so a table is known by its piles in any order, each suit's two
// foundation tops, how far the stock has been dealt and which dealt cards have left the waste.
// A card goes home at once when no card could still want to be built on it (every card of the
// other colour one rank below is home); a face-down card left on top is turned at once. Each
// table is searched once, within a limit of tables; the moves that turn a card come first.
// A part of a run is moved away only when the card it leaves on top goes home or takes the
// waste's card.
//
// Reads deals on standard input, one a line, fields parted by '|': the deal number, the
// stock's cards in the order they are dealt, then each pile from the bottom, a card as 0 to 51
// (thirteen ranks a suit, Ace first; suits 0 and 1 red) followed by 'u' when face up or 'd'.
// Prints "won DEAL MOVES..." in the play command's syntax (Autoplay off), "nowin DEAL TABLES"
// when every table was searched, or "unknown DEAL TABLES MOST" at the limit.
// Usage: quendra-alternation-search [TABLES]

#include "deal_lines.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kSuits = 4;
constexpr int kRanks = 13;
constexpr int kPiles = 7;
constexpr int kMaxPile = 40;
constexpr int kAllCards = 2 * kSuits * kRanks;
constexpr std::uint8_t kDown = 0x80; // a face-down card
constexpr std::size_t kMaxLine = 3000;  // the deepest line searched
// The order moves are tried in, lowest first: the stock deals after the moves that turn a
// card, go home, empty a pile or build the waste's card, before those that only shift runs
// (the best of the orders tried, over about a hundred deals).
constexpr int kDealOrder = 4;

int Suit(int card) {
    return (card & 0x7f) / kRanks;
}
int Rank(int card) {
    return (card & 0x7f) % kRanks + 1;
}
bool Red(int card) {
    return Suit(card) < 2;
}
bool Builds(int card, int onto) {
    return (onto & kDown) == 0 && Rank(card) + 1 == Rank(onto) && Red(card) != Red(onto);
}

struct Pile {
    std::uint8_t n = 0;
    std::array<std::uint8_t, kMaxPile> c{};
    int Top() const { return c[n - 1]; }
    // The lowest place of the built face-up run on top.
    int RunStart() const {
        int i = n - 1;
        while (i > 0 && Builds(c[i], c[i - 1])) --i;
        return i;
    }
};

struct Table {
    std::array<Pile, kPiles> piles;
    std::array<std::array<std::uint8_t, 2>, kSuits> home{}; // each suit's two tops, lower first
    std::uint64_t gone = 0;
    std::uint8_t dealt = 0;

    int Home() const {
        int n = 0;
        for (const auto& h : home) n += h[0] + h[1];
        return n;
    }
    bool Fits(int card) const {
        const auto& h = home[static_cast<std::size_t>(Suit(card))];
        return h[0] + 1 == Rank(card) || h[1] + 1 == Rank(card);
    }
    void PutHome(int card) {
        auto& h = home[static_cast<std::size_t>(Suit(card))];
        if (h[0] + 1 == Rank(card))
            ++h[0];
        else
            ++h[1];
        if (h[0] > h[1]) std::swap(h[0], h[1]);
    }
    // No card of the other colour one rank below is left to be built on this one.
    bool Safe(int card) const {
        const int r = Rank(card);
        if (r <= 2) return true;
        const int first = Red(card) ? 2 : 0;
        for (int s = first; s < first + 2; ++s)
            if (home[static_cast<std::size_t>(s)][0] < r - 1) return false;
        return true;
    }
};

std::uint64_t Mix(std::uint64_t h) {
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ULL;
    h ^= h >> 33;
    return h;
}

std::uint64_t Key(const Table& t) {
    std::array<std::uint64_t, kPiles> piles{};
    for (int p = 0; p < kPiles; ++p) {
        std::uint64_t h = 0x9e3779b97f4a7c15ULL;
        const Pile& pile = t.piles[static_cast<std::size_t>(p)];
        for (int i = 0; i < pile.n; ++i) h = Mix(h ^ pile.c[static_cast<std::size_t>(i)]) + i;
        piles[static_cast<std::size_t>(p)] = h;
    }
    std::sort(piles.begin(), piles.end());
    std::uint64_t h = Mix(t.gone ^ (std::uint64_t{t.dealt} << 56));
    for (const auto& f : t.home) h = Mix(h ^ (f[0] << 4 | f[1]));
    for (std::uint64_t p : piles) h = Mix(h ^ p);
    return h;
}

// Tables seen, by key: open addressing, 0 marking a free slot.
class Seen {
public:
    explicit Seen(long long limit) {
        std::size_t size = 1;
        while (size < static_cast<std::size_t>(limit) * 2) size <<= 1;
        slots_.assign(size, 0);
    }
    bool Insert(std::uint64_t key) {
        if (key == 0) key = 1;
        std::size_t i = key & (slots_.size() - 1);
        while (slots_[i] != 0) {
            if (slots_[i] == key) return false;
            i = (i + 1) & (slots_.size() - 1);
        }
        slots_[i] = key;
        ++count_;
        return true;
    }
    long long count() const { return count_; }

private:
    std::vector<std::uint64_t> slots_;
    long long count_ = 0;
};

// From the waste (from = -1) or a pile, the cards from place `at` up; to a pile or home
// (to = -1); or a deal.
struct Move {
    bool deal = false;
    int from = 0, at = 0, to = 0;
};

class Search {
public:
    Search(std::vector<int> stock, long long limit)
        : stock_(std::move(stock)), limit_(limit), seen_(limit) {}

    int Run(const Table& start) { return Go(start); }
    const std::vector<Move>& line() const { return line_; }
    long long tables() const { return seen_.count(); }
    int most() const { return most_; }

private:
    // A card left on top by a part of a run moved away is of use at once: it goes home or
    // takes the waste's card.
    bool Useful(const Table& t, int card, int w) const {
        return t.Fits(card) || (w >= 0 && Builds(stock_[static_cast<std::size_t>(w)], card));
    }

    int WasteTop(const Table& t) const {
        for (int i = t.dealt - 1; i >= 0; --i)
            if ((t.gone >> i & 1) == 0) return i;
        return -1;
    }

    Table Apply(const Table& t, const Move& m) const {
        Table u = t;
        if (m.deal) {
            ++u.dealt;
            return u;
        }
        std::array<std::uint8_t, kMaxPile> moved{};
        int count = 0;
        if (m.from < 0) {
            const int w = WasteTop(t);
            u.gone |= std::uint64_t{1} << w;
            moved[0] = static_cast<std::uint8_t>(stock_[static_cast<std::size_t>(w)]);
            count = 1;
        } else {
            Pile& from = u.piles[static_cast<std::size_t>(m.from)];
            count = from.n - m.at;
            std::copy(from.c.begin() + m.at, from.c.begin() + from.n, moved.begin());
            from.n = static_cast<std::uint8_t>(m.at);
            if (from.n > 0) from.c[from.n - 1] &= static_cast<std::uint8_t>(~kDown);
        }
        if (m.to < 0) {
            u.PutHome(moved[0]);
        } else {
            Pile& to = u.piles[static_cast<std::size_t>(m.to)];
            std::copy(moved.begin(), moved.begin() + count, to.c.begin() + to.n);
            to.n = static_cast<std::uint8_t>(to.n + count);
        }
        return u;
    }

    int Try(const Table& t, const Move& m) {
        line_.push_back(m);
        const int v = Go(Apply(t, m));
        if (v != 1) line_.pop_back();
        return v;
    }

    int Go(const Table& t) {
        const int home = t.Home();
        most_ = std::max(most_, home);
        if (home == kAllCards) return 1;
        if (!seen_.Insert(Key(t))) return 0;
        if (seen_.count() >= limit_ || line_.size() >= kMaxLine) return -1;
        const int w = WasteTop(t);
        // A card no other card can want goes home at once.
        if (w >= 0 && t.Fits(stock_[static_cast<std::size_t>(w)]) &&
            t.Safe(stock_[static_cast<std::size_t>(w)]))
            return Try(t, Move{false, -1, 0, -1});
        for (int p = 0; p < kPiles; ++p) {
            const Pile& pile = t.piles[static_cast<std::size_t>(p)];
            if (pile.n > 0 && t.Fits(pile.Top()) && t.Safe(pile.Top()))
                return Try(t, Move{false, p, pile.n - 1, -1});
        }
        std::vector<std::pair<int, Move>> moves;
        int firstSpace = -1;
        for (int p = 0; p < kPiles; ++p)
            if (t.piles[static_cast<std::size_t>(p)].n == 0) {
                firstSpace = p;
                break;
            }
        for (int p = 0; p < kPiles; ++p) {
            const Pile& pile = t.piles[static_cast<std::size_t>(p)];
            if (pile.n == 0) continue;
            const int start = pile.RunStart();
            const bool turns = start > 0 && (pile.c[start - 1] & kDown) != 0;
            if (t.Fits(pile.Top()))
                moves.push_back({pile.n == 1 || (pile.n - 1 == start && turns) ? 0 : 3,
                                 Move{false, p, pile.n - 1, -1}});
            for (int d = 0; d < kPiles; ++d) {
                if (d == p) continue;
                const Pile& to = t.piles[static_cast<std::size_t>(d)];
                if (to.n == 0) {
                    if (d != firstSpace || start == 0) continue;
                    // The whole run to a space, or the part of it above a card that could
                    // take the waste's card or go home.
                    moves.push_back({turns ? 1 : 6, Move{false, p, start, d}});
                    for (int at = start + 1; at < pile.n; ++at)
                        if (Useful(t, pile.c[static_cast<std::size_t>(at - 1)], w))
                            moves.push_back({8, Move{false, p, at, d}});
                    continue;
                }
                for (int at = start; at < pile.n; ++at) {
                    if (!Builds(pile.c[static_cast<std::size_t>(at)], to.Top())) continue;
                    if (at > start && !Useful(t, pile.c[static_cast<std::size_t>(at - 1)], w)) continue;
                    int order = 7;
                    if (at == start) order = turns ? 0 : (start == 0 ? 2 : 5);
                    moves.push_back({order, Move{false, p, at, d}});
                }
            }
        }
        if (w >= 0) {
            const int card = stock_[static_cast<std::size_t>(w)];
            if (t.Fits(card)) moves.push_back({3, Move{false, -1, 0, -1}});
            for (int d = 0; d < kPiles; ++d) {
                const Pile& to = t.piles[static_cast<std::size_t>(d)];
                if (to.n == 0 ? d == firstSpace : Builds(card, to.Top()))
                    moves.push_back({to.n == 0 ? 6 : 4, Move{false, -1, 0, d}});
            }
        }
        if (t.dealt < stock_.size()) moves.push_back({kDealOrder, Move{true, 0, 0, 0}});
        std::stable_sort(moves.begin(), moves.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& entry : moves) {
            const int v = Try(t, entry.second);
            if (v != 0) return v;
        }
        return 0;
    }

    std::vector<int> stock_;
    long long limit_;
    Seen seen_;
    std::vector<Move> line_;
    int most_ = 0;
};

// The line in the play command's syntax. An Ace takes the first empty foundation, another
// card the first foundation of its suit one rank below it; a card moved alone leaves a
// face-down card under it to be turned by a click, a run leaves it turned by itself.
std::vector<std::string> Named(const std::vector<Move>& line, Table t,
                               const std::vector<int>& stock) {
    std::array<int, 2 * kSuits> suit{}, top{};
    suit.fill(-1);
    std::vector<std::string> names;
    auto wasteTop = [&] {
        for (int i = t.dealt - 1; i >= 0; --i)
            if ((t.gone >> i & 1) == 0) return i;
        return -1;
    };
    for (const Move& m : line) {
        if (m.deal) {
            names.push_back("stock");
            ++t.dealt;
            continue;
        }
        std::vector<std::uint8_t> moved;
        std::string from;
        bool click = false;
        int leftFrom = -1;
        if (m.from < 0) {
            const int w = wasteTop();
            t.gone |= std::uint64_t{1} << w;
            moved.push_back(static_cast<std::uint8_t>(stock[static_cast<std::size_t>(w)]));
            from = "Mazzo_Vis";
        } else {
            Pile& p = t.piles[static_cast<std::size_t>(m.from)];
            moved.assign(p.c.begin() + m.at, p.c.begin() + p.n);
            from = "Fila" + std::to_string(m.from + 1);
            if (m.at < p.n - 1) from += ":" + std::to_string(m.at);
            p.n = static_cast<std::uint8_t>(m.at);
            if (p.n > 0 && (p.c[p.n - 1] & kDown) != 0) {
                p.c[p.n - 1] &= static_cast<std::uint8_t>(~kDown);
                click = moved.size() == 1;
                leftFrom = m.from;
            }
        }
        if (m.to < 0) {
            const int card = moved[0];
            int d = -1;
            for (int f = 0; f < 2 * kSuits && d < 0; ++f)
                if (Rank(card) == 1 ? suit[static_cast<std::size_t>(f)] < 0
                                    : suit[static_cast<std::size_t>(f)] == Suit(card) &&
                                          top[static_cast<std::size_t>(f)] + 1 == Rank(card))
                    d = f;
            suit[static_cast<std::size_t>(d)] = Suit(card);
            top[static_cast<std::size_t>(d)] = Rank(card);
            t.PutHome(card);
            names.push_back(from + ">Dest" + std::to_string(d + 1));
        } else {
            Pile& p = t.piles[static_cast<std::size_t>(m.to)];
            for (std::uint8_t c : moved) p.c[p.n++] = c;
            names.push_back(from + ">Fila" + std::to_string(m.to + 1));
        }
        if (click) names.push_back("Fila" + std::to_string(leftFrom + 1));
    }
    return names;
}

} // namespace

int main(int argc, char** argv) {
    return deal_lines::Run(argc, argv, "quendra-alternation-search", 2 + kPiles, 5'000'000,
                           [](const std::vector<std::string>& fields, long long limit) {
        std::vector<int> stock;
        for (const std::string& w : deal_lines::Words(fields[1]))
            stock.push_back(std::atoi(w.c_str()));
        if (stock.size() > 64) {
            std::cerr << "quendra-alternation-search: the stock holds at most 64 cards\n";
            std::exit(2);
        }
        Table start;
        for (int p = 0; p < kPiles; ++p) {
            Pile& pile = start.piles[static_cast<std::size_t>(p)];
            for (const std::string& w : deal_lines::Words(fields[2 + static_cast<std::size_t>(p)])) {
                if (pile.n == kMaxPile) break;
                int card = std::atoi(w.c_str()) & 0x7f;
                if (w.back() == 'd') card |= kDown;
                pile.c[pile.n++] = static_cast<std::uint8_t>(card);
            }
        }
        Search search(stock, limit);
        deal_lines::Answer answer;
        answer.verdict = search.Run(start);
        if (answer.verdict == 1) answer.moves = Named(search.line(), start, stock);
        answer.tables = search.tables();
        answer.most = search.most();
        return answer;
    });
}
