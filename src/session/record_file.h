#pragma once

#include "game_context.h"
#include "host.h"

#include <cstddef>
#include <cstdint>
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
    // Whether records may be written to the file: it is missing, empty (it then gets its
    // version section) or led by its version section. Otherwise the player is told (the file
    // could not be read, or "The <what> file is damaged and was left as it is: ") and it is
    // left alone.
    bool UsableForRecords(Host& host, const std::string& what);

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

// A data file below the program directory ("DATA\\STAT.DAT"), every spelling reaching one
// file; the DATA folder is made when missing.
std::string DataFilePath(const GameContext& ctx, std::string_view relative);

// The scoring code of the settings record ("01" standard scoring; "01" when unset).
std::string CurrentScoringCode(const GameContext& ctx);

// The local date "yyyymmdd" and time of day "hh:nn:ss" of a moment (seconds since the epoch).
std::string LocalDateText(std::int64_t epochSeconds);
std::string LocalTimeText(std::int64_t epochSeconds);

// Without the blanks around it.
std::string TrimBlanks(std::string_view text);
// Cut or padded with spaces to the width.
std::string PadRight(std::string_view text, std::size_t width);
// The characters [from, from + length) of a text, as many as it has.
std::string_view Slice(std::string_view text, std::size_t from, std::size_t length);
// Digits only (a leading "-" allowed with `sign`), at least one; nothing otherwise.
std::optional<std::int64_t> ParseNumber(std::string_view text, bool sign = false);

} // namespace quendra
