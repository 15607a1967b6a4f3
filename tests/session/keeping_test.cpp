#include "bookmarks.h"
#include "cards.h"
#include "favourites.h"
#include "held_games.h"
#include "keep_fixture.h"
#include "saved_game.h"

#include <algorithm>
#include <fstream>
#include <set>

namespace quendra::test {
namespace {

namespace fs = std::filesystem;

void Touch(const std::string& path, const std::string& bytes = "x") {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(HeldGames, AHeldGameRecordsNothingAndGoesOnAtTheNextStartClockIncluded) {
    KeptGame kept(0, "777");
    ASSERT_GT(kept.Play(6), 0);
    kept.ctx.flags[GameStateFlags::kClockRuns] = 0;
    kept.ctx.play.timeText = "0:10:00";
    const TableSnapshot table = BuildTableSnapshot(kept.ctx);
    const UndoSide undo = kept.ctx.undoHistory.undo;

    const KeepResult held = HoldGame(kept.ctx);
    ASSERT_TRUE(held.Ok()) << held.message;
    EXPECT_EQ(held.message, HeldGamePath(kept.ctx, 1));
    EXPECT_TRUE(fs::exists(HeldGamePath(kept.ctx, 1)));
    EXPECT_FALSE(kept.ctx.flags[GameStateFlags::kInPlay]);
    EXPECT_TRUE(kept.host.results.empty());

    ProgramStart next(kept.dir);
    next.host.now = 2'000'000;
    const ResumeResult resumed = ResumeHeldGame(next.ctx);
    ASSERT_TRUE(resumed.resumed);
    EXPECT_EQ(resumed.path, HeldGamePath(kept.ctx, 1));
    EXPECT_FALSE(resumed.resumeSeries);
    EXPECT_FALSE(fs::exists(resumed.path));
    EXPECT_EQ(BuildTableSnapshot(next.ctx), table);
    EXPECT_EQ(next.ctx.undoHistory.undo, undo);
    EXPECT_EQ(next.ctx.play.timeText, "0:10:00");
    EXPECT_TRUE(next.ctx.flags[GameStateFlags::kClockRuns]);
    EXPECT_TRUE(next.host.informations.empty());
}

TEST(HeldGames, HoldingNeedsAGameInPlayAndAFreePlace) {
    KeptGame full(1, "14");
    for (int nn = 1; nn <= 99; ++nn)
        Touch(HeldGamePath(full.ctx, nn));
    const KeepResult refused = HoldGame(full.ctx);
    EXPECT_EQ(refused.status, KeepResult::Status::WriteFailed);
    EXPECT_EQ(full.host.informations.back(), refused.message);
    EXPECT_TRUE(full.ctx.flags[GameStateFlags::kInPlay]);

    // A game that is over cannot be held.
    full.ctx.flags[GameStateFlags::kInPlay] = 0;
    EXPECT_EQ(HoldGame(full.ctx).status, KeepResult::Status::NotAllowed);
    EXPECT_EQ(full.host.beeps, 1);
}

TEST(HeldGames, AnUnreadableHeldGameStaysAndTheNextOneIsResumed) {
    KeptGame kept(0, "4242");
    kept.Play(3);
    ASSERT_TRUE(HoldGame(kept.ctx).Ok()); // Stat_e01
    const std::string bad = HeldGamePath(kept.ctx, 0);
    Touch(bad, "[S-0530] damaged");
    const std::string series = kept.File("DATA/Series_e01.dat");
    Touch(series);

    ProgramStart next(kept.dir);
    const ResumeResult resumed = ResumeHeldGame(next.ctx);
    ASSERT_TRUE(resumed.resumed);
    EXPECT_EQ(resumed.path, HeldGamePath(kept.ctx, 1));
    EXPECT_TRUE(resumed.resumeSeries);
    ASSERT_EQ(next.host.informations.size(), 1u);
    EXPECT_NE(next.host.informations[0].find(bad), std::string::npos);
    EXPECT_EQ(KeptGame::Read(bad), "[S-0530] damaged");
    EXPECT_TRUE(fs::exists(series));

    // With no held game left but the bad one, nothing is resumed and the series stays; with
    // none at all, the series in progress is stale and goes.
    ProgramStart third(kept.dir);
    EXPECT_FALSE(ResumeHeldGame(third.ctx).resumed);
    EXPECT_TRUE(fs::exists(series));
    fs::remove(bad);
    ProgramStart fourth(kept.dir);
    EXPECT_FALSE(ResumeHeldGame(fourth.ctx).resumed);
    EXPECT_FALSE(fs::exists(series));
}

TEST(Bookmarks, GoingToABookmarkPutsBackItsPositionAndKeepsTheClock) {
    KeptGame kept(0, "2024");
    kept.Play(4);
    const TableSnapshot marked = BuildTableSnapshot(kept.ctx);
    const UndoSide markedUndo = kept.ctx.undoHistory.undo;
    const int markedPass = kept.ctx.play.passNumber;

    const KeepResult inserted = InsertBookmark(kept.ctx);
    ASSERT_TRUE(inserted.Ok()) << inserted.message;
    const std::string first = inserted.message;
    EXPECT_TRUE(fs::path(first).filename().string().starts_with("~so"));
    EXPECT_EQ(fs::path(first).parent_path(), fs::temp_directory_path());
    EXPECT_TRUE(HasBookmark(kept.ctx));
    EXPECT_EQ(kept.host.confirmations.back(), "Insert bookmark?");
    EXPECT_EQ(kept.host.commands.back(), std::make_pair(Host::Command::GoToBookmark, true));

    ASSERT_GT(kept.Play(10), 0);
    kept.ctx.play.timeText = "0:05:00";
    ASSERT_NE(BuildTableSnapshot(kept.ctx), marked);
    ASSERT_TRUE(GoToBookmark(kept.ctx).Ok());
    EXPECT_EQ(kept.host.confirmations.back(), "Go to bookmark?");
    EXPECT_EQ(BuildTableSnapshot(kept.ctx), marked);
    EXPECT_EQ(kept.ctx.undoHistory.undo, markedUndo);
    EXPECT_TRUE(kept.ctx.undoHistory.redo.Stock.empty());
    EXPECT_EQ(kept.ctx.play.passNumber, markedPass);
    EXPECT_EQ(kept.ctx.play.timeText, "0:05:00");

    // A new bookmark replaces the old one; dropping it deletes the file.
    const std::string second = InsertBookmark(kept.ctx).message;
    EXPECT_FALSE(fs::exists(first));
    EXPECT_TRUE(fs::exists(second));
    DropBookmark(kept.ctx);
    EXPECT_FALSE(fs::exists(second));
    EXPECT_FALSE(HasBookmark(kept.ctx));
    EXPECT_EQ(GoToBookmark(kept.ctx).status, KeepResult::Status::NotAllowed);
}

TEST(Bookmarks, AMissingOrForeignBookmarkChangesNothing) {
    KeptGame kept(0, "55");
    kept.Play(3);
    kept.host.confirmAnswers = {false};
    EXPECT_EQ(InsertBookmark(kept.ctx).status, KeepResult::Status::Cancelled);
    EXPECT_FALSE(HasBookmark(kept.ctx));

    const std::string path = InsertBookmark(kept.ctx).message;
    kept.Play(3);
    const TableSnapshot now = BuildTableSnapshot(kept.ctx);
    fs::remove(path);
    EXPECT_EQ(GoToBookmark(kept.ctx).status, KeepResult::Status::Missing);
    EXPECT_EQ(kept.host.informations.back(), "File not found: " + path);
    EXPECT_EQ(BuildTableSnapshot(kept.ctx), now);

    // Another deal's game put in the bookmark's place is refused.
    KeptGame other(0, "56");
    ASSERT_TRUE(WriteSavedGameFile(other.ctx, path).Ok());
    EXPECT_EQ(GoToBookmark(kept.ctx).status, KeepResult::Status::BadFile);
    EXPECT_EQ(BuildTableSnapshot(kept.ctx), now);
    DropBookmark(kept.ctx);
}

TEST(Restart, RestartPutsBackTheTableAsDealtAndStartsAfresh) {
    KeptGame kept(0, "8080");
    const TableSnapshot dealt = BuildTableSnapshot(kept.ctx);
    ASSERT_GT(kept.Play(12), 0);
    kept.ctx.play.timeText = "0:03:00";
    const TableSnapshot played = BuildTableSnapshot(kept.ctx);

    kept.host.confirmAnswers = {false};
    EXPECT_EQ(RestartGame(kept.ctx).status, KeepResult::Status::Cancelled);
    EXPECT_EQ(kept.host.confirmations.back(), "Restart this game?\rGame number: 8080");
    EXPECT_EQ(BuildTableSnapshot(kept.ctx), played);
    EXPECT_TRUE(kept.host.results.empty());

    ASSERT_TRUE(RestartGame(kept.ctx).Ok());
    EXPECT_EQ(BuildTableSnapshot(kept.ctx), dealt);
    EXPECT_EQ(kept.ctx.undoHistory.undo.Steps(), 0);
    EXPECT_EQ(kept.ctx.undoHistory.undo.StepLog, "");
    EXPECT_EQ(kept.ctx.play.passNumber, 1);
    EXPECT_EQ(kept.ctx.play.timeText, "0:00:00");
    EXPECT_TRUE(kept.ctx.flags[GameStateFlags::kInPlay]);
    ASSERT_EQ(kept.host.results.size(), 1u); // the game given up counts as lost
    EXPECT_FALSE(kept.host.results[0].won);

    // Right after the deal there is nothing to take back: the table stays.
    ASSERT_TRUE(RestartGame(kept.ctx).Ok());
    EXPECT_EQ(BuildTableSnapshot(kept.ctx), dealt);
}

TEST(RecentLists, RecentGamesKeepTheirPlaceAndDealNumbersMoveToTheFront) {
    KeptGame kept(0, "1");
    for (const char* deal : {"1234", "4", "3", "2", "1"})
        NoteDealNumber(kept.ctx, deal);
    EXPECT_EQ(RecentDealNumbers(kept.ctx), (std::vector<std::string>{"1", "2", "3", "4", "1234"}));
    NoteDealNumber(kept.ctx, "1234");
    EXPECT_EQ(RecentDealNumbers(kept.ctx), (std::vector<std::string>{"1234", "1", "2", "3", "4"}));
    EXPECT_EQ(ReadSettingString(kept.ctx, "Game_Numbers", "Game020", "missing"), "");

    NoteGamePlayed(kept.ctx, 5);
    NoteGamePlayed(kept.ctx, 7);
    NoteGamePlayed(kept.ctx, 5);
    EXPECT_EQ(RecentGames(kept.ctx), (std::vector<int>{7, 5}));
    EXPECT_EQ(ReadSettingString(kept.ctx, "Last Played Games", "Game001", ""), "0007");
    for (int game = 100; game < 120; ++game)
        NoteGamePlayed(kept.ctx, game);
    const std::vector<int> recent = RecentGames(kept.ctx);
    ASSERT_EQ(recent.size(), 20u);
    EXPECT_EQ(recent.front(), 119);
    EXPECT_EQ(recent.back(), 100); // 7 and 5 fell off
    ForgetRecentGame(kept.ctx, 110);
    EXPECT_EQ(RecentGames(kept.ctx).size(), 19u);
    EXPECT_EQ(std::ranges::count(RecentGames(kept.ctx), 110), 0);
}

TEST(Favourites, FavouritesNamingNoGameAreSkippedAndEveryGameCanBeDrawn) {
    KeptGame kept(0, "1");
    std::mt19937 rng(7);
    EXPECT_EQ(RandomFavourite(kept.ctx, rng), -1);
    EXPECT_EQ(PlayRandomGame(kept.ctx, RandomFrom::Favourites, rng), -1);
    EXPECT_EQ(GetSetting(kept.ctx.settings, field::kGameNumber), "0000");

    ASSERT_TRUE(WriteFavourites(kept.ctx, {"FreeCell", "No Such Game", "Spider", "FreeCell"}));
    EXPECT_EQ(FavouriteNames(kept.ctx).size(), 4u);
    const std::vector<FavouriteGame> games = FavouriteGames(kept.ctx);
    ASSERT_EQ(games.size(), 3u);
    EXPECT_EQ(games[0].number, 1);
    EXPECT_EQ(games[1].number, 91);

    ASSERT_TRUE(RemoveFavourite(kept.ctx, "FreeCell"));
    EXPECT_EQ(FavouriteNames(kept.ctx),
              (std::vector<std::string>{"No Such Game", "Spider", "FreeCell"}));
    EXPECT_EQ(ReadSettingString(kept.ctx, "Favourite Games", "Game000", ""), "No Such Game");
    EXPECT_EQ(ReadSettingString(kept.ctx, "Favourite Games", "Game003", "none"), "none");

    const std::vector<int> all = CatalogueGameNumbers(kept.ctx);
    std::set<int> drawn;
    for (int i = 0; i < 20000; ++i)
        drawn.insert(RandomGameFromAll(kept.ctx, rng));
    EXPECT_EQ(drawn, std::set<int>(all.begin(), all.end()));

    std::set<int> favourites;
    for (int i = 0; i < 200; ++i)
        favourites.insert(RandomFavourite(kept.ctx, rng));
    EXPECT_EQ(favourites, (std::set<int>{1, 91}));

    const int started = PlayRandomGame(kept.ctx, RandomFrom::Favourites, rng);
    ASSERT_TRUE(started == 1 || started == 91);
    EXPECT_EQ(GetSetting(kept.ctx.settings, field::kGameNumber), fnFormatNumber(started, 4));
    EXPECT_TRUE(kept.ctx.flags[GameStateFlags::kInPlay]);
}

} // namespace
} // namespace quendra::test
