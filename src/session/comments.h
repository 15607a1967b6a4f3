#pragma once

#include "game_context.h"

#include <string>
#include <vector>

namespace quendra {

// A piece of a game's comments in one style. Text is UTF-8; "\n" ends a paragraph.
struct CommentRun {
    std::string text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const CommentRun&) const = default;
};
using CommentText = std::vector<CommentRun>;

// The comments as a rich-text (RTF) document: a font table with "MS Sans Serif" at 8 points,
// the styles as \b, \i and \ul, characters past ASCII as \u escapes.
std::string WriteCommentsRtf(const CommentText& text);
// Reads what WriteCommentsRtf writes and the common run of rich text from other editors:
// styles, paragraphs, escapes; tables of fonts, colours and the like are skipped. Anything it
// does not know is left out; false (with `text` empty) when the content is not rich text.
bool ReadCommentsRtf(std::string_view rtf, CommentText& text);

// "DATA/Comments_" + the game's name made safe + ".rtf" below the program folder.
std::string CommentsFilePath(const GameContext& ctx, const std::string& gameName);
bool HasComments(const GameContext& ctx, const std::string& gameName);
// The game's comments; empty when it has none. A file that cannot be read or is not rich
// text is reported through the host and left as it is; false then.
bool LoadComments(GameContext& ctx, const std::string& gameName, CommentText& text);
// Writes the comments through the crash-safe rewrite, or removes the file when the text is
// empty. False (the player told) when it could not.
bool SaveComments(GameContext& ctx, const std::string& gameName, const CommentText& text);

} // namespace quendra
