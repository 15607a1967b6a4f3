#pragma once

#include "host.h"

class QWidget;

namespace quendra {

class MainWindow;
class SoundPlayer;

// The window's host: message boxes, the system beep, the wait cursor, and the
// presentation calls, which it hands to the main window and its sound player.
class QtHost : public Host {
  public:
    explicit QtHost(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    // The window that shows the table, the clock, the score and the commands; the host
    // keeps quiet without one.
    void SetWindow(MainWindow* window);
    void SetSounds(SoundPlayer* sounds) { sounds_ = sounds; }

    void ShowInformation(const std::string& text) override;
    void ShowError(const std::string& text) override;
    bool Confirm(const std::string& text) override;
    Answer AskYesNoCancel(const std::string& text) override;
    bool ShowAdvice(const std::string& message, int page) override;
    void Beep() override;
    void BeginWait() override;
    void EndWait() override;
    int ScreenWidth() const override;
    int ScreenHeight() const override;

    void PlaySound(const std::string& name) override;
    void RedrawPile(PileRef pile) override;
    void RedrawTable() override;
    void DrawStockPressed(bool pressed) override;
    void FlyCard(int card, PileRef from, PileRef to) override;
    void CelebrateWin() override;
    void RecordGameResult(const GameResult& result) override;
    void Wait(int milliseconds) override;
    void ShowScore(const std::string& text) override;
    void ShowScoredLine(const std::vector<PileRef>& piles, const std::string& hand, int points,
                        int total) override;
    void ShowTime(const std::string& text) override;
    void EnableCommand(Command command, bool enabled) override;
    void ShowProposedMove(PileRef from, int position, PileRef to, int cardCount) override;
    void ClearProposedMove() override;
    void ShowTutorText(const std::string& text) override;
    std::optional<bool> ConfirmLeaveSeriesGame() override;

  private:
    QWidget* parent_;
    MainWindow* window_ = nullptr;
    SoundPlayer* sounds_ = nullptr;
};

} // namespace quendra
