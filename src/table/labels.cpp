#include "labels.h"

#include "cards.h"

#include <algorithm>

namespace quendra {

namespace {

constexpr int kFoundationFullParam = 32;
constexpr int kCompletedPile = 13;
constexpr int kNextSumMaxCards = 11;
constexpr int kCounterCycle = 20;

TableRect Box(int x, int y, int width, int height) {
    return {x, y, x + width, y + height};
}

int TopRankOf(const GameContext& ctx, PileRef pile) {
    const int top = PileTopCard(ctx.table.Pile(pile));
    return top > 0 ? fnRank(top) : 0;
}

int CardsIn(const GameContext& ctx, PileRef pile) {
    return PileCardCount(ctx.table.Pile(pile));
}

// A box of 21 x 14 centred over a foundation at height `y`, with a centred rank.
TableLabel RankLabel(int foundationX, int y, int cardWidth, int rank) {
    TableLabel label;
    label.box = Box(foundationX + cardWidth / 2 - 10, y, 21, 14);
    label.textAt = {label.box.left, label.box.top};
    label.centred = true;
    if (rank > 0) label.text = fnRankText(rank);
    return label;
}

int Within13(int rank) {
    return rank > 13 ? (rank - 1) % 13 + 1 : rank;
}

} // namespace

std::string CardCountText(int cards) {
    return std::to_string(cards) + (cards == 1 ? " card" : " cards");
}

std::vector<TableLabel> PileNumberLabels(const GameContext& ctx) {
    std::vector<TableLabel> labels;
    for (int i = 0; i < kFilaPiles; ++i) {
        const PileRef pile{PileGroupId::Fila, i};
        if (!PileHasPlace(ctx, pile)) continue;
        const int x = PileX(ctx, pile);
        const int y = PileY(ctx, pile) - 18;
        TableLabel label;
        label.box = Box(x, y, 18, 14);
        label.text = std::to_string(i + 1);
        label.textAt = {x + (label.text.size() > 1 ? 2 : 5), y};
        labels.push_back(label);
    }
    return labels;
}

TableLabel PileSizeLabel(int pileX, int pileY, int cards) {
    TableLabel label;
    const int y = pileY - 19;
    label.textAt = {pileX + 2, y + 1};
    if (cards == kCompletedPile) {
        label.box = Box(pileX, y, 65, 15);
        label.text = "Completed";
        label.bold = true;
    } else {
        label.box = Box(pileX, y, 50, 15);
        label.text = CardCountText(cards);
        // The wider "Completed" box may have been drawn before.
        label.restoreFirst = TableRect{pileX + 49, y, pileX + 65, y + 15};
    }
    return label;
}

std::vector<TableLabel> PileSizeLabels(const GameContext& ctx) {
    std::vector<TableLabel> labels;
    for (int i = 0; i < kFilaPiles; ++i) {
        const PileRef pile{PileGroupId::Fila, i};
        if (!PileHasPlace(ctx, pile)) continue;
        labels.push_back(PileSizeLabel(PileX(ctx, pile), PileY(ctx, pile), CardsIn(ctx, pile)));
    }
    return labels;
}

int NextFoundationRank(int topRank, int foundation, int cards, int fullCount) {
    if (cards <= 0 || cards == fullCount || topRank < 1 || topRank > 13) return 0;
    return Within13(topRank + foundation + 1);
}

std::vector<TableLabel> NextRankLabels(const GameContext& ctx) {
    std::vector<TableLabel> labels;
    const int y = PileY(ctx, {PileGroupId::Dest, 0}) - 18;
    for (int i = 0; i < 4; ++i) {
        const PileRef dest{PileGroupId::Dest, i};
        if (!PileHasPlace(ctx, dest)) continue;
        const int rank = NextFoundationRank(TopRankOf(ctx, dest), i, CardsIn(ctx, dest),
                                            ctx.Param(kFoundationFullParam));
        labels.push_back(RankLabel(PileX(ctx, dest), y, ctx.geometry.CardWidth, rank));
    }
    return labels;
}

int NextSumRank(int topRank, int pairedTopRank, int cards) {
    if (cards > kNextSumMaxCards || pairedTopRank < 1 || pairedTopRank > 13) return 0;
    if (cards > 0 && (topRank < 1 || topRank > 13)) return 0;
    const int sum = cards > 0 ? topRank + pairedTopRank : 2 * pairedTopRank;
    return Within13(sum);
}

std::vector<TableLabel> NextSumLabels(const GameContext& ctx) {
    std::vector<TableLabel> labels;
    const int y = PileY(ctx, {PileGroupId::Dest, 8}) - 18;
    for (int i = 8; i < kDestPiles; ++i) {
        const PileRef dest{PileGroupId::Dest, i};
        if (!PileHasPlace(ctx, dest)) continue;
        const int rank = NextSumRank(
            TopRankOf(ctx, dest), TopRankOf(ctx, {PileGroupId::Dest, i - 8}), CardsIn(ctx, dest));
        labels.push_back(RankLabel(PileX(ctx, dest), y, ctx.geometry.CardWidth, rank));
    }
    return labels;
}

int CountFirstCardEntries(std::string_view log) {
    int count = 0;
    std::size_t start = 0;
    while (start <= log.size()) {
        const std::size_t comma = std::min(log.find(',', start), log.size());
        const std::string_view segment = log.substr(start, comma - start);
        for (std::size_t i = 0; i + 3 <= segment.size(); i += 3)
            if (segment.substr(i, 3) == "001") ++count;
        start = comma + 1;
    }
    return count;
}

TableLabel CycleCounterLabel(const GameContext& ctx, std::string_view log) {
    const PileRef vis{PileGroupId::Stock, kMazzoVis};
    const int entries = CountFirstCardEntries(log);
    const int left = kCounterCycle - entries % kCounterCycle;
    const int k = kCounterCycle - std::min(CardsIn(ctx, vis), left);
    TableLabel label;
    label.box = Box(PileX(ctx, vis) + ctx.geometry.CardWidth / 2 - 20,
                    PileY(ctx, vis) + ctx.geometry.CardHeight + 10, 40, 14);
    label.textAt = {label.box.left, label.box.top};
    label.centred = true;
    label.text = std::to_string(k) + "/" + std::to_string(kCounterCycle);
    return label;
}

bool PileSizeTipDue(std::int64_t nowMs, std::int64_t lastMoveMs, bool panelVisible) {
    return !panelVisible && nowMs - lastMoveMs >= kPileSizeTipRestMs;
}

std::optional<PileSizeTip> PlacePileSizeTip(TablePoint pointer, int cards, int windowWidth,
                                            int windowHeight, int toolbarBottom) {
    if (cards < 1) return std::nullopt;
    if (pointer.x < 0 || pointer.x >= windowWidth || pointer.y < toolbarBottom ||
        pointer.y >= windowHeight)
        return std::nullopt;
    constexpr int kMargin = 57;
    PileSizeTip tip;
    tip.firstLine = CardCountText(cards);
    tip.at = {pointer.x, pointer.y - kPileSizeTipHeight + kMargin};
    if (tip.at.x + kPileSizeTipWidth > windowWidth - kMargin)
        tip.at.x = pointer.x - kPileSizeTipWidth - 2;
    if (tip.at.y + kPileSizeTipHeight > windowHeight - kMargin)
        tip.at.y = pointer.y - kPileSizeTipHeight - 2;
    return tip;
}

} // namespace quendra
