#pragma once

#include "table_text.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace quendra {

class CliSession;
struct CliOptions;

// show, play and hint: a dealt game, played with moves given as arguments (or read from
// standard input after "-"), shown as a table or as JSON.
int CommandShow(const CliOptions& options, CliSession& session, std::ostream& out);
int CommandPlay(const CliOptions& options, CliSession& session, std::istream& in, std::ostream& out,
                std::ostream& err);
int CommandHint(const CliOptions& options, CliSession& session, std::istream& in, std::ostream& out,
                std::ostream& err);

// The words of a move list: the arguments, with "-" standing for the words of `in`.
std::vector<std::string> MoveWords(const std::vector<std::string>& positional, std::istream& in);

} // namespace quendra
