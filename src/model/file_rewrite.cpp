#include "file_rewrite.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace quendra {

namespace {

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (written == 0) return false;
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Makes the rename itself durable; a folder that cannot be synced is no reason to fail.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

bool ReplaceFileContent(Host& host, const std::string& path, std::string_view content) {
    const std::string folder = FolderOf(path);
    std::string tempPath = folder + "/rplXXXXXX";
    const int fd = ::mkstemp(tempPath.data());
    if (fd < 0) {
        host.ShowInformation("Error creating temp file.");
        return false;
    }
    // mkstemp makes the file private; keep the permissions the old file had.
    struct stat old {};
    ::fchmod(fd, ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);

    const bool written = WriteAll(fd, content) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        // Incomplete content is of no use to anyone: drop it, keep the old file.
        ::unlink(tempPath.c_str());
        host.ShowInformation("Write error on file");
        return false;
    }
    if (std::rename(tempPath.c_str(), path.c_str()) != 0) {
        host.ShowInformation("Error in renaming the file: " + tempPath + "\r" + "to:" + " " + path);
        return false;
    }
    SyncFolder(folder);
    return true;
}

bool ReadFileText(const std::string& path, std::string& content) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

std::vector<std::string> SplitTextLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) end = text.size();
        std::size_t stop = end;
        if (stop > start && text[stop - 1] == '\r') --stop;
        lines.emplace_back(text.substr(start, stop - start));
        start = next;
    }
    return lines;
}

std::string JoinTextLines(const std::vector<std::string>& lines) {
    std::string text;
    std::size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + 2;
    text.reserve(size);
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

bool RewriteTextLines(Host& host, const std::string& path, const std::vector<std::string>& lines) {
    return ReplaceFileContent(host, path, JoinTextLines(lines));
}

} // namespace quendra
