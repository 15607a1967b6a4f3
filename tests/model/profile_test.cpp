#include "data_files_test_support.h"
#include "fake_host.h"
#include "file_rewrite.h"
#include "profile.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace quendra {
namespace {

using test::FakeHost;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

TEST(Profile, ReadsKeysAndSectionsWithoutRegardToCase) {
    TempDir dir;
    const std::string path = dir.File("cfg.dat");
    WriteBytes(path, "[Preference]\r\nCard_Size = M \r\nBack_Card=12\r\n[users]\nUser001=Ann\n");
    EXPECT_EQ(ProfileReadString(path, "PREFERENCE", "card_size", "B"), "M");
    EXPECT_EQ(ProfileReadInt(path, "preference", "BACK_CARD", 30), 12);
    // LF-only lines read as well as CR LF ones.
    EXPECT_EQ(ProfileReadString(path, "Users", "user001", ""), "Ann");
    EXPECT_EQ(ProfileReadString(path, "Users", "User002", "none"), "none");
    EXPECT_EQ(ProfileReadString(path, "Missing", "User001", "none"), "none");
}

TEST(Profile, IntegersFallBackAsThePrivateProfileDoes) {
    TempDir dir;
    const std::string path = dir.File("cfg.dat");
    WriteBytes(path,
               "[P]\r\nNeg=-2147483633\r\nWord=abc\r\nEmpty=\r\nTail=42px\r\nHuge=99999999999\r\n");
    EXPECT_EQ(ProfileReadInt(path, "P", "Neg", 0), -2147483633);
    EXPECT_EQ(ProfileReadInt(path, "P", "Word", 7), 0);
    EXPECT_EQ(ProfileReadInt(path, "P", "Empty", 7), 7);
    EXPECT_EQ(ProfileReadInt(path, "P", "Tail", 7), 42);
    EXPECT_EQ(ProfileReadInt(path, "P", "Huge", 7), 0);
    EXPECT_EQ(ProfileReadInt(path, "P", "Missing", 7), 7);
}

TEST(Profile, WritesCreateFileSectionAndKeyWithCrLf) {
    TempDir dir;
    FakeHost host;
    const std::string path = dir.File("cfg.dat");
    ASSERT_TRUE(ProfileWriteString(host, path, "Preference", "Game", "12"));
    ASSERT_TRUE(ProfileWriteInt(host, path, "Users", "Count", 3));
    ASSERT_TRUE(ProfileWriteString(host, path, "preference", "GAME", "13"));
    ASSERT_TRUE(ProfileWriteString(host, path, "Preference", "Card", "2"));
    EXPECT_EQ(ReadBytes(path), "[Preference]\r\nGAME=13\r\nCard=2\r\n\r\n[Users]\r\nCount=3\r\n");
    // A player name with a line end in it stays one line.
    ASSERT_TRUE(ProfileWriteString(host, path, "Users", "User001", "Ann\n[Evil]"));
    EXPECT_EQ(ProfileReadString(path, "Users", "User001", ""), "Ann [Evil]");
    EXPECT_FALSE(Profile::Load(path).HasSection("Evil"));
    EXPECT_TRUE(host.informations.empty());
}

TEST(Profile, DeletesKeysAndErasesSections) {
    TempDir dir;
    FakeHost host;
    const std::string path = dir.File("cfg.dat");
    WriteBytes(path,
               "[A]\r\nx=1\r\ny=2\r\n[Favourite Games]\r\nGame000=Klondike\r\n[C]\r\nz=3\r\n");
    ASSERT_TRUE(ProfileDeleteKey(host, path, "a", "X"));
    ASSERT_TRUE(ProfileEraseSection(host, path, "favourite games"));
    EXPECT_EQ(ReadBytes(path), "[A]\r\ny=2\r\n[C]\r\nz=3\r\n");
    // Nothing to delete: the file is not touched at all.
    const auto before = std::filesystem::last_write_time(path);
    ASSERT_TRUE(ProfileDeleteKey(host, path, "A", "nothing"));
    EXPECT_EQ(std::filesystem::last_write_time(path), before);
}

TEST(Profile, ListsKeysOfASectionAndIgnoresComments) {
    TempDir dir;
    const std::string path = dir.File("cfg.dat");
    WriteBytes(path, "[Users]\r\n; players\r\nUser001=Ann\r\nUser002=\"Bob \"\r\n\r\n[Next]\r\n");
    const Profile profile = Profile::Load(path);
    EXPECT_EQ(profile.Keys("users"), (std::vector<std::string>{"User001", "User002"}));
    EXPECT_EQ(profile.ReadString("Users", "User002", ""), "Bob ");
    EXPECT_TRUE(profile.HasSection("NEXT"));
    EXPECT_FALSE(profile.HasKey("Users", "; players"));
}

TEST(CrashSafeRewrite, ReplacesContentAndLeavesNoTemporaryFile) {
    TempDir dir;
    FakeHost host;
    const std::string path = dir.File("STAT.DAT");
    WriteBytes(path, "old");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read);
    ASSERT_TRUE(ReplaceFileContent(host, path, "new content"));
    EXPECT_EQ(ReadBytes(path), "new content");
    EXPECT_EQ(test::FileCount(dir.Path()), 1);
    // The file keeps its permissions rather than those of the temporary file.
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::group_read,
              std::filesystem::perms::group_read);
}

TEST(CrashSafeRewrite, OldFileSurvivesWhenNoTemporaryFileCanBeMade) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the super-user";
    TempDir dir;
    FakeHost host;
    const std::string path = dir.File("CFG.DAT");
    WriteBytes(path, "[Preference]\r\nGame=5\r\n");
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::owner_exec);
    EXPECT_FALSE(ProfileWriteString(host, path, "Preference", "Game", "6"));
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_all);
    EXPECT_EQ(host.informations, std::vector<std::string>{"Error creating temp file."});
    EXPECT_EQ(ReadBytes(path), "[Preference]\r\nGame=5\r\n");
    EXPECT_EQ(test::FileCount(dir.Path()), 1);
}

TEST(CrashSafeRewrite, FailedRenameNamesBothFilesAndKeepsTheOldOne) {
    TempDir dir;
    FakeHost host;
    // A folder in the file's place cannot be renamed over.
    const std::string path = dir.File("taken");
    std::filesystem::create_directory(path);
    WriteBytes(dir.File("taken/inside"), "keep");
    EXPECT_FALSE(ReplaceFileContent(host, path, "new"));
    ASSERT_EQ(host.informations.size(), 1u);
    EXPECT_TRUE(host.informations[0].starts_with(
        "Error in renaming the file: " + dir.Path().string() + "/rpl"));
    EXPECT_TRUE(host.informations[0].ends_with("\rto: " + path));
    EXPECT_EQ(ReadBytes(dir.File("taken/inside")), "keep");
}

TEST(TextLines, SplitsCrLfAndLfAndJoinsWithCrLf) {
    EXPECT_EQ(SplitTextLines("a\r\nb\nc"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(SplitTextLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_TRUE(SplitTextLines("").empty());
    EXPECT_EQ(JoinTextLines({"a", ""}), "a\r\n\r\n");
}

} // namespace
} // namespace quendra
