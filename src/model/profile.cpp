#include "profile.h"

#include "data_paths.h"
#include "file_rewrite.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <limits>

namespace quendra {

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The name of a "[Name]" line, or false when the line is no header.
bool HeaderName(std::string_view line, std::string_view& name) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') return false;
    line.remove_prefix(1);
    const auto close = line.find(']');
    name = Trim(close == std::string_view::npos ? line : line.substr(0, close));
    return true;
}

// Splits a "key=value" line; comments and lines without "=" are no key lines.
bool KeyAndValue(std::string_view line, std::string_view& key, std::string_view& value) {
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';') return false;
    const auto equals = trimmed.find('=');
    if (equals == std::string_view::npos) return false;
    key = Trim(trimmed.substr(0, equals));
    value = Trim(trimmed.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return true;
}

} // namespace

Profile Profile::Load(const std::string& path) {
    Profile profile;
    profile.path_ = path;
    std::string text;
    if (ReadFileText(path, text))
        profile.lines_ = SplitTextLines(text);
    else
        profile.unreadable_ = FileExists(path);
    return profile;
}

std::size_t Profile::SectionLine(std::string_view section) const {
    std::string_view name;
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (HeaderName(lines_[i], name) && SameIgnoringCase(name, Trim(section))) return i;
    return kNone;
}

std::size_t Profile::SectionEnd(std::size_t headerLine) const {
    std::string_view name;
    std::size_t i = headerLine + 1;
    while (i < lines_.size() && !HeaderName(lines_[i], name))
        ++i;
    return i;
}

std::size_t Profile::KeyLine(std::size_t headerLine, std::string_view key) const {
    const std::size_t end = SectionEnd(headerLine);
    std::string_view lineKey, value;
    for (std::size_t i = headerLine + 1; i < end; ++i)
        if (KeyAndValue(lines_[i], lineKey, value) && SameIgnoringCase(lineKey, Trim(key)))
            return i;
    return kNone;
}

std::string Profile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    const std::size_t header = SectionLine(section);
    if (header == kNone) return std::string(defaultValue);
    const std::size_t line = KeyLine(header, key);
    if (line == kNone) return std::string(defaultValue);
    std::string_view lineKey, value;
    KeyAndValue(lines_[line], lineKey, value);
    return std::string(value);
}

int Profile::ReadInt(std::string_view section, std::string_view key, int defaultValue) const {
    const std::string text = ReadString(section, key, "");
    if (text.empty()) return defaultValue;
    std::size_t i = 0;
    const bool negative = text[0] == '-';
    if (text[0] == '-' || text[0] == '+') ++i;
    std::int64_t value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        // Anything beyond an int is no number this program wrote.
        if (value > std::int64_t{std::numeric_limits<int>::max()} + 1) return 0;
    }
    if (negative) value = -value;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return 0;
    return static_cast<int>(value);
}

bool Profile::HasKey(std::string_view section, std::string_view key) const {
    const std::size_t header = SectionLine(section);
    return header != kNone && KeyLine(header, key) != kNone;
}

bool Profile::HasSection(std::string_view section) const {
    return SectionLine(section) != kNone;
}

std::vector<std::string> Profile::Keys(std::string_view section) const {
    std::vector<std::string> keys;
    const std::size_t header = SectionLine(section);
    if (header == kNone) return keys;
    std::string_view key, value;
    for (std::size_t i = header + 1; i < SectionEnd(header); ++i)
        if (KeyAndValue(lines_[i], key, value)) keys.emplace_back(key);
    return keys;
}

void Profile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    std::string line = std::string(Trim(key)) + "=" + std::string(value);
    // A line end inside would make lines of its own.
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    const std::size_t header = SectionLine(section);
    if (header == kNone) {
        // A new section goes at the end, after an empty line.
        if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
        lines_.push_back("[" + std::string(Trim(section)) + "]");
        lines_.push_back(std::move(line));
        modified_ = true;
        return;
    }
    const std::size_t existing = KeyLine(header, key);
    if (existing != kNone) {
        if (lines_[existing] != line) {
            lines_[existing] = std::move(line);
            modified_ = true;
        }
        return;
    }
    // A new key goes after the section's last non-empty line.
    std::size_t at = SectionEnd(header);
    while (at > header + 1 && Trim(lines_[at - 1]).empty())
        --at;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    modified_ = true;
}

void Profile::WriteInt(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, std::to_string(value));
}

void Profile::DeleteKey(std::string_view section, std::string_view key) {
    const std::size_t header = SectionLine(section);
    if (header == kNone) return;
    const std::size_t line = KeyLine(header, key);
    if (line == kNone) return;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(line));
    modified_ = true;
}

void Profile::EraseSection(std::string_view section) {
    const std::size_t header = SectionLine(section);
    if (header == kNone) return;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(header)));
    modified_ = true;
}

bool Profile::Save(Host& host) {
    if (!modified_) return true;
    if (unreadable_) {
        host.ShowInformation("Cannot open file " + path_);
        return false;
    }
    if (!RewriteTextLines(host, path_, lines_)) return false;
    modified_ = false;
    return true;
}

std::string ProfileReadString(const std::string& path, std::string_view section,
                              std::string_view key, std::string_view defaultValue) {
    return Profile::Load(path).ReadString(section, key, defaultValue);
}

int ProfileReadInt(const std::string& path, std::string_view section, std::string_view key,
                   int defaultValue) {
    return Profile::Load(path).ReadInt(section, key, defaultValue);
}

bool ProfileWriteString(Host& host, const std::string& path, std::string_view section,
                        std::string_view key, std::string_view value) {
    Profile profile = Profile::Load(path);
    profile.WriteString(section, key, value);
    return profile.Save(host);
}

bool ProfileWriteInt(Host& host, const std::string& path, std::string_view section,
                     std::string_view key, int value) {
    return ProfileWriteString(host, path, section, key, std::to_string(value));
}

bool ProfileDeleteKey(Host& host, const std::string& path, std::string_view section,
                      std::string_view key) {
    Profile profile = Profile::Load(path);
    profile.DeleteKey(section, key);
    return profile.Save(host);
}

bool ProfileEraseSection(Host& host, const std::string& path, std::string_view section) {
    Profile profile = Profile::Load(path);
    profile.EraseSection(section);
    return profile.Save(host);
}

} // namespace quendra
