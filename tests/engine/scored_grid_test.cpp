#include "autoplay.h"
#include "families.h"
#include "families_poker.h"
#include "game_params.h"
#include "play_fixture.h"
#include "pointer.h"
#include "score.h"

namespace quendra::test {
namespace {

TEST(CribbageHands, FifteensPairsRunsFlushAndTheJack) {
    // The best hand: three Fives and the Jack of the starter's suit, with the fourth Five.
    EXPECT_EQ(CribbageHandPoints({H(5), D(5), C(5), S(11)}, S(5)), 29);
    // A double run of three (4 4 5 6) and two fifteens (4 5 6, 4 5 6): 8 + 2 + 4.
    EXPECT_EQ(CribbageHandPoints({H(4), D(4), C(5), S(6)}, H(13)), 14);
    // Four hearts, the starter not a heart: 4; a run of three and two fifteens with it.
    EXPECT_EQ(CribbageHandPoints({H(2), H(3), H(9), H(13)}, C(4)), 4 + 3 + 2 + 2);
    // The starter's suit makes the flush five; no Jack counts in the starter itself.
    EXPECT_EQ(CribbageHandPoints({H(1), H(3), H(7), H(12)}, H(11)), 5);
    EXPECT_EQ(CribbageHandPoints({C(1), D(3), H(8), S(12)}, S(11)), 0);
}

// Poker Squares: cards turned from the stock are placed in a 5 x 5 grid; the game ends
// when it is full and counts as won at the score to win.
class PokerGridTest : public PlayTest {
  protected:
    PokerGridTest() {
        Set(param::kFamily, family::kPokerGrid);
        Set(param::kFoundationCount, 0);
        Set(param::kTableauCount, 25);
        Set(param::kGroupSize, 1);
        Set(param::kScoreToWin, 40);
        for (int i = 0; i < 40; ++i) {
            Set(param::kTableauMethod + i, 69);
            Set(param::kTableauEmptyRule + i, -1);
        }
        // The top row but its last place: the hearts Ace, Ten, Jack, Queen.
        const int row[] = {H(1), H(10), H(11), H(12)};
        for (int k = 0; k < 4; ++k)
            Fila(k + 1) = Cards({row[k]});
        // The rest of the grid but one place of the last column holds cards that make no
        // hand in the rows (the first column pairs nothing either).
        const int rest[] = {C(2), D(4), S(6), C(8), D(13), S(3), C(5), D(7), S(9), C(11),
                            D(2), S(4), C(6), D(8), S(12), C(3), D(5), S(7), C(9)};
        for (int k = 0; k < 19; ++k)
            Fila(k + 6) = Cards({rest[k]});
        Waste() = Cards({H(13)});
    }
};

TEST_F(PokerGridTest, TheLastCardCompletesARoyalFlushAndEndsTheGameWon) {
    const int before = fnComputeScore(ctx);
    EXPECT_TRUE(PlayDragMove(ctx, pile::Stock(kMazzoVis), 0, pile::Fila(4)));
    // The row scores 100 with the King; the fifth column stays short of its last card.
    EXPECT_EQ(fnComputeScore(ctx), before + 100);
    EXPECT_NE(std::find(host.sounds.begin(), host.sounds.end(), "Pairing"), host.sounds.end());
    EXPECT_TRUE(ctx.flags[GameStateFlags::kInPlay]);
    Waste() = Cards({D(10)});
    EXPECT_TRUE(PlayDragMove(ctx, pile::Stock(kMazzoVis), 0, pile::Fila(24)));
    ASSERT_EQ(host.results.size(), 1u);
    EXPECT_TRUE(host.results[0].won);
}

} // namespace
} // namespace quendra::test
