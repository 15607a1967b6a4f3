#include "autoplay.h"
#include "autoplay_setting.h"
#include "browser_catalogue.h"
#include "cards.h"
#include "demo_window.h"
#include "game_browser.h"
#include "game_context.h"
#include "main_window.h"
#include "move_finder.h"
#include "new_game.h"
#include "pointer.h"
#include "qt_host.h"
#include "settings.h"
#include "silent_host.h"
#include "solver.h"
#include "table_play.h"
#include "table_view.h"
#include "ui_fixture.h"

#include <algorithm>
#include <climits>

#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest/QtTest>

namespace quendra {

namespace {

// The window with its own host, as the program runs it, playing Klondike without the deal
// animation and the flights.
struct TutorBoard : test::HostedWindow {
    bool ready = false;

    TutorBoard() {
        if (!shown) return;
        SetSetting(ctx.settings, field::kSpeedMoveCard, "0");
        SetSetting(ctx.settings, field::kSoundsEnabled, "N");
        SetSetting(ctx.settings, field::kDealNumber, "7777777777");
        ctx.play.autoplayTicked = false;
        SelectAndStartGame(ctx, 0, "Klondike", "Player 1", kKeepDealNumber, false);
        window.layoutTable();
        window.EnableCommand(Host::Command::Tutor, true);
        ready = true;
    }
    // Empties the table but for what the test lays out.
    void Clear() {
        for (int i = 0; i < kFilaPiles; ++i)
            LoadPileFromSnapshotLine(ctx, {PileGroupId::Fila, i}, "");
        for (int i = 0; i < kDestPiles; ++i)
            LoadPileFromSnapshotLine(ctx, {PileGroupId::Dest, i}, "");
        LoadPileFromSnapshotLine(ctx, {PileGroupId::Stock, kMazzo}, "");
        LoadPileFromSnapshotLine(ctx, {PileGroupId::Stock, kMazzoVis}, "");
    }
    void Lay(int tableau, const std::string& line) {
        LoadPileFromSnapshotLine(ctx, {PileGroupId::Fila, tableau}, line);
    }
    // Three moves and no more: the Seven of hearts with the Six of clubs onto the Eight of
    // spades, the Four of clubs onto the Five of diamonds, and these two onto the Six.
    void LayThreeMoves() {
        Clear();
        Lay(0, "0471");
        Lay(1, "00710321");
        Lay(2, "0301");
        Lay(3, "0181");
        window.RedrawTable();
    }
    const MainActions& actions() const { return window.actions(); }
};

// Closes each message box that opens while it lives, noting the last one's text; unlike
// WhenModal it waits for no window and leaves nothing behind for the next test.
struct MessageCatcher {
    QString told;
    QTimer poll;
    MessageCatcher() {
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                told = box->text();
                box->close();
            }
        });
        poll.start();
    }
};

// Runs `act` on the demo window once it is shown and a move or more has been played.
void AfterFirstDemoMove(MainWindow& window, std::function<void(DemoWindow*)> act) {
    auto* poll = new QTimer;
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, [poll, &window, act] {
        DemoWindow* demo = window.demoWindow();
        if (!demo || !demo->isVisible() || demo->counter() < 1) return;
        poll->stop();
        poll->deleteLater();
        act(demo);
    });
    poll->start();
}

bool RulesWindowShown() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == QStringLiteral("rulesWindow") && window->isVisible())
            return true;
    return false;
}

// Closes the demo window after the first move; notes the counter at that moment.
void CloseDemoAfterFirstMove(MainWindow& window, int& counterAtClose) {
    AfterFirstDemoMove(window, [&counterAtClose](DemoWindow* demo) {
        demo->move(123, 234);
        counterAtClose = demo->counter();
        demo->close();
    });
}

} // namespace

class TutorTest : public QObject {
    Q_OBJECT
  private slots:
    void theTutorMenuFollowsTheGame() {
        TutorBoard board;
        QVERIFY(board.ready);
        QVERIFY(board.actions().tutorMenu->menuAction()->isVisible());
        QVERIFY(board.actions().showLegalMove->isEnabled());
        QVERIFY(board.actions().demo->isEnabled());
        QCOMPARE(board.actions().showLegalMove->shortcut(), QKeySequence(Qt::Key_M));
        // A game ended: nothing to show.
        fnEndGame(board.ctx);
        board.window.EnableCommand(Host::Command::Tutor, true);
        QVERIFY(!board.actions().showLegalMove->isEnabled());
        QVERIFY(!board.actions().demo->isEnabled());
    }

    void pressingMShowsTheArrowThenPlaysTheMove() {
        TutorBoard board;
        QVERIFY(board.ready);
        const PileGroups before = board.ctx.table;
        QVERIFY(!board.actions().undo->isEnabled());
        bool arrowShown = false;
        QColor arrowEnd;
        QTimer::singleShot(250, [&] {
            TableView* view = board.window.table();
            arrowShown = view->hasArrow();
            if (arrowShown) arrowEnd = view->grab().toImage().pixelColor(view->arrow().p2());
        });
        board.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&board.window));
        QTest::keyClick(&board.window, Qt::Key_M);
        QVERIFY(arrowShown);
        QCOMPARE(arrowEnd, QColor(128, 128, 128));
        QVERIFY(!board.window.table()->hasArrow());
        QVERIFY(!(board.ctx.table == before));
        QVERIFY(board.actions().undo->isEnabled());
    }

    void withoutAMoveThePlayerIsTold() {
        TutorBoard board;
        QVERIFY(board.ready);
        board.Clear();
        board.Lay(0, "0071"); // two red Sevens: nothing goes anywhere
        board.Lay(1, "0201");
        board.window.RedrawTable();
        QString told;
        test::WhenModal([&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) told = box->text();
            modal->close();
        });
        board.actions().showLegalMove->trigger();
        QCOMPARE(told, QStringLiteral("No other moves."));
        QVERIFY(!board.window.table()->hasArrow());
    }

    // Where the finder sees no move (it never takes a card back from a foundation), the hint
    // asks the solver, which knows the way: the Eight of clubs comes down onto the Nine of
    // hearts, so that the Seven of diamonds can free the cards under it.
    void aHintWithoutFinderMovesPlaysTheSolversMove() {
        TutorBoard board;
        QVERIFY(board.ready);
        board.Clear();
        const auto dest = [&](int i, const std::string& line) {
            LoadPileFromSnapshotLine(board.ctx, {PileGroupId::Dest, i}, line);
        };
        dest(0, "0011002100310041005100610071");     // hearts, Ace to Seven
        dest(1, "02710281029103010311032103310341"); // clubs, Ace to Eight
        dest(2, "01410151016101710181");             // diamonds, Ace to Five
        dest(3, "0401");                             // the Ace of spades
        // Eight of hearts, Six of diamonds, Two of spades, Seven of diamonds; Nine of hearts.
        board.Lay(0, "0081019104110201");
        board.Lay(1, "0091");
        board.window.RedrawTable();
        const MessageCatcher messages;
        board.actions().showLegalMove->trigger();
        QCOMPARE(PileCardCount(board.ctx.table.Pile({PileGroupId::Dest, 1})), 7);
        QCOMPARE(PileTopCard(board.ctx.table.Pile({PileGroupId::Fila, 1})), 34); // Eight of clubs
        QVERIFY2(messages.told.isEmpty(), qPrintable(messages.told));
        QVERIFY(!QApplication::overrideCursor());
    }

    // "Is this game winnable?" answers from a thread of its own: a table the search wins,
    // one it proves lost, and a move made meanwhile, which ends the search without a word.
    void theWinnableQuestionIsAnsweredOrDroppedWhenTheGameChanges() {
        TutorBoard board;
        QVERIFY(board.ready);
        QString told;
        const auto ask = [&board, &told] {
            told.clear();
            test::WhenModal([&told](QWidget* modal) {
                if (auto* box = qobject_cast<QMessageBox*>(modal)) told = box->text();
                modal->close();
            });
            board.actions().isWinnable->trigger();
            QVERIFY(board.window.WinnableSearchRunning());
            QTRY_VERIFY_WITH_TIMEOUT(!told.isEmpty(), 20000);
            QVERIFY(!board.window.WinnableSearchRunning());
            QVERIFY(!QApplication::overrideCursor());
        };
        board.Clear();
        board.Lay(0, "0011"); // the Ace of hearts: it goes home and the game is won
        board.window.RedrawTable();
        ask();
        QCOMPARE(told, QStringLiteral("This game can be won."));

        board.Clear();
        board.Lay(0, "00710201"); // a red Seven on a red Seven, and nothing else
        board.Lay(1, "0471");
        board.window.RedrawTable();
        ask();
        QCOMPARE(told, QStringLiteral("This game can no longer be won."));

        // A move made while the search goes on ends it, and nothing is said.
        LoadPileFromSnapshotLine(board.ctx, {PileGroupId::Stock, kMazzo}, "0050");
        board.window.RedrawTable();
        board.actions().isWinnable->trigger();
        QVERIFY(board.window.WinnableSearchRunning());
        QVERIFY(PlayStockClick(board.ctx));
        board.window.RedrawTable();
        QVERIFY(!board.window.WinnableSearchRunning());
        QVERIFY(!QApplication::overrideCursor());
        QTest::qWait(100);
        QVERIFY(!QApplication::activeModalWidget());
    }

    // Game → "Winnable deals only", kept in CFG.DAT: each new deal is one the solver has won
    // (the window says so when it found none in time).
    void winnableDealsOnlyStartsDealsTheSolverWins() {
        TutorBoard board;
        QVERIFY(board.ready);
        QVERIFY(!board.actions().winnableDealsOnly->isChecked());
        board.actions().winnableDealsOnly->trigger();
        QVERIFY(board.window.WinnableDealsOnly());
        // Time enough on a loaded machine; no automatic play after the deal, so that the
        // table the test searches again is the one the window's search was given.
        StoreAutoplay(board.ctx, 0, false);
        // Should none be won in time, the window says so; the catcher closes the message.
        const MessageCatcher messages;
        WriteSettingInt(board.ctx, "Preference", "Winnable_Deals_Seconds", 20);
        QCOMPARE(ReadSettingInt(board.ctx, "Preference", "Winnable_Deals_Seconds", 0), 20);
        QCOMPARE(ReadSettingInt(board.ctx, "Preference", "Winnable_Deals_Only", 0), 1);
        // A new deal each time, and no word that the solver found none it could win.
        for (int i = 0; i < 2; ++i) {
            const std::string before = GetSetting(board.ctx.settings, field::kDealNumber);
            // New game (F2) draws it as the other ways of starting a game do.
            board.actions().newGame->trigger();
            QVERIFY(GetSetting(board.ctx.settings, field::kDealNumber) != before);
            QVERIFY(!QApplication::overrideCursor());
        }
        // The solver wins few Klondike deals within seconds yet: a deal not won in time is
        // started all the same, with this word, and the test does not depend on the draw.
        QVERIFY2(messages.told.isEmpty() ||
                     messages.told == QStringLiteral("No deal the solver could win was found in "
                                                     "time: this deal may not be winnable."),
                 qPrintable(messages.told));
        // A deal proved won: the hints follow the line that proved it, move for move, as the
        // same search run again on a copy finds it.
        if (messages.told.isEmpty()) {
            SilentHost host;
            GameContext copy(host);
            CopyGameState(copy, board.ctx);
            SolveOptions options;
            options.moveBudget = INT_MAX;
            options.mixed = true;
            const SolveResult line = SolveDeal(copy, options);
            QVERIFY(line.won);
            for (std::size_t k = 0; k < std::min<std::size_t>(5, line.moves.size()); ++k) {
                board.actions().showLegalMove->trigger();
                QVERIFY(PlayFoundMove(copy, line.moves[k]));
                QVERIFY(CaptureTableState(board.ctx) == CaptureTableState(copy));
            }
        }
        board.actions().winnableDealsOnly->trigger();
        QCOMPARE(ReadSettingInt(board.ctx, "Preference", "Winnable_Deals_Only", 0), 0);
    }

    void theDemonstrationPlaysUntilNothingIsLeft() {
        TutorBoard board;
        QVERIFY(board.ready);
        board.LayThreeMoves();
        board.actions().demo->trigger();
        DemoWindow* demo = board.window.demoWindow();
        QVERIFY(demo);
        QVERIFY(demo->isVisible());
        QCOMPARE(demo->counter(), 3);
        QCOMPARE(demo->description(), QStringLiteral("End of Demo"));
        QCOMPARE(board.ctx.play.assistMode, 0);
        QVERIFY(!board.window.DemonstrationRunning());
        QCOMPARE(board.ctx.table.Pile({PileGroupId::Fila, 0}), std::string("047007032018030"));
        // Its moves can be taken back like the player's.
        QVERIFY(board.actions().undo->isEnabled());
        QCOMPARE(demo->previousButton()->toolTip(), QStringLiteral("Previous 3 moves"));
        demo->previousButton()->click();
        QCOMPARE(PileCardCount(board.ctx.table.Pile({PileGroupId::Fila, 0})), 1);
        QCOMPARE(demo->counter(), 0);
        // Once at its end, the window still goes with Escape, and with Stop.
        QTest::keyClick(demo, Qt::Key_Escape);
        QVERIFY(!demo->isVisible());
        board.LayThreeMoves();
        board.actions().demo->trigger();
        QVERIFY(demo->isVisible());
        QCOMPARE(demo->description(), QStringLiteral("End of Demo"));
        demo->findChild<QToolButton*>(QStringLiteral("btnStop"))->click();
        QVERIFY(!demo->isVisible());
    }

    void thePauseHoldsTheDemonstrationUntilPlay() {
        TutorBoard board;
        QVERIFY(board.ready);
        board.LayThreeMoves();
        int counterPaused = -1, counterLater = -1;
        bool playShownPressed = true;
        AfterFirstDemoMove(board.window, [&](DemoWindow* demo) {
            demo->pauseButton()->click();
            counterPaused = demo->counter();
            playShownPressed = demo->playButton()->isChecked();
            QTimer::singleShot(1500, [&board, &counterLater] {
                DemoWindow* shown = board.window.demoWindow();
                counterLater = shown->counter();
                shown->playButton()->click();
            });
        });
        board.window.RunDemonstration();
        QVERIFY(counterPaused >= 1);
        QVERIFY(!playShownPressed);
        // Paused, at most the move under way was finished.
        QVERIFY(counterLater <= counterPaused + 1);
        QVERIFY(!board.window.table()->paused());
        QVERIFY(board.window.demoWindow()->playButton()->isChecked());
        QCOMPARE(board.window.demoWindow()->counter(), 3);
        QCOMPARE(board.window.demoWindow()->description(), QStringLiteral("End of Demo"));
    }

    void closingTheDemoWindowStopsAfterTheMoveUnderWay() {
        TutorBoard board;
        QVERIFY(board.ready);
        int counterAtClose = -1;
        CloseDemoAfterFirstMove(board.window, counterAtClose);
        board.window.RunDemonstration();
        QVERIFY(counterAtClose >= 1);
        DemoWindow* demo = board.window.demoWindow();
        QVERIFY(!demo->isVisible());
        QVERIFY(demo->counter() <= counterAtClose + 1);
        QCOMPARE(board.ctx.play.assistMode, 0);
        QVERIFY(board.ctx.flags[GameStateFlags::kInPlay]);
        // Its place is kept for the next time.
        QCOMPARE(ReadSettingInt(board.ctx, "Settings", "Tutor_Demo_Form_Left", -1), 123);
        QCOMPARE(ReadSettingInt(board.ctx, "Settings", "Tutor_Demo_Form_Top", -1), 234);
    }

    void closingTheMainWindowEndsTheDemonstrationFirst() {
        TutorBoard board;
        QVERIFY(board.ready);
        int counterAtClose = -1;
        AfterFirstDemoMove(board.window, [&](DemoWindow* demo) {
            counterAtClose = demo->counter();
            board.window.close();
            // The window stays until the move under way is done.
            QVERIFY(board.window.isVisible());
        });
        board.window.RunDemonstration();
        QVERIFY(counterAtClose >= 1);
        QVERIFY(board.window.demoWindow()->counter() <= counterAtClose + 1);
        QVERIFY(!board.window.isVisible());
    }

    void noCardIsLiftedWhileADemonstrationPlays() {
        TutorBoard board;
        QVERIFY(board.ready);
        TableView* view = board.window.table();
        const PileRef pile{PileGroupId::Fila, 6};
        const QPoint at = board.window.tablePlay()->CardRectInView(pile).center();
        board.ctx.play.assistMode = 3;
        QTest::mousePress(view, Qt::LeftButton, {}, at);
        QTest::mouseMove(view, at + QPoint(40, 40));
        QVERIFY(!view->hasFloating());
        QTest::mouseRelease(view, Qt::LeftButton, {}, at + QPoint(40, 40));
        // The same press lifts the card once the demonstration is over.
        board.ctx.play.assistMode = 0;
        QTest::mousePress(view, Qt::LeftButton, {}, at);
        QTest::mouseMove(view, at + QPoint(40, 40));
        QVERIFY(view->hasFloating());
        QTest::mouseRelease(view, Qt::LeftButton, {}, at);
    }

    void theBrowsersDemoStartsTheGameAndDemonstratesIt() {
        TutorBoard board;
        QVERIFY(board.ready);
        bool clicked = false;
        test::WhenModal([&](QWidget* modal) {
            auto* browser = qobject_cast<GameBrowser*>(modal);
            if (!browser) {
                modal->close();
                return;
            }
            QTreeWidgetItem* all = browser->findItem(browser::kAllGames);
            all->setExpanded(true);
            QTreeWidgetItem* freecell = browser->findItem(1);
            QVERIFY(freecell);
            browser->tree()->setCurrentItem(freecell);
            // The rules read in the browser go with it.
            for (QPushButton* button : browser->findChildren<QPushButton*>())
                if (button->text() == QStringLiteral("Rules")) button->click();
            QVERIFY(RulesWindowShown());
            QVERIFY(browser->demoButton()->isEnabled());
            browser->demoButton()->click();
            clicked = true;
        });
        int counterAtClose = -1;
        bool rulesOverTheDemonstration = true;
        AfterFirstDemoMove(board.window, [&](DemoWindow* demo) {
            rulesOverTheDemonstration = RulesWindowShown();
            counterAtClose = demo->counter();
            demo->close();
        });
        board.window.openGameBrowser();
        QVERIFY(clicked);
        QVERIFY(!rulesOverTheDemonstration);
        QCOMPARE(GetSetting(board.ctx.settings, field::kGameName), std::string("FreeCell"));
        QVERIFY(counterAtClose >= 1);
        QVERIFY(!board.window.DemonstrationRunning());
    }
};

} // namespace quendra

QTEST_MAIN(quendra::TutorTest)
#include "tutor_test.moc"
