#include "move_finder.h"
#include "play_test_support.h"

namespace quendra::test {
namespace {

class MoveFinderTest : public ::testing::Test {
  protected:
    DealtGame game{0, "7"}; // Klondike: the Ace of clubs tops Fila7
    GameContext& ctx = game.ctx;
    void SetPile(PileRef pile, const std::string& line) {
        LoadPileFromSnapshotLine(ctx, pile, line);
    }
};

TEST_F(MoveFinderTest, RecentMovesBlockTheSameMoveAndItsReverse) {
    const int card = PileTopCard(ctx.table.Pile(Fila(0))); // the Seven of hearts
    RecordRecentMove(ctx, card, kRecentTableau, 1);
    EXPECT_EQ(ctx.play.recentMoves, CardCode(card) + "0400004001");
    EXPECT_TRUE(WasRecentlyMade(ctx, card, kRecentTableau, 1));
    EXPECT_FALSE(WasRecentlyMade(ctx, card, kRecentTableau, 2));
    // Once the card lies on Fila2, going back to Fila1 is the same move reversed.
    LoadPileFromSnapshotLine(ctx, Fila(0), "");
    ctx.table.Pile(Fila(1)) += CardCode(card);
    EXPECT_TRUE(WasRecentlyMade(ctx, card, kRecentTableau, 0));
    EXPECT_FALSE(WasRecentlyMade(ctx, card, kRecentTableau, 3));
}

TEST_F(MoveFinderTest, TheHistoryKeepsTheLastThirtyMoves) {
    for (int i = 0; i < 31; ++i)
        RecordRecentMove(ctx, 7, kRecentTableau, i);
    ASSERT_EQ(ctx.play.recentMoves.size(), 390u);
    EXPECT_FALSE(WasRecentlyMade(ctx, 7, kRecentTableau, 0)); // the oldest went
    EXPECT_TRUE(WasRecentlyMade(ctx, 7, kRecentTableau, 1));
    EXPECT_TRUE(WasRecentlyMade(ctx, 7, kRecentTableau, 30));
    // Outside a demonstration a reserve destination is kept with index 0.
    ctx.play.recentMoves.clear();
    RecordRecentMove(ctx, 7, kRecentReserve, 3);
    EXPECT_TRUE(WasRecentlyMade(ctx, 7, kRecentReserve, 0));
}

TEST_F(MoveFinderTest, AutomaticPlayComesFirstAndIsReportedAsAMove) {
    FoundMove move;
    ASSERT_TRUE(FindAndPlayNextMove(ctx, false, &move));
    EXPECT_EQ(FoundMoveText(move), "Fila7>Dest1");
    EXPECT_EQ(PileTopCard(ctx.table.Pile(Dest(0))), 27);
    EXPECT_EQ(ctx.play.assistMode, 1);
    EXPECT_TRUE(ctx.play.moveMade);
}

TEST_F(MoveFinderTest, ATableauMoveIsProposedBeforeTheStock) {
    // Deal 7 after the Ace: the Seven of hearts goes on the Eight of spades.
    ASSERT_TRUE(FindAndPlayNextMove(ctx, false));
    FoundMove move;
    ASSERT_TRUE(FindAndPlayNextMove(ctx, false, &move));
    EXPECT_EQ(move.kind, FoundMove::Kind::Pile);
    EXPECT_NE(FoundMoveText(move), "stock");
}

TEST_F(MoveFinderTest, NoMoveLeftClearsTheHistory) {
    for (int i = 0; i < kFilaPiles; ++i)
        SetPile(Fila(i), "");
    SetPile(kStock, "");
    SetPile(kWaste, "");
    SetPile(Fila(0), "0071"); // red Seven
    SetPile(Fila(1), "0201"); // red Seven: nothing fits anywhere
    RecordRecentMove(ctx, 7, kRecentTableau, 1);
    FoundMove move;
    EXPECT_FALSE(FindAndPlayNextMove(ctx, false, &move));
    EXPECT_TRUE(ctx.play.recentMoves.empty());
}

TEST(MoveTextTest, MovesReadBackAsWritten) {
    for (const char* text : {"Fila3>Dest1", "Fila12:4>Fila6", "Mazzo_Vis>Fila2", "Appogg2>Fila1",
                             "stock", "undo", "redo", "autoplay", "Fila7"}) {
        const auto move = ParseFoundMove(text);
        ASSERT_TRUE(move) << text;
        EXPECT_EQ(FoundMoveText(*move), text);
    }
    for (const char* bad : {"", ">", "Fila3>", "Fila41>Fila1", "Fila3:>Fila1", "Fila3:-1>Fila1",
                            "Dest0>Fila1", "Stock", "Fila3>Fila4>Fila5"})
        EXPECT_FALSE(ParseFoundMove(bad)) << bad;
}

} // namespace
} // namespace quendra::test
