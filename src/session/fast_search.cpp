#include "fast_search.h"

#include "favourites.h"
#include "game_catalog.h"
#include "players.h"
#include "record_file.h"
#include "statistics.h"

#include <algorithm>
#include <charconv>
#include <set>

namespace quendra {

namespace {

FastSearchEntry CatalogueEntry(const GameContext& ctx, int number) {
    FastSearchEntry entry;
    entry.number = number;
    entry.name = GameName(ctx, number);
    entry.customised = number >= kFirstCustomGame;
    entry.type = GameType(ctx, entry.customised ? CustomGameBase(ctx, number).base : number);
    return entry;
}

std::vector<FastSearchEntry> Entries(const GameContext& ctx, const std::vector<int>& numbers) {
    std::vector<FastSearchEntry> entries;
    for (int number : numbers) {
        FastSearchEntry entry = CatalogueEntry(ctx, number);
        if (!entry.name.empty()) entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<int> CustomisedNumbers(const GameContext& ctx) {
    std::vector<int> numbers;
    CustomGameLists lists;
    if (!ListCustomGames(ctx, lists)) return numbers;
    for (const std::string& text : lists.numbers) {
        int number = -1;
        const std::string trimmed = TrimBlanks(text);
        const auto [end, error] =
            std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), number);
        if (error == std::errc() && end == trimmed.data() + trimmed.size() && number >= 0)
            numbers.push_back(number);
    }
    return numbers;
}

std::vector<int> NeverWonNumbers(const GameContext& ctx) {
    std::set<int> won;
    for (const GameRecord& record : ReadPlayerStatistics(ctx, CurrentPlayer(ctx)))
        if (record.record.won > 0) won.insert(record.game);
    std::vector<int> numbers;
    for (int number : CatalogueGameNumbers(ctx))
        if (!won.contains(number)) numbers.push_back(number);
    return numbers;
}

} // namespace

FastSearchType FastSearchTypeOf(int stored) {
    if (stored < 0 || stored >= kFastSearchTypeCount) return FastSearchType::AllGames;
    return static_cast<FastSearchType>(stored);
}

std::vector<int> SectionGameNumbers(const GameContext& ctx, std::string_view section) {
    std::vector<int> numbers;
    const std::shared_ptr<const CatalogueText> text = ReadCatalogueText(GamesDatPath(ctx));
    if (!text) return numbers;
    for (const std::string& stored : SectionLines(text->lines, section)) {
        const std::string text = TrimBlanks(fnUnshiftText(stored));
        int number = -1;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
        if (error != std::errc() || end != text.data() + text.size() || number < 0) continue;
        if (!GameName(ctx, number).empty()) numbers.push_back(number);
    }
    return numbers;
}

std::vector<FastSearchEntry> FastSearchGames(const GameContext& ctx, FastSearchType type) {
    std::vector<int> numbers;
    switch (type) {
    case FastSearchType::AllGames:
        numbers = CatalogueGameNumbers(ctx);
        break;
    case FastSearchType::Favourites:
        for (const FavouriteGame& favourite : FavouriteGames(ctx))
            numbers.push_back(favourite.number);
        break;
    case FastSearchType::Selected:
        numbers = SectionGameNumbers(ctx, "[SectS]");
        break;
    case FastSearchType::Customised:
        numbers = CustomisedNumbers(ctx);
        break;
    case FastSearchType::NeverWon:
        numbers = NeverWonNumbers(ctx);
        break;
    case FastSearchType::LastPlayed:
        numbers = RecentGames(ctx);
        break;
    }
    // A game listed twice (a favourite named twice) shows once.
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    std::vector<FastSearchEntry> entries = Entries(ctx, numbers);
    std::stable_sort(entries.begin(), entries.end(),
                     [](const FastSearchEntry& a, const FastSearchEntry& b) {
                         if (a.name != b.name) return a.name < b.name;
                         return a.number < b.number;
                     });
    return entries;
}

} // namespace quendra
