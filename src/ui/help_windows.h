#pragma once

#include "game_context.h"

#include <string>

class QString;
class QWidget;

namespace quendra {

// RULES.DAT lies beside GAMES.DAT.
std::string RulesFilePath(const GameContext& ctx);
// The rules text of game `number` from a rules file: the lines after its header
// "[NNNN] Name" up to the next header; empty when the game has none.
std::string ReadRulesText(const std::string& rulesFile, int number);

// The help windows. Each opens beside the main window and stays open until closed.
// The rules of a game ("Select a game" style refusals are the caller's).
void ShowRulesWindow(QWidget* parent, const std::string& gameName, const std::string& rules);
void ShowHelpContents(QWidget* parent);
// The tip of the day with its "Show tips at startup" switch (Tips_StartUp).
void ShowTipOfTheDay(QWidget* parent, GameContext& ctx);
void ShowAboutBox(QWidget* parent, const QString& version);
// What the Game information command shows of the current game.
void ShowGameInformation(QWidget* parent, const GameContext& ctx);

} // namespace quendra
