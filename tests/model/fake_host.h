#pragma once

#include "host.h"

#include <deque>
#include <string>
#include <vector>

namespace quendra::test {

// Records every call and answers prompts from queues.
class FakeHost : public Host {
  public:
    void ShowInformation(const std::string& text) override { informations.push_back(text); }
    void ShowError(const std::string& text) override { errors.push_back(text); }
    bool Confirm(const std::string& text) override {
        confirmations.push_back(text);
        if (confirmAnswers.empty()) return true;
        const bool answer = confirmAnswers.front();
        confirmAnswers.pop_front();
        return answer;
    }
    Answer AskYesNoCancel(const std::string& text) override {
        confirmations.push_back(text);
        if (yesNoAnswers.empty()) return Answer::Yes;
        const Answer answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }
    void Beep() override { ++beeps; }
    bool ShowAdvice(const std::string& message, int page) override {
        advices.push_back(message);
        advicePages.push_back(page);
        if (adviceTicks.empty()) return false;
        const bool ticked = adviceTicks.front();
        adviceTicks.pop_front();
        return ticked;
    }
    void BeginWait() override {
        ++waitDepth;
        ++waits;
    }
    void EndWait() override { --waitDepth; }
    int ScreenWidth() const override { return screenWidth; }
    int ScreenHeight() const override { return screenHeight; }

    std::vector<std::string> informations, errors, confirmations;
    std::deque<bool> confirmAnswers;
    std::deque<Answer> yesNoAnswers;
    // Advice boxes shown, their pages, and whether each is ticked "don't show again".
    std::vector<std::string> advices;
    std::vector<int> advicePages;
    std::deque<bool> adviceTicks;
    int beeps = 0, waits = 0, waitDepth = 0;
    int screenWidth = 1280, screenHeight = 1024;
};

} // namespace quendra::test
