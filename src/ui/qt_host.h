#pragma once

#include "host.h"

class QWidget;

namespace quendra {

// The window's host: message boxes, the system beep and the wait cursor.
class QtHost : public Host {
  public:
    explicit QtHost(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

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

  private:
    QWidget* parent_;
};

} // namespace quendra
