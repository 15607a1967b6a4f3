#include "data_files_test_support.h"
#include "fake_host.h"
#include "game_context.h"
#include "settings.h"
#include "settings_record.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace quendra {
namespace {

using test::FakeHost;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

TEST(SettingsRecordFields, PadAndCut) {
    SettingsRecord record;
    record.SetSetting(62, 4, "12");
    EXPECT_EQ(record.GetSetting(62, 6), "12");
    EXPECT_EQ(record.GetSetting(62, 4), "12");
    record.SetSetting(62, 4, "123456");
    EXPECT_EQ(record.GetSetting(62, 4), "1234");
    // Leading blanks go; the neighbouring field stays.
    record.SetSetting(66, 1, "Y");
    record.SetSetting(62, 4, "   7");
    EXPECT_EQ(record.GetSetting(62, 5), "7   Y");
    // Block C grows for the long fields.
    const std::string dir(180, 'd');
    record.SetSetting(501, 200, dir);
    EXPECT_EQ(record.GetSetting(501, 200), dir);
}

class Settings : public ::testing::Test {
  protected:
    void SetUp() override {
        SetProgramDir(ctx, dir.Dir());
        std::filesystem::create_directory(dir.File("Data"));
    }
    void WriteSettings(const std::string& text) { WriteBytes(dir.File("Data/Cfg.dat"), text); }
    std::string Field(field::Field f) const { return GetSetting(ctx.settings, f); }

    TempDir dir;
    FakeHost host;
    GameContext ctx{host};
};

TEST_F(Settings, ProgramDirAndSettingsFileAreFixed) {
    GameContext other{host};
    SetProgramDir(other, dir.Path().string());
    EXPECT_EQ(other.ProgramDir(), dir.Dir());
    EXPECT_EQ(GetSetting(other.settings, field::kSettingsFile), "DATA\\CFG.DAT");
    // Any spelling of the folder and the file is found.
    EXPECT_EQ(SettingsFilePath(ctx), dir.File("Data/CFG.DAT"));
    WriteSettings("");
    EXPECT_EQ(SettingsFilePath(ctx), dir.File("Data/Cfg.dat"));
}

TEST_F(Settings, MissingFileGivesEveryDefault) {
    LoadSettings(ctx);
    EXPECT_EQ(Field(field::kShowToolTips), "Y");
    EXPECT_EQ(Field(field::kBackCard), "030");
    EXPECT_EQ(Field(field::kCardSet), "001");
    EXPECT_EQ(Field(field::kCardSize), "B");
    EXPECT_EQ(Field(field::kBackgroundPicture), "0");
    EXPECT_EQ(Field(field::kBackgroundFixedColour), "32768");
    EXPECT_EQ(Field(field::kBackgroundColour), "-2147483633");
    EXPECT_EQ(Field(field::kCustomizedBackground), "N");
    EXPECT_EQ(Field(field::kGameNumber), "0001");
    EXPECT_EQ(Field(field::kGameName), "Freecell");
    EXPECT_EQ(Field(field::kCardsShadowed), "Y");
    EXPECT_EQ(Field(field::kLanguage), "20000");
    EXPECT_EQ(Field(field::kSpeedMoveCard), "10");
    EXPECT_EQ(Field(field::kUndoMode), "0");
    EXPECT_EQ(Field(field::kUserDefault), "");
    EXPECT_EQ(Field(field::kDoubleClickToTableaus), "N");
    EXPECT_EQ(Field(field::kSoundsRedealWithoutAnimation), "Y");
    EXPECT_EQ(Field(field::kCursor), "10");
    EXPECT_EQ(Field(field::kStatsCode), "01");
    EXPECT_EQ(Field(field::kRunCounter1), "0000");
    EXPECT_EQ(Field(field::kRunCounter2), "0000");
    EXPECT_EQ(ShadowOffset(ctx), 9);
    EXPECT_FALSE(std::filesystem::exists(SettingsFilePath(ctx)));
}

TEST_F(Settings, FewColoursMakeCardSetThree) {
    LoadSettings(ctx, 8);
    EXPECT_EQ(Field(field::kCardSet), "003");
}

TEST_F(Settings, FileValuesAndTheirFallbacks) {
    WriteSettings("[preference]\r\nBACK_CARD=0\r\nCard=2\r\nBackground_bmp=\r\nBackground_Col=0\r\n"
                  "Customized_Background=c:\\pic.bmp\r\nGame=-1\r\nGame_name=Spider\r\n"
                  "Cards_Animate=N\r\nUserDefault=Ann\r\nSounds_Undo=N\r\nCard_Size=M\n");
    LoadSettings(ctx);
    EXPECT_EQ(Field(field::kBackCard), "001");
    EXPECT_EQ(Field(field::kCardSet), "002");
    EXPECT_EQ(Field(field::kBackgroundPicture), "0");
    EXPECT_EQ(Field(field::kBackgroundColour), "-2147483633");
    EXPECT_EQ(Field(field::kCustomizedBackground), "Y");
    EXPECT_EQ(Field(field::kGameNumber), "-1");
    EXPECT_EQ(Field(field::kGameName), "Spider");
    // Shadows follow the animation switch unless set themselves.
    EXPECT_EQ(Field(field::kCardsShadowed), "N");
    EXPECT_EQ(ShadowOffset(ctx), 0);
    EXPECT_EQ(Field(field::kUserDefault), "Ann");
    EXPECT_EQ(Field(field::kSoundsUndo), "N");
    EXPECT_EQ(Field(field::kSoundsRedo), "Y");
    EXPECT_EQ(Field(field::kCardSize), "M");
}

TEST_F(Settings, NotANumberFallsBackAndGarbageNeverOverflowsAField) {
    WriteSettings("[Preference]\r\nBack_Card=abc\r\nCard=12345\r\nGame=77\r\nBackground_Col=x\r\n");
    LoadSettings(ctx);
    EXPECT_EQ(Field(field::kBackCard), "001");
    EXPECT_EQ(Field(field::kCardSet), "001");
    EXPECT_EQ(Field(field::kGameNumber), "0077");
    EXPECT_EQ(Field(field::kBackgroundColour), "-2147483633");
}

TEST_F(Settings, FirstStartCreatesThreePlayersOnce) {
    LoadSettings(ctx);
    EXPECT_TRUE(CreateDefaultPlayers(ctx));
    EXPECT_EQ(Field(field::kUserDefault), "Player 1");
    EXPECT_EQ(ReadPlayerNames(ctx), (std::vector<std::string>{"Player 1", "Player 2", "Player 3"}));
    GameContext next{host};
    SetProgramDir(next, dir.Dir());
    LoadSettings(next);
    EXPECT_EQ(GetSetting(next.settings, field::kUserDefault), "Player 1");
    EXPECT_FALSE(CreateDefaultPlayers(next));
}

TEST_F(Settings, ProgramStartsAreCountedUpToNine) {
    for (int start = 1; start <= 9; ++start)
        EXPECT_EQ(CountProgramStart(ctx), start);
    EXPECT_EQ(CountProgramStart(ctx), 9);
    EXPECT_EQ(ReadSettingInt(ctx, "Parameters", "Run_Exe", 0), 9);
}

TEST_F(Settings, StoredPreferenceReachesFileAndRecord) {
    LoadSettings(ctx);
    ASSERT_TRUE(StorePreference(ctx, "Back_Card", "5"));
    EXPECT_EQ(Field(field::kBackCard), "005");
    ASSERT_TRUE(StorePreference(ctx, "ToolBar_Large", "Y"));
    EXPECT_TRUE(ToolBarLarge(ctx));
    EXPECT_EQ(ReadBytes(SettingsFilePath(ctx)),
              "[Preference]\r\nBack_Card=5\r\nToolBar_Large=Y\r\n");
    EXPECT_EQ(ReadPreference(ctx, "Card_Size"), "B");
    EXPECT_EQ(ReadPreference(ctx, "Cards_Shadowed"), "Y");
}

TEST_F(Settings, PreferencesKeptOnlyInTheFile) {
    EXPECT_FALSE(ToolBarLarge(ctx));
    EXPECT_TRUE(ToolBarFlat(ctx));
    EXPECT_FALSE(StatisticsDisabled(ctx));
    EXPECT_TRUE(AutoPlayAllGames(ctx));
    EXPECT_TRUE(AutoPlayOn(ctx));
    EXPECT_EQ(GameTreeNum(ctx), -30);
    EXPECT_EQ(RandomGameType(ctx), 2);
    EXPECT_EQ(GamesFastSearchType(ctx), 0);
    ASSERT_TRUE(SetAutoPlayOn(ctx, false));
    ASSERT_TRUE(SetRandomGameType(ctx, 4));
    EXPECT_FALSE(AutoPlayOn(ctx));
    EXPECT_EQ(RandomGameType(ctx), 4);
}

TEST_F(Settings, WindowPlacementDefaultsFollowTheScreen) {
    host.screenWidth = 1024;
    host.screenHeight = 768;
    WindowPlacement placement = ReadWindowPlacement(ctx);
    EXPECT_EQ(placement.left, 50);
    EXPECT_EQ(placement.width, 874);
    EXPECT_EQ(placement.height, 618);
    EXPECT_TRUE(placement.maximized);
    placement = {10, 20, 800, 600, false};
    ASSERT_TRUE(SaveWindowPlacement(ctx, placement));
    const WindowPlacement read = ReadWindowPlacement(ctx);
    EXPECT_EQ(read.top, 20);
    EXPECT_EQ(read.height, 600);
    EXPECT_FALSE(read.maximized);
}

TEST_F(Settings, AdviceCanBeSwitchedOff) {
    EXPECT_TRUE(ShowAdvice(ctx, "Low colours", "Screen_Under_256_Colors", 0));
    EXPECT_EQ(ReadSettingString(ctx, "Show_Messages", "Screen_Under_256_Colors", "Y"), "Y");
    host.adviceTicks.push_back(true);
    EXPECT_TRUE(ShowAdvice(ctx, "Low colours", "Screen_Under_256_Colors", 2));
    EXPECT_EQ(host.advicePages, (std::vector<int>{0, 2}));
    EXPECT_FALSE(ShowAdvice(ctx, "Low colours", "Screen_Under_256_Colors", 0));
    EXPECT_EQ(host.advices.size(), 2u);
}

} // namespace
} // namespace quendra
