#include "hiscores.h"
#include "records_fixture.h"
#include "series.h"

#include <filesystem>

namespace quendra::test {
namespace {

SeriesGameResult Result(int score, int seconds, bool won, bool atMaximum = false) {
    SeriesGameResult r;
    r.score = score;
    r.seconds = seconds;
    r.won = won;
    r.atMaximum = atMaximum;
    return r;
}

TEST(Series, TheBuiltInSeriesAndWhetherTheCatalogueHasTheirGames) {
    Records r;
    ASSERT_EQ(BuiltInSeries().size(), 9u);
    EXPECT_EQ(SeriesGames(r.ctx, 1), (std::vector<int>{159, 8, 5, 127}));
    EXPECT_EQ(SeriesName(r.ctx, 5), "Klondike variations");
    EXPECT_EQ(SeriesName(r.ctx, 10), "");
    EXPECT_EQ(SeriesName(r.ctx, 5000), "");
    // The Klondike, Freecell and Canfield variations are all in the catalogue.
    for (int number : {5, 6, 7})
        EXPECT_TRUE(SeriesPlayable(r.ctx, number)) << number;
    EXPECT_FALSE(SeriesPlayable(r.ctx, 10));
}

TEST(Series, TheMaximumScoreIsFourPointsACardWhereAGameSetsNone) {
    Records r;
    // Read from the catalogue, and from the game loaded: the same figure.
    EXPECT_EQ(GameMaximumScore(r.ctx, 0), 4 * 52);
    EXPECT_EQ(GameMaximumScore(r.ctx, GameNumber(r.ctx, "Spider")), 4 * 104);
    SetSetting(r.ctx.settings, field::kGameNumber, "0091");
    ASSERT_TRUE(LoadGameDefinition(r.ctx));
    EXPECT_EQ(GameMaximumScore(r.ctx), GameMaximumScore(r.ctx, 91));
}

TEST(Series, UserSeriesAreTenLineRecordsAndAFreedNumberIsTakenAgain) {
    Records r;
    EXPECT_EQ(NewSeriesNumber(r.ctx), 5000);
    ASSERT_EQ(SaveUserSeries(r.ctx, 0, "Mine", {0, 1, 176}), 5000);
    ASSERT_EQ(SaveUserSeries(r.ctx, 0, "Second", {28}), 5001);
    const std::string text = r.Text(kSeriesFile);
    const std::vector<std::string> lines = SplitTextLines(text);
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(lines[0], "[R-0530]");
    EXPECT_EQ(lines[1], "5000" + PadRight("Mine", 50));
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "000000010176");
    EXPECT_EQ(lines[11].substr(0, 4), "5001");
    EXPECT_EQ(lines[13], "0028");
    for (std::size_t i : {4u, 5u, 10u, 12u, 14u, 20u})
        EXPECT_EQ(lines[i], "") << i;
    EXPECT_EQ(SeriesName(r.ctx, 5001), "Second");
    EXPECT_EQ(SeriesGames(r.ctx, 5000), (std::vector<int>{0, 1, 176}));

    // Editing keeps the number and the place; the series may keep its own name.
    ASSERT_EQ(SaveUserSeries(r.ctx, 5000, "mine", {30, 1}), 5000);
    EXPECT_EQ(SeriesGames(r.ctx, 5000), (std::vector<int>{30, 1}));
    EXPECT_EQ(SplitTextLines(r.Text(kSeriesFile)).size(), 21u);

    ASSERT_TRUE(DeleteUserSeries(r.ctx, 5000));
    EXPECT_EQ(SplitTextLines(r.Text(kSeriesFile)).size(), 11u);
    EXPECT_EQ(SeriesName(r.ctx, 5000), "");
    EXPECT_EQ(NewSeriesNumber(r.ctx), 5000);
    EXPECT_EQ(SaveUserSeries(r.ctx, 0, "Third", {0}), 5000);
    // The new record goes after the one kept.
    EXPECT_EQ(SplitTextLines(r.Text(kSeriesFile))[11].substr(0, 4), "5000");
}

TEST(Series, SavingRefusesAnEmptyNameNoGamesAndATakenName) {
    Records r;
    ASSERT_TRUE(SaveUserSeries(r.ctx, 0, "Mine", {0}));
    r.host.informations.clear();
    EXPECT_FALSE(SaveUserSeries(r.ctx, 0, "   ", {0}));
    EXPECT_FALSE(SaveUserSeries(r.ctx, 0, "Other", {}));
    EXPECT_FALSE(SaveUserSeries(r.ctx, 0, "MINE", {1}));
    // The built-in names are taken too.
    EXPECT_FALSE(SaveUserSeries(r.ctx, 0, "klondike variations", {1}));
    EXPECT_EQ(r.host.informations,
              (std::vector<std::string>{kSeriesNameEmptyMessage, kSeriesNoGameMessage,
                                        kSeriesNameTakenMessage, kSeriesNameTakenMessage}));
    EXPECT_EQ(NewSeriesNumber(r.ctx), 5001);
}

TEST(Series, ADamagedSeriesFileIsToldAndNeverWrittenOver) {
    Records r;
    const std::vector<std::pair<std::string, std::string>> damaged = {
        {"binary", std::string("\x7f" "ELF\0\x01\x02", 7)},
        {"unknown game", "[R-0530]\r\n5000Mine\r\n\r\n00000999\r\n"},
        {"games not 4 digits", "[R-0530]\r\n5000Mine\r\n\r\n000\r\n"},
        {"short first line", "[R-0530]\r\n50\r\n\r\n0000\r\n"},
        {"number out of range", "[R-0530]\r\n0042Mine\r\n\r\n0000\r\n"},
        {"number twice", "[R-0530]\r\n5000A\r\n\r\n0000\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
                         "5000B\r\n\r\n0001\r\n"},
    };
    for (const auto& [what, text] : damaged) {
        r.Write(kSeriesFile, text);
        r.host.informations.clear();
        const UserSeriesFile file = LoadUserSeries(r.ctx);
        EXPECT_FALSE(file.Usable()) << what;
        EXPECT_TRUE(file.series.empty()) << what;
        // The built-in series still work; the player's list is empty.
        const std::vector<SeriesDefinition> all = AllSeries(r.ctx, true);
        EXPECT_EQ(all.size(), 9u) << what;
        ASSERT_EQ(r.host.informations.size(), 1u) << what;
        EXPECT_NE(r.host.informations[0].find("The Series file is damaged"), std::string::npos);
        EXPECT_FALSE(SaveUserSeries(r.ctx, 0, "New", {0})) << what;
        EXPECT_FALSE(DeleteUserSeries(r.ctx, 5000)) << what;
        EXPECT_EQ(r.Text(kSeriesFile), text) << what;
    }
}

TEST(Series, ResultLinesAndTheFileOfTheSeriesInProgressRoundTrip) {
    Records r;
    SeriesGameResult won = Result(52, 125, true, true);
    EXPECT_EQ(FormatSeriesResult(won), "000125 Won  01 52      Y");
    const std::string lost = FormatSeriesResult(Result(-7, 9, false));
    EXPECT_EQ(lost, "000009 Lost 01 -7      N");
    ASSERT_TRUE(ParseSeriesResult(lost));
    EXPECT_EQ(ParseSeriesResult(lost)->score, -7);
    EXPECT_FALSE(ParseSeriesResult("000009 Lost 01 -7"));
    EXPECT_FALSE(ParseSeriesResult("00000x Lost 01 -7      N"));

    std::optional<SeriesInProgress> series = StartSeries(r.ctx, 5, "Ann");
    ASSERT_TRUE(series);
    const std::vector<std::string> lines = SplitTextLines(r.Text(kSeriesInProgressFile));
    const std::vector<std::string> expected = {
        "[Series]", "Number=5", "Player=Ann", "NumGames=004", "Played=001", "", "[Games]",
        "001=000", "002=176", "003=206", "004=094", "", "[Scores]", "001=", "002=", "003=",
        "004="};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(CurrentSeries(r.ctx), 5);

    // Only the series' own game is taken.
    EXPECT_FALSE(RecordSeriesGame(r.ctx, *series, 176, won));
    ASSERT_TRUE(RecordSeriesGame(r.ctx, *series, 0, won));
    EXPECT_EQ(series->played, 2);
    const SeriesInProgressRead read = ReadSeriesInProgress(r.ctx);
    ASSERT_TRUE(read.series) << read.problem;
    EXPECT_EQ(read.series->played, 2);
    EXPECT_EQ(read.series->CurrentGame(), 176);
    EXPECT_EQ(SplitTextLines(r.Text(kSeriesInProgressFile))[13], "001=000125 Won  01 52      Y");

    // A user series keeps 4-digit games.
    ASSERT_TRUE(SaveUserSeries(r.ctx, 0, "Mine", {0, 1}));
    ASSERT_TRUE(StartSeries(r.ctx, 5000, "Bob"));
    EXPECT_EQ(SplitTextLines(r.Text(kSeriesInProgressFile))[7], "001=0000");
    EXPECT_EQ(ReadSeriesInProgress(r.ctx).series->CurrentGame(), 0);
}

TEST(Series, ADamagedFileOfTheSeriesInProgressIsRefused) {
    Records r;
    const std::string good = "[Series]\r\nNumber=6\r\nPlayer=Ann\r\nNumGames=003\r\nPlayed=002\r\n"
                             "\r\n[Games]\r\n001=001\r\n002=028\r\n003=030\r\n\r\n[Scores]\r\n"
                             "001=000125 Won  01 52      Y\r\n002=\r\n003=\r\n";
    r.Write(kSeriesInProgressFile, good);
    ASSERT_TRUE(ReadSeriesInProgress(r.ctx).series) << ReadSeriesInProgress(r.ctx).problem;
    const auto swap = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    for (const std::string& bad :
         {swap("Number=6", "Number=77"), swap("NumGames=003", "NumGames=009"),
          swap("Played=002", "Played=007"), swap("003=030", "003=999"),
          swap("Won  01 52", "Won  01 5x"), swap("Player=Ann", "Player="),
          swap("[Games]", "[Game]"), good.substr(0, 40), std::string("\0\xff\xfe[Series]", 11)}) {
        r.Write(kSeriesInProgressFile, bad);
        const SeriesInProgressRead read = ReadSeriesInProgress(r.ctx);
        EXPECT_FALSE(read.series) << bad;
        EXPECT_FALSE(read.problem.empty()) << bad;
    }
}

TEST(Series, TotalsCountNothingForUnplayedGamesAndRankInTheSeriesTable) {
    Records r;
    std::optional<SeriesInProgress> series = StartSeries(r.ctx, 7, "Ann");
    ASSERT_TRUE(series);
    // Quit after two of four games: both won at their maximum, the rest not played.
    ASSERT_TRUE(RecordSeriesGame(r.ctx, *series, 11, Result(52, 100, true, true)));
    ASSERT_TRUE(RecordSeriesGame(r.ctx, *series, 114, Result(40, 50, true, true)));
    SeriesTotals totals = ComputeSeriesTotals(*series);
    EXPECT_EQ(totals.score, 92);
    EXPECT_EQ(totals.seconds, 150);
    EXPECT_EQ(totals.gamesPlayed, 2);
    EXPECT_FALSE(totals.allWon);
    EXPECT_FALSE(totals.allAtMaximum);

    ASSERT_TRUE(RecordSeriesGame(r.ctx, *series, 32, Result(52, 10, true, true)));
    SeriesInProgress allWon = *series;
    ASSERT_TRUE(RecordSeriesGame(r.ctx, allWon, 143, Result(52, 10, true, false)));
    totals = ComputeSeriesTotals(allWon);
    EXPECT_TRUE(totals.allWon);
    EXPECT_FALSE(totals.allAtMaximum);
    EXPECT_TRUE(allWon.Finished());
    EXPECT_FALSE(NextSeriesGamePosition(allWon, false));

    SeriesInProgress perfect = *series;
    ASSERT_TRUE(RecordSeriesGame(r.ctx, perfect, 143, Result(52, 10, true, true)));
    EXPECT_TRUE(ComputeSeriesTotals(perfect).allAtMaximum);

    // 208 is the default best of four games: 198 goes second, after the default 208.
    SeriesInProgress ranked = *series;
    ASSERT_TRUE(RecordSeriesGame(r.ctx, ranked, 143, Result(54, 10, false)));
    const SeriesEnding ending = FinishSeries(r.ctx, ranked);
    EXPECT_EQ(ending.totals.score, 198);
    EXPECT_EQ(ending.rank, 1);
    EXPECT_EQ(ending.name, "Canfield variations");
    EXPECT_FALSE(std::filesystem::exists(SeriesInProgressPath(r.ctx)));
    const std::vector<HiScoreEntry> table =
        ReadHiScores(r.ctx, ScoreTableKind::Series, 7, "01", 4);
    ASSERT_EQ(table.size(), 20u);
    EXPECT_EQ(table[0].score, 208);
    EXPECT_EQ(table[1].score, 198);
    EXPECT_EQ(table[1].player, "Ann");
    EXPECT_EQ(table[1].seconds, 170);
    EXPECT_FALSE(table[1].won);
    EXPECT_EQ(table[1].number, "N");
}

TEST(Series, NextGameSkipsTheCurrentOneOnlyWhenAsked) {
    Records r;
    std::optional<SeriesInProgress> series = StartSeries(r.ctx, 6, "Ann");
    ASSERT_TRUE(series);
    EXPECT_EQ(NextSeriesGamePosition(*series, true), 2);
    EXPECT_TRUE(series->HasNextGame(true));
    ASSERT_TRUE(RecordSeriesGame(r.ctx, *series, 1, Result(0, 5, false)));
    EXPECT_EQ(NextSeriesGamePosition(*series, false), 2);
    ASSERT_TRUE(RecordSeriesGame(r.ctx, *series, 28, Result(0, 5, false)));
    // Playing the last game: nothing after it while it is in play; its end to see once over.
    EXPECT_FALSE(series->HasNextGame(true));
    EXPECT_TRUE(series->HasNextGame(false));
    EXPECT_FALSE(NextSeriesGamePosition(*series, true));
}

} // namespace
} // namespace quendra::test
