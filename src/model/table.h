#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quendra {

// Every card's face state: record n - 1 for card n, 20 characters each
// (name padded to 15, suit digit, card code, face digit).
class CardTable {
  public:
    static constexpr int kRecords = 108;
    static constexpr int kRecordLength = 20;

    CardTable(); // every card face up

    const std::string& Record(int card) const { return records_.at(card - 1); }
    // Read on every legality test and table comparison: the face digits are also kept side by
    // side, in step with the records.
    char Face(int card) const { return faces_.at(static_cast<std::size_t>(card - 1)); }
    void SetFace(int card, char digit) {
        records_.at(card - 1)[kFaceAt] = digit;
        faces_[static_cast<std::size_t>(card - 1)] = digit;
    }
    // The face digit of every card, card n at n - 1.
    const std::array<char, kRecords>& Faces() const { return faces_; }

  private:
    static constexpr int kFaceAt = kRecordLength - 1;
    std::array<std::string, kRecords> records_;
    std::array<char, kRecords> faces_{};
};

enum class PileGroupId : std::uint8_t { Stock, Dest, Fila, Appogg };

constexpr int kStockPiles = 3;
constexpr int kDestPiles = 16;
constexpr int kFilaPiles = 40;
constexpr int kAppoggPiles = 10;
constexpr int kSnapshotLines = kStockPiles + kDestPiles + kFilaPiles + kAppoggPiles; // 69

// Indices in the stock group.
constexpr int kMazzo = 0;
constexpr int kMazzoVis = 1;
constexpr int kMazzoWaste = 2;

struct PileRef {
    PileGroupId group = PileGroupId::Stock;
    int index = 0;
    bool operator==(const PileRef&) const = default;
};

// Pile references by group and 0-based index.
namespace pile {
constexpr PileRef Stock(int i) { return {PileGroupId::Stock, i}; }
constexpr PileRef Dest(int i) { return {PileGroupId::Dest, i}; }
constexpr PileRef Fila(int i) { return {PileGroupId::Fila, i}; }
constexpr PileRef Appogg(int i) { return {PileGroupId::Appogg, i}; }
} // namespace pile

// The name of a pile: "Mazzo", "Mazzo_Vis", "Mazzo_Waste", "Dest7", "Fila12", "Appogg3".
std::string PileName(PileRef pile);
// Parses a pile name by its prefix and numeric part; nothing when it names no pile.
std::optional<PileRef> ParsePileName(std::string_view name);

// The four pile groups; also the shape of the scratch copy.
struct PileGroups {
    std::array<std::string, kStockPiles> StockGroup;
    std::array<std::string, kDestPiles> DestGroup;
    std::array<std::string, kFilaPiles> FilaGroup;
    std::array<std::string, kAppoggPiles> AppoggGroup;

    std::string& Pile(PileRef pile) {
        const auto& self = *this;
        return const_cast<std::string&>(self.Pile(pile));
    }
    const std::string& Pile(PileRef pile) const {
        // Asked for on every legality test: the group's array indexed in place.
        const auto at = static_cast<std::size_t>(pile.index);
        switch (pile.group) {
        case PileGroupId::Stock:
            return StockGroup.at(at);
        case PileGroupId::Dest:
            return DestGroup.at(at);
        case PileGroupId::Fila:
            return FilaGroup.at(at);
        case PileGroupId::Appogg:
            return AppoggGroup.at(at);
        }
        return BadGroup();
    }
    void Clear();
    bool operator==(const PileGroups&) const = default;

  private:
    [[noreturn]] static const std::string& BadGroup(); // throws std::out_of_range
};

// Pile strings: 3-digit card codes, bottom card first.
inline int PileCardCount(std::string_view pile) {
    return static_cast<int>(pile.size() / 3);
}
// 0-based from the bottom; 0 for a position off the pile or a unit that is no code. Read on
// every legality test: the three digits in place, with no text taken apart.
inline int PileCardAt(std::string_view pile, int position) {
    if (position < 0 || position >= PileCardCount(pile)) return 0;
    const char* code = pile.data() + static_cast<std::size_t>(position) * 3;
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (!digit(code[0]) || !digit(code[1]) || !digit(code[2])) return 0;
    return (code[0] - '0') * 100 + (code[1] - '0') * 10 + (code[2] - '0');
}
inline int PileTopCard(std::string_view pile) { // 0 when empty
    return PileCardAt(pile, PileCardCount(pile) - 1);
}

// Sets the face digit of cards of a pile string: mode n >= 1 the last n cards, -1 alternate
// starting face up, -2 alternate starting face down, -3 first up and the rest down.
void fnTurnCards(CardTable& cards, std::string_view pile, int mode, char faceDigit);

// The 69 lines of a table snapshot: stock group, foundations, tableau, reserves; 4
// characters a card (code and face digit).
using TableSnapshot = std::vector<std::string>;

// Game parameters: 490 signed 16-bit rule values indexed by parameter number.
constexpr int kParamCount = 490;
using GameParams = std::array<std::int16_t, kParamCount>;

// Ten one-byte flags of the running program.
struct GameStateFlags {
    static constexpr int kHoldAndExit = 0;
    static constexpr int kInPlay = 2;
    static constexpr int kClockRuns = 3;
    static constexpr int kStartingUp = 4;
    static constexpr int kIgnoreNextPress = 5;
    static constexpr int kAnimating = 6;
    static constexpr int kMoveRunning = 7;
    static constexpr int kWon = 8;
    static constexpr int kStop = 9;

    std::array<std::uint8_t, 10> values{};
    std::uint8_t& operator[](int i) { return values.at(static_cast<std::size_t>(i)); }
    std::uint8_t operator[](int i) const { return values.at(static_cast<std::size_t>(i)); }
};

// Pile positions filled by the layout, in pixels.
struct TableGeometry {
    std::int16_t CardWidth = 0;
    std::int16_t CardHeight = 0;
    std::array<std::int16_t, 42> FilaX{};
    std::array<std::int16_t, 42> FilaY{};
};

// The current game object: pile positions and state values, and the catalogue lines.
struct TMainGame {
    static constexpr int kValues = 180;
    static constexpr int kDestX = 0;
    static constexpr int kDestY = 17;
    static constexpr int kAppoggX = 34;
    static constexpr int kAppoggY = 45;
    static constexpr int kStockX = 56;
    static constexpr int kStockY = 60;
    static constexpr int kScrollY = 90;

    std::array<std::int16_t, kValues> values{};
    std::vector<std::string> GameList;
    std::vector<std::string> SecondList;

    std::int16_t& ScrollY() { return values[kScrollY]; }
};

} // namespace quendra
