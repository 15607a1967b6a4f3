#include "cards.h"
#include "deal_cards.h"
#include "fake_host.h"
#include "game_context.h"
#include "score.h"

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

namespace quendra {

using pile::Dest;
using pile::Fila;
namespace {

constexpr PileRef Mazzo{PileGroupId::Stock, kMazzo};

class DealCardsTest : public ::testing::Test {
  protected:
    DealCardsTest() : ctx(host) {
        SetSetting(ctx.settings, field::kDealNumber, "1234567890123");
        SetSetting(ctx.settings, field::kScore, "0");
    }
    void Set(int param, int value) { ctx.params[static_cast<std::size_t>(param)] = value; }

    // Klondike: 24 in the stock, seven piles of 1 to 7 with the top card up, four Aces'
    // foundations building up in suit.
    void Klondike() {
        Set(370, 52);
        Set(371, 24);
        Set(7, 1);
        Set(366, 4);
        Set(367, 7);
        for (int i = 0; i < 7; ++i) {
            Set(374 + i, i + 1);
            Set(414 + i, 1);
        }
        for (int i = 0; i < 4; ++i) {
            Set(51 + i, 1);
            Set(67 + i, 1);
        }
    }

    std::vector<int> AllCards() const {
        std::vector<int> cards;
        for (int line = 0; line < kSnapshotLines; ++line) {
            const std::string& pile = ctx.table.Pile(SnapshotLinePile(line));
            for (int k = 0; k < PileCardCount(pile); ++k)
                cards.push_back(PileCardAt(pile, k));
        }
        std::sort(cards.begin(), cards.end());
        return cards;
    }
    int FaceUp(PileRef pile) const {
        const std::string& cards = ctx.table.Pile(pile);
        int up = 0;
        for (int k = 0; k < PileCardCount(cards); ++k)
            up += ctx.cardTable.Face(PileCardAt(cards, k)) == '1';
        return up;
    }
    void SetPile(PileRef pile, std::vector<int> cards) {
        ctx.table.Pile(pile).clear();
        for (int c : cards)
            fnPutCard(ctx, pile, c, '1');
    }

    test::FakeHost host;
    GameContext ctx;
};

TEST_F(DealCardsTest, KlondikeDealsEveryCardOnceWithTopCardsUp) {
    Klondike();
    DealCards(ctx);
    std::vector<int> expected(52);
    for (int c = 1; c <= 52; ++c)
        expected[static_cast<std::size_t>(c - 1)] = c;
    EXPECT_EQ(AllCards(), expected);
    EXPECT_EQ(PileCardCount(ctx.table.Pile(Mazzo)), 24);
    EXPECT_EQ(FaceUp(Mazzo), 0);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(PileCardCount(ctx.table.Pile(Fila(i))), i + 1);
        EXPECT_EQ(FaceUp(Fila(i)), 1);
        EXPECT_EQ(ctx.cardTable.Face(PileTopCard(ctx.table.Pile(Fila(i)))), '1');
    }
    // A stock dealt face up when the game says so.
    ctx.table.Clear();
    Set(7, 0);
    DealCards(ctx);
    EXPECT_EQ(FaceUp(Mazzo), 24);
}

TEST_F(DealCardsTest, BaseRanksByParameterOne) {
    Klondike();
    Set(371, 23);
    Set(1, 1);
    DealCards(ctx);
    const int first = PileCardAt(ctx.table.Pile(Dest(0)), 0);
    ASSERT_GT(first, 0);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(ctx.Param(51 + i), fnRank(first));
    EXPECT_EQ(AllCards().size(), 52u);

    ctx.table.Clear();
    Set(1, 2);
    Set(371, 20);
    DealCards(ctx);
    for (int i = 0; i < 4; ++i) {
        const std::string& pile = ctx.table.Pile(Dest(i));
        ASSERT_EQ(PileCardCount(pile), 1);
        EXPECT_EQ(ctx.Param(51 + i), fnRank(PileCardAt(pile, 0)));
    }

    ctx.table.Clear();
    Set(1, 4);
    Set(366, 8);
    Set(371, 23);
    DealCards(ctx);
    const int rank = fnRank(PileCardAt(ctx.table.Pile(Dest(0)), 0));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(ctx.Param(51 + i), rank);
    for (int i = 4; i < 8; ++i)
        EXPECT_EQ(ctx.Param(51 + i), fnNextRank(rank));
}

TEST_F(DealCardsTest, KingsThenAcesOfTheFirstPackStartEightFoundations) {
    Klondike();
    Set(370, 104);
    Set(366, 8);
    Set(371, 0);
    for (int i = 0; i < 7; ++i)
        Set(374 + i, 0);
    for (int i = 0; i < 8; ++i) {
        Set(99 + i, 95);
        Set(83 + i, 4); // nothing builds: the sweep finds no tableau anyway
    }
    DealCards(ctx);
    const std::vector<int> starts = {13, 26, 39, 52, 1, 14, 27, 40};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(PileCardAt(ctx.table.Pile(Dest(i)), 0), starts[static_cast<std::size_t>(i)]);
        EXPECT_EQ(ctx.Param(51 + i), fnRank(starts[static_cast<std::size_t>(i)]));
    }
}

TEST_F(DealCardsTest, SweepRetriesThePlaceAfterACardLeavesIt) {
    Set(366, 1);
    Set(367, 2);
    Set(51, 1);
    Set(67, 1);
    SetPile(Dest(0), {1});
    SetPile(Fila(0), {4});
    SetPile(Fila(1), {2, 3});
    FoundationSweep(ctx, foundation_code::kSweepAll);
    EXPECT_EQ(ctx.table.Pile(Dest(0)), "001002003");
    EXPECT_EQ(ctx.table.Pile(Fila(0)), "004");
    EXPECT_TRUE(ctx.table.Pile(Fila(1)).empty());
    EXPECT_EQ(StoredScore(ctx), 10);
}

TEST_F(DealCardsTest, SweepByOwnFoundationOffersOnlyToTheSameIndex) {
    Set(366, 2);
    Set(367, 2);
    for (int i = 0; i < 2; ++i) {
        Set(51 + i, 1);
        Set(67 + i, 1);
    }
    SetPile(Dest(0), {1});
    SetPile(Dest(1), {14});
    SetPile(Fila(0), {15}); // the Two of diamonds sits over the hearts' foundation
    SetPile(Fila(1), {2});
    FoundationSweep(ctx, foundation_code::kSweepOwn);
    EXPECT_EQ(ctx.table.Pile(Fila(0)), "015");
    EXPECT_EQ(ctx.table.Pile(Fila(1)), "002");
    FoundationSweep(ctx, foundation_code::kSweepAll);
    EXPECT_TRUE(ctx.table.Pile(Fila(0)).empty());
    EXPECT_TRUE(ctx.table.Pile(Fila(1)).empty());
}

TEST_F(DealCardsTest, AceFoundationCodeWithSweepDealsEveryCardOnce) {
    Klondike();
    Set(371, 0);
    for (int i = 0; i < 4; ++i)
        Set(99 + i, foundation_code::kSweepAll);
    for (int i = 0; i < 7; ++i)
        Set(374 + i, 7);
    Set(374 + 6, 6);
    DealCards(ctx);
    EXPECT_EQ(AllCards().size(), 52u);
    int onFoundations = 0;
    for (int i = 0; i < 4; ++i) {
        const std::string& pile = ctx.table.Pile(Dest(i));
        EXPECT_EQ(PileCardAt(pile, 0), i * 13 + 1);
        for (int k = 0; k < PileCardCount(pile); ++k)
            EXPECT_EQ(PileCardAt(pile, k), i * 13 + 1 + k);
        onFoundations += PileCardCount(pile);
    }
    EXPECT_EQ(StoredScore(ctx), 5 * (onFoundations - 4));
}

TEST_F(DealCardsTest, KingsMoveToTheBottomOfTheirPiles) {
    Set(370, 52);
    Set(367, 13);
    for (int i = 0; i < 13; ++i) {
        Set(374 + i, 4);
        Set(414 + i, 4);
    }
    DealCards(ctx);
    const PileGroups plain = ctx.table;
    ctx.table.Clear();
    Set(34, deal_mode::kKingsToBottom);
    DealCards(ctx);
    int kings = 0;
    for (int i = 0; i < 13; ++i) {
        std::vector<int> before, after;
        for (int k = 0; k < 4; ++k) {
            before.push_back(PileCardAt(plain.FilaGroup[static_cast<std::size_t>(i)], k));
            after.push_back(PileCardAt(ctx.table.Pile(Fila(i)), k));
        }
        std::stable_partition(before.begin(), before.end(), [](int c) { return fnRank(c) == 13; });
        EXPECT_EQ(after, before) << "pile " << i + 1;
        kings += static_cast<int>(
            std::count_if(after.begin(), after.end(), [](int c) { return fnRank(c) == 13; }));
        EXPECT_EQ(FaceUp(Fila(i)), 4);
    }
    EXPECT_EQ(kings, 4);
}

// Nestor: no pile repeats a rank; the cards that would repeat one wait for a later pile, the
// last ones filling the reserves. Every card is dealt once.
TEST_F(DealCardsTest, NoPileRepeatsARankAndTheRestFillTheReserves) {
    Set(370, 52);
    Set(367, 8);
    Set(368, 4);
    Set(34, deal_mode::kNoRepeatedRanks);
    for (int i = 0; i < 8; ++i) {
        Set(374 + i, 6);
        Set(414 + i, 6);
    }
    for (int r = 0; r < 4; ++r) {
        Set(455 + r, 1);
        Set(465 + r, 1);
    }
    for (int deal = 1; deal <= 20; ++deal) {
        ctx.table.Clear();
        SetSetting(ctx.settings, field::kDealNumber, std::to_string(deal));
        DealCards(ctx);
        std::vector<int> all;
        for (int i = 0; i < 8; ++i) {
            const std::string& pile = ctx.table.Pile(Fila(i));
            ASSERT_EQ(PileCardCount(pile), 6);
            std::vector<int> ranks;
            for (int k = 0; k < 6; ++k) {
                ranks.push_back(fnRank(PileCardAt(pile, k)));
                all.push_back(PileCardAt(pile, k));
            }
            std::sort(ranks.begin(), ranks.end());
            EXPECT_EQ(std::adjacent_find(ranks.begin(), ranks.end()), ranks.end())
                << "deal " << deal << " pile " << i + 1;
        }
        for (int r = 0; r < 4; ++r) {
            ASSERT_EQ(PileCardCount(ctx.table.Pile(pile::Appogg(r))), 1);
            all.push_back(PileTopCard(ctx.table.Pile(pile::Appogg(r))));
        }
        std::sort(all.begin(), all.end());
        EXPECT_EQ(std::unique(all.begin(), all.end()), all.end());
        EXPECT_EQ(all.size(), 52u);
    }
}

// Challenge FreeCell: the Aces and Twos lie at the bottom of the eight piles; every other
// card keeps its turn in the deal, dealt across the piles row by row.
TEST_F(DealCardsTest, AcesAndTwosAreDealtFirst) {
    Set(370, 52);
    Set(367, 8);
    for (int i = 0; i < 8; ++i) {
        Set(374 + i, i < 4 ? 7 : 6);
        Set(414 + i, i < 4 ? 7 : 6);
    }
    const auto dealOrder = [&](const PileGroups& table) {
        std::vector<int> cards;
        for (int place = 0; place < 7; ++place)
            for (int i = 0; i < 8; ++i)
                if (place < PileCardCount(table.FilaGroup[static_cast<std::size_t>(i)]))
                    cards.push_back(PileCardAt(table.FilaGroup[static_cast<std::size_t>(i)], place));
        return cards;
    };
    DealCards(ctx);
    std::vector<int> expected = dealOrder(ctx.table);
    ctx.table.Clear();
    Set(34, deal_mode::kAcesAndTwosFirst);
    DealCards(ctx);
    std::stable_partition(expected.begin(), expected.end(), [](int c) { return fnRank(c) <= 2; });
    EXPECT_EQ(dealOrder(ctx.table), expected);
    for (int i = 0; i < 8; ++i) {
        EXPECT_LE(fnRank(PileCardAt(ctx.table.Pile(Fila(i)), 0)), 2) << "pile " << i + 1;
        EXPECT_EQ(PileCardCount(ctx.table.Pile(Fila(i))), i < 4 ? 7 : 6);
    }
}

// Blue Moon and Red Moon: four rows of thirteen become rows of fourteen places led by the
// Aces; Blue Moon leaves gaps where the Aces lay, Red Moon one gap behind each Ace.
TEST_F(DealCardsTest, AcesLeadTheGapRows) {
    Set(370, 52);
    Set(367, 4);
    for (int i = 0; i < 4; ++i) {
        Set(374 + i, 13);
        Set(414 + i, 13);
    }
    DealCards(ctx);
    std::vector<int> dealt, aces;
    for (int i = 0; i < 4; ++i)
        for (int k = 0; k < 13; ++k) {
            const int card = PileCardAt(ctx.table.Pile(Fila(i)), k);
            (fnRank(card) == 1 ? aces : dealt).push_back(card);
        }
    const PileGroups plain = ctx.table;
    for (const int mode : {deal_mode::kAcesLeadRows, deal_mode::kAcesLeadRowsBeforeAGap}) {
        ctx.table.Clear();
        Set(34, mode);
        DealCards(ctx);
        std::vector<int> others;
        for (int i = 0; i < 4; ++i) {
            const std::string& row = ctx.table.Pile(Fila(i));
            ASSERT_EQ(PileCardCount(row), 14) << "mode " << mode << " row " << i + 1;
            EXPECT_EQ(PileCardAt(row, 0), aces[static_cast<std::size_t>(i)]);
            if (mode == deal_mode::kAcesLeadRowsBeforeAGap) EXPECT_EQ(PileCardAt(row, 1), 0);
            for (int k = 1; k < 14; ++k) {
                const int card = PileCardAt(row, k);
                if (card > 0) others.push_back(card);
                // Blue Moon: every other card keeps its place, one to the right.
                if (mode == deal_mode::kAcesLeadRows && card > 0)
                    EXPECT_EQ(card, PileCardAt(plain.FilaGroup[static_cast<std::size_t>(i)], k - 1));
            }
        }
        EXPECT_EQ(others, dealt) << "mode " << mode;
    }
}

// Maze: the Kings become gaps and the game's short rows are made up to nine places; the
// piles the game does not use stay empty.
TEST_F(DealCardsTest, TheMazePackLeavesNineWideRowsWithTheKingsAsGaps) {
    Set(370, 52);
    Set(367, 6);
    for (int i = 0; i < 6; ++i) {
        Set(374 + i, i < 4 ? 9 : 8);
        Set(414 + i, i < 4 ? 9 : 8);
    }
    Set(34, deal_mode::kKingsAsGaps);
    DealCards(ctx);
    int gaps = 0, cards = 0;
    for (int i = 0; i < 6; ++i) {
        const std::string& row = ctx.table.Pile(Fila(i));
        ASSERT_EQ(PileCardCount(row), 9) << "row " << i + 1;
        for (int k = 0; k < 9; ++k) {
            const int card = PileCardAt(row, k);
            EXPECT_NE(fnRank(card), 13);
            (card == 0 ? gaps : cards)++;
        }
    }
    EXPECT_EQ(gaps, 6);
    EXPECT_EQ(cards, 48);
    EXPECT_TRUE(ctx.table.Pile(Fila(6)).empty());
}

TEST_F(DealCardsTest, DeckSelections) {
    std::vector<int> deck;
    for (int c = 1; c <= 52; ++c)
        deck.push_back(c);
    Set(34, deal_mode::kNoCourtCards);
    std::vector<int> noCourt = deck;
    SelectDeck(ctx, noCourt);
    EXPECT_EQ(noCourt.size(), 44u);

    Set(34, deal_mode::kOneCardOfEachRank);
    Set(367, 10);
    std::vector<int> oneEach = {20, 7, 33, 1, 14, 13, 2};
    SelectDeck(ctx, oneEach);
    // 20, 7 and 33 are all Sevens; 13 is a King, above the ten ranks kept.
    EXPECT_EQ(oneEach, (std::vector<int>{20, 1, 2}));

    Set(34, deal_mode::kFirstRanks);
    Set(367, 16);
    std::vector<int> firsts = deck;
    SelectDeck(ctx, firsts);
    EXPECT_EQ(firsts.size(), 16u);
    EXPECT_EQ(firsts.back(), 29);
}

} // namespace
} // namespace quendra
