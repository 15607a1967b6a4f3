#pragma once

#include "game_context.h"

#include <optional>
#include <string>
#include <string_view>

namespace quendra {

// Where a card was taken from.
enum class SourceKind {
    None = 0,
    Stock = 1,
    Waste = 2,
    Discard = 3,
    Foundation = 4,
    Tableau = 5,
    Reserve = 6
};

// A card's place on the table: its pile and its position from the bottom (0-based).
struct CardPlace {
    PileRef pile;
    int position = 0;
};

SourceKind SourceKindOf(PileRef pile);
// Finds a card on the table; the selection kept in foundation 1 by the pairing games is
// looked at last, so the card's real pile is found first.
std::optional<CardPlace> fnFindCard(const GameContext& ctx, int card);

struct TakenCard {
    SourceKind kind = SourceKind::None;
    PileRef pile;
};
// Takes one card out of its pile wherever it lies; kind None when it is not on the table.
TakenCard fnTakeCard(GameContext& ctx, int card);

// Plays a sound of the table when its switch and the master switch are "Y".
void PlaySwitchedSound(GameContext& ctx, field::Field soundSwitch, const std::string& name);
// Records an undo step for a change the player may take back; a demonstration playing back
// records nothing unless it is recording.
void RecordPlayStep(GameContext& ctx);
// Adds a code to the last undo step (a redeal, a deal counted) under the same rule.
void MarkPlayStep(GameContext& ctx, const char* code);
// Takes back the undo steps recorded since the undo side held `stepsBefore`: what was played
// since becomes part of the step before it, and one undo takes back both.
void JoinPreviousPlayStep(GameContext& ctx, int stepsBefore);
bool DemonstrationPlaying(const GameContext& ctx);
// The steps of play are logged: no demonstration plays back, or the one playing is recording.
bool StepsRecorded(const GameContext& ctx);

// Every change of the table made by play: the card (0 for actions without one) and the
// action (a pile name or an action name). True when anything was done.
bool fnDoMove(GameContext& ctx, int card, std::string_view action);

// Takes a finished 13-card run off tableau pile `pileIndex` (0-based) to the first empty
// run foundation; true when a run left the pile.
bool fnRemoveCompleteRun(GameContext& ctx, int pileIndex);

// Closes up the tableau: the piles that hold cards slide towards the first piles, keeping
// their order, so that every empty pile comes after them; each pile that moves flies.
void fnCloseUpTableau(GameContext& ctx);

// The fields an action touched, for the steps that follow every action.
struct MoveEffects {
    bool done = false;
    bool foundationLeaving = false;
    bool uncovers = false; // cards left the tableau: the automatic face-up follows
    bool toReserve = false;
    int foundationCard = 0; // the card put on a foundation, for the family hooks
};

namespace detail {
// Moves one card onto a pile face up, with its flight; no undo step, no sound.
TakenCard PutOnPile(GameContext& ctx, int card, PileRef to);
} // namespace detail

} // namespace quendra
