#include "fake_host.h"
#include "game_context.h"
#include "layout.h"

#include <gtest/gtest.h>

namespace quendra {

using pile::Appogg;
using pile::Dest;
using pile::Fila;
namespace {

constexpr PileRef Mazzo{PileGroupId::Stock, kMazzo};
constexpr PileRef MazzoVis{PileGroupId::Stock, kMazzoVis};
constexpr PileRef MazzoWaste{PileGroupId::Stock, kMazzoWaste};

class LayoutTest : public ::testing::Test {
  protected:
    LayoutTest() : ctx(host) { SetCardSize(ctx, 'B'); }

    void Set(int param, int value) { ctx.params[static_cast<std::size_t>(param)] = value; }
    // Tableau layout, row digit and pile count.
    void Tableau(int layout, int row, int count) {
        Set(358, layout);
        Set(359, row);
        Set(367, count);
    }
    void Stock(int layout, int row, int slots) {
        Set(354, layout);
        Set(355, row);
        Set(365, slots);
        Set(9, 1);
    }
    void Foundations(int layout, int row, int count) {
        Set(356, layout);
        Set(357, row);
        Set(366, count);
    }
    void Expect(PileRef pile, int x, int y) {
        EXPECT_EQ(PileX(ctx, pile), x) << PileName(pile);
        EXPECT_EQ(PileY(ctx, pile), y) << PileName(pile);
    }

    test::FakeHost host;
    GameContext ctx;
};

TEST_F(LayoutTest, CardSizesByLetter) {
    SetCardSize(ctx, 'M');
    EXPECT_EQ(ctx.geometry.CardWidth, 59);
    EXPECT_EQ(ctx.geometry.CardHeight, 80);
    EXPECT_EQ(GetSetting(ctx.settings, field::kCardSize), "M");
    SetCardSize(ctx, 'L');
    EXPECT_EQ(ctx.geometry.CardWidth, 25);
    EXPECT_EQ(ctx.geometry.CardHeight, 32);
    SetCardSize(ctx, 'x');
    EXPECT_EQ(ctx.geometry.CardWidth, 71);
    EXPECT_EQ(GetSetting(ctx.settings, field::kCardSize), "B");
}

TEST_F(LayoutTest, LowWindowUsesSmallRowGapAndNarrowerWidth) {
    Tableau(1, 2, 7);
    ctx.layoutArea.usableWidth = 800;
    ctx.layoutArea.windowHeight = 480;
    ctx.layoutArea.bottom = 479;
    LayoutPiles(ctx);
    // W = 800 - 2 - 10 = 788; spacing (788 - 497) / 8 = 36, kept at 20.
    Expect(Fila(0), 85, 5 + 5 + 5 + 96);
    Expect(Fila(1), 85 + 71 + 20, 111);
    Expect(Fila(6), 85 + 6 * 91, 111);
    EXPECT_FALSE(PileHasPlace(ctx, Fila(7)));

    ctx.layoutArea.windowHeight = 768;
    LayoutPiles(ctx);
    // W = 798: 5 pixels further right, rows 10 apart.
    Expect(Fila(0), 90, 5 + 10 + 10 + 96);
}

TEST_F(LayoutTest, SpreadTooWideKeepsSmallestSpacingFromTheMargin) {
    Tableau(1, 1, 10);
    ctx.layoutArea.usableWidth = 700;
    LayoutPiles(ctx);
    Expect(Fila(0), 5, 15);
    Expect(Fila(1), 5 + 75, 15);
    Expect(Fila(9), 5 + 9 * 75, 15);

    // With a stock slot the margin takes the card shadow too.
    Stock(13, 2, 1);
    LayoutPiles(ctx);
    EXPECT_EQ(PileX(ctx, Fila(0)), 5 + 9);
}

TEST_F(LayoutTest, FittedSpreadShrinksSpacingToFit) {
    Tableau(14, 1, 10);
    ctx.layoutArea.usableWidth = 760;
    LayoutPiles(ctx);
    // W = 758: spacing (758 - 710) / 11 = 4, start (758 - 710 - 36) / 2 = 6: fits.
    Expect(Fila(0), 6, 15);
    ctx.layoutArea.usableWidth = 740;
    LayoutPiles(ctx);
    // Start -4 is 9 left of the margin; the spacing stays at its least, 4.
    Expect(Fila(0), 5, 15);
    EXPECT_EQ(PileX(ctx, Fila(1)), 5 + 75);
}

TEST_F(LayoutTest, StockColumnLayoutClampsItsStartByFoundationCount) {
    Tableau(3, 1, 10);
    Stock(3, 1, 1);
    Set(10, 1);
    Foundations(0, 1, 9);
    ctx.layoutArea.usableWidth = 800;
    LayoutPiles(ctx);
    // Centred start -34 kept at 1, then one stock column and two group gaps.
    EXPECT_EQ(PileX(ctx, Fila(0)), 1 + 71 + 15 + 30);
    EXPECT_EQ(PileX(ctx, Fila(1)), 117 + 71 + 4);
    // The stock two group gaps left of the tableau; the waste under it on row 2.
    Expect(Mazzo, 117 - 71 - 30, 30);
    Expect(MazzoVis, 16, 30 + 10 + 96 + 15);

    Set(366, 8);
    LayoutPiles(ctx);
    // Eight foundations keep the start at the margin (5 + shadow 9 + 15).
    EXPECT_EQ(PileX(ctx, Fila(0)), 29 + 86 + 30);

    Set(366, 9);
    ctx.layoutArea.windowHeight = 480;
    ctx.layoutArea.bottom = 479;
    ctx.layoutArea.screenHeight = 480;
    LayoutPiles(ctx);
    // Small screen: group gap 10, start kept at -4.
    EXPECT_EQ(PileX(ctx, Fila(0)), -4 + 86 + 20);
}

TEST_F(LayoutTest, FixedStockFollowsTheShadow) {
    Tableau(13, 2, 8);
    Stock(13, 1, 2);
    Set(10, 1);
    LayoutPiles(ctx);
    Expect(Mazzo, 19, 30);
    Expect(MazzoVis, 19 + 71 + 15, 30);
    EXPECT_EQ(PileX(ctx, Fila(0)), 48);
    ctx.layoutArea.shadowOffset = 0;
    LayoutPiles(ctx);
    EXPECT_EQ(PileX(ctx, Mazzo), 15);
    // Small screen, eight foundations and two slots: tucked further left.
    Foundations(0, 1, 8);
    ctx.layoutArea.screenHeight = 480;
    LayoutPiles(ctx);
    EXPECT_EQ(PileX(ctx, Mazzo), 12);
}

TEST_F(LayoutTest, EmptyGroupsKeepTheirUnsetMarks) {
    Tableau(1, 2, 0);
    Stock(5, 1, 0);
    Foundations(1, 1, 0);
    Set(361, 6);
    Set(362, 1);
    LayoutPiles(ctx);
    for (int i = 0; i < kFilaPiles; ++i)
        EXPECT_EQ(PileX(ctx, Fila(i)), kUnsetFila);
    for (int i = 0; i < kDestPiles; ++i)
        EXPECT_EQ(PileY(ctx, Dest(i)), kUnsetDest);
    for (int i = 0; i < kAppoggPiles; ++i)
        EXPECT_EQ(PileX(ctx, Appogg(i)), kUnsetAppogg);
    EXPECT_EQ(PileX(ctx, Mazzo), kUnsetStock);
}

TEST_F(LayoutTest, FoundationArrangements) {
    Tableau(1, 2, 7); // W 1022: spacing 20, first X 226
    Foundations(1, 1, 4);
    LayoutPiles(ctx);
    const int gap = (1022 - 4 * 71 - 2) / 5;
    Expect(Dest(0), gap, 15);
    Expect(Dest(3), gap + 3 * (71 + gap), 15);

    Foundations(7, 1, 4);
    LayoutPiles(ctx);
    EXPECT_EQ(PileX(ctx, Dest(0)), PileX(ctx, Fila(3)));
    EXPECT_EQ(PileX(ctx, Dest(3)), PileX(ctx, Fila(6)));

    Foundations(9, 1, 4);
    LayoutPiles(ctx);
    EXPECT_EQ(PileX(ctx, Dest(3)), PileX(ctx, Fila(6)));
    EXPECT_EQ(PileX(ctx, Dest(2)), PileX(ctx, Fila(6)) - 71 - 6);

    // An unknown arrangement sets only the row: the bottom row, here clear of the task bar.
    Foundations(99, 5, 4);
    LayoutPiles(ctx);
    EXPECT_EQ(PileY(ctx, Dest(0)), 768 - 96 - 50);
    EXPECT_FALSE(PileHasPlace(ctx, Dest(0)));
}

TEST_F(LayoutTest, ReservesAtTheMarginPushTheCentredTableauRight) {
    Tableau(2, 1, 8);
    Set(361, 5);
    Set(362, 1);
    Set(368, 2);
    LayoutPiles(ctx);
    Expect(Appogg(0), 5, 15);
    Expect(Appogg(1), 81, 15);
    // Centred at 192 the tableau came within 85 pixels of the last reserve.
    EXPECT_EQ(PileX(ctx, Fila(0)), 81 + 71 + 86);
    EXPECT_EQ(PileX(ctx, Fila(1)), 238 + 81);
}

TEST_F(LayoutTest, CrossLayout) {
    Tableau(52, 1, 5);
    Stock(0, 1, 2);
    Foundations(0, 1, 4);
    LayoutPiles(ctx);
    Expect(Fila(0), 475, 207);
    Expect(Fila(1), 369, 338);
    Expect(Fila(2), 475, 338);
    Expect(Fila(3), 581, 338);
    Expect(Fila(4), 475, 469);
    EXPECT_FALSE(PileHasPlace(ctx, Fila(5)));
    Expect(Dest(0), 376, 214);
    Expect(Dest(1), 574, 214);
    Expect(Dest(2), 376, 462);
    Expect(Dest(3), 574, 462);
    Expect(Mazzo, 228, 207);
    Expect(MazzoVis, 228, 338);
}

TEST_F(LayoutTest, GridLayouts) {
    Tableau(123, 1, 16);
    Set(369, 1);
    LayoutPiles(ctx);
    Expect(Fila(0), 283, 186);
    Expect(Fila(5), 359, 287);
    Expect(MazzoWaste, 658, 337);

    Set(369, 0);
    LayoutPiles(ctx);
    Expect(Fila(15), 592, 497);
    EXPECT_FALSE(PileHasPlace(ctx, MazzoWaste));

    Tableau(124, 1, 9);
    LayoutPiles(ctx);
    Expect(Fila(0), 389, 227);
    Expect(Fila(8), 561, 449);

    SetCardSize(ctx, 'M');
    Tableau(125, 1, 25);
    Set(369, 1);
    LayoutPiles(ctx);
    Expect(Fila(0), 298, 180);
    Expect(Fila(24), 546, 512);
    Expect(MazzoWaste, 667, 346);
}

TEST_F(LayoutTest, WholeTableLayoutWithoutPatternPlacesNothing) {
    EXPECT_TRUE(IsWholeTableLayout(51));
    EXPECT_FALSE(IsWholeTableLayout(102));
    EXPECT_TRUE(IsWholeTableLayout(160));
    Tableau(101, 1, 8);
    Stock(5, 1, 1);
    Foundations(1, 1, 4);
    LayoutPiles(ctx);
    EXPECT_FALSE(HasWholeTablePattern(101));
    EXPECT_FALSE(PileHasPlace(ctx, Fila(0)));
    EXPECT_FALSE(PileHasPlace(ctx, Dest(0)));
    EXPECT_FALSE(PileHasPlace(ctx, Mazzo));
}

TEST_F(LayoutTest, ScrollPositionAndHomePositions) {
    Tableau(1, 2, 7);
    Stock(5, 1, 1);
    Foundations(2, 1, 4);
    LayoutPiles(ctx, 40);
    EXPECT_EQ(ctx.mainGame.ScrollY(), 40);
    const HomePosition dest = HomePositionOf(ctx, Dest(0));
    EXPECT_EQ(dest.x, PileX(ctx, Dest(0)));
    EXPECT_EQ(dest.y, 30);
    EXPECT_EQ(dest.screenY, 30 - 40);
    const HomePosition stock = HomePositionOf(ctx, Mazzo);
    EXPECT_EQ(stock.x, 5 + 9 + 15);
    EXPECT_EQ(HomePositionOf(ctx, MazzoVis).x, kUnsetStock);
}

} // namespace
} // namespace quendra
