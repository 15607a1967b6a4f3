#include "undo_commands.h"

#include "moves.h"
#include "score.h"

#include <string>

namespace quendra {

namespace {

// A step holds one line per pile slot of each group.
constexpr int kStockLines = kStockPiles;
constexpr int kFoundationLines = kDestPiles;
constexpr int kPileLines = kFilaPiles;
constexpr int kReserveLines = kAppoggPiles;

bool EntryHas(const std::string& entry, const char* code) {
    for (std::size_t at = 0; at + 3 <= entry.size(); at += 3)
        if (entry.compare(at, 3, code) == 0) return true;
    return false;
}

// Loads the newest step of a side's stack into a pile group, the last line into the last slot.
void PopInto(GameContext& ctx, std::vector<std::string>& stack, PileGroupId group, int lines) {
    for (int slot = lines - 1; slot >= 0; --slot) {
        std::string line;
        if (!stack.empty()) {
            line = std::move(stack.back());
            stack.pop_back();
        }
        LoadPileFromSnapshotLine(ctx, {group, slot}, line);
    }
}

bool Step(GameContext& ctx, bool backwards) {
    UndoSide& from = backwards ? ctx.undoHistory.undo : ctx.undoHistory.redo;
    UndoSide& to = backwards ? ctx.undoHistory.redo : ctx.undoHistory.undo;
    const field::Field usedFlag = backwards ? field::kUndoUsed : field::kRedoUsed;
    const std::string level = GetSetting(ctx.settings, field::kUndoMode);
    const bool oneLevel = !level.empty() && level[0] == undo_level::kOnlyOne;
    const bool disabled = !level.empty() && level[0] == undo_level::kDisabled;
    if (!ctx.flags[GameStateFlags::kInPlay] || from.Stock.empty() || disabled ||
        (oneLevel && GetSetting(ctx.settings, usedFlag) == "1")) {
        ctx.host.Beep();
        return false;
    }

    WaitCursor wait(ctx.host);
    SetSetting(ctx.settings, usedFlag, "1");
    if (backwards)
        PlaySwitchedSound(ctx, field::kSoundsUndo, "Undo");
    else
        PlaySwitchedSound(ctx, field::kSoundsRedo, "Redo");
    RecordStep(ctx, backwards ? UndoSideId::Redo : UndoSideId::Undo);

    // The step being taken back or played again; its codes say which counters it changed.
    const std::string entry = NewestLogEntry(from);
    const int sign = backwards ? -1 : 1;
    const bool stockWasEmpty = ctx.table.StockGroup[kMazzo].empty();
    PopInto(ctx, from.Stock, PileGroupId::Stock, kStockLines);
    PopInto(ctx, from.Foundations, PileGroupId::Dest, kFoundationLines);
    PopInto(ctx, from.Piles, PileGroupId::Fila, kPileLines);
    PopInto(ctx, from.Reserves, PileGroupId::Appogg, kReserveLines);
    const bool stockIsEmpty = ctx.table.StockGroup[kMazzo].empty();

    // A turn-over is seen from the stock refilling; a redeal method carries its own code, so
    // the pass number moves once only.
    if (!EntryHas(entry, kStepRedeal)) {
        if (backwards && !stockWasEmpty && stockIsEmpty) --ctx.play.passNumber;
        if (!backwards && stockWasEmpty && !stockIsEmpty) ++ctx.play.passNumber;
    }
    if (!from.StepLog.empty() && !to.StepLog.empty()) {
        if (EntryHas(entry, kStepDealOntoPiles)) ctx.play.dealCount += sign;
        if (EntryHas(entry, kStepRedeal)) ctx.play.passNumber += sign;
        RemoveNewestLogEntry(to);
        to.StepLog += entry + ",";
        RemoveNewestLogEntry(from);
    }

    ctx.host.RedrawTable();
    fnComputeScore(ctx);
    ctx.host.EnableCommand(backwards ? Host::Command::Redo : Host::Command::Undo, true);
    if (from.Stock.empty())
        ctx.host.EnableCommand(backwards ? Host::Command::Undo : Host::Command::Redo, false);
    return true;
}

} // namespace

bool Undo(GameContext& ctx) {
    return Step(ctx, true);
}

bool Redo(GameContext& ctx) {
    return Step(ctx, false);
}

} // namespace quendra
