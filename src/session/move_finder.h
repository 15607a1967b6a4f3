#pragma once

#include "game_context.h"

#include <optional>
#include <string>

namespace quendra {

// Pile kinds of the recent-move history.
constexpr int kRecentWaste = 3;
constexpr int kRecentTableau = 4;
constexpr int kRecentReserve = 6;
constexpr int kRecentOther = -1;

// The history keeps the last 30 moves, 13 characters each.
constexpr int kRecentMoveLength = 13;
constexpr int kRecentMovesKept = 30;

// Remembers that `card` is about to move from where it lies now to the pile of `kind` and
// `index` (0-based). Outside a demonstration a reserve destination is kept with index 0.
void RecordRecentMove(GameContext& ctx, int card, int kind, int index);
// True when the move of `card` from where it lies to (`destKind`, `destIndex`), or the same
// card moving back the other way, is in the history.
bool WasRecentlyMade(const GameContext& ctx, int card, int destKind, int destIndex);

// The history kind and 0-based index of a pile.
struct RecentPlace {
    int kind = kRecentOther;
    int index = -1;
};
RecentPlace RecentPlaceOf(PileRef pile);

// One move of the player's vocabulary, as the command-line tool writes it: a drag of a card
// (with the cards on it) from one pile to another, a click on the stock, a click on a pile
// (turns a face-down top card), undo, redo, or one run of automatic play.
struct FoundMove {
    enum class Kind { Pile, Stock, Click, Undo, Redo, Autoplay };
    Kind kind = Kind::Pile;
    PileRef from;
    int position = 0;   // of the moved card in `from`, 0-based
    bool group = false; // cards lay on the moved card and went with it; for a click: the
                        // card at `position` was clicked, not the top one
    PileRef to;
    int toPlace = -1; // the gap-row games: the place of `to` the card fills; -1 the pile
};
// "Fila3>Dest1" (the top card), "Fila2:4>Fila6" (the card at position 4 and those on it),
// "Fila2:4>Fila1:7" (the card at position 4 into the gap at place 7 of a row),
// "stock", "Fila3" (a click on the pile), "Fila3:4" (a click on the card at position 4),
// "undo", "redo", "autoplay".
std::string FoundMoveText(const FoundMove& move);
// Reads a move written as above; nothing when the text is not a move.
std::optional<FoundMove> ParseFoundMove(std::string_view text);
// Plays a move the way the pointer and the commands play it. For "Fila3>Dest1" the top card
// of the pile moves. Answers whether the table changed.
bool PlayFoundMove(GameContext& ctx, const FoundMove& move);

// Plays the next move the finder sees: automatic play to the foundations, filling empty
// tableau piles, the waste's top card, the cards of the reserves and of the tableau, and at
// last a click on the stock. With `keepMode` off the assist mode becomes "hint". Answers
// whether a move was made; `played` receives it when given.
bool FindAndPlayNextMove(GameContext& ctx, bool keepMode, FoundMove* played = nullptr);

// The finder's next move leads nowhere: it finds none, or the table it leaves is one the game
// has already had (the stock turned round again with nothing played from it, a card moved
// back where it was). Tried on copies; `ctx` is left unchanged.
bool NextMoveLeadsNowhere(const GameContext& ctx);

} // namespace quendra
