// The games compiler refuses every fault of a source with the file and the line.

#include "catalogue_build.h"
#include "game_compiler.h"
#include "game_source.h"
#include "gamesc_test_util.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace quendra::gamesc {
namespace {

// A complete small game (lines numbered in the comments where tests point at them).
constexpr const char* kValidGame = R"(game.number = 500
game.name = Test Patience
game.type = klondike
deck.cards = 52
stock.present = yes
stock.cards = 44
stock.slots = 1
stock.layout = over-tableau
stock.row = 1
waste.present = no
foundations.count = 4
foundations.base = ace
foundations.direction = up
foundations.method = in-suit
foundations.max-cards = 13
foundations.complete-at = max-cards
foundations.layout = centred
foundations.row = 1
tableau.count = 4
tableau.cards = 2
tableau.face-up = 1
tableau.empty = any
tableau.direction = down
tableau.method = alternate
tableau.max-cards = unlimited
tableau.layout = centred
tableau.row = 2
reserves.count = 0
game.family = 0
play.automatic-moves = yes
play.tutor = no
tableau.fan = down
browser.duration = quick
browser.difficulty = easy
browser.skill = moderate
browser.chance = high
[rules]
Play it.
)";

struct Result {
    CompiledGame game;
    ErrorList errors;
};

Result Compile(const std::string& text) {
    Result result;
    const GameSource source = ParseGameSource(text, "test.game", result.errors);
    result.game = CompileGame(source, result.errors);
    return result;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

// The single error expected, as "file:line: message".
std::string OnlyError(const Result& result) {
    EXPECT_EQ(result.errors.size(), 1u);
    std::string all;
    for (const CompileError& error : result.errors)
        all += error.Text() + "\n";
    return result.errors.empty()
               ? ""
               : result.errors.front().Text() + (result.errors.size() > 1 ? "\n" + all : "");
}

TEST(GamesCompilerStrictness, ValidSourceCompilesWithEveryValueInPlace) {
    const Result result = Compile(kValidGame);
    ASSERT_TRUE(result.errors.empty()) << result.errors.front().Text();
    EXPECT_EQ(result.game.number, 500);
    EXPECT_EQ(result.game.name, "Test Patience");
    EXPECT_EQ(result.game.type, 5);
    EXPECT_EQ(result.game.params[370], 52);
    EXPECT_EQ(result.game.params[33], -1);
    // A single value fills exactly the piles in use.
    EXPECT_EQ(result.game.params[211 + 3], 3);
    EXPECT_EQ(result.game.params[211 + 4], 0);
    EXPECT_FALSE(result.game.set[211 + 4]);
    EXPECT_EQ(result.game.rules, "Play it.");
}

TEST(GamesCompilerStrictness, UnknownKeysAndMalformedLinesAreRefusedWithTheirLine) {
    EXPECT_EQ(
        OnlyError(Compile(Replace(kValidGame, "tableau.fan = down", "tableau.fanning = down"))),
        "test.game:32: unknown key tableau.fanning");
    EXPECT_EQ(OnlyError(Compile(Replace(kValidGame, "tableau.fan = down", "tableau.fan down"))),
              "test.game:32: expected \"key = value\", got \"tableau.fan down\"");
    EXPECT_EQ(OnlyError(Compile(Replace(kValidGame, "tableau.fan = down", "game.colour = red"))),
              "test.game:32: unknown key game.colour");
    EXPECT_EQ(OnlyError(Compile(Replace(kValidGame, "tableau.fan = down", "tableau.fan ="))),
              "test.game:32: no value for tableau.fan");
}

TEST(GamesCompilerStrictness, ValuesOutOfRangeOrUnknownNamesAreRefused) {
    const std::pair<std::string, std::string> cases[] = {
        {"stock.cards = 44", "stock.cards = 40000"}, // beyond a 16-bit value
        {"stock.cards = 44", "stock.cards = -40000"},
        {"tableau.count = 4", "tableau.count = 41"},           // more piles than the group holds
        {"tableau.direction = down", "tableau.direction = 3"}, // a closed vocabulary
        {"tableau.method = alternate", "tableau.method = alternating"},
        {"browser.chance = high", "browser.chance = 5"},
        {"game.number = 500", "game.number = 1000"}, // three digits in the catalogue line
        {"stock.cards = 44", "stock.cards = +44"},
        {"tableau.fan = down", "tableau.fan = small-steps"},
    };
    for (const auto& [from, to] : cases) {
        const std::string source =
            std::string(kValidGame).find(from) != std::string::npos
                ? Replace(kValidGame, from, to)
                : Replace(kValidGame, "play.tutor = no", "play.tutor = no\n" + to);
        const Result result = Compile(source);
        ASSERT_FALSE(result.errors.empty()) << to;
        EXPECT_EQ(result.errors.front().file, "test.game") << to;
        EXPECT_GT(result.errors.front().line, 0) << to;
    }
    EXPECT_EQ(OnlyError(Compile(Replace(kValidGame, "stock.cards = 44", "stock.cards = 40000"))),
              "test.game:6: bad value \"40000\" for stock.cards: expected a number from 0 to 108");
    EXPECT_EQ(
        OnlyError(
            Compile(Replace(kValidGame, "tableau.direction = down", "tableau.direction = 3"))),
        "test.game:23: value 3 out of range for tableau.direction: expected one of down, up or "
        "up-or-down");
}

TEST(GamesCompilerStrictness, PileListsMustFitTheGroupAndThePileCount) {
    std::string fortyOne;
    for (int i = 0; i < 41; ++i)
        fortyOne += " 1";
    EXPECT_EQ(
        OnlyError(Compile(Replace(kValidGame, "tableau.cards = 2", "tableau.cards =" + fortyOne))),
        "test.game:20: tableau.cards lists 41 values but the group has only 40 piles");
    EXPECT_EQ(OnlyError(Compile(Replace(kValidGame, "tableau.cards = 2", "tableau.cards = 2 2 2"))),
              "test.game:20: tableau.cards lists 3 values for 4 piles: give one value for every "
              "pile, or one for all");
    EXPECT_EQ(OnlyError(Compile(Replace(kValidGame, "play.tutor = no",
                                        "play.tutor = no\ntableau.5.empty = king"))),
              "test.game:32: tableau.5.empty: there is no pile 5 (tableau.count is 4)");
    EXPECT_EQ(OnlyError(Compile(Replace(kValidGame, "play.tutor = no",
                                        "play.tutor = no\nreserves.kind = play-only"))),
              "test.game:32: reserves.kind is set but the game has no reserves piles "
              "(reserves.count is 0)");

    // A single-pile value overrides the list, wherever it stands in the file.
    const Result result = Compile(
        Replace(kValidGame, "tableau.empty = any", "tableau.2.empty = king\ntableau.empty = any"));
    ASSERT_TRUE(result.errors.empty()) << result.errors.front().Text();
    EXPECT_EQ(result.game.params[131], -1);
    EXPECT_EQ(result.game.params[132], 13);
    EXPECT_EQ(result.game.params[133], -1);
}

TEST(GamesCompilerStrictness, DuplicateKeysAndRawParametersThatHaveANameAreRefused) {
    EXPECT_EQ(OnlyError(Compile(
                  Replace(kValidGame, "play.tutor = no", "play.tutor = no\nplay.tutor = yes"))),
              "test.game:32: duplicate key play.tutor (first at line 31)");
    EXPECT_EQ(
        OnlyError(Compile(Replace(kValidGame, "play.tutor = no", "play.tutor = no\nparam.33 = 5"))),
        "test.game:32: parameter 33 has a readable key: use tableau.max-cards");
    const Result raw =
        Compile(Replace(kValidGame, "play.tutor = no", "play.tutor = no\nparam.26 = 3"));
    ASSERT_TRUE(raw.errors.empty());
    EXPECT_EQ(raw.game.params[26], 3);
}

TEST(GamesCompilerStrictness, MissingRequiredKeysAreNamed) {
    const std::pair<std::string, std::string> cases[] = {
        {"game.number = 500\n", "missing key game.number"},
        {"game.name = Test Patience\n", "missing key game.name"},
        {"game.type = klondike\n", "missing key game.type"},
        {"deck.cards = 52\n", "missing key deck.cards"},
        {"tableau.count = 4\n", "missing key tableau.count"},
        {"browser.skill = moderate\n", "missing key browser.skill"},
        {"tableau.max-cards = unlimited\n",
         "missing key tableau.max-cards (the game has tableau piles)"},
        {"foundations.complete-at = max-cards\n",
         "missing key foundations.complete-at (no value for pile 1)"},
        {"stock.layout = over-tableau\n",
         "missing key stock.layout and stock.row (stock.slots is above 0)"},
    };
    for (const auto& [line, message] : cases) {
        const Result result = Compile(Replace(kValidGame, line, ""));
        bool found = false;
        for (const CompileError& error : result.errors)
            found = found || (error.file == "test.game" && error.message == message);
        EXPECT_TRUE(found) << message;
    }
    EXPECT_EQ(OnlyError(Compile(Replace(kValidGame, "[rules]\nPlay it.\n", "[rules]\n\n"))),
              "test.game:37: no rules text: end the file with a \"[rules]\" section");
}

TEST(GamesCompilerStrictness, DealThatDoesNotUseTheWholeDeckIsRefused) {
    EXPECT_EQ(OnlyError(Compile(Replace(kValidGame, "stock.cards = 44", "stock.cards = 43"))),
              "test.game:4: the deal places 51 cards but the deck has 52");
    EXPECT_EQ(
        OnlyError(Compile(Replace(kValidGame, "tableau.face-up = 1", "tableau.face-up = 1 1 3 1"))),
        "test.game:19: tableau pile 3 turns 3 cards face up but is dealt only 2");
    // A foundation start card comes out of the deck too.
    const std::string withAces =
        Replace(Replace(kValidGame, "stock.cards = 44", "stock.cards = 40"),
                "foundations.base = ace", "foundations.base = ace\nfoundations.start-card = ace");
    EXPECT_TRUE(Compile(withAces).errors.empty());
}

TEST(GamesCompilerStrictness, KingsToBottomIsADealModeThatKeepsTheCardCount) {
    const std::string kings =
        Replace(kValidGame, "play.tutor = no", "play.tutor = no\ndeal.mode = kings-to-bottom");
    const Result result = Compile(kings);
    ASSERT_TRUE(result.errors.empty()) << result.errors.front().Text();
    EXPECT_EQ(result.game.params[34], 17);
    // The Kings only change places within their piles, so the deal must still use the deck.
    EXPECT_EQ(OnlyError(Compile(Replace(kings, "stock.cards = 44", "stock.cards = 45"))),
              "test.game:4: the deal places 53 cards but the deck has 52");
}

// A rule the engine lacks would compile and then misplay in silence: the compiler refuses it
// at the line that asks for it.
TEST(GamesCompilerStrictness, WhatTheEngineDoesNotPlayIsRefusedWithItsLine) {
    EXPECT_EQ(OnlyError(Compile(Replace(kValidGame, "game.family = 0", "game.family = 5"))),
              "test.game:29: family 5 is not played by the engine");
    // A family with some hooks but not all of its rules is refused too (41 has the hook
    // that says where its clicks select, no more).
    EXPECT_EQ(OnlyError(Compile(Replace(kValidGame, "game.family = 0", "game.family = 41"))),
              "test.game:29: family 41 is not played by the engine");
    EXPECT_EQ(OnlyError(Compile(Replace(kValidGame, "play.tutor = no",
                                        "play.tutor = no\nstock.redeal = 3"))),
              "test.game:32: redeal method 3 is not played by the engine");
    EXPECT_EQ(OnlyError(Compile(
                  Replace(kValidGame, "play.tutor = no", "play.tutor = no\ndeal.mode = 21"))),
              "test.game:32: deal mode 21 is not played by the engine");
    EXPECT_EQ(OnlyError(Compile(
                  Replace(kValidGame, "foundations.method = in-suit", "foundations.method = 91"))),
              "test.game:14: building method 91 is not played by the engine");
    // One pile's own method is reported at its own line, once.
    EXPECT_EQ(OnlyError(Compile(Replace(kValidGame, "play.tutor = no",
                                        "play.tutor = no\ntableau.3.method = 40"))),
              "test.game:32: building method 40 is not played by the engine");
    // Every redeal order the engine has compiles.
    for (const char* order : {"shuffled-fans", "fans-in-order", "shuffled-opening",
                              "shuffled-with-stock", "gather-and-deal"}) {
        const Result result = Compile(Replace(kValidGame, "play.tutor = no",
                                              std::string("play.tutor = no\nstock.redeal = ") + order));
        EXPECT_TRUE(result.errors.empty()) << order << ": " << result.errors.front().Text();
    }
}

TEST(GamesCompilerStrictness, DuplicateNumbersAndNamesAcrossFilesStopTheBuild) {
    test::TempDir dir;
    const std::string first = dir.Write("a.game", kValidGame);
    const std::string sameNumber =
        dir.Write("b.game", Replace(kValidGame, "Test Patience", "Other"));
    const std::string sameName =
        dir.Write("c.game", Replace(kValidGame, "game.number = 500", "game.number = 501\n#"));
    ErrorList errors;
    EXPECT_FALSE(BuildCatalogue({first, sameNumber, sameName}, dir.File("GAMES.DAT"),
                                dir.File("RULES.DAT"), errors));
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0].Text(),
              sameNumber + ":1: game number 500 is already used by " + first + ":1");
    // Names are compared without regard to letter case, as the program looks them up.
    EXPECT_EQ(errors[1].Text(),
              sameName + ":3: game name \"Test Patience\" is already used by " + first + ":2");
    EXPECT_FALSE(std::filesystem::exists(dir.File("GAMES.DAT")));

    const std::string upper =
        dir.Write("d.game", Replace(Replace(kValidGame, "game.number = 500", "game.number = 502"),
                                    "Test Patience", "TEST PATIENCE"));
    errors.clear();
    EXPECT_FALSE(
        BuildCatalogue({first, upper}, dir.File("GAMES.DAT"), dir.File("RULES.DAT"), errors));
    EXPECT_EQ(errors.size(), 1u);
}

TEST(GamesCompilerStrictness, FaultyBuildLeavesTheOldCatalogueInPlace) {
    test::TempDir dir;
    const std::string good = dir.Write("good.game", kValidGame);
    ErrorList errors;
    ASSERT_TRUE(BuildCatalogue({good}, dir.File("GAMES.DAT"), dir.File("RULES.DAT"), errors));
    const std::string before = test::ReadWhole(dir.File("GAMES.DAT"));
    const std::string bad = dir.Write(
        "bad.game", Replace(Replace(kValidGame, "game.number = 500", "game.number = 7\nbogus = 1"),
                            "Test Patience", "Bad"));
    EXPECT_FALSE(BuildCatalogue({good, bad}, dir.File("GAMES.DAT"), dir.File("RULES.DAT"), errors));
    EXPECT_EQ(errors.back().Text(), bad + ":2: unknown key bogus");
    EXPECT_EQ(test::ReadWhole(dir.File("GAMES.DAT")), before);
}

} // namespace
} // namespace quendra::gamesc
