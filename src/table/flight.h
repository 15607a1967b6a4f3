#pragma once

#include <optional>
#include <vector>

namespace quendra {

// A position on the table, in pixels.
struct TablePoint {
    int x = 0;
    int y = 0;
    bool operator==(const TablePoint&) const = default;
};

// A rectangle: left and top inside, right and bottom just outside.
struct TableRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    bool operator==(const TableRect&) const = default;
};

// Positions below this mark a pile the layout has not placed.
constexpr int kUnsetPosition = -9999;

// The length of one step of a flight over a distance of `distance` pixels on its major axis:
// about 19 for 100 pixels, 48 for 500 and never more than 78. Deal flights take 0.9 of it,
// demonstrations half. A flight that has somewhere to go always moves at least one pixel.
int FlightStepLength(int distance, bool deal, bool demonstration);

struct FlightRequest {
    TablePoint from;
    TablePoint to;
    int cardWidth = 0;
    int cardHeight = 0;
    int speedMoveCard = 0; // the wait per step, in milliseconds
    int shadowOffset = 0;  // 9 with shadows on, else 0
    bool dropOffset = false;
    bool deal = false;
    bool commit = true;
    bool begin = true;
    bool demonstration = false;
    bool demoStockRedealt = false; // the stock was redealt in this demonstration game
};

// One call of the floating picture's move, with the wait that precedes it.
struct FlightMove {
    TablePoint at;
    bool drop = false;
    int waitBeforeMs = 0;
    bool operator==(const FlightMove&) const = default;
};

struct FlightPlan {
    TablePoint start;
    TablePoint target; // where the card finally lies (an unset target is off the table)
    TablePoint lifted; // the target of the steps: raised by the shadow offset with drop offset
    int majorStep = 0; // signed
    int waitPerStep = 0;
    bool horizontal = true;
    bool keepShadow = false;       // shadows stay on during the flight (demonstrations)
    std::vector<FlightMove> moves; // in order; the last one is the final drop
    // The final move lands where the picture already is: with commit, the window draws the
    // picture into the table buffer at the end point itself.
    bool finalMoveIsStill = false;
};

// The whole path of one flight: every point the floating picture is moved to, with its waits.
FlightPlan PlanFlight(const FlightRequest& request);

// The floating picture's move: false when both coordinates stay within one pixel.
bool FloatingMoves(TablePoint last, TablePoint next);

// The parts of the picture's old rectangle that the rectangle moved to `next` no longer
// covers: up to two rectangles, a vertical band on the side the picture left and a
// horizontal band on the edge it left. Empty bands are not listed.
std::vector<TableRect> UncoveredByMove(const TableRect& old, TablePoint next);

// The shadow of the floating picture at `picture`, for a shadow offset.
struct FloatingShadow {
    std::optional<TablePoint> rightStrip;  // strip image "1" (single card)
    std::optional<TablePoint> bottomStrip; // strip image "2" (single card)
    std::vector<TablePoint> pixels;        // black pixels: the corners and the group's dither
};
FloatingShadow ShadowOfFloating(const TableRect& picture, int shadowOffset, bool singleCard);

// The bands the shadow of a picture at `picture` may cover: right of it and below it.
std::vector<TableRect> ShadowBands(const TableRect& picture, int shadowOffset);

} // namespace quendra
