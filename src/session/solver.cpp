#include "solver.h"

#include "autoplay.h"
#include "building.h"
#include "cards.h"
#include "families.h"
#include "families_gaps.h"
#include "game_params.h"
#include "legality.h"
#include "pick_up.h"
#include "pointer.h"
#include "silent_host.h"
#include "stock.h"

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <queue>
#include <vector>

namespace quendra {

namespace {

// The empty foundations take one suit each within a block of this many.
constexpr int kFoundationBlock = 4;
// The moves each order of the mixed search is given in its first round.
constexpr long long kFirstShare = 2000;
// The moves of a round's share a beam spends on each table it keeps at a move number: a beam
// keeps share / this many tables, so that it can cross a whole game within its share.
constexpr long long kBeamMovesPerTable = 500;

enum class Order { DepthFirst, BestFirst, Beam };

// The search plays silently and notes how the game ended.
class SearchHost : public SilentHost {
  public:
    void RecordGameResult(const GameResult& result) override { won = won || result.won; }

    bool won = false;
};

// What a move changes, kept to take it back: the cards of every pile one after another, with
// where each pile ends, every card's face, the play state, and the parameters, shared with the
// tables saved before for as long as no move changes them.
struct Position {
    std::string cards;
    std::array<std::uint32_t, kSnapshotLines> ends{};
    std::array<char, CardTable::kRecords> faces{};
    PlayState play;
    GameStateFlags flags;
    std::shared_ptr<const GameParams> params;
    bool won = false;
};

// The marks of the tables seen, in one array (open addressing): one look-up a move, and no
// allocation but when the array doubles.
class SeenTables {
  public:
    // True when `key` was not seen before; it is noted.
    bool Insert(std::uint64_t key) {
        if (key == kFree) {
            const bool fresh = !freeKeySeen_;
            freeKeySeen_ = true;
            return fresh;
        }
        if ((count_ + 1) * 2 > slots_.size()) Grow();
        std::uint64_t& slot = slots_[Probe(key)];
        if (slot == key) return false;
        slot = key;
        ++count_;
        return true;
    }

    bool Contains(std::uint64_t key) const {
        if (key == kFree) return freeKeySeen_;
        return !slots_.empty() && slots_[Probe(key)] == key;
    }

    void Clear() {
        std::fill(slots_.begin(), slots_.end(), kFree);
        count_ = 0;
        freeKeySeen_ = false;
    }

  private:
    static constexpr std::uint64_t kFree = 0;
    static constexpr std::size_t kFirstSlots = 1024;
    // Spreads the mark's bits over the slot number (Fibonacci hashing).
    static constexpr std::uint64_t kSpread = 0x9E3779B97F4A7C15ULL;

    std::size_t Slot(std::uint64_t key) const {
        return static_cast<std::size_t>((key * kSpread) >> shift_) & mask_;
    }

    // The slot that holds `key`, or the free slot where it would go.
    std::size_t Probe(std::uint64_t key) const {
        std::size_t at = Slot(key);
        while (slots_[at] != key && slots_[at] != kFree)
            at = (at + 1) & mask_;
        return at;
    }

    void Grow() {
        std::vector<std::uint64_t> old = std::move(slots_);
        const std::size_t size = old.empty() ? kFirstSlots : old.size() * 2;
        slots_.assign(size, kFree);
        mask_ = size - 1;
        shift_ = 64 - std::countr_zero(size);
        for (const std::uint64_t key : old) {
            if (key == kFree) continue;
            std::size_t at = Slot(key);
            while (slots_[at] != kFree)
                at = (at + 1) & mask_;
            slots_[at] = key;
        }
    }

    std::vector<std::uint64_t> slots_;
    std::size_t count_ = 0;
    std::size_t mask_ = 0;
    int shift_ = 64;
    bool freeKeySeen_ = false;
};

// Calls `f` with every pile of the table in the order of a snapshot's lines.
template <typename Table, typename F> void EachPile(Table& table, F&& f) {
    for (auto& pile : table.StockGroup)
        f(pile);
    for (auto& pile : table.DestGroup)
        f(pile);
    for (auto& pile : table.FilaGroup)
        f(pile);
    for (auto& pile : table.AppoggGroup)
        f(pile);
}

// A move, and the clicks on the stock that come before it (the waste then shows the card the
// move takes).
struct Candidate {
    FoundMove move;
    int priority = 0;
    int clicks = 0;
};

// The rank of a click on the stock among the moves.
constexpr int kStockClickPriority = 25;
// A turn of the stock longer than this many clicks is not followed further.
constexpr int kMostClicksInATurn = 400;

const FoundMove kStockClick{FoundMove::Kind::Stock, {}, 0, false, {}};

class Search {
  public:
    Search(const GameContext& source, const SolveOptions& options)
        : ctx_(host_), options_(options),
          deadline_(std::chrono::steady_clock::now() + options.timeLimit) {
        CopyGameState(ctx_, source);
        ctx_.play.autoplayTicked = options.autoplay;
        ctx_.play.autoplayEnabled = true;
        ctx_.play.assistMode = 0;
        // Sounds off: the search plays many moves.
        SetSetting(ctx_.settings, field::kSoundsEnabled, "N");
        // The search takes its moves back itself: undo keeps its step log but no table copies.
        ctx_.undoHistory.copiesTable = false;
        // The piles of a grid are places of the grid: no two of them play alike; nor do the
        // piles of a family that judges each drop by the pile's place (Accordion's row, the
        // rows of Royal Parade) or scores the table by the piles' places (the lines of the
        // poker and cribbage grids).
        const FamilyRules& rules = CurrentFamilyRules(ctx_);
        const bool grid = ctx_.Param(param::kGridColumns) > 0 ||
                          ctx_.Param(param::kGridRowLength) > 0 || rules.tableauDrop != nullptr ||
                          rules.score != nullptr;
        tableauInterchangeable_ =
            !grid && Interchangeable({param::kTableauEmptyRule, param::kTableauDirection,
                             param::kTableauMethod, param::kTableauPastStop, param::kTableauDealFlag},
                            TableauCount(ctx_));
        reservesInterchangeable_ =
            Interchangeable({param::kReserveKind + 1, param::kReserveDealFlag}, ReserveCount(ctx_));
        foundationsInterchangeable_ = FoundationsInterchangeable();
        // Where piles build both ways or hold a few cards only, a card moved from one parent to
        // another can open the way: those moves stay in the search. The orders that rank the
        // tables keep them too and let the measure of the table judge them.
        parentTradesPruned_ = ctx_.Param(param::kTableauMaxCards) == -1 && !options.bestFirst &&
                              options.beamWidth == 0;
        for (int i = 0; i < TableauCount(ctx_); ++i)
            if (ctx_.Param(param::kTableauDirection + i) == direction::kUpOrDown)
                parentTradesPruned_ = false;
        // The order in which cards go home, where every foundation builds one way from its
        // Ace or King by suit, colour or rank alone.
        const int order = ctx_.Param(param::kFoundationDirection);
        const int match = ctx_.Param(param::kFoundationMethod);
        if (ctx_.Param(param::kFamily) <= 0 &&
            Interchangeable({param::kFoundationDirection, param::kFoundationMethod},
                            FoundationCount(ctx_)) &&
            (order == direction::kUp || order == direction::kDown) &&
            (match == build_method::kInSuit || match == build_method::kInColour ||
             match == build_method::kAnySuit)) {
            homeOrder_ = order == direction::kUp ? 1 : -1;
            homeMatch_ = match;
        }
        stockTurnsApart_ = StockTurnsApart();
    }

    SolveResult Run() {
        SolveResult result;
        seen_.Insert(Key());
        if (Won())
            result.won = true;
        else if (options_.beamWidth > 0)
            result.won = Beam();
        else if (options_.bestFirst)
            result.won = BestFirst();
        else if (!options_.mixed)
            result.won = Dfs();
        else
            result.won = Mixed();
        result.exhausted = !result.won && !cut_;
        result.moves = path_;
        result.movesTried = tried_;
        return result;
    }

  private:
    // The mixed order: a beam, best first and depth first in turn, each from the deal with a
    // share of the budget that grows fourfold each round, until one wins or one has looked at
    // every table (no win). Each order wins deals the others lose themselves in; the beam,
    // which keeps share / kBeamMovesPerTable tables, wins most of them soonest.
    bool Mixed() {
        const Position start = Save();
        const int budget = options_.moveBudget;
        // Only depth first leaves out the moves that trade one parent for another; the orders
        // that rank the tables keep them, as when they search alone.
        const bool pruneTrades = parentTradesPruned_;
        bool won = false;
        bool settled = false;
        // Depth first and best first, once they end within their share, search the same tables
        // again in every later round: they are left out of those rounds.
        std::array<bool, 3> ended{}; // by order: ended within its share
        for (long long share = kFirstShare; !won && !settled; share *= 4) {
            // A round in which no order spent its share was stopped by the depth or the
            // pruning alone: a larger share would only search the same tables again.
            bool shareSpent = false;
            for (const Order order : {Order::Beam, Order::BestFirst, Order::DepthFirst}) {
                bool& endedWithin = ended[static_cast<std::size_t>(order)];
                if (endedWithin) continue;
                const long long left = static_cast<long long>(budget) - tried_;
                if (left <= 0 || (options_.stop && options_.stop->load())) {
                    settled = true;
                    break;
                }
                options_.moveBudget = static_cast<int>(tried_ + std::min(share, left));
                options_.beamWidth =
                    static_cast<int>(std::clamp(share / kBeamMovesPerTable, 1LL, 1'000'000LL));
                parentTradesPruned_ = pruneTrades && order == Order::DepthFirst;
                Restore(start);
                path_.clear();
                seen_.Clear();
                seen_.Insert(Key());
                cut_ = false;
                won = order == Order::DepthFirst ? Dfs()
                      : order == Order::BestFirst ? BestFirst()
                                                  : Beam();
                const bool spent = tried_ >= options_.moveBudget;
                shareSpent = shareSpent || spent;
                // (A larger share widens the beam: it searches other tables.)
                if (!spent && order != Order::Beam) endedWithin = true;
                if (won || !cut_ || timedOut_) {
                    settled = true;
                    break;
                }
            }
            settled = settled || !shareSpent || share >= budget;
        }
        options_.moveBudget = budget;
        options_.beamWidth = 0;
        parentTradesPruned_ = pruneTrades;
        return won;
    }

    Position Save() {
        Position p;
        SaveInto(p);
        return p;
    }

    // Saves the table into `p`, whose room is used again: nothing is allocated once it has
    // held a table as large.
    void SaveInto(Position& p) {
        p.cards.clear();
        std::size_t line = 0;
        EachPile(ctx_.table, [&](const std::string& pile) {
            p.cards += pile;
            p.ends[line++] = static_cast<std::uint32_t>(p.cards.size());
        });
        p.faces = ctx_.cardTable.Faces();
        p.play = ctx_.play;
        p.flags = ctx_.flags;
        if (!params_ || *params_ != ctx_.params)
            params_ = std::make_shared<const GameParams>(ctx_.params);
        p.params = params_;
        p.won = host_.won;
    }

    // Puts the table of `p` back, writing only the piles, faces and parameters that differ.
    void Restore(const Position& p) {
        std::size_t line = 0;
        std::size_t start = 0;
        EachPile(ctx_.table, [&](std::string& pile) {
            const std::size_t end = p.ends[line++];
            const std::string_view saved(p.cards.data() + start, end - start);
            if (pile != saved) pile.assign(saved);
            start = end;
        });
        if (ctx_.cardTable.Faces() != p.faces)
            for (int card = 1; card <= CardTable::kRecords; ++card)
                if (ctx_.cardTable.Face(card) != p.faces[static_cast<std::size_t>(card - 1)])
                    ctx_.cardTable.SetFace(card, p.faces[static_cast<std::size_t>(card - 1)]);
        ctx_.play = p.play;
        ctx_.flags = p.flags;
        if (ctx_.params != *p.params) ctx_.params = *p.params;
        host_.won = p.won;
        ctx_.undoHistory.Clear();
    }

    // A position of the pool kept for the search's spare room (taken back by Recycle).
    std::unique_ptr<Position> Saved() {
        std::unique_ptr<Position> p;
        if (spare_.empty()) {
            p = std::make_unique<Position>();
        } else {
            p = std::move(spare_.back());
            spare_.pop_back();
        }
        SaveInto(*p);
        return p;
    }
    void Recycle(std::unique_ptr<Position> p) {
        if (p) spare_.push_back(std::move(p));
    }

    // True when every pile of the group follows the same rules, so that two tables that differ
    // only in the order of those piles play the same.
    bool Interchangeable(std::initializer_list<int> perPileParams, int count) const {
        for (const int first : perPileParams)
            for (int i = 1; i < count; ++i)
                if (ctx_.Param(first + i) != ctx_.Param(first)) return false;
        return true;
    }

    // True when the foundations may be told apart only by their cards: the same rules on every
    // foundation, by a building method that never looks at the foundation's place. The
    // one-suit-each rules of the empty foundations look at blocks of four, so tables are
    // compared with the foundations of each block in any order.
    bool FoundationsInterchangeable() const {
        if (ctx_.Param(param::kFamily) > 0) return false;
        if (!Interchangeable({param::kFoundationBase, param::kFoundationDirection,
                              param::kFoundationMethod},
                             FoundationCount(ctx_)))
            return false;
        switch (ctx_.Param(param::kFoundationMethod)) {
        case build_method::kInSuit:
        case build_method::kInColour:
        case build_method::kAnySuit:
        case build_method::kAlternateColours:
        case build_method::kOtherSuit:
            return true;
        default:
            return false;
        }
    }

    // True when a click on the stock that changes only the stock and the waste leaves every other
    // move as it was: no rule of a pile, of filling a space or of the game looks at the stock or
    // the waste. Then the tables the stock's turns lead to need not be searched as tables of
    // their own: at each turn only the waste's card, and the moves found to reach the stock or
    // the foundations, play differently.
    bool StockTurnsApart() const {
        if (IsSelectionGame(ctx_) || IsGapRowsGame(ctx_)) return false;
        if (ctx_.Param(param::kFamily) > 0 || ctx_.Param(param::kStockFirst) != 0 ||
            ctx_.Param(param::kScoreToWin) != 0)
            return false;
        if (WasteTakesDrops(ctx_)) return false;
        const int fill = ctx_.Param(param::kAutoFillRule);
        if (fill != autofill::kNone && fill != autofill::kNoFilling) return false;
        const auto plainMethod = [](int method) {
            return method == build_method::kInSuit || method == build_method::kInColour ||
                   method == build_method::kAnySuit || method == build_method::kAlternateColours;
        };
        const auto plainStart = [](int rule) {
            switch (rule) {
            case empty_rule::kNone:
            case empty_rule::kAny:
            case empty_rule::kNoneEither:
            case empty_rule::kNoneToo:
            case empty_rule::kSingleCard:
            case empty_rule::kNotFromStockOrWaste:
            case empty_rule::kNotFromTableau:
            case empty_rule::kBelowFirstBase:
                return true;
            default:
                return rule >= 1 && rule <= 13; // a card of that rank
            }
        };
        for (int i = 0; i < TableauCount(ctx_); ++i)
            if (!plainMethod(ctx_.Param(param::kTableauMethod + i)) ||
                !plainStart(ctx_.Param(param::kTableauEmptyRule + i)))
                return false;
        for (int i = 0; i < FoundationCount(ctx_); ++i)
            if (!plainMethod(ctx_.Param(param::kFoundationMethod + i)) ||
                !plainStart(ctx_.Param(param::kFoundationBase + i)))
                return false;
        return true;
    }

    // True when the saved lines `first` to `first + count` of `p` hold what the table holds.
    bool SameLines(const Position& p, std::size_t first, std::size_t count) const {
        std::size_t line = 0;
        std::size_t start = 0;
        bool same = true;
        EachPile(ctx_.table, [&](const std::string& pile) {
            const std::size_t end = p.ends[line];
            if (line >= first && line < first + count && same)
                same = pile == std::string_view(p.cards.data() + start, end - start);
            start = end;
            ++line;
        });
        return same;
    }

    // The move just played from `here` changed the stock or the waste, or, with automatic play,
    // the foundations (so that the waste's card might follow): it may play otherwise at another
    // turn of the stock.
    bool ReachedTheStock(const Position& here) const {
        if (!SameLines(here, 0, kStockPiles)) return true;
        return options_.autoplay && !SameLines(here, kStockPiles, kDestPiles);
    }

    // The click just played from `here` changed the stock and the waste only: every other pile
    // and its cards' faces are as they were, and the game goes on.
    bool OnlyTheStockTurned(const Position& here) const {
        if (!ctx_.flags[GameStateFlags::kInPlay] || host_.won) return false;
        if (!SameLines(here, kStockPiles, kSnapshotLines - kStockPiles)) return false;
        bool facesKept = true;
        std::size_t line = 0;
        EachPile(ctx_.table, [&](const std::string& pile) {
            if (line++ < kStockPiles || !facesKept) return;
            for (int i = 0; i < PileCardCount(pile); ++i) {
                const int card = PileCardAt(pile, i);
                if (card >= 1 && card <= CardTable::kRecords &&
                    ctx_.cardTable.Face(card) != here.faces[static_cast<std::size_t>(card - 1)])
                    facesKept = false;
            }
        });
        return facesKept;
    }

    // Plays every move of the table saved in `here`, calling `child` on each table a move
    // changed, and puts the table back after each; `child` answers true to stop (a win).
    // Where the stock's turns stand apart, a click that only turns the stock is no move of its
    // own: once the table's own moves are played, the stock is turned click by click (in
    // `turned`), and at each turn the waste's card is played and the moves that reached the
    // stock or the foundations are played again.
    // Answers nothing when the budget or the time ran out, else whether `child` stopped it.
    template <typename F>
    std::optional<bool> Expand(const Position& here, Position& turned, F&& child) {
        const std::vector<Candidate> candidates = Candidates();
        std::vector<Candidate> again;
        const auto play = [&](const Candidate& c) -> std::optional<bool> {
            const std::optional<bool> changed = Try(c.move);
            if (!changed) return std::nullopt;
            if (*changed) {
                // (The waste's own card is found again at each turn.)
                if (stockTurnsApart_ && c.move.from.group != PileGroupId::Stock &&
                    ReachedTheStock(here))
                    again.push_back(c);
                if (child(c)) return true;
            }
            Restore(here);
            return false;
        };
        // The table's own moves first, then the stock's turns.
        for (const Candidate& c : candidates)
            if (const std::optional<bool> r = play(c); !r || *r) return r;
        if (!stockTurnsApart_) return false;
        const std::optional<bool> r = TurnStock(here, turned, again, child);
        Restore(here);
        return r;
    }

    // Turns the stock from `here` one click at a time while the clicks turn only the stock,
    // and at each turn plays the waste's card wherever it goes and the `again` moves. Every
    // table the turns show is noted as seen, and the turning stops at one seen before: the
    // search that showed it plays on from there. A click that changes more than the stock (the
    // waste's card sent home, the tableau dealt to) is a move of its own.
    template <typename F>
    std::optional<bool> TurnStock(const Position& here, Position& turned,
                                  const std::vector<Candidate>& again, F&& child) {
        Restore(here);
        if (!StockClickMayPlay()) return false;
        for (int clicks = 1; clicks <= kMostClicksInATurn; ++clicks) {
            const std::optional<bool> changed = Try(kStockClick);
            if (!changed) return std::nullopt;
            if (!*changed) return false;
            if (!OnlyTheStockTurned(here))
                return child(Candidate{kStockClick, kStockClickPriority, clicks - 1});
            if (!seen_.Insert(Key())) return false;
            SaveInto(turned);
            std::vector<Candidate> moves;
            AddWasteDrops(moves);
            moves.insert(moves.end(), again.begin(), again.end());
            for (Candidate& c : moves) {
                c.clicks = clicks;
                const std::optional<bool> played = Try(c.move);
                if (!played) return std::nullopt;
                if (*played && child(c)) return true;
                Restore(turned);
            }
        }
        cut_ = true; // a turn too long to follow
        return false;
    }

    // Plays a candidate's clicks on the stock and its move, as the search found them.
    void Play(const Candidate& c) {
        for (int i = 0; i < c.clicks; ++i) {
            ctx_.undoHistory.Clear();
            PlayFoundMove(ctx_, kStockClick);
        }
        ctx_.undoHistory.Clear();
        PlayFoundMove(ctx_, c.move);
    }

    // Adds a candidate's clicks and its move to `moves`.
    static void Append(std::vector<FoundMove>& moves, const Candidate& c) {
        moves.insert(moves.end(), static_cast<std::size_t>(c.clicks), kStockClick);
        moves.push_back(c.move);
    }

    // A 64-bit mark of the table: each pile's cards and faces hashed in place, with no text
    // built, the piles that play alike taken in any order.
    std::size_t Key() const {
        constexpr std::uint64_t kPrime = 1099511628211ULL;
        constexpr std::uint64_t kPileBasis = 1469598103934665603ULL;
        // The discard pile gives no card back: its size and its top card (which the discard
        // games play on) are all that tell two tables apart.
        constexpr std::size_t kDiscardLine = kMazzoWaste;
        const std::array<char, CardTable::kRecords>& faces = ctx_.cardTable.Faces();
        std::array<std::uint64_t, kSnapshotLines> lines{};
        std::size_t line = 0;
        EachPile(ctx_.table, [&](const std::string& pile) {
            std::uint64_t hash = kPileBasis;
            const int count = PileCardCount(pile);
            const bool discard = line == kDiscardLine;
            for (int i = discard ? std::max(0, count - 1) : 0; i < count; ++i) {
                const int card = PileCardAt(pile, i);
                const bool up = card >= 1 && card <= CardTable::kRecords &&
                                faces[static_cast<std::size_t>(card - 1)] == '1';
                hash = (hash ^ static_cast<std::uint64_t>(card * 2 + (up ? 1 : 0) + 1)) * kPrime;
            }
            if (discard) hash = (hash ^ static_cast<std::uint64_t>(count)) * kPrime;
            lines[line++] = hash;
        });
        const auto sortRange = [&](std::size_t first, int count) {
            std::sort(lines.begin() + static_cast<std::ptrdiff_t>(first),
                      lines.begin() + static_cast<std::ptrdiff_t>(first) + count);
        };
        if (foundationsInterchangeable_)
            for (int first = 0; first < FoundationCount(ctx_); first += kFoundationBlock)
                sortRange(kStockPiles + static_cast<std::size_t>(first),
                          std::min(kFoundationBlock, FoundationCount(ctx_) - first));
        if (tableauInterchangeable_) sortRange(kStockPiles + kDestPiles, TableauCount(ctx_));
        if (reservesInterchangeable_)
            sortRange(kStockPiles + kDestPiles + kFilaPiles, ReserveCount(ctx_));
        std::uint64_t key = 14695981039346656037ULL;
        for (const std::uint64_t line : lines)
            key = (key ^ line) * kPrime + (key >> 29);
        // With unlimited passes the pass number tells positions apart that play the same.
        if (ctx_.Param(param::kPasses) != -1)
            key = (key ^ static_cast<std::uint64_t>(ctx_.play.passNumber)) * kPrime;
        key = (key ^ (static_cast<std::uint64_t>(ctx_.play.dealCount) << 32)) * kPrime;
        return static_cast<std::size_t>(key);
    }

    bool Won() {
        return host_.won || WinsIfEnded(ctx_);
    }

    bool FaceDownBelow(PileRef pile, int position) const {
        if (position == 0) return false;
        const int below = PileCardAt(ctx_.table.Pile(pile), position - 1);
        return below > 0 && ctx_.cardTable.Face(below) == '0';
    }

    // The card at `position` of tableau pile `pile` lies face up on a card it could be built on
    // by the pile's own rule: moving it to another pile's card only trades one parent for
    // another.
    bool SitsOnItsParent(PileRef pile, int position) const {
        if (pile.group != PileGroupId::Fila || position == 0) return false;
        const std::string& cards = ctx_.table.Pile(pile);
        const int below = PileCardAt(cards, position - 1);
        const int card = PileCardAt(cards, position);
        if (below < 1 || ctx_.cardTable.Face(below) == '0') return false;
        return fnBuiltOnInTableau(ctx_, pile.index, below, card);
    }

    // Every drop the rules allow for the card at `position` of `pile`, as the engine's drop
    // test answers for the lifted card. Left out are only moves that lead to a table the
    // search counts as seen already (a whole pile onto an empty pile, a card into a second
    // empty reserve, when those piles play alike) and, noted as a cut, a built card moved
    // onto another parent.
    void AddDrops(std::vector<Candidate>& out, PileRef pile, int position) {
        const PickUp pick = CanPickUp(ctx_, pile, position);
        // In the discard games a click sends the card to the discard pile.
        if (pick.discard) {
            out.push_back({FoundMove{FoundMove::Kind::Click, pile, position, false, {}}, 100});
            return;
        }
        // A pile that lifts only its top card lifts it from any position: one move of it.
        if (!pick.allowed || pick.card != PileCardAt(ctx_.table.Pile(pile), position)) return;
        fnHoldCard(ctx_, pile, pick.card, pick.groupSize);
        const int count = PileCardCount(ctx_.table.Pile(pile));
        const bool top = position == count - 1;
        const bool uncovers = FaceDownBelow(pile, position);
        const bool empties = position == 0;
        const auto add = [&](PileRef target, int priority) {
            out.push_back(
                {FoundMove{FoundMove::Kind::Pile, pile, position, !top, target}, priority});
        };
        const bool fromFoundation = pile.group == PileGroupId::Dest;
        const bool onParent = SitsOnItsParent(pile, position);
        for (int i = 0; i < FoundationCount(ctx_); ++i) {
            const PileRef target{PileGroupId::Dest, i};
            if (CanDropHeldCard(ctx_, target)) add(target, fromFoundation ? 5 : 100);
        }
        for (int i = 0; i < TableauCount(ctx_); ++i) {
            const PileRef target{PileGroupId::Fila, i};
            if (!CanDropHeldCard(ctx_, target)) continue;
            const bool toEmpty = ctx_.table.Pile(target).empty();
            if (toEmpty && empties && pile.group == PileGroupId::Fila && tableauInterchangeable_)
                continue;
            // A built card moved onto another parent only trades one parent for another: the
            // search leaves such moves out, and so can no longer say the deal has no win.
            if (onParent && !toEmpty && parentTradesPruned_) {
                cut_ = true;
                continue;
            }
            int priority = 40;
            if (uncovers)
                priority = 80;
            else if (empties && pile.group == PileGroupId::Fila)
                priority = 70;
            else if (pile.group == PileGroupId::Appogg)
                priority = 65;
            else if (pile.group == PileGroupId::Stock)
                priority = 60;
            if (toEmpty) priority = std::min(priority, 10);
            if (fromFoundation) priority = 5;
            add(target, priority);
        }
        bool emptyReserveTried = false;
        for (int i = 0; i < ReserveCount(ctx_); ++i) {
            const PileRef target{PileGroupId::Appogg, i};
            const bool toEmpty = ctx_.table.Pile(target).empty();
            if (toEmpty && reservesInterchangeable_ &&
                (emptyReserveTried || pile.group == PileGroupId::Appogg))
                continue;
            if (!CanDropHeldCard(ctx_, target)) continue;
            emptyReserveTried = emptyReserveTried || toEmpty;
            add(target, pile.group == PileGroupId::Appogg ? 15 : uncovers ? 35 : 30);
        }
        const PileRef waste{PileGroupId::Stock, kMazzoVis};
        if (CanDropHeldCard(ctx_, waste)) add(waste, 20);
        fnClearDrag(ctx_);
    }

    // A click on the stock deals or turns the waste over; in the games that gather and deal the
    // tableau again, a click on the empty stock redeals.
    bool StockClickMayPlay() const {
        return !ctx_.table.StockGroup[kMazzo].empty() ||
               !ctx_.table.StockGroup[kMazzoVis].empty() ||
               (ctx_.Param(param::kRedealFromWaste) > 0 && RedealLeft(ctx_));
    }

    // The drops of the waste's top card, where the waste's cards may be moved.
    void AddWasteDrops(std::vector<Candidate>& out) {
        const PileRef waste{PileGroupId::Stock, kMazzoVis};
        const int wasteCount = PileCardCount(ctx_.table.Pile(waste));
        if (wasteCount > 0 && ctx_.Param(param::kWasteCardsMovable) == 0)
            AddDrops(out, waste, wasteCount - 1);
    }

    // The selection games: a click on each card a click selects. While a selection waits
    // only the clicks that add to it are tried: taking a card back, or a deal first, leads to
    // tables the search reaches the other way round.
    std::vector<Candidate> SelectionCandidates() {
        std::vector<Candidate> out;
        const std::string& selected = ctx_.table.Pile({PileGroupId::Dest, 0});
        const bool waiting = !selected.empty();
        const auto consider = [&](PileRef pile) {
            const std::string& cards = ctx_.table.Pile(pile);
            const int count = PileCardCount(cards);
            if (count == 0 || !fnClickSelects(ctx_, pile)) return;
            // The top card, and the cards below it that may be lifted (Giza's piles).
            for (int k = count - 1; k >= 0; --k) {
                const int card = PileCardAt(cards, k);
                const bool top = k == count - 1;
                if (!top && !CanPickUp(ctx_, pile, k).allowed) continue;
                bool isSelected = false;
                for (int i = 0; i < PileCardCount(selected); ++i)
                    isSelected = isSelected || PileCardAt(selected, i) == card;
                if (!isSelected)
                    out.push_back(
                        {FoundMove{FoundMove::Kind::Click, pile, top ? 0 : k, !top, {}}, 100});
            }
        };
        for (const int slot : {kMazzo, kMazzoVis})
            consider({PileGroupId::Stock, slot});
        for (int i = 0; i < ReserveCount(ctx_); ++i)
            consider({PileGroupId::Appogg, i});
        for (int i = 0; i < TableauCount(ctx_); ++i)
            consider({PileGroupId::Fila, i});
        if (!waiting && StockClickMayPlay())
            out.push_back({FoundMove{FoundMove::Kind::Stock, {}, 0, false, {}}, 25});
        return out;
    }

    // The gap-row games: every card that goes into a gap, those out of order first, and the
    // click on the empty stock that redeals.
    std::vector<Candidate> GapCandidates() {
        std::vector<Candidate> out;
        for (const GapFill& fill : GapFills(ctx_))
            out.push_back({FoundMove{FoundMove::Kind::Pile, fill.from, fill.position, false,
                                     fill.row, fill.place},
                           FillLeavesAPlaceInOrder(ctx_, fill) ? 30 : 90});
        if (ctx_.Param(param::kRedealFromWaste) > 0 && RedealLeft(ctx_))
            out.push_back({FoundMove{FoundMove::Kind::Stock, {}, 0, false, {}}, 10});
        std::stable_sort(out.begin(), out.end(), [](const Candidate& a, const Candidate& b) {
            return a.priority > b.priority;
        });
        return out;
    }

    std::vector<Candidate> Candidates() {
        if (IsSelectionGame(ctx_)) return SelectionCandidates();
        if (IsGapRowsGame(ctx_)) return GapCandidates();
        std::vector<Candidate> out;
        const auto sweep = [&](PileGroupId group, int piles) {
            for (int i = 0; i < piles; ++i) {
                const PileRef pile{group, i};
                const int count = PileCardCount(ctx_.table.Pile(pile));
                if (count == 0) continue;
                const int top = PileTopCard(ctx_.table.Pile(pile));
                if ((group == PileGroupId::Fila || group == PileGroupId::Appogg) &&
                    top >= 1 && ctx_.cardTable.Face(top) == '0') {
                    out.push_back({FoundMove{FoundMove::Kind::Click, pile, 0, false, {}}, 120});
                    continue;
                }
                for (int k = count - 1; k >= 0; --k)
                    AddDrops(out, pile, k);
            }
        };
        AddWasteDrops(out);
        sweep(PileGroupId::Appogg, ReserveCount(ctx_));
        sweep(PileGroupId::Fila, TableauCount(ctx_));
        sweep(PileGroupId::Dest, FoundationCount(ctx_));
        if (!stockTurnsApart_ && StockClickMayPlay())
            out.push_back({kStockClick, kStockClickPriority});
        std::stable_sort(out.begin(), out.end(), [](const Candidate& a, const Candidate& b) {
            return a.priority > b.priority;
        });
        return out;
    }

    bool Dfs() {
        if (static_cast<int>(path_.size()) >= options_.maxDepth) {
            cut_ = true;
            return false;
        }
        // Two saved tables for each depth (the table, and the stock turned), kept off the
        // stack and used again by the next table taken to that depth.
        const std::size_t depth = dfsDepth_;
        while (dfsTables_.size() <= 2 * depth + 1)
            dfsTables_.push_back(std::make_unique<Position>());
        Position* const here = dfsTables_[2 * depth].get();
        SaveInto(*here);
        ++dfsDepth_;
        const std::optional<bool> won = Expand(*here, *dfsTables_[2 * depth + 1], [&](const Candidate& c) {
            const std::size_t mark = path_.size();
            Append(path_, c);
            if (Won()) return true;
            if (ctx_.flags[GameStateFlags::kInPlay] && seen_.Insert(Key()) && Dfs()) return true;
            path_.resize(mark);
            return false;
        });
        --dfsDepth_;
        return won.value_or(false);
    }

    // True when a card of the same suit (colour, or any card, as the foundations build) lies
    // below `card` and must go home before it: `card` blocks its way. Notes `card` in `below`.
    bool WaitsOnACardBelow(int card, std::array<int, 4>& below) const {
        const int suit = fnSuit(card);
        const int rank = fnRank(card);
        if (suit < 0 || suit > 3) return false;
        bool waits = false;
        for (int other = 0; other < 4; ++other) {
            const bool matches = homeMatch_ == build_method::kAnySuit ||
                                 (homeMatch_ == build_method::kInSuit && other == suit) ||
                                 (homeMatch_ == build_method::kInColour && other / 2 == suit / 2);
            if (matches && (homeOrder_ > 0 ? below[other] < rank : below[other] > rank))
                waits = true;
        }
        below[suit] = homeOrder_ > 0 ? std::min(below[suit], rank) : std::max(below[suit], rank);
        return waits;
    }

    // Plays one candidate within the budget: nothing once the budget is spent (noted as a
    // cut), else whether the move changed the table.
    std::optional<bool> Try(const FoundMove& move) {
        if (tried_ >= options_.moveBudget) {
            cut_ = true;
            return std::nullopt;
        }
        if (OutOfTime()) {
            cut_ = timedOut_ = true;
            return std::nullopt;
        }
        ++tried_;
        ctx_.undoHistory.Clear();
        return PlayFoundMove(ctx_, move);
    }

    // The time allowed is over or the caller wants no answer any more; the clock is read
    // every 64 moves.
    bool OutOfTime() const {
        if (options_.stop && options_.stop->load(std::memory_order_relaxed)) return true;
        return options_.timeLimit.count() > 0 && tried_ % 64 == 0 &&
               std::chrono::steady_clock::now() >= deadline_;
    }

    // How promising a table looks: cards home count most, then face-down cards to turn, cards
    // built on their parents and cards covering others they were not built on or that must go
    // home before them, empty tableau piles and free reserves; a longer way there counts
    // against it.
    int Score(int depth) const {
        int score = -depth;
        for (int i = 0; i < FoundationCount(ctx_); ++i)
            score += 100 * PileCardCount(ctx_.table.Pile({PileGroupId::Dest, i}));
        for (int i = 0; i < TableauCount(ctx_); ++i) {
            const PileRef pile{PileGroupId::Fila, i};
            const int count = PileCardCount(ctx_.table.Pile(pile));
            if (count == 0) score += 15;
            // The lowest rank (going up; the highest going down) of each suit seen below.
            std::array<int, 4> below{};
            below.fill(homeOrder_ > 0 ? 99 : -1);
            for (int k = 0; k < count; ++k) {
                const int card = PileCardAt(ctx_.table.Pile(pile), k);
                if (card < 1) continue; // a gap of a row
                if (ctx_.cardTable.Face(card) == '0')
                    score -= 20;
                else if (SitsOnItsParent(pile, k))
                    score += 8;
                else if (k > 0)
                    score -= 10; // it covers a card it was not built on
                if (homeOrder_ != 0 && WaitsOnACardBelow(card, below)) score -= 12;
            }
        }
        for (int i = 0; i < ReserveCount(ctx_); ++i)
            score -= 6 * PileCardCount(ctx_.table.Pile({PileGroupId::Appogg, i}));
        return score;
    }

    // Best first: the most promising table seen so far is taken further, every table once.
    bool BestFirst() {
        struct Node {
            std::unique_ptr<Position> position; // dropped once the node is taken further
            int parent = -1;
            Candidate step;
            int depth = 0; // moves from the deal
        };
        std::vector<Node> nodes;
        nodes.push_back({Saved(), -1, {}, 0});
        using Entry = std::pair<int, int>; // score, node
        std::priority_queue<Entry> open;
        open.push({Score(0), 0});
        const auto pathTo = [&](int node) {
            std::vector<int> chain;
            for (; nodes[node].parent >= 0; node = nodes[node].parent)
                chain.push_back(node);
            std::vector<FoundMove> moves;
            for (auto at = chain.rbegin(); at != chain.rend(); ++at)
                Append(moves, nodes[static_cast<std::size_t>(*at)].step);
            return moves;
        };
        Position turned;
        while (!open.empty()) {
            const int at = open.top().second;
            open.pop();
            if (nodes[at].depth >= options_.maxDepth) {
                cut_ = true;
                continue;
            }
            std::unique_ptr<Position> here = std::move(nodes[at].position);
            Restore(*here);
            const std::optional<bool> won = Expand(*here, turned, [&](const Candidate& c) {
                if (Won()) {
                    path_ = pathTo(at);
                    Append(path_, c);
                    return true;
                }
                if (ctx_.flags[GameStateFlags::kInPlay] && seen_.Insert(Key())) {
                    const int depth = nodes[at].depth + c.clicks + 1;
                    nodes.push_back({Saved(), at, c, depth});
                    open.push({Score(depth), static_cast<int>(nodes.size()) - 1});
                }
                return false;
            });
            if (!won || *won) return won.value_or(false);
            Recycle(std::move(here));
        }
        return false;
    }

    // Beam: every table of a layer is taken one move further, and the most promising
    // `beamWidth` of the new tables make the next layer. Long games are crossed without going
    // back to their first moves, at the price of tables left behind. Only the tables kept count
    // as seen: one left behind may be kept when another way leads to it later. A click that
    // only turns the stock is a move of its own here: a layer of tables that differ only in
    // the stock's turn keeps the beam going where the moves of the tableau are all seen.
    bool Beam() {
        const bool turnsApart = stockTurnsApart_;
        stockTurnsApart_ = false;
        const bool won = BeamLayers();
        stockTurnsApart_ = turnsApart;
        return won;
    }

    bool BeamLayers() {
        struct Step {
            int parent = -1; // the table of the layer before
            Candidate move;
        };
        struct Child {
            int score = 0;
            Step step;
            std::uint64_t key = 0;
        };
        std::vector<std::vector<Step>> steps{{Step{}}};
        std::vector<Position> layer{Save()};
        const auto pathTo = [&](int at) {
            std::vector<FoundMove> moves;
            std::vector<const Candidate*> chain;
            for (std::size_t l = steps.size() - 1; l > 0; --l) {
                chain.push_back(&steps[l][static_cast<std::size_t>(at)].move);
                at = steps[l][static_cast<std::size_t>(at)].parent;
            }
            for (auto c = chain.rbegin(); c != chain.rend(); ++c)
                Append(moves, **c);
            return moves;
        };
        Position turned;
        SeenTables found; // the new tables of a layer, each once
        while (!layer.empty()) {
            if (static_cast<int>(steps.size()) > options_.maxDepth) {
                cut_ = true;
                return false;
            }
            std::vector<Child> children;
            found.Clear();
            for (std::size_t i = 0; i < layer.size(); ++i) {
                Restore(layer[i]);
                const std::optional<bool> won = Expand(layer[i], turned, [&](const Candidate& c) {
                    if (Won()) {
                        path_ = pathTo(static_cast<int>(i));
                        Append(path_, c);
                        return true;
                    }
                    if (!ctx_.flags[GameStateFlags::kInPlay]) return false;
                    const std::uint64_t key = Key();
                    if (!seen_.Contains(key) && found.Insert(key))
                        children.push_back({Score(0), {static_cast<int>(i), c}, key});
                    return false;
                });
                if (!won || *won) return won.value_or(false);
            }
            const auto width = static_cast<std::size_t>(options_.beamWidth);
            std::stable_sort(children.begin(), children.end(),
                             [](const Child& a, const Child& b) { return a.score > b.score; });
            if (children.size() > width) {
                cut_ = true;
                children.resize(width);
            }
            // The kept tables are made again from their parents: only the best are stored.
            std::vector<Position> next;
            std::vector<Step>& kept = steps.emplace_back();
            for (const Child& child : children) {
                seen_.Insert(child.key);
                Restore(layer[static_cast<std::size_t>(child.step.parent)]);
                Play(child.step.move);
                next.push_back(Save());
                kept.push_back(child.step);
            }
            layer = std::move(next);
        }
        return false;
    }

    SearchHost host_;
    GameContext ctx_;
    SolveOptions options_;
    SeenTables seen_;
    std::vector<std::unique_ptr<Position>> dfsTables_; // the tables saved at each depth
    std::size_t dfsDepth_ = 0;                          // the depth first search's depth
    std::vector<std::unique_ptr<Position>> spare_;     // saved tables no longer needed
    std::shared_ptr<const GameParams> params_;          // the parameters saved last
    std::vector<FoundMove> path_;
    int tried_ = 0;
    bool cut_ = false; // the budget or the depth stopped part of the search
    bool timedOut_ = false; // the time allowed is over, or the caller wants no answer
    bool tableauInterchangeable_ = false;
    bool reservesInterchangeable_ = false;
    bool parentTradesPruned_ = true;
    int homeOrder_ = 0; // 1 up, -1 down, 0 when the foundations build otherwise
    int homeMatch_ = build_method::kAnySuit;
    bool foundationsInterchangeable_ = false;
    bool stockTurnsApart_ = false; // see StockTurnsApart
    std::chrono::steady_clock::time_point deadline_;
};

} // namespace

SolveResult SolveDeal(const GameContext& ctx, const SolveOptions& options) {
    Search search(ctx, options);
    return search.Run();
}

} // namespace quendra
