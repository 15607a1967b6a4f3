#include "autoplay_setting.h"
#include "comments.h"
#include "custom_rules.h"
#include "favourites.h"
#include "game_params.h"
#include "profile.h"
#include "records_fixture.h"

#include <filesystem>

namespace quendra {
namespace {

struct CustomRulesTest : ::testing::Test, test::Records {
    GameParams Definition(int game) {
        GameParams params{};
        std::string error;
        EXPECT_TRUE(ReadGameDefinition(ctx, game, params, error)) << error;
        return params;
    }
    bool Load(int game) {
        SetSetting(ctx.settings, field::kGameNumber, fnFormatNumber(game, 4));
        return LoadGameDefinition(ctx);
    }
    std::vector<std::string> CustomLines() {
        std::vector<std::string> lines;
        ReadTextLines(CustomGamesPath(ctx), lines);
        return lines;
    }
};

TEST_F(CustomRulesTest, AVariantIsWrittenAndPlaysWithItsRulesOverItsBaseGame) {
    // Klondike: draw one, unlimited passes, Kings into spaces, down in alternating colours.
    const GameParams klondike = Definition(0);
    const CustomRuleOffer offer = OfferedCustomRules(klondike);
    ASSERT_TRUE(offer.cardsPerClick && offer.redeals && offer.emptyTableau &&
                offer.tableauDirection && offer.tableauMethod && offer.foundationDirection &&
                offer.foundationMethod);
    CustomRuleValues values = CurrentCustomRules(klondike, offer);
    EXPECT_EQ(values.redealsCode, -1);
    EXPECT_EQ(values.emptyChoice, 1);
    EXPECT_EQ(values.tableauMethod, 1);    // "In alternating colors"
    EXPECT_EQ(values.tableauDirection, 1); // "Down"
    EXPECT_EQ(values.foundationDirection, 0);

    // Draw three, two redeals (three deals in all), any card into a space, built in suit.
    values.cardsPerClick = 3;
    values.redealsCode = 3;
    values.emptyChoice = 2;
    values.tableauMethod = 0;
    const std::string overlay = CustomRulesOverlay(values, offer, klondike);
    EXPECT_EQ(overlay, "00300320100000000");
    ASSERT_EQ(AddCustomGame(ctx, 0, "  Klondike in suit ", overlay), kFirstCustomGame);
    EXPECT_EQ(GameName(ctx, kFirstCustomGame), "Klondike in suit");
    ASSERT_TRUE(Load(kFirstCustomGame));
    EXPECT_EQ(ctx.Param(param::kCardsPerClick), 3);
    EXPECT_EQ(ctx.Param(param::kPasses), 3);
    EXPECT_EQ(ctx.Param(param::kTableauEmptyRule + 6), -1);
    EXPECT_EQ(ctx.Param(param::kTableauMethod + 6), 0);
    EXPECT_EQ(ctx.Param(param::kTableauDirection), 0);
    // The editor opened on the variant shows the variant's rules.
    EXPECT_EQ(CurrentCustomRules(ctx.params, offer), values);

    // A variant of the variant is based on Klondike too; the first stays.
    ASSERT_EQ(AddCustomGame(ctx, kFirstCustomGame, "Klondike again", overlay), 8001);
    EXPECT_EQ(CustomGameBase(ctx, 8001).base, 0);
    EXPECT_EQ(CustomGameBase(ctx, kFirstCustomGame).base, 0);
    EXPECT_EQ(CustomLines().size(), 1u + 2 * kCustomRecordLines);
    EXPECT_TRUE(CustomGamesProblems(ctx).empty());
}

TEST_F(CustomRulesTest, RulesNotOfferedLeaveTheBaseGameAsItIs) {
    // Royal Rendezvous offers its stock only: the rest is written "not offered".
    const GameParams definition = Definition(194);
    const CustomRuleOffer offer = OfferedCustomRules(definition);
    EXPECT_FALSE(offer.emptyTableau || offer.tableauMethod || offer.tableauDirection ||
                 offer.foundationMethod || offer.foundationDirection);
    CustomRuleValues values = CurrentCustomRules(definition, offer);
    EXPECT_EQ(values.tableauMethod, -1);
    const std::string overlay = CustomRulesOverlay(values, offer, definition);
    EXPECT_EQ(overlay.substr(6), "0-1-01-1-01");
    ASSERT_EQ(AddCustomGame(ctx, 194, "Rendezvous", overlay), kFirstCustomGame);
    ASSERT_TRUE(Load(kFirstCustomGame));
    const GameParams variant = ctx.params;
    ASSERT_TRUE(Load(194));
    EXPECT_EQ(variant, ctx.params);

    // Counts the editor does not offer are written as the base game has them.
    CustomRuleOffer none;
    values.cardsPerClick = 7;
    EXPECT_EQ(CustomRulesOverlay(values, none, definition).substr(0, 6),
              fnFormatNumber(definition[param::kCardsPerClick], 3) +
                  fnFormatNumber(definition[param::kPasses], 3));
    EXPECT_FALSE(none.Any());
}

TEST_F(CustomRulesTest, NumbersFillTheFirstGapAndNamesMustBeNew) {
    std::vector<std::string> lines = {kCustomGamesHeader};
    EXPECT_EQ(FreeCustomGameNumber(lines), 8000);
    for (int number : {8000, 8002}) {
        lines.push_back(fnFormatNumber(number, 4) + "Game");
        lines.resize(lines.size() + kCustomRecordLines - 1);
    }
    EXPECT_EQ(FreeCustomGameNumber(lines), 8001);

    std::vector<std::string> full = {kCustomGamesHeader};
    for (int number = kFirstCustomGame; number <= kLastCustomGame; ++number) {
        full.push_back(fnFormatNumber(number, 4) + "G" + std::to_string(number));
        full.resize(full.size() + kCustomRecordLines - 1);
    }
    EXPECT_EQ(FreeCustomGameNumber(full), 10000);
    ASSERT_TRUE(RewriteTextLines(host, CustomGamesPath(ctx), full));
    EXPECT_EQ(AddCustomGame(ctx, 0, "One more", "00100100000000000"), -1);
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_NE(host.errors[0].find("8000 to 9999"), std::string::npos);
    EXPECT_EQ(CustomLines(), full);

    std::filesystem::remove(CustomGamesPath(ctx));
    EXPECT_EQ(CustomGameNameProblem(ctx, " ab "), kGameNameTooShortMessage);
    EXPECT_EQ(CustomGameNameProblem(ctx, "fREEcELL"), kGameNameExistsMessage);
    EXPECT_EQ(CustomGameNameProblem(ctx, "My FreeCell"), "");
    ASSERT_EQ(AddCustomGame(ctx, 1, "My FreeCell", "00100100000000000"), kFirstCustomGame);
    EXPECT_EQ(CustomGameNameProblem(ctx, "my freecell"), kGameNameExistsMessage);

    // A file that is not ours is never written over.
    ASSERT_TRUE(ReplaceFileContent(host, CustomGamesPath(ctx), "notes\r\n"));
    EXPECT_EQ(AddCustomGame(ctx, 1, "Other", "00100100000000000"), -1);
    EXPECT_EQ(test::KeptGame::Read(CustomGamesPath(ctx)), "notes\r\n");
}

TEST_F(CustomRulesTest, DeletingAVariantTakesEverythingOfItsOwnAndNothingElse) {
    const std::string overlay = "00100120100000000";
    ASSERT_EQ(AddCustomGame(ctx, 0, "First", overlay), 8000);
    ASSERT_EQ(AddCustomGame(ctx, 0, "Second", overlay), 8001);
    ASSERT_EQ(AddCustomGame(ctx, 0, "Third", overlay), 8002);
    End("Ann", true, 100, 60, 8001);
    End("Ann", false, 10, 60, 8002);
    ASSERT_TRUE(WriteFavourites(ctx, {"First", "Second", "Third"}));
    ASSERT_TRUE(NoteGamePlayed(ctx, 8001));
    ASSERT_TRUE(NoteGamePlayed(ctx, 8002));
    StoreAutoplay(ctx, 8001, false);
    StoreAutoplay(ctx, 8002, false);
    ASSERT_TRUE(SaveComments(ctx, "Second", {{"a note", false, false, false}}));

    ASSERT_TRUE(DeleteCustomGame(ctx, 8001));
    EXPECT_EQ(GameName(ctx, 8001), "");
    EXPECT_EQ(GameName(ctx, 8002), "Third");
    EXPECT_EQ(CustomLines().size(), 1u + 2 * kCustomRecordLines);
    EXPECT_EQ(FavouriteNames(ctx), (std::vector<std::string>{"First", "Third"}));
    const Profile settings = Profile::Load(SettingsFilePath(ctx));
    EXPECT_EQ(settings.Keys("Favourite Games"), (std::vector<std::string>{"Game000", "Game001"}));
    EXPECT_FALSE(settings.HasKey("Autoplay", CustomAutoplayKey(8001)));
    EXPECT_FALSE(AutoplayWanted(ctx, 8002));
    EXPECT_EQ(RecentGames(ctx), std::vector<int>{8002});
    EXPECT_FALSE(HasComments(ctx, "Second"));
    EXPECT_EQ(ReadStatistics(ctx, 8001, "Ann").record, StatisticsRecord{});
    EXPECT_EQ(ReadStatistics(ctx, 8002, "Ann").record.lost, 1);
    for (const LogEntry& entry : ReadLog(ctx).entries)
        EXPECT_NE(entry.game, 8001);
    EXPECT_EQ(ReadLog(ctx).entries.size(), 1u);

    // The number is free again, and the next variant takes it.
    EXPECT_EQ(AddCustomGame(ctx, 0, "Fourth", overlay), 8001);
    EXPECT_FALSE(DeleteCustomGame(ctx, 8500));
    EXPECT_EQ(GameName(ctx, 8001), "Fourth");
}

} // namespace
} // namespace quendra
