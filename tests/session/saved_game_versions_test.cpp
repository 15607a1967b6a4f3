#include "keep_fixture.h"
#include "saved_game.h"
#include "undo_commands.h"

#include <fstream>
#include <map>

namespace quendra::test {
namespace {

// Files of the older versions, written line by line from the format's tables: how many pile
// lines each group had, and which lines hold cards. Not written by the program's writer.
struct OldLayout {
    int foundations, tableau, reserves;
};

std::string Header(const std::string& version) {
    return "[S-" + version + "]" + "0000" + std::string(30, ' ') + std::string(15, ' ') + "N   " +
           "B" + "001      " + "0005" + "000125" + "01" + "000010" + "000002";
}

// Named pile lines of a layout: "S0", "F3", "T21", "R8" (1-based but for the stock).
std::vector<std::string> PileLines(const OldLayout& layout,
                                   const std::map<std::string, std::string>& cards) {
    std::vector<std::string> lines;
    const auto group = [&](char kind, int first, int count) {
        for (int i = first; i < first + count; ++i) {
            const auto at = cards.find(kind + std::to_string(i));
            lines.push_back(at == cards.end() ? std::string{} : at->second);
        }
    };
    group('S', 0, 3);
    group('F', 1, layout.foundations);
    group('T', 1, layout.tableau);
    group('R', 1, layout.reserves);
    return lines;
}

std::string OldFile(const std::string& version, const std::string& foundationParams,
                    const std::vector<std::string>& table, const std::vector<std::string>& step,
                    const OldLayout& layout) {
    std::string text = Header(version) + "\r\n";
    text += "Ann" + std::string(47, ' ') + "4242" + std::string(11, ' ') + " " + foundationParams +
            "\r\n";
    for (int i = 2; i < 12; ++i)
        text += "\r\n";
    for (const std::string& line : table)
        text += line + "\r\n";
    const int sizes[] = {3, layout.foundations, layout.tableau, layout.reserves};
    const char* headers[] = {"[UNDO - Stock]", "[UNDO - Foundations]", "[UNDO - Piles]",
                             "[UNDO - Reserves]"};
    std::size_t at = 0;
    for (int g = 0; g < 4; ++g) {
        text += std::string(headers[g]) + "\r\n";
        for (int i = 0; i < sizes[g]; ++i)
            text += step[at++] + "\r\n";
    }
    return text + "[UNDO - Log]\r\n,\r\n";
}

// Line of a pile in the current snapshot.
std::size_t S(int i) {
    return static_cast<std::size_t>(i);
}
std::size_t F(int i) {
    return static_cast<std::size_t>(3 + i - 1);
}
std::size_t T(int i) {
    return static_cast<std::size_t>(19 + i - 1);
}
std::size_t R(int i) {
    return static_cast<std::size_t>(59 + i - 1);
}

class OldVersions : public ::testing::Test {
  protected:
    // Opens the file; the table as loaded and the table one undo later.
    void Open(const std::string& text, TableSnapshot& table, TableSnapshot& undone) {
        const std::string path = kept.File("old.gam");
        std::ofstream(path, std::ios::binary) << text;
        const KeepResult opened = OpenSavedGame(kept.ctx, path, OpenMode::ReadOnly);
        ASSERT_TRUE(opened.Ok()) << opened.message;
        EXPECT_EQ(GetSetting(kept.ctx.settings, field::kDealNumber), "4242");
        EXPECT_EQ(kept.ctx.play.passNumber, 2);
        EXPECT_EQ(kept.ctx.play.timeText, "0:02:05");
        table = BuildTableSnapshot(kept.ctx);
        const UndoSide& undo = kept.ctx.undoHistory.undo;
        ASSERT_EQ(undo.Steps(), 1);
        EXPECT_EQ(undo.Foundations.size(), 16u);
        EXPECT_EQ(undo.Piles.size(), 40u);
        EXPECT_EQ(undo.Reserves.size(), 10u);
        ASSERT_TRUE(Undo(kept.ctx));
        undone = BuildTableSnapshot(kept.ctx);
    }
    static void ExpectOnly(const TableSnapshot& table,
                           const std::map<std::size_t, std::string>& cards) {
        for (std::size_t line = 0; line < table.size(); ++line) {
            const auto at = cards.find(line);
            EXPECT_EQ(table[line], at == cards.end() ? std::string{} : at->second)
                << "line " << line;
        }
    }

    KeptGame kept{0, "1"};
    const std::string params16 = std::string(32, '0').replace(0, 2, "01");
};

TEST_F(OldVersions, Version0520GainsTwelveTableauPiles) {
    const OldLayout old{16, 28, 10};
    const std::map<std::string, std::string> cards = {
        {"S0", "0200"}, {"F1", "0011"}, {"T1", "0131"}, {"T28", "0401"}, {"R10", "0271"}};
    const std::map<std::string, std::string> before = {
        {"S0", "0200"}, {"F1", "0011"}, {"T1", "0131"}, {"T27", "0401"}, {"R10", "0271"}};
    TableSnapshot table, undone;
    Open(OldFile("0520", params16, PileLines(old, cards), PileLines(old, before), old), table,
         undone);
    ExpectOnly(table,
               {{S(0), "0200"}, {F(1), "0011"}, {T(1), "0131"}, {T(28), "0401"}, {R(10), "0271"}});
    ExpectOnly(undone,
               {{S(0), "0200"}, {F(1), "0011"}, {T(1), "0131"}, {T(27), "0401"}, {R(10), "0271"}});
}

TEST_F(OldVersions, Version0303GainsTwoReservesAndTwelveTableauPiles) {
    const OldLayout old{16, 28, 8};
    const std::map<std::string, std::string> cards = {{"T28", "0401"}, {"R8", "0271"}};
    const std::map<std::string, std::string> before = {{"T28", "0271"}, {"R8", "0401"}};
    TableSnapshot table, undone;
    Open(OldFile("0303", params16, PileLines(old, cards), PileLines(old, before), old), table,
         undone);
    ExpectOnly(table, {{T(28), "0401"}, {R(8), "0271"}});
    ExpectOnly(undone, {{T(28), "0271"}, {R(8), "0401"}});
}

// The tableau grows in its middle: two empty lines come in at file lines 52 and 53, so the old
// piles 22 to 26 become 24 to 28 — and the undo steps grow the same way as the table.
TEST_F(OldVersions, Version0301GainsTableauPilesInTheMiddle) {
    const OldLayout old{16, 26, 8};
    const std::map<std::string, std::string> cards = {
        {"T21", "0031"}, {"T22", "0041"}, {"T26", "0051"}, {"R8", "0061"}};
    const std::map<std::string, std::string> before = {
        {"T21", "0031"}, {"T22", "0051"}, {"T26", "0041"}, {"R8", "0061"}};
    TableSnapshot table, undone;
    Open(OldFile("0301", params16, PileLines(old, cards), PileLines(old, before), old), table,
         undone);
    ExpectOnly(table, {{T(21), "0031"}, {T(24), "0041"}, {T(28), "0051"}, {R(8), "0061"}});
    ExpectOnly(undone, {{T(21), "0031"}, {T(24), "0051"}, {T(28), "0041"}, {R(8), "0061"}});
}

// Before "0301" a file had 12 foundations and 21 tableau piles, and 12 foundation parameters.
TEST_F(OldVersions, AVersionBefore0301GainsFoundationsTableauPilesAndParameters) {
    const OldLayout old{12, 21, 8};
    const std::map<std::string, std::string> cards = {{"F8", "0011"},  {"F9", "0021"},
                                                      {"T16", "0031"}, {"T17", "0041"},
                                                      {"T21", "0051"}, {"R8", "0061"}};
    const std::map<std::string, std::string> before = {{"F8", "0021"},  {"F9", "0011"},
                                                       {"T16", "0031"}, {"T17", "0051"},
                                                       {"T21", "0041"}, {"R8", "0061"}};
    const std::string params12 = "010101010101010107010101";
    TableSnapshot table, undone;
    Open(OldFile("0300", params12, PileLines(old, cards), PileLines(old, before), old), table,
         undone);
    ExpectOnly(table, {{F(8), "0011"},
                       {F(13), "0021"},
                       {T(16), "0031"},
                       {T(24), "0041"},
                       {T(28), "0051"},
                       {R(8), "0061"}});
    ExpectOnly(undone, {{F(8), "0021"},
                        {F(13), "0011"},
                        {T(16), "0031"},
                        {T(24), "0051"},
                        {T(28), "0041"},
                        {R(8), "0061"}});
    EXPECT_EQ(kept.ctx.Param(59), 7);
    for (int p = 63; p <= 66; ++p)
        EXPECT_EQ(kept.ctx.Param(p), 0) << p;
}

} // namespace
} // namespace quendra::test
