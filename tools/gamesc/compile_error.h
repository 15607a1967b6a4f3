#pragma once

#include <string>
#include <vector>

namespace quendra::gamesc {

// A fault in a catalogue source, reported as "file:line: message".
struct CompileError {
    std::string file;
    int line = 0;
    std::string message;

    std::string Text() const { return file + ":" + std::to_string(line) + ": " + message; }
};

using ErrorList = std::vector<CompileError>;

} // namespace quendra::gamesc
