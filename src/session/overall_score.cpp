#include "overall_score.h"

#include "cards.h"
#include "record_file.h"
#include "settings.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <random>

namespace quendra {

namespace {

constexpr std::string_view kScrambleKey = "47281";
constexpr int kLastStandardGame = 7999;
constexpr std::size_t kTotalLength = 28;
constexpr std::size_t kTotalDigits = 12;
constexpr std::size_t kBestLength = 16;
constexpr std::size_t kBestDigits = 6;
constexpr std::size_t kBestChecked = 10; // the checksum covers the first ten characters
constexpr int kTotalChecksumWidth = 8;
constexpr int kBestChecksumWidth = 6;
constexpr std::string_view kChecksumMark = "0540";
constexpr std::size_t kMissingLength = 30;
constexpr int kCorruptionWaitMs = 2000;
constexpr std::size_t kTableTextT03 = 12;

// Where the digits of each value stand (0-based); every other place holds a random digit.
constexpr std::array<std::size_t, kTotalDigits> kScorePlaces = {2,  4,  6,  8,  10, 12,
                                                                14, 16, 18, 20, 22, 24};
constexpr std::array<std::size_t, kTotalDigits> kTimePlaces = {1,  3,  5,  7,  9,  11,
                                                               13, 15, 17, 19, 21, 23};
constexpr std::array<std::size_t, kBestDigits> kBestScorePlaces = {1, 2, 4, 5, 7, 8};
constexpr std::array<std::size_t, kBestDigits> kBestTimePlaces = {2, 3, 5, 6, 8, 9};

std::string GameKey(const char* prefix, int game) {
    return std::string(prefix) + fnFormatNumber(game, 4);
}

// The plain value of a key; a missing key reads as zeros.
std::string PlainValue(const RecordFile& file, const std::string& section, const std::string& key,
                       std::string_view missing) {
    const auto stored = file.Value(section, key);
    return stored ? Unscramble(*stored) : std::string(missing);
}

template <std::size_t N>
std::optional<std::int64_t> DigitsAt(std::string_view plain, const std::array<std::size_t, N>& at) {
    std::string digits;
    for (std::size_t place : at) {
        if (place >= plain.size()) return std::nullopt;
        digits += plain[place];
    }
    return ParseNumber(digits);
}

template <std::size_t N>
std::string Build(std::size_t length, std::int64_t value, const std::array<std::size_t, N>& at,
                  std::mt19937& rng) {
    std::uniform_int_distribution<int> digit(0, 8);
    std::string plain(length, '0');
    for (char& c : plain)
        c = static_cast<char>('0' + digit(rng));
    const std::string digits = fnFormatNumber(std::max<std::int64_t>(0, value), N);
    for (std::size_t i = 0; i < N; ++i)
        plain[at[i]] = digits[i];
    return plain;
}

struct Totals {
    std::string t01, t02, t03; // plain
    std::int64_t score = 0, seconds = 0;
};

std::string TotalsChecksum(const std::string& t01, const std::string& t02) {
    return fnFormatNumber(Checksum(std::string(kChecksumMark) + t01 + t02), kTotalChecksumWidth);
}

// T01 to T03 of a player, checked; nothing when they fail.
std::optional<Totals> ReadTotals(const RecordFile& file, const std::string& player) {
    const std::string zeros(kMissingLength, '0');
    Totals t;
    t.t01 = PlainValue(file, player, "T01", zeros);
    t.t02 = PlainValue(file, player, "T02", zeros);
    t.t03 = PlainValue(file, player, "T03", std::string(kChecksumMark) + zeros);
    const auto score = DigitsAt(t.t01, kScorePlaces);
    const auto seconds = DigitsAt(t.t02, kTimePlaces);
    if (!score || !seconds || t.t03.size() < kChecksumMark.size() + kTotalChecksumWidth)
        return std::nullopt;
    const std::string sum = t.t03.substr(kChecksumMark.size(), kTotalChecksumWidth);
    const auto sumValue = ParseNumber(sum);
    if (!sumValue) return std::nullopt;
    if ((*sumValue != 0 || *score != 0 || *seconds != 0) &&
        (sum != TotalsChecksum(t.t01, t.t02) || !t.t03.starts_with(kChecksumMark)))
        return std::nullopt;
    t.score = *score;
    t.seconds = *seconds;
    return t;
}

// A best score or time value: its digits, checked against its checksum.
template <std::size_t N>
std::optional<int> ReadBest(const RecordFile& file, const std::string& player,
                            const std::string& key, const std::array<std::size_t, N>& at) {
    const std::string plain = PlainValue(file, player, key, std::string(kMissingLength, '0'));
    const auto value = DigitsAt(plain, at);
    if (!value || plain.size() < kBestLength) return std::nullopt;
    const std::string sum = plain.substr(kBestChecked, kBestDigits);
    const auto sumValue = ParseNumber(sum);
    if (!sumValue) return std::nullopt;
    if ((*value != 0 || *sumValue != 0) &&
        sum != fnFormatNumber(Checksum(plain.substr(0, kBestChecked)), kBestChecksumWidth))
        return std::nullopt;
    return static_cast<int>(*value);
}

template <std::size_t N>
std::string BuildBest(int value, const std::array<std::size_t, N>& at, std::mt19937& rng) {
    std::string plain = Build(kBestChecked, value, at, rng);
    return plain + fnFormatNumber(Checksum(plain), kBestChecksumWidth);
}

void ReportCorruption(GameContext& ctx, const std::string& path) {
    std::error_code ec;
    std::filesystem::remove(path, ec);
    ctx.host.ShowInformation(kOverallCorruptedMessage);
    WaitCursor wait(ctx.host);
    ctx.host.Wait(kCorruptionWaitMs);
}

} // namespace

std::string Scramble(std::string_view plain) {
    std::string out(plain);
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] =
            static_cast<char>(static_cast<unsigned char>(out[i]) +
                              static_cast<unsigned char>(kScrambleKey[i % kScrambleKey.size()]));
    return out;
}

std::string Unscramble(std::string_view stored) {
    std::string out(stored);
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] =
            static_cast<char>(static_cast<unsigned char>(out[i]) -
                              static_cast<unsigned char>(kScrambleKey[i % kScrambleKey.size()]));
    return out;
}

std::int64_t Checksum(std::string_view text) {
    std::int64_t sum = 0;
    for (std::size_t n = 0; n < text.size(); ++n) {
        const std::int64_t a = static_cast<unsigned char>(text[n]);
        const std::int64_t i = static_cast<std::int64_t>(n) + 1;
        sum += a + (i * a / 2) + ((i + a) % 3) + i;
    }
    return sum;
}

OverallUpdate UpdateOverallScore(GameContext& ctx, int game, const std::string& player, bool force,
                                 int seconds, int score) {
    if (game < 0 || game > kLastStandardGame || score < 0 || StatisticsDisabled(ctx))
        return OverallUpdate::Skipped;
    const std::string path = DataFilePath(ctx, kOverallFile);
    RecordFile file = RecordFile::Load(path);
    if (!file.Writable()) {
        ctx.host.ShowInformation("Cannot open file " + path);
        return OverallUpdate::WriteFailed;
    }
    const auto totals = ReadTotals(file, player);
    const auto best = ReadBest(file, player, GameKey("GS-", game), kBestScorePlaces);
    const auto bestTime = ReadBest(file, player, GameKey("GT-", game), kBestTimePlaces);
    if (!totals || !best || !bestTime) {
        ReportCorruption(ctx, path);
        return OverallUpdate::Corrupted;
    }
    const bool better = score > 0 && (score > *best || (score == *best && seconds < *bestTime));
    if (!force && !better) return OverallUpdate::Unchanged;

    const std::int64_t overall = totals->score + score - *best;
    const std::int64_t overallTime = totals->seconds + seconds - *bestTime;
    std::mt19937 rng(std::random_device{}());
    const std::string t01 = Build(kTotalLength, overall, kScorePlaces, rng);
    const std::string t02 = Build(kTotalLength, overallTime, kTimePlaces, rng);
    const std::string t03 = std::string(kChecksumMark) + TotalsChecksum(t01, t02);
    file.SetValue(player, "T01", Scramble(t01));
    file.SetValue(player, "T02", Scramble(t02));
    file.SetValue(player, "T03", Scramble(t03));
    file.SetValue(player, GameKey("GS-", game), Scramble(BuildBest(score, kBestScorePlaces, rng)));
    file.SetValue(player, GameKey("GT-", game), Scramble(BuildBest(seconds, kBestTimePlaces, rng)));
    return file.Save(ctx.host) ? OverallUpdate::Updated : OverallUpdate::WriteFailed;
}

std::vector<OverallRow> ReadOverallTable(GameContext& ctx) {
    const std::string path = DataFilePath(ctx, kOverallFile);
    const RecordFile file = RecordFile::Load(path);
    std::vector<OverallRow> rows;
    for (const std::string& player : file.Sections()) {
        const auto totals = ReadTotals(file, player);
        if (!totals) {
            ReportCorruption(ctx, path);
            return {};
        }
        if (totals->score <= 0) continue;
        OverallRow row{player, totals->score, totals->seconds,
                       totals->t01.substr(0, kTotalLength) + totals->t02.substr(0, kTotalLength) +
                           totals->t03.substr(0, kTableTextT03)};
        // Before the first row with a lower score, or an equal one with a longer time.
        const auto at = std::ranges::find_if(rows, [&](const OverallRow& r) {
            return r.score < row.score || (r.score == row.score && r.seconds > row.seconds);
        });
        rows.insert(at, std::move(row));
    }
    return rows;
}

std::vector<OverallGame> ReadOverallDetails(const GameContext& ctx, const std::string& player) {
    const RecordFile file = RecordFile::Load(DataFilePath(ctx, kOverallFile));
    std::vector<OverallGame> games;
    for (const RecordFile::Pair& pair : file.Pairs(player)) {
        if (!pair.key.starts_with("GS-")) continue;
        const auto game = ParseNumber(pair.key.substr(3));
        if (!game || *game > kLastStandardGame) continue;
        const int number = static_cast<int>(*game);
        const auto best = ReadBest(file, player, GameKey("GS-", number), kBestScorePlaces);
        const auto time = ReadBest(file, player, GameKey("GT-", number), kBestTimePlaces);
        if (best && time && *best > 0) games.push_back({number, *best, *time});
    }
    return games;
}

} // namespace quendra
