#pragma once

#include "flight.h"
#include "game_context.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quendra {

// A small label drawn above or under a pile: black text on a white box without outline. An
// empty text means the box is restored from the background instead.
struct TableLabel {
    TableRect box;
    std::string text;
    TablePoint textAt;    // where the text starts (the box's left for centred text)
    bool centred = false; // the text is centred in the box
    bool bold = false;
    std::optional<TableRect> restoreFirst; // restored from the background before drawing
};

// "1 card", "n cards".
std::string CardCountText(int cards);

// Pile numbers above each tableau pile of the game (special family 40).
std::vector<TableLabel> PileNumberLabels(const GameContext& ctx);
// Pile sizes above each tableau pile (special family 42): a pile of 13 cards is "Completed".
TableLabel PileSizeLabel(int pileX, int pileY, int cards);
std::vector<TableLabel> PileSizeLabels(const GameContext& ctx);

// The rank a foundation of special family 10 needs next: top rank + i + 1 for foundation i
// (0-based), brought back into 1..13; 0 when none is shown (empty or full foundation).
int NextFoundationRank(int topRank, int foundation, int cards, int fullCount);
// Labels above foundations 1 to 4 (special family 10).
std::vector<TableLabel> NextRankLabels(const GameContext& ctx);
// The rank shown above foundation i (8..15, 0-based) of special family 50: the sum of its top
// rank and that of foundation i - 8, or twice the latter when foundation i is empty; 0 when
// none is shown.
int NextSumRank(int topRank, int pairedTopRank, int cards);
// Labels above foundations 9 to 16 (special family 50).
std::vector<TableLabel> NextSumLabels(const GameContext& ctx);

// How many times the card code "001" occurs in a log of comma-separated segments of
// three-digit card codes.
int CountFirstCardEntries(std::string_view log);
// The counter under `Mazzo_Vis` (special family 23): "k/20".
TableLabel CycleCounterLabel(const GameContext& ctx, std::string_view log);

// The panel telling how many cards lie in the pile under the resting pointer.
struct PileSizeTip {
    TablePoint at;
    std::string firstLine; // "n card(s)"
    std::string secondLine = "in this pile";
};
constexpr int kPileSizeTipWidth = 55;
constexpr int kPileSizeTipHeight = 30;
constexpr std::int64_t kPileSizeTipRestMs = 500;
// Whether the pointer has rested long enough for the panel to be looked for.
bool PileSizeTipDue(std::int64_t nowMs, std::int64_t lastMoveMs, bool panelVisible);
// Where the panel goes for a pointer at `pointer` in a window of the given size; nothing when
// the pile is empty or the pointer is outside the window or above `toolbarBottom`.
std::optional<PileSizeTip> PlacePileSizeTip(TablePoint pointer, int cards, int windowWidth,
                                            int windowHeight, int toolbarBottom);

} // namespace quendra
