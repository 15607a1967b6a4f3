#include "games_dat_writer.h"

#include "game_catalog.h"
#include "param_keys.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace quendra::gamesc {

namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr std::size_t kLabelWidth = 12;

std::string Digits(int value, int width) {
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), '0');
    return text;
}

std::string Padded(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Columns 5-16 of a parameter row are not read; a short label helps whoever opens the file.
std::string RowLabel(int param) {
    const ParamKey* key = KeyForParam(param);
    std::string label = key != nullptr ? std::string(key->key) : "";
    if (label.size() > kLabelWidth) label.resize(kLabelWidth);
    return " " + Padded(label, kLabelWidth - 1);
}

void AppendList(std::string& text, const char* header, const std::vector<CompiledGame>& games,
                bool CompiledGame::*member) {
    text += header;
    text += kLineEnd;
    for (const CompiledGame& game : games) {
        if (!game.listed || !(game.*member)) continue;
        text += fnShiftText(std::to_string(game.number));
        text += kLineEnd;
    }
}

} // namespace

void CheckCatalogue(const std::vector<CompiledGame>& games, ErrorList& errors) {
    std::map<int, const CompiledGame*> numbers;
    std::map<std::string, const CompiledGame*> names;
    for (const CompiledGame& game : games) {
        if (game.number >= 0) {
            auto [it, inserted] = numbers.emplace(game.number, &game);
            if (!inserted)
                errors.push_back({game.file, game.numberLine,
                                  "game number " + std::to_string(game.number) +
                                      " is already used by " + it->second->file + ":" +
                                      std::to_string(it->second->numberLine)});
        }
        if (!game.name.empty()) {
            auto [it, inserted] = names.emplace(Lower(game.name), &game);
            if (!inserted)
                errors.push_back({game.file, game.nameLine,
                                  "game name \"" + game.name + "\" is already used by " +
                                      it->second->file + ":" +
                                      std::to_string(it->second->nameLine)});
        }
    }
}

std::vector<CompiledGame> CatalogueOrder(std::vector<CompiledGame> games) {
    std::stable_sort(games.begin(), games.end(), [](const CompiledGame& a, const CompiledGame& b) {
        return a.number < b.number;
    });
    return games;
}

std::string CatalogueLine(const CompiledGame& game) {
    std::string line = Digits(game.type, 3) + " " + Digits(game.number, 3);
    line += game.listed ? '0' : '9';
    // A game that needs a screen 810 pixels wide cannot be played below 650 even with the
    // middle-sized cards; one that needs 650 still can with them.
    line += game.params[38] == 2 ? '1' : '0';
    line += game.isNew ? '1' : '0';
    return line + Padded(game.name, 50);
}

std::string ValueField(int value) {
    return Padded(std::to_string(value), 10);
}

std::string GamesDatText(const std::vector<CompiledGame>& games) {
    std::string text = "[Sect1]";
    text += kLineEnd;
    for (const CompiledGame& game : games) {
        text += fnShiftText(CatalogueLine(game));
        text += kLineEnd;
    }
    text += "[Sect2]";
    text += kLineEnd;
    // Row k holds parameter k, from 1 on; the separator after each value is a plain blank.
    for (int param = 1; param < kParamCount; ++param) {
        text += Digits(param, 4) + RowLabel(param);
        for (const CompiledGame& game : games) {
            if (!game.listed) continue;
            text += fnShiftText(ValueField(game.params[static_cast<std::size_t>(param)]));
            text += ' ';
        }
        text += kLineEnd;
    }
    AppendList(text, "[SectS]", games, &CompiledGame::inSelected);
    AppendList(text, "[SectO]", games, &CompiledGame::inOriginal);
    AppendList(text, "[SectK]", games, &CompiledGame::inChildren);
    return text;
}

std::string RulesDatText(const std::vector<CompiledGame>& games) {
    std::string text;
    for (const CompiledGame& game : games) {
        text += "[" + Digits(game.number, 4) + "] " + game.name + kLineEnd;
        std::size_t start = 0;
        while (start <= game.rules.size()) {
            std::size_t end = game.rules.find('\n', start);
            if (end == std::string::npos) end = game.rules.size();
            text += game.rules.substr(start, end - start) + kLineEnd;
            start = end + 1;
        }
    }
    return text;
}

} // namespace quendra::gamesc
