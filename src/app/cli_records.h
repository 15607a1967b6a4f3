#pragma once

#include "cli_session.h"

#include <iosfwd>

namespace quendra {

// The player a command records for or reads: --player NAME (a listed player), else the
// current player; at the first start the default players are made, as the program does.
std::string CliPlayer(const CliOptions& options, CliSession& session);

// stats [--game N] [--player NAME] [--json]: the figures of the statistics views.
int CommandStats(const CliOptions& options, CliSession& session, std::ostream& out,
                 std::ostream& err);
// log [--game N] [--player NAME] [--json]: the game log, oldest first.
int CommandLog(const CliOptions& options, CliSession& session, std::ostream& out,
               std::ostream& err);
// hiscores --game N [--json]: the game's hi-score table for the standard scoring.
int CommandHiscores(const CliOptions& options, CliSession& session, std::ostream& out);

} // namespace quendra
