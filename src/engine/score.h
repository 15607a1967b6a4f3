#pragma once

#include "game_context.h"

#include <cstdint>
#include <string>

namespace quendra {

// The standard score: a base by parameter 47 and 5 for every card on the foundations and in
// the discard pile; 0 unless the scoring kind is "01".
int fnStandardScore(const GameContext& ctx);
// The score of the table by the game's family; shows and stores it (family 9 keeps its own).
int fnComputeScore(GameContext& ctx);
// After the deal: a family with a score of its own shows and stores the score of the dealt
// table (a memory game's -52); the standard score starts at 0.
void ScoreDealtTable(GameContext& ctx);
// Adds 5 points a unit to the stored score, or recomputes it; shows and stores it.
void fnAddScore(GameContext& ctx, int units, bool recompute);
// The score stored in the settings record; 0 when it does not read as a number.
int StoredScore(const GameContext& ctx);

// The clock.
// Seconds between two times of day; a clock that passed midnight counts up to 23:59:59 and
// on from 00:00:00.
int ClockElapsedSeconds(int startSecondOfDay, int nowSecondOfDay);
// "h:nn:ss".
std::string fnClockText(int seconds);
// The local time of day of a moment, in seconds since midnight.
int SecondOfDay(std::int64_t epochSeconds);
// One tick of the clock at `now`: the time text is brought up to date and shown.
void fnClockTick(GameContext& ctx, std::int64_t now);
// The seconds the time text shows; 0 when it does not read as "h:nn:ss".
int fnElapsedSeconds(const GameContext& ctx);
// Pausing stops the clock; resuming moves the start on so the clock goes on from where it was.
void PauseClock(GameContext& ctx, std::int64_t now);
void ResumeClock(GameContext& ctx, std::int64_t now);

} // namespace quendra
