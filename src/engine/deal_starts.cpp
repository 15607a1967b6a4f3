#include "building.h"
#include "cards.h"
#include "deal_cards.h"
#include "deal_deck.h"
#include "families.h"
#include "game_params.h"
#include "legality.h"
#include "score.h"

#include <algorithm>
#include <random>

namespace quendra {

using pile::Appogg;
using pile::Dest;
using pile::Fila;
using pile::Stock;

namespace {



int LongestPile(const GameContext& ctx) {
    int longest = 0;
    for (const std::string& pile : ctx.table.FilaGroup)
        longest = std::max(longest, PileCardCount(pile));
    return longest;
}

// Family 11: the Aces of reserve 1 go to foundations 2, 3, ...; the waste refills their
// places from its bottom and gives foundation 1 its Ace.
void StartFromReserveAces(GameContext& ctx) {
    std::string& reserve = ctx.table.Pile(Appogg(0));
    std::vector<int> holes;
    int next = 1;
    for (int place = 0; place < PileCardCount(reserve) && next < kDestPiles; ++place) {
        const int card = PileCardAt(reserve, place);
        if (fnRank(card) != 1) continue;
        dealing::PutFaceUp(ctx, Dest(next++), card);
        reserve.replace(static_cast<std::size_t>(place) * 3, 3, "000");
        holes.push_back(place);
    }
    std::string& waste = ctx.table.Pile(Stock(kMazzoVis));
    bool aceOnFirst = !ctx.table.Pile(Dest(0)).empty();
    std::size_t filled = 0;
    while (!waste.empty() && (filled < holes.size() || !aceOnFirst)) {
        const int card = PileCardAt(waste, 0);
        dealing::RemoveAt(waste, 0);
        if (fnRank(card) == 1 && !aceOnFirst) {
            dealing::PutFaceUp(ctx, Dest(0), card);
            aceOnFirst = true;
        } else if (filled < holes.size()) {
            reserve.replace(static_cast<std::size_t>(holes[filled++]) * 3, 3, CardCode(card));
            fnSetCardFace(ctx, card, '1');
        } else {
            // Every hole is filled: the card goes back under the waste.
            waste.insert(0, CardCode(card));
            break;
        }
    }
    // Holes the waste could not fill close up.
    for (std::size_t k = holes.size(); k-- > filled;)
        dealing::RemoveAt(reserve, holes[k]);
}

// The foundations a card of the sweep is offered to, by code.
std::vector<int> SweepTargets(const GameContext& ctx, int code, int pile, int inner) {
    std::vector<int> targets;
    const int n = FoundationCount(ctx);
    auto range = [&](int from, int to) {
        for (int i = from; i <= to && i < n; ++i)
            targets.push_back(i);
    };
    if (code == foundation_code::kSweepOwn) {
        // A pile without a foundation of its own offers to none.
        if (pile < n) targets.push_back(pile);
    } else if (code == foundation_code::kSweepKingsAces) {
        if (inner >= 0 && inner <= 3)
            range(0, 3);
        else if (inner >= 6 && inner <= 9)
            range(4, 7);
        else
            range(0, 7);
    } else {
        range(0, n - 1);
    }
    return targets;
}

bool FoundationTakes(const GameContext& ctx, int i, int card) {
    const int top = PileTopCard(ctx.table.Pile(Dest(i)));
    return fnCanBuild(ctx, top, card, ctx.Param(51 + i), false, i, ctx.Param(251 + i) > 0, true,
                      ctx.Param(83 + i), ctx.Param(67 + i), ctx.Param(51));
}

// Offers the card at a place of a pile until the place holds a card no foundation takes.
void SweepPlace(GameContext& ctx, int code, int pile, int place, int inner) {
    std::string& cards = ctx.table.Pile(Fila(pile));
    while (place < PileCardCount(cards)) {
        const int card = PileCardAt(cards, place);
        bool moved = false;
        for (int i : SweepTargets(ctx, code, pile, inner)) {
            if (card < 1 || !FoundationTakes(ctx, i, card)) continue;
            dealing::RemoveAt(cards, place);
            dealing::PutFaceUp(ctx, Dest(i), card);
            fnAddScore(ctx, 1, false);
            moved = true;
            break;
        }
        if (!moved) return;
    }
}

// Family 96 start: Aces of the tableau go up, the stock (or the waste) fills their places.
void AcesFromTableau(GameContext& ctx) {
    const int longest = LongestPile(ctx);
    for (int place = 0; place <= longest; ++place) {
        for (int pile = 0; pile < TableauCount(ctx); ++pile) {
            std::string& cards = ctx.table.Pile(Fila(pile));
            if (place >= PileCardCount(cards)) continue;
            const int card = PileCardAt(cards, place);
            if (fnRank(card) != 1) continue;
            for (int i = 0; i < FoundationCount(ctx); ++i) {
                if (!fnCanDropOnFoundation(ctx, i, card)) continue;
                dealing::PutFaceUp(ctx, Dest(i), card);
                std::string& source = ctx.table.Pile(Stock(kMazzo)).empty()
                                          ? ctx.table.Pile(Stock(kMazzoVis))
                                          : ctx.table.Pile(Stock(kMazzo));
                const int replacement = PileTopCard(source);
                if (replacement > 0) {
                    source.erase(source.size() - 3);
                    cards.replace(static_cast<std::size_t>(place) * 3, 3, CardCode(replacement));
                    fnSetCardFace(ctx, replacement, '1');
                } else {
                    dealing::RemoveAt(cards, place);
                }
                break;
            }
        }
    }
}

// Takes a card from whichever pile holds it; false when no pile does.
bool TakeFromTable(GameContext& ctx, int card) {
    const std::string code = CardCode(card);
    for (int line = 0; line < kSnapshotLines; ++line) {
        std::string& pile = ctx.table.Pile(SnapshotLinePile(line));
        for (int place = 0; place < PileCardCount(pile); ++place) {
            if (pile.compare(static_cast<std::size_t>(place) * 3, 3, code) == 0) {
                dealing::RemoveAt(pile, place);
                return true;
            }
        }
    }
    return false;
}

// Family 22: the King of hearts under the stock, the Queen of hearts on tableau pile 1.
void StartRoyalPair(GameContext& ctx) {
    if (TakeFromTable(ctx, 13)) {
        ctx.table.Pile(Stock(kMazzo)).insert(0, CardCode(13));
        fnSetCardFace(ctx, 13, '0');
    }
    if (TakeFromTable(ctx, 12)) dealing::PutFaceUp(ctx, Fila(0), 12);
}

// Mode 1: a King at the bottom of a pile goes under the stock; the pile gets the stock's
// first card from the bottom that is no King.
void KingsToStock(GameContext& ctx) {
    std::string& stock = ctx.table.Pile(Stock(kMazzo));
    auto swap = [&](PileRef pileRef) {
        std::string& pile = ctx.table.Pile(pileRef);
        if (pile.empty() || fnRank(PileCardAt(pile, 0)) != 13) return;
        stock.insert(0, pile);
        for (int k = 0; k < PileCardCount(pile); ++k)
            fnSetCardFace(ctx, PileCardAt(pile, k), '0');
        pile.clear();
        const int top = PileTopCard(stock);
        if (top > 0) fnSetCardFace(ctx, top, '0');
        for (int place = 0; place < PileCardCount(stock); ++place) {
            const int card = PileCardAt(stock, place);
            if (fnRank(card) == 13) continue;
            dealing::RemoveAt(stock, place);
            dealing::PutFaceUp(ctx, pileRef, card);
            return;
        }
    };
    for (int i = 0; i < kFilaPiles; ++i)
        swap(Fila(i));
    for (int i = 0; i < kDestPiles; ++i)
        swap(Dest(i));
}

// Modes 2 and 4: each King (Queen) of the deck starts the next pile.
void LeadersStartPiles(GameContext& ctx, dealing::Deck& deck, int leaderRank) {
    const int first = deck.TakeFirstOfRank(leaderRank);
    if (first == 0) return;
    int pile = 0;
    dealing::PutFaceUp(ctx, Fila(pile), first);
    while (!deck.Empty()) {
        const int card = deck.TakeFirst();
        if (fnRank(card) == leaderRank && pile + 1 < kFilaPiles) ++pile;
        dealing::PutFaceUp(ctx, Fila(pile), card);
    }
    const int code = ctx.Param(99);
    FoundationSweep(ctx,
                    code == foundation_code::kSweepOwn || code == foundation_code::kSweepKingsAces
                        ? code
                        : foundation_code::kSweepAll);
}

// Mode 3: the tableau dealt again so that no pile repeats a rank where it can be helped. The
// reserves' cards take part too: a card that would repeat a rank waits for a later pile, and
// the cards left over fill the reserves (Nestor's last four cards).
void SpreadRanks(GameContext& ctx) {
    std::vector<int> gathered;
    std::vector<std::string> faces;
    std::vector<PileRef> piles;
    for (int i = 0; i < kFilaPiles; ++i)
        piles.push_back(Fila(i));
    for (int i = 0; i < kAppoggPiles; ++i)
        piles.push_back(Appogg(i));
    for (const PileRef ref : piles) {
        const std::string& pile = ctx.table.Pile(ref);
        std::string& face = faces.emplace_back();
        for (int place = 0; place < PileCardCount(pile); ++place) {
            const int card = PileCardAt(pile, place);
            gathered.push_back(card);
            face.push_back(card >= 1 && card <= kMaxCard ? ctx.cardTable.Face(card) : '0');
        }
    }
    for (std::size_t k = 0; k < piles.size(); ++k) {
        std::string& pile = ctx.table.Pile(piles[k]);
        const int length = PileCardCount(pile);
        pile.clear();
        const bool tableau = piles[k].group == PileGroupId::Fila;
        std::vector<int> ranks;
        for (int place = 0; place < length && !gathered.empty(); ++place) {
            auto it = std::find_if(gathered.begin(), gathered.end(), [&](int c) {
                return !tableau || std::find(ranks.begin(), ranks.end(), fnRank(c)) == ranks.end();
            });
            if (it == gathered.end()) it = gathered.begin();
            const int card = *it;
            gathered.erase(it);
            ranks.push_back(fnRank(card));
            fnPutCard(ctx, piles[k], card, faces[k][static_cast<std::size_t>(place)]);
        }
    }
}

// Mode 17 (Baker's Dozen, Good Measure): in every tableau pile each King moves under the
// other cards, the Kings keeping their order among themselves.
void KingsToBottom(GameContext& ctx) {
    for (std::string& pile : ctx.table.FilaGroup) {
        std::string kings, others;
        for (int place = 0; place < PileCardCount(pile); ++place) {
            const std::string code = pile.substr(static_cast<std::size_t>(place) * 3, 3);
            (fnRank(ParseDigits(code)) == 13 ? kings : others) += code;
        }
        pile = kings + others;
    }
}

// Mode 18 (Challenge FreeCell): the Aces and Twos are dealt first, so that they lie at the
// bottom of the piles. The cards keep the places the deal gave them, taken in the order they
// were dealt (across the piles, row by row), with the Aces and Twos moved to the front.
void AcesAndTwosFirst(GameContext& ctx) {
    auto& piles = ctx.table.FilaGroup;
    const int longest = LongestPile(ctx);
    std::vector<std::pair<std::size_t, int>> places; // pile, place in the order dealt
    for (int place = 0; place < longest; ++place)
        for (std::size_t pile = 0; pile < piles.size(); ++pile)
            if (place < PileCardCount(piles[pile])) places.emplace_back(pile, place);
    std::vector<std::string> codes;
    for (const auto& [pile, place] : places)
        codes.push_back(piles[pile].substr(static_cast<std::size_t>(place) * 3, 3));
    std::stable_partition(codes.begin(), codes.end(),
                          [](const std::string& code) { return fnRank(ParseDigits(code)) <= 2; });
    for (std::size_t k = 0; k < places.size(); ++k)
        piles[places[k].first].replace(static_cast<std::size_t>(places[k].second) * 3, 3, codes[k]);
}

// Mode 19 (Blue Moon): each Ace, in the order the rows meet them, moves to the head of the
// next row, row 1 first, and leaves a gap where it lay.
void AcesLeadRows(GameContext& ctx) {
    std::vector<std::string> aces;
    const auto rows = static_cast<std::size_t>(TableauCount(ctx));
    for (std::size_t r = 0; r < rows; ++r) {
        std::string& row = ctx.table.FilaGroup[r];
        for (int place = 0; place < PileCardCount(row); ++place)
            if (fnRank(PileCardAt(row, place)) == 1) {
                aces.push_back(row.substr(static_cast<std::size_t>(place) * 3, 3));
                row.replace(static_cast<std::size_t>(place) * 3, 3, "000");
            }
    }
    for (std::size_t k = 0; k < aces.size() && k < rows; ++k)
        ctx.table.FilaGroup[k].insert(0, aces[k]);
}

// Mode 20 (Red Moon): the Aces, in the order dealt, start the rows with a gap behind each;
// the other cards follow in the order dealt, each row keeping as many as it was dealt, less
// one.
void AcesLeadRowsBeforeAGap(GameContext& ctx) {
    const auto rows = static_cast<std::size_t>(TableauCount(ctx));
    std::vector<std::string> aces, others;
    std::vector<int> lengths;
    for (std::size_t r = 0; r < rows; ++r) {
        const std::string& row = ctx.table.FilaGroup[r];
        lengths.push_back(PileCardCount(row));
        for (int place = 0; place < PileCardCount(row); ++place)
            (fnRank(PileCardAt(row, place)) == 1 ? aces : others)
                .push_back(row.substr(static_cast<std::size_t>(place) * 3, 3));
    }
    std::size_t next = 0;
    for (std::size_t r = 0; r < rows; ++r) {
        std::string& row = ctx.table.FilaGroup[r];
        row.clear();
        int room = lengths[r];
        if (r < aces.size()) {
            row = aces[r] + "000";
            --room;
        }
        for (; room > 0 && next < others.size(); --room)
            row += others[next++];
    }
    for (; next < others.size(); ++next)
        ctx.table.FilaGroup[rows - 1] += others[next];
}

void ReplaceWhere(GameContext& ctx, int rank) {
    for (std::string& pile : ctx.table.FilaGroup)
        for (int place = 0; place < PileCardCount(pile); ++place)
            if (fnRank(PileCardAt(pile, place)) == rank)
                pile.replace(static_cast<std::size_t>(place) * 3, 3, "000");
}

void Distribute(GameContext& ctx, dealing::Deck& deck) {
    namespace dm = deal_mode;
    switch (ctx.Param(param::kDealMode)) {
    case dm::kKingsToStock:
        KingsToStock(ctx);
        break;
    case dm::kKingsStartPiles:
        LeadersStartPiles(ctx, deck, 13);
        break;
    case dm::kQueensStartPiles:
        LeadersStartPiles(ctx, deck, 12);
        break;
    case dm::kNoRepeatedRanks:
        SpreadRanks(ctx);
        break;
    case dm::kByRankLessOne:
    case dm::kByRank: {
        const int shift = ctx.Param(param::kDealMode) == dm::kByRankLessOne ? 1 : 0;
        while (!deck.Empty()) {
            const int card = deck.TakeFirst();
            const int number = fnRank(card) - shift;
            if (number >= 1 && number <= kFilaPiles)
                dealing::PutFaceUp(ctx, Fila(number - 1), card);
        }
        break;
    }
    case dm::kBottomsToFoundations:
        for (int i = 0; i < kFilaPiles && i < FoundationCount(ctx); ++i) {
            std::string& pile = ctx.table.Pile(Fila(i));
            if (pile.empty()) continue;
            const int card = PileCardAt(pile, 0);
            if (!fnCanDropOnFoundation(ctx, i, card)) continue;
            dealing::RemoveAt(pile, 0);
            dealing::PutFaceUp(ctx, Dest(i), card);
        }
        break;
    case dm::kAcesAsGaps:
        ReplaceWhere(ctx, 1);
        break;
    case dm::kFirstRanks: {
        const int piles = ctx.Param(367);
        const int card = piles > 13 ? piles + 13 : piles;
        // The card set aside for the gap waits on the discard pile, off the game.
        for (std::string& pile : ctx.table.FilaGroup)
            if (!pile.empty() && PileCardAt(pile, 0) == card) {
                pile.clear();
                dealing::PutFaceUp(ctx, Stock(kMazzoWaste), card);
            }
        break;
    }
    case dm::kEmptyOnePile: {
        const int last = ctx.Param(367) - 2;
        if (last < 0) break;
        std::random_device device;
        std::mt19937 engine(device());
        const int pile = std::uniform_int_distribution<int>(0, last)(engine);
        ctx.table.Pile(Fila(pile)).clear();
        break;
    }
    case dm::kFoundationsFromDeck:
        for (int i = 0; i < FoundationCount(ctx) && !deck.Empty(); ++i) {
            ctx.table.Pile(Dest(i)).clear();
            dealing::PutFaceUp(ctx, Dest(i), deck.TakeFirst());
        }
        break;
    case dm::kKingsAsGaps:
        ReplaceWhere(ctx, 13);
        // Only the game's own rows are made up to nine places.
        for (int i = 0; i < TableauCount(ctx); ++i)
            while (PileCardCount(ctx.table.FilaGroup[static_cast<std::size_t>(i)]) < 9)
                ctx.table.FilaGroup[static_cast<std::size_t>(i)] += "000";
        break;
    case dm::kKingsToBottom:
        KingsToBottom(ctx);
        break;
    case dm::kAcesAndTwosFirst:
        AcesAndTwosFirst(ctx);
        break;
    case dm::kAcesLeadRows:
        AcesLeadRows(ctx);
        break;
    case dm::kAcesLeadRowsBeforeAGap:
        AcesLeadRowsBeforeAGap(ctx);
        break;
    default:
        break;
    }
}

} // namespace

void FoundationSweep(GameContext& ctx, int code) {
    const int longest = LongestPile(ctx);
    const int piles = TableauCount(ctx);
    if (ctx.Param(24) != 0) {
        for (int pile = 0; pile < piles; ++pile)
            for (int place = 0; place <= longest; ++place)
                SweepPlace(ctx, code, pile, place, place);
    } else {
        for (int place = 0; place <= longest; ++place)
            for (int pile = 0; pile < piles; ++pile)
                SweepPlace(ctx, code, pile, place, pile);
    }
}

void dealing::DealSpecialStarts(GameContext& ctx, Deck& deck) {
    const int family = ctx.Param(param::kFamily);
    const int code = ctx.Param(99);
    if (family == family::kAcesFromFirstReserve) StartFromReserveAces(ctx);
    if (code >= foundation_code::kSweepAll && code <= foundation_code::kSweepKingsAces)
        FoundationSweep(ctx, code);
    if (code == foundation_code::kAcesFromTableau) AcesFromTableau(ctx);
    if (ctx.Param(31) == 1) RecordStep(ctx);
    if (family == family::kRoyalMarriage) StartRoyalPair(ctx);
    Distribute(ctx, deck);
}

} // namespace quendra
