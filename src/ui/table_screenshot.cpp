#include "table_screenshot.h"

#include "game_context.h"
#include "main_window.h"
#include "new_game.h"
#include "settings.h"
#include "table_play.h"
#include "table_view.h"

#include <QApplication>
#include <QEventLoop>
#include <QMouseEvent>
#include <QPixmap>
#include <QTimer>

namespace quendra {

namespace {

void Send(TableView* view, QEvent::Type type, const QPoint& at) {
    QMouseEvent event(type, QPointF(at), view->mapToGlobal(QPointF(at)), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(view, &event);
}

void Settle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

void PlayAndTakeScreenshot(MainWindow& window, const QString& file) {
    GameContext& ctx = window.context();
    TableView* view = window.table();
    TablePlay* play = window.tablePlay();
    SetSetting(ctx.settings, field::kDealNumber, "1234");
    SetSetting(ctx.settings, field::kDealAnimation, "N");
    ctx.play.autoplayTicked = false;
    SelectAndStartGame(ctx, 0, "Klondike", "Player 1", kKeepDealNumber, false);
    window.layoutTable();
    Settle(200);
    // Turn a few cards of the stock, sending what may go home or onto the tableau.
    for (int round = 0; round < 8; ++round) {
        const QPoint stock = play->CardRectInView(pile::Stock(kMazzo)).center();
        Send(view, QEvent::MouseButtonPress, stock);
        Send(view, QEvent::MouseButtonRelease, stock);
        const QPoint waste = play->CardRectInView(pile::Stock(kMazzoVis)).center();
        Send(view, QEvent::MouseButtonPress, waste);
        Send(view, QEvent::MouseButtonRelease, waste);
        Send(view, QEvent::MouseButtonDblClick, waste);
        Send(view, QEvent::MouseButtonRelease, waste);
        for (int i = 0; i < TableauCount(ctx); ++i) {
            const QPoint top = play->CardRectInView(pile::Fila(i)).center();
            Send(view, QEvent::MouseButtonPress, top);
            Send(view, QEvent::MouseButtonRelease, top);
            Send(view, QEvent::MouseButtonDblClick, top);
            Send(view, QEvent::MouseButtonRelease, top);
        }
    }
    // One card lifted and held half-way, to show the drag picture and its shadow.
    for (int i = TableauCount(ctx) - 1; i >= 0; --i) {
        const QRect card = play->CardRectInView(pile::Fila(i));
        if (PileCardCount(ctx.table.Pile(pile::Fila(i))) == 0) continue;
        Send(view, QEvent::MouseButtonPress, card.center());
        if (!view->hasFloating()) continue;
        QMouseEvent moveEvent(QEvent::MouseMove, QPointF(card.center() + QPoint(-60, 120)),
                              view->mapToGlobal(QPointF(card.center() + QPoint(-60, 120))),
                              Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view, &moveEvent);
        break;
    }
    Settle(300);
    window.grab().save(file);
    QTimer::singleShot(0, qApp, &QApplication::quit);
}

} // namespace quendra
