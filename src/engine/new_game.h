#pragma once

#include "game_context.h"

#include <array>
#include <string>

namespace quendra {

// True when the current game may be left: never while an animation runs; without asking
// when quitting needs no confirmation, no game is in play or the game is won; otherwise the
// player confirms `question` ("Quit this game?" when empty).
bool ConfirmLeaveGame(GameContext& ctx, const std::string& question = {});

// Deal modes of SelectAndStartGame: kNewDealNumber draws a new deal number; any other mode
// keeps the one already in the settings record.
constexpr int kKeepDealNumber = 1;
constexpr int kNewDealNumber = 2;

// Starts game `number` for `player` when the game or the player changes or no game is in
// progress; true when a new game was started.
bool SelectAndStartGame(GameContext& ctx, int number, const std::string& name,
                        const std::string& player, int dealMode, bool remember);

// Starts a deal of the current game. `fresh` is false only when a saved position is being
// restored, which fills the piles itself.
void StartNewDeal(GameContext& ctx, bool fresh, bool animate, bool newNumber, bool quiet);

// The play state of a new game: everything per game starts afresh; the autoplay switches
// and the exit-after-game request carry over.
PlayState FreshPlayState(const PlayState& before);

// Starts play on the table the piles already hold (a saved game, a restart): nothing is
// dealt; the table, the undo history and the play state stay as the caller set them. The
// clock starts now unless the caller has it running already.
void StartPlayOnTable(GameContext& ctx);
// The end of every start: the game is in play, shown, its clock running, automatic play
// done when ticked and the commands of a game in play enabled.
void BeginPlay(GameContext& ctx, bool animate, bool quiet);

// Loads the current game's definition, settles the card size and lays out the piles; false
// when the definition could not be read.
bool LoadDefinitionAndLayout(GameContext& ctx);

// The main window's "New game" command.
void NewGameCommand(GameContext& ctx);

// The small offsets (-2 to 2) the fanning of tableau piles adds to card positions: 7 rows
// of 13, row by pile, column by the card's place. A new deal draws a new seed (kept in
// TMainGame's value fan::kJitterSeed); the table follows from the seed.
using FanJitterTable = std::array<std::array<int, 13>, 7>;
FanJitterTable FanJitterFromSeed(unsigned seed);
FanJitterTable FanJitter(const GameContext& ctx);
void RebuildFanJitter(GameContext& ctx);

// Fan spacings by card size, kept in TMainGame's values from 64 on.
namespace fan {
constexpr int kDownFaceUp = 64;
constexpr int kDownFaceDown = 65;
constexpr int kRightFaceUp = 66;
constexpr int kRightFaceDown = 67;
constexpr int kPairFirst = 68; // the pair of equal spacings of parameter 3 = 6
constexpr int kPairSecond = 69;
constexpr int kLastFirst = 70; // the last pair, set for every game
constexpr int kLastSecond = 71;
// Whether the small-screen notice was shown in this run, for screen needs 1 and 2.
constexpr int kNoticeShown1 = 72;
constexpr int kNoticeShown2 = 73;
constexpr int kJitterSeed = 74;
} // namespace fan
void SetFanSpacings(GameContext& ctx);
inline int FanValue(const GameContext& ctx, int index) {
    return ctx.mainGame.values.at(static_cast<std::size_t>(index));
}

} // namespace quendra
