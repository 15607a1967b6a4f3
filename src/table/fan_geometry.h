#pragma once

#include "flight.h"
#include "game_context.h"

#include <array>
#include <optional>
#include <vector>

namespace quendra {

// The steps between the cards of a fanned pile, in pixels, set from the card size and the
// fanning modes of the game.
struct FanOffsets {
    int downFaceUp = 0;
    int downFaceDown = 0;
    int rightFaceUp = 0;
    int rightFaceDown = 0;
    int sideBySideGap = 6;
    int smallStep = 3;
    int smallStep2 = 3;
    int wideRight = 0;
    int gridAcross = 0;
    int gridDown = 0;
};

// Fanning modes of parameters 3 (tableau), 4 (foundations) and 5 (reserves).
namespace fanmode {
constexpr int kDown = 1;
constexpr int kRight = 2;
constexpr int kSquared = 3;
constexpr int kRow = 4;
constexpr int kSmallSteps = 5;
constexpr int kWideRight = 6;
constexpr int kSquaredTopLower = 7;
constexpr int kGrid = 8;
constexpr int kSideBySide = 9;
constexpr int kLeft = 10;
constexpr int kPerPile = 11;
} // namespace fanmode

// The offsets for card size "B", "M" or "L" (any other letter counts as "B").
FanOffsets FanOffsetsFor(char sizeLetter, int tableauMode, int reserveMode, int param6);
FanOffsets FanOffsetsOf(const GameContext& ctx);

// Each tableau pile's own mode when parameter 3 is 11; the rule engine fills it, and a pile
// left at 0 is fanned downward.
using PerPileFanModes = std::array<int, kFilaPiles>;
// The crooked-pile offsets (-2 to 2) of irregular piles: 7 rows of 13, drawn afresh at each
// deal by the rule engine (FanJitter).
using CrookedOffsets = std::array<std::array<int, 13>, 7>;

// What the fan needs beside the game context.
struct FanOptions {
    const PerPileFanModes* perPile = nullptr;
    // Applied to downward-fanned tableau piles when irregular piles are on.
    const CrookedOffsets* crooked = nullptr;
};

// The fanning mode a pile is drawn in: the stock group is always squared.
int FanModeOf(const GameContext& ctx, PileRef pile, const PerPileFanModes* perPile = nullptr);

// Irregular piles: the setting Piles_TT is not "N".
bool IrregularPiles(const GameContext& ctx);

// Where each card of a pile lies (the top-left corner, table coordinates), bottom card first,
// one entry per code of the pile string (gaps included). Empty for a pile the layout has not
// placed.
std::vector<TablePoint> CardPositions(const GameContext& ctx, PileRef pile,
                                      const FanOptions& options = {});

// The card at `position` of a pile lies sideways (the quilt's cards at odd places).
bool CardLiesSideways(const GameContext& ctx, PileRef pile, int position);
// The rectangle of the card at `position` of a pile, drawn with its top-left corner at `at`:
// a card lying sideways is a card's height wide.
TableRect CardRectAt(const GameContext& ctx, PileRef pile, int position, const TablePoint& at);

// The thickness of the stacked edge of the stock group (at most 15) and of a foundation (at
// most 2) holding `cards`; the game browser's preview draws it thinner.
int PileThickness(int cards, bool stockGroup, bool preview = false);
constexpr int kMaxStockThickness = 15;
constexpr int kMaxFoundationThickness = 2;
// Whether a pile is drawn with a stacked edge: the stock group and the foundations, except
// foundations fanned in mode 2 or 7.
bool HasThickness(const GameContext& ctx, PileRef pile);

// The pile under a point of the table (table coordinates): its name, the card under the point
// (0 when none, an empty pile), that card's position in the pile and rectangle, and the
// rectangle covering the whole fan.
struct PileHit {
    PileRef pile;
    int card = 0;
    int position = -1;
    TableRect cardRect;
    TableRect pileRect;
};
std::optional<PileHit> PileUnderPoint(const GameContext& ctx, TablePoint point,
                                      const FanOptions& options = {});
// The rectangle a pile's fan covers (one card's size when empty); empty when unplaced.
TableRect PileRect(const GameContext& ctx, PileRef pile, const FanOptions& options = {});

} // namespace quendra
