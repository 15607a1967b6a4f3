#include "safe_file_name.h"

namespace quendra {

namespace {

constexpr std::size_t kMaxBytes = 120;

bool Reserved(unsigned char c) {
    if (c < 32 || c == 127) return true;
    switch (c) {
    case '/':
    case '\\':
    case ':':
    case '*':
    case '?':
    case '"':
    case '<':
    case '>':
    case '|':
        return true;
    default:
        return false;
    }
}

} // namespace

std::string SafeFileNamePart(std::string_view name) {
    std::string safe;
    for (const char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        // A name of dots alone ("..") or starting with one would be hidden or climb out.
        if (Reserved(c) || (c == '.' && safe.empty()))
            safe += '_';
        else
            safe += ch;
    }
    if (safe.size() > kMaxBytes) {
        std::size_t cut = kMaxBytes;
        // Back up to the first byte of a UTF-8 character.
        while (cut > 0 && (static_cast<unsigned char>(safe[cut]) & 0xC0) == 0x80)
            --cut;
        safe.resize(cut);
    }
    if (safe.empty()) safe = "_";
    return safe;
}

} // namespace quendra
