#pragma once

#include "host.h"

#include <deque>
#include <string>
#include <utility>
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
    void PlaySound(const std::string& name) override { sounds.push_back(name); }
    void DrawStockPressed(bool pressed) override { stockPressed.push_back(pressed); }
    void FlyCard(int card, PileRef /*from*/, PileRef /*to*/) override { flights.push_back(card); }
    void ShowScore(const std::string& text) override { scores.push_back(text); }
    void ShowTime(const std::string& text) override { times.push_back(text); }
    void EnableCommand(Command command, bool enabled) override {
        commands.push_back({command, enabled});
    }
    void RecordGameResult(const GameResult& result) override { results.push_back(result); }
    void CelebrateWin() override { ++celebrations; }
    // The real time unless a test sets `now`.
    std::int64_t Now() const override { return now != 0 ? now : Host::Now(); }
    int ScreenHeight() const override { return screenHeight; }

    std::vector<std::string> informations, errors, confirmations;
    std::deque<bool> confirmAnswers;
    std::deque<Answer> yesNoAnswers;
    // Advice boxes shown, their pages, and whether each is ticked "don't show again".
    std::vector<std::string> advices;
    std::vector<int> advicePages;
    std::deque<bool> adviceTicks;
    int beeps = 0, waits = 0, waitDepth = 0;
    // Presentation calls of play, in order.
    std::vector<std::string> sounds, scores, times;
    std::vector<bool> stockPressed;
    std::vector<int> flights;
    std::vector<std::pair<Command, bool>> commands;
    std::vector<GameResult> results;
    int celebrations = 0;
    std::int64_t now = 0;
    int screenWidth = 1280, screenHeight = 1024;
};

} // namespace quendra::test
