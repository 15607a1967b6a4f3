#include "sectioned_file.h"

#include "data_paths.h"
#include "file_rewrite.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace quendra {

namespace {

constexpr std::size_t kBlockSize = 8192;

std::string HeaderText(std::string_view section) {
    return "[" + std::string(section) + "]";
}

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Where a section lies in a file held whole in memory.
struct SectionSpan {
    std::size_t header = 0;
    std::size_t body = 0;
    // Start of the next header line, or the end of the text.
    std::size_t end = 0;
    // False for a header on the last line with no line end.
    bool headerLineEnded = true;
};

std::size_t SkipLineEnd(std::string_view text, std::size_t at) {
    if (at < text.size() && text[at] == '\r') ++at;
    if (at < text.size() && text[at] == '\n') ++at;
    return at;
}

// The body runs up to the next line that starts with "[".
std::size_t BodyEnd(std::string_view text, std::size_t body) {
    if (body >= text.size() || text[body] == '[') return std::min(body, text.size());
    const std::size_t next = text.find("\n[", body);
    return next == std::string_view::npos ? text.size() : next + 1;
}

std::optional<SectionSpan> LocateSection(std::string_view text, std::string_view section) {
    const std::string header = HeaderText(section);
    for (std::size_t at = text.find(header); at != std::string_view::npos;
         at = text.find(header, at + 1)) {
        const std::size_t after = at + header.size();
        const bool atLineStart = at == 0 || text[at - 1] == '\n';
        const bool aloneOnLine = after == text.size() || IsLineEnd(text[after]);
        if (!atLineStart || !aloneOnLine) continue;
        SectionSpan span;
        span.header = at;
        span.body = SkipLineEnd(text, after);
        span.headerLineEnded = span.body != after;
        span.end = BodyEnd(text, span.body);
        return span;
    }
    return std::nullopt;
}

// Reads the body of a section, block by block, up to the next header.
std::optional<std::string> ReadBody(const std::string& file, std::string_view section) {
    const auto position = FindSection(file, section);
    if (!position) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    in.seekg(static_cast<std::streamoff>(position->body));
    std::string body;
    std::string block(kBlockSize, '\0');
    while (in) {
        in.read(block.data(), static_cast<std::streamsize>(block.size()));
        const auto got = static_cast<std::size_t>(in.gcount());
        if (got == 0) break;
        const std::size_t searchFrom = body.empty() ? 0 : body.size() - 1;
        body.append(block, 0, got);
        if (body.front() == '[') return std::string();
        const std::size_t next = body.find("\n[", searchFrom);
        if (next != std::string::npos) {
            body.resize(next + 1);
            break;
        }
    }
    return body;
}

// The value of a "key=value" line when the line is one of the key.
bool ValueOf(std::string_view line, std::string_view key, std::string_view& value) {
    if (line.size() <= key.size() || line.substr(0, key.size()) != key || line[key.size()] != '=')
        return false;
    value = line.substr(key.size() + 1);
    return true;
}

// A line end inside a key or value would make lines of its own: it becomes a blank.
std::string OneLine(std::string_view text) {
    std::string line(text);
    std::replace_if(line.begin(), line.end(), IsLineEnd, ' ');
    return line;
}

std::string PairLines(std::span<const std::string> keys, std::span<const std::string> values) {
    std::string text;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        text += OneLine(keys[i]);
        text += '=';
        if (i < values.size()) text += OneLine(values[i]);
        text += "\r\n";
    }
    return text;
}

bool WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Writes bytes over a part of an existing file.
bool WriteInPlace(Host& host, const std::string& file, std::size_t offset, std::string_view bytes) {
    const int fd = ::open(file.c_str(), O_WRONLY);
    if (fd < 0) {
        host.ShowInformation("Cannot open file " + file);
        return false;
    }
    const bool ok = ::lseek(fd, static_cast<off_t>(offset), SEEK_SET) >= 0 && WriteAll(fd, bytes) &&
                    ::fsync(fd) == 0;
    if (::close(fd) != 0 || !ok) {
        host.ShowInformation("Write error on file");
        return false;
    }
    return true;
}

// The file whole; a file that exists but cannot be read is reported.
enum class Loaded { Ok, Missing, Failed };
Loaded LoadWhole(Host& host, const std::string& file, std::string& text) {
    if (ReadFileText(file, text)) return Loaded::Ok;
    if (!FileExists(file)) return Loaded::Missing;
    host.ShowInformation("Cannot open file " + file);
    return Loaded::Failed;
}

} // namespace

std::optional<SectionPosition> FindSection(const std::string& file, std::string_view section) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    const std::string header = HeaderText(section);
    // Step back by the header's length, and the characters before and after it, so a header
    // across two blocks is whole in the next one.
    const std::size_t stepBack = header.size() + 2;
    const std::size_t blockSize = std::max(kBlockSize, 2 * stepBack);
    std::string block(blockSize, '\0');
    std::uint64_t blockStart = 0;
    for (;;) {
        in.clear();
        in.seekg(static_cast<std::streamoff>(blockStart));
        in.read(block.data(), static_cast<std::streamsize>(blockSize));
        const auto got = static_cast<std::size_t>(in.gcount());
        const bool atEnd = got < blockSize;
        const std::string_view view(block.data(), got);
        for (std::size_t at = view.find(header); at != std::string_view::npos;
             at = view.find(header, at + 1)) {
            const std::size_t after = at + header.size();
            // Checked in the block before or the block after, where both neighbours are in.
            if ((at == 0 && blockStart > 0) || (after == got && !atEnd)) continue;
            const bool atLineStart = at == 0 || view[at - 1] == '\n';
            const bool aloneOnLine = after == got || IsLineEnd(view[after]);
            if (!atLineStart || !aloneOnLine) continue;
            SectionPosition position;
            position.header = blockStart + at;
            position.body = blockStart + after;
            // The line end may lie beyond this block: read it.
            char end[2] = {};
            in.clear();
            in.seekg(static_cast<std::streamoff>(position.body));
            in.read(end, 2);
            const auto endGot = static_cast<std::size_t>(in.gcount());
            position.body += SkipLineEnd(std::string_view(end, endGot), 0);
            return position;
        }
        if (atEnd) return std::nullopt;
        blockStart += got - stepBack;
    }
}

std::string ReadKey(const std::string& file, std::string_view section, std::string_view key,
                    std::string_view defaultValue) {
    const auto body = ReadBody(file, section);
    if (!body) return std::string(defaultValue);
    std::string_view value;
    for (const auto& line : SplitTextLines(*body)) {
        if (!ValueOf(line, key, value)) continue;
        const auto last = value.find_last_not_of(' ');
        return std::string(value.substr(0, last == std::string_view::npos ? 0 : last + 1));
    }
    return std::string(defaultValue);
}

KeyValues ReadKeys(const std::string& file, std::string_view section,
                   std::span<const std::string> keys, std::span<const std::string> defaults) {
    KeyValues result;
    result.values.assign(keys.size(), std::string());
    for (std::size_t i = 0; i < keys.size() && i < defaults.size(); ++i)
        result.values[i] = defaults[i];
    const auto body = ReadBody(file, section);
    if (!body) return result;
    std::vector<bool> found(keys.size(), false);
    std::size_t remaining = keys.size();
    std::string_view value;
    for (const auto& line : SplitTextLines(*body)) {
        if (remaining == 0) break;
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (found[i] || !ValueOf(line, keys[i], value)) continue;
            result.values[i] = std::string(value);
            found[i] = true;
            --remaining;
        }
    }
    result.allFound = remaining == 0;
    return result;
}

std::vector<std::string> ListSections(const std::string& file) {
    std::vector<std::string> names;
    std::string text;
    if (!ReadFileText(file, text)) return names;
    for (const auto& line : SplitTextLines(text))
        if (!line.empty() && line.front() == '[')
            names.push_back(line.size() >= 2 ? line.substr(1, line.size() - 2) : std::string());
    return names;
}

std::vector<std::string> ReadSection(const std::string& file, std::string_view section) {
    std::vector<std::string> lines;
    const auto body = ReadBody(file, section);
    if (!body) return lines;
    for (auto& line : SplitTextLines(*body))
        if (!line.empty()) lines.push_back(std::move(line));
    return lines;
}

bool WriteKey(Host& host, const std::string& file, std::string_view section, std::string_view key,
              std::string_view value) {
    std::string text;
    const Loaded loaded = LoadWhole(host, file, text);
    if (loaded == Loaded::Failed) return false;
    const auto span = loaded == Loaded::Ok ? LocateSection(text, section) : std::nullopt;
    const std::string keyText = OneLine(key);
    const std::string valueText = OneLine(value);
    if (!span) return AppendSection(host, file, section, {&keyText, 1}, {&valueText, 1});
    const SectionSpan where = *span;

    std::size_t lastLineEnd = where.body;
    for (std::size_t at = where.body; at < where.end;) {
        std::size_t next = text.find('\n', at);
        next = next == std::string::npos || next >= where.end ? where.end : next + 1;
        std::size_t stop = next;
        while (stop > at && IsLineEnd(text[stop - 1]))
            --stop;
        std::string_view old;
        if (ValueOf(std::string_view(text).substr(at, stop - at), keyText, old)) {
            const std::size_t valueStart = at + keyText.size() + 1;
            if (old.size() == valueText.size())
                return WriteInPlace(host, file, valueStart, valueText);
            // Another width would run into the next line: change only this value.
            text.replace(valueStart, old.size(), valueText);
            return ReplaceFileContent(host, file, text);
        }
        if (stop > at) lastLineEnd = next;
        at = next;
    }
    // A new key goes after the section's last line.
    std::string line = keyText + "=" + valueText + "\r\n";
    if (!where.headerLineEnded || (lastLineEnd > 0 && text[lastLineEnd - 1] != '\n'))
        line.insert(0, "\r\n");
    text.insert(lastLineEnd, line);
    return ReplaceFileContent(host, file, text);
}

bool OverwriteSectionStart(Host& host, const std::string& file, std::string_view section,
                           std::span<const std::string> keys, std::span<const std::string> values) {
    std::string text;
    const Loaded loaded = LoadWhole(host, file, text);
    if (loaded == Loaded::Failed) return false;
    const auto span = loaded == Loaded::Ok ? LocateSection(text, section) : std::nullopt;
    if (!span) return AppendSection(host, file, section, keys, values);

    const std::string lines = PairLines(keys, values);
    // The bytes of as many old lines as there are pairs.
    std::size_t replacedEnd = span->body;
    for (std::size_t i = 0; i < keys.size() && replacedEnd < span->end; ++i) {
        const std::size_t next = text.find('\n', replacedEnd);
        replacedEnd = next == std::string::npos || next >= span->end ? span->end : next + 1;
    }
    if (span->headerLineEnded && replacedEnd - span->body == lines.size())
        return WriteInPlace(host, file, span->body, lines);
    // Other widths would spill into the following lines or leave part of one behind.
    text.replace(span->body, replacedEnd - span->body,
                 span->headerLineEnded ? lines : "\r\n" + lines);
    return ReplaceFileContent(host, file, text);
}

bool AppendSection(Host& host, const std::string& file, std::string_view section,
                   std::span<const std::string> keys, std::span<const std::string> values) {
    const std::string text = "\r\n" + HeaderText(section) + "\r\n" + PairLines(keys, values);
    const int fd = ::open(file.c_str(), O_WRONLY | O_APPEND | O_CREAT, 0644);
    if (fd < 0) {
        host.ShowInformation("Cannot open file " + file);
        return false;
    }
    struct stat before {};
    const bool sized = ::fstat(fd, &before) == 0;
    const bool ok = sized && WriteAll(fd, text) && ::fsync(fd) == 0;
    // A half-written section would be read as a real one: cut it off again.
    if (!ok && sized) (void)::ftruncate(fd, before.st_size);
    if (::close(fd) != 0 || !ok) {
        host.ShowInformation("Write error on file");
        return false;
    }
    return true;
}

bool RewriteSection(Host& host, const std::string& file, std::string_view section,
                    std::span<const std::string> keys, std::span<const std::string> values) {
    std::string text;
    if (LoadWhole(host, file, text) != Loaded::Ok) return false;
    const auto span = LocateSection(text, section);
    if (!span) return false;
    std::string rewritten = text.substr(0, span->body);
    if (!span->headerLineEnded) rewritten += "\r\n";
    rewritten += PairLines(keys, values);
    rewritten += "\r\n";
    rewritten.append(text, span->end, std::string::npos);
    return ReplaceFileContent(host, file, rewritten);
}

bool ReplaceInLines(Host& host, const std::string& file, int position, std::string_view oldText,
                    std::string_view newText) {
    if (position < 1 || oldText.empty()) return false;
    std::string text;
    const Loaded loaded = LoadWhole(host, file, text);
    if (loaded != Loaded::Ok) return loaded == Loaded::Missing;
    const auto at = static_cast<std::size_t>(position - 1);
    std::vector<std::string> lines = SplitTextLines(text);
    bool changed = false;
    for (auto& line : lines) {
        if (line.size() < at + oldText.size() || line.compare(at, oldText.size(), oldText) != 0)
            continue;
        line.replace(at, oldText.size(), newText);
        changed = true;
    }
    return !changed || RewriteTextLines(host, file, lines);
}

} // namespace quendra
