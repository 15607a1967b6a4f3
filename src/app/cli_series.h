#pragma once

#include "cli_session.h"

#include <iosfwd>

namespace quendra {

// series [--json]: the built-in and the player's series with their games, and the standing
// of the series in progress (number, name, player, games played of all, each result).
int CommandSeries(const CliOptions& options, CliSession& session, std::ostream& out,
                  std::ostream& err);

} // namespace quendra
