#include "autoplay.h"

#include "cards.h"
#include "families.h"
#include "game_params.h"
#include "moves.h"
#include "pick_up.h"
#include "score.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace quendra {

namespace {

constexpr int kMatchedStart = 92;
constexpr int kMatchedStartFromReserve = 93;

const PileRef kStock{PileGroupId::Stock, kMazzo};
const PileRef kWaste{PileGroupId::Stock, kMazzoVis};

bool AutoFaceUpAllowed(const GameContext& ctx) {
    return GetSetting(ctx.settings, field::kAutomaticFaceUp) != "N";
}

// A pile with no card on it; the empty-place marks some games leave do not count.
bool HoldsNoCard(std::string_view pile) {
    for (int i = 0; i < PileCardCount(pile); ++i)
        if (PileCardAt(pile, i) > 0) return false;
    return true;
}

bool StandardWon(const GameContext& ctx) {
    if (!HoldsNoCard(ctx.table.Pile(kStock)) || !HoldsNoCard(ctx.table.Pile(kWaste))) return false;
    for (const std::string& pile : ctx.table.FilaGroup)
        if (!HoldsNoCard(pile)) return false;
    for (const std::string& pile : ctx.table.AppoggGroup)
        if (!HoldsNoCard(pile)) return false;
    return true;
}

// Families whose won test belongs to the family's own rules.
bool HasOwnWonTest(int family) {
    constexpr std::array<int, 16> own{9,  27, 31, 32, 39, 40, 41, 42,
                                      43, 44, 45, 46, 47, 48, 49, 52};
    return std::find(own.begin(), own.end(), family) != own.end();
}

// A pile's top card goes to the first foundation the send action would choose.
bool SendToFoundation(GameContext& ctx, int card) {
    if (card < 1) return false;
    const std::optional<int> foundation = FirstSendFoundation(ctx, card);
    if (!foundation) return false;
    ctx.play.singleCard = true;
    ctx.play.movingTopCard = card;
    return fnDoMove(ctx, card, "Dest_Autoplay" + std::to_string(*foundation + 1));
}

// In games whose foundations all start with matched cards the player places the first card.
bool WaitsForFirstFoundationCard(const GameContext& ctx) {
    const int count = FoundationCount(ctx);
    if (count == 0) return false;
    for (int i = 0; i < count; ++i) {
        const int rule = ctx.Param(51 + i);
        if (rule != kMatchedStart && rule != kMatchedStartFromReserve) return false;
        if (!ctx.table.DestGroup[static_cast<std::size_t>(i)].empty()) return false;
    }
    return true;
}

bool Stopped(const GameContext& ctx) {
    return ctx.flags[GameStateFlags::kStop] != 0;
}

bool SweepReserves(GameContext& ctx) {
    bool movedAny = false;
    for (bool moved = true; moved && !Stopped(ctx);) {
        moved = false;
        for (int r = 0; r < ReserveCount(ctx) && !Stopped(ctx); ++r)
            if (SendToFoundation(ctx,
                                 PileTopCard(ctx.table.AppoggGroup[static_cast<std::size_t>(r)])))
                moved = true;
        movedAny = movedAny || moved;
    }
    return movedAny;
}

bool SweepTableau(GameContext& ctx) {
    bool moved = false;
    const bool turnUp = AutoFaceUpAllowed(ctx) && ctx.Param(42) == 1;
    for (int p = 0; p < TableauCount(ctx) && !Stopped(ctx); ++p) {
        const PileRef pile{PileGroupId::Fila, p};
        const int top = PileTopCard(ctx.table.Pile(pile));
        if (top < 1) continue;
        if (ctx.cardTable.Face(top) != '1') {
            if (!turnUp) continue;
            // Turning a card up is no step of its own: undo takes it back with the move.
            fnSetCardFace(ctx, top, '1');
            ctx.host.RedrawPile(pile);
        }
        if (SendToFoundation(ctx, top)) {
            moved = true;
            if (ReserveCount(ctx) > 0) break; // the reserves are tried again first
        }
    }
    return moved;
}

bool UndoLogHasFamilyAutoplay(const GameContext& ctx) {
    const std::string& log = ctx.undoHistory.undo.StepLog;
    std::size_t start = 0;
    while (start < log.size()) {
        const std::size_t end = log.find(',', start);
        const std::size_t stop = end == std::string::npos ? log.size() : end;
        for (std::size_t at = start; at + 3 <= stop; at += 3)
            if (log.compare(at, 3, kStepAutoplayFamily) == 0) return true;
        start = stop + 1;
    }
    return false;
}

bool AllReservesEmpty(const GameContext& ctx) {
    return std::all_of(ctx.table.AppoggGroup.begin(), ctx.table.AppoggGroup.end(),
                       [](const std::string& pile) { return pile.empty(); });
}

int TopOf(const GameContext& ctx, PileRef pile) {
    return PileTopCard(ctx.table.Pile(pile));
}

int WasteOrStock(const GameContext& ctx) {
    const int waste = TopOf(ctx, kWaste);
    return waste > 0 ? waste : TopOf(ctx, kStock);
}

// The card parameter 23 puts next on empty tableau pile `number` (1-based); 0 for none.
int FillCard(const GameContext& ctx, int rule, int number) {
    switch (rule) {
    case autofill::kFromReserve1:
        return TopOf(ctx, {PileGroupId::Appogg, 0});
    case autofill::kWasteThenStock:
    case autofill::kWasteUntilFamilyAutoplay:
    case autofill::kWasteThenStockAlt:
    case autofill::kWasteWhileReservesEmpty: {
        const int gridCells = ctx.Param(25) * ctx.Param(26);
        if (gridCells > 0 && number < gridCells) return 0;
        if (rule == autofill::kWasteWhileReservesEmpty && !AllReservesEmpty(ctx)) return 0;
        if (rule == autofill::kWasteUntilFamilyAutoplay && UndoLogHasFamilyAutoplay(ctx)) return 0;
        return WasteOrStock(ctx);
    }
    case autofill::kStockThenWaste: {
        const int stock = TopOf(ctx, kStock);
        return stock > 0 ? stock : TopOf(ctx, kWaste);
    }
    case autofill::kThreeFromWaste:
        return TopOf(ctx, kWaste);
    case autofill::kWasteToEdgePiles: {
        constexpr std::array<int, 8> edge{1, 7, 8, 14, 15, 21, 22, 28};
        return std::find(edge.begin(), edge.end(), number) != edge.end() ? TopOf(ctx, kWaste) : 0;
    }
    case autofill::kStockFromPile11:
        return number >= 11 ? TopOf(ctx, kStock) : 0;
    case autofill::kFourFromStock:
        return TopOf(ctx, kStock);
    case autofill::kLowerPiles:
        return number >= 25 && number <= 32 ? WasteOrStock(ctx) : 0;
    case autofill::kFourFromWasteOrStock:
        return WasteOrStock(ctx);
    default:
        return 0;
    }
}

int CardsPerFill(int rule) {
    if (rule == autofill::kThreeFromWaste) return 3;
    if (rule == autofill::kFourFromStock || rule == autofill::kFourFromWasteOrStock) return 4;
    return 1;
}

} // namespace

void fnAutoFaceUp(GameContext& ctx) {
    if (!AutoFaceUpAllowed(ctx) || ctx.Param(42) == 0) return;
    for (int p = 0; p < TableauCount(ctx); ++p) {
        const int top = PileTopCard(ctx.table.FilaGroup[static_cast<std::size_t>(p)]);
        if (top < 1 || ctx.cardTable.Face(top) == '1') continue;
        fnSetCardFace(ctx, top, '1');
        ctx.host.RedrawPile({PileGroupId::Fila, p});
        PlaySwitchedSound(ctx, field::kSoundsFaceUp, "Face_up");
    }
}

bool fnAutoFill(GameContext& ctx) {
    const int rule = ctx.Param(param::kAutoFillRule);
    if (ctx.Param(40) == 1 && ctx.play.moveCounter == 0) return false;
    if (rule == autofill::kNone || rule == autofill::kNoFilling) return false;
    bool filled = false;
    for (int p = 0; p < TableauCount(ctx); ++p) {
        if (!ctx.table.FilaGroup[static_cast<std::size_t>(p)].empty()) continue;
        for (int n = 0; n < CardsPerFill(rule); ++n) {
            const int card = FillCard(ctx, rule, p + 1);
            const int steps = ctx.undoHistory.undo.Steps();
            if (card < 1 || !fnDoMove(ctx, card, "Fila" + std::to_string(p + 1))) break;
            // The space fills within the step of the move that emptied it.
            JoinPreviousPlayStep(ctx, steps);
            filled = true;
        }
    }
    return filled;
}

bool fnWonTest(GameContext& ctx) {
    const int family = ctx.Param(50);
    bool won = false;
    if (const auto test = CurrentFamilyRules(ctx).wonTest)
        won = test(ctx);
    else if (family == family::kSingleRowPairs || family == family::kRoyalMarriage)
        won = ctx.table.StockGroup[kMazzo].empty() && PileCardCount(ctx.table.FilaGroup[0]) <= 4;
    else if (!HasOwnWonTest(family))
        won = StandardWon(ctx);
    ctx.flags[GameStateFlags::kWon] = won ? 1 : 0;
    return won;
}

bool fnLostTest(GameContext& ctx) {
    constexpr int kKingsPile = 12;
    if (!ctx.flags[GameStateFlags::kInPlay]) return false;
    bool lost = false;
    if (const auto test = CurrentFamilyRules(ctx).lostTest) {
        lost = test(ctx);
    } else if (ctx.Param(param::kFamily) == family::kClock) {
        const std::string& pile = ctx.table.FilaGroup[kKingsPile];
        int kings = 0;
        for (int i = 0; i < PileCardCount(pile); ++i)
            if (fnRank(PileCardAt(pile, i)) == kKingsPile + 1) ++kings;
        lost = kings >= 4 && fnComputeScore(ctx) != ctx.Param(param::kMaxScore);
    }
    if (!lost) return false;
    ctx.host.ShowInformation("The game is lost.");
    ctx.flags[GameStateFlags::kWon] = 0;
    fnEndGame(ctx);
    return true;
}

bool fnAutoplay(GameContext& ctx, bool ask, const std::string& question) {
    const bool wanted =
        (ctx.play.autoplayTicked && ctx.play.autoplayEnabled) || DemonstrationPlaying(ctx);
    if (!wanted || !ctx.flags[GameStateFlags::kInPlay] || ctx.Param(367) <= 0) return false;
    if (ask && ctx.host.AskYesNoCancel(question) == Host::Answer::Cancel) return false;
    ctx.flags[GameStateFlags::kStop] = 0;
    bool movedAny = false;
    while (!Stopped(ctx) && !WaitsForFirstFoundationCard(ctx)) {
        bool moved = SweepReserves(ctx);
        if (!Stopped(ctx) && ctx.Param(8) == 0 && SendToFoundation(ctx, TopOf(ctx, kWaste)))
            moved = true;
        if (!Stopped(ctx) && SweepTableau(ctx)) moved = true;
        if (!moved) break;
        movedAny = true;
    }
    // The game ends with the score of the table automatic play left.
    if (ctx.flags[GameStateFlags::kWon] && ctx.flags[GameStateFlags::kInPlay]) {
        fnComputeScore(ctx);
        fnEndGame(ctx);
    }
    return movedAny;
}

bool AutoplayAndFill(GameContext& ctx) {
    bool moved = false;
    while (ctx.flags[GameStateFlags::kInPlay] && fnAutoplay(ctx, false)) {
        moved = true;
        if (ctx.flags[GameStateFlags::kInPlay]) fnAutoFill(ctx);
    }
    return moved;
}

bool GameResultWon(const GameContext& ctx, int score) {
    if (ctx.Param(param::kScoreToWin) != 0) return score >= ctx.Param(param::kScoreToWin);
    return ctx.flags[GameStateFlags::kWon] != 0;
}

bool WinsIfEnded(GameContext& ctx) {
    if (!ctx.flags[GameStateFlags::kInPlay]) return false;
    if (fnWonTest(ctx)) return true;
    // The score of the table as it lies: a move stores no score of its own.
    return ctx.Param(param::kScoreToWin) != 0 && GameResultWon(ctx, fnComputeScore(ctx));
}

void fnEndGame(GameContext& ctx) {
    // A game already ended is never recorded twice.
    if (!ctx.flags[GameStateFlags::kInPlay]) return;
    WaitCursor wait(ctx.host);
    const int score = StoredScore(ctx);
    const bool won = GameResultWon(ctx, score);
    const std::int64_t now = ctx.host.Now();
    if (ctx.flags[GameStateFlags::kClockRuns]) fnClockTick(ctx, now);
    ctx.flags[GameStateFlags::kClockRuns] = 0;
    for (Host::Command command : {Host::Command::Pause, Host::Command::QuitGame,
                                  Host::Command::InsertBookmark, Host::Command::GoToBookmark})
        ctx.host.EnableCommand(command, false);
    // The memory games tell their result before it is recorded.
    if (const auto show = CurrentFamilyRules(ctx).showResult) show(ctx);

    Host::GameResult result;
    const int game = ParseDigits(GetSetting(ctx.settings, field::kGameNumber));
    result.game = game < 0 ? 0 : game;
    result.deal = GetSetting(ctx.settings, field::kDealNumber);
    result.player = GetSetting(ctx.settings, field::kUserDefault);
    result.won = won;
    result.score = score;
    result.seconds = fnElapsedSeconds(ctx);
    result.endTime = now;
    ctx.host.RecordGameResult(result);

    ctx.play.draggedCard = 0;
    ctx.flags[GameStateFlags::kWon] = 0;
    ctx.flags[GameStateFlags::kInPlay] = 0;
    ctx.flags[GameStateFlags::kStop] = 1;
    if (!won) return;
    ctx.host.Wait(200);
    PlaySwitchedSound(ctx, field::kSoundsGameWon, "Won");
    if (!ctx.play.exitAfterGame) ctx.host.CelebrateWin();
}

} // namespace quendra
