#pragma once

#include "host.h"
#include "settings_record.h"
#include "table.h"
#include "undo_history.h"

#include <array>
#include <cstdint>
#include <string>

namespace quendra {

// Parameters 131..170 (empty-pile rules) and 51..66 (foundation base ranks), kept after a
// game is loaded and put back before every deal of the same game.
struct RuleCopy {
    std::array<std::int16_t, 56> values{};
};

// What the rule engine keeps between moves, beside the piles: everything a game needs to
// resume that is not a pile lives here or in the parameter block.
struct PlayState {
    int passNumber = 1;        // the current pass through the stock
    int dealCount = 0;         // deals onto several piles made in this game
    int moveCounter = 0;       // counts the first two moves of a game, then stays at 2
    int draggedCard = 0;       // bottom card of the group being moved; 0 when none
    int movingTopCard = 0;     // top card of the group being moved
    bool singleCard = true;    // the group being moved is one card
    bool stockPending = false; // a stock operation armed at the press, done at the release
    bool busy = false;         // the engine is working: presses only beep
    bool autoplayTicked = false;
    bool autoplayEnabled = true;
    int assistMode = 0; // 0 none, 1 hint, 3 demonstration
    bool demoRecording = false;
    bool moveMade = false;      // the next-move finder played a move
    bool exitAfterGame = false; // close the window once the game has ended
    std::string recentMoves;    // the last 30 moves, 13 characters each
    int lowestDrawnPoint = 0;
    std::int64_t clockStart = 0; // when the clock started, seconds since the epoch
    std::int64_t pausedAt = 0;   // when the pause began
    std::string timeText = "0:00:00";
};

// The drawing area the pile layout fills. The window sets it from its size; headless, the
// table is laid out for a 1024 x 768 area.
struct LayoutArea {
    int top = 5;            // below the tool bars
    int usableWidth = 1024; // window width less the side panel
    int windowHeight = 768;
    int bottom = 767; // client height - 1
    int screenWidth = 1024;
    int screenHeight = 768;
    int shadowOffset = 9; // 9 with card shadows, 0 without
};

// Positions of piles the layout has not placed.
constexpr std::int16_t kUnsetStock = -10000;
constexpr std::int16_t kUnsetDest = -10001;
constexpr std::int16_t kUnsetFila = -10002;
constexpr std::int16_t kUnsetAppogg = -10003;

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
    UndoHistory undoHistory;
    PlayState play;
    LayoutArea layoutArea;

    // The program directory with a trailing separator.
    std::string ProgramDir() const { return GetSetting(settings, field::kProgramDir); }
    int Param(int index) const { return params.at(static_cast<std::size_t>(index)); }
};

// Copies the game of `from` into `to` (another host's context, e.g. a silent one that tries
// moves out): everything but the host and the undo history.
void CopyGameState(GameContext& to, const GameContext& from);

// How many piles of each group the current game uses (parameters 366, 367, 368), within the
// group's size.
int FoundationCount(const GameContext& ctx);
int TableauCount(const GameContext& ctx);
int ReserveCount(const GameContext& ctx);

// Appends a card's code to a pile and, for a real card given a face digit, sets its face.
void fnPutCard(GameContext& ctx, PileRef pile, int card, char faceDigit = '\0');
void fnSetCardFace(GameContext& ctx, int card, char faceDigit);
// The top card of "Mazzo", "Mazzo_Vis" or a numbered pile; 0 when empty or unknown.
int fnTopCardOf(const GameContext& ctx, std::string_view pileName);
std::string fnCardName(const GameContext& ctx, int card);

TableSnapshot BuildTableSnapshot(const GameContext& ctx);
// The pairing games hold the cards selected in foundation 1 while they still lie on their
// piles: a table kept for later (an undo step, a saved game) leaves that line empty.
bool SelectionHeldInFoundation1(const GameContext& ctx);
void LoadPileFromSnapshotLine(GameContext& ctx, PileRef pile, std::string_view line);
// Restores every pile from the 69 lines of a snapshot.
void LoadTableSnapshot(GameContext& ctx, const TableSnapshot& snapshot);
// The pile that stands at a given line of a snapshot (0 to 68).
PileRef SnapshotLinePile(int line);

// Marks every pile position unset, before a layout.
void ClearPilePositions(GameContext& ctx);
// The top-left corner of a pile's bottom card, in table coordinates.
std::int16_t PileX(const GameContext& ctx, PileRef pile);
std::int16_t PileY(const GameContext& ctx, PileRef pile);
void SetPilePosition(GameContext& ctx, PileRef pile, int x, int y);
// True when the layout placed the pile: only such piles are drawn and hit.
bool PileHasPlace(const GameContext& ctx, PileRef pile);

void CopyToScratch(GameContext& ctx);
void RestoreFromScratch(GameContext& ctx);

} // namespace quendra
