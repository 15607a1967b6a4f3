#pragma once

#include "fake_host.h"
#include "game_context.h"
#include "main_window.h"
#include "qt_host.h"
#include "settings.h"

#include <functional>

#include <QApplication>
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

} // namespace quendra::test
