#include "undo_history.h"

#include "game_context.h"

namespace quendra {

namespace {

// A step holds one line per pile slot of each group.
constexpr int kStockLines = kStockPiles;
constexpr int kFoundationLines = kDestPiles;
constexpr int kPileLines = kFilaPiles;
constexpr int kReserveLines = kAppoggPiles;

void PopLines(std::vector<std::string>& stack, int count) {
    for (int i = 0; i < count && !stack.empty(); ++i)
        stack.pop_back();
}

// Merges the two newest steps of a stack: the older copy (the table before the first of the
// merged changes) is the one kept, so one undo takes the whole click back.
void DropStepBeforeLast(std::vector<std::string>& stack, int linesPerStep) {
    const auto size = static_cast<std::ptrdiff_t>(stack.size());
    if (size < 2 * linesPerStep) {
        PopLines(stack, linesPerStep);
        return;
    }
    stack.erase(stack.end() - linesPerStep, stack.end());
}

} // namespace

void UndoSide::Clear() {
    Stock.clear();
    Foundations.clear();
    Piles.clear();
    Reserves.clear();
    StepLog.clear();
}

void RecordStep(GameContext& ctx, UndoSideId sideId) {
    UndoSide& side = sideId == UndoSideId::Undo ? ctx.undoHistory.undo : ctx.undoHistory.redo;
    SetSetting(ctx.settings, sideId == UndoSideId::Undo ? field::kUndoUsed : field::kRedoUsed, "0");
    if (!ctx.undoHistory.copiesTable) {
        side.Stock.resize(side.Stock.size() + kStockLines);
        side.Foundations.resize(side.Foundations.size() + kFoundationLines);
        side.Piles.resize(side.Piles.size() + kPileLines);
        side.Reserves.resize(side.Reserves.size() + kReserveLines);
        side.StepLog += ",";
        return;
    }
    const TableSnapshot lines = BuildTableSnapshot(ctx);
    // The selection held in foundation 1 by the pairing games is never taken back.
    const bool selectionInFoundation1 = SelectionHeldInFoundation1(ctx);
    int line = 0;
    for (int i = 0; i < kStockLines; ++i)
        side.Stock.push_back(lines[line++]);
    for (int i = 0; i < kFoundationLines; ++i, ++line)
        side.Foundations.push_back(i == 0 && selectionInFoundation1 ? std::string{} : lines[line]);
    for (int i = 0; i < kPileLines; ++i)
        side.Piles.push_back(lines[line++]);
    for (int i = 0; i < kReserveLines; ++i)
        side.Reserves.push_back(lines[line++]);
    side.StepLog += ",";
}

// Start of the newest entry of a non-empty log.
static std::size_t NewestEntryStart(const std::string& log) {
    const std::size_t end = log.size() - 1; // the newest entry's ","
    if (end == 0) return 0;
    const std::size_t previous = log.rfind(',', end - 1);
    return previous == std::string::npos ? 0 : previous + 1;
}

std::string NewestLogEntry(const UndoSide& side) {
    const std::string& log = side.StepLog;
    if (log.empty()) return {};
    const std::size_t start = NewestEntryStart(log);
    return log.substr(start, log.size() - 1 - start);
}

void RemoveNewestLogEntry(UndoSide& side) {
    if (!side.StepLog.empty()) side.StepLog.erase(NewestEntryStart(side.StepLog));
}

void AddStepCode(GameContext& ctx, const std::string& code) {
    UndoSide& side = ctx.undoHistory.undo;
    RemoveNewestLogEntry(side);
    side.StepLog += code + ",";
}

void DropStepsBeforeLast(GameContext& ctx, int n) {
    UndoSide& side = ctx.undoHistory.undo;
    for (int i = 0; i < n && !side.Stock.empty(); ++i) {
        const std::string newest = NewestLogEntry(side);
        RemoveNewestLogEntry(side);
        RemoveNewestLogEntry(side);
        side.StepLog += newest + ",";
        DropStepBeforeLast(side.Stock, kStockLines);
        DropStepBeforeLast(side.Foundations, kFoundationLines);
        DropStepBeforeLast(side.Piles, kPileLines);
        DropStepBeforeLast(side.Reserves, kReserveLines);
    }
}

void DropLastSteps(GameContext& ctx, int n) {
    UndoSide& side = ctx.undoHistory.undo;
    for (int i = 0; i < n; ++i) {
        PopLines(side.Stock, kStockLines);
        PopLines(side.Foundations, kFoundationLines);
        PopLines(side.Piles, kPileLines);
        PopLines(side.Reserves, kReserveLines);
        RemoveNewestLogEntry(side);
    }
}

} // namespace quendra
