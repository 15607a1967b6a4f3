#include "cards.h"
#include "deal.h"
#include "fake_host.h"

#include <algorithm>
#include <map>

#include <gtest/gtest.h>

namespace quendra {
namespace {

class DealTest : public ::testing::Test {
  protected:
    DeckList Deal(const std::string& number, int cards = 52, int jokers = 0, int stripped = 0) {
        ctx.params.fill(0);
        ctx.params[370] = static_cast<std::int16_t>(cards);
        ctx.params[44] = jokers > 0 ? 1 : 0;
        ctx.params[373] = static_cast<std::int16_t>(jokers);
        ctx.params[47] = static_cast<std::int16_t>(stripped);
        SetSetting(ctx.settings, field::kDealNumber, number);
        DeckList deck;
        fnGameNumberCardsArray(ctx, deck);
        return deck;
    }

    static std::map<std::string, int> Counts(const DeckList& deck) {
        std::map<std::string, int> counts;
        for (const auto& code : deck)
            ++counts[code];
        return counts;
    }

    test::FakeHost host;
    GameContext ctx{host};
};

TEST_F(DealTest, AllZeroDealTakesRanksInOrderFromSlotZero) {
    const DeckList deck = Deal("0000000000000");
    // The Aces walk 25, 18, 13, 22 from slot 0: slots 25, 43, 4 (56 - 52) and 26, with the
    // suits of suit row 0: spades, diamonds, clubs, hearts.
    EXPECT_EQ(deck[25], "040");
    EXPECT_EQ(deck[43], "014");
    EXPECT_EQ(deck[4], "027");
    EXPECT_EQ(deck[26], "001");
    // The Twos go on from slot 26: 51, 17 (69 - 52), 30, 0 (52 - 52).
    EXPECT_EQ(deck[51], "041");
    EXPECT_EQ(deck[17], "015");
    EXPECT_EQ(deck[30], "028");
    EXPECT_EQ(deck[0], "002");
}

TEST_F(DealTest, EveryCardOnceInOneAndTwoPacks) {
    for (const std::string number :
         {"0000000000000", "1234567890123", "9999999999999", "0000000000042", "5080706050403"}) {
        const DeckList one = Deal(number);
        ASSERT_EQ(one.size(), 52u);
        const auto oneCounts = Counts(one);
        EXPECT_EQ(oneCounts.size(), 52u) << number;
        EXPECT_EQ(oneCounts.count("000"), 0u) << number;

        const DeckList two = Deal(number, 104);
        ASSERT_EQ(two.size(), 104u);
        const auto twoCounts = Counts(two);
        EXPECT_EQ(twoCounts.size(), 104u) << number;
        for (const auto& [code, count] : twoCounts) {
            const int card = std::stoi(code);
            EXPECT_TRUE(card >= 1 && card <= 104) << code;
            EXPECT_EQ(count, 1) << code;
        }
    }
}

TEST_F(DealTest, ShortNumbersArePaddedAndDealsRepeat) {
    EXPECT_EQ(Deal("42"), Deal("0000000000042"));
    EXPECT_EQ(Deal("1234567890123"), Deal("1234567890123"));
    EXPECT_NE(Deal("1234567890123"), Deal("1234567890124"));
}

TEST_F(DealTest, JokersStandAtTheFirstStepsOfTheirRow) {
    // D2 D6 D12 = 2, 6, 2 gives Y = 262; row D1 = 1 steps 20 and 19 over 54 slots.
    const DeckList deck = Deal("1234567890123", 52, 2);
    ASSERT_EQ(deck.size(), 54u);
    EXPECT_EQ(deck[(262 + 20) % 54], "105");
    EXPECT_EQ(deck[((262 + 20) % 54 + 19) % 54], "106");
    const auto counts = Counts(deck);
    EXPECT_EQ(counts.size(), 54u);
    EXPECT_EQ(counts.count("000"), 0u);
}

TEST_F(DealTest, StrippedPacksRemoveCardsButKeepTheOrder) {
    const DeckList full = Deal("3141592653589");
    const DeckList noLow = Deal("3141592653589", 52, 0, 1);
    const DeckList noLowNoKings = Deal("3141592653589", 52, 0, 2);
    EXPECT_EQ(noLow.size(), 32u);
    EXPECT_EQ(noLowNoKings.size(), 28u);
    DeckList expected;
    std::copy_if(full.begin(), full.end(), std::back_inserter(expected), [](const auto& code) {
        const int rank = fnRank(std::stoi(code));
        return rank == 1 || rank >= 7;
    });
    EXPECT_EQ(noLow, expected);
    for (const auto& code : noLowNoKings)
        EXPECT_NE(fnRank(std::stoi(code)), 13) << code;
}

TEST_F(DealTest, UnsupportedDeckSizeIsReportedAndPlacesNoCards) {
    const DeckList deck = Deal("1234567890123", 60);
    EXPECT_EQ(deck, DeckList(60, "000"));
    ASSERT_EQ(host.informations.size(), 1u);
    EXPECT_EQ(host.informations[0], "Error 01 - fnGameNumberCardsArray");
    EXPECT_TRUE(Deal("1234567890123", 0).empty());
}

TEST_F(DealTest, SmallerDecksKeepTheFirstCardsPlaced) {
    const DeckList deck = Deal("2718281828459", 40);
    EXPECT_EQ(deck.size(), 40u);
    EXPECT_EQ(Counts(deck).size(), 40u);
    EXPECT_EQ(Counts(deck).count("000"), 0u);
}

TEST(NextFreeSlot, SearchesBothWaysThenFromTheStart) {
    const DeckList deck = {"001", "000", "002", "003", "000", "004"};
    EXPECT_EQ(NextFreeSlot(deck, 2, true), 4);
    EXPECT_EQ(NextFreeSlot(deck, 3, false), 1);
    EXPECT_EQ(NextFreeSlot(deck, 5, true), 1);
    EXPECT_EQ(NextFreeSlot(deck, 0, false), 1);
    EXPECT_EQ(NextFreeSlot({"001", "002"}, 0, true), -1);
}

TEST(DealNumber, NewNumbersHaveThirteenDigits) {
    test::FakeHost host;
    GameContext ctx{host};
    for (int i = 0; i < 20; ++i) {
        NewDealNumber(ctx);
        const std::string number = GetSetting(ctx.settings, field::kDealNumber);
        EXPECT_EQ(number.size(), 13u);
        EXPECT_TRUE(IsValidDealNumber(number)) << number;
    }
    EXPECT_FALSE(IsValidDealNumber(""));
    EXPECT_FALSE(IsValidDealNumber("12345678901234"));
    EXPECT_FALSE(IsValidDealNumber("12a"));
}

} // namespace
} // namespace quendra
