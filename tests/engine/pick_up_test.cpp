#include "legality_test_support.h"
#include "pick_up.h"

#include <gtest/gtest.h>

namespace quendra::test {
namespace {

TEST(PickUp, WasteTopCardOrRedeal) {
    LegalityTable t;
    const PileRef waste{PileGroupId::Stock, kMazzoVis};
    t.Put("Mazzo_Vis", {"3C", "4D"});
    PickUp p = CanPickUp(t.ctx, waste, 0);
    EXPECT_TRUE(p.allowed);
    EXPECT_EQ(p.card, Card("4D")) << "only the top card";
    t.Set(8, 1);
    EXPECT_FALSE(CanPickUp(t.ctx, waste, -1).allowed);
    t.ctx.table.Pile(waste).clear();
    t.Set(16, 1);
    EXPECT_TRUE(CanPickUp(t.ctx, waste, -1).redeal);
    t.Put("Mazzo", {"5S"}, '0');
    EXPECT_FALSE(CanPickUp(t.ctx, waste, -1).redeal) << "the stock still holds cards";
}

TEST(PickUp, FoundationByParameter18) {
    LegalityTable t;
    const PileRef dest{PileGroupId::Dest, 0};
    t.Put("Dest1", {"AH"});
    EXPECT_FALSE(CanPickUp(t.ctx, dest, -1).allowed);
    t.Set(18, 1);
    EXPECT_TRUE(CanPickUp(t.ctx, dest, -1).allowed);
    t.Set(18, 2);
    EXPECT_FALSE(CanPickUp(t.ctx, dest, -1).allowed);
    t.Put("Dest1", {"2H"});
    EXPECT_EQ(CanPickUp(t.ctx, dest, -1).card, Card("2H"));
    t.Set(18, 3);
    EXPECT_FALSE(CanPickUp(t.ctx, dest, -1).allowed);
    fnPutCard(t.ctx, dest, 106, '1');
    EXPECT_TRUE(CanPickUp(t.ctx, dest, -1).allowed);
}

TEST(PickUp, ReserveByParameter14) {
    LegalityTable t;
    const PileRef reserve{PileGroupId::Appogg, 0};
    t.Put("Appogg1", {"9S", "8H"});
    PickUp p = CanPickUp(t.ctx, reserve, 0);
    EXPECT_TRUE(p.allowed);
    EXPECT_EQ(p.card, Card("8H"));
    EXPECT_EQ(p.groupSize, 1);
    t.Set(14, -11);
    p = CanPickUp(t.ctx, reserve, 1);
    EXPECT_EQ(p.card, Card("9S"));
    EXPECT_EQ(p.groupSize, 2);
    t.Set(14, 0);
    fnSetCardFace(t.ctx, Card("8H"), '0');
    const PickUp turn = CanPickUp(t.ctx, reserve, -1);
    EXPECT_FALSE(turn.allowed);
    EXPECT_TRUE(turn.turnFaceDownCard) << "a click turns the reserve's face-down top card";
    EXPECT_EQ(turn.card, Card("8H"));
}

TEST(PickUp, TableauCardsAndGroups) {
    LegalityTable t;
    t.Set(51, 1);
    t.Set(211, 3);
    t.Set(2, 1);
    t.Set(13, -1);
    const PileRef fila{PileGroupId::Fila, 0};
    t.Put("Fila1", {"2C"}, '0');
    t.Put("Fila1", {"9D", "8S", "7H"});
    PickUp top = CanPickUp(t.ctx, fila, -1);
    EXPECT_TRUE(top.allowed);
    EXPECT_EQ(top.groupSize, 1);
    PickUp group = CanPickUp(t.ctx, fila, 1);
    EXPECT_TRUE(group.allowed);
    EXPECT_EQ(group.card, Card("9D"));
    EXPECT_EQ(group.groupSize, 3);
    EXPECT_FALSE(CanPickUp(t.ctx, fila, 0).allowed) << "a face-down card";
    t.Set(13, 2);
    EXPECT_FALSE(CanPickUp(t.ctx, fila, 1).allowed) << "group too large";
    t.Set(13, -1);
    t.Put("Fila1", {"7C"});
    EXPECT_FALSE(CanPickUp(t.ctx, fila, 1).allowed) << "no longer a sequence";
    t.Set(2, 0);
    EXPECT_TRUE(CanPickUp(t.ctx, fila, 1).allowed) << "any face-up group";

    t.Put("Fila2", {"KS"}, '0');
    const PickUp turn = CanPickUp(t.ctx, {PileGroupId::Fila, 1}, -1);
    EXPECT_FALSE(turn.allowed);
    EXPECT_TRUE(turn.turnFaceDownCard);
    EXPECT_EQ(turn.card, Card("KS"));
    EXPECT_FALSE(CanPickUp(t.ctx, {PileGroupId::Fila, 2}, -1).allowed) << "empty pile";
}

struct SendTable : LegalityTable {
    SendTable() {
        Set(366, 2);
        Set(367, 3);
        Set(368, 1);
        for (int i = 0; i < 2; ++i) {
            Set(51 + i, 1);
            Set(67 + i, 1);
            SetPilePosition(ctx, {PileGroupId::Dest, i}, 100 + 80 * i, 10);
        }
        for (int i = 0; i < 3; ++i) {
            Set(131 + i, -1);
            Set(211 + i, 12);
        }
        Set(331, 12);
        SetPilePosition(ctx, {PileGroupId::Appogg, 0}, 500, 10);
        SetPilePosition(ctx, {PileGroupId::Stock, kMazzoVis}, 10, 10);
        Put("Fila1", {"5S", "AH"});
        Put("Fila2", {"9C"});
    }
};

TEST(SendAction, TargetsInOrder) {
    SendTable t;
    EXPECT_EQ(SendTargets(t.ctx, Card("AH"), true, true),
              (std::vector<std::string>{"Dest1", "Dest2", "Fila2", "Fila3", "Appogg1"}));
    EXPECT_EQ(SendTargets(t.ctx, Card("AH"), false, true),
              (std::vector<std::string>{"Fila2", "Fila3", "Appogg1"}));
    EXPECT_EQ(SendTargets(t.ctx, Card("AH"), true, false),
              (std::vector<std::string>{"Dest1", "Dest2", "Appogg1"}));
    SetPilePosition(t.ctx, {PileGroupId::Dest, 0}, kUnsetDest, kUnsetDest);
    EXPECT_EQ(SendTargets(t.ctx, Card("AH"), true, false).front(), "Dest2")
        << "a foundation without a place is skipped";
    EXPECT_EQ(t.ctx.play.movingTopCard, 0) << "the moving group is put back";
    EXPECT_TRUE(t.ctx.play.singleCard);
}

TEST(SendAction, WasteLastAndGroups) {
    SendTable t;
    t.Set(352, 2);
    t.Put("Mazzo_Vis", {"2H"});
    const auto targets = SendTargets(t.ctx, Card("AH"), false, true);
    ASSERT_FALSE(targets.empty());
    EXPECT_EQ(targets.back(), "Stock02");
    t.Set(353, 4);
    EXPECT_NE(SendTargets(t.ctx, Card("AH"), false, true).back(), "Stock02");

    // A group goes to tableau piles only, when parameter 13 lets it move.
    EXPECT_TRUE(SendTargets(t.ctx, Card("5S"), true, true).empty());
    t.Set(13, -1);
    EXPECT_EQ(SendTargets(t.ctx, Card("5S"), true, true),
              (std::vector<std::string>{"Fila2", "Fila3"}));
    fnSetCardFace(t.ctx, Card("AH"), '0');
    EXPECT_TRUE(SendTargets(t.ctx, Card("AH"), true, true).empty()) << "face down";
}

TEST(WasteDrop, NeighbourRanksOfTheSuit) {
    LegalityTable t;
    t.Set(352, 2);
    SetPilePosition(t.ctx, {PileGroupId::Stock, kMazzoVis}, 10, 10);
    t.Put("Mazzo_Vis", {"KD"});
    EXPECT_TRUE(CanDropOnWaste(t.ctx, Card("AD")));
    EXPECT_TRUE(CanDropOnWaste(t.ctx, Card("QD")));
    EXPECT_FALSE(CanDropOnWaste(t.ctx, Card("QH")));
    EXPECT_FALSE(CanDropOnWaste(t.ctx, Card("JD")));
    t.Group(Card("QD"), Card("JS"));
    EXPECT_FALSE(CanDropOnWaste(t.ctx, Card("QD")));
}

TEST(Selection, PairsAddingUpToThirteen) {
    LegalityTable t;
    t.Set(50, 4);
    t.Put("Dest1", {"6H"});
    EXPECT_FALSE(SelectionComplete(t.ctx));
    EXPECT_EQ(ClassifySelectionClick(t.ctx, Card("6H")), SelectionClick::Deselect);
    EXPECT_EQ(ClassifySelectionClick(t.ctx, Card("7C")), SelectionClick::Select);
    t.Put("Dest1", {"7C"});
    EXPECT_EQ(SelectedRankSum(t.ctx), 13);
    EXPECT_TRUE(SelectionComplete(t.ctx));
    EXPECT_EQ(ClassifySelectionClick(t.ctx, Card("2S")), SelectionClick::Refuse);
    t.Set(50, 3);
    EXPECT_FALSE(SelectionComplete(t.ctx)) << "family 3 pairs add up to 14";
}

} // namespace
} // namespace quendra::test
