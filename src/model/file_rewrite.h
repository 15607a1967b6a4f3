#pragma once

#include "host.h"

#include <string>
#include <string_view>
#include <vector>

namespace quendra {

// Every rewrite of a data file goes through here: the new content is written to a
// temporary file with the prefix "rpl" in the same folder, flushed to disk, and then renamed
// over the old file. The old file is never deleted first, so a crash leaves either the old or
// the new content, never none. On failure the player is told through the host and the old
// file is left as it was:
// - "Error creating temp file." when no temporary file can be made;
// - "Write error on file" when the content cannot be written whole (the temporary file is
//   removed);
// - "Error in renaming the file: " + temporary path + "\r" + "to: " + path when the rename
//   fails (the new content stays in the temporary file, whose name the message gives).
// Creates the file when it does not exist yet.
bool ReplaceFileContent(Host& host, const std::string& path, std::string_view content);

// The whole file as bytes; false when it cannot be opened or read.
bool ReadFileText(const std::string& path, std::string& content);

// Lines of a text whose lines end in CR LF or LF; the line ends are dropped. A last line
// without a line end counts; an empty text has no lines.
std::vector<std::string> SplitTextLines(std::string_view text);

// The lines, each followed by CR LF.
std::string JoinTextLines(const std::vector<std::string>& lines);

// Writes the lines with CR LF line ends through ReplaceFileContent.
bool RewriteTextLines(Host& host, const std::string& path, const std::vector<std::string>& lines);

} // namespace quendra
