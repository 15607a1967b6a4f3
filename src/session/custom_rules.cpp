#include "custom_rules.h"

#include "autoplay_setting.h"
#include "cards.h"
#include "comments.h"
#include "file_rewrite.h"
#include "game_catalog.h"
#include "game_params.h"
#include "profile.h"
#include "record_file.h"
#include "settings.h"
#include "statistics.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <system_error>

namespace quendra {

namespace {

constexpr int kKingOnly = 13;
constexpr int kKingOnlyInDefinition = 91;
constexpr int kAnySuitButItsOwn = 21;
constexpr int kNoMethod = 4; // "none": the rule the editor does not touch
constexpr std::size_t kNameWidth = 50;

int P(const GameParams& params, int row) {
    return params[static_cast<std::size_t>(row)];
}

bool RowsEqual(const GameParams& params, int first, int count) {
    for (int i = 1; i < count; ++i)
        if (P(params, first + i) != P(params, first)) return false;
    return true;
}

bool IsEditableMethod(int method) {
    return (method >= 0 && method <= 3) || method == kAnySuitButItsOwn;
}

// Offered always (1), never (0), or when `suitable` for the other values.
bool Offered(int offer, bool suitable) {
    return offer == 1 || (offer != 0 && suitable);
}

std::string Upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

bool CustomRuleOffer::Any() const {
    return cardsPerClick || redeals || emptyTableau || tableauDirection || tableauMethod ||
           foundationDirection || foundationMethod;
}

CustomRuleOffer OfferedCustomRules(const GameParams& d) {
    // A stock that deals to a waste: its count and its passes may change.
    const bool open = P(d, param::kTableauDealFlag) == 0 && P(d, param::kTableauDealFlag + 1) == 0 &&
                      P(d, param::kStockPlaced) != 0 &&
                      (P(d, param::kWastePlaced) != 0 || P(d, param::kWasteSlots) != 0) &&
                      P(d, param::kStockSlots) != 0;
    const bool plainTableau =
        P(d, param::kSelectionGame) == 0 && P(d, param::kTableauMethod) != kNoMethod;
    const int foundations = P(d, param::kFoundationCount);

    CustomRuleOffer offer;
    offer.cardsPerClick = P(d, param::kEditorCardsPerClick) != 0 &&
                          (P(d, param::kEditorCardsPerClick) == 1 || open);
    offer.redeals =
        P(d, param::kEditorRedeals) != 0 && (P(d, param::kEditorRedeals) == 1 || open);
    offer.emptyTableau = Offered(P(d, param::kEditorEmptyTableau), plainTableau);
    offer.tableauMethod = Offered(P(d, param::kEditorTableauMethod), plainTableau) &&
                          RowsEqual(d, param::kTableauMethod, 5) &&
                          IsEditableMethod(P(d, param::kTableauMethod));
    offer.tableauDirection = offer.tableauMethod &&
                             Offered(P(d, param::kEditorTableauDirection), plainTableau) &&
                             RowsEqual(d, param::kTableauDirection, 5);

    const bool foundationMethodShared =
        RowsEqual(d, param::kFoundationMethod, 4) &&
        (foundations <= 4 || P(d, param::kFoundationMethod + 4) == P(d, param::kFoundationMethod));
    offer.foundationMethod =
        P(d, param::kEditorFoundationMethod) != 0 && foundations != 0 &&
        (P(d, param::kEditorFoundationMethod) == 1 ||
         (P(d, param::kSelectionGame) == 0 && P(d, param::kFoundationMethod) != kNoMethod)) &&
        foundationMethodShared && IsEditableMethod(P(d, param::kFoundationMethod));
    const bool foundationDirectionShared =
        RowsEqual(d, param::kFoundationDirection, 4) &&
        (foundations < 5 ||
         P(d, param::kFoundationDirection + 4) == P(d, param::kFoundationDirection));
    offer.foundationDirection =
        offer.foundationMethod && P(d, param::kEditorFoundationDirection) != 0 &&
        (P(d, param::kEditorFoundationDirection) == 1 ||
         P(d, param::kFoundationMethod) != kNoMethod) &&
        foundationDirectionShared;
    return offer;
}

CustomRuleValues CurrentCustomRules(const GameParams& rules, const CustomRuleOffer& offer) {
    CustomRuleValues values;
    values.cardsPerClick = P(rules, param::kCardsPerClick);
    values.redealsCode = P(rules, param::kPasses);
    if (offer.emptyTableau) {
        const int empty = P(rules, param::kTableauEmptyRule);
        values.emptyChoice = empty == kKingOnly || empty == kKingOnlyInDefinition ? 1
                             : empty == 0                                         ? 3
                                                                                  : 2;
    }
    if (offer.tableauDirection)
        values.tableauDirection = IndexOfDirection(P(rules, param::kTableauDirection));
    if (offer.tableauMethod) values.tableauMethod = IndexOfMethod(P(rules, param::kTableauMethod));
    if (offer.foundationDirection)
        values.foundationDirection = IndexOfDirection(P(rules, param::kFoundationDirection));
    if (offer.foundationMethod)
        values.foundationMethod = IndexOfMethod(P(rules, param::kFoundationMethod));
    return values;
}

std::string CustomRulesOverlay(const CustomRuleValues& values, const CustomRuleOffer& offer,
                               const GameParams& definition) {
    const int perClick =
        offer.cardsPerClick ? values.cardsPerClick : P(definition, param::kCardsPerClick);
    const int redeals = offer.redeals ? values.redealsCode : P(definition, param::kPasses);
    auto index = [](bool offered, int value) { return offered ? value : -1; };
    return fnFormatNumber(perClick, 3) + fnFormatNumber(redeals, 3) +
           std::to_string(offer.emptyTableau ? values.emptyChoice : 0) +
           fnFormatNumber(index(offer.tableauDirection, values.tableauDirection), 2) +
           fnFormatNumber(index(offer.tableauMethod, values.tableauMethod), 3) +
           fnFormatNumber(index(offer.foundationDirection, values.foundationDirection), 2) +
           fnFormatNumber(index(offer.foundationMethod, values.foundationMethod), 3);
}

int FreeCustomGameNumber(const std::vector<std::string>& lines) {
    std::set<int> used;
    for (std::size_t i = 1; i < lines.size(); i += kCustomRecordLines)
        used.insert(ParseDigits(lines[i].substr(0, std::min<std::size_t>(4, lines[i].size()))));
    int number = kFirstCustomGame;
    while (number <= kLastCustomGame && used.count(number) != 0)
        ++number;
    return number;
}

std::string CustomGameNameProblem(const GameContext& ctx, const std::string& name) {
    const std::string trimmed = TrimBlanks(name);
    if (trimmed.size() < 3) return kGameNameTooShortMessage;
    if (trimmed.size() > kNameWidth) return kGameNameTooLongMessage;
    const std::string wanted = Upper(trimmed);
    for (const std::string& existing : AllGameNames(ctx))
        if (Upper(existing) == wanted) return kGameNameExistsMessage;
    // Damaged records keep their names too: a repaired file must not hold the name twice.
    std::vector<std::string> lines;
    if (ReadTextLines(CustomGamesPath(ctx), lines))
        for (std::size_t i = 1; i < lines.size(); i += kCustomRecordLines)
            if (lines[i].size() > 4 && Upper(TrimBlanks(lines[i].substr(4, kNameWidth))) == wanted)
                return kGameNameExistsMessage;
    return {};
}

int AddCustomGame(GameContext& ctx, int current, const std::string& name,
                  const std::string& overlay) {
    const std::string path = CustomGamesPath(ctx);
    std::vector<std::string> lines;
    if (!ReadTextLines(path, lines) || lines.empty()) {
        lines = {kCustomGamesHeader};
    } else if (!IsCustomGamesHeader(lines)) {
        ctx.host.ShowError("The file " + path +
                           " is not a file of customised games; it was left as it is.");
        return -1;
    }
    const int base = current >= kFirstCustomGame ? CustomGameBase(ctx, current).base : current;
    if (base < 0 || GameColumn(ctx, base) < 0) {
        ctx.host.ShowError("The game " + std::to_string(current) + " cannot be customized.");
        return -1;
    }
    const int number = FreeCustomGameNumber(lines);
    if (number > kLastCustomGame) {
        ctx.host.ShowError("Every number for customized games (" +
                           std::to_string(kFirstCustomGame) + " to " +
                           std::to_string(kLastCustomGame) +
                           ") is used. Delete a customized game to make room for a new one.");
        return -1;
    }
    // A record cut short at the end of the file is filled up, so that the new one starts
    // where records start.
    while ((lines.size() - 1) % kCustomRecordLines != 0)
        lines.emplace_back();
    std::string plain = TrimBlanks(name).substr(0, kNameWidth);
    for (char& c : plain)
        if (static_cast<unsigned char>(c) < 32) c = ' ';
    std::string first = fnFormatNumber(number, 4) + plain;
    first.resize(4 + kNameWidth, ' ');
    lines.push_back(first + fnFormatNumber(base, 4));
    lines.push_back(overlay);
    lines.resize(lines.size() + kCustomRecordLines - 2);
    if (!RewriteTextLines(ctx.host, path, lines)) return -1;
    return number;
}

bool DeleteCustomGame(GameContext& ctx, int number) {
    const std::string path = CustomGamesPath(ctx);
    std::vector<std::string> lines;
    const int found = number >= kFirstCustomGame && ReadTextLines(path, lines) &&
                              IsCustomGamesHeader(lines)
                          ? FindCustomRecord(lines, number)
                          : -1;
    if (found < 0) {
        ctx.host.ShowError("The customized game " + std::to_string(number) +
                           " is not in the file " + path + ".");
        return false;
    }
    const auto at = static_cast<std::size_t>(found);
    const std::string name = TrimBlanks(lines[at].size() > 4 ? lines[at].substr(4, kNameWidth) : "");
    const auto end = std::min(lines.size(), at + kCustomRecordLines);
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at),
                lines.begin() + static_cast<std::ptrdiff_t>(end));
    if (!RewriteTextLines(ctx.host, path, lines)) return false;

    ForgetGame(ctx, number, name);
    ProfileDeleteKey(ctx.host, SettingsFilePath(ctx), "Autoplay",
                     CustomAutoplayKey(number));
    if (!name.empty()) {
        std::error_code ignored;
        std::filesystem::remove(CommentsFilePath(ctx, name), ignored);
    }
    return true;
}

} // namespace quendra
