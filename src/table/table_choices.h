#pragma once

#include "game_context.h"

#include <optional>
#include <string>

namespace quendra {

// The rank mark of a rank value of the rules (Ace "010", 2 "012", 3 to 10 "013" to "020",
// Jack "006", Queen "003", King "011"); nothing when the value has none. Value 94 asks for
// no mark at all: NoMarkAtAll tells it apart.
std::optional<std::string> RankMark(int value);
constexpr int kNoMarkAtAll = 94;

// The empty-pile mark of a pile, by the part of its name after "W" and the size letter
// ("022", "_WASTE", "011" ...); empty when the pile shows nothing.
std::string EmptyMarkFor(const GameContext& ctx, PileRef pile);

// The table background the settings ask for, in the order they are tested.
struct BackgroundChoice {
    enum class Kind { Default, Customised, Picture, Colour };
    Kind kind = Kind::Default;
    std::string customisedName;        // Customised: the picture file name as stored
    int picture = 0;                   // Picture: the number of "B" + three digits
    bool tiled = true;                 // Picture: numbers up to 499 are tiled
    int red = 0, green = 96, blue = 0; // Default and Colour
    bool fade = false;                 // Colour: the vertical gradient to black
};
// `customisedName` is the Preference key Customized_Background; `manyColours` is a display of
// more than 256 colours.
BackgroundChoice ChooseBackground(const SettingsRecord& settings, const std::string& customisedName,
                                  bool manyColours = true);
// A stored colour (red + green * 256 + blue * 65536); system colours (negative) give the
// default green.
void SplitColour(long long value, int& red, int& green, int& blue);
// The customised picture's file: a name without a folder is looked up in the data folder
// with ".bmp" added.
std::string CustomisedBackgroundPath(const GameContext& ctx, const std::string& name);

// Foundation highlights: the marks and the colours by index.
namespace highlight {
constexpr int kNone = 0;
constexpr int kDots = 1;
constexpr int kSolid = 2;
constexpr int kDiagonal = 3;
constexpr int kCross = 4;
constexpr int kDiagonalCross = 5;
} // namespace highlight
struct Rgb {
    int red = 0, green = 0, blue = 0;
    bool operator==(const Rgb&) const = default;
};
Rgb HighlightColour(int index); // 0..14; others give black
// A foundation is complete when it holds parameter 115 + i cards, or parameter 32 when that
// is -1.
bool FoundationComplete(const GameContext& ctx, int foundation);

// Whether the game shows selection marks (families 3, 4 and 33, or parameter 39 not 0).
bool ShowsSelectionMarks(const GameContext& ctx);

} // namespace quendra
