#include "cards.h"
#include "fake_host.h"
#include "game_context.h"

#include <gtest/gtest.h>

namespace quendra {
namespace {

TEST(Cards, RanksSuitsAndColoursAcrossBothPacksAndJokers) {
    EXPECT_EQ(fnRank(53), 1);
    EXPECT_EQ(fnRank(104), 13);
    EXPECT_EQ(fnRank(105), 100);
    EXPECT_EQ(fnRank(0), 0);
    EXPECT_EQ(fnRank(109), -1);
    EXPECT_EQ(fnSuit(105), -1);
    EXPECT_EQ(fnSuit(14), 1);
    EXPECT_EQ(fnSuit(80), 2); // 28 + 52: clubs of the second pack
    EXPECT_FALSE(fnIsRed(79));
    EXPECT_TRUE(fnIsRed(78));
    EXPECT_FALSE(fnIsRed(106));
    EXPECT_TRUE(fnIsFaceCard(63));
    EXPECT_FALSE(fnIsFaceCard(62));
    EXPECT_TRUE(fnIsJoker(108));
    EXPECT_FALSE(fnIsJoker(104));
    EXPECT_EQ(fnNextRank(13), 1);
    EXPECT_EQ(fnPrevRank(1), 13);
    EXPECT_EQ(fnRankText(1), "A");
    EXPECT_EQ(fnRankText(10), "10");
    EXPECT_EQ(fnRankText(12), "Q");
}

TEST(Cards, FormatNumberPadsSignsAndOverflows) {
    EXPECT_EQ(fnFormatNumber(5, 3), "005");
    EXPECT_EQ(fnFormatNumber(-1, 4), "-001");
    EXPECT_EQ(fnFormatNumber(-1, 3), "-01");
    EXPECT_EQ(fnFormatNumber(1234, 3), "***");
    EXPECT_EQ(fnFormatNumber(-100, 3), "***");
    EXPECT_EQ(fnFormatNumber(0, 1), "0");
}

TEST(CardTable, RecordsHoldNameSuitCodeAndFace) {
    CardTable table;
    EXPECT_EQ(table.Record(1), "CUORI_A        10011");
    EXPECT_EQ(table.Record(104), "PICCH_K        41041");
    EXPECT_EQ(table.Record(105), "JOKER          41051");
    EXPECT_EQ(table.Record(15), "QUADR_02       20151");
    EXPECT_EQ(table.Record(36), "FIORI_10       30361");
    for (int card = 1; card <= CardTable::kRecords; ++card)
        EXPECT_EQ(table.Record(card).size(), 20u) << card;
}

TEST(PileNames, ParsedByTheirNumericPart) {
    EXPECT_EQ(ParsePileName("Fila1"), (PileRef{PileGroupId::Fila, 0}));
    EXPECT_EQ(ParsePileName("Fila10"), (PileRef{PileGroupId::Fila, 9}));
    EXPECT_NE(ParsePileName("Fila1"), ParsePileName("Fila10"));
    EXPECT_EQ(ParsePileName("Appogg10"), (PileRef{PileGroupId::Appogg, 9}));
    EXPECT_EQ(ParsePileName("Mazzo_Waste"), (PileRef{PileGroupId::Stock, 2}));
    EXPECT_FALSE(ParsePileName("Fila41"));
    EXPECT_FALSE(ParsePileName("Fila0"));
    EXPECT_FALSE(ParsePileName("Dest17"));
    EXPECT_FALSE(ParsePileName("Fila100"));
    EXPECT_FALSE(ParsePileName("Mazzo_X"));
    for (int i = 0; i < kSnapshotLines; ++i) {
        const PileRef pile = SnapshotLinePile(i);
        EXPECT_EQ(ParsePileName(PileName(pile)), pile) << PileName(pile);
    }
}

class TableStateTest : public ::testing::Test {
  protected:
    test::FakeHost host;
    GameContext ctx{host};
};

TEST_F(TableStateTest, PutCardSetsFaceAndTopCardReadsTheRightPile) {
    fnPutCard(ctx, {PileGroupId::Fila, 0}, 13, '0');
    fnPutCard(ctx, {PileGroupId::Fila, 0}, 26, '1');
    fnPutCard(ctx, {PileGroupId::Fila, 9}, 0);
    EXPECT_EQ(ctx.table.FilaGroup[0], "013026");
    EXPECT_EQ(ctx.cardTable.Face(13), '0');
    EXPECT_EQ(fnTopCardOf(ctx, "Fila1"), 26);
    EXPECT_EQ(PileCardCount(ctx.table.FilaGroup[0]), 2);
    EXPECT_EQ(fnTopCardOf(ctx, "Fila10"), 0); // a gap holds no card
    EXPECT_EQ(PileCardCount(ctx.table.FilaGroup[9]), 1);
    EXPECT_EQ(fnTopCardOf(ctx, "Fila2"), 0);
    EXPECT_EQ(fnTopCardOf(ctx, "Nowhere"), 0);
    fnPutCard(ctx, {PileGroupId::Stock, kMazzoWaste}, 5, '1');
    EXPECT_EQ(fnTopCardOf(ctx, "Mazzo_Waste"), 0);
    EXPECT_EQ(fnCardName(ctx, 13), "CUORI_K");
}

TEST_F(TableStateTest, TurnCardsModes) {
    const std::string pile = "001002003004";
    fnTurnCards(ctx.cardTable, pile, -1, '1');
    EXPECT_EQ(std::string() + ctx.cardTable.Face(1) + ctx.cardTable.Face(2) +
                  ctx.cardTable.Face(3) + ctx.cardTable.Face(4),
              "1010");
    fnTurnCards(ctx.cardTable, pile, -2, '1');
    EXPECT_EQ(std::string() + ctx.cardTable.Face(1) + ctx.cardTable.Face(2), "01");
    fnTurnCards(ctx.cardTable, pile, -3, '1');
    EXPECT_EQ(std::string() + ctx.cardTable.Face(1) + ctx.cardTable.Face(2) +
                  ctx.cardTable.Face(3) + ctx.cardTable.Face(4),
              "1000");
    fnTurnCards(ctx.cardTable, pile, 2, '1');
    EXPECT_EQ(std::string() + ctx.cardTable.Face(1) + ctx.cardTable.Face(2) +
                  ctx.cardTable.Face(3) + ctx.cardTable.Face(4),
              "1011");
    fnTurnCards(ctx.cardTable, pile, 0, '0');
    fnTurnCards(ctx.cardTable, pile, -4, '0');
    EXPECT_EQ(ctx.cardTable.Face(4), '1');
}

TEST_F(TableStateTest, SnapshotRoundTripKeepsFacesAndGaps) {
    fnPutCard(ctx, {PileGroupId::Fila, 0}, 7, '0');
    TableSnapshot snapshot = BuildTableSnapshot(ctx);
    ASSERT_EQ(snapshot.size(), 69u);
    EXPECT_EQ(snapshot[19], "0070");
    for (std::size_t i = 0; i < snapshot.size(); ++i)
        if (i != 19) {
            EXPECT_TRUE(snapshot[i].empty()) << i;
        }

    fnPutCard(ctx, {PileGroupId::Appogg, 9}, 0);
    fnPutCard(ctx, {PileGroupId::Appogg, 9}, 52, '1');
    fnPutCard(ctx, {PileGroupId::Stock, kMazzo}, 100, '0');
    snapshot = BuildTableSnapshot(ctx);
    EXPECT_EQ(snapshot[68], "00000521");
    const PileGroups before = ctx.table;

    ctx.table.Clear();
    ctx.cardTable.SetFace(7, '1');
    ctx.cardTable.SetFace(100, '1');
    LoadTableSnapshot(ctx, snapshot);
    EXPECT_EQ(ctx.table, before);
    EXPECT_EQ(ctx.cardTable.Face(7), '0');
    EXPECT_EQ(ctx.cardTable.Face(100), '0');
}

TEST_F(TableStateTest, SnapshotLineReadUpToItsLastWholeUnitAndBadCodesBecomeGaps) {
    LoadPileFromSnapshotLine(ctx, {PileGroupId::Fila, 2}, "0131014");
    EXPECT_EQ(ctx.table.FilaGroup[2], "013");
    LoadPileFromSnapshotLine(ctx, {PileGroupId::Fila, 2}, "9991x2a10130");
    EXPECT_EQ(ctx.table.FilaGroup[2], "000000013");
    EXPECT_EQ(ctx.cardTable.Face(13), '0');
}

TEST_F(TableStateTest, ScratchCopyRestoresPilesButNotFaces) {
    fnPutCard(ctx, {PileGroupId::Dest, 3}, 1, '1');
    CopyToScratch(ctx);
    ctx.table.DestGroup[3].clear();
    ctx.cardTable.SetFace(1, '0');
    RestoreFromScratch(ctx);
    EXPECT_EQ(ctx.table.DestGroup[3], "001");
    EXPECT_EQ(ctx.cardTable.Face(1), '0');
}

TEST(SettingsRecord, FieldsArePaddedCutAndTrimmed) {
    SettingsRecord record;
    record.SetSetting(62, 4, "12");
    EXPECT_EQ(record.GetSetting(62, 4), "12");
    EXPECT_EQ(record.GetSetting(62, 5), "12");
    record.SetSetting(62, 4, "123456");
    EXPECT_EQ(record.GetSetting(62, 4), "1234");
    EXPECT_EQ(record.GetSetting(66, 1), "");
    record.SetSetting(189, 50, "   Klondike");
    EXPECT_EQ(record.GetSetting(189, 50), "Klondike");
    // Block C grows for long fields and keeps its neighbours.
    record.SetSetting(501, 200, "/home/player/");
    record.SetSetting(701, 200, "/tmp/saved.gam");
    EXPECT_EQ(record.GetSetting(501, 200), "/home/player/");
    EXPECT_EQ(record.GetSetting(701, 200), "/tmp/saved.gam");
    // Fields at the ends of blocks A and B do not touch each other.
    record.SetSetting(249, 1, "Y");
    record.SetSetting(250, 1, "N");
    EXPECT_EQ(record.GetSetting(249, 1), "Y");
    EXPECT_EQ(record.GetSetting(250, 1), "N");
}

} // namespace
} // namespace quendra
