#include "comments.h"

#include "data_paths.h"
#include "file_rewrite.h"
#include "safe_file_name.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace quendra {

namespace {

// Files larger than this are not comments someone typed.
constexpr std::size_t kMaxFileBytes = 4 * 1024 * 1024;

// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, unsigned long cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The next code point of UTF-8 text; a broken sequence gives U+FFFD for its first byte.
unsigned long NextCodePoint(std::string_view s, std::size_t& i) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
        ++i;
        return b;
    }
    const int extra = (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= s.size()) {
        ++i;
        return 0xFFFD;
    }
    unsigned long cp = b & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        const auto c = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
        if ((c & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    i += static_cast<std::size_t>(extra) + 1;
    return cp;
}

void WriteText(std::string& out, std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const unsigned long cp = NextCodePoint(text, i);
        if (cp == '\n') {
            out += "\\par\r\n";
        } else if (cp == '\\' || cp == '{' || cp == '}') {
            out += '\\';
            out += static_cast<char>(cp);
        } else if (cp == '\t') {
            out += "\\tab ";
        } else if (cp < 0x20) {
            // Other control characters have no place in a note.
        } else if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x10000) {
            // \u takes a signed 16-bit value, then one fallback character.
            out += "\\u" + std::to_string(cp < 0x8000 ? long(cp) : long(cp) - 0x10000) + "?";
        } else {
            const unsigned long v = cp - 0x10000;
            for (unsigned long unit : {0xD800 + (v >> 10), 0xDC00 + (v & 0x3FF)})
                out += "\\u" + std::to_string(long(unit) - 0x10000) + "?";
        }
    }
}

struct Style {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool skip = false; // inside a destination that holds no text
    int fallbackChars = 1;
};

class RtfReader {
  public:
    RtfReader(std::string_view rtf, CommentText& out) : s_(rtf), out_(out) {}

    bool Read() {
        std::size_t start = 0;
        while (start < s_.size() && (s_[start] == ' ' || s_[start] == '\r' || s_[start] == '\n'))
            ++start;
        if (s_.substr(start, 5) != "{\\rtf") return false;
        std::vector<Style> stack;
        Style style;
        pos_ = start;
        while (pos_ < s_.size()) {
            const char c = s_[pos_];
            if (c == '{') {
                // Deep nesting is not rich text anyone wrote; stop reading rather than grow.
                if (stack.size() > 200) return false;
                stack.push_back(style);
                ++pos_;
                if (s_.substr(pos_, 2) == "\\*") style.skip = true;
            } else if (c == '}') {
                if (stack.empty()) break;
                style = stack.back();
                stack.pop_back();
                ++pos_;
            } else if (c == '\\') {
                ControlWord(style);
            } else if (c == '\r' || c == '\n') {
                ++pos_;
            } else {
                Emit(style, std::string(1, c));
                ++pos_;
            }
        }
        FlushSurrogate(style);
        // A last paragraph mark ends the text rather than opening an empty line.
        if (!out_.empty() && !out_.back().text.empty() && out_.back().text.back() == '\n')
            out_.back().text.pop_back();
        if (!out_.empty() && out_.back().text.empty()) out_.pop_back();
        return true;
    }

  private:
    void Emit(const Style& style, const std::string& text) {
        if (style.skip || text.empty()) return;
        if (pendingHigh_ != 0) FlushSurrogate(style);
        if (!out_.empty() && out_.back().bold == style.bold &&
            out_.back().italic == style.italic && out_.back().underline == style.underline) {
            out_.back().text += text;
        } else {
            out_.push_back({text, style.bold, style.italic, style.underline});
        }
    }
    void FlushSurrogate(const Style& style) {
        if (pendingHigh_ == 0) return;
        pendingHigh_ = 0;
        std::string replacement;
        AppendUtf8(replacement, 0xFFFD);
        Emit(style, replacement);
    }
    void EmitCodePoint(Style& style, long value) {
        unsigned long cp = static_cast<unsigned long>(value < 0 ? value + 0x10000 : value);
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            FlushSurrogate(style);
            pendingHigh_ = cp;
            return;
        }
        if (cp >= 0xDC00 && cp <= 0xDFFF && pendingHigh_ != 0) {
            cp = 0x10000 + ((pendingHigh_ - 0xD800) << 10) + (cp - 0xDC00);
            pendingHigh_ = 0;
        }
        std::string text;
        AppendUtf8(text, cp);
        Emit(style, text);
    }
    // Skips the fallback characters that follow a \u escape.
    void SkipFallback(const Style& style) {
        for (int n = 0; n < style.fallbackChars && pos_ < s_.size();) {
            const char c = s_[pos_];
            if (c == '{' || c == '}') return;
            if (c == '\\') {
                if (s_.substr(pos_, 2) == "\\'") {
                    pos_ += std::min<std::size_t>(4, s_.size() - pos_);
                } else {
                    return;
                }
            } else {
                ++pos_;
            }
            ++n;
        }
    }
    void ControlWord(Style& style) {
        ++pos_; // the backslash
        if (pos_ >= s_.size()) return;
        const char c = s_[pos_];
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++pos_;
            if (c == '\\' || c == '{' || c == '}') {
                Emit(style, std::string(1, c));
            } else if (c == '\'') {
                const std::string hex(s_.substr(pos_, 2));
                pos_ += hex.size();
                char* end = nullptr;
                const long value = std::strtol(hex.c_str(), &end, 16);
                if (hex.size() == 2 && end == hex.c_str() + 2) EmitCodePoint(style, value);
            } else if (c == '~') {
                EmitCodePoint(style, 0xA0);
            } else if (c == '\r' || c == '\n') {
                Emit(style, "\n");
            }
            return;
        }
        std::string word;
        while (pos_ < s_.size() && std::isalpha(static_cast<unsigned char>(s_[pos_])) &&
               word.size() < 32)
            word += s_[pos_++];
        bool hasValue = false;
        long value = 0;
        std::string digits;
        if (pos_ < s_.size() && (s_[pos_] == '-' || std::isdigit(static_cast<unsigned char>(s_[pos_])))) {
            digits += s_[pos_++];
            while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_])) &&
                   digits.size() < 10)
                digits += s_[pos_++];
            hasValue = digits != "-";
            value = hasValue ? std::strtol(digits.c_str(), nullptr, 10) : 0;
        }
        if (pos_ < s_.size() && s_[pos_] == ' ') ++pos_;
        const bool on = !hasValue || value != 0;
        if (word == "b") {
            style.bold = on;
        } else if (word == "i") {
            style.italic = on;
        } else if (word == "ul") {
            style.underline = on;
        } else if (word == "ulnone") {
            style.underline = false;
        } else if (word == "plain") {
            style.bold = style.italic = style.underline = false;
        } else if (word == "par" || word == "line") {
            Emit(style, "\n");
        } else if (word == "tab") {
            Emit(style, "\t");
        } else if (word == "uc") {
            style.fallbackChars = value < 0 ? 0 : (value > 8 ? 8 : int(value));
        } else if (word == "u" && hasValue) {
            EmitCodePoint(style, value);
            SkipFallback(style);
        } else if (word == "fonttbl" || word == "colortbl" || word == "stylesheet" ||
                   word == "info" || word == "pict" || word == "header" || word == "footer") {
            style.skip = true;
        }
    }

    std::string_view s_;
    CommentText& out_;
    std::size_t pos_ = 0;
    unsigned long pendingHigh_ = 0;
};

bool TextEmpty(const CommentText& text) {
    for (const CommentRun& run : text)
        if (!run.text.empty()) return false;
    return true;
}

} // namespace

std::string WriteCommentsRtf(const CommentText& text) {
    std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss MS Sans Serif;}}"
                      "\r\n\\viewkind4\\uc1\\pard\\f0\\fs16 ";
    Style current;
    for (const CommentRun& run : text) {
        std::string switches;
        if (run.bold != current.bold) switches += run.bold ? "\\b" : "\\b0";
        if (run.italic != current.italic) switches += run.italic ? "\\i" : "\\i0";
        if (run.underline != current.underline) switches += run.underline ? "\\ul" : "\\ulnone";
        if (!switches.empty()) out += switches + " ";
        current.bold = run.bold;
        current.italic = run.italic;
        current.underline = run.underline;
        WriteText(out, run.text);
    }
    out += "\\par\r\n}\r\n";
    return out;
}

bool ReadCommentsRtf(std::string_view rtf, CommentText& text) {
    text.clear();
    RtfReader reader(rtf, text);
    if (reader.Read()) return true;
    text.clear();
    return false;
}

std::string CommentsFilePath(const GameContext& ctx, const std::string& gameName) {
    return ResolveDataPath(ctx.ProgramDir(), "DATA\\Comments_" + SafeFileNamePart(gameName) + ".rtf");
}

bool HasComments(const GameContext& ctx, const std::string& gameName) {
    return FileExists(CommentsFilePath(ctx, gameName));
}

bool LoadComments(GameContext& ctx, const std::string& gameName, CommentText& text) {
    text.clear();
    const std::string path = CommentsFilePath(ctx, gameName);
    if (!FileExists(path)) return true;
    std::string content;
    if (!ReadFileText(path, content) || content.size() > kMaxFileBytes ||
        !ReadCommentsRtf(content, text)) {
        text.clear();
        ctx.host.ShowInformation("The comments of " + gameName + " cannot be read:\r" + path);
        return false;
    }
    return true;
}

bool SaveComments(GameContext& ctx, const std::string& gameName, const CommentText& text) {
    const std::string path = CommentsFilePath(ctx, gameName);
    if (TextEmpty(text)) {
        if (FileExists(path) && std::remove(path.c_str()) != 0) {
            ctx.host.ShowInformation("The comments file cannot be deleted:\r" + path);
            return false;
        }
        return true;
    }
    return ReplaceFileContent(ctx.host, path, WriteCommentsRtf(text));
}

} // namespace quendra
