#pragma once

namespace quendra {

// Numbers of the game parameters read in more than one place (ctx.Param(param::kFamily)).
// "+ i" rows hold one value per pile.
namespace param {
constexpr int kGroupMoves = 2;
constexpr int kWasteCardsMovable = 8;
constexpr int kGroupSize = 13;
constexpr int kReservePickUp = 14;
constexpr int kRedealFromWaste = 16;
constexpr int kFoundationPickUp = 18;
constexpr int kGridColumns = 25;
constexpr int kGridRows = 26;
constexpr int kGridRowLength = 28;
constexpr int kFoundationMaxCards = 32;
constexpr int kTableauMaxCards = 33;
constexpr int kAutoFillRule = 23; // how empty tableau piles fill themselves (autofill::)
constexpr int kStockFirst = 35;
constexpr int kClickToMove = 37; // 1: a left click sends the card where it can go
constexpr int kMaxScore = 48; // the game's maximum score; -1: 4 points a card
constexpr int kScoreToWin = 49; // not 0: the game counts as won when ended with this score
constexpr int kFamily = 50;
constexpr int kFoundationBase = 51;      // + i; also the tableau stop rank
constexpr int kFoundationDirection = 67; // + i
constexpr int kFoundationMethod = 83;    // + i
constexpr int kTableauEmptyRule = 131;   // + i
constexpr int kTableauDirection = 171;   // + i
constexpr int kTableauMethod = 211;      // + i
constexpr int kTableauPastStop = 251;    // + i
constexpr int kTableauDealFlag = 291;    // + i
constexpr int kReserveDealFlag = 341;    // + i
constexpr int kReserveKind = 330;        // + n, n from 1
constexpr int kWasteDropRule = 352;
constexpr int kWasteDropOff = 353;
constexpr int kFoundationCount = 366;
constexpr int kTableauCount = 367;
constexpr int kReserveCount = 368;
constexpr int kDeckSize = 370; // cards dealt from: 52, 104, or a stripped pack
// Read by the stock, the move finder and the command-line tool.
constexpr int kTableauFan = 3; // fanning mode; 3 squared: only the top card shows
constexpr int kReserveFan = 5; // display mode of the reserves, as parameter 3
constexpr int kStockPlaced = 9;
constexpr int kWastePlaced = 10;
constexpr int kPasses = 15;
constexpr int kDiscardDeal = 363;
constexpr int kTableauLayout = 358;     // where the tableau piles lie (whole-table layouts 51 on)
constexpr int kTableauLayoutRows = 360; // the rows the tableau piles are laid in
constexpr int kStockFaceDown = 7;
constexpr int kDealMode = 34;
constexpr int kTableauDealt = 374; // + i: cards dealt to tableau pile i at the start
constexpr int kTableauFaceUp = 414; // + i: of them face up
constexpr int kCardsPerClick = 22; // cards dealt to the waste by one stock click
constexpr int kSelectionGame = 39; // not 0: cards are selected and removed in groups
constexpr int kStockSlots = 365;   // slots of the stock group placed (stock, waste)
constexpr int kWasteSlots = 369;   // 0 or 1
// The custom-rule editor's offers, one row each: 0 never, 1 always, other: when suitable.
constexpr int kEditorCardsPerClick = 475;
constexpr int kEditorRedeals = 476;
constexpr int kEditorEmptyTableau = 477;
constexpr int kEditorTableauDirection = 478;
constexpr int kEditorTableauMethod = 479;
constexpr int kEditorFoundationDirection = 480;
constexpr int kEditorFoundationMethod = 481;
// 1: the tutor's commands (a legal move, the demonstration) serve this game.
constexpr int kTutorCommands = 45;
} // namespace param

} // namespace quendra
