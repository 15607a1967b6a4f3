#pragma once

#include "flight.h"
#include "game_context.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace quendra {

// The poker grid: 25 tableau piles of one card, rows of five (piles 1-5, 6-10, ...).
constexpr int kPokerGridSide = 5;
constexpr int kPokerGridPiles = kPokerGridSide * kPokerGridSide;
using PokerGrid = std::array<int, kPokerGridPiles>; // card per pile, 0 for an empty pile

struct PokerHand {
    std::string name; // empty for no hand
    int points = 0;
    bool operator==(const PokerHand&) const = default;
};

// Scores five cards by the hand table, tested from "Royal Flush" down to "One Pair".
PokerHand EvaluatePokerHand(const std::array<int, kPokerGridSide>& cards);

// One complete row or column of the grid.
struct PokerLine {
    bool column = false;
    int index = 0;                           // 0-based row or column
    std::array<int, kPokerGridSide> piles{}; // 0-based tableau pile indices
    PokerHand hand;
    bool holdsPlacedCard = false;
    int runningTotal = 0; // the total shown with this line when it holds the placed card
};

// The three text lines of the score panel after a scoring; a line left unset keeps what the
// panel showed before.
struct PokerPanelText {
    std::optional<std::string> handName;
    std::optional<std::string> points; // n + " points"
    std::string total;                 // ": " + total + " points", after the bold "Total"
};

struct PokerScore {
    int total = 0;
    std::vector<PokerLine> lines; // complete lines: rows, then columns
    std::vector<int> shown;       // indices into lines: those that hold the placed card
    PokerPanelText panel;
};

// Scores the grid after `placedCard` was put in it: every complete row and column, the lines
// holding the card shown in turn with their running totals, and the panel's final text.
PokerScore ScorePokerGrid(const PokerGrid& grid, int placedCard);
// The same for the first 25 tableau piles of a game (the top card of each).
PokerScore ScorePokerGrid(const GameContext& ctx, int placedCard);

// The score panel: centred on `Mazzo_Vis`'s X and on the row of tableau pile 11.
TableRect PokerPanelRect(int mazzoVisX, int pile11Y, int cardWidth, int cardHeight, int panelWidth,
                         int panelHeight);

struct PokerPanelLayout {
    TablePoint handName; // bold
    TablePoint points;
    TablePoint total;       // "Total" in bold, then the total text
    int clearRightEdge = 0; // the total line is cleared to white up to here
};
PokerPanelLayout PokerPanelTextPlaces(const TableRect& panel);

} // namespace quendra
