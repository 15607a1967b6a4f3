#include "catalogue_build.h"

#include "game_source.h"
#include "games_dat_writer.h"

#include <cstdio>
#include <fstream>

namespace quendra::gamesc {

namespace {

bool WriteWhole(const std::string& path, const std::string& text, ErrorList& errors) {
    const std::string temporary = path + ".rpl";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text;
        out.flush();
        if (!out) {
            errors.push_back({path, 0, "cannot write the file"});
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        errors.push_back({path, 0, "cannot replace the file"});
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace

std::vector<CompiledGame> CompileSources(const std::vector<std::string>& paths, ErrorList& errors) {
    std::vector<CompiledGame> games;
    for (const std::string& path : paths) {
        const std::size_t before = errors.size();
        const GameSource source = ReadGameSource(path, errors);
        if (errors.size() > before && source.entries.empty()) continue;
        games.push_back(CompileGame(source, errors));
    }
    CheckCatalogue(games, errors);
    return CatalogueOrder(std::move(games));
}

bool BuildCatalogue(const std::vector<std::string>& paths, const std::string& gamesDatPath,
                    const std::string& rulesPath, ErrorList& errors) {
    const std::vector<CompiledGame> games = CompileSources(paths, errors);
    if (games.empty() && errors.empty())
        errors.push_back({gamesDatPath, 0, "no game sources given"});
    if (!errors.empty()) return false;
    return WriteWhole(gamesDatPath, GamesDatText(games), errors) &&
           WriteWhole(rulesPath, RulesDatText(games), errors);
}

} // namespace quendra::gamesc
