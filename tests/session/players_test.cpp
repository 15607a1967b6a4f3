#include "hiscores.h"
#include "players.h"
#include "profile.h"
#include "records_fixture.h"
#include "settings.h"

namespace quendra::test {
namespace {

struct Players : Records {
    Players() {
        SetSetting(ctx.settings, field::kUserDefault, "");
        EXPECT_TRUE(CreateDefaultPlayers(ctx));
        EXPECT_TRUE(AddPlayer(ctx, "Player 12").Ok());
    }
    std::vector<std::string> StoredPlayers() const { return quendra::StoredPlayers(ctx); }
    std::string Settings() const { return KeptGame::Read(SettingsFilePath(ctx)); }
};

TEST(Players, RenamingCarriesThroughTheFilesAndLeavesLongerNamesAlone) {
    Players p;
    p.End("Player 1", true, 5000, 10);
    p.End("Player 12", true, 4000, 10);
    const std::string overallBefore = p.Text(kOverallFile);

    ASSERT_TRUE(RenamePlayer(p.ctx, "Player 1", "Zoe").Ok());
    EXPECT_EQ(CurrentPlayer(p.ctx), "Zoe");
    EXPECT_EQ(ReadPreference(p.ctx, "UserDefault"), "Zoe");
    EXPECT_EQ(ListPlayers(p.ctx),
              (std::vector<std::string>{"Player 12", "Player 2", "Player 3", "Zoe"}));
    EXPECT_EQ(ReadStatistics(p.ctx, 0, "Zoe").record.won, 1);
    EXPECT_EQ(ReadStatistics(p.ctx, 0, "Player 1").record.won, 0);
    EXPECT_EQ(ReadStatistics(p.ctx, 0, "Player 12").record.won, 1);
    const LogContents log = ReadLog(p.ctx);
    ASSERT_EQ(log.entries.size(), 2u);
    EXPECT_EQ(log.entries[0].player, "Zoe");
    EXPECT_EQ(log.entries[1].player, "Player 12");
    const std::vector<HiScoreEntry> table = ReadHiScores(p.ctx, ScoreTableKind::Game, 0, "01");
    EXPECT_EQ(table[0].player, "Zoe");
    EXPECT_EQ(table[1].player, "Player 12");
    EXPECT_EQ(table[0].line.size(), 85u);
    // The overall score keeps the old name.
    EXPECT_EQ(p.Text(kOverallFile), overallBefore);
}

TEST(Players, NamesThatWouldBreakTheFilesAreRefusedAndNothingChanges) {
    Players p;
    p.End("Player 1", true, 10);
    const std::string settings = p.Settings();
    const std::string stats = p.Text(kStatisticsFile);
    for (const std::string& bad :
         std::vector<std::string>{"", "   ", "a=b", "[Version]", "two\rlines", "two\nlines",
                                  std::string(31, 'x'), "Player 2"}) {
        p.host.informations.clear();
        EXPECT_FALSE(RenamePlayer(p.ctx, "Player 1", bad).Ok()) << bad;
        EXPECT_FALSE(AddPlayer(p.ctx, bad).Ok()) << bad;
        EXPECT_EQ(p.host.informations.size(), 2u) << bad;
        EXPECT_EQ(p.Settings(), settings) << bad;
        EXPECT_EQ(p.Text(kStatisticsFile), stats) << bad;
    }
    EXPECT_EQ(*PlayerNameProblem(p.ctx, ""), kEmptyNameMessage);
    EXPECT_EQ(*PlayerNameProblem(p.ctx, "Player 2"), kNameExistsMessage);
    // Keeping one's own name is no clash; 30 characters are fine.
    EXPECT_FALSE(PlayerNameProblem(p.ctx, "Player 2", "Player 2"));
    EXPECT_FALSE(PlayerNameProblem(p.ctx, std::string(30, 'x')));
}

TEST(Players, AtMostTwentyAndDeletingKeepsHiScores) {
    Players p;
    for (int n = 4; p.StoredPlayers().size() < 20; ++n)
        ASSERT_TRUE(AddPlayer(p.ctx, "Extra " + std::to_string(n)).Ok());
    EXPECT_FALSE(AddPlayer(p.ctx, "One too many").Ok());
    EXPECT_EQ(StoredPlayers(p.ctx).size(), 20u);

    p.End("Player 2", true, 5000, 10);
    EXPECT_EQ(DeletePlayer(p.ctx, "Player 1").status, PlayerResult::Status::Refused);
    EXPECT_EQ(p.host.informations.back(), kCannotDeleteMessage);
    p.host.confirmAnswers = {false};
    EXPECT_EQ(DeletePlayer(p.ctx, "Player 2").status, PlayerResult::Status::Cancelled);
    ASSERT_TRUE(DeletePlayer(p.ctx, "Player 2").Ok());
    EXPECT_EQ(StoredPlayers(p.ctx).size(), 19u);
    EXPECT_EQ(ReadStatistics(p.ctx, 0, "Player 2").record, StatisticsRecord{});
    EXPECT_TRUE(ReadLog(p.ctx).entries.empty());
    EXPECT_EQ(ReadHiScores(p.ctx, ScoreTableKind::Game, 0, "01")[0].player, "Player 2");
}

TEST(Players, SelectingAnotherPlayerAsksAndEndsTheGameUnderTheOldOne) {
    Players p;
    p.host.yesNoAnswers = {Host::Answer::No};
    EXPECT_EQ(SelectPlayer(p.ctx, "Player 3").status, PlayerResult::Status::Cancelled);
    EXPECT_EQ(p.host.confirmations.back(), "Start a new game for player Player 3?");
    EXPECT_EQ(CurrentPlayer(p.ctx), "Player 1");
    EXPECT_EQ(SelectPlayer(p.ctx, "Nobody").status, PlayerResult::Status::Refused);
    SetSetting(p.ctx.settings, field::kRunCounter1, "0007");
    ASSERT_TRUE(SelectPlayer(p.ctx, "Player 3").Ok());
    EXPECT_EQ(CurrentPlayer(p.ctx), "Player 3");
    EXPECT_EQ(ReadPreference(p.ctx, "UserDefault"), "Player 3");
    EXPECT_EQ(GetSetting(p.ctx.settings, field::kRunCounter1), "0000");
}

} // namespace
} // namespace quendra::test
