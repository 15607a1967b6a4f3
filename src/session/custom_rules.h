#pragma once

#include "game_context.h"

#include <string>
#include <vector>

namespace quendra {

// The player's variants of a game: a few rules changed, kept as a customised game in
// DATA/GAM_CUST.DAT under a number from 8000 to 9999, laid over its base game when loaded.

// Which rules the editor offers for a game, judged from its base game's own definition.
struct CustomRuleOffer {
    bool cardsPerClick = false;
    bool redeals = false;
    bool emptyTableau = false;
    bool tableauDirection = false;
    bool tableauMethod = false;
    bool foundationDirection = false;
    bool foundationMethod = false;
    bool Any() const;
};
CustomRuleOffer OfferedCustomRules(const GameParams& definition);

// The editor's values, as its controls hold them.
struct CustomRuleValues {
    int cardsPerClick = 1;      // cards dealt by one stock click
    int redealsCode = 0;        // as parameter 15: -1 unlimited, 0 none, n > 0: n - 1 redeals
    int emptyChoice = 0;        // 1 King only, 2 any card, 3 none; 0 not offered
    int tableauDirection = -1;  // item indexes (see DirectionOfIndex, MethodOfIndex);
    int tableauMethod = -1;     // -1 where the rule is not offered
    int foundationDirection = -1;
    int foundationMethod = -1;
    bool operator==(const CustomRuleValues&) const = default;
};
// The values the game on the table plays with (its first pile of each kind); `rules` is
// the loaded block with the rule copy laid back (the rules before the deal changed them).
CustomRuleValues CurrentCustomRules(const GameParams& rules, const CustomRuleOffer& offer);

// Record line 2 for the values. A count that is not offered is written as the base game
// has it, so that laying the record over the game changes nothing there.
std::string CustomRulesOverlay(const CustomRuleValues& values, const CustomRuleOffer& offer,
                               const GameParams& definition);

// The smallest number from 8000 on that no record of the file's lines uses; 10000 when
// every number to 9999 is taken.
int FreeCustomGameNumber(const std::vector<std::string>& lines);

inline constexpr const char* kGameNameTooShortMessage = "Please enter at least 3 characters.";
inline constexpr const char* kGameNameExistsMessage = "This game name already exists.";
inline constexpr const char* kGameNameTooLongMessage = "The name may be at most 50 characters long.";
// Why a new customised game cannot take the name (the message to show); empty when it can.
std::string CustomGameNameProblem(const GameContext& ctx, const std::string& name);

// Adds a record for a variant of game `current` (a customised game is replaced by its own
// base game) and returns its number; -1, the player told, when the file cannot take it (not a
// customised-games file, every number used, a write that failed).
int AddCustomGame(GameContext& ctx, int current, const std::string& name,
                  const std::string& overlay);

// Deletes customised game `number`: its record, its statistics, hi-scores, log lines,
// favourite and recent entries, its own Autoplay switch and its comments. False, the player
// told, when the record could not be removed (then nothing else is touched).
bool DeleteCustomGame(GameContext& ctx, int number);

} // namespace quendra
