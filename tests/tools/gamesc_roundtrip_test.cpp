// The real catalogue sources, compiled and read back through the program's own reading
// functions: every parameter arrives exactly as the source set it.

#include "../model/fake_host.h"
#include "catalogue_build.h"
#include "game_catalog.h"
#include "games_dat_writer.h"
#include "gamesc_test_util.h"
#include "settings_record.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace quendra::gamesc {
namespace {

std::vector<std::string> RealSources() {
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator(QUENDRA_GAMES_SOURCE_DIR))
        if (entry.path().extension() == ".game") paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::string ErrorsText(const ErrorList& errors) {
    std::string text;
    for (const CompileError& error : errors)
        text += error.Text() + "\n";
    return text;
}

class CatalogueRoundTrip : public ::testing::Test {
  protected:
    void SetUp() override {
        ErrorList errors;
        games_ = CompileSources(RealSources(), errors);
        ASSERT_TRUE(errors.empty()) << ErrorsText(errors);
        ASSERT_TRUE(
            BuildCatalogue(RealSources(), dir_.File("GAMES.DAT"), dir_.File("RULES.DAT"), errors))
            << ErrorsText(errors);
        ctx_.gamesFile = dir_.File("GAMES.DAT");
        ASSERT_TRUE(LoadGameList(ctx_));
    }

    test::TempDir dir_;
    test::FakeHost host_;
    GameContext ctx_{host_};
    std::vector<CompiledGame> games_;
};

TEST_F(CatalogueRoundTrip, CatalogueListsEveryGameWithItsNumberNameAndType) {
    ASSERT_GE(games_.size(), 7u);
    ASSERT_EQ(ctx_.mainGame.GameList.size(), games_.size());
    for (std::size_t column = 0; column < games_.size(); ++column) {
        const CompiledGame& game = games_[column];
        EXPECT_EQ(GameColumn(ctx_, game.number), static_cast<int>(column)) << game.name;
        EXPECT_EQ(GameName(ctx_, game.number), game.name);
        EXPECT_EQ(GameType(ctx_, game.number), game.type) << game.name;
        EXPECT_EQ(GameNumber(ctx_, game.name), game.number);
    }
    for (int fixed : {0, 1, 11, 42, 91, 109, 154})
        EXPECT_GE(GameColumn(ctx_, fixed), 0) << fixed;
    // The built-in series name these numbers: each must be a listed game.
    for (int inSeries : {176, 206, 94, 28, 30, 114, 62, 237, 240})
        EXPECT_GE(GameColumn(ctx_, inSeries), 0) << inSeries;
    EXPECT_EQ(GameName(ctx_, 0), "Klondike");
    EXPECT_EQ(GameName(ctx_, 1), "FreeCell");
}

TEST_F(CatalogueRoundTrip, EveryParameterOfEveryGameLoadsExactly) {
    for (const CompiledGame& game : games_) {
        ctx_.params.fill(0);
        char number[8];
        std::snprintf(number, sizeof number, "%04d", game.number);
        SetSetting(ctx_.settings, field::kGameNumber, number);
        ASSERT_TRUE(LoadGameDefinition(ctx_))
            << game.name << ": " << (host_.errors.empty() ? "" : host_.errors.back());
        for (int param = 0; param < kParamCount; ++param)
            EXPECT_EQ(ctx_.Param(param), game.params[static_cast<std::size_t>(param)])
                << game.name << " parameter " << param;
    }
}

TEST_F(CatalogueRoundTrip, BrowserReadsTheInformationRowsWithoutLoading) {
    const std::array<int, 9> rows{482, 483, 484, 485, 486, 487, 15, 370, 367};
    for (const CompiledGame& game : games_) {
        const std::array<int, 9> values = ReadGameParams(ctx_, game.number, rows);
        for (std::size_t i = 0; i < rows.size(); ++i)
            EXPECT_EQ(values[i], game.params[static_cast<std::size_t>(rows[i])])
                << game.name << " row " << rows[i];
    }
}

TEST_F(CatalogueRoundTrip, BrowserListsHoldTheGamesMarkedForThem) {
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadTextLines(dir_.File("GAMES.DAT"), lines));
    auto listed = [&](const char* header) {
        std::vector<int> numbers;
        for (const std::string& line : SectionLines(lines, header))
            numbers.push_back(std::stoi(fnUnshiftText(line)));
        return numbers;
    };
    std::vector<int> selected, children;
    for (const CompiledGame& game : games_) {
        if (game.inSelected) selected.push_back(game.number);
        if (game.inChildren) children.push_back(game.number);
    }
    EXPECT_EQ(listed("[SectS]"), selected);
    EXPECT_EQ(listed("[SectK]"), children);
    EXPECT_TRUE(listed("[SectO]").empty());
    EXPECT_NE(std::find(children.begin(), children.end(), 0), children.end());
}

TEST_F(CatalogueRoundTrip, RulesFileHoldsEachGamesTextUnderItsHeader) {
    const std::string rules = test::ReadWhole(dir_.File("RULES.DAT"));
    for (const CompiledGame& game : games_) {
        char header[80];
        std::snprintf(header, sizeof header, "[%04d] %s\r\n", game.number, game.name.c_str());
        const auto at = rules.find(header);
        ASSERT_NE(at, std::string::npos) << header;
        std::string expected = game.rules;
        std::string crlf;
        for (char c : expected)
            crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        EXPECT_EQ(rules.compare(at + std::string(header).size(), crlf.size(), crlf), 0)
            << game.name;
        EXPECT_GT(game.rules.size(), 200u) << game.name;
    }
}

TEST_F(CatalogueRoundTrip, BuiltCatalogueMatchesTheSources) {
    // The GAMES.DAT of the build tree is what the sources compile to now.
    EXPECT_EQ(test::ReadWhole(QUENDRA_GAMES_DAT), test::ReadWhole(dir_.File("GAMES.DAT")));
}

TEST(CatalogueStoredForm, ExtremeValuesAndUnlistedGamesSurviveTheRoundTrip) {
    test::TempDir dir;
    const std::string base =
        test::ReadWhole(std::string(QUENDRA_GAMES_SOURCE_DIR) + "/0001-freecell.game");
    auto withNumber = [&](int number, const std::string& name, const std::string& extra) {
        std::string text = base;
        text.replace(text.find("game.number = 1"), 15, "game.number = " + std::to_string(number));
        text.replace(text.find("game.name   = FreeCell"), 22, "game.name = " + name + "\n" + extra);
        return text;
    };
    const std::string hidden = dir.Write(
        "hidden.game", withNumber(700, "Hidden Patience", "game.listed = no\nparam.26 = -32768"));
    const std::string extreme =
        dir.Write("extreme.game", withNumber(701, "Odd ~Quoted \"O\" Patience",
                                             "param.27 = 32767\nparam.28 = -32768"));
    ErrorList errors;
    ASSERT_TRUE(
        BuildCatalogue({hidden, extreme}, dir.File("GAMES.DAT"), dir.File("RULES.DAT"), errors))
        << ErrorsText(errors);

    test::FakeHost host;
    GameContext ctx{host};
    ctx.gamesFile = dir.File("GAMES.DAT");
    ASSERT_TRUE(LoadGameList(ctx));
    // An unlisted game has no column: the listed one takes column 0.
    EXPECT_EQ(GameColumn(ctx, 700), -1);
    EXPECT_EQ(GameColumn(ctx, 701), 0);
    EXPECT_EQ(GameName(ctx, 701), "Odd ~Quoted \"O\" Patience");
    SetSetting(ctx.settings, field::kGameNumber, "0701");
    ASSERT_TRUE(LoadGameDefinition(ctx));
    EXPECT_EQ(ctx.Param(27), 32767);
    EXPECT_EQ(ctx.Param(28), -32768);
    EXPECT_EQ(ctx.Param(367), 8);
}

TEST(CatalogueStoredForm, ShiftRoundTripsEveryPrintableCharacter) {
    std::string printable;
    for (int code = 32; code <= 126; ++code)
        printable += static_cast<char>(code);
    const std::string stored = fnShiftText(printable);
    EXPECT_EQ(fnUnshiftText(stored), printable);
    for (char c : stored) {
        // A stored character never breaks a line.
        EXPECT_NE(c, '\r');
        EXPECT_NE(c, '\n');
    }
    // Value fields start with a digit, a sign or a blank: never with "[", which would read as
    // a section header.
    for (int value : {-32768, -1, 0, 7, 32767})
        EXPECT_NE(fnShiftText(ValueField(value)).front(), '[') << value;
    EXPECT_EQ(ValueField(-32768), "-32768    ");
}

} // namespace
} // namespace quendra::gamesc
