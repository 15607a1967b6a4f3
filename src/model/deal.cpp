#include "deal.h"

#include "cards.h"
#include "game_params.h"

#include <algorithm>
#include <random>

namespace quendra {

namespace {

constexpr int kDigits = 13;
const std::string kGap = "000";

// Suit of each of the eight copies of a rank, by suit row (1 hearts to 4 spades).
constexpr int kSuitTable[13][8] = {
    {4, 2, 3, 1, 4, 2, 1, 3}, {1, 3, 2, 4, 4, 3, 2, 1}, {2, 4, 3, 1, 3, 4, 1, 2},
    {3, 4, 2, 1, 2, 3, 1, 4}, {4, 2, 3, 1, 1, 3, 4, 2}, {1, 4, 2, 3, 4, 1, 2, 3},
    {2, 1, 3, 4, 3, 1, 2, 4}, {3, 2, 1, 4, 2, 4, 1, 3}, {4, 3, 1, 2, 1, 2, 3, 4},
    {2, 1, 4, 3, 4, 2, 1, 3}, {3, 1, 4, 2, 1, 2, 4, 3}, {3, 2, 4, 1, 1, 4, 3, 2},
    {2, 3, 4, 1, 4, 1, 3, 2},
};

// The walk's steps, by digit.
constexpr int kStepTable[10][8] = {
    {25, 18, 13, 22, 21, 20, 15, 15}, {20, 19, 12, 13, 18, 18, 23, 17},
    {30, 21, 19, 19, 13, 22, 20, 18}, {51, 16, 14, 18, 21, 21, 17, 19},
    {18, 19, 19, 23, 13, 16, 15, 20}, {17, 21, 14, 19, 19, 16, 18, 17},
    {48, 16, 13, 14, 19, 20, 20, 16}, {11, 21, 21, 23, 17, 18, 22, 20},
    {22, 16, 13, 13, 19, 17, 22, 13}, {24, 13, 20, 21, 21, 14, 15, 22},
};

// Keeps a walk position inside the deck list.
int Wrap(int y, int n) {
    if (y >= n) return y % n;
    if (y < 0) return 0;
    return y;
}

// The number formed by the digits at the given 1-based positions.
long long NumberFrom(const std::string& digits, std::initializer_list<int> positions) {
    long long value = 0;
    for (int p : positions)
        value = value * 10 + (digits[static_cast<std::size_t>(p - 1)] - '0');
    return value;
}

// The nine digits that choose the suit row of pass r.
int SuitRow(const std::string& digits, int r) {
    std::string nine;
    if (r <= 10) {
        nine = digits.substr(0, static_cast<std::size_t>(r - 1)) +
               digits.substr(static_cast<std::size_t>(r + 3));
    } else {
        nine = digits.substr(static_cast<std::size_t>(r - 9), 9);
    }
    return static_cast<int>(std::stoll(nine) % 13);
}

} // namespace

bool IsValidDealNumber(std::string_view text) {
    return !text.empty() && text.size() <= kDigits &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string DealDigits(const GameContext& ctx) {
    std::string text = std::string(kDigits, '0') + GetSetting(ctx.settings, field::kDealNumber);
    text = text.substr(text.size() - kDigits);
    // Anything but a digit counts as 0, so a damaged field still gives a deal.
    for (char& c : text)
        if (c < '0' || c > '9') c = '0';
    return text;
}

void NewDealNumber(GameContext& ctx) {
    std::random_device device;
    std::mt19937_64 engine(device());
    const long long a = std::uniform_int_distribution<long long>(0, 9'999'998)(engine);
    const long long b = std::uniform_int_distribution<long long>(0, 999'998)(engine);
    const std::string text = std::string(kDigits, '0') + std::to_string(a * b);
    SetSetting(ctx.settings, field::kDealNumber, text.substr(text.size() - kDigits));
}

int NextFreeSlot(const DeckList& deck, int start, bool forward) {
    const int n = static_cast<int>(deck.size());
    if (forward) {
        for (int i = std::max(start, 0); i < n; ++i)
            if (deck[static_cast<std::size_t>(i)] == kGap) return i;
    } else {
        for (int i = std::min(start, n - 1); i >= 0; --i)
            if (deck[static_cast<std::size_t>(i)] == kGap) return i;
    }
    for (int i = 0; i < n; ++i)
        if (deck[static_cast<std::size_t>(i)] == kGap) return i;
    return -1;
}

void fnGameNumberCardsArray(GameContext& ctx, DeckList& deck) {
    const int cards = ctx.Param(param::kDeckSize);
    const bool jokers = ctx.Param(44) != 0;
    const int jokerCount = std::clamp(ctx.Param(373), 0, 4);
    const int n = std::max(0, cards) + (ctx.Param(44) == 1 ? jokerCount : 0);
    deck.assign(static_cast<std::size_t>(n), kGap);
    if (n == 0) return;

    const std::string d = DealDigits(ctx);
    auto digit = [&](int position) { return d[static_cast<std::size_t>(position - 1)] - '0'; };

    int copies = 0;
    if (cards <= 52)
        copies = 4;
    else if (cards == 104)
        copies = 8;
    else
        ctx.host.ShowInformation("Error 01 - fnGameNumberCardsArray");

    int y = static_cast<int>(NumberFrom(d, {2, 6, 12}));

    if (jokers) {
        int slot = y;
        for (int j = 1; j <= jokerCount; ++j) {
            slot = Wrap(slot + kStepTable[digit(1)][j - 1], n);
            const int free = NextFreeSlot(deck, slot, true);
            if (free >= 0) deck[static_cast<std::size_t>(free)] = CardCode(104 + j);
        }
    }

    if (copies > 0) {
        std::vector<int> rankPool;
        for (int rank = 1; rank <= 13; ++rank)
            rankPool.push_back(rank);
        int p1 = 1, p2 = 7, p3 = 13;
        for (int r = 1; r <= kDigits; ++r) {
            const int dr = digit(r);
            const bool forward = dr == 0;
            const int suitRow = SuitRow(d, r);

            int k = static_cast<int>(NumberFrom(d, {p1, p2, p3}) % 13);
            if (k > static_cast<int>(rankPool.size()) - 1)
                k = forward ? static_cast<int>(rankPool.size()) - 1 : 0;
            const int rank = rankPool[static_cast<std::size_t>(k)];
            rankPool.erase(rankPool.begin() + k);

            auto advance = [](int& p) { p = p + 1 > kDigits ? p + 1 - kDigits : p + 1; };
            advance(p1);
            advance(p2);
            advance(p3);

            y -= dr;
            for (int i = 1; i <= copies; ++i) {
                y = Wrap(y + kStepTable[dr][i - 1], n);
                const int card =
                    (kSuitTable[suitRow][i - 1] - 1) * 13 + rank + (i > 4 ? kCardsInPack : 0);
                if (deck[static_cast<std::size_t>(y)] != kGap) y = NextFreeSlot(deck, y, forward);
                if (y >= 0) deck[static_cast<std::size_t>(y)] = CardCode(card);
            }
        }
    }

    const int stripped = ctx.Param(47);
    if (stripped == 1 || stripped == 2) {
        std::erase_if(deck, [&](const std::string& code) {
            const int rank = fnRank(ParseDigits(code));
            return (rank >= 2 && rank <= 6) || (stripped == 2 && rank == 13);
        });
    }
}

} // namespace quendra
