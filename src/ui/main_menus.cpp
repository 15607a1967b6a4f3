#include "main_menus.h"

#include "tool_icons.h"

#include <QActionGroup>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace quendra {

namespace {

QAction* Add(QMenu* menu, const char* text, const QKeySequence& shortcut = {}) {
    QAction* action = menu->addAction(QString::fromUtf8(text));
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    return action;
}

// A tool button's action: it triggers the command's action and follows its state.
QAction* ToolAction(QToolBar* bar, QAction* command, const QString& text, ToolGlyph glyph) {
    QAction* tool = bar->addAction(ToolIcon(glyph), text);
    tool->setToolTip(command->text().remove(QLatin1Char('&')).remove(QStringLiteral("...")));
    tool->setEnabled(command->isEnabled());
    QObject::connect(command, &QAction::enabledChanged, tool, &QAction::setEnabled);
    if (command->isCheckable()) {
        tool->setCheckable(true);
        tool->setChecked(command->isChecked());
        QObject::connect(command, &QAction::toggled, tool, &QAction::setChecked);
        QObject::connect(tool, &QAction::triggered, command, [command](bool checked) {
            if (command->isChecked() != checked) command->trigger();
        });
    } else {
        QObject::connect(tool, &QAction::triggered, command, &QAction::trigger);
    }
    return tool;
}

} // namespace

MainActions BuildMainMenus(QMainWindow* window) {
    MainActions a;
    QMenuBar* bar = window->menuBar();

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    a.newGame = Add(file, "&New game", Qt::Key_F2);
    a.openGame = Add(file, "&Open a game...", Qt::CTRL | Qt::Key_F12);
    a.fastSearch = Add(file, "Games Fast Search...");
    file->addSeparator();
    a.restartGame = Add(file, "&Restart game", Qt::CTRL | Qt::Key_F2);
    a.gameNumber = Add(file, "S&elect a game number...", Qt::Key_F3);
    QMenu* random = file->addMenu(QStringLiteral("R&andom game"));
    a.randomFavourite = Add(random, "From &favorite games", Qt::CTRL | Qt::SHIFT | Qt::Key_F);
    a.randomAll = Add(random, "From &all games", Qt::CTRL | Qt::SHIFT | Qt::Key_A);
    file->addSeparator();
    a.save = Add(file, "&Save...", Qt::CTRL | Qt::SHIFT | Qt::Key_F12);
    a.players = Add(file, "&Players...", Qt::CTRL | Qt::Key_L);
    a.favouriteGames = file->addMenu(QStringLiteral("Fa&vorite games"));
    a.favouriteGames->menuAction()->setVisible(false);
    file->addSeparator();
    a.holdAndExit = Add(file, "&Hold and exit...");
    a.exit = Add(file, "E&xit");

    QMenu* game = bar->addMenu(QStringLiteral("&Game"));
    a.undo = Add(game, "&Undo", Qt::CTRL | Qt::Key_Z);
    a.redo = Add(game, "&Redo", Qt::CTRL | Qt::Key_Y);
    game->addSeparator();
    a.insertBookmark = Add(game, "Insert &bookmark");
    a.goToBookmark = Add(game, "Go &to bookmark");
    game->addSeparator();
    a.pause = Add(game, "P&ause", Qt::CTRL | Qt::Key_P);
    a.pause->setCheckable(true);
    a.quitGame = Add(game, "&Quit game", Qt::CTRL | Qt::Key_Q);
    game->addSeparator();
    a.autoplay = Add(game, "Au&toplay", Qt::Key_F7);
    a.autoplay->setCheckable(true);
    a.winnableDealsOnly = Add(game, "&Winnable deals only");
    a.winnableDealsOnly->setCheckable(true);

    a.tutorMenu = bar->addMenu(QStringLiteral("Tutor"));
    a.showLegalMove = Add(a.tutorMenu, "Show a legal move", Qt::Key_M);
    a.demo = Add(a.tutorMenu, "Demo");
    a.tutorMenu->addSeparator();
    a.isWinnable = Add(a.tutorMenu, "Is this game winnable?", Qt::CTRL | Qt::Key_W);
    // Until a game that offers the tutor is in play.
    a.showLegalMove->setEnabled(false);
    a.demo->setEnabled(false);
    a.isWinnable->setEnabled(false);
    a.tutorMenu->menuAction()->setVisible(false);
    a.tutorMenu->setEnabled(false);

    a.seriesMenu = bar->addMenu(QStringLiteral("Series"));
    a.seriesManager = Add(a.seriesMenu, "Series Manager...");
    a.nextSeriesGame = Add(a.seriesMenu, "Next game");
    a.seriesDisplay = Add(a.seriesMenu, "Series Display");
    a.seriesDisplay->setCheckable(true);
    a.seriesSituation = Add(a.seriesMenu, "Situation...");
    a.seriesStatistics = Add(a.seriesMenu, "Statistics...");
    a.quitSeries = Add(a.seriesMenu, "Quit Series");
    // Until a series runs.
    for (QAction* action : {a.nextSeriesGame, a.seriesDisplay, a.seriesSituation, a.quitSeries})
        action->setEnabled(false);
    a.seriesMenu->menuAction()->setVisible(false);
    a.seriesMenu->setEnabled(false);

    QMenu* statistics = bar->addMenu(QStringLiteral("&Statistics"));
    a.gameStatistics = Add(statistics, "&Game statistics...", Qt::Key_F4);
    a.playersStatistics = Add(statistics, "&Players' statistics...");
    a.allGamesStatistics = Add(statistics, "&All games statistics...");
    a.logStatistics = Add(statistics, "&Log statistics...");
    statistics->addSeparator();
    a.hiScores = Add(statistics, "&Hi-Scores...", Qt::Key_F9);
    a.overallScore = Add(statistics, "O&verall score...");
    statistics->addSeparator();
    a.gameInformation = Add(statistics, "Game &information...", Qt::Key_F5);

    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    a.zoomIn = Add(view, "Zoom &in", QKeySequence::ZoomIn);
    // Ctrl+= too: the plus sign needs Shift on most keyboards.
    a.zoomIn->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    a.zoomOut = Add(view, "Zoom &out", QKeySequence::ZoomOut);
    a.actualSize = Add(view, "&Actual size", Qt::CTRL | Qt::Key_0);
    view->addSeparator();
    a.fitToWindow = Add(view, "&Fit cards to window");
    a.fitToWindow->setCheckable(true);

    QMenu* tools = bar->addMenu(QStringLiteral("&Tools"));
    a.customize = Add(tools, "C&ustomize...", Qt::CTRL | Qt::Key_U);
    a.customizeRules = Add(tools, "Customize &rules...", Qt::CTRL | Qt::Key_R);
    a.favouritesDialog = Add(tools, "&Favorite games...", Qt::CTRL | Qt::Key_F);
    a.cardCounter = Add(tools, "&Card counter...", Qt::Key_F8);
    a.comments = Add(tools, "&Comments...");

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    a.rules = Add(help, "&Rules", Qt::Key_F1);
    a.contents = Add(help, "&Contents");
    a.tipOfTheDay = Add(help, "&Tip of the Day...");
    a.keyboardHelp = Add(help, "&Keyboard play...");
    help->addSeparator();
    a.about = Add(help, "A&bout Quendra...");

    // The table's popup menu. Its shortcuts are shown for reference; the menu bar's
    // actions own them.
    a.tablePopup = new QMenu(window);
    a.popupGameInformation = a.tablePopup->addAction(QStringLiteral("Game information..."));
    a.popupFavourites = a.tablePopup->addAction(QStringLiteral("Favorite games..."));
    a.tablePopup->addSeparator();
    a.popupCardSet = a.tablePopup->addAction(QStringLiteral("Change card set"));
    a.popupDeck = a.tablePopup->addAction(QStringLiteral("Change deck"));
    a.popupBackground = a.tablePopup->addAction(QStringLiteral("Change background"));
    a.tablePopup->addSeparator();
    a.popupPause = a.tablePopup->addAction(QStringLiteral("Pause\tCtrl+P"));
    a.popupPause->setCheckable(true);
    a.popupQuitGame = a.tablePopup->addAction(QStringLiteral("Quit game\tCtrl+Q"));
    a.tablePopup->addSeparator();
    a.popupCardCounter = a.tablePopup->addAction(QStringLiteral("Card counter\tF8"));

    // The popup's commands do what the menu's do.
    QObject::connect(a.popupGameInformation, &QAction::triggered, a.gameInformation,
                     &QAction::trigger);
    QObject::connect(a.popupQuitGame, &QAction::triggered, a.quitGame, &QAction::trigger);
    QObject::connect(a.popupFavourites, &QAction::triggered, a.favouritesDialog, &QAction::trigger);
    QObject::connect(a.popupPause, &QAction::triggered, a.pause, &QAction::trigger);
    QObject::connect(a.popupCardCounter, &QAction::triggered, a.cardCounter, &QAction::trigger);
    QObject::connect(a.pause, &QAction::toggled, a.popupPause, &QAction::setChecked);
    QObject::connect(a.pause, &QAction::enabledChanged, a.popupPause, &QAction::setEnabled);
    QObject::connect(a.quitGame, &QAction::enabledChanged, a.popupQuitGame, &QAction::setEnabled);
    return a;
}

ToolBars BuildToolBars(QMainWindow* window, const MainActions& a) {
    ToolBars t;
    t.large = new QToolBar(QStringLiteral("Large tool bar"), window);
    t.small = new QToolBar(QStringLiteral("Small tool bar"), window);
    for (QToolBar* bar : {t.large, t.small}) {
        bar->setMovable(false);
        bar->setFloatable(false);
        bar->setContextMenuPolicy(Qt::PreventContextMenu);
    }
    t.large->setObjectName(QStringLiteral("largeToolBar"));
    t.small->setObjectName(QStringLiteral("smallToolBar"));
    t.large->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    t.large->setIconSize(QSize(24, 24));
    t.small->setToolButtonStyle(Qt::ToolButtonIconOnly);
    t.small->setIconSize(QSize(16, 16));

    for (QToolBar* bar : {t.large, t.small}) {
        const bool small = bar == t.small;
        ToolAction(bar, a.newGame, QStringLiteral("New"), ToolGlyph::New);
        ToolAction(bar, a.openGame, QStringLiteral("Open"), ToolGlyph::Open);
        if (small)
            ToolAction(bar, a.save, QStringLiteral("Save"), ToolGlyph::Save);
        ToolAction(bar, a.restartGame, QStringLiteral("Restart"), ToolGlyph::Restart);
        bar->addSeparator();
        ToolAction(bar, a.undo, QStringLiteral("Undo"), ToolGlyph::Undo);
        ToolAction(bar, a.redo, QStringLiteral("Redo"), ToolGlyph::Redo);
        QAction* autoplay = ToolAction(bar, a.autoplay, QStringLiteral("Autoplay"),
                                       ToolGlyph::Autoplay);
        (small ? t.smallAutoplay : t.largeAutoplay) = autoplay;
        bar->addSeparator();
        ToolAction(bar, a.gameStatistics, QStringLiteral("Statistics"),
                   ToolGlyph::Statistics);
        ToolAction(bar, a.fastSearch, QStringLiteral("Search"), ToolGlyph::Search);
        ToolAction(bar, a.rules, QStringLiteral("Rules"), ToolGlyph::Rules);
        bar->addSeparator();
        ToolAction(bar, a.exit, QStringLiteral("Exit"), ToolGlyph::Exit);
    }
    // Large buttons are 44 x 42 with their captions under the pictures.
    for (QToolButton* button : t.large->findChildren<QToolButton*>())
        button->setMinimumSize(44, 42);

    t.menu = new QMenu(window);
    auto* size = new QActionGroup(t.menu);
    t.largeIcons = t.menu->addAction(QStringLiteral("Large icons"));
    t.smallIcons = t.menu->addAction(QStringLiteral("Small icons"));
    t.menu->addSeparator();
    auto* style = new QActionGroup(t.menu);
    t.flatButtons = t.menu->addAction(QStringLiteral("Flat button"));
    t.raisedButtons = t.menu->addAction(QStringLiteral("No flat button"));
    t.menu->addSeparator();
    t.showTime = t.menu->addAction(QStringLiteral("Show time"));
    t.showScore = t.menu->addAction(QStringLiteral("Show score"));
    for (QAction* action : {t.largeIcons, t.smallIcons}) {
        action->setCheckable(true);
        size->addAction(action);
    }
    for (QAction* action : {t.flatButtons, t.raisedButtons}) {
        action->setCheckable(true);
        style->addAction(action);
    }
    return t;
}

} // namespace quendra
