#include "autoplay.h"
#include "bookmarks.h"
#include "card_counter_window.h"
#include "data_files.h"
#include "game_catalog.h"
#include "game_context.h"
#include "held_games.h"
#include "help_windows.h"
#include "main_window.h"
#include "settings.h"
#include "sound_player.h"
#include "table_play.h"
#include "table_view.h"

#include <cstdlib>

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace quendra {

namespace {

// How much smaller than the screen a maximized window may be (its frame, rounding).
constexpr int kMaximizedSlack = 16;

const char* const kCursorNames[] = {"CUR_ARROW1",      "CUR_ARROW2",     "CUR_RIGHT_HAND1",
                                    "CUR_RIGHT_HAND2", "CUR_LEFT_HAND1", "CUR_LEFT_HAND2"};
constexpr int kCursorSlots = 6;
// The cursor setting: 10 the standard arrow, 10 + n the picture kCursorNames[n] ("A"); the
// one shown while cards are dragged is ten places on ("B").
constexpr int kStandardCursor = 10;
constexpr int kDragCursorStep = 10;

int ColourDepth() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 32;
}

// Pictures and the helper library of earlier versions of the program, no longer used.
void RemoveLeftOverFiles(const QString& programDir) {
    QDir dir(programDir);
    auto remove = [&dir](const QString& name) {
        if (dir.exists(name)) dir.remove(name);
    };
    auto number = [](int n, int width) { return QString::number(n).rightJustified(width, '0'); };
    if (dir.exists(QStringLiteral("IMAGES/GAME0000.BMP")))
        for (int n = 0; n <= 100; ++n)
            remove(QStringLiteral("IMAGES/GAME") + number(n, 4) + QStringLiteral(".BMP"));
    if (dir.exists(QStringLiteral("IMAGES/WB001.BMP")))
        for (int n = 0; n <= 25; ++n)
            for (const char* prefix : {"IMAGES/WB", "IMAGES/WM", "IMAGES/WP"})
                remove(QLatin1String(prefix) + number(n, 3) + QStringLiteral(".BMP"));
    if (dir.exists(QStringLiteral("IMAGES/CB001C.BMP"))) {
        for (int n = 1; n <= 5; ++n)
            for (const char* suit : {"C", "D", "H", "S"})
                remove(QStringLiteral("IMAGES/CB") + number(n, 3) + QLatin1String(suit) +
                       QStringLiteral(".BMP"));
        for (const char* size : {"CM", "CL"})
            for (const char* suit : {"C", "D", "H", "S"})
                remove(QStringLiteral("IMAGES/") + QLatin1String(size) + QStringLiteral("003") +
                       QLatin1String(suit) + QStringLiteral(".BMP"));
    }
    remove(QStringLiteral("QUENDRA.DLL"));
}

} // namespace

bool MainWindow::StartUp() {
    WaitCursor wait(ctx_.host);
    const std::string programDir = ctx_.ProgramDir();

    // The images module first: nothing can be shown without it.
    const std::string imagesFile =
        ctx_.imagesFile.empty() ? programDir + "SOL.RGF" : ctx_.imagesFile;
    if (!RequireImagesFile(ctx_.host, imagesFile) || !images_.Open(ctx_.host, imagesFile))
        return false;
    actions_.insertBookmark->setEnabled(false);
    actions_.goToBookmark->setEnabled(false);
    applyViewSettings();

    for (int flag :
         {GameStateFlags::kHoldAndExit, GameStateFlags::kInPlay, GameStateFlags::kClockRuns,
          GameStateFlags::kIgnoreNextPress, GameStateFlags::kAnimating, GameStateFlags::kWon})
        ctx_.flags[flag] = 0;
    ctx_.flags[GameStateFlags::kMoveRunning] = 1;
    ctx_.flags[GameStateFlags::kStartingUp] = 1;
    EnsureDataDirectory(programDir);

    LoadSettings(ctx_, ColourDepth());
    applyToolBarSettings();
    if (ColourDepth() <= 8)
        ShowAdvice(ctx_,
                   "At this time your video driver supports 256 colors or less. This program "
                   "takes advantage of the 16 bit (65,536 colors) or the 24 bit (16.8 million "
                   "colors) palettes or higher resolutions. \rIf your video driver allows High "
                   "or True color mode settings (16 bit or 24 bit), modify your screen "
                   "resolution using the Display Properties Settings in the Control Panel.",
                   "Screen_Under_256_Colors", 0);

    applyCursor();
    timePanel_->setVisible(GetSetting(ctx_.settings, field::kShowTime) != "N");
    scorePanel_->setVisible(GetSetting(ctx_.settings, field::kShowScore) != "N");
    CreateDefaultPlayers(ctx_);
    CountProgramStart(ctx_);
    if (AutoPlayAllGames(ctx_) && AutoPlayOn(ctx_)) {
        actions_.autoplay->setChecked(true);
        ctx_.play.autoplayTicked = true;
    }
    ResetRunCounters(ctx_);
    statusBar()->setVisible(GetSetting(ctx_.settings, field::kStatusBar) != "N");
    ctx_.layoutArea.shadowOffset = ShadowOffset(ctx_);

    ctx_.cardTable = CardTable();
    ctx_.table.Clear();

    const std::string gamesFile =
        ctx_.gamesFile.empty() ? programDir + "GAMES.DAT" : ctx_.gamesFile;
    if (!RequireFile(ctx_.host, gamesFile)) return false;
    ctx_.gamesFile = gamesFile;
    if (!LoadGameList(ctx_)) return false;

    // Damaged records of the customised games are named once; they are left out of play.
    if (const std::vector<std::string> problems = CustomGamesProblems(ctx_); !problems.empty()) {
        std::string text = "These customised games of the file " + CustomGamesPath(ctx_) +
                           " cannot be played and are left out:";
        for (const std::string& problem : problems)
            text += "\r" + problem;
        ctx_.host.ShowError(text);
    }

    // A stored game the catalogue no longer has is forgotten.
    const std::string stored = GetSetting(ctx_.settings, field::kGameNumber);
    const int game = stored.empty() ? -1 : std::atoi(stored.c_str());
    if (game >= 0 && GameName(ctx_, game).empty()) {
        SetSetting(ctx_.settings, field::kGameNumber, "-1");
        SetSetting(ctx_.settings, field::kGameName, "");
    } else if (game >= 0) {
        // The caption names the game as the catalogue writes it, whatever the settings hold.
        SetSetting(ctx_.settings, field::kGameName, GameName(ctx_, game));
    }
    RebuildFavouritesMenu();
    RemoveLeftOverFiles(QString::fromStdString(programDir));
    updateStatusBar();
    clock_->start();
    started_ = true;
    return true;
}

void MainWindow::ShowWithPlacement() {
    const WindowPlacement placement = ReadWindowPlacement(ctx_);
    setGeometry(placement.left, placement.top, std::max(placement.width, 400),
                std::max(placement.height, 300));
    normalPlace_ = geometry();
    if (!placement.maximized) {
        show();
        return;
    }
    // Without a window manager to maximize it, the window still covers the screen (set while
    // it is marked maximized, so that its normal size stays the stored one). Queued before
    // the window shows, so that it comes before the first activation lays the table out:
    // the table is then made once, at the size it keeps.
    QTimer::singleShot(0, this, [this] {
        const QScreen* screen = this->screen();
        if (screen && isMaximized() && !coversScreen()) setGeometry(screen->availableGeometry());
    });
    showMaximized();
}

bool MainWindow::coversScreen() const {
    // A window system without a window manager keeps the maximized mark on a window that
    // was made smaller since: a maximized window fills the screen.
    return isMaximized() && fillsScreen();
}

bool MainWindow::fillsScreen() const {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) return true;
    const QSize available = screen->availableGeometry().size();
    const QSize frame = frameGeometry().size();
    return frame.width() >= available.width() - kMaximizedSlack &&
           frame.height() >= available.height() - kMaximizedSlack;
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The first activation completes the start-up; window systems without activation
    // (off-screen) still get it once the window is up.
    if (!firstActivationDone_) QTimer::singleShot(0, this, &MainWindow::firstActivation);
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !firstActivationDone_)
        QTimer::singleShot(0, this, &MainWindow::firstActivation);
}

void MainWindow::firstActivation() {
    if (firstActivationDone_ || !started_) return;
    firstActivationDone_ = true;
    sinceStart_.start();
    ctx_.flags[GameStateFlags::kStartingUp] = 0;
    UpdateCaption();
    layoutTable();
    UpgradeScoreFile(ctx_);
    cardCounter().RestoreAtStartUp();
    if (ReadPreference(ctx_, "Tips_StartUp", "N") != "N") ShowTipOfTheDay(this, ctx_);
    // A held game comes back on the table; else the browser opens.
    if (resumeHeldGame_) {
        const ResumeResult held = ResumeHeldGame(ctx_);
        if (held.resumed) {
            // The series the held game belongs to goes on with it.
            if (held.resumeSeries) resumeSeries();
            afterGameLoaded();
            return;
        }
    }
    if (browserAtStart_) openGameBrowser();
}

// The cursors the setting shows, its own and the one while cards are dragged, decoded the
// first time they are needed and kept (the standard arrow has no picture of its own).
void MainWindow::loadCursors() {
    const int chosen = std::atoi(GetSetting(ctx_.settings, field::kCursor).c_str());
    for (const int key : {chosen, chosen + kDragCursorStep}) {
        const int set = key / kDragCursorStep - 1;
        const int slot = key % kDragCursorStep;
        if (key == kStandardCursor || set < 0 || set > 1 || slot >= kCursorSlots ||
            cursors_.contains(key))
            continue;
        const QString name = QLatin1String(kCursorNames[slot]) + (set == 0 ? 'A' : 'B');
        const ImagesModule::CursorPicture picture = images_.LoadCursor(name, devicePixelRatioF());
        if (picture.image.isNull()) continue;
        cursors_.insert(key, QCursor(QPixmap::fromImage(picture.image), picture.hotSpot.x(),
                                     picture.hotSpot.y()));
    }
}

void MainWindow::applyCursor() {
    // Before any pointer into the cursors is taken: an insertion may move them.
    loadCursors();
    const int slot = std::atoi(GetSetting(ctx_.settings, field::kCursor).c_str());
    const auto normal = cursors_.constFind(slot);
    const auto drag = cursors_.constFind(slot + kDragCursorStep);
    const bool standard = slot == kStandardCursor || normal == cursors_.constEnd();
    if (standard)
        table_->unsetCursor();
    else
        table_->setCursor(*normal);
    // While cards are dragged, the cursor ten places on.
    tablePlay_->SetCursors(standard ? nullptr : &*normal,
                           drag == cursors_.constEnd() ? nullptr : &*drag);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    WindowPlacement placement;
    placement.maximized = coversScreen();
    // The size the window has when it is not maximized.
    const QRect normal = placement.maximized ? normalPlace_ : geometry();
    if (normal.isValid()) {
        placement.left = normal.left();
        placement.top = normal.top();
        placement.width = normal.width();
        placement.height = normal.height();
    }
    SaveWindowPlacement(ctx_, placement);

    if (ctx_.flags[GameStateFlags::kAnimating]) {
        // The animation stops first; the window closes when it has.
        ctx_.flags[GameStateFlags::kAnimating] = 0;
        closeAfterAnimation_ = true;
        event->ignore();
        return;
    }
    if (ReadPreference(ctx_, "ConfirmQuit", "N") != "N" &&
        !ctx_.host.Confirm("Exit Quendra 2000?")) {
        ctx_.flags[GameStateFlags::kHoldAndExit] = 0;
        event->ignore();
        return;
    }
    // A game in play is held, or asked about, or ends as lost (without the hi-scores
    // popping up on the way out).
    closing_ = true;
    const bool kept = keepGameAtClose();
    closing_ = false;
    if (!kept) {
        ctx_.flags[GameStateFlags::kHoldAndExit] = 0;
        event->ignore();
        return;
    }

    fnEndGame(ctx_);
    DropBookmark(ctx_);
    StopSounds(ctx_, *sounds_);
    clock_->stop();
    if (AutoPlayAllGames(ctx_)) SetAutoPlayOn(ctx_, actions_.autoplay->isChecked());
    SetRandomGameType(ctx_, RandomGameType(ctx_));
    WriteTableFile();
    event->accept();
}

} // namespace quendra
