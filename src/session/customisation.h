#pragma once

#include "game_context.h"

#include <string>
#include <vector>

namespace quendra {

// The entries of the background tree, by code.
namespace background_code {
constexpr int kCustomised = -102;  // a customised background picture
constexpr int kColourAsSet = 1;    // the plain colour already chosen
constexpr int kFirstPicture = 2;   // built-in pictures "B002" ...
constexpr int kLastPicture = 1000;
constexpr int kFirstColour = 1001; // plain colours
} // namespace background_code

// Stores the background of a tree entry: the picture number, the default and customised
// switches and, for a plain colour, `colour` (red + green * 256 + blue * 65536) as both
// colours; a customised picture keeps `customisedFile` as chosen. Any other code is the
// default background.
void StoreBackgroundChoice(GameContext& ctx, int code, const std::string& customisedFile,
                           long long colour);
// The tree code of the background the settings hold now.
int CurrentBackgroundCode(const GameContext& ctx);

// The customised background pictures the player added, in the order added.
std::vector<std::string> CustomisedBackgrounds(const GameContext& ctx);
// Adds a picture (nothing when listed already) or removes one; false when the settings file
// could not be written.
bool AddCustomisedBackground(GameContext& ctx, const std::string& file);
bool RemoveCustomisedBackground(GameContext& ctx, const std::string& file);

// Winning_Animations_Time from what the player typed: 30 unless it is a whole number of
// seconds from 1 to 3600.
int WinningAnimationSeconds(const std::string& typed);

} // namespace quendra
