#include "game_number.h"

#include "record_file.h"

#include <algorithm>
#include <tuple>

namespace quendra {

namespace {

constexpr std::size_t kDealDigits = 13;

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::string PadDealNumber(std::string_view digits) {
    std::string padded = std::string(kDealDigits, '0') + std::string(digits);
    return padded.substr(padded.size() - kDealDigits);
}

DealNumberCheck CheckDealNumber(std::string_view typed) {
    const std::string text = TrimBlanks(typed);
    DealNumberCheck check;
    if (!AllDigits(text)) {
        check.verdict = DealNumberCheck::Verdict::NotDigits;
        return check;
    }
    // Leading zeros do not count towards the 13 digits.
    const auto first = text.find_first_not_of('0');
    if (first == std::string::npos) return check; // empty or only zeros
    const std::string_view significant = std::string_view(text).substr(first);
    if (significant.size() > kDealDigits) {
        check.verdict = DealNumberCheck::Verdict::TooLong;
        return check;
    }
    check.verdict = DealNumberCheck::Verdict::Ok;
    check.digits = PadDealNumber(significant);
    return check;
}

std::vector<LogEntry> PreviousGames(const std::vector<LogEntry>& log, std::size_t limit) {
    std::vector<LogEntry> rows;
    for (auto it = log.rbegin(); it != log.rend() && rows.size() < limit; ++it)
        rows.push_back(*it);
    return rows;
}

std::vector<LogEntry> LostNeverWonDeals(const std::vector<LogEntry>& log,
                                        const std::string& gameName) {
    const std::string wanted = TrimBlanks(gameName);
    // Each line of the game keyed by deal, then a win before a loss, then player, date and
    // time: a deal's first key tells whether it was ever won, and otherwise is its
    // earliest loss.
    struct Keyed {
        std::string deal;
        bool lost = false;
        const LogEntry* entry = nullptr;
        auto Key() const {
            return std::tie(deal, lost, entry->player, entry->date, entry->endTime);
        }
    };
    std::vector<Keyed> keyed;
    for (const LogEntry& entry : log) {
        if (TrimBlanks(entry.gameName) != wanted) continue;
        const DealNumberCheck deal = CheckDealNumber(entry.deal);
        if (deal.verdict != DealNumberCheck::Verdict::Ok) continue; // no deal to play again
        keyed.push_back({deal.digits, !entry.won, &entry});
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const Keyed& a, const Keyed& b) { return a.Key() < b.Key(); });

    std::vector<const Keyed*> kept;
    for (std::size_t i = 0; i < keyed.size();) {
        std::size_t end = i;
        while (end < keyed.size() && keyed[end].deal == keyed[i].deal)
            ++end;
        if (keyed[i].lost) kept.push_back(&keyed[i]);
        i = end;
    }
    // Newest first.
    std::stable_sort(kept.begin(), kept.end(), [](const Keyed* a, const Keyed* b) {
        return std::tie(b->entry->date, b->entry->endTime) <
               std::tie(a->entry->date, a->entry->endTime);
    });
    std::vector<LogEntry> rows;
    for (const Keyed* k : kept) {
        LogEntry row = *k->entry;
        row.deal = k->deal;
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace quendra
