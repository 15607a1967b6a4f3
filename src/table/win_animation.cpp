#include "win_animation.h"

#include "win_animation_patterns.h"

#include <cmath>
#include <numbers>

namespace quendra {

std::optional<WinPattern> ChooseWinPattern(std::string_view name, const RandomFn& random) {
    if (name == kRandomWinPattern) {
        const int pick = random(static_cast<int>(kWinPatternNames.size()));
        if (pick < 0 || pick >= static_cast<int>(kWinPatternNames.size())) return std::nullopt;
        return static_cast<WinPattern>(pick);
    }
    for (std::size_t i = 0; i < kWinPatternNames.size(); ++i)
        if (kWinPatternNames[i] == name) return static_cast<WinPattern>(i);
    return std::nullopt;
}

std::unique_ptr<WinAnimation> MakeWinAnimation(WinPattern pattern, const WinArea& area,
                                               RandomFn random) {
    switch (pattern) {
    case WinPattern::Festoons:
        return std::make_unique<FestoonsPattern>(area, std::move(random));
    case WinPattern::Circles:
        return std::make_unique<CirclesPattern>(area, std::move(random));
    case WinPattern::Lines:
        return std::make_unique<LinesPattern>(area, std::move(random));
    case WinPattern::OpenOrder:
        return std::make_unique<OpenOrderPattern>(area, std::move(random));
    case WinPattern::LeftToRight:
        return std::make_unique<LeftToRightPattern>(area, std::move(random));
    case WinPattern::UpToDown:
        return std::make_unique<UpToDownPattern>(area, std::move(random));
    }
    return nullptr;
}

const std::vector<TablePoint>& CirclePoints() {
    static const std::vector<TablePoint> points = [] {
        constexpr int kRadius = 150;
        constexpr int kSpacing = 4;
        const int count = static_cast<int>(2 * std::numbers::pi * kRadius / kSpacing);
        std::vector<TablePoint> out;
        for (int k = 0; k < count; ++k) {
            const double angle = static_cast<double>(k) * kSpacing / kRadius;
            const int x = kRadius + static_cast<int>(std::lround(kRadius * std::sin(angle)));
            const int y = kRadius - static_cast<int>(std::lround(kRadius * std::cos(angle)));
            out.push_back({std::min(x, 2 * kRadius - 1), std::min(y, 2 * kRadius - 1)});
        }
        return out;
    }();
    return points;
}

int RunWinAnimation(GameContext& ctx, WinAnimation& animation, WinAnimationSink& sink,
                    int seconds) {
    auto& running = ctx.flags[GameStateFlags::kAnimating];
    running = 1;
    const std::int64_t end = sink.NowMs() + static_cast<std::int64_t>(seconds) * 1000;
    int drawn = 0;
    do {
        for (const WinAction& action : animation.NextRound()) {
            if (running == 0) break;
            switch (action.kind) {
            case WinAction::Kind::Draw:
                sink.Draw(action.card, action.at);
                ++drawn;
                break;
            case WinAction::Kind::Wait:
                sink.Wait(action.ms);
                break;
            case WinAction::Kind::ProcessMessages:
                sink.ProcessMessages();
                break;
            }
        }
    } while (running != 0 && sink.NowMs() < end);
    running = 0;
    return drawn;
}

} // namespace quendra
