#include "players.h"

#include "autoplay.h"
#include "cards.h"
#include "hiscores.h"
#include "profile.h"
#include "record_file.h"
#include "settings.h"
#include "statistics.h"

#include <algorithm>

namespace quendra {

namespace {

constexpr const char* kUsers = "Users";
constexpr const char* kVersionSection = "Version";
// A hi-score line of the file: "cc-rr=" and the entry, whose player field starts at 33.
constexpr std::size_t kScoreKeyLength = 6;
constexpr std::size_t kScorePlayerAt = kScoreKeyLength + 32;

std::string UserKey(int n) {
    return "User" + fnFormatNumber(n, 3);
}

PlayerResult Tell(GameContext& ctx, PlayerResult::Status status, const std::string& message) {
    ctx.host.ShowInformation(message);
    return {status, message};
}

// Writes User001 to User020 from the list (empty keys for the rest) and, when given, the
// current player.
bool WritePlayers(GameContext& ctx, const std::vector<std::string>& players,
                  const std::string& current = {}) {
    Profile profile = Profile::Load(SettingsFilePath(ctx));
    for (int n = 1; n <= kMaxPlayers; ++n)
        profile.WriteString(kUsers, UserKey(n),
                            n <= static_cast<int>(players.size())
                                ? players[static_cast<std::size_t>(n - 1)]
                                : std::string());
    if (!current.empty()) profile.WriteString("Preference", "UserDefault", current);
    if (!profile.Save(ctx.host)) return false;
    if (!current.empty()) SetSetting(ctx.settings, field::kUserDefault, current);
    return true;
}

bool IsStatisticsHeader(const std::string& line) {
    return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

// STAT.DAT: every record line whose key is exactly the old name, outside the version section.
bool RenameInStatistics(std::vector<std::string>& lines, const std::string& from,
                        const std::string& to) {
    bool changed = false;
    bool inVersion = false;
    for (std::string& line : lines) {
        if (IsStatisticsHeader(line)) {
            inVersion = line == std::string("[") + kVersionSection + "]";
            continue;
        }
        if (inVersion || !line.starts_with(from + "=")) continue;
        line = to + line.substr(from.size());
        changed = true;
    }
    return changed;
}

bool RenameInLog(std::vector<std::string>& lines, const std::string& from, const std::string& to) {
    bool changed = false;
    for (std::string& line : lines)
        changed = ReplaceLogPlayer(line, from, to) || changed;
    return changed;
}

// Stat_scr.dat: lines "cc-rr=" + entry whose player field is the old name padded to 30.
bool RenameInScores(std::vector<std::string>& lines, const std::string& from,
                    const std::string& to) {
    constexpr std::size_t kWidth = kMaxPlayerNameLength;
    const std::string padded = PadRight(from, kWidth);
    bool changed = false;
    for (std::string& line : lines) {
        if (line.size() < kScorePlayerAt + kWidth || line[2] != '-' || line[5] != '=') continue;
        if (line.compare(kScorePlayerAt, kWidth, padded) != 0) continue;
        line.replace(kScorePlayerAt, kWidth, PadRight(to, kWidth));
        changed = true;
    }
    return changed;
}

} // namespace

std::vector<std::string> StoredPlayers(const GameContext& ctx) {
    return ReadPlayerNames(ctx);
}

std::vector<std::string> ListPlayers(const GameContext& ctx) {
    std::vector<std::string> players = StoredPlayers(ctx);
    std::ranges::sort(players);
    return players;
}

std::string CurrentPlayer(const GameContext& ctx) {
    return TrimBlanks(GetSetting(ctx.settings, field::kUserDefault));
}

std::optional<std::string> PlayerNameProblem(const GameContext& ctx, const std::string& name,
                                             const std::string& ownName) {
    if (std::ranges::any_of(name, [](char c) { return c == '\r' || c == '\n'; }))
        return "A player name cannot hold a line break.";
    const std::string trimmed = TrimBlanks(name);
    if (trimmed.empty()) return std::string(kEmptyNameMessage);
    if (trimmed.size() > static_cast<std::size_t>(kMaxPlayerNameLength))
        return "A player name can have at most " + std::to_string(kMaxPlayerNameLength) +
               " characters.";
    if (std::ranges::any_of(trimmed, [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
        return "A player name cannot hold a control character.";
    if (trimmed.find('=') != std::string::npos) return "A player name cannot hold \"=\".";
    if (trimmed.front() == '[') return "A player name cannot begin with \"[\".";
    if (trimmed.front() == '"') return "A player name cannot begin with a quotation mark.";
    const std::vector<std::string> players = StoredPlayers(ctx);
    if (trimmed != TrimBlanks(ownName) && std::ranges::find(players, trimmed) != players.end())
        return std::string(kNameExistsMessage);
    return std::nullopt;
}

std::string SelectPlayerQuestion(const std::string& name) {
    return "Start a new game for player " + name + "?";
}

PlayerResult SelectPlayer(GameContext& ctx, const std::string& name) {
    const std::string chosen = TrimBlanks(name);
    const std::vector<std::string> players = StoredPlayers(ctx);
    if (chosen.empty() || std::ranges::find(players, chosen) == players.end())
        return Tell(ctx, PlayerResult::Status::Refused, kSelectAPlayerMessage);
    if (chosen == CurrentPlayer(ctx)) return {};
    if (ctx.host.AskYesNoCancel(SelectPlayerQuestion(chosen)) != Host::Answer::Yes)
        return {PlayerResult::Status::Cancelled, {}};
    // The game in play ends under the player who played it.
    fnEndGame(ctx);
    ResetRunCounters(ctx);
    if (!WritePlayers(ctx, players, chosen)) return {PlayerResult::Status::WriteFailed, {}};
    return {};
}

PlayerResult AddPlayer(GameContext& ctx, const std::string& name) {
    if (const auto problem = PlayerNameProblem(ctx, name))
        return Tell(ctx, PlayerResult::Status::Refused, *problem);
    std::vector<std::string> players = StoredPlayers(ctx);
    if (static_cast<int>(players.size()) >= kMaxPlayers)
        return Tell(ctx, PlayerResult::Status::Refused,
                    "There can be at most " + std::to_string(kMaxPlayers) + " players.");
    players.push_back(TrimBlanks(name));
    std::ranges::sort(players);
    if (!WritePlayers(ctx, players)) return {PlayerResult::Status::WriteFailed, {}};
    return {};
}

PlayerResult RenamePlayer(GameContext& ctx, const std::string& oldName,
                          const std::string& newName) {
    const std::string from = TrimBlanks(oldName);
    std::vector<std::string> players = StoredPlayers(ctx);
    const auto at = std::ranges::find(players, from);
    if (at == players.end()) return Tell(ctx, PlayerResult::Status::Refused, kSelectAPlayerMessage);
    if (const auto problem = PlayerNameProblem(ctx, newName, from))
        return Tell(ctx, PlayerResult::Status::Refused, *problem);
    const std::string to = TrimBlanks(newName);
    if (to == from) return {};

    // Every file is read before any is written: one that cannot be read stops the renaming
    // with nothing changed.
    RecordFile stats = RecordFile::Load(DataFilePath(ctx, kStatisticsFile));
    RecordFile log = RecordFile::Load(DataFilePath(ctx, kLogFile));
    RecordFile scores = RecordFile::Load(DataFilePath(ctx, kGameScoresFile));
    for (const RecordFile* file : {&stats, &log, &scores})
        if (!file->Writable())
            return Tell(ctx, PlayerResult::Status::WriteFailed, "Cannot open file " + file->Path());
    if (RenameInStatistics(stats.Lines(), from, to)) stats.MarkModified();
    if (RenameInLog(log.Lines(), from, to)) log.MarkModified();
    if (RenameInScores(scores.Lines(), from, to)) scores.MarkModified();
    for (RecordFile* file : {&stats, &log, &scores})
        if (!file->Save(ctx.host)) return {PlayerResult::Status::WriteFailed, {}};

    *at = to;
    std::ranges::sort(players);
    const bool wasCurrent = CurrentPlayer(ctx) == from;
    if (!WritePlayers(ctx, players, wasCurrent ? to : std::string()))
        return {PlayerResult::Status::WriteFailed, {}};
    return {};
}

PlayerResult DeletePlayer(GameContext& ctx, const std::string& name) {
    const std::string who = TrimBlanks(name);
    std::vector<std::string> players = StoredPlayers(ctx);
    const auto at = std::ranges::find(players, who);
    if (at == players.end()) return Tell(ctx, PlayerResult::Status::Refused, kSelectAPlayerMessage);
    if (who == CurrentPlayer(ctx))
        return Tell(ctx, PlayerResult::Status::Refused, kCannotDeleteMessage);
    if (!ctx.host.Confirm(kDeletePlayerQuestion)) return {PlayerResult::Status::Cancelled, {}};
    // The player's hi-score entries stay.
    if (!ClearStatisticsRecords(ctx, std::nullopt, who))
        return {PlayerResult::Status::WriteFailed, {}};
    players.erase(at);
    if (!WritePlayers(ctx, players)) return {PlayerResult::Status::WriteFailed, {}};
    return {};
}

} // namespace quendra
