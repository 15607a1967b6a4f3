#include "table_choices.h"

#include "data_paths.h"
#include "settings_record.h"

#include <array>
#include <cstdlib>

namespace quendra {
namespace {

std::string ThreeDigits(int n) {
    std::string s = std::to_string(n);
    while (s.size() < 3)
        s.insert(s.begin(), '0');
    return s;
}

long long ToNumber(const std::string& text, long long fallback) {
    if (text.empty()) return fallback;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    return end && *end == '\0' ? v : fallback;
}

// Passes through the stock remain: fewer made than parameter 15, or no limit.
bool PassesLeft(const GameContext& ctx) {
    return ctx.Param(15) == -1 || ctx.play.passNumber < ctx.Param(15);
}

std::string RankMarkOr004(int value) {
    if (value == kNoMarkAtAll) return {};
    return RankMark(value).value_or("004");
}

} // namespace

std::optional<std::string> RankMark(int value) {
    switch (value) {
    case 1:
    case 58:
    case 81:
    case 85:
        return "010";
    case 2:
    case 90:
        return "012";
    case 11:
        return "006";
    case 12:
        return "003";
    case 13:
    case 64:
    case 84:
        return "011";
    default:
        break;
    }
    if (value >= 3 && value <= 10) return ThreeDigits(10 + value);
    return std::nullopt;
}

std::string EmptyMarkFor(const GameContext& ctx, PileRef pile) {
    const int i = pile.index;
    switch (pile.group) {
    case PileGroupId::Stock:
        if (i == kMazzo) {
            const int family = ctx.Param(50);
            if (family == 8 || family == 45) return "021";
            if (ctx.Param(16) > 0 && PassesLeft(ctx)) return "022";
            if (PileCardCount(ctx.table.StockGroup[kMazzoVis]) <= 1) return "008";
            return PassesLeft(ctx) ? "022" : "008";
        }
        if (i == kMazzoVis) {
            if (ctx.Param(9) == 1) return "_WASTE";
            if (ctx.Param(15) == 0) return "008";
            if (ctx.Param(16) > 0 && ctx.Param(9) == 0) return PassesLeft(ctx) ? "022" : "008";
            return {};
        }
        return "_WASTE";
    case PileGroupId::Dest:
        if (ctx.Param(83 + i) == 10) return "003";
        return RankMarkOr004(ctx.Param(51 + i));
    case PileGroupId::Appogg: {
        const int own = ctx.Param(331 + i), first = ctx.Param(331);
        if (own == 4) return "_TABLEAU";
        if (first == 9) return "009";
        if (first == 8) return "011";
        switch (own) {
        case 88:
            return "006";
        case 89:
            return "003";
        case 90:
            return "011";
        case 107:
            return "010";
        default:
            return "001";
        }
    }
    case PileGroupId::Fila: {
        const int value = ctx.Param(131 + i);
        if (value == kNoMarkAtAll) return {};
        if (auto mark = RankMark(value)) return *mark;
        return value != 0 ? "004" : "_TABLEAU";
    }
    }
    return {};
}

void SplitColour(long long value, int& red, int& green, int& blue) {
    if (value < 0) {
        red = 0;
        green = 96;
        blue = 0;
        return;
    }
    red = static_cast<int>(value & 0xFF);
    green = static_cast<int>((value >> 8) & 0xFF);
    blue = static_cast<int>((value >> 16) & 0xFF);
}

BackgroundChoice ChooseBackground(const SettingsRecord& settings, const std::string& customisedName,
                                  bool manyColours) {
    BackgroundChoice c;
    c.green = manyColours ? 96 : 128;
    if (GetSetting(settings, field::kBackgroundDefault) == "Y") return c;
    if (GetSetting(settings, field::kCustomizedBackground) == "Y") {
        c.kind = BackgroundChoice::Kind::Customised;
        c.customisedName = customisedName;
        return c;
    }
    const long long picture = ToNumber(GetSetting(settings, field::kBackgroundPicture), 0);
    if (picture > 0) {
        c.kind = BackgroundChoice::Kind::Picture;
        c.picture = static_cast<int>(picture);
        c.tiled = picture <= 499;
        return c;
    }
    c.kind = BackgroundChoice::Kind::Colour;
    const long long fixed = ToNumber(GetSetting(settings, field::kBackgroundFixedColour), 0);
    const long long colour =
        fixed > 0 ? fixed : ToNumber(GetSetting(settings, field::kBackgroundColour), -1);
    SplitColour(colour, c.red, c.green, c.blue);
    c.fade = manyColours && GetSetting(settings, field::kFadeBackground) == "Y";
    return c;
}

std::string CustomisedBackgroundPath(const GameContext& ctx, const std::string& name) {
    if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos)
        return ResolveCaseInsensitive(name);
    return ResolveDataPath(ctx.ProgramDir(), "DATA\\" + name + ".bmp");
}

Rgb HighlightColour(int index) {
    static constexpr std::array<Rgb, 15> kColours{{{0, 0, 0},
                                                   {0, 0, 255},
                                                   {0, 255, 255},
                                                   {0, 255, 0},
                                                   {255, 186, 220},
                                                   {255, 70, 70},
                                                   {255, 255, 128},
                                                   {0, 0, 160},
                                                   {0, 128, 128},
                                                   {0, 128, 64},
                                                   {255, 128, 255},
                                                   {128, 0, 64},
                                                   {128, 128, 0},
                                                   {128, 0, 0},
                                                   {192, 192, 192}}};
    if (index < 0 || index >= static_cast<int>(kColours.size())) return {};
    return kColours[static_cast<std::size_t>(index)];
}

bool FoundationComplete(const GameContext& ctx, int foundation) {
    const int wanted =
        ctx.Param(115 + foundation) == -1 ? ctx.Param(32) : ctx.Param(115 + foundation);
    const int cards = PileCardCount(ctx.table.DestGroup.at(static_cast<std::size_t>(foundation)));
    return cards > 0 && cards == wanted;
}

bool ShowsSelectionMarks(const GameContext& ctx) {
    const int family = ctx.Param(50);
    return family == 3 || family == 4 || family == 33 || ctx.Param(39) != 0;
}

} // namespace quendra
