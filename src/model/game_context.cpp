#include "game_context.h"

#include "cards.h"
#include "game_params.h"

#include <algorithm>
#include <chrono>

namespace quendra {

std::int64_t Host::Now() const {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

void CopyGameState(GameContext& to, const GameContext& from) {
    to.cardTable = from.cardTable;
    to.table = from.table;
    to.ScratchTable = from.ScratchTable;
    to.geometry = from.geometry;
    to.params = from.params;
    to.savedRules = from.savedRules;
    to.flags = from.flags;
    to.settings = from.settings;
    to.gamesFile = from.gamesFile;
    to.imagesFile = from.imagesFile;
    to.mainGame = from.mainGame;
    to.play = from.play;
    to.layoutArea = from.layoutArea;
}

int FoundationCount(const GameContext& ctx) {
    return std::clamp(ctx.Param(366), 0, kDestPiles);
}

int TableauCount(const GameContext& ctx) {
    return std::clamp(ctx.Param(367), 0, kFilaPiles);
}

int ReserveCount(const GameContext& ctx) {
    return std::clamp(ctx.Param(368), 0, kAppoggPiles);
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

bool SelectionHeldInFoundation1(const GameContext& ctx) {
    // The families of pairs adding up to 14 and to 13 select without parameter 39 too.
    constexpr int kFourteens = 3, kPyramid = 4;
    const int family = ctx.Param(param::kFamily);
    return ctx.Param(param::kSelectionGame) != 0 || family == kFourteens || family == kPyramid;
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

namespace {

// Index of a pile's X in the current game object's table (its Y follows at the group's
// Y offset); tableau piles live in the geometry instead.
int MainGameXIndex(PileRef pile) {
    switch (pile.group) {
    case PileGroupId::Stock:
        return TMainGame::kStockX + pile.index;
    case PileGroupId::Dest:
        return TMainGame::kDestX + pile.index;
    case PileGroupId::Appogg:
        return TMainGame::kAppoggX + pile.index;
    case PileGroupId::Fila:
        break;
    }
    return -1;
}

int MainGameYIndex(PileRef pile) {
    switch (pile.group) {
    case PileGroupId::Stock:
        return TMainGame::kStockY + pile.index;
    case PileGroupId::Dest:
        return TMainGame::kDestY + pile.index;
    case PileGroupId::Appogg:
        return TMainGame::kAppoggY + pile.index;
    case PileGroupId::Fila:
        break;
    }
    return -1;
}

std::int16_t UnsetFor(PileGroupId group) {
    switch (group) {
    case PileGroupId::Stock:
        return kUnsetStock;
    case PileGroupId::Dest:
        return kUnsetDest;
    case PileGroupId::Fila:
        return kUnsetFila;
    case PileGroupId::Appogg:
        return kUnsetAppogg;
    }
    return kUnsetStock;
}

} // namespace

void ClearPilePositions(GameContext& ctx) {
    for (int line = 0; line < kSnapshotLines; ++line) {
        const PileRef pile = SnapshotLinePile(line);
        const std::int16_t unset = UnsetFor(pile.group);
        SetPilePosition(ctx, pile, unset, unset);
    }
}

std::int16_t PileX(const GameContext& ctx, PileRef pile) {
    if (pile.group == PileGroupId::Fila)
        return ctx.geometry.FilaX.at(static_cast<std::size_t>(pile.index));
    return ctx.mainGame.values.at(static_cast<std::size_t>(MainGameXIndex(pile)));
}

std::int16_t PileY(const GameContext& ctx, PileRef pile) {
    if (pile.group == PileGroupId::Fila)
        return ctx.geometry.FilaY.at(static_cast<std::size_t>(pile.index));
    return ctx.mainGame.values.at(static_cast<std::size_t>(MainGameYIndex(pile)));
}

void SetPilePosition(GameContext& ctx, PileRef pile, int x, int y) {
    const auto x16 = static_cast<std::int16_t>(x);
    const auto y16 = static_cast<std::int16_t>(y);
    if (pile.group == PileGroupId::Fila) {
        ctx.geometry.FilaX.at(static_cast<std::size_t>(pile.index)) = x16;
        ctx.geometry.FilaY.at(static_cast<std::size_t>(pile.index)) = y16;
        return;
    }
    ctx.mainGame.values.at(static_cast<std::size_t>(MainGameXIndex(pile))) = x16;
    ctx.mainGame.values.at(static_cast<std::size_t>(MainGameYIndex(pile))) = y16;
}

bool PileHasPlace(const GameContext& ctx, PileRef pile) {
    const std::int16_t unset = UnsetFor(pile.group);
    return PileX(ctx, pile) != unset && PileY(ctx, pile) != unset;
}

void CopyToScratch(GameContext& ctx) {
    ctx.ScratchTable = ctx.table;
}

void RestoreFromScratch(GameContext& ctx) {
    ctx.table = ctx.ScratchTable;
}

} // namespace quendra
