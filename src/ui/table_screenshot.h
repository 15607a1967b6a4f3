#pragma once

#include <QString>

namespace quendra {

class MainWindow;

// Deals Klondike, plays a few moves through the table's own mouse events (stock clicks and
// double clicks), saves a picture of the window to `file` and closes the program: a look at
// the table in mid-game without a player.
void PlayAndTakeScreenshot(MainWindow& window, const QString& file);

} // namespace quendra
