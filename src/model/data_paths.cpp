#include "data_paths.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace quendra {

namespace fs = std::filesystem;

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The entry of `dir` named `name` in any letter case; the exact name wins.
std::string MatchEntry(const fs::path& dir, const std::string& name) {
    std::error_code ec;
    if (fs::exists(dir / name, ec)) return name;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string candidate = it->path().filename().string();
        if (SameIgnoringCase(candidate, name)) return candidate;
    }
    return name;
}

std::string Resolve(fs::path base, std::string_view relative) {
    std::string text(relative);
    std::replace(text.begin(), text.end(), '\\', '/');
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t slash = text.find('/', start);
        const std::string part =
            text.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        if (!part.empty() && part != ".") base /= part == ".." ? part : MatchEntry(base, part);
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
    return base.string();
}

} // namespace

std::string ResolveDataPath(std::string_view programDir, std::string_view relative) {
    return Resolve(fs::path(std::string(programDir)), relative);
}

std::string ResolveCaseInsensitive(std::string_view path) {
    std::string text(path);
    std::replace(text.begin(), text.end(), '\\', '/');
    if (!text.empty() && text.front() == '/') return Resolve("/", std::string_view(text).substr(1));
    return Resolve(".", text);
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

} // namespace quendra
