#pragma once

#include "host.h"
#include "settings_record.h"
#include "table.h"

#include <array>
#include <cstdint>
#include <string>

namespace quendra {

// Parameters 131..170 (empty-pile rules) and 51..66 (foundation base ranks), kept after a
// game is loaded and put back before every deal of the same game.
struct RuleCopy {
    std::array<std::int16_t, 56> values{};
};

// The one game context: everything a running game needs, created at start-up and passed by
// reference. Tests may build as many as they like.
struct GameContext {
    explicit GameContext(Host& h) : host(h) {}

    Host& host;
    CardTable cardTable;
    PileGroups table;
    PileGroups ScratchTable;
    TableGeometry geometry;
    GameParams params{};
    RuleCopy savedRules;
    GameStateFlags flags;
    SettingsRecord settings;
    // GAMES.DAT and SOL.RGF as found at start-up.
    std::string gamesFile;
    std::string imagesFile;
    TMainGame mainGame;

    // The program directory with a trailing separator.
    std::string ProgramDir() const { return GetSetting(settings, field::kProgramDir); }
    int Param(int index) const { return params.at(static_cast<std::size_t>(index)); }
};

// Appends a card's code to a pile and, for a real card given a face digit, sets its face.
void fnPutCard(GameContext& ctx, PileRef pile, int card, char faceDigit = '\0');
void fnSetCardFace(GameContext& ctx, int card, char faceDigit);
// The top card of "Mazzo", "Mazzo_Vis" or a numbered pile; 0 when empty or unknown.
int fnTopCardOf(const GameContext& ctx, std::string_view pileName);
std::string fnCardName(const GameContext& ctx, int card);

TableSnapshot BuildTableSnapshot(const GameContext& ctx);
void LoadPileFromSnapshotLine(GameContext& ctx, PileRef pile, std::string_view line);
// Restores every pile from the 69 lines of a snapshot.
void LoadTableSnapshot(GameContext& ctx, const TableSnapshot& snapshot);
// The pile that stands at a given line of a snapshot (0 to 68).
PileRef SnapshotLinePile(int line);

void CopyToScratch(GameContext& ctx);
void RestoreFromScratch(GameContext& ctx);

} // namespace quendra
