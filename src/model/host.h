#pragma once

#include <string>

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
