#pragma once

#include "../model/fake_host.h"
#include "cards.h"
#include "game_context.h"

#include <initializer_list>
#include <string>

#include <gtest/gtest.h>

namespace quendra::test {

// Card numbers by suit: hearts 1-13, diamonds 14-26, clubs 27-39, spades 40-52.
constexpr int H(int rank) {
    return rank;
}
constexpr int D(int rank) {
    return 13 + rank;
}
constexpr int C(int rank) {
    return 26 + rank;
}
constexpr int S(int rank) {
    return 39 + rank;
}

inline std::string Cards(std::initializer_list<int> cards) {
    std::string pile;
    for (int card : cards)
        pile += CardCode(card);
    return pile;
}

// A Klondike-like game in play: 4 foundations built up in suit from the Ace, 7 tableau
// piles down in alternate colours, one card to the waste a click, sounds on.
class PlayTest : public ::testing::Test {
  protected:
    PlayTest() {
        ctx.flags[GameStateFlags::kInPlay] = 1;
        SetSetting(ctx.settings, field::kSoundsEnabled, "Y");
        for (field::Field f :
             {field::kSoundsFoundation, field::kSoundsAutoplay, field::kSoundsTableau,
              field::kSoundsStock, field::kSoundsRedeal, field::kSoundsUndo, field::kSoundsRedo,
              field::kSoundsGameWon, field::kSoundsShuffle, field::kSoundsPairing})
            SetSetting(ctx.settings, f, "Y");
        SetSetting(ctx.settings, field::kStatsCode, "01");
        SetSetting(ctx.settings, field::kUndoMode, "0");
        Set(366, 4);
        Set(367, 7);
        Set(368, 0);
        Set(370, 52);
        Set(32, 13);
        Set(33, -1);
        Set(9, 1);
        Set(10, 1);
        Set(7, 1);
        Set(22, 1);
        Set(15, -1);
        Set(42, 1);
        for (int i = 0; i < 16; ++i) {
            Set(51 + i, 1);
            Set(67 + i, 1);
            Set(83 + i, 0);
        }
        for (int i = 0; i < 40; ++i) {
            Set(131 + i, 13);
            Set(171 + i, 0);
            Set(211 + i, 3);
        }
    }

    void Set(int parameter, int value) {
        ctx.params[static_cast<std::size_t>(parameter)] = static_cast<std::int16_t>(value);
    }
    std::string& Fila(int number) { return ctx.table.FilaGroup.at(number - 1); }
    std::string& Dest(int number) { return ctx.table.DestGroup.at(number - 1); }
    std::string& Appogg(int number) { return ctx.table.AppoggGroup.at(number - 1); }
    std::string& Stock() { return ctx.table.StockGroup[kMazzo]; }
    std::string& Waste() { return ctx.table.StockGroup[kMazzoVis]; }
    std::string& Discard() { return ctx.table.StockGroup[kMazzoWaste]; }
    void FaceDown(int card) { ctx.cardTable.SetFace(card, '0'); }
    char Face(int card) const { return ctx.cardTable.Face(card); }
    int UndoSteps() const { return ctx.undoHistory.undo.Steps(); }

    FakeHost host;
    GameContext ctx{host};
};

} // namespace quendra::test
