#include "record_file.h"

#include "data_files.h"
#include "data_paths.h"
#include "file_rewrite.h"

#include <ctime>
#include <filesystem>

namespace quendra {

namespace {

// A statistics file this large is not ours: refused unread rather than held in memory.
constexpr std::uintmax_t kMaxRecordFileBytes = 64u * 1024u * 1024u;
constexpr const char* kVersionSection = "Version";

std::string Header(std::string_view section) {
    return "[" + std::string(section) + "]";
}

bool IsHeader(const std::string& line) {
    return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

} // namespace

RecordFile RecordFile::Load(const std::string& path) {
    RecordFile file;
    file.path_ = path;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return file;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    std::string text;
    if (ec || size > kMaxRecordFileBytes || !ReadFileText(path, text)) {
        file.state_ = State::Unreadable;
        return file;
    }
    file.lines_ = SplitTextLines(text);
    file.state_ = State::Read;
    return file;
}

bool RecordFile::HasVersionSection() const {
    return lines_.size() >= 2 && lines_[0] == Header(kVersionSection) &&
           lines_[1] == std::string("Version=") + kDataFilesVersion;
}

bool RecordFile::UsableForRecords(Host& host, const std::string& what) {
    if (GetState() == State::Unreadable) {
        host.ShowInformation("Cannot open file " + Path());
        return false;
    }
    if (Lines().empty()) {
        EnsureVersionSection();
        return true;
    }
    if (HasVersionSection()) return true;
    host.ShowInformation("The " + what + " file is damaged and was left as it is: " + Path());
    return false;
}

void RecordFile::EnsureVersionSection() {
    if (!lines_.empty()) return;
    lines_ = {Header(kVersionSection), std::string("Version=") + kDataFilesVersion};
    modified_ = true;
}

std::optional<std::size_t> RecordFile::SectionLine(std::string_view section) const {
    const std::string header = Header(section);
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i] == header) return i;
    return std::nullopt;
}

std::size_t RecordFile::SectionEnd(std::size_t header) const {
    std::size_t end = header + 1;
    while (end < lines_.size() && !IsHeader(lines_[end]))
        ++end;
    return end;
}

bool RecordFile::HasSection(std::string_view section) const {
    return SectionLine(section).has_value();
}

std::optional<std::string> RecordFile::Value(std::string_view section, std::string_view key) const {
    const auto header = SectionLine(section);
    if (!header) return std::nullopt;
    const std::size_t end = SectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        const std::string& line = lines_[i];
        if (line.size() > key.size() && line.starts_with(key) && line[key.size()] == '=')
            return line.substr(key.size() + 1);
    }
    return std::nullopt;
}

void RecordFile::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    const std::string line = std::string(key) + "=" + std::string(value);
    modified_ = true;
    const auto header = SectionLine(section);
    if (!header) {
        lines_.emplace_back();
        lines_.push_back(Header(section));
        lines_.push_back(line);
        return;
    }
    std::size_t end = SectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        const std::string& old = lines_[i];
        if (old.size() > key.size() && old.starts_with(key) && old[key.size()] == '=') {
            lines_[i] = line;
            return;
        }
    }
    // After the section's last line, before the empty lines that part it from the next.
    while (end > *header + 1 && lines_[end - 1].empty())
        --end;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(end), line);
}

std::vector<RecordFile::Pair> RecordFile::Pairs(std::string_view section) const {
    std::vector<Pair> pairs;
    const auto header = SectionLine(section);
    if (!header) return pairs;
    const std::size_t end = SectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        const std::size_t equals = lines_[i].find('=');
        if (equals == std::string::npos || equals == 0) continue;
        pairs.push_back({lines_[i].substr(0, equals), lines_[i].substr(equals + 1)});
    }
    return pairs;
}

std::vector<std::string> RecordFile::Sections() const {
    std::vector<std::string> names;
    for (const std::string& line : lines_)
        if (IsHeader(line)) names.push_back(line.substr(1, line.size() - 2));
    return names;
}

bool RecordFile::Save(Host& host) {
    if (!modified_) return true;
    if (state_ == State::Unreadable) {
        host.ShowInformation("Cannot open file " + path_);
        return false;
    }
    if (!RewriteTextLines(host, path_, lines_)) return false;
    modified_ = false;
    state_ = State::Read;
    return true;
}

std::string DataFilePath(const GameContext& ctx, std::string_view relative) {
    EnsureDataDirectory(ctx.ProgramDir());
    return ResolveDataPath(ctx.ProgramDir(), relative);
}

std::string CurrentScoringCode(const GameContext& ctx) {
    const std::string code = GetSetting(ctx.settings, field::kStatsCode);
    return code.size() == 2 && ParseNumber(code) ? code : "01";
}

namespace {
std::string LocalText(std::int64_t epochSeconds, const char* format) {
    const auto time = static_cast<std::time_t>(epochSeconds);
    std::tm local{};
    localtime_r(&time, &local);
    char text[32];
    const std::size_t n = std::strftime(text, sizeof text, format, &local);
    return std::string(text, n);
}
} // namespace

std::string LocalDateText(std::int64_t epochSeconds) {
    return LocalText(epochSeconds, "%Y%m%d");
}

std::string LocalTimeText(std::int64_t epochSeconds) {
    return LocalText(epochSeconds, "%H:%M:%S");
}

std::string TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string PadRight(std::string_view text, std::size_t width) {
    std::string out(text.substr(0, width));
    out.resize(width, ' ');
    return out;
}

std::string_view Slice(std::string_view text, std::size_t from, std::size_t length) {
    if (from >= text.size()) return {};
    return text.substr(from, length);
}

std::optional<std::int64_t> ParseNumber(std::string_view text, bool sign) {
    bool negative = false;
    if (sign && !text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    // Eighteen digits always fit; longer is not a figure of ours.
    if (text.empty() || text.size() > 18) return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

} // namespace quendra
