#include "browser_catalogue.h"

#include "fast_search.h"
#include "game_catalog.h"
#include "game_params.h"
#include "settings.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

namespace quendra::browser {

namespace {

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

int ToInt(std::string_view text, int fallback = -1) {
    const std::string trimmed = Trim(text);
    int value = fallback;
    const auto [end, error] =
        std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
    if (error != std::errc() || end != trimmed.data() + trimmed.size()) return fallback;
    return value;
}

std::string Chars(std::string_view line, std::size_t from, std::size_t count) {
    if (from < 1 || from > line.size()) return {};
    return std::string(line.substr(from - 1, count));
}

// Types 2 to 23 and the names their icons carry.
constexpr std::array<const char*, 22> kTypeNames = {
    "CANFIELD",          "FORTYTHIEVES", "FREECELL", "KLONDIKE",     "PAIRING",
    "SIMPLEGAMES",       "SPIDER",       "1DECK",    "2DECK",        "FAN",
    "BAKERSDOZEN",       "ROW",          "PUZZLE",   "ADDITION",     "MEMORY",
    "BELEAGUEREDCASTLE", "QUEENOFITALY", "YUKON",    "MATHEMATICAL", "SIRTOMMY",
    "NONBUILDERS",       "STRIPPEDDECK"};

struct TypeFolder {
    int code;
    int type;
};
constexpr std::array<TypeFolder, 22> kTypeFolders = {
    {{-202080, 15}, {-202005, 12}, {-202100, 17}, {-202010, 2},  {-202015, 11}, {-202020, 3},
     {-202025, 4},  {-202030, 5},  {-202130, 20}, {-202090, 16}, {-202150, 22}, {-202035, 6},
     {-202070, 14}, {-202110, 18}, {-202040, 13}, {-202045, 7},  {-202140, 21}, {-202050, 8},
     {-202120, 19}, {-202055, 9},  {-202060, 10}, {-202160, 23}}};

struct GroupFolder {
    int code;
    int parameter;
    int value;
};
constexpr std::array<GroupFolder, 16> kGroupFolders = {{
    {-203010, 482, 2},
    {-203020, 482, 1},
    {-203030, 482, 0}, // game time
    {-204010, 483, 0},
    {-204020, 483, 1},
    {-204030, 483, 2}, // difficulty
    {-205050, 484, 4},
    {-205040, 484, 3},
    {-205030, 484, 2},
    {-205020, 484, 1}, // skill
    {-205010, 484, 0}, //
    {-206010, 485, 4},
    {-206020, 485, 3},
    {-206030, 485, 2},
    {-206040, 485, 1}, // chance
    {-206050, 485, 0},
}};

Entry EntryFor(const GameContext& ctx, int number) {
    Entry entry;
    entry.number = number;
    entry.name = GameName(ctx, number);
    entry.type = GameType(ctx, number);
    return entry;
}

// Sorted by the name padded to 50 characters, then the number.
void SortByName(std::vector<Entry>& entries) {
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (a.name != b.name) return a.name < b.name;
        return a.number < b.number;
    });
}

std::vector<Entry> SectionGames(const GameContext& ctx, const char* section) {
    std::vector<Entry> entries;
    for (const int number : SectionGameNumbers(ctx, section))
        entries.push_back(EntryFor(ctx, number));
    SortByName(entries);
    return entries;
}

std::vector<Entry> FavouriteGames(const GameContext& ctx) {
    std::vector<Entry> entries;
    for (int index = 0; index < 1000; ++index) {
        char key[8];
        std::snprintf(key, sizeof key, "Game%03d", index);
        const std::string name = ReadSettingString(ctx, "Favourite Games", key, "");
        if (name.empty()) break;
        const int number = GameNumber(ctx, name);
        if (number < 0) continue; // a game no longer in the catalogue
        entries.push_back(EntryFor(ctx, number));
    }
    if (entries.empty()) entries.push_back({kEmptyFavourites, "(Double click to customize)", 0});
    return entries;
}

std::vector<Entry> CustomGames(const GameContext& ctx) {
    std::vector<Entry> entries;
    CustomGameLists lists;
    if (ListCustomGames(ctx, lists))
        for (std::size_t i = 0; i < lists.names.size() && i < lists.numbers.size(); ++i) {
            const int number = ToInt(lists.numbers[i]);
            if (number >= 0) entries.push_back({number, Trim(lists.names[i]), kCustomGameType});
        }
    if (entries.empty()) entries.push_back({kNoCustomGames, "(How to customize a game)", 0});
    return entries;
}

std::vector<Entry> GroupGames(const GameContext& ctx, const std::vector<Entry>& sorted,
                              int parameter, int value) {
    // One pass over the parameter row gives every game's value, in catalogue order.
    const std::vector<std::string> pairs = ReadParamPairs(ctx, parameter, parameter);
    std::vector<int> valueByNumber;
    for (std::size_t i = 0; i < pairs.size() && i < ctx.mainGame.GameList.size(); ++i) {
        const int number = ToInt(Chars(ctx.mainGame.GameList[i], 5, 3));
        if (number < 0) continue;
        if (static_cast<std::size_t>(number) >= valueByNumber.size())
            valueByNumber.resize(static_cast<std::size_t>(number) + 1, -99);
        valueByNumber[static_cast<std::size_t>(number)] = ToInt(pairs[i].substr(0, 10), -99);
    }
    std::vector<Entry> entries;
    for (const Entry& entry : sorted)
        if (entry.number >= 0 && static_cast<std::size_t>(entry.number) < valueByNumber.size() &&
            valueByNumber[static_cast<std::size_t>(entry.number)] == value)
            entries.push_back(entry);
    return entries;
}

} // namespace

const std::vector<FixedNode>& FixedTree() {
    static const std::vector<FixedNode> tree = {
        {"Favorite games", kFavourites, 0, true, "F_TREE1"},
        {"Folders list", kFoldersList, 0, false, "N_TREE3"},
        {"Selected games", kSelectedGames, kFoldersList, true, "S_TREE1"},
        {"Customized games", kCustomGames, kFoldersList, true, "TREE5_CUSTOMIZED_GAMES"},
        {"Game Type", kGameType, kFoldersList, false, "TREE1"},
        {"Adding games type", -202080, kGameType, true, "TREE1"},
        {"Baker's Dozen type", -202005, kGameType, true, "TREE1"},
        {"Beleaguered Castle type", -202100, kGameType, true, "TREE1"},
        {"Canfield type", -202010, kGameType, true, "TREE1"},
        {"Fan games type", -202015, kGameType, true, "TREE1"},
        {"Forty Thieves type", -202020, kGameType, true, "TREE1"},
        {"FreeCell type", -202025, kGameType, true, "TREE1"},
        {"Klondike type", -202030, kGameType, true, "TREE1"},
        {"Mathematical games", -202130, kGameType, true, "TREE1"},
        {"Memory games type", -202090, kGameType, true, "TREE1"},
        {"Non-Builders games", -202150, kGameType, true, "TREE1"},
        {"Pairing games type", -202035, kGameType, true, "TREE1"},
        {"Puzzle games type", -202070, kGameType, true, "TREE1"},
        {"Queen of Italy type", -202110, kGameType, true, "TREE1"},
        {"Row games type", -202040, kGameType, true, "TREE1"},
        {"Simple games type", -202045, kGameType, true, "TREE1"},
        {"Sir Tommy type", -202140, kGameType, true, "TREE1"},
        {"Spider type", -202050, kGameType, true, "TREE1"},
        {"Yukon type", -202120, kGameType, true, "TREE1"},
        {"One-Deck games type", -202055, kGameType, true, "TREE1"},
        {"Two-Deck games type", -202060, kGameType, true, "TREE1"},
        {"Stripped Deck games type", -202160, kGameType, true, "TREE1"},
        {"Game Groups", kGameGroups, kFoldersList, false, "N_TREE4"},
        {"by Game Time", -2030, kGameGroups, false, "T_TREE1"},
        {"Quick", -203010, -2030, true, "T_TREE1"},
        {"Medium", -203020, -2030, true, "T_TREE1"},
        {"Long", -203030, -2030, true, "T_TREE1"},
        {"by Difficulty Level", -2040, kGameGroups, false, "D_TREE1"},
        {"Easy", -204010, -2040, true, "D_TREE1"},
        {"Medium", -204020, -2040, true, "D_TREE1"},
        {"Hard", -204030, -2040, true, "D_TREE1"},
        {"by Skill or Chance", -2050, kGameGroups, false, "I_TREE1"},
        {"Chance only", -205050, -2050, true, "I_TREE1"},
        {"Mostly chance", -205040, -2050, true, "I_TREE1"},
        {"Moderate", -205030, -2050, true, "I_TREE1"},
        {"Mostly skill", -205020, -2050, true, "I_TREE1"},
        {"Difficult", -205010, -2050, true, "I_TREE1"},
        {"by Chance of Winning", -2060, kGameGroups, false, "C_TREE1"},
        {"Very low", -206010, -2060, true, "C_TREE1"},
        {"Low", -206020, -2060, true, "C_TREE1"},
        {"Medium", -206030, -2060, true, "C_TREE1"},
        {"High", -206040, -2060, true, "C_TREE1"},
        {"Very high", -206050, -2060, true, "C_TREE1"},
        {"Others Groups", kOtherGroups, kFoldersList, false, "N_TREE5"},
        {"Original games", -209010, kOtherGroups, true, "TREE5_ORIGINAL_TYPE"},
        {"Games for Children", -209020, kOtherGroups, true, "TREE1"},
        {"New games", kNewGames, kFoldersList, true, "TREE1"},
        {"All games (alphabetically)", kAllGames, 0, true, "TREE1"},
    };
    return tree;
}

FolderRule RuleOf(int code) {
    FolderRule rule;
    switch (code) {
    case kFavourites:
        rule.kind = FolderKind::Favourites;
        return rule;
    case kSelectedGames:
        rule.kind = FolderKind::GamesSection;
        rule.section = "[SectS]";
        return rule;
    case -209010:
        rule.kind = FolderKind::GamesSection;
        rule.section = "[SectO]";
        return rule;
    case -209020:
        rule.kind = FolderKind::GamesSection;
        rule.section = "[SectK]";
        return rule;
    case kCustomGames:
        rule.kind = FolderKind::Custom;
        return rule;
    case kNewGames:
        rule.kind = FolderKind::New;
        return rule;
    case kAllGames:
        rule.kind = FolderKind::All;
        return rule;
    default:
        break;
    }
    for (const TypeFolder& folder : kTypeFolders)
        if (folder.code == code) {
            rule.kind = FolderKind::Type;
            rule.type = folder.type;
        }
    for (const GroupFolder& folder : kGroupFolders)
        if (folder.code == code) {
            rule.kind = FolderKind::Group;
            rule.parameter = folder.parameter;
            rule.value = folder.value;
        }
    return rule;
}

std::string TypeIconName(int type, const std::string& variant) {
    if (type == kCustomGameType) return "TREE5_CUSTOMIZED_GAMES" + variant;
    if (type < 2 || type > 23) return "TREE5_KLONDIKE_TYPE" + variant;
    return std::string("TREE5_") + kTypeNames[static_cast<std::size_t>(type - 2)] + "_TYPE" +
           variant;
}

std::vector<Entry> SortedCatalogue(const GameContext& ctx) {
    std::vector<Entry> entries;
    for (const std::string& line : ctx.mainGame.GameList) {
        Entry entry;
        entry.type = ToInt(Chars(line, 1, 3), 0);
        entry.number = ToInt(Chars(line, 5, 3));
        entry.isNew = Chars(line, 10, 1) == "1";
        entry.name = Trim(Chars(line, 11, 50));
        if (entry.number >= 0) entries.push_back(entry);
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (a.name != b.name) return a.name < b.name;
        if (a.type != b.type) return a.type < b.type;
        return a.number < b.number;
    });
    return entries;
}

std::vector<Entry> FolderEntries(const GameContext& ctx, const std::vector<Entry>& sorted,
                                 int code) {
    const FolderRule rule = RuleOf(code);
    std::vector<Entry> entries;
    switch (rule.kind) {
    case FolderKind::Favourites:
        return FavouriteGames(ctx);
    case FolderKind::GamesSection:
        return SectionGames(ctx, rule.section);
    case FolderKind::Custom:
        return CustomGames(ctx);
    case FolderKind::Group:
        return GroupGames(ctx, sorted, rule.parameter, rule.value);
    case FolderKind::Type:
        for (const Entry& entry : sorted)
            if (entry.type == rule.type) entries.push_back(entry);
        return entries;
    case FolderKind::New:
        for (const Entry& entry : sorted)
            if (entry.isNew) entries.push_back(entry);
        return entries;
    case FolderKind::All:
        return sorted;
    case FolderKind::None:
        break;
    }
    return entries;
}

std::string RedealsText(int value) {
    if (value == -1) return "Unlimited";
    return std::to_string(value > 0 ? value - 1 : 0);
}

Description Describe(const GameContext& ctx, int number) {
    static constexpr std::array<const char*, 3> kDuration = {"Long", "Medium", "Quick"};
    static constexpr std::array<const char*, 3> kDurationPicture = {
        "PROG_TIME_LONG", "PROG_TIME_MEDIUM", "PROG_TIME_QUICK"};
    static constexpr std::array<const char*, 3> kDifficulty = {"Easy", "Medium", "Hard"};
    static constexpr std::array<const char*, 3> kDifficultyPicture = {
        "PROG_DIFF_EASY", "PROG_DIFF_MEDIUM", "PROG_DIFF_HARD"};
    static constexpr std::array<const char*, 5> kChance = {"Very high", "High", "Medium", "Low",
                                                           "Very low"};
    static constexpr std::array<const char*, 5> kChancePicture = {
        "PROG_CHAN_VERYHIGH", "PROG_CHAN_HIGH", "PROG_CHAN_MEDIUM", "PROG_CHAN_LOW",
        "PROG_CHAN_VERYLOW"};
    static constexpr std::array<const char*, 5> kSkill = {"Difficult", "Mostly skill", "Moderate",
                                                          "Mostly chance", "Chance only"};
    static constexpr std::array<const char*, 5> kSkillPicture = {
        "PROG_SKILL_DIFFICULT", "PROG_SKILL_MOSTLYSKILL", "PROG_SKILL_MODERATE",
        "PROG_SKILL_MOSTLYCHANCE", "PROG_SKILL_CHANCEONLY"};
    auto pick = [](const auto& texts, int value) -> std::string {
        if (value < 0 || static_cast<std::size_t>(value) >= texts.size()) return {};
        return texts[static_cast<std::size_t>(value)];
    };

    const std::array<int, 9> rows = {482, 483, 484, 485, 486, 487, 15, 370, 366};
    const std::array<int, 9> v = ReadGameParams(ctx, number, rows);
    Description d;
    d.tutor = ReadGameParams(ctx, number, std::array{param::kTutorCommands})[0] == 1;
    const int type = GameType(ctx, number >= 8000 ? CustomGameBase(ctx, number).base : number);
    if (type == 6)
        d.objective = "To match up all the cards in the deck";
    else if (v[8] == 0)
        d.objective = "To move all the cards to the waste pile";
    else
        d.objective = "To move all the cards to the foundations";
    d.decks = v[7] > 0 ? std::to_string(v[7] / 52) : std::string{};
    d.duration = pick(kDuration, v[0]);
    d.durationPicture = pick(kDurationPicture, v[0]);
    d.difficulty = pick(kDifficulty, v[1]);
    d.difficultyPicture = pick(kDifficultyPicture, v[1]);
    d.skill = pick(kSkill, v[2]);
    d.skillPicture = pick(kSkillPicture, v[2]);
    d.chance = pick(kChance, v[3]);
    d.chancePicture = pick(kChancePicture, v[3]);
    if (v[5] != 0 && v[5] != -99)
        d.chance += " (about " + std::to_string(v[4]) + " in " + std::to_string(v[5]) + ")";
    d.redeals = v[6] == -99 ? std::string{} : RedealsText(v[6]);
    if (number >= 8000) {
        d.duration = d.difficulty = d.chance = "Customized game";
        d.durationPicture = d.difficultyPicture = d.chancePicture = "PROG_DISABLED";
    }
    return d;
}

} // namespace quendra::browser
