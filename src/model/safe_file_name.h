#pragma once

#include <string>
#include <string_view>

namespace quendra {

// A game's name made fit to be part of a file name in DATA/: path separators, the characters
// reserved on common file systems (: * ? " < > |), control characters and a leading dot each
// become "_", and the result is at most 120 bytes without cutting a UTF-8 character. An
// empty name gives "_". Whatever the name, the file stays inside the folder it is put in.
std::string SafeFileNamePart(std::string_view name);

} // namespace quendra
