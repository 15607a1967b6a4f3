#pragma once

#include "fake_host.h"
#include "game_context.h"
#include "main_window.h"
#include "qt_host.h"
#include "settings.h"

#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <QtTest/QtTest>

namespace quendra::test {

// A fresh program folder with the built catalogue and images module, and a scripted host.
struct Program {
    QTemporaryDir dir;
    FakeHost host;
    GameContext ctx{host};

    Program() {
        SetProgramDir(ctx, dir.path().toStdString());
        ctx.gamesFile = QUENDRA_GAMES_DAT;
        ctx.imagesFile = QUENDRA_SOL_RGF;
    }
};

// The main window with the program's own host, as the program runs it, so that what the
// engine asks of the table (flights, waits, the winning animation) reaches the window. It is
// started up and shown at 1024 x 768 without the deal animation; `shown` says it worked.
struct HostedWindow {
    Program program;
    QtHost host;
    GameContext ctx{host};
    MainWindow window{ctx};
    bool shown = false;

    // `folder`: a program folder of the test's own instead of a fresh one.
    explicit HostedWindow(const QString& folder = {}) {
        SetProgramDir(ctx, (folder.isEmpty() ? program.dir.path() : folder).toStdString());
        ctx.gamesFile = QUENDRA_GAMES_DAT;
        ctx.imagesFile = QUENDRA_SOL_RGF;
        host.SetWindow(&window);
        window.setBrowserAtStart(false);
        if (!window.StartUp()) return;
        window.resize(1024, 768);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) return;
        SetSetting(ctx.settings, field::kDealAnimation, "N");
        shown = true;
    }
    ~HostedWindow() { host.SetWindow(nullptr); }
    HostedWindow(const HostedWindow&) = delete;
    HostedWindow& operator=(const HostedWindow&) = delete;
};

// Runs `act` on the modal dialog once it is open (it runs in the dialog's own event loop).
inline void WhenModal(std::function<void(QWidget*)> act) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            act(modal);
        }
    });
    poll->start();
}

// Acts on the modal windows that open one after the other, each once, in order. Answers
// the acts still waiting for their window.
using Acts = std::shared_ptr<std::deque<std::function<void(QWidget*)>>>;
inline Acts OnModals(std::deque<std::function<void(QWidget*)>> acts) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    auto pending = std::make_shared<std::deque<std::function<void(QWidget*)>>>(std::move(acts));
    // A window already acted on may be the active one again for a moment (the browser,
    // between the dialogs it opens).
    auto handled = std::make_shared<std::vector<QPointer<QWidget>>>();
    QObject::connect(poll, &QTimer::timeout, [poll, pending, handled] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        for (const QPointer<QWidget>& seen : *handled)
            if (seen == modal) return;
        handled->push_back(modal);
        const auto act = pending->front();
        pending->pop_front();
        if (pending->empty()) {
            poll->stop();
            poll->deleteLater();
        }
        // From the event loop, so that a window the act opens meets the poll again.
        QTimer::singleShot(0, modal, [act, modal] { act(modal); });
    });
    poll->start();
    return pending;
}

// In a test's cleanup: every chain of windows the test waited for did open; the list is
// emptied for the next test.
inline void VerifyAllOpened(std::vector<Acts>& expected) {
    const std::vector<Acts> all = std::move(expected);
    expected.clear();
    for (const Acts& acts : all)
        QVERIFY2(acts->empty(), "a window the test waited for did not open");
}

// Clicks one of a message box's buttons.
inline void Press(QWidget* modal, QMessageBox::StandardButton which) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    QVERIFY(box);
    QTest::mouseClick(box->button(which), Qt::LeftButton);
}

} // namespace quendra::test
