#pragma once

#include <string>
#include <vector>

namespace quendra {

struct GameContext;

// One side of the undo history: the table copied as text before each step, one line per
// pile slot, and a log of event codes per step.
struct UndoSide {
    std::vector<std::string> Stock;       // 3 lines a step
    std::vector<std::string> Foundations; // 16 lines a step
    std::vector<std::string> Piles;       // 40 lines a step
    std::vector<std::string> Reserves;    // 10 lines a step
    std::string StepLog;                  // entries of 3-digit codes, each ended by ","

    int Steps() const { return static_cast<int>(Stock.size() / 3); }
    void Clear();
    bool operator==(const UndoSide&) const = default;
};

struct UndoHistory {
    UndoSide undo;
    UndoSide redo;
    // False while a search plays moves that it takes back itself: a step keeps its log entry
    // and its place, but the table is not copied (undoing such a step restores nothing).
    bool copiesTable = true;
    void Clear() {
        undo.Clear();
        redo.Clear();
    }
};

// Event codes of a step.
inline constexpr const char* kStepAutoplayFamily = "001";
inline constexpr const char* kStepDealOntoPiles = "002";
inline constexpr const char* kStepRedeal = "003";

enum class UndoSideId { Undo, Redo };

// Copies the whole table onto a side (before a change the player may take back) and opens
// an empty log entry. Recording on the undo side clears the undo-used flag.
void RecordStep(GameContext& ctx, UndoSideId side = UndoSideId::Undo);
// Replaces the newest undo log entry by one event code.
void AddStepCode(GameContext& ctx, const std::string& code);
// Merges the newest n + 1 undo steps into one: the newest log entry stays, and the table
// copy kept is the one from before the first of the merged steps.
void DropStepsBeforeLast(GameContext& ctx, int n);
// Removes the newest n steps from the undo side.
void DropLastSteps(GameContext& ctx, int n);

// The newest log entry of a side (without its ","); empty when there is none.
std::string NewestLogEntry(const UndoSide& side);
// Removes the newest log entry of a side.
void RemoveNewestLogEntry(UndoSide& side);

} // namespace quendra
