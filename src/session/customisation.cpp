#include "customisation.h"

#include "settings.h"

#include <charconv>
#include <cstdlib>

namespace quendra {

namespace {

constexpr const char* kListSection = "Customized Backgrounds";
constexpr int kMaxListed = 200;

void SetBoth(GameContext& ctx, const char* key, const std::string& value) {
    StorePreference(ctx, key, value);
}

} // namespace

void StoreBackgroundChoice(GameContext& ctx, int code, const std::string& customisedFile,
                           long long colour) {
    using namespace background_code;
    const bool customised = code == kCustomised && !customisedFile.empty();
    const bool picture = code >= kFirstPicture && code <= kLastPicture;
    const bool plain = code == kColourAsSet || code >= kFirstColour || customised || picture;
    SetBoth(ctx, "Background_bmp", picture ? std::to_string(code) : "0");
    SetBoth(ctx, "Background_Def", plain ? "N" : "Y");
    if (code >= kFirstColour) {
        // The colour itself, not the entry's code, is what the table is painted with.
        SetBoth(ctx, "Background_Fixed_Col", std::to_string(colour));
        SetBoth(ctx, "Background_Col", std::to_string(colour));
    }
    // The key holds the picture's file as chosen; its field is "Y" exactly while it does.
    SetBoth(ctx, "Customized_Background", customised ? customisedFile : "");
}

int CurrentBackgroundCode(const GameContext& ctx) {
    using namespace background_code;
    if (GetSetting(ctx.settings, field::kCustomizedBackground) == "Y") return kCustomised;
    const int picture = std::atoi(GetSetting(ctx.settings, field::kBackgroundPicture).c_str());
    if (picture >= kFirstPicture && picture <= kLastPicture) return picture;
    if (GetSetting(ctx.settings, field::kBackgroundDefault) == "Y") return 0;
    return kColourAsSet;
}

std::vector<std::string> CustomisedBackgrounds(const GameContext& ctx) {
    std::vector<std::string> files;
    const int count = ReadSettingInt(ctx, kListSection, "Count", 0);
    for (int i = 1; i <= count && i <= kMaxListed; ++i) {
        const std::string file = ReadSettingString(ctx, kListSection, "File" + std::to_string(i), "");
        if (!file.empty()) files.push_back(file);
    }
    return files;
}

namespace {
bool WriteList(GameContext& ctx, const std::vector<std::string>& files) {
    bool ok = true;
    for (std::size_t i = 0; i < files.size(); ++i)
        ok = WriteSettingString(ctx, kListSection, "File" + std::to_string(i + 1), files[i]) && ok;
    return WriteSettingInt(ctx, kListSection, "Count", static_cast<int>(files.size())) && ok;
}
} // namespace

bool AddCustomisedBackground(GameContext& ctx, const std::string& file) {
    std::vector<std::string> files = CustomisedBackgrounds(ctx);
    for (const std::string& listed : files)
        if (listed == file) return true;
    if (files.size() >= static_cast<std::size_t>(kMaxListed)) return false;
    files.push_back(file);
    return WriteList(ctx, files);
}

bool RemoveCustomisedBackground(GameContext& ctx, const std::string& file) {
    std::vector<std::string> files = CustomisedBackgrounds(ctx);
    std::erase(files, file);
    return WriteList(ctx, files);
}

int WinningAnimationSeconds(const std::string& typed) {
    int seconds = 0;
    const char* end = typed.data() + typed.size();
    const auto [rest, error] = std::from_chars(typed.data(), end, seconds);
    if (error != std::errc() || rest != end || seconds < 1 || seconds > 3600) return 30;
    return seconds;
}

} // namespace quendra
