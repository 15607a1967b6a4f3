#include "data_files_test_support.h"
#include "fake_host.h"
#include "sectioned_file.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace quendra {
namespace {

using test::FakeHost;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

const std::string kStats = "[Version]\r\nVersion=0300\r\n\r\n"
                           "[0001]\r\nAnn=000001 000002\r\nBob=000003 000004\r\n\r\n"
                           "[0002]\r\nAnn=000005 000006\r\n";

class SectionedFile : public ::testing::Test {
  protected:
    void SetUp() override {
        path = dir.File("STAT.DAT");
        WriteBytes(path, kStats);
    }
    std::vector<std::string> Strings(std::initializer_list<const char*> items) {
        return {items.begin(), items.end()};
    }

    TempDir dir;
    FakeHost host;
    std::string path;
};

TEST_F(SectionedFile, FindsSectionsAndTheirBodies) {
    const auto second = FindSection(path, "0002");
    ASSERT_TRUE(second);
    EXPECT_EQ(second->header, kStats.find("[0002]"));
    EXPECT_EQ(second->body, kStats.find("[0002]") + 4 + 4);
    EXPECT_FALSE(FindSection(path, "0003"));
    // A name inside a value or within a longer header is no section.
    EXPECT_FALSE(FindSection(path, "000"));
    EXPECT_FALSE(FindSection(dir.File("missing.dat"), "Version"));
}

TEST_F(SectionedFile, FindsAHeaderAcrossTheBlockBoundary) {
    const std::string name = "Series 12";
    const std::string header = "[" + name + "]";
    for (std::size_t into : {std::size_t{1}, header.size() / 2, header.size() - 1}) {
        // Filler lines so that the header starts `into` bytes before offset 8192.
        std::string text = "[Version]\r\nVersion=0300\r\n";
        const std::size_t headerAt = 8192 - into;
        text += std::string(headerAt - text.size() - 2, 'x') + "\r\n";
        ASSERT_EQ(text.size(), headerAt);
        text += header + "\r\nKey=value\r\n";
        WriteBytes(path, text);
        const auto found = FindSection(path, name);
        ASSERT_TRUE(found) << "header starting " << into << " bytes before the boundary";
        EXPECT_EQ(found->header, headerAt);
        EXPECT_EQ(ReadKey(path, name, "Key", ""), "value");
    }
}

TEST_F(SectionedFile, FindsAHeaderOnTheLastLineWithoutLineEnd) {
    WriteBytes(path, std::string(8192 - 3, 'x') + "\r\n[End]");
    const auto found = FindSection(path, "End");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->body, 8192 + 4);
    EXPECT_TRUE(ReadSection(path, "End").empty());
}

TEST_F(SectionedFile, ReadsKeysOfTheRightSection) {
    EXPECT_EQ(ReadKey(path, "0002", "Ann", "none"), "000005 000006");
    EXPECT_EQ(ReadKey(path, "0001", "Bob", "none"), "000003 000004");
    EXPECT_EQ(ReadKey(path, "0002", "Bob", "none"), "none");
    EXPECT_EQ(ReadKey(path, "Version", "Version", "0000"), "0300");
    EXPECT_EQ(ReadSection(path, "0001"), Strings({"Ann=000001 000002", "Bob=000003 000004"}));
    EXPECT_EQ(ListSections(path), Strings({"Version", "0001", "0002"}));
}

TEST_F(SectionedFile, ReadKeysTakesTheLineOfTheKeyNotOfALongerOne) {
    WriteBytes(path, "[S]\r\nPlayer 10=ten\r\nPlayer 1=one\r\nPlayer 1=again\r\n[T]\r\nX=t\r\n");
    const std::vector<std::string> keys = Strings({"Player 1", "Player 10", "X"});
    const std::vector<std::string> defaults = Strings({"d1", "d10", "dx"});
    const KeyValues read = ReadKeys(path, "S", keys, defaults);
    EXPECT_EQ(read.values, Strings({"one", "ten", "dx"}));
    EXPECT_FALSE(read.allFound);
    const KeyValues two = ReadKeys(path, "S", std::span(keys).first(2), defaults);
    EXPECT_TRUE(two.allFound);
    EXPECT_EQ(ReadKey(path, "S", "Player", "none"), "none");
}

TEST_F(SectionedFile, WriteKeyOfTheSameWidthWritesInPlace) {
    ASSERT_TRUE(WriteKey(host, path, "0001", "Ann", "000009 000009"));
    std::string expected = kStats;
    expected.replace(expected.find("000001 000002"), 13, "000009 000009");
    EXPECT_EQ(ReadBytes(path), expected);
}

TEST_F(SectionedFile, WriteKeyOfAnotherWidthKeepsTheNeighbours) {
    ASSERT_TRUE(WriteKey(host, path, "0001", "Ann", "1"));
    EXPECT_EQ(ReadSection(path, "0001"), Strings({"Ann=1", "Bob=000003 000004"}));
    ASSERT_TRUE(WriteKey(host, path, "0001", "Ann", "a much longer value than before"));
    EXPECT_EQ(ReadSection(path, "0001"),
              Strings({"Ann=a much longer value than before", "Bob=000003 000004"}));
    EXPECT_EQ(ReadKey(path, "0002", "Ann", ""), "000005 000006");
    EXPECT_EQ(ListSections(path), Strings({"Version", "0001", "0002"}));
    EXPECT_TRUE(host.informations.empty());
}

TEST_F(SectionedFile, WriteKeyAddsMissingKeysAndSections) {
    ASSERT_TRUE(WriteKey(host, path, "0001", "Cid", "000007 000008"));
    EXPECT_EQ(ReadSection(path, "0001"),
              Strings({"Ann=000001 000002", "Bob=000003 000004", "Cid=000007 000008"}));
    ASSERT_TRUE(WriteKey(host, path, "0002", "Bob", "b"));
    EXPECT_EQ(ReadSection(path, "0002"), Strings({"Ann=000005 000006", "Bob=b"}));
    ASSERT_TRUE(WriteKey(host, path, "0003", "Ann", "a"));
    EXPECT_EQ(ReadKey(path, "0003", "Ann", ""), "a");
    EXPECT_TRUE(ReadBytes(path).ends_with("Bob=b\r\n\r\n[0003]\r\nAnn=a\r\n"));
    // A line end in a value cannot make a line, or a section, of its own.
    ASSERT_TRUE(WriteKey(host, path, "0003", "Ann", "a\r\n[0004]"));
    EXPECT_EQ(ReadKey(path, "0003", "Ann", ""), "a  [0004]");
    EXPECT_FALSE(FindSection(path, "0004"));
    // A file that is not there yet is created.
    const std::string fresh = dir.File("Series.dat");
    ASSERT_TRUE(WriteKey(host, fresh, "0001", "K", "v"));
    EXPECT_EQ(ReadBytes(fresh), "\r\n[0001]\r\nK=v\r\n");
}

TEST_F(SectionedFile, RewriteSectionReplacesTheBodyOnly) {
    const auto keys = Strings({"Cid", "Dan"});
    const auto values = Strings({"1", "  2"});
    ASSERT_TRUE(RewriteSection(host, path, "0001", keys, values));
    EXPECT_EQ(ReadBytes(path), "[Version]\r\nVersion=0300\r\n\r\n"
                               "[0001]\r\nCid=1\r\nDan=  2\r\n\r\n"
                               "[0002]\r\nAnn=000005 000006\r\n");
    EXPECT_FALSE(RewriteSection(host, path, "0009", keys, values));
    EXPECT_EQ(ReadBytes(path).find("0009"), std::string::npos);
}

TEST_F(SectionedFile, OverwriteSectionStartKeepsTheLinesAfterIt) {
    ASSERT_TRUE(
        OverwriteSectionStart(host, path, "0001", Strings({"Ann"}), Strings({"111111 222222"})));
    EXPECT_EQ(ReadSection(path, "0001"), Strings({"Ann=111111 222222", "Bob=000003 000004"}));
    // A shorter line must not leave the tail of the old one behind.
    ASSERT_TRUE(OverwriteSectionStart(host, path, "0001", Strings({"Ann"}), Strings({"1"})));
    EXPECT_EQ(ReadSection(path, "0001"), Strings({"Ann=1", "Bob=000003 000004"}));
    ASSERT_TRUE(OverwriteSectionStart(host, path, "New", Strings({"A", "B"}), Strings({"1", "2"})));
    EXPECT_EQ(ReadSection(path, "New"), Strings({"A=1", "B=2"}));
}

TEST_F(SectionedFile, AppendSectionAddsAtTheEnd) {
    ASSERT_TRUE(
        AppendSection(host, path, "0005", Strings({"01-01", "01-02"}), Strings({"x", "y"})));
    EXPECT_EQ(ReadBytes(path), kStats + "\r\n[0005]\r\n01-01=x\r\n01-02=y\r\n");
}

TEST_F(SectionedFile, ReplaceInLinesChangesOnlyTheColumn) {
    WriteBytes(path, "01-01=Ann  x\r\n01-02=Bob  x\r\nAnn  =Ann  x\n");
    ASSERT_TRUE(ReplaceInLines(host, path, 7, "Ann  ", "Zoe  "));
    EXPECT_EQ(ReadBytes(path), "01-01=Zoe  x\r\n01-02=Bob  x\r\nAnn  =Zoe  x\r\n");
    EXPECT_FALSE(ReplaceInLines(host, path, 0, "Zoe", "Ann"));
    EXPECT_TRUE(ReplaceInLines(host, dir.File("missing.dat"), 1, "a", "b"));
    EXPECT_EQ(test::FileCount(dir.Path()), 1);
}

TEST_F(SectionedFile, ShortOrBrokenFilesAreReadWithinBounds) {
    for (const std::string text : {"", "[", "[]", "[0001", "[0001]", "[0001]\r", "x\n[0001]\nAnn",
                                   "[0001]\r\n[", "[0001]\r\nAnn="}) {
        WriteBytes(path, text);
        EXPECT_EQ(ReadKey(path, "0001", "Bob", "d"), "d") << text;
        EXPECT_LE(ReadSection(path, "0001").size(), 1u) << text;
        EXPECT_LE(ListSections(path).size(), 2u) << text;
    }
    WriteBytes(path, "[0001]\r\nAnn=");
    EXPECT_EQ(ReadKey(path, "0001", "Ann", "d"), "");
    WriteBytes(path, "[0001]\r\nAnn");
    EXPECT_EQ(ReadKey(path, "0001", "Ann", "d"), "d");
}

} // namespace
} // namespace quendra
