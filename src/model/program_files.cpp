#include "program_files.h"

#include "data_paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace quendra {

namespace fs = std::filesystem;

namespace {

std::string WithSlash(std::string dir) {
    if (dir.empty() || dir.back() != '/') dir.push_back('/');
    return dir;
}

std::string UserDataDir() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        return (fs::path(xdg) / "quendra2000").string();
    if (const char* home = std::getenv("HOME"); home && *home)
        return (fs::path(home) / ".local" / "share" / "quendra2000").string();
    return (fs::temp_directory_path() / "quendra2000").string();
}

// The first folder, in order, that holds the file (in any letter case).
std::string FindIn(const std::vector<std::string>& dirs, const char* name) {
    for (const std::string& dir : dirs) {
        if (dir.empty()) continue;
        const std::string path = ResolveDataPath(dir, name);
        if (FileExists(path)) return path;
    }
    return {};
}

} // namespace

bool LocateProgramFiles(const std::string& dirOption, const std::string& exeDir,
                        const std::string& shareDir, ProgramFiles& files, std::string& error) {
    std::string dir = dirOption;
    if (dir.empty()) {
        const bool exeHoldsCatalogue =
            !exeDir.empty() && FileExists(ResolveDataPath(exeDir, "GAMES.DAT"));
        dir = exeHoldsCatalogue && ::access(exeDir.c_str(), W_OK) == 0 ? exeDir : UserDataDir();
    }
    std::error_code ec;
    fs::create_directories(ResolveDataPath(dir, "DATA"), ec);
    if (ec || !fs::is_directory(dir, ec)) {
        error = "Cannot create the program folder " + dir + ": " + ec.message();
        return false;
    }
    files.programDir = WithSlash(fs::absolute(dir, ec).lexically_normal().string());
    // A relative share folder is the installed one, relative to the executable's folder.
    std::string share = shareDir;
    if (!share.empty() && fs::path(share).is_relative())
        share = exeDir.empty() ? std::string{}
                               : (fs::path(exeDir) / share).lexically_normal().string();
    files.gamesFile = FindIn({files.programDir, exeDir, share}, "GAMES.DAT");
    files.imagesFile = FindIn({files.programDir, exeDir, share}, "SOL.RGF");
    return true;
}

} // namespace quendra
