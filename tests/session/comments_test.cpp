#include "comments.h"
#include "data_paths.h"
#include "fake_host.h"
#include "safe_file_name.h"
#include "settings.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace quendra::test {
namespace {

TEST(SafeFileNameTest, NoNameCanLeaveItsFolderOrHideItself) {
    EXPECT_EQ(SafeFileNamePart("Klondike"), "Klondike");
    EXPECT_EQ(SafeFileNamePart("Mrs. Mop"), "Mrs. Mop");
    EXPECT_EQ(SafeFileNamePart("../../etc/passwd"), "_._.._etc_passwd");
    EXPECT_EQ(SafeFileNamePart("..\\up"), "_._up");
    EXPECT_EQ(SafeFileNamePart(".hidden"), "_hidden");
    EXPECT_EQ(SafeFileNamePart("a:b*c?d\"e<f>g|h\ti"), "a_b_c_d_e_f_g_h_i");
    EXPECT_EQ(SafeFileNamePart(""), "_");
    EXPECT_EQ(SafeFileNamePart("."), "_");
    // A long name is cut on a character's first byte, never inside it.
    std::string longName(119, 'x');
    longName += "\xC3\xA9\xC3\xA9";
    const std::string cut = SafeFileNamePart(longName);
    EXPECT_EQ(cut, std::string(119, 'x'));
    EXPECT_EQ(SafeFileNamePart("Reine \xC3\xA9toile"), "Reine \xC3\xA9toile");
}

TEST(CommentsRtfTest, StylesParagraphsEscapesAndAccentsComeBack) {
    const CommentText text = {{"Plain {braces} \\ and ", false, false, false},
                              {"bold", true, false, false},
                              {" both", true, true, false},
                              {"\nunder \xC3\xA9t\xC3\xA9 \xF0\x9F\x82\xA1", false, false, true}};
    const std::string rtf = WriteCommentsRtf(text);
    EXPECT_NE(rtf.find("MS Sans Serif"), std::string::npos);
    EXPECT_NE(rtf.find("\\fs16"), std::string::npos);
    CommentText back;
    ASSERT_TRUE(ReadCommentsRtf(rtf, back));
    EXPECT_EQ(back, text);
}

TEST(CommentsRtfTest, ReadsOtherEditorsRichTextAndRefusesWhatIsNot) {
    CommentText text;
    ASSERT_TRUE(ReadCommentsRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green0\\blue0;}"
                                "{\\*\\generator X;}caf\\'e9 {\\b gras}\\par fin}",
                                text));
    ASSERT_EQ(text.size(), 3u);
    EXPECT_EQ(text[0].text, "caf\xC3\xA9 ");
    EXPECT_TRUE(text[1].bold);
    EXPECT_EQ(text[2].text, "\nfin");
    EXPECT_FALSE(ReadCommentsRtf("just words", text));
    EXPECT_TRUE(text.empty());
    // Damage of every kind reads to something, or is refused, without a fault.
    for (const char* damaged : {"{\\rtf1 unclosed {\\b group", "{\\rtf1 \\u", "{\\rtf1 \\'z",
                                "{\\rtf1 \\u-10000000000000? x}", "{\\rtf1 }}}} extra", "{\\rtf"})
        ReadCommentsRtf(damaged, text);
    EXPECT_FALSE(ReadCommentsRtf("{\\rtf1" + std::string(1000, '{'), text));
}

class CommentsFileTest : public ::testing::Test {
  protected:
    CommentsFileTest() {
        dir = std::filesystem::temp_directory_path() /
              ("quendra-comments-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir / "DATA");
        SetProgramDir(ctx, dir.string());
    }
    ~CommentsFileTest() override { std::filesystem::remove_all(dir); }
    FakeHost host;
    GameContext ctx{host};
    std::filesystem::path dir;
};

TEST_F(CommentsFileTest, SavedThenRemovedWhenEmptiedAndNeverOutsideData) {
    const std::string name = "../Evil/.name";
    const CommentText note = {{"Try the stock first.", false, false, false}};
    ASSERT_TRUE(SaveComments(ctx, name, note));
    const std::filesystem::path written = CommentsFilePath(ctx, name);
    EXPECT_EQ(written.parent_path(), dir / "DATA");
    EXPECT_TRUE(HasComments(ctx, name));
    CommentText back;
    ASSERT_TRUE(LoadComments(ctx, name, back));
    EXPECT_EQ(back, note);
    // An emptied text removes the file.
    ASSERT_TRUE(SaveComments(ctx, name, {{"", true, false, false}}));
    EXPECT_FALSE(HasComments(ctx, name));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "DATA"),
                            std::filesystem::directory_iterator()),
              0);
    EXPECT_TRUE(host.informations.empty());
}

TEST_F(CommentsFileTest, ADamagedFileIsReportedAndLeftAsItIs) {
    const std::string path = CommentsFilePath(ctx, "Klondike");
    std::ofstream(path) << "not rich text";
    CommentText text = {{"stale", false, false, false}};
    EXPECT_FALSE(LoadComments(ctx, "Klondike", text));
    EXPECT_TRUE(text.empty());
    ASSERT_EQ(host.informations.size(), 1u);
    EXPECT_NE(host.informations[0].find("Klondike"), std::string::npos);
    std::string content;
    std::ifstream(path) >> content;
    EXPECT_EQ(content, "not");
}

} // namespace
} // namespace quendra::test
