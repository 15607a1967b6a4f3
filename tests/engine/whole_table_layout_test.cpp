#include "cards.h"
#include "fake_host.h"
#include "fan_geometry.h"
#include "game_context.h"
#include "game_params.h"
#include "layout.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace quendra {

using pile::Dest;
using pile::Fila;
namespace {

constexpr PileRef Mazzo{PileGroupId::Stock, kMazzo};
constexpr int kFanColumns = 53;
constexpr int kTwoRows = 54;

class WholeTableLayoutTest : public ::testing::Test {
  protected:
    WholeTableLayoutTest() : ctx(host) { SetCardSize(ctx, 'B'); }

    void Set(int param, int value) { ctx.params[static_cast<std::size_t>(param)] = value; }
    void Expect(PileRef pile, int x, int y) {
        EXPECT_EQ(PileX(ctx, pile), x) << PileName(pile);
        EXPECT_EQ(PileY(ctx, pile), y) << PileName(pile);
    }

    // Eighteen fans to the right in three rows, four foundations centred on row 1.
    void FanGame(bool withStock) {
        Set(3, fanmode::kRight);
        Set(358, kFanColumns);
        Set(359, 1);
        Set(360, 3);
        Set(367, 18);
        Set(356, 2);
        Set(357, 1);
        Set(366, 4);
        if (withStock) {
            Set(9, 1);
            Set(354, 13);
            Set(355, 1);
            Set(365, 1);
        }
    }

    // Thirteen downward fans, four foundations centred on row 1.
    void BakersDozen() {
        Set(3, fanmode::kDown);
        Set(358, kTwoRows);
        Set(359, 2);
        Set(367, 13);
        Set(356, 2);
        Set(357, 1);
        Set(366, 4);
    }

    void Area(int width, int height) {
        ctx.layoutArea = LayoutArea{5, width, height, height - 1, width, height, 9};
    }

    // Gives every tableau pile `cards` face-up cards.
    void FillTableau(int cards) {
        for (int i = 0; i < TableauCount(ctx); ++i) {
            std::string pile;
            for (int k = 0; k < cards; ++k)
                pile += CardCode(1 + (i * cards + k) % 52);
            ctx.table.Pile(Fila(i)) = pile;
        }
    }

    // The piles in use with the rectangles their cards cover.
    std::vector<std::pair<PileRef, TableRect>> Covered() {
        std::vector<std::pair<PileRef, TableRect>> out;
        if (ctx.Param(9) == 1) out.emplace_back(Mazzo, PileRect(ctx, Mazzo));
        for (int i = 0; i < FoundationCount(ctx); ++i)
            out.emplace_back(Dest(i), PileRect(ctx, Dest(i)));
        for (int i = 0; i < TableauCount(ctx); ++i)
            out.emplace_back(Fila(i), PileRect(ctx, Fila(i)));
        return out;
    }

    // Every pile's cards within the drawing area and clear of every other pile's cards.
    void ExpectRoomForFans(const std::string& what) {
        const auto covered = Covered();
        const LayoutArea& a = ctx.layoutArea;
        for (std::size_t i = 0; i < covered.size(); ++i) {
            const auto& [pile, r] = covered[i];
            ASSERT_FALSE(r.Empty()) << what << " " << PileName(pile);
            EXPECT_GE(r.left, 0) << what << " " << PileName(pile);
            EXPECT_GE(r.top, a.top) << what << " " << PileName(pile);
            EXPECT_LE(r.right, a.usableWidth) << what << " " << PileName(pile);
            EXPECT_LE(r.bottom, a.bottom + 1) << what << " " << PileName(pile);
            for (std::size_t j = 0; j < i; ++j) {
                const TableRect& o = covered[j].second;
                const bool overlap =
                    r.left < o.right && o.left < r.right && r.top < o.bottom && o.top < r.bottom;
                EXPECT_FALSE(overlap)
                    << what << " " << PileName(pile) << " covers " << PileName(covered[j].first);
            }
        }
    }

    test::FakeHost host;
    GameContext ctx;
};

TEST_F(WholeTableLayoutTest, BothLayoutsHaveAPattern) {
    EXPECT_TRUE(IsWholeTableLayout(kFanColumns));
    EXPECT_TRUE(HasWholeTablePattern(kFanColumns));
    EXPECT_TRUE(IsWholeTableLayout(kTwoRows));
    EXPECT_TRUE(HasWholeTablePattern(kTwoRows));
    EXPECT_FALSE(HasWholeTablePattern(56));
}

// Tri Peaks: each card of the upper rows is centred over the two cards that lie on it, half a
// card above them; the stock and the discard pile stand clear under the bottom row.
TEST_F(WholeTableLayoutTest, PeaksCentreEachCardOverTheTwoOnIt) {
    Set(3, fanmode::kSquared);
    Set(358, 55);
    Set(359, 1);
    Set(367, 28);
    Set(9, 1);
    Set(365, 1);
    Set(369, 1);
    Set(363, 16);
    for (const auto& [w, h] : {std::pair{1024, 768}, std::pair{800, 600}}) {
        Area(w, h);
        LayoutPiles(ctx);
        const auto x = [&](int i) { return PileX(ctx, Fila(i)); };
        const auto y = [&](int i) { return PileY(ctx, Fila(i)); };
        const auto centredOver = [&](int i, int a, int b) {
            EXPECT_NEAR(x(i), (x(a) + x(b)) / 2, 1) << w << " pile " << i;
            EXPECT_EQ(y(a) - y(i), ctx.geometry.CardHeight / 2) << w << " pile " << i;
            EXPECT_EQ(y(a), y(b));
        };
        centredOver(0, 3, 4);
        centredOver(2, 7, 8);
        centredOver(3, 9, 10);
        centredOver(8, 16, 17);
        centredOver(9, 18, 19);
        centredOver(17, 26, 27);
        const int bottom = y(18) + ctx.geometry.CardHeight;
        const PileRef discard = pile::Stock(kMazzoWaste);
        EXPECT_GT(PileY(ctx, Mazzo), bottom);
        EXPECT_EQ(PileY(ctx, discard), PileY(ctx, Mazzo));
        EXPECT_GE(PileX(ctx, discard), PileX(ctx, Mazzo) + ctx.geometry.CardWidth);
        EXPECT_GE(x(18), 0);
        EXPECT_LE(x(27) + ctx.geometry.CardWidth, ctx.layoutArea.usableWidth);
    }
}

TEST_F(WholeTableLayoutTest, FanColumnsWithStockAt1024x768) {
    FanGame(true);
    LayoutPiles(ctx);
    // W = 1022, margin 5 + shadow 9 = 14; six columns of (1022 - 28) / 6 = 165.
    // Four-row grid: 5 + (762 - 4 * 96 - 30) / 2 = 179, then 285, 391, 497.
    Expect(Mazzo, 14, 179);
    Expect(Dest(0), 179, 179);
    Expect(Dest(1), 344, 179);
    Expect(Dest(3), 674, 179);
    Expect(Fila(0), 14, 285);
    Expect(Fila(5), 839, 285);
    Expect(Fila(6), 14, 391);
    Expect(Fila(11), 839, 391);
    Expect(Fila(12), 14, 497);
    Expect(Fila(17), 839, 497);
    EXPECT_FALSE(PileHasPlace(ctx, Fila(18)));
    EXPECT_FALSE(PileHasPlace(ctx, Dest(4)));
    EXPECT_FALSE(PileHasPlace(ctx, pile::Stock(kMazzoVis)));
}

TEST_F(WholeTableLayoutTest, FanColumnsWithoutStockAt1024x768) {
    FanGame(false);
    LayoutPiles(ctx);
    // Margin 5: columns of (1022 - 10) / 6 = 168; the foundations still over columns 2 to 5.
    Expect(Dest(0), 173, 179);
    Expect(Dest(3), 677, 179);
    Expect(Fila(0), 5, 285);
    Expect(Fila(4), 677, 285);
    Expect(Fila(17), 845, 497);
    EXPECT_FALSE(PileHasPlace(ctx, Mazzo));
}

TEST_F(WholeTableLayoutTest, TwoRowsAt1024x768) {
    BakersDozen();
    LayoutPiles(ctx);
    // Seven piles above: spacing (1022 - 7 * 71) / 8 = 65, kept at 20; first X
    // (1022 - 497 - 120) / 2 = 202. Rows 1 and 2 at 15 and 121; the second row of six
    // halfway down: 121 + (768 - 121) / 2 = 444, first X (1022 - 426 - 100) / 2 = 248.
    Expect(Fila(0), 202, 121);
    Expect(Fila(1), 293, 121);
    Expect(Fila(6), 748, 121);
    Expect(Fila(7), 248, 444);
    Expect(Fila(12), 703, 444);
    EXPECT_FALSE(PileHasPlace(ctx, Fila(13)));
    // Four foundations centred with the same spacing: (1022 - 284 - 60) / 2 = 339.
    Expect(Dest(0), 339, 15);
    Expect(Dest(3), 612, 15);
}

TEST_F(WholeTableLayoutTest, TwoRowsAt800x600WithMediumCards) {
    BakersDozen();
    Area(800, 600);
    SetCardSize(ctx, 'M');
    LayoutPiles(ctx);
    // W = 798; spacing (798 - 413) / 8 = 48, kept at 20; first X (798 - 413 - 120) / 2 = 132.
    // Row 2 at 15 + 10 + 80 = 105, the second row at 105 + (600 - 105) / 2 = 352.
    Expect(Fila(0), 132, 105);
    Expect(Fila(6), 132 + 6 * 79, 105);
    Expect(Fila(7), (798 - 354 - 100) / 2, 352);
    Expect(Dest(0), (798 - 236 - 60) / 2, 15);
}

TEST_F(WholeTableLayoutTest, FansHaveRoomToGrowAtBothSizes) {
    struct Size {
        int width, height;
        char cards;
    };
    for (const Size size : {Size{1024, 768, 'B'}, Size{800, 600, 'M'}}) {
        const std::string what = std::to_string(size.width) + "x" + std::to_string(size.height);
        for (const bool withStock : {false, true}) {
            ctx.params.fill(0);
            Area(size.width, size.height);
            SetCardSize(ctx, size.cards);
            FanGame(withStock);
            LayoutPiles(ctx);
            // More than twice the three cards of the deal, fanned to the right.
            FillTableau(7);
            ExpectRoomForFans(what + " fans");
        }
        ctx.params.fill(0);
        Area(size.width, size.height);
        SetCardSize(ctx, size.cards);
        BakersDozen();
        LayoutPiles(ctx);
        // Four dealt cards and a run of eight built down on them.
        FillTableau(12);
        ExpectRoomForFans(what + " two rows");
    }
}

TEST_F(WholeTableLayoutTest, TwoRowsPlaceStockSlotsAtTheLeftOfRow1) {
    BakersDozen();
    Set(9, 1);
    Set(10, 1);
    Set(354, 5);
    Set(355, 1);
    Set(365, 2);
    LayoutPiles(ctx);
    // Margin 5 + 9 + 15 for the stock at the margin; row 1 is 15 lower with the stock on it.
    Expect(Mazzo, 29, 30);
    Expect(pile::Stock(kMazzoVis), 29 + 71 + 15, 30);
    Expect(Dest(0), 339, 30);
}

// The adding games: a grid with a stock shows it left of the grid's first row; fans in
// columns with a discard pile show it in the column after the stock.
TEST_F(WholeTableLayoutTest, GridsAndFanColumnsPlaceTheStockAndTheDiscardPile) {
    constexpr PileRef kDiscard{PileGroupId::Stock, kMazzoWaste};
    constexpr int kGrid5 = 125;
    constexpr int kCardWidth = 71, kCardHeight = 96; // the big cards
    Set(9, 1);
    Set(354, 13);
    Set(355, 1);
    Set(365, 1);
    Set(369, 1);
    Set(358, kGrid5);
    Set(359, 1);
    Set(367, 25);
    LayoutPiles(ctx);
    ASSERT_TRUE(PileHasPlace(ctx, Mazzo));
    EXPECT_EQ(PileY(ctx, Mazzo), PileY(ctx, Fila(0)));
    EXPECT_LT(PileX(ctx, Mazzo) + kCardWidth, PileX(ctx, Fila(0)));
    EXPECT_GT(PileX(ctx, kDiscard), PileX(ctx, Fila(4)) + kCardWidth);

    Set(3, fanmode::kSquared);
    Set(358, kFanColumns);
    Set(360, 2);
    Set(367, 13);
    LayoutPiles(ctx);
    ASSERT_TRUE(PileHasPlace(ctx, kDiscard));
    EXPECT_EQ(PileY(ctx, kDiscard), PileY(ctx, Mazzo));
    EXPECT_GT(PileX(ctx, kDiscard), PileX(ctx, Mazzo) + kCardWidth);
    EXPECT_LT(PileY(ctx, kDiscard) + kCardHeight, PileY(ctx, Fila(0)) + 1);
}

// Double Concentration: eight rows of thirteen cards side by side and the discard pile the
// pairs fly to, each clear of the others at both table sizes.
TEST_F(WholeTableLayoutTest, MemoryRowsLeaveTheDiscardPileItsOwnPlace) {
    constexpr PileRef kDiscard{PileGroupId::Stock, kMazzoWaste};
    constexpr int kMemoryRows = 67;
    Set(3, fanmode::kRow);
    Set(358, kMemoryRows);
    Set(359, 1);
    Set(367, 8);
    Set(param::kTableauDealt, 13);
    Set(param::kWasteSlots, 1);
    FillTableau(13);
    for (const auto& [width, height] : {std::pair{1024, 768}, std::pair{800, 600}}) {
        const std::string what = std::to_string(width) + "x" + std::to_string(height);
        Area(width, height);
        LayoutPiles(ctx);
        ASSERT_TRUE(PileHasPlace(ctx, kDiscard)) << what;
        const TableRect d = PileRect(ctx, kDiscard);
        EXPECT_GE(d.left, 0) << what;
        EXPECT_GE(d.top, ctx.layoutArea.top) << what;
        for (int i = 0; i < TableauCount(ctx); ++i) {
            const TableRect r = PileRect(ctx, Fila(i));
            EXPECT_LE(r.right, ctx.layoutArea.usableWidth) << what << " row " << i;
            EXPECT_LE(r.bottom, ctx.layoutArea.bottom + 1) << what << " row " << i;
            EXPECT_FALSE(d.left < r.right && r.left < d.right && d.top < r.bottom &&
                         r.top < d.bottom)
                << what << " row " << i << " covers the discard pile";
        }
    }
}

} // namespace
} // namespace quendra
