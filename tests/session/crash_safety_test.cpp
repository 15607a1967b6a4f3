#include "held_games.h"
#include "hiscores.h"
#include "keep_fixture.h"
#include "overall_score.h"
#include "records_fixture.h"
#include "saved_game.h"

#include <algorithm>
#include <chrono>
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

// Runs `work` (which never returns) in a child process and kills it with SIGKILL at a random
// moment. The child calls its `ready` once it has done one whole round of its work; the kill
// comes within twice the time that took, so that on a slow or loaded machine the kills still
// fall all over the loop rather than always before its first round ends.
void KillAtRandomMoment(const std::function<void(const std::function<void()>&)>& work,
                        std::mt19937& rng) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const auto started = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(fds[0]);
        bool told = false;
        work([&] {
            if (told) return;
            told = true;
            const char byte = 1;
            [[maybe_unused]] const auto n = ::write(fds[1], &byte, 1);
            ::close(fds[1]);
        });
        std::_Exit(0);
    }
    ::close(fds[1]);
    char byte = 0;
    const bool ready = ::read(fds[0], &byte, 1) == 1;
    ::close(fds[0]);
    const auto round = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - started);
    if (ready) {
        const int most = static_cast<int>(std::max<long long>(2 * round.count(), 1000));
        std::this_thread::sleep_for(
            std::chrono::microseconds(std::uniform_int_distribution<int>(0, most)(rng)));
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(ready) << "the child ended before it finished one round";
    ASSERT_TRUE(WIFSIGNALED(status));
}

// Saves two positions over one file and holds and resumes one of them, over and over, until it is
// killed.
[[noreturn]] void SaveAndHoldForever(KeptGame& a, KeptGame& b, const std::string& saved,
                                     const std::function<void()>& ready) {
    // A held game is no longer in play: it is resumed before it is saved again.
    for (;;) {
        if (!FindHeldGame(a.ctx).empty()) ResumeHeldGame(a.ctx);
        WriteSavedGameFile(a.ctx, saved);
        HoldGame(a.ctx);
        WriteSavedGameFile(b.ctx, saved);
        ready();
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
    for (int round = 0; round < 120; ++round) {
        KillAtRandomMoment([&](const auto& ready) { SaveAndHoldForever(a, b, saved, ready); },
                           rng);
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
[[noreturn]] void RecordForever(Records& r, const std::function<void()>& ready) {
    for (int n = 0;; ++n) {
        r.End(n % 2 ? "Ann" : "Bob", n % 3 != 0, 100 + n % 500, 30 + n % 70, n % 4);
        ready();
    }
}

TEST(CrashSafety, AKilledRecordingLeavesEveryRecordFileWhole) {
    Records r;
    r.End("Ann", true, 50); // every file exists before the first kill
    std::mt19937 rng(7);
    int grew = 0;
    std::size_t lastLog = 0;
    for (int round = 0; round < 150; ++round) {
        KillAtRandomMoment([&](const auto& ready) { RecordForever(r, ready); }, rng);
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
