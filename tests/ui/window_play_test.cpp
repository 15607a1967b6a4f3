#include "autoplay.h"
#include "cards.h"
#include "game_context.h"
#include "main_window.h"
#include "moves.h"
#include "new_game.h"
#include "qt_host.h"
#include "settings.h"
#include "table_play.h"
#include "table_view.h"
#include "ui_fixture.h"

#include <QElapsedTimer>
#include <QScrollBar>
#include <QtTest/QtTest>

namespace quendra {

namespace {

// A shown main window playing Klondike through the window's own host, so that what the
// engine asks of the table (flights, the pressed stock, the winning animation) reaches it.
struct Window : test::HostedWindow {
    Window() {
        SetSetting(ctx.settings, field::kCardsAnimate, "N");
        if (shown) Deal(1);
    }
    void Deal(long long number) {
        SetSetting(ctx.settings, field::kDealNumber,
                   std::to_string(number * 7'777'777'777LL % 9'999'999'999'999LL));
        ctx.play.autoplayTicked = false;
        if (ctx.flags[GameStateFlags::kInPlay]) fnEndGame(ctx);
        SelectAndStartGame(ctx, 0, "Klondike", "Player 1", kKeepDealNumber, false);
        window.layoutTable();
    }
    TableView* view() const { return window.table(); }
    TablePlay* play() const { return window.tablePlay(); }
    QScrollBar* scroll() const { return window.scrollBar(); }
    const std::string& Pile(PileRef pile) const { return ctx.table.Pile(pile); }
    QPoint CardCentre(PileRef pile, int position = -1) const {
        return play()->CardRectInView(pile, position).center();
    }
    QColor Shown(QPoint at) const { return view()->grab().toImage().pixelColor(at); }
    void SetParam(int parameter, int value) {
        ctx.params[static_cast<std::size_t>(parameter)] = static_cast<std::int16_t>(value);
    }
};

int Brightness(const QColor& c) {
    return c.red() + c.green() + c.blue();
}

} // namespace

class WindowPlayTest : public QObject {
    Q_OBJECT
  private slots:
    void aDragNearTheEdgesScrollsATallTable() {
        Window w;
        const PileRef lifted = pile::Fila(6);
        const std::string dealt = w.Pile(lifted);
        // A short table does not scroll.
        QCOMPARE(w.scroll()->maximum(), 0);
        const QPoint from = w.CardCentre(lifted);
        QTest::mousePress(w.view(), Qt::LeftButton, {}, from);
        QTest::mouseMove(w.view(), QPoint(from.x(), w.view()->height() - 2));
        QCOMPARE(w.scroll()->value(), 0);
        QTest::mouseRelease(w.view(), Qt::LeftButton, {}, from);
        QCOMPARE(w.Pile(lifted), dealt);

        // The stock's cards laid face up on the first pile of a low window reach below the view.
        w.window.resize(1024, 400);
        QTest::qWait(1);
        const PileRef tall = pile::Fila(0);
        while (!w.Pile(pile::Stock(kMazzo)).empty()) {
            const int card = PileTopCard(w.Pile(pile::Stock(kMazzo)));
            fnTakeCard(w.ctx, card);
            fnPutCard(w.ctx, tall, card, '1');
        }
        w.window.layoutTable();
        QVERIFY(w.scroll()->maximum() > 0);
        QCOMPARE(w.scroll()->value(), 0);

        // A card dragged to the bottom edge scrolls the table down by one large step.
        const int card = PileTopCard(w.Pile(lifted));
        const QPoint grip = w.CardCentre(lifted);
        // Where the card's face lies in the table picture (table coordinates).
        const QPoint face = grip + QPoint(0, w.scroll()->value());
        const QColor faceColour = w.view()->tableImage().pixelColor(face);
        QTest::mousePress(w.view(), Qt::LeftButton, {}, grip);
        QVERIFY(w.play()->Dragging());
        QTest::mouseMove(w.view(), grip + QPoint(0, 40));
        QCOMPARE(w.scroll()->value(), 0);
        QTest::mouseMove(w.view(), QPoint(grip.x(), w.view()->height() - 3));
        QCOMPARE(w.scroll()->value(), w.scroll()->pageStep());
        QCOMPARE(static_cast<int>(w.ctx.mainGame.ScrollY()), w.scroll()->value());
        QVERIFY(w.play()->Dragging());
        // The scrolled table is drawn without the lifted card, which still floats.
        QVERIFY(w.view()->hasFloating());
        QVERIFY(w.view()->tableImage().pixelColor(face) != faceColour);
        // The top edge scrolls back up.
        QTest::mouseMove(w.view(), QPoint(grip.x(), 2));
        QCOMPARE(w.scroll()->value(), 0);
        // Dropped on nothing, the card goes back to its pile.
        QTest::mouseRelease(w.view(), Qt::LeftButton, {}, QPoint(grip.x(), 2));
        QVERIFY(!w.play()->Dragging());
        QCOMPARE(PileTopCard(w.Pile(lifted)), card);
        QCOMPARE(w.Pile(lifted), dealt);

        // Scrolled down, a press still finds the card under the pointer.
        w.scroll()->setValue(w.scroll()->maximum());
        const int bottom = PileTopCard(w.Pile(tall));
        const QPoint low = w.CardCentre(tall);
        QVERIFY(w.view()->rect().contains(low));
        QTest::mousePress(w.view(), Qt::LeftButton, {}, low);
        QCOMPARE(w.ctx.play.draggedCard, bottom);
        QTest::mouseRelease(w.view(), Qt::LeftButton, {}, low);
        QCOMPARE(PileTopCard(w.Pile(tall)), bottom);

        // A new deal starts from the top of the table.
        QVERIFY(w.scroll()->value() > 0);
        w.window.AnimateDeal();
        QCOMPARE(w.scroll()->value(), 0);
        QCOMPARE(static_cast<int>(w.ctx.mainGame.ScrollY()), 0);
    }

    void aCardSentHomeFliesWhenCardsAreAnimated() {
        Window w;
        SetSetting(w.ctx.settings, field::kSpeedMoveCard, "30");
        // Tableau tops that are aces: each one is sent home with a right click.
        std::vector<PileRef> aces;
        for (long long number = 2; aces.size() < 2 && number < 400; ++number) {
            w.Deal(number);
            aces.clear();
            for (int i = 0; i < 7; ++i)
                if (fnRank(PileTopCard(w.Pile(pile::Fila(i)))) == 1) aces.push_back(pile::Fila(i));
        }
        QVERIFY(aces.size() >= 2);
        // Sends the top card of a pile with a right click: {it went home, it flew}.
        const auto send = [&](PileRef pile) {
            bool sending = true, flew = false;
            QTimer::singleShot(5, [&] { flew = sending && w.play()->Flying(); });
            const int card = PileTopCard(w.Pile(pile));
            QTest::mouseClick(w.view(), Qt::RightButton, {}, w.CardCentre(pile));
            sending = false;
            QTest::qWait(20);
            bool home = false;
            for (int f = 0; f < 4; ++f)
                home = home || PileTopCard(w.Pile(pile::Dest(f))) == card;
            return std::pair{home, flew};
        };
        // Without the animation the card jumps home; with it, it flies there.
        QCOMPARE(send(aces[0]), std::pair(true, false));
        SetSetting(w.ctx.settings, field::kCardsAnimate, "Y");
        QCOMPARE(send(aces[1]), std::pair(true, true));
        QVERIFY(!w.view()->hasFloating());
    }

    void aLeftClickSendsTheCardInClickToMoveGames() {
        Window w;
        PileRef ace{};
        bool found = false;
        for (long long number = 2; !found && number < 400; ++number) {
            w.Deal(number);
            for (int i = 0; i < 7 && !found; ++i)
                if (fnRank(PileTopCard(w.Pile(pile::Fila(i)))) == 1) {
                    ace = pile::Fila(i);
                    found = true;
                }
        }
        QVERIFY(found);
        const int card = PileTopCard(w.Pile(ace));
        // An ordinary game lifts the card with a left click and puts it back.
        QTest::mouseClick(w.view(), Qt::LeftButton, {}, w.CardCentre(ace));
        QCOMPARE(PileTopCard(w.Pile(ace)), card);
        // A click-to-move game sends it home, even with the double-click switches off.
        SetSetting(w.ctx.settings, field::kDoubleClickToFoundations, "N");
        w.SetParam(37, 1);
        QTest::mouseClick(w.view(), Qt::LeftButton, {}, w.CardCentre(ace));
        bool home = false;
        for (int f = 0; f < 4; ++f)
            home = home || PileTopCard(w.Pile(pile::Dest(f))) == card;
        QVERIFY(home);
        QVERIFY(PileTopCard(w.Pile(ace)) != card);
    }

    void theDragCursorShowsWhileDraggingAndGoesBack() {
        Window w;
        QCOMPARE(GetSetting(w.ctx.settings, field::kCursor), std::string("10"));
        QCOMPARE(w.view()->cursor().shape(), Qt::ArrowCursor);
        const QPoint from = w.CardCentre(pile::Fila(6));
        QTest::mousePress(w.view(), Qt::LeftButton, {}, from);
        // A press alone is no drag yet.
        QCOMPARE(w.view()->cursor().shape(), Qt::ArrowCursor);
        QTest::mouseMove(w.view(), from + QPoint(30, 30));
        QCOMPARE(w.view()->cursor().shape(), Qt::BitmapCursor);
        QTest::mouseRelease(w.view(), Qt::LeftButton, {}, from + QPoint(30, 30));
        QCOMPARE(w.view()->cursor().shape(), Qt::ArrowCursor);
    }

    void theStockLooksPressedWhileARedealWaitsForTheRelease() {
        Window w;
        const PileRef stock = pile::Stock(kMazzo);
        const QPoint at = w.CardCentre(stock);
        // Turned card by card until it is empty: each click deals at once, nothing waits.
        for (int clicks = 0; clicks < 30 && !w.Pile(stock).empty(); ++clicks) {
            QTest::mousePress(w.view(), Qt::LeftButton, {}, at);
            QVERIFY(!w.play()->StockDrawnPressed());
            QTest::mouseRelease(w.view(), Qt::LeftButton, {}, at);
        }
        QVERIFY(w.Pile(stock).empty());
        const QColor normal = w.Shown(at);

        // On the empty stock the press arms the redeal and the place sinks and darkens.
        QTest::mousePress(w.view(), Qt::LeftButton, {}, at);
        QVERIFY(w.ctx.play.stockPending);
        QVERIFY(w.play()->StockDrawnPressed());
        QVERIFY(Brightness(w.Shown(at)) < Brightness(normal));
        // Leaving the stock lets the redeal go and the place comes back up.
        QTest::mouseMove(w.view(), at + QPoint(0, 300));
        QVERIFY(!w.play()->StockDrawnPressed());
        QCOMPARE(w.Shown(at), normal);
        QTest::mouseRelease(w.view(), Qt::LeftButton, {}, at + QPoint(0, 300));
        QVERIFY(w.Pile(stock).empty());

        // Pressed and released on the stock: the waste goes back and the stock is drawn up.
        QTest::mousePress(w.view(), Qt::LeftButton, {}, at);
        QVERIFY(w.play()->StockDrawnPressed());
        QTest::mouseRelease(w.view(), Qt::LeftButton, {}, at);
        QVERIFY(!w.play()->StockDrawnPressed());
        QVERIFY(!w.view()->hasFloating());
        QCOMPARE(PileCardCount(w.Pile(stock)), 24);
        QVERIFY(w.Shown(at) != normal);
    }

    void theWinningAnimationFollowsTheChosenPatternAndTime() {
        Window w;
        WriteSettingString(w.ctx, "Preference", "Winning_Animations_Time", "0");
        QElapsedTimer clock;
        clock.start();
        for (const auto& [name, pattern] :
             {std::pair{"Lines", WinPattern::Lines}, std::pair{"Up to down", WinPattern::UpToDown},
              std::pair{"Festoons", WinPattern::Festoons}}) {
            WriteSettingString(w.ctx, "Preference", "Winning_Animations", name);
            w.host.CelebrateWin();
            QCOMPARE(w.play()->LastWinPattern(), std::optional<WinPattern>(pattern));
        }
        // The chosen time of 0 seconds plays a round, not the default half minute.
        QVERIFY(clock.elapsed() < 20000);
        QVERIFY(!w.play()->Celebrating());
        WriteSettingString(w.ctx, "Preference", "Winning_Animations", "(Random)");
        QVERIFY(w.play()->PlayWinningAnimation() > 0);
        QVERIFY(w.play()->LastWinPattern().has_value());
        // A name that is none of the patterns turns the animation off.
        WriteSettingString(w.ctx, "Preference", "Winning_Animations", "(None)");
        QCOMPARE(w.play()->PlayWinningAnimation(), 0);
        QVERIFY(!w.play()->LastWinPattern().has_value());
    }

    void aPairingGameSelectsWithTheClickAndRemovesAPair() {
        Window w;
        // Two face-up tableau tops adding up to 13 (no King among them).
        int first = -1, second = -1;
        for (long long number = 2; first < 0 && number < 300; ++number) {
            w.Deal(number);
            for (int i = 0; i < 7 && first < 0; ++i)
                for (int j = i + 1; j < 7 && first < 0; ++j) {
                    const int a = fnRank(PileTopCard(w.Pile(pile::Fila(i))));
                    const int b = fnRank(PileTopCard(w.Pile(pile::Fila(j))));
                    if (a != 13 && b != 13 && a + b == 13) {
                        first = i;
                        second = j;
                    }
                }
        }
        QVERIFY(first >= 0);
        // The game now pairs cards of 13 with the click.
        w.SetParam(50, 4);
        w.SetParam(39, 1);
        w.window.layoutTable();
        const PileRef a = pile::Fila(first), b = pile::Fila(second);
        const int cardA = PileTopCard(w.Pile(a)), cardB = PileTopCard(w.Pile(b));
        const int countB = PileCardCount(w.Pile(b));
        const QPoint atA = w.CardCentre(a);
        const QColor plain = w.Shown(atA);

        // Selected, the card is drawn inverted; clicked again, it is plain again.
        QTest::mouseClick(w.view(), Qt::LeftButton, {}, atA);
        QCOMPARE(w.Pile(pile::Dest(0)), CardCode(cardA));
        QVERIFY(!w.play()->Dragging());
        const QColor marked = w.Shown(atA);
        QCOMPARE(marked.red(), 255 - plain.red());
        QTest::mouseClick(w.view(), Qt::LeftButton, {}, atA);
        QVERIFY(w.Pile(pile::Dest(0)).empty());
        QCOMPARE(w.Shown(atA), plain);

        // Both cards of the pair: they leave the tableau.
        QTest::mouseClick(w.view(), Qt::LeftButton, {}, atA);
        QTest::mouseClick(w.view(), Qt::LeftButton, {}, w.CardCentre(b));
        QVERIFY(w.Pile(pile::Dest(0)).empty());
        QCOMPARE(PileCardCount(w.Pile(b)), countB - 1);
        QVERIFY(PileTopCard(w.Pile(a)) != cardA);
        QVERIFY(PileTopCard(w.Pile(b)) != cardB);
        const std::string& discard = w.Pile(pile::Stock(kMazzoWaste));
        QCOMPARE(discard, CardCode(cardA) + CardCode(cardB));
        QVERIFY(w.window.actions().undo->isEnabled());
    }
};

} // namespace quendra

QTEST_MAIN(quendra::WindowPlayTest)
#include "window_play_test.moc"
