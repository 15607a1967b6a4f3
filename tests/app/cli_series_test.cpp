#include "cli_test_support.h"

#include <fstream>

namespace quendra::test {
namespace {

using CliSeries = CliRunner;

void WriteFile(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

TEST_F(CliSeries, ListsTheSeriesAndTheStandingOfTheOneInProgress) {
    ASSERT_EQ(Run({"series", "--json"}), 0) << err.str();
    std::string json = out.str();
    EXPECT_NE(json.find("{\"number\": 5, \"name\": \"Klondike variations\", \"built_in\": true, "
                        "\"playable\": true, \"games\": [{\"game\": 0, \"name\": \"Klondike\"}"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"in_progress\": null"), std::string::npos) << json;

    WriteFile(dir / "DATA" / "Series.dat",
              "[R-0530]\r\n5000My own" + std::string(43, ' ') + "\r\n\r\n00000001\r\n"
              "\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
    WriteFile(dir / "DATA" / "Series_e01.dat",
              "[Series]\r\nNumber=5000\r\nPlayer=Ann\r\nNumGames=002\r\nPlayed=002\r\n\r\n"
              "[Games]\r\n001=0000\r\n002=0001\r\n\r\n[Scores]\r\n"
              "001=000125 Won  01 52      Y\r\n002=\r\n");
    ASSERT_EQ(Run({"series", "--json"}), 0) << err.str();
    json = out.str();
    EXPECT_NE(json.find("{\"number\": 5000, \"name\": \"My own\", \"built_in\": false"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"in_progress\": {\"number\": 5000, \"name\": \"My own\", \"player\": "
                        "\"Ann\", \"played\": 1, \"total\": 2, \"current\": 2, \"score\": 52, "
                        "\"seconds\": 125, \"all_won\": false"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("{\"position\": 1, \"game\": 0, \"name\": \"Klondike\", \"won\": true, "
                        "\"score\": 52, \"seconds\": 125, \"at_maximum\": true}"),
              std::string::npos)
        << json;
    ASSERT_EQ(Run({"series"}), 0);
    EXPECT_NE(out.str().find("In progress: 5000\tMy own\tAnn\t1/2\n"), std::string::npos)
        << out.str();
}

TEST_F(CliSeries, DamagedFilesAreNamedAndTheBuiltInSeriesStillListed) {
    const std::string hostile = std::string("\0\x01[R-0530]\xff", 12);
    WriteFile(dir / "DATA" / "Series.dat", hostile);
    WriteFile(dir / "DATA" / "Series_e01.dat", "[Series]\r\nNumber=5\r\nNumGames=abc\r\n");
    EXPECT_EQ(Run({"series", "--json"}), 1);
    EXPECT_NE(err.str().find("The Series file is damaged"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("The series in progress cannot be read"), std::string::npos);
    EXPECT_NE(out.str().find("\"Klondike variations\""), std::string::npos);
    EXPECT_NE(out.str().find("\"in_progress\": null"), std::string::npos);
    std::string text;
    std::ifstream in(dir / "DATA" / "Series.dat", std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), {});
    EXPECT_EQ(text, hostile);
    EXPECT_EQ(Run({"series", "extra"}), kExitUsage);
}

} // namespace
} // namespace quendra::test
