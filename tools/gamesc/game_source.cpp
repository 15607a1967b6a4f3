#include "game_source.h"

#include <fstream>
#include <sstream>

namespace quendra::gamesc {

namespace {

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

bool IsKeyCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '-';
}

bool HasOnlyPrintable(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) > 126) return false;
    return true;
}

} // namespace

GameSource ParseGameSource(std::string_view text, const std::string& file, ErrorList& errors) {
    GameSource source;
    source.file = file;
    const std::vector<std::string_view> lines = SplitLines(text);
    std::size_t index = 0;
    for (; index < lines.size(); ++index) {
        const int lineNumber = static_cast<int>(index) + 1;
        std::string_view line = lines[index];
        if (const auto hash = line.find('#'); hash != std::string_view::npos)
            line = line.substr(0, hash);
        line = Trim(line);
        if (line.empty()) continue;
        if (line == "[rules]") {
            source.rulesLine = lineNumber;
            ++index;
            break;
        }
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) {
            errors.push_back(
                {file, lineNumber, "expected \"key = value\", got \"" + std::string(line) + "\""});
            continue;
        }
        const std::string_view key = Trim(line.substr(0, equals));
        const std::string_view value = Trim(line.substr(equals + 1));
        bool keyOk = !key.empty();
        for (char c : key)
            keyOk = keyOk && IsKeyCharacter(c);
        if (!keyOk) {
            errors.push_back({file, lineNumber, "malformed key \"" + std::string(key) + "\""});
            continue;
        }
        if (value.empty()) {
            errors.push_back({file, lineNumber, "no value for " + std::string(key)});
            continue;
        }
        if (!HasOnlyPrintable(value)) {
            errors.push_back({file, lineNumber,
                              "the value of " + std::string(key) +
                                  " has a character outside "
                                  "printable ASCII"});
            continue;
        }
        source.entries.push_back({std::string(key), std::string(value), lineNumber});
    }
    // The rules text is kept as written, apart from trailing blanks and blank edge lines.
    std::vector<std::string> rules;
    for (; index < lines.size(); ++index) {
        std::string_view line = lines[index];
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        if (!HasOnlyPrintable(line)) {
            errors.push_back({file, static_cast<int>(index) + 1,
                              "the rules text has a character outside printable ASCII"});
            continue;
        }
        if (line.starts_with("[")) {
            errors.push_back({file, static_cast<int>(index) + 1,
                              "a rules line may not start with \"[\": it would read as a "
                              "header in RULES.DAT"});
            continue;
        }
        if (rules.empty() && line.empty()) continue;
        rules.emplace_back(line);
    }
    while (!rules.empty() && rules.back().empty())
        rules.pop_back();
    for (std::size_t i = 0; i < rules.size(); ++i) {
        if (i > 0) source.rules += '\n';
        source.rules += rules[i];
    }
    return source;
}

GameSource ReadGameSource(const std::string& path, ErrorList& errors) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        errors.push_back({path, 0, "cannot read the file"});
        GameSource empty;
        empty.file = path;
        return empty;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return ParseGameSource(buffer.str(), path, errors);
}

} // namespace quendra::gamesc
