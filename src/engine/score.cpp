#include "score.h"

#include "cards.h"
#include "families.h"
#include "game_params.h"

#include <algorithm>
#include <ctime>
#include <optional>

namespace quendra {

namespace {

constexpr int kPointsPerCard = 5;
constexpr int kSecondsPerDay = 24 * 3600;

// Parameter 47: the base of the standard score.
constexpr int kBaseMinusCards = 0;
constexpr int kBaseFoundationStarts = 1;
constexpr int kBaseMinus28 = 2;

int Count(std::string_view pile) {
    return PileCardCount(pile);
}

int CardsOnFoundations(const GameContext& ctx) {
    int cards = 0;
    for (int i = 0; i < FoundationCount(ctx); ++i)
        cards += Count(ctx.table.DestGroup[static_cast<std::size_t>(i)]);
    return cards;
}

int DiscardCards(const GameContext& ctx) {
    return Count(ctx.table.StockGroup[kMazzoWaste]);
}


const std::string& Fila(const GameContext& ctx, int i) {
    return ctx.table.FilaGroup.at(static_cast<std::size_t>(i));
}

// Rows built up in suit from a Two: 5 for the Two and each card in sequence, the top card
// never counted.
int GapRowsScore(const GameContext& ctx) {
    int score = 0;
    for (int p = 0; p < TableauCount(ctx); ++p) {
        const std::string& pile = Fila(ctx, p);
        const int bottom = PileCardAt(pile, 0);
        if (bottom < 1 || fnRank(bottom) != 2) continue;
        score += kPointsPerCard;
        for (int i = 1; i < Count(pile) - 1; ++i) {
            const int card = PileCardAt(pile, i);
            if (card < 1 || fnSuit(card) != fnSuit(bottom) || fnRank(card) != 2 + i) break;
            score += kPointsPerCard;
        }
    }
    return score;
}

// The score of the table by the family's own rule; none for a family scored by the standard
// formula.
std::optional<int> OwnFamilyScore(const GameContext& ctx, int family) {
    const int n = ctx.Param(param::kDeckSize);
    const int bonus = kPointsPerCard * ctx.Param(46);
    switch (family) {
    case 32:
        return bonus - n + GapRowsScore(ctx);
    case 34: {
        int score = -n;
        for (int i = 0; i < TableauCount(ctx); ++i) {
            const int bottom = PileCardAt(Fila(ctx, i), 0);
            if (bottom != i + 1 && bottom != i + 14) break;
            score += 10;
        }
        return score;
    }
    case 35:
        return -n + 10 * DiscardCards(ctx);
    case 40: {
        int score = -n;
        for (int p = 0; p < TableauCount(ctx); ++p)
            for (int i = 0; i < Count(Fila(ctx, p)); ++i) {
                const int card = PileCardAt(Fila(ctx, p), i);
                if (card > 0 && fnRank(card) == p + 1 && ctx.cardTable.Face(card) == '1')
                    score += kPointsPerCard;
            }
        return score;
    }
    case 41: {
        int score = -n;
        for (int i = 1; i < FoundationCount(ctx); ++i)
            if (ctx.table.DestGroup[static_cast<std::size_t>(i)].empty()) score += 20;
        return score;
    }
    case 42: {
        int score = -n;
        for (int p = 0; p < TableauCount(ctx); ++p) {
            const std::string& pile = Fila(ctx, p);
            const int bottomRank = fnRank(PileCardAt(pile, 0));
            for (int i = 0; i < Count(pile); ++i)
                if (fnRank(PileCardAt(pile, i)) == (bottomRank - 1 + i) % 13 + 1)
                    score += kPointsPerCard;
        }
        return score;
    }
    case 43: {
        int score = -n;
        for (int p = 0; p < TableauCount(ctx); ++p) {
            const std::string& pile = Fila(ctx, p);
            if (Count(pile) != 9) continue;
            bool ordered = true;
            for (int i = 0; i < 9 && ordered; ++i)
                ordered = fnRank(PileCardAt(pile, i)) == 9 - i;
            if (ordered) score += 225;
        }
        return score;
    }
    case 47: {
        for (int p = 0; p < TableauCount(ctx); ++p)
            if (!Fila(ctx, p).empty()) return -n + kPointsPerCard * DiscardCards(ctx);
        return 4 * n;
    }
    case 48:
        return bonus - n + kPointsPerCard * Count(ctx.table.DestGroup[1]);
    case 49: {
        int cards = 0;
        for (int p = 0; p < std::min(24, kFilaPiles); ++p)
            cards += Count(Fila(ctx, p));
        return bonus - n + kPointsPerCard * cards;
    }
    default: {
        const auto own = CurrentFamilyRules(ctx).score;
        if (own == nullptr) return std::nullopt;
        return own(ctx);
    }
    }
}

int FamilyScore(const GameContext& ctx, int family) {
    const std::optional<int> own = OwnFamilyScore(ctx, family);
    return own ? *own : fnStandardScore(ctx);
}

void ShowAndStore(GameContext& ctx, int score) {
    SetSetting(ctx.settings, field::kScore, fnFormatNumber(score, field::kScore.length));
    ctx.host.ShowScore(std::to_string(score));
}

std::string TwoDigits(int n) {
    return fnFormatNumber(n, 2);
}

} // namespace

int fnStandardScore(const GameContext& ctx) {
    if (GetSetting(ctx.settings, field::kStatsCode) != "01") return 0;
    const int cards = ctx.Param(param::kDeckSize);
    int base = 0;
    switch (ctx.Param(47)) {
    case kBaseMinusCards:
        base = -cards;
        break;
    case kBaseFoundationStarts:
        base = cards == 104 ? -64 : -32;
        break;
    case kBaseMinus28:
        base = -28;
        break;
    default:
        base = 0;
        break;
    }
    return base + kPointsPerCard * ctx.Param(46) + kPointsPerCard * DiscardCards(ctx) -
           kPointsPerCard * ctx.Param(373) + kPointsPerCard * CardsOnFoundations(ctx);
}

int fnComputeScore(GameContext& ctx) {
    const int family = ctx.Param(50);
    // The poker grid keeps its own score, unless its family hook counts it from the grid.
    if (family == family::kPokerGrid && CurrentFamilyRules(ctx).score == nullptr)
        return StoredScore(ctx);
    const int score = FamilyScore(ctx, family);
    ShowAndStore(ctx, score);
    return score;
}

void ScoreDealtTable(GameContext& ctx) {
    if (const std::optional<int> own = OwnFamilyScore(ctx, ctx.Param(param::kFamily)))
        ShowAndStore(ctx, *own);
}

void fnAddScore(GameContext& ctx, int units, bool recompute) {
    if (ctx.Param(param::kFamily) == family::kPokerGrid) return;
    if (recompute) {
        fnComputeScore(ctx);
        return;
    }
    ShowAndStore(ctx, StoredScore(ctx) + kPointsPerCard * units);
}

int StoredScore(const GameContext& ctx) {
    const std::string text = GetSetting(ctx.settings, field::kScore);
    const bool negative = !text.empty() && text[0] == '-';
    const int magnitude = ParseDigits(negative ? std::string_view(text).substr(1) : text);
    if (magnitude < 0) return 0;
    return negative ? -magnitude : magnitude;
}

int ClockElapsedSeconds(int startSecondOfDay, int nowSecondOfDay) {
    if (nowSecondOfDay >= startSecondOfDay) return nowSecondOfDay - startSecondOfDay;
    // Past midnight: up to 23:59:59, then on from 00:00:00.
    return (kSecondsPerDay - 1 - startSecondOfDay) + nowSecondOfDay;
}

std::string fnClockText(int seconds) {
    seconds = std::max(0, seconds);
    return std::to_string(seconds / 3600) + ":" + TwoDigits(seconds / 60 % 60) + ":" +
           TwoDigits(seconds % 60);
}

int SecondOfDay(std::int64_t epochSeconds) {
    const auto time = static_cast<std::time_t>(epochSeconds);
    std::tm local{};
    localtime_r(&time, &local);
    return local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
}

void fnClockTick(GameContext& ctx, std::int64_t now) {
    if (!ctx.flags[GameStateFlags::kClockRuns]) return;
    const int elapsed = ClockElapsedSeconds(SecondOfDay(ctx.play.clockStart), SecondOfDay(now));
    ctx.play.timeText = fnClockText(elapsed);
    ctx.host.ShowTime(ctx.play.timeText);
}

int fnElapsedSeconds(const GameContext& ctx) {
    const std::string& text = ctx.play.timeText;
    const std::size_t first = text.find(':');
    const std::size_t second = first == std::string::npos ? first : text.find(':', first + 1);
    if (second == std::string::npos) return 0;
    const int hours = ParseDigits(std::string_view(text).substr(0, first));
    const int minutes = ParseDigits(std::string_view(text).substr(first + 1, second - first - 1));
    const int seconds = ParseDigits(std::string_view(text).substr(second + 1));
    if (hours < 0 || minutes < 0 || seconds < 0) return 0;
    return hours * 3600 + minutes * 60 + seconds;
}

void PauseClock(GameContext& ctx, std::int64_t now) {
    if (!ctx.flags[GameStateFlags::kClockRuns]) return;
    fnClockTick(ctx, now);
    ctx.play.pausedAt = now;
    ctx.flags[GameStateFlags::kClockRuns] = 0;
}

void ResumeClock(GameContext& ctx, std::int64_t now) {
    if (ctx.flags[GameStateFlags::kClockRuns] || !ctx.flags[GameStateFlags::kInPlay]) return;
    ctx.play.clockStart += now - ctx.play.pausedAt;
    ctx.flags[GameStateFlags::kClockRuns] = 1;
}

} // namespace quendra
