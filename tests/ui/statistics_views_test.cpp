#include "clearing_dialogs.h"
#include "data_files.h"
#include "game_catalog.h"
#include "hiscores.h"
#include "players.h"
#include "record_file.h"
#include "series.h"
#include "settings.h"
#include "statistics.h"
#include "statistics_parts.h"
#include "statistics_views.h"
#include "ui_fixture.h"

#include <functional>

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest/QtTest>

namespace quendra {

namespace {

// A program folder where Ann (the current player) and Bob have ended games.
struct Played : test::Program {
    std::int64_t clock = 1'700'000'000;
    int other = -1; // a second game of the catalogue

    Played() {
        EnsureDataDirectory(ctx.ProgramDir());
        LoadSettings(ctx);
        LoadGameList(ctx);
        SetSetting(ctx.settings, field::kStatsCode, "01");
        SetSetting(ctx.settings, field::kGameNumber, "0");
        AddPlayer(ctx, "Ann");
        AddPlayer(ctx, "Bob");
        AddPlayer(ctx, "Cy");
        SetSetting(ctx.settings, field::kUserDefault, "Ann");
        other = CatalogueGameNumbers(ctx).at(1);
    }
    void End(const std::string& player, bool won, int score, int game = 0,
             const std::string& deal = "123") {
        clock += 100;
        host.now = clock;
        RecordEndedGame(ctx, {.game = game,
                              .deal = deal,
                              .player = player,
                              .won = won,
                              .score = score,
                              .seconds = 125,
                              .endTime = clock});
    }
    // Bob: won, won, lost in Klondike and one lost game of the other game; then Ann, the
    // current player, in this session: won, lost, lost.
    void PlayBoth() {
        End("Bob", true, 400);
        End("Bob", true, 300);
        End("Bob", false, 200);
        End("Bob", false, 10, other, "777");
        ResetRunCounters(ctx);
        End("Ann", true, 300);
        End("Ann", false, 90);
        End("Ann", false, 60);
    }
    StatisticsRecord Of(const std::string& player, int game = 0) const {
        return ReadStatistics(ctx, game, player).record;
    }
};

QString Figure(const QWidget& view, const char* name) {
    const auto* label = view.findChild<QLabel*>(QString::fromUtf8(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QString::fromUtf8(name));
}

QStringList Column(const QTableWidget& grid, int column) {
    QStringList texts;
    for (int row = 0; row < grid.rowCount(); ++row)
        texts << (grid.item(row, column) ? grid.item(row, column)->text() : QString());
    return texts;
}

// The row of the grid whose first cell reads `text`; -1 when none.
int RowOf(const QTableWidget& grid, const QString& text, int column = 0) {
    return static_cast<int>(Column(grid, column).indexOf(text));
}

QPushButton* Button(const QWidget& dialog, const QString& text) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == text) return button;
    return nullptr;
}

void PressOk(QWidget* dialog) {
    auto* box = dialog->findChild<QDialogButtonBox*>();
    QVERIFY(box);
    box->button(QDialogButtonBox::Ok)->click();
}

// Runs `run`; every view that opens meanwhile is closed at once and counted.
int ViewsOpened(const std::function<void()>& run) {
    int opened = 0;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&opened] {
        if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            ++opened;
            modal->reject();
        }
    });
    closer.start(10);
    run();
    return opened;
}

// Closes a dialog the test acted on, should the act have left it open.
struct CloseAfter {
    QWidget* dialog;
    ~CloseAfter() {
        if (dialog->isVisible()) qobject_cast<QDialog*>(dialog)->reject();
    }
};

void Choose(QListWidget* list, const QString& text) {
    const auto found = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(text));
    list->setCurrentItem(found.first());
}

} // namespace

class StatisticsViewsTest : public QObject {
    Q_OBJECT
  private slots:
    void gameViewShowsTotalSessionAndSequencesOfTheChosenPlayer() {
        Played p;
        p.PlayBoth();
        GameStatisticsView view(p.ctx, 0, {});
        QCOMPARE(view.player(), std::string("Ann"));
        QCOMPARE(Figure(view, "totalWon"), QStringLiteral("1"));
        QCOMPARE(Figure(view, "totalWonPercent"), QStringLiteral("(33%)"));
        QCOMPARE(Figure(view, "totalLost"), QStringLiteral("2"));
        QCOMPARE(Figure(view, "totalLostPercent"), QStringLiteral("(67%)"));
        QCOMPARE(Figure(view, "totalTotal"), QStringLiteral("3"));
        QCOMPARE(Figure(view, "sessionTotal"), QStringLiteral("3"));
        QCOMPARE(Figure(view, "currentStreak"), QStringLiteral("Current: 2 lost"));
        QVERIFY(!view.findChild<QLabel*>(QStringLiteral("totalPie"))->pixmap().isNull());
        const auto* chart = view.findChild<BarChart*>(QStringLiteral("sequencesChart"));
        QCOMPARE(chart->bars().size(), std::size_t(2));
        QCOMPARE(chart->bars()[0].value, std::int64_t(1));
        QCOMPARE(chart->bars()[0].colour, QColor(0, 255, 0));
        QCOMPARE(chart->bars()[1].value, std::int64_t(2));
        QCOMPARE(chart->bars()[1].colour, QColor(255, 0, 0));

        // Bob is not the current player: his total, but no session of his.
        auto* players = view.findChild<QComboBox*>(QStringLiteral("player"));
        players->setCurrentText(QStringLiteral("Bob"));
        QCOMPARE(Figure(view, "totalWonPercent"), QStringLiteral("(67%)"));
        QCOMPARE(Figure(view, "totalLostPercent"), QStringLiteral("(33%)"));
        QCOMPARE(Figure(view, "longestWon"), QStringLiteral("2"));
        QCOMPARE(Figure(view, "sessionTotal"), QStringLiteral("0"));
        QCOMPARE(Figure(view, "sessionWonPercent"), QString());
        QCOMPARE(Figure(view, "currentStreak"), QStringLiteral("Current: 1 lost"));

        // A streak of wins reads "won"; a player who never played shows no picture.
        p.End("Bob", true, 50);
        view.refresh();
        QCOMPARE(Figure(view, "currentStreak"), QStringLiteral("Current: 1 won"));
        p.End("Bob", true, 50);
        view.refresh();
        QCOMPARE(Figure(view, "currentStreak"), QStringLiteral("Current: 2 won"));
        players->setCurrentText(QStringLiteral("Cy"));
        QCOMPARE(Figure(view, "currentStreak"), QStringLiteral("Current"));
        QCOMPARE(Figure(view, "totalWonPercent"), QString());
        QVERIFY(view.findChild<QLabel*>(QStringLiteral("totalPie"))->pixmap().isNull());
    }

    void disabledStatisticsShowOnlyTheMessage() {
        Played p;
        p.PlayBoth();
        StorePreference(p.ctx, "Disable_Statistics", "Y");
        const StatisticsLinks links;
        const int opened = ViewsOpened([&] {
            ShowGameStatistics(nullptr, p.ctx, 0, links);
            ShowAllGamesStatistics(nullptr, p.ctx, links);
            ShowPlayersStatistics(nullptr, p.ctx, 0, links);
            ShowLogStatistics(nullptr, p.ctx, links);
            ShowOverallScore(nullptr, p.ctx, links);
        });
        QCOMPARE(opened, 0);
        QCOMPARE(p.host.informations, std::vector<std::string>(5, kStatisticsDisabledMessage));
    }

    void aStatisticsFileThatCannotBeReadIsToldAndNotShown() {
        Played p;
        const std::string path = DataFilePath(p.ctx, kStatisticsFile);
        QVERIFY(QDir().mkpath(QString::fromStdString(path)));
        const int opened = ViewsOpened([&] { ShowAllGamesStatistics(nullptr, p.ctx, {}); });
        QCOMPARE(opened, 0);
        QCOMPARE(p.host.informations, std::vector<std::string>{"Open error: " + path});
    }

    void allGamesAndPlayersViewsListTheFiguresTheyAreAskedFor() {
        Played p;
        p.PlayBoth();
        const QString klondike = QString::fromStdString(GameName(p.ctx, 0));
        const QString other = QString::fromStdString(GameName(p.ctx, p.other));
        AllGamesStatisticsView all(p.ctx, {});
        auto* grid = all.findChild<QTableWidget*>(QStringLiteral("grid"));
        const int row = RowOf(*grid, klondike);
        QVERIFY(row >= 0);
        QCOMPARE(grid->item(row, 1)->text(), QStringLiteral("1"));
        QCOMPARE(grid->item(row, 3)->text(), QStringLiteral("(33%)"));
        // Zero values are blank, and so is the share of a game never won.
        const int otherRow = RowOf(*grid, other);
        QCOMPARE(grid->item(otherRow, 1)->text(), QString());
        all.findChild<QComboBox*>(QStringLiteral("player"))->setCurrentText(QStringLiteral("Bob"));
        QCOMPARE(grid->item(otherRow, 2)->text(), QStringLiteral("1"));
        QCOMPARE(grid->item(otherRow, 3)->text(), QString());
        all.findChild<QRadioButton*>(QStringLiteral("values2"))->click();
        QCOMPARE(grid->item(row, 1)->text(), QStringLiteral("2"));
        QCOMPARE(grid->item(row, 2)->text(), QStringLiteral("1"));
        // The session counts only the current player's current game.
        all.findChild<QRadioButton*>(QStringLiteral("values1"))->click();
        QCOMPARE(grid->item(row, 1)->text(), QString());
        all.findChild<QComboBox*>(QStringLiteral("player"))->setCurrentText(QStringLiteral("Ann"));
        QCOMPARE(grid->item(row, 2)->text(), QStringLiteral("2"));

        // Players by won share, ascending: Cy 0, Ann 33, Bob 67; Bob's bar first, in blue.
        PlayersStatisticsView players(p.ctx, 0, {});
        auto* byPlayer = players.findChild<QTableWidget*>(QStringLiteral("grid"));
        QCOMPARE(Column(*byPlayer, 0), QStringList({"Cy", "Ann", "Bob"}));
        QCOMPARE(Column(*byPlayer, 1), QStringList({"0%", "33%", "67%"}));
        const auto* chart = players.findChild<BarChart*>(QStringLiteral("playersChart"));
        QCOMPARE(chart->bars().size(), std::size_t(3));
        QCOMPARE(chart->bars()[0].label, QStringLiteral("Bob"));
        QCOMPARE(chart->bars()[0].colour, QColor(0, 0, 255));
        QCOMPARE(chart->bars()[1].colour, QColor(255, 255, 0));
        // Average scores: Ann 450 / 3, Bob 900 / 3.
        players.findChild<QRadioButton*>(QStringLiteral("averageScore"))->click();
        QCOMPARE(Column(*byPlayer, 1), QStringList({"0", "150", "300"}));
    }

    void playersWithEqualValuesKeepTheirOrder() {
        std::vector<PlayerRecord> records = {{"Zoe", {1, 1}}, {"Al", {3, 0}}, {"Bea", {2, 2}}};
        std::vector<std::pair<std::string, std::int64_t>> expected = {
            {"Zoe", 50}, {"Bea", 50}, {"Al", 100}};
        QVERIFY(PlayersByValue(records, PlayerValue::WonPercentage) == expected);
    }

    void logViewFiltersAndPlaysTheSelectedDeal() {
        Played p;
        p.PlayBoth();
        std::vector<std::pair<int, std::string>> asked;
        bool start = false;
        StatisticsLinks links;
        links.playDeal = [&](int game, const std::string& deal) {
            asked.emplace_back(game, deal);
            return start;
        };
        LogStatisticsView log(p.ctx, links);
        auto* grid = log.findChild<QTableWidget*>(QStringLiteral("grid"));
        QCOMPARE(grid->rowCount(), 7);
        QCOMPARE(Figure(log, "count"), QStringLiteral("The Log contains 7 record(s)."));
        QCOMPARE(grid->item(0, 2)->text(), QStringLiteral("0:02:05"));
        QCOMPARE(grid->item(0, 4)->text(), QStringLiteral("Won"));
        QCOMPARE(grid->item(0, 5)->text(), QStringLiteral("400"));

        // Cy has no games.
        auto* players = log.findChild<QComboBox*>(QStringLiteral("player"));
        players->setCurrentText(QStringLiteral("Cy"));
        QCOMPARE(grid->rowCount(), 0);
        QCOMPARE(Figure(log, "count"), QStringLiteral("The Log contains 0 record(s)."));
        players->setCurrentText(QStringLiteral("Bob"));
        auto* games = log.findChild<QComboBox*>(QStringLiteral("game"));
        games->setCurrentIndex(games->findData(p.other));
        QCOMPARE(grid->rowCount(), 1);
        QCOMPARE(grid->item(0, 7)->text(), QStringLiteral("777"));

        // A game that does not start leaves the view open; one that starts closes it.
        auto* play = log.findChild<QPushButton*>(QStringLiteral("play"));
        QVERIFY(!play->isEnabled());
        grid->selectRow(0);
        play->click();
        QCOMPARE(log.result(), int(QDialog::Rejected));
        QVERIFY(!log.gameStarted());
        start = true;
        play->click();
        QVERIFY(log.gameStarted());
        QCOMPARE(log.result(), int(QDialog::Accepted));
        const std::vector<std::pair<int, std::string>> twice(2, {p.other, "777"});
        QVERIFY(asked == twice);
    }

    void aGameStartedFromTheLogClosesTheViewThatOpenedIt() {
        Played p;
        p.PlayBoth();
        std::vector<std::pair<int, std::string>> asked;
        StatisticsLinks links;
        links.playDeal = [&](int game, const std::string& deal) {
            asked.emplace_back(game, deal);
            return true;
        };
        bool closedWithTheLog = false;
        test::WhenModal([&](QWidget* statistics) {
            test::WhenModal([&](QWidget* log) {
                auto* grid = log->findChild<QTableWidget*>(QStringLiteral("grid"));
                const int row = grid ? RowOf(*grid, QStringLiteral("777"), 7) : -1;
                if (row >= 0) {
                    grid->selectRow(row);
                    log->findChild<QPushButton*>(QStringLiteral("play"))->click();
                }
                if (log->isVisible()) qobject_cast<QDialog*>(log)->reject();
            });
            Button(*statistics, QStringLiteral("&Log statistics..."))->click();
            closedWithTheLog = !statistics->isVisible();
            if (!closedWithTheLog) qobject_cast<QDialog*>(statistics)->reject();
        });
        ShowGameStatistics(nullptr, p.ctx, 0, links);
        QVERIFY(closedWithTheLog);
        const std::vector<std::pair<int, std::string>> once = {{p.other, "777"}};
        QVERIFY(asked == once);
    }

    void damagedLogLinesAreToldAndLeftOut() {
        Played p;
        p.End("Ann", true, 10);
        RecordFile log = RecordFile::Load(DataFilePath(p.ctx, kLogFile));
        log.Lines().push_back("20231114 not a log line");
        log.MarkModified();
        QVERIFY(log.Save(p.host));
        LogStatisticsView view(p.ctx, {});
        QCOMPARE(view.findChild<QTableWidget*>(QStringLiteral("grid"))->rowCount(), 1);
        QCOMPARE(p.host.informations.size(), std::size_t(1));
        QVERIFY(p.host.informations[0].find("damaged") != std::string::npos);
    }

    void clearingOnePlayerLeavesTheOthersFigures() {
        Played p;
        p.PlayBoth();
        const StatisticsRecord ann = p.Of("Ann");
        const int logged = LogRecordCount(p.ctx);
        bool refusedStaysOpen = false;
        test::WhenModal([&](QWidget* dialog) {
            CloseAfter guard{dialog};
            auto* players = dialog->findChild<QListWidget*>(QStringLiteral("players"));
            auto* games = dialog->findChild<QListWidget*>(QStringLiteral("games"));
            QCOMPARE(players->item(0)->text(), QStringLiteral("[All players]"));
            QCOMPARE(games->item(0)->text(), QStringLiteral("[All games]"));
            QCOMPARE(games->currentItem()->data(Qt::UserRole).toInt(), 0);
            Choose(players, QStringLiteral("Bob"));
            p.host.yesNoAnswers = {Host::Answer::No};
            PressOk(dialog);
            refusedStaysOpen = dialog->isVisible();
            PressOk(dialog);
        });
        ShowClearStatistics(nullptr, p.ctx, 0);
        QVERIFY(refusedStaysOpen);
        QCOMPARE(p.host.confirmations.back(), ClearStatisticsQuestion("Bob", GameName(p.ctx, 0)));
        QCOMPARE(p.host.informations.back(), std::string(kStatisticsClearedMessage));
        QCOMPARE(p.Of("Bob"), StatisticsRecord{});
        QCOMPARE(p.Of("Bob", p.other).lost, 1);
        QCOMPARE(p.Of("Ann"), ann);
        QCOMPARE(LogRecordCount(p.ctx), logged - 3);
    }

    void logClearingKeepsTheNewestOrEmptiesTheLog() {
        Played p;
        p.PlayBoth();
        ClearLogDialog dialog(p.ctx);
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("records"))->text(),
                 QStringLiteral("7 record(s)."));
        // Keeping every record clears nothing.
        QCOMPARE(dialog.keepBox()->value(), 7);
        QVERIFY(!dialog.okButton()->isEnabled());
        dialog.keepBox()->setValue(2);
        QVERIFY(dialog.okButton()->isEnabled());
        dialog.okButton()->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const LogContents kept = ReadLog(p.ctx);
        QCOMPARE(kept.entries.size(), std::size_t(2));
        QCOMPARE(kept.entries[0].score, 90);
        QCOMPARE(kept.entries[1].score, 60);

        ClearLogDialog again(p.ctx);
        p.host.yesNoAnswers = {Host::Answer::No};
        again.clearAllButton()->click();
        QCOMPARE(LogRecordCount(p.ctx), 2);
        QCOMPARE(again.result(), int(QDialog::Rejected));
        again.clearAllButton()->click();
        QCOMPARE(p.host.confirmations.back(), std::string(kClearLogQuestion));
        QCOMPARE(LogRecordCount(p.ctx), 0);
        QCOMPARE(again.result(), int(QDialog::Accepted));
    }

    void clearValuesAsksTwiceBeforeClearingEverything() {
        Played p;
        p.PlayBoth();
        ClearValuesDialog dialog(p.ctx);
        p.host.yesNoAnswers = {Host::Answer::Yes, Host::Answer::No};
        dialog.choose(ClearValuesDialog::AllValues);
        QCOMPARE(p.host.confirmations.size(), std::size_t(2));
        QCOMPARE(p.Of("Ann").lost, 2);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        dialog.choose(ClearValuesDialog::AllValues);
        QCOMPARE(p.host.informations.back(), std::string(kAllValuesClearedMessage));
        QCOMPARE(p.Of("Ann"), StatisticsRecord{});
        QCOMPARE(LogRecordCount(p.ctx), 0);
        QVERIFY(ReadOverallTable(p.ctx).empty());

        // One kind of values opens its own dialog.
        ClearValuesDialog select(p.ctx);
        QString opened;
        test::WhenModal([&](QWidget* log) {
            opened = log->windowTitle();
            qobject_cast<QDialog*>(log)->reject();
        });
        select.choose(ClearValuesDialog::LogOnly);
        QCOMPARE(opened, QStringLiteral("Clear Log statistics"));
        QCOMPARE(select.result(), int(QDialog::Accepted));

        // The series tables start afresh, once the player says yes.
        SeriesInProgress series;
        series.number = 6;
        series.player = "Ann";
        series.games = {"001"};
        series.results = {SeriesGameResult{60, true, "01", 500, true}};
        QVERIFY(FinishSeries(p.ctx, series).rank == 0);
        p.host.yesNoAnswers = {Host::Answer::No};
        ClearValuesDialog keep(p.ctx);
        keep.choose(ClearValuesDialog::SeriesOnly);
        QCOMPARE(keep.result(), int(QDialog::Rejected));
        QCOMPARE(ReadHiScores(p.ctx, ScoreTableKind::Series, 6, "01").front().score, 500);
        ClearValuesDialog clear(p.ctx);
        clear.choose(ClearValuesDialog::SeriesOnly);
        QCOMPARE(clear.result(), int(QDialog::Accepted));
        QCOMPARE(p.host.informations.back(), std::string(kSeriesScoresClearedMessage));
        QVERIFY(ReadHiScores(p.ctx, ScoreTableKind::Series, 6, "01").front().player.starts_with("* "));
    }

    void clearingHiScoresOfOnePlayerKeepsTheOthersEntries() {
        Played p;
        p.PlayBoth();
        auto players = [&p] {
            QStringList names;
            for (const HiScoreEntry& e : ReadHiScores(p.ctx, ScoreTableKind::Game, 0, "01"))
                if (!e.empty && !names.contains(QString::fromStdString(e.player)))
                    names << QString::fromStdString(e.player);
            return names;
        };
        QVERIFY(players().contains(QStringLiteral("Bob")));
        test::WhenModal([&](QWidget* dialog) {
            CloseAfter guard{dialog};
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Clear Hi-Scores"));
            Choose(dialog->findChild<QListWidget*>(QStringLiteral("players")),
                   QStringLiteral("Bob"));
            PressOk(dialog);
        });
        ShowClearHiScores(nullptr, p.ctx, 0);
        QCOMPARE(p.host.confirmations.back(), ClearHiScoresQuestion("Bob", GameName(p.ctx, 0)));
        QVERIFY(!players().contains(QStringLiteral("Bob")));
        QVERIFY(players().contains(QStringLiteral("Ann")));
    }

    void overallScoreRanksThePlayersAndDetailsListTheirGames() {
        Played p;
        p.PlayBoth();
        OverallScoreView view(p.ctx, {});
        auto* grid = view.findChild<QTableWidget*>(QStringLiteral("grid"));
        // Bob's best games scored 400 and 10, Ann's 300.
        QCOMPARE(Column(*grid, 0), QStringList({"1", "2"}));
        QCOMPARE(Column(*grid, 1), QStringList({"Bob", "Ann"}));
        QCOMPARE(Column(*grid, 2), QStringList({"410", "300"}));
        QCOMPARE(Column(*grid, 3), QStringList({"00:04:10", "00:02:05"}));

        QString caption;
        QStringList games;
        test::WhenModal([&](QWidget* details) {
            caption = details->windowTitle();
            games = Column(*details->findChild<QTableWidget*>(QStringLiteral("grid")), 0);
            qobject_cast<QDialog*>(details)->reject();
        });
        grid->selectRow(0);
        view.findChild<QPushButton*>(QStringLiteral("details"))->click();
        QCOMPARE(caption, QStringLiteral("Overall score details [Bob]"));
        QVERIFY(games.contains(QString::fromStdString(GameName(p.ctx, 0))));
    }

    void durationsHaveTheirHourDigits() {
        QCOMPARE(DurationText(3725, 1), QStringLiteral("1:02:05"));
        QCOMPARE(DurationText(3725, 2), QStringLiteral("01:02:05"));
        QCOMPARE(DurationText(40 * 3600, 1), QStringLiteral("40:00:00"));
    }
};

} // namespace quendra

QTEST_MAIN(quendra::StatisticsViewsTest)
#include "statistics_views_test.moc"
