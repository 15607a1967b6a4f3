#pragma once

#include "statistics.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quendra {

// What the "Select a game number" dialog works out without a window: the check of a typed
// deal number, and the lists it offers from the game log.

inline constexpr const char* kNumbersOnlyMessage = "Numbers only are required.";
inline constexpr const char* kSelectCorrectNumberMessage = "Select a correct game number.";
inline constexpr const char* kTooManyDigitsMessage =
    "A game number has at most 13 digits. Please enter a shorter number.";

// A deal number as typed (blanks around it are ignored).
struct DealNumberCheck {
    enum class Verdict {
        Ok,        // `digits` holds the 13 digits to play
        NotDigits, // a character that is not a digit: kNumbersOnlyMessage
        TooLong,   // more than 13 digits: kTooManyDigitsMessage
        Zero       // nothing, or only zeros: no deal, nothing happens and nothing is said
    };
    Verdict verdict = Verdict::Zero;
    std::string digits;
};
DealNumberCheck CheckDealNumber(std::string_view typed);
// Up to 13 digits with leading zeros to 13.
std::string PadDealNumber(std::string_view digits);

// "Previous games": the newest `limit` lines of the log (given oldest first), newest first.
inline constexpr std::size_t kPreviousGamesShown = 100;
std::vector<LogEntry> PreviousGames(const std::vector<LogEntry>& log,
                                    std::size_t limit = kPreviousGamesShown);

// "Lost games": the deals of the game named `gameName` that were lost and never won (by
// anyone), one line each (its earliest loss by deal, player, date and time), newest first.
std::vector<LogEntry> LostNeverWonDeals(const std::vector<LogEntry>& log,
                                        const std::string& gameName);

} // namespace quendra
