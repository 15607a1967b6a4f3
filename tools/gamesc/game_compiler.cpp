#include "game_compiler.h"

#include "game_checks.h"

#include <charconv>
#include <map>
#include <optional>
#include <sstream>

namespace quendra::gamesc {

namespace {

constexpr int kMaxGameNumber = 999; // the catalogue line holds three digits
constexpr std::size_t kNameWidth = 50;

std::vector<std::string> Words(const std::string& value) {
    std::istringstream in(value);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

std::optional<int> ParseInteger(std::string_view word) {
    if (!word.empty() && word.front() == '+') return std::nullopt;
    long value = 0;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (ec != std::errc{} || end != word.data() + word.size()) return std::nullopt;
    if (value < -32768 || value > 32767) return std::nullopt;
    return static_cast<int>(value);
}

bool IsAllDigits(std::string_view word) {
    if (word.empty() || word.size() > 6) return false;
    for (char c : word)
        if (c < '0' || c > '9') return false;
    return true;
}

struct Compiler {
    const GameSource& source;
    ErrorList& errors;
    CompiledGame game;

    void Error(int line, const std::string& message) {
        errors.push_back({source.file, line, message});
    }

    // A word of a parameter key: a name of its vocabulary or a number in its range.
    std::optional<int> Value(const ParamKey& key, const std::string& keyText,
                             const std::string& word, int line) {
        if (auto named = LookUpName(key.names, word)) return named;
        const std::optional<int> number = ParseInteger(word);
        std::string expected =
            "a number from " + std::to_string(key.min) + " to " + std::to_string(key.max);
        if (!key.names.empty())
            expected = (key.closed ? "one of " : "") + ListNames(key.names) +
                       (key.closed ? "" : ", or " + expected);
        if (!number) {
            Error(line, "bad value \"" + word + "\" for " + keyText + ": expected " + expected);
            return std::nullopt;
        }
        bool known = true;
        if (key.closed) {
            known = false;
            for (const NamedValue& named : key.names)
                known = known || named.value == *number;
        }
        if (*number < key.min || *number > key.max || !known) {
            Error(line,
                  "value " + word + " out of range for " + keyText + ": expected " + expected);
            return std::nullopt;
        }
        return number;
    }

    void SetParam(int param, int value) {
        game.params.at(static_cast<std::size_t>(param)) = value;
        game.set.at(static_cast<std::size_t>(param)) = true;
    }

    void GameEntry(const SourceEntry& entry) {
        const std::vector<std::string> words = Words(entry.value);
        if (entry.key == "game.name") {
            if (entry.value.size() > kNameWidth)
                Error(entry.line, "game.name is longer than 50 characters");
            game.name = entry.value;
            game.nameLine = entry.line;
        } else if (entry.key == "game.number") {
            const auto number =
                words.size() == 1 && IsAllDigits(words[0]) ? ParseInteger(words[0]) : std::nullopt;
            if (!number || *number > kMaxGameNumber)
                Error(entry.line, "game.number must be a number from 0 to 999");
            else
                game.number = *number;
            game.numberLine = entry.line;
        } else if (entry.key == "game.type") {
            ParamKey typeKey{"game.type", 0, PileGroup::None, vocab::kGameType, 1, 799};
            if (words.size() != 1)
                Error(entry.line, "game.type takes one value");
            else if (auto type = Value(typeKey, entry.key, words[0], entry.line))
                game.type = *type;
        } else if (entry.key == "game.listed" || entry.key == "game.new") {
            ParamKey flagKey{"", 0, PileGroup::None, vocab::kYesNo, 0, 1, false, false, true};
            if (words.size() != 1)
                Error(entry.line, entry.key + " takes one value");
            else if (auto flag = Value(flagKey, entry.key, words[0], entry.line))
                (entry.key == "game.listed" ? game.listed : game.isNew) = *flag == 1;
        } else if (entry.key == "game.lists") {
            for (const std::string& word : words) {
                if (word == "selected")
                    game.inSelected = true;
                else if (word == "children")
                    game.inChildren = true;
                else if (word == "original")
                    game.inOriginal = true;
                else if (word != "none")
                    Error(entry.line, "bad list \"" + word +
                                          "\" for game.lists: expected selected, children, "
                                          "original or none");
            }
        }
    }

    void ScalarEntry(const ParamKey& key, const SourceEntry& entry) {
        const std::vector<std::string> words = Words(entry.value);
        if (words.size() != 1) {
            Error(entry.line, entry.key + " takes one value, got " + std::to_string(words.size()));
            return;
        }
        if (auto value = Value(key, entry.key, words[0], entry.line)) SetParam(key.param, *value);
    }

    void RawEntry(int param, const SourceEntry& entry) {
        ParamKey raw{"", param, PileGroup::None, {}, -32768, 32767};
        ScalarEntry(raw, entry);
    }

    int Count(PileGroup group) const { return game.params[GroupCountParam(group)]; }

    void GroupEntry(const ParamKey& key, const SourceEntry& entry) {
        const std::vector<std::string> words = Words(entry.value);
        const int count = Count(key.group);
        const std::string prefix(GroupPrefix(key.group));
        if (count == 0) {
            Error(entry.line, entry.key + " is set but the game has no " + prefix + " piles (" +
                                  prefix + ".count is 0)");
            return;
        }
        if (static_cast<int>(words.size()) > GroupSlots(key.group)) {
            Error(entry.line, entry.key + " lists " + std::to_string(words.size()) +
                                  " values but the group has only " +
                                  std::to_string(GroupSlots(key.group)) + " piles");
            return;
        }
        if (words.size() != 1 && static_cast<int>(words.size()) != count) {
            Error(entry.line, entry.key + " lists " + std::to_string(words.size()) +
                                  " values for " + std::to_string(count) +
                                  " piles: give one value for every pile, or one for all");
            return;
        }
        if (words.size() == 1) {
            if (auto value = Value(key, entry.key, words[0], entry.line))
                for (int pile = 0; pile < count; ++pile)
                    SetParam(key.param + pile, *value);
            return;
        }
        for (int pile = 0; pile < count; ++pile) {
            if (auto value = Value(key, entry.key, words[pile], entry.line))
                SetParam(key.param + pile, *value);
        }
    }

    void PileEntry(const ParamKey& key, int pile, const SourceEntry& entry) {
        const std::vector<std::string> words = Words(entry.value);
        const int count = Count(key.group);
        if (pile < 1 || pile > count) {
            Error(entry.line, entry.key + ": there is no pile " + std::to_string(pile) + " (" +
                                  std::string(GroupPrefix(key.group)) + ".count is " +
                                  std::to_string(count) + ")");
            return;
        }
        if (words.size() != 1) {
            Error(entry.line, entry.key + " takes one value");
            return;
        }
        if (auto value = Value(key, entry.key, words[0], entry.line))
            SetParam(key.param + pile - 1, *value);
    }

    // "tableau.3.cards" → the group key "tableau.cards" and pile 3.
    const ParamKey* SplitPileKey(const std::string& text, int& pile) const {
        const auto first = text.find('.');
        if (first == std::string::npos) return nullptr;
        const auto second = text.find('.', first + 1);
        if (second == std::string::npos) return nullptr;
        const std::string number = text.substr(first + 1, second - first - 1);
        if (!IsAllDigits(number)) return nullptr;
        pile = std::stoi(number);
        const ParamKey* key = FindParamKey(text.substr(0, first) + text.substr(second));
        return key != nullptr && key->group != PileGroup::None ? key : nullptr;
    }

    void Run() {
        // Keys are unique in a source; later passes rely on that.
        std::map<std::string, int> seen;
        for (const SourceEntry& entry : source.entries) {
            auto [it, inserted] = seen.emplace(entry.key, entry.line);
            if (!inserted)
                Error(entry.line, "duplicate key " + entry.key + " (first at line " +
                                      std::to_string(it->second) + ")");
        }
        // Pass 1: catalogue data and single parameters, so the pile counts are known.
        // Pass 2: whole-group lists. Pass 3: single-pile values, which override the lists.
        for (int pass = 1; pass <= 3; ++pass) {
            for (const SourceEntry& entry : source.entries)
                Dispatch(entry, pass);
        }
        if (source.rules.empty())
            Error(source.rulesLine > 0 ? source.rulesLine : 1,
                  "no rules text: end the file with a \"[rules]\" section");
        game.rules = source.rules;
        game.file = source.file;
        CheckGame(game, source, errors);
    }

    void Dispatch(const SourceEntry& entry, int pass) {
        const std::string& key = entry.key;
        if (key.starts_with("game.") && FindParamKey(key) == nullptr) {
            static const char* const kGameKeys[] = {"game.name",   "game.number", "game.type",
                                                    "game.listed", "game.new",    "game.lists"};
            for (const char* known : kGameKeys) {
                if (key == known) {
                    if (pass == 1) GameEntry(entry);
                    return;
                }
            }
        }
        if (key.starts_with("param.")) {
            const std::string number = key.substr(6);
            const auto param = IsAllDigits(number) ? ParseInteger(number) : std::nullopt;
            if (!param || *param >= kParamCount) {
                if (pass == 1)
                    Error(entry.line, "unknown key " + key + ": param.N takes N from 0 to 489");
            } else if (const ParamKey* named = KeyForParam(*param)) {
                if (pass == 1)
                    Error(entry.line, "parameter " + number + " has a readable key: use " +
                                          std::string(named->key));
            } else if (pass == 1) {
                RawEntry(*param, entry);
            }
            return;
        }
        if (const ParamKey* paramKey = FindParamKey(key)) {
            if (paramKey->group == PileGroup::None && pass == 1) ScalarEntry(*paramKey, entry);
            if (paramKey->group != PileGroup::None && pass == 2) GroupEntry(*paramKey, entry);
            return;
        }
        int pile = 0;
        if (const ParamKey* pileKey = SplitPileKey(key, pile)) {
            if (pass == 3) PileEntry(*pileKey, pile, entry);
            return;
        }
        if (pass == 1) Error(entry.line, "unknown key " + key);
    }
};

} // namespace

CompiledGame CompileGame(const GameSource& source, ErrorList& errors) {
    Compiler compiler{source, errors, {}};
    compiler.Run();
    return compiler.game;
}

} // namespace quendra::gamesc
