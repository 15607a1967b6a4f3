#include "autoplay.h"
#include "families.h"
#include "game_params.h"
#include "moves.h"
#include "pick_up.h"
#include "play_test_support.h"
#include "pointer.h"
#include "quilt_geometry.h"

#include <string>

namespace quendra::test {
namespace {

constexpr int kCrazyQuilt = 192;
constexpr int kRows = 8;
constexpr int kTwoPacks = 104;
constexpr int kOnePack = 52;
constexpr int kSuitCards = 13;

// Card numbers of the first pack by suit: hearts 1-13, diamonds 14-26, spades 40-52.
constexpr int H(int rank) {
    return rank;
}
constexpr int D(int rank) {
    return kSuitCards + rank;
}
constexpr int S(int rank) {
    return 3 * kSuitCards + rank;
}

// Crazy Quilt's rules over a quilt laid by hand: eight rows of eight cards, upright where row
// and place add up to an even number, sideways where they add up to an odd one.
class QuiltTest : public ::testing::Test {
  protected:
    DealtGame game{kCrazyQuilt, "1"};
    GameContext& ctx = game.ctx;

    // The quilt holds the cards 1 to 64 in reading order, all face up: the first pack's
    // hearts, diamonds, clubs, spades, then the second pack's hearts from the Ace to the Queen.
    QuiltTest() {
        ctx.table.Clear();
        for (int card = 1; card <= kTwoPacks; ++card)
            ctx.cardTable.SetFace(card, '1');
        for (int row = 0; row < kRows; ++row)
            for (int place = 0; place < kRows; ++place)
                ctx.table.Pile(Fila(row)) += CardCode(1 + row * kRows + place);
    }
    bool Free(int row, int place) { return CanPickUp(ctx, Fila(row), place).allowed; }
    int CardAt(int row, int place) { return PileCardAt(ctx.table.Pile(Fila(row)), place); }
    void Gap(int row, int place) {
        ctx.table.Pile(Fila(row)).replace(static_cast<std::size_t>(place) * 3, 3, CardCode(0));
    }
    // The second pack's copy of a card of the first.
    static int SecondPack(int card) { return card + kOnePack; }
};

TEST_F(QuiltTest, AFullQuiltFreesTheUprightCardsOfTheEdgeRowsAndTheSidewaysCardsAtTheRowEnds) {
    ASSERT_EQ(ctx.Param(param::kFamily), family::kQuilt);
    ASSERT_EQ(TableauCount(ctx), kRows);
    int free = 0;
    for (int row = 0; row < kRows; ++row)
        for (int place = 0; place < kRows; ++place) {
            const bool sideways = QuiltPlaceSideways(row, place);
            const bool atAnEnd = sideways ? place == 0 || place == kRows - 1
                                          : row == 0 || row == kRows - 1;
            EXPECT_EQ(Free(row, place), atAnEnd) << "row " << row << " place " << place;
            free += Free(row, place) ? 1 : 0;
        }
    EXPECT_EQ(free, 16);
    // The corners: the top-left card stands upright, the top-right lies sideways; both free.
    EXPECT_FALSE(QuiltPlaceSideways(0, 0));
    EXPECT_TRUE(QuiltPlaceSideways(0, 7));
    // A sideways card of the top row is covered at both narrow ends, though on the edge.
    EXPECT_FALSE(Free(0, 1));
}

TEST_F(QuiltTest, AGapFreesOnlyTheCardsWhoseNarrowEndsTouchIt) {
    // A sideways card taken from the middle: the upright cards above and below it come free,
    // the upright cards beside it (touching it with a long side) stay covered.
    ASSERT_TRUE(QuiltPlaceSideways(3, 4));
    Gap(3, 4);
    EXPECT_TRUE(Free(2, 4));
    EXPECT_TRUE(Free(4, 4));
    EXPECT_FALSE(Free(3, 3));
    EXPECT_FALSE(Free(3, 5));
    EXPECT_FALSE(Free(3, 4)); // a gap lifts nothing
    // An upright card taken: the sideways cards beside it come free, not those above and below.
    ASSERT_FALSE(QuiltPlaceSideways(5, 1));
    Gap(5, 1);
    EXPECT_TRUE(Free(5, 2));
    EXPECT_FALSE(Free(4, 1));
    EXPECT_FALSE(Free(6, 1));
}

TEST_F(QuiltTest, ACardPlayedLeavesAGapAndAFreeCardBuildsOnTheWasteUpOrDownInSuit) {
    ASSERT_EQ(CardAt(0, 0), H(1)); // upright, in the top row: free
    ctx.table.Pile(kWaste) = CardCode(SecondPack(H(3)));
    EXPECT_FALSE(PlayDragMove(ctx, Fila(0), 0, kWaste)); // two ranks away
    ctx.table.Pile(kWaste) = CardCode(SecondPack(D(2)));
    EXPECT_FALSE(PlayDragMove(ctx, Fila(0), 0, kWaste)); // another suit
    ctx.table.Pile(kWaste) = CardCode(SecondPack(H(2)));
    ASSERT_TRUE(PlayDragMove(ctx, Fila(0), 0, kWaste)); // one rank below the waste's top
    EXPECT_EQ(PileTopCard(ctx.table.Pile(kWaste)), H(1));
    EXPECT_EQ(CardAt(0, 0), 0);
    EXPECT_EQ(PileCardCount(ctx.table.Pile(Fila(0))), kRows); // the row keeps its places
    // The gap frees the sideways Two beside it, one rank above the Ace now on the waste.
    EXPECT_TRUE(PlayDragMove(ctx, Fila(0), 1, kWaste));
    EXPECT_EQ(PileTopCard(ctx.table.Pile(kWaste)), H(2));
    // A covered card is refused though it fits; once free, the King goes on the Ace of its
    // suit, King and Ace following each other.
    ASSERT_EQ(CardAt(6, 3), S(13)); // sideways, between the Queen of spades and an Ace
    ctx.table.Pile(kWaste) = CardCode(SecondPack(S(1)));
    EXPECT_FALSE(PlayDragMove(ctx, Fila(6), 3, kWaste));
    Gap(6, 2);
    EXPECT_TRUE(PlayDragMove(ctx, Fila(6), 3, kWaste));
}

TEST_F(QuiltTest, TheSendTakesAFreeCardAnywhereAndAutomaticPlayLeavesACoveredTopCard) {
    // The Three of diamonds ends the second row, upright: covered by the cards above and below.
    ASSERT_EQ(CardAt(1, 7), D(3));
    ctx.table.Pile(Dest(1)) = CardCode(SecondPack(D(1))) + CardCode(SecondPack(D(2)));
    ctx.play.autoplayTicked = true;
    EXPECT_FALSE(fnSendCard(ctx, Fila(1), 7, true, false));
    fnAutoplay(ctx, false);
    EXPECT_EQ(CardAt(1, 7), D(3));
    // The sideways card above it gone, it goes up.
    Gap(0, 7);
    EXPECT_TRUE(fnSendCard(ctx, Fila(1), 7, true, false));
    EXPECT_EQ(PileTopCard(ctx.table.Pile(Dest(1))), D(3));
    EXPECT_EQ(CardAt(1, 7), 0);
    // A free card at the start of a row is sent alone, the cards after it staying.
    EXPECT_TRUE(fnSendCard(ctx, Fila(0), 0, true, false));
    const auto ace = fnFindCard(ctx, H(1));
    ASSERT_TRUE(ace);
    EXPECT_EQ(ace->pile.group, PileGroupId::Dest);
    EXPECT_EQ(CardAt(0, 0), 0);
    EXPECT_EQ(CardAt(0, 1), H(2));
}

} // namespace
} // namespace quendra::test
