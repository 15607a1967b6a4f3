#include "cards.h"
#include "fake_host.h"
#include "game_catalog.h"

#include <filesystem>
#include <fstream>
#include <random>

#include <gtest/gtest.h>

namespace quendra {
namespace {

namespace fs = std::filesystem;

struct CatalogueGame {
    int type;
    int number;
    std::string name;
    bool hidden = false;
    bool needsWideScreen = false;
};

std::string CatalogueLine(const CatalogueGame& g) {
    std::string line = fnFormatNumber(g.type, 3) + " " + fnFormatNumber(g.number, 3) +
                       (g.hidden ? "9" : " ") + (g.needsWideScreen ? "1" : "0") + "0" + g.name;
    line.resize(60, ' ');
    return fnShiftText(line);
}

// A parameter row: number, twelve unread characters, then one shifted field per game.
std::string ParamRow(int parameter, const std::vector<std::string>& values) {
    std::string row = fnFormatNumber(parameter, 4) + std::string(12, ' ');
    for (const auto& v : values) {
        std::string field = v;
        field.resize(10, ' ');
        row += fnShiftText(field) + " ";
    }
    return row;
}

class CatalogueTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device rd;
        dir = fs::temp_directory_path() / ("quendra-catalogue-" + std::to_string(rd()));
        fs::create_directories(dir / "DATA");
        SetSetting(ctx.settings, field::kProgramDir, dir.string() + "/");
    }
    void TearDown() override { fs::remove_all(dir); }

    void WriteFile(const fs::path& path, const std::vector<std::string>& lines) {
        std::ofstream out(path, std::ios::binary);
        for (const auto& line : lines)
            out << line << "\r\n";
    }

    // Three listed games (0 Klondike, 1 FreeCell, 7 Wide Game) and one hidden game between
    // them; parameter rows 1 to 367 with values per listed column.
    void WriteGames(const std::string& badValue = "") {
        std::vector<std::string> lines = {"[Sect1]",
                                          CatalogueLine({5, 0, "Klondike"}),
                                          CatalogueLine({4, 1, "FreeCell"}),
                                          CatalogueLine({9, 5, "Hidden Game", true}),
                                          CatalogueLine({12, 7, "Wide Game", false, true}),
                                          "[Sect2]"};
        for (int p = 1; p <= 367; ++p) {
            std::vector<std::string> values = {std::to_string(p), std::to_string(-p),
                                               std::to_string(p * 10)};
            if (p == 366) values = {"4", "4", "8"};
            if (p == 367) values = {"7", "8", "10"};
            if (p == 200 && !badValue.empty()) values[1] = badValue;
            lines.push_back(ParamRow(p, values));
        }
        lines.push_back("[SectS]");
        lines.push_back("0000");
        WriteFile(dir / "GAMES.DAT", lines);
    }

    void WriteCustom(const std::vector<std::string>& records) {
        std::vector<std::string> lines = {"[R-0301]"};
        for (const auto& record : records) {
            lines.push_back(record.substr(0, record.find('|')));
            lines.push_back(record.substr(record.find('|') + 1));
            for (int i = 3; i <= 30; ++i)
                lines.push_back("");
        }
        WriteFile(dir / "DATA" / "gam_cust.dat", lines);
    }

    static std::string CustomHeader(int number, const std::string& name, int base) {
        std::string line = fnFormatNumber(number, 4) + name;
        line.resize(54, ' ');
        return line + fnFormatNumber(base, 4);
    }

    bool Load(int number) {
        SetSetting(ctx.settings, field::kGameNumber, fnFormatNumber(number, 4));
        return LoadGameDefinition(ctx);
    }

    fs::path dir;
    test::FakeHost host;
    GameContext ctx{host};
};

TEST(Shift, EveryPrintableCharacterSurvivesTheRoundTrip) {
    std::string all;
    for (int c = 32; c < 127; ++c)
        all.push_back(static_cast<char>(c));
    EXPECT_EQ(fnUnshiftText(fnShiftText(all)), all);
    EXPECT_EQ(fnUnshiftText("a"), "1"); // 97 - 48
    EXPECT_EQ(fnUnshiftText("1"), "a"); // 49 + 48
}

TEST_F(CatalogueTest, HiddenGamesAreLeftOutAndColumnsFollowTheListedGames) {
    WriteGames();
    ASSERT_TRUE(LoadGameList(ctx));
    ASSERT_EQ(ctx.mainGame.GameList.size(), 3u);
    EXPECT_EQ(GameColumn(ctx, 0), 0);
    EXPECT_EQ(GameColumn(ctx, 1), 1);
    EXPECT_EQ(GameColumn(ctx, 7), 2);
    EXPECT_EQ(GameColumn(ctx, 5), -1);
    EXPECT_EQ(GameColumn(ctx, 8000), -1);
    EXPECT_EQ(GameName(ctx, 7), "Wide Game");
    EXPECT_EQ(GameType(ctx, 1), 4);
    EXPECT_EQ(GameType(ctx, 5), -1);
    EXPECT_EQ(GameType(ctx, 8123), 800);
    EXPECT_EQ(GameNumber(ctx, "  freecell "), 1);
    EXPECT_EQ(GameNumber(ctx, "Hidden Game"), -1);

    ASSERT_TRUE(Load(7));
    EXPECT_EQ(ctx.Param(1), 10);
    EXPECT_EQ(ctx.Param(300), 3000);
    EXPECT_EQ(ctx.Param(367), 10);
    EXPECT_EQ(ctx.Param(400), 0); // no row
    ASSERT_TRUE(Load(1));
    EXPECT_EQ(ctx.Param(12), -12);
}

TEST_F(CatalogueTest, ParametersReadWithoutLoading) {
    WriteGames();
    ASSERT_TRUE(LoadGameList(ctx));
    const int rows[] = {1, 366, 367, 999};
    const auto values = ReadGameParams(ctx, 1, rows);
    EXPECT_EQ(values[0], -1);
    EXPECT_EQ(values[1], 4);
    EXPECT_EQ(values[2], 8);
    EXPECT_EQ(values[3], -99);
    EXPECT_EQ(values[8], -99);
    const auto pairs = ReadParamPairs(ctx, 366, 367);
    ASSERT_EQ(pairs.size(), 3u);
    EXPECT_EQ(pairs[2], "00000000080000000010");
}

TEST_F(CatalogueTest, BadValueIsRefusedNamingFileRowAndColumn) {
    WriteGames("12x");
    ASSERT_TRUE(LoadGameList(ctx));
    ASSERT_TRUE(Load(0));
    const GameParams before = ctx.params;
    EXPECT_FALSE(Load(1));
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_NE(host.errors[0].find("GAMES.DAT"), std::string::npos);
    EXPECT_NE(host.errors[0].find("row 200"), std::string::npos);
    EXPECT_NE(host.errors[0].find("column 1"), std::string::npos);
    EXPECT_EQ(ctx.params, before);
    EXPECT_FALSE(Load(42));
    EXPECT_EQ(host.errors.size(), 2u);
}

TEST_F(CatalogueTest, AReadingAheadIsTakenOnlyWhileTheFileIsAsItWasRead) {
    WriteGames("12");
    const std::string path = GamesDatPath(ctx);
    ReadCatalogueAhead(path);
    // Written again (a value longer) once the reading ahead may have begun: the file read
    // is the file as it is.
    WriteGames("12345");
    ASSERT_TRUE(LoadGameList(ctx));
    ASSERT_TRUE(Load(1));
    EXPECT_EQ(ctx.params[200], 12345);
    // Read ahead and not changed since: the same values.
    ReadCatalogueAhead(path);
    ASSERT_TRUE(Load(0));
    EXPECT_EQ(ctx.params[200], 200);
}

TEST_F(CatalogueTest, ValuesBeyondSixteenBitsAndSignedValuesReadAsTheTextHasThem) {
    // Kept as numbers, the rows still tell a value out of range from one that is no number.
    WriteGames("70000");
    ASSERT_TRUE(LoadGameList(ctx));
    EXPECT_FALSE(Load(1));
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_NE(host.errors[0].find("out of range"), std::string::npos) << host.errors[0];
    const int rows[] = {200};
    EXPECT_EQ(ReadGameParams(ctx, 1, rows)[0], 70000);
    WriteGames("+12");
    ASSERT_TRUE(LoadGameList(ctx));
    // The file was written this moment: it is read afresh.
    ASSERT_TRUE(Load(1));
    EXPECT_EQ(ctx.params[200], 12);
    EXPECT_EQ(ctx.params[199], -199);
}

TEST_F(CatalogueTest, CustomOverlayLaysOnlyOverThePilesInUse) {
    WriteGames();
    WriteCustom({CustomHeader(8001, "My Klondike", 0) + "|00300210000102004",
                 CustomHeader(8002, "Same Rules", 0) + "|0030020-1-0102002",
                 CustomHeader(8004, "Method Only", 0) + "|0030020-100202002",
                 CustomHeader(8003, "Unlimited", 1) + "|001-01201-01-1-01"});
    ASSERT_TRUE(LoadGameList(ctx));
    EXPECT_EQ(GameName(ctx, 8001), "My Klondike");
    EXPECT_EQ(GameNumber(ctx, "same rules"), 8002);
    EXPECT_EQ(CustomGameBase(ctx, 8003).base, 1);
    EXPECT_EQ(CustomGameBase(ctx, 8999).base, -1);
    EXPECT_TRUE(CustomGamesProblems(ctx).empty());

    ASSERT_TRUE(Load(8001));
    EXPECT_EQ(ctx.Param(22), 3);
    EXPECT_EQ(ctx.Param(15), 2);
    EXPECT_EQ(ctx.Param(131), 91);
    EXPECT_EQ(ctx.Param(137), 91);
    EXPECT_EQ(ctx.Param(138), 138); // pile 8 is not in use: keeps its value
    EXPECT_EQ(ctx.Param(171), 1);   // direction 0 maps to 1
    EXPECT_EQ(ctx.Param(211), 3);   // method 1 maps to 3
    EXPECT_EQ(ctx.Param(67), 2);    // direction 2 stays
    EXPECT_EQ(ctx.Param(83), 21);   // method 4 maps to 21
    EXPECT_EQ(ctx.Param(70), 2);
    EXPECT_EQ(ctx.Param(71), 71); // foundation 5 is not in use
    // The rule copy holds the overlaid empty-pile rules and base ranks.
    ctx.params[131] = 5;
    ctx.params[51] = 9;
    RestoreRuleCopy(ctx);
    EXPECT_EQ(ctx.Param(131), 91);
    EXPECT_EQ(ctx.Param(51), 51);

    // "0" keeps the empty-pile rules; a direction not offered (-1) keeps the game's own, and
    // the method still changes.
    ASSERT_TRUE(Load(8002));
    EXPECT_EQ(ctx.Param(131), 131);
    EXPECT_EQ(ctx.Param(171), 171);
    EXPECT_EQ(ctx.Param(211), 211);
    EXPECT_EQ(ctx.Param(67), 2);
    EXPECT_EQ(ctx.Param(83), 2); // method 2 stays

    ASSERT_TRUE(Load(8004));
    EXPECT_EQ(ctx.Param(171), 171);
    EXPECT_EQ(ctx.Param(211), 2);

    ASSERT_TRUE(Load(8003)); // unlimited redeals are written "-01"
    EXPECT_EQ(ctx.Param(22), 1);
    EXPECT_EQ(ctx.Param(15), -1);
    EXPECT_EQ(ctx.Param(131), -1);   // "2": any card
    EXPECT_EQ(ctx.Param(171), 0);    // direction 1 maps to 0
    EXPECT_EQ(ctx.Param(211), -211); // method not offered: only the direction is laid
    EXPECT_EQ(ctx.Param(67), -67);
    EXPECT_FALSE(Load(8999));
}

TEST_F(CatalogueTest, DamagedCustomRecordsAreSkippedWithTheirReasons) {
    WriteGames();
    WriteCustom({CustomHeader(8001, "Bad Counts", 1) + "|00x002901xyz00000",
                 CustomHeader(8002, "No Base", 42) + "|00100110200202002",
                 CustomHeader(8003, "Sound", 1) + "|00100110200202002",
                 CustomHeader(8003, "Twice", 1) + "|00100110200202002",
                 CustomHeader(8004, "Short", 1) + "|0010011",
                 CustomHeader(8005, "Far Out", 1) + "|00100190200202002"});
    ASSERT_TRUE(LoadGameList(ctx));
    const std::vector<std::string> problems = CustomGamesProblems(ctx);
    ASSERT_EQ(problems.size(), 5u);
    EXPECT_EQ(problems[0], "line 2: its cards per stock click are out of range");
    EXPECT_EQ(problems[1], "line 32: its base game is not in the catalogue");
    EXPECT_EQ(problems[2], "line 92: its number 8003 is used by an earlier record");
    EXPECT_EQ(problems[3], "line 122: its rules line is shorter than 17 characters");
    EXPECT_EQ(problems[4], "line 152: its empty tableau pile choice is out of range");

    CustomGameLists lists;
    ASSERT_TRUE(ListCustomGames(ctx, lists));
    EXPECT_EQ(lists.numbers, std::vector<std::string>{"8003"});
    EXPECT_EQ(GameName(ctx, 8003), "Sound");
    EXPECT_EQ(GameNumber(ctx, "Twice"), -1);
    EXPECT_EQ(GameName(ctx, 8002), "");
    const GameParams before = ctx.params;
    EXPECT_FALSE(Load(8001));
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_NE(host.errors[0].find("cannot be played: its cards per stock click"),
              std::string::npos);
    EXPECT_EQ(ctx.params, before);

    // A file that is not a customised-games file holds no games at all.
    WriteFile(dir / "DATA" / "gam_cust.dat", {"[Other]", CustomHeader(8003, "Sound", 1)});
    EXPECT_FALSE(ListCustomGames(ctx, lists));
    EXPECT_EQ(CustomGameBase(ctx, 8003).base, -1);
    ASSERT_EQ(CustomGamesProblems(ctx).size(), 1u);
}

TEST_F(CatalogueTest, ListsOfCustomGamesAreSortedByName) {
    WriteGames();
    ASSERT_TRUE(LoadGameList(ctx));
    CustomGameLists lists;
    EXPECT_FALSE(ListCustomGames(ctx, lists));
    WriteCustom({CustomHeader(8005, "Zebra", 1) + "|00100110200202002",
                 CustomHeader(8004, "apple", 0) + "|00300230100201003"});
    ASSERT_TRUE(ListCustomGames(ctx, lists));
    ASSERT_EQ(lists.names.size(), 2u);
    EXPECT_EQ(lists.names[0].size(), 50u);
    EXPECT_EQ(lists.numbers[0], "8004");
    EXPECT_EQ(lists.bases[1], "0001");
    EXPECT_EQ(lists.overlays[0], "0030023");
    const auto names = AllGameNames(ctx);
    EXPECT_EQ(names,
              (std::vector<std::string>{"apple", "FreeCell", "Klondike", "Wide Game", "Zebra"}));
}

TEST_F(CatalogueTest, NarrowScreensRefuseWideGamesWithTheMessage) {
    WriteGames();
    ASSERT_TRUE(LoadGameList(ctx));
    host.screenWidth = 640;
    EXPECT_TRUE(CanPlayOnThisScreen(ctx, 0));
    EXPECT_FALSE(CanPlayOnThisScreen(ctx, 7));
    ASSERT_EQ(host.informations.size(), 1u);
    EXPECT_EQ(host.informations[0],
              "Your video card's display is 640x480 pixels.\rYou can't play: Wide Game\r"
              "Please set your screen resolution to 800x600 pixels or higher.");
    host.screenWidth = 800;
    EXPECT_TRUE(CanPlayOnThisScreen(ctx, 7));
}

TEST_F(CatalogueTest, MissingCatalogueIsReported) {
    EXPECT_FALSE(LoadGameList(ctx));
    EXPECT_EQ(host.errors.size(), 1u);
}

} // namespace
} // namespace quendra
