#include "card_counter_window.h"
#include "cards.h"
#include "main_menus.h"
#include "settings.h"
#include "table_play.h"
#include "table_view.h"
#include "ui_fixture.h"

#include <QPushButton>
#include <QtTest/QtTest>

namespace quendra {

namespace {

struct Klondike : test::HostedWindow {
    Klondike() {
        SetSetting(ctx.settings, field::kCardsAnimate, "N");
        if (shown) shown = window.StartGameDeal(0, "1");
    }
    CardCounterWindow* Counter() { return window.findChild<CardCounterWindow*>(); }
    CounterCell Cell(int card) { return Counter()->grid()[static_cast<std::size_t>(card - 1)]; }
    int WasteTop() const { return PileTopCard(ctx.table.StockGroup[kMazzoVis]); }
    void ClickStock() {
        const QPoint at = window.tablePlay()->PileRectInView(pile::Stock(kMazzo)).center();
        QTest::mouseClick(window.table(), Qt::LeftButton, {}, at);
    }
};

} // namespace

class CardCounterTest : public QObject {
    Q_OBJECT
  private slots:
    void followsTheStockTheUndoAndANewDeal() {
        Klondike w;
        QVERIFY(w.shown);
        w.window.actions().cardCounter->trigger();
        CardCounterWindow* counter = w.Counter();
        QVERIFY(counter && counter->isVisible());
        // "Tableau only" is the first choice: the stock is not counted.
        QVERIFY(counter->tableauOnlyAction()->isChecked());
        const int firstInStock = PileTopCard(w.ctx.table.StockGroup[kMazzo]);
        QCOMPARE(w.Cell(firstInStock), CounterCell::NotInPlay);
        counter->tableauOnlyAction()->trigger();
        QCOMPARE(w.Cell(firstInStock), CounterCell::Hidden);
        QCOMPARE(ReadPreference(w.ctx, "CardCounter_Tableau"), std::string("N"));

        w.ClickStock();
        const int turned = w.WasteTop();
        QVERIFY(turned != 0);
        QCOMPARE(w.Cell(turned), CounterCell::Seen);
        w.window.actions().undo->trigger();
        QCOMPARE(w.WasteTop(), 0);
        QCOMPARE(w.Cell(turned), CounterCell::Hidden);
        w.window.actions().redo->trigger();
        QCOMPARE(w.Cell(turned), CounterCell::Seen);

        // A new deal is counted from scratch: the seventh pile's top card is face up.
        w.window.actions().newGame->trigger();
        const int top = PileTopCard(w.ctx.table.FilaGroup[6]);
        QCOMPARE(w.Cell(top), CounterCell::Seen);
        QCOMPARE(w.Cell(PileCardAt(w.ctx.table.FilaGroup[6], 0)), CounterCell::Hidden);
    }

    void optionsExcludeEachOtherAndClosingIsRemembered() {
        Klondike w;
        QVERIFY(w.shown);
        w.window.actions().popupCardCounter->trigger();
        CardCounterWindow* counter = w.Counter();
        QVERIFY(counter && counter->isVisible());
        QCOMPARE(ReadPreference(w.ctx, "CardCounter_Visible"), std::string("Y"));
        counter->stockOnlyAction()->trigger();
        QVERIFY(!counter->tableauOnlyAction()->isChecked());
        const int faceDown = PileCardAt(w.ctx.table.FilaGroup[6], 0);
        QCOMPARE(w.Cell(faceDown), CounterCell::NotInPlay);
        counter->invertedAction()->trigger();
        QCOMPARE(w.Cell(PileTopCard(w.ctx.table.StockGroup[kMazzo])), CounterCell::Seen);
        counter->move(120, 140);
        counter->close();
        QCOMPARE(ReadPreference(w.ctx, "CardCounter_Visible"), std::string("N"));
        QCOMPARE(ReadPreference(w.ctx, "CardCounter_Stock"), std::string("Y"));
        QCOMPARE(ReadPreference(w.ctx, "CardCounter_Inverse"), std::string("Y"));
        QCOMPARE(ReadSettingInt(w.ctx, "Preference", "CardCounter_Left", -1), counter->x());
        // Only four rows for one deck.
        QCOMPARE(counter->rows(), 4);
    }
};

} // namespace quendra

QTEST_MAIN(quendra::CardCounterTest)
#include "card_counter_test.moc"
