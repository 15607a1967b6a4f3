#include "data_files.h"

#include "data_paths.h"
#include "file_rewrite.h"
#include "profile.h"
#include "sectioned_file.h"
#include "settings.h"

#include <filesystem>
#include <system_error>

namespace quendra {

namespace {

std::string VersionSection() {
    return "[Version]\r\nVersion=" + std::string(kDataFilesVersion) + "\r\n";
}

bool CreateWithVersion(Host& host, const std::string& path) {
    if (FileExists(path)) return true;
    return ReplaceFileContent(host, path, VersionSection());
}

// Earlier versions wrote "S" for some switches.
void FixUpPreference(Profile& profile, const char* key) {
    if (profile.ReadString("Preference", key, "") == "S")
        profile.WriteString("Preference", key, "Y");
}

} // namespace

bool EnsureDataDirectory(const std::string& programDir) {
    const std::string path = ResolveDataPath(programDir, "DATA");
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return true;
    return std::filesystem::create_directories(path, ec);
}

bool EnsureVersionedFiles(GameContext& ctx) {
    const std::string dir = ctx.ProgramDir();
    if (!EnsureDataDirectory(dir)) return false;
    bool ok = CreateWithVersion(ctx.host, ResolveDataPath(dir, "Data\\Stat_scr.dat"));
    ok = CreateWithVersion(ctx.host, ResolveDataPath(dir, "Data\\Series_scr.dat")) && ok;
    ok = CreateWithVersion(ctx.host, ResolveDataPath(dir, "DATA\\STAT.DAT")) && ok;
    return ok;
}

bool UpgradeScoreFile(GameContext& ctx) {
    const std::string path = ResolveDataPath(ctx.ProgramDir(), "DATA\\STAT_SCR.DAT");
    if (!FileExists(path)) return true;
    bool ok = true;
    if (ReadKey(path, "Version", "Version", "0000") < kDataFilesVersion) {
        std::string text;
        if (!ReadFileText(path, text)) {
            ctx.host.ShowInformation("Cannot open file " + path);
            return false;
        }
        std::vector<std::string> lines{"[Version]", "Version=" + std::string(kDataFilesVersion),
                                       ""};
        for (auto& line : SplitTextLines(text)) {
            if (line == "[Version]" || line.starts_with("Version=")) continue;
            if (line.starts_with('0')) {
                if (line.size() < 89) line.resize(89, ' ');
                line += " x";
            }
            lines.push_back(std::move(line));
        }
        ok = RewriteTextLines(ctx.host, path, lines);
    }
    Profile profile = Profile::Load(SettingsFilePath(ctx));
    FixUpPreference(profile, "Cards_Animate");
    FixUpPreference(profile, "ConfirmQuit");
    if (GetSetting(ctx.settings, field::kCardsAnimate) == "S")
        SetSetting(ctx.settings, field::kCardsAnimate, "Y");
    return profile.Save(ctx.host) && ok;
}

bool RequireFile(Host& host, const std::string& path) {
    if (FileExists(path)) return true;
    host.ShowError("Cannot find file:\r" + path +
                   "\rCopy the file into the directory that above is specified\r"
                   "or reinstall the program.");
    return false;
}

bool RequireImagesFile(Host& host, const std::string& path) {
    if (FileExists(path)) return true;
    host.ShowError("Cannot find images file:\r" + path +
                   "\rSome program components cannot be shown correctly.\r"
                   "Copy the file into the directory that above is specified\r"
                   "or reinstall the program.");
    return false;
}

} // namespace quendra
