#pragma once

#include "compile_error.h"

#include <string>
#include <string_view>
#include <vector>

namespace quendra::gamesc {

// One "key = value" line of a game source.
struct SourceEntry {
    std::string key;
    std::string value;
    int line = 0;
};

// A game source split into its entries and its rules text; nothing is interpreted yet.
struct GameSource {
    std::string file;
    std::vector<SourceEntry> entries;
    std::string rules; // lines joined by "\n", trailing blank lines dropped
    int rulesLine = 0; // line of the "[rules]" header, 0 when there is none
};

// Splits a source text. Lines: blank, "# comment", "key = value  # comment", and a
// "[rules]" line after which the rest of the file is the rules text. Faults are added to
// `errors`; the entries that could be read are kept.
GameSource ParseGameSource(std::string_view text, const std::string& file, ErrorList& errors);

// Reads a file and splits it; a file that cannot be read is one error at line 0.
GameSource ReadGameSource(const std::string& path, ErrorList& errors);

} // namespace quendra::gamesc
