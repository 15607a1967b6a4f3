#include "table.h"

#include "cards.h"

#include <algorithm>
#include <stdexcept>

namespace quendra {

namespace {

const char* const kSuitPrefixes[4] = {"CUORI_", "QUADR_", "FIORI_", "PICCH_"};

std::string RecordFor(int card) {
    std::string name;
    char suitDigit = '4';
    if (fnIsJoker(card)) {
        name = "JOKER";
    } else {
        const int rank = fnRank(card);
        const int suit = fnSuit(card);
        name = kSuitPrefixes[suit];
        if (rank == 1 || rank > 10)
            name += fnRankText(rank);
        else
            name += fnFormatNumber(rank, 2);
        suitDigit = static_cast<char>('1' + suit);
    }
    name.resize(15, ' ');
    return name + suitDigit + CardCode(card) + '1';
}

int GroupSize(PileGroupId group) {
    switch (group) {
    case PileGroupId::Stock:
        return kStockPiles;
    case PileGroupId::Dest:
        return kDestPiles;
    case PileGroupId::Fila:
        return kFilaPiles;
    case PileGroupId::Appogg:
        return kAppoggPiles;
    }
    return 0;
}

// "Dest", "Fila" and "Appogg" are followed by one or two digits naming a pile that exists.
std::optional<PileRef> ParseNumbered(std::string_view rest, PileGroupId group) {
    if (rest.empty() || rest.size() > 2) return std::nullopt;
    const int number = ParseDigits(rest);
    if (number < 1 || number > GroupSize(group)) return std::nullopt;
    return PileRef{group, number - 1};
}

} // namespace

CardTable::CardTable() {
    for (int card = 1; card <= kRecords; ++card) {
        records_[card - 1] = RecordFor(card);
        faces_[static_cast<std::size_t>(card - 1)] = records_[card - 1][kFaceAt];
    }
}

std::string PileName(PileRef pile) {
    switch (pile.group) {
    case PileGroupId::Stock: {
        static const char* const names[kStockPiles] = {"Mazzo", "Mazzo_Vis", "Mazzo_Waste"};
        return names[pile.index];
    }
    case PileGroupId::Dest:
        return "Dest" + std::to_string(pile.index + 1);
    case PileGroupId::Fila:
        return "Fila" + std::to_string(pile.index + 1);
    case PileGroupId::Appogg:
        return "Appogg" + std::to_string(pile.index + 1);
    }
    return {};
}

std::optional<PileRef> ParsePileName(std::string_view name) {
    if (name == "Mazzo") return PileRef{PileGroupId::Stock, kMazzo};
    if (name == "Mazzo_Vis") return PileRef{PileGroupId::Stock, kMazzoVis};
    if (name == "Mazzo_Waste") return PileRef{PileGroupId::Stock, kMazzoWaste};
    if (name.starts_with("Dest")) return ParseNumbered(name.substr(4), PileGroupId::Dest);
    if (name.starts_with("Fila")) return ParseNumbered(name.substr(4), PileGroupId::Fila);
    if (name.starts_with("Appogg")) return ParseNumbered(name.substr(6), PileGroupId::Appogg);
    return std::nullopt;
}

const std::string& PileGroups::BadGroup() {
    throw std::out_of_range("pile group");
}

void PileGroups::Clear() {
    for (auto& p : StockGroup)
        p.clear();
    for (auto& p : DestGroup)
        p.clear();
    for (auto& p : FilaGroup)
        p.clear();
    for (auto& p : AppoggGroup)
        p.clear();
}

void fnTurnCards(CardTable& cards, std::string_view pile, int mode, char faceDigit) {
    const int count = PileCardCount(pile);
    auto set = [&](int position, char digit) {
        const int card = PileCardAt(pile, position);
        if (card >= 1 && card <= CardTable::kRecords) cards.SetFace(card, digit);
    };
    if (mode >= 1) {
        for (int i = count - std::min(mode, count); i < count; ++i)
            set(i, faceDigit);
    } else if (mode == -1 || mode == -2) {
        const char first = mode == -1 ? '1' : '0';
        const char second = mode == -1 ? '0' : '1';
        for (int i = 0; i < count; ++i)
            set(i, i % 2 == 0 ? first : second);
    } else if (mode == -3) {
        for (int i = 0; i < count; ++i)
            set(i, i == 0 ? '1' : '0');
    }
}

} // namespace quendra
