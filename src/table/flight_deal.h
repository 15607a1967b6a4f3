#pragma once

#include "flight.h"
#include "game_context.h"

#include <optional>
#include <vector>

namespace quendra {

// Where the cards of a new deal fly from: a pile, or a point off the table.
struct DealSource {
    std::optional<PileRef> pile; // none for the off-table source
    TablePoint at;
};

// The source of the deal flights; nothing when no tableau pile or reserve holds a card.
// `Mazzo` when placed and either holding cards or with an empty `Mazzo_Vis`; else
// `Mazzo_Vis`; else reserve 1 holding at most one card; else `Mazzo_Waste`; else
// foundation 1; else tableau pile 1. Special family 46 deals from left of the table.
std::optional<DealSource> ChooseDealSource(const GameContext& ctx);

// One card of the deal animation, in the order the cards fly.
struct DealtCard {
    PileRef pile;
    int position = 0; // 0-based from the bottom of the pile
    int card = 0;
    bool faceUp = true;
    bool operator==(const DealtCard&) const = default;
};

// The reserves first, each from the bottom up; then the tableau pile by pile when parameter 24
// is not 0, else in rounds (card r of every pile for r = 0, 1, ...). Reserve 1, or tableau
// pile 1 in the first round, is skipped when it is the source.
std::vector<DealtCard> DealOrder(const GameContext& ctx, const DealSource& source);

// The point a dealt card leaves from: the source moved by a seventh of a card each way.
TablePoint DealLaunchPoint(const GameContext& ctx, const DealSource& source);

} // namespace quendra
