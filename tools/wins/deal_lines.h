#pragma once

// What the searches driven by a script share: deals read from standard input one a line,
// fields parted by '|' (the deal number first), and one answer a line: "won DEAL MOVES...",
// "nowin DEAL TABLES" when every table was searched, "unknown DEAL TABLES MOST" at the limit.

#include <cstdlib>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace deal_lines {

struct Answer {
    int verdict = 0; // 1 won, 0 no win, -1 the limit reached
    std::vector<std::string> moves;
    long long tables = 0;
    int most = 0; // the most cards home
};

// The words of a field, parted by blanks.
inline std::vector<std::string> Words(const std::string& field) {
    std::istringstream in(field);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

// The program's main: `[TABLES]` on the command line (else `limit`), then each line of
// `fields` fields searched by `search` within that many tables.
inline int Run(int argc, char** argv, const char* name, std::size_t fields, long long limit,
               const std::function<Answer(const std::vector<std::string>&, long long)>& search) {
    if (argc > 2 || (argc == 2 && std::atoll(argv[1]) <= 0)) {
        std::cerr << "Usage: " << name << " [TABLES]\n";
        return 2;
    }
    if (argc == 2) limit = std::atoll(argv[1]);
    std::string text;
    while (std::getline(std::cin, text)) {
        std::vector<std::string> parts;
        std::istringstream in(text);
        for (std::string f; std::getline(in, f, '|');) parts.push_back(f);
        if (parts.size() != fields) {
            std::cerr << name << ": a line needs " << fields << " fields parted by '|'\n";
            return 2;
        }
        const std::vector<std::string> number = Words(parts[0]);
        const Answer answer = search(parts, limit);
        const std::string deal = number.empty() ? "?" : number[0];
        if (answer.verdict == 1) {
            std::cout << "won " << deal;
            for (const std::string& move : answer.moves) std::cout << ' ' << move;
        } else if (answer.verdict == 0) {
            std::cout << "nowin " << deal << ' ' << answer.tables;
        } else {
            std::cout << "unknown " << deal << ' ' << answer.tables << ' ' << answer.most;
        }
        std::cout << std::endl;
    }
    return 0;
}

} // namespace deal_lines
