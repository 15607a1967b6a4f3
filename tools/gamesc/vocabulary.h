#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quendra::gamesc {

// A word of the catalogue source that stands for a parameter value.
struct NamedValue {
    std::string_view name;
    int value;
};

using Vocabulary = std::span<const NamedValue>;

namespace vocab {
extern const Vocabulary kYesNo;
extern const Vocabulary kGameType;
extern const Vocabulary kMethod;
extern const Vocabulary kDirection;
extern const Vocabulary kEmptyRule;
extern const Vocabulary kPastStop;
extern const Vocabulary kFoundationStartCard;
extern const Vocabulary kFoundationStart;
extern const Vocabulary kGroupMoves;
extern const Vocabulary kGroupSize;
extern const Vocabulary kTableauFan;
extern const Vocabulary kFoundationFan;
extern const Vocabulary kReserveFan;
extern const Vocabulary kReservePickUp;
extern const Vocabulary kFoundationPickUp;
extern const Vocabulary kPasses;
extern const Vocabulary kRedeal;
extern const Vocabulary kWasteDeal;
extern const Vocabulary kAutoFill;
extern const Vocabulary kDealMode;
extern const Vocabulary kStrippedPack;
extern const Vocabulary kScreenNeed;
extern const Vocabulary kTableauDealFlag;
extern const Vocabulary kReserveDealFlag;
extern const Vocabulary kReserveKind;
extern const Vocabulary kUnlimited;
extern const Vocabulary kCompleteAt;
extern const Vocabulary kGridPlaces;
extern const Vocabulary kWasteBuild;
extern const Vocabulary kStockLayout;
extern const Vocabulary kFoundationLayout;
extern const Vocabulary kTableauLayout;
extern const Vocabulary kReserveLayout;
extern const Vocabulary kDiscardLayout;
extern const Vocabulary kDuration;
extern const Vocabulary kDifficulty;
extern const Vocabulary kSkill;
extern const Vocabulary kChance;
extern const Vocabulary kEditorOffer;
} // namespace vocab

std::optional<int> LookUpName(Vocabulary names, std::string_view word);
// "a, b or c" for messages.
std::string ListNames(Vocabulary names);

} // namespace quendra::gamesc
