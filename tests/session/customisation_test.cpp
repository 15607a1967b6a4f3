#include "customisation.h"
#include "fake_host.h"
#include "settings.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace quendra::test {
namespace {

class CustomisationTest : public ::testing::Test {
  protected:
    CustomisationTest() {
        dir = std::filesystem::temp_directory_path() /
              (std::string("quendra-customise-") +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir / "DATA");
        SetProgramDir(ctx, dir.string());
        LoadSettings(ctx);
    }
    ~CustomisationTest() override { std::filesystem::remove_all(dir); }
    std::string Field(field::Field f) const { return GetSetting(ctx.settings, f); }
    // What a restart reads back.
    std::string Reloaded(field::Field f) {
        GameContext fresh(host);
        SetProgramDir(fresh, dir.string());
        LoadSettings(fresh);
        return GetSetting(fresh.settings, f);
    }
    FakeHost host;
    GameContext ctx{host};
    std::filesystem::path dir;
};

TEST_F(CustomisationTest, EachKindOfTreeEntryStoresItsBackground) {
    StoreBackgroundChoice(ctx, background_code::kCustomised, "/pictures/felt.png", 0);
    EXPECT_EQ(Field(field::kCustomizedBackground), "Y");
    EXPECT_EQ(ReadPreference(ctx, "Customized_Background"), "/pictures/felt.png");
    EXPECT_EQ(Field(field::kBackgroundPicture), "0");
    EXPECT_EQ(CurrentBackgroundCode(ctx), background_code::kCustomised);
    EXPECT_EQ(Reloaded(field::kCustomizedBackground), "Y");

    StoreBackgroundChoice(ctx, 17, "", 0);
    EXPECT_EQ(Field(field::kBackgroundPicture), "17");
    EXPECT_EQ(Field(field::kBackgroundDefault), "N");
    EXPECT_EQ(Field(field::kCustomizedBackground), "N");
    EXPECT_EQ(ReadPreference(ctx, "Customized_Background"), "");
    EXPECT_EQ(CurrentBackgroundCode(ctx), 17);
    EXPECT_EQ(Reloaded(field::kBackgroundPicture), "17");

    const long long navy = 0 + 0 * 256 + 128 * 65536;
    StoreBackgroundChoice(ctx, background_code::kFirstColour + 3, "", navy);
    EXPECT_EQ(std::stoll(Field(field::kBackgroundFixedColour)), navy);
    EXPECT_EQ(Field(field::kBackgroundPicture), "0");
    EXPECT_EQ(CurrentBackgroundCode(ctx), background_code::kColourAsSet);

    // An empty customised file, or an unknown code, is the default background.
    for (int code : {background_code::kCustomised, 0, -5}) {
        StoreBackgroundChoice(ctx, code, "", 0);
        EXPECT_EQ(Field(field::kBackgroundDefault), "Y") << code;
        EXPECT_EQ(Field(field::kCustomizedBackground), "N") << code;
        EXPECT_EQ(CurrentBackgroundCode(ctx), 0);
    }
}

TEST_F(CustomisationTest, CustomisedPicturesAreListedOnceAndRemoved) {
    EXPECT_TRUE(CustomisedBackgrounds(ctx).empty());
    ASSERT_TRUE(AddCustomisedBackground(ctx, "/a/one.png"));
    ASSERT_TRUE(AddCustomisedBackground(ctx, "/b/two=three.jpg"));
    ASSERT_TRUE(AddCustomisedBackground(ctx, "/a/one.png"));
    EXPECT_EQ(CustomisedBackgrounds(ctx), (std::vector<std::string>{"/a/one.png", "/b/two=three.jpg"}));
    ASSERT_TRUE(RemoveCustomisedBackground(ctx, "/a/one.png"));
    EXPECT_EQ(CustomisedBackgrounds(ctx), (std::vector<std::string>{"/b/two=three.jpg"}));
}

TEST(WinningAnimationTimeTest, AnythingButAPlainNumberOfSecondsIsThirty) {
    EXPECT_EQ(WinningAnimationSeconds("45"), 45);
    for (const char* typed : {"", "abc", "12s", "-4", "0", " 9", "99999999999"})
        EXPECT_EQ(WinningAnimationSeconds(typed), 30) << typed;
}

} // namespace
} // namespace quendra::test
