#pragma once

#include <iosfwd>

namespace quendra {

class CliSession;
struct CliOptions;

// solve: the solver on a dealt game; prints its verdict, the winning moves in the syntax of
// play, the moves tried and the time taken.
int CommandSolve(const CliOptions& options, CliSession& session, std::ostream& out);

} // namespace quendra
