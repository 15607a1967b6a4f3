#include "game_check.h"

#include "cards.h"
#include "deal.h"
#include "deal_cards.h"
#include "families.h"
#include "game_params.h"
#include "game_catalog.h"
#include "new_game.h"
#include "silent_host.h"

#include <algorithm>
#include <map>
#include <memory>

namespace quendra {

namespace {

// Two tableau piles of a grid whose cards lie on one another (the peaks of Tri Peaks): their
// family's grid says which card is free, so they overlap by design. The rows of a memory game
// come closer to fit the table, each card still showing enough to be clicked.
bool CoveringGrid(const GameContext& ctx, PileRef a, PileRef b) {
    if (a.group != PileGroupId::Fila || b.group != PileGroupId::Fila) return false;
    if (CurrentFamilyRules(ctx).cardClick != nullptr) return true;
    return ctx.Param(param::kGridColumns) > 0 && CurrentFamilyRules(ctx).gridFree != nullptr;
}

struct Rect {
    int left, top, right, bottom; // right and bottom exclusive
    bool Overlaps(const Rect& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};

// The piles a game uses, in snapshot order.
std::vector<PileRef> PilesInUse(const GameContext& ctx) {
    std::vector<PileRef> piles;
    if (ctx.Param(9) == 1) piles.push_back({PileGroupId::Stock, kMazzo});
    if (ctx.Param(10) == 1) piles.push_back({PileGroupId::Stock, kMazzoVis});
    if (ctx.Param(369) > 0) piles.push_back({PileGroupId::Stock, kMazzoWaste});
    for (int i = 0; i < FoundationCount(ctx); ++i)
        piles.push_back({PileGroupId::Dest, i});
    for (int i = 0; i < TableauCount(ctx); ++i)
        piles.push_back({PileGroupId::Fila, i});
    for (int i = 0; i < ReserveCount(ctx); ++i)
        piles.push_back({PileGroupId::Appogg, i});
    return piles;
}

std::string AreaText(CheckArea area) {
    return std::to_string(area.width) + "x" + std::to_string(area.height);
}

struct DealtTable {
    bool started = false;
    TableSnapshot snapshot;
};

// Starts the game on a fresh context for the area and checks the dealt table.
DealtTable DealAndCheck(const std::string& gamesFile, int number, const std::string& deal,
                        CheckArea area, std::vector<std::string>& problems) {
    SilentHost host(area.width, area.height);
    auto ctx = std::make_unique<GameContext>(host);
    ctx->gamesFile = gamesFile;
    ctx->layoutArea =
        LayoutArea{5, area.width, area.height, area.height - 1, area.width, area.height, 9};
    SetSetting(ctx->settings, field::kCardSize, "B");
    SetSetting(ctx->settings, field::kCardSet, "001");
    SetSetting(ctx->settings, field::kBackCard, "030");
    SetSetting(ctx->settings, field::kDealNumber, deal);
    const std::string where = " at " + AreaText(area);
    DealtTable result;
    if (!LoadGameList(*ctx)) {
        problems.push_back("the catalogue cannot be read");
        return result;
    }
    const std::string name = GameName(*ctx, number);
    if (!SelectAndStartGame(*ctx, number, name, "Player 1", kKeepDealNumber, false)) {
        problems.push_back("the game does not start" + where);
        return result;
    }
    result.started = true;
    result.snapshot = BuildTableSnapshot(*ctx);

    // Every card of the deck on the table exactly once.
    DeckList deckList;
    fnGameNumberCardsArray(*ctx, deckList);
    std::vector<int> deck;
    for (const std::string& code : deckList)
        deck.push_back(ParseDigits(code));
    SelectDeck(*ctx, deck);
    // The deals that turn the cards of a rank into gaps take them out of the game.
    const int mode = ctx->Param(param::kDealMode);
    const int gapRank = mode == deal_mode::kAcesAsGaps    ? 1
                        : mode == deal_mode::kKingsAsGaps ? 13
                                                          : 0;
    std::erase_if(deck, [&](int card) { return gapRank != 0 && fnRank(card) == gapRank; });
    std::map<int, int> expected, found;
    for (int card : deck)
        if (card > 0) ++expected[card];
    for (int line = 0; line < kSnapshotLines; ++line) {
        const std::string& pile = ctx->table.Pile(SnapshotLinePile(line));
        for (int i = 0; i < PileCardCount(pile); ++i)
            if (const int card = PileCardAt(pile, i); card > 0) ++found[card];
    }
    for (const auto& [card, count] : found) {
        if (count > 1)
            problems.push_back("card " + CardCode(card) + " is on the table " +
                               std::to_string(count) + " times" + where);
        else if (!expected.contains(card))
            problems.push_back("card " + CardCode(card) + " is not in the deck" + where);
    }
    for (const auto& [card, count] : expected)
        if (!found.contains(card))
            problems.push_back("card " + CardCode(card) + " is missing from the table" + where);

    // Every pile in use placed inside the drawing area, none on top of another.
    const int cw = ctx->geometry.CardWidth;
    const int ch = ctx->geometry.CardHeight;
    const LayoutArea& a = ctx->layoutArea;
    std::vector<std::pair<PileRef, Rect>> placed;
    for (const PileRef pile : PilesInUse(*ctx)) {
        if (!PileHasPlace(*ctx, pile)) {
            problems.push_back(PileName(pile) + " has no place" + where);
            continue;
        }
        const Rect r{PileX(*ctx, pile), PileY(*ctx, pile), PileX(*ctx, pile) + cw,
                     PileY(*ctx, pile) + ch};
        if (r.left < 0 || r.top < a.top || r.right > a.usableWidth || r.bottom > a.bottom + 1)
            problems.push_back(PileName(pile) + " at (" + std::to_string(r.left) + ", " +
                               std::to_string(r.top) + ") lies outside the drawing area" + where);
        for (const auto& [other, otherRect] : placed)
            if (r.Overlaps(otherRect) && !CoveringGrid(*ctx, pile, other))
                problems.push_back(PileName(pile) + " overlaps " + PileName(other) + where);
        placed.emplace_back(pile, r);
    }
    return result;
}

} // namespace

std::vector<std::string> CheckGame(const std::string& gamesFile, int number,
                                   const std::string& deal, const std::vector<CheckArea>& areas) {
    std::vector<std::string> problems;
    for (const CheckArea area : areas) {
        const DealtTable first = DealAndCheck(gamesFile, number, deal, area, problems);
        if (!first.started) continue;
        std::vector<std::string> ignored;
        const DealtTable second = DealAndCheck(gamesFile, number, deal, area, ignored);
        if (second.snapshot != first.snapshot)
            problems.push_back("a second deal of the same number differs at " + AreaText(area));
    }
    return problems;
}

bool CheckAllGames(const std::string& gamesFile, const std::string& deal,
                   const std::vector<CheckArea>& areas, std::vector<std::string>& problems,
                   int& gamesChecked) {
    SilentHost host;
    GameContext ctx(host);
    ctx.gamesFile = gamesFile;
    gamesChecked = 0;
    if (!LoadGameList(ctx)) {
        problems.push_back("the catalogue " + gamesFile + " cannot be read");
        return false;
    }
    for (const std::string& line : ctx.mainGame.GameList) {
        const int number = ParseDigits(line.substr(4, 3));
        const std::string prefix = std::to_string(number) + " " + GameName(ctx, number) + ": ";
        for (const std::string& problem : CheckGame(gamesFile, number, deal, areas))
            problems.push_back(prefix + problem);
        ++gamesChecked;
    }
    return true;
}

} // namespace quendra
