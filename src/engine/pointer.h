#pragma once

#include "game_context.h"

#include <functional>
#include <optional>
#include <span>
#include <string>

namespace quendra {

// What the pointer does to the table, without the drawing: a press picks up a card or a
// group (or clicks the stock, or turns a face-down card), a release drops it on a pile, a
// right or double click sends a card to the first pile that takes it. The window finds the
// pile under the pointer; the command-line tool and the move finders name it.

// The press on a card: picks up the card at `position` of the pile (0-based from the bottom)
// with the cards lying on it when the pick-up rules allow it, and sets the drag state. A
// press on a face-down top card of a tableau pile turns it face up instead (one undo step)
// and picks nothing up. False when nothing was picked up.
bool fnPickUpCard(GameContext& ctx, PileRef pile, int position);

// Tries the candidate piles in order (the window passes the piles the dragged card overlaps,
// best overlap first); the first that accepts the held card or group receives it. False when
// none does; the card then stays where it was. Needs a card held by fnPickUpCard.
bool fnTryDrop(GameContext& ctx, std::span<const PileRef> candidates);

// True when a release over the pile would drop the held card or group there: the pile takes
// drops, is not the one the card came from, and the rules take the card. The one drop test of
// the pointer and of the move searches.
bool CanDropHeldCard(const GameContext& ctx, PileRef pile);

// The move that puts a held card on a pile ("Fila3", "Dest1", "Appogg2", "Stock02" for the
// waste); empty for a pile that never takes a dropped card.
std::string fnDropAction(const GameContext& ctx, PileRef pile);

// Sets the drag state for a card lifted from `pile` with `groupSize` cards from it up.
void fnHoldCard(GameContext& ctx, PileRef pile, int card, int groupSize);

// Forgets the held card: the release ends every drag, dropped or not.
void fnClearDrag(GameContext& ctx);

// After the release: fills the empty tableau piles the game fills, then, with "Au&toplay"
// ticked and enabled, runs automatic play again while it moves cards.
void fnAfterMouseUp(GameContext& ctx);

// The send action of a right click or a double click on the card at `position` of a pile:
// the card (with the cards on it, where the game moves groups) goes to the first pile that
// takes it, foundations first when `toFoundations`, then tableau piles, reserves and the
// waste when `toTableaus`. False, with a beep, when the card cannot be sent.
bool fnSendCard(GameContext& ctx, PileRef pile, int position, bool toFoundations, bool toTableaus);
// The same send without the beep, for the move finder: `consider` is asked before each pile
// the send rules offer and passes over the ones it answers false for. The pile the card went
// to, or nothing.
std::optional<PileRef> SendCardWhere(GameContext& ctx, PileRef pile, int position,
                                     bool toFoundations, bool toTableaus,
                                     const std::function<bool(PileRef target)>& consider);

// The click-to-select of the pairing games (parameter 39 not 0, or a family with a selection
// rule): foundation 1 holds the selected cards. A click on the top card of `pile` takes it
// out of the selection when it is selected and adds it otherwise, when it lies free as for
// lifting it (a face-down top card is turned up instead); a card beyond the family's limit
// is refused with a beep. A selection the family's hook calls complete leaves the table with
// "Selezionate_Dest".
enum class SelectOutcome { Selected, Deselected, Removed, TurnedUp, Refused };
// `position` names a card below the top (0-based) where the game lets such a card be lifted
// (Giza's piles under the pyramid); -1 is the top card.
SelectOutcome fnSelectCard(GameContext& ctx, PileRef pile, int position = -1);
// The selection games: parameter 39 not 0, or a family with a selection rule.
bool IsSelectionGame(const GameContext& ctx);
// Whether a left click on `pile` goes to the selection instead of picking up a card: the
// family's hook decides, or else every tableau pile selects.
bool fnClickSelects(const GameContext& ctx, PileRef pile);

// The two phases of a click on the stock.
void fnStockPress(GameContext& ctx);
void fnStockRelease(GameContext& ctx);

// Whole gestures, press to release with the after-steps, as the window performs them. Each
// answers whether the table changed.

// A drag of the card at `position` of `from` dropped on `to`.
bool PlayDragMove(GameContext& ctx, PileRef from, int position, PileRef to);
// A click on the stock: deal, turn the waste over or redeal; where the family's selection
// takes the stock's card (family 4 with a card selected), select it.
bool PlayStockClick(GameContext& ctx);
// A left click on a pile without moving: turns a face-down top card of a tableau pile; in
// the selection games it selects the pile's card (or takes it out of the selection).
// `position` names the card clicked (0-based), -1 the top card.
bool PlayPileClick(GameContext& ctx, PileRef pile, int position = -1);
// A click that selects the card of `pile`, with the after-steps.
bool PlaySelectClick(GameContext& ctx, PileRef pile, int position = -1);
// A send (right click) of the card at `position` with both destinations allowed.
bool PlaySend(GameContext& ctx, PileRef pile, int position);

// Everything play changes, compared before and after a gesture.
struct TableState {
    PileGroups table;
    std::string faces; // the face digit of every card
    int passNumber = 0;
    int dealCount = 0;
    bool operator==(const TableState&) const = default;
};
TableState CaptureTableState(const GameContext& ctx);

} // namespace quendra
