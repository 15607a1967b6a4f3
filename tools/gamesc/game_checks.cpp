#include "game_checks.h"

#include "param_keys.h"

#include "building.h"
#include "deal_cards.h"
#include "families.h"
#include "game_params.h"
#include "stock.h"

#include <algorithm>
#include <set>

namespace quendra::gamesc {

namespace {

int LineOf(const GameSource& source, std::string_view keyPrefix) {
    for (const SourceEntry& entry : source.entries)
        if (entry.key.starts_with(keyPrefix)) return entry.line;
    return 1;
}

PileGroup GroupOfPrefix(std::string_view key) {
    if (key.starts_with("foundations.")) return PileGroup::Foundations;
    if (key.starts_with("tableau.")) return PileGroup::Tableau;
    if (key.starts_with("reserves.")) return PileGroup::Reserves;
    return PileGroup::None;
}

int P(const CompiledGame& game, int param) {
    return game.params.at(static_cast<std::size_t>(param));
}

bool IsSet(const CompiledGame& game, int param) {
    return game.set.at(static_cast<std::size_t>(param));
}

// True when the source names the key, for a whole group or for one pile ("tableau.3.cards").
bool Mentions(const GameSource& source, std::string_view key) {
    const auto dot = key.find('.');
    for (const SourceEntry& entry : source.entries) {
        if (entry.key == key) return true;
        if (dot == std::string_view::npos || !entry.key.starts_with(key.substr(0, dot + 1)) ||
            !entry.key.ends_with(key.substr(dot)))
            continue;
        const std::string_view middle =
            std::string_view(entry.key).substr(dot + 1, entry.key.size() - key.size() - 1);
        if (!middle.empty() && middle.find_first_not_of("0123456789") == std::string_view::npos)
            return true;
    }
    return false;
}

void CheckRequired(const CompiledGame& game, const GameSource& source, bool clean,
                   ErrorList& errors) {
    auto missing = [&](std::string_view key, std::string_view why) {
        // A key whose value was refused has its own error already.
        if (!clean && Mentions(source, key)) return;
        errors.push_back({source.file, 1, "missing key " + std::string(key) + std::string(why)});
    };
    if (game.numberLine == 0) missing("game.number", "");
    if (game.nameLine == 0) missing("game.name", "");
    bool hasType = false;
    for (const SourceEntry& entry : source.entries)
        hasType = hasType || entry.key == "game.type";
    if (!hasType) missing("game.type", "");
    for (const ParamKey& key : ParamKeys()) {
        if (key.requiredAlways && !IsSet(game, key.param)) {
            missing(key.key, "");
            continue;
        }
        if (!key.requiredWithPiles) continue;
        const PileGroup group = key.group != PileGroup::None ? key.group : GroupOfPrefix(key.key);
        const int count = P(game, GroupCountParam(group));
        if (count <= 0) continue;
        const int piles = key.group == PileGroup::None ? 1 : count;
        for (int pile = 0; pile < piles; ++pile) {
            if (IsSet(game, key.param + pile)) continue;
            missing(key.key, key.group == PileGroup::None
                                 ? " (the game has " + std::string(GroupPrefix(group)) + " piles)"
                                 : " (no value for pile " + std::to_string(pile + 1) + ")");
            break;
        }
    }
    if (P(game, 365) > 0 && (!IsSet(game, 354) || !IsSet(game, 355)))
        missing("stock.layout and stock.row", " (stock.slots is above 0)");
    if (P(game, 369) > 0 && (!IsSet(game, 363) || !IsSet(game, 364)))
        missing("discard.layout and discard.row", " (discard.slots is 1)");
}

void CheckFaceUpCounts(const CompiledGame& game, const GameSource& source, ErrorList& errors) {
    for (int pile = 0; pile < P(game, 367); ++pile) {
        const int dealt = P(game, 374 + pile);
        const int faceUp = P(game, 414 + pile);
        if (dealt <= 1000 && faceUp > dealt)
            errors.push_back({source.file, LineOf(source, "tableau."),
                              "tableau pile " + std::to_string(pile + 1) + " turns " +
                                  std::to_string(faceUp) + " cards face up but is dealt only " +
                                  std::to_string(dealt)});
    }
    for (int pile = 0; pile < P(game, 368); ++pile) {
        if (P(game, 465 + pile) > P(game, 455 + pile))
            errors.push_back({source.file, LineOf(source, "reserves."),
                              "reserve " + std::to_string(pile + 1) +
                                  " turns more cards face up than it is dealt"});
    }
    if (P(game, 44) == 1 && P(game, 373) == 0)
        errors.push_back({source.file, LineOf(source, "deck.jokers-in-play"),
                          "deck.jokers-in-play is yes but deck.jokers is 0"});
}

void CheckCardTotal(const CompiledGame& game, const GameSource& source, ErrorList& errors) {
    const int dealt = CardsDealt(game);
    if (dealt < 0) return;
    const int deck = P(game, 370) + (P(game, 44) == 1 ? P(game, 373) : 0);
    if (dealt != deck)
        errors.push_back({source.file, LineOf(source, "deck.cards"),
                          "the deal places " + std::to_string(dealt) + " cards but the deck has " +
                              std::to_string(deck)});
}

// The line that gave parameter `param`: the pile's own key ("tableau.3.method") before the
// group's ("tableau.method").
int LineOfParam(const GameSource& source, const std::string& key, int pile) {
    if (pile >= 0) {
        const auto dot = key.find('.');
        const std::string own =
            key.substr(0, dot + 1) + std::to_string(pile + 1) + key.substr(dot);
        for (const SourceEntry& entry : source.entries)
            if (entry.key == own) return entry.line;
    }
    for (const SourceEntry& entry : source.entries)
        if (entry.key == key) return entry.line;
    return 1;
}

// A game may only ask for what the engine plays: a rule it lacks would compile and then
// misplay in silence.
void CheckEngineSupport(const CompiledGame& game, const GameSource& source, ErrorList& errors) {
    std::set<int> refusedLines; // a value given for every pile is reported once
    const auto refuse = [&](const std::string& key, int pile, const std::string& what, int value) {
        const int line = LineOfParam(source, key, pile);
        if (!refusedLines.insert(line).second) return;
        errors.push_back(
            {source.file, line, what + " " + std::to_string(value) + " is not played by the engine"});
    };
    const int family = P(game, param::kFamily);
    if (!FamilyImplemented(family)) refuse("game.family", -1, "family", family);
    const int redealMethod = P(game, param::kRedealFromWaste);
    if (!RedealMethodImplemented(redealMethod))
        refuse("stock.redeal", -1, "redeal method", redealMethod);
    const int dealMode = P(game, param::kDealMode);
    if (!DealModeImplemented(dealMode)) refuse("deal.mode", -1, "deal mode", dealMode);
    const auto methods = [&](const std::string& key, int first, int piles) {
        for (int pile = 0; pile < piles; ++pile)
            if (!BuildMethodImplemented(P(game, first + pile)))
                refuse(key, pile, "building method", P(game, first + pile));
    };
    methods("foundations.method", param::kFoundationMethod,
            std::clamp(P(game, param::kFoundationCount), 0, kDestPiles));
    methods("tableau.method", param::kTableauMethod,
            std::clamp(P(game, param::kTableauCount), 0, kFilaPiles));
}

} // namespace

int CardsDealt(const CompiledGame& game) {
    const int startMode = P(game, 1);
    // Moving the Kings, or the Aces and Twos, to the bottom of the piles only reorders the
    // ordinary deal.
    const int dealMode = P(game, param::kDealMode);
    const bool reordered =
        dealMode == deal_mode::kKingsToBottom || dealMode == deal_mode::kAcesAndTwosFirst;
    if ((dealMode != 0 && !reordered) || P(game, param::kFamily) != 0 || P(game, 47) != 0 ||
        startMode == 3 || startMode == 5 || P(game, 99) == 97)
        return -1;
    int dealt = P(game, 371) + P(game, 372) + P(game, 454) + (P(game, 351) != 0 ? 1 : 0);
    for (int pile = 0; pile < P(game, 367); ++pile) {
        const int count = P(game, 374 + pile);
        if (count > 1000) return -1;
        dealt += count;
    }
    for (int pile = 0; pile < P(game, 368); ++pile)
        dealt += P(game, 455 + pile);
    for (int pile = 0; pile < P(game, 366); ++pile) {
        const int code = P(game, 99 + pile);
        if (code != 0 && code != 92 && code != 96) ++dealt;
    }
    if (startMode == 1 || startMode == 4) dealt += 1;
    if (startMode == 2) dealt += P(game, 366);
    dealt += P(game, 12);
    return dealt;
}

void CheckGame(const CompiledGame& game, const GameSource& source, ErrorList& errors) {
    bool clean = true;
    for (const CompileError& error : errors)
        clean = clean && error.file != source.file;
    CheckRequired(game, source, clean, errors);
    // Values that disagree are only worth reporting once every value could be read.
    if (!clean) return;
    CheckFaceUpCounts(game, source, errors);
    CheckCardTotal(game, source, errors);
    CheckEngineSupport(game, source, errors);
}

} // namespace quendra::gamesc
