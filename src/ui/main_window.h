#pragma once

#include "host.h"
#include "images_module.h"
#include "main_menus.h"
#include "statistics_views.h"

#include <memory>
#include <optional>
#include <vector>

#include <QElapsedTimer>
#include <QHash>
#include <QMainWindow>

class QCursor;
class QFrame;
class QLabel;
class QScrollBar;
class QTimer;

class QProgressDialog;

namespace quendra {

class WinnableSearch;

struct GameContext;
class CardCounterWindow;
class DemoWindow;
class FastSearchWindow;
class SeriesPanel;
struct SeriesInProgress;
class PauseScreen;
class SoundPlayer;
class TablePlay;
class TableView;

// The main window: the card table and around it the menus, the tool bars, the clock, the
// score and the status bar. It runs the start-up of the program, the first activation
// (which opens the game browser), the one-second clock and the closing.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(GameContext& ctx, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The start-up sequence: the images module, the settings, the catalogue. False when a
    // required file is missing (the player has been told): the program then ends.
    bool StartUp();
    // Shows the window where it was last closed (maximised unless stored otherwise).
    void ShowWithPlacement();
    // Gives the window the installed program's icon (once the table shows).
    void ShowInstalledIcon();
    // Maximized and filling the screen (a window made smaller since is not).
    bool coversScreen() const;
    // As large as the screen's free area, whatever the mark says.
    bool fillsScreen() const;
    // The version shown in the about box.
    void setVersion(const QString& version) { version_ = version; }
    // Whether the first activation opens the game browser (it does unless told otherwise).
    void setBrowserAtStart(bool open) { browserAtStart_ = open; }
    // A file that shows the table to scripts: written anew (whole, by a rename) after every
    // change of the table and when the program ends. See WriteTableFile.
    void setTableFile(const QString& path) { tableFile_ = path; }
    // Writes the game, the deal, whether it is in play, won or paused, and every pile with its
    // place and its top card's place on the screen and its cards.
    void WriteTableFile();
    // Starts game `game` on deal `dealNumber` (1 to 13 digits; a new deal number when empty),
    // the way a game chosen with its deal number starts: the game in play ends first. False
    // for an unknown game, a malformed deal number or when the player keeps the current game.
    // `player`: the player it starts for (the current one when empty).
    bool StartGameDeal(int game, const std::string& dealNumber = {},
                       const std::string& player = {});

    TableView* table() const { return table_; }
    TablePlay* tablePlay() const { return tablePlay_; }
    PauseScreen* pauseScreen() const { return pauseScreen_; }
    GameContext& context() { return ctx_; }
    QScrollBar* scrollBar() const { return scrollBar_; }
    const MainActions& actions() const { return actions_; }
    const ToolBars& toolBars() const { return toolBars_; }
    QLabel* timeLabel() const { return timeLabel_; }
    QLabel* scoreLabel() const { return scoreLabel_; }
    QFrame* timePanel() const { return timePanel_; }
    QFrame* scorePanel() const { return scorePanel_; }
    ImagesModule& images() { return images_; }
    SoundPlayer& sounds() { return *sounds_; }

    // What the host hands on from the core.
    void RedrawTable();
    void RedrawPile(PileRef pile);
    // The cards of a new deal fly to their piles (with the deal animation on).
    void AnimateDeal();
    void ShowScore(const QString& text);
    void ShowTime(const QString& text);
    void EnableCommand(Host::Command command, bool enabled);
    // Lays the piles out in the table's size and draws the table.
    void layoutTable();
    // The caption "Quendra 2000 [game]  [player]  [deal]".
    void UpdateCaption();

    // The tutor. "Show a legal move": the next move is shown with an arrow and played, or
    // the player is told that there is none.
    void ShowLegalMove();
    // "Demo": the game plays itself, move after move, until nothing is left, the demo window
    // is closed or stopped, or the game ends.
    void RunDemonstration();
    bool DemonstrationRunning() const { return demoRunning_; }
    // "Is this game winnable?": the solver searches the game as it stands on a thread of its
    // own, the window going on meanwhile; the answer comes in a message, unless the game
    // changes first, which ends the search.
    void AskWhetherWinnable();
    // Game → "Winnable deals only", kept in CFG.DAT: a new deal is drawn until the solver
    // wins one within the time allowed (Winnable_Deals_Seconds, 3 by default).
    bool WinnableDealsOnly() const;
    void SetWinnableDealsOnly(bool on);
    bool WinnableSearchRunning() const { return winnable_ != nullptr; }
    // Closes the Demo window when it is open (Escape on the table does it too).
    void CloseDemoWindow();
    // Null until the first demonstration.
    DemoWindow* demoWindow() const { return demo_; }
    // The "Card counter" window, made when first asked for.
    CardCounterWindow& cardCounter();
    // "C&ustomize...", opened on page `page` (0: General); the choices apply at once.
    void Customise(int page = 0);
    // Brings the stored look to the window: tool bar, panels, cursor, cards and background.
    void ApplyCustomisation();
    // What the host hands on from the tutor.
    void ShowProposedMove(PileRef from, int position, PileRef to, int cardCount);
    void ClearProposedMove();
    void ShowTutorText(const QString& text);

    // Keeping a game (main_window_keeping.cpp).
    // "&Save...": the save dialog, then the game written to the chosen file.
    void SaveGame();
    // The open dialog, then the chosen saved game on the table; true when one was opened.
    bool OpenSavedGame();
    // "&Restart game", "Insert &bookmark", "Go &to bookmark".
    void RestartGame();
    void InsertBookmark();
    void GoToBookmark();
    // "&Hold and exit...": the game is held and the window closes.
    void HoldAndExit();
    // The "Favorite games" dialog, and the submenu of favourite games.
    void EditFavourites();
    void RebuildFavouritesMenu();
    // "R&andom game": from the favourites (true) or from all games.
    void PlayRandomGame(bool fromFavourites);
    // At the first activation: a held game comes back on the table (not when a game was
    // asked for on the command line).
    void setResumeHeldGame(bool resume) { resumeHeldGame_ = resume; }
    // A game ended: it is recorded in the statistics, the log, the hi-scores and the overall
    // score.
    void GameEnded(const Host::GameResult& result);

    // Records (main_window_records.cpp).
    // "&Players...": the players dialog; a player who becomes current starts on an empty
    // table with the game browser.
    void ChoosePlayers();
    // "&Hi-Scores...": the hi-scores of `game` (the current game when -1), with the row of a
    // new entry marked and the caption that says so.
    void ShowHiScoresOf(int game = -1, int newRank = -1, const QString& title = {});
    // The statistics views of the Statistics menu, for the game on the table.
    enum class StatisticsKind { Game, Players, AllGames, Log, Overall };
    void ShowStatistics(StatisticsKind kind);
    // What the views open: the hi-scores, and a deal of the log started on the table.
    StatisticsLinks statisticsLinks();

    // "Customize &rules...": a variant of the game on the table, kept as a customised game
    // and offered to play (main_window_rules.cpp).
    void CustomiseRules();
    // Deletes customised game `game` after asking (the question says when it is the game
    // being played, asked from the browser); the game on the table is ended first when it is
    // that game, and no game is current afterwards. True when it was deleted.
    bool DeleteCustomisedGame(int game, bool fromBrowser);

    // "S&elect a game number...": the dialog, then the chosen game on the chosen deal.
    void SelectGameNumber();
    // "Games Fast Search...": the floating list of games, made when first asked for.
    void ShowFastSearch();
    FastSearchWindow* fastSearch() const { return fastSearch_; }

    // Series (main_window_series.cpp).
    // "Series Manager...": a series chosen there starts for the player chosen.
    void OpenSeriesManager();
    // Starts series `number`: the game in play is left, the first game starts for `player`.
    bool StartSeriesGames(int number, const std::string& player);
    // "Next game": the next game of the series (the one in play given up first when
    // `skipCurrent`); past the last game the series ends and the manager opens. `asked`: the
    // player has already agreed to leave the game in play.
    void NextSeriesGame(bool skipCurrent, bool asked = false);
    // "Quit Series" (asking "Quit this Series?" with `ask`): the game in play is ended, the
    // totals go to the series hi-scores, the series file is deleted.
    void EndSeries(bool ask, bool openManager);
    // "Situation...": the series' games and results; after a game it offers the next one.
    void ShowSeriesSituation(bool afterGame = false);
    // "Statistics..." of the Series menu: the series hi-scores.
    void ShowSeriesHiScores(int number = -1, int newRank = -1, const QString& title = {});
    // The "Series in progress" question when a game of a series would be left; nothing
    // when no series runs.
    std::optional<bool> ConfirmLeaveSeriesGame();
    // The series in progress; null when none runs.
    const SeriesInProgress* series() const { return series_.get(); }
    SeriesPanel* seriesPanel() const { return seriesPanel_; }

  public slots:
    // "Game won", with the figures and what to play next; shown again when what was chosen
    // started no game.
    void ShowGameWon();
    // "Open a game": the game browser; a chosen game is started.
    void openGameBrowser();
    void firstActivation();
    // The one-second clock.
    void clockTick();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void keepNormalPlace();
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    QMenu* createPopupMenu() override;

  private:
    void buildPanels();
    void connectCommands();
    void applyToolBarSettings();
    void setLargeToolBar(bool large);
    void setFlatButtons(bool flat);
    void setPanelShown(bool time, bool shown);
    void loadCursors();
    void applyCursor();
    void updateStatusBar();
    void updateUndoCommands();
    void updateGameCommands();
    // The tutor's commands follow the game in play and its parameter 45.
    void updateTutorCommands();
    // The Series menu and the panel follow the series in progress.
    void connectSeriesCommands();
    void updateSeriesCommands();
    void seriesGameEnded(const Host::GameResult& result);
    void resumeSeries();
    void afterSeriesGame(bool won);
    void showSeriesPanel(bool shown);
    // After a move of the tutor: the score and the undo commands, as after the player's.
    void afterTutorMove();
    void createDemoWindow();
    // Undoes up to three steps between two moves of a demonstration.
    void stepBackInDemonstration();
    int currentGame() const;

    // A game came on the table without a deal (opened, resumed, restarted, a bookmark).
    void afterGameLoaded();
    // The recent games and deal numbers learn of a game started.
    void noteGameStarted();
    // What closing does with a game in play; false when the window is to stay open.
    bool keepGameAtClose();

    void newGame();
    void quitGame();
    void undo();
    void redo();
    void togglePause(bool paused);
    void toggleAutoplay(bool on);
    void showRules();
    // The View menu (main_window_view.cpp).
    void connectViewCommands();
    void applyViewSettings();
    void stepZoom(int direction);
    void setZoomPercent(int percent);
    int zoomPercent() const;
    void setFitToWindow(bool on);
    // The zoom at which the piles as they lie fill the window without leaving it.
    int fitZoomPercent() const;
    void fitAfterLayout();
    void offerFit();

    GameContext& ctx_;
    ImagesModule images_;
    std::unique_ptr<SoundPlayer> sounds_;
    MainActions actions_;
    ToolBars toolBars_;
    TableView* table_{};
    TablePlay* tablePlay_{};
    PauseScreen* pauseScreen_{};
    QScrollBar* scrollBar_{};
    QFrame* timePanel_{};
    QFrame* scorePanel_{};
    QLabel* timeLabel_{};
    QLabel* scoreLabel_{};
    QLabel* playerPanel_{};
    QLabel* levelPanel_{};
    QTimer* clock_{};
    QHash<int, QCursor> cursors_;
    QString caption_;
    QString tableFile_;
    bool resumeHeldGame_ = true;
    // Where the window lies when it is neither maximized nor minimized.
    QRect normalPlace_;
    int dealsInProgress_ = 0;
    long long tableFileWrites_ = 0;
    // From the choice of a deal to its last card landed.
    struct DealInProgress {
        explicit DealInProgress(MainWindow& window) : window_(window) {
            ++window_.dealsInProgress_;
        }
        ~DealInProgress() { --window_.dealsInProgress_; }
        DealInProgress(const DealInProgress&) = delete;
        DealInProgress& operator=(const DealInProgress&) = delete;
        MainWindow& window_;
    };
    QString version_;
    bool browserAtStart_ = true;
    bool started_ = false;
    bool firstActivationDone_ = false;
    bool closeAfterAnimation_ = false;
    bool closing_ = false; // the game in play is being dealt with on the way out
    // The series in progress and its panel.
    std::unique_ptr<SeriesInProgress> series_;
    SeriesPanel* seriesPanel_{};
    bool seriesQuiet_ = false;      // the series itself ends the game: no situation shown
    bool seriesWonPending_ = false; // a won series game waits for its animation to end
    CardCounterWindow* cardCounter_{};
    // The tutor.
    DemoWindow* demo_{};
    QObject* tutorGuard_{};
    // The search of "Is this game winnable?" under way and its progress.
    WinnableSearch* winnable_{};
    QProgressDialog* winnableProgress_{};
    void endWinnableSearch();
    // "Show a legal move" when the move finder sees none: the first move of a win the solver
    // finds within a few seconds, shown and played. False when it finds none.
    bool playSolversMove();
    // The solver's winning line from the table of `from`: the hints follow it while the table
    // is the one its next move starts from.
    void keepSolversLine(const GameContext& from, const std::vector<struct FoundMove>& moves);
    // Shows and plays the next move of the line kept; false (and the line dropped) when
    // there is none or the table has changed another way.
    bool playSolversLine();
    std::shared_ptr<struct SolverLine> solverLine_;
    // A deal number the solver wins, drawn at random (`proved` false, and the last one
    // drawn, when the time ran out first).
    std::string DrawWinnableDeal(int game, const std::string& name, const std::string& player,
                                 bool& proved);
    bool demoRunning_ = false;
    bool demoStop_ = false;
    bool demoStepBack_ = false;
    QString tutorText_;
    FastSearchWindow* fastSearch_{};
    // The View menu.
    bool fitToWindow_ = false;
    bool fitting_ = false;
    bool fitDeclined_ = false;
    QFrame* fitOffer_{};
    QTimer* fitOfferTimer_{};
    QElapsedTimer sinceStart_; // from the first activation
};

} // namespace quendra
