#include "fast_search.h"
#include "favourites.h"
#include "game_catalog.h"
#include "game_number.h"
#include "records_fixture.h"

#include <fstream>

#include <gtest/gtest.h>

namespace quendra {
namespace {

using Verdict = DealNumberCheck::Verdict;

TEST(DealNumberCheckTest, TypedNumbersAreCheckedAndPaddedTo13Digits) {
    EXPECT_EQ(CheckDealNumber("12a").verdict, Verdict::NotDigits);
    EXPECT_EQ(CheckDealNumber("-5").verdict, Verdict::NotDigits);
    EXPECT_EQ(CheckDealNumber("1 2").verdict, Verdict::NotDigits);
    // Nothing to play, and nothing to say.
    for (const char* zero : {"0", "000", "", "   ", "0000000000000"})
        EXPECT_EQ(CheckDealNumber(zero).verdict, Verdict::Zero) << '"' << zero << '"';
    // Fourteen digits would play some other deal: refused.
    EXPECT_EQ(CheckDealNumber("12345678901234").verdict, Verdict::TooLong);
    const DealNumberCheck longest = CheckDealNumber("9999999999999");
    EXPECT_EQ(longest.verdict, Verdict::Ok);
    EXPECT_EQ(longest.digits, "9999999999999");
    // Leading zeros do not count towards the limit.
    EXPECT_EQ(CheckDealNumber("0001234567890123").digits, "1234567890123");
    const DealNumberCheck small = CheckDealNumber(" 42 ");
    EXPECT_EQ(small.verdict, Verdict::Ok);
    EXPECT_EQ(small.digits, "0000000000042");
}

LogEntry Line(const std::string& game, const std::string& deal, bool won, const std::string& date,
              const std::string& time = "12:00:00", const std::string& player = "Ann") {
    LogEntry entry;
    entry.gameName = game;
    entry.deal = deal;
    entry.won = won;
    entry.date = date;
    entry.endTime = time;
    entry.player = player;
    return entry;
}

std::vector<std::string> Deals(const std::vector<LogEntry>& rows) {
    std::vector<std::string> deals;
    for (const LogEntry& row : rows)
        deals.push_back(row.deal);
    return deals;
}

TEST(LostGamesTest, OnlyDealsNeverWonAreListedOnceNewestFirst) {
    const std::vector<LogEntry> log = {
        Line("Klondike", "111", false, "20240101"),
        Line("Klondike", "222", false, "20240102", "09:00:00", "Bob"),
        Line("Klondike", "111", false, "20240103"),
        Line("Klondike", "111", true, "20240104", "12:00:00", "Bob"), // won once, by anyone
        Line("Klondike", "0000000000222", false, "20240105"),         // the same deal again
        Line("FreeCell", "333", false, "20240106"),                   // another game
        Line("Klondike", "111", false, "20240107"),
        Line("Klondike", "444", false, "20240102", "10:00:00"),
        Line("Klondike", "555", true, "20240108"),
    };
    const std::vector<LogEntry> rows = LostNeverWonDeals(log, "Klondike");
    // 222 is kept by its first key, Ann's loss of the 5th (players sort before dates), which
    // is newer than 444's loss of the 2nd.
    EXPECT_EQ(Deals(rows), (std::vector<std::string>{"0000000000222", "0000000000444"}));
    EXPECT_EQ(rows.at(0).player, "Ann");
    EXPECT_EQ(rows.at(0).date, "20240105");
    EXPECT_EQ(Deals(LostNeverWonDeals(log, "FreeCell")),
              (std::vector<std::string>{"0000000000333"}));
    EXPECT_TRUE(LostNeverWonDeals(log, "Spider").empty());
}

TEST(PreviousGamesTest, TheNewestHundredNewestFirst) {
    std::vector<LogEntry> log;
    for (int i = 0; i < 130; ++i)
        log.push_back(Line("Klondike", std::to_string(i + 1), false, "20240101"));
    const std::vector<LogEntry> rows = PreviousGames(log);
    ASSERT_EQ(rows.size(), 100u);
    EXPECT_EQ(rows.front().deal, "130");
    EXPECT_EQ(rows.back().deal, "31");
    EXPECT_EQ(PreviousGames({log.begin(), log.begin() + 3}).size(), 3u);
}

TEST(GameNumberLogTest, DamagedLogLinesAreSkippedAndTheRestListed) {
    test::Records r;
    r.End("Ann", false, 0, 60, 0, "777");
    r.End("Ann", false, 0, 60, 0, "888");
    {
        std::ofstream log(r.Path(kLogFile), std::ios::app | std::ios::binary);
        log << "short line\r\n"
            << std::string("\0\x01\xff\x7f", 4) << std::string(200, '\xee') << "\r\n";
    }
    r.End("Ann", true, 10, 60, 0, "888");
    const LogContents contents = ReadLog(r.ctx);
    EXPECT_EQ(contents.entries.size(), 3u);
    EXPECT_GE(contents.damagedLines, 2);
    EXPECT_EQ(Deals(LostNeverWonDeals(contents.entries, GameName(r.ctx, 0))),
              (std::vector<std::string>{"0000000000777"}));
}

std::vector<int> Numbers(const std::vector<FastSearchEntry>& entries) {
    std::vector<int> numbers;
    for (const FastSearchEntry& entry : entries)
        numbers.push_back(entry.number);
    return numbers;
}
bool Lists(const std::vector<FastSearchEntry>& entries, int game) {
    const std::vector<int> numbers = Numbers(entries);
    return std::find(numbers.begin(), numbers.end(), game) != numbers.end();
}

TEST(FastSearchListTest, FastSearchListsEachKindByName) {
    test::Records r;
    const std::vector<int> catalogue = CatalogueGameNumbers(r.ctx);
    ASSERT_GE(catalogue.size(), 3u);
    const int lostOnly = catalogue[1];
    const int neverPlayed = catalogue[2];
    r.End("Ann", false, 0, 60, 0);
    r.End("Ann", true, 5, 60, 0); // game 0 won once by Ann
    r.End("Ann", false, 0, 60, lostOnly);
    r.End("Bob", true, 5, 60, lostOnly); // someone else's win does not count

    const auto all = FastSearchGames(r.ctx, FastSearchType::AllGames);
    EXPECT_EQ(all.size(), catalogue.size());
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end(),
                               [](const auto& a, const auto& b) { return a.name < b.name; }));
    const auto neverWon = FastSearchGames(r.ctx, FastSearchType::NeverWon);
    EXPECT_FALSE(Lists(neverWon, 0));
    EXPECT_TRUE(Lists(neverWon, lostOnly));
    EXPECT_TRUE(Lists(neverWon, neverPlayed));
    EXPECT_EQ(neverWon.size(), catalogue.size() - 1);

    WriteFavourites(r.ctx, {GameName(r.ctx, neverPlayed), "No such game", GameName(r.ctx, 0)});
    const auto favourites = FastSearchGames(r.ctx, FastSearchType::Favourites);
    ASSERT_EQ(favourites.size(), 2u);
    EXPECT_LT(favourites[0].name, favourites[1].name);

    NoteGamePlayed(r.ctx, lostOnly);
    NoteGamePlayed(r.ctx, 0);
    const auto recent = FastSearchGames(r.ctx, FastSearchType::LastPlayed);
    EXPECT_EQ(recent.size(), 2u);
    EXPECT_TRUE(Lists(recent, 0) && Lists(recent, lostOnly));

    // The selected games are games of the catalogue, by name.
    const auto selected = FastSearchGames(r.ctx, FastSearchType::Selected);
    EXPECT_FALSE(selected.empty());
    for (const FastSearchEntry& entry : selected)
        EXPECT_EQ(entry.name, GameName(r.ctx, entry.number));
    EXPECT_TRUE(FastSearchGames(r.ctx, FastSearchType::Customised).empty());

    EXPECT_EQ(FastSearchTypeOf(4), FastSearchType::NeverWon);
    EXPECT_EQ(FastSearchTypeOf(6), FastSearchType::AllGames);
    EXPECT_EQ(FastSearchTypeOf(-1), FastSearchType::AllGames);
}

} // namespace
} // namespace quendra
