#pragma once

#include "host.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quendra {

// The data files of statistics, hi-scores and series: "[Name]" lines open a section, a
// section's body is "key=value" lines or fixed-width record lines, lines end in CR LF (LF
// alone is read too). Each operation opens and closes the file itself; nothing stays open.
// The files are untrusted: every read is bounded by what the file holds.
//
// A section header is "[" + name + "]" standing alone on its line; names are compared
// exactly. The first section of a name is the one used. A key matches a line that starts
// with the key followed by "=", so "Player 1" never takes the line of "Player 10".

struct SectionPosition {
    // Byte offset of the header's "[".
    std::uint64_t header = 0;
    // Byte offset of the body: just after the header's line end.
    std::uint64_t body = 0;
};

// Reads the file in blocks of 8192 bytes, stepping back between blocks so that a header
// across two blocks is found. Nothing when the file or the section is missing.
std::optional<SectionPosition> FindSection(const std::string& file, std::string_view section);

// The value of the section's first line "key=...", trailing blanks removed; the default
// when the file, the section or the key is missing.
std::string ReadKey(const std::string& file, std::string_view section, std::string_view key,
                    std::string_view defaultValue);

struct KeyValues {
    std::vector<std::string> values;
    bool allFound = false;
};
// The values of several keys in one scan of the section; each starts as its default (an
// empty text where no default is given), the first line of a key gives its value.
KeyValues ReadKeys(const std::string& file, std::string_view section,
                   std::span<const std::string> keys, std::span<const std::string> defaults);

// The names of all sections, in file order.
std::vector<std::string> ListSections(const std::string& file);

// The non-empty lines of the section's body.
std::vector<std::string> ReadSection(const std::string& file, std::string_view section);

// Sets one key of a section. A value as wide as the old one is written in place; any other
// width rewrites the file with only that value changed, so the neighbouring lines stay
// intact. A key the section lacks is added after the section's last line; a missing
// section is appended (the file is created when missing).
bool WriteKey(Host& host, const std::string& file, std::string_view section, std::string_view key,
              std::string_view value);

// Replaces the first lines of the section's body, one per pair, with "key=value" lines:
// in place when they take exactly the bytes of the lines they replace, else through a
// rewrite. A missing section is appended.
bool OverwriteSectionStart(Host& host, const std::string& file, std::string_view section,
                           std::span<const std::string> keys, std::span<const std::string> values);

// Appends "\r\n[" + section + "]\r\n" and one "key=value" line per pair at the end of the
// file, creating the file when missing. A failed append is cut off again.
bool AppendSection(Host& host, const std::string& file, std::string_view section,
                   std::span<const std::string> keys, std::span<const std::string> values);

// Gives the section a new body: one "key=value" line per pair, then one empty line; the
// rest of the file is kept. False, with nothing changed, when the section is missing.
bool RewriteSection(Host& host, const std::string& file, std::string_view section,
                    std::span<const std::string> keys, std::span<const std::string> values);

// Every line that holds `oldText` at character `position` (1 for the first character) gets
// `newText` in its place, the rest of the line kept. Nothing is written when no line holds
// it or the file is missing.
bool ReplaceInLines(Host& host, const std::string& file, int position, std::string_view oldText,
                    std::string_view newText);

} // namespace quendra
