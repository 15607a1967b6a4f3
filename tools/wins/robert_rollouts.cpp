// quendra-robert-rollouts: random plays of Robert, for stock-search. Reads deals on standard
// input, one a line: the deal number, the foundation's first rank, then the stock's ranks in
// the order they are dealt. For each it plays up to ROLLOUTS random games: the waste's top
// card goes home, when it fits, with a chance drawn for each game between a half and one, and
// the waste is turned over twice. Prints "won DEAL" and the moves (0 a stock click, 1 the
// waste's card home) when a game takes every card home, else "lost DEAL MOST".
// Usage: quendra-robert-rollouts ROLLOUTS

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kPasses = 3;
constexpr int kRanks = 13;

int Next(int rank) {
    return rank % kRanks + 1;
}
int Previous(int rank) {
    return rank == 1 ? kRanks : rank - 1;
}

// One random game; the cards home (the first one included) and its moves.
int Play(const std::vector<int>& ranks, int first, std::mt19937_64& draw, std::vector<int>& moves) {
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    const double playRate = 0.5 + 0.5 * chance(draw);
    std::vector<int> stock(ranks.rbegin(), ranks.rend()); // the back is dealt next
    std::vector<int> waste;
    int top = first, home = 1, pass = 1;
    moves.clear();
    while (true) {
        if (!waste.empty()) {
            const int card = waste.back();
            if ((card == Next(top) || card == Previous(top)) && chance(draw) < playRate) {
                top = card;
                waste.pop_back();
                ++home;
                moves.push_back(1);
                continue;
            }
        }
        if (!stock.empty()) {
            waste.push_back(stock.back());
            stock.pop_back();
            moves.push_back(0);
            continue;
        }
        if (pass < kPasses && !waste.empty()) {
            // The waste turned over: dealt again in the same order.
            ++pass;
            stock.assign(waste.rbegin(), waste.rend());
            waste.clear();
            moves.push_back(0);
            continue;
        }
        return home;
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Usage: quendra-robert-rollouts ROLLOUTS\n";
        return 2;
    }
    const long long rollouts = std::atoll(argv[1]);
    std::mt19937_64 draw(12345);
    std::string text;
    std::vector<int> moves;
    while (std::getline(std::cin, text)) {
        std::istringstream in(text);
        long long deal = 0;
        int first = 0, rank = 0;
        in >> deal >> first;
        std::vector<int> ranks;
        while (in >> rank)
            ranks.push_back(rank);
        const int all = static_cast<int>(ranks.size()) + 1;
        int most = 0;
        bool won = false;
        for (long long i = 0; i < rollouts && !won; ++i) {
            const int home = Play(ranks, first, draw, moves);
            most = std::max(most, home);
            won = home == all;
        }
        if (won) {
            std::cout << "won " << deal;
            for (int move : moves)
                std::cout << ' ' << move;
        } else {
            std::cout << "lost " << deal << ' ' << most;
        }
        std::cout << std::endl;
    }
    return 0;
}
