#pragma once

#include "fake_host.h"
#include "game_context.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace quendra::test {

// "6H", "10S", "KD", "AC"; a trailing "'" names the second pack's card.
inline int Card(std::string_view text) {
    int pack = 0;
    if (!text.empty() && text.back() == '\'') {
        pack = 52;
        text.remove_suffix(1);
    }
    const char suitLetter = text.back();
    const std::string_view rankText = text.substr(0, text.size() - 1);
    int rank = 0;
    if (rankText == "A")
        rank = 1;
    else if (rankText == "J")
        rank = 11;
    else if (rankText == "Q")
        rank = 12;
    else if (rankText == "K")
        rank = 13;
    else
        rank = std::stoi(std::string(rankText));
    const std::string suits = "HDCS";
    return pack + static_cast<int>(suits.find(suitLetter)) * 13 + rank;
}

// A small table: 4 foundations, 10 tableau piles, 4 reserves, nothing placed.
struct LegalityTable {
    FakeHost host;
    GameContext ctx{host};

    LegalityTable() {
        ctx.params.fill(0);
        Set(366, 4);
        Set(367, 10);
        Set(368, 4);
        Set(32, 13);
        Set(33, -1);
        ClearPilePositions(ctx);
    }
    void Set(int parameter, int value) {
        ctx.params.at(static_cast<std::size_t>(parameter)) = static_cast<std::int16_t>(value);
    }
    // Puts the cards face up on the pile, bottom first.
    void Put(std::string_view pileName, std::initializer_list<std::string_view> cards,
             char face = '1') {
        const PileRef pile = *ParsePileName(pileName);
        for (std::string_view c : cards)
            fnPutCard(ctx, pile, Card(c), face);
    }
    void Group(int bottom, int top) {
        ctx.play.draggedCard = bottom;
        ctx.play.movingTopCard = top;
        ctx.play.singleCard = bottom == top;
    }
    void Single(int card) { Group(card, card); }
};

} // namespace quendra::test
