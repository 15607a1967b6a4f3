#include "new_game.h"

#include "autoplay.h"
#include "cards.h"
#include "deal.h"
#include "deal_cards.h"
#include "families.h"
#include "game_catalog.h"
#include "layout.h"
#include "score.h"
#include "settings.h"
#include "game_params.h"

#include <random>

namespace quendra {

namespace {

constexpr int kFamilyEndsAtOnce = 44;

bool Flag(const GameContext& ctx, int flag) {
    return ctx.flags[flag] != 0;
}

void SetValue(GameContext& ctx, int index, int value) {
    ctx.mainGame.values.at(static_cast<std::size_t>(index)) = static_cast<std::int16_t>(value);
}

int RandomBelow(int n) {
    std::random_device device;
    std::mt19937 engine(device());
    return std::uniform_int_distribution<int>(0, n - 1)(engine);
}

// The random table look: only the settings change here; the window redraws from them.
void RandomTableLook(GameContext& ctx) {
    SettingsRecord& s = ctx.settings;
    if (GetSetting(s, field::kRandomBackground) == "Y") {
        SetSetting(s, field::kBackgroundDefault, "N");
        SetSetting(s, field::kBackgroundPicture, "0");
        SetSetting(s, field::kBackgroundFixedColour, "0");
        SetSetting(s, field::kCustomizedBackground, "N");
        // A true-colour display: 67 pictures, and the plain colours when fading is on.
        const int a = 67;
        const int b = GetSetting(s, field::kFadeBackground) == "Y" ? 6 : 0;
        const int c = 257;
        const int d = RandomBelow(a + b);
        static constexpr const char* kColours[] = {"255", "32768", "8388608", "32896", "8421376"};
        if (d >= a + 1 && d <= a + 5)
            SetSetting(s, field::kBackgroundFixedColour, kColours[d - a - 1]);
        else
            SetSetting(s, field::kBackgroundPicture, fnFormatNumber(d + c, 3));
    }
    if (GetSetting(s, field::kRandomCard) == "Y" && GetSetting(s, field::kCardSize) == "B") {
        const int a = RandomBelow(5);
        if (a + 1 != ParseDigits(GetSetting(s, field::kCardSet)))
            SetSetting(s, field::kCardSet, fnFormatNumber(a + 1, 3));
    }
    if (GetSetting(s, field::kRandomDeck) == "Y") {
        const int a = RandomBelow(27);
        if (a + 1 != ParseDigits(GetSetting(s, field::kBackCard)))
            SetSetting(s, field::kBackCard, fnFormatNumber(a + 1, 3));
    }
}

// Screen need of parameter 38: a game that needs a wide screen plays with medium cards on a
// smaller one. Returns true when the card size changed.
bool SettleCardSize(GameContext& ctx) {
    SettingsRecord& s = ctx.settings;
    const int need = ctx.Param(38);
    const int width = ctx.host.ScreenWidth();
    const bool met = (need != 1 || width >= 650) && (need != 2 || width >= 810);
    const std::string before = GetSetting(s, field::kCardSize);
    if (met) {
        if (!GetSetting(s, field::kSavedCardSize).empty()) {
            SetSetting(s, field::kCardSet, GetSetting(s, field::kSavedCardSet));
            SetSetting(s, field::kBackCard, GetSetting(s, field::kSavedCardBack));
            SetSetting(s, field::kCardSize, GetSetting(s, field::kSavedCardSize));
            SetSetting(s, field::kSavedCardSet, "");
            SetSetting(s, field::kSavedCardBack, "");
            SetSetting(s, field::kSavedCardSize, "");
        }
        ctx.host.EnableCommand(Host::Command::Customize, true);
    } else if (before == "B") {
        SetSetting(s, field::kSavedCardSize, before);
        SetSetting(s, field::kSavedCardSet, GetSetting(s, field::kCardSet));
        SetSetting(s, field::kSavedCardBack, GetSetting(s, field::kBackCard));
        SetSetting(s, field::kCardSize, "M");
        SetSetting(s, field::kCardSet, "003");
        const int shown = need == 1 ? fan::kNoticeShown1 : fan::kNoticeShown2;
        if (FanValue(ctx, shown) == 0) {
            SetValue(ctx, shown, 1);
            const std::string ending = "However, it's possible to play " +
                                       GetSetting(s, field::kGameName) + " " +
                                       "using a predefined cards set.";
            ctx.host.ShowInformation(
                need == 1 ? "Your video card's display is 640x480 pixels. For the best graphics "
                            "display the screen resolution should be set to 800x600 pixels or "
                            "higher. " +
                                ending
                          : "Your video card's display is 800x600 pixels. For the best graphics "
                            "display of this game the screen resolution should be set to "
                            "1024x768 pixels or higher. " +
                                ending);
        }
    }
    const std::string after = GetSetting(s, field::kCardSize);
    SetCardSize(ctx, after.empty() ? 'B' : after.front());
    return after != before;
}

} // namespace

bool ConfirmLeaveGame(GameContext& ctx, const std::string& question) {
    if (Flag(ctx, GameStateFlags::kAnimating)) return false;
    const bool open = Flag(ctx, GameStateFlags::kInPlay) && !Flag(ctx, GameStateFlags::kWon);
    // In a series the series asks, whatever the setting.
    if (open)
        if (const std::optional<bool> series = ctx.host.ConfirmLeaveSeriesGame()) return *series;
    if (GetSetting(ctx.settings, field::kConfirmQuitGame) == "N") return true;
    if (!open) return true;
    return ctx.host.Confirm(question.empty() ? "Quit this game?" : question);
}

FanJitterTable FanJitterFromSeed(unsigned seed) {
    std::mt19937 engine(seed);
    std::uniform_int_distribution<int> draw(0, 3);
    FanJitterTable table{};
    for (auto& row : table) {
        row[0] = 0;
        int p = draw(engine);
        int s = 0;
        for (std::size_t column = 1; column < row.size(); ++column) {
            int c = draw(engine);
            if ((p > 2 && c > 2) || ((c == 1 || c == 2) && p <= 2)) c = 0;
            p = c;
            int d = c == 3 ? -1 : c;
            s += d;
            if (s > 2) {
                d -= 2;
                s -= 2;
            } else if (s < -2) {
                d += 2;
                s += 2;
            }
            row[column] = d;
        }
    }
    return table;
}

FanJitterTable FanJitter(const GameContext& ctx) {
    return FanJitterFromSeed(static_cast<unsigned>(FanValue(ctx, fan::kJitterSeed)) & 0xFFFFu);
}

void RebuildFanJitter(GameContext& ctx) {
    std::random_device device;
    SetValue(ctx, fan::kJitterSeed, static_cast<int>(device() & 0x7FFFu));
}

void SetFanSpacings(GameContext& ctx) {
    const std::string size = GetSetting(ctx.settings, field::kCardSize);
    const int s = size == "M" ? 1 : size == "L" ? 2 : 0;
    for (int i : {fan::kDownFaceUp, fan::kDownFaceDown, fan::kRightFaceUp, fan::kRightFaceDown})
        SetValue(ctx, i, 0);
    SetValue(ctx, fan::kPairFirst, 3);
    SetValue(ctx, fan::kPairSecond, 3);
    SetValue(ctx, fan::kLastFirst, 6);
    const int p3 = ctx.Param(3), p5 = ctx.Param(5), p6 = ctx.Param(6);
    if (p3 == 1 || p3 == 7 || p5 == 1) {
        SetValue(ctx, fan::kDownFaceDown, s == 2 ? 3 : 4);
        SetValue(ctx, fan::kDownFaceUp, std::array{18, 14, 3}[static_cast<std::size_t>(s)]);
    }
    if (p3 == 2 || p6 != 0 || p5 == 2) {
        SetValue(ctx, fan::kRightFaceDown, s == 2 ? 3 : 4);
        SetValue(ctx, fan::kRightFaceUp, std::array{12, 10, 3}[static_cast<std::size_t>(s)]);
    }
    if (p3 == 6) {
        const int pair = std::array{7, 5, 3}[static_cast<std::size_t>(s)];
        SetValue(ctx, fan::kPairFirst, pair);
        SetValue(ctx, fan::kPairSecond, pair);
    }
    SetValue(ctx, fan::kLastFirst, std::array{12, 8, 4}[static_cast<std::size_t>(s)]);
    SetValue(ctx, fan::kLastSecond, std::array{8, 6, 3}[static_cast<std::size_t>(s)]);
}

bool LoadDefinitionAndLayout(GameContext& ctx) {
    std::fill_n(ctx.params.begin(), 488, std::int16_t{0});
    if (!LoadGameDefinition(ctx)) return false;
    SettleCardSize(ctx);
    ClearPilePositions(ctx);
    ctx.host.EnableCommand(Host::Command::Tutor, ctx.Param(45) == 1);
    const bool canSave = ctx.Param(21) != 1;
    ctx.host.EnableCommand(Host::Command::Save, canSave);
    ctx.host.EnableCommand(Host::Command::InsertBookmark, canSave);
    ctx.host.EnableCommand(Host::Command::HoldAndExit, canSave);
    SetFanSpacings(ctx);
    ctx.layoutArea.shadowOffset = ShadowOffset(ctx);
    LayoutPiles(ctx);
    return true;
}

void StartNewDeal(GameContext& ctx, bool fresh, bool animate, bool newNumber, bool quiet) {
    WaitCursor wait(ctx.host);
    ctx.play = FreshPlayState(ctx.play);
    ctx.table.Clear();
    ctx.undoHistory.Clear();
    ctx.flags[GameStateFlags::kInPlay] = 0;

    RebuildFanJitter(ctx);
    SetSetting(ctx.settings, field::kUndoUsed, "0");
    SetSetting(ctx.settings, field::kRedoUsed, "0");

    if (fresh) {
        if (ctx.Param(param::kDeckSize) != 0)
            RestoreRuleCopy(ctx);
        else
            LoadDefinitionAndLayout(ctx);
        ctx.flags[GameStateFlags::kClockRuns] = 0;
        ctx.play.timeText = "0:00:00";
        SetSetting(ctx.settings, field::kScore, "0");
        if (newNumber) NewDealNumber(ctx);
        DealCards(ctx);
        if (const auto hook = CurrentFamilyRules(ctx).afterDeal) hook(ctx);
        ScoreDealtTable(ctx);
    }
    BeginPlay(ctx, animate, quiet);
}

PlayState FreshPlayState(const PlayState& before) {
    PlayState fresh;
    fresh.autoplayTicked = before.autoplayTicked;
    fresh.autoplayEnabled = before.autoplayEnabled;
    fresh.exitAfterGame = before.exitAfterGame;
    return fresh;
}

void StartPlayOnTable(GameContext& ctx) {
    WaitCursor wait(ctx.host);
    BeginPlay(ctx, false, false);
}

void BeginPlay(GameContext& ctx, bool animate, bool quiet) {
    ctx.flags[GameStateFlags::kInPlay] = 1;
    ctx.flags[GameStateFlags::kWon] = 0;
    if (!quiet) RandomTableLook(ctx);

    // The stored score is zero-filled to its field; the score shows the plain number.
    ctx.host.ShowScore(std::to_string(StoredScore(ctx)));
    ctx.host.ShowTime(ctx.play.timeText);
    // The host draws the dealing animation when its setting and the command ask for it.
    const bool animated = animate && GetSetting(ctx.settings, field::kDealAnimation) != "N";
    (void)animated;
    if (!quiet) ctx.host.RedrawTable();

    if (!Flag(ctx, GameStateFlags::kClockRuns)) {
        ctx.play.clockStart = ctx.host.Now();
        ctx.flags[GameStateFlags::kClockRuns] = 1;
        ctx.host.ShowTime(ctx.play.timeText);
    }
    if (ctx.play.autoplayTicked && ctx.play.autoplayEnabled) {
        ctx.host.Wait(800);
        AutoplayAndFill(ctx);
    }
    ctx.host.EnableCommand(Host::Command::Pause, true);
    ctx.host.EnableCommand(Host::Command::QuitGame, true);
    ctx.host.EnableCommand(Host::Command::InsertBookmark, ctx.Param(21) != 1);
    if (ctx.Param(50) == kFamilyEndsAtOnce && Flag(ctx, GameStateFlags::kInPlay)) {
        fnWonTest(ctx);
        if (Flag(ctx, GameStateFlags::kWon) || fnLostTest(ctx)) fnEndGame(ctx);
    }
}

bool SelectAndStartGame(GameContext& ctx, int number, const std::string& name,
                        const std::string& player, int dealMode, bool remember) {
    WaitCursor wait(ctx.host);
    const std::string current = GetSetting(ctx.settings, field::kGameNumber);
    const bool gameChanges = ParseDigits(current) != number;
    const bool playerChanges = GetSetting(ctx.settings, field::kUserDefault) != player;
    if (!gameChanges && !playerChanges && Flag(ctx, GameStateFlags::kInPlay)) return false;
    if (!ConfirmLeaveGame(ctx)) return false;
    fnEndGame(ctx);

    if (gameChanges || playerChanges) ResetRunCounters(ctx);
    if (playerChanges) {
        SetSetting(ctx.settings, field::kUserDefault, player);
        StorePreference(ctx, "UserDefault", player);
    }
    SetSetting(ctx.settings, field::kGameNumber, fnFormatNumber(number, 4));
    SetSetting(ctx.settings, field::kGameName, name);
    if (gameChanges && !LoadDefinitionAndLayout(ctx)) return false;

    StartNewDeal(ctx, true, true, dealMode == kNewDealNumber, false);
    if (remember) {
        WriteSettingInt(ctx, "Preference", "Game", number);
        WriteSettingString(ctx, "Preference", "Game_Name", name);
        WriteSettingInt(ctx, "Preference", "Game_TreeNum", -30);
    }
    return true;
}

void NewGameCommand(GameContext& ctx) {
    if (!ConfirmLeaveGame(ctx)) return;
    fnEndGame(ctx);
    if (IsOn(ctx, field::kSoundsNewGame) && IsOn(ctx, field::kSoundsEnabled))
        ctx.host.PlaySound("New");
    StartNewDeal(ctx, true, true, true, false);
}

} // namespace quendra
