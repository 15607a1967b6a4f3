#pragma once

#include "host.h"

#include <iosfwd>
#include <utility>
#include <vector>

namespace quendra {

// The headless host: messages go to standard error, questions take their default answer,
// nothing is drawn and nothing waits.
class CliHost : public Host {
  public:
    explicit CliHost(std::ostream& err, bool answerYes = true) : err_(err), yes_(answerYes) {}

    void ShowInformation(const std::string& text) override;
    void ShowError(const std::string& text) override;
    bool Confirm(const std::string& text) override;
    Answer AskYesNoCancel(const std::string& text) override;
    bool ShowAdvice(const std::string& message, int page) override;
    void Beep() override {}
    void BeginWait() override {}
    void EndWait() override {}
    int ScreenWidth() const override { return 1024; }
    int ScreenHeight() const override { return 768; }
    void RecordGameResult(const GameResult& result) override {
        won_ = won_ || result.won;
        results_.push_back(result);
    }

    // True once a game ended as won.
    bool GameWon() const { return won_; }
    // The games that ended, for the statistics; taken once.
    std::vector<GameResult> TakeResults() { return std::exchange(results_, {}); }

  private:
    void Print(const std::string& text);

    std::ostream& err_;
    bool yes_;
    bool won_ = false;
    std::vector<GameResult> results_;
};

} // namespace quendra
