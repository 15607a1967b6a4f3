#include "game_context.h"
#include "hiscores.h"
#include "hiscores_dialog.h"
#include "main_menus.h"
#include "main_window.h"
#include "new_game.h"
#include "series.h"
#include "record_file.h"
#include "file_rewrite.h"
#include "series_dialogs.h"
#include "settings.h"
#include "ui_fixture.h"

#include <QLabel>
#include <QMenu>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <QtTest/QtTest>

namespace quendra {

namespace {

using test::Acts;
using test::OnModals;
using test::Press;

struct SeriesWindow : test::HostedWindow {
    explicit SeriesWindow(const QString& folder = {}) : test::HostedWindow(folder) {
        if (!shown) return;
        SetSetting(ctx.settings, field::kCardsAnimate, "N");
        SetSetting(ctx.settings, field::kSoundsEnabled, "N");
    }
};

QString BoxText(QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    return box ? box->text() : QString();
}

// The message box says `text`; OK closes it.
std::function<void(QWidget*)> Told(const QString& text) {
    return [text](QWidget* m) {
        QCOMPARE(BoxText(m), text);
        Press(m, QMessageBox::Ok);
    };
}

} // namespace

class SeriesTest : public QObject {
    Q_OBJECT
    std::vector<Acts> expect_;

  private slots:
    void cleanup() { test::VerifyAllOpened(expect_); }

    void theManagerRefusesBadSeriesThenSavesAndPlaysTheNewOne() {
        SeriesWindow w;
        QVERIFY(w.shown);
        QVERIFY(w.window.actions().seriesMenu->menuAction()->isVisible());
        QVERIFY(w.window.actions().seriesManager->isEnabled());
        QVERIFY(!w.window.actions().quitSeries->isEnabled());

        SeriesManagerDialog manager(w.ctx, &w.window);
        // The built-in series are there, the first one this catalogue plays chosen.
        QVERIFY(manager.selectedSeries() > 0);
        QVERIFY(SeriesPlayable(w.ctx, manager.selectedSeries()));
        manager.selectSeries(5);
        QCOMPARE(manager.selectedSeries(), 5);

        SeriesEditDialog* edit = nullptr;
        expect_.push_back(OnModals({
            [&](QWidget* m) {
                edit = qobject_cast<SeriesEditDialog*>(m);
                QVERIFY(edit);
                QCOMPARE(edit->windowTitle(), QStringLiteral("New Series"));
                edit->save();
            },
            Told(QStringLiteral("Please enter at least 1 character.")),
        }));
        // The edit dialog stays open after each refusal: the steps below run in it.
        QTimer script;
        int step = 0;
        connect(&script, &QTimer::timeout, [&] {
            if (!edit || QApplication::activeModalWidget() != edit) return;
            switch (step++) {
            case 0:
                edit->nameEdit()->setText(QStringLiteral("Mine"));
                expect_.push_back(OnModals({Told(QStringLiteral("You haven't selected any game."))}));
                edit->save();
                break;
            case 1: {
                // Klondike and FreeCell, in that order.
                for (int row = 0; row < edit->catalogue()->count(); ++row) {
                    const int game = edit->catalogue()->item(row)->data(Qt::UserRole).toInt();
                    if (game == 0 || game == 1) edit->catalogue()->item(row)->setSelected(true);
                }
                edit->addSelected();
                QCOMPARE(edit->chosen()->count(), 2);
                if (edit->chosen()->item(0)->data(Qt::UserRole).toInt() != 0) {
                    edit->chosen()->setCurrentRow(1);
                    edit->moveSelected(-1);
                }
                edit->nameEdit()->setText(QStringLiteral("klondike VARIATIONS"));
                expect_.push_back(OnModals({Told(QStringLiteral("This Series name already exists."))}));
                edit->save();
                break;
            }
            case 2:
                edit->nameEdit()->setText(QStringLiteral("Mine"));
                script.stop();
                edit->save();
                break;
            }
        });
        script.start(20);
        manager.newSeries();
        QCOMPARE(manager.selectedSeries(), 5000);
        QCOMPARE(SeriesGames(w.ctx, 5000), (std::vector<int>{0, 1}));

        // Play: the first game starts for the player chosen, the panel shows 1/2.
        manager.play();
        QCOMPARE(manager.chosenSeries(), 5000);
        QVERIFY(w.window.StartSeriesGames(5000, manager.chosenPlayer()));
        QVERIFY(w.window.series());
        QCOMPARE(GetSetting(w.ctx.settings, field::kGameNumber), std::string("0000"));
        QVERIFY(w.window.seriesPanel()->isVisible());
        QCOMPARE(w.window.seriesPanel()->counter()->text(), QStringLiteral("1/2  "));
        QVERIFY(w.window.actions().nextSeriesGame->isEnabled());
        QVERIFY(!w.window.actions().restartGame->isEnabled());
        QCOMPARE(CurrentSeries(w.ctx), 5000);

        // "Next game" gives up Klondike (asked as outside a series) and starts FreeCell.
        SetSetting(w.ctx.settings, field::kConfirmQuitGame, "Y");
        expect_.push_back(OnModals({[](QWidget* m) {
            QCOMPARE(BoxText(m), QStringLiteral("Quit this game?"));
            Press(m, QMessageBox::Ok);
        }}));
        w.window.actions().nextSeriesGame->trigger();
        QCOMPARE(GetSetting(w.ctx.settings, field::kGameNumber), std::string("0001"));
        QCOMPARE(w.window.series()->played, 2);
        // The last game: nothing after it while it is in play.
        QVERIFY(!w.window.actions().nextSeriesGame->isEnabled());

        // Leaving the game some other way asks the series; Cancel keeps everything.
        expect_.push_back(OnModals({[](QWidget* m) {
            auto* dialog = qobject_cast<SeriesInProgressDialog*>(m);
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Series in progress: Mine"));
            QVERIFY(!dialog->findChild<QPushButton*>(QStringLiteral("nextGame"))->isEnabled());
            dialog->reject();
        }}));
        QVERIFY(!ConfirmLeaveGame(w.ctx));
        QVERIFY(w.ctx.flags[GameStateFlags::kInPlay]);

        // The situation: two rows, the first lost, the second in play.
        expect_.push_back(OnModals({[](QWidget* m) {
            auto* dialog = qobject_cast<SeriesSituationDialog*>(m);
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Series situation: Mine"));
            QCOMPARE(dialog->grid()->rowCount(), 2);
            QCOMPARE(dialog->grid()->item(0, 1)->text(), QStringLiteral("Klondike"));
            QCOMPARE(dialog->grid()->item(0, 5)->text(), QStringLiteral("Lost"));
            QVERIFY(!dialog->grid()->item(1, 5));
            QCOMPARE(dialog->okButton()->text(), QStringLiteral("OK"));
            dialog->accept();
        }}));
        w.window.actions().seriesSituation->trigger();

        // Quit Series: asked, then the totals make the series table (emptied, so that any
        // score makes it).
        QVERIFY(ReplaceFileContent(w.host, DataFilePath(w.ctx, kSeriesScoresFile),
                                   "[Version]\r\nVersion=0300\r\n\r\n[Clear scores]\r\n"
                                   "Cleared=Y\r\n"));
        expect_.push_back(OnModals({
            [](QWidget* m) {
                QCOMPARE(BoxText(m), QStringLiteral("Quit this Series?"));
                Press(m, QMessageBox::Ok);
            },
            [](QWidget* m) {
                auto* dialog = qobject_cast<HiScoresDialog*>(m);
                QVERIFY(dialog);
                QCOMPARE(dialog->windowTitle(),
                         QStringLiteral("Your score has made the Mine Series Hi-Scores list!"));
                QCOMPARE(dialog->grid()->horizontalHeaderItem(3)->text(), QStringLiteral("Max"));
                dialog->accept();
            },
        }));
        w.window.actions().quitSeries->trigger();
        QVERIFY(!w.window.series());
        QVERIFY(!w.window.seriesPanel()->isVisible());
        QVERIFY(!w.window.actions().quitSeries->isEnabled());
        QVERIFY(w.window.actions().restartGame->isEnabled());
        QCOMPARE(CurrentSeries(w.ctx), -1);
        bool entered = false;
        for (const HiScoreEntry& e : ReadHiScores(w.ctx, ScoreTableKind::Series, 5000, "01", 2))
            entered = entered || (!e.empty && e.player == "Player 1" && !e.won);
        QVERIFY(entered);
    }

    void aWonSeriesGameShowsTheSituationAndGoesOnToTheNextGame() {
        SeriesWindow w;
        QVERIFY(w.shown);
        QVERIFY(w.window.StartSeriesGames(6, "Player 1"));
        QCOMPARE(GetSetting(w.ctx.settings, field::kGameNumber), std::string("0001"));
        // The game ends won, as the end of a game reports it; the situation follows the
        // winning animation and offers the next game.
        Host::GameResult won;
        won.game = 1;
        won.player = "Player 1";
        won.won = true;
        won.score = 52;
        won.seconds = 90;
        won.endTime = 1'700'000'000;
        SetSetting(w.ctx.settings, field::kConfirmEnterHiScores, "N");
        w.host.RecordGameResult(won);
        w.ctx.flags[GameStateFlags::kInPlay] = 0;
        QCOMPARE(w.window.series()->played, 2);
        expect_.push_back(OnModals({[](QWidget* m) {
            auto* dialog = qobject_cast<SeriesSituationDialog*>(m);
            QVERIFY(dialog);
            QCOMPARE(dialog->okButton()->text(), QStringLiteral("&Next game"));
            QCOMPARE(dialog->grid()->item(0, 2)->text(), QStringLiteral("52"));
            QCOMPARE(dialog->grid()->item(0, 5)->text(), QStringLiteral("Won"));
            dialog->reject();
        }}));
        w.window.ShowGameWon();
        // After a win the next game starts whatever button closed the situation.
        QCOMPARE(GetSetting(w.ctx.settings, field::kGameNumber), std::string("0028"));
        QVERIFY(w.ctx.flags[GameStateFlags::kInPlay]);
        QCOMPARE(w.window.seriesPanel()->counter()->text(), QStringLiteral("2/3  "));
        const SeriesInProgressRead read = ReadSeriesInProgress(w.ctx);
        QVERIFY(read.series);
        QVERIFY(read.series->results[0] && read.series->results[0]->won);

        // The two other games won too: after the last one the series ends, its score makes
        // the series table and the manager opens.
        for (const int game : {28, 30}) {
            won.game = game;
            w.host.RecordGameResult(won);
            w.ctx.flags[GameStateFlags::kInPlay] = 0;
            if (game == 30) SetSetting(w.ctx.settings, field::kConfirmEnterHiScores, "Y");
            expect_.push_back(OnModals({[](QWidget* m) {
                QVERIFY(qobject_cast<SeriesSituationDialog*>(m));
                qobject_cast<QDialog*>(m)->accept();
            }}));
            if (game == 30)
                expect_.back()->insert(expect_.back()->end(),
                                       {[](QWidget* m) {
                                            auto* dialog = qobject_cast<HiScoresDialog*>(m);
                                            QVERIFY(dialog);
                                            QCOMPARE(dialog->windowTitle(),
                                                     QStringLiteral("Your score has made the "
                                                                    "Freecell variations Series "
                                                                    "Hi-Scores list!"));
                                            QCOMPARE(dialog->grid()->item(0, 2)->text(),
                                                     QStringLiteral("156"));
                                            QCOMPARE(dialog->grid()->item(0, 5)->text(),
                                                     QStringLiteral("Won"));
                                            dialog->accept();
                                        },
                                        [](QWidget* m) {
                                            QVERIFY(qobject_cast<SeriesManagerDialog*>(m));
                                            qobject_cast<QDialog*>(m)->reject();
                                        }});
            w.window.ShowGameWon();
        }
        QVERIFY(!w.window.series());
        QCOMPARE(CurrentSeries(w.ctx), -1);
    }

    void aHeldSeriesGameResumesItsSeriesAtTheNextStart() {
        QTemporaryDir folder;
        {
            SeriesWindow w(folder.path());
            QVERIFY(w.shown);
            QVERIFY(w.window.StartSeriesGames(6, "Player 1"));
            SetSetting(w.ctx.settings, field::kConfirmQuitGame, "N");
            w.window.NextSeriesGame(true);
            QCOMPARE(w.window.series()->played, 2);
            w.window.HoldAndExit();
            QVERIFY(!w.window.isVisible());
        }
        SeriesWindow again(folder.path());
        QVERIFY(again.shown);
        QTRY_VERIFY(again.window.series());
        QCOMPARE(again.window.series()->played, 2);
        QCOMPARE(GetSetting(again.ctx.settings, field::kGameNumber), std::string("0028"));
        QVERIFY(again.window.seriesPanel()->isVisible());
        QCOMPARE(again.window.seriesPanel()->counter()->text(), QStringLiteral("2/3  "));
        QVERIFY(again.window.actions().quitSeries->isEnabled());
    }

    void aDamagedSeriesFileIsToldAndTheBuiltInSeriesStillPlay() {
        SeriesWindow w;
        QVERIFY(w.shown);
        QVERIFY(ReplaceFileContent(w.host, DataFilePath(w.ctx, kSeriesFile),
                                   "[R-0530]\r\n5000Mine\r\n\r\n0000xx\r\n"));
        expect_.push_back(OnModals({[](QWidget* m) {
            QVERIFY(BoxText(m).startsWith(QStringLiteral("The Series file is damaged")));
            Press(m, QMessageBox::Ok);
        }}));
        SeriesManagerDialog manager(w.ctx, &w.window);
        manager.selectSeries(5000);
        QVERIFY(manager.selectedSeries() > 0 && manager.selectedSeries() < kFirstUserSeries);
        QVERIFY(w.window.StartSeriesGames(6, "Player 1"));
        QCOMPARE(GetSetting(w.ctx.settings, field::kGameNumber), std::string("0001"));
        QCOMPARE(w.window.seriesPanel()->windowTitle(), QStringLiteral("Series: Freecell variations"));
    }
};

} // namespace quendra

QTEST_MAIN(quendra::SeriesTest)
#include "series_test.moc"
