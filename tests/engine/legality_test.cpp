#include "building.h"
#include "cards.h"
#include "legality.h"
#include "legality_test_support.h"

#include <gtest/gtest.h>

namespace quendra::test {
namespace {

// Foundations up in suit from the Ace, tableau down in alternating colours, Kings to spaces.
struct KlondikeTable : LegalityTable {
    KlondikeTable() {
        for (int i = 0; i < 4; ++i) {
            Set(51 + i, 1);
            Set(67 + i, 1);
            Set(83 + i, 0);
        }
        for (int i = 0; i < 10; ++i) {
            Set(131 + i, 13);
            Set(171 + i, 0);
            Set(211 + i, 3);
            Set(251 + i, 0);
        }
        Set(2, 1);
        Set(13, -1);
    }
};

TEST(DropLegality, NeverOntoTheCardsOwnPile) {
    KlondikeTable t;
    t.Put("Fila1", {"8C", "7D"});
    t.Put("Fila2", {"8S"});
    t.Single(Card("7D"));
    EXPECT_FALSE(fnCanDropOnPile(t.ctx, Card("7D"), "Fila1"));
    EXPECT_TRUE(fnCanDropOnPile(t.ctx, Card("7D"), "Fila2"));
    EXPECT_FALSE(fnCanBuild(t.ctx, Card("7D"), Card("7D"), -1, true, 0, true, false, 12, 0, 1));
    EXPECT_FALSE(fnCanDropOnPile(t.ctx, Card("7D"), "Mazzo_Vis"));
    EXPECT_FALSE(fnCanDropOnPile(t.ctx, Card("7D"), "Fila99"));
}

TEST(DropLegality, KlondikeTableau) {
    KlondikeTable t;
    t.Put("Fila1", {"7S"});
    t.Put("Fila2", {"7H"});
    t.Put("Fila3", {"AS"});
    t.Put("Fila5", {"6H"});
    t.Put("Fila6", {"KD", "QH"});
    t.Single(Card("6H"));
    EXPECT_TRUE(fnCanDropOnTableau(t.ctx, 0, Card("6H")));
    EXPECT_FALSE(fnCanDropOnTableau(t.ctx, 1, Card("6H")));
    t.Single(Card("QH"));
    EXPECT_FALSE(fnCanDropOnTableau(t.ctx, 2, Card("KD"))) << "no King on an Ace";
    t.Single(Card("KD"));
    EXPECT_TRUE(fnCanDropOnTableau(t.ctx, 3, Card("KD")));
    t.Single(Card("6H"));
    EXPECT_FALSE(fnCanDropOnTableau(t.ctx, 3, Card("6H"))) << "a space takes only a King";
}

TEST(DropLegality, FaceDownTopAndFullPileRefuse) {
    KlondikeTable t;
    t.Put("Fila1", {"7S"}, '0');
    t.Put("Fila2", {"7C"});
    t.Single(Card("6H"));
    EXPECT_FALSE(fnCanDropOnTableau(t.ctx, 0, Card("6H")));
    EXPECT_TRUE(fnCanDropOnTableau(t.ctx, 1, Card("6H")));
    t.Set(33, 1);
    EXPECT_FALSE(fnCanDropOnTableau(t.ctx, 1, Card("6H")));
}

TEST(DropLegality, GroupMustBeASequence) {
    KlondikeTable t;
    t.Put("Fila1", {"9D", "8S", "7H"});
    t.Put("Fila2", {"9H", "8S'", "7C"});
    t.Put("Fila3", {"9C"});
    t.Group(Card("8S"), Card("7H"));
    EXPECT_TRUE(fnCanDropOnTableau(t.ctx, 2, Card("8S")) == false) << "8S on 9C: same colour";
    t.Put("Fila4", {"9H'"});
    EXPECT_TRUE(fnCanDropOnTableau(t.ctx, 3, Card("8S")));
    t.Group(Card("8S'"), Card("7C"));
    EXPECT_FALSE(fnCanDropOnTableau(t.ctx, 3, Card("8S'"))) << "7C on 8S is no sequence";
    EXPECT_TRUE(fnGroupIsSequence(t.ctx, Card("8S"), 0));
    EXPECT_FALSE(fnGroupIsSequence(t.ctx, Card("8S'"), 0));
    t.Set(2, 10); // in suit
    EXPECT_FALSE(fnGroupIsSequence(t.ctx, Card("8S"), 0));
}

TEST(FoundationLegality, BaseSevenTurnsTheCornerAfterTheKing) {
    LegalityTable t;
    t.Set(51, 7);
    t.Set(67, 1);
    t.Single(Card("7H"));
    EXPECT_TRUE(fnCanDropOnFoundation(t.ctx, 0, Card("7H")));
    EXPECT_FALSE(fnCanDropOnFoundation(t.ctx, 0, Card("8H")));
    t.Put("Dest1", {"7H", "8H", "9H", "10H", "JH", "QH", "KH"});
    EXPECT_TRUE(fnCanDropOnFoundation(t.ctx, 0, Card("AH")));
    EXPECT_FALSE(fnCanDropOnFoundation(t.ctx, 0, Card("AD")));
    EXPECT_FALSE(fnCanDropOnFoundation(t.ctx, 0, Card("2H")));
}

TEST(FoundationLegality, BaseAceKingTakesNoAce) {
    KlondikeTable t;
    t.Put("Dest1", {"AH", "2H", "3H", "4H", "5H", "6H", "7H", "8H", "9H", "10H", "JH", "QH", "KH"});
    t.Set(32, 26);
    t.Single(Card("AH'"));
    EXPECT_FALSE(fnCanDropOnFoundation(t.ctx, 0, Card("AH'")));
    t.Set(32, 13);
    t.Put("Dest2", {"AD"});
    t.Single(Card("2D"));
    EXPECT_TRUE(fnCanDropOnFoundation(t.ctx, 1, Card("2D")));
    t.Group(Card("2D"), Card("AS"));
    EXPECT_FALSE(fnCanDropOnFoundation(t.ctx, 1, Card("2D"))) << "only single cards";
}

TEST(FoundationLegality, DownFromKingStopsAtTheAce) {
    LegalityTable t;
    t.Set(51, 13);
    t.Set(67, 0);
    t.Set(32, 26);
    t.Put("Dest1", {"KS", "QS", "JS", "10S", "9S", "8S", "7S", "6S", "5S", "4S", "3S", "2S"});
    t.Single(Card("AS"));
    EXPECT_TRUE(fnCanDropOnFoundation(t.ctx, 0, Card("AS")));
    t.Put("Dest1", {"AS"});
    t.Single(Card("KS'"));
    EXPECT_FALSE(fnCanDropOnFoundation(t.ctx, 0, Card("KS'")));
}

TEST(FoundationLegality, FullFoundationAndQueenMethod) {
    KlondikeTable t;
    t.Set(32, 1);
    t.Put("Dest1", {"AH"});
    t.Single(Card("2H"));
    EXPECT_FALSE(fnCanDropOnFoundation(t.ctx, 0, Card("2H")));
    t.Set(84, 10); // foundation 2 takes a Queen onto its empty pile only
    t.Single(Card("QC"));
    EXPECT_TRUE(fnCanDropOnFoundation(t.ctx, 1, Card("QC")));
    t.Single(Card("KC"));
    EXPECT_FALSE(fnCanDropOnFoundation(t.ctx, 1, Card("KC")));
}

TEST(TableauLegality, StopRankSevenTurnsTheCornerButStopsOnSeven) {
    LegalityTable t;
    t.Set(51, 7);
    for (int i = 0; i < 2; ++i) {
        t.Set(211 + i, 2);
        t.Set(131 + i, -1);
    }
    t.Put("Fila1", {"AS"});
    t.Single(Card("KH"));
    EXPECT_TRUE(fnCanDropOnTableau(t.ctx, 0, Card("KH")));
    t.Put("Fila2", {"7S"});
    t.Single(Card("6H"));
    EXPECT_FALSE(fnCanDropOnTableau(t.ctx, 1, Card("6H")));
    t.Set(252, 1);
    EXPECT_TRUE(fnCanDropOnTableau(t.ctx, 1, Card("6H")));
}

TEST(TableauLegality, PairRuleOfPastStopTwo) {
    LegalityTable t;
    t.Set(51, 1);
    t.Set(211, 2);
    t.Set(171, 0);
    t.Set(251, 2);
    t.Put("Fila1", {"AS"});
    t.Single(Card("2H"));
    EXPECT_FALSE(fnCanDropOnTableau(t.ctx, 0, Card("2H"))) << "Ace takes a Two only building up";
    t.Set(171, 2);
    EXPECT_TRUE(fnCanDropOnTableau(t.ctx, 0, Card("2H")));
}

TEST(GroupSize, FreeCellsAndSpaces) {
    LegalityTable t;
    t.Set(13, -5);
    t.Set(367, 3);
    t.Set(368, 2);
    t.Put("Fila1", {"KS", "QH", "JS", "10H", "9S"});
    t.Put("Fila2", {"10D"});
    // Two empty reserves and one empty tableau pile.
    EXPECT_TRUE(fnGroupSizeAllowed(t.ctx, Card("QH"), false));  // 4 onto a pile
    EXPECT_FALSE(fnGroupSizeAllowed(t.ctx, Card("KS"), false)); // 5 is too many
    EXPECT_TRUE(fnGroupSizeAllowed(t.ctx, Card("JS"), true));   // 3 into the space
    EXPECT_FALSE(fnGroupSizeAllowed(t.ctx, Card("QH"), true));  // 4 into it is not
    t.Set(211 + 2, 12);
    t.Group(Card("QH"), Card("9S"));
    EXPECT_FALSE(fnCanDropOnTableau(t.ctx, 2, Card("QH")));
    t.Group(Card("JS"), Card("9S"));
    EXPECT_TRUE(fnCanDropOnTableau(t.ctx, 2, Card("JS")));
    t.Set(13, -6);
    EXPECT_FALSE(fnGroupSizeAllowed(t.ctx, Card("QH"), false));
    EXPECT_TRUE(fnGroupSizeAllowed(t.ctx, Card("JS"), false));
}

TEST(GroupSize, OtherLimits) {
    LegalityTable t;
    t.Put("Fila1", {"KS", "QH", "JS", "10H"});
    t.Set(13, -13);
    EXPECT_FALSE(fnGroupSizeAllowed(t.ctx, Card("QH"), false)) << "a middle group";
    EXPECT_TRUE(fnGroupSizeAllowed(t.ctx, Card("KS"), false)) << "the whole pile";
    EXPECT_TRUE(fnGroupSizeAllowed(t.ctx, Card("10H"), false));
    t.Set(13, -12);
    EXPECT_TRUE(fnGroupSizeAllowed(t.ctx, Card("KS"), false));
    EXPECT_FALSE(fnGroupSizeAllowed(t.ctx, Card("QH"), false));
    t.Set(13, 2);
    EXPECT_TRUE(fnGroupSizeAllowed(t.ctx, Card("JS"), false));
    EXPECT_FALSE(fnGroupSizeAllowed(t.ctx, Card("QH"), false));
    t.Set(13, -2); // the number of spaces, at least one
    t.Set(367, 3);
    EXPECT_TRUE(fnGroupSizeAllowed(t.ctx, Card("JS"), false));
    EXPECT_FALSE(fnGroupSizeAllowed(t.ctx, Card("QH"), false));
}

TEST(GroupSize, PileBlockRule) {
    LegalityTable t;
    t.Set(13, -15);
    t.Set(367, 20);
    t.Set(368, 10);
    t.Put("Fila2", {"5H"});
    t.Put("Fila3", {"6H"});
    t.Put("Fila9", {"7H"});
    t.Put("Fila12", {"8H"});
    EXPECT_TRUE(fnGroupSizeAllowed(t.ctx, Card("5H"), false));
    EXPECT_FALSE(fnGroupSizeAllowed(t.ctx, Card("6H"), false)) << "pile 2 before it holds cards";
    EXPECT_TRUE(fnGroupSizeAllowed(t.ctx, Card("7H"), false));
    EXPECT_TRUE(fnGroupSizeAllowed(t.ctx, Card("8H"), false)) << "a block of its own";
    t.Put("Fila10", {"9H"});
    EXPECT_FALSE(fnGroupSizeAllowed(t.ctx, Card("7H"), false));
    t.Put("Appogg3", {"2C"});
    t.Put("Appogg1", {"3C"});
    t.Put("Appogg7", {"4C"});
    t.Put("Appogg8", {"5C"});
    EXPECT_FALSE(fnGroupSizeAllowed(t.ctx, Card("2C"), false));
    EXPECT_TRUE(fnGroupSizeAllowed(t.ctx, Card("3C"), false));
    EXPECT_FALSE(fnGroupSizeAllowed(t.ctx, Card("4C"), false));
    EXPECT_TRUE(fnGroupSizeAllowed(t.ctx, Card("5C"), false));
}

TEST(ReserveLegality, DefaultKindTakesOneCardIntoAnEmptyReserve) {
    LegalityTable t;
    t.Put("Appogg1", {"5H"});
    t.Single(Card("6C"));
    EXPECT_FALSE(fnCanDropOnPile(t.ctx, Card("6C"), "Appogg1"));
    EXPECT_TRUE(fnCanDropOnPile(t.ctx, Card("6C"), "Appogg2"));
    t.Group(Card("6C"), Card("5D"));
    EXPECT_FALSE(fnCanDropOnPile(t.ctx, Card("6C"), "Appogg2"));
}

TEST(ReserveLegality, Kinds) {
    LegalityTable t;
    t.Single(Card("JC"));
    t.Set(331, 4);
    EXPECT_FALSE(fnCanDropOnReserve(t.ctx, 1, Card("JC")));
    t.Set(331, 88);
    EXPECT_TRUE(fnCanDropOnReserve(t.ctx, 1, Card("JC")));
    EXPECT_FALSE(fnCanDropOnReserve(t.ctx, 1, Card("QC")));
    t.Set(331, 107);
    t.Put("Appogg1", {"AH"});
    EXPECT_TRUE(fnCanDropOnReserve(t.ctx, 1, Card("AS")));
    EXPECT_FALSE(fnCanDropOnReserve(t.ctx, 1, Card("AD")));
    t.Set(332, 85);
    t.Put("Mazzo_Vis", {"9D"});
    t.Put("Fila1", {"9C"});
    EXPECT_TRUE(fnCanDropOnReserve(t.ctx, 2, Card("9D")));
    EXPECT_FALSE(fnCanDropOnReserve(t.ctx, 2, Card("9C")));
    t.Set(333, 12);
    t.Group(Card("9C"), Card("8H"));
    EXPECT_TRUE(fnCanDropOnReserve(t.ctx, 3, Card("9C")));
}

TEST(StockFirst, TableauCardsWaitForTheStock) {
    KlondikeTable t;
    t.Set(35, 1);
    t.Put("Mazzo", {"5C"}, '0');
    t.Put("Fila1", {"AS"});
    t.Put("Mazzo_Vis", {"AH"});
    t.Single(Card("AS"));
    EXPECT_FALSE(fnCanDropOnFoundation(t.ctx, 0, Card("AS")));
    t.Single(Card("AH"));
    EXPECT_TRUE(fnCanDropOnFoundation(t.ctx, 0, Card("AH")));
    t.Put("Fila2", {"3D"});
    t.Single(Card("AS"));
    t.Set(212, 12);
    EXPECT_TRUE(fnCanDropOnTableau(t.ctx, 1, Card("AS"))) << "value 1 spares the tableau";
}

TEST(EmptyPileRules, BalancedStarts) {
    LegalityTable t;
    for (int i = 0; i < 4; ++i) {
        t.Set(51 + i, 81);
        t.Set(67 + i, 1);
    }
    t.Put("Dest1", {"AH"});
    t.Put("Dest2", {"AD"});
    t.Single(Card("AH'"));
    EXPECT_FALSE(fnCanDropOnFoundation(t.ctx, 2, Card("AH'"))) << "a third red Ace";
    EXPECT_TRUE(fnCanDropOnFoundation(t.ctx, 2, Card("AC")));
    EXPECT_FALSE(fnCanDropOnFoundation(t.ctx, 2, Card("2C")));
    for (int i = 0; i < 4; ++i)
        t.Set(51 + i, 85);
    t.ctx.table.Pile({PileGroupId::Dest, 1}).clear();
    t.Put("Dest2", {"AC"});
    EXPECT_FALSE(fnCanDropOnFoundation(t.ctx, 2, Card("AC'"))) << "a suit twice";
    EXPECT_TRUE(fnCanDropOnFoundation(t.ctx, 2, Card("AD")));
    EXPECT_TRUE(t.host.informations.empty());
}

TEST(EmptyPileRules, CardWithoutSuitIsReported) {
    LegalityTable t;
    for (int i = 0; i < 4; ++i)
        t.Set(51 + i, 81);
    t.ctx.table.Pile({PileGroupId::Dest, 0}) = CardCode(105);
    t.Single(Card("AH"));
    EXPECT_TRUE(fnCanDropOnFoundation(t.ctx, 1, Card("AH")));
    ASSERT_EQ(t.host.informations.size(), 1u);
    EXPECT_EQ(t.host.informations[0], "Error suit - 1");
}

TEST(EmptyPileRules, SourceRules) {
    LegalityTable t;
    t.Put("Fila1", {"5C"});
    t.Put("Mazzo_Vis", {"5D"});
    t.Put("Appogg1", {"5S"});
    t.Set(132, 87);
    t.Single(Card("5C"));
    EXPECT_TRUE(fnCanDropOnTableau(t.ctx, 1, Card("5C")));
    EXPECT_FALSE(fnCanDropOnTableau(t.ctx, 1, Card("5D")));
    t.Set(132, 88);
    EXPECT_FALSE(fnCanDropOnTableau(t.ctx, 1, Card("5C")));
    EXPECT_TRUE(fnCanDropOnTableau(t.ctx, 1, Card("5D")));
    t.Set(132, 96); // reserves first while they hold cards
    EXPECT_TRUE(fnCanDropOnTableau(t.ctx, 1, Card("5S")));
    EXPECT_FALSE(fnCanDropOnTableau(t.ctx, 1, Card("5D")));
    t.Set(132, 0);
    EXPECT_FALSE(fnCanDropOnTableau(t.ctx, 1, Card("5S")));
}

// One tableau pile with a method under test, building down unless said.
struct MethodTable : LegalityTable {
    explicit MethodTable(int method, int dir = 0) {
        Set(51, 1);
        Set(131, -1);
        Set(211, method);
        Set(171, dir);
    }
    bool OnTo(std::initializer_list<std::string_view> pile, std::string_view card) {
        ctx.table.Pile({PileGroupId::Fila, 0}).clear();
        Put("Fila1", pile);
        Single(Card(card));
        return fnCanDropOnTableau(ctx, 0, Card(card));
    }
};

TEST(SpecialMethods, OneAcceptAndOneRefusalEach) {
    {
        MethodTable t(25, 1);
        EXPECT_TRUE(t.OnTo({"5H"}, "7H"));
        EXPECT_FALSE(t.OnTo({"5H"}, "6H"));
        EXPECT_FALSE(t.OnTo({"5H"}, "7C"));
    }
    {
        MethodTable t(28);
        EXPECT_TRUE(t.OnTo({"5H"}, "4C"));
        EXPECT_TRUE(t.OnTo({"5H"}, "6S"));
        EXPECT_FALSE(t.OnTo({"KH"}, "AS")) << "no corner";
    }
    {
        MethodTable t(31);
        EXPECT_TRUE(t.OnTo({"5H"}, "4H"));
        EXPECT_FALSE(t.OnTo({"AH"}, "KH"));
    }
    {
        MethodTable t(34);
        EXPECT_TRUE(t.OnTo({"5H"}, "4C"));
        t.ctx.table.Pile({PileGroupId::Fila, 0}).clear();
        t.Put("Fila1", {"5H"});
        t.Put("Fila2", {"4C", "3D"});
        t.Group(Card("4C"), Card("3D"));
        t.Set(213, 34);
        t.Set(133, -1);
        EXPECT_FALSE(fnCanDropOnTableau(t.ctx, 0, Card("4C"))) << "a group only to a space";
        EXPECT_TRUE(fnCanDropOnTableau(t.ctx, 2, Card("4C")));
    }
    {
        MethodTable t(68);
        EXPECT_TRUE(t.OnTo({"KH"}, "AS"));
        EXPECT_TRUE(t.OnTo({"AH"}, "KS"));
        EXPECT_FALSE(t.OnTo({"5H"}, "7S"));
    }
    {
        MethodTable t(77);
        EXPECT_TRUE(t.OnTo({}, "AS"));
        EXPECT_TRUE(t.OnTo({"AH", "AS", "AC", "AD"}, "2S"));
        EXPECT_FALSE(t.OnTo({"AH", "AS", "AC"}, "2S"));
    }
    {
        MethodTable t(86);
        EXPECT_TRUE(t.OnTo({"5H"}, "6C")) << "hearts, then clubs";
        EXPECT_FALSE(t.OnTo({"5H"}, "6D"));
        EXPECT_TRUE(t.OnTo({"5S"}, "6H"));
        EXPECT_FALSE(t.OnTo({}, "2C"));
    }
}

TEST(SpecialMethods, TwoPackFoundationUpThenDown) {
    LegalityTable t;
    t.Set(51, 81);
    t.Set(67, 1);
    t.Set(83, 29);
    t.Set(32, 0); // method 29 ignores the foundation limit
    t.Set(366, 2);
    t.Set(52, 81);
    t.Single(Card("AH"));
    EXPECT_TRUE(fnCanDropOnFoundation(t.ctx, 0, Card("AH")));
    t.Put("Dest1", {"AH", "2H", "3H", "4H", "5H", "6H", "7H", "8H", "9H", "10H", "JH", "QH"});
    t.Single(Card("KH"));
    EXPECT_TRUE(fnCanDropOnFoundation(t.ctx, 0, Card("KH")));
    t.Put("Dest1", {"KH"});
    t.Single(Card("KH'"));
    EXPECT_TRUE(fnCanDropOnFoundation(t.ctx, 0, Card("KH'"))) << "a King as the 14th card";
    t.Put("Dest1", {"KH'"});
    t.Single(Card("QH'"));
    EXPECT_TRUE(fnCanDropOnFoundation(t.ctx, 0, Card("QH'")));
    t.Single(Card("QD"));
    EXPECT_FALSE(fnCanDropOnFoundation(t.ctx, 0, Card("QD")));
}

TEST(SpecialMethods, OpenAndUnknownMethodsRefuse) {
    for (int method : {40, 72, 91, 110, build_method::kFirstUnknown, 500}) {
        MethodTable t(method);
        EXPECT_FALSE(t.OnTo({"5H"}, "4C")) << method;
        EXPECT_FALSE(t.OnTo({}, "4C")) << method;
    }
    MethodTable standard(22); // a value without rule of its own builds regardless of suit
    EXPECT_TRUE(standard.OnTo({"5H"}, "4H"));
}

TEST(SpecialMethods, EmptyWhileStockEmpty) {
    MethodTable t(7);
    EXPECT_TRUE(t.OnTo({}, "9C"));
    EXPECT_FALSE(t.OnTo({"10H"}, "9C"));
    t.Put("Mazzo", {"2C"}, '0');
    EXPECT_FALSE(t.OnTo({}, "9C"));
}

TEST(PileCodes, WhereACardLies) {
    LegalityTable t;
    t.Put("Mazzo", {"2C"});
    t.Put("Mazzo_Vis", {"3C"});
    t.Put("Dest4", {"4C"});
    t.Put("Fila7", {"5C", "6C"});
    t.Put("Appogg2", {"7C"});
    EXPECT_EQ(fnPileCodeOf(t.ctx, Card("2C")), -99);
    EXPECT_EQ(fnPileCodeOf(t.ctx, Card("3C")), -98);
    EXPECT_EQ(fnPileCodeOf(t.ctx, Card("4C")), -4);
    EXPECT_EQ(fnPileCodeOf(t.ctx, Card("5C")), 7);
    EXPECT_EQ(fnPileCodeOf(t.ctx, Card("7C")), -22);
    EXPECT_EQ(fnPileCodeOf(t.ctx, Card("8C")), 0);
    EXPECT_TRUE(fnIsTopCard(t.ctx, Card("6C")));
    EXPECT_FALSE(fnIsTopCard(t.ctx, Card("5C")));
    EXPECT_FALSE(fnIsTopCard(t.ctx, Card("4C"))) << "foundations are not asked";
    EXPECT_EQ(fnGroupFrom(t.ctx, Card("5C")), (std::vector<int>{Card("5C"), Card("6C")}));
    EXPECT_TRUE(fnGroupFrom(t.ctx, Card("3C")).empty());
}

} // namespace
} // namespace quendra::test
