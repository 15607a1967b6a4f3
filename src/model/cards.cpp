#include "cards.h"

#include <cstdlib>

namespace quendra {

std::string fnFormatNumber(long long n, int width) {
    if (width <= 0) return {};
    const bool negative = n < 0;
    const unsigned long long magnitude =
        negative ? 0ULL - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
    std::string digits = std::to_string(magnitude);
    const std::size_t room = static_cast<std::size_t>(width) - (negative ? 1 : 0);
    if (digits.size() > room || (negative && width < 2)) return std::string(width, '*');
    std::string out;
    if (negative) out.push_back('-');
    out.append(room - digits.size(), '0');
    out += digits;
    return out;
}

namespace {
int PackIndex(int card) {
    return card > kCardsInPack ? card - kCardsInPack : card;
}
} // namespace

int fnRank(int card) {
    if (card == 0) return 0;
    if (card >= kFirstJoker && card <= kMaxCard) return kJokerRank;
    if (card < 0 || card > kPackCards) return -1;
    return (PackIndex(card) - 1) % 13 + 1;
}

int fnSuit(int card) {
    if (card < 1 || card > kPackCards) return -1;
    return (PackIndex(card) - 1) / 13;
}

bool fnIsRed(int card) {
    return (card >= 1 && card <= 26) || (card >= 53 && card <= 78);
}

bool fnIsFaceCard(int card) {
    const int rank = fnRank(card);
    return rank >= 11 && rank <= 13;
}

bool fnIsJoker(int card) {
    return card >= kFirstJoker && card <= kMaxCard;
}

int fnNextRank(int rank) {
    return rank >= 13 ? 1 : rank + 1;
}

int fnPrevRank(int rank) {
    return rank <= 1 ? 13 : rank - 1;
}

std::string fnRankText(int rank) {
    switch (rank) {
    case 1:
        return "A";
    case 11:
        return "J";
    case 12:
        return "Q";
    case 13:
        return "K";
    default:
        return std::to_string(rank);
    }
}

int ParseDigits(std::string_view text) {
    if (text.empty() || text.size() > 9) return -1;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace quendra
