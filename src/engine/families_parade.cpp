#include "families_parade.h"

#include "building.h"
#include "cards.h"
#include "families.h"
#include "game_params.h"
#include "legality.h"

#include <algorithm>

namespace quendra::royal_parade {

namespace {

using building_detail::CardsIn;
using building_detail::TopOf;

// The first row's places take Twos, each row below the next rank.
constexpr int kFirstRowBase = 2;
// A place is built when it holds its base and the three cards above it by threes.
constexpr int kCardsOnAFullPlace = 4;
constexpr int kPointsPerCardBuilt = 5;

const PileRef kDiscard{PileGroupId::Stock, kMazzoWaste};

int PlacesARow(const GameContext& ctx) {
    const int rows = std::max(1, ctx.Param(param::kTableauLayoutRows));
    return std::max(1, TableauCount(ctx) / rows);
}

const std::string& Place(const GameContext& ctx, int pileIndex) {
    return ctx.table.Pile({PileGroupId::Fila, pileIndex});
}

bool ValidPlace(const GameContext& ctx, int pileIndex) {
    return pileIndex >= 0 && pileIndex < TableauCount(ctx) && pileIndex < kFilaPiles;
}

} // namespace

int BaseRankOf(const GameContext& ctx, int pileIndex) {
    return kFirstRowBase + pileIndex / PlacesARow(ctx);
}

bool HoldsItsBase(const GameContext& ctx, int pileIndex) {
    if (!ValidPlace(ctx, pileIndex)) return false;
    const int bottom = PileCardAt(Place(ctx, pileIndex), 0);
    return bottom >= 1 && fnRank(bottom) == BaseRankOf(ctx, pileIndex);
}

bool PlaceCardLifts(const GameContext& ctx, int pileIndex) {
    return ValidPlace(ctx, pileIndex) && CardsIn(ctx, PileGroupId::Fila, pileIndex) == 1 &&
           !HoldsItsBase(ctx, pileIndex);
}

bool LoneCard(const GameContext& ctx, int card) {
    const int code = fnPileCodeOf(ctx, card);
    if (pile_code::IsReserve(code))
        return TopOf(ctx, PileGroupId::Appogg, pile_code::kFirstReserve - code) == card;
    return pile_code::IsTableau(code) && PlaceCardLifts(ctx, code - 1);
}

bool Exchanges(const GameContext& ctx, int card, int pileIndex) {
    if (!ValidPlace(ctx, pileIndex) || !PlaceCardLifts(ctx, pileIndex)) return false;
    return TopOf(ctx, PileGroupId::Fila, pileIndex) != card &&
           fnRank(card) == BaseRankOf(ctx, pileIndex);
}

namespace {

// Place `pileIndex` takes the lone card `card`, wherever that lies.
bool PlaceTakes(const GameContext& ctx, int card, int pileIndex) {
    const int count = CardsIn(ctx, PileGroupId::Fila, pileIndex);
    if (count == 0) return true;
    if (HoldsItsBase(ctx, pileIndex))
        return fnBuiltOnInTableau(ctx, pileIndex, TopOf(ctx, PileGroupId::Fila, pileIndex), card);
    return Exchanges(ctx, card, pileIndex);
}

} // namespace

bool TakesCard(const GameContext& ctx, int card, int pileIndex) {
    if (!ValidPlace(ctx, pileIndex) || !ctx.play.singleCard || !LoneCard(ctx, card)) return false;
    return PlaceTakes(ctx, card, pileIndex);
}

bool NoMoveLeft(const GameContext& ctx) {
    if (CardsIn(ctx, PileGroupId::Stock, kMazzo) > 0 || EveryPlaceBuilt(ctx)) return false;
    // A move of a place's lone card into an empty place gains nothing unless it is the base
    // of that place's row: it is not counted.
    const auto goesSomewhere = [&](int card, bool fromPlace) {
        for (int q = 0; q < TableauCount(ctx); ++q) {
            if (TopOf(ctx, PileGroupId::Fila, q) == card || !PlaceTakes(ctx, card, q)) continue;
            if (fromPlace && CardsIn(ctx, PileGroupId::Fila, q) == 0 &&
                fnRank(card) != BaseRankOf(ctx, q))
                continue;
            return true;
        }
        return false;
    };
    for (int r = 0; r < ReserveCount(ctx); ++r) {
        const int top = TopOf(ctx, PileGroupId::Appogg, r);
        if (top >= 1 && goesSomewhere(top, false)) return false;
    }
    for (int p = 0; p < TableauCount(ctx); ++p)
        if (PlaceCardLifts(ctx, p) && goesSomewhere(TopOf(ctx, PileGroupId::Fila, p), true))
            return false;
    return true;
}

void DiscardAces(GameContext& ctx) {
    const auto discardFrom = [&](PileRef pile) {
        for (int top = PileTopCard(ctx.table.Pile(pile)); top >= 1 && fnRank(top) == kAce;
             top = PileTopCard(ctx.table.Pile(pile)))
            FlyTopCard(ctx, pile, kDiscard);
    };
    for (int i = 0; i < TableauCount(ctx); ++i)
        discardFrom({PileGroupId::Fila, i});
    for (int r = 0; r < ReserveCount(ctx); ++r)
        discardFrom({PileGroupId::Appogg, r});
}

void DiscardAcesAfterMove(GameContext& ctx, int /*card*/, PileRef /*pile*/) {
    DiscardAces(ctx);
}

bool EveryPlaceBuilt(const GameContext& ctx) {
    for (int i = 0; i < TableauCount(ctx); ++i)
        if (CardsIn(ctx, PileGroupId::Fila, i) != kCardsOnAFullPlace || !HoldsItsBase(ctx, i))
            return false;
    return TableauCount(ctx) > 0;
}

int CardsBuiltScore(const GameContext& ctx) {
    int built = 0;
    for (int i = 0; i < TableauCount(ctx); ++i)
        if (HoldsItsBase(ctx, i)) built += CardsIn(ctx, PileGroupId::Fila, i) - 1;
    return kPointsPerCardBuilt * built;
}

} // namespace quendra::royal_parade
