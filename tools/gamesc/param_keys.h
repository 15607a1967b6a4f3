#pragma once

#include "vocabulary.h"

#include <span>
#include <string_view>

namespace quendra::gamesc {

// How many parameters a key fills: one, or one per pile of a group.
enum class PileGroup { None, Foundations, Tableau, Reserves };

constexpr int kParamCount = 490;
constexpr int kFoundationSlots = 16;
constexpr int kTableauSlots = 40;
constexpr int kReserveSlots = 10;

// Parameters that hold the pile counts of the groups.
constexpr int kFoundationCountParam = 366;
constexpr int kTableauCountParam = 367;
constexpr int kReserveCountParam = 368;

// One readable key of the catalogue source. A group key fills `param + i` for pile i.
struct ParamKey {
    std::string_view key;
    int param;
    PileGroup group;
    Vocabulary names;
    int min;
    int max;
    // Set by every game that has a pile of the group (or always, for PileGroup::None with
    // `requiredAlways`).
    bool requiredWithPiles = false;
    bool requiredAlways = false;
    // Numbers must be one of the named values (the names cover every value the engine knows).
    bool closed = false;
};

std::span<const ParamKey> ParamKeys();
const ParamKey* FindParamKey(std::string_view key);
// The key that names a parameter (for a group key: any pile's parameter), or nullptr.
const ParamKey* KeyForParam(int param);
int GroupSlots(PileGroup group);
int GroupCountParam(PileGroup group);
std::string_view GroupPrefix(PileGroup group);

} // namespace quendra::gamesc
