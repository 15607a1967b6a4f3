#include "cli_play.h"

#include "autoplay.h"
#include "cards.h"
#include "cli.h"
#include "cli_records.h"
#include "cli_session.h"
#include "deal.h"
#include "game_catalog.h"
#include "game_params.h"
#include "move_finder.h"
#include "score.h"
#include "statistics.h"
#include "table_text.h"

#include <algorithm>
#include <istream>
#include <optional>
#include <ostream>

namespace quendra {

namespace {

int SnapshotLineOf(PileRef pile) {
    switch (pile.group) {
    case PileGroupId::Stock:
        return pile.index;
    case PileGroupId::Dest:
        return kStockPiles + pile.index;
    case PileGroupId::Fila:
        return kStockPiles + kDestPiles + pile.index;
    case PileGroupId::Appogg:
        return kStockPiles + kDestPiles + kFilaPiles + pile.index;
    }
    return 0;
}

struct RunResult {
    int applied = 0;
    std::optional<std::string> error;
    bool recorded = false; // a game ended and went into the statistics
};

bool GameWon(CliSession& session) {
    GameContext& ctx = session.ctx();
    if (session.host().GameWon()) return true;
    return WinsIfEnded(ctx);
}

RunResult PlayMoves(CliSession& session, const std::vector<std::string>& words) {
    // Every move is read before any is played: a typing error is a bad argument.
    std::vector<FoundMove> moves;
    for (const std::string& word : words) {
        const auto move = ParseFoundMove(word);
        if (!move) throw UsageError{"Not a move: " + word};
        moves.push_back(*move);
    }
    RunResult result;
    for (std::size_t i = 0; i < moves.size(); ++i) {
        if (!PlayFoundMove(session.ctx(), moves[i])) {
            result.error = "Move " + std::to_string(i + 1) + " refused: " + words[i];
            break;
        }
        ++result.applied;
        // The score follows the table after every move, as in the window: a game won by its
        // score and given up with --end is recorded with the score it reached.
        if (session.ctx().flags[GameStateFlags::kInPlay]) fnComputeScore(session.ctx());
    }
    return result;
}

void WriteJson(CliSession& session, const RunResult& run, std::ostream& out) {
    GameContext& ctx = session.ctx();
    const TableSnapshot snapshot = BuildTableSnapshot(ctx);
    out << "{\"game\": " << ParseDigits(GetSetting(ctx.settings, field::kGameNumber))
        << ", \"deal\": " << JsonString(DealDigits(ctx))
        << ", \"won\": " << (GameWon(session) ? "true" : "false")
        << ", \"in_play\": " << (ctx.flags[GameStateFlags::kInPlay] ? "true" : "false")
        << ", \"score\": " << fnComputeScore(ctx) << ", \"pass\": " << ctx.play.passNumber
        << ", \"moves_applied\": " << run.applied
        << ", \"error\": " << (run.error ? JsonString(*run.error) : std::string("null"))
        << ", \"recorded\": " << (run.recorded ? "true" : "false") << ", \"piles\": {";
    bool first = true;
    for (const PileRef pile : UsedPiles(ctx)) {
        out << (first ? "" : ", ") << JsonString(PileName(pile)) << ": "
            << JsonString(snapshot[static_cast<std::size_t>(SnapshotLineOf(pile))]);
        first = false;
    }
    out << "}}\n";
}

void WriteTable(CliSession& session, const RunResult& run, std::ostream& out) {
    GameContext& ctx = session.ctx();
    const int number = ParseDigits(GetSetting(ctx.settings, field::kGameNumber));
    out << GameName(ctx, number) << " (game " << number << "), deal " << DealDigits(ctx) << '\n';
    out << "Pass " << ctx.play.passNumber << ", score " << fnComputeScore(ctx) << ", "
        << (GameWon(session)                     ? "won"
            : ctx.flags[GameStateFlags::kInPlay] ? "in play"
                                                 : "ended")
        << "; cards in [brackets] lie face down\n";
    for (const PileRef pile : UsedPiles(ctx)) {
        std::string name = PileName(pile);
        name.resize(12, ' ');
        out << name;
        const std::string cards = PileCardsText(ctx, pile);
        if (!cards.empty()) out << ' ' << cards;
        out << '\n';
    }
    if (run.applied > 0) out << run.applied << " moves played\n";
    if (run.recorded)
        out << "Recorded for " << GetSetting(ctx.settings, field::kUserDefault) << '\n';
}

bool StartFromOptions(const CliOptions& options, CliSession& session) {
    const bool autoplay = options.Has("--autoplay");
    session.StartGame(options, autoplay);
    return autoplay;
}

} // namespace

std::vector<std::string> MoveWords(const std::vector<std::string>& positional, std::istream& in) {
    std::vector<std::string> words;
    for (const std::string& word : positional) {
        if (word != "-") {
            words.push_back(word);
            continue;
        }
        for (std::string read; in >> read;)
            words.push_back(read);
    }
    return words;
}

int CommandShow(const CliOptions& options, CliSession& session, std::ostream& out) {
    if (!options.positional.empty())
        throw UsageError{"Unexpected argument " + options.positional[0] + "."};
    StartFromOptions(options, session);
    const RunResult none;
    if (options.Has("--json"))
        WriteJson(session, none, out);
    else
        WriteTable(session, none, out);
    return kExitOk;
}

int CommandPlay(const CliOptions& options, CliSession& session, std::istream& in, std::ostream& out,
                std::ostream& err) {
    const std::vector<std::string> words = MoveWords(options.positional, in);
    // A player who is not listed is a bad argument, found before anything is played.
    if (options.values.contains("--player")) CliPlayer(options, session);
    StartFromOptions(options, session);
    RunResult run = PlayMoves(session, words);
    // The position reached is kept even when a move was refused: the moves before it stand.
    if (const auto save = options.values.find("--save"); save != options.values.end())
        session.SaveGame(save->second);
    GameContext& ctx = session.ctx();
    // --end gives the game up as the program does when another game replaces it.
    if (options.Has("--end") && !run.error && ctx.flags[GameStateFlags::kInPlay]) fnEndGame(ctx);
    std::vector<Host::GameResult> ended = session.host().TakeResults();
    if (!ended.empty()) {
        const std::string player = CliPlayer(options, session);
        SetSetting(ctx.settings, field::kUserDefault, player);
        run.recorded = true;
        for (Host::GameResult& result : ended) {
            result.player = player;
            run.recorded = RecordEndedGame(ctx, result).recorded && run.recorded;
        }
    }
    if (options.Has("--json")) {
        WriteJson(session, run, out);
    } else {
        WriteTable(session, run, out);
        if (run.error) err << "quendra-cli: " << *run.error << '\n';
    }
    return run.error ? kExitRefused : kExitOk;
}

int CommandHint(const CliOptions& options, CliSession& session, std::istream& in, std::ostream& out,
                std::ostream& err) {
    const std::vector<std::string> words = MoveWords(options.positional, in);
    StartFromOptions(options, session);
    const RunResult run = PlayMoves(session, words);
    if (run.error) {
        err << "quendra-cli: " << *run.error << '\n';
        return kExitRefused;
    }
    FoundMove move;
    if (FindAndPlayNextMove(session.ctx(), false, &move))
        out << FoundMoveText(move) << '\n';
    else
        out << "No other moves.\n";
    return kExitOk;
}

} // namespace quendra
