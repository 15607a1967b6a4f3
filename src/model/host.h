#pragma once

#include "table.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quendra {

// Everything the core shows to the player or waits for goes through this port: the window
// implements it with widgets, the command-line tool answers from its options, tests script it.
class Host {
  public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Host() = default;

    // Information box with an OK button.
    virtual void ShowInformation(const std::string& text) = 0;
    // Error box titled "Error"; used before the program stops on a missing file.
    virtual void ShowError(const std::string& text) = 0;
    // OK / Cancel; true for OK.
    virtual bool Confirm(const std::string& text) = 0;
    virtual Answer AskYesNoCancel(const std::string& text) = 0;
    // A refused move or command.
    virtual void Beep() = 0;
    // The hourglass cursor during long work; calls nest.
    virtual void BeginWait() = 0;
    virtual void EndWait() = 0;
    // The advice box, caption "Information": the message, the picture of `page` and a check
    // box "&Don't show this message box again"; true when the box was ticked on closing.
    virtual bool ShowAdvice(const std::string& message, int page) = 0;
    // Size of the screen the program runs on, in pixels.
    virtual int ScreenWidth() const = 0;
    virtual int ScreenHeight() const = 0;

    // What the table shows and plays. The headless hosts keep the defaults: nothing is drawn,
    // nothing waits.

    // Plays a sound of the images module by name ("Foundation", "Stock", "Redeal" ...); the
    // caller has already checked its switch.
    virtual void PlaySound(const std::string& /*name*/) {}
    // A pile's picture is out of date.
    virtual void RedrawPile(PileRef /*pile*/) {}
    // The whole table is out of date.
    virtual void RedrawTable() {}
    // The stock place drawn pressed (a stock operation armed) or normal.
    virtual void DrawStockPressed(bool /*pressed*/) {}
    // A card flies from one pile to another (the table already shows it at its new place).
    virtual void FlyCard(int /*card*/, PileRef /*from*/, PileRef /*to*/) {}
    // Waits while window messages go on being processed.
    virtual void Wait(int /*milliseconds*/) {}
    // The tutor: before the next-move finder plays a move it shows it, an arrow from the card
    // at `position` of `from` (moving with the cards on it, `cardCount` in all) to `to`.
    virtual void ShowProposedMove(PileRef /*from*/, int /*position*/, PileRef /*to*/,
                                  int /*cardCount*/) {}
    // The proposed move was played, or the hint display ended: the arrow goes.
    virtual void ClearProposedMove() {}
    // What the tutor does or found: "Move the card", "Click to redeal", "End of Demo" ...
    virtual void ShowTutorText(const std::string& /*text*/) {}
    // The score or the clock changed.
    virtual void ShowScore(const std::string& /*text*/) {}
    // The grids scored by lines (poker, cribbage): a line just scored is shown, its cards
    // marked for a moment, with its hand, its points and the total so far.
    virtual void ShowScoredLine(const std::vector<PileRef>& /*piles*/, const std::string& /*hand*/,
                                int /*points*/, int /*total*/) {}
    virtual void ShowTime(const std::string& /*text*/) {}

    // Commands the core enables and disables.
    enum class Command {
        Pause,
        QuitGame,
        InsertBookmark,
        GoToBookmark,
        Save,
        HoldAndExit,
        Tutor,
        Undo,
        Redo,
        Customize
    };
    virtual void EnableCommand(Command /*command*/, bool /*enabled*/) {}

    // A game ended: its result goes to the statistics, the hi-scores and the series.
    struct GameResult {
        int game = 0;
        std::string deal;
        std::string player;
        bool won = false;
        int score = 0;
        int seconds = 0;
        std::int64_t endTime = 0; // seconds since the epoch
    };
    virtual void RecordGameResult(const GameResult& /*result*/) {}
    // After a won game: the winning animation, then the "Game won" dialog.
    virtual void CelebrateWin() {}
    // While a series runs, its "Series in progress" dialog decides whether the game in play
    // may be left; nothing when no series runs.
    virtual std::optional<bool> ConfirmLeaveSeriesGame() { return std::nullopt; }

    // Now, in seconds since the epoch (tests set the time they need).
    virtual std::int64_t Now() const;
};

// Shows the wait cursor for the lifetime of the object.
class WaitCursor {
  public:
    explicit WaitCursor(Host& host) : host_(host) { host_.BeginWait(); }
    ~WaitCursor() { host_.EndWait(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    Host& host_;
};

} // namespace quendra
