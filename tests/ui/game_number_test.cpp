#include "data_files.h"
#include "deal.h"
#include "fast_search_window.h"
#include "favourites.h"
#include "game_catalog.h"
#include "game_number.h"
#include "game_number_dialog.h"
#include "main_menus.h"
#include "players.h"
#include "settings.h"
#include "statistics.h"
#include "statistics_parts.h"
#include "ui_fixture.h"

#include <optional>

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest/QtTest>

namespace quendra {

namespace {

// Records ended games of the current player "Ann" in a program folder.
struct Ended {
    GameContext& ctx;
    std::int64_t clock = 1'700'000'000;
    explicit Ended(GameContext& context) : ctx(context) {
        SetSetting(ctx.settings, field::kStatsCode, "01");
        AddPlayer(ctx, "Ann");
        SetSetting(ctx.settings, field::kUserDefault, "Ann");
    }
    void End(bool won, int game, const std::string& deal) {
        clock += 100;
        RecordEndedGame(ctx, {.game = game,
                              .deal = deal,
                              .player = "Ann",
                              .won = won,
                              .score = won ? 10 : 0,
                              .seconds = 60,
                              .endTime = clock});
    }
};

struct Folder : test::Program {
    std::optional<Ended> ended;
    int other = -1;
    Folder() {
        EnsureDataDirectory(ctx.ProgramDir());
        LoadSettings(ctx);
        LoadGameList(ctx);
        SetSetting(ctx.settings, field::kGameNumber, "0");
        SetSetting(ctx.settings, field::kDealNumber, "0000000000777");
        ended.emplace(ctx);
        other = CatalogueGameNumbers(ctx).at(1);
    }
};

template <typename T> T* Child(const QWidget& parent, const char* name) {
    return parent.findChild<T*>(QString::fromUtf8(name));
}

void Play(GameNumberDialog& dialog) {
    QPushButton* play = Child<QPushButton>(dialog, "play");
    QVERIFY(play);
    play->click();
}

QStringList Column(const QTableWidget& grid, int column) {
    QStringList texts;
    for (int row = 0; row < grid.rowCount(); ++row)
        texts << (grid.item(row, column) ? grid.item(row, column)->text() : QString());
    return texts;
}

// Closes every modal dialog that opens while it lives (the hi-scores after a won game).
struct CloseModals {
    QTimer timer;
    CloseModals() {
        QObject::connect(&timer, &QTimer::timeout, [] {
            if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                modal->reject();
        });
        timer.start(10);
    }
};

} // namespace

class GameNumberTest : public QObject {
    Q_OBJECT
  private slots:
    void typedNumbersAreCheckedBeforeAnythingIsChosen() {
        Folder f;
        GameNumberDialog dialog(f.ctx, {});
        auto* number = Child<QComboBox>(dialog, "number");
        auto* games = Child<QComboBox>(dialog, "games");
        QVERIFY(number && games);
        // Preset to the current game and deal.
        QCOMPARE(games->currentData().toInt(), 0);
        QCOMPARE(number->currentText(), QStringLiteral("0000000000777"));

        number->setEditText(QStringLiteral("12a"));
        Play(dialog);
        QCOMPARE(f.host.informations.back(), std::string(kNumbersOnlyMessage));
        number->setEditText(QStringLiteral("12345678901234"));
        Play(dialog);
        QCOMPARE(f.host.informations.back(), std::string(kTooManyDigitsMessage));
        const std::size_t told = f.host.informations.size();
        number->setEditText(QStringLiteral("000"));
        Play(dialog);
        QCOMPARE(f.host.informations.size(), told); // nothing said, nothing chosen
        QCOMPARE(dialog.chosenGame(), -1);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));

        games->setCurrentIndex(games->findData(f.other));
        number->setEditText(QStringLiteral("4321"));
        Play(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.chosenGame(), f.other);
        QCOMPARE(dialog.chosenDeal(), std::string("0000000004321"));
    }

    void previousGamesShowTheNewestHundredAndPlayTheSelectedRow() {
        Folder f;
        {
            GameNumberDialog empty(f.ctx, {});
            Child<QTabWidget>(empty, "pages")->setCurrentIndex(1);
            Play(empty);
            QCOMPARE(f.host.informations.back(), std::string(kSelectCorrectNumberMessage));
            QCOMPARE(empty.chosenGame(), -1);
        }
        for (int i = 1; i <= 104; ++i)
            f.ended->End(i % 2 == 0, i == 103 ? f.other : 0, std::to_string(i));
        GameNumberDialog dialog(f.ctx, {});
        Child<QTabWidget>(dialog, "pages")->setCurrentIndex(1);
        auto* grid = Child<QTableWidget>(dialog, "previous");
        QCOMPARE(grid->rowCount(), 100);
        QCOMPARE(Column(*grid, 0).first(), QStringLiteral("104"));
        QCOMPARE(Column(*grid, 0).last(), QStringLiteral("5"));
        QCOMPARE(Column(*grid, 2).mid(0, 2), (QStringList{"Won", "Lost"}));
        QCOMPARE(Column(*grid, 1).at(1), QString::fromStdString(GameName(f.ctx, f.other)));
        QVERIFY(!Column(*grid, 3).first().isEmpty());
        grid->selectRow(1);
        Play(dialog);
        QCOMPARE(dialog.chosenGame(), f.other);
        QCOMPARE(dialog.chosenDeal(), std::string("0000000000103"));
    }

    void lostGamesListDealsNeverWonOfTheChosenGame() {
        Folder f;
        for (int i = 0; i < 3; ++i)
            f.ended->End(false, 0, "111");
        f.ended->End(true, 0, "111");
        f.ended->End(false, 0, "222");
        f.ended->End(false, 0, "222");
        f.ended->End(false, f.other, "333");
        GameNumberDialog dialog(f.ctx, {});
        auto* pages = Child<QTabWidget>(dialog, "pages");
        pages->setCurrentIndex(2);
        auto* grid = Child<QTableWidget>(dialog, "lost");
        QCOMPARE(Column(*grid, 0), QStringList{QStringLiteral("0000000000222")});
        QCOMPARE(Column(*grid, 1), QStringList{QStringLiteral("Lost")});
        auto* games = Child<QComboBox>(dialog, "lostGames");
        games->setCurrentIndex(games->findData(f.other));
        QCOMPARE(Column(*grid, 0), QStringList{QStringLiteral("0000000000333")});
        grid->clearSelection();
        Play(dialog);
        QCOMPARE(f.host.informations.back(), std::string(kSelectCorrectNumberMessage));
        grid->selectRow(0);
        Play(dialog);
        QCOMPARE(dialog.chosenGame(), f.other);
        QCOMPARE(dialog.chosenDeal(), std::string("0000000000333"));
    }

    void aDealStartedFromTheLogViewClosesTheDialog() {
        Folder f;
        f.ended->End(false, f.other, "4242");
        StatisticsLinks links;
        std::pair<int, std::string> played{-1, {}};
        links.playDeal = [&played](int game, const std::string& deal) {
            played = {game, deal};
            return true;
        };
        GameNumberDialog dialog(f.ctx, links);
        test::WhenModal([](QWidget* view) {
            auto* grid = view->findChild<QTableWidget*>(QStringLiteral("grid"));
            QVERIFY(grid && grid->rowCount() == 1);
            grid->selectRow(0);
            for (QPushButton* button : view->findChildren<QPushButton*>())
                if (button->text() == QStringLiteral("Play the &selected game")) button->click();
        });
        Child<QPushButton>(dialog, "log")->click();
        QCOMPARE(played.first, f.other);
        QCOMPARE(played.second, std::string("4242"));
        QVERIFY(dialog.startedFromLog());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dialog.chosenGame(), -1);
    }

    void theMenuCommandStartsTheChosenDeal() {
        test::HostedWindow w;
        QVERIFY(w.shown);
        QAction* command = w.window.actions().gameNumber;
        QVERIFY(command->isEnabled());
        QCOMPARE(command->shortcut(), QKeySequence(Qt::Key_F3));
        const int other = CatalogueGameNumbers(w.ctx).at(1);
        test::WhenModal([other](QWidget* modal) {
            auto* games = Child<QComboBox>(*modal, "games");
            games->setCurrentIndex(games->findData(other));
            Child<QComboBox>(*modal, "number")->setEditText(QStringLiteral("98765"));
            Child<QPushButton>(*modal, "play")->click();
        });
        command->trigger();
        QCOMPARE(CurrentGameNumber(w.ctx), other);
        QCOMPARE(DealDigits(w.ctx), std::string("0000000098765"));
        QVERIFY(w.ctx.flags[GameStateFlags::kInPlay]);
        QCOMPARE(RecentDealNumbers(w.ctx).front(), std::string("0000000098765"));
    }

    void fastSearchListsStartsAndKeepsItsKind() {
        QTemporaryDir dir;
        const int won = 0;
        {
            test::HostedWindow w(dir.path());
            QVERIFY(w.shown);
            QVERIFY(w.window.actions().fastSearch->isEnabled());
            w.window.actions().fastSearch->trigger();
            FastSearchWindow* search = w.window.fastSearch();
            QVERIFY(search && search->isVisible());
            QVERIFY(QTest::qWaitForWindowExposed(search));
            QCOMPARE(search->listType(), FastSearchType::AllGames);
            QCOMPARE(search->windowTitle(), QStringLiteral("FastSearch [All games]"));
            QVERIFY(!search->list()->item(0)->icon().isNull());

            search->setListType(FastSearchType::NeverWon);
            const std::vector<int> before = search->listedGames();
            QVERIFY(std::ranges::find(before, won) != before.end());
            {
                CloseModals closer;
                w.window.GameEnded({.game = won,
                                    .deal = "5",
                                    .player = CurrentPlayer(w.ctx),
                                    .won = true,
                                    .score = 5,
                                    .seconds = 30,
                                    .endTime = 1'700'000'000});
            }
            const std::vector<int> after = search->listedGames();
            QCOMPARE(after.size(), before.size() - 1);
            QVERIFY(std::ranges::find(after, won) == after.end());

            // A double click starts the game and, not staying on top, hides the window. (A game
            // that wants a larger screen than the test's says so first: the notice is closed.)
            const int game = after.at(2);
            QListWidgetItem* item = search->list()->item(2);
            const QPoint at = search->list()->visualItemRect(item).center();
            {
                CloseModals closer;
                QTest::mouseClick(search->list()->viewport(), Qt::LeftButton, {}, at);
                QTest::mouseDClick(search->list()->viewport(), Qt::LeftButton, {}, at);
            }
            QCOMPARE(CurrentGameNumber(w.ctx), game);
            QVERIFY(!search->isVisible());

            // The favourites list follows the favourites dialog's changes while shown.
            search->showWindow();
            search->setListType(FastSearchType::Favourites);
            QVERIFY(search->listedGames().empty());
            WriteFavourites(w.ctx, {GameName(w.ctx, game)});
            search->favouritesChanged();
            QCOMPARE(search->listedGames(), std::vector<int>{game});

            search->setListType(FastSearchType::NeverWon);
            search->setStayOnTop(true);
            search->resize(300, 500);
            search->hide();
        }
        // After a restart the window shows the same kind, on top, at the same size.
        CloseModals notices; // the small screen's notice of some games
        test::HostedWindow again(dir.path());
        QVERIFY(again.shown);
        again.window.ShowFastSearch();
        FastSearchWindow* search = again.window.fastSearch();
        QCOMPARE(search->listType(), FastSearchType::NeverWon);
        QCOMPARE(search->windowTitle(), QStringLiteral("FastSearch [Lost games]"));
        QVERIFY(search->stayOnTop());
        QCOMPARE(search->size(), QSize(300, 500));
        const std::vector<int> listed = search->listedGames();
        QVERIFY(std::ranges::find(listed, won) == listed.end());
        // Staying on top, the window stays shown when its game starts.
        search->startEntry(search->list()->item(0));
        QCOMPARE(CurrentGameNumber(again.ctx), listed.front());
        QVERIFY(search->isVisible());
    }
};

} // namespace quendra

QTEST_MAIN(quendra::GameNumberTest)
#include "game_number_test.moc"
