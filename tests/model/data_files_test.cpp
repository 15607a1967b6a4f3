#include "data_files.h"
#include "data_files_test_support.h"
#include "fake_host.h"
#include "game_context.h"
#include "profile.h"
#include "settings.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace quendra {
namespace {

using test::FakeHost;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

class DataFiles : public ::testing::Test {
  protected:
    void SetUp() override { SetProgramDir(ctx, dir.Dir()); }

    TempDir dir;
    FakeHost host;
    GameContext ctx{host};
};

TEST_F(DataFiles, VersionedFilesAreCreatedOnceInOneDataFolder) {
    ASSERT_TRUE(EnsureVersionedFiles(ctx));
    const std::string stamp = "[Version]\r\nVersion=0300\r\n";
    EXPECT_EQ(ReadBytes(dir.File("DATA/Stat_scr.dat")), stamp);
    EXPECT_EQ(ReadBytes(dir.File("DATA/Series_scr.dat")), stamp);
    EXPECT_EQ(ReadBytes(dir.File("DATA/STAT.DAT")), stamp);
    EXPECT_EQ(test::FileCount(dir.Path()), 1);
    WriteBytes(dir.File("DATA/STAT.DAT"), stamp + "\r\n[0001]\r\nAnn=1\r\n");
    ASSERT_TRUE(EnsureVersionedFiles(ctx));
    EXPECT_EQ(ReadBytes(dir.File("DATA/STAT.DAT")), stamp + "\r\n[0001]\r\nAnn=1\r\n");
}

TEST_F(DataFiles, OldScoreFileIsUpgraded) {
    std::filesystem::create_directory(dir.File("data"));
    const std::string path = dir.File("data/stat_scr.dat");
    WriteBytes(path, "[Version]\r\nVersion=0200\r\n[0001]\r\n01-01=000120 entry\r\n"
                     "01-02=" +
                         std::string(90, '9') + "\r\n");
    WriteBytes(dir.File("data/cfg.dat"),
               "[Preference]\r\nCards_Animate=S\r\nConfirmQuit=S\r\nCard=S\r\n");
    ASSERT_TRUE(UpgradeScoreFile(ctx));
    const std::string padded = "01-01=000120 entry" + std::string(89 - 18, ' ') + " x";
    EXPECT_EQ(ReadBytes(path), "[Version]\r\nVersion=0300\r\n\r\n[0001]\r\n" + padded + "\r\n" +
                                   "01-02=" + std::string(90, '9') + " x\r\n");
    const std::string cfg = dir.File("data/cfg.dat");
    EXPECT_EQ(ProfileReadString(cfg, "Preference", "Cards_Animate", ""), "Y");
    EXPECT_EQ(ProfileReadString(cfg, "Preference", "ConfirmQuit", ""), "Y");
    EXPECT_EQ(ProfileReadString(cfg, "Preference", "Card", ""), "S");
}

TEST_F(DataFiles, CurrentScoreFileIsKeptButPreferencesAreFixed) {
    std::filesystem::create_directory(dir.File("DATA"));
    const std::string path = dir.File("DATA/STAT_SCR.DAT");
    const std::string current = "[Version]\r\nVersion=0300\r\n[0001]\r\n01-01=000120\r\n";
    WriteBytes(path, current);
    WriteBytes(dir.File("DATA/CFG.DAT"), "[Preference]\r\nCards_Animate=S\r\n");
    const auto before = std::filesystem::last_write_time(path);
    ASSERT_TRUE(UpgradeScoreFile(ctx));
    EXPECT_EQ(ReadBytes(path), current);
    EXPECT_EQ(std::filesystem::last_write_time(path), before);
    EXPECT_EQ(ProfileReadString(dir.File("DATA/CFG.DAT"), "Preference", "Cards_Animate", ""), "Y");
}

TEST_F(DataFiles, NoScoreFileNoFixUps) {
    std::filesystem::create_directory(dir.File("DATA"));
    WriteBytes(dir.File("DATA/CFG.DAT"), "[Preference]\r\nCards_Animate=S\r\n");
    ASSERT_TRUE(UpgradeScoreFile(ctx));
    EXPECT_EQ(ProfileReadString(dir.File("DATA/CFG.DAT"), "Preference", "Cards_Animate", ""), "S");
}

TEST_F(DataFiles, MissingRequiredFilesAreReported) {
    const std::string games = dir.File("GAMES.DAT");
    EXPECT_FALSE(RequireFile(host, games));
    EXPECT_FALSE(RequireImagesFile(host, dir.File("SOL.RGF")));
    ASSERT_EQ(host.errors.size(), 2u);
    EXPECT_EQ(host.errors[0], "Cannot find file:\r" + games +
                                  "\rCopy the file into the directory that above is specified\r"
                                  "or reinstall the program.");
    EXPECT_EQ(host.errors[1], "Cannot find images file:\r" + dir.File("SOL.RGF") +
                                  "\rSome program components cannot be shown correctly.\r"
                                  "Copy the file into the directory that above is specified\r"
                                  "or reinstall the program.");
    WriteBytes(games, "x");
    EXPECT_TRUE(RequireFile(host, games));
    EXPECT_EQ(host.errors.size(), 2u);
}

} // namespace
} // namespace quendra
