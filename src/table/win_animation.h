#pragma once

#include "flight.h"
#include "game_context.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace quendra {

// The patterns that cover the table when a game is won, in the order of the random choice.
enum class WinPattern { Festoons, Circles, Lines, OpenOrder, LeftToRight, UpToDown };
constexpr std::array<std::string_view, 6> kWinPatternNames = {
    "Festoons", "Circles", "Lines", "Open order", "Left to right", "Up to down"};
constexpr std::string_view kRandomWinPattern = "(Random)";

// A source of random numbers: Random(n) gives 0 to n - 1 (0 when n < 1).
using RandomFn = std::function<int(int)>;

// The pattern a name stands for; "(Random)" picks one of the six. Nothing for any other name.
std::optional<WinPattern> ChooseWinPattern(std::string_view name, const RandomFn& random);

// The window the cards are thrown on.
struct WinArea {
    int width = 1024; // client width
    int height = 768; // client height
    int top = 5;      // bottom of the visible tool bar, or 5
    int cardWidth = 71;
    int cardHeight = 96;
    int speedMoveCard = 0; // milliseconds; the pause is half of it
};

// What one round of a pattern asks of the window, in order.
struct WinAction {
    enum class Kind { Draw, Wait, ProcessMessages };
    Kind kind = Kind::Draw;
    int card = 0; // Draw: a card number 1 to 51
    TablePoint at;
    int ms = 0; // Wait
};
using WinRound = std::vector<WinAction>;

// A pattern: hands out its rounds one after the other, without end.
class WinAnimation {
  public:
    virtual ~WinAnimation() = default;
    virtual WinRound NextRound() = 0;
};
std::unique_ptr<WinAnimation> MakeWinAnimation(WinPattern pattern, const WinArea& area,
                                               RandomFn random);

// The points of the circle pattern relative to the top-left corner of its 300 x 300 square:
// every fourth pixel of the outline, down the right half from the top and up the left half.
const std::vector<TablePoint>& CirclePoints();

// What the window does for the animation: draw, wait, process pending input, read the clock.
class WinAnimationSink {
  public:
    virtual ~WinAnimationSink() = default;
    virtual std::int64_t NowMs() = 0;
    virtual void Draw(int card, TablePoint at) = 0;
    virtual void Wait(int ms) = 0;
    virtual void ProcessMessages() = 0;
};

// Runs a pattern for `seconds`: sets the running flag (state flag 6), plays rounds until the
// time is over or the flag is cleared (no card is drawn once it is cleared), and clears the
// flag. At least one round is started. Returns the number of cards drawn.
int RunWinAnimation(GameContext& ctx, WinAnimation& animation, WinAnimationSink& sink, int seconds);

} // namespace quendra
