#pragma once

#include "host.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quendra {

// An ini-style settings file ("[Section]" headers, "key=value" lines) read and written by
// key. Section names and keys are compared without regard to case; blanks around keys and
// values are ignored; a value in matching quotes loses them; lines starting with ";" are
// comments. The first section of a name is the one used. Lines end in CR LF when written
// and may end in CR LF or LF when read.
class Profile {
  public:
    // Reads the file; a missing or unreadable file reads as empty.
    static Profile Load(const std::string& path);

    const std::string& Path() const { return path_; }

    // Missing key: the default.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // Missing or empty key: the default. A value that does not start with a number reads as
    // 0, so callers can tell "not a number" apart and apply their fallback.
    int ReadInt(std::string_view section, std::string_view key, int defaultValue) const;
    bool HasKey(std::string_view section, std::string_view key) const;
    bool HasSection(std::string_view section) const;
    // The keys of a section in file order.
    std::vector<std::string> Keys(std::string_view section) const;

    // Changes in memory; Save writes them. The section is created when missing.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInt(std::string_view section, std::string_view key, int value);
    void DeleteKey(std::string_view section, std::string_view key);
    void EraseSection(std::string_view section);

    bool Modified() const { return modified_; }
    // Writes the file through the crash-safe rewrite when something changed. A file that
    // exists but could not be read is left alone: "Cannot open file " + path.
    bool Save(Host& host);

  private:
    std::size_t SectionLine(std::string_view section) const;
    std::size_t SectionEnd(std::size_t headerLine) const;
    std::size_t KeyLine(std::size_t headerLine, std::string_view key) const;

    std::string path_;
    std::vector<std::string> lines_;
    bool modified_ = false;
    // The file is there but could not be read: never write over it.
    bool unreadable_ = false;
};

// One-call forms that open, use and close the file each time.
std::string ProfileReadString(const std::string& path, std::string_view section,
                              std::string_view key, std::string_view defaultValue);
int ProfileReadInt(const std::string& path, std::string_view section, std::string_view key,
                   int defaultValue);
bool ProfileWriteString(Host& host, const std::string& path, std::string_view section,
                        std::string_view key, std::string_view value);
bool ProfileWriteInt(Host& host, const std::string& path, std::string_view section,
                     std::string_view key, int value);
bool ProfileDeleteKey(Host& host, const std::string& path, std::string_view section,
                      std::string_view key);
bool ProfileEraseSection(Host& host, const std::string& path, std::string_view section);

} // namespace quendra
