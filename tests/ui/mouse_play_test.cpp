#include "autoplay.h"
#include "cards.h"
#include "game_context.h"
#include "legality.h"
#include "main_window.h"
#include "new_game.h"
#include "qt_host.h"
#include "score.h"
#include "settings.h"
#include "table_play.h"
#include "table_view.h"
#include "ui_fixture.h"

#include <memory>

#include <QElapsedTimer>
#include <QLabel>
#include <QtTest/QtTest>

namespace quendra {

namespace {

// A shown main window playing Klondike, without the deal animation and the flights.
struct Board {
    test::Program program;
    MainWindow window{program.ctx};
    GameContext& ctx = program.ctx;

    Board() {
        window.setBrowserAtStart(false);
        if (!window.StartUp()) return;
        window.resize(1024, 768);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) return;
        SetSetting(ctx.settings, field::kDealAnimation, "N");
        SetSetting(ctx.settings, field::kSpeedMoveCard, "0");
        Deal();
    }
    // Deals game `number` of Klondike.
    void Deal(int number = 1) {
        // Deal numbers spread over all thirteen digits.
        const long long spread = number * 7'777'777'777LL % 9'999'999'999'999LL;
        SetSetting(ctx.settings, field::kDealNumber, std::to_string(spread));
        // Automatic play would move the cards the tests look for.
        ctx.play.autoplayTicked = false;
        if (ctx.flags[GameStateFlags::kInPlay]) fnEndGame(ctx);
        SelectAndStartGame(ctx, 0, "Klondike", "Player 1", kKeepDealNumber, false);
        window.layoutTable();
    }
    TableView* view() const { return window.table(); }
    TablePlay* play() const { return window.tablePlay(); }
    const std::string& Pile(PileRef pile) const { return ctx.table.Pile(pile); }
    QPoint CardCentre(PileRef pile, int position = -1) const {
        return play()->CardRectInView(pile, position).center();
    }
    void Drag(QPoint from, QPoint to) {
        QTest::mousePress(view(), Qt::LeftButton, {}, from);
        const QPoint step = (to - from) / 4;
        for (int i = 1; i <= 3; ++i)
            QTest::mouseMove(view(), from + step * i);
        QTest::mouseMove(view(), to);
        QTest::mouseRelease(view(), Qt::LeftButton, {}, to);
    }
    void ClickStock() {
        const QPoint at = CardCentre(pile::Stock(kMazzo));
        QTest::mousePress(view(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(view(), Qt::LeftButton, {}, at);
    }
};

// A face-up top card of a tableau pile that another tableau pile takes.
struct TableauMove {
    int from = -1;
    int to = -1;
};
TableauMove FindTableauMove(const GameContext& ctx) {
    for (int i = 0; i < TableauCount(ctx); ++i) {
        const int card = PileTopCard(ctx.table.Pile(pile::Fila(i)));
        if (card < 1 || ctx.cardTable.Face(card) == '0') continue;
        for (int j = 0; j < TableauCount(ctx); ++j)
            if (j != i && !ctx.table.Pile(pile::Fila(j)).empty() &&
                fnCanDropOnTableau(ctx, j, card))
                return {i, j};
    }
    return {};
}

} // namespace

class MousePlayTest : public QObject {
    Q_OBJECT
  private slots:
    void theDealtTableIsDrawnInTheView() {
        Board board;
        const QImage& image = board.view()->tableImage();
        QVERIFY(!image.isNull());
        // A tableau card shows something other than the table's green.
        const QPoint at = board.CardCentre(pile::Fila(6));
        const QImage shown = board.view()->grab().toImage();
        QVERIFY(shown.pixelColor(at) != board.view()->background());
    }

    void aLegalDragLandsAndAnIllegalOneReturns() {
        Board board;
        TableauMove move;
        for (int tries = 0; tries < 200 && move.from < 0; ++tries) {
            board.Deal(tries + 2);
            move = FindTableauMove(board.ctx);
        }
        QVERIFY(move.from >= 0);
        const PileRef from = pile::Fila(move.from), to = pile::Fila(move.to);
        const int card = PileTopCard(board.Pile(from));
        const int before = PileCardCount(board.Pile(to));

        // Onto a pile that does not take it (a foundation, empty at the deal): it comes back.
        const std::string dealt = board.Pile(from);
        int refusing = 0;
        while (fnCanDropOnFoundation(board.ctx, refusing, card))
            ++refusing;
        board.Drag(board.CardCentre(from), board.CardCentre(pile::Dest(refusing)));
        QCOMPARE(board.Pile(from), dealt);
        QVERIFY(board.Pile(pile::Dest(refusing)).empty());
        QVERIFY(!board.view()->hasFloating());
        QCOMPARE(board.ctx.play.draggedCard, 0);

        // Onto the pile that takes it, gripped a little off the card's centre.
        board.Drag(board.CardCentre(from) + QPoint(5, 8), board.CardCentre(to) + QPoint(3, 20));
        QCOMPARE(PileCardCount(board.Pile(to)), before + 1);
        QCOMPARE(PileTopCard(board.Pile(to)), card);
        QVERIFY(board.window.actions().undo->isEnabled());
        // A right press on the now covered card shows it whole until the button comes up.
        const QRect covered = board.play()->CardRectInView(to, before - 1);
        const QPoint strip = covered.topLeft() + QPoint(covered.width() / 2, 4);
        const std::string built = board.Pile(to);
        QTest::mousePress(board.view(), Qt::RightButton, {}, strip);
        QVERIFY(board.view()->hasFloating());
        QCOMPARE(board.view()->floatingRect().topLeft(), covered.topLeft());
        QTest::mouseRelease(board.view(), Qt::RightButton, {}, strip);
        QVERIFY(!board.view()->hasFloating());
        QCOMPARE(board.Pile(to), built);
        // The view shows the card at its new place.
        const QImage shown = board.view()->grab().toImage();
        QVERIFY(shown.pixelColor(board.CardCentre(to)) != board.view()->background());
    }

    void stockClicksDealAndAcesGoHomeByDragDoubleAndRightClick() {
        Board board;
        // A deal with three aces in the stock.
        auto acesInStock = [&] {
            const std::string& stock = board.Pile(pile::Stock(kMazzo));
            int aces = 0;
            for (int i = 0; i < PileCardCount(stock); ++i)
                aces += fnRank(PileCardAt(stock, i)) == 1 ? 1 : 0;
            return aces;
        };
        for (int number = 2; acesInStock() < 3 && number < 400; ++number)
            board.Deal(number);
        const std::string first = board.Pile(pile::Stock(kMazzo));
        QCOMPARE(acesInStock(), 3);
        const PileRef waste = pile::Stock(kMazzoVis);
        // Turns the stock, one card a click, until an ace shows on the waste.
        auto clickToAce = [&] {
            for (int clicks = 0; clicks < 24; ++clicks) {
                if (fnRank(PileTopCard(board.Pile(waste))) == 1)
                    return PileTopCard(board.Pile(waste));
                const int stock = PileCardCount(board.Pile(pile::Stock(kMazzo)));
                board.ClickStock();
                if (PileCardCount(board.Pile(pile::Stock(kMazzo))) != stock - 1) return -1;
            }
            return 0;
        };
        auto home = [&](int card) {
            for (int i = 0; i < FoundationCount(board.ctx); ++i)
                if (PileTopCard(board.Pile(pile::Dest(i))) == card) return true;
            return false;
        };
        auto score = [&] { return GetSetting(board.ctx.settings, field::kScore); };

        // Dragged onto the first foundation: it lands and the score moves.
        int ace = clickToAce();
        QVERIFY(ace > 0);
        std::string before = score();
        board.Drag(board.CardCentre(waste), board.CardCentre(pile::Dest(0)) + QPoint(10, 10));
        QCOMPARE(PileTopCard(board.Pile(pile::Dest(0))), ace);
        QVERIFY(score() != before);
        QCOMPARE(board.window.scoreLabel()->text(), QString::number(StoredScore(board.ctx)));

        // A double click sends the next one home.
        ace = clickToAce();
        QVERIFY(ace > 0);
        before = score();
        QTest::mouseDClick(board.view(), Qt::LeftButton, {}, board.CardCentre(waste));
        QVERIFY(home(ace));
        QVERIFY(score() != before);

        // And so does a right click.
        ace = clickToAce();
        QVERIFY(ace > 0);
        QTest::mouseClick(board.view(), Qt::RightButton, {}, board.CardCentre(waste));
        QVERIFY(home(ace));
    }

    void aSentCardFliesAndAClickDuringTheFlightIsLost() {
        test::Program program;
        QtHost host;
        GameContext ctx(host);
        SetProgramDir(ctx, program.dir.path().toStdString());
        ctx.gamesFile = QUENDRA_GAMES_DAT;
        ctx.imagesFile = QUENDRA_SOL_RGF;
        MainWindow window(ctx);
        host.SetWindow(&window);
        window.setBrowserAtStart(false);
        QVERIFY(window.StartUp());
        window.resize(1024, 768);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        SetSetting(ctx.settings, field::kDealAnimation, "N");
        SetSetting(ctx.settings, field::kSpeedMoveCard, "60");
        ctx.play.autoplayTicked = false;
        // A deal where a tableau card (not an ace, which would go home) goes onto another pile.
        TableauMove move;
        for (long long number = 1; move.from < 0 && number < 300; ++number) {
            if (ctx.flags[GameStateFlags::kInPlay]) fnEndGame(ctx);
            SetSetting(ctx.settings, field::kDealNumber,
                       std::to_string(number * 7'777'777'777LL % 9'999'999'999'999LL));
            SelectAndStartGame(ctx, 0, "Klondike", "Player 1", kKeepDealNumber, false);
            move = FindTableauMove(ctx);
            if (move.from >= 0 && fnRank(PileTopCard(ctx.table.Pile(pile::Fila(move.from)))) == 1)
                move = {};
        }
        QVERIFY(move.from >= 0);
        window.layoutTable();
        const PileRef from = pile::Fila(move.from);
        const int card = PileTopCard(ctx.table.Pile(from));
        const int count = PileCardCount(ctx.table.Pile(from));
        const std::string stockCards = ctx.table.Pile(pile::Stock(kMazzo));
        bool flying = false;
        // During the flight the card floats over the table and a click on the stock is lost.
        QTimer::singleShot(5, [&] {
            flying = window.table()->hasFloating() && window.tablePlay()->Flying();
            QTest::mouseClick(window.table(), Qt::LeftButton, {},
                              window.tablePlay()->CardRectInView(pile::Stock(kMazzo)).center());
        });
        QTest::mouseClick(window.table(), Qt::RightButton, {},
                          window.tablePlay()->CardRectInView(from).center());
        QCOMPARE(PileCardCount(ctx.table.Pile(from)), count - 1);
        bool landed = false;
        for (int i = 0; i < TableauCount(ctx); ++i)
            landed = landed || PileTopCard(ctx.table.Pile(pile::Fila(i))) == card;
        QVERIFY(landed);
        QVERIFY(flying);
        QCOMPARE(ctx.table.Pile(pile::Stock(kMazzo)), stockCards);
        QVERIFY(!window.table()->hasFloating());
        host.SetWindow(nullptr);
    }

    void aReleaseDuringTheStockFlightEndsThePressAndTheNextDragLands() {
        test::HostedWindow shown;
        QVERIFY(shown.shown);
        GameContext& ctx = shown.ctx;
        SetSetting(ctx.settings, field::kSpeedMoveCard, "60");
        ctx.play.autoplayTicked = false;
        // A deal whose first card from the stock goes onto a tableau pile.
        int card = 0, target = -1;
        for (long long number = 1; target < 0 && number < 300; ++number) {
            if (ctx.flags[GameStateFlags::kInPlay]) fnEndGame(ctx);
            SetSetting(ctx.settings, field::kDealNumber, std::to_string(number));
            SelectAndStartGame(ctx, 0, "Klondike", "Player 1", kKeepDealNumber, false);
            card = PileTopCard(ctx.table.Pile(pile::Stock(kMazzo)));
            for (int i = 0; i < TableauCount(ctx) && target < 0; ++i)
                if (fnCanDropOnTableau(ctx, i, card)) target = i;
        }
        QVERIFY(target >= 0);
        shown.window.layoutTable();
        TableView* view = shown.window.table();
        TablePlay* play = shown.window.tablePlay();
        const QPoint stock = play->CardRectInView(pile::Stock(kMazzo)).center();
        // The button comes up while the card flies to the waste.
        bool flying = false;
        QTimer::singleShot(5, [&] {
            flying = play->Flying();
            QTest::mouseRelease(view, Qt::LeftButton, {}, stock);
        });
        QTest::mousePress(view, Qt::LeftButton, {}, stock);
        QVERIFY(flying);
        QTRY_VERIFY(!play->InputPending());
        QVERIFY(!play->StockDrawnPressed());
        QCOMPARE(PileTopCard(ctx.table.Pile(pile::Stock(kMazzoVis))), card);
        // The card is dragged from the waste onto its pile, and lands there.
        const QPoint from = play->CardRectInView(pile::Stock(kMazzoVis)).center();
        const QPoint to = play->CardRectInView(pile::Fila(target)).center();
        QTest::mousePress(view, Qt::LeftButton, {}, from);
        QTest::mouseMove(view, (from + to) / 2);
        QTest::mouseMove(view, to);
        QTest::mouseRelease(view, Qt::LeftButton, {}, to);
        QCOMPARE(PileTopCard(ctx.table.Pile(pile::Fila(target))), card);
        QVERIFY(!view->hasFloating());
    }

    // Zoomed in, the table is laid out in fewer units, drawn sharp from the large pictures,
    // and the pointer lands where the cards are shown; fitting fills the window.
    void aZoomedTableTakesThePointerWhereTheCardsShow() {
        Board board;
        const int wide = board.view()->width();
        for (int step = 0; step < 3; ++step)
            board.window.actions().zoomIn->trigger();
        QCOMPARE(board.view()->zoom(), 1.5);
        QCOMPARE(board.view()->tableWidth(), static_cast<int>(wide / 1.5));
        QCOMPARE(board.view()->tableImage().devicePixelRatio(), 2.0);
        QCOMPARE(ReadSettingInt(board.ctx, "Preference", "Table_Zoom", 0), 150);
        // A click on the stock where it is shown deals a card.
        const int stock = PileCardCount(board.Pile(pile::Stock(kMazzo)));
        const QPoint shown =
            board.view()->toWidget(board.play()->CardRectInView(pile::Stock(kMazzo))).center();
        QTest::mousePress(board.view(), Qt::LeftButton, {}, shown);
        QTest::mouseRelease(board.view(), Qt::LeftButton, {}, shown);
        QCOMPARE(PileCardCount(board.Pile(pile::Stock(kMazzo))), stock - 1);
        board.window.actions().actualSize->trigger();
        QCOMPARE(board.view()->zoom(), 1.0);
        // Fitted: every pile lies inside the view, and the cards are larger than at 100%.
        board.window.actions().fitToWindow->trigger();
        QVERIFY(board.view()->zoom() > 1.0);
        const QRect table(0, 0, board.view()->tableWidth(), board.view()->tableHeight());
        for (int i = 0; i < TableauCount(board.ctx); ++i)
            QVERIFY(table.contains(board.play()->PileRectInView(pile::Fila(i))));
        // Zooming by hand ends the fitting.
        board.window.actions().zoomOut->trigger();
        QVERIFY(!board.window.actions().fitToWindow->isChecked());
    }

    void aKeyStopsTheWinningAnimation() {
        Board board;
        QTimer::singleShot(100, [&] {
            QVERIFY(board.play()->Celebrating());
            QTest::keyClick(&board.window, Qt::Key_Space);
        });
        QElapsedTimer clock;
        clock.start();
        const int thrown = board.play()->PlayWinningAnimation("(Random)", 60);
        QVERIFY(thrown > 0);
        QVERIFY(clock.elapsed() < 60000);
        QVERIFY(!board.play()->Celebrating());
        QCOMPARE(board.ctx.flags[GameStateFlags::kAnimating], 0);
    }

    void inputDuringTheDealAnimationIsDiscarded() {
        Board board;
        SetSetting(board.ctx.settings, field::kDealAnimation, "Y");
        SetSetting(board.ctx.settings, field::kSpeedMoveCard, "10");
        const PileGroups dealt = board.ctx.table;
        bool sawDealing = false;
        bool pauseToggled = false;
        // While the cards fly, a key (Ctrl+P pauses) and a click on the stock do nothing.
        QTimer::singleShot(5, [&] {
            sawDealing = board.play()->Dealing();
            QTest::keyClick(&board.window, Qt::Key_P, Qt::ControlModifier);
            board.ClickStock();
            pauseToggled = board.window.table()->paused();
        });
        board.window.AnimateDeal();
        QVERIFY(sawDealing);
        QVERIFY(!pauseToggled);
        QVERIFY(!board.play()->Dealing());
        QVERIFY(board.ctx.table == dealt);
    }
};

} // namespace quendra

QTEST_MAIN(quendra::MousePlayTest)
#include "mouse_play_test.moc"
