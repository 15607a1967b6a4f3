#pragma once

#include <QList>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace quendra {

// Every command of the main window, as menu actions. The window connects them and enables
// each as the game on the table allows.
struct MainActions {
    // File
    QAction* newGame{};
    QAction* openGame{};
    QAction* fastSearch{};
    QAction* restartGame{};
    QAction* gameNumber{};
    QAction* randomFavourite{};
    QAction* randomAll{};
    QAction* save{};
    QAction* players{};
    QMenu* favouriteGames{};
    QAction* holdAndExit{};
    QAction* exit{};
    // Game
    QAction* undo{};
    QAction* redo{};
    QAction* insertBookmark{};
    QAction* goToBookmark{};
    QAction* pause{};
    QAction* quitGame{};
    QAction* autoplay{};
    QAction* winnableDealsOnly{};
    // Tutor and Series, hidden until their code shows them
    QMenu* tutorMenu{};
    QAction* showLegalMove{};
    QAction* demo{};
    QAction* isWinnable{};
    QMenu* seriesMenu{};
    QAction* seriesManager{};
    QAction* nextSeriesGame{};
    QAction* seriesDisplay{};
    QAction* seriesSituation{};
    QAction* seriesStatistics{};
    QAction* quitSeries{};
    // Statistics
    QAction* gameStatistics{};
    QAction* playersStatistics{};
    QAction* allGamesStatistics{};
    QAction* logStatistics{};
    QAction* hiScores{};
    QAction* overallScore{};
    QAction* gameInformation{};
    // View
    QAction* zoomIn{};
    QAction* zoomOut{};
    QAction* actualSize{};
    QAction* fitToWindow{};
    QAction* keyboardHelp{}; // in the Help menu
    // Tools
    QAction* customize{};
    QAction* customizeRules{};
    QAction* favouritesDialog{};
    QAction* cardCounter{};
    QAction* comments{};
    // Help
    QAction* rules{};
    QAction* contents{};
    QAction* tipOfTheDay{};
    QAction* about{};

    // The table's popup menu and its own actions.
    QMenu* tablePopup{};
    QAction* popupGameInformation{};
    QAction* popupPause{};
    QAction* popupFavourites{};
    QAction* popupQuitGame{};
    QAction* popupCardCounter{};
    QAction* popupCardSet{};
    QAction* popupDeck{};
    QAction* popupBackground{};
};

// Builds the menu bar of `window` and the table's popup menu.
MainActions BuildMainMenus(QMainWindow* window);

// The tool bars: large (captions under the pictures) and small (with a Save button).
struct ToolBars {
    QToolBar* large{};
    QToolBar* small{};
    QAction* largeAutoplay{};
    QAction* smallAutoplay{};
    // The tool bar context menu.
    QMenu* menu{};
    QAction* largeIcons{};
    QAction* smallIcons{};
    QAction* flatButtons{};
    QAction* raisedButtons{};
    QAction* showTime{};
    QAction* showScore{};
};

// Builds both tool bars; each button triggers the menu action of the same command and
// follows its enabled state.
ToolBars BuildToolBars(QMainWindow* window, const MainActions& actions);

} // namespace quendra
