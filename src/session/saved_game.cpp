#include "saved_game.h"

#include "cards.h"
#include "deal.h"
#include "file_rewrite.h"
#include "game_catalog.h"
#include "score.h"

#include <algorithm>
#include <bitset>
#include <charconv>

namespace quendra {

namespace {

// The header's fields: 1-based position and length.
struct Column {
    std::size_t position;
    std::size_t length;
};
constexpr Column kVersion{4, 4}; // in "[S-" + version + "]"
constexpr Column kGame{9, 4};
constexpr Column kBackgroundPicture{13, 30};
constexpr Column kBackgroundColour{43, 15};
constexpr Column kBackgroundDefault{58, 4};
constexpr Column kCardSize{62, 1};
constexpr Column kCardSet{63, 9};
constexpr Column kCardBack{72, 4};
constexpr Column kSeconds{76, 6};
constexpr Column kScoringCode{82, 2};
constexpr Column kScore{84, 6};
constexpr Column kPassNumber{90, 6};
constexpr std::size_t kHeaderLength = 95;

// Line 1.
constexpr Column kPlayerField{1, 50};
constexpr Column kPlayerRead{1, 30};
constexpr Column kDealField{51, 15};
constexpr Column kDealRead{51, 13};
constexpr std::size_t kFoundationParamsAt = 67;
constexpr std::size_t kLine1Length = 98;
constexpr int kFoundationParamFirst = 51;

constexpr std::size_t kUnitLength = 4; // a card code and its face digit
constexpr int kMaxSeconds = 999999;    // what the six places hold

const char* const kSectionHeaders[] = {"[UNDO - Stock]", "[UNDO - Foundations]", "[UNDO - Piles]",
                                       "[UNDO - Reserves]", "[UNDO - Log]"};
constexpr std::size_t kLogSection = 4;

std::string Padded(std::string text, std::size_t length) {
    text.resize(length, ' ');
    return text;
}

std::string_view Field(std::string_view line, Column c) {
    if (line.size() < c.position - 1) return {};
    return line.substr(c.position - 1, c.length);
}

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

// A number of the header: digits, or "-" then digits; nothing else.
std::optional<int> SignedNumber(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    if (text.empty() || text.front() == '+') return std::nullopt;
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc{} || ptr != end) return std::nullopt;
    return value;
}

std::string BackNumber(const std::string& back) {
    const int number = ParseDigits(back);
    return number < 0 ? Padded(back, kCardBack.length) : fnFormatNumber(number, 4);
}

// A text file of this program holds printable characters, tabs and line ends only.
bool LooksLikeText(std::string_view bytes) {
    return std::ranges::none_of(bytes, [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return (u < 0x20 && c != '\r' && c != '\n' && c != '\t') || u == 0x7F;
    });
}

// Checks a pile line and marks its cards; the fault in `error` when it is not sound.
bool CheckPileLine(std::string_view line, std::bitset<CardTable::kRecords + 1>& seen,
                   std::string& error) {
    if (line.size() % kUnitLength != 0) {
        error = "a pile line of " + std::to_string(line.size()) + " characters";
        return false;
    }
    for (std::size_t at = 0; at < line.size(); at += kUnitLength) {
        const int card = ParseDigits(line.substr(at, 3));
        const char face = line[at + 3];
        if (card < 0 || card > CardTable::kRecords || (face != '0' && face != '1')) {
            error = "the card code " + std::string(line.substr(at, kUnitLength));
            return false;
        }
        if (card == 0) continue; // a gap
        if (seen.test(static_cast<std::size_t>(card))) {
            error = "the card " + CardCode(card) + " twice";
            return false;
        }
        seen.set(static_cast<std::size_t>(card));
    }
    return true;
}

bool CheckTable(const std::vector<const std::string*>& lines, std::string& error) {
    std::bitset<CardTable::kRecords + 1> seen;
    for (const std::string* line : lines)
        if (!CheckPileLine(*line, seen, error)) return false;
    return true;
}

// Every step of the undo side is a whole table of its own.
bool CheckUndoSteps(const UndoSide& undo, std::string& error) {
    const int steps = undo.Steps();
    for (int step = 0; step < steps; ++step) {
        std::vector<const std::string*> lines;
        const auto add = [&](const std::vector<std::string>& stack, int perStep) {
            for (int i = 0; i < perStep; ++i)
                lines.push_back(&stack[static_cast<std::size_t>(step * perStep + i)]);
        };
        add(undo.Stock, kStockPiles);
        add(undo.Foundations, kDestPiles);
        add(undo.Piles, kFilaPiles);
        add(undo.Reserves, kAppoggPiles);
        if (!CheckTable(lines, error)) {
            error = "undo step " + std::to_string(step + 1) + ": " + error;
            return false;
        }
    }
    return true;
}

// The log holds one entry per step, each a run of 3-digit codes ended by ",".
bool CheckStepLog(UndoSide& undo, std::string& error) {
    const auto steps = static_cast<std::size_t>(undo.Steps());
    // Files that kept no log take back the table only.
    if (undo.StepLog.empty()) undo.StepLog.assign(steps, ',');
    std::size_t entries = 0, entryLength = 0;
    for (char c : undo.StepLog) {
        if (c == ',') {
            if (entryLength % 3 != 0) break;
            ++entries;
            entryLength = 0;
        } else if (c >= '0' && c <= '9') {
            ++entryLength;
        } else {
            entryLength = 1; // not a code: the log is refused below
            break;
        }
    }
    if (entryLength != 0 || entries != steps) {
        error = "the undo log does not fit the undo steps";
        return false;
    }
    return true;
}

// Sorts the lines from the first undo header on into the four stacks and the log.
// The lines are moved out of `lines`.
bool ReadUndoSections(std::vector<std::string>& lines, std::size_t from, UndoSide& undo,
                      std::string& error) {
    std::vector<std::string>* stacks[] = {&undo.Stock, &undo.Foundations, &undo.Piles,
                                          &undo.Reserves};
    std::optional<std::size_t> current;
    for (std::size_t i = from; i < lines.size(); ++i) {
        std::string& line = lines[i];
        bool header = false;
        for (std::size_t s = 0; s < std::size(kSectionHeaders); ++s) {
            if (line.starts_with(kSectionHeaders[s])) {
                current = s;
                header = true;
            }
        }
        if (header) continue;
        if (!current) {
            if (!line.empty()) {
                error = "line " + std::to_string(i + 1) + " stands outside the undo sections";
                return false;
            }
        } else if (*current == kLogSection) {
            undo.StepLog = std::move(line);
        } else {
            stacks[*current]->push_back(std::move(line));
        }
    }
    return true;
}

bool Damaged(std::string& error, const std::string& path, const std::string& what) {
    error = "The saved game is damaged (" + what + "): " + path;
    return false;
}

} // namespace

SavedGame CaptureSavedGame(const GameContext& ctx) {
    SavedGame game;
    game.game = std::max(0, ParseDigits(GetSetting(ctx.settings, field::kGameNumber)));
    game.seconds = std::clamp(fnElapsedSeconds(ctx), 0, kMaxSeconds);
    game.scoringCode = GetSetting(ctx.settings, field::kStatsCode);
    game.score = StoredScore(ctx);
    game.passNumber = ctx.play.passNumber;
    game.player = GetSetting(ctx.settings, field::kUserDefault);
    game.deal = GetSetting(ctx.settings, field::kDealNumber);
    for (std::size_t i = 0; i < game.foundationParams.size(); ++i)
        game.foundationParams[i] = ctx.Param(kFoundationParamFirst + static_cast<int>(i));
    game.piles = BuildTableSnapshot(ctx);
    // A selection waiting is not kept: its cards lie on their piles too.
    if (SelectionHeldInFoundation1(ctx)) game.piles[kStockPiles].clear();
    game.undo = ctx.undoHistory.undo;
    return game;
}

std::string SavedGameText(const GameContext& ctx, const SavedGame& game) {
    const SettingsRecord& s = ctx.settings;
    std::vector<std::string> lines;
    lines.reserve(kFirstPileLine + kSnapshotLines + 5 + game.undo.Stock.size() * 23);
    std::string header = "[S-" + std::string(kSavedGameVersion) + "]";
    header += fnFormatNumber(game.game, static_cast<int>(kGame.length));
    header += Padded(GetSetting(s, field::kBackgroundPicture), kBackgroundPicture.length);
    header += Padded(GetSetting(s, field::kBackgroundColour), kBackgroundColour.length);
    header += Padded(GetSetting(s, field::kBackgroundDefault), kBackgroundDefault.length);
    header += Padded(GetSetting(s, field::kCardSize), kCardSize.length);
    header += Padded(GetSetting(s, field::kCardSet), kCardSet.length);
    header += BackNumber(GetSetting(s, field::kBackCard));
    header +=
        fnFormatNumber(std::clamp(game.seconds, 0, kMaxSeconds), static_cast<int>(kSeconds.length));
    // A record never filled (a context that read no settings) scores nothing: "00".
    header += ParseDigits(game.scoringCode) >= 0 && game.scoringCode.size() == kScoringCode.length
                  ? game.scoringCode
                  : std::string(kScoringCode.length, '0');
    header += fnFormatNumber(game.score, static_cast<int>(kScore.length));
    header += fnFormatNumber(game.passNumber, static_cast<int>(kPassNumber.length));
    lines.push_back(std::move(header));

    std::string line1 =
        Padded(game.player, kPlayerField.length) + Padded(game.deal, kDealField.length) + " ";
    for (const auto& value : game.foundationParams)
        line1 += value ? fnFormatNumber(*value, 2) : "  ";
    lines.push_back(std::move(line1));
    lines.resize(kFirstPileLine);
    lines.insert(lines.end(), game.piles.begin(), game.piles.end());
    lines.resize(kFirstPileLine + kSnapshotLines);

    const std::vector<std::string>* stacks[] = {&game.undo.Stock, &game.undo.Foundations,
                                                &game.undo.Piles, &game.undo.Reserves};
    for (std::size_t s = 0; s < std::size(stacks); ++s) {
        lines.emplace_back(kSectionHeaders[s]);
        lines.insert(lines.end(), stacks[s]->begin(), stacks[s]->end());
    }
    lines.emplace_back(kSectionHeaders[kLogSection]);
    lines.push_back(game.undo.StepLog);
    return JoinTextLines(lines);
}

bool ParseSavedGame(const GameContext& ctx, std::string_view bytes, const std::string& path,
                    SavedGame& out, std::string& error) {
    if (bytes.size() > kMaxSavedGameBytes ||
        static_cast<std::size_t>(std::ranges::count(bytes, '\n')) > kMaxSavedGameLines) {
        error = "The saved game is too large: " + path;
        return false;
    }
    if (!bytes.starts_with("[S-") || !LooksLikeText(bytes)) {
        error = "This is not a saved game: " + path;
        return false;
    }
    std::vector<std::string> lines = SplitTextLines(bytes);
    const std::string header = lines[0]; // the upgrade below moves the lines
    SavedGame game;
    game.version = std::string(Field(header, kVersion));
    if (header.size() != kHeaderLength || ParseDigits(game.version) < 0 || header[7] != ']')
        return Damaged(error, path, "the first line");
    if (game.version > kSavedGameVersion)
        return Damaged(error, path, "version " + game.version + " is newer than this program");
    if (lines.size() < static_cast<std::size_t>(kFirstPileLine + PileLineCount(game.version)))
        return Damaged(error, path, "it ends before its piles");
    UpgradeFileLines(lines, game.version);

    game.game = ParseDigits(Field(header, kGame));
    if (game.game < 0 || GameName(ctx, game.game).empty())
        return Damaged(error, path,
                       "game " + std::string(Field(header, kGame)) + " is not in the catalogue");
    const auto seconds = SignedNumber(Field(header, kSeconds));
    if (!seconds || *seconds < 0) return Damaged(error, path, "the time");
    game.seconds = *seconds;
    game.scoringCode = std::string(Field(header, kScoringCode));
    if (ParseDigits(game.scoringCode) < 0) return Damaged(error, path, "the scoring code");
    const auto score = SignedNumber(Field(header, kScore));
    if (!score) return Damaged(error, path, "the score");
    game.score = *score;
    const auto pass = SignedNumber(Field(header, kPassNumber));
    if (!pass || *pass < 0) return Damaged(error, path, "the pass number");
    game.passNumber = *pass;

    const std::string& line1 = lines[1];
    if (line1.size() != kLine1Length || line1[kDealField.position + kDealField.length - 1] != ' ')
        return Damaged(error, path, "the second line");
    game.player = Trimmed(Field(line1, kPlayerRead));
    game.deal = Trimmed(Field(line1, kDealRead));
    if (!IsValidDealNumber(game.deal) ||
        !Trimmed(line1.substr(kDealRead.position - 1 + kDealRead.length, 2)).empty())
        return Damaged(error, path, "the deal number");
    for (std::size_t i = 0; i < game.foundationParams.size(); ++i)
        game.foundationParams[i] = SignedNumber(Field(line1, {kFoundationParamsAt + 2 * i, 2}));
    for (int i = 2; i < kFirstPileLine; ++i)
        if (!lines[static_cast<std::size_t>(i)].empty())
            return Damaged(error, path, "line " + std::to_string(i + 1));

    game.piles.assign(lines.begin() + kFirstPileLine,
                      lines.begin() + kFirstPileLine + kSnapshotLines);
    std::vector<const std::string*> table;
    for (const std::string& line : game.piles)
        table.push_back(&line);
    std::string fault;
    if (!CheckTable(table, fault)) return Damaged(error, path, fault);

    if (!ReadUndoSections(lines, kFirstPileLine + kSnapshotLines, game.undo, fault))
        return Damaged(error, path, fault);
    if (!UpgradeUndoSteps(game.undo, game.version))
        return Damaged(error, path, "the undo sections do not hold whole steps");
    if (!CheckStepLog(game.undo, fault) || !CheckUndoSteps(game.undo, fault))
        return Damaged(error, path, fault);
    out = std::move(game);
    return true;
}

} // namespace quendra
