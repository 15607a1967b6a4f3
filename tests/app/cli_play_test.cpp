#include "cli_test_support.h"

#include <algorithm>
#include <set>

namespace quendra::test {
namespace {

using CliPlayTest = CliRunner;

int Rank(int card) {
    return (card - 1) % 52 % 13 + 1;
}
int Suit(int card) {
    return (card - 1) % 52 / 13;
}
bool Red(int card) {
    return Suit(card) < 2;
}

// The top cards of the face-up tableau piles, by pile name.
std::map<std::string, int> FaceUpTops(const std::map<std::string, std::string>& piles) {
    std::map<std::string, int> tops;
    for (const auto& [name, line] : piles)
        if (name.starts_with("Fila") && !line.empty() && LineFaceUp(line, LineCards(line) - 1))
            tops[name] = TopOf(line);
    return tops;
}

TEST_F(CliPlayTest, ShowJsonHoldsTheDealtKlondikeTable) {
    ASSERT_EQ(Run({"show", "--game", "0", "--deal", "7", "--json"}), kExitOk) << err.str();
    const std::string json = out.str();
    EXPECT_EQ(JsonField(json, "game"), "0");
    EXPECT_EQ(JsonField(json, "deal"), "\"0000000000007\"");
    EXPECT_EQ(JsonField(json, "won"), "false");
    EXPECT_EQ(JsonField(json, "in_play"), "true");
    EXPECT_EQ(JsonField(json, "pass"), "1");
    EXPECT_EQ(JsonField(json, "moves_applied"), "0");
    EXPECT_EQ(JsonField(json, "error"), "null");
    EXPECT_FALSE(JsonField(json, "score").empty());
    std::string order;
    const auto piles = JsonPiles(json, &order);
    // Only the piles Klondike uses, in the snapshot order.
    EXPECT_EQ(order, "Mazzo Mazzo_Vis Dest1 Dest2 Dest3 Dest4 Fila1 Fila2 Fila3 Fila4 Fila5 "
                     "Fila6 Fila7 ");
    std::set<int> cards;
    for (const auto& [name, line] : piles)
        for (int k = 0; k < LineCards(line); ++k)
            cards.insert(LineCard(line, k));
    EXPECT_EQ(cards.size(), 52u);
    EXPECT_EQ(LineCards(piles.at("Mazzo")), 24);
    for (int k = 1; k <= 7; ++k) {
        const std::string& line = piles.at("Fila" + std::to_string(k));
        ASSERT_EQ(LineCards(line), k);
        for (int i = 0; i < k; ++i)
            EXPECT_EQ(LineFaceUp(line, i), i == k - 1) << k << " " << i;
    }
}

TEST_F(CliPlayTest, ShowTextListsThePilesWithFaceDownCardsMarked) {
    ASSERT_EQ(Run({"show", "--game", "0", "--deal", "7"}), kExitOk) << err.str();
    const std::string text = out.str();
    EXPECT_NE(text.find("Klondike (game 0), deal 0000000000007"), std::string::npos) << text;
    const std::size_t fila7 = text.find("Fila7");
    ASSERT_NE(fila7, std::string::npos);
    const std::string line = text.substr(fila7, text.find('\n', fila7) - fila7);
    EXPECT_EQ(std::count(line.begin(), line.end(), '['), 6) << line;
}

TEST_F(CliPlayTest, StockUndoAndRedoThroughPlay) {
    ASSERT_EQ(Play(0, 7, {"stock"}), kExitOk) << out.str() << err.str();
    auto piles = JsonPiles(out.str());
    EXPECT_EQ(LineCards(piles.at("Mazzo")), 23);
    ASSERT_EQ(LineCards(piles.at("Mazzo_Vis")), 1);
    EXPECT_TRUE(LineFaceUp(piles.at("Mazzo_Vis"), 0));
    EXPECT_EQ(JsonField(out.str(), "moves_applied"), "1");
    const std::string afterStock = JsonField(out.str(), "piles");

    ASSERT_EQ(Play(0, 7, {"stock", "undo"}), kExitOk);
    EXPECT_EQ(LineCards(JsonPiles(out.str()).at("Mazzo")), 24);
    ASSERT_EQ(Play(0, 7, {"stock", "undo", "redo"}), kExitOk);
    EXPECT_EQ(JsonField(out.str(), "piles"), afterStock);
    // Nothing to redo after a fresh move.
    ASSERT_EQ(Play(0, 7, {"stock", "redo"}), kExitRefused);
    EXPECT_EQ(JsonField(out.str(), "error"), "\"Move 2 refused: redo\"");
}

TEST_F(CliPlayTest, MovesAreReadFromStandardInputAfterADash) {
    ASSERT_EQ(Run({"play", "--game", "0", "--deal", "7", "--json", "stock", "-"}, "stock\nstock "),
              kExitOk)
        << err.str();
    EXPECT_EQ(JsonField(out.str(), "moves_applied"), "3");
    EXPECT_EQ(LineCards(JsonPiles(out.str()).at("Mazzo_Vis")), 3);
}

TEST_F(CliPlayTest, BadArgumentsExitWithStatusTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {"play", "--game", "0", "--deal", "7", "Fila3>Nowhere"},
        {"play", "--game", "0", "--deal", "7", "Fila3:x>Fila4"},
        {"play", "--game", "0", "jump"},
        {"play", "--deal", "7", "stock"},
        {"show", "--game", "0", "--deal", "12345678901234"},
        {"show", "--game", "4321", "--deal", "1"},
        {"show", "--game", "0", "--deal", "1", "extra"},
        {"hint", "--game", "0", "--deal", "1", "--json"},
        {"play", "--game", "0", "--deal", "1", "--bogus"},
    };
    for (const auto& args : cases) {
        EXPECT_EQ(Run(args), kExitUsage) << args.back();
        EXPECT_TRUE(out.str().empty()) << args.back();
        EXPECT_NE(err.str().find("Usage"), std::string::npos) << args.back();
    }
}

TEST_F(CliPlayTest, ARefusedMoveStopsTheRunWithStatusThree) {
    // A face-down card is never picked up.
    ASSERT_EQ(Play(0, 7, {"stock", "Fila7:0>Fila1", "stock"}), kExitRefused);
    const std::string json = out.str();
    EXPECT_EQ(JsonField(json, "moves_applied"), "1");
    EXPECT_EQ(JsonField(json, "error"), "\"Move 2 refused: Fila7:0>Fila1\"");
    EXPECT_EQ(LineCards(JsonPiles(json).at("Mazzo")), 23); // the third move was not played
    // Text output names the move on standard error.
    ASSERT_EQ(Run({"play", "--game", "0", "--deal", "7", "Fila7:0>Fila1"}), kExitRefused);
    EXPECT_NE(err.str().find("Fila7:0>Fila1"), std::string::npos) << err.str();
}

// How a game's tableau builds down, for the characteristic moves below.
enum class Build { Alternate, InSuit, InColour, AnySuit };

struct GameRule {
    int game;
    Build build;
};

bool SuitFits(Build build, int card, int onto) {
    switch (build) {
    case Build::Alternate:
        return Red(card) != Red(onto);
    case Build::InSuit:
        return Suit(card) == Suit(onto);
    case Build::InColour:
        return Red(card) == Red(onto);
    case Build::AnySuit:
        return true;
    }
    return false;
}

class CharacteristicMoves : public CliRunner, public ::testing::WithParamInterface<GameRule> {};

// For each game, dealt tables are searched for a top card that may go on another pile's top
// card by the book's rule, one that may not, and a top card that is not the foundations'
// first card; the tool must play the first and refuse the others, naming the move.
TEST_P(CharacteristicMoves, LegalBuildsArePlayedAndIllegalOnesRefused) {
    const GameRule rule = GetParam();
    bool legalSeen = false, illegalSeen = false, foundationSeen = false;
    for (int deal = 1; deal <= 150 && !(legalSeen && illegalSeen && foundationSeen); ++deal) {
        const auto piles = Show(rule.game, deal);
        ASSERT_FALSE(piles.empty()) << err.str();
        const auto tops = FaceUpTops(piles);
        for (const auto& [from, card] : tops) {
            if (!foundationSeen && Rank(card) > 2 && piles.contains("Dest1") &&
                piles.at("Dest1").empty()) {
                const std::string move = from + ">Dest1";
                EXPECT_EQ(Play(rule.game, deal, {move}), kExitRefused) << rule.game << " " << move;
                EXPECT_EQ(JsonField(out.str(), "error"), "\"Move 1 refused: " + move + "\"");
                foundationSeen = true;
            }
            for (const auto& [to, onto] : tops) {
                if (from == to || Rank(card) < 2 || Rank(card) > 11) continue;
                const std::string move = from + ">" + to;
                const bool rankFits = Rank(onto) == Rank(card) + 1;
                const bool legal = rankFits && SuitFits(rule.build, card, onto);
                const bool illegal = rule.build == Build::AnySuit
                                         ? Rank(onto) == Rank(card) + 2
                                         : rankFits && !SuitFits(rule.build, card, onto);
                if (legal && !legalSeen) {
                    EXPECT_EQ(Play(rule.game, deal, {move}), kExitOk)
                        << rule.game << " deal " << deal << " " << move << " " << out.str();
                    const auto after = JsonPiles(out.str());
                    EXPECT_EQ(TopOf(after.at(to)), card) << move;
                    legalSeen = true;
                }
                if (illegal && !illegalSeen) {
                    EXPECT_EQ(Play(rule.game, deal, {move}), kExitRefused)
                        << rule.game << " deal " << deal << " " << move;
                    EXPECT_EQ(JsonField(out.str(), "error"), "\"Move 1 refused: " + move + "\"");
                    EXPECT_EQ(JsonPiles(out.str()), piles) << "a refused move changed the table";
                    illegalSeen = true;
                }
            }
        }
    }
    EXPECT_TRUE(illegalSeen) << "no deal showed an illegal build in game " << rule.game;
    EXPECT_TRUE(legalSeen) << "no deal showed a legal build in game " << rule.game;
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, CharacteristicMoves,
    ::testing::Values(
        GameRule{0, Build::Alternate}, GameRule{1, Build::Alternate},
        GameRule{11, Build::Alternate}, GameRule{13, Build::Alternate}, GameRule{28, Build::InSuit},
        GameRule{30, Build::InSuit}, GameRule{33, Build::InSuit}, GameRule{35, Build::Alternate},
        GameRule{38, Build::Alternate}, GameRule{42, Build::InSuit}, GameRule{91, Build::AnySuit},
        GameRule{94, Build::Alternate}, GameRule{109, Build::Alternate},
        GameRule{114, Build::InSuit}, GameRule{154, Build::AnySuit}, GameRule{155, Build::AnySuit},
        GameRule{157, Build::AnySuit}, GameRule{176, Build::Alternate},
        GameRule{206, Build::InColour}, GameRule{237, Build::InSuit}, GameRule{240, Build::InSuit},
        GameRule{62, Build::InSuit}, GameRule{92, Build::InColour}, GameRule{93, Build::AnySuit},
        GameRule{95, Build::AnySuit}, GameRule{97, Build::AnySuit}, GameRule{98, Build::InSuit},
        GameRule{132, Build::InSuit}, GameRule{145, Build::AnySuit},
        GameRule{149, Build::AnySuit}, GameRule{150, Build::InSuit}),
    [](const auto& info) { return "Game" + std::to_string(info.param.game); });

// Reserves and spaces of the Canfield and Aces-and-Kings kinds: a reserve's next card can be
// played once its top card has left, and a space takes a waste card but no tableau card.
TEST_F(CliPlayTest, ReservesPlayTheirNextCardAndSpacesTakeWhatTheRulesAllow) {
    for (const int game : {11, 131}) {
        const auto dealt = Show(game, 1);
        const std::string& reserve = dealt.at("Appogg1");
        for (int k = 0; k < LineCards(reserve); ++k)
            EXPECT_TRUE(LineFaceUp(reserve, k)) << "game " << game << " reserve card " << k;
    }
    ASSERT_EQ(Play(233, 1, {"stock", "Mazzo_Vis>Fila2"}, true), kExitOk) << out.str();
    EXPECT_EQ(LineCards(JsonPiles(out.str()).at("Fila2")), 1);
    EXPECT_EQ(Play(233, 1, {"stock", "Fila1>Fila2"}, true), kExitRefused);
}

// FreeCell moves a group only as far as free cells and empty piles allow: with every cell
// filled, a two-card run that could go onto another pile is refused; with the cells free it
// moves.
TEST_F(CliPlayTest, FreeCellRefusesAGroupLargerThanTheFreeCellsAllow) {
    bool checked = false;
    for (int deal = 1; deal <= 400 && !checked; ++deal) {
        const auto piles = Show(1, deal);
        for (const auto& [source, line] : piles) {
            const int n = LineCards(line);
            if (!source.starts_with("Fila") || n < 2) continue;
            const int lower = LineCard(line, n - 2), upper = LineCard(line, n - 1);
            if (Rank(lower) != Rank(upper) + 1 || Red(lower) == Red(upper)) continue;
            for (const auto& [target, targetLine] : piles) {
                const int onto = TopOf(targetLine);
                if (!target.starts_with("Fila") || target == source || onto == 0) continue;
                if (Rank(onto) != Rank(lower) + 1 || Red(onto) == Red(lower)) continue;
                // Four other piles give their top cards to the cells.
                std::vector<std::string> fill;
                for (const auto& [other, otherLine] : piles)
                    if (other.starts_with("Fila") && other != source && other != target &&
                        LineCards(otherLine) > 1 && fill.size() < 4)
                        fill.push_back(other + ">Appogg" + std::to_string(fill.size() + 1));
                if (fill.size() < 4) continue;
                const std::string group = source + ":" + std::to_string(n - 2) + ">" + target;
                ASSERT_EQ(Play(1, deal, {group}), kExitOk) << deal << " " << group << out.str();
                fill.push_back(group);
                ASSERT_EQ(Play(1, deal, fill), kExitRefused) << deal << " " << group;
                EXPECT_EQ(JsonField(out.str(), "error"), "\"Move 5 refused: " + group + "\"");
                checked = true;
                break;
            }
            if (checked) break;
        }
    }
    EXPECT_TRUE(checked) << "no deal showed a two-card run with a place to go";
}

TEST_F(CliPlayTest, HintPrintsAPlayableMoveOnOneLine) {
    ASSERT_EQ(Run({"hint", "--game", "0", "--deal", "7"}), kExitOk) << err.str();
    std::string hint = out.str();
    ASSERT_TRUE(hint.ends_with("\n"));
    hint.pop_back();
    EXPECT_EQ(hint.find('\n'), std::string::npos);
    ASSERT_NE(hint, "No other moves.");
    // The hinted move is one the tool plays.
    EXPECT_EQ(Play(0, 7, {hint}), kExitOk) << hint << " " << out.str();
    EXPECT_EQ(JsonField(out.str(), "moves_applied"), "1");
    // A refused move before the hint is reported as in play.
    EXPECT_EQ(Run({"hint", "--game", "0", "--deal", "7", "Fila7:0>Fila1"}), kExitRefused);
}

} // namespace
} // namespace quendra::test
