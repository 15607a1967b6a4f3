#include "stock.h"

#include "autoplay.h"
#include "cards.h"
#include "families.h"
#include "families_rows.h"
#include "game_params.h"
#include "moves.h"
#include "redeal_orders.h"

#include <algorithm>
#include <string>
#include <vector>

namespace quendra {

namespace {

const PileRef kStock{PileGroupId::Stock, kMazzo};
const PileRef kWaste{PileGroupId::Stock, kMazzoVis};
const PileRef kDiscard{PileGroupId::Stock, kMazzoWaste};

// Deal flags of the tableau piles and reserves.
constexpr int kFlagNoCard = 0;
constexpr int kFlagMaxDealing = 10;
constexpr int kTableauFlagFaceDown = 6;
constexpr int kReserveFlagFaceDown = 5;
constexpr int kFlagOnlyOnCards = 7;
constexpr int kFlagDealsThrees = 9;

// What parameter 17 lets a click deal to the waste.
constexpr int kWasteEveryClick = 0;
constexpr int kWasteWhileEmpty = 1;

std::string& StockPile(GameContext& ctx) {
    return ctx.table.StockGroup[kMazzo];
}
bool StockEmpty(const GameContext& ctx) {
    return ctx.table.StockGroup[kMazzo].empty();
}

void DropSteps(GameContext& ctx, int n) {
    if (n > 0 && StepsRecorded(ctx)) DropLastSteps(ctx, n);
}

// Moves the stock's top card onto a pile, with the face given and its flight.
int DealTopCard(GameContext& ctx, PileRef to, char face) {
    std::string& stock = StockPile(ctx);
    const int card = PileTopCard(stock);
    stock.erase(stock.size() - 3);
    fnPutCard(ctx, to, card, face);
    ctx.host.RedrawPile(kStock);
    ctx.host.FlyCard(card, kStock, to);
    return card;
}

// Deal to the waste or the discard pile, parameter 22 cards a click.
bool DealToWaste(GameContext& ctx, bool toDiscard) {
    const int method = ctx.Param(param::kRedealFromWaste);
    const bool turnOverApplies = method < 1 || !RedealLeft(ctx);
    if (StockEmpty(ctx) && turnOverApplies) return !toDiscard && fnTurnWasteOver(ctx);
    if (method >= 1 && RedealLeft(ctx) && (StockEmpty(ctx) || method == redeal::kEveryClick))
        return fnRedeal(ctx);
    if (StockEmpty(ctx)) return false;

    RecordPlayStep(ctx);
    const PileRef to = toDiscard ? kDiscard : kWaste;
    const bool animate = GetSetting(ctx.settings, field::kCardsAnimate) == "Y";
    int card = 0;
    for (int i = 0; i < std::max(1, ctx.Param(22)) && !StockEmpty(ctx); ++i) {
        std::string& stock = StockPile(ctx);
        card = PileTopCard(stock);
        stock.erase(stock.size() - 3);
        fnPutCard(ctx, to, card, '1');
        ctx.host.RedrawPile(kStock);
        if (animate) ctx.host.FlyCard(card, kStock, to);
        PlaySwitchedSound(ctx, field::kSoundsStock, "Stock");
    }
    ctx.host.RedrawPile(to);
    const FamilyRules& rules = CurrentFamilyRules(ctx);
    if (ctx.Param(param::kFamily) == family::kCountsTheDeal || rules.countsDeals) {
        ++ctx.play.dealCount;
        MarkPlayStep(ctx, kStepDealOntoPiles);
    }
    if (rules.afterMove) rules.afterMove(ctx, card, to);
    fnWonTest(ctx);
    return true;
}

enum class DealKind {
    AllTableaus,
    AllTableausLast,
    FillTableaus,
    AllReserves,
    OneTableau,
    OneReserve
};

bool GetsCard(const GameContext& ctx, DealKind kind, PileRef pile, int flag) {
    const bool empty = ctx.table.Pile(pile).empty();
    switch (kind) {
    case DealKind::AllTableausLast:
        return true;
    case DealKind::FillTableaus:
        return empty;
    case DealKind::OneTableau:
    case DealKind::OneReserve:
        return true;
    case DealKind::AllTableaus:
    case DealKind::AllReserves:
        break;
    }
    if (flag <= kFlagNoCard || flag > kFlagMaxDealing) return false;
    return flag != kFlagOnlyOnCards || !empty;
}

// Deals the stock's cards onto tableau piles or reserves by their deal flags.
bool DealOntoPiles(GameContext& ctx, DealKind kind, int number) {
    if (StockEmpty(ctx)) return false;
    const bool reserves = kind == DealKind::AllReserves || kind == DealKind::OneReserve;
    std::vector<PileRef> piles;
    if (kind == DealKind::OneTableau) {
        if (number < 1 || number > kFilaPiles) return false;
        piles.push_back({PileGroupId::Fila, number - 1});
    } else if (kind == DealKind::OneReserve) {
        if (number < 1 || number > kAppoggPiles) return false;
        piles.push_back({PileGroupId::Appogg, number - 1});
    } else if (reserves) {
        // Reserves dealt face down stop getting cards once the passes are used up.
        if (!(ctx.Param(341) == kReserveFlagFaceDown && !RedealLeft(ctx)))
            for (int r = 0; r < ReserveCount(ctx); ++r)
                piles.push_back({PileGroupId::Appogg, r});
    } else {
        for (int p = 0; p < TableauCount(ctx); ++p)
            piles.push_back({PileGroupId::Fila, p});
    }

    const bool record = kind != DealKind::FillTableaus;
    if (record) RecordPlayStep(ctx);
    int dealt = 0;
    for (PileRef pile : piles) {
        if (StockEmpty(ctx)) break;
        const int flag = reserves ? ctx.Param(341 + pile.index) : ctx.Param(291 + pile.index);
        if (!GetsCard(ctx, kind, pile, flag)) continue;
        const bool faceDown =
            reserves ? flag == kReserveFlagFaceDown : flag == kTableauFlagFaceDown;
        const int card = DealTopCard(ctx, pile, faceDown ? '0' : '1');
        ctx.host.RedrawPile(pile);
        ++dealt;
        // A card dealt onto a pile has landed there, as a card moved (four of a kind).
        if (const auto hook = CurrentFamilyRules(ctx).afterMove) hook(ctx, card, pile);
    }
    if (dealt == 0) {
        // Nothing qualified: the step recorded for the deal is taken back.
        if (record) DropSteps(ctx, 1);
        return false;
    }
    fnWonTest(ctx);
    return true;
}

// Deals until every tableau pile holds three cards, turning the waste over when the stock
// runs out; one undo takes the whole click back.
void DealThreesToShortPiles(GameContext& ctx) {
    int dealt = 0;
    for (int p = 0; p < TableauCount(ctx); ++p) {
        while (PileCardCount(ctx.table.FilaGroup[static_cast<std::size_t>(p)]) < 3) {
            if (StockEmpty(ctx)) {
                if (ctx.table.StockGroup[kMazzoVis].empty() || !RedealLeft(ctx)) break;
                if (fnTurnWasteOver(ctx)) DropSteps(ctx, 1);
                if (StockEmpty(ctx)) break;
            }
            const std::string action = "Add_Tableau_" + fnFormatNumber(p + 1, 2);
            if (!fnDoMove(ctx, 0, action)) break;
            ++dealt;
        }
        if (StockEmpty(ctx) && ctx.table.StockGroup[kMazzoVis].empty()) break;
    }
    if (dealt > 1) DropSteps(ctx, dealt - 1);
    if (dealt == 0) fnDoMove(ctx, 0, "Mazzo_Vis");
}

// A click that deals several times as one undo step marked with the deal code.
void MergeDeals(GameContext& ctx, int deals) {
    if (DemonstrationPlaying(ctx) && !ctx.play.demoRecording) return;
    if (deals >= 2) DropStepsBeforeLast(ctx, deals - 1);
    if (deals >= 1) AddStepCode(ctx, kStepDealOntoPiles);
}

bool AnyTableauEmpty(const GameContext& ctx) {
    for (int p = 0; p < TableauCount(ctx); ++p)
        if (ctx.table.FilaGroup[static_cast<std::size_t>(p)].empty()) return true;
    return false;
}

void ClickDealsOntoPiles(GameContext& ctx) {
    const int firstFlag = ctx.Param(291);
    const int lastFlag = ctx.Param(290 + std::max(1, TableauCount(ctx)));
    const int reserveFlag = ctx.Param(341);
    const int lastReserveFlag = ctx.Param(340 + std::max(1, ReserveCount(ctx)));
    // Piles that get a card only while they hold cards deal at a click like the others: a
    // game whose piles all carry that flag would otherwise have a stock that never deals.
    if (firstFlag == 1 || lastFlag == 1 || firstFlag == kFlagOnlyOnCards ||
        lastFlag == kFlagOnlyOnCards) {
        fnDoMove(ctx, 0, "Add_Tableaus");
        if (reserveFlag == kReserveFlagFaceDown && fnDoMove(ctx, 0, "Add_Reserves"))
            DropSteps(ctx, 1);
    } else if (firstFlag == 2 || lastFlag == 2) {
        if (AnyTableauEmpty(ctx))
            ctx.host.ShowInformation("Fill in any gaps in the tableau before dealing.");
        else
            fnDoMove(ctx, 0, "Add_Tableaus");
    } else if (reserveFlag == 1 || lastReserveFlag == 1) {
        fnDoMove(ctx, 0, "Add_Reserves");
    } else if (reserveFlag == 3) {
        if (PileCardCount(StockPile(ctx)) == 8) {
            fnDoMove(ctx, 0, "Add_Tableaus_Last");
        } else {
            const bool first = fnDoMove(ctx, 0, "Add_Reserves");
            const bool second = fnDoMove(ctx, 0, "Add_Reserves");
            if (first && second) DropSteps(ctx, 1);
        }
    } else if (reserveFlag == 4) {
        if (StockEmpty(ctx)) return;
        ++ctx.play.dealCount;
        const std::string action = ctx.play.dealCount % 2 == 1 ? "Add_Reserve_1" : "Add_Reserve_2";
        int deals = 0;
        for (int i = 0; i < 3; ++i)
            if (fnDoMove(ctx, 0, action)) ++deals;
        MergeDeals(ctx, deals);
    } else if (reserveFlag == 8) {
        int deals = 0;
        for (int p = 0; p < TableauCount(ctx); ++p)
            for (int i = 0; i < 4; ++i)
                if (fnDoMove(ctx, 0, "Add_Tableau_" + fnFormatNumber(p + 1, 2))) ++deals;
        DropSteps(ctx, deals - 1);
    } else if (reserveFlag == 10) {
        if (StockEmpty(ctx)) return;
        const int c = ++ctx.play.dealCount;
        int deals = 0;
        for (int p = 8 * (c - 1) + 1; p <= 8 * (c - 1) + 8; ++p)
            if (fnDoMove(ctx, 0, "Add_Tableau_" + fnFormatNumber(p, 2))) ++deals;
        MergeDeals(ctx, deals);
    } else if (ctx.Param(363) != 0) {
        fnDoMove(ctx, 0, "Mazzo_Waste");
    }
}

// Methods that redeal at a click while the stock still holds cards: the one that runs on
// every click, and the one that shuffles the stock in with the tableau.
bool RedealsOverStock(int method) {
    return method == redeal::kEveryClick || method == redeal::kShuffledWithStock;
}

// The press only arms a turn-over or a redeal; dealing happens at once.
bool ArmsAtPress(const GameContext& ctx) {
    const int method = ctx.Param(param::kRedealFromWaste);
    if (ctx.Param(param::kWastePlaced) == 1)
        return StockEmpty(ctx) || (method == redeal::kEveryClick && RedealLeft(ctx));
    return method > 0 && (StockEmpty(ctx) || (RedealsOverStock(method) && RedealLeft(ctx)));
}

void ClickDeals(GameContext& ctx) {
    if (const char* move = CurrentFamilyRules(ctx).stockClickMove) {
        fnDoMove(ctx, 0, move);
        return;
    }
    if (ctx.Param(10) == 1) {
        if (ctx.Param(291) == kFlagDealsThrees) {
            DealThreesToShortPiles(ctx);
        } else if (ctx.Param(17) == kWasteEveryClick ||
                   (ctx.Param(17) == kWasteWhileEmpty && ctx.table.StockGroup[kMazzoVis].empty())) {
            fnDoMove(ctx, 0, "Mazzo_Vis");
        }
    } else {
        ClickDealsOntoPiles(ctx);
    }
    // Golf and Tri Peaks may be won by the deal itself.
    const int family = ctx.Param(param::kFamily);
    if ((family == family::kGolf || family == family::kTriPeaks) && ctx.flags[GameStateFlags::kWon])
        fnWonTest(ctx);
}

// ---- Redeal methods ----

void FlyEach(GameContext& ctx, const std::vector<int>& cards, PileRef from, PileRef to) {
    for (int card : cards)
        ctx.host.FlyCard(card, from, to);
}

void ReversePile(std::string& pile) {
    std::string reversed;
    for (int i = PileCardCount(pile) - 1; i >= 0; --i)
        reversed.append(pile, i * 3, 3);
    pile = reversed;
}

// Deals `count` cards from the top of `from` round the tableau, one to each pile in turn from
// pile 1, face up, so the gathered cards come back in a new arrangement.
void DealRound(GameContext& ctx, PileRef from, int count) {
    const int piles = TableauCount(ctx);
    if (piles == 0) return;
    for (int i = 0; i < count && !ctx.table.Pile(from).empty(); ++i) {
        std::string& source = ctx.table.Pile(from);
        const int card = PileTopCard(source);
        source.erase(source.size() - 3);
        const PileRef to{PileGroupId::Fila, i % piles};
        fnPutCard(ctx, to, card, '1');
        ctx.host.FlyCard(card, from, to);
    }
}

void RotatePiles(GameContext& ctx) {
    for (int p = 0; p < TableauCount(ctx); ++p) {
        std::string& pile = ctx.table.FilaGroup[static_cast<std::size_t>(p)];
        if (PileCardCount(pile) < 2) continue;
        const int bottom = PileCardAt(pile, 0);
        pile.erase(0, 3);
        fnPutCard(ctx, {PileGroupId::Fila, p}, bottom, '1');
        ctx.host.RedrawPile({PileGroupId::Fila, p});
        PlaySwitchedSound(ctx, field::kSoundsShuffle, "Shuffle");
    }
}

void RedealOnePile(GameContext& ctx) {
    const int piles = TableauCount(ctx);
    int p = ctx.play.passNumber - 2;
    while (p >= 0 && p < piles && ctx.table.FilaGroup[static_cast<std::size_t>(p)].empty()) {
        ++p;
        ++ctx.play.passNumber; // an empty pile passed over uses up its pass
    }
    if (p < 0 || p >= piles) return;
    const PileRef source{PileGroupId::Fila, p};
    std::string& pile = ctx.table.Pile(source);
    std::vector<int> cards;
    for (int i = 0; i + 1 < PileCardCount(pile); ++i)
        cards.push_back(PileCardAt(pile, i));
    pile.erase(0, pile.size() - 3);
    for (std::size_t i = 0; i < cards.size(); ++i) {
        const PileRef to{PileGroupId::Fila, static_cast<int>(i % static_cast<std::size_t>(piles))};
        fnPutCard(ctx, to, cards[i], '1');
        ctx.host.FlyCard(cards[i], source, to);
        ctx.host.Wait(50);
    }
}

// Cards in place from a row's start: the family's first rank (a Two in Gaps), then the same
// suit one rank up, and so on.
int RunInPlace(std::string_view row, int firstRank) {
    int length = 0;
    for (int i = 0; i < PileCardCount(row); ++i) {
        const int card = PileCardAt(row, i);
        if (card < 1 || fnIsJoker(card) || fnRank(card) != i + firstRank) break;
        if (i > 0 && fnSuit(card) != fnSuit(PileCardAt(row, 0))) break;
        ++length;
    }
    return length;
}

void RedealGapRows(GameContext& ctx) {
    const int rows = TableauCount(ctx);
    // The rows keep their width: 13 places in Gaps, 14 where the Aces stand before the rows.
    int places = 0;
    for (int r = 0; r < rows; ++r)
        places = std::max(places, PileCardCount(ctx.table.FilaGroup[static_cast<std::size_t>(r)]));
    const int firstRank = CurrentFamilyRules(ctx).gapRowFirstRank;
    for (int r = rows - 1; r >= 0; --r) {
        std::string& row = ctx.table.FilaGroup[static_cast<std::size_t>(r)];
        const int run = RunInPlace(row, firstRank);
        for (int i = PileCardCount(row) - 1; i >= run; --i) {
            const int card = PileCardAt(row, i);
            if (card >= 1) fnPutCard(ctx, kStock, card, '1');
        }
        row.erase(static_cast<std::size_t>(run) * 3);
        row += CardCode(0);
    }
    PlaySwitchedSound(ctx, field::kSoundsShuffle, "Shuffle");
    for (int r = 0; r < rows; ++r) {
        const PileRef row{PileGroupId::Fila, r};
        while (PileCardCount(ctx.table.Pile(row)) < places && !StockEmpty(ctx))
            DealTopCard(ctx, row, '1');
    }
}

} // namespace

bool RedealLeft(const GameContext& ctx) {
    return ctx.Param(param::kPasses) == -1 || ctx.play.passNumber < ctx.Param(param::kPasses);
}

bool fnTurnWasteOver(GameContext& ctx) {
    std::string& waste = ctx.table.StockGroup[kMazzoVis];
    // A family that counts its deals turns a single card over too: its count moves on.
    const int fewest = CurrentFamilyRules(ctx).countsDeals ? 1 : 2;
    if (PileCardCount(waste) < fewest || !RedealLeft(ctx)) return false;
    ++ctx.play.passNumber;
    RecordPlayStep(ctx);
    // The waste's top card goes first, so the first card dealt is again the stock's top card.
    std::vector<int> cards;
    for (int i = PileCardCount(waste) - 1; i >= 0; --i)
        cards.push_back(PileCardAt(waste, i));
    waste.clear();
    StockPile(ctx).clear();
    const char face = ctx.Param(7) != 0 ? '0' : '1';
    for (int card : cards)
        fnPutCard(ctx, kStock, card, face);
    if (GetSetting(ctx.settings, field::kRedealAnimation) != "N") {
        PlaySwitchedSound(ctx, field::kSoundsRedeal, "Redeal");
        FlyEach(ctx, cards, kWaste, kStock);
        ctx.host.Wait(100);
    } else {
        PlaySwitchedSound(ctx, field::kSoundsRedealWithoutAnimation, "Red_no_a");
    }
    if (ctx.Param(param::kFamily) == family::kPyramid) {
        // The card back on top of the stock leaves the selection.
        std::string& selection = ctx.table.DestGroup[0];
        const std::string top = CardCode(PileTopCard(StockPile(ctx)));
        for (std::size_t at = 0; at + 3 <= selection.size(); at += 3)
            if (selection.compare(at, 3, top) == 0) {
                selection.erase(at, 3);
                break;
            }
    }
    ctx.host.RedrawPile(kStock);
    ctx.host.RedrawPile(kWaste);
    return true;
}

bool RedealMethodImplemented(int method) {
    switch (method) {
    case redeal::kShuffledFans:
    case redeal::kFansInOrder:
    case redeal::kEveryClick:
    case redeal::kRotatePiles:
    case redeal::kGapRows:
    case redeal::kGatherToWaste:
    case redeal::kShuffledOpening:
    case redeal::kGatherToStock:
    case redeal::kGatherAndDeal:
    case redeal::kPileRedeal:
    case redeal::kShuffledWithStock:
        return true;
    default:
        return method <= redeal::kTurnOver;
    }
}

// The plain gather-and-deal methods (6, 9, 12) deal the gathered cards back from the top of
// the pile they were gathered onto, one card to each tableau pile in turn from pile 1, face
// up, until as many cards as were gathered are dealt.
bool fnRedeal(GameContext& ctx) {
    const int method = ctx.Param(param::kRedealFromWaste);
    if (method < 1 || !RedealMethodImplemented(method) || !RedealLeft(ctx)) return false;
    ++ctx.play.passNumber;
    RecordPlayStep(ctx);
    MarkPlayStep(ctx, kStepRedeal);
    const bool ontoWaste = (ctx.Param(365) == 1 && ctx.Param(param::kStockPlaced) == 0 &&
                            ctx.Param(param::kWastePlaced) == 1) ||
                           method == redeal::kEveryClick || method == redeal::kGatherToWaste;
    switch (method) {
    case redeal::kRotatePiles:
        RotatePiles(ctx);
        break;
    case redeal::kPileRedeal:
        RedealOnePile(ctx);
        break;
    case redeal::kGapRows:
        RedealGapRows(ctx);
        break;
    case redeal::kShuffledFans:
        RedealShuffledFans(ctx);
        break;
    case redeal::kFansInOrder:
        RedealFansInOrder(ctx);
        break;
    case redeal::kShuffledOpening:
        RedealShuffledOpening(ctx);
        break;
    case redeal::kShuffledWithStock:
        RedealShuffledWithStock(ctx);
        break;
    case redeal::kGatherToStock:
    case redeal::kGatherAndDeal: {
        const int gathered = GatherTableau(ctx, kStock, '1');
        ReversePile(StockPile(ctx));
        if (method == redeal::kGatherAndDeal) DealRound(ctx, kStock, gathered);
        break;
    }
    default: {
        const PileRef onto = ontoWaste ? kWaste : kStock;
        const int gathered = GatherTableau(ctx, onto, ontoWaste ? '1' : '0');
        DealRound(ctx, onto, gathered);
        break;
    }
    }
    ctx.host.RedrawTable();
    fnWonTest(ctx);
    return true;
}

bool DoStockAction(GameContext& ctx, std::string_view action) {
    if (action == "Mazzo_Vis") return DealToWaste(ctx, false);
    if (action == "Mazzo_Waste") return DealToWaste(ctx, true);
    if (action == "Mazzo_Redeal") return fnRedeal(ctx);
    if (action == "Add_Tableaus") return DealOntoPiles(ctx, DealKind::AllTableaus, 0);
    if (action == "Add_Tableaus_Last") return DealOntoPiles(ctx, DealKind::AllTableausLast, 0);
    if (action == "Fill_Tableaus") return DealOntoPiles(ctx, DealKind::FillTableaus, 0);
    if (action == "Add_Reserves") return DealOntoPiles(ctx, DealKind::AllReserves, 0);
    // The row games: into the row's next empty place.
    if (action == "Add_Tableau_Next") return DealIntoNextPlace(ctx);
    if (action.starts_with("Add_Tableau_") && action.size() == 14)
        return DealOntoPiles(ctx, DealKind::OneTableau, ParseDigits(action.substr(12)));
    if (action.starts_with("Add_Reserve_") && action.size() == 13)
        return DealOntoPiles(ctx, DealKind::OneReserve, ParseDigits(action.substr(12)));
    return false;
}

void fnStockClick(GameContext& ctx, StockClickPhase phase) {
    switch (phase) {
    case StockClickPhase::Press:
        if (ArmsAtPress(ctx)) {
            ctx.host.DrawStockPressed(true);
            ctx.play.stockPending = true;
            return;
        }
        ClickDeals(ctx);
        return;
    case StockClickPhase::Leave:
        if (!ctx.play.stockPending) return;
        ctx.host.DrawStockPressed(false);
        ctx.play.stockPending = false;
        return;
    case StockClickPhase::Release:
        if (!ctx.play.stockPending) return;
        ctx.host.DrawStockPressed(false);
        ctx.play.stockPending = false;
        ctx.host.Wait(50);
        fnDoMove(ctx, 0, ctx.Param(10) == 1 ? "Mazzo_Vis" : "Mazzo_Redeal");
        return;
    }
}

} // namespace quendra
