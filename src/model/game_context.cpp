#include "game_context.h"

#include "cards.h"

#include <chrono>

namespace quendra {

std::int64_t Host::Now() const {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

void fnPutCard(GameContext& ctx, PileRef pile, int card, char faceDigit) {
    ctx.table.Pile(pile) += CardCode(card);
    if (card >= 1 && card <= CardTable::kRecords && faceDigit != '\0')
        ctx.cardTable.SetFace(card, faceDigit);
}

void fnSetCardFace(GameContext& ctx, int card, char faceDigit) {
    if (card >= 1 && card <= CardTable::kRecords) ctx.cardTable.SetFace(card, faceDigit);
}

int fnTopCardOf(const GameContext& ctx, std::string_view pileName) {
    const auto pile = ParsePileName(pileName);
    if (!pile || (pile->group == PileGroupId::Stock && pile->index == kMazzoWaste)) return 0;
    return PileTopCard(ctx.table.Pile(*pile));
}

std::string fnCardName(const GameContext& ctx, int card) {
    if (card < 1 || card > CardTable::kRecords) return {};
    std::string name = ctx.cardTable.Record(card).substr(0, 15);
    name.erase(name.find_last_not_of(' ') + 1);
    return name;
}

PileRef SnapshotLinePile(int line) {
    if (line < kStockPiles) return {PileGroupId::Stock, line};
    line -= kStockPiles;
    if (line < kDestPiles) return {PileGroupId::Dest, line};
    line -= kDestPiles;
    if (line < kFilaPiles) return {PileGroupId::Fila, line};
    return {PileGroupId::Appogg, line - kFilaPiles};
}

TableSnapshot BuildTableSnapshot(const GameContext& ctx) {
    TableSnapshot lines;
    lines.reserve(kSnapshotLines);
    for (int line = 0; line < kSnapshotLines; ++line) {
        const std::string& pile = ctx.table.Pile(SnapshotLinePile(line));
        std::string text;
        text.reserve(pile.size() / 3 * 4);
        for (int i = 0; i < PileCardCount(pile); ++i) {
            const int card = PileCardAt(pile, i);
            text.append(pile, static_cast<std::size_t>(i) * 3, 3);
            text.push_back(card >= 1 && card <= CardTable::kRecords ? ctx.cardTable.Face(card)
                                                                    : '0');
        }
        lines.push_back(std::move(text));
    }
    return lines;
}

void LoadPileFromSnapshotLine(GameContext& ctx, PileRef pile, std::string_view line) {
    ctx.table.Pile(pile).clear();
    for (std::size_t unit = 0; unit + 4 <= line.size(); unit += 4) {
        const int card = ParseDigits(line.substr(unit, 3));
        const char face = line[unit + 3];
        // A unit that is no card code is untrusted input: it becomes a gap.
        if (card < 0 || card > CardTable::kRecords)
            fnPutCard(ctx, pile, 0);
        else
            fnPutCard(ctx, pile, card, face == '1' ? '1' : '0');
    }
}

void LoadTableSnapshot(GameContext& ctx, const TableSnapshot& snapshot) {
    for (int line = 0; line < kSnapshotLines; ++line) {
        const std::string_view text =
            static_cast<std::size_t>(line) < snapshot.size() ? snapshot[line] : std::string_view{};
        LoadPileFromSnapshotLine(ctx, SnapshotLinePile(line), text);
    }
}

void CopyToScratch(GameContext& ctx) { ctx.ScratchTable = ctx.table; }

void RestoreFromScratch(GameContext& ctx) { ctx.table = ctx.ScratchTable; }

} // namespace quendra
