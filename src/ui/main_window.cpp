#include "main_window.h"

#include "autoplay.h"
#include "autoplay_setting.h"
#include "bookmarks.h"
#include "browser_catalogue.h"
#include "card_counter_window.h"
#include "comments_dialog.h"
#include "demo_window.h"
#include "game_browser.h"
#include "game_catalog.h"
#include "game_context.h"
#include "help_windows.h"
#include "layout.h"
#include "new_game.h"
#include "pause_screen.h"
#include "score.h"
#include "series.h"
#include "series_dialogs.h"
#include "settings.h"
#include "sound_player.h"
#include "table_play.h"
#include "table_text.h"
#include "table_view.h"
#include "undo_commands.h"
#include "winnable_search.h"
#include "game_params.h"

#include <algorithm>
#include <optional>
#include <cstdlib>

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSaveFile>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextStream>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

namespace quendra {

namespace {

// The window's own resizes of the start-up (its saved place, the window system's first
// placement) come within this time; the fit is offered after later ones only.
constexpr qint64 kFitOfferAfterStartMs = 2000;

const QString kProduct = QStringLiteral("Quendra 2000");

// A sunken panel with a caption and a value, as the clock and the score are shown.
QFrame* ValuePanel(QWidget* parent, const QString& caption, QLabel*& value, const QString& name) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(6, 1, 6, 1);
    layout->setSpacing(4);
    layout->addWidget(new QLabel(caption, panel));
    value = new QLabel(panel);
    QFont bold = value->font();
    bold.setBold(true);
    value->setFont(bold);
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("00:00:00")));
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->addWidget(value);
    panel->setContextMenuPolicy(Qt::CustomContextMenu);
    return panel;
}

} // namespace

MainWindow::MainWindow(GameContext& ctx, QWidget* parent)
    : QMainWindow(parent), ctx_(ctx), sounds_(std::make_unique<SoundPlayer>(images_)) {
    setWindowTitle(kProduct);
    caption_ = kProduct;

    auto* centre = new QWidget(this);
    auto* row = new QHBoxLayout(centre);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    table_ = new TableView(centre);
    tablePlay_ = new TablePlay(ctx_, images_, table_);
    pauseScreen_ = new PauseScreen(tablePlay_->Painter(), table_, this);
    connect(tablePlay_, &TablePlay::played, this, [this] {
        WriteTableFile();
        updateUndoCommands();
        // The stored score is zero-filled to its field; the panel shows the plain number.
        ShowScore(QString::number(StoredScore(ctx_)));
    });
    scrollBar_ = new QScrollBar(Qt::Vertical, centre);
    scrollBar_->setObjectName(QStringLiteral("scrBarMain"));
    scrollBar_->setRange(0, 0);
    scrollBar_->hide();
    row->addWidget(table_, 1);
    row->addWidget(scrollBar_);
    setCentralWidget(centre);
    table_->setFocus();

    actions_ = BuildMainMenus(this);
    toolBars_ = BuildToolBars(this, actions_);
    addToolBar(Qt::TopToolBarArea, toolBars_.large);
    addToolBar(Qt::TopToolBarArea, toolBars_.small);
    toolBars_.small->hide();
    buildPanels();
    connectCommands();
    connectViewCommands();

    // The clock reads "0:00:00" until a game starts.
    ShowTime(QStringLiteral("0:00:00"));
    ShowScore(QStringLiteral("0"));
    clock_ = new QTimer(this);
    clock_->setInterval(1000);
    connect(clock_, &QTimer::timeout, this, &MainWindow::clockTick);

    // Until a game is dealt there is nothing to pause, give up, undo, redo, restart, keep or
    // customise.
    for (QAction* action : {actions_.pause, actions_.quitGame, actions_.undo, actions_.redo,
                            actions_.restartGame, actions_.save, actions_.holdAndExit,
                            actions_.insertBookmark, actions_.goToBookmark,
                            actions_.customizeRules})
        action->setEnabled(false);
    resize(1024, 768);
}

MainWindow::~MainWindow() {
    endWinnableSearch();
}

void MainWindow::ShowInstalledIcon() {
    // The installed icon, named as the desktop entry is; nothing where it is not installed.
    // Looking it up in the icon theme takes a while, so it waits for the table to show.
    if (!QGuiApplication::desktopFileName().isEmpty())
        setWindowIcon(QIcon::fromTheme(QGuiApplication::desktopFileName()));
}

void MainWindow::buildPanels() {
    timePanel_ = ValuePanel(this, QStringLiteral("Time:"), timeLabel_, QStringLiteral("pnlTempo"));
    scorePanel_ =
        ValuePanel(this, QStringLiteral("Score:"), scoreLabel_, QStringLiteral("pnlScore"));
    auto* corner = new QWidget(this);
    auto* layout = new QHBoxLayout(corner);
    layout->setContentsMargins(0, 1, 4, 1);
    layout->addWidget(timePanel_);
    layout->addWidget(scorePanel_);
    menuBar()->setCornerWidget(corner, Qt::TopRightCorner);

    connect(timePanel_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(this);
        menu.addAction(QStringLiteral("&Hide"), this, [this] { setPanelShown(true, false); });
        menu.exec(timePanel_->mapToGlobal(at));
    });
    connect(scorePanel_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(this);
        menu.addAction(QStringLiteral("Hide"), this, [this] { setPanelShown(false, false); });
        menu.exec(scorePanel_->mapToGlobal(at));
    });

    playerPanel_ = new QLabel(this);
    levelPanel_ = new QLabel(this);
    playerPanel_->setMinimumWidth(200);
    statusBar()->addWidget(playerPanel_);
    statusBar()->addWidget(levelPanel_, 1);
    statusBar()->setSizeGripEnabled(false);
    // Names for screen readers: the values' own texts say nothing of what they are.
    timeLabel_->setAccessibleName(QStringLiteral("Time"));
    scoreLabel_->setAccessibleName(QStringLiteral("Score"));
    playerPanel_->setAccessibleName(QStringLiteral("Player"));
    levelPanel_->setAccessibleName(QStringLiteral("Level"));
    scrollBar_->setAccessibleName(QStringLiteral("Scroll the table"));
    menuBar()->setAccessibleName(QStringLiteral("Menu bar"));
}

void MainWindow::connectCommands() {
    const MainActions& a = actions_;
    connect(a.newGame, &QAction::triggered, this, &MainWindow::newGame);
    connect(a.openGame, &QAction::triggered, this, &MainWindow::openGameBrowser);
    connect(a.exit, &QAction::triggered, this, &QWidget::close);
    connect(a.undo, &QAction::triggered, this, &MainWindow::undo);
    connect(a.redo, &QAction::triggered, this, &MainWindow::redo);
    connect(a.pause, &QAction::toggled, this, &MainWindow::togglePause);
    connect(a.quitGame, &QAction::triggered, this, &MainWindow::quitGame);
    connect(a.save, &QAction::triggered, this, &MainWindow::SaveGame);
    connect(a.restartGame, &QAction::triggered, this, &MainWindow::RestartGame);
    connect(a.insertBookmark, &QAction::triggered, this, &MainWindow::InsertBookmark);
    connect(a.goToBookmark, &QAction::triggered, this, &MainWindow::GoToBookmark);
    connect(a.holdAndExit, &QAction::triggered, this, &MainWindow::HoldAndExit);
    connect(a.favouritesDialog, &QAction::triggered, this, &MainWindow::EditFavourites);
    connect(a.players, &QAction::triggered, this, &MainWindow::ChoosePlayers);
    connect(a.hiScores, &QAction::triggered, this, [this] { ShowHiScoresOf(); });
    connect(a.gameNumber, &QAction::triggered, this, &MainWindow::SelectGameNumber);
    connect(a.fastSearch, &QAction::triggered, this, &MainWindow::ShowFastSearch);
    connect(a.customizeRules, &QAction::triggered, this, &MainWindow::CustomiseRules);
    connectSeriesCommands();
    const std::pair<QAction*, StatisticsKind> views[] = {
        {a.gameStatistics, StatisticsKind::Game},
        {a.playersStatistics, StatisticsKind::Players},
        {a.allGamesStatistics, StatisticsKind::AllGames},
        {a.logStatistics, StatisticsKind::Log},
        {a.overallScore, StatisticsKind::Overall}};
    for (const auto& [action, kind] : views)
        connect(action, &QAction::triggered, this, [this, kind = kind] { ShowStatistics(kind); });
    connect(a.randomFavourite, &QAction::triggered, this, [this] { PlayRandomGame(true); });
    connect(a.randomAll, &QAction::triggered, this, [this] { PlayRandomGame(false); });
    connect(a.autoplay, &QAction::triggered, this, &MainWindow::toggleAutoplay);
    connect(a.showLegalMove, &QAction::triggered, this, &MainWindow::ShowLegalMove);
    connect(a.demo, &QAction::triggered, this, &MainWindow::RunDemonstration);
    connect(a.isWinnable, &QAction::triggered, this, &MainWindow::AskWhetherWinnable);
    connect(a.winnableDealsOnly, &QAction::toggled, this, &MainWindow::SetWinnableDealsOnly);
    connect(a.gameInformation, &QAction::triggered, this,
            [this] { ShowGameInformation(this, ctx_); });
    connect(a.rules, &QAction::triggered, this, &MainWindow::showRules);
    connect(a.cardCounter, &QAction::triggered, this, [this] { cardCounter().Open(); });
    connect(a.customize, &QAction::triggered, this, [this] { Customise(); });
    // The popup's look commands open their page of "Customize".
    connect(a.popupCardSet, &QAction::triggered, this, [this] { Customise(1); });
    connect(a.popupDeck, &QAction::triggered, this, [this] { Customise(2); });
    connect(a.popupBackground, &QAction::triggered, this, [this] { Customise(3); });
    connect(a.comments, &QAction::triggered, this, [this] {
        CommentsDialog comments(ctx_, images_, this);
        comments.exec();
    });
    connect(a.contents, &QAction::triggered, this, [this] { ShowHelpContents(this); });
    connect(a.tipOfTheDay, &QAction::triggered, this, [this] { ShowTipOfTheDay(this, ctx_); });
    connect(a.about, &QAction::triggered, this, [this] {
        PlayEventSound(ctx_, *sounds_, QStringLiteral("About"), field::kSoundsAbout);
        ShowAboutBox(this, version_);
    });
    connect(table_, &TableView::popupRequested, this, [this](const QPoint& at) {
        if (GetSetting(ctx_.settings, field::kShowMainPopupMenu) != "N")
            actions_.tablePopup->exec(at);
    });

    const ToolBars& t = toolBars_;
    connect(t.largeIcons, &QAction::triggered, this, [this] {
        setLargeToolBar(true);
        WriteSettingString(ctx_, "Preference", "ToolBar_Large", "Y");
    });
    connect(t.smallIcons, &QAction::triggered, this, [this] {
        setLargeToolBar(false);
        WriteSettingString(ctx_, "Preference", "ToolBar_Large", "N");
    });
    connect(t.flatButtons, &QAction::triggered, this, [this] {
        setFlatButtons(true);
        WriteSettingString(ctx_, "Preference", "ToolBar_Flat", "Y");
    });
    connect(t.raisedButtons, &QAction::triggered, this, [this] {
        setFlatButtons(false);
        WriteSettingString(ctx_, "Preference", "ToolBar_Flat", "N");
    });
    connect(t.showTime, &QAction::triggered, this, [this] { setPanelShown(true, true); });
    connect(t.showScore, &QAction::triggered, this, [this] { setPanelShown(false, true); });
    connect(scrollBar_, &QScrollBar::valueChanged, this, [this] { layoutTable(); });
    // A drag near the top or the bottom of a table taller than the view scrolls it.
    connect(tablePlay_, &TablePlay::scrollRequested, this, [this](int direction) {
        if (scrollBar_->maximum() > 0)
            scrollBar_->triggerAction(direction < 0 ? QAbstractSlider::SliderPageStepSub
                                                    : QAbstractSlider::SliderPageStepAdd);
    });
}

QMenu* MainWindow::createPopupMenu() {
    // The tool bar's own menu stands in for the list of dockable bars.
    toolBars_.showTime->setEnabled(timePanel_->isHidden());
    toolBars_.showScore->setEnabled(scorePanel_->isHidden());
    auto* menu = new QMenu(this);
    menu->addActions(toolBars_.menu->actions());
    return menu;
}

void MainWindow::setLargeToolBar(bool large) {
    toolBars_.large->setVisible(large);
    toolBars_.small->setVisible(!large);
    toolBars_.largeIcons->setChecked(large);
    toolBars_.smallIcons->setChecked(!large);
}

void MainWindow::setFlatButtons(bool flat) {
    for (QToolBar* bar : {toolBars_.large, toolBars_.small})
        for (QToolButton* button : bar->findChildren<QToolButton*>())
            button->setAutoRaise(flat);
    toolBars_.flatButtons->setChecked(flat);
    toolBars_.raisedButtons->setChecked(!flat);
}

void MainWindow::applyToolBarSettings() {
    setLargeToolBar(ToolBarLarge(ctx_));
    setFlatButtons(ToolBarFlat(ctx_));
}

void MainWindow::setPanelShown(bool time, bool shown) {
    (time ? timePanel_ : scorePanel_)->setVisible(shown);
    StorePreference(ctx_, time ? "Show_Time" : "Show_Score", shown ? "Y" : "N");
}

void MainWindow::RedrawTable() {
    updateUndoCommands();
    tablePlay_->RedrawAll();
    table_->update();
    WriteTableFile();
}

void MainWindow::WriteTableFile() {
    // The game asked about has changed: its answer would no longer hold.
    if (winnable_ && !(ctx_.table == winnable_->table())) endWinnableSearch();
    // A deal under way is shown once its cards have landed.
    if (dealsInProgress_ > 0) return;
    // Every change of the table comes here: the card counter follows it too.
    if (cardCounter_ && cardCounter_->isVisible()) cardCounter_->Refresh();
    if (tableFile_.isEmpty()) return;
    QSaveFile file(tableFile_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) return;
    QTextStream out(&file);
    const bool inPlay = ctx_.flags[GameStateFlags::kInPlay] != 0;
    // Scripts tell a new writing from the last one by its number.
    out << "written " << ++tableFileWrites_ << '\n';
    out << "game " << currentGame() << '\n';
    out << "deal " << QString::fromStdString(GetSetting(ctx_.settings, field::kDealNumber)) << '\n';
    out << "state " << (inPlay ? "in-play" : "ended") << '\n';
    out << "paused " << (table_->paused() ? "yes" : "no") << '\n';
    const auto place = [this](const QRect& rect) {
        const QRect shown = table_->toWidget(rect);
        const QPoint at = table_->mapToGlobal(shown.topLeft());
        return QStringLiteral("%1 %2 %3 %4").arg(at.x()).arg(at.y()).arg(shown.width()).arg(
            shown.height());
    };
    if (tablePlay_->HasGame())
        for (const PileRef pile : UsedPiles(ctx_)) {
            out << "pile " << QString::fromStdString(PileName(pile)) << ' '
                << place(tablePlay_->PileRectInView(pile)) << ' '
                << place(ctx_.table.Pile(pile).empty() ? tablePlay_->PileRectInView(pile)
                                                       : tablePlay_->CardRectInView(pile))
                << ' ' << QString::fromStdString(PileCardsText(ctx_, pile)) << '\n';
        }
    out.flush();
    file.commit();
}

CardCounterWindow& MainWindow::cardCounter() {
    if (!cardCounter_) cardCounter_ = new CardCounterWindow(ctx_, images_, this);
    return *cardCounter_;
}

void MainWindow::RedrawPile(PileRef pile) {
    tablePlay_->RedrawPile(pile);
}

void MainWindow::AnimateDeal() {
    table_->clearArrow();
    // A new deal shows the table from its top.
    if (scrollBar_->value() != 0) scrollBar_->setValue(0);
    tablePlay_->AnimateDeal();
    updateGameCommands();
    WriteTableFile();
}

void MainWindow::ShowScore(const QString& text) {
    scoreLabel_->setText(text);
}

void MainWindow::ShowTime(const QString& text) {
    timeLabel_->setText(text);
}

void MainWindow::EnableCommand(Host::Command command, bool enabled) {
    QAction* action = nullptr;
    switch (command) {
    case Host::Command::Pause:
        action = actions_.pause;
        break;
    case Host::Command::QuitGame:
        action = actions_.quitGame;
        break;
    case Host::Command::Save:
        action = actions_.save;
        break;
    case Host::Command::InsertBookmark:
        action = actions_.insertBookmark;
        break;
    case Host::Command::GoToBookmark:
        action = actions_.goToBookmark;
        break;
    case Host::Command::HoldAndExit:
        action = actions_.holdAndExit;
        break;
    case Host::Command::Undo:
    case Host::Command::Redo:
        updateUndoCommands();
        break;
    case Host::Command::Tutor:
        updateTutorCommands();
        break;
    case Host::Command::Customize:
        // Customising comes with its own window; until then the command stays disabled.
        break;
    }
    if (action) action->setEnabled(enabled);
}

void MainWindow::updateUndoCommands() {
    const bool inPlay = ctx_.flags[GameStateFlags::kInPlay] != 0;
    actions_.undo->setEnabled(inPlay && ctx_.undoHistory.undo.Steps() > 0);
    actions_.redo->setEnabled(inPlay && ctx_.undoHistory.redo.Steps() > 0);
}

void MainWindow::updateGameCommands() {
    const bool inPlay = ctx_.flags[GameStateFlags::kInPlay] != 0;
    actions_.pause->setEnabled(inPlay);
    actions_.quitGame->setEnabled(inPlay);
    // A dealt game, in play or over, can be dealt again as it was.
    actions_.restartGame->setEnabled(tablePlay_->HasGame());
    actions_.goToBookmark->setEnabled(inPlay && HasBookmark(ctx_));
    actions_.customizeRules->setEnabled(currentGame() >= 0 && tablePlay_->HasGame());
    updateUndoCommands();
    updateTutorCommands();
    updateSeriesCommands();
    updateStatusBar();
    UpdateCaption();
}

int MainWindow::currentGame() const {
    const std::string stored = GetSetting(ctx_.settings, field::kGameNumber);
    return stored.empty() ? -1 : std::atoi(stored.c_str());
}

void MainWindow::UpdateCaption() {
    QString caption = kProduct;
    const std::string game = GetSetting(ctx_.settings, field::kGameName);
    caption += QStringLiteral(" [") + QString::fromStdString(game) + QLatin1Char(']');
    caption += QStringLiteral("  [") +
               QString::fromStdString(GetSetting(ctx_.settings, field::kUserDefault)) +
               QLatin1Char(']');
    const std::string deal = GetSetting(ctx_.settings, field::kDealNumber);
    if (!deal.empty())
        caption += QStringLiteral("  [") + QString::fromStdString(deal) + QLatin1Char(']');
    if (caption != caption_) {
        caption_ = caption;
        setWindowTitle(caption);
    }
}

void MainWindow::updateStatusBar() {
    playerPanel_->setText(QStringLiteral("Player: ") +
                          QString::fromStdString(GetSetting(ctx_.settings, field::kUserDefault)));
    const int game = currentGame();
    QString level;
    if (game >= 0) {
        const std::string difficulty = browser::Describe(ctx_, game).difficulty;
        if (!difficulty.empty())
            level = QStringLiteral("Level: ") + QString::fromStdString(difficulty);
    }
    levelPanel_->setText(level);
}

void MainWindow::layoutTable() {
    LayoutArea& area = ctx_.layoutArea;
    // A zoomed table lays its piles out in its own units.
    area.usableWidth = table_->tableWidth();
    area.windowHeight = static_cast<int>(height() / table_->zoom());
    area.bottom = table_->tableHeight() - 1;
    area.top = 5;
    area.screenWidth = ctx_.host.ScreenWidth();
    area.screenHeight = ctx_.host.ScreenHeight();
    area.shadowOffset = ShadowOffset(ctx_);
    if (currentGame() >= 0 && ctx_.Param(param::kDeckSize) != 0) LayoutPiles(ctx_, scrollBar_->value());
    tablePlay_->Layout();
    // The scroll range covers the cards that lie below the view.
    scrollBar_->setPageStep(std::max(1, table_->tableHeight() / 2));
    scrollBar_->setMaximum(std::max(0, tablePlay_->TableHeight() - table_->tableHeight()));
    // The scroll bar shows only when the player wants it and the table is taller than the view.
    scrollBar_->setVisible(GetSetting(ctx_.settings, field::kVertScrollBar) == "Y" &&
                           scrollBar_->maximum() > 0);
    if (table_->paused())
        pauseScreen_->Start(); // the new size hides the cards again
    else
        RedrawTable();
    fitAfterLayout();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    keepNormalPlace();
    if (!ctx_.flags[GameStateFlags::kStartingUp]) layoutTable();
    // Once the player stops resizing, fitting the cards to the window is offered.
    // Only a resize by the player counts: those of the start-up are over by then.
    if (fitOfferTimer_ && !fitToWindow_ && event->oldSize().isValid() &&
        event->oldSize() != event->size() && sinceStart_.isValid() &&
        sinceStart_.elapsed() > kFitOfferAfterStartMs)
        fitOfferTimer_->start();
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    keepNormalPlace();
}

void MainWindow::keepNormalPlace() {
    // The geometry of a window on its way to being maximized may come before its mark.
    if (isVisible() && !isMaximized() && !isFullScreen() && !isMinimized() && !fillsScreen())
        normalPlace_ = geometry();
}

// Commands.

void MainWindow::newGame() {
    if (currentGame() < 0) {
        openGameBrowser();
        return;
    }
    // Game → "Winnable deals only": the new deal is one the solver has won.
    if (WinnableDealsOnly()) {
        StartGameDeal(currentGame(), "", "");
        return;
    }
    {
        const DealInProgress dealing(*this);
        NewGameCommand(ctx_);
        noteGameStarted();
        updateGameCommands();
        AnimateDeal();
    }
    WriteTableFile();
}

void MainWindow::openGameBrowser() {
    bool demonstrate = false;
    bool savedGameOpened = false;
    std::optional<DealInProgress> dealing;
    // A deal played from the statistics closes the browser and starts once it is gone.
    std::optional<std::pair<int, std::string>> logDeal;
    {
        // The browser goes, with the windows it opened (its Rules), before the game starts.
        GameBrowser browser(ctx_, images_, this);
        // "Open a saved game..." opens it from within the browser, which then closes.
        browser.setOpenSavedGame([this] { return OpenSavedGame(); });
        browser.setDeleteGame([this](int game) { return DeleteCustomisedGame(game, true); });
        browser.setEditFavourites([this] { EditFavourites(); });
        browser.setShowStatistics([this, &browser, &logDeal](int game, const std::string& player) {
            StatisticsLinks links = statisticsLinks();
            links.playDeal = [&browser, &logDeal](int chosen, const std::string& deal) {
                logDeal.emplace(chosen, deal);
                browser.reject();
                return true;
            };
            ShowGameStatistics(&browser, ctx_, game, links, player);
        });
        if (browser.exec() == QDialog::Accepted && !browser.savedGameOpened()) {
            dealing.emplace(*this);
            demonstrate = browser.demoRequested();
            const int game = browser.chosenGame();
            ctx_.play.autoplayTicked = AutoplayWanted(ctx_, game);
            actions_.autoplay->setChecked(ctx_.play.autoplayTicked);
            SelectAndStartGame(ctx_, game, browser.chosenName(), browser.chosenPlayer(),
                               kNewDealNumber, false);
            noteGameStarted();
        }
        savedGameOpened = browser.savedGameOpened();
    }
    // A saved game opened from the browser is on the table already.
    if (savedGameOpened) return;
    if (logDeal) {
        statisticsLinks().playDeal(logDeal->first, logDeal->second);
        return;
    }
    // Without a current game there is nothing for the game commands to act on.
    if (currentGame() < 0)
        for (QAction* action :
             {actions_.newGame, actions_.pause, actions_.quitGame, actions_.undo, actions_.redo})
            action->setEnabled(false);
    else
        actions_.newGame->setEnabled(true);
    updateGameCommands();
    layoutTable();
    if (currentGame() >= 0 && ctx_.flags[GameStateFlags::kInPlay]) AnimateDeal();
    dealing.reset();
    WriteTableFile();
    // The browser's "Demo": the chosen game plays itself.
    if (demonstrate) RunDemonstration();
}

void MainWindow::quitGame() {
    if (!ctx_.flags[GameStateFlags::kInPlay] || !ConfirmLeaveGame(ctx_)) return;
    if (actions_.pause->isChecked()) actions_.pause->setChecked(false);
    fnEndGame(ctx_);
    updateGameCommands();
    RedrawTable();
}

void MainWindow::undo() {
    Undo(ctx_);
    RedrawTable();
}

void MainWindow::redo() {
    Redo(ctx_);
    RedrawTable();
}

void MainWindow::togglePause(bool paused) {
    if (paused == table_->paused()) return;
    if (paused) {
        if (!ctx_.flags[GameStateFlags::kInPlay]) {
            actions_.pause->setChecked(false);
            return;
        }
        // Nothing stays held by the pointer under the pause screen.
        tablePlay_->CancelGesture();
        PauseClock(ctx_, ctx_.host.Now());
        // While paused, a key or a click goes on with the game and does nothing else.
        qApp->installEventFilter(this);
    } else {
        qApp->removeEventFilter(this);
        ResumeClock(ctx_, ctx_.host.Now());
    }
    table_->setPaused(paused);
    if (paused) {
        pauseScreen_->Start();
        WriteTableFile();
    } else {
        pauseScreen_->Stop();
        RedrawTable();
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (!table_->paused()) return QMainWindow::eventFilter(watched, event);
    const auto inThisWindow = [&] {
        if (watched->isWidgetType()) return static_cast<QWidget*>(watched)->window() == this;
        return watched->isWindowType() && watched == static_cast<QObject*>(windowHandle());
    };
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // The Pause command's own keys go on through it; no other shortcut fires while
        // paused: its key press only ends the pause.
        if (!inThisWindow()) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (QKeySequence(key->keyCombination()) == actions_.pause->shortcut()) return false;
        event->accept();
        return true;
    }
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Shift, Ctrl or Alt alone are the first half of a shortcut, not a key press.
        switch (key->key()) {
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_Meta:
        case Qt::Key_Super_L:
        case Qt::Key_Super_R:
        case Qt::Key_CapsLock:
        case Qt::Key_NumLock:
            return false;
        default:
            break;
        }
        if (!inThisWindow()) return false;
        actions_.pause->setChecked(false);
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
        // A click anywhere in the window, its menu bar included, goes on with the game.
        if (watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this) {
            actions_.pause->setChecked(false);
            return true;
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && demo_ && demo_->isVisible() && !demoRunning_) {
        CloseDemoWindow();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::toggleAutoplay(bool on) {
    ctx_.play.autoplayTicked = on;
    StoreAutoplay(ctx_, currentGame(), on);
    if (on && ctx_.flags[GameStateFlags::kInPlay]) {
        AutoplayAndFill(ctx_);
        updateGameCommands();
        RedrawTable();
    }
}

void MainWindow::showRules() {
    const int game = currentGame();
    if (game < 0) {
        ctx_.host.ShowInformation("Select a game");
        return;
    }
    const int base = game >= 8000 ? CustomGameBase(ctx_, game).base : game;
    ShowRulesWindow(this, GetSetting(ctx_.settings, field::kGameName),
                    ReadRulesText(RulesFilePath(ctx_), base));
}

void MainWindow::clockTick() {
    if (!ctx_.flags[GameStateFlags::kClockRuns]) return;
    fnClockTick(ctx_, ctx_.host.Now());
    ShowTime(QString::fromStdString(ctx_.play.timeText));
}

} // namespace quendra
