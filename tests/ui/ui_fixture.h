#pragma once

#include "fake_host.h"
#include "game_context.h"
#include "settings.h"

#include <functional>

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

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
