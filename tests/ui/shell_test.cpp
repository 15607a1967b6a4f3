#include "autoplay_setting.h"
#include "game_browser.h"
#include "game_context.h"
#include "main_window.h"
#include "data_files.h"
#include "new_game.h"
#include "pause_screen.h"
#include "profile.h"
#include "settings.h"
#include "stock.h"
#include "table_play.h"
#include "table_view.h"
#include "ui_fixture.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest/QtTest>

namespace quendra {

namespace {

// The menus of the menu bar by title, with their commands (submenus included).
QList<QAction*> Commands(QMenu* menu) {
    QList<QAction*> all;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator()) continue;
        all.append(action);
        if (action->menu()) all.append(Commands(action->menu()));
    }
    return all;
}

QAction* FindCommand(const MainWindow& window, const QString& text) {
    for (QAction* top : window.menuBar()->actions())
        if (top->menu())
            for (QAction* action : Commands(top->menu()))
                if (action->text() == text) return action;
    return nullptr;
}

QTreeWidgetItem* ChildNamed(QTreeWidgetItem* folder, const QString& name) {
    for (int i = 0; i < folder->childCount(); ++i)
        if (folder->child(i)->text(0) == name) return folder->child(i);
    return nullptr;
}

} // namespace

class ShellTest : public QObject {
    Q_OBJECT
  private slots:
    void menuBarHoldsEveryCommandWithItsShortcut() {
        test::Program program;
        MainWindow window(program.ctx);
        QVERIFY(window.StartUp());

        QStringList titles;
        for (QAction* top : window.menuBar()->actions())
            titles << top->text();
        QCOMPARE(titles, QStringList({"&File", "&Game", "Tutor", "Series", "&Statistics", "&View",
                                      "&Tools", "&Help"}));
        // The tutor waits hidden for a game that offers it; the series code shows its menu.
        QVERIFY(!window.menuBar()->actions()[2]->isVisible());
        QVERIFY(window.menuBar()->actions()[3]->isVisible());

        const std::pair<const char*, const char*> commands[] = {
            {"&New game", "F2"},
            {"&Open a game...", "Ctrl+F12"},
            {"Games Fast Search...", ""},
            {"&Restart game", "Ctrl+F2"},
            {"S&elect a game number...", "F3"},
            {"From &favorite games", "Ctrl+Shift+F"},
            {"From &all games", "Ctrl+Shift+A"},
            {"&Save...", "Ctrl+Shift+F12"},
            {"&Players...", "Ctrl+L"},
            {"Fa&vorite games", ""},
            {"&Hold and exit...", ""},
            {"E&xit", ""},
            {"&Undo", "Ctrl+Z"},
            {"&Redo", "Ctrl+Y"},
            {"Insert &bookmark", ""},
            {"Go &to bookmark", ""},
            {"P&ause", "Ctrl+P"},
            {"&Quit game", "Ctrl+Q"},
            {"Au&toplay", "F7"},
            {"Show a legal move", "M"},
            {"Demo", ""},
            {"Series Manager...", ""},
            {"Quit Series", ""},
            {"&Game statistics...", "F4"},
            {"&Players' statistics...", ""},
            {"&All games statistics...", ""},
            {"&Log statistics...", ""},
            {"&Hi-Scores...", "F9"},
            {"O&verall score...", ""},
            {"Game &information...", "F5"},
            {"Zoom &in", "Ctrl++"},
            {"Zoom &out", "Ctrl+-"},
            {"&Actual size", "Ctrl+0"},
            {"&Fit cards to window", ""},
            {"C&ustomize...", "Ctrl+U"},
            {"Customize &rules...", "Ctrl+R"},
            {"&Favorite games...", "Ctrl+F"},
            {"&Card counter...", "F8"},
            {"&Comments...", ""},
            {"&Rules", "F1"},
            {"&Contents", ""},
            {"&Tip of the Day...", ""},
            {"&Keyboard play...", ""},
            {"A&bout Quendra...", ""},
        };
        for (const auto& [text, shortcut] : commands) {
            QAction* action = FindCommand(window, QString::fromUtf8(text));
            QVERIFY2(action, text);
            QCOMPARE(action->shortcut().toString(), QString::fromUtf8(shortcut));
        }
        QVERIFY(window.actions().pause->isCheckable());
        QVERIFY(window.actions().autoplay->isCheckable());
    }

    void commandsWithoutAGameAreDisabledAndTheOthersWork() {
        test::Program program;
        MainWindow window(program.ctx);
        QVERIFY(window.StartUp());
        for (const char* text :
             {"&Restart game", "&Save...",
              "&Hold and exit...", "Insert &bookmark", "Go &to bookmark",
              "Customize &rules..."}) {
            QAction* action = FindCommand(window, QString::fromUtf8(text));
            QVERIFY2(action && !action->isEnabled(), text);
        }
        for (const char* text :
             {"&New game", "&Open a game...", "E&xit", "Au&toplay", "Game &information...",
              "&Rules", "&Contents", "&Tip of the Day...", "A&bout Quendra...",
              "&Favorite games...", "From &favorite games", "From &all games", "&Players...",
              "&Hi-Scores...", "&Game statistics...", "O&verall score...",
              "Games Fast Search...", "S&elect a game number...", "C&ustomize...",
              "&Card counter...", "&Comments..."}) {
            QAction* action = FindCommand(window, QString::fromUtf8(text));
            QVERIFY2(action && action->isEnabled(), text);
        }
        // Nothing to pause, give up or take back before a game is dealt.
        QVERIFY(!window.actions().pause->isEnabled());
        QVERIFY(!window.actions().quitGame->isEnabled());
        QVERIFY(!window.actions().undo->isEnabled());

        QStringList popup;
        for (QAction* action : window.actions().tablePopup->actions())
            if (!action->isSeparator()) popup << action->text();
        QCOMPARE(popup, QStringList({"Game information...", "Favorite games...", "Change card set",
                                     "Change deck", "Change background", "Pause\tCtrl+P",
                                     "Quit game\tCtrl+Q", "Card counter\tF8"}));
    }

    void toolBarsDifferOnlyBySaveAndTheirMenuWritesTheChoice() {
        test::Program program;
        MainWindow window(program.ctx);
        QVERIFY(window.StartUp());
        auto texts = [](QToolBar* bar) {
            QStringList list;
            for (QAction* action : bar->actions())
                if (!action->isSeparator()) list << action->text();
            return list;
        };
        QStringList large = texts(window.toolBars().large);
        QStringList small = texts(window.toolBars().small);
        QVERIFY(!large.contains("Save"));
        QVERIFY(small.contains("Save"));
        small.removeAll("Save");
        QCOMPARE(large, small);
        QCOMPARE(large.size(), 10);

        window.toolBars().largeIcons->trigger();
        QCOMPARE(ReadSettingString(program.ctx, "Preference", "ToolBar_Large", ""),
                 std::string("Y"));
        QVERIFY(!window.toolBars().large->isHidden());
        QVERIFY(window.toolBars().small->isHidden());
        window.toolBars().raisedButtons->trigger();
        QCOMPARE(ReadSettingString(program.ctx, "Preference", "ToolBar_Flat", ""),
                 std::string("N"));

        // The tool bar's Autoplay button and the menu command are one switch.
        window.toolBars().largeAutoplay->trigger();
        QCOMPARE(window.actions().autoplay->isChecked(),
                 window.toolBars().largeAutoplay->isChecked());
        QCOMPARE(window.toolBars().smallAutoplay->isChecked(),
                 window.toolBars().largeAutoplay->isChecked());
    }

    void firstActivationOpensTheBrowserWhoseDoubleClickStartsTheGame() {
        test::Program program;
        MainWindow window(program.ctx);
        QVERIFY(window.StartUp());
        bool sawBrowser = false;
        test::WhenModal([&](QWidget* modal) {
            auto* browser = qobject_cast<GameBrowser*>(modal);
            if (!browser) {
                modal->close();
                return;
            }
            sawBrowser = true;
            QTreeWidgetItem* all = browser->findItem(browser::kAllGames);
            all->setExpanded(true);
            QTreeWidgetItem* game = ChildNamed(all, "FreeCell");
            QVERIFY(game);
            browser->tree()->setCurrentItem(game);
            emit browser->tree()->itemDoubleClicked(game, 0);
        });
        window.show();
        QTRY_VERIFY(sawBrowser);
        QTRY_COMPARE(GetSetting(program.ctx.settings, field::kGameNumber), std::string("0001"));
        QCOMPARE(GetSetting(program.ctx.settings, field::kGameName), std::string("FreeCell"));
        QVERIFY(program.ctx.flags[GameStateFlags::kInPlay]);
        // Every card is dealt (Autoplay may have sent an ace on to a foundation at once).
        int cardsOnTable = 0;
        const std::pair<PileGroupId, int> groups[] = {{PileGroupId::Fila, kFilaPiles},
                                                      {PileGroupId::Dest, kDestPiles},
                                                      {PileGroupId::Appogg, kAppoggPiles}};
        for (const auto& [group, piles] : groups)
            for (int pile = 0; pile < piles; ++pile)
                cardsOnTable += static_cast<int>(program.ctx.table.Pile({group, pile}).size() / 3);
        QCOMPARE(cardsOnTable, 52);
        QVERIFY(window.windowTitle().startsWith("Quendra 2000 [FreeCell]  [Player 1]  ["));
        QVERIFY(window.actions().pause->isEnabled());
        QVERIFY(window.actions().quitGame->isEnabled());
        QCOMPARE(ReadSettingInt(program.ctx, "Preference", "Game_TreeNum", 0), browser::kAllGames);
    }

    void closingAsksOnlyWhenConfirmQuitIsSet() {
        test::Program program;
        MainWindow window(program.ctx);
        window.setBrowserAtStart(false);
        QVERIFY(window.StartUp());
        window.show();
        QVERIFY(window.close());
        QVERIFY(program.host.confirmations.empty());

        test::Program asking;
        MainWindow second(asking.ctx);
        second.setBrowserAtStart(false);
        QVERIFY(second.StartUp());
        WriteSettingString(asking.ctx, "Preference", "ConfirmQuit", "Y");
        second.show();
        asking.host.confirmAnswers = {false, true};
        QVERIFY(!second.close());
        QVERIFY(second.isVisible());
        QCOMPARE(asking.host.confirmations.back(), std::string("Exit Quendra 2000?"));
        QVERIFY(second.close());
        QCOMPARE(asking.host.confirmations.size(), std::size_t(2));
    }

    void closingEndsTheGameAndKeepsThePlacement() {
        test::Program program;
        MainWindow window(program.ctx);
        window.setBrowserAtStart(false);
        QVERIFY(window.StartUp());
        SelectAndStartGame(program.ctx, 0, "Klondike", "Player 1", kNewDealNumber, false);
        window.setGeometry(60, 70, 900, 640);
        window.show();
        QVERIFY(window.close());
        QCOMPARE(program.host.results.size(), std::size_t(1));
        QVERIFY(!program.host.results[0].won);
        const WindowPlacement placement = ReadWindowPlacement(program.ctx);
        QVERIFY(!placement.maximized);
        QCOMPARE(placement.width, 900);
        QCOMPARE(placement.height, 640);
    }

    void theSizeOfAWindowNoLongerMaximizedIsKeptForTheNextStart() {
        test::Program program;
        {
            MainWindow window(program.ctx);
            window.setBrowserAtStart(false);
            QVERIFY(window.StartUp());
            // A new player's window starts maximized; it is made smaller without the mark
            // being taken off, as happens without a window manager.
            window.ShowWithPlacement();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QVERIFY(window.isMaximized());
            window.resize(640, 480);
            QTRY_COMPARE(window.size(), QSize(640, 480));
            QVERIFY(window.close());
        }
        const Profile settings = Profile::Load(SettingsFilePath(program.ctx));
        QCOMPARE(settings.ReadString("Preference", "MainWindowState_Maximized", ""),
                 std::string("N"));
        QCOMPARE(settings.ReadInt("Preference", "MainWindowState_Width", 0), 640);
        QCOMPARE(settings.ReadInt("Preference", "MainWindowState_Height", 0), 480);
        {
            MainWindow window(program.ctx);
            window.setBrowserAtStart(false);
            QVERIFY(window.StartUp());
            window.ShowWithPlacement();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QVERIFY(!window.isMaximized());
            QCOMPARE(window.size(), QSize(640, 480));
            QVERIFY(window.close());
        }
        // Maximized, the window keeps the size it has when it is not.
        Profile maximized = Profile::Load(SettingsFilePath(program.ctx));
        maximized.WriteString("Preference", "MainWindowState_Maximized", "Y");
        QVERIFY(maximized.Save(program.host));
        {
            MainWindow window(program.ctx);
            window.setBrowserAtStart(false);
            QVERIFY(window.StartUp());
            window.ShowWithPlacement();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QTRY_VERIFY(window.coversScreen());
            QVERIFY(window.close());
        }
        const WindowPlacement placement = ReadWindowPlacement(program.ctx);
        QVERIFY(placement.maximized);
        QCOMPARE(QSize(placement.width, placement.height), QSize(640, 480));
    }

    void theCaptionNamesTheGameAsTheCatalogueDoesAndTheGameLastStarted() {
        test::Program program;
        {
            MainWindow window(program.ctx);
            window.setBrowserAtStart(false);
            QVERIFY(window.StartUp());
            window.UpdateCaption();
            // A new player's game is the catalogue's game 1.
            QCOMPARE(window.windowTitle(), QStringLiteral("Quendra 2000 [FreeCell]  [Player 1]"));
            QVERIFY(window.StartGameDeal(0, "5"));
            QVERIFY(window.close());
        }
        MainWindow window(program.ctx);
        window.setBrowserAtStart(false);
        QVERIFY(window.StartUp());
        window.UpdateCaption();
        QVERIFY(window.windowTitle().startsWith(QStringLiteral("Quendra 2000 [Klondike]")));
    }

    void ctrlPPausesAndCtrlPAgainGoesOn() {
        test::HostedWindow shown;
        QVERIFY(shown.shown);
        shown.window.activateWindow();
        SelectAndStartGame(shown.ctx, 0, "Klondike", "Player 1", kNewDealNumber, false);
        shown.window.layoutTable();
        shown.window.EnableCommand(Host::Command::Pause, true);
        QTest::keyClick(&shown.window, Qt::Key_P, Qt::ControlModifier);
        QVERIFY(shown.window.table()->paused());
        // Ctrl alone, the first half of the shortcut, does not end the pause.
        QTest::keyPress(&shown.window, Qt::Key_Control);
        QVERIFY(shown.window.table()->paused());
        QTest::keyClick(&shown.window, Qt::Key_P, Qt::ControlModifier);
        QVERIFY(!shown.window.table()->paused());
        QVERIFY(shown.ctx.flags[GameStateFlags::kClockRuns]);
        // Another command's key only ends the pause: no new deal is dealt.
        const std::string deal = GetSetting(shown.ctx.settings, field::kDealNumber);
        QTest::keyClick(&shown.window, Qt::Key_P, Qt::ControlModifier);
        QVERIFY(shown.window.table()->paused());
        QTest::keyClick(&shown.window, Qt::Key_F2);
        QVERIFY(!shown.window.table()->paused());
        QCOMPARE(GetSetting(shown.ctx.settings, field::kDealNumber), deal);
    }

    void clockTicksWhileTheGameRunsAndStandsStillInPause() {
        test::Program program;
        MainWindow window(program.ctx);
        window.setBrowserAtStart(false);
        QVERIFY(window.StartUp());
        program.host.now = 1'700'000'000;
        SelectAndStartGame(program.ctx, 0, "Klondike", "Player 1", kNewDealNumber, false);
        window.EnableCommand(Host::Command::Pause, true);
        program.host.now += 65;
        window.clockTick();
        QCOMPARE(window.timeLabel()->text(), QString("0:01:05"));

        window.actions().pause->trigger();
        QVERIFY(window.table()->paused());
        program.host.now += 600;
        window.clockTick();
        QCOMPARE(window.timeLabel()->text(), QString("0:01:05"));
        window.actions().pause->trigger();
        QVERIFY(!window.table()->paused());
        program.host.now += 5;
        window.clockTick();
        QCOMPARE(window.timeLabel()->text(), QString("0:01:10"));
    }

    void pauseCoversTheCardsWithASwingingPictureUntilItEnds() {
        test::Program program;
        MainWindow window(program.ctx);
        window.setBrowserAtStart(false);
        QVERIFY(window.StartUp());
        window.resize(900, 700);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        SelectAndStartGame(program.ctx, 0, "Klondike", "Player 1", kNewDealNumber, false);
        window.layoutTable();
        window.EnableCommand(Host::Command::Pause, true);
        // The middle of the first tableau pile's top card, face up after the deal.
        const QRect card = window.tablePlay()->CardRectInView(PileRef{PileGroupId::Fila, 0});
        QVERIFY(card.isValid());
        const qreal dpr = window.table()->tableImage().devicePixelRatio();
        const QPoint middle(qRound(card.center().x() * dpr), qRound(card.center().y() * dpr));
        const QRgb dealt = window.table()->tableImage().pixel(middle);

        window.actions().pause->trigger();
        QVERIFY(window.table()->paused());
        QVERIFY(window.table()->tableImage().pixel(middle) != dealt);
        // The upper picture swings while the pause lasts.
        QVERIFY(window.pauseScreen()->Running());
        QTRY_VERIFY(window.pauseScreen()->Swing() != 0);
        // A new size keeps the cards hidden.
        window.resize(880, 690);
        QTRY_COMPARE(window.table()->size().width() > 0, true);
        QVERIFY(window.table()->tableImage().pixel(middle) != dealt);

        window.actions().pause->trigger();
        QVERIFY(!window.table()->paused());
        QVERIFY(!window.pauseScreen()->Running());
        window.resize(900, 700);
        QTRY_COMPARE(window.table()->tableImage().pixel(middle), dealt);
    }

    void undoAndRedoTakeTheStockClickBackAndForth() {
        test::Program program;
        MainWindow window(program.ctx);
        window.setBrowserAtStart(false);
        QVERIFY(window.StartUp());
        SelectAndStartGame(program.ctx, 0, "Klondike", "Player 1", kNewDealNumber, false);
        const TableSnapshot dealt = BuildTableSnapshot(program.ctx);
        fnStockClick(program.ctx, StockClickPhase::Press);
        fnStockClick(program.ctx, StockClickPhase::Release);
        const TableSnapshot turned = BuildTableSnapshot(program.ctx);
        QVERIFY(turned != dealt);
        window.RedrawTable();
        QVERIFY(window.actions().undo->isEnabled());
        window.actions().undo->trigger();
        QVERIFY(BuildTableSnapshot(program.ctx) == dealt);
        QVERIFY(window.actions().redo->isEnabled());
        window.actions().redo->trigger();
        QVERIFY(BuildTableSnapshot(program.ctx) == turned);
    }

    void panelsHideAndShowWithTheirSettings() {
        test::Program program;
        MainWindow window(program.ctx);
        window.setBrowserAtStart(false);
        QVERIFY(window.StartUp());
        window.show();
        QVERIFY(window.timePanel()->isVisible());
        window.timePanel()->hide();
        StorePreference(program.ctx, "Show_Time", "N");
        window.toolBars().showTime->trigger();
        QVERIFY(window.timePanel()->isVisible());
        QCOMPARE(ReadSettingString(program.ctx, "Preference", "Show_Time", ""), std::string("Y"));
        window.toolBars().showScore->trigger();
        QCOMPARE(ReadSettingString(program.ctx, "Preference", "Show_Score", ""), std::string("Y"));
    }

    void missingCatalogueOrImagesIsReportedBeforeTheEnd() {
        test::Program program;
        program.ctx.gamesFile.clear();
        MainWindow window(program.ctx);
        QVERIFY(!window.StartUp());
        QCOMPARE(program.host.errors.size(), std::size_t(1));
        QCOMPARE(program.host.errors[0], "Cannot find file:\r" + program.ctx.ProgramDir() +
                                             "GAMES.DAT\rCopy the file into the directory that "
                                             "above is specified\ror reinstall the program.");

        test::Program noImages;
        noImages.ctx.imagesFile.clear();
        MainWindow second(noImages.ctx);
        QVERIFY(!second.StartUp());
        QCOMPARE(noImages.host.errors.size(), std::size_t(1));
        QVERIFY(noImages.host.errors[0].starts_with("Cannot find images file:\r" +
                                                    noImages.ctx.ProgramDir() + "SOL.RGF"));
    }

    void autoplayIsKeptPerGameWhenAskedTo() {
        test::Program program;
        MainWindow window(program.ctx);
        QVERIFY(window.StartUp());
        WriteSettingInt(program.ctx, "Preference", "AutoPlay_All_Games", 2);
        StoreAutoplay(program.ctx, 300, false);
        const std::string games = ReadSettingString(program.ctx, "Autoplay", "Games", "");
        QCOMPARE(games.size(), std::size_t(310));
        QCOMPARE(games[300], 'N');
        QCOMPARE(games[299], 'Y');
        QVERIFY(!AutoplayWanted(program.ctx, 300));
        QVERIFY(AutoplayWanted(program.ctx, 5));
        StoreAutoplay(program.ctx, 8001, false);
        QVERIFY(!AutoplayWanted(program.ctx, 8001));

        WriteSettingInt(program.ctx, "Preference", "AutoPlay_All_Games", 1);
        StoreAutoplay(program.ctx, 300, false);
        QCOMPARE(ReadSettingString(program.ctx, "Preference", "AutoPlay", ""), std::string("N"));
        QVERIFY(!AutoplayWanted(program.ctx, 7));
    }
};

} // namespace quendra

QTEST_MAIN(quendra::ShellTest)
#include "shell_test.moc"
