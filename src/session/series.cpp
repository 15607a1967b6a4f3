#include "series.h"

#include "cards.h"
#include "data_files.h"
#include "data_paths.h"
#include "file_rewrite.h"
#include "game_catalog.h"
#include "game_params.h"
#include "hiscores.h"
#include "record_file.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <set>
#include <system_error>

namespace quendra {

namespace {

constexpr int kNoTargetScore = -1;
constexpr int kCardScore = 4; // without a target score, each card is worth 4 at most

constexpr std::size_t kUserGameWidth = 4;
constexpr std::size_t kBuiltInGameWidth = 3;
constexpr std::size_t kCountWidth = 3;
constexpr std::size_t kKeyWidth = 4; // "001="
constexpr std::size_t kResultWidth = 24;
constexpr std::size_t kTimeWidth = 6;
constexpr std::size_t kScoreWidth = 6;
constexpr int kLargestScore = 999999;
constexpr int kSmallestScore = -99999;

SeriesDefinition BuiltIn(int number, const char* name, const char* games) {
    SeriesDefinition series{number, name, {}};
    const std::string text = games;
    for (std::size_t at = 0; at + kBuiltInGameWidth <= text.size(); at += kBuiltInGameWidth)
        series.games.push_back(ParseDigits(text.substr(at, kBuiltInGameWidth)));
    return series;
}

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Printable text only: a name with control or binary bytes is not one we wrote.
bool Printable(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= ' ' && c != 127; });
}

bool KnownGame(const GameContext& ctx, int game) {
    return game >= 0 && !GameName(ctx, game).empty();
}

// The lines of a series file; false when it is missing (`exists` false) or cannot be read.
bool ReadSeriesLines(const std::string& path, bool& exists, std::string& problem,
                     std::vector<std::string>& lines) {
    exists = FileExists(path);
    if (!exists) return false;
    std::string text;
    if (!ReadFileText(path, text)) {
        problem = "it cannot be read.";
        return false;
    }
    lines = SplitTextLines(text);
    return true;
}

std::string UserSeriesPath(const GameContext& ctx) {
    return DataFilePath(ctx, kSeriesFile);
}

// The records of the file's lines; a problem in words when they do not read as records.
std::string ParseUserSeries(const GameContext& ctx, const std::vector<std::string>& lines,
                            std::vector<SeriesDefinition>& out) {
    if (lines.empty()) return {};
    if (lines[0] != kSeriesFileHeader) return "its first line is not \"[R-0530]\".";
    std::set<int> numbers;
    for (std::size_t first = 1; first < lines.size(); first += kSeriesRecordLines) {
        const std::string& head = lines[first];
        const std::string where = "the record at line " + std::to_string(first + 1);
        if (head.empty()) {
            // Trailing empty lines after the last record are no record.
            const bool restEmpty = std::all_of(lines.begin() + static_cast<long>(first),
                                               lines.end(),
                                               [](const std::string& l) { return l.empty(); });
            if (restEmpty) break;
            return where + " has no series number.";
        }
        const std::string_view digits = Slice(head, 0, kUserGameWidth);
        if (head.size() < kUserGameWidth + 1 || !AllDigits(digits))
            return where + " does not begin with a 4-digit series number and a name.";
        const int number = ParseDigits(digits);
        if (number < kFirstUserSeries || number > kLastUserSeries)
            return where + " has the number " + std::string(digits) +
                   ", outside 5000 to 9999.";
        if (!numbers.insert(number).second)
            return where + " repeats the series number " + std::string(digits) + ".";
        SeriesDefinition series;
        series.number = number;
        series.name = TrimBlanks(Slice(head, kUserGameWidth, kSeriesNameWidth));
        if (series.name.empty() || !Printable(head)) return where + " has no readable name.";
        const std::size_t gamesLine = first + 2;
        const std::string games = gamesLine < lines.size() ? lines[gamesLine] : std::string();
        if (games.empty() || games.size() % kUserGameWidth != 0 || !AllDigits(games))
            return where + " does not list its games as 4-digit numbers.";
        if (games.size() / kUserGameWidth > static_cast<std::size_t>(kMostSeriesGames))
            return where + " lists more than 999 games.";
        for (std::size_t at = 0; at < games.size(); at += kUserGameWidth) {
            const int game = ParseDigits(games.substr(at, kUserGameWidth));
            if (!KnownGame(ctx, game))
                return where + " names the game " + games.substr(at, kUserGameWidth) +
                       ", which is not in the catalogue.";
            series.games.push_back(game);
        }
        out.push_back(std::move(series));
    }
    return {};
}

std::string UserRecordHead(int number, const std::string& name) {
    return fnFormatNumber(number, 4) + PadRight(name, kSeriesNameWidth);
}

std::string Key(int position) {
    return fnFormatNumber(position, static_cast<int>(kCountWidth)) + "=";
}

// "Key=value" of a line, when it is one.
std::optional<std::string> ValueOf(const std::string& line, std::string_view key) {
    if (line.size() < key.size() + 1 || line.compare(0, key.size(), key) != 0 ||
        line[key.size()] != '=')
        return std::nullopt;
    return line.substr(key.size() + 1);
}

std::string ParseInProgress(const GameContext& ctx, const std::vector<std::string>& lines,
                            SeriesInProgress& series) {
    std::size_t at = 0;
    const auto next = [&]() -> const std::string* {
        return at < lines.size() ? &lines[at++] : nullptr;
    };
    const std::string* line = next();
    if (!line || *line != "[Series]") return "its first line is not \"[Series]\".";
    std::optional<std::string> value;
    line = next();
    if (!line || !(value = ValueOf(*line, "Number")) || !AllDigits(*value) || value->size() > 4)
        return "it has no series number.";
    series.number = ParseDigits(*value);
    if (SeriesGames(ctx, series.number).empty())
        return "it names the series " + *value + ", which does not exist.";
    line = next();
    if (!line || !(value = ValueOf(*line, "Player")) || TrimBlanks(*value).empty() ||
        !Printable(*value))
        return "it names no player.";
    series.player = *value;
    line = next();
    if (!line || !(value = ValueOf(*line, "NumGames")) || value->size() != kCountWidth ||
        !AllDigits(*value) || ParseDigits(*value) < 1)
        return "its NumGames is not a 3-digit count.";
    const int count = ParseDigits(*value);
    line = next();
    if (!line || !(value = ValueOf(*line, "Played")) || value->size() != kCountWidth ||
        !AllDigits(*value))
        return "its Played is not a 3-digit number.";
    series.played = ParseDigits(*value);
    if (series.played < 1 || series.played > count + 1)
        return "its Played (" + *value + ") does not fit its " + std::to_string(count) +
               " games.";
    // Empty lines may stand between the sections.
    const auto section = [&](const char* name) {
        while (at < lines.size() && lines[at].empty())
            ++at;
        return at < lines.size() && lines[at++] == name;
    };
    if (!section("[Games]")) return "it has no [Games] section where it should.";
    for (int position = 1; position <= count; ++position) {
        line = next();
        if (!line || !(value = ValueOf(*line, Key(position).substr(0, kCountWidth))))
            return "its [Games] section does not list " + std::to_string(count) + " games.";
        if ((value->size() != kBuiltInGameWidth && value->size() != kUserGameWidth) ||
            !AllDigits(*value) || !KnownGame(ctx, ParseDigits(*value)))
            return "its game " + Key(position) + *value + " is not a game of the catalogue.";
        series.games.push_back(*value);
    }
    if (!section("[Scores]")) return "it has no [Scores] section where it should.";
    for (int position = 1; position <= count; ++position) {
        line = next();
        if (!line || !(value = ValueOf(*line, Key(position).substr(0, kCountWidth))))
            return "its [Scores] section does not have " + std::to_string(count) + " lines.";
        if (value->empty()) {
            series.results.emplace_back();
            continue;
        }
        std::optional<SeriesGameResult> result = ParseSeriesResult(*value);
        if (!result) return "its result " + Key(position) + " cannot be read.";
        series.results.push_back(result);
    }
    return {};
}

} // namespace

const std::vector<SeriesDefinition>& BuiltInSeries() {
    static const std::vector<SeriesDefinition> series = {
        BuiltIn(1, "Adding games", "159008005127"),
        BuiltIn(2, "Memory games", "201204202195205"),
        BuiltIn(3, "World Tour", "148105210059113237"),
        BuiltIn(4, "Napoleon's games", "240014103065"),
        BuiltIn(5, "Klondike variations", "000176206094"),
        BuiltIn(6, "Freecell variations", "001028030"),
        BuiltIn(7, "Canfield variations", "011114032143"),
        BuiltIn(8, "Ancient games", "177074062215239050"),
        BuiltIn(9, "For Children", "165207209085171"),
    };
    return series;
}

UserSeriesFile LoadUserSeries(const GameContext& ctx) {
    UserSeriesFile file;
    if (!ReadSeriesLines(UserSeriesPath(ctx), file.exists, file.problem, file.lines)) return file;
    file.problem = ParseUserSeries(ctx, file.lines, file.series);
    if (!file.problem.empty()) file.series.clear();
    return file;
}

std::string DamagedSeriesMessage(const std::string& path, const std::string& problem) {
    return "The Series file is damaged and was left as it is: " + path + "\r" +
           "(" + problem + ")";
}

std::vector<SeriesDefinition> AllSeries(const GameContext& ctx, bool tell) {
    std::vector<SeriesDefinition> all = BuiltInSeries();
    UserSeriesFile file = LoadUserSeries(ctx);
    if (!file.Usable()) {
        if (tell) ctx.host.ShowInformation(DamagedSeriesMessage(UserSeriesPath(ctx), file.problem));
        return all;
    }
    for (SeriesDefinition& series : file.series)
        all.push_back(std::move(series));
    return all;
}

std::vector<int> SeriesGames(const GameContext& ctx, int number) {
    if (number >= 1 && number <= kBuiltInSeriesCount)
        return BuiltInSeries()[static_cast<std::size_t>(number - 1)].games;
    for (const SeriesDefinition& series : LoadUserSeries(ctx).series)
        if (series.number == number) return series.games;
    return {};
}

std::string SeriesName(const GameContext& ctx, int number) {
    if (number >= 1 && number <= kBuiltInSeriesCount)
        return BuiltInSeries()[static_cast<std::size_t>(number - 1)].name;
    for (const SeriesDefinition& series : LoadUserSeries(ctx).series)
        if (series.number == number) return series.name;
    return {};
}

bool SeriesPlayable(const GameContext& ctx, int number) {
    const std::vector<int> games = SeriesGames(ctx, number);
    return !games.empty() &&
           std::all_of(games.begin(), games.end(), [&](int game) { return KnownGame(ctx, game); });
}

int NewSeriesNumber(const GameContext& ctx) {
    std::set<int> used;
    for (const SeriesDefinition& series : LoadUserSeries(ctx).series)
        used.insert(series.number);
    for (int number = kFirstUserSeries; number <= kLastUserSeries; ++number)
        if (!used.contains(number)) return number;
    return -1;
}

std::optional<int> SaveUserSeries(GameContext& ctx, int number, const std::string& name,
                                  const std::vector<int>& games) {
    const std::string trimmed = TrimBlanks(name);
    if (trimmed.empty()) {
        ctx.host.ShowInformation(kSeriesNameEmptyMessage);
        return std::nullopt;
    }
    if (games.empty()) {
        ctx.host.ShowInformation(kSeriesNoGameMessage);
        return std::nullopt;
    }
    UserSeriesFile file = LoadUserSeries(ctx);
    const std::string path = UserSeriesPath(ctx);
    if (!file.Usable()) {
        ctx.host.ShowInformation(DamagedSeriesMessage(path, file.problem));
        return std::nullopt;
    }
    const std::string stored = PadRight(trimmed, kSeriesNameWidth);
    // The series being edited may keep its own name.
    for (const SeriesDefinition& other : AllSeries(ctx))
        if (other.number != number && Lower(other.name) == Lower(TrimBlanks(stored))) {
            ctx.host.ShowInformation(kSeriesNameTakenMessage);
            return std::nullopt;
        }
    const bool badGame = std::any_of(games.begin(), games.end(),
                                     [&](int game) { return !KnownGame(ctx, game); });
    if (badGame || games.size() > static_cast<std::size_t>(kMostSeriesGames)) {
        ctx.host.Beep();
        return std::nullopt;
    }
    std::vector<std::string>& lines = file.lines;
    if (lines.empty()) lines.push_back(kSeriesFileHeader);
    // Every record takes its 10 lines, the last one too (a file cut short after its games).
    while (lines.size() > 1 && lines.back().empty())
        lines.pop_back();
    const std::size_t records = (lines.size() - 1 + kSeriesRecordLines - 1) / kSeriesRecordLines;
    lines.resize(1 + records * kSeriesRecordLines);
    std::size_t first = 0;
    for (std::size_t at = 1; at < lines.size(); at += kSeriesRecordLines)
        if (ParseDigits(Slice(lines[at], 0, kUserGameWidth)) == number && number != 0) first = at;
    if (first == 0) {
        number = NewSeriesNumber(ctx);
        if (number < 0) {
            ctx.host.ShowInformation("There is no free series number left.");
            return std::nullopt;
        }
        first = lines.size();
        lines.resize(lines.size() + kSeriesRecordLines);
    }
    std::string list;
    for (int game : games)
        list += fnFormatNumber(game, static_cast<int>(kUserGameWidth));
    lines[first] = UserRecordHead(number, trimmed);
    lines[first + 1].clear();
    lines[first + 2] = list;
    for (int rest = 3; rest < kSeriesRecordLines; ++rest)
        lines[first + static_cast<std::size_t>(rest)].clear();
    EnsureDataDirectory(ctx.ProgramDir());
    if (!RewriteTextLines(ctx.host, path, lines)) return std::nullopt;
    return number;
}

bool DeleteUserSeries(GameContext& ctx, int number) {
    UserSeriesFile file = LoadUserSeries(ctx);
    const std::string path = UserSeriesPath(ctx);
    if (!file.Usable()) {
        ctx.host.ShowInformation(DamagedSeriesMessage(path, file.problem));
        return false;
    }
    std::vector<std::string>& lines = file.lines;
    for (std::size_t at = 1; at < lines.size(); at += kSeriesRecordLines) {
        if (lines[at].empty() || ParseDigits(Slice(lines[at], 0, kUserGameWidth)) != number)
            continue;
        const std::size_t end = std::min(lines.size(), at + kSeriesRecordLines);
        lines.erase(lines.begin() + static_cast<long>(at), lines.begin() + static_cast<long>(end));
        return RewriteTextLines(ctx.host, path, lines);
    }
    return false;
}

std::string FormatSeriesResult(const SeriesGameResult& r) {
    const int score = std::clamp(r.score, kSmallestScore, kLargestScore);
    const int seconds = std::clamp(r.seconds, 0, kLargestScore);
    return fnFormatNumber(seconds, static_cast<int>(kTimeWidth)) + " " +
           (r.won ? "Won  " : "Lost ") + PadRight(r.code, 2) + " " +
           PadRight(std::to_string(score), kScoreWidth) + " " + (r.atMaximum ? " Y" : " N");
}

std::optional<SeriesGameResult> ParseSeriesResult(const std::string& text) {
    // Positions are those of the whole line less the key "NNN=".
    if (text.size() != kResultWidth || !Printable(text)) return std::nullopt;
    SeriesGameResult r;
    const std::string_view view = text;
    const std::string_view time = view.substr(0, kTimeWidth);
    const std::string_view result = view.substr(7, 5);
    if (!AllDigits(time) || text[6] != ' ' || text[14] != ' ' || text[21] != ' ' ||
        text[22] != ' ')
        return std::nullopt;
    if (result != "Won  " && result != "Lost ") return std::nullopt;
    const std::optional<std::int64_t> score =
        ParseNumber(TrimBlanks(view.substr(15, kScoreWidth)), true);
    if (!score || (text[23] != 'Y' && text[23] != 'N')) return std::nullopt;
    r.seconds = ParseDigits(time);
    r.won = result == "Won  ";
    r.code = std::string(view.substr(12, 2));
    r.score = static_cast<int>(*score);
    r.atMaximum = text[23] == 'Y';
    return r;
}

int SeriesInProgress::GameAt(int position) const {
    if (position < 1 || position > NumGames()) return -1;
    return ParseDigits(games[static_cast<std::size_t>(position - 1)]);
}

std::string SeriesInProgressPath(const GameContext& ctx) {
    return DataFilePath(ctx, kSeriesInProgressFile);
}

std::vector<std::string> SeriesInProgressLines(const SeriesInProgress& s) {
    const int count = s.NumGames();
    std::vector<std::string> lines = {
        "[Series]",
        "Number=" + std::to_string(s.number),
        "Player=" + s.player,
        "NumGames=" + fnFormatNumber(count, static_cast<int>(kCountWidth)),
        "Played=" + fnFormatNumber(s.played, static_cast<int>(kCountWidth)),
        "",
        "[Games]"};
    for (int position = 1; position <= count; ++position)
        lines.push_back(Key(position) + s.games[static_cast<std::size_t>(position - 1)]);
    lines.emplace_back();
    lines.emplace_back("[Scores]");
    for (int position = 1; position <= count; ++position) {
        const std::size_t index = static_cast<std::size_t>(position - 1);
        const bool has = index < s.results.size() && s.results[index];
        lines.push_back(Key(position) + (has ? FormatSeriesResult(*s.results[index]) : ""));
    }
    return lines;
}

SeriesInProgressRead ReadSeriesInProgress(const GameContext& ctx) {
    SeriesInProgressRead read;
    std::vector<std::string> lines;
    if (!ReadSeriesLines(SeriesInProgressPath(ctx), read.exists, read.problem, lines)) return read;
    SeriesInProgress series;
    read.problem = ParseInProgress(ctx, lines, series);
    if (read.problem.empty()) read.series = std::move(series);
    return read;
}

bool WriteSeriesInProgress(GameContext& ctx, const SeriesInProgress& series) {
    EnsureDataDirectory(ctx.ProgramDir());
    return RewriteTextLines(ctx.host, SeriesInProgressPath(ctx), SeriesInProgressLines(series));
}

int CurrentSeries(const GameContext& ctx) {
    std::string text;
    if (!ReadFileText(SeriesInProgressPath(ctx), text)) return -1;
    for (const std::string& line : SplitTextLines(text))
        if (const std::optional<std::string> value = ValueOf(line, "Number"))
            return AllDigits(*value) && value->size() <= 4 ? ParseDigits(*value) : -1;
    return -1;
}

std::optional<SeriesInProgress> StartSeries(GameContext& ctx, int number, const std::string& player) {
    if (!SeriesPlayable(ctx, number)) return std::nullopt;
    const std::vector<int> games = SeriesGames(ctx, number);
    SeriesInProgress series;
    series.number = number;
    series.player = player;
    const int width = number <= kBuiltInSeriesCount ? static_cast<int>(kBuiltInGameWidth)
                                                    : static_cast<int>(kUserGameWidth);
    for (int game : games)
        series.games.push_back(fnFormatNumber(game, width));
    series.results.resize(games.size());
    if (!WriteSeriesInProgress(ctx, series)) return std::nullopt;
    return series;
}

namespace {

int MaximumScore(int target, int deckSize) {
    // Our catalogue leaves the target at 0 where a game has none, as -1 says.
    if (target == kNoTargetScore || target <= 0) return kCardScore * deckSize;
    return target;
}

} // namespace

int GameMaximumScore(const GameContext& ctx) {
    return MaximumScore(ctx.Param(param::kMaxScore), ctx.Param(param::kDeckSize));
}

int GameMaximumScore(const GameContext& ctx, int number) {
    const std::array<int, 2> rows = {param::kMaxScore, param::kDeckSize};
    const auto values = ReadGameParams(ctx, number, rows);
    return MaximumScore(values[0], values[1]);
}

bool RecordSeriesGame(GameContext& ctx, SeriesInProgress& series, int game,
                      const SeriesGameResult& result) {
    if (series.Finished() || series.CurrentGame() != game) return false;
    SeriesInProgress changed = series;
    changed.results.resize(static_cast<std::size_t>(changed.NumGames()));
    changed.results[static_cast<std::size_t>(changed.played - 1)] = result;
    ++changed.played;
    if (!WriteSeriesInProgress(ctx, changed)) return false;
    series = std::move(changed);
    return true;
}

std::optional<int> NextSeriesGamePosition(const SeriesInProgress& series, bool skipCurrent) {
    const int position = series.played + (skipCurrent ? 1 : 0);
    if (position > series.NumGames()) return std::nullopt;
    return position;
}

SeriesTotals ComputeSeriesTotals(const SeriesInProgress& series) {
    SeriesTotals totals;
    totals.allWon = series.NumGames() > 0;
    totals.allAtMaximum = series.NumGames() > 0;
    for (int position = 1; position <= series.NumGames(); ++position) {
        const std::size_t index = static_cast<std::size_t>(position - 1);
        const bool played = index < series.results.size() && series.results[index];
        if (!played) {
            totals.allWon = false;
            totals.allAtMaximum = false;
            continue;
        }
        const SeriesGameResult& r = *series.results[index];
        ++totals.gamesPlayed;
        totals.score += r.score;
        totals.seconds += r.seconds;
        totals.allWon = totals.allWon && r.won;
        totals.allAtMaximum = totals.allAtMaximum && r.atMaximum;
    }
    return totals;
}

SeriesEnding FinishSeries(GameContext& ctx, const SeriesInProgress& series) {
    SeriesEnding ending;
    ending.totals = ComputeSeriesTotals(series);
    ending.name = SeriesName(ctx, series.number);
    OfferedResult offered;
    offered.player = series.player;
    offered.perfect = ending.totals.allAtMaximum;
    offered.won = ending.totals.allWon;
    const std::int64_t now = ctx.host.Now();
    offered.date = LocalDateText(now);
    offered.timeOfDay = LocalTimeText(now);
    offered.seconds = std::clamp(ending.totals.seconds, 0, kLargestScore);
    offered.score = std::clamp(ending.totals.score, 0, kLargestScore);
    offered.code = CurrentScoringCode(ctx);
    offered.seriesGames = series.NumGames();
    ending.rank = OfferResult(ctx, ScoreTableKind::Series, series.number, offered);
    DropSeriesInProgress(ctx);
    return ending;
}

void DropSeriesInProgress(const GameContext& ctx) {
    std::error_code ec;
    std::filesystem::remove(SeriesInProgressPath(ctx), ec);
}

bool ClearSeriesScores(GameContext& ctx, bool ask) {
    if (ask && ctx.host.AskYesNoCancel(kClearSeriesScoresQuestion) != Host::Answer::Yes)
        return false;
    // The old tables stay until the new file is in place.
    RecordFile file = RecordFile::Load(DataFilePath(ctx, kSeriesScoresFile));
    file.Lines().clear();
    file.EnsureVersionSection();
    file.MarkModified();
    if (!file.Save(ctx.host)) return false;
    ctx.host.ShowInformation(kSeriesScoresClearedMessage);
    return true;
}

} // namespace quendra
