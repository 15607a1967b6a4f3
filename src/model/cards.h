#pragma once

#include <string>
#include <string_view>

namespace quendra {

// Cards are numbered 1 to 108: two packs of 52 (hearts, diamonds, clubs, spades, Ace to
// King each) and four jokers 105 to 108. 0 is a gap.
constexpr int kCardsInPack = 52;
constexpr int kPackCards = 104;
constexpr int kMaxCard = 108;
constexpr int kFirstJoker = 105;
constexpr int kJokerRank = 100;

// The ranks the rules name (fnRank's values).
constexpr int kAce = 1;
constexpr int kTen = 10;
constexpr int kJack = 11;
constexpr int kQueen = 12;
constexpr int kKing = 13;

// Written right-aligned in `width` characters, zero-filled, sign first; asterisks when the
// number does not fit.
std::string fnFormatNumber(long long n, int width);

int fnRank(int card);
int fnSuit(int card);
bool fnIsRed(int card);
bool fnIsFaceCard(int card);
bool fnIsJoker(int card);
int fnNextRank(int rank);
int fnPrevRank(int rank);
std::string fnRankText(int rank);

// The three-digit code of a card ("000" for a gap).
inline std::string CardCode(int card) {
    return fnFormatNumber(card, 3);
}

// Parses a run of decimal digits; -1 when the text holds anything else or is empty.
int ParseDigits(std::string_view text);

} // namespace quendra
