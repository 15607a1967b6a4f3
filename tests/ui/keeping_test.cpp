#include "autoplay.h"
#include "favourites.h"
#include "game_context.h"
#include "game_won_dialog.h"
#include "held_games.h"
#include "keeping_dialogs.h"
#include "main_menus.h"
#include "main_window.h"
#include "new_game.h"
#include "settings.h"
#include "statistics.h"
#include "table_play.h"
#include "table_text.h"
#include "table_view.h"
#include "ui_fixture.h"

#include <deque>
#include <functional>

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest/QtTest>

namespace quendra {

namespace {

using test::Acts;
using test::OnModals;
using test::Press;

// The table as text: every pile in use with its cards, face-down ones marked.
std::string TableText(const GameContext& ctx) {
    std::string text;
    for (const PileRef pile : UsedPiles(ctx))
        text += PileName(pile) + ": " + PileCardsText(ctx, pile) + "\n";
    return text;
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Puts the file's name into the dialog and presses Return (typed, the name would open the
// completer's list, which takes the Return).
void ChooseFile(QWidget* modal, const QString& path) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    QVERIFY(dialog);
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(name);
    name->setText(path);
    QTest::keyClick(name, Qt::Key_Return);
}


// A shown window with its own host playing Klondike, cards jumping rather than flying.
struct Keeping : test::HostedWindow {
    // In `folder` when given; `deal` false leaves the table to what the start-up brings.
    explicit Keeping(const QString& folder = {}, bool deal = true) : HostedWindow(folder) {
        if (!shown) return;
        SetSetting(ctx.settings, field::kCardsAnimate, "N");
        SetSetting(ctx.settings, field::kSoundsEnabled, "N");
        if (!deal) return;
        SetSetting(ctx.settings, field::kDealNumber, "4321");
        ctx.play.autoplayTicked = false;
        SelectAndStartGame(ctx, 0, "Klondike", "Player 1", kKeepDealNumber, false);
        window.layoutTable();
    }
    void ClickStock() {
        const QPoint at = window.tablePlay()->CardRectInView(pile::Stock(kMazzo)).center();
        QTest::mouseClick(window.table(), Qt::LeftButton, {}, at);
    }
    QString Data(const QString& name) const { return program.dir.filePath(name); }
};

} // namespace

class KeepingTest : public QObject {
    Q_OBJECT
    std::vector<Acts> expect_;

  private slots:
    // Every window a test waited for did open.
    void cleanup() { test::VerifyAllOpened(expect_); }

    void saveAsksBeforeReplacingAndOpenBringsTheGameBackWithItsMoves() {
        Keeping k;
        QVERIFY(k.shown);
        k.ClickStock();
        const std::string dealt = TableText(k.ctx);
        k.ClickStock();
        const std::string played = TableText(k.ctx);
        const QString path = k.Data(QStringLiteral("mine.gam"));
        expect_.push_back(OnModals({[&](QWidget* m) { ChooseFile(m, path); }}));
        k.window.actions().save->trigger();
        const QByteArray first = FileBytes(path);
        QVERIFY(first.startsWith("[S-0530]"));

        // The same name again: No shows the dialog again, whose Cancel keeps the old file.
        k.ClickStock();
        expect_.push_back(OnModals({[&](QWidget* m) { ChooseFile(m, path); },
                  [&](QWidget* m) { Press(m, QMessageBox::No); },
                  [&](QWidget* m) { qobject_cast<QDialog*>(m)->reject(); }}));
        k.window.actions().save->trigger();
        QCOMPARE(FileBytes(path), first);

        // The saved game opened from the browser: the player is asked to leave the game in
        // progress, and the saved one comes back with its undo history.
        SetSetting(k.ctx.settings, field::kConfirmQuitGame, "Y");
        expect_.push_back(OnModals({[&](QWidget* m) {
                      for (QPushButton* button : m->findChildren<QPushButton*>())
                          if (button->text() == QStringLiteral("Open a sa&ved game..."))
                              QTest::mouseClick(button, Qt::LeftButton);
                  },
                  [&](QWidget* m) { ChooseFile(m, path); },
                  [&](QWidget* m) { Press(m, QMessageBox::Ok); }}));
        k.window.openGameBrowser();
        QCOMPARE(TableText(k.ctx), played);
        QVERIFY(k.ctx.flags[GameStateFlags::kInPlay]);
        k.window.actions().undo->trigger();
        QCOMPARE(TableText(k.ctx), dealt);
    }

    void heldAtExitTheGameComesBackAtTheNextStart() {
        QTemporaryDir folder;
        const QString heldFile = folder.filePath(QStringLiteral("DATA/Stat_e01.dat"));
        std::string held;
        {
            Keeping k(folder.path());
            QVERIFY(k.shown);
            k.ClickStock();
            held = TableText(k.ctx);
            k.window.HoldAndExit();
            QVERIFY(!k.window.isVisible());
        }
        QVERIFY(QFileInfo::exists(heldFile));
        // The next start finds it at its first activation, before any browser.
        Keeping next(folder.path(), false);
        QVERIFY(next.shown);
        QTRY_VERIFY(next.ctx.flags[GameStateFlags::kInPlay]);
        QCOMPARE(TableText(next.ctx), held);
        // Read and on the table: the held file is gone.
        QVERIFY(!QFileInfo::exists(heldFile));
    }

    void theHoldQuestionMayKeepTheWindowOpen() {
        Keeping k;
        QVERIFY(k.shown);
        WriteSettingString(k.ctx, "Preference", "ConfirmSaveAndExit", "Y");
        k.ClickStock();
        expect_.push_back(OnModals({[&](QWidget* m) {
            auto* dialog = qobject_cast<HoldDialog*>(m);
            QVERIFY(dialog);
            for (QPushButton* button : dialog->findChildren<QPushButton*>())
                if (button->text() == QStringLiteral("Cancel"))
                    QTest::mouseClick(button, Qt::LeftButton);
        }}));
        QVERIFY(!k.window.close());
        QVERIFY(k.ctx.flags[GameStateFlags::kInPlay]);
        expect_.push_back(OnModals({[&](QWidget* m) {
            QTest::mouseClick(qobject_cast<HoldDialog*>(m)->holdButton(), Qt::LeftButton);
        }}));
        QVERIFY(k.window.close());
        QVERIFY(QFileInfo::exists(k.Data(QStringLiteral("DATA/Stat_e01.dat"))));
    }

    void restartPutsBackTheDealAndABookmarkItsPosition() {
        Keeping k;
        QVERIFY(k.shown);
        const std::string dealt = TableText(k.ctx);
        k.ClickStock();
        QVERIFY(!k.window.actions().goToBookmark->isEnabled());
        expect_.push_back(OnModals({[&](QWidget* m) { Press(m, QMessageBox::Ok); }}));
        k.window.actions().insertBookmark->trigger();
        QVERIFY(k.window.actions().goToBookmark->isEnabled());
        const std::string marked = TableText(k.ctx);
        k.ClickStock();
        k.ClickStock();
        expect_.push_back(OnModals({[&](QWidget* m) { Press(m, QMessageBox::Ok); }}));
        k.window.actions().goToBookmark->trigger();
        QCOMPARE(TableText(k.ctx), marked);

        // Cancel keeps the game; OK deals nothing new and puts the first table back.
        expect_.push_back(OnModals({[&](QWidget* m) { Press(m, QMessageBox::Cancel); }}));
        k.window.actions().restartGame->trigger();
        QCOMPARE(TableText(k.ctx), marked);
        expect_.push_back(OnModals({[&](QWidget* m) { Press(m, QMessageBox::Ok); }}));
        k.window.actions().restartGame->trigger();
        QCOMPARE(TableText(k.ctx), dealt);
        QVERIFY(k.ctx.flags[GameStateFlags::kInPlay]);
        QVERIFY(!k.window.actions().undo->isEnabled());
    }

    void aGameGivenUpInTheWindowIsRecordedButAHeldOneIsNot() {
        Keeping k;
        QVERIFY(k.shown);
        k.ClickStock();
        k.window.HoldAndExit();
        QCOMPARE(ReadStatistics(k.ctx, 0, "Player 1").record.Played(), 0);
        QVERIFY(ReadLog(k.ctx).entries.empty());

        Keeping again(QString::fromStdString(k.ctx.ProgramDir()));
        QVERIFY(again.shown);
        SetSetting(again.ctx.settings, field::kConfirmQuitGame, "N");
        again.window.actions().quitGame->trigger();
        const GameStatistics klondike = ReadStatistics(again.ctx, 0, "Player 1");
        QCOMPARE(klondike.record.lost, 1);
        QCOMPARE(klondike.record.won, 0);
        const LogContents log = ReadLog(again.ctx);
        QCOMPARE(log.entries.size(), std::size_t(1));
        QVERIFY(!log.entries.front().won);
    }

    void gameWonShowsThePlayersFiguresAndDealsTheNextGame() {
        Keeping k;
        QVERIFY(k.shown);
        Host::GameResult result;
        result.game = 0;
        result.deal = "4321";
        result.player = "Player 1";
        result.endTime = 1'700'000'000;
        for (const bool won : {true, false, true}) {
            result.won = won;
            k.window.GameEnded(result);
        }
        fnEndGame(k.ctx);
        const std::string deal = GetSetting(k.ctx.settings, field::kDealNumber);
        expect_.push_back(OnModals({[&](QWidget* m) {
            auto* dialog = qobject_cast<GameWonDialog*>(m);
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Game won"));
            QCOMPARE(dialog->figure(QStringLiteral("total")), QStringLiteral("4"));
            QVERIFY(dialog->figure(QStringLiteral("won")).startsWith(QStringLiteral("2 (")));
            QTest::mouseClick(dialog->button(GameWonDialog::Next::NewGame), Qt::LeftButton);
        }}));
        k.window.ShowGameWon();
        QVERIFY(k.ctx.flags[GameStateFlags::kInPlay]);
        QVERIFY(GetSetting(k.ctx.settings, field::kDealNumber) != deal);
    }

    void favouritesChosenInTheirDialogFillTheMenuAndStartTheirGame() {
        Keeping k;
        QVERIFY(k.shown);
        // None yet: the random favourite offers the dialog, declined here.
        expect_.push_back(OnModals({[&](QWidget* m) { Press(m, QMessageBox::No); }}));
        k.window.actions().randomFavourite->trigger();
        QVERIFY(!k.window.actions().favouriteGames->menuAction()->isVisible());

        expect_.push_back(OnModals({[&](QWidget* m) {
            auto* dialog = qobject_cast<FavouritesDialog*>(m);
            QVERIFY(dialog);
            const auto spider =
                dialog->gamesList()->findItems(QStringLiteral("Spider"), Qt::MatchExactly);
            QCOMPARE(spider.size(), 1);
            dialog->gamesList()->setCurrentItem(spider.first());
            QTest::mouseClick(dialog->addButton(), Qt::LeftButton);
            QCOMPARE(dialog->favouritesList()->count(), 1);
            QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                              Qt::LeftButton);
        }}));
        k.window.actions().favouritesDialog->trigger();
        QCOMPARE(FavouriteNames(k.ctx), std::vector<std::string>{"Spider"});
        QMenu* menu = k.window.actions().favouriteGames;
        QVERIFY(menu->menuAction()->isVisible());
        QCOMPARE(menu->actions().size(), 1);
        // Its entry, and the random favourite, start Spider after the player agrees.
        expect_.push_back(OnModals({[&](QWidget* m) { Press(m, QMessageBox::Ok); }}));
        menu->actions().first()->trigger();
        QCOMPARE(GetSetting(k.ctx.settings, field::kGameName), std::string("Spider"));
        QVERIFY(k.ctx.flags[GameStateFlags::kInPlay]);
        // A game started is the newest of the recent games, its deal the newest number.
        QCOMPARE(RecentGames(k.ctx).front(), 91);
        QCOMPARE(RecentDealNumbers(k.ctx).front(), GetSetting(k.ctx.settings, field::kDealNumber));
    }
};

} // namespace quendra

QTEST_MAIN(quendra::KeepingTest)
#include "keeping_test.moc"
