#include "held_games.h"
#include "hiscores.h"
#include "keep_fixture.h"
#include "overall_score.h"
#include "records_fixture.h"
#include "saved_game.h"

#include <csignal>
#include <cstdlib>
#include <functional>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace quendra::test {
namespace {

namespace fs = std::filesystem;

// Saves two positions over one file and holds and resumes a game, over and over, until it is
// killed.
// Runs `work` (which never returns) in a child process and kills it with SIGKILL at a
// random moment within 20 ms.
void KillAtRandomMoment(const std::function<void()>& work, std::mt19937& rng) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        work();
        std::_Exit(0);
    }
    std::this_thread::sleep_for(
        std::chrono::microseconds(std::uniform_int_distribution<int>(0, 20000)(rng)));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
}

[[noreturn]] void SaveAndHoldForever(KeptGame& a, KeptGame& b, const std::string& saved) {
    for (;;) {
        WriteSavedGameFile(a.ctx, saved);
        WriteSavedGameFile(b.ctx, saved);
        if (!FindHeldGame(a.ctx).empty()) ResumeHeldGame(a.ctx);
        HoldGame(a.ctx);
    }
}

TEST(CrashSafety, AKilledWriterLeavesTheOldFileOrTheNewOneWhole) {
    KeptGame a(0, "1111");
    KeptGame b(0, "2222");
    a.Play(8);
    b.Play(5);
    // A fixed clock: the same position always gives the same bytes.
    a.host.now = b.host.now = 5'000'000;
    for (KeptGame* kept : {&a, &b})
        kept->ctx.flags[GameStateFlags::kClockRuns] = 0;
    const std::string textA = SavedGameText(a.ctx, CaptureSavedGame(a.ctx));
    const std::string textB = SavedGameText(b.ctx, CaptureSavedGame(b.ctx));
    ASSERT_NE(textA, textB);
    const std::string saved = a.File("game.gam");
    const std::string held = HeldGamePath(a.ctx, 1);

    std::mt19937 rng(12);
    int sawA = 0, sawB = 0, sawHeld = 0;
    for (int round = 0; round < 300; ++round) {
        KillAtRandomMoment([&] { SaveAndHoldForever(a, b, saved); }, rng);
        if (HasFatalFailure()) return;

        if (fs::exists(saved)) {
            const std::string now = KeptGame::Read(saved);
            EXPECT_TRUE(now == textA || now == textB)
                << "round " << round << ": " << now.size() << " bytes";
            (now == textA ? sawA : sawB) += 1;
        }
        // Only the first place is ever used: a held game is resumed before the next hold.
        EXPECT_FALSE(fs::exists(HeldGamePath(a.ctx, 2))) << "round " << round;
        if (fs::exists(held)) {
            ++sawHeld;
            EXPECT_EQ(KeptGame::Read(held), textA) << "round " << round;
            SavedGame game;
            EXPECT_TRUE(ReadSavedGameFile(a.ctx, held, game).Ok()) << "round " << round;
        }
    }
    // The kills came at different moments of the loop.
    EXPECT_GT(sawA, 0);
    EXPECT_GT(sawB, 0);
    EXPECT_GT(sawHeld, 0);
}

// Records ended games for two players, over and over, until it is killed.
[[noreturn]] void RecordForever(Records& r) {
    for (int n = 0;; ++n)
        r.End(n % 2 ? "Ann" : "Bob", n % 3 != 0, 100 + n % 500, 30 + n % 70, n % 4);
}

TEST(CrashSafety, AKilledRecordingLeavesEveryRecordFileWhole) {
    Records r;
    r.End("Ann", true, 50); // every file exists before the first kill
    std::mt19937 rng(7);
    int grew = 0;
    std::size_t lastLog = 0;
    for (int round = 0; round < 150; ++round) {
        KillAtRandomMoment([&] { RecordForever(r); }, rng);
        if (HasFatalFailure()) return;

        RecordFile stats = RecordFile::Load(r.Path(kStatisticsFile));
        ASSERT_TRUE(stats.HasVersionSection()) << "round " << round;
        for (const std::string& section : stats.Sections()) {
            if (section == "Version") continue;
            for (const RecordFile::Pair& pair : stats.Pairs(section))
                EXPECT_TRUE(ParseStatisticsRecord(pair.value)) << "round " << round;
        }
        const LogContents log = ReadLog(r.ctx);
        EXPECT_EQ(log.damagedLines, 0) << "round " << round;
        if (log.entries.size() > lastLog) ++grew;
        lastLog = log.entries.size();
        RecordFile scores = RecordFile::Load(r.Path(kGameScoresFile));
        ASSERT_TRUE(scores.HasVersionSection()) << "round " << round;
        for (const RecordFile::Pair& pair : scores.Pairs("0000"))
            EXPECT_EQ(pair.value.size(), 85u) << "round " << round;
        // The overall score passes its checksums: no corruption reported, nothing reset.
        const std::size_t told = r.host.informations.size();
        EXPECT_FALSE(ReadOverallTable(r.ctx).empty()) << "round " << round;
        EXPECT_EQ(r.host.informations.size(), told) << "round " << round;
    }
    // The kills came while the recording went on.
    EXPECT_GT(grew, 0);
}

} // namespace
} // namespace quendra::test
