#pragma once

#include "game_context.h"

#include <string>
#include <string_view>
#include <vector>

namespace quendra {

// The gap-row games (families 32 and 46): each tableau pile is a row of places laid out to
// the right, "000" marking a gap. Any card of a row may be moved, alone, into a gap that
// takes it; the place it left becomes a gap.

// One move of a card into a gap: the card at `position` of `from` to place `place` of `row`.
struct GapFill {
    PileRef from;
    int position = 0;
    PileRef row;
    int place = 0;
};

// The game is played in gap rows (its family has a gap rule).
bool IsGapRowsGame(const GameContext& ctx);
// The card at `position` of tableau pile `from` may be lifted alone: a face-up card of a row.
bool CanLiftFromRow(const GameContext& ctx, PileRef from, int position);
// The one test of a gap fill, for the pointer, the command line, the move finder and the
// solver: the card may be lifted, the place is a gap and the family's rule lets it in.
bool CanFillGap(const GameContext& ctx, PileRef from, int position, PileRef row, int place);
// Every gap fill the rules allow now, rows in order, each gap's candidates in order.
std::vector<GapFill> GapFills(const GameContext& ctx);
// The card already stands where the rule would put it (after the card it follows): moving
// it on only opens a gap behind its predecessor. The move finders try such fills last.
bool FillLeavesAPlaceInOrder(const GameContext& ctx, const GapFill& fill);

// The move execution's action for a fill: "Fila<k>:<place>" (k from 1, place from 0).
std::string GapFillAction(PileRef row, int place);
// Performs the action for `card` (the caller tested it): one undo step, the card to the gap
// and a gap where it lay, with the sounds and the flight. False for a malformed action.
bool MoveIntoGap(GameContext& ctx, int card, std::string_view action);
// The whole gesture, press to release, as the pointer and the command line play it.
bool PlayGapFill(GameContext& ctx, const GapFill& fill);

// The rows' own rules (the family table's hooks).
namespace gap_rows {
// 234 Gaps: a gap takes the card of the same suit one rank above its left neighbour, a Two
// in the first place of a row; nothing follows a King.
bool NextAboveLeftFromTwo(const GameContext& ctx, int card, int row, int place);
// 235 Blue Moon, 236 Red Moon, 238 Maze: the rule of the rows. Rows that stop at their end
// (the Moons) take as Gaps does from an Ace. Rows that run on (the tableau turns the corner:
// Maze) also take the card one rank below the right neighbour in suit; a row's end runs on
// into the next row's start and the last place into the first; an Ace follows the pack's
// top rank of any other suit.
bool ByTheRowRule(const GameContext& ctx, int card, int row, int place);
// Won when every row holds, from its first place, a run in suit from the family's first
// rank up to the King (families 32 and 46 with rows that stop).
bool RowsBuiltInSuit(const GameContext& ctx);
// Family 46: rows that stop are won as above; rows that run on when the cards, read round
// the table from an Ace, make one run of each suit from the Ace to the top rank in turn.
bool WonByTheRowRule(const GameContext& ctx);
// Family 46's score: minus the cards of the game, 5 for every card in its place after the
// card it follows (the run from a row's start; in rows that run on, after the card before it).
int ScoreByTheRowRule(const GameContext& ctx);
} // namespace gap_rows

} // namespace quendra
