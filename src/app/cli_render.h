#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quendra {

// quendra-cli render --game N --deal D --size WxH [--cards B|M|L] [--set NNN] [--back NNN]
//                    [--dpr 1|2] [--dir DIR] OUT.png
// Deals the game and draws the table as the window draws it, into a PNG. `args` are the
// words after "render". Exit 0 when the picture was written, 2 on bad arguments or a missing
// or unreadable file, with a message on `err`.
int RunRenderCommand(const std::vector<std::string>& args, const std::string& exeDir,
                     std::ostream& out, std::ostream& err);

} // namespace quendra
