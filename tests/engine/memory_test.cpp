#include "autoplay.h"
#include "families.h"
#include "game_params.h"
#include "play_fixture.h"
#include "pointer.h"
#include "score.h"
#include "undo_commands.h"

namespace quendra::test {
namespace {

// A small Concentration table: two rows of three cards face down, pairs of one rank.
class MemoryTest : public PlayTest {
  protected:
    MemoryTest() {
        Set(param::kFamily, family::kMemoryTens);
        Set(param::kFoundationCount, 0);
        Set(param::kTableauCount, 2);
        Set(param::kStockPlaced, 0);
        Set(param::kWastePlaced, 0);
        for (int i = 0; i < 40; ++i)
            Set(param::kTableauMethod + i, 2); // any suit: equal ranks pair
        Fila(1) = Cards({H(5), S(9), C(2)});
        Fila(2) = Cards({D(9), H(2), C(5)});
        for (const int card : {H(5), S(9), C(2), D(9), H(2), C(5)})
            FaceDown(card);
    }
    bool Click(int pile, int position) {
        return PlayPileClick(ctx, pile::Fila(pile - 1), position);
    }
};

TEST_F(MemoryTest, TwoCardsOfOneRankLeaveTheirPlacesEmpty) {
    EXPECT_TRUE(Click(1, 1)); // the Nine of spades
    EXPECT_EQ(Face(S(9)), '1');
    EXPECT_EQ(ctx.play.dealCount, 0);
    EXPECT_TRUE(Click(2, 0)); // the Nine of diamonds: a pair
    EXPECT_EQ(Fila(1), Cards({H(5)}) + "000" + Cards({C(2)}));
    EXPECT_EQ(Fila(2), "000" + Cards({H(2), C(5)}));
    EXPECT_EQ(Discard(), Cards({S(9), D(9)}));
    EXPECT_EQ(ctx.play.dealCount, 1);
    EXPECT_EQ(fnComputeScore(ctx), -52 - 2 + 10);
    EXPECT_NE(std::find(host.sounds.begin(), host.sounds.end(), "Pairing"), host.sounds.end());
    // A gap and a card shown turn nothing: a beep.
    EXPECT_FALSE(Click(1, 1));
    EXPECT_EQ(host.beeps, 1);
}

TEST_F(MemoryTest, AMissStaysShownUntilTheNextClickTurnsItDown) {
    Click(1, 0); // the Five of hearts
    Click(1, 2); // the Two of clubs: no pair
    EXPECT_EQ(Face(H(5)), '1');
    EXPECT_EQ(Face(C(2)), '1');
    EXPECT_EQ(Discard(), "");
    // The next click turns the miss down and its own card up, one of the two or another.
    EXPECT_TRUE(Click(1, 0));
    EXPECT_EQ(Face(H(5)), '1');
    EXPECT_EQ(Face(C(2)), '0');
    EXPECT_EQ(ctx.play.dealCount, 1);
    // Undo takes the click back with the miss shown again; the try stays counted.
    EXPECT_TRUE(Undo(ctx));
    EXPECT_EQ(Face(C(2)), '1');
    EXPECT_EQ(ctx.play.dealCount, 1);
    // Undo of the try itself takes its count back.
    EXPECT_TRUE(Undo(ctx));
    EXPECT_EQ(Face(C(2)), '0');
    EXPECT_EQ(ctx.play.dealCount, 0);
    // No card is moved by hand, not even a shown one.
    EXPECT_FALSE(PlaySend(ctx, pile::Fila(0), 0));
}

TEST_F(MemoryTest, PelmanismPairsInColourAndTheLastPairWinsWithTheResultShown) {
    for (int i = 0; i < 40; ++i)
        Set(param::kTableauMethod + i, 1); // in colour
    Fila(1) = Cards({H(5), S(5)});
    Fila(2) = Cards({D(5), C(5)});
    for (const int card : {H(5), S(5), D(5), C(5)})
        FaceDown(card);
    Click(1, 0);
    Click(1, 1); // hearts and spades: not one colour
    EXPECT_EQ(Discard(), "");
    Click(1, 0);
    Click(2, 0); // hearts and diamonds
    EXPECT_EQ(Discard(), Cards({H(5), D(5)}));
    Click(1, 1);
    EXPECT_TRUE(ctx.flags[GameStateFlags::kInPlay]);
    Click(2, 1);
    EXPECT_EQ(Fila(1), "000000"); // the rows keep their places
    EXPECT_EQ(Fila(2), "000000");
    ASSERT_EQ(host.results.size(), 1u);
    EXPECT_TRUE(host.results[0].won);
    EXPECT_EQ(host.results[0].score, -52 - 2 * 3 + 10 * 2);
    ASSERT_EQ(host.informations.size(), 1u);
    EXPECT_EQ(host.informations[0], "You found 2 pairs in 3 tries.\rYour score is -38.");
}

} // namespace
} // namespace quendra::test
