#pragma once

#include <map>
#include <string>

namespace quendra::test {

// The value text of a top-level field of the tool's JSON result ("true", "3", "null",
// "\"text\"" with its quotes); empty when the field is missing.
inline std::string JsonField(const std::string& json, const std::string& name) {
    const std::string key = "\"" + name + "\": ";
    const std::size_t at = json.find(key);
    if (at == std::string::npos) return {};
    std::size_t begin = at + key.size();
    std::size_t end = begin;
    if (json[begin] == '"') {
        end = json.find('"', begin + 1) + 1;
    } else if (json[begin] == '{') {
        end = json.find('}', begin) + 1;
    } else {
        end = json.find_first_of(",}", begin);
    }
    return json.substr(begin, end - begin);
}

// The "piles" object as pile name to snapshot line, in the order written.
inline std::map<std::string, std::string> JsonPiles(const std::string& json,
                                                    std::string* order = nullptr) {
    std::map<std::string, std::string> piles;
    const std::string object = JsonField(json, "piles");
    std::size_t at = 0;
    while ((at = object.find('"', at)) != std::string::npos) {
        const std::size_t nameEnd = object.find('"', at + 1);
        const std::size_t valueBegin = object.find('"', nameEnd + 1);
        const std::size_t valueEnd = object.find('"', valueBegin + 1);
        const std::string name = object.substr(at + 1, nameEnd - at - 1);
        piles[name] = object.substr(valueBegin + 1, valueEnd - valueBegin - 1);
        if (order) *order += name + " ";
        at = valueEnd + 1;
    }
    return piles;
}

} // namespace quendra::test
