#include "game_context.h"
#include "game_browser.h"
#include "hiscores.h"
#include "hiscores_dialog.h"
#include "main_menus.h"
#include "main_window.h"
#include "new_game.h"
#include "players.h"
#include "players_dialog.h"
#include "settings.h"
#include "statistics.h"
#include "statistics_views.h"
#include "ui_fixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest/QtTest>

namespace quendra {

namespace {

using test::Acts;
using test::OnModals;
using test::Press;

// A shown window playing Klondike deal 4321 for Player 1.
struct Records : test::HostedWindow {
    Records() {
        if (!shown) return;
        SetSetting(ctx.settings, field::kCardsAnimate, "N");
        SetSetting(ctx.settings, field::kSoundsEnabled, "N");
        SetSetting(ctx.settings, field::kDealNumber, "4321");
        SelectAndStartGame(ctx, 0, "Klondike", "Player 1", kKeepDealNumber, false);
        window.layoutTable();
    }
    Host::GameResult Won(int score) const {
        Host::GameResult result;
        result.game = 0;
        result.deal = "4321";
        result.player = "Player 1";
        result.won = true;
        result.score = score;
        result.seconds = 75;
        result.endTime = 1'700'000'000;
        return result;
    }
};

// The message box's text, its line breaks as typed.
QString BoxText(QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    return box ? box->text() : QString();
}

void Click(QPushButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

// Types a name into the name dialog and presses OK.
void Name(QWidget* modal, const QString& name) {
    auto* dialog = qobject_cast<PlayerNameDialog*>(modal);
    QVERIFY(dialog);
    dialog->nameEdit()->setText(name);
    QTest::keyClick(dialog->nameEdit(), Qt::Key_Return);
}

QPushButton* ButtonOf(QWidget* dialog, const QString& text) {
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->text() == text) return button;
    return nullptr;
}

void SelectRow(PlayersDialog* dialog, const QString& name) {
    const auto found = dialog->list()->findItems(name, Qt::MatchExactly);
    QVERIFY(!found.isEmpty());
    dialog->list()->setCurrentItem(found.front());
}

} // namespace

class RecordsTest : public QObject {
    Q_OBJECT
    std::vector<Acts> expect_;

  private slots:
    void cleanup() { test::VerifyAllOpened(expect_); }

    void aNewHiScoreOpensItsTableMarkedUntilThePlayerSwitchesItOff() {
        Records r;
        QVERIFY(r.shown);
        expect_.push_back(OnModals({[&](QWidget* m) {
                                       auto* dialog = qobject_cast<HiScoresDialog*>(m);
                                       QVERIFY(dialog);
                                       QVERIFY(dialog->windowTitle().startsWith(
                                           QStringLiteral("Congratulations!")));
                                       QVERIFY(dialog->newScorePicture());
                                       QTableWidget* grid = dialog->grid();
                                       QCOMPARE(grid->currentRow(), 0);
                                       QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("Player 1"));
                                       QCOMPARE(grid->item(0, 2)->text(), QStringLiteral("500"));
                                       QCOMPARE(grid->item(0, 3)->text(), QStringLiteral("0:01:15"));
                                       QCOMPARE(grid->item(0, 6)->text(), QStringLiteral("4321"));
                                       // The entry that was first before is second now.
                                       QVERIFY(grid->item(1, 1)->text().startsWith(
                                           QStringLiteral("* ")));
                                       dialog->dontShowAgain();
                                   },
                                   [&](QWidget* m) {
                                       QVERIFY(BoxText(m).contains(
                                           QStringLiteral("will not open again")));
                                       Press(m, QMessageBox::Ok);
                                       QTimer::singleShot(0, [] {
                                           if (QWidget* left = QApplication::activeModalWidget())
                                               qobject_cast<QDialog*>(left)->accept();
                                       });
                                   }}));
        r.host.RecordGameResult(r.Won(500));
        QCOMPARE(GetSetting(r.ctx.settings, field::kConfirmEnterHiScores), std::string("N"));
        QCOMPARE(ReadPreference(r.ctx, "ConfirmEnterHiScores", "Y"), std::string("N"));

        // Switched off: the next best score goes in without the dialog.
        bool opened = false;
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened = true;
                modal->close();
            }
        });
        guard.start(2000);
        r.host.RecordGameResult(r.Won(600));
        QVERIFY(!opened);
        QCOMPARE(ReadHiScores(r.ctx, ScoreTableKind::Game, 0, "01").front().score, 600);

        // F9 shows the table of the game on the table; another game shows its own.
        expect_.push_back(OnModals({[&](QWidget* m) {
            auto* dialog = qobject_cast<HiScoresDialog*>(m);
            QVERIFY(dialog);
            QVERIFY(!dialog->newScorePicture());
            QCOMPARE(dialog->grid()->item(0, 2)->text(), QStringLiteral("600"));
            QCOMPARE(dialog->grid()->item(1, 2)->text(), QStringLiteral("500"));
            dialog->showGame(1);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Hi-Scores [FreeCell]"));
            QVERIFY(dialog->grid()->item(0, 1)->text().startsWith(QStringLiteral("* ")));
            dialog->accept();
        }}));
        r.window.actions().hiScores->trigger();
    }

    void aLostDealFromTheLogIsPlayedAgainFromTheStatisticsMenu() {
        Records r;
        QVERIFY(r.shown);
        SetSetting(r.ctx.settings, field::kConfirmQuitGame, "N");
        Host::GameResult lost = r.Won(0);
        lost.game = 1;
        lost.deal = "77";
        lost.won = false;
        RecordEndedGame(r.ctx, lost);
        // F4, then its "Log..." button, then the log's one row played again: both views close.
        expect_.push_back(OnModals({[&](QWidget* m) {
                                       QVERIFY(qobject_cast<GameStatisticsView*>(m));
                                       QPushButton* log = nullptr;
                                       for (QPushButton* b : m->findChildren<QPushButton*>())
                                           if (b->text().contains(QStringLiteral("Log")))
                                               log = b;
                                       QVERIFY(log);
                                       Click(log);
                                   },
                                   [&](QWidget* m) {
                                       QVERIFY(qobject_cast<LogStatisticsView*>(m));
                                       auto* grid = m->findChild<QTableWidget*>();
                                       QCOMPARE(grid->rowCount(), 1);
                                       grid->selectRow(0);
                                       Click(ButtonOf(m, QStringLiteral("Play the &selected game")));
                                   }}));
        r.window.actions().gameStatistics->trigger();
        QVERIFY(!QApplication::activeModalWidget());
        // The deal starts once the views are gone.
        QTRY_COMPARE(GetSetting(r.ctx.settings, field::kGameNumber), std::string("0001"));
        QVERIFY(GetSetting(r.ctx.settings, field::kDealNumber).ends_with("77"));
        QVERIFY(r.ctx.flags[GameStateFlags::kInPlay]);
    }

    void theBrowsersStatisticsShowTheSelectedGameForThePlayerOfItsBox() {
        Records r;
        QVERIFY(r.shown);
        expect_.push_back(OnModals({[&](QWidget* m) {
                                       auto* browser = qobject_cast<GameBrowser*>(m);
                                       QVERIFY(browser);
                                       auto* players = browser->findChild<QComboBox*>();
                                       players->setCurrentText(QStringLiteral("Player 2"));
                                       QVERIFY(browser->statisticsButton()->isEnabled());
                                       Click(browser->statisticsButton());
                                       browser->reject();
                                   },
                                   [&](QWidget* m) {
                                       auto* view = qobject_cast<GameStatisticsView*>(m);
                                       QVERIFY(view);
                                       QCOMPARE(view->game(), 0);
                                       QCOMPARE(view->player(), std::string("Player 2"));
                                       view->reject();
                                   }}));
        r.window.openGameBrowser();
        // Looking changed nothing: the same player plays on.
        QCOMPARE(CurrentPlayer(r.ctx), std::string("Player 1"));
    }

    void playersAreAddedRenamedAndChosenWithTheirRefusals() {
        Records r;
        QVERIFY(r.shown);
        SetSetting(r.ctx.settings, field::kConfirmQuitGame, "N");
        // A game of Player 2, to follow the renaming.
        Host::GameResult theirs = r.Won(0);
        theirs.player = "Player 2";
        RecordEndedGame(r.ctx, theirs);

        QPointer<PlayersDialog> players;
        QPointer<PlayerNameDialog> naming;
        expect_.push_back(OnModals({
            [&](QWidget* m) {
                players = qobject_cast<PlayersDialog*>(m);
                QVERIFY(players);
                QCOMPARE(players->list()->currentItem()->text(), QStringLiteral("Player 1"));
                Click(players->newButton());
            },
            [&](QWidget* m) {
                naming = qobject_cast<PlayerNameDialog*>(m);
                QVERIFY(naming);
                QCOMPARE(naming->windowTitle(), QStringLiteral("Add a player"));
                Name(m, QString());
            },
            [&](QWidget* m) {
                QCOMPARE(BoxText(m), QStringLiteral("Please enter at least 1 character."));
                Press(m, QMessageBox::Ok);
                QTimer::singleShot(0, [&] { Name(naming, QStringLiteral(" Player 3 ")); });
            },
            [&](QWidget* m) {
                QCOMPARE(BoxText(m), QStringLiteral("This player name already exists."));
                Press(m, QMessageBox::Ok);
                QTimer::singleShot(0, [&] { Name(naming, QStringLiteral("Ann")); });
            },
        }));
        expect_.back()->push_back([&](QWidget* m) {
            // The name dialog of Edit.
            auto* dialog = qobject_cast<PlayerNameDialog*>(m);
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Edit a player"));
            QCOMPARE(dialog->nameEdit()->text(), QStringLiteral("Player 2"));
            Name(m, QStringLiteral("Bea"));
            QTimer::singleShot(0, [&] {
                SelectRow(players, QStringLiteral("Player 1"));
                Click(players->deleteButton());
            });
        });
        expect_.back()->push_back([&](QWidget* m) {
            QCOMPARE(BoxText(m), QStringLiteral("It is impossible to delete the selected player."));
            Press(m, QMessageBox::Ok);
            QTimer::singleShot(0, [&] {
                SelectRow(players, QStringLiteral("Bea"));
                Click(players->selectButton());
            });
        });
        expect_.back()->push_back([&](QWidget* m) {
            QCOMPARE(BoxText(m), QStringLiteral("Start a new game for player Bea?"));
            Press(m, QMessageBox::Yes);
        });
        // The new player starts with the game browser, closed here.
        expect_.back()->push_back([&](QWidget* m) { qobject_cast<QDialog*>(m)->reject(); });
        // Between the refusals and Edit, Ann is in the list and Player 2 is chosen.
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            if (!players || naming || players != QApplication::activeModalWidget()) return;
            if (players->list()->findItems(QStringLiteral("Ann"), Qt::MatchExactly).isEmpty())
                return;
            watch.stop();
            SelectRow(players, QStringLiteral("Player 2"));
            Click(players->editButton());
        });
        watch.start(10);
        r.window.actions().players->trigger();

        QCOMPARE(CurrentPlayer(r.ctx), std::string("Bea"));
        QVERIFY(r.window.windowTitle().contains(QStringLiteral("[Bea]")));
        const std::vector<std::string> stored = StoredPlayers(r.ctx);
        QVERIFY(std::ranges::find(stored, "Ann") != stored.end());
        QVERIFY(std::ranges::find(stored, "Player 2") == stored.end());
        // Bea's figures are Player 2's; the game Player 1 was playing ended as theirs.
        QCOMPARE(ReadStatistics(r.ctx, 0, "Bea").record.won, 1);
        QCOMPARE(ReadStatistics(r.ctx, 0, "Player 1").record.lost, 1);
        QVERIFY(!r.ctx.flags[GameStateFlags::kInPlay]);
    }
};

} // namespace quendra

QTEST_MAIN(quendra::RecordsTest)
#include "records_test.moc"
