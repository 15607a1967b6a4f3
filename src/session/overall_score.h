#pragma once

#include "game_context.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quendra {

// The overall score: per player the sum over the standard games (0 to 7999) of the best score
// in each, with the sum of the times of those best games, in DATA/STAT_GLO.DAT. Values are
// stored scrambled with random digits around the figures and guarded by checksums, so an
// edited value is found out and the file is reset.

inline constexpr const char* kOverallFile = "DATA\\STAT_GLO.DAT";
inline constexpr const char* kOverallCorruptedMessage =
    "It appears as if the Overall Score Values are incorrect or corrupted.\rThe Overall Score "
    "Values will be deleted and reset to zero.";

// Adds the key "47281" character by character (byte values added); Unscramble subtracts.
std::string Scramble(std::string_view plain);
std::string Unscramble(std::string_view stored);
// Sum over i of a_i + (i x a_i div 2) + ((i + a_i) mod 3) + i, i from 1.
std::int64_t Checksum(std::string_view text);

// One player's plain values, checked.
struct OverallValues {
    std::int64_t score = 0;   // overall score
    std::int64_t seconds = 0; // overall time
    int bestScore = 0;        // of the game asked for
    int bestSeconds = 0;
};

enum class OverallUpdate {
    Skipped,   // a customised game, a negative score, statistics off
    Unchanged, // not better than the game's best
    Updated,
    Corrupted, // the file failed its checks: deleted, the player told, waited 2 seconds
    WriteFailed,
};
// Called for every ended game offered to the hi-scores (force off), and with force on and
// score and seconds 0 when hi-score entries are removed.
OverallUpdate UpdateOverallScore(GameContext& ctx, int game, const std::string& player, bool force,
                                 int seconds, int score);

// The "Overall score" view: players with an overall score above 0, best first (equal
// scores: shorter time first, then file order). Empty after corruption (handled as above).
struct OverallRow {
    std::string player;
    std::int64_t score = 0;
    std::int64_t seconds = 0;
    std::string text; // 68 characters: plain T01 (28), T02 (28) and the first 12 of T03
};
std::vector<OverallRow> ReadOverallTable(GameContext& ctx);

// The details view: each standard game with the player's best score and its time. Entries
// whose checksum fails are left out.
struct OverallGame {
    int game = 0;
    int score = 0;
    int seconds = 0;
};
std::vector<OverallGame> ReadOverallDetails(const GameContext& ctx, const std::string& player);

} // namespace quendra
