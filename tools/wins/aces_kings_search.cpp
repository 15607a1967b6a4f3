// quendra-aces-kings-search: the search of Aces and Kings for reserve-search. Two play-only
// reserves, four places that take one card from a reserve or the waste, three passes through
// the stock (the waste turned over keeps the order the cards were dealt in), and for each suit
// a foundation up from the Ace and one down from the King. The two cards of a suit and rank
// are alike, so a table is known by the foundations' tops, the cards left in each reserve, the
// places' cards (in any order), the pass, how far the stock has been dealt in it and which
// cards have left the stock and waste. A card that can go home goes at once (both ways tried
// when it fits both, and from each place offering it), since a card home never stops another;
// otherwise a place may be filled from a reserve when that frees a card that goes home, from
// the waste so too or before a deal, or the stock deals. Each table is searched once.
//
// The search goes depth first within TABLES tables, fills before deals; when that is not
// enough it starts again RESTARTS times within RESTART_TABLES tables each, the choices of each
// table in a random order: a win hides in the early choices, which one long search never goes
// back to.
//
// Reads deals on standard input, one a line, fields parted by '|': the deal number, the stock's
// cards in the order they are dealt, each reserve's cards from the bottom, the places' cards
// ('-' for an empty one); a card is 0 to 51, thirteen ranks a suit (Ace first). Prints
// "won DEAL MOVES..." in the play command's syntax, "nowin DEAL TABLES" when every table was
// searched, or "unknown DEAL TABLES MOST" when the limit of tables was reached.
// Usage: quendra-aces-kings-search [TABLES [RESTARTS [RESTART_TABLES]]]

#include "deal_lines.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

constexpr int kSuits = 4;
constexpr int kRanks = 13;
constexpr int kReserves = 2;
constexpr int kPlaces = 4;
constexpr int kPasses = 3;
constexpr int kAllCards = 2 * kSuits * kRanks;
constexpr std::uint8_t kEmpty = 0xff;
constexpr int kNoKing = kRanks + 1; // a down foundation's top before its King

int Suit(int card) {
    return card / kRanks;
}
int Rank(int card) {
    return card % kRanks + 1;
}

struct Table {
    std::uint64_t goneLow = 0, goneHigh = 0; // cards that have left the stock and waste
    std::uint8_t dealt = 0;                  // in this pass
    std::uint8_t pass = 1;
    std::array<std::uint8_t, kReserves> left{};
    std::array<std::uint8_t, kPlaces> places{}; // kept sorted, empty ones last
    std::array<std::uint8_t, kSuits> up{}, down{};

    bool Gone(int i) const {
        return i < 64 ? (goneLow >> i & 1) != 0 : (goneHigh >> (i - 64) & 1) != 0;
    }
    void SetGone(int i) {
        if (i < 64)
            goneLow |= std::uint64_t{1} << i;
        else
            goneHigh |= std::uint64_t{1} << (i - 64);
    }
    int Home() const {
        int n = 0;
        for (int s = 0; s < kSuits; ++s)
            n += up[s] + (kNoKing - down[s]);
        return n;
    }
    bool operator==(const Table& o) const {
        return goneLow == o.goneLow && goneHigh == o.goneHigh && dealt == o.dealt && pass == o.pass &&
               left == o.left && places == o.places && up == o.up && down == o.down;
    }
};

struct TableHash {
    std::size_t operator()(const Table& t) const {
        std::uint64_t h = t.goneLow * 0x9e3779b97f4a7c15ULL ^ t.goneHigh * 0xc2b2ae3d27d4eb4fULL;
        std::uint64_t rest = t.dealt * kPasses + t.pass;
        for (auto v : t.left) rest = rest << 4 | v;
        for (auto v : t.places) rest = rest * 53 + (v == kEmpty ? 52 : v);
        for (int s = 0; s < kSuits; ++s) rest = rest << 8 | (t.up[s] << 4 | t.down[s]);
        h ^= rest * 0x165667b19e3779f9ULL;
        return static_cast<std::size_t>(h ^ (h >> 29));
    }
};

// A move: from the waste (0), a reserve (1 + r) or a place (1 + kReserves + p), to a
// foundation (way: 0 up, 1 down) or, with way 2, to the first empty place; or a deal.
struct Move {
    std::uint8_t from = 0, way = 0, card = 0;
    bool deal = false;
};

class Search {
public:
    Search(std::vector<int> stock, std::array<std::vector<int>, kReserves> reserves, long long limit)
        : stock_(std::move(stock)), reserves_(std::move(reserves)), limit_(limit) {}

    // 1 won, 0 no win, -1 limit reached; `restarts` searches of `restartLimit` tables each,
    // in random orders, follow a search that reached its limit.
    int Run(Table start, int restarts, long long restartLimit) {
        Sort(start);
        const int verdict = Go(start);
        if (verdict != -1) return verdict;
        limit_ = restartLimit;
        for (int k = 0; k < restarts; ++k) {
            shuffle_.seed(static_cast<std::mt19937::result_type>(k + 1));
            shuffled_ = true;
            seen_.clear();
            line_.clear();
            if (Go(start) == 1) return 1;
        }
        return -1;
    }
    const std::vector<Move>& line() const { return line_; }
    long long tables() const { return static_cast<long long>(seen_.size()); }
    int most() const { return most_; }

private:
    static void Sort(Table& t) { std::sort(t.places.begin(), t.places.end()); }

    // The next card the stock deals in this pass, or -1 when it is empty.
    int StockTop(const Table& t) const {
        for (std::size_t i = t.dealt; i < stock_.size(); ++i)
            if (!t.Gone(static_cast<int>(i))) return static_cast<int>(i);
        return -1;
    }
    bool CanDeal(const Table& t) const {
        return StockTop(t) >= 0 || (t.pass < kPasses && WasteTop(t) >= 0);
    }

    int WasteTop(const Table& t) const {
        for (int i = t.dealt - 1; i >= 0; --i)
            if (!t.Gone(i)) return i;
        return -1;
    }

    // The card a source offers, or -1.
    int Offered(const Table& t, int from, int& index) const {
        if (from == 0) {
            index = WasteTop(t);
            return index < 0 ? -1 : stock_[static_cast<std::size_t>(index)];
        }
        if (from <= kReserves) {
            const int r = from - 1;
            index = t.left[r] - 1;
            return index < 0 ? -1 : reserves_[r][static_cast<std::size_t>(index)];
        }
        index = from - 1 - kReserves;
        const std::uint8_t c = t.places[static_cast<std::size_t>(index)];
        return c == kEmpty ? -1 : c;
    }

    bool FitsHome(const Table& t, int card) const {
        const int s = Suit(card), r = Rank(card);
        return t.up[s] + 1 == r || t.down[s] - 1 == r;
    }

    // Some card under the top of the waste or a reserve, no deeper than the empty places
    // reach, goes home now. A place is filled from a reserve only so: a fill can wait until
    // just before the move that takes the card it frees, which takes a card home at the end
    // of the fills; from the waste, it cannot wait past the next deal.
    bool Digs(const Table& t, int from) const {
        int free = 0;
        for (std::uint8_t c : t.places) free += c == kEmpty ? 1 : 0;
        if (from == 0) {
            int depth = 0;
            for (int i = WasteTop(t) - 1; i >= 0 && depth < free; --i) {
                if (t.Gone(i)) continue;
                ++depth;
                if (FitsHome(t, stock_[static_cast<std::size_t>(i)])) return true;
            }
            return false;
        }
        const auto& reserve = reserves_[static_cast<std::size_t>(from - 1)];
        for (int j = 1; j <= free && t.left[from - 1] - 1 - j >= 0; ++j)
            if (FitsHome(t, reserve[static_cast<std::size_t>(t.left[from - 1] - 1 - j)])) return true;
        return false;
    }

    static void Take(Table& t, int from, int index) {
        if (from == 0)
            t.SetGone(index);
        else if (from <= kReserves)
            --t.left[from - 1];
        else
            t.places[static_cast<std::size_t>(index)] = kEmpty;
    }

    int Try(const Table& t, const Move& m, int index) {
        Table u = t;
        if (m.deal) {
            // An empty stock is the waste turned over, in the order it was dealt.
            const int next = StockTop(t);
            if (next < 0) {
                u.dealt = 0;
                ++u.pass;
            } else {
                u.dealt = static_cast<std::uint8_t>(next + 1);
            }
        } else {
            Take(u, m.from, index);
            const int s = Suit(m.card);
            if (m.way == 0)
                ++u.up[s];
            else if (m.way == 1)
                --u.down[s];
            else
                u.places[kPlaces - 1] = m.card; // sorted: the empty ones are last
        }
        Sort(u);
        line_.push_back(m);
        const int verdict = Go(u);
        if (verdict != 1) line_.pop_back();
        return verdict;
    }

    int Go(const Table& t) {
        const int home = t.Home();
        most_ = std::max(most_, home);
        if (home == kAllCards) return 1;
        if (!seen_.insert(t).second) return 0;
        if (static_cast<long long>(seen_.size()) >= limit_) return -1;
        const int sources = 1 + kReserves + kPlaces;
        // A card that fits a foundation goes home at once: the first one found, from each
        // place that offers that card (the twin left behind may still go the other way).
        for (int from = 0; from < sources; ++from) {
            int index = 0;
            const int card = Offered(t, from, index);
            if (card < 0 || !FitsHome(t, card)) continue;
            const int s = Suit(card), r = Rank(card);
            bool unknown = false;
            for (int twin = from; twin < sources; ++twin) {
                int at = 0;
                if (Offered(t, twin, at) != card) continue;
                for (int way = 0; way < 2; ++way) {
                    if (!(way == 0 ? t.up[s] + 1 == r : t.down[s] - 1 == r)) continue;
                    Move m;
                    m.from = static_cast<std::uint8_t>(twin);
                    m.way = static_cast<std::uint8_t>(way);
                    m.card = static_cast<std::uint8_t>(card);
                    const int v = Try(t, m, at);
                    if (v == 1) return 1;
                    unknown = unknown || v < 0;
                }
            }
            return unknown ? -1 : 0;
        }
        // Fill an empty place from the waste or a reserve (different cards only), or deal.
        std::array<Move, 2 + kReserves> choices;
        std::array<int, 2 + kReserves> at{};
        std::size_t count = 0;
        if (t.places[kPlaces - 1] == kEmpty) {
            for (int from = 0; from <= kReserves; ++from) {
                int index = 0;
                const int card = Offered(t, from, index);
                if (card < 0 ||
                    std::any_of(choices.begin(), choices.begin() + static_cast<long>(count),
                                [&](const Move& m) { return m.card == card; }))
                    continue;
                if (!Digs(t, from) && !(from == 0 && CanDeal(t))) continue;
                at[count] = index;
                choices[count].from = static_cast<std::uint8_t>(from);
                choices[count].way = 2;
                choices[count++].card = static_cast<std::uint8_t>(card);
            }
        }
        if (CanDeal(t)) choices[count++].deal = true;
        if (shuffled_)
            for (std::size_t i = count; i > 1; --i) {
                const std::size_t j = shuffle_() % i;
                std::swap(choices[i - 1], choices[j]);
                std::swap(at[i - 1], at[j]);
            }
        bool unknown = false;
        for (std::size_t i = 0; i < count; ++i) {
            const int v = Try(t, choices[i], at[i]);
            if (v == 1) return 1;
            unknown = unknown || v < 0;
        }
        return unknown ? -1 : 0;
    }

    std::vector<int> stock_;
    std::array<std::vector<int>, kReserves> reserves_;
    long long limit_;
    std::unordered_set<Table, TableHash> seen_;
    std::vector<Move> line_;
    int most_ = 0;
    bool shuffled_ = false;
    std::mt19937 shuffle_;
};

std::vector<int> Cards(const std::string& field) {
    std::vector<int> cards;
    for (const std::string& word : deal_lines::Words(field))
        cards.push_back(word == "-" ? -1 : std::atoi(word.c_str()));
    return cards;
}

// The line in the play command's syntax. Foundations 1 to 4 go up, 5 to 8 down; a suit's
// first card on a way takes the first foundation of that way no suit holds yet.
std::vector<std::string> Named(const std::vector<Move>& line, std::vector<int> places) {
    std::array<std::array<int, kSuits>, 2> dest{};
    std::array<int, 2> used{};
    for (auto& way : dest) way.fill(-1);
    std::vector<std::string> names;
    for (const Move& m : line) {
        if (m.deal) {
            names.push_back("stock");
            continue;
        }
        std::string from;
        if (m.from == 0) {
            from = "Mazzo_Vis";
        } else if (m.from <= kReserves) {
            from = "Appogg" + std::to_string(m.from);
        } else {
            // Places are searched sorted: find the one holding the card.
            const auto at = std::find(places.begin(), places.end(), m.card);
            from = "Fila" + std::to_string(at - places.begin() + 1);
            *at = -1;
        }
        if (m.way == 2) {
            const auto at = std::find(places.begin(), places.end(), -1);
            *at = m.card;
            names.push_back(from + ">Fila" + std::to_string(at - places.begin() + 1));
            continue;
        }
        int& d = dest[m.way][static_cast<std::size_t>(Suit(m.card))];
        if (d < 0) d = used[m.way]++;
        names.push_back(from + ">Dest" + std::to_string(m.way * kSuits + d + 1));
    }
    return names;
}

} // namespace

int main(int argc, char** argv) {
    // RESTARTS and RESTART_TABLES follow TABLES, which the shared main reads.
    int restarts = 200;
    long long restartLimit = 1000;
    if (argc > 2) restarts = std::atoi(argv[2]);
    if (argc > 3) restartLimit = std::atoll(argv[3]);
    if (argc > 4 || restarts < 0 || restartLimit <= 0) {
        std::cerr << "Usage: quendra-aces-kings-search [TABLES [RESTARTS [RESTART_TABLES]]]\n";
        return 2;
    }
    return deal_lines::Run(std::min(argc, 2), argv, "quendra-aces-kings-search", 3 + kReserves,
                           20'000,
                           [&](const std::vector<std::string>& fields, long long limit) {
        std::array<std::vector<int>, kReserves> reserves;
        for (int r = 0; r < kReserves; ++r) reserves[r] = Cards(fields[2 + r]);
        const std::vector<int> places = Cards(fields[2 + kReserves]);
        Table start;
        start.places.fill(kEmpty);
        for (std::size_t p = 0; p < places.size() && p < kPlaces; ++p)
            if (places[p] >= 0) start.places[p] = static_cast<std::uint8_t>(places[p]);
        start.left = {static_cast<std::uint8_t>(reserves[0].size()),
                      static_cast<std::uint8_t>(reserves[1].size())};
        start.up.fill(0);
        start.down.fill(kNoKing);
        const std::vector<int> stock = Cards(fields[1]);
        if (stock.size() > 128 || reserves[0].size() > 15 || reserves[1].size() > 15) {
            std::cerr << "quendra-aces-kings-search: at most 128 stock cards and 15 a reserve\n";
            std::exit(2);
        }
        Search search(stock, reserves, limit);
        deal_lines::Answer answer;
        answer.verdict = search.Run(start, restarts, restartLimit);
        if (answer.verdict == 1) answer.moves = Named(search.line(), places);
        answer.tables = search.tables();
        answer.most = search.most();
        return answer;
    });
}
