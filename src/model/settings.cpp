#include "settings.h"

#include "cards.h"
#include "data_paths.h"
#include "profile.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <string>

namespace quendra {

namespace {

constexpr const char* kPreference = "Preference";
constexpr int kSystemBackgroundColour = -2147483633;
constexpr int kMaxRunCount = 9;
constexpr int kMaxPlayers = 20;

enum class Kind {
    Text,         // the text as it stands
    Number,       // decimal; `zeroFallback` replaces 0, which is also what a non-number reads
    ZeroFilled,   // leading zeros to the field's width; `zeroFallback` (else the default)
                  // replaces a value that is no number
    GameNumber,   // 4 digits, "-1" when no game is selected
    EmptyIsZero,  // text, "0" when empty
    NonEmptyFlag, // "Y" when the key holds anything, else "N"
};

struct PreferenceEntry {
    const char* key;
    field::Field field;
    Kind kind;
    const char* defaultText;
    int defaultNumber;
    int zeroFallback;
};

constexpr PreferenceEntry Text(const char* key, field::Field f, const char* def) {
    return {key, f, Kind::Text, def, 0, 0};
}
constexpr PreferenceEntry Number(const char* key, field::Field f, int def, int zeroFallback = 0) {
    return {key, f, Kind::Number, "", def, zeroFallback};
}

// Keys of section Preference that have a field of the record. Cards_Animate comes before
// Cards_Shadowed, whose default it is.
constexpr std::array kPreferences{
    Text("Show_ToolTips", field::kShowToolTips, "Y"),
    PreferenceEntry{"Back_Card", field::kBackCard, Kind::ZeroFilled, "", 30, 1},
    PreferenceEntry{"Card", field::kCardSet, Kind::ZeroFilled, "", 1, 0},
    Text("Card_Size", field::kCardSize, "B"),
    PreferenceEntry{"Background_bmp", field::kBackgroundPicture, Kind::EmptyIsZero, "", 0, 0},
    Number("Background_Fixed_Col", field::kBackgroundFixedColour, 32768),
    Number("Background_Col", field::kBackgroundColour, kSystemBackgroundColour,
           kSystemBackgroundColour),
    Text("Background_def", field::kBackgroundDefault, "N"),
    Text("Fade_Background", field::kFadeBackground, "Y"),
    PreferenceEntry{"Customized_Background", field::kCustomizedBackground, Kind::NonEmptyFlag, "",
                    0, 0},
    PreferenceEntry{"Game", field::kGameNumber, Kind::GameNumber, "", 1, 0},
    Text("Game_name", field::kGameName, "Freecell"),
    Text("Show_Time", field::kShowTime, "Y"),
    Text("Show_Score", field::kShowScore, "Y"),
    Text("Cards_Animate", field::kCardsAnimate, "Y"),
    Text("Cards_Shadowed", field::kCardsShadowed, ""),
    Text("Piles_TT", field::kPilesToolTips, "N"),
    Text("Automatic_FaceUp", field::kAutomaticFaceUp, "Y"),
    Text("Deal_Animation", field::kDealAnimation, "Y"),
    Text("Redeal_Animation", field::kRedealAnimation, "Y"),
    Number("Language", field::kLanguage, 20000),
    Number("Speed_Move_Card", field::kSpeedMoveCard, 10),
    Text("StatusBar", field::kStatusBar, "N"),
    Text("UserDefault", field::kUserDefault, ""),
    Text("Undo_Enabled", field::kUndoMode, "0"),
    Text("ConfirmQuitGame", field::kConfirmQuitGame, "N"),
    Text("ConfirmEnterHiScores", field::kConfirmEnterHiScores, "Y"),
    Text("Sounds_Enabled", field::kSoundsEnabled, "Y"),
    Text("Random_Background", field::kRandomBackground, "N"),
    Text("Random_Card", field::kRandomCard, "N"),
    Text("Random_Deck", field::kRandomDeck, "N"),
    Text("VertScrollBar", field::kVertScrollBar, "Y"),
    Text("ShowPilesSize", field::kShowPilesSize, "N"),
    Text("Show_Main_Popup_Menu", field::kShowMainPopupMenu, "Y"),
    Text("Show_Partial_Hidden_Card", field::kShowPartialHiddenCard, "Y"),
    Text("RightClick_To_Foundations", field::kRightClickToFoundations, "Y"),
    Text("RightClick_To_Tableaus", field::kRightClickToTableaus, "Y"),
    Text("DoubleClick_To_Foundations", field::kDoubleClickToFoundations, "Y"),
    Text("DoubleClick_To_Tableaus", field::kDoubleClickToTableaus, "N"),
    Number("Cursor", field::kCursor, 10),
    Text("Sounds_About", field::kSoundsAbout, "Y"),
    Text("Sounds_Autoplay", field::kSoundsAutoplay, "Y"),
    Text("Sounds_GameWon", field::kSoundsGameWon, "Y"),
    Text("Sounds_NewGame", field::kSoundsNewGame, "Y"),
    Text("Sounds_Redo", field::kSoundsRedo, "Y"),
    Text("Sounds_Restart", field::kSoundsRestart, "Y"),
    Text("Sounds_Splash", field::kSoundsSplash, "Y"),
    Text("Sounds_Shuffle", field::kSoundsShuffle, "Y"),
    Text("Sounds_Undo", field::kSoundsUndo, "Y"),
    Text("Sounds_HiScores", field::kSoundsHiScores, "Y"),
    Text("Sounds_NewHiScores", field::kSoundsNewHiScores, "Y"),
    Text("Sounds_Pairing", field::kSoundsPairing, "Y"),
    Text("Sounds_Stock", field::kSoundsStock, "Y"),
    Text("Sounds_Tableau", field::kSoundsTableau, "Y"),
    Text("Sounds_FaceUp", field::kSoundsFaceUp, "Y"),
    Text("Sounds_CardDown", field::kSoundsCardDown, "Y"),
    Text("Sounds_CardUp", field::kSoundsCardUp, "Y"),
    Text("Sounds_Redeal", field::kSoundsRedeal, "Y"),
    Text("Sounds_Foundation", field::kSoundsFoundation, "Y"),
    Text("Sounds_Redeal_Without_Animation", field::kSoundsRedealWithoutAnimation, "Y"),
};

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

const PreferenceEntry* FindPreference(std::string_view key) {
    for (const auto& entry : kPreferences)
        if (SameIgnoringCase(entry.key, key)) return &entry;
    return nullptr;
}

// Things a default depends on besides the table.
struct Defaults {
    int cardSet = 1;
};

// Puts one key of the file into its field, with the key's default and fallback.
void ApplyPreference(GameContext& ctx, const Profile& profile, const PreferenceEntry& entry,
                     const Defaults& defaults) {
    SettingsRecord& record = ctx.settings;
    const int defaultNumber =
        entry.field.position == field::kCardSet.position ? defaults.cardSet : entry.defaultNumber;
    switch (entry.kind) {
    case Kind::Text: {
        std::string def = entry.defaultText;
        if (entry.field.position == field::kCardsShadowed.position)
            def = GetSetting(record, field::kCardsAnimate);
        SetSetting(record, entry.field, profile.ReadString(kPreference, entry.key, def));
        break;
    }
    case Kind::Number: {
        int value = profile.ReadInt(kPreference, entry.key, defaultNumber);
        if (value == 0 && entry.zeroFallback != 0) value = entry.zeroFallback;
        SetSetting(record, entry.field, std::to_string(value));
        break;
    }
    case Kind::ZeroFilled: {
        // 0 is what a value that is no number reads as; one out of the field's width is no
        // number this program wrote either.
        int value = profile.ReadInt(kPreference, entry.key, defaultNumber);
        long long widest = 1;
        for (int i = 0; i < entry.field.length; ++i)
            widest *= 10;
        if (value <= 0 || value >= widest)
            value = entry.zeroFallback != 0 ? entry.zeroFallback : defaultNumber;
        SetSetting(record, entry.field, fnFormatNumber(value, entry.field.length));
        break;
    }
    case Kind::GameNumber: {
        const int value = profile.ReadInt(kPreference, entry.key, defaultNumber);
        SetSetting(record, entry.field,
                   value < 0 || value > 9999 ? std::string("-1")
                                             : fnFormatNumber(value, entry.field.length));
        break;
    }
    case Kind::EmptyIsZero: {
        const std::string value = profile.ReadString(kPreference, entry.key, entry.defaultText);
        SetSetting(record, entry.field, value.empty() ? std::string("0") : value);
        break;
    }
    case Kind::NonEmptyFlag:
        SetSetting(record, entry.field,
                   profile.ReadString(kPreference, entry.key, "").empty() ? "N" : "Y");
        break;
    }
}

std::string DefaultText(const GameContext& ctx, const PreferenceEntry& entry) {
    switch (entry.kind) {
    case Kind::Text:
        if (entry.field.position == field::kCardsShadowed.position)
            return ReadPreference(ctx, "Cards_Animate");
        return entry.defaultText;
    case Kind::Number:
    case Kind::ZeroFilled:
    case Kind::GameNumber:
        return std::to_string(entry.defaultNumber);
    case Kind::EmptyIsZero:
    case Kind::NonEmptyFlag:
        break;
    }
    return {};
}

std::string UserKey(int n) {
    char key[16];
    std::snprintf(key, sizeof key, "User%03d", n);
    return key;
}

} // namespace

void SetProgramDir(GameContext& ctx, std::string_view dir) {
    std::string text(dir);
    if (text.empty() || text.back() != '/') text += '/';
    SetSetting(ctx.settings, field::kProgramDir, text);
    SetSetting(ctx.settings, field::kSettingsFile, kSettingsFileName);
}

std::string SettingsFilePath(const GameContext& ctx) {
    std::string name = GetSetting(ctx.settings, field::kSettingsFile);
    if (name.empty()) name = kSettingsFileName;
    return ResolveDataPath(ctx.ProgramDir(), name);
}

void LoadSettings(GameContext& ctx, int displayColourBits) {
    if (GetSetting(ctx.settings, field::kSettingsFile).empty())
        SetSetting(ctx.settings, field::kSettingsFile, kSettingsFileName);
    const Profile profile = Profile::Load(SettingsFilePath(ctx));
    Defaults defaults;
    if (displayColourBits <= 8) defaults.cardSet = 3;
    for (const auto& entry : kPreferences)
        ApplyPreference(ctx, profile, entry, defaults);

    SetSetting(ctx.settings, field::kStatsCode, "01");
    ResetRunCounters(ctx);
    SetSetting(ctx.settings, field::kScore, "0");
    SetSetting(ctx.settings, field::kUndoUsed, "0");
    SetSetting(ctx.settings, field::kRedoUsed, "0");
}

bool CreateDefaultPlayers(GameContext& ctx) {
    if (!GetSetting(ctx.settings, field::kUserDefault).empty()) return false;
    Profile profile = Profile::Load(SettingsFilePath(ctx));
    profile.WriteString(kPreference, "UserDefault", "Player 1");
    for (int n = 1; n <= 3; ++n)
        profile.WriteString("Users", UserKey(n), "Player " + std::to_string(n));
    SetSetting(ctx.settings, field::kUserDefault, "Player 1");
    profile.Save(ctx.host);
    return true;
}

int CountProgramStart(GameContext& ctx) {
    int runs = ReadSettingInt(ctx, "Parameters", "Run_Exe", 0);
    if (runs < 0) runs = 0;
    if (runs < kMaxRunCount) {
        ++runs;
        WriteSettingInt(ctx, "Parameters", "Run_Exe", runs);
    }
    return runs;
}

void ResetRunCounters(GameContext& ctx) {
    SetSetting(ctx.settings, field::kRunCounter1, "0000");
    SetSetting(ctx.settings, field::kRunCounter2, "0000");
}

std::string ReadSettingString(const GameContext& ctx, std::string_view section,
                              std::string_view key, std::string_view defaultValue) {
    return ProfileReadString(SettingsFilePath(ctx), section, key, defaultValue);
}

int ReadSettingInt(const GameContext& ctx, std::string_view section, std::string_view key,
                   int defaultValue) {
    return ProfileReadInt(SettingsFilePath(ctx), section, key, defaultValue);
}

bool WriteSettingString(GameContext& ctx, std::string_view section, std::string_view key,
                        std::string_view value) {
    return ProfileWriteString(ctx.host, SettingsFilePath(ctx), section, key, value);
}

bool WriteSettingInt(GameContext& ctx, std::string_view section, std::string_view key, int value) {
    return ProfileWriteInt(ctx.host, SettingsFilePath(ctx), section, key, value);
}

std::string ReadPreference(const GameContext& ctx, std::string_view key,
                           std::string_view fallback) {
    const PreferenceEntry* entry = FindPreference(key);
    return ReadSettingString(ctx, kPreference, key,
                             entry ? DefaultText(ctx, *entry) : std::string(fallback));
}

bool StorePreference(GameContext& ctx, std::string_view key, std::string_view value) {
    Profile profile = Profile::Load(SettingsFilePath(ctx));
    profile.WriteString(kPreference, key, value);
    if (const PreferenceEntry* entry = FindPreference(key)) {
        ApplyPreference(ctx, profile, *entry, Defaults{});
    }
    return profile.Save(ctx.host);
}

bool ToolBarLarge(const GameContext& ctx) {
    return ReadSettingString(ctx, kPreference, "ToolBar_Large", "N") == "Y";
}
bool ToolBarFlat(const GameContext& ctx) {
    return ReadSettingString(ctx, kPreference, "ToolBar_Flat", "Y") == "Y";
}
bool StatisticsDisabled(const GameContext& ctx) {
    return ReadSettingString(ctx, kPreference, "Disable_Statistics", "N") == "Y";
}
int HighlightFoundationsMark(const GameContext& ctx) {
    return ReadSettingInt(ctx, kPreference, "HighLights_Foundations_Mark", 0);
}
bool AutoPlayAllGames(const GameContext& ctx) {
    return ReadSettingInt(ctx, kPreference, "AutoPlay_All_Games", 1) == 1;
}
bool AutoPlayOn(const GameContext& ctx) {
    return ReadSettingString(ctx, kPreference, "AutoPlay", "Y") == "Y";
}
bool SetAutoPlayOn(GameContext& ctx, bool on) {
    return WriteSettingString(ctx, kPreference, "AutoPlay", on ? "Y" : "N");
}
int GameTreeNum(const GameContext& ctx) {
    return ReadSettingInt(ctx, kPreference, "Game_TreeNum", -30);
}
bool SetGameTreeNum(GameContext& ctx, int folder) {
    return WriteSettingInt(ctx, kPreference, "Game_TreeNum", folder);
}
int GamesFastSearchType(const GameContext& ctx) {
    return ReadSettingInt(ctx, "Settings", "Games_Fast_Search_Type", 0);
}
bool SetGamesFastSearchType(GameContext& ctx, int type) {
    return WriteSettingInt(ctx, "Settings", "Games_Fast_Search_Type", type);
}
int RandomGameType(const GameContext& ctx) {
    return ReadSettingInt(ctx, "Settings", "Random_Game_Type", 2);
}
bool SetRandomGameType(GameContext& ctx, int type) {
    return WriteSettingInt(ctx, "Settings", "Random_Game_Type", type);
}
int ShadowOffset(const GameContext& ctx) {
    return GetSetting(ctx.settings, field::kCardsShadowed) == "N" ? 0 : 9;
}

WindowPlacement ReadWindowPlacement(const GameContext& ctx) {
    const Profile profile = Profile::Load(SettingsFilePath(ctx));
    WindowPlacement placement;
    placement.left = profile.ReadInt(kPreference, "MainWindowState_Left", 50);
    placement.top = profile.ReadInt(kPreference, "MainWindowState_Top", 50);
    placement.width =
        profile.ReadInt(kPreference, "MainWindowState_Width", ctx.host.ScreenWidth() - 150);
    placement.height =
        profile.ReadInt(kPreference, "MainWindowState_Height", ctx.host.ScreenHeight() - 150);
    placement.maximized = profile.ReadString(kPreference, "MainWindowState_Maximized", "Y") == "Y";
    return placement;
}

bool SaveWindowPlacement(GameContext& ctx, const WindowPlacement& placement) {
    Profile profile = Profile::Load(SettingsFilePath(ctx));
    // A maximized window without a known normal size keeps the size stored before.
    if (placement.width > 0 && placement.height > 0) {
        profile.WriteInt(kPreference, "MainWindowState_Left", placement.left);
        profile.WriteInt(kPreference, "MainWindowState_Top", placement.top);
        profile.WriteInt(kPreference, "MainWindowState_Width", placement.width);
        profile.WriteInt(kPreference, "MainWindowState_Height", placement.height);
    }
    profile.WriteString(kPreference, "MainWindowState_Maximized", placement.maximized ? "Y" : "N");
    return profile.Save(ctx.host);
}

std::vector<std::string> ReadPlayerNames(const GameContext& ctx) {
    const Profile profile = Profile::Load(SettingsFilePath(ctx));
    std::vector<std::string> names;
    for (int n = 1; n <= kMaxPlayers; ++n) {
        std::string name = profile.ReadString("Users", UserKey(n), "");
        if (!name.empty()) names.push_back(std::move(name));
    }
    return names;
}

bool ShowAdvice(GameContext& ctx, const std::string& message, std::string_view key, int page) {
    if (ReadSettingString(ctx, "Show_Messages", key, "Y") == "N") return false;
    if (ctx.host.ShowAdvice(message, page)) WriteSettingString(ctx, "Show_Messages", key, "N");
    return true;
}

} // namespace quendra
