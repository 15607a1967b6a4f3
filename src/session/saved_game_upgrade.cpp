#include "saved_game_upgrade.h"

#include "game_context.h"

#include <algorithm>
#include <ranges>

namespace quendra {

namespace {

// One version step: files of a version below `below` get these changes, in this order. The
// indices are file lines; each insertion is made at its index after the ones before it.
struct UpgradeRow {
    std::string_view below;
    std::string_view line1Suffix; // foundation parameters the version lacked
    std::vector<int> emptyLinesAt;
};

const std::array<UpgradeRow, 4>& UpgradeRows() {
    static const std::array<UpgradeRow, 4> rows = {{
        {"0301", "00000000", {23, 24, 25, 26, 47, 48, 49, 50, 51}},
        {"0303", "", {52, 53}},
        {"0520", "", std::vector<int>(2, 67)},
        {"0530", "", std::vector<int>(12, 59)},
    }};
    return rows;
}

// Versions compare as text, as the files were always compared.
bool Applies(const UpgradeRow& row, std::string_view version) {
    return version < row.below;
}

// The empty pile lines of every applicable row, inserted into `lines` whose index 0 stands
// for file line `firstLine`.
void InsertEmptyPileLines(std::vector<std::string>& lines, int firstLine,
                          std::string_view version) {
    for (const UpgradeRow& row : UpgradeRows()) {
        if (!Applies(row, version)) continue;
        for (int at : row.emptyLinesAt) {
            const auto index = static_cast<std::size_t>(at - firstLine);
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(std::min(index, lines.size())),
                         std::string{});
        }
    }
}

// The group of every pile line of a file of `version`: the current layout with the
// insertions taken back, newest first.
std::vector<PileGroupId> PileLineGroups(std::string_view version) {
    std::vector<PileGroupId> groups;
    for (int line = 0; line < kSnapshotLines; ++line)
        groups.push_back(SnapshotLinePile(line).group);
    for (const UpgradeRow& row : UpgradeRows() | std::views::reverse) {
        if (!Applies(row, version)) continue;
        for (int at : row.emptyLinesAt | std::views::reverse)
            groups.erase(groups.begin() + (at - kFirstPileLine));
    }
    return groups;
}

std::array<std::vector<std::string>*, kPileGroups> Stacks(UndoSide& undo) {
    return {&undo.Stock, &undo.Foundations, &undo.Piles, &undo.Reserves};
}

} // namespace

std::array<int, kPileGroups> PileGroupSizes(std::string_view version) {
    std::array<int, kPileGroups> sizes{};
    for (PileGroupId group : PileLineGroups(version))
        ++sizes[static_cast<std::size_t>(group)];
    return sizes;
}

int PileLineCount(std::string_view version) {
    return static_cast<int>(PileLineGroups(version).size());
}

void UpgradeFileLines(std::vector<std::string>& lines, std::string_view version) {
    for (const UpgradeRow& row : UpgradeRows())
        if (Applies(row, version) && lines.size() > 1) lines[1] += row.line1Suffix;
    InsertEmptyPileLines(lines, 0, version);
}

bool UpgradeUndoSteps(UndoSide& undo, std::string_view version) {
    const std::array<int, kPileGroups> oldSizes = PileGroupSizes(version);
    const std::array<int, kPileGroups> newSizes = PileGroupSizes(kSavedGameVersion);
    const auto stacks = Stacks(undo);
    std::size_t steps = 0;
    for (std::size_t g = 0; g < kPileGroups; ++g) {
        const auto size = static_cast<std::size_t>(oldSizes[g]);
        if (stacks[g]->size() % size != 0) return false;
        if (g > 0 && stacks[g]->size() / size != steps) return false;
        steps = stacks[g]->size() / size;
    }
    if (oldSizes == newSizes) return true;

    std::array<std::vector<std::string>, kPileGroups> grown;
    for (std::size_t step = 0; step < steps; ++step) {
        std::vector<std::string> lines;
        for (std::size_t g = 0; g < kPileGroups; ++g) {
            const auto size = static_cast<std::ptrdiff_t>(oldSizes[g]);
            const auto first = stacks[g]->begin() + static_cast<std::ptrdiff_t>(step) * size;
            lines.insert(lines.end(), std::make_move_iterator(first),
                         std::make_move_iterator(first + size));
        }
        InsertEmptyPileLines(lines, kFirstPileLine, version);
        auto at = lines.begin();
        for (std::size_t g = 0; g < kPileGroups; ++g) {
            grown[g].insert(grown[g].end(), std::make_move_iterator(at),
                            std::make_move_iterator(at + newSizes[g]));
            at += newSizes[g];
        }
    }
    for (std::size_t g = 0; g < kPileGroups; ++g)
        *stacks[g] = std::move(grown[g]);
    return true;
}

} // namespace quendra
