#include "vocabulary.h"

#include <array>

namespace quendra::gamesc {

namespace {

constexpr NamedValue kYesNoNames[] = {{"no", 0}, {"yes", 1}};

constexpr NamedValue kGameTypeNames[] = {
    {"canfield", 2},        {"forty-thieves", 3},  {"freecell", 4},      {"klondike", 5},
    {"pairing", 6},         {"simple", 7},         {"spider", 8},        {"one-deck", 9},
    {"two-deck", 10},       {"fan", 11},           {"bakers-dozen", 12}, {"row", 13},
    {"puzzle", 14},         {"adding", 15},        {"memory", 16},       {"beleaguered-castle", 17},
    {"queen-of-italy", 18}, {"yukon", 19},         {"mathematical", 20}, {"sir-tommy", 21},
    {"non-builders", 22},   {"stripped-deck", 23},
};

constexpr NamedValue kMethodNames[] = {
    {"in-suit", 0},
    {"in-colour", 1},
    {"any-suit", 2},
    {"alternate", 3},
    {"nothing", 4},
    {"family-check", 5},
    {"empty-only", 6},
    {"start-when-stock-empty", 7},
    {"anything", 12},
    {"from-waste-only", 17},
    {"any-suit-ace-after-king", 20},
    {"any-other-suit", 21},
    {"in-suit-no-queen-king", 24},
    {"in-suit-by-two", 25},
    {"any-suit-no-corner", 28},
    {"up-to-king-then-down", 29},
    {"started-in-order", 36},
    {"doubling", 37},
    {"by-two-from-ace-or-two", 41},
    {"above-indicator", 79},
    {"in-suit-no-corner", 60},
    {"any-suit-corner", 68},
    {"ace-then-seven", 98},
    // Our own: down in suit, or onto a card of the same rank (Curds and Whey).
    {"in-suit-or-same-rank", 111},
    // Our own: onto a card of the same rank, any suit (Beehive).
    {"same-rank", 112},
    // Our own: by the rank of foundation i - 8's first card (Senior Wrangler).
    {"by-indicator", 113},
    // Our own: up in suit by three ranks (Royal Parade).
    {"in-suit-by-three", 114},
};

constexpr NamedValue kDirectionNames[] = {{"down", 0}, {"up", 1}, {"up-or-down", 2}};

constexpr NamedValue kEmptyRuleNames[] = {
    {"any", -1},
    {"none", 0},
    {"ace", 1},
    {"two", 2},
    {"three", 3},
    {"four", 4},
    {"five", 5},
    {"six", 6},
    {"seven", 7},
    {"eight", 8},
    {"nine", 9},
    {"ten", 10},
    {"jack", 11},
    {"queen", 12},
    {"king", 13},
    {"balanced-aces", 81},
    {"run-slot", 82},
    {"run-slot-in-suit", 83},
    {"balanced-kings", 84},
    {"balanced-aces-suits", 85},
    {"one-card", 86},
    {"not-from-stock", 87},
    {"not-from-tableau", 88},
    {"balanced-twos", 90},
    {"below-base", 91},
    {"matched", 92},
    {"matched-from-reserve", 93},
    {"reserve-or-waste", 96},
};

constexpr NamedValue kPastStopNames[] = {{"no", 0}, {"yes", 1}, {"pairs", 2}};

constexpr NamedValue kFoundationStartCardNames[] = {
    {"none", 0},
    {"ace", 1},
    {"two", 2},
    {"three", 3},
    {"four", 4},
    {"five", 5},
    {"six", 6},
    {"seven", 7},
    {"eight", 8},
    {"nine", 9},
    {"ten", 10},
    {"jack", 11},
    {"queen", 12},
    {"king", 13},
    {"first-deck-card", 20},
    {"first-new-suit", 21},
    {"next-after-first", 91},
    {"base-of-first", 92},
    {"aces-then-sweep", 93},
    {"own-ace-then-sweep", 94},
    {"kings-aces-then-sweep", 95},
    {"aces-from-tableau", 96},
    {"wrangler", 97},
};

constexpr NamedValue kFoundationStartNames[] = {
    {"fixed", 0},         {"first-card", 1},       {"each-dealt", 2},
    {"above-reserve", 3}, {"first-card-split", 4}, {"first-card-and-rank", 5},
};

constexpr NamedValue kGroupMovesNames[] = {
    {"any", 0}, {"sequence", 1}, {"in-suit-sequence", 10}, {"in-suit-or-one-rank", 11}};

constexpr NamedValue kGroupSizeNames[] = {
    {"unlimited", -1},         {"empty-piles", -2},  {"free-cells", -5},
    {"free-cells-strict", -6}, {"king-or-one", -12}, {"one-or-whole-pile", -13},
    {"pile-block", -15},
};

constexpr NamedValue kTableauFanNames[] = {
    {"down", 1},      {"right", 2}, {"squared", 3},      {"row", 4},   {"wide-right", 6},
    {"top-lower", 7}, {"grid", 8},  {"side-by-side", 9}, {"left", 10}, {"per-pile", 11},
};

constexpr NamedValue kFoundationFanNames[] = {
    {"down", 1}, {"right", 2}, {"squared", 3}, {"row", 4}, {"top-lower", 7},
};

constexpr NamedValue kReserveFanNames[] = {
    {"down", 1}, {"right", 2}, {"squared", 3}, {"row", 4}, {"small-steps", 5}, {"top-lower", 7},
};

constexpr NamedValue kReservePickUpNames[] = {
    {"top", 0},
    {"whole-pile", -11},
    {"family-check", -14},
    {"pile-block", -15},
};

constexpr NamedValue kFoundationPickUpNames[] = {
    {"never", 0},
    {"top", 1},
    {"not-last", 2},
    {"joker", 3},
};

constexpr NamedValue kUnlimitedNames[] = {{"unlimited", -1}};

constexpr NamedValue kRedealNames[] = {
    {"turn-over", 0},         {"shuffled-fans", 4},   {"fans-in-order", 5},
    {"every-click", 6},       {"rotate", 7},          {"gap-rows", 8},
    {"gather-to-waste", 9},   {"shuffled-opening", 10}, {"gather", 11},
    {"gather-and-deal", 12},  {"pile-redeal", 13},    {"shuffled-with-stock", 14},
};

constexpr NamedValue kWasteDealNames[] = {{"every-click", 0}, {"waste-empty", 1}, {"never", 2}};

constexpr NamedValue kAutoFillNames[] = {
    {"none", 0},           {"from-reserve", 1},     {"waste-or-stock", 2},
    {"stock-or-waste", 3}, {"three-from-waste", 5}, {"four-from-stock", 9},
    {"never", 13},
};

constexpr NamedValue kDealModeNames[] = {
    {"normal", 0},
    {"kings-to-stock", 1},
    {"kings-start-piles", 2},
    {"no-repeated-rank", 3},
    {"queens-start-piles", 4},
    {"by-rank-below", 5},
    {"by-rank", 6},
    {"bottom-to-foundation", 7},
    {"aces-to-gaps", 8},
    {"puzzle-pack", 9},
    {"empty-random-pile", 10},
    {"one-per-rank", 11},
    {"memory-pack", 12},
    {"cards-to-foundations", 13},
    {"hanoi-pack", 14},
    {"maze-pack", 15},
    {"no-courts", 16},
    // After the ordinary deal every King in a tableau pile is moved beneath the other cards of
    // its pile, keeping the order of the rest (Baker's Dozen and its relatives).
    {"kings-to-bottom", 17},
    // The Aces and Twos are dealt first, at the bottom of the piles (Challenge FreeCell).
    {"aces-and-twos-first", 18},
    // The Aces go to the heads of the rows, leaving gaps where they lay (Blue Moon).
    {"aces-lead-rows", 19},
    // The Aces start the rows with a gap behind each, the other cards after them (Red Moon).
    {"aces-lead-rows-before-a-gap", 20},
};

constexpr NamedValue kStrippedPackNames[] = {
    {"full", 0},
    {"no-two-to-six", 1},
    {"no-two-to-six-or-kings", 2},
};

constexpr NamedValue kScreenNeedNames[] = {{"any", 0}, {"650-wide", 1}, {"810-wide", 2}};

constexpr NamedValue kTableauDealFlagNames[] = {
    {"none", 0},      {"one", 1},        {"not-while-empty", 2},
    {"face-down", 6}, {"onto-cards", 7}, {"top-up-to-three", 9},
};

constexpr NamedValue kReserveDealFlagNames[] = {
    {"none", 0},         {"one", 1},       {"algerian", 3},
    {"alternating", 4},  {"face-down", 5}, {"four-onto-tableau", 8},
    {"eight-piles", 10},
};

constexpr NamedValue kReserveKindNames[] = {
    {"free-cell", 0},   {"play-only", 4},        {"courts", 9},      {"kings", 8}, {"anything", 12},
    {"five-cards", 13}, {"foundation-like", 81}, {"from-waste", 85}, {"jack", 88}, {"queen", 89},
    {"king", 90},       {"pile-block", 103},     {"aces", 107},
};

constexpr NamedValue kCompleteAtNames[] = {{"max-cards", -1}};

constexpr NamedValue kGridPlacesNames[] = {{"fit", -1}};

constexpr NamedValue kWasteBuildNames[] = {{"none", 0}, {"in-suit-up-or-down", 2}};

constexpr NamedValue kStockLayoutNames[] = {
    {"none", 0},
    {"left-column", 3},
    {"over-tableau", 4},
    {"left-row", 5},
    {"left-of-tableau", 11},
    {"top-left", 13},
    {"beside-tableau", 16},
    {"beside-tableau-far", 19},
    {"left-of-tableau-close", 21},
};

constexpr NamedValue kFoundationLayoutNames[] = {
    {"none", 0},
    {"spread", 1},
    {"centred", 2},
    {"over-last-piles", 7},
    {"right", 8},
    {"right-with-tableau", 9},
    {"over-last-piles-compact", 13},
    {"after-stock", 17},
    {"over-piles", 22},
    {"two-rows", 24},
};

constexpr NamedValue kTableauLayoutNames[] = {
    {"none", 0},
    {"centred", 1},
    {"centred-close", 2},
    {"after-stock-column", 3},
    {"rows", 10},
    {"after-two-stock-columns", 11},
    {"after-stock-column-wide", 12},
    {"fixed-left", 13},
    {"centred-tight", 14},
    {"centred-tight-high", 15},
    {"grid-rows", 18},
    {"under-foundations", 20},
    {"after-two-stock-columns-tight", 21},
    {"cross", 52},
    {"fan-columns", 53},
    {"two-rows", 54},
    {"peaks", 55},
    {"pyramid", 58},
    {"gap-rows", 60},
    {"row-of-places", 64},
    {"heads-and-tails", 62},
    {"memory-rows", 67},
    {"parade", 69},
    {"quilt", 68},
    {"grid-4x4", 123},
    {"grid-3x3", 124},
    {"grid-5x5", 125},
};

constexpr NamedValue kReserveLayoutNames[] = {
    {"none", 0},
    {"over-piles", 4},
    {"left-margin", 5},
    {"from-first-pile", 6},
    {"over-last-piles", 7},
    {"at-waste", 11},
    {"left-of-tableau", 12},
    {"at-stock", 23},
};

constexpr NamedValue kDiscardLayoutNames[] = {
    {"none", 0},
    {"second-pile-column", 6},
    {"last-pile-column", 7},
    {"under-stock", 16},
};

constexpr NamedValue kDurationNames[] = {{"long", 0}, {"medium", 1}, {"quick", 2}};
constexpr NamedValue kDifficultyNames[] = {{"easy", 0}, {"medium", 1}, {"hard", 2}};
constexpr NamedValue kSkillNames[] = {
    {"difficult", 0},     {"mostly-skill", 1}, {"moderate", 2},
    {"mostly-chance", 3}, {"chance-only", 4},
};
constexpr NamedValue kChanceNames[] = {
    {"very-high", 0}, {"high", 1}, {"medium", 2}, {"low", 3}, {"very-low", 4},
};
constexpr NamedValue kEditorOfferNames[] = {{"never", 0}, {"always", 1}, {"when-suitable", 2}};

} // namespace

namespace vocab {
const Vocabulary kYesNo{kYesNoNames};
const Vocabulary kGameType{kGameTypeNames};
const Vocabulary kMethod{kMethodNames};
const Vocabulary kDirection{kDirectionNames};
const Vocabulary kEmptyRule{kEmptyRuleNames};
const Vocabulary kPastStop{kPastStopNames};
const Vocabulary kFoundationStartCard{kFoundationStartCardNames};
const Vocabulary kFoundationStart{kFoundationStartNames};
const Vocabulary kGroupMoves{kGroupMovesNames};
const Vocabulary kGroupSize{kGroupSizeNames};
const Vocabulary kTableauFan{kTableauFanNames};
const Vocabulary kFoundationFan{kFoundationFanNames};
const Vocabulary kReserveFan{kReserveFanNames};
const Vocabulary kReservePickUp{kReservePickUpNames};
const Vocabulary kFoundationPickUp{kFoundationPickUpNames};
const Vocabulary kPasses{kUnlimitedNames};
const Vocabulary kRedeal{kRedealNames};
const Vocabulary kWasteDeal{kWasteDealNames};
const Vocabulary kAutoFill{kAutoFillNames};
const Vocabulary kDealMode{kDealModeNames};
const Vocabulary kStrippedPack{kStrippedPackNames};
const Vocabulary kScreenNeed{kScreenNeedNames};
const Vocabulary kTableauDealFlag{kTableauDealFlagNames};
const Vocabulary kReserveDealFlag{kReserveDealFlagNames};
const Vocabulary kReserveKind{kReserveKindNames};
const Vocabulary kUnlimited{kUnlimitedNames};
const Vocabulary kCompleteAt{kCompleteAtNames};
const Vocabulary kGridPlaces{kGridPlacesNames};
const Vocabulary kWasteBuild{kWasteBuildNames};
const Vocabulary kStockLayout{kStockLayoutNames};
const Vocabulary kFoundationLayout{kFoundationLayoutNames};
const Vocabulary kTableauLayout{kTableauLayoutNames};
const Vocabulary kReserveLayout{kReserveLayoutNames};
const Vocabulary kDiscardLayout{kDiscardLayoutNames};
const Vocabulary kDuration{kDurationNames};
const Vocabulary kDifficulty{kDifficultyNames};
const Vocabulary kSkill{kSkillNames};
const Vocabulary kChance{kChanceNames};
const Vocabulary kEditorOffer{kEditorOfferNames};
} // namespace vocab

std::optional<int> LookUpName(Vocabulary names, std::string_view word) {
    for (const NamedValue& named : names)
        if (named.name == word) return named.value;
    return std::nullopt;
}

std::string ListNames(Vocabulary names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) text += (i + 1 == names.size()) ? " or " : ", ";
        text += names[i].name;
    }
    return text;
}

} // namespace quendra::gamesc
