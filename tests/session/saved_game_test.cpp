#include "cards.h"
#include "keep_fixture.h"
#include "saved_game.h"
#include "score.h"
#include "stock.h"
#include "undo_commands.h"

#include <fstream>
#include <functional>

namespace quendra::test {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    return SplitTextLines(text);
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Everything of a context that a refused file must leave alone.
struct Fingerprint {
    TableSnapshot table;
    UndoSide undo, redo;
    std::string game, deal, player, score;
    int pass;
    bool inPlay;
    bool operator==(const Fingerprint&) const = default;
};
Fingerprint Take(const GameContext& ctx) {
    return {BuildTableSnapshot(ctx),
            ctx.undoHistory.undo,
            ctx.undoHistory.redo,
            GetSetting(ctx.settings, field::kGameNumber),
            GetSetting(ctx.settings, field::kDealNumber),
            GetSetting(ctx.settings, field::kUserDefault),
            GetSetting(ctx.settings, field::kScore),
            ctx.play.passNumber,
            ctx.flags[GameStateFlags::kInPlay] != 0};
}

TEST(SavedGame, TheFileHasTheFieldsAtTheirPlaces) {
    KeptGame kept(0, "1234567");
    ASSERT_GT(kept.Play(8), 0);
    kept.ctx.flags[GameStateFlags::kClockRuns] = 0;
    kept.ctx.play.timeText = "1:02:05";
    kept.ctx.play.passNumber = 2;
    SetSetting(kept.ctx.settings, field::kScore, "-15");
    const std::vector<std::string> lines =
        Lines(SavedGameText(kept.ctx, CaptureSavedGame(kept.ctx)));

    const std::string& header = lines[0];
    ASSERT_EQ(header.size(), 95u);
    EXPECT_EQ(header.substr(0, 8), "[S-0530]");
    EXPECT_EQ(header.substr(8, 4), "0000");
    EXPECT_EQ(header.substr(75, 6), "003725");
    EXPECT_EQ(header.substr(81, 2), "01");
    EXPECT_EQ(header.substr(83, 6), "-00015");
    EXPECT_EQ(header.substr(89, 6), "000002");

    const std::string& line1 = lines[1];
    ASSERT_EQ(line1.size(), 98u);
    EXPECT_EQ(line1.substr(0, 50), "Ann" + std::string(47, ' '));
    EXPECT_EQ(line1.substr(50, 16), "1234567" + std::string(9, ' '));
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(line1.substr(66 + 2 * i, 2), fnFormatNumber(kept.ctx.Param(51 + i), 2));
    for (int i = 2; i < 12; ++i)
        EXPECT_TRUE(lines[i].empty()) << i;
    const TableSnapshot table = BuildTableSnapshot(kept.ctx);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 12, lines.begin() + 81), table);

    // The undo side follows in its five sections, each header once, in this order.
    const UndoSide& undo = kept.ctx.undoHistory.undo;
    std::size_t at = 81;
    const auto section = [&](const char* header, const std::vector<std::string>& stack) {
        ASSERT_EQ(lines[at], header);
        EXPECT_EQ(
            std::vector<std::string>(lines.begin() + at + 1, lines.begin() + at + 1 + stack.size()),
            stack);
        at += 1 + stack.size();
    };
    section("[UNDO - Stock]", undo.Stock);
    section("[UNDO - Foundations]", undo.Foundations);
    section("[UNDO - Piles]", undo.Piles);
    section("[UNDO - Reserves]", undo.Reserves);
    ASSERT_EQ(lines[at], "[UNDO - Log]");
    EXPECT_EQ(lines[at + 1], undo.StepLog);
    EXPECT_EQ(lines.size(), at + 2);
}

TEST(SavedGame, EveryGameOfTheCatalogueReadsBackAsItWasWritten) {
    const std::vector<int> games = [] {
        KeptGame any(0, "1");
        return CatalogueGameNumbers(any.ctx);
    }();
    ASSERT_GT(games.size(), 100u);
    for (int game : games) {
        KeptGame kept(game, "987654321");
        kept.Play(15);
        // A game that ended on its own has nothing to keep.
        if (!kept.ctx.flags[GameStateFlags::kInPlay]) continue;
        const SavedGame written = CaptureSavedGame(kept.ctx);
        const std::string text = SavedGameText(kept.ctx, written);
        SavedGame read;
        std::string error;
        ASSERT_TRUE(ParseSavedGame(kept.ctx, text, "g.gam", read, error)) << game << ": " << error;
        EXPECT_EQ(read, written) << game;
        EXPECT_EQ(SavedGameText(kept.ctx, read), text) << game;
    }
}

TEST(SavedGame, AGameOpenedElsewhereGoesOnWithItsUndoHistoryAndClock) {
    KeptGame saved(91, "4711"); // Spider
    for (int i = 0; i < 3; ++i) {
        saved.Play(6);
        fnStockClick(saved.ctx, StockClickPhase::Press);
        fnStockClick(saved.ctx, StockClickPhase::Release);
        // Counted as the families that count their deals do it.
        AddStepCode(saved.ctx, kStepDealOntoPiles);
        ++saved.ctx.play.dealCount;
    }
    ASSERT_GT(saved.ctx.play.dealCount, 0);
    saved.ctx.flags[GameStateFlags::kClockRuns] = 0;
    saved.ctx.play.timeText = "1:00:00";
    const std::string path = saved.File("game.gam");
    ASSERT_TRUE(WriteSavedGameFile(saved.ctx, path).Ok());

    KeptGame other(1, "99"); // FreeCell, another deal, another player's folder
    other.host.now = 1'000'000;
    SetSetting(other.ctx.settings, field::kUserDefault, "Bob");
    ASSERT_TRUE(OpenSavedGame(other.ctx, path, OpenMode::Dialog).Ok());
    EXPECT_TRUE(other.host.informations.empty());
    EXPECT_EQ(GetSetting(other.ctx.settings, field::kGameNumber), "0091");
    EXPECT_EQ(GetSetting(other.ctx.settings, field::kDealNumber), "4711");
    EXPECT_EQ(GetSetting(other.ctx.settings, field::kUserDefault), "Ann");
    EXPECT_EQ(BuildTableSnapshot(other.ctx), BuildTableSnapshot(saved.ctx));
    EXPECT_EQ(other.ctx.undoHistory.undo, saved.ctx.undoHistory.undo);
    EXPECT_EQ(other.ctx.play.passNumber, saved.ctx.play.passNumber);
    EXPECT_EQ(other.ctx.play.dealCount, saved.ctx.play.dealCount);
    EXPECT_EQ(StoredScore(other.ctx), StoredScore(saved.ctx));
    EXPECT_TRUE(other.ctx.flags[GameStateFlags::kInPlay]);
    EXPECT_EQ(other.ctx.play.timeText, "1:00:00");
    other.host.now += 5;
    fnClockTick(other.ctx, other.host.now);
    EXPECT_EQ(other.ctx.play.timeText, "1:00:05");
    EXPECT_EQ(SaveDialogFolder(other.ctx), saved.dir.string());
    // The game given up was recorded, once.
    ASSERT_EQ(other.host.results.size(), 1u);
    EXPECT_EQ(other.host.results[0].game, 1);

    // Undo takes back the stock deal made before the save, in both.
    ASSERT_TRUE(Undo(saved.ctx));
    ASSERT_TRUE(Undo(other.ctx));
    EXPECT_EQ(BuildTableSnapshot(other.ctx), BuildTableSnapshot(saved.ctx));
    EXPECT_EQ(other.ctx.play.dealCount, saved.ctx.play.dealCount);
    EXPECT_TRUE(std::filesystem::exists(path));
}

TEST(SavedGame, ADayOrMoreOnTheClockStartsItAtNought) {
    KeptGame kept(0, "5");
    kept.Play(3);
    kept.ctx.flags[GameStateFlags::kClockRuns] = 0;
    kept.ctx.play.timeText = "30:00:00";
    const std::string path = kept.File("long.gam");
    ASSERT_TRUE(WriteSavedGameFile(kept.ctx, path).Ok());
    EXPECT_EQ(Lines(KeptGame::Read(path))[0].substr(75, 6), "108000");
    ASSERT_TRUE(OpenSavedGame(kept.ctx, path, OpenMode::ReadOnly).Ok());
    EXPECT_EQ(kept.ctx.play.timeText, "0:00:00");
}

// A current file from the writer, and ways of spoiling it.
class BadSavedGame : public ::testing::Test {
  protected:
    BadSavedGame() {
        kept.Play(10);
        kept.ctx.flags[GameStateFlags::kClockRuns] = 0;
        good = SavedGameText(kept.ctx, CaptureSavedGame(kept.ctx));
        lines = Lines(good);
        undoStock = static_cast<std::size_t>(
            std::find(lines.begin(), lines.end(), "[UNDO - Stock]") - lines.begin());
        full = static_cast<std::size_t>(std::find_if(lines.begin() + 12, lines.begin() + 81,
                                                     [](auto& l) { return !l.empty(); }) -
                                        lines.begin());
        other = full == 12 ? 13 : 12;
    }
    // Opens the spoilt file into the game in progress: it must be refused with a message,
    // and nothing may change, neither the game nor the file.
    void ExpectRefused(const std::string& bytes, const std::string& fault) {
        SCOPED_TRACE(fault);
        const std::string path = kept.File("bad.gam");
        WriteBytes(path, bytes);
        const Fingerprint before = Take(kept.ctx);
        const std::size_t shown = kept.host.informations.size();
        const KeepResult result = OpenSavedGame(kept.ctx, path, OpenMode::Held);
        EXPECT_EQ(result.status, KeepResult::Status::BadFile);
        ASSERT_EQ(kept.host.informations.size(), shown + 1);
        EXPECT_EQ(kept.host.informations.back(), result.message);
        EXPECT_NE(result.message.find(fault), std::string::npos) << result.message;
        EXPECT_NE(result.message.find(path), std::string::npos) << result.message;
        EXPECT_TRUE(Take(kept.ctx) == before);
        EXPECT_TRUE(kept.host.confirmations.empty());
        EXPECT_EQ(KeptGame::Read(path), bytes);
    }
    std::string With(const std::function<void(std::vector<std::string>&)>& change) const {
        std::vector<std::string> copy = lines;
        change(copy);
        return JoinTextLines(copy);
    }

    KeptGame kept{0, "31415"};
    std::string good;
    std::vector<std::string> lines;
    std::size_t undoStock = 0;
    std::size_t full = 0;  // a pile line with cards
    std::size_t other = 0; // another pile line
};

TEST_F(BadSavedGame, DamagedFilesAreRefusedAndChangeNothing) {
    ASSERT_GT(kept.ctx.undoHistory.undo.Steps(), 1);
    ASSERT_LT(full, 81u);
    ExpectRefused("", "not a saved game");
    ExpectRefused("Hello, world\r\n", "not a saved game");
    ExpectRefused(good.substr(0, 300) + std::string(1, '\0') + good.substr(300),
                  "not a saved game");
    ExpectRefused(good.substr(0, good.size() / 40), "ends before its piles");
    ExpectRefused(With([](auto& l) { l[0].resize(90); }), "first line");
    ExpectRefused(With([](auto& l) { l[0].replace(3, 4, "0600"); }), "newer than this program");
    ExpectRefused(With([](auto& l) { l[0].replace(8, 4, "7777"); }),
                  "game 7777 is not in the catalogue");
    ExpectRefused(With([](auto& l) { l[0].replace(75, 6, "-00001"); }), "the time");
    ExpectRefused(With([](auto& l) { l[0].replace(75, 6, "******"); }), "the time");
    ExpectRefused(With([](auto& l) { l[0].replace(83, 6, "12x456"); }), "the score");
    ExpectRefused(With([](auto& l) { l[0].replace(89, 6, "-00002"); }), "the pass number");
    ExpectRefused(With([](auto& l) { l[1].replace(50, 4, "12ab"); }), "the deal number");
    ExpectRefused(With([](auto& l) { l[1].resize(70); }), "the second line");
    ExpectRefused(With([](auto& l) { l[5] = "x"; }), "line 6");
    ExpectRefused(With([&](auto& l) { l[full].replace(0, 4, "1091"); }), "card code 1091");
    ExpectRefused(With([&](auto& l) { l[full].replace(0, 4, "0012"); }), "card code 0012");
    ExpectRefused(With([&](auto& l) { l[full] += "00"; }), "pile line of");
    ExpectRefused(With([&](auto& l) { l[other] += l[full].substr(0, 4); }), "twice");
    ExpectRefused(
        With([&](auto& l) { l[undoStock + 1] += l[full].substr(0, 4) + l[full].substr(0, 4); }),
        "undo step 1");
    ExpectRefused(With([&](auto& l) { l.erase(l.begin() + static_cast<long>(undoStock) + 1); }),
                  "undo sections do not hold whole steps");
    ExpectRefused(With([](auto& l) { l.back() += ","; }), "undo log does not fit");
    ExpectRefused(With([](auto& l) { l.back() = std::string(4'000'000, '0'); }),
                  "undo log does not fit");
    ExpectRefused(
        With([&](auto& l) { l.insert(l.begin() + static_cast<long>(undoStock), "0011"); }),
        "outside the undo sections");
}

TEST_F(BadSavedGame, FilesThatAreNoSavedGamesAreNeverReadWhole) {
    const std::string huge = kept.File("huge.gam");
    {
        std::ofstream out(huge, std::ios::binary);
        out << good;
        out << std::string(kMaxSavedGameBytes, '0');
    }
    SavedGame game;
    EXPECT_EQ(ReadSavedGameFile(kept.ctx, huge, game).message,
              "The saved game is too large: " + huge);
    // Small, but of more empty lines than any real game has.
    std::string lineful = good;
    for (std::size_t i = 0; i < kMaxSavedGameLines; ++i)
        lineful += "\r\n";
    std::string error;
    EXPECT_FALSE(ParseSavedGame(kept.ctx, lineful, huge, game, error));
    EXPECT_EQ(error, "The saved game is too large: " + huge);
    EXPECT_EQ(ReadSavedGameFile(kept.ctx, kept.dir.string(), game).status,
              KeepResult::Status::BadFile);
    EXPECT_EQ(ReadSavedGameFile(kept.ctx, "/dev/zero", game).status, KeepResult::Status::BadFile);
    const std::string missing = kept.File("none.gam");
    const Fingerprint before = Take(kept.ctx);
    EXPECT_EQ(OpenSavedGame(kept.ctx, missing, OpenMode::Dialog).status,
              KeepResult::Status::Missing);
    EXPECT_EQ(kept.host.informations.back(), "File not found: " + missing);
    EXPECT_TRUE(Take(kept.ctx) == before);
}

// Checks a parsed game by its own reading of the format's rules.
void ExpectSound(const SavedGame& game) {
    ASSERT_EQ(game.piles.size(), 69u);
    std::vector<int> seen(109, 0);
    for (const std::string& line : game.piles) {
        ASSERT_EQ(line.size() % 4, 0u);
        for (std::size_t at = 0; at < line.size(); at += 4) {
            const int card = std::stoi(line.substr(at, 3));
            ASSERT_LE(card, 108);
            if (card > 0) {
                EXPECT_EQ(++seen[static_cast<std::size_t>(card)], 1);
            }
        }
    }
    const auto steps = game.undo.Stock.size() / 3;
    EXPECT_EQ(game.undo.Stock.size(), steps * 3);
    EXPECT_EQ(game.undo.Foundations.size(), steps * 16);
    EXPECT_EQ(game.undo.Piles.size(), steps * 40);
    EXPECT_EQ(game.undo.Reserves.size(), steps * 10);
    EXPECT_EQ(static_cast<std::size_t>(
                  std::count(game.undo.StepLog.begin(), game.undo.StepLog.end(), ',')),
              steps);
    EXPECT_GE(game.seconds, 0);
}

TEST_F(BadSavedGame, RandomDamageIsRefusedOrReadSoundly) {
    std::mt19937 rng(20261209);
    int refused = 0;
    for (int round = 0; round < 1500; ++round) {
        std::string bytes = good;
        std::vector<std::string> copy = lines;
        const auto pick = [&](std::size_t n) {
            return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng);
        };
        switch (round % 4) {
        case 0:
            bytes[pick(bytes.size())] = static_cast<char>(pick(256));
            break;
        case 1:
            bytes.resize(pick(bytes.size()));
            break;
        case 2:
            copy.erase(copy.begin() + static_cast<long>(pick(copy.size())));
            bytes = JoinTextLines(copy);
            break;
        default:
            copy.insert(copy.begin() + static_cast<long>(pick(copy.size())),
                        copy[pick(copy.size())]);
            bytes = JoinTextLines(copy);
            break;
        }
        SavedGame game;
        std::string error;
        if (ParseSavedGame(kept.ctx, bytes, "r.gam", game, error)) {
            ExpectSound(game);
        } else {
            ++refused;
            EXPECT_NE(error.find("r.gam"), std::string::npos);
        }
    }
    EXPECT_GT(refused, 500);
}

} // namespace
} // namespace quendra::test
