#include "move_finder.h"
#include "play_test_support.h"
#include "pointer.h"

#include <algorithm>
#include <vector>

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

// The finder played on and on in a deal with no win comes round to tables it has had: the
// first move said to lead nowhere is the first that brings one back, and no move before it did.
TEST(NextMoveLeadsNowhereTest, SaysSoOfTheFirstMoveBackToAnEarlierTable) {
    DealtGame game(0, "15"); // Klondike: no win
    GameContext& ctx = game.ctx;
    const auto tableOf = [](const GameContext& c) {
        TableState state = CaptureTableState(c);
        state.passNumber = 0; // unlimited passes: only the turns of the stock
        return state;
    };
    std::vector<TableState> seen{tableOf(ctx)};
    bool nowhere = false;
    for (int move = 0; move < 400 && !nowhere; ++move) {
        nowhere = NextMoveLeadsNowhere(ctx);
        const TableState before = tableOf(ctx);
        ASSERT_TRUE(FindAndPlayNextMove(ctx, true));
        EXPECT_FALSE(tableOf(ctx) == before);
        const bool again = std::find(seen.begin(), seen.end(), tableOf(ctx)) != seen.end();
        ASSERT_EQ(again, nowhere) << "move " << move;
        seen.push_back(tableOf(ctx));
    }
    EXPECT_TRUE(nowhere);
}

TEST(FaceDownTopCardTest, IsTurnedUpBeforeTheStockDealsOverIt) {
    DealtGame game{91, "1"}; // Spider: no automatic play turns its cards
    GameContext& ctx = game.ctx;
    std::string& pile = ctx.table.Pile(Fila(7));
    const int hidden = PileCardAt(pile, PileCardCount(pile) - 2);
    ASSERT_EQ(ctx.cardTable.Face(hidden), '0');
    pile.resize(pile.size() - 3); // its face-up card moved away
    // The demonstration rehearses automatic play before it plays it, and a rehearsal that
    // moves no card plays nothing: the card must be turned as a move of its own.
    ctx.play.assistMode = 3; // a demonstration
    FoundMove move;
    ASSERT_TRUE(FindAndPlayNextMove(ctx, true, &move));
    EXPECT_EQ(FoundMoveText(move), "Fila8");
    EXPECT_EQ(ctx.cardTable.Face(hidden), '1');
    EXPECT_EQ(PileTopCard(ctx.table.Pile(Fila(7))), hidden);
}

// Records what the tutor shows, in order, with whether the table had changed yet.
class TutorHost : public FakeHost {
  public:
    void ShowProposedMove(PileRef from, int position, PileRef to, int cardCount) override {
        const FoundMove move{FoundMove::Kind::Pile, from, position, true, to};
        events.push_back("show " + FoundMoveText(move) + " x" + std::to_string(cardCount) +
                         (ctx && ctx->table == shownTable ? "" : " (table changed)"));
    }
    void ClearProposedMove() override { events.push_back("clear"); }
    void ShowTutorText(const std::string& text) override { events.push_back("text " + text); }
    // The tutor's own waits; the short ones of the stock press are the table's.
    void Wait(int milliseconds) override {
        if (milliseconds >= 500) events.push_back("wait " + std::to_string(milliseconds));
    }

    const GameContext* ctx = nullptr;
    PileGroups shownTable; // the table the next proposal must still show
    std::vector<std::string> events;
};

// Klondike on a table the test lays out, with the tutor's calls recorded.
class TutorTest : public ::testing::Test {
  protected:
    TutorHost host;
    GameContext ctx{host};

    void SetUp() override {
        ctx.gamesFile = QUENDRA_GAMES_DAT;
        ASSERT_TRUE(LoadGameList(ctx));
        SetSetting(ctx.settings, field::kSoundsEnabled, "N");
        SetSetting(ctx.settings, field::kCardsAnimate, "N");
        SetSetting(ctx.settings, field::kUndoMode, "0");
        SetSetting(ctx.settings, field::kDealNumber, "7");
        ASSERT_TRUE(SelectAndStartGame(ctx, 0, GameName(ctx, 0), "", kKeepDealNumber, false));
        ctx.play.autoplayTicked = false;
        for (int i = 0; i < kFilaPiles; ++i)
            LoadPileFromSnapshotLine(ctx, Fila(i), "");
        LoadPileFromSnapshotLine(ctx, kStock, "");
        LoadPileFromSnapshotLine(ctx, kWaste, "");
        host.ctx = &ctx;
    }
    void Lay(PileRef pile, const std::string& line) {
        LoadPileFromSnapshotLine(ctx, pile, line);
        host.shownTable = ctx.table;
    }
    // One step of a demonstration.
    bool DemoStep() {
        ctx.play.assistMode = 3;
        host.shownTable = ctx.table;
        host.events.clear();
        return FindAndPlayNextMove(ctx, true);
    }
};

TEST_F(TutorTest, AHintShowsTheMoveBeforePlayingItAndSaysNothing) {
    Lay(Fila(0), "0471");     // Eight of spades
    Lay(Fila(1), "00710321"); // Seven of hearts, Six of clubs
    FoundMove move;
    host.events.clear();
    ASSERT_TRUE(FindAndPlayNextMove(ctx, false, &move));
    EXPECT_EQ(FoundMoveText(move), "Fila2:0>Fila1");
    EXPECT_EQ(host.events,
              (std::vector<std::string>{"show Fila2:0>Fila1 x2", "wait 500", "clear"}));
    EXPECT_EQ(PileCardCount(ctx.table.Pile(Fila(0))), 3);
}

TEST_F(TutorTest, TheDemonstrationDescribesEachMoveAndItsEnd) {
    Lay(Fila(0), "0471");     // Eight of spades
    Lay(Fila(1), "00710321"); // Seven of hearts, Six of clubs
    Lay(Fila(2), "0301");     // Four of clubs: nothing takes it
    ASSERT_TRUE(DemoStep());
    EXPECT_EQ(host.events,
              (std::vector<std::string>{"show Fila2:0>Fila1 x2", "text Move the group of cards",
                                        "wait 500", "clear"}));
    ASSERT_FALSE(DemoStep());
    EXPECT_EQ(host.events, (std::vector<std::string>{"text End of Demo"}));
    EXPECT_EQ(ctx.play.assistMode, 3);

    // A single card: the Four of clubs goes on a red Five.
    Lay(Fila(3), "0181"); // Five of diamonds takes the Four of clubs
    ASSERT_TRUE(DemoStep());
    EXPECT_EQ(host.events, (std::vector<std::string>{"show Fila3:0>Fila4 x1", "text Move the card",
                                                     "wait 500", "clear"}));
}

TEST_F(TutorTest, AutomaticPlayIsShownWithTheCardThatGoesFirst) {
    Lay(Fila(4), "04710271"); // Eight of spades, Ace of clubs
    ASSERT_TRUE(DemoStep());
    ASSERT_GE(host.events.size(), 2u);
    EXPECT_EQ(host.events[0], "show Fila5:1>Dest1 x1");
    EXPECT_EQ(host.events[1], "text Move the card");
    EXPECT_EQ(PileTopCard(ctx.table.Pile(Dest(0))), 27);
}

TEST_F(TutorTest, AStockClickIsAnnounced) {
    Lay(Fila(0), "0471");
    Lay(kStock, "0050"); // the Five of hearts, face down
    ASSERT_TRUE(DemoStep());
    EXPECT_EQ(host.events,
              (std::vector<std::string>{"text Click to turn up a card(s)", "wait 500"}));
    EXPECT_EQ(PileTopCard(ctx.table.Pile(kWaste)), 5);
    // With the stock empty a click turns the waste over.
    Lay(kWaste, "00510061"); // the Five and the Six of hearts
    ASSERT_TRUE(DemoStep());
    EXPECT_EQ(host.events, (std::vector<std::string>{"text Click to redeal", "wait 500"}));
    EXPECT_EQ(PileCardCount(ctx.table.Pile(kStock)), 2);
}

TEST_F(TutorTest, AHintWithoutMovesSaysSo) {
    Lay(Fila(0), "0071"); // two red Sevens
    Lay(Fila(1), "0201");
    host.events.clear();
    EXPECT_FALSE(FindAndPlayNextMove(ctx, false));
    EXPECT_EQ(host.events, (std::vector<std::string>{"text No other moves."}));
    // Outside the assist modes the finder shows nothing.
    ctx.play.assistMode = 0;
    host.events.clear();
    EXPECT_FALSE(FindAndPlayNextMove(ctx, true));
    EXPECT_TRUE(host.events.empty());
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
