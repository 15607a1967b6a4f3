#pragma once

#include "host.h"

#include <string>
#include <vector>

namespace quendra {

// A host that shows nothing and answers every question with its default; what it was told
// is kept in `messages`. Searches, checks and benchmarks play through it.
class SilentHost : public Host {
  public:
    explicit SilentHost(int screenWidth = 1024, int screenHeight = 768)
        : screenWidth_(screenWidth), screenHeight_(screenHeight) {}

    void ShowInformation(const std::string& text) override { messages.push_back(text); }
    void ShowError(const std::string& text) override { messages.push_back(text); }
    bool Confirm(const std::string&) override { return true; }
    Answer AskYesNoCancel(const std::string&) override { return Answer::Yes; }
    void Beep() override {}
    void BeginWait() override {}
    void EndWait() override {}
    bool ShowAdvice(const std::string&, int) override { return false; }
    int ScreenWidth() const override { return screenWidth_; }
    int ScreenHeight() const override { return screenHeight_; }

    std::vector<std::string> messages;

  private:
    int screenWidth_;
    int screenHeight_;
};

} // namespace quendra
