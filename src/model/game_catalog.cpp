#include "game_catalog.h"

#include "cards.h"
#include "data_paths.h"
#include "game_params.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <charconv>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <limits>
#include <mutex>
#include <optional>
#include <sstream>
#include <sys/stat.h>
#include <system_error>

namespace quendra {

namespace {

constexpr int kMostCardsPerClick = 104;
constexpr std::array<int, 3> kDirectionValues{1, 0, 2};
constexpr std::array<int, 5> kMethodValues{0, 3, 2, 1, 21};
constexpr std::size_t kFieldStart = 16; // 0-based start of the first game's field
constexpr std::size_t kFieldWidth = 11;
constexpr std::size_t kValueWidth = 10;

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string_view Chars(std::string_view line, std::size_t from1, std::size_t count) {
    if (from1 - 1 >= line.size()) return {};
    return line.substr(from1 - 1, count);
}

// A signed decimal integer, nothing else; false otherwise.
bool ParseSigned(std::string_view text, long& value) {
    if (text.empty()) return false;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (*first == '+') ++first;
    auto [ptr, ec] = std::from_chars(first, last, value);
    return ec == std::errc{} && ptr == last;
}

// The game number of a catalogue line (characters 5-7); -1 when it is not a number.
int LineNumber(std::string_view line) {
    return ParseDigits(Chars(line, 5, 3));
}

// Index of the game in GameList, -1 when absent: the entry at position n is tried first.
int FindInGameList(const std::vector<std::string>& list, int number) {
    if (number < 0 || number >= kFirstCustomGame) return -1;
    const auto n = static_cast<std::size_t>(number);
    if (n < list.size() && LineNumber(list[n]) == number) return number;
    for (std::size_t i = 0; i < list.size(); ++i)
        if (LineNumber(list[i]) == number) return static_cast<int>(i);
    return -1;
}

// The file's lines; false when there is none or it is not a customised-games file.
bool ReadCustomLines(const GameContext& ctx, std::vector<std::string>& lines) {
    return ReadTextLines(CustomGamesPath(ctx), lines) && IsCustomGamesHeader(lines);
}

// A signed number of the overlay within [low, high]; false otherwise.
bool OverlayField(std::string_view overlay, std::size_t from1, std::size_t count, long low,
                  long high, long& value) {
    return ParseSigned(Trim(Chars(overlay, from1, count)), value) && value >= low && value <= high;
}

std::string OverlayProblem(std::string_view overlay) {
    if (overlay.size() < 17) return "its rules line is shorter than 17 characters";
    long value = 0;
    if (!OverlayField(overlay, 1, 3, 0, kMostCardsPerClick, value))
        return "its cards per stock click are out of range";
    if (!OverlayField(overlay, 4, 3, -1, 99, value)) return "its redeals are out of range";
    const char empty = overlay[6];
    if (empty < '0' || empty > '3') return "its empty tableau pile choice is out of range";
    if (!OverlayField(overlay, 8, 2, -1, 2, value) || !OverlayField(overlay, 13, 2, -1, 2, value))
        return "a direction of building is out of range";
    if (!OverlayField(overlay, 10, 3, -1, 4, value) || !OverlayField(overlay, 15, 3, -1, 4, value))
        return "a method of building is out of range";
    return {};
}

// Reads the stored value of a parameter row's field at `start`: the field unshifted and
// without its spaces, as a signed number. No text is built: every field of the catalogue is
// read at start-up.
FieldRead ReadStoredField(std::string_view row, std::size_t start, long& value) {
    if (start >= row.size()) return FieldRead::Missing;
    const std::string_view stored = row.substr(start, kValueWidth);
    // Most fields are a few digits and a minus at most, then spaces, stored shifted: read
    // those at once, the rest as the general rule has it.
    {
        constexpr char kSpace = ' ' + 48, kMinus = '-' + 48, kZero = '0' + 48, kNine = '9' + 48;
        const char* at = stored.data();
        const char* const end = at + stored.size();
        const bool negative = at < end && *at == kMinus;
        if (negative) ++at;
        long number = 0;
        const char* const digits = at;
        while (at < end && *at >= kZero && *at <= kNine && at - digits < 9)
            number = number * 10 + (*at++ - kZero);
        // The spaces after: compared at once, as the field is as wide as they can be.
        static constexpr char kSpaces[kValueWidth] = {kSpace, kSpace, kSpace, kSpace, kSpace,
                                                      kSpace, kSpace, kSpace, kSpace, kSpace};
        const auto rest = static_cast<std::size_t>(end - at);
        if (at > digits && std::memcmp(at, kSpaces, rest) == 0) {
            value = negative ? -number : number;
            return FieldRead::Ok;
        }
    }
    std::array<char, kValueWidth> plain{};
    std::size_t length = 0;
    for (const char c : stored) {
        const int code = static_cast<unsigned char>(c);
        plain[length++] = static_cast<char>(code >= 80 ? code - 48 : code + 48);
    }
    const std::string_view text(plain.data(), length);
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return FieldRead::NotANumber;
    const auto last = text.find_last_not_of(' ');
    if (!ParseSigned(text.substr(first, last - first + 1), value)) return FieldRead::NotANumber;
    return FieldRead::Ok;
}

void LayRowOverlay(GameParams& params, int firstRow, int count, int value) {
    for (int i = 0; i < count; ++i)
        params.at(static_cast<std::size_t>(firstRow + i)) = static_cast<std::int16_t>(value);
}

// Lays a customised game's overlay (record line 2, checked by OverlayProblem) over the loaded
// block. A direction or method of -1 (its control was not offered) leaves the game's own.
void LayOverlay(GameParams& params, std::string_view overlay) {
    const int fila = std::clamp<int>(params[param::kTableauCount], 0, kFilaPiles);
    const int dest = std::clamp<int>(params[param::kFoundationCount], 0, kDestPiles);

    long perClick = 0, redeals = 0;
    if (OverlayField(overlay, 1, 3, 0, kMostCardsPerClick, perClick) &&
        OverlayField(overlay, 4, 3, -1, 99, redeals)) {
        params[param::kCardsPerClick] = static_cast<std::int16_t>(perClick);
        params[param::kPasses] = static_cast<std::int16_t>(redeals);
    }

    const std::string_view emptyChoice = Chars(overlay, 7, 1);
    if (emptyChoice == "1") LayRowOverlay(params, param::kTableauEmptyRule, fila, 91);
    if (emptyChoice == "2") LayRowOverlay(params, param::kTableauEmptyRule, fila, -1);
    if (emptyChoice == "3") LayRowOverlay(params, param::kTableauEmptyRule, fila, 0);

    auto layPair = [&](std::size_t dirAt, std::size_t methodAt, int dirRow, int methodRow,
                       int count) {
        // Each on its own: a method changed where the direction was not offered still counts.
        long direction = -1, method = -1;
        if (OverlayField(overlay, dirAt, 2, 0, 2, direction))
            LayRowOverlay(params, dirRow, count, DirectionOfIndex(static_cast<int>(direction)));
        if (OverlayField(overlay, methodAt, 3, 0, 4, method))
            LayRowOverlay(params, methodRow, count, MethodOfIndex(static_cast<int>(method)));
    };
    layPair(8, 10, param::kTableauDirection, param::kTableauMethod, fila);
    layPair(13, 15, param::kFoundationDirection, param::kFoundationMethod, dest);
}

} // namespace

void CatalogueRows::Add(std::string_view row) {
    Row info;
    info.index = ParseDigits(Trim(Chars(row, 1, 4)));
    info.blank = row.find_first_not_of(' ') == std::string_view::npos;
    info.first = values_.size();
    for (std::size_t start = kFieldStart; start < row.size(); start += kFieldWidth) {
        long value = 0;
        const bool number = ReadStoredField(row, start, value) == FieldRead::Ok;
        const bool fits = number && value >= std::numeric_limits<std::int8_t>::min() &&
                          value <= std::numeric_limits<std::int8_t>::max();
        if (!fits) odd_[values_.size()] = Odd{number, value};
        values_.push_back(fits ? static_cast<std::int8_t>(value) : std::int8_t{0});
        ++info.fields;
    }
    rows_.push_back(info);
}

void CatalogueRows::Reserve(std::size_t values) { values_.reserve(values); }

FieldRead CatalogueRows::Field(std::size_t row, int column, long& value) const {
    const Row& info = rows_.at(row);
    if (column < 0 || column >= info.fields) return FieldRead::Missing;
    const std::size_t at = info.first + static_cast<std::size_t>(column);
    if (const auto odd = odd_.find(at); odd != odd_.end()) {
        if (!odd->second.number) return FieldRead::NotANumber;
        value = odd->second.value;
        return FieldRead::Ok;
    }
    value = values_[at];
    return FieldRead::Ok;
}

int DirectionOfIndex(int index) {
    return index >= 0 && index < 3 ? kDirectionValues[static_cast<std::size_t>(index)] : index;
}

int IndexOfDirection(int value) {
    const auto at = std::find(kDirectionValues.begin(), kDirectionValues.end(), value);
    return at == kDirectionValues.end() ? -1 : static_cast<int>(at - kDirectionValues.begin());
}

int MethodOfIndex(int index) {
    return index >= 0 && index < 5 ? kMethodValues[static_cast<std::size_t>(index)] : index;
}

int IndexOfMethod(int value) {
    const auto at = std::find(kMethodValues.begin(), kMethodValues.end(), value);
    return at == kMethodValues.end() ? -1 : static_cast<int>(at - kMethodValues.begin());
}

std::string fnUnshiftText(std::string_view stored) {
    std::string plain(stored);
    for (char& c : plain) {
        const int code = static_cast<unsigned char>(c);
        c = static_cast<char>(code >= 80 ? code - 48 : code + 48);
    }
    return plain;
}

std::string fnShiftText(std::string_view plain) {
    std::string stored(plain);
    for (char& c : stored) {
        const int code = static_cast<unsigned char>(c);
        c = static_cast<char>(code <= 78 ? code + 48 : code - 48);
    }
    return stored;
}

namespace {

// One read of the whole file into a buffer of its size: the catalogue is a megabyte.
bool ReadWholeFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return false;
    const std::streamoff size = in.tellg();
    if (size < 0) return false;
    text.assign(static_cast<std::size_t>(size), '\0');
    in.seekg(0);
    return static_cast<bool>(in.read(text.data(), size));
}

// Each line of the text without its end, CR LF or LF.
template <typename Take> void ForEachLine(std::string_view text, Take&& take) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::size_t lineEnd = end;
        if (lineEnd > start && text[lineEnd - 1] == '\r') --lineEnd;
        take(text.substr(start, lineEnd - start));
        start = end + 1;
    }
}

} // namespace

bool ReadTextLines(const std::string& path, std::vector<std::string>& lines) {
    std::string text;
    if (!ReadWholeFile(path, text)) return false;
    lines.clear();
    lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    ForEachLine(text, [&](std::string_view line) { lines.emplace_back(line); });
    return true;
}

std::vector<std::string> SectionLines(const std::vector<std::string>& lines,
                                      std::string_view header) {
    std::vector<std::string> body;
    bool inside = false;
    for (const std::string& line : lines) {
        if (line.starts_with(header)) {
            inside = true;
            continue;
        }
        if (line.starts_with("[")) {
            inside = false;
            continue;
        }
        if (inside) body.push_back(line);
    }
    return body;
}

namespace {

// The file a catalogue was read from, as it was then.
struct FileMark {
    std::string path;
    struct timespec time {};
    off_t size = 0;
    ino_t inode = 0;
    bool operator==(const FileMark& other) const {
        return path == other.path && time.tv_sec == other.time.tv_sec &&
               time.tv_nsec == other.time.tv_nsec && size == other.size && inode == other.inode;
    }
};

struct ReadCatalogue {
    FileMark mark;
    std::shared_ptr<const CatalogueText> text;
};

std::optional<FileMark> MarkOf(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return std::nullopt;
    return FileMark{path, status.st_mtim, status.st_size, status.st_ino};
}

// Reads and takes apart the whole catalogue.
std::shared_ptr<const CatalogueText> ParseCatalogue(const std::string& path) {
    auto text = std::make_shared<CatalogueText>();
    std::string whole;
    if (!ReadWholeFile(path, whole)) return nullptr;
    // Room for every value at once: grown by doubling, the values left holes in the heap.
    text->parameterRows.Reserve(whole.size() / kFieldWidth);
    bool inside = false;
    ForEachLine(whole, [&](std::string_view line) {
        if (line.starts_with("[")) inside = line.starts_with("[Sect2]");
        else if (inside) {
            text->parameterRows.Add(line);
            return;
        }
        text->lines.emplace_back(line);
    });
    return text;
}

// The catalogue kept, and the one being read ahead on a thread.
std::mutex catalogueGuard;
ReadCatalogue keptCatalogue;
std::shared_future<ReadCatalogue> catalogueAhead;

// File times are coarse: a file written moments ago may be written again with the same time
// and size, so only a settled file is kept.
void KeepIfSettled(const ReadCatalogue& read) {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    if (read.text &&
        std::chrono::duration_cast<std::chrono::seconds>(now).count() - read.mark.time.tv_sec >= 2)
        keptCatalogue = read;
}

} // namespace

void ReadCatalogueAhead(const std::string& path) {
    const std::lock_guard lock(catalogueGuard);
    if (catalogueAhead.valid()) return;
    try {
        catalogueAhead = std::async(std::launch::async, [path] {
                             const std::optional<FileMark> mark = MarkOf(path);
                             return mark ? ReadCatalogue{*mark, ParseCatalogue(path)}
                                         : ReadCatalogue{};
                         }).share();
    } catch (const std::system_error&) {
        // No thread to be had: the first reader reads it.
    }
}

std::shared_ptr<const CatalogueText> ReadCatalogueText(const std::string& path) {
    const std::optional<FileMark> mark = MarkOf(path);
    if (!mark) return nullptr;
    std::shared_future<ReadCatalogue> ahead;
    {
        const std::lock_guard lock(catalogueGuard);
        if (keptCatalogue.text && keptCatalogue.mark == *mark) return keptCatalogue.text;
        ahead = catalogueAhead;
    }
    // A reading ahead of the same file, as it still is, is waited for.
    if (ahead.valid()) {
        const ReadCatalogue read = ahead.get();
        const std::lock_guard lock(catalogueGuard);
        catalogueAhead = {}; // taken once, not kept beside the catalogue
        if (read.text && read.mark == *mark) {
            KeepIfSettled(read);
            return read.text;
        }
    }
    const ReadCatalogue read{*mark, ParseCatalogue(path)};
    if (!read.text) return nullptr;
    const std::lock_guard lock(catalogueGuard);
    KeepIfSettled(read);
    return read.text;
}

std::string GamesDatPath(const GameContext& ctx) {
    if (!ctx.gamesFile.empty()) return ctx.gamesFile;
    return ResolveDataPath(ctx.ProgramDir(), "GAMES.DAT");
}

std::string CustomGamesPath(const GameContext& ctx) {
    return ResolveDataPath(ctx.ProgramDir(), "DATA\\GAM_CUST.DAT");
}

bool LoadGameList(GameContext& ctx) {
    const std::string path = GamesDatPath(ctx);
    const std::shared_ptr<const CatalogueText> text = ReadCatalogueText(path);
    if (!text) {
        ctx.host.ShowError("Cannot read the games file:\r" + path);
        return false;
    }
    ctx.mainGame.GameList.clear();
    for (const std::string& stored : SectionLines(text->lines, "[Sect1]")) {
        std::string line = fnUnshiftText(stored);
        if (Chars(line, 8, 1) == "9") continue;
        ctx.mainGame.GameList.push_back(std::move(line));
    }
    return true;
}

namespace {

bool ReadCatalogueColumn(const GameContext& ctx, int number, GameParams& params,
                         std::string& error) {
    const std::string path = GamesDatPath(ctx);
    const int column = GameColumn(ctx, number);
    if (column < 0) {
        error = "The game " + std::to_string(number) + " is not in the catalogue of " + path + ".";
        return false;
    }
    const std::shared_ptr<const CatalogueText> text = ReadCatalogueText(path);
    if (!text) {
        error = "Cannot read the games file:\r" + path;
        return false;
    }
    GameParams read = params;
    const CatalogueRows& rows = text->parameterRows;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (rows.Blank(r)) continue;
        const auto where = [&] {
            return path + ", [Sect2] row " + std::to_string(r + 1) + ", game column " +
                   std::to_string(column);
        };
        const int index = rows.Index(r);
        if (index < 0 || index >= kParamCount) {
            error = "Bad parameter number in " + where() + ".";
            return false;
        }
        long value = 0;
        switch (rows.Field(r, column, value)) {
        case FieldRead::Ok:
            break;
        case FieldRead::Missing:
            error = "Missing parameter value in " + where() + ".";
            return false;
        case FieldRead::NotANumber:
            error = "Parameter value is not a number in " + where() + ".";
            return false;
        }
        if (value < std::numeric_limits<std::int16_t>::min() ||
            value > std::numeric_limits<std::int16_t>::max()) {
            error = "Parameter value out of range in " + where() + ".";
            return false;
        }
        // Entries 488 and 489 are not part of a definition and keep what they held.
        if (index < 488) read[static_cast<std::size_t>(index)] = static_cast<std::int16_t>(value);
    }
    params = read;
    return true;
}

} // namespace

bool ReadGameDefinition(const GameContext& ctx, int number, GameParams& params,
                        std::string& error) {
    if (number < kFirstCustomGame) return ReadCatalogueColumn(ctx, number, params, error);
    const CustomGameInfo info = CustomGameBase(ctx, number);
    if (info.base < 0) {
        error = info.problem.empty()
                    ? "The customised game " + std::to_string(number) + " is not in the file " +
                          CustomGamesPath(ctx) + "."
                    : "The customised game " + std::to_string(number) + " in the file " +
                          CustomGamesPath(ctx) + " cannot be played: " + info.problem + ".";
        return false;
    }
    if (!ReadCatalogueColumn(ctx, info.base, params, error)) return false;
    LayOverlay(params, info.overlay);
    return true;
}

bool LoadGameDefinition(GameContext& ctx) {
    long requested = -1;
    ParseSigned(Trim(GetSetting(ctx.settings, field::kGameNumber)), requested);
    // Rows the catalogue does not hold read as 0; entries 488 and 489 keep what they held.
    GameParams params{};
    params[488] = ctx.params[488];
    params[489] = ctx.params[489];
    std::string error;
    if (requested < 0 || requested > kLastCustomGame ||
        !ReadGameDefinition(ctx, static_cast<int>(requested), params, error)) {
        ctx.host.ShowError(error.empty() ? "The game " + std::to_string(requested) +
                                               " is not in the catalogue of " +
                                               GamesDatPath(ctx) + "."
                                         : error);
        return false;
    }
    ctx.params = params;
    SaveRuleCopy(ctx);
    return true;
}

void SaveRuleCopy(GameContext& ctx) {
    auto& copy = ctx.savedRules.values;
    std::copy_n(ctx.params.begin() + 131, 40, copy.begin());
    std::copy_n(ctx.params.begin() + 51, 16, copy.begin() + 40);
}

void RestoreRuleCopy(GameContext& ctx) {
    const auto& copy = ctx.savedRules.values;
    std::copy_n(copy.begin(), 40, ctx.params.begin() + 131);
    std::copy_n(copy.begin() + 40, 16, ctx.params.begin() + 51);
}

int GameColumn(const GameContext& ctx, int number) {
    return FindInGameList(ctx.mainGame.GameList, number);
}

std::string GameName(const GameContext& ctx, int number) {
    if (number < 0) return {};
    if (number < kFirstCustomGame) {
        const int column = GameColumn(ctx, number);
        if (column < 0) return {};
        return Trim(Chars(ctx.mainGame.GameList[static_cast<std::size_t>(column)], 11, 50));
    }
    std::vector<std::string> lines;
    if (!ReadCustomLines(ctx, lines)) return {};
    const int at = FindCustomRecord(lines, number);
    if (at < 0 || !CustomRecordProblem(ctx, lines, static_cast<std::size_t>(at)).empty())
        return {};
    return Trim(Chars(lines[static_cast<std::size_t>(at)], 5, 50));
}

int GameNumber(const GameContext& ctx, std::string_view name) {
    const std::string wanted = Upper(Trim(name));
    for (const std::string& line : ctx.mainGame.GameList)
        if (Upper(Trim(Chars(line, 11, 50))) == wanted) return LineNumber(line);
    std::vector<std::string> lines;
    if (!ReadCustomLines(ctx, lines)) return -1;
    for (std::size_t i = 1; i < lines.size(); i += kCustomRecordLines) {
        const int number = ParseDigits(Chars(lines[i], 1, 4));
        if (number >= 0 && Upper(Trim(Chars(lines[i], 5, 50))) == wanted &&
            CustomRecordProblem(ctx, lines, i).empty())
            return number;
    }
    return -1;
}

int GameType(const GameContext& ctx, int number) {
    if (number < 0) return -1;
    if (number >= kFirstCustomGame) return 800;
    const int column = GameColumn(ctx, number);
    if (column < 0) return -1;
    return ParseDigits(Trim(Chars(ctx.mainGame.GameList[static_cast<std::size_t>(column)], 1, 3)));
}

std::array<int, 9> ReadGameParams(const GameContext& ctx, int number, std::span<const int> rows) {
    std::array<int, 9> values;
    values.fill(-99);
    if (number >= kFirstCustomGame) number = CustomGameBase(ctx, number).base;
    const int column = GameColumn(ctx, number);
    if (column < 0) return values;
    const std::shared_ptr<const CatalogueText> text = ReadCatalogueText(GamesDatPath(ctx));
    if (!text) return values;
    const CatalogueRows& section = text->parameterRows;
    for (std::size_t i = 0; i < rows.size() && i < values.size(); ++i) {
        const int row = rows[i];
        if (row < 1 || static_cast<std::size_t>(row) > section.size()) continue;
        long value = 0;
        if (section.Field(static_cast<std::size_t>(row) - 1, column, value) == FieldRead::Ok)
            values[i] = static_cast<int>(value);
    }
    return values;
}

std::vector<std::string> ReadParamPairs(const GameContext& ctx, int rowA, int rowB) {
    std::vector<std::string> pairs;
    const std::shared_ptr<const CatalogueText> text = ReadCatalogueText(GamesDatPath(ctx));
    if (!text) return pairs;
    const CatalogueRows& section = text->parameterRows;
    // A row that is not there has no values.
    auto field = [&](int row, int column, long& value) {
        if (row < 1 || static_cast<std::size_t>(row) > section.size()) return FieldRead::Missing;
        return section.Field(static_cast<std::size_t>(row) - 1, column, value);
    };
    for (std::size_t column = 0; column < ctx.mainGame.GameList.size(); ++column) {
        long a = 0, b = 0;
        if (field(rowA, static_cast<int>(column), a) != FieldRead::Ok) a = 0;
        if (field(rowB, static_cast<int>(column), b) != FieldRead::Ok) b = 0;
        pairs.push_back(fnFormatNumber(a, 10) + fnFormatNumber(b, 10));
    }
    return pairs;
}

bool IsCustomGamesHeader(const std::vector<std::string>& lines) {
    return !lines.empty() && Trim(lines.front()) == kCustomGamesHeader;
}

int FindCustomRecord(const std::vector<std::string>& lines, int number) {
    for (std::size_t i = 1; i < lines.size(); i += kCustomRecordLines) {
        const int recordNumber = ParseDigits(Chars(lines[i], 1, 4));
        if (recordNumber >= 0 && recordNumber == number) return static_cast<int>(i);
    }
    return -1;
}

CustomGameInfo CustomGameBase(const GameContext& ctx, int number) {
    CustomGameInfo info;
    std::vector<std::string> lines;
    if (!ReadCustomLines(ctx, lines)) return info;
    const int at = FindCustomRecord(lines, number);
    if (at < 0) return info;
    const auto index = static_cast<std::size_t>(at);
    info.problem = CustomRecordProblem(ctx, lines, index);
    if (!info.problem.empty()) return info;
    info.base = ParseDigits(Trim(Chars(lines[index], 55, 4)));
    info.overlay = lines[index + 1];
    return info;
}

std::string CustomRecordProblem(const GameContext& ctx, const std::vector<std::string>& lines,
                                std::size_t at) {
    if (at >= lines.size()) return "the record is missing";
    const std::string& line = lines[at];
    const int number = ParseDigits(Chars(line, 1, 4));
    if (number < kFirstCustomGame || number > kLastCustomGame)
        return "its number is not one from " + std::to_string(kFirstCustomGame) + " to " +
               std::to_string(kLastCustomGame);
    for (std::size_t i = 1; i < at && i < lines.size(); i += kCustomRecordLines)
        if (ParseDigits(Chars(lines[i], 1, 4)) == number)
            return "its number " + std::to_string(number) + " is used by an earlier record";
    if (Trim(Chars(line, 5, 50)).empty()) return "it has no name";
    const int base = ParseDigits(Trim(Chars(line, 55, 4)));
    if (base < 0 || base >= kFirstCustomGame || GameColumn(ctx, base) < 0)
        return "its base game is not in the catalogue";
    if (at + 1 >= lines.size()) return "its rules line is missing";
    return OverlayProblem(lines[at + 1]);
}

std::vector<std::string> CustomGamesProblems(const GameContext& ctx) {
    std::vector<std::string> problems;
    std::vector<std::string> lines;
    if (!ReadTextLines(CustomGamesPath(ctx), lines)) return problems;
    if (!IsCustomGamesHeader(lines)) {
        if (!lines.empty())
            problems.push_back(std::string("line 1: the file does not start with ") +
                               kCustomGamesHeader + "; none of its games can be played");
        return problems;
    }
    for (std::size_t i = 1; i < lines.size(); i += kCustomRecordLines) {
        const std::string problem = CustomRecordProblem(ctx, lines, i);
        if (!problem.empty())
            problems.push_back("line " + std::to_string(i + 1) + ": " + problem);
    }
    return problems;
}

bool ListCustomGames(const GameContext& ctx, CustomGameLists& lists) {
    lists = {};
    std::vector<std::string> lines;
    if (!ReadCustomLines(ctx, lines)) return false;
    struct Entry {
        std::string name, number, base, overlay;
    };
    std::vector<Entry> entries;
    for (std::size_t i = 1; i < lines.size(); i += kCustomRecordLines) {
        if (!CustomRecordProblem(ctx, lines, i).empty()) continue;
        const std::string& line = lines[i];
        std::string name(Chars(line, 5, 50));
        name.resize(50, ' ');
        const std::string& overlay = lines[i + 1];
        entries.push_back({name, std::string(Chars(line, 1, 4)), std::string(Chars(line, 55, 4)),
                           overlay.substr(0, std::min<std::size_t>(7, overlay.size()))});
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return Upper(a.name) < Upper(b.name); });
    for (const Entry& e : entries) {
        lists.names.push_back(e.name);
        lists.numbers.push_back(e.number);
        lists.bases.push_back(e.base);
        lists.overlays.push_back(e.overlay);
    }
    return true;
}

std::vector<std::string> AllGameNames(const GameContext& ctx) {
    std::vector<std::string> names;
    for (const std::string& line : ctx.mainGame.GameList)
        names.push_back(Trim(Chars(line, 11, 50)));
    CustomGameLists custom;
    if (ListCustomGames(ctx, custom))
        for (const std::string& name : custom.names)
            names.push_back(Trim(name));
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return Upper(a) < Upper(b); });
    return names;
}

std::vector<int> CatalogueGameNumbers(const GameContext& ctx) {
    std::vector<int> numbers;
    for (const std::string& line : ctx.mainGame.GameList)
        if (!Trim(Chars(line, 11, 50)).empty() && LineNumber(line) >= 0)
            numbers.push_back(LineNumber(line));
    return numbers;
}

bool CanPlayOnThisScreen(GameContext& ctx, int number) {
    if (ctx.host.ScreenWidth() >= 650) return true;
    const int base = number >= kFirstCustomGame ? CustomGameBase(ctx, number).base : number;
    const int column = GameColumn(ctx, base);
    if (column < 0) return true;
    if (Chars(ctx.mainGame.GameList[static_cast<std::size_t>(column)], 9, 1) != "1") return true;
    ctx.host.ShowInformation(
        "Your video card's display is 640x480 pixels.\rYou can't play: " + GameName(ctx, number) +
        "\rPlease set your screen resolution to 800x600 pixels or higher.");
    return false;
}

} // namespace quendra
