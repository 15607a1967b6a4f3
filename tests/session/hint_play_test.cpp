#include "move_finder.h"
#include "play_test_support.h"

#include <string>

namespace quendra::test {
namespace {

// In every game of the catalogue, each move the finder proposes is one the engine plays as
// it is written: a hint typed back into the play command is never refused.
TEST(HintPlayTest, EveryProposedMoveIsPlayedAsWritten) {
    const std::vector<int> games = CatalogueGames();
    ASSERT_FALSE(games.empty());
    for (const int game : games) {
        for (const char* deal : {"5", "11", "1174186134811"}) {
            DealtGame dealt(game, deal);
            GameContext& ctx = dealt.ctx;
            std::string line;
            for (int step = 0; step < 60 && ctx.flags[GameStateFlags::kInPlay]; ++step) {
                FakeHost host;
                GameContext probe(host);
                CopyGameState(probe, ctx);
                FoundMove proposed;
                if (!FindAndPlayNextMove(probe, false, &proposed)) break;
                const std::string text = FoundMoveText(proposed);
                line += " " + text;
                const auto typed = ParseFoundMove(text);
                ASSERT_TRUE(typed) << game << " deal " << deal << ":" << line;
                ASSERT_TRUE(PlayFoundMove(ctx, *typed))
                    << "game " << game << " deal " << deal << " refuses the proposed " << text
                    << " after:" << line.substr(0, line.size() - text.size() - 1);
            }
        }
    }
}

} // namespace
} // namespace quendra::test
