#include "fake_host.h"
#include "flight_deal.h"
#include "labels.h"

#include <gtest/gtest.h>

namespace quendra {
namespace {

constexpr PileRef kMazzoPile{PileGroupId::Stock, kMazzo};
constexpr PileRef kVisPile{PileGroupId::Stock, kMazzoVis};
constexpr PileRef kWastePile{PileGroupId::Stock, kMazzoWaste};

PileRef Fila(int n) {
    return {PileGroupId::Fila, n - 1};
}
PileRef Appogg(int n) {
    return {PileGroupId::Appogg, n - 1};
}
PileRef Dest(int n) {
    return {PileGroupId::Dest, n - 1};
}

class TableMaths : public ::testing::Test {
  protected:
    TableMaths() {
        ClearPilePositions(ctx);
        ctx.geometry.CardWidth = 71;
        ctx.geometry.CardHeight = 96;
    }
    test::FakeHost host;
    GameContext ctx{host};
};

using DealAnimation = TableMaths;

TEST_F(DealAnimation, SourceChoice) {
    EXPECT_FALSE(ChooseDealSource(ctx).has_value()); // nothing to deal
    fnPutCard(ctx, Fila(1), 5, '1');
    SetPilePosition(ctx, kMazzoPile, 10, 20);
    SetPilePosition(ctx, kVisPile, 100, 20);
    SetPilePosition(ctx, kWastePile, 200, 20);
    // An empty Mazzo is the source while Mazzo_Vis is empty too.
    auto source = ChooseDealSource(ctx);
    ASSERT_TRUE(source.has_value());
    EXPECT_EQ(source->pile, kMazzoPile);
    EXPECT_EQ(source->at, (TablePoint{10, 20}));
    fnPutCard(ctx, kVisPile, 7, '1');
    EXPECT_EQ(ChooseDealSource(ctx)->pile, kVisPile);
    fnPutCard(ctx, kMazzoPile, 8, '0');
    EXPECT_EQ(ChooseDealSource(ctx)->pile, kMazzoPile);

    ClearPilePositions(ctx);
    SetPilePosition(ctx, Appogg(1), 30, 40);
    SetPilePosition(ctx, kWastePile, 200, 20);
    SetPilePosition(ctx, Dest(1), 300, 20);
    fnPutCard(ctx, Appogg(1), 9, '1');
    EXPECT_EQ(ChooseDealSource(ctx)->pile, Appogg(1));
    fnPutCard(ctx, Appogg(1), 10, '1');
    EXPECT_EQ(ChooseDealSource(ctx)->pile, kWastePile); // reserve 1 holds two cards
    ClearPilePositions(ctx);
    SetPilePosition(ctx, Dest(1), 300, 20);
    EXPECT_EQ(ChooseDealSource(ctx)->pile, Dest(1));
    ClearPilePositions(ctx);
    EXPECT_EQ(ChooseDealSource(ctx)->pile, Fila(1));

    ctx.params[50] = 46; // deals from left of the table
    source = ChooseDealSource(ctx);
    EXPECT_FALSE(source->pile.has_value());
    EXPECT_EQ(source->at, (TablePoint{-78, 0}));
    EXPECT_EQ(DealLaunchPoint(ctx, *source), (TablePoint{-68, 13}));
}

TEST_F(DealAnimation, ReservesFirstThenTableauInRounds) {
    fnPutCard(ctx, Appogg(2), 1, '1');
    fnPutCard(ctx, Appogg(2), 2, '0');
    fnPutCard(ctx, Fila(1), 3, '0');
    fnPutCard(ctx, Fila(1), 4, '1');
    fnPutCard(ctx, Fila(2), 5, '1');
    fnPutCard(ctx, Fila(3), 6, '0');
    fnPutCard(ctx, Fila(3), 7, '0');
    fnPutCard(ctx, Fila(3), 8, '1');
    const DealSource mazzo{kMazzoPile, {0, 0}};
    std::vector<int> cards;
    for (const DealtCard& d : DealOrder(ctx, mazzo))
        cards.push_back(d.card);
    EXPECT_EQ(cards, (std::vector<int>{1, 2, 3, 5, 6, 4, 7, 8}));
    const auto order = DealOrder(ctx, mazzo);
    EXPECT_TRUE(order[0].faceUp);
    EXPECT_FALSE(order[1].faceUp);
    EXPECT_EQ(order[5].pile, Fila(1));
    EXPECT_EQ(order[5].position, 1);

    ctx.params[24] = 1; // pile by pile
    cards.clear();
    for (const DealtCard& d : DealOrder(ctx, mazzo))
        cards.push_back(d.card);
    EXPECT_EQ(cards, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));

    ctx.params[24] = 0;
    cards.clear();
    for (const DealtCard& d : DealOrder(ctx, DealSource{Fila(1), {0, 0}}))
        cards.push_back(d.card);
    EXPECT_EQ(cards, (std::vector<int>{1, 2, 5, 6, 4, 7, 8})); // pile 1 skipped in round 0
    cards.clear();
    for (const DealtCard& d : DealOrder(ctx, DealSource{Appogg(2), {0, 0}}))
        cards.push_back(d.card);
    EXPECT_EQ(cards, (std::vector<int>{3, 5, 6, 4, 7, 8}));
}

using Labels = TableMaths;

TEST_F(Labels, PileSizes) {
    const TableLabel full = PileSizeLabel(100, 200, 13);
    EXPECT_EQ(full.text, "Completed");
    EXPECT_TRUE(full.bold);
    EXPECT_EQ(full.box, (TableRect{100, 181, 165, 196}));
    EXPECT_FALSE(full.restoreFirst.has_value());

    const TableLabel one = PileSizeLabel(100, 200, 1);
    EXPECT_EQ(one.text, "1 card");
    EXPECT_FALSE(one.bold);
    EXPECT_EQ(one.box, (TableRect{100, 181, 150, 196}));
    EXPECT_EQ(one.restoreFirst, (TableRect{149, 181, 165, 196}));
    EXPECT_EQ(PileSizeLabel(0, 50, 0).text, "0 cards");
    EXPECT_EQ(PileSizeLabel(0, 50, 14).text, "14 cards");

    SetPilePosition(ctx, Fila(2), 80, 120);
    for (int c = 1; c <= 13; ++c)
        fnPutCard(ctx, Fila(2), c, '1');
    const auto labels = PileSizeLabels(ctx);
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0].text, "Completed");
}

TEST_F(Labels, PileNumbers) {
    SetPilePosition(ctx, Fila(1), 10, 100);
    SetPilePosition(ctx, Fila(12), 300, 100);
    const auto labels = PileNumberLabels(ctx);
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].text, "1");
    EXPECT_EQ(labels[0].box, (TableRect{10, 82, 28, 96}));
    EXPECT_EQ(labels[0].textAt, (TablePoint{15, 82}));
    EXPECT_EQ(labels[1].text, "12");
    EXPECT_EQ(labels[1].textAt, (TablePoint{302, 82}));
}

TEST_F(Labels, NextRankOfTheFoundations) {
    EXPECT_EQ(NextFoundationRank(7, 2, 3, 13), 10);
    EXPECT_EQ(NextFoundationRank(12, 2, 3, 13), 2); // 15 brought back to 2
    EXPECT_EQ(NextFoundationRank(13, 3, 3, 13), 4);
    EXPECT_EQ(NextFoundationRank(5, 0, 0, 13), 0);  // empty
    EXPECT_EQ(NextFoundationRank(5, 0, 13, 13), 0); // full

    ctx.params[32] = 13;
    for (int i = 1; i <= 4; ++i)
        SetPilePosition(ctx, Dest(i), 100 * i, 30);
    fnPutCard(ctx, Dest(3), 7, '1');  // 7 of hearts
    fnPutCard(ctx, Dest(4), 25, '1'); // Queen of diamonds
    const auto labels = NextRankLabels(ctx);
    ASSERT_EQ(labels.size(), 4u);
    EXPECT_EQ(labels[0].text, "");
    EXPECT_EQ(labels[2].text, "10");
    EXPECT_EQ(labels[3].text, "3");
    EXPECT_EQ(labels[2].box, (TableRect{325, 12, 346, 26}));
    EXPECT_TRUE(labels[2].centred);
}

TEST_F(Labels, NextSumOfFoundationPairs) {
    EXPECT_EQ(NextSumRank(5, 7, 2), 12);
    EXPECT_EQ(NextSumRank(8, 9, 2), 4);
    EXPECT_EQ(NextSumRank(0, 6, 0), 12); // empty: twice the pair's rank
    EXPECT_EQ(NextSumRank(0, 0, 0), 0);
    EXPECT_EQ(NextSumRank(5, 7, 12), 0); // above 11 cards

    SetPilePosition(ctx, Dest(9), 50, 300);
    fnPutCard(ctx, Dest(1), 6, '1');
    const auto labels = NextSumLabels(ctx);
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0].text, "Q");
    EXPECT_EQ(labels[0].box.top, 282);
}

TEST_F(Labels, CycleCounter) {
    EXPECT_EQ(CountFirstCardEntries("001002,003001,001"), 3);
    EXPECT_EQ(CountFirstCardEntries("100100"), 0); // only whole codes count
    EXPECT_EQ(CountFirstCardEntries(""), 0);

    SetPilePosition(ctx, kVisPile, 100, 20);
    for (int c = 1; c <= 5; ++c)
        fnPutCard(ctx, kVisPile, c, '1');
    TableLabel label = CycleCounterLabel(ctx, "001,001,001");
    EXPECT_EQ(label.text, "15/20");
    EXPECT_EQ(label.box, (TableRect{115, 126, 155, 140}));
    // 18 entries leave two in this cycle.
    std::string log;
    for (int i = 0; i < 18; ++i)
        log += "001,";
    EXPECT_EQ(CycleCounterLabel(ctx, log).text, "18/20");
}

TEST(PileSizeTipPlacement, StaysInsideTheWindow) {
    EXPECT_FALSE(PileSizeTipDue(1499, 1000, false));
    EXPECT_TRUE(PileSizeTipDue(1500, 1000, false));
    EXPECT_FALSE(PileSizeTipDue(5000, 1000, true));

    auto tip = PlacePileSizeTip({100, 100}, 3, 800, 600, 30);
    ASSERT_TRUE(tip.has_value());
    EXPECT_EQ(tip->at, (TablePoint{100, 127}));
    EXPECT_EQ(tip->firstLine, "3 cards");
    EXPECT_EQ(tip->secondLine, "in this pile");
    EXPECT_EQ(PlacePileSizeTip({720, 100}, 1, 800, 600, 30)->at, (TablePoint{663, 127}));
    EXPECT_EQ(PlacePileSizeTip({100, 540}, 1, 800, 600, 30)->at, (TablePoint{100, 508}));
    EXPECT_EQ(PlacePileSizeTip({100, 540}, 1, 800, 600, 30)->firstLine, "1 card");
    EXPECT_FALSE(PlacePileSizeTip({100, 100}, 0, 800, 600, 30).has_value());
    EXPECT_FALSE(PlacePileSizeTip({100, 20}, 2, 800, 600, 30).has_value());
    EXPECT_FALSE(PlacePileSizeTip({900, 100}, 2, 800, 600, 30).has_value());
}

} // namespace
} // namespace quendra
