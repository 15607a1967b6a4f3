#include "param_keys.h"

#include <array>

namespace quendra::gamesc {

namespace {

using enum PileGroup;
namespace v = vocab;

constexpr int kMin = -32768;
constexpr int kMax = 32767;

// Every parameter the engine reads has a key here; the few without one are reachable through
// "param.N". Keep the table in parameter order.
const ParamKey kKeys[] = {
    {"foundations.start", 1, None, v::kFoundationStart, 0, 5, false, false, true},
    {"tableau.group-moves", 2, None, v::kGroupMoves, 0, 11, false, false, true},
    {"tableau.fan", 3, None, v::kTableauFan, 0, 11, false, false, true},
    {"foundations.fan", 4, None, v::kFoundationFan, 0, 7, false, false, true},
    {"reserves.fan", 5, None, v::kReserveFan, 0, 7, false, false, true},
    {"table.right-fan-spacing", 6, None, v::kYesNo, 0, 1, false, false, true},
    {"stock.face-down", 7, None, v::kYesNo, 0, 1, false, false, true},
    {"waste.face-down", 8, None, v::kYesNo, 0, 1, false, false, true},
    {"stock.present", 9, None, v::kYesNo, 0, 1, false, true, true},
    {"waste.present", 10, None, v::kYesNo, 0, 1, false, true, true},
    {"foundations.extra-card", 12, None, v::kYesNo, 0, 1, false, false, true},
    {"tableau.group-size", 13, None, v::kGroupSize, -15, 104},
    {"reserves.pick-up", 14, None, v::kReservePickUp, -15, 0},
    {"stock.passes", 15, None, v::kPasses, -1, 999},
    {"stock.redeal", 16, None, v::kRedeal, 0, 99},
    {"waste.deal-when", 17, None, v::kWasteDeal, 0, 9},
    {"foundations.pick-up", 18, None, v::kFoundationPickUp, 0, 3, false, false, true},
    {"engine.load-code", 19, None, {}, kMin, kMax},
    {"game.no-saving", 21, None, v::kYesNo, 0, 1, false, false, true},
    {"waste.cards-per-click", 22, None, {}, 0, 104},
    {"tableau.auto-fill", 23, None, v::kAutoFill, 0, 13},
    {"tableau.draw-pile-by-pile", 24, None, v::kYesNo, 0, 1, false, false, true},
    {"grid.size", 25, None, {}, 0, 40},
    {"foundations.sorted", 30, None, v::kYesNo, 0, 1, false, false, true},
    {"deal.record-position", 31, None, v::kYesNo, 0, 1, false, false, true},
    {"foundations.max-cards", 32, None, {}, 0, 108, true},
    {"tableau.max-cards", 33, None, v::kUnlimited, -1, 108, true},
    {"deal.mode", 34, None, v::kDealMode, 0, 99},
    {"play.stock-first", 35, None, {}, 0, 3},
    {"play.click-to-move", 37, None, v::kYesNo, 0, 1, false, false, true},
    {"screen.need", 38, None, v::kScreenNeed, 0, 2, false, false, true},
    {"play.selection", 39, None, {}, kMin, kMax},
    {"play.first-move-to-foundation", 40, None, v::kYesNo, 0, 1, false, false, true},
    {"tableau.fill-after-first-move", 41, None, v::kYesNo, 0, 1, false, false, true},
    {"play.automatic-moves", 42, None, v::kYesNo, 0, 1, false, true, true},
    {"tableau.grid-places-per-row", 43, None, v::kGridPlaces, -1, 104},
    {"deck.jokers-in-play", 44, None, v::kYesNo, 0, 1, false, false, true},
    {"play.tutor", 45, None, v::kYesNo, 0, 1, false, true, true},
    {"score.bonus-cards", 46, None, {}, kMin, kMax},
    {"deck.stripped", 47, None, v::kStrippedPack, 0, 2, false, false, true},
    {"game.lost-rule", 48, None, {}, kMin, kMax},
    {"score.to-win", 49, None, {}, kMin, kMax},
    {"game.family", 50, None, {}, kMin, kMax, false, true},
    {"foundations.base", 51, Foundations, v::kEmptyRule, -2, 99, true},
    {"foundations.direction", 67, Foundations, v::kDirection, 0, 2, true, false, true},
    {"foundations.method", 83, Foundations, v::kMethod, 0, 114, true},
    {"foundations.start-card", 99, Foundations, v::kFoundationStartCard, 0, 208},
    {"foundations.complete-at", 115, Foundations, v::kCompleteAt, -1, 108, true},
    {"tableau.empty", 131, Tableau, v::kEmptyRule, -1, 99, true},
    {"tableau.direction", 171, Tableau, v::kDirection, 0, 2, true, false, true},
    {"tableau.method", 211, Tableau, v::kMethod, 0, 114, true},
    {"tableau.past-stop", 251, Tableau, v::kPastStop, 0, 2, false, false, true},
    {"tableau.deal-flag", 291, Tableau, v::kTableauDealFlag, 0, 10},
    {"reserves.kind", 331, Reserves, v::kReserveKind, 0, 199},
    {"reserves.deal-flag", 341, Reserves, v::kReserveDealFlag, 0, 10},
    {"discard.start-card", 351, None, {}, 0, 208},
    {"waste.build", 352, None, v::kWasteBuild, kMin, kMax},
    {"waste.drop-rule", 353, None, {}, kMin, kMax},
    {"stock.layout", 354, None, v::kStockLayout, 0, 999},
    {"stock.row", 355, None, {}, 0, 6},
    {"foundations.layout", 356, None, v::kFoundationLayout, 0, 999, true},
    {"foundations.row", 357, None, {}, 1, 6, true},
    {"tableau.layout", 358, None, v::kTableauLayout, 0, 999, true},
    {"tableau.row", 359, None, {}, 1, 6, true},
    {"tableau.layout-rows", 360, None, {}, 0, 40},
    {"reserves.layout", 361, None, v::kReserveLayout, 0, 999, true},
    {"reserves.row", 362, None, {}, 1, 6, true},
    {"discard.layout", 363, None, v::kDiscardLayout, 0, 999},
    {"discard.row", 364, None, {}, 0, 6},
    {"stock.slots", 365, None, {}, 0, 3, false, true},
    {"foundations.count", 366, None, {}, 0, kFoundationSlots, false, true},
    {"tableau.count", 367, None, {}, 0, kTableauSlots, false, true},
    {"reserves.count", 368, None, {}, 0, kReserveSlots, false, true},
    {"discard.slots", 369, None, {}, 0, 1},
    {"deck.cards", 370, None, {}, 1, 104, false, true},
    {"stock.cards", 371, None, {}, 0, 108},
    {"waste.cards", 372, None, {}, 0, 108},
    {"deck.jokers", 373, None, {}, 0, 4},
    {"tableau.cards", 374, Tableau, {}, 0, 1504, true},
    {"tableau.face-up", 414, Tableau, {}, -3, 108, true},
    {"discard.cards", 454, None, {}, 0, 108},
    {"reserves.cards", 455, Reserves, {}, 0, 108},
    {"reserves.face-up", 465, Reserves, {}, -3, 108},
    {"editor.cards-per-click", 475, None, v::kEditorOffer, 0, 9},
    {"editor.redeals", 476, None, v::kEditorOffer, 0, 9},
    {"editor.empty-tableau", 477, None, v::kEditorOffer, 0, 9},
    {"editor.tableau-direction", 478, None, v::kEditorOffer, 0, 9},
    {"editor.tableau-method", 479, None, v::kEditorOffer, 0, 9},
    {"editor.foundation-direction", 480, None, v::kEditorOffer, 0, 9},
    {"editor.foundation-method", 481, None, v::kEditorOffer, 0, 9},
    {"browser.duration", 482, None, v::kDuration, 0, 2, false, true, true},
    {"browser.difficulty", 483, None, v::kDifficulty, 0, 2, false, true, true},
    {"browser.skill", 484, None, v::kSkill, 0, 4, false, true, true},
    {"browser.chance", 485, None, v::kChance, 0, 4, false, true, true},
    {"browser.won-about", 486, None, {}, 0, kMax},
    {"browser.won-in", 487, None, {}, 0, kMax},
};

} // namespace

std::span<const ParamKey> ParamKeys() {
    return kKeys;
}

const ParamKey* FindParamKey(std::string_view key) {
    for (const ParamKey& entry : kKeys)
        if (entry.key == key) return &entry;
    return nullptr;
}

const ParamKey* KeyForParam(int param) {
    for (const ParamKey& entry : kKeys) {
        const int span = entry.group == None ? 1 : GroupSlots(entry.group);
        if (param >= entry.param && param < entry.param + span) return &entry;
    }
    return nullptr;
}

int GroupSlots(PileGroup group) {
    switch (group) {
    case Foundations:
        return kFoundationSlots;
    case Tableau:
        return kTableauSlots;
    case Reserves:
        return kReserveSlots;
    case None:
        break;
    }
    return 1;
}

int GroupCountParam(PileGroup group) {
    switch (group) {
    case Foundations:
        return kFoundationCountParam;
    case Tableau:
        return kTableauCountParam;
    case Reserves:
        return kReserveCountParam;
    case None:
        break;
    }
    return -1;
}

std::string_view GroupPrefix(PileGroup group) {
    switch (group) {
    case Foundations:
        return "foundations";
    case Tableau:
        return "tableau";
    case Reserves:
        return "reserves";
    case None:
        break;
    }
    return "";
}

} // namespace quendra::gamesc
