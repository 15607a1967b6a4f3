#pragma once

#include "host.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quendra {

// A data file of statistics or hi-scores held whole in memory: read once, changed, and
// written back whole through the crash-safe rewrite (temporary file, flush, rename), so a
// crash leaves the old file or the new one, never a mix. Keys are compared exactly
// (player names are case-sensitive), a section header is "[" + name + "]" alone on its line.
class RecordFile {
  public:
    enum class State {
        Missing,    // no file: starts empty
        Read,       // read whole
        Unreadable, // the file is there but cannot be read: never written over
    };

    static RecordFile Load(const std::string& path);

    const std::string& Path() const { return path_; }
    State GetState() const { return state_; }
    bool Writable() const { return state_ != State::Unreadable; }
    // True when the first section is "[Version]" holding "Version=0300".
    bool HasVersionSection() const;
    // Puts the version section at the front of an empty file.
    void EnsureVersionSection();

    // The value of the first line "key=..." of the section, as stored (nothing trimmed).
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    // Sets the value; a missing key is added at the end of its section, a missing section is
    // appended with an empty line before it.
    void SetValue(std::string_view section, std::string_view key, std::string_view value);
    // The "key=value" lines of a section, in file order (key before the first "=").
    struct Pair {
        std::string key;
        std::string value;
    };
    std::vector<Pair> Pairs(std::string_view section) const;
    // Section names in file order.
    std::vector<std::string> Sections() const;
    bool HasSection(std::string_view section) const;
    // Every line, for the line-wise edits of renaming.
    std::vector<std::string>& Lines() { return lines_; }

    bool Modified() const { return modified_; }
    void MarkModified() { modified_ = true; }
    // Writes the file when something changed; false (with the host told) when it failed or
    // the file was unreadable.
    bool Save(Host& host);

  private:
    std::optional<std::size_t> SectionLine(std::string_view section) const;
    std::size_t SectionEnd(std::size_t header) const;

    std::string path_;
    State state_ = State::Missing;
    std::vector<std::string> lines_;
    bool modified_ = false;
};

} // namespace quendra
