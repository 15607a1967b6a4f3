#pragma once

#include "game_context.h"

#include <optional>
#include <string>
#include <vector>

namespace quendra {

// What a press on a pile may do, decided before anything moves.
struct PickUp {
    bool allowed = false;          // a card or group may be lifted
    int card = 0;                  // its bottom card
    int groupSize = 0;             // cards lifted with it, itself included
    bool turnFaceDownCard = false; // the tableau's face-down top card is to be turned up
    bool redeal = false;           // a press on the empty waste turns it into the stock
    bool discard = false;          // the card goes straight to the discard pile
};

// The press on a card of a pile: positionInPile 0-based from the bottom, -1 the top card.
// The stock's own click and the selection games are the caller's.
PickUp CanPickUp(const GameContext& ctx, PileRef pile, int positionInPile);

// The destinations of the send action (right click, double click, click to move) that take
// the card now, in the order they are tried: the moves to play ("Dest2", "Fila5",
// "Appogg1", "Stock02" for the waste). The first one is what the send plays; none when the
// card may not be sent. The moving group is set for the tests and put back afterwards.
std::vector<std::string> SendTargets(GameContext& ctx, int card, bool toFoundations,
                                     bool toTableaus);
// The foundation (0-based) that the send action to the foundations would choose: the first
// "Dest" of SendTargets, found without trying the piles after it (automatic play asks it for
// every free card after every move).
std::optional<int> FirstSendFoundation(GameContext& ctx, int card);

// True when some card may be dropped on the waste, by the rule of CanDropOnWaste.
bool WasteTakesDrops(const GameContext& ctx);
// A single card dropped on the waste: parameter 352 = 2 takes the suit's neighbour ranks.
bool CanDropOnWaste(const GameContext& ctx, int card);

// Click-to-select of the pairing games: the selected cards lie in foundation 1.
enum class SelectionClick { Deselect, Select, Refuse };
SelectionClick ClassifySelectionClick(const GameContext& ctx, int card);
int SelectedRankSum(const GameContext& ctx);
bool SelectionComplete(const GameContext& ctx);

} // namespace quendra
